// The tabular method: combining stages, the prime chart and its reduction, the cyclic core's search.
#include "explain/tabular_method.h"

#include <algorithm>
#include <bit>
#include <unordered_map>

#include "minimise/minimise.h"
#include "minimise/minimum_cover.h"
#include "minimise/prime_implicants.h"

namespace brevano {

namespace {

std::uint64_t KeyOf(Cube cube) { return (std::uint64_t{cube.care} << 32) | cube.value; }

// Implicants of one stage ascending by plain literals (their group), then by CubeKey.
void SortStage(std::vector<Cube>& cubes, int n) {
  std::sort(cubes.begin(), cubes.end(), [n](Cube a, Cube b) {
    const int ga = std::popcount(a.value), gb = std::popcount(b.value);
    return ga != gb ? ga < gb : CubeKey(a, n) < CubeKey(b, n);
  });
}

// The stages of combining: each implicant joined with one that differs in a single plain literal.
// False when they grow past kMaxTabularImplicants or the control stops.
bool Combine(TabularMethod& method, bool keepStages, Budget& control) {
  const int n = method.variables;
  const std::uint32_t full = n == 0 ? 0 : (n == 32 ? ~0u : (1u << n) - 1);
  std::vector<Cube> current;
  for (auto list : {&method.ones, &method.dontCares})
    for (std::uint32_t row : *list) current.push_back({full, row});
  std::size_t total = 0;
  while (!current.empty()) {
    SortStage(current, n);
    total += current.size();
    if (total > kMaxTabularImplicants) return false;
    std::unordered_map<std::uint64_t, std::size_t> index;
    index.reserve(current.size() * 2);
    for (std::size_t i = 0; i < current.size(); ++i) index.emplace(KeyOf(current[i]), i);
    std::vector<char> combined(current.size(), 0);
    std::vector<Cube> next;
    std::unordered_map<std::uint64_t, char> seen;
    for (std::size_t i = 0; i < current.size(); ++i) {
      if (!control.Tick()) return false;
      const Cube c = current[i];
      for (std::uint32_t bits = c.care & c.value; bits; bits &= bits - 1) {
        const std::uint32_t bit = bits & -bits;
        const auto partner = index.find(KeyOf({c.care, c.value ^ bit}));
        if (partner == index.end()) continue;
        combined[i] = combined[partner->second] = 1;
        const Cube joined{c.care ^ bit, c.value ^ bit};
        if (seen.emplace(KeyOf(joined), 1).second) next.push_back(joined);
      }
    }
    method.stageSizes.push_back(current.size());
    if (keepStages) method.stages.emplace_back();
    for (std::size_t i = 0; i < current.size(); ++i) {
      if (keepStages) method.stages.back().implicants.push_back({current[i], combined[i] != 0});
      if (!combined[i]) method.primes.push_back(current[i]);
    }
    current = std::move(next);
  }
  std::sort(method.primes.begin(), method.primes.end(),
            [n](Cube a, Cube b) { return CubeKey(a, n) < CubeKey(b, n); });
  return true;
}

// The chart as lists both ways over chart rows (indexes into method.ones).
struct Chart {
  std::vector<std::vector<int>> primeRows, rowPrimes;
  std::vector<char> primeActive, rowActive;
};

bool BuildChart(const TabularMethod& method, Chart& chart) {
  const std::uint64_t rows = std::uint64_t{1} << method.variables;
  std::vector<int> rowIndex(rows, -1);
  for (std::size_t i = 0; i < method.ones.size(); ++i) rowIndex[method.ones[i]] = static_cast<int>(i);
  chart.primeRows.resize(method.primes.size());
  chart.rowPrimes.resize(method.ones.size());
  std::uint64_t entries = 0;
  for (std::size_t p = 0; p < method.primes.size(); ++p) {
    const Cube cube = method.primes[p];
    const std::uint32_t freeBits = ~cube.care & static_cast<std::uint32_t>(rows - 1);
    entries += std::uint64_t{1} << std::popcount(freeBits);
    if (entries > kMaxCoverEntries) return false;
    // Every subset of the absent variables, added to the literals' value.
    std::uint32_t sub = 0;
    do {
      const int r = rowIndex[cube.value | sub];
      if (r >= 0) {
        chart.primeRows[p].push_back(r);
        chart.rowPrimes[r].push_back(static_cast<int>(p));
      }
      sub = (sub - freeBits) & freeBits;
    } while (sub != 0);
    std::sort(chart.primeRows[p].begin(), chart.primeRows[p].end());
  }
  chart.primeActive.assign(method.primes.size(), 1);
  chart.rowActive.assign(method.ones.size(), 1);
  return true;
}

std::vector<int> ActiveOf(const std::vector<int>& list, const std::vector<char>& active) {
  std::vector<int> out;
  for (int x : list)
    if (active[x]) out.push_back(x);
  return out;
}

// Chooses every prime that alone covers a row left. True when some was chosen.
bool ChooseEssentials(TabularMethod& method, Chart& chart, int round) {
  bool changed = false;
  for (std::size_t r = 0; r < chart.rowActive.size(); ++r) {
    if (!chart.rowActive[r]) continue;
    const std::vector<int> primes = ActiveOf(chart.rowPrimes[r], chart.primeActive);
    if (primes.size() != 1) continue;
    const int p = primes[0];
    method.steps.push_back({ChartStepKind::kEssential, p, method.ones[r], -1, round});
    if (round == 1) method.essential.push_back(p);
    method.chosen.push_back(p);
    chart.primeActive[p] = 0;
    for (int covered : chart.primeRows[p]) chart.rowActive[covered] = 0;
    changed = true;
  }
  return changed;
}

// Drops each row whose primes include all primes of another row left, and each prime whose rows
// left lie among those of a prime that costs no more. True when something was dropped.
bool DropDominated(TabularMethod& method, Chart& chart, int round) {
  bool changed = false;
  const auto rows = [&](int p) { return ActiveOf(chart.primeRows[p], chart.rowActive); };
  const auto primes = [&](int r) { return ActiveOf(chart.rowPrimes[r], chart.primeActive); };
  const int rowCount = static_cast<int>(chart.rowActive.size());
  std::vector<std::vector<int>> rowPrimes(rowCount);
  for (int r = 0; r < rowCount; ++r)
    if (chart.rowActive[r]) rowPrimes[r] = primes(r);
  for (int a = 0; a < rowCount; ++a) {
    if (!chart.rowActive[a]) continue;
    const std::vector<int>& pa = rowPrimes[a];
    for (int b = 0; b < rowCount; ++b) {
      if (a == b || !chart.rowActive[b]) continue;
      const std::vector<int>& pb = rowPrimes[b];
      if (!std::includes(pb.begin(), pb.end(), pa.begin(), pa.end()) || (pa.size() == pb.size() && b < a))
        continue;
      chart.rowActive[b] = 0;
      method.steps.push_back(
          {ChartStepKind::kRowDominated, -1, method.ones[b], static_cast<int>(method.ones[a]), round});
      changed = true;
    }
  }
  const int primeCount = static_cast<int>(chart.primeActive.size());
  std::vector<std::vector<int>> primeRows(primeCount);
  for (int p = 0; p < primeCount; ++p)
    if (chart.primeActive[p]) primeRows[p] = rows(p);
  for (int p = 0; p < primeCount; ++p) {
    if (!chart.primeActive[p]) continue;
    const std::vector<int>& rp = primeRows[p];
    if (rp.empty()) {
      chart.primeActive[p] = 0;
      method.steps.push_back({ChartStepKind::kPrimeUseless, p, 0, -1, round});
      changed = true;
      continue;
    }
    for (int q = 0; q < primeCount; ++q) {
      if (p == q || !chart.primeActive[q]) continue;
      const int costP = LiteralCount(method.primes[p]), costQ = LiteralCount(method.primes[q]);
      if (costQ > costP) continue;
      const std::vector<int>& rq = primeRows[q];
      if (!std::includes(rq.begin(), rq.end(), rp.begin(), rp.end())) continue;
      if (rq.size() == rp.size() && costQ == costP && q > p) continue;
      chart.primeActive[p] = 0;
      method.steps.push_back({ChartStepKind::kPrimeDominated, p, 0, q, round});
      changed = true;
      break;
    }
  }
  return changed;
}

// The least cover of what the reduction left, by the exact branch-and-bound search.
void SettleCore(TabularMethod& method, Chart& chart, Budget& control) {
  std::vector<int> rowOf(chart.rowActive.size(), -1);
  for (std::size_t r = 0; r < chart.rowActive.size(); ++r) {
    if (!chart.rowActive[r]) continue;
    rowOf[r] = static_cast<int>(method.coreRows.size());
    method.coreRows.push_back(method.ones[r]);
  }
  if (method.coreRows.empty()) return;
  CoverProblem problem;
  problem.rowCount = static_cast<int>(method.coreRows.size());
  for (std::size_t p = 0; p < chart.primeActive.size(); ++p) {
    if (!chart.primeActive[p]) continue;
    method.corePrimes.push_back(static_cast<int>(p));
    std::vector<int> rows;
    for (int r : chart.primeRows[p])
      if (rowOf[r] >= 0) rows.push_back(rowOf[r]);
    problem.columnRows.push_back(rows);
    problem.weight.push_back(LiteralCount(method.primes[p]));
  }
  const CoverSolution solution = SolveMinimumCover(problem, control);
  method.coreOptimal = solution.optimal;
  for (int column : solution.columns) method.coreChoice.push_back(method.corePrimes[column]);
  method.chosen.insert(method.chosen.end(), method.coreChoice.begin(), method.coreChoice.end());
}

std::vector<std::uint32_t> RowsOf(const TruthVector& v, const TruthVector* minus) {
  std::vector<std::uint32_t> rows;
  for (std::uint64_t r = 0; r < v.Rows(); ++r)
    if (v.At(r) && !(minus && minus->At(r))) rows.push_back(static_cast<std::uint32_t>(r));
  return rows;
}

}  // namespace

TabularMethod RunTabularMethod(const TruthVector& on, const TruthVector* dontCare, bool keepStages,
                               Budget& control) {
  TabularMethod method;
  method.variables = on.Variables();
  method.ones = RowsOf(on, dontCare);
  if (dontCare) method.dontCares = RowsOf(*dontCare, nullptr);
  if (keepStages) {
    if (!Combine(method, keepStages, control)) {
      method.tooLarge = !control.Stopped() && !control.TimeUp();
      return method;
    }
  } else {
    // The same primes without the stages: those of the function that is 1 on the don't-cares too.
    TruthVector all = on;
    if (dontCare)
      for (std::size_t w = 0; w < all.WordCount(); ++w) all.SetWord(w, on.Word(w) | dontCare->Word(w));
    method.primes = PrimeImplicants(all, control);
    if (control.Stopped() || control.TimeUp()) return method;
  }
  Chart chart;
  if (!BuildChart(method, chart)) {
    method.tooLarge = true;
    return method;
  }
  // Dominance compares rows pairwise: left to the search where the chart is large.
  const bool dominance = method.ones.size() <= 1024;
  for (int round = 1;; ++round) {
    bool changed = ChooseEssentials(method, chart, round);
    if (dominance) changed = DropDominated(method, chart, round) || changed;
    if (!changed) break;
  }
  SettleCore(method, chart, control);
  std::sort(method.chosen.begin(), method.chosen.end());
  method.complete = !control.Stopped() && (method.coreRows.empty() || !method.coreChoice.empty());
  return method;
}

std::vector<Cube> ChosenTerms(const TabularMethod& method) {
  std::vector<Cube> terms;
  for (int p : method.chosen) terms.push_back(method.primes[p]);
  return terms;
}

}  // namespace brevano

// Sums of products on the owner thread: Minato and Morreale's irredundant cover, prime implicants
// by the recursion on cofactors, and diagrams of cube lists.
#include "diagram/isop.h"

#include <algorithm>

#include "diagram/buddy.h"
#include "diagram/symbolic_run.h"
#include "minimise/cube_list.h"

namespace brevano::diagram_detail {

namespace {

constexpr int kNoVariable = 64;
constexpr unsigned kCallsPerCheck = 64;
// Most results a cover keeps (about 100 bytes each with its part of the cover graph).
constexpr std::size_t kMaxKeptResults = 1'000'000;

std::uint64_t RowBit(int variable, int variableCount) {
  return std::uint64_t{1} << (variableCount - 1 - variable);
}

}  // namespace

CoverBuilder::CoverBuilder(unsigned __int128 termLimit)
    : covers_{CoverNode{}, CoverNode{kNoVariable, 0, 0, 0, 1}}, termLimit_(termLimit) {}

Interval CoverBuilder::Build(const Ref& lower, const Ref& upper) {
  if (lower.Get() == 0) return {Ref(0), 0};
  if (upper.Get() == 1) return {Ref(1), 1};
  const std::uint64_t key =
      static_cast<std::uint64_t>(lower.Get()) << 32 | static_cast<std::uint32_t>(upper.Get());
  if (const auto found = memo_.find(key); found != memo_.end()) return found->second.interval;
  if (++calls_ % kCallsPerCheck == 0) diagram_detail::CheckJob();

  const int x = std::min(diagram_detail::TopVariable(lower.Get(), kNoVariable),
                         diagram_detail::TopVariable(upper.Get(), kNoVariable));
  const Ref l0(diagram_detail::Cofactor(lower.Get(), x, 0)), l1(diagram_detail::Cofactor(lower.Get(), x, 1));
  const Ref u0(diagram_detail::Cofactor(upper.Get(), x, 0)), u1(diagram_detail::Cofactor(upper.Get(), x, 1));
  const Interval negative = Build(Ref(bdd_apply(l0.Get(), u1.Get(), bddop_diff)), u0);
  const Interval positive = Build(Ref(bdd_apply(l1.Get(), u0.Get(), bddop_diff)), u1);
  const Ref rest0(bdd_apply(l0.Get(), negative.result.Get(), bddop_diff));
  const Ref rest1(bdd_apply(l1.Get(), positive.result.Get(), bddop_diff));
  const Ref rest(bdd_apply(rest0.Get(), rest1.Get(), bddop_or));
  const Interval either = Build(rest, Ref(bdd_apply(u0.Get(), u1.Get(), bddop_and)));
  const Ref branches(bdd_ite(bdd_ithvar(x), positive.result.Get(), negative.result.Get()));
  Interval interval{Ref(bdd_apply(branches.Get(), either.result.Get(), bddop_or)),
                    Join(x, negative.cover, positive.cover, either.cover)};
  if (memo_.size() >= kMaxKeptResults) diagram_detail::EndJob(JobEnd::kNodeBudget);
  memo_.emplace(key, Entry{lower, upper, interval});
  return interval;
}

void CoverBuilder::Collect(std::uint32_t cover, Cube cube, int variableCount, std::vector<Cube>& out) const {
  if (cover == 0) return;
  const CoverNode& node = covers_[cover];
  if (cover == 1) {
    out.push_back(cube);
    return;
  }
  const std::uint64_t bit = std::uint64_t{1} << (variableCount - 1 - node.variable);
  Collect(node.negative, {cube.care | bit, cube.value}, variableCount, out);
  Collect(node.positive, {cube.care | bit, cube.value | bit}, variableCount, out);
  Collect(node.either, cube, variableCount, out);
}

std::uint32_t CoverBuilder::Join(int x, std::uint32_t negative, std::uint32_t positive,
                                 std::uint32_t either) {
  if (negative == 0 && positive == 0) return either;
  const unsigned __int128 terms = covers_[negative].terms + covers_[positive].terms + covers_[either].terms;
  if (terms > termLimit_) throw TooManyTerms{terms};
  covers_.push_back({x, negative, positive, either, terms});
  return static_cast<std::uint32_t>(covers_.size() - 1);
}

std::vector<Cube> IrredundantCubes(const Ref& lower, const Ref& upper, int variableCount,
                                   unsigned __int128 termLimit) {
  CoverBuilder builder(termLimit);
  const std::uint32_t top = builder.Build(lower, upper).cover;
  if (builder.Terms(top) > termLimit) throw CoverBuilder::TooManyTerms{builder.Terms(top)};
  std::vector<Cube> cubes;
  builder.Collect(top, {}, variableCount, cubes);
  return cubes;
}

namespace {

// The primes of f: those of f0·f1 (free of the top variable x), then x'·q for the primes q of f0
// that are not primes of f0·f1, and x·q likewise for f1. A prime q of f0 is a prime of f0·f1
// exactly when it is an implicant of f1, so the difference of the sorted lists is the test.
class PrimeBuilder {
 public:
  PrimeBuilder(int variableCount, std::size_t limit) : variableCount_(variableCount), limit_(limit) {}

  const std::vector<Cube>& Primes(const Ref& f) {
    if (const auto found = memo_.find(f.Get()); found != memo_.end()) return found->second.primes;
    if (++calls_ % kCallsPerCheck == 0) CheckJob();
    std::vector<Cube> primes;
    if (f.Get() == 1) {
      primes.push_back({});
    } else if (f.Get() != 0) {
      const int x = TopVariable(f.Get(), kNoVariable);
      const Ref f0(Cofactor(f.Get(), x, 0)), f1(Cofactor(f.Get(), x, 1));
      const Ref both(bdd_apply(f0.Get(), f1.Get(), bddop_and));
      primes = Primes(both);
      const std::vector<Cube> common = primes;
      const std::uint64_t bit = RowBit(x, variableCount_);
      Extend(Primes(f0), common, {bit, 0}, primes);
      Extend(Primes(f1), common, {bit, bit}, primes);
      std::sort(primes.begin(), primes.end(), Less);
    }
    kept_ += primes.size();
    if (primes.size() > limit_ || kept_ > 20 * limit_) throw TooManyPrimes{};
    return memo_.emplace(f.Get(), Entry{f, std::move(primes)}).first->second.primes;
  }

 private:
  struct Entry {
    Ref node;
    std::vector<Cube> primes;
  };

  static bool Less(const Cube& a, const Cube& b) {
    return a.care != b.care ? a.care < b.care : a.value < b.value;
  }

  // Appends `literal` times each of `own` (sorted) not in `common` (sorted).
  static void Extend(const std::vector<Cube>& own, const std::vector<Cube>& common, Cube literal,
                     std::vector<Cube>& out) {
    for (const Cube& q : own) {
      if (std::binary_search(common.begin(), common.end(), q, Less)) continue;
      out.push_back({q.care | literal.care, q.value | literal.value});
    }
  }

  int variableCount_;
  std::size_t limit_;
  std::size_t kept_ = 0;
  unsigned calls_ = 0;
  std::unordered_map<int, Entry> memo_;
};

}  // namespace

std::vector<Cube> PrimeCubes(const Ref& function, int variableCount, std::size_t limit) {
  PrimeBuilder builder(variableCount, limit);
  return builder.Primes(function);
}

Ref DiagramOfCubes(const std::vector<Cube>& cubes, int variableCount) {
  Ref sum(0);
  unsigned step = 0;
  for (const Cube& cube : cubes) {
    if (++step % kCallsPerCheck == 0) CheckJob();
    Ref term(1);
    for (int v = variableCount; v-- > 0;) {
      const std::uint64_t bit = RowBit(v, variableCount);
      if ((cube.care & bit) == 0) continue;
      const Ref literal((cube.value & bit) ? bdd_ithvar(v) : bdd_nithvar(v));
      term = Ref(bdd_apply(term.Get(), literal.Get(), bddop_and));
    }
    sum = Ref(bdd_apply(sum.Get(), term.Get(), bddop_or));
  }
  return sum;
}

Cube LevelsToColumns(Cube cube, const std::vector<int>& order) {
  const int n = static_cast<int>(order.size());
  Cube out;
  for (int level = 0; level < n; ++level) {
    const std::uint64_t from = RowBit(level, n);
    if ((cube.care & from) == 0) continue;
    const std::uint64_t to = RowBit(order[static_cast<std::size_t>(level)], n);
    out.care |= to;
    if (cube.value & from) out.value |= to;
  }
  return out;
}

Cube ColumnsToLevels(Cube cube, const std::vector<int>& order) {
  const int n = static_cast<int>(order.size());
  Cube out;
  for (int level = 0; level < n; ++level) {
    const std::uint64_t to = RowBit(level, n);
    const std::uint64_t from = RowBit(order[static_cast<std::size_t>(level)], n);
    if ((cube.care & from) == 0) continue;
    out.care |= to;
    if (cube.value & from) out.value |= to;
  }
  return out;
}

}  // namespace brevano::diagram_detail

// Primes by iterated consensus on cubes of at most 64 inputs and outputs, kept as bit masks, and
// the cover problem whose rows grow from what the last least cover missed.
#include "multiout/wide_exact.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "function/cube_algebra.h"
#include "minimise/minimum_cover.h"

namespace brevano {

namespace {

// A cube as masks: bit i of `zero` (of `one`) set when input i may be 0 (may be 1); both when it
// is left out. `out` holds the outputs.
struct Mask {
  std::uint64_t zero = 0, one = 0, out = 0;
};

bool Within(const Mask& inner, const Mask& outer) {
  return (inner.zero & ~outer.zero) == 0 && (inner.one & ~outer.one) == 0 && (inner.out & ~outer.out) == 0;
}

Mask MaskOf(const MultiCube& cube) {
  Mask mask;
  for (int i = 0; i < cube.inputs; ++i) {
    const auto value = static_cast<unsigned>(cube.Input(i));
    if (value & 1) mask.zero |= std::uint64_t{1} << i;
    if (value & 2) mask.one |= std::uint64_t{1} << i;
  }
  for (int o = 0; o < cube.outputs; ++o)
    if (cube.HasOutput(o)) mask.out |= std::uint64_t{1} << o;
  return mask;
}

MultiCube CubeOf(const Mask& mask, int inputs, int outputs) {
  MultiCube cube = MultiCube::Universe(inputs, outputs);
  for (int i = 0; i < inputs; ++i) {
    const bool zero = (mask.zero >> i) & 1, one = (mask.one >> i) & 1;
    if (!(zero && one)) cube.SetInput(i, one ? Literal::kOne : Literal::kZero);
  }
  for (int o = 0; o < outputs; ++o) cube.SetOutput(o, (mask.out >> o) & 1);
  return cube;
}

// The consensus of two implicants that is in neither: on one input where they oppose, that input
// left out and the outputs they share; where their inputs meet, the meet with all their outputs.
std::optional<Mask> Consensus(const Mask& a, const Mask& b, std::uint64_t inputs) {
  const Mask meet{a.zero & b.zero, a.one & b.one, a.out & b.out};
  const std::uint64_t opposed = inputs & ~(meet.zero | meet.one);
  if (opposed == 0) {
    const Mask joined{meet.zero, meet.one, a.out | b.out};
    if (Within(joined, a) || Within(joined, b)) return std::nullopt;
    return joined;
  }
  if (std::popcount(opposed) != 1 || meet.out == 0) return std::nullopt;
  const Mask raised{meet.zero | opposed, meet.one | opposed, meet.out};
  if (Within(raised, a) || Within(raised, b)) return std::nullopt;
  return raised;
}

bool HoldsPoint(const Mask& cube, std::uint64_t point, std::uint64_t inputs) {
  return (((point & ~cube.one) | (~point & ~cube.zero)) & inputs) == 0;
}

// A point of `cube` (its free inputs settled one by one) that `cover` leaves out, which must exist.
std::uint64_t UncoveredPoint(const CubeCover& cover, MultiCube cube) {
  for (int i = 0; i < cube.inputs; ++i) {
    if (cube.Input(i) != Literal::kFree) continue;
    cube.SetInput(i, Literal::kZero);
    if (CoversInputs(cover, cube)) cube.SetInput(i, Literal::kOne);
  }
  return MaskOf(cube).one;
}

// A (point, output) pair that must be 1.
struct Row {
  std::uint64_t point = 0;
  int output = 0;
  friend auto operator<=>(const Row&, const Row&) = default;
};

// The least cover of `rows` by `primes`: the primes chosen, and whether none fewer cover the rows.
struct RowCover {
  std::vector<std::size_t> chosen;
  bool fewest = false;
  bool stopped = false;
};

RowCover CoverRows(const std::vector<Mask>& primes, const std::vector<Row>& rows, std::uint64_t inputs,
                   Budget& control) {
  CoverProblem problem;
  problem.rowCount = static_cast<int>(rows.size());
  std::vector<std::size_t> primeOf;
  for (std::size_t p = 0; p < primes.size(); ++p) {
    if (!control.Tick()) return RowCover{{}, false, true};
    std::vector<int> held;
    for (std::size_t r = 0; r < rows.size(); ++r)
      if (((primes[p].out >> rows[r].output) & 1) && HoldsPoint(primes[p], rows[r].point, inputs))
        held.push_back(static_cast<int>(r));
    if (held.empty()) continue;
    problem.columnRows.push_back(std::move(held));
    problem.weight.push_back(std::popcount(inputs & ~(primes[p].zero & primes[p].one)));
    primeOf.push_back(p);
  }
  const CoverSolution solution = SolveMinimumCover(problem, control);
  RowCover result;
  result.stopped = solution.stopped || (solution.columns.empty() && !rows.empty());
  result.fewest = solution.fewestColumns;
  for (int column : solution.columns) result.chosen.push_back(primeOf[static_cast<std::size_t>(column)]);
  return result;
}

// The rows the chosen primes leave out: for each 1 cube and output, one point of the output that
// neither the primes feeding it nor its don't-cares hold.
std::vector<Row> MissedRows(const BooleanFunction& function, const std::vector<Mask>& primes,
                            const std::vector<std::size_t>& chosen, const std::vector<CubeCover>& dontCare) {
  std::vector<Row> missed;
  const int n = function.InputCount();
  for (int o = 0; o < function.OutputCount(); ++o) {
    CubeCover cover = dontCare[static_cast<std::size_t>(o)];
    for (std::size_t p : chosen)
      if ((primes[p].out >> o) & 1) cover.push_back(CubeOf(primes[p], n, function.OutputCount()));
    for (const MultiCube& cube : function.on)
      if (cube.HasOutput(o) && !CoversInputs(cover, cube)) missed.push_back({UncoveredPoint(cover, cube), o});
  }
  return missed;
}

}  // namespace

std::optional<CubeCover> JointPrimes(const BooleanFunction& function, std::size_t limit, Budget& control) {
  const int n = function.InputCount(), outputs = function.OutputCount();
  if (n > 64 || outputs > 64) return std::nullopt;
  const std::uint64_t inputs = n == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
  // Each cube waiting is checked against the primes so far: dropped when one holds it, else it
  // drops those it holds and yields its consensus with each of the rest.
  std::vector<Mask> waiting, primes;
  for (const CubeCover* list : {&function.on, &function.dontCare})
    for (const MultiCube& cube : *list)
      if (const Mask mask = MaskOf(cube); mask.out != 0 && (mask.zero | mask.one) == inputs)
        waiting.push_back(mask);
  while (!waiting.empty()) {
    if (!control.Tick() || control.TimeUp() || primes.size() > limit || waiting.size() > 8 * limit)
      return std::nullopt;
    const Mask cube = waiting.back();
    waiting.pop_back();
    if (std::any_of(primes.begin(), primes.end(), [&](const Mask& p) { return Within(cube, p); })) continue;
    std::erase_if(primes, [&](const Mask& p) { return Within(p, cube); });
    for (const Mask& p : primes)
      if (const std::optional<Mask> made = Consensus(cube, p, inputs)) waiting.push_back(*made);
    primes.push_back(cube);
  }
  CubeCover cover;
  for (const Mask& p : primes) cover.push_back(CubeOf(p, n, outputs));
  std::sort(cover.begin(), cover.end());
  return cover;
}

WideExactResult WideJointCover(const BooleanFunction& function, std::size_t maxPrimes, Budget& control) {
  WideExactResult result;
  const std::optional<CubeCover> primeCubes = JointPrimes(function, maxPrimes, control);
  if (!primeCubes || primeCubes->empty()) return result;
  const int n = function.InputCount();
  const std::uint64_t inputs = n == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
  std::vector<Mask> primes;
  for (const MultiCube& cube : *primeCubes) primes.push_back(MaskOf(cube));
  std::vector<CubeCover> dontCare;
  for (int o = 0; o < function.OutputCount(); ++o) dontCare.push_back(CubesOfOutput(function.dontCare, o));
  // The first rows: a point of each 1 cube in each of its outputs, unless a don't-care there.
  std::vector<Row> rows = MissedRows(function, primes, {}, dontCare);
  while (!rows.empty()) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const RowCover cover = CoverRows(primes, rows, inputs, control);
    if (cover.stopped) return result;
    if (cover.fewest) result.lowerBound = std::max(result.lowerBound, cover.chosen.size());
    const std::vector<Row> missed = MissedRows(function, primes, cover.chosen, dontCare);
    if (missed.empty()) {
      result.terms.emplace();
      for (std::size_t p : cover.chosen) result.terms->push_back((*primeCubes)[p]);
      result.proven = cover.fewest;
      return result;
    }
    if (!cover.fewest || control.TimeUp() || control.Stopped()) return result;
    rows.insert(rows.end(), missed.begin(), missed.end());
  }
  result.terms.emplace();
  result.proven = true;
  return result;
}

}  // namespace brevano

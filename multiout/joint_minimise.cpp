// The whole run: the starting cover, the improvement loop until it stalls, the exact search where
// it fits, the lower bound, and the check of the cover against the function.
#include "multiout/joint_minimise.h"

#include <algorithm>
#include <map>
#include <random>

#include "engine/engine_error.h"
#include "multiout/cover_steps.h"
#include "multiout/exact_cover.h"
#include "multiout/wide_exact.h"

namespace brevano {

namespace {

// Most cubes of an output's 0 points kept as a list; beyond, a term is tested by tautology.
constexpr std::size_t kOffLimit = 20000;

void CheckShape(const BooleanFunction& function) {
  for (const CubeCover* list : {&function.on, &function.dontCare})
    for (const MultiCube& cube : *list)
      if (cube.inputs != function.InputCount() || cube.outputs != function.OutputCount() ||
          cube.bits.size() != function.AllOutputs().bits.size())
        throw EngineError("A cube of the function does not have its inputs and outputs");
}

// The function's 1 cubes, those with the same inputs merged into one term.
CubeCover StartCover(const BooleanFunction& function) {
  std::map<std::vector<std::uint64_t>, MultiCube> merged;
  for (const MultiCube& cube : function.on) {
    std::vector<std::uint64_t> key(cube.bits.begin(), cube.bits.begin() + cube.InputWords());
    auto [at, added] = merged.try_emplace(std::move(key), cube);
    if (!added) at->second = Supercube(at->second, cube);
  }
  CubeCover cover;
  for (auto& [key, cube] : merged) cover.push_back(std::move(cube));
  return cover;
}

// Reduce-expand-irredundant rounds and last gasp from `cover` until nothing improves.
CubeCover Settle(CubeCover cover, const OutputSets& sets, Budget& control, JointStats& stats,
                 std::mt19937* random) {
  while (!control.TimeUp() && !control.Stopped()) {
    ++stats.passes;
    const JointCost before = CostOf(cover);
    CubeCover next =
        Irredundant(Expand(Reduce(cover, sets, control, random), sets, control, random), sets, control);
    if (CostOf(next) < before) {
      cover = std::move(next);
      continue;
    }
    next = LastGasp(cover, sets, control);
    if (!(CostOf(next) < before)) break;
    cover = std::move(next);
  }
  return cover;
}

// Expand and irredundant from the function's cubes, settled.
CubeCover FirstCover(const BooleanFunction& function, const OutputSets& sets, Budget& control,
                     JointStats& stats) {
  CubeCover cover = Irredundant(Expand(StartCover(function), sets, control), sets, control);
  return Settle(std::move(cover), sets, control, stats, nullptr);
}

// Settled again from the best cover with ties taken in random orders, until `tries` rounds in a
// row find nothing better or `time` has passed.
CubeCover MoreRounds(CubeCover best, const OutputSets& sets, Budget& control, JointStats& stats, int tries,
                     std::chrono::steady_clock::duration time) {
  const std::chrono::steady_clock::time_point end = std::chrono::steady_clock::now() + time;
  std::mt19937 random(1);
  for (int failed = 0;
       failed < tries && std::chrono::steady_clock::now() < end && !control.TimeUp() && !control.Stopped();) {
    CubeCover next = Settle(best, sets, control, stats, &random);
    if (CostOf(next) < CostOf(best)) {
      best = std::move(next);
      failed = 0;
    } else {
      ++failed;
    }
  }
  return best;
}

// A point of the cube's input part: its free inputs taken as 0, or with `random` at random.
MultiCube PointOf(MultiCube cube, int o, std::mt19937* random = nullptr) {
  for (int i = 0; i < cube.inputs; ++i)
    if (cube.Input(i) == Literal::kFree)
      cube.SetInput(i, random && ((*random)() & 1) ? Literal::kOne : Literal::kZero);
  return WithOutput(std::move(cube), o);
}

// Points that no single term can hold two of (each pair's supercube holds a 0 point of one of
// their outputs): the cover needs a term for each. Points only one term of `cover` holds come
// first (up to eight of each term's own part), then a point of each 1 cube.
std::size_t LowerBound(const BooleanFunction& function, const CubeCover& cover, const OutputSets& sets,
                       Budget& control) {
  CubeCover candidates;
  for (std::size_t t = 0; t < cover.size(); ++t) {
    for (int o = 0; o < sets.Outputs(); ++o) {
      if (!cover[t].HasOutput(o)) continue;
      const CubeCover others = OthersOfOutput(cover, t, o, sets);
      const std::optional<MultiCube> own = SmallestUncovered(others, cover[t]);
      if (!own) continue;
      std::mt19937 random(static_cast<unsigned>(t));
      for (int k = 0; k < 8; ++k) {
        const MultiCube point = PointOf(*own, o, k ? &random : nullptr);
        if (!CoversInputs(others, point)) candidates.push_back(point);
      }
    }
  }
  for (const MultiCube& cube : function.on)
    for (int o = 0; o < sets.Outputs(); ++o)
      if (cube.HasOutput(o)) {
        const MultiCube point = PointOf(cube, o);
        if (!CoversInputs(sets.DontCare(o), point)) candidates.push_back(point);
      }
  // Greedy, the points in the order found, then in random orders while that keeps finding more.
  std::size_t best = 0;
  std::mt19937 random(1);
  for (int tries = 0, failed = 0; failed < 20 && tries < 200 && control.LongTick(); ++tries) {
    if (tries > 0) std::shuffle(candidates.begin(), candidates.end(), random);
    CubeCover chosen;
    for (const MultiCube& point : candidates) {
      const bool alone = std::none_of(chosen.begin(), chosen.end(), [&](const MultiCube& other) {
        return sets.FitsAll(Supercube(point, other));
      });
      if (alone) chosen.push_back(point);
    }
    failed = chosen.size() > best ? 0 : failed + 1;
    best = std::max(best, chosen.size());
    if (best >= cover.size()) break;
  }
  return best;
}

// The bound of LowerBound within two seconds of the budget.
std::size_t HeuristicBound(const BooleanFunction& function, const CubeCover& cover, const OutputSets& sets,
                           const JointOptions& options) {
  Budget control(std::min<std::chrono::steady_clock::duration>(options.budget, std::chrono::seconds(2)),
                 options.progress);
  return LowerBound(function, cover, sets, control);
}

// Beyond the table, where the quick bound leaves the cover unproven: the search from the cubes,
// whose cover replaces `result`'s when no larger. Returns the best lower bound found.
std::size_t WideSearch(const BooleanFunction& function, const OutputSets& sets, const JointOptions& options,
                       const ExactLimits& limits, Budget& control, JointCover& result) {
  const std::size_t quick = HeuristicBound(function, result.terms, sets, options);
  if (quick >= result.terms.size()) return quick;
  WideExactResult wide = WideJointCover(function, limits.maxPrimes, control);
  if (wide.terms && wide.terms->size() <= result.terms.size()) {
    result.stats.exactRan = true;
    result.terms = std::move(*wide.terms);
    result.proven = wide.proven;
  }
  return std::max(quick, wide.lowerBound);
}

// The exact search where the inputs are few, on its own clock: it leaves `reserve` of the budget
// for more heuristic rounds should it not prove its cover.
std::optional<ExactResult> ExactWithin(const BooleanFunction& function, const ExactLimits& limits,
                                       const JointOptions& options, std::chrono::steady_clock::duration spent,
                                       std::chrono::steady_clock::duration reserve, JointStats& stats) {
  Budget control(std::max<std::chrono::steady_clock::duration>(options.budget - spent - reserve, {}),
                 options.progress);
  std::optional<ExactResult> exact = ExactJointCover(function, limits, control);
  if (control.Stopped()) throw EngineError("Stopped");
  stats.timeUp = control.TimeUp();
  return exact;
}

// The heuristic cover first; where the exact search proves its cover, no more rounds are spent on
// the heuristic one; otherwise they run for up to three times the first cover's time (at least
// 0.2 s), and the smaller cover is kept, the exact one on a tie.
JointCover Jointly(const BooleanFunction& function, const JointOptions& options) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  Budget control(options.budget, options.progress);
  const OutputSets sets(function, kOffLimit);
  JointCover result;
  result.stats.startTerms = function.on.size();
  result.terms = FirstCover(function, sets, control, result.stats);
  const Clock::duration first = Clock::now() - start;
  const Clock::duration rounds = std::max<Clock::duration>(3 * first, std::chrono::milliseconds(200));
  ExactLimits limits;
  if (options.exact) limits.maxPrimes = 200000, limits.maxRows = 500000;
  std::optional<ExactResult> exact;
  if (!control.TimeUp() && !control.Stopped() && result.terms.size() > 1 &&
      function.InputCount() <= limits.maxInputs)
    exact = ExactWithin(function, limits, options, first, rounds, result.stats);
  if (!exact || !exact->proven)
    result.terms =
        MoreRounds(std::move(result.terms), sets, control, result.stats, options.exact ? 100 : 20, rounds);
  result.stats.heuristicTerms = result.terms.size();
  std::size_t exactBound = 0;
  if (exact) {
    result.stats.exactRan = true;
    if (exact->terms.size() <= result.terms.size()) {
      result.terms = std::move(exact->terms);
      result.proven = exact->proven;
    }
  } else if (options.exact && !control.TimeUp() && !control.Stopped() && result.terms.size() > 1 &&
             function.InputCount() > limits.maxInputs && function.InputCount() <= 64 &&
             function.OutputCount() <= 64) {
    exactBound = WideSearch(function, sets, options, limits, control, result);
  }
  if (control.Stopped()) throw EngineError("Stopped");
  result.terms = MakeSparse(std::move(result.terms), sets);
  result.lowerBound = result.proven
                          ? result.terms.size()
                          : std::max(exactBound, HeuristicBound(function, result.terms, sets, options));
  result.lowerBound = std::min(result.lowerBound, result.terms.size());
  result.proven = result.proven || result.lowerBound == result.terms.size();
  result.stats.timeUp = result.stats.timeUp || control.TimeUp();
  return result;
}

// The function of output `o` alone.
BooleanFunction OneOutput(const BooleanFunction& function, int o) {
  BooleanFunction one{function.inputs, {function.outputs[static_cast<std::size_t>(o)]}, {}, {}};
  const MultiCube single = MultiCube::Universe(function.InputCount(), 1);
  for (const CubeCover* list : {&function.on, &function.dontCare})
    for (const MultiCube& cube : *list)
      if (cube.HasOutput(o)) {
        MultiCube part = single;
        std::copy(cube.bits.begin(), cube.bits.begin() + cube.InputWords(), part.bits.begin());
        part.SetOutput(0, true);
        (list == &function.on ? one.on : one.dontCare).push_back(std::move(part));
      }
  return one;
}

JointCover EachAlone(const BooleanFunction& function, const JointOptions& options) {
  JointCover result;
  result.proven = true;
  const int outputs = std::max(1, function.OutputCount());
  JointOptions each = options;
  each.budget = options.budget / outputs;
  const MultiCube none = MultiCube::Universe(function.InputCount(), function.OutputCount());
  for (int o = 0; o < function.OutputCount(); ++o) {
    const JointCover part = Jointly(OneOutput(function, o), each);
    for (const MultiCube& cube : part.terms) {
      MultiCube term = none;
      std::copy(cube.bits.begin(), cube.bits.begin() + cube.InputWords(), term.bits.begin());
      term.SetOutput(o, true);
      result.terms.push_back(std::move(term));
    }
    result.proven = result.proven && part.proven;
    result.lowerBound += part.lowerBound;
    result.stats.startTerms += part.stats.startTerms;
    result.stats.heuristicTerms += part.stats.heuristicTerms;
    result.stats.passes += part.stats.passes;
    result.stats.exactRan = result.stats.exactRan || part.stats.exactRan;
    result.stats.timeUp = result.stats.timeUp || part.stats.timeUp;
  }
  return result;
}

}  // namespace

JointCover MinimiseJointly(const BooleanFunction& function, const JointOptions& options) {
  CheckShape(function);
  JointCover result = options.single ? EachAlone(function, options) : Jointly(function, options);
  const CoverFault fault = CheckCover(function, result.terms);
  if (fault.output >= 0)
    throw EngineError("The cover found for output \"" +
                      function.outputs[static_cast<std::size_t>(fault.output)] +
                      "\" fails its check; it is not given");
  return result;
}

}  // namespace brevano

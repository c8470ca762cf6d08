// Least forms: the exact minimiser on small truth vectors, and beyond it the diagram's cover
// improved and, where the primes are few, settled exactly.
#include "twolevel/least_form.h"

#include <algorithm>
#include <numeric>

#include "engine/deep_stack.h"
#include "minimise/cover_regions.h"
#include "minimise/cube_sets.h"
#include "minimise/improve_cover.h"
#include "minimise/minimise.h"
#include "minimise/minimum_cover.h"
#include "twolevel/function_of.h"
#include "twolevel/program_cubes.h"

namespace brevano {

namespace {

// Regions an exact cover search beyond the minimiser may have rows for.
constexpr std::size_t kMaxExactRegions = 200000;

// The rows a product of sums must cover: those neither 1 nor don't-care.
TruthVector OffBits(const TruthVector& on, const TruthVector& dontCare) {
  TruthVector off(on.Variables());
  for (std::size_t word = 0; word < on.WordCount(); ++word)
    off.SetWord(word, ~on.Word(word) & ~dontCare.Word(word));
  return off;
}

bool IsComputed(MinimiseStatus status) {
  return status == MinimiseStatus::kExact || status == MinimiseStatus::kFewestTerms ||
         status == MinimiseStatus::kHeuristic;
}

// A form's budget is shared among its searches: each gets a share of what is left and shares the
// form's stop, and its progress is heard as the time spent of the whole form.
std::chrono::milliseconds LeftOf(const Budget& form) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(form.Left());
}

// A budget for a search that may take `share` of the form's time left.
Budget Share(const Budget& form, double share) {
  return Budget(
      std::chrono::duration_cast<std::chrono::milliseconds>(LeftOf(form) * share),
      [&form](std::uint64_t, std::uint64_t) { return !form.Poll(); }, &form);
}

// A job of the diagram's limit `limit`, capped by the form's time left (at least a millisecond).
std::chrono::milliseconds Capped(const Budget& form, std::chrono::milliseconds limit) {
  return std::clamp(LeftOf(form), std::chrono::milliseconds(1), limit);
}

// The cubes as a form of `side`, when it covers every row `start` covers outside the don't-cares
// and no forbidden row (the sets are exact, so that is the function).
bool Certified(const CubeList& cover, const SideCubes& cubes) {
  for (const Cube& term : cover)
    for (const Cube& forbidden : cubes.sets->off)
      if (Intersects(term, forbidden)) return false;
  CubeList allowed = cover;
  allowed.insert(allowed.end(), cubes.sets->dontCare.begin(), cubes.sets->dontCare.end());
  return std::all_of(cubes.start.begin(), cubes.start.end(),
                     [&](const Cube& cube) { return CoversCube(allowed, cube); });
}

// The least cover of the start's rows by the primes, within the control's time; the sets are found.
std::optional<LeastForm> ExactCover(const SideCubes& cubes, CubeList primes, Budget& control) {
  std::sort(primes.begin(), primes.end(), TermBefore);
  const std::optional<CoverProblem> problem =
      RegionCoverProblem(cubes.start, cubes.sets->dontCare, primes, kMaxExactRegions, control);
  if (!problem) return std::nullopt;
  CoverSolution solution;
  RunWithLargeStack([&] { solution = SolveMinimumCover(*problem, control); });
  if (solution.stopped) return std::nullopt;
  LeastForm form;
  form.status = solution.optimal         ? MinimiseStatus::kExact
                : solution.fewestColumns ? MinimiseStatus::kFewestTerms
                                         : MinimiseStatus::kHeuristic;
  form.source = FormSource::kMinimiser;
  for (int column : solution.columns) form.cubes.push_back(primes[static_cast<std::size_t>(column)]);
  return form;
}

LeastForm FromCovers(const TableFunction& function, const std::vector<int>& order, FormSide side,
                     const FormOptions& options, const Budget& whole) {
  LeastForm form;
  CoverLimits limits = options.coverLimits;
  limits.maxTime = Capped(whole, limits.maxTime);
  const SideCubes cubes = BuildSideCubes(function, order, side, limits, options.maxSetTerms, whole);
  switch (cubes.status) {
    case CoverStatus::kFound: break;
    case CoverStatus::kTooManyTerms: return {MinimiseStatus::kTooLarge, FormSource::kTooManyTerms, {}};
    case CoverStatus::kTooComplex: return {MinimiseStatus::kTooLarge, FormSource::kCoverTooComplex, {}};
    case CoverStatus::kNotRequested: return form;  // stopped
  }
  form = {MinimiseStatus::kHeuristic, FormSource::kIrredundant, cubes.start};
  if (!cubes.sets) return form;
  // The loop is quick: half of what is left is plenty, and the rest goes to the exact search.
  Budget loop = Share(whole, 0.5);
  const CubeList improved = ImproveCover(cubes.start, *cubes.sets, loop);
  if (whole.Stopped()) return {};
  if (CostOf(improved) < CostOf(form.cubes) && Certified(improved, cubes))
    form = {MinimiseStatus::kHeuristic, FormSource::kImproved, improved};
  if (LeftOf(whole).count() == 0) return form;
  const std::optional<CubeList> primes = BuildPrimes(function, order, side, options.maxPrimes,
                                                     Capped(whole, options.coverLimits.maxTime), whole);
  if (!primes) return form;
  Budget search = Share(whole, 1.0);
  const std::optional<LeastForm> exact = ExactCover(cubes, *primes, search);
  if (whole.Stopped()) return {};
  if (!exact || !Certified(exact->cubes, cubes)) return form;
  // A proven search is at least as good; an unproven one only when it is better.
  if (exact->status != MinimiseStatus::kHeuristic || CostOf(exact->cubes) < CostOf(form.cubes)) form = *exact;
  return form;
}

}  // namespace

LeastForm MinimiserForm(const TruthVector& on, const TruthVector& dontCare, FormSide side, Budget& control) {
  const SumOfProducts sum = side == FormSide::kSum
                                ? MinimiseSumOfProducts(on, dontCare, control)
                                : MinimiseSumOfProducts(OffBits(on, dontCare), dontCare, control);
  return {sum.status, FormSource::kMinimiser, sum.terms};
}

LeastForm FindLeastFormFromCubes(const BooleanFunction& function, FormSide side, const FormOptions& options,
                                 const Progress& progress) {
  const Budget whole(options.budget, progress);
  Budget control = Share(whole, 1.0);
  const OutputCubes first = CubesOf(function, 0);
  const CubeList on = TermsOfCubes(first.on), dontCare = TermsOfCubes(first.dontCare);
  CubeList given = on;
  given.insert(given.end(), dontCare.begin(), dontCare.end());
  // The 0 rows as cubes where they are few enough; a sum of products may do without them.
  Budget complementing = Share(whole, 0.25);
  const std::optional<CubeList> off = ComplementCubes(given, options.maxSetTerms, complementing);
  if (whole.Stopped()) return {};
  if (!off && side == FormSide::kProduct)
    return {MinimiseStatus::kTooLarge, FormSource::kCoverTooComplex, {}};
  SideCubes cubes;
  cubes.start = side == FormSide::kSum ? on : *off;
  cubes.sets = CubeFunction{side == FormSide::kSum ? off.value_or(CubeList{}) : on, dontCare, std::nullopt};
  if (!off) cubes.sets->allowed = given;
  const CubeList improved = ImproveCover(cubes.start, *cubes.sets, control);
  if (whole.Stopped()) return {};
  // Without the 0 rows as cubes, every term is checked to lie within the 1 and don't-care terms.
  const bool correct = off ? Certified(improved, cubes)
                           : std::all_of(improved.begin(), improved.end(),
                                         [&](const Cube& term) { return CoversCube(given, term); }) &&
                                 Certified(improved, cubes);
  if (!correct) return {MinimiseStatus::kTooLarge, FormSource::kCoverTooComplex, {}};
  return {MinimiseStatus::kHeuristic, FormSource::kImproved, improved};
}

LeastForm FindLeastForm(const TableFunction& function, const std::vector<int>& order, FormSide side,
                        const FormOptions& options, const Progress& progress) {
  const Budget whole(options.budget, progress);
  LeastForm form;
  const int variables = function.on.Program().VariableCount();
  if (variables <= kMaxMinimiseVariables) {
    const TruthVector on = ResultBits(function.on.Program());
    // Where the minimiser gives up, the covers get what it leaves.
    Budget control = Share(whole, 0.75);
    form = MinimiserForm(
        on, function.dontCare ? ResultBits(function.dontCare->Program()) : TruthVector(on.Variables()), side,
        control);
    if (form.status == MinimiseStatus::kStopped || form.status == MinimiseStatus::kExact ||
        form.status == MinimiseStatus::kFewestTerms)
      return form;
  }
  std::vector<int> levels = order;
  if (variables <= kMaxMinimiseVariables) {  // always within a diagram's budget in table order
    levels.resize(static_cast<std::size_t>(variables));
    std::iota(levels.begin(), levels.end(), 0);
  } else if (order.empty()) {
    return {MinimiseStatus::kTooLarge, FormSource::kDiagramTooComplex, {}};
  }
  const LeastForm fromCovers = FromCovers(function, levels, side, options, whole);
  if (whole.Stopped()) return {};
  if (!IsComputed(form.status) ||
      (IsComputed(fromCovers.status) && CostOf(fromCovers.cubes) < CostOf(form.cubes)))
    return fromCovers;
  return form;
}

}  // namespace brevano

// The one ladder of two-level logic: the minimiser on small functions, the diagrams' covers beyond,
// the function's cubes when the diagrams are too complex, and the solver for a constant.
#include "twolevel/least.h"

#include <algorithm>
#include <bit>
#include <iterator>

#include "engine/numbers.h"
#include "search/ladder.h"
#include "twolevel/function_of.h"
#include "twolevel/program_cubes.h"

namespace brevano {

namespace {

LeastForm ConstantForm(bool one, FormSide side) {
  LeastForm form{MinimiseStatus::kExact, FormSource::kMinimiser, {}};
  if (one == (side == FormSide::kSum)) form.cubes.push_back(Cube{});
  return form;
}

// The Result of a function too complex for its diagrams where the ladder (its quick scan, then the
// solver) shows it constant; kStopped in `status` when the caller stopped it.
std::optional<bool> SolverConstant(const CompiledProgram& program, const LeastOptions& options,
                                   const Progress& progress, SatStatus& status) {
  SearchLimits limits;
  limits.diagram = options.forms.diagramLimits;
  limits.solverTime = options.solverTime;
  limits.buildDiagram = false;
  SearchMemory memory;
  memory.diagramTooComplex = true;
  const RowSearch search = AskRows(program, {RowQuery::Kind::kConstant, 1, 0}, limits, std::move(memory),
                                   Budget(Budget::kNoLimit, progress));
  status = search.outcome.stopped                     ? SatStatus::kStopped
           : search.path == RowSearchPath::kOutOfTime ? SatStatus::kOutOfTime
                                                      : SatStatus::kAnswered;
  if (!search.constant) return std::nullopt;
  return *search.constant == 1;
}

// Beyond the minimiser, when the diagrams are too complex: from the cubes where there are any, else
// the constant the solver finds.
LeastForm TooComplexForm(const TableFunction& function, const std::optional<BooleanFunction>& cubes,
                         bool askSolver, FormSide side, const LeastOptions& options,
                         const Progress& progress) {
  if (cubes) return FindLeastFormFromCubes(*cubes, side, options.forms, progress);
  if (askSolver && !function.dontCare) {
    SatStatus status = SatStatus::kAnswered;
    const std::optional<bool> constant = SolverConstant(function.on.Program(), options, progress, status);
    if (status == SatStatus::kStopped) return {};
    if (constant) return ConstantForm(*constant, side);
  }
  return {MinimiseStatus::kTooLarge, FormSource::kDiagramTooComplex, {}};
}

}  // namespace

std::optional<BooleanFunction> CubesOfFunction(const TableFunction& function, std::size_t maxCubes,
                                               std::chrono::milliseconds time) {
  Budget control(time, {});
  const int n = static_cast<int>(function.Variables().size());
  const std::optional<CubeList> on = CubesOfProgram(function.on.Program(), maxCubes, control);
  if (!on) return std::nullopt;
  std::optional<CubeList> dontCare;
  if (function.dontCare) {
    dontCare = CubesOfProgram(function.dontCare->Program(), maxCubes, control);
    if (!dontCare) return std::nullopt;
  }
  BooleanFunction cubes{function.Variables(), {"Result"}, CubesOfTerms(*on, n), {}};
  if (dontCare) cubes.dontCare = CubesOfTerms(*dontCare, n);
  return cubes;
}

LeastForm Least(const TableFunction& function, FormSide side, const LeastOptions& options,
                const Progress& progress, const FunctionLearnt& learnt) {
  if (learnt.constant && !function.dontCare) return ConstantForm(*learnt.constant, side);
  if (function.on.Program().VariableCount() <= kMaxMinimiseVariables || !learnt.order.empty())
    return FindLeastForm(function, learnt.order, side, options.forms, progress);
  if (learnt.tooComplex) return TooComplexForm(function, learnt.cubes, false, side, options, progress);
  const DiagramLimits& limits = options.forms.diagramLimits;
  const FunctionDiagrams diagrams = BuildFunctionDiagrams(function, limits, Budget(limits.maxTime, progress));
  switch (diagrams.status) {
    case DiagramStatus::kBuilt: return FindLeastForm(function, diagrams.order, side, options.forms, progress);
    case DiagramStatus::kStopped: return {};
    case DiagramStatus::kTooComplex: break;
  }
  const std::optional<BooleanFunction> cubes =
      CubesOfFunction(function, options.maxFunctionCubes, limits.maxTime);
  return TooComplexForm(function, cubes, true, side, options, progress);
}

LeastForm Least(const BooleanFunction& function, int output, FormSide side, const LeastOptions& options,
                const Progress& progress) {
  const int n = function.InputCount();
  const OutputCubes cubes = CubesOf(function, output);
  if (n <= kMaxMinimiseVariables) {
    // A don't-care wins over a 1: the minimiser takes the rows of each kind apart.
    const TruthVector dontCare = RowsOfCubes(cubes.dontCare, n);
    TruthVector on = RowsOfCubes(cubes.on, n);
    for (std::size_t w = 0; w < on.WordCount(); ++w) on.SetWord(w, on.Word(w) & ~dontCare.Word(w));
    Budget control(options.forms.budget, progress);
    return MinimiserForm(on, dontCare, side, control);
  }
  if (n > kMaxTableVariables) return {MinimiseStatus::kTooManyVariables, FormSource::kMinimiser, {}};
  const BooleanFunction one{function.inputs,
                            {function.outputs[static_cast<std::size_t>(output)]},
                            CubesOfTerms(TermsOfCubes(cubes.on), n),
                            CubesOfTerms(TermsOfCubes(cubes.dontCare), n)};
  return FindLeastFormFromCubes(one, side, options.forms, progress);
}

bool TriviallyMinimal(const CubeList& cubes, bool withDontCares) {
  if (withDontCares) return false;
  if (cubes.size() <= 1) return true;
  std::uint64_t seen = 0;
  for (const Cube& cube : cubes) {
    if (std::popcount(cube.care) != 1 || (seen & cube.care)) return false;
    seen |= cube.care;
  }
  return true;
}

FormStanding StandingOf(const LeastForm& form, bool withDontCares) {
  switch (form.source) {
    case FormSource::kTooManyTerms: return FormStanding::kTooManyTerms;
    case FormSource::kCoverTooComplex: return FormStanding::kCoverTooComplex;
    case FormSource::kDiagramTooComplex: return FormStanding::kDiagramTooComplex;
    case FormSource::kMinimiser:
    case FormSource::kImproved:
    case FormSource::kIrredundant: break;
  }
  switch (form.status) {
    case MinimiseStatus::kTooManyVariables: return FormStanding::kTooManyVariables;
    case MinimiseStatus::kTooLarge: return FormStanding::kTooManyPrimes;
    case MinimiseStatus::kStopped: return FormStanding::kStopped;
    case MinimiseStatus::kExact:
    case MinimiseStatus::kFewestTerms:
    case MinimiseStatus::kHeuristic: break;
  }
  if (TriviallyMinimal(form.cubes, withDontCares)) return FormStanding::kLeast;
  if (form.source == FormSource::kIrredundant) return FormStanding::kIrredundant;
  if (form.source == FormSource::kImproved) return FormStanding::kImproved;
  if (form.status == MinimiseStatus::kHeuristic) return FormStanding::kHeuristic;
  if (form.status == MinimiseStatus::kFewestTerms) return FormStanding::kFewestTerms;
  return FormStanding::kLeast;
}

bool HasForm(FormStanding standing) {
  switch (standing) {
    case FormStanding::kLeast:
    case FormStanding::kFewestTerms:
    case FormStanding::kHeuristic:
    case FormStanding::kImproved:
    case FormStanding::kIrredundant: return true;
    case FormStanding::kStopped:
    case FormStanding::kTooManyVariables:
    case FormStanding::kTooManyPrimes:
    case FormStanding::kTooManyTerms:
    case FormStanding::kCoverTooComplex:
    case FormStanding::kDiagramTooComplex: break;
  }
  return false;
}

std::string StandingText(FormStanding standing, const CoverLimits& limits) {
  switch (standing) {
    case FormStanding::kLeast: return {};
    case FormStanding::kFewestTerms: return "fewest terms; fewest literals not proven";
    case FormStanding::kHeuristic: return "heuristic, not proven minimal";
    case FormStanding::kImproved: return "improved heuristically, not proven minimal";
    case FormStanding::kIrredundant: return "irredundant, not proven minimal";
    case FormStanding::kStopped: return "not computed: stopped";
    case FormStanding::kTooManyVariables:
      return "not computed: too many variables (at most " + std::to_string(kMaxMinimiseVariables) + ")";
    case FormStanding::kTooManyPrimes: return "not computed: too many prime implicants";
    case FormStanding::kTooManyTerms:
      return "not computed: more than " + GroupedNumber(limits.maxTerms) + " terms";
    case FormStanding::kCoverTooComplex: return "not computed: too complex for an irredundant form";
    case FormStanding::kDiagramTooComplex: break;
  }
  return "not computed: too complex for exact analysis";
}

}  // namespace brevano

// The analysis of a Result column, with don't-cares or without: the rows, then the least forms.
#include "analysis/analysis.h"

#include "analysis/analysis_rows.h"
#include "forms/boolean_form.h"
#include "search/row_search.h"
#include "twolevel/least.h"

namespace brevano {

namespace {

using analysis_detail::DiagramRows;
using analysis_detail::ScanRows;

// The caller's budget with `stage` tagged, as the progress of one step.
Progress StageProgress(const Budget& budget, AnalysisStage stage) {
  budget.SetStage(static_cast<int>(stage));
  return budget.Reporting();
}

MinimalForm FormOf(const LeastForm& least, const Analysis& analysis, bool product) {
  return MinimalFormOf(least, analysis.variables, product, analysis.hasDontCares);
}

LeastOptions LeastOptionsOf(const AnalysisOptions& options) {
  LeastOptions least;
  least.forms.budget = options.minimiseBudget;
  least.forms.diagramLimits = options.diagramLimits;
  least.forms.coverLimits = options.coverLimits;
  least.maxFunctionCubes = options.maxFunctionCubes;
  least.solverTime = options.solverTime;
  return least;
}

// The forms asked for, each handed on as soon as it is final. False when stopped.
bool FindForms(const TableFunction& function, const FunctionLearnt& learnt, Analysis& analysis,
               const AnalysisOptions& options, const Budget& budget, const AnalysisPartial& partial) {
  const LeastOptions least = LeastOptionsOf(options);
  for (const FormSide side : {FormSide::kSum, FormSide::kProduct}) {
    const bool product = side == FormSide::kProduct;
    if (!(product ? options.product : options.sum)) continue;
    const AnalysisStage stage = product ? AnalysisStage::kProductOfSums : AnalysisStage::kSumOfProducts;
    const LeastForm form = Least(function, side, least, StageProgress(budget, stage), learnt);
    (product ? analysis.product : analysis.sum) = FormOf(form, analysis, product);
    if (form.status == MinimiseStatus::kStopped) return false;
    if (partial && !product && options.product) partial(analysis);
  }
  return true;
}

// Both forms of what is known of a function too complex for its diagrams, at once: those of a
// constant, or none.
void KnownForms(const TableFunction& function, const FunctionLearnt& learnt, Analysis& analysis) {
  analysis.sum = FormOf(Least(function, FormSide::kSum, {}, {}, learnt), analysis, false);
  analysis.product = FormOf(Least(function, FormSide::kProduct, {}, {}, learnt), analysis, true);
}

// Beyond the minimiser's limit the rows come from the diagrams. When they are too complex, from the
// function's cubes where it has few; else the solver finds the first and last rows of each kind
// (without don't-cares), and `scan` says whether the rows are to be counted one by one within the
// scan limits (which the caller does once the forms are settled). False when stopped.
bool CountRows(const TableFunction& function, Analysis& analysis, const AnalysisOptions& options,
               const Budget& budget, std::vector<int>& order, std::optional<BooleanFunction>& cubes,
               bool& scan) {
  const int n = static_cast<int>(analysis.variables.size());
  if (n <= kMaxMinimiseVariables) return ScanRows(function, analysis, options, budget);
  // The caller hears of the milliseconds spent of the diagrams' time while they are built.
  const Budget counting(options.diagramLimits.maxTime, StageProgress(budget, AnalysisStage::kCounting));
  const FunctionDiagrams diagrams = BuildFunctionDiagrams(function, options.diagramLimits, counting);
  if (diagrams.status == DiagramStatus::kBuilt) {
    DiagramRows(diagrams, analysis, options.maxListedRows);
    order = diagrams.order;
    return true;
  }
  if (diagrams.status == DiagramStatus::kStopped) return false;
  analysis.tooComplex = true;
  cubes = CubesOfFunction(function, options.maxFunctionCubes, options.diagramLimits.maxTime);
  if (cubes && analysis_detail::CubeRows(*cubes, analysis, options)) return true;
  const std::uint64_t steps =
      ScanSteps(function.on.Program()) + (function.dontCare ? ScanSteps(function.dontCare->Program()) : 0);
  if (!function.dontCare) {
    const SatStatus ends = analysis_detail::SolverEnds(function.on.Program(), analysis, options, budget);
    if (ends == SatStatus::kStopped) return false;
    if (analysis.rowsComplete) return true;
  }
  scan = n <= options.maxScannedVariables && steps <= options.maxScanSteps;
  return true;
}

// What the rows show of a function too complex for its diagrams: its Result where it is constant.
FunctionLearnt LearntOf(const Analysis& analysis) {
  FunctionLearnt learnt;
  learnt.tooComplex = true;
  if (analysis.rowsComplete && !analysis.hasDontCares && analysis.verdict != Verdict::kDepends)
    learnt.constant = analysis.verdict == Verdict::kAlwaysOne;
  return learnt;
}

// A function too complex for its diagrams: the verdict and the forms first, each within its own
// budget, then the count row by row when one is to be made, which may take long and be stopped
// without losing them.
Analysis TooComplex(const TableFunction& function, const std::optional<BooleanFunction>& cubes, bool scan,
                    Analysis& analysis, const AnalysisOptions& options, const Budget& budget,
                    const AnalysisPartial& partial) {
  analysis.countFollows = scan;
  if (partial && (analysis.rowsComplete || analysis.endsComplete)) partial(analysis);
  if (cubes) {
    FunctionLearnt learnt;
    learnt.tooComplex = true;
    learnt.cubes = cubes;
    if (!FindForms(function, learnt, analysis, options, budget, partial)) return analysis;
  } else {
    KnownForms(function, LearntOf(analysis), analysis);
  }
  if (partial && scan) partial(analysis);
  analysis.countFollows = false;
  if (scan) {
    if (!ScanRows(function, analysis, options, budget)) return analysis;
    if (partial && (analysis.rowsComplete || analysis.rowsScanned > 0)) partial(analysis);
  }
  // A count that finds the Result constant settles the forms too.
  if (!cubes && LearntOf(analysis).constant) KnownForms(function, LearntOf(analysis), analysis);
  analysis.complete = cubes.has_value() || analysis.rowsComplete || analysis.endsComplete;
  return analysis;
}

}  // namespace

MinimalForm MinimalFormOf(const LeastForm& least, const std::vector<std::string>& variables, bool product,
                          bool withDontCares) {
  MinimalForm form;
  form.status = least.status;
  form.source = least.source;
  form.cubes = least.cubes;
  form.withDontCares = withDontCares;
  if (HasForm(StandingOf(least, withDontCares))) {
    form.expression = product ? ProductText(form.cubes, variables) : SumText(form.cubes, variables);
    const std::optional<std::string> untypable = FirstUntypableVariable(form.cubes, variables);
    form.typable = !untypable;
    form.untypableVariable = untypable.value_or("");
  }
  return form;
}

Analysis AnalyseTable(const TruthTable& table, const AnalysisOptions& options, const Budget& budget,
                      const AnalysisPartial& partial) {
  return AnalyseTable(table, nullptr, options, budget, partial);
}

Analysis AnalyseTable(const TruthTable& table, const TruthTable* dontCare, const AnalysisOptions& options,
                      const Budget& budget, const AnalysisPartial& partial) {
  Analysis analysis;
  analysis.sumWanted = options.sum;
  analysis.productWanted = options.product;
  if (table.RowCount() == 0) return analysis;
  const TableFunction function = FunctionOfTables(table, dontCare);
  analysis.variables = function.Variables();
  analysis.hasDontCares = dontCare != nullptr;
  analysis.rowCount = function.on.RowCount();
  std::vector<int> order;
  std::optional<BooleanFunction> cubes;
  bool scan = false;
  if (!CountRows(function, analysis, options, budget, order, cubes, scan)) return analysis;
  if (analysis.tooComplex) return TooComplex(function, cubes, scan, analysis, options, budget, partial);
  if (partial && (analysis.rowsComplete || analysis.rowsScanned > 0)) partial(analysis);
  if (!analysis.rowsComplete) return analysis;
  FunctionLearnt learnt;
  learnt.order = order;
  analysis.complete = FindForms(function, learnt, analysis, options, budget, partial);
  return analysis;
}

}  // namespace brevano

// The analysis of a Result column, with don't-cares or without: the rows, then the least forms.
#include "analysis/analysis.h"

#include "forms/boolean_form.h"
#include "search/ladder.h"
#include "twolevel/function_of.h"
#include "twolevel/least.h"

namespace brevano {

namespace {

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

// The limits of the ladder's count: a table the minimiser takes row by row is scanned at once, its
// forms needing no diagrams.
FunctionRowLimits RowLimitsOf(const AnalysisOptions& options) {
  FunctionRowLimits limits;
  limits.maxListedRows = options.maxListedRows;
  limits.quickScanRows = std::uint64_t{1} << kMaxMinimiseVariables;
  limits.scanTime = options.scanBudget;
  limits.diagram = options.diagramLimits;
  limits.solverTime = options.solverTime;
  limits.maxScannedVariables = options.maxScannedVariables;
  limits.maxScanSteps = options.maxScanSteps;
  return limits;
}

// "always 1" when no row is 0, "always 0" when none is 1, else "depends on the variables".
Verdict VerdictOf(std::uint64_t ones, std::uint64_t zeros) {
  if (ones == 0) return Verdict::kAlwaysZero;
  return zeros == 0 ? Verdict::kAlwaysOne : Verdict::kDepends;
}

// The counts and the lists of `rows` (which it takes), and the verdict they give.
void TakeCounts(FunctionRows& rows, Analysis& analysis) {
  analysis.onesCount = rows.ones.total;
  analysis.dontCareCount = rows.dontCares.total;
  analysis.verdict = VerdictOf(rows.ones.total, rows.zeros.total);
  analysis.minterms = std::move(rows.ones);
  analysis.maxterms = std::move(rows.zeros);
  analysis.dontCares = std::move(rows.dontCares);
  analysis.rowsScanned = rows.rowsScanned;
  analysis.rowsComplete = rows.complete;
}

// The rows asked of the ladder, with the cubes of a function too complex for its diagrams kept for
// its forms; `scan` says whether the rows are still to be counted one by one (which the caller
// does once the forms are settled). False when stopped.
bool CountRows(const TableFunction& function, Analysis& analysis, const AnalysisOptions& options,
               const Budget& budget, std::vector<int>& order, std::optional<BooleanFunction>& cubes,
               bool& scan) {
  budget.SetStage(static_cast<int>(AnalysisStage::kCounting));
  const FunctionTermsMaker terms = [&]() -> std::optional<FunctionTerms> {
    cubes = CubesOfFunction(function, options.maxFunctionCubes, options.diagramLimits.maxTime);
    if (!cubes) return std::nullopt;
    return FunctionTerms{TermsOfCubes(cubes->on), TermsOfCubes(cubes->dontCare)};
  };
  FunctionRows rows = AskFunctionRows(function, RowLimitsOf(options), budget, terms);
  analysis.tooComplex = rows.tooComplex;
  if (rows.stopped) return false;
  TakeCounts(rows, analysis);
  // The solver's ends alone show that the Result depends on the row.
  if (rows.endsComplete) analysis.verdict = Verdict::kDepends;
  analysis.ones = rows.oneEnds;
  analysis.zeros = rows.zeroEnds;
  analysis.endsComplete = rows.endsComplete;
  order = std::move(rows.order);
  scan = rows.scanFollows;
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
    budget.SetStage(static_cast<int>(AnalysisStage::kCounting));
    FunctionRows rows = ScanFunctionRows(function, RowLimitsOf(options), budget);
    if (rows.stopped) return analysis;
    TakeCounts(rows, analysis);
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
  return AnalyseTable(TableFunction{table, std::nullopt}, options, budget, partial);
}

Analysis AnalyseTable(const TableFunction& function, const AnalysisOptions& options, const Budget& budget,
                      const AnalysisPartial& partial) {
  Analysis analysis;
  analysis.sumWanted = options.sum;
  analysis.productWanted = options.product;
  if (function.on.RowCount() == 0) return analysis;
  analysis.variables = function.Variables();
  analysis.hasDontCares = function.dontCare.has_value();
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

// The analysis of a Result column, with don't-cares or without: the rows, then the least forms.
#include "analysis/analysis.h"

#include <algorithm>
#include <iterator>

#include "analysis/analysis_rows.h"
#include "engine/engine_error.h"
#include "forms/boolean_form.h"
#include "search/row_search.h"
#include "twolevel/program_cubes.h"

namespace brevano {

namespace {

using analysis_detail::DiagramRows;
using analysis_detail::ScanRows;

StepProgress StageProgress(const AnalysisProgress& progress, AnalysisStage stage) {
  if (!progress) return {};
  return [&progress, stage](std::uint64_t done, std::uint64_t total) { return progress(stage, done, total); };
}

// The programs of the table and of the don't-cares over the variables of both.
FunctionPrograms ProgramsOf(const TruthTable& table, const TruthTable* dontCare,
                            std::vector<std::string>& variables) {
  variables = table.Variables();
  if (dontCare) {
    std::vector<std::string> both;
    std::set_union(variables.begin(), variables.end(), dontCare->Variables().begin(),
                   dontCare->Variables().end(), std::back_inserter(both));
    variables = std::move(both);
  }
  const int n = static_cast<int>(variables.size());
  if (n > kMaxTableVariables) {
    throw EngineError("Too many variables in the expression and its don't-cares together (" +
                      std::to_string(n) + "): at most " + std::to_string(kMaxTableVariables) +
                      " can be analysed");
  }
  FunctionPrograms function{table.Program().OverVariables(variables), std::nullopt};
  if (dontCare) function.dontCare = dontCare->Program().OverVariables(variables);
  return function;
}

// The form of `cubes` in the program's syntax, marked when a variable cannot be typed back.
MinimalForm FormOf(const LeastForm& least, const Analysis& analysis, bool product) {
  MinimalForm form;
  form.status = least.status;
  form.source = least.source;
  form.cubes = least.cubes;
  form.withDontCares = analysis.hasDontCares;
  if (least.status == MinimiseStatus::kExact || least.status == MinimiseStatus::kFewestTerms ||
      least.status == MinimiseStatus::kHeuristic) {
    form.expression =
        product ? ProductText(form.cubes, analysis.variables) : SumText(form.cubes, analysis.variables);
    const std::optional<std::string> untypable = FirstUntypableVariable(form.cubes, analysis.variables);
    form.typable = !untypable;
    form.untypableVariable = untypable.value_or("");
  }
  return form;
}

FormOptions FormOptionsOf(const AnalysisOptions& options) {
  FormOptions forms;
  forms.budget = options.minimiseBudget;
  forms.diagramLimits = options.diagramLimits;
  forms.coverLimits = options.coverLimits;
  return forms;
}

// The forms asked for, each handed on as soon as it is final. False when stopped.
bool FindForms(const FunctionPrograms& function, const std::vector<int>& order, Analysis& analysis,
               const AnalysisOptions& options, const AnalysisProgress& progress,
               const AnalysisPartial& partial) {
  const FormOptions forms = FormOptionsOf(options);
  for (const FormSide side : {FormSide::kSum, FormSide::kProduct}) {
    const bool product = side == FormSide::kProduct;
    if (!(product ? options.product : options.sum)) continue;
    const AnalysisStage stage = product ? AnalysisStage::kProductOfSums : AnalysisStage::kSumOfProducts;
    const LeastForm least = FindLeastForm(function, order, side, forms, StageProgress(progress, stage));
    (product ? analysis.product : analysis.sum) = FormOf(least, analysis, product);
    if (least.status == MinimiseStatus::kStopped) return false;
    if (partial && !product && options.product) partial(analysis);
  }
  return true;
}

// The forms of a function too complex for its diagrams, from its cubes. False when stopped.
bool FindFormsFromCubes(const FunctionCubes& cubes, Analysis& analysis, const AnalysisOptions& options,
                        const AnalysisProgress& progress, const AnalysisPartial& partial) {
  const FormOptions forms = FormOptionsOf(options);
  for (const FormSide side : {FormSide::kSum, FormSide::kProduct}) {
    const bool product = side == FormSide::kProduct;
    if (!(product ? options.product : options.sum)) continue;
    const AnalysisStage stage = product ? AnalysisStage::kProductOfSums : AnalysisStage::kSumOfProducts;
    const LeastForm least = FindLeastFormFromCubes(cubes, side, forms, StageProgress(progress, stage));
    (product ? analysis.product : analysis.sum) = FormOf(least, analysis, product);
    if (least.status == MinimiseStatus::kStopped) return false;
    if (partial && !product && options.product) partial(analysis);
  }
  return true;
}

// Polls the caller while a diagram is built, reporting the milliseconds spent of its budget.
DiagramStop CountingStop(const AnalysisProgress& progress, const AnalysisOptions& options) {
  if (!progress) return {};
  const auto start = std::chrono::steady_clock::now();
  return [&progress, &options, start] {
    const auto spent =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return !progress(AnalysisStage::kCounting, static_cast<std::uint64_t>(spent.count()),
                     static_cast<std::uint64_t>(options.diagramLimits.maxTime.count()));
  };
}

// The function as cubes, when it is a sum of products or close to one: the 1 terms and the
// don't-cares. Nothing when too many terms, or too long, to make.
std::optional<FunctionCubes> CubesOf(const FunctionPrograms& function, const AnalysisOptions& options) {
  SearchControl control(options.diagramLimits.maxTime, {});
  FunctionCubes cubes;
  cubes.variableCount = function.on.VariableCount();
  std::optional<CubeList> on = CubesOfProgram(function.on, options.maxFunctionCubes, control);
  if (!on) return std::nullopt;
  cubes.on = std::move(*on);
  if (function.dontCare) {
    std::optional<CubeList> dontCare = CubesOfProgram(*function.dontCare, options.maxFunctionCubes, control);
    if (!dontCare) return std::nullopt;
    cubes.dontCare = std::move(*dontCare);
  }
  return cubes;
}

// Beyond the minimiser's limit the rows come from the diagrams. When they are too complex, from the
// function's cubes where it has few; else the solver finds the first and last rows of each kind
// (without don't-cares), and `scan` says whether the rows are to be counted one by one within the
// scan limits (which the caller does once the forms are settled). False when stopped.
bool CountRows(const FunctionPrograms& function, Analysis& analysis, const AnalysisOptions& options,
               const AnalysisProgress& progress, std::vector<int>& order, std::optional<FunctionCubes>& cubes,
               bool& scan) {
  const int n = static_cast<int>(analysis.variables.size());
  if (n <= kMaxMinimiseVariables) return ScanRows(function, analysis, options, progress);
  const FunctionDiagrams diagrams =
      BuildFunctionDiagrams(function, options.diagramLimits, CountingStop(progress, options));
  if (diagrams.status == DiagramStatus::kBuilt) {
    DiagramRows(diagrams, analysis, options.maxListedRows);
    order = diagrams.order;
    return true;
  }
  if (diagrams.status == DiagramStatus::kStopped) return false;
  analysis.tooComplex = true;
  cubes = CubesOf(function, options);
  if (cubes && analysis_detail::CubeRows(*cubes, analysis, options)) return true;
  const std::uint64_t steps =
      ScanSteps(function.on) + (function.dontCare ? ScanSteps(*function.dontCare) : 0);
  if (!function.dontCare) {
    const SatStatus ends = analysis_detail::SolverEnds(function.on, analysis, options, progress);
    if (ends == SatStatus::kStopped) return false;
    if (analysis.rowsComplete) return true;
  }
  scan = n <= options.maxScannedVariables && steps <= options.maxScanSteps;
  return true;
}

// The forms of a constant Result, proven by its rows alone.
void ConstantForms(Analysis& analysis) {
  const bool one = analysis.verdict == Verdict::kAlwaysOne;
  const LeastForm unit{MinimiseStatus::kExact, FormSource::kMinimiser, {WideCube{}}};
  const LeastForm none{MinimiseStatus::kExact, FormSource::kMinimiser, {}};
  analysis.sum = FormOf(one ? unit : none, analysis, false);
  analysis.product = FormOf(one ? none : unit, analysis, true);
}

// A function too complex for its diagrams: the verdict and the forms first, each within its own
// budget, then the count row by row when one is to be made, which may take long and be stopped
// without losing them.
Analysis TooComplex(const FunctionPrograms& function, const std::optional<FunctionCubes>& cubes, bool scan,
                    Analysis& analysis, const AnalysisOptions& options, const AnalysisProgress& progress,
                    const AnalysisPartial& partial) {
  analysis.countFollows = scan;
  if (partial && (analysis.rowsComplete || analysis.endsComplete)) partial(analysis);
  if (cubes) {
    if (!FindFormsFromCubes(*cubes, analysis, options, progress, partial)) return analysis;
  } else if (analysis.rowsComplete && !analysis.hasDontCares && analysis.verdict != Verdict::kDepends) {
    ConstantForms(analysis);
  } else {
    for (MinimalForm* form : {&analysis.sum, &analysis.product}) {
      form->source = FormSource::kDiagramTooComplex;
      form->status = MinimiseStatus::kTooLarge;
    }
  }
  if (partial && scan) partial(analysis);
  analysis.countFollows = false;
  if (scan) {
    if (!ScanRows(function, analysis, options, progress)) return analysis;
    if (partial && (analysis.rowsComplete || analysis.rowsScanned > 0)) partial(analysis);
  }
  // A count that finds the Result constant settles the forms too.
  if (!cubes && analysis.rowsComplete && !analysis.hasDontCares && analysis.verdict != Verdict::kDepends)
    ConstantForms(analysis);
  analysis.complete = cubes.has_value() || analysis.rowsComplete || analysis.endsComplete;
  return analysis;
}

}  // namespace

Analysis AnalyseTable(const TruthTable& table, const AnalysisOptions& options,
                      const AnalysisProgress& progress, const AnalysisPartial& partial) {
  return AnalyseTable(table, nullptr, options, progress, partial);
}

Analysis AnalyseTable(const TruthTable& table, const TruthTable* dontCare, const AnalysisOptions& options,
                      const AnalysisProgress& progress, const AnalysisPartial& partial) {
  Analysis analysis;
  analysis.sumWanted = options.sum;
  analysis.productWanted = options.product;
  if (table.RowCount() == 0) return analysis;
  const FunctionPrograms function = ProgramsOf(table, dontCare, analysis.variables);
  analysis.hasDontCares = dontCare != nullptr;
  analysis.rowCount = function.on.RowCount();
  std::vector<int> order;
  std::optional<FunctionCubes> cubes;
  bool scan = false;
  if (!CountRows(function, analysis, options, progress, order, cubes, scan)) return analysis;
  if (analysis.tooComplex) return TooComplex(function, cubes, scan, analysis, options, progress, partial);
  if (partial && (analysis.rowsComplete || analysis.rowsScanned > 0)) partial(analysis);
  if (!analysis.rowsComplete) return analysis;
  analysis.complete = FindForms(function, order, analysis, options, progress, partial);
  return analysis;
}

}  // namespace brevano

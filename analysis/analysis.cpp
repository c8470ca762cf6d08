// The analysis of a Result column: row by row with the exact minimiser, or from the decision diagram.
#include "analysis/analysis.h"

#include <algorithm>
#include <bit>
#include <optional>

#include "forms/boolean_form.h"
#include "minimise/minimise.h"
#include "sat/sat_search.h"
#include "search/race.h"
#include "search/row_search.h"
#include "tabulate/bit_parallel.h"
#include "tabulate/compiled_program.h"

namespace brevano {

namespace {

StepProgress StageProgress(const AnalysisProgress& progress, AnalysisStage stage) {
  if (!progress) return {};
  return [&progress, stage](std::uint64_t done, std::uint64_t total) { return progress(stage, done, total); };
}

// The whole Result column as bits, for tables small enough to minimise.
TruthVector ResultBits(const CompiledProgram& program) {
  TruthVector truth(program.VariableCount());
  BlockEvaluator evaluator(program);
  for (std::size_t word = 0; word < truth.WordCount(); ++word)
    truth.SetWord(word, evaluator.EvaluateAligned(64 * word));
  return truth;
}

// Appends the rows of the block at `start` whose bits are set in `word`, up to `limit` in all.
void Collect(std::uint64_t word, std::uint64_t start, std::size_t limit, std::vector<std::uint64_t>& rows) {
  while (word != 0 && rows.size() < limit) {
    rows.push_back(start + static_cast<std::uint64_t>(std::countr_zero(word)));
    word &= word - 1;
  }
}

// Lists the first rows of both kinds in one pass that ends as soon as both lists are full or
// complete. False when stopped.
bool ListRows(const CompiledProgram& program, Analysis& analysis, std::size_t limit,
              const StepProgress& progress) {
  BlockEvaluator evaluator(program);
  const std::uint64_t rows = analysis.rowCount;
  auto full = [limit](const RowList& list) {
    return list.rows.size() >= std::min<std::uint64_t>(limit, list.total);
  };
  for (std::uint64_t start = 0; start < rows; start += 64) {
    if (full(analysis.minterms) && full(analysis.maxterms)) break;
    if (start % kRowsPerProgressCall == 0 && start > 0 && progress && !progress(start, rows)) return false;
    const std::uint64_t ones = evaluator.EvaluateAligned(start);
    Collect(ones, start, limit, analysis.minterms.rows);
    Collect(~ones & ValidRowsMask(rows, start), start, limit, analysis.maxterms.rows);
  }
  return true;
}

Verdict VerdictOf(std::uint64_t ones, std::uint64_t rows) {
  if (ones == rows) return Verdict::kAlwaysOne;
  return ones == 0 ? Verdict::kAlwaysZero : Verdict::kDepends;
}

bool IsComputed(MinimiseStatus status) {
  return status == MinimiseStatus::kExact || status == MinimiseStatus::kFewestTerms ||
         status == MinimiseStatus::kHeuristic;
}

// The form of `cubes` in the program's syntax, marked when a variable cannot be typed back.
MinimalForm FormOf(std::vector<WideCube> cubes, MinimiseStatus status, FormSource source,
                   const Analysis& analysis, bool product) {
  MinimalForm form;
  form.status = status;
  form.source = source;
  form.cubes = std::move(cubes);
  form.expression =
      product ? ProductText(form.cubes, analysis.variables) : SumText(form.cubes, analysis.variables);
  const std::optional<std::string> untypable = FirstUntypableVariable(form.cubes, analysis.variables);
  form.typable = !untypable;
  form.untypableVariable = untypable.value_or("");
  return form;
}

MinimalForm LeastForm(const TruthVector& truth, const Analysis& analysis, bool product,
                      const AnalysisOptions& options, const AnalysisProgress& progress) {
  const AnalysisStage stage = product ? AnalysisStage::kProductOfSums : AnalysisStage::kSumOfProducts;
  SearchControl control(options.minimiseBudget, StageProgress(progress, stage));
  // For a product, the terms are those of the complement's sum, one per factor.
  const SumOfProducts sum = MinimiseSumOfProducts(truth, control);
  if (!IsComputed(sum.status)) {
    MinimalForm form;
    form.status = sum.status;
    return form;
  }
  return FormOf(Widened(sum.terms), sum.status, FormSource::kMinimiser, analysis, product);
}

MinimalForm CoverForm(const Cover& cover, const Analysis& analysis, bool product) {
  MinimalForm form;
  switch (cover.status) {
    case CoverStatus::kFound:
      return FormOf(cover.terms, MinimiseStatus::kHeuristic, FormSource::kIrredundant, analysis, product);
    case CoverStatus::kTooManyTerms: form.source = FormSource::kTooManyTerms; break;
    case CoverStatus::kTooComplex: form.source = FormSource::kCoverTooComplex; break;
    case CoverStatus::kNotRequested: return form;
  }
  form.status = MinimiseStatus::kTooLarge;
  return form;
}

std::size_t Literals(const std::vector<WideCube>& cubes) {
  std::size_t literals = 0;
  for (const WideCube& cube : cubes) literals += static_cast<std::size_t>(std::popcount(cube.care));
  return literals;
}

// A form that the minimiser gave up on (cut short, or too many prime implicants) is replaced by
// the irredundant cover when that has fewer terms, or as many terms and fewer literals.
bool CoverIsBetter(const MinimalForm& form, const Cover& cover) {
  if (cover.status != CoverStatus::kFound) return false;
  if (form.status == MinimiseStatus::kTooLarge) return true;
  if (form.status != MinimiseStatus::kHeuristic) return false;
  if (cover.terms.size() != form.cubes.size()) return cover.terms.size() < form.cubes.size();
  return Literals(cover.terms) < Literals(form.cubes);
}

bool NeedsCover(const MinimalForm& form) {
  return form.status == MinimiseStatus::kHeuristic || form.status == MinimiseStatus::kTooLarge;
}

// The stop callback of a diagram job: reports the milliseconds spent of the stage's budget.
PhasedStop DiagramProgress(const AnalysisProgress& progress, const AnalysisOptions& options) {
  if (!progress) return {};
  const auto start = std::chrono::steady_clock::now();
  return [&progress, &options, start](CoverPhase phase) {
    const auto spent =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    const AnalysisStage stage = phase == CoverPhase::kDiagram ? AnalysisStage::kCounting
                                : phase == CoverPhase::kSum   ? AnalysisStage::kSumOfProducts
                                                              : AnalysisStage::kProductOfSums;
    const auto budget =
        phase == CoverPhase::kDiagram ? options.diagramLimits.maxTime : options.coverLimits.maxTime;
    return !progress(stage, static_cast<std::uint64_t>(spent.count()),
                     static_cast<std::uint64_t>(budget.count()));
  };
}

// Counts and lists every row bit-parallel; false when stopped.
bool ScanRows(const CompiledProgram& program, Analysis& analysis, const AnalysisOptions& options,
              const AnalysisProgress& progress) {
  const CountOutcome count = CountRows(program, 1, StageProgress(progress, AnalysisStage::kCounting));
  if (count.stopped) return false;
  analysis.onesCount = count.count;
  analysis.verdict = VerdictOf(count.count, analysis.rowCount);
  analysis.minterms.total = count.count;
  analysis.maxterms.total = analysis.rowCount - count.count;
  if (!ListRows(program, analysis, options.maxListedRows, StageProgress(progress, AnalysisStage::kListing))) {
    return false;
  }
  analysis.rowsComplete = true;
  return true;
}

// Counts and lists from the diagram: time in proportion to the variables per listed row.
void DiagramRows(const Diagram& diagram, Analysis& analysis, std::size_t limit) {
  analysis.onesCount = diagram.Count(1);
  analysis.verdict = VerdictOf(analysis.onesCount, analysis.rowCount);
  analysis.minterms.total = analysis.onesCount;
  analysis.maxterms.total = analysis.rowCount - analysis.onesCount;
  for (int result = 0; result < 2; ++result) {
    RowList& list = result ? analysis.minterms : analysis.maxterms;
    for (std::optional<std::uint64_t> row = diagram.Next(result, 0); row && list.rows.size() < limit;
         row = diagram.Next(result, *row + 1)) {
      list.rows.push_back(*row);
      if (*row + 1 == analysis.rowCount) break;
    }
  }
  analysis.rowsComplete = true;
}

// Up to the minimiser's limit: every row, the exact forms, and covers where the minimiser gave up.
void AnalyseSmall(const CompiledProgram& program, Analysis& analysis, const AnalysisOptions& options,
                  const AnalysisProgress& progress, const AnalysisPartial& partial) {
  if (!ScanRows(program, analysis, options, progress)) return;
  if (partial) partial(analysis);
  const TruthVector truth = ResultBits(program);
  analysis.sum = LeastForm(truth, analysis, false, options, progress);
  if (analysis.sum.status == MinimiseStatus::kStopped) return;
  if (partial && !NeedsCover(analysis.sum)) partial(analysis);
  analysis.product = LeastForm(truth.Complement(), analysis, true, options, progress);
  if (analysis.product.status == MinimiseStatus::kStopped) return;
  const bool sum = NeedsCover(analysis.sum), product = NeedsCover(analysis.product);
  if (sum || product) {
    const DiagramWithCovers covers =
        BuildDiagramAndCovers(program, sum, product, options.diagramLimits, options.coverLimits,
                              DiagramProgress(progress, options));
    if (covers.diagram.status == DiagramStatus::kStopped) return;
    if (CoverIsBetter(analysis.sum, covers.sum)) analysis.sum = CoverForm(covers.sum, analysis, false);
    if (CoverIsBetter(analysis.product, covers.product))
      analysis.product = CoverForm(covers.product, analysis, true);
  }
  analysis.complete = true;
}

// Every row of the table has the Result `value`: the counts, the lists and the forms follow.
void ConstantRows(Analysis& analysis, int value, std::size_t limit) {
  analysis.onesCount = value ? analysis.rowCount : 0;
  analysis.verdict = value ? Verdict::kAlwaysOne : Verdict::kAlwaysZero;
  RowList& list = value ? analysis.minterms : analysis.maxterms;
  list.total = analysis.rowCount;
  for (std::uint64_t row = 0; row < std::min<std::uint64_t>(limit, analysis.rowCount); ++row)
    list.rows.push_back(row);
  const std::vector<WideCube> one{WideCube{}};  // the empty product: 1
  analysis.sum = FormOf(value ? one : std::vector<WideCube>{}, MinimiseStatus::kExact, FormSource::kMinimiser,
                        analysis, false);
  analysis.product = FormOf(value ? std::vector<WideCube>{} : one, MinimiseStatus::kExact,
                            FormSource::kMinimiser, analysis, true);
  analysis.rowsComplete = true;
}

// Only `row` has the Result `value`: the counts and the lists follow.
void SingleRow(Analysis& analysis, int value, std::uint64_t row, std::size_t limit) {
  analysis.onesCount = value ? 1 : analysis.rowCount - 1;
  RowList& single = value ? analysis.minterms : analysis.maxterms;
  RowList& others = value ? analysis.maxterms : analysis.minterms;
  single.total = 1;
  single.rows = {row};
  others.total = analysis.rowCount - 1;
  for (std::uint64_t r = 0; r < analysis.rowCount && others.rows.size() < limit; ++r) {
    if (r != row) others.rows.push_back(r);
  }
  analysis.rowsComplete = true;
}

// The verdict and the first and last row of each kind from the solver, and everything when the
// Result is constant or one row differs from the others.
SatStatus SolverEnds(const CompiledProgram& program, Analysis& analysis, const AnalysisOptions& options,
                     const AnalysisProgress& progress) {
  ResultSolver solver(program);
  TimedProgress timed(options.solverTime, StageProgress(progress, AnalysisStage::kCounting));
  const SatControl control{options.solverTime, [&timed] { return timed(); }};
  const std::uint64_t last = analysis.rowCount - 1;
  SatRow ends[2][2];  // [result][first, last]
  for (int result = 1; result >= 0; --result) {
    ends[result][0] = solver.Next(result, 0, control);
    if (ends[result][0].status != SatStatus::kAnswered) return ends[result][0].status;
    if (!ends[result][0].row) {
      ConstantRows(analysis, 1 - result, options.maxListedRows);
      return SatStatus::kAnswered;
    }
  }
  for (int result = 1; result >= 0; --result) {
    ends[result][1] = solver.Previous(result, last, control);
    if (ends[result][1].status != SatStatus::kAnswered) return ends[result][1].status;
  }
  analysis.verdict = Verdict::kDepends;
  analysis.ones = {ends[1][0].row, ends[1][1].row};
  analysis.zeros = {ends[0][0].row, ends[0][1].row};
  analysis.endsComplete = true;
  for (int result = 1; result >= 0; --result) {
    if (ends[result][0].row == ends[result][1].row) {
      SingleRow(analysis, result, *ends[result][0].row, options.maxListedRows);
      break;
    }
  }
  return SatStatus::kAnswered;
}

// Beyond the minimiser's limit: everything from the diagram; when it is too complex, the solver's
// rows, then the rows one by one within the scan limits, and no forms.
void AnalyseLarge(const CompiledProgram& program, Analysis& analysis, const AnalysisOptions& options,
                  const AnalysisProgress& progress, const AnalysisPartial& partial) {
  const DiagramWithCovers built = BuildDiagramAndCovers(
      program, true, true, options.diagramLimits, options.coverLimits, DiagramProgress(progress, options),
      [&](const std::shared_ptr<const Diagram>& diagram) {
        DiagramRows(*diagram, analysis, options.maxListedRows);
        if (partial) partial(analysis);
      });
  if (built.diagram.diagram) {
    analysis.sum = CoverForm(built.sum, analysis, false);
    analysis.product = CoverForm(built.product, analysis, true);
    analysis.complete = built.diagram.status == DiagramStatus::kBuilt;
    return;
  }
  if (built.diagram.status == DiagramStatus::kStopped) return;
  analysis.tooComplex = true;
  analysis.sum.source = analysis.product.source = FormSource::kDiagramTooComplex;
  analysis.sum.status = analysis.product.status = MinimiseStatus::kTooLarge;
  const SatStatus ends = SolverEnds(program, analysis, options, progress);
  if (ends == SatStatus::kStopped) return;
  if (partial && ends == SatStatus::kAnswered) partial(analysis);
  if (analysis.rowsComplete) {
    analysis.complete = true;
    return;
  }
  if (program.VariableCount() > options.maxScannedVariables || ScanSteps(program) > options.maxScanSteps) {
    analysis.complete = ends == SatStatus::kAnswered;
    return;
  }
  analysis.complete = ScanRows(program, analysis, options, progress);
  if (analysis.complete && partial) partial(analysis);
}

}  // namespace

Analysis AnalyseTable(const TruthTable& table, const AnalysisOptions& options,
                      const AnalysisProgress& progress, const AnalysisPartial& partial) {
  Analysis analysis;
  analysis.variables = table.Variables();
  analysis.rowCount = table.RowCount();
  if (analysis.rowCount == 0) return analysis;
  const CompiledProgram& program = table.Program();
  if (program.VariableCount() <= kMaxMinimiseVariables) {
    AnalyseSmall(program, analysis, options, progress, partial);
  } else {
    AnalyseLarge(program, analysis, options, progress, partial);
  }
  return analysis;
}

}  // namespace brevano

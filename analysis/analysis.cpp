// The analysis of a Result column: counts and rows bit-parallel, then the two least forms.
#include "analysis/analysis.h"

#include <algorithm>
#include <bit>
#include <optional>

#include "analysis/boolean_form.h"
#include "minimise/minimise.h"
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

MinimalForm LeastForm(const TruthVector& truth, const Analysis& analysis, bool product,
                      const AnalysisOptions& options, const AnalysisProgress& progress) {
  const AnalysisStage stage = product ? AnalysisStage::kProductOfSums : AnalysisStage::kSumOfProducts;
  SearchControl control(options.minimiseBudget, StageProgress(progress, stage));
  // For a product, the terms are those of the complement's sum, one per factor.
  const SumOfProducts sum = MinimiseSumOfProducts(truth, control);
  MinimalForm form;
  form.status = sum.status;
  if (!IsComputed(sum.status)) return form;
  form.expression =
      product ? ProductText(sum.terms, analysis.variables) : SumText(sum.terms, analysis.variables);
  const std::optional<std::string> untypable = FirstUntypableVariable(sum.terms, analysis.variables);
  form.typable = !untypable;
  form.untypableVariable = untypable.value_or("");
  return form;
}

std::string RowListText(const RowList& list) {
  if (list.total == 0) return "none";
  std::string text;
  for (std::uint64_t row : list.rows) {
    if (!text.empty()) text += ", ";
    text += std::to_string(row);
  }
  if (list.total > list.rows.size())
    text += ", ... (" + std::to_string(list.total - list.rows.size()) + " more)";
  return text;
}

std::string FormText(const MinimalForm& form) {
  switch (form.status) {
    case MinimiseStatus::kTooManyVariables:
      return "not computed: too many variables (at most " + std::to_string(kMaxMinimiseVariables) + ")";
    case MinimiseStatus::kTooLarge: return "not computed: too many prime implicants";
    case MinimiseStatus::kStopped: return "not computed: stopped";
    case MinimiseStatus::kExact:
    case MinimiseStatus::kFewestTerms:
    case MinimiseStatus::kHeuristic: break;
  }
  std::string text = form.expression;
  if (form.status == MinimiseStatus::kHeuristic) text += " (heuristic, not proven minimal)";
  if (form.status == MinimiseStatus::kFewestTerms) text += " (fewest terms; fewest literals not proven)";
  if (!form.typable) {
    text += " (not expressible: the variable \"" + form.untypableVariable + "\" cannot be typed back)";
  }
  return text;
}

}  // namespace

std::string VerdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::kAlwaysOne: return "always 1";
    case Verdict::kAlwaysZero: return "always 0";
    case Verdict::kDepends: break;
  }
  return "depends on the variables";
}

Analysis AnalyseTable(const TruthTable& table, const AnalysisOptions& options,
                      const AnalysisProgress& progress, const AnalysisPartial& partial) {
  Analysis analysis;
  analysis.variables = table.Variables();
  analysis.rowCount = table.RowCount();
  if (analysis.rowCount == 0) return analysis;
  const CompiledProgram& program = table.Program();
  const CountOutcome count = CountRows(program, 1, StageProgress(progress, AnalysisStage::kCounting));
  if (count.stopped) return analysis;
  analysis.onesCount = count.count;
  analysis.verdict = VerdictOf(count.count, analysis.rowCount);
  analysis.minterms.total = count.count;
  analysis.maxterms.total = analysis.rowCount - count.count;
  if (!ListRows(program, analysis, options.maxListedRows, StageProgress(progress, AnalysisStage::kListing))) {
    return analysis;
  }
  analysis.rowsComplete = true;
  if (program.VariableCount() > kMaxMinimiseVariables) {
    analysis.sum.status = analysis.product.status = MinimiseStatus::kTooManyVariables;
    analysis.complete = true;
    return analysis;
  }
  if (partial) partial(analysis);
  const TruthVector truth = ResultBits(program);
  analysis.sum = LeastForm(truth, analysis, false, options, progress);
  if (analysis.sum.status == MinimiseStatus::kStopped) return analysis;
  if (partial) partial(analysis);
  analysis.product = LeastForm(truth.Complement(), analysis, true, options, progress);
  analysis.complete = analysis.product.status != MinimiseStatus::kStopped;
  return analysis;
}

std::vector<AnalysisItem> AnalysisItems(const Analysis& analysis) {
  const bool rows = analysis.rowsComplete;
  const std::string stopped = FormText(MinimalForm{});
  return {
      {"Rows with Result 1:",
       rows ? std::to_string(analysis.onesCount) + " of " + std::to_string(analysis.rowCount) : stopped},
      {"Verdict:", rows ? VerdictText(analysis.verdict) : stopped},
      {"Minterms:", rows ? RowListText(analysis.minterms) : stopped},
      {"Maxterms:", rows ? RowListText(analysis.maxterms) : stopped},
      {"Minimal sum of products:", FormText(analysis.sum)},
      {"Minimal product of sums:", FormText(analysis.product)},
  };
}

}  // namespace brevano

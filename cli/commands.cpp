// The engine commands of the command-line tool, each writing its result as text.
#include "cli/commands.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "analysis/analysis.h"
#include "analysis/function_forms.h"
#include "diagram/diagram.h"
#include "diff/m_macros_diff.h"
#include "engine/engine_error.h"
#include "engine/parser.h"
#include "engine/tree_printer.h"
#include "frontend/fix_it.h"
#include "kmap/kmap_layout.h"
#include "kmap/kmap_picture.h"
#include "kmap/kmap_svg.h"
#include "kmap/kmap_text.h"
#include "pipeline/pipeline.h"
#include "search/ladder.h"
#include "tabulate/row_address.h"

namespace brevano::cli {

namespace {

// "10 s", "0.5 s".
std::string SecondsText(std::chrono::milliseconds time) {
  const auto ms = time.count();
  std::string text = std::to_string(ms / 1000);
  if (ms % 1000 != 0) {
    std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
    while (fraction.back() == '0') fraction.pop_back();
    text += "." + fraction;
  }
  return text + " s";
}

EngineError OutOfTimeError(const std::string& what, std::chrono::milliseconds budget) {
  return EngineError("No answer within " + SecondsText(budget) + ": " + what +
                     " too complex for the decision diagram, and the solver did not settle it in time "
                     "(--budget gives it more)");
}

SearchLimits CliLimits(std::chrono::milliseconds budget) {
  SearchLimits limits;
  limits.solverTime = budget;
  limits.maxScanSteps = kMaxScanSteps;
  return limits;
}

void ParseIntoFreshStore(const std::string& expression, ExprTree& tree) {
  ExprNode* root = CreateRoot(tree, "");
  ParseExpression(tree, expression, root);
}

}  // namespace

void CheckExpressionLength(const std::string& expression) {
  if (expression.size() > kMaxExpressionBytes) {
    throw EngineError("The expression is too long (" + std::to_string(expression.size()) +
                      " bytes): at most " + std::to_string(kMaxExpressionBytes) + " are accepted");
  }
}

void CommandParse(const std::string& expression, std::ostream& out) {
  ExprTree tree;
  ParseIntoFreshStore(expression, tree);
  out << PrintTopLevel(tree);
}

void CommandExpand(const std::string& expression, std::ostream& out) {
  ExprTree tree;
  ParseIntoFreshStore(expression, tree);
  ExpandDiffNodes(tree, FirstNode(tree));
  out << PrintTopLevel(tree);
}

void CommandTree(const std::string& expression, std::ostream& out) {
  ExprTree tree;
  ProcessExpression(expression, tree);
  out << PrintTopLevel(tree);
}

void CommandListing(const std::string& expression, std::ostream& out) {
  ExprTree tree;
  for (const std::string& line : ProcessExpression(expression, tree)) out << line << '\n';
}

std::string AnalyseHelp() {
  const AnalysisOptions defaults;
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(defaults.minimiseBudget).count();
  return "Minterms and maxterms are row numbers: row 0 has every variable 0, and the first variable\n"
         "(in the table's order) is the most significant bit. At most " +
         std::to_string(defaults.maxListedRows) +
         " of each are listed,\nthen \"... (N more)\". With --dont-care the rows where that expression is 1 "
         "may\n"
         "take either value: they are counted and listed apart, and the forms may cover them or not.\n"
         "The minimal forms have the fewest terms, then the fewest literals; among equals, the first\n"
         "in term order (variable by variable: not(X) before X before X absent) when the time allows\n"
         "settling it, otherwise the first the search found. Each is searched for up to " +
         std::to_string(seconds) +
         " s (--budget);\nthen the best form found is printed and marked as not proven. The forms are "
         "written in\n"
         "the program's syntax, to be typed back. Up to " +
         std::to_string(kMaxMinimiseVariables) +
         " variables the search is exact; beyond, an irredundant\n"
         "cover from the decision diagram is improved (expanded, reduced, made irredundant) and, where\n"
         "its prime implicants are few enough, settled exactly; each form says which. Up to 63\n"
         "variables are counted from the decision diagram. When it is too complex, a SAT solver finds\n"
         "the verdict and the first and last rows of each kind, and the rows are counted one by one\n"
         "where that takes about a second at most (with --budget, until that time is up, showing the\n"
         "progress on a terminal); otherwise the counts and the forms say \"not computed: too complex\".\n"
         "Then, without --dont-care and with both forms, the algebraic normal form (an XOR of products,\n"
         "from the rows up to 20 variables and from the decision diagram beyond), the NAND and NOR forms\n"
         "of the minimal sum and product, the canonical sum and product (the minterm and maxterm lists),\n"
         "the function number (the Result column as a binary number, row 0 the least significant bit; up\n"
         "to 6 variables), the variables the Result depends on and those it is monotone in, and whether\n"
         "it is symmetric, self-dual, linear (affine), 0-preserving and 1-preserving.";
}

namespace {

// Shows on a terminal how far a count row by row has come, at most every 200 ms, then clears the line.
class ScanProgress {
 public:
  explicit ScanProgress(std::ostream* out) : out_(out) {}
  ~ScanProgress() {
    if (shown_) *out_ << "\r\033[K" << std::flush;
  }

  /// The progress to hand the budget that Watch then names, whose stage the analysis tags.
  Progress Callback() {
    if (!out_) return {};
    return [this](std::uint64_t done, std::uint64_t total) {
      if (!budget_) return true;
      const auto stage = static_cast<AnalysisStage>(budget_->Stage());
      const auto now = std::chrono::steady_clock::now();
      // Only the count row by row reports rows; the diagram reports milliseconds of its budget.
      if (stage != AnalysisStage::kCounting || total < (std::uint64_t{1} << 20) || now - last_ < kInterval)
        return true;
      last_ = now;
      *out_ << "\rCounting the rows one by one: " << done * 100 / total << " % of " << GroupedNumber(total)
            << std::flush;
      shown_ = true;
      return true;
    };
  }
  /// The budget made with Callback, which must outlive every call of it.
  void Watch(const Budget& budget) { budget_ = &budget; }

 private:
  static constexpr std::chrono::milliseconds kInterval{200};
  std::ostream* out_;
  const Budget* budget_ = nullptr;
  std::chrono::steady_clock::time_point last_{};
  bool shown_ = false;
};

}  // namespace

void CommandAnalyse(const TableFunction& function, const AnalyseSettings& settings, std::ostream& out) {
  AnalysisOptions options;
  options.maxScanSteps = kMaxScanSteps;
  options.solverTime = kDefaultSolverBudget;
  options.sum = settings.sum;
  options.product = settings.product;
  if (settings.budget) {
    const auto budget = std::chrono::milliseconds(static_cast<std::int64_t>(*settings.budget * 1000 + 0.5));
    options.minimiseBudget = options.solverTime = options.scanBudget = budget;
    options.maxScanSteps = ~std::uint64_t{0};
  }
  // The counts and rows are written as soon as they are known, before the forms are searched.
  std::size_t written = 0;
  const AnalysisPartial partial = [&out, &written](const Analysis& sofar) {
    const bool endsFinal = sofar.endsComplete && !sofar.countFollows;
    if (written > 0 || (!sofar.rowsComplete && !endsFinal && sofar.rowsScanned == 0)) return;
    const std::vector<AnalysisItem> items = AnalysisItems(sofar);
    written = RowItemCount(sofar);
    for (std::size_t i = 0; i < written; ++i)
      out << ItemLabel(items[i].kind) << ' ' << items[i].value << '\n';
    out << std::flush;
  };
  Analysis analysis;
  {
    ScanProgress progress(settings.progress);
    const Budget budget(Budget::kNoLimit, progress.Callback());
    progress.Watch(budget);
    analysis = AnalyseTable(function, options, budget, partial);
  }
  if (!analysis.rowsComplete && !analysis.endsComplete && analysis.rowsScanned == 0) {
    throw EngineError(
        "Too complex for exact analysis: the decision diagram exceeds its budget, and the solver "
        "did not find the first and last rows within " +
        SecondsText(options.solverTime));
  }
  const std::vector<AnalysisItem> items = AnalysisItems(analysis);
  for (std::size_t i = written; i < items.size(); ++i)
    out << ItemLabel(items[i].kind) << ' ' << items[i].value << '\n';
  // The properties and the other forms are those of one whole function, and take their own time.
  if (function.dontCare || !settings.sum || !settings.product) return;
  FunctionDescription description{DescriptionSource::kTooComplex, {}, {}};
  if (!analysis.tooComplex) description = DescribeFunction(function.on);
  for (const AnalysisItem& item : FunctionItems(analysis, description))
    out << ItemLabel(item.kind) << ' ' << item.value << '\n';
}

std::string RowText(const std::vector<std::string>& variables, std::uint64_t row) {
  const std::string number = std::to_string(row);
  return variables.empty() ? number : number + " (" + RowAssignmentText(variables, row) + ")";
}

void CommandFind(const TruthTable& table, const FindOptions& options, std::ostream& out) {
  RowQuery query;
  query.result = options.result;
  if (options.nth) {
    if (*options.nth == 0) throw EngineError("The rows are counted from 1: --nth 0 names none");
    query.kind = RowQuery::Kind::kNth;
    query.from = *options.nth - 1;
  } else {
    if (options.from && *options.from >= table.RowCount()) {
      throw EngineError("There is no row " + std::to_string(*options.from) +
                        ": the rows are numbered from 0 to " + std::to_string(table.RowCount() - 1));
    }
    query.kind = options.previous ? RowQuery::Kind::kPrevious : RowQuery::Kind::kNext;
    query.from = options.from.value_or(options.previous ? ~std::uint64_t{0} : 0);
  }
  const RowSearch search = AskRows(table.Program(), query, CliLimits(options.budget));
  if (search.path == RowSearchPath::kTooComplex) {
    throw EngineError(
        "Too complex to count: the n-th row needs the decision diagram, which exceeds its budget, and the "
        "table is too large to go through row by row");
  }
  if (search.path == RowSearchPath::kOutOfTime) throw OutOfTimeError("the function is", options.budget);
  out << (search.outcome.row ? RowText(table.Variables(), *search.outcome.row) : "none") << '\n';
}

bool CommandEquiv(const TruthTable& first, const std::string& firstText, const TruthTable& second,
                  const std::string& secondText, std::ostream& out, bool asRead,
                  std::chrono::milliseconds budget) {
  const TableComparison comparison = CompareTables(first.Program(), second.Program(), CliLimits(budget));
  if (comparison.status != SatStatus::kAnswered) throw OutOfTimeError("the two are", budget);
  const char* note = asRead ? " (the tables as read: see the warnings)\n" : "\n";
  if (comparison.equivalent) {
    out << "equivalent" << note;
    return true;
  }
  out << "not equivalent: first differing row " << RowText(comparison.variables, comparison.row) << ", "
      << firstText << " gives " << comparison.firstResult << ", " << secondText << " gives "
      << comparison.secondResult << note;
  return false;
}

void CommandKmap(const TableFunction& function, const std::string& cover, bool svg, std::ostream& out) {
  const KmapLayout layout = MakeKmapLayout(function);
  const KmapCoverKind kind = cover == "pos"    ? KmapCoverKind::kProductOfSums
                             : cover == "none" ? KmapCoverKind::kNone
                                               : KmapCoverKind::kSumOfProducts;
  const KmapCover least = LeastKmapCover(layout, kind);
  out << (svg ? KmapSvg(DrawKmap(layout, least)) : KmapText(layout, least));
}

void CommandCheck(const std::string& expression, std::ostream& out) {
  DiagnosedTable built;
  try {
    built = BuildExpressionTable(expression, DisplayMode::kZeroOne);
  } catch (const EngineError& error) {
    const std::optional<std::string> meant = SuggestionAfterError(expression, kMaxTableVariables);
    if (!meant) throw;
    throw EngineError(std::string(error.what()) + "\nSuggested: " + *meant);
  }
  out << "Evaluated as: " << built.diagnosis.evaluatedAs << '\n';
  WriteWarnings(built.diagnosis, out);
  if (!built.diagnosis.suggestion.empty()) out << "Suggested: " << built.diagnosis.suggestion << '\n';
}

DiagnosedTable BuildExpressionTable(const std::string& expression, DisplayMode mode) {
  ExprTree tree;
  return TabulateExpression(expression, tree, mode, kMaxTableVariables);
}

void WriteWarnings(const Diagnosis& diagnosis, std::ostream& out, const std::string& label) {
  const std::string lead = label.empty() ? "warning: " : "warning: " + label + ": ";
  for (const std::string& warning : diagnosis.warnings) out << lead << warning << '\n';
}

std::string QuotedExpression(const std::string& expression) {
  constexpr std::size_t kShown = 40;
  return "\"" + (expression.size() <= kShown ? expression : expression.substr(0, kShown) + "…") + "\"";
}

WriteOutcome WriteTableTo(int fd, const TruthTable& table, TableFormat format, std::string& error) {
  WriteOutcome outcome = WriteOutcome::kDone;
  WriteTable(table, format, [&](std::string_view chunk) {
    while (!chunk.empty()) {
      const ssize_t written = ::write(fd, chunk.data(), chunk.size());
      if (written > 0) {
        chunk.remove_prefix(static_cast<std::size_t>(written));
        continue;
      }
      if (written == 0) errno = EIO;
      if (errno == EPIPE) {
        outcome = WriteOutcome::kClosed;
        return false;
      } else if (errno != EINTR) {
        outcome = WriteOutcome::kFailed;
        error = std::string("Cannot write the table: ") + std::strerror(errno);
        return false;
      }
    }
    return true;
  });
  return outcome;
}

}  // namespace brevano::cli

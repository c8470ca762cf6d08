// The engine commands of the command-line tool, each writing its result as text.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "frontend/tabulate_expression.h"
#include "tabulate/table_format.h"
#include "tabulate/table_function.h"
#include "tabulate/tabulation.h"

namespace brevano::cli {

/// Largest expression the command-line tool accepts, in bytes.
inline constexpr std::size_t kMaxExpressionBytes = 64 * 1024;

/// Every top-level node after parsing into a fresh store, one line each.
void CommandParse(const std::string& expression, std::ostream& out);
/// The same after the diff calls of the first node are expanded.
void CommandExpand(const std::string& expression, std::ostream& out);
/// The same after the whole pipeline.
void CommandTree(const std::string& expression, std::ostream& out);
/// The pipeline's listing, one line per listing line.
void CommandListing(const std::string& expression, std::ostream& out);

/// Most steps (64 rows through one instruction, about a nanosecond each) that `analyse` and
/// `find --nth` spend going through the rows one by one when a table's decision diagram is too
/// complex.
inline constexpr std::uint64_t kMaxScanSteps = std::uint64_t{1} << 30;

/// Time the solver spends on one question of `find`, `equiv` or `analyse` unless told otherwise.
inline constexpr std::chrono::milliseconds kDefaultSolverBudget{10000};

/// What `analyse` prints, for its help: row numbering, listing limit, the forms and their limits.
std::string AnalyseHelp();

/// How `analyse` runs.
struct AnalyseSettings {
  bool sum = true;      ///< print the least sum of products
  bool product = true;  ///< print the least product of sums
  /// Seconds each search may take (each form's, the solver's, and a count row by row, which then
  /// goes on past kMaxScanSteps until this time is up); none for the defaults.
  std::optional<double> budget;
  /// Where a count row by row shows its progress (a terminal), or null.
  std::ostream* progress = nullptr;
};

/// The analysis of the Result column of `function`, with its don't-cares when it has them, one
/// labelled item a line; the counts and row lists are written (and flushed) before the forms
/// are searched, and only once the analysis can no longer fail (it fails when the table is too
/// complex for its diagram and the solver finds no first and last rows in time). Without
/// don't-cares, and with both forms asked for, the function's other forms and properties follow. Recursive:
/// run it on the large stack.
void CommandAnalyse(const TableFunction& function, const AnalyseSettings& settings, std::ostream& out);

/// What `find` looks for.
struct FindOptions {
  int result = 1;
  std::optional<std::uint64_t> from;  ///< the first row searched (the last with `previous`)
  bool previous = false;              ///< search towards row 0
  std::optional<std::uint64_t> nth;   ///< the n-th row with the result instead (from 1)
  std::chrono::milliseconds budget = kDefaultSolverBudget;  ///< the solver's time
};

/// The row found, as "N (A=0 B=1 ...)", or "none"; a row to start from past the last row is an
/// error that names the last row.
void CommandFind(const TruthTable& table, const FindOptions& options, std::ostream& out);

/// "equivalent", or "not equivalent: first differing row N (A=0 ...), FIRST gives x, SECOND gives
/// y" over the union of the variables of the two tables, typed as `firstText` and `secondText`,
/// followed when `asRead` by " (the tables as read: see the warnings)"; true when equivalent. The
/// solver gets `budget` where the decision diagrams are too complex.
bool CommandEquiv(const TruthTable& first, const std::string& firstText, const TruthTable& second,
                  const std::string& secondText, std::ostream& out, bool asRead = false,
                  std::chrono::milliseconds budget = kDefaultSolverBudget);

/// The row number followed, when there are variables, by its assignment: "5 (A=1 B=0 C=1)".
std::string RowText(const std::vector<std::string>& variables, std::uint64_t row);

/// "Evaluated as: …", then the warnings as WriteWarnings writes them. Recursive: run it on the
/// large stack.
void CommandCheck(const std::string& expression, std::ostream& out);

/// The Karnaugh map of `function` (its don't-cares drawn as "-"), with the least cover named by
/// `cover` ("sop", "pos" or "none"), as text or (`svg`) as the SVG picture.
void CommandKmap(const TableFunction& function, const std::string& cover, bool svg, std::ostream& out);

/// The truth table of `expression` after the whole pipeline, with up to kMaxTableVariables
/// variables, and its diagnosis. Recursive: run it on the large stack.
DiagnosedTable BuildExpressionTable(const std::string& expression, DisplayMode mode);

/// Each warning of `diagnosis` on a line of its own, led by "warning: " and, when there is one, by
/// `label` and ": ".
void WriteWarnings(const Diagnosis& diagnosis, std::ostream& out, const std::string& label = {});

/// The expression in double quotes, cut to 40 bytes with "…" when longer: a label for messages.
std::string QuotedExpression(const std::string& expression);

/// How streaming an output ended.
enum class WriteOutcome {
  kDone,
  kClosed,  ///< the reader went away (a broken pipe): the output was cut short on purpose
  kFailed,  ///< any other write error
};

/// Streams `table` in `format` to the file descriptor `fd` in large chunks. On kFailed, `error`
/// receives the message. SIGPIPE must be ignored for a broken pipe to give kClosed.
WriteOutcome WriteTableTo(int fd, const TruthTable& table, TableFormat format, std::string& error);

/// Raises the length error when the expression exceeds kMaxExpressionBytes.
void CheckExpressionLength(const std::string& expression);

}  // namespace brevano::cli

// The engine commands of the command-line tool, each writing its result as text.
#pragma once

#include <ostream>
#include <string>

#include "analysis/diagnosis.h"
#include "tabulate/table_format.h"
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

/// Most variables `analyse` accepts: every row is evaluated to count the 1 rows.
inline constexpr int kMaxAnalysedVariables = 32;

/// What `analyse` prints, for its help: row numbering, listing limit, the forms and their limits.
std::string AnalyseHelp();

/// The analysis of the Result column of `table`, one labelled item a line; raises the error of
/// too many variables. Recursive: run it on the large stack.
void CommandAnalyse(const TruthTable& table, std::ostream& out);

/// "Evaluated as: …", then the warnings as WriteWarnings writes them. Recursive: run it on the
/// large stack.
void CommandCheck(const std::string& expression, std::ostream& out);

/// The Karnaugh map of `table`, with the least cover named by `cover` ("sop", "pos" or "none"), as
/// text or (`svg`) as the SVG picture.
void CommandKmap(const TruthTable& table, const std::string& cover, bool svg, std::ostream& out);

/// The truth table of `expression` after the whole pipeline, with up to kMaxTableVariables
/// variables, and its diagnosis. Recursive: run it on the large stack.
DiagnosedTable BuildExpressionTable(const std::string& expression, DisplayMode mode);

/// Each warning of `diagnosis` on a line of its own, led by "warning: ".
void WriteWarnings(const Diagnosis& diagnosis, std::ostream& out);

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

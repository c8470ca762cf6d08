// The engine commands of the command-line tool, each writing its result as text.
#include "cli/commands.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "analysis/analysis.h"
#include "diff/m_macros_diff.h"
#include "engine/engine_error.h"
#include "engine/parser.h"
#include "engine/tree_printer.h"
#include "kmap/kmap_layout.h"
#include "kmap/kmap_picture.h"
#include "kmap/kmap_svg.h"
#include "kmap/kmap_text.h"
#include "pipeline/pipeline.h"

namespace brevano::cli {

namespace {

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
         " of each are listed,\nthen \"... (N more)\".\n"
         "The minimal forms have the fewest terms, then the fewest literals; among equals, the first\n"
         "in term order (variable by variable: not(X) before X before X absent) when the time allows\n"
         "settling it, otherwise the first the search found. Each is searched for\n"
         "up to " +
         std::to_string(seconds) +
         " s; then the best form found is printed and marked as not proven. The forms are\n"
         "written in the program's syntax, to be typed back. At most " +
         std::to_string(kMaxAnalysedVariables) + " variables; forms up to " +
         std::to_string(kMaxMinimiseVariables) + ".";
}

void CommandAnalyse(const TruthTable& table, std::ostream& out) {
  const std::size_t variables = table.Variables().size();
  if (variables > static_cast<std::size_t>(kMaxAnalysedVariables)) {
    throw EngineError("Too many variables to analyse (" + std::to_string(variables) + "): at most " +
                      std::to_string(kMaxAnalysedVariables));
  }
  for (const AnalysisItem& item : AnalysisItems(AnalyseTable(table)))
    out << item.label << ' ' << item.value << '\n';
}

void CommandKmap(const TruthTable& table, const std::string& cover, bool svg, std::ostream& out) {
  const KmapLayout layout = MakeKmapLayout(table);
  const KmapCoverKind kind = cover == "pos"    ? KmapCoverKind::kProductOfSums
                             : cover == "none" ? KmapCoverKind::kNone
                                               : KmapCoverKind::kSumOfProducts;
  const KmapCover least = LeastKmapCover(layout, kind);
  out << (svg ? KmapSvg(DrawKmap(layout, least)) : KmapText(layout, least));
}

void CommandCheck(const std::string& expression, std::ostream& out) {
  const DiagnosedTable built = BuildExpressionTable(expression, DisplayMode::kZeroOne);
  out << "Evaluated as: " << built.diagnosis.evaluatedAs << '\n';
  WriteWarnings(built.diagnosis, out);
}

DiagnosedTable BuildExpressionTable(const std::string& expression, DisplayMode mode) {
  ExprTree tree;
  return TabulateExpression(expression, tree, mode, kMaxTableVariables);
}

void WriteWarnings(const Diagnosis& diagnosis, std::ostream& out) {
  for (const std::string& warning : diagnosis.warnings) out << "warning: " << warning << '\n';
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

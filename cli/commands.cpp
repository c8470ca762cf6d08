// The engine commands of the command-line tool, each writing its result as text.
#include "cli/commands.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "diff/m_macros_diff.h"
#include "engine/engine_error.h"
#include "engine/parser.h"
#include "engine/pipeline.h"
#include "engine/tree_printer.h"

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

TruthTable BuildExpressionTable(const std::string& expression, DisplayMode mode) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), mode, kMaxTableVariables);
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

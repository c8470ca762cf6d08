// Counting parentheses and brackets of the typed text as a reader would.
#include "frontend/typed_text.h"

#include "engine/engine_error.h"
#include "frontend/infix_text.h"

namespace brevano {

namespace {

void CheckPairs(std::string_view typed, char open, char close, std::vector<std::string>& out) {
  const std::string quoted = "\"" + Abbreviated(std::string(typed)) + "\"";
  long depth = 0;
  bool reported = false;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] == open) ++depth;
    if (typed[i] != close) continue;
    if (depth > 0) {
      --depth;
    } else if (!reported) {
      reported = true;
      out.push_back(std::string("The \"") + close + "\" at position " + std::to_string(i + 1) + " of " +
                    quoted + " has no matching \"" + open + "\".");
    }
  }
  if (depth == 1) out.push_back(std::string("A \"") + open + "\" in " + quoted + " is never closed.");
  if (depth > 1)
    out.push_back(std::to_string(depth) + " \"" + open + "\" in " + quoted + " are never closed.");
}

}  // namespace

std::vector<std::string> PairingWarnings(std::string_view typed) {
  std::vector<std::string> out;
  CheckPairs(typed, '(', ')', out);
  CheckPairs(typed, '[', ']', out);
  return out;
}

std::string_view FirstStatement(std::string_view typed) {
  long paren = 0;
  std::unordered_map<long, long> bracket;  // bracket counter per parenthesis level
  for (std::size_t i = 0; i < typed.size(); ++i) {
    const char c = typed[i];
    paren += (c == '(') - (c == ')');
    long& level = bracket[paren];
    level += (c == '[') - (c == ']');
    if (c == ';' && paren == 0 && level == 0) return typed.substr(0, i);
  }
  return typed;
}

TypedReading::TypedReading(std::string_view text) : typed(text), statement(FirstStatement(text)) {
  std::vector<ParsedPiece> list;
  try {
    ExprNode* root = CreateRoot(tree, "");
    ParseExpression(tree, statement, root, list);
  } catch (const EngineError&) {
    ClearTree(tree);
    return;
  }
  for (const ParsedPiece& piece : list) pieces.insert_or_assign(piece.node, piece);
}

std::string_view TypedReading::Text(const ExprNode* node) const {
  const auto found = pieces.find(node);
  if (found == pieces.end()) return {};
  return statement.substr(found->second.begin, found->second.end - found->second.begin);
}

}  // namespace brevano

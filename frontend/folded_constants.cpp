// Finding the constant parts of a typed expression and folding each on its own.
#include "frontend/folded_constants.h"

#include <algorithm>
#include <optional>

#include "engine/engine_error.h"
#include "engine/parser.h"
#include "engine/text_tests.h"
#include "frontend/infix_text.h"
#include "frontend/line_warnings.h"
#include "simplify/m_macros_optimize.h"

namespace brevano {

namespace {

// Most nodes copied and simplified in all, so that a huge constant expression stays cheap.
constexpr std::size_t kCopyBudget = 100'000;

struct PartInfo {
  bool constant = false;  // only numbers, operators and calls
  bool boolean = false;   // only 0, 1, +, *, / and not(...)
  int value = 0;          // its truth value when boolean
  std::size_t size = 1;
};

bool IsBinaryOperator(const ExprNode* n) {
  static const char* const kOperators[] = {"+", "-", "*", "/", "^", "=", "<", ">", "==", "!=", ">=", "<="};
  if (n->children.size() != 2) return false;
  for (const char* op : kOperators) {
    if (n->text == op) return true;
  }
  return false;
}

bool IsNotCall(const std::string& text) {
  return text.size() == 6 && (text[0] | 0x20) == 'n' && (text[1] | 0x20) == 'o' && (text[2] | 0x20) == 't' &&
         text.substr(3) == " @F";
}

PartInfo InfoOf(const ExprNode* n, const std::unordered_map<const ExprNode*, PartInfo>& known) {
  PartInfo info;
  if (n->children.empty()) {
    info.constant = !n->text.empty() && IsNumberText(n->text);
    info.boolean = n->text == "0" || n->text == "1";
    info.value = n->text == "1";
    return info;
  }
  const bool call = n->text.size() > 3 && n->text.substr(n->text.size() - 3) == " @F";
  info.constant = (call && n->text != "diff @F") || IsBinaryOperator(n);
  std::vector<const PartInfo*> parts;
  for (const ExprNode* child : n->children) {
    const PartInfo& c = known.at(child);
    info.constant = info.constant && c.constant;
    info.size += c.size;
    parts.push_back(&c);
  }
  const bool allBoolean =
      std::all_of(parts.begin(), parts.end(), [](const PartInfo* p) { return p->boolean; });
  if (!allBoolean) return info;
  if (IsNotCall(n->text) && parts.size() == 1) {
    info.boolean = true;
    info.value = parts[0]->value ^ 1;
  } else if (parts.size() == 2 && (n->text == "+" || n->text == "*" || n->text == "/")) {
    const int a = parts[0]->value, b = parts[1]->value;
    info.boolean = true;
    info.value = n->text == "+" ? (a | b) : n->text == "*" ? (a & b) : (a ^ b);
  }
  return info;
}

// The number `node`'s subtree folds to on its own, if it folds to a single number.
std::optional<std::string> FoldAlone(const ExprNode* node) {
  try {
    ExprTree scratch;
    ExprNode* root = CreateRoot(scratch, "");
    CopySubtree(scratch, node, root);
    SimplifyTree(scratch, root);
    if (root->children.empty() && !root->text.empty() && IsNumberText(root->text)) return root->text;
  } catch (const EngineError&) {
  }
  return std::nullopt;
}

// The text of the first top-level statement: up to the first ";" outside parentheses and brackets,
// counted as the parser counts them. Only that statement is tabulated, and parsing the others
// again would cost as much as the whole pipeline did.
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

void Record(const ExprNode* node, const PartInfo& info, const std::string& folded, FoldedConstants& out) {
  const std::string typed = InfixText(node);
  out.origins.emplace(folded, typed);
  if (folded != "0" && folded != "1") return;
  if (!info.boolean) {
    out.warnings.push_back(typed + " was folded to the number " + folded + " by arithmetic.");
  } else if (info.value != (folded == "1")) {
    out.warnings.push_back(typed + " was folded to the number " + folded +
                           " by arithmetic; as truth values it gives " + std::to_string(info.value) + ".");
  }
}

}  // namespace

FoldedConstants FindFoldedConstants(std::string_view typed) {
  FoldedConstants out;
  ExprTree tree;
  try {
    ExprNode* root = CreateRoot(tree, "");
    ParseExpression(tree, FirstStatement(typed), root);
  } catch (const EngineError&) {
    return out;
  }
  const std::vector<const ExprNode*> order = PreOrderNodes(FirstNode(tree));
  std::unordered_map<const ExprNode*, PartInfo> info;
  for (auto n = order.rbegin(); n != order.rend(); ++n) info.emplace(*n, InfoOf(*n, info));

  std::size_t budget = kCopyBudget;
  std::vector<const ExprNode*> stack{FirstNode(tree)};
  while (!stack.empty()) {
    const ExprNode* n = stack.back();
    stack.pop_back();
    const PartInfo& part = info.at(n);
    // not(...) is never folded: its constant operand is tried on its own instead.
    if (part.constant && !n->children.empty() && !IsNotCall(n->text) && part.size <= budget) {
      budget -= part.size;
      if (const std::optional<std::string> folded = FoldAlone(n)) {
        Record(n, part, *folded, out);
        continue;
      }
    }
    for (auto child = n->children.rbegin(); child != n->children.rend(); ++child) stack.push_back(*child);
  }
  return out;
}

}  // namespace brevano

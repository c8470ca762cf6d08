// Finding the constant parts of a typed expression and folding each on its own.
#include "frontend/folded_constants.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "engine/engine_error.h"
#include "engine/text_tests.h"
#include "frontend/infix_text.h"
#include "frontend/listed_lines.h"
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

PartInfo InfoOf(const ExprNode* n, const std::unordered_map<const ExprNode*, PartInfo>& known,
                const std::unordered_set<const ExprNode*>& zeros) {
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
  if (!info.constant && zeros.count(n)) {
    info.constant = true;
    if (n->text == "*") {  // the number 0; as truth values 0 when a factor is false
      info.boolean =
          std::any_of(parts.begin(), parts.end(), [](const PartInfo* p) { return p->boolean && !p->value; });
      return info;
    }
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

std::unordered_set<const ExprNode*> ZeroParts(const std::vector<const ExprNode*>& preOrder) {
  std::unordered_set<const ExprNode*> zeros;
  const auto zero = [&zeros](const ExprNode* n) { return zeros.count(n) > 0; };
  const auto binary = [](const ExprNode* n, const char* op) {
    return n->children.size() == 2 && n->text == op;
  };
  for (auto n = preOrder.rbegin(); n != preOrder.rend(); ++n) {
    const ExprNode* node = *n;
    const std::vector<ExprNode*>& c = node->children;
    const bool product = binary(node, "*") && (zero(c[0]) || zero(c[1]));
    const bool sum = (binary(node, "+") || binary(node, "-")) && zero(c[0]) && zero(c[1]);
    const bool quotient = binary(node, "/") && zero(c[0]) && c[1]->children.empty() &&
                          IsNumberText(c[1]->text) && !c[1]->text.empty() &&
                          std::strtod(c[1]->text.c_str(), nullptr) != 0.0;
    if ((node->text == "0" && c.empty()) || product || sum || quotient) zeros.insert(node);
  }
  return zeros;
}

FoldedConstants FindFoldedConstants(const TypedReading& reading) {
  FoldedConstants out;
  const ExprNode* first = FirstNode(reading.tree);
  if (!first) return out;
  const std::vector<const ExprNode*> order = PreOrderNodes(first);
  const std::unordered_set<const ExprNode*> zeros = ZeroParts(order);
  std::unordered_map<const ExprNode*, PartInfo> info;
  for (auto n = order.rbegin(); n != order.rend(); ++n) info.emplace(*n, InfoOf(*n, info, zeros));

  std::size_t budget = kCopyBudget;
  std::vector<const ExprNode*> stack{first};
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

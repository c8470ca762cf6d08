// Writing a subtree back as infix text, with an explicit stack so that any depth is safe.
#include "frontend/infix_text.h"

#include <string_view>
#include <vector>

namespace brevano {

namespace {

constexpr int kAtom = 100;

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The binding strength of an operator node, weakest first as the parser splits; atoms bind tightest.
int Precedence(const ExprNode* node) {
  if (node->children.size() != 2) return kAtom;
  const std::string& t = node->text;
  if (t == ";") return 0;
  if (t == ":") return 1;
  if (t == "=") return 2;
  if (t == "<" || t == ">" || t == "==" || t == "!=" || t == ">=" || t == "<=") return 3;
  if (t == "+" || t == "-") return 4;
  if (t == "*" || t == "/") return 5;
  if (t == "^") return 6;
  return kAtom;
}

// A work item: a node to write (in parentheses when `wrap` is set), or a piece of literal text.
struct Item {
  const ExprNode* node;
  bool wrap;
  std::string_view text;
};

}  // namespace

std::string Abbreviated(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return text;
  return text.substr(0, limit) + "…";
}

std::string InfixText(const ExprNode* node, std::size_t limit) {
  std::string out;
  std::vector<Item> work{{node, false, {}}};
  while (!work.empty() && out.size() <= limit) {
    const Item item = work.back();
    work.pop_back();
    if (!item.node) {
      out += item.text;
      continue;
    }
    const ExprNode* n = item.node;
    if (item.wrap) {
      work.push_back({nullptr, false, ")"});
      work.push_back({n, false, {}});
      out += '(';
      continue;
    }
    const std::string_view text = n->text;
    const int own = Precedence(n);
    if (own != kAtom) {  // pushed in reverse: right operand, operator, left operand
      work.push_back({n->children[1], Precedence(n->children[1]) <= own, {}});
      work.push_back({nullptr, false, text});
      work.push_back({n->children[0], Precedence(n->children[0]) < own, {}});
      continue;
    }
    const bool call = EndsWith(text, " @F"), indexed = EndsWith(text, " @A");
    if (!call && !indexed) {
      const bool negative = !text.empty() && text.front() == '-' && n->parent;
      out += negative ? "(" + std::string(text) + ")" : std::string(text);
      continue;
    }
    out += text.substr(0, text.size() - 3);
    out += call ? '(' : '[';
    work.push_back({nullptr, false, call ? ")" : "]"});
    for (std::size_t i = n->children.size(); i-- > 0;) {
      work.push_back({n->children[i], false, {}});
      if (i > 0) work.push_back({nullptr, false, ";"});
    }
  }
  return Abbreviated(out, limit);
}

}  // namespace brevano

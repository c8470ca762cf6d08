// A literal, recursive, copying parser used as the oracle for the indexed parser.
#include "tests/engine/reference_parser.h"

#include "engine/expr_tree.h"
#include "tests/support/tree_builder.h"

namespace brevano::testing {

namespace {

// 1-based positions as in the rules; depth0[k] tells whether character k is at depth 0.
std::vector<bool> DepthZero(const std::string& s) {
  std::vector<bool> zero(s.size() + 1, false);
  int paren = 0, bracket = 0;
  for (std::size_t k = 1; k <= s.size(); ++k) {
    const char c = s[k - 1];
    if (c == '(') ++paren;
    if (c == ')') --paren;
    if (paren == 0 && c == '[') ++bracket;
    if (paren == 0 && c == ']') --bracket;
    zero[k] = paren == 0 && bracket == 0;
  }
  return zero;
}

std::string Piece(const std::string& s, std::size_t i, std::size_t j) {
  return j < i ? std::string() : s.substr(i - 1, j - i + 1);
}

void Parse(ExprTree& tree, const std::string& input, ExprNode* node);

void SplitOperator(ExprTree& tree, const std::string& s, ExprNode* node, std::size_t k, std::size_t w) {
  SetNodeText(node, s.substr(k - 1, w));
  Parse(tree, Piece(s, 1, k - 1), AppendChild(tree, node, ""));
  Parse(tree, Piece(s, k + w, s.size()), AppendChild(tree, node, ""));
}

std::size_t FindLast(const std::string& s, const std::vector<bool>& zero, const std::string& chars,
                     std::size_t from, std::size_t to) {
  std::size_t found = 0;
  for (std::size_t k = from; k <= to && k <= s.size(); ++k) {
    if (zero[k] && chars.find(s[k - 1]) != std::string::npos) found = k;
  }
  return found;
}

void Parse(ExprTree& tree, const std::string& input, ExprNode* node) {
  std::string s = ReferenceStripOuterParens(input);
  if (s.empty()) return;
  if (s[0] == '-') s = "0" + s;
  SetNodeText(node, s.size() < 24 ? s : s.substr(0, 23));
  const std::size_t len = s.size();
  const auto zero = DepthZero(s);

  for (std::size_t k = 1; k <= len; ++k) {
    if (zero[k] && s[k - 1] == ';') {
      Parse(tree, Piece(s, 1, k - 1), node);
      ExprNode* sibling = AppendChild(tree, ParentOf(node), "");
      Parse(tree, Piece(s, k + 1, len), sibling);
      return;
    }
  }
  if (std::size_t k = FindLast(s, zero, ":", 1, len)) return SplitOperator(tree, s, node, k, 1);
  std::size_t eq = 0;
  for (std::size_t k = 2; k + 1 <= len; ++k) {
    const char left = s[k - 2];
    if (zero[k] && s[k - 1] == '=' && s[k] != '=' && left != '=' && left != '!' && left != '<' &&
        left != '>') {
      eq = k;
    }
  }
  if (eq) return SplitOperator(tree, s, node, eq, 1);
  std::size_t cmp = 0, width = 0;
  for (std::size_t k = 2; k + 1 <= len; ++k) {
    if (!zero[k]) continue;
    if (s[k - 1] == '<' || s[k - 1] == '>') cmp = k, width = 1;
    const std::string two = s.substr(k - 1, 2);
    if (two == "==" || two == "!=" || two == ">=" || two == "<=") cmp = k, width = 2;
  }
  if (cmp) return SplitOperator(tree, s, node, cmp, width);
  for (const char* level : {"+-", "*/", "^"}) {
    if (std::size_t k = FindLast(s, zero, level, 1, len)) return SplitOperator(tree, s, node, k, 1);
  }
  const std::size_t open = s.find_first_of("([");
  if (open == std::string::npos) return;
  const std::size_t k = open + 1;
  SetNodeText(node, s.substr(0, k - 1) + (s[k - 1] == '(' ? " @F" : " @A"));
  Parse(tree, Piece(s, k + 1, len - 1), AppendChild(tree, node, ""));
}

}  // namespace

std::string ReferenceStripOuterParens(std::string text) {
  if (text.size() <= 2) return text;
  bool stop = false;
  while (!text.empty() && text.front() == '(' && text.back() == ')' && !stop) {
    int depth = 1;
    for (std::size_t k = 2; k + 1 <= text.size(); ++k) {
      if (text[k - 1] == '(') ++depth;
      if (text[k - 1] == ')') --depth;
      if (depth == 0) {
        stop = true;
        break;
      }
    }
    if (!stop) text = text.substr(1, text.size() - 2);
  }
  return text;
}

std::string ReferenceParseToNotation(const std::string& text) {
  ExprTree tree;
  Parse(tree, text, CreateRoot(tree, ""));
  return TopLevelNotation(tree);
}

}  // namespace brevano::testing

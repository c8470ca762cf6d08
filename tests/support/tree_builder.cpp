// Test helpers: build trees from the compact notation and print stores back in it.
#include "tests/support/tree_builder.h"

#include <stdexcept>

#include "engine/parser.h"
#include "engine/tree_printer.h"

namespace brevano::testing {

namespace {

constexpr std::string_view kEmpty = "\xE2\x88\x85";

class NotationReader {
 public:
  NotationReader(ExprTree& tree, std::string_view text) : tree_(tree), s_(text) {}

  ExprNode* Read(ExprNode* parent) {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && s_[pos_] != '{' && s_[pos_] != '}' && !AtSeparator()) ++pos_;
    std::string_view text = s_.substr(start, pos_ - start);
    if (text == kEmpty) text = {};
    ExprNode* node = AppendChild(tree_, parent, text);
    if (pos_ < s_.size() && s_[pos_] == '{') {
      ++pos_;
      Read(node);
      while (AtSeparator()) {
        pos_ += 2;
        Read(node);
      }
      if (pos_ >= s_.size() || s_[pos_] != '}') throw std::invalid_argument("missing } in tree notation");
      ++pos_;
    }
    return node;
  }

  bool AtEnd() const { return pos_ == s_.size(); }

 private:
  bool AtSeparator() const { return s_.substr(pos_, 2) == ", "; }

  ExprTree& tree_;
  std::string_view s_;
  std::size_t pos_ = 0;
};

}  // namespace

ExprNode* BuildTree(ExprTree& tree, std::string_view notation, ExprNode* parent) {
  NotationReader reader(tree, notation);
  ExprNode* root = reader.Read(parent);
  if (!reader.AtEnd()) throw std::invalid_argument("trailing text in tree notation");
  return root;
}

std::string TopLevelNotation(const ExprTree& tree) {
  std::string out;
  for (const ExprNode* node : tree.topLevel) {
    if (!out.empty()) out += " | ";
    out += PrintTree(node);
  }
  return out;
}

std::string ParseToNotation(std::string_view text) {
  ExprTree tree;
  ParseExpression(tree, text, CreateRoot(tree, ""));
  return TopLevelNotation(tree);
}

}  // namespace brevano::testing

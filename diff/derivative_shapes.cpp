// Result shapes of the derivative rules and the one builder that lays a shape out in place.
#include "diff/derivative_shapes.h"

#include <algorithm>
#include <stdexcept>

namespace brevano {

namespace {

// Reads `text{child, child}` recursively; the shapes are the program's own constants, so a
// malformed one is a programming error.
class ShapeReader {
 public:
  explicit ShapeReader(std::string_view notation) : s_(notation) {}

  Shape Read() {
    ReadNode(-1);
    if (pos_ != s_.size()) Fail();
    return std::move(shape_);
  }

 private:
  void ReadNode(int parent) {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && s_[pos_] != '{' && s_[pos_] != '}' && !AtSeparator()) ++pos_;
    const int index = static_cast<int>(shape_.nodes.size());
    shape_.nodes.push_back(Classify(parent, s_.substr(start, pos_ - start)));
    if (pos_ == s_.size() || s_[pos_] != '{') return;
    ++pos_;
    ReadNode(index);
    while (AtSeparator()) {
      pos_ += 2;
      ReadNode(index);
    }
    if (pos_ == s_.size() || s_[pos_] != '}') Fail();
    ++pos_;
  }

  ShapeNode Classify(int parent, std::string_view text) {
    if (text.empty()) Fail();
    ShapeNode node{parent, std::string(text), ShapeRole::kLiteral, 0};
    if (parent < 0) return node;
    if (text == "#") {
      node.role = ShapeRole::kFill;
    } else if (text == "u" || text == "v" || text == "u'" || text == "v'") {
      node.operand = text[0] == 'u' ? 0 : 1;
      node.role = text.size() == 2 ? ShapeRole::kDerivative : ShapeRole::kCopy;
      shape_.operandCount = std::max(shape_.operandCount, node.operand + 1);
    }
    return node;
  }

  bool AtSeparator() const { return s_.substr(pos_, 2) == ", "; }
  [[noreturn]] void Fail() const { throw std::logic_error("malformed derivative shape: " + std::string(s_)); }

  std::string_view s_;
  std::size_t pos_ = 0;
  Shape shape_;
};

}  // namespace

Shape CompileShape(std::string_view notation) { return ShapeReader(notation).Read(); }

// Operands are held by pointer and places by the nodes created for them: nothing is found again by
// its text, so an operand that happens to read like a placeholder cannot be confused with one.
// An operand's last place receives the operand itself instead of a copy that would replace it:
// the tree is the same, with fewer nodes allocated and a lower peak count.
void BuildFromShape(ExprTree& tree, ExprNode* node, const Shape& shape, DiffWork& work,
                    std::string_view fillText) {
  std::vector<ExprNode*> operands;
  for (int i = 0; i < shape.operandCount; ++i) operands.push_back(ChildAt(node, i));
  std::vector<std::size_t> lastPlace(operands.size(), 0);
  for (std::size_t k = 1; k < shape.nodes.size(); ++k) {
    const ShapeNode& place = shape.nodes[k];
    if (place.role == ShapeRole::kCopy || place.role == ShapeRole::kDerivative) {
      lastPlace[static_cast<std::size_t>(place.operand)] = k;
    }
  }

  SetNodeText(node, shape.nodes[0].text);
  std::vector<ExprNode*> created{node};
  for (std::size_t k = 1; k < shape.nodes.size(); ++k) {
    const ShapeNode& place = shape.nodes[k];
    std::string_view text;
    if (place.role == ShapeRole::kLiteral) text = place.text;
    if (place.role == ShapeRole::kFill) text = fillText;
    created.push_back(AppendChild(tree, created[static_cast<std::size_t>(place.parent)], text));
  }
  for (std::size_t k = 1; k < shape.nodes.size(); ++k) {
    const ShapeNode& place = shape.nodes[k];
    if (place.role != ShapeRole::kCopy && place.role != ShapeRole::kDerivative) continue;
    const auto operand = static_cast<std::size_t>(place.operand);
    if (lastPlace[operand] == k) {
      ReplaceWithSubtree(tree, operands[operand], created[k]);
      operands[operand] = nullptr;
    } else {
      CopySubtree(tree, operands[operand], created[k]);
    }
  }
  for (auto it = operands.rbegin(); it != operands.rend(); ++it) {
    if (*it) DeleteNode(tree, *it);
  }
  for (std::size_t k = shape.nodes.size(); k-- > 1;) {
    if (shape.nodes[k].role == ShapeRole::kDerivative) work.push_back({created[k]});
  }
}

}  // namespace brevano

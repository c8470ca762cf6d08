// Classifying the listing lines once, against the nodes they were listed from.
#include "frontend/listed_lines.h"

namespace brevano {

namespace {

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

LineRole RoleOf(const TypedLine& line, const ExprNode* node) {
  if (line.op) {
    if (IsBinary(*line.op)) return LineRole::kBinary;
    if (*line.op == OpCode::kNot) return LineRole::kNot;
    return *line.op == OpCode::kPushVariable ? LineRole::kVariable : LineRole::kConstant;
  }
  if (line.number) return LineRole::kNumber;
  if (node && EndsWith(node->text, " @F")) return LineRole::kCall;
  return node && node->children.empty() ? LineRole::kLeaf : LineRole::kOperator;
}

ListedLine Listed(const TypedLine& typed, const ExprNode* node) {
  return {node, typed.name, typed.op, RoleOf(typed, node)};
}

}  // namespace

std::vector<const ExprNode*> PreOrderNodes(const ExprNode* root) {
  std::vector<const ExprNode*> order;
  std::vector<const ExprNode*> stack{root};
  while (!stack.empty()) {
    const ExprNode* n = stack.back();
    stack.pop_back();
    order.push_back(n);
    for (auto child = n->children.rbegin(); child != n->children.rend(); ++child) stack.push_back(*child);
  }
  return order;
}

std::vector<ListedLine> ClassifyListing(const ExprTree& processed, const Listing& listing) {
  return ClassifyListing(processed, ReadListing(listing));
}

std::vector<ListedLine> ClassifyListing(const ExprTree& processed, const std::vector<TypedLine>& typed) {
  std::vector<const ExprNode*> nodes;
  if (FirstNode(processed)) nodes = PreOrderNodes(FirstNode(processed));
  if (nodes.size() != typed.size()) nodes.assign(typed.size(), nullptr);  // not this listing's tree
  std::vector<ListedLine> lines;
  lines.reserve(typed.size());
  for (std::size_t i = 0; i < typed.size(); ++i) lines.push_back(Listed(typed[i], nodes[i]));
  return lines;
}

ListedLine ClassifyNode(const ExprNode* node) {
  return Listed(ReadListingLine(TagNodeText(node->text)), node);
}

std::vector<ListedLine> ClassifySubtree(const ExprNode* root) {
  std::vector<ListedLine> lines;
  for (const ExprNode* node : PreOrderNodes(root)) lines.push_back(ClassifyNode(node));
  return lines;
}

std::optional<MissingOperand> FirstMissingOperand(const std::vector<ListedLine>& lines) {
  return MissingOperandIn(lines);
}

}  // namespace brevano

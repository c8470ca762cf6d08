// Classifying the listing lines once, against the nodes they were listed from.
#include "frontend/listed_lines.h"

namespace brevano {

namespace {

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

LineRole RoleOf(const std::string& name, std::optional<OpCode> op, const ExprNode* node) {
  if (op) {
    switch (*op) {
      case OpCode::kOr:
      case OpCode::kAnd:
      case OpCode::kXor: return LineRole::kBinary;
      case OpCode::kNot: return LineRole::kNot;
      case OpCode::kPushVariable: return LineRole::kVariable;
      default: return LineRole::kConstant;
    }
  }
  if (EndsWith(name, "@N")) return LineRole::kNumber;
  if (node && EndsWith(node->text, " @F")) return LineRole::kCall;
  return node && node->children.empty() ? LineRole::kLeaf : LineRole::kOperator;
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
  std::vector<const ExprNode*> nodes;
  if (FirstNode(processed)) nodes = PreOrderNodes(FirstNode(processed));
  if (nodes.size() != listing.size()) nodes.assign(listing.size(), nullptr);  // not this listing's tree
  std::vector<ListedLine> lines(listing.size());
  for (std::size_t i = 0; i < listing.size(); ++i) {
    ListedLine& line = lines[i];
    line.node = nodes[i];
    line.name = NormaliseLine(listing[i]);
    line.op = ClassifyLine(line.name);
    line.role = RoleOf(line.name, line.op, line.node);
  }
  return lines;
}

ListedLine ClassifyNode(const ExprNode* node) {
  ListedLine line;
  line.node = node;
  line.name = NormaliseLine(TagNodeText(node->text));
  line.op = ClassifyLine(line.name);
  line.role = RoleOf(line.name, line.op, node);
  return line;
}

std::vector<ListedLine> ClassifySubtree(const ExprNode* root) {
  std::vector<ListedLine> lines;
  for (const ExprNode* node : PreOrderNodes(root)) lines.push_back(ClassifyNode(node));
  return lines;
}

std::optional<MissingOperand> FirstMissingOperand(const std::vector<ListedLine>& lines) {
  std::size_t depth = 0;
  for (std::size_t i = lines.size(); i-- > 0;) {
    const LineRole role = lines[i].role;
    if (role == LineRole::kBinary) {
      if (depth < 2) return MissingOperand{i, static_cast<int>(depth)};
      --depth;
    } else if (role == LineRole::kNot) {
      if (depth < 1) return MissingOperand{i, 0};
    } else if (role == LineRole::kConstant || role == LineRole::kVariable) {
      ++depth;
    }
  }
  return std::nullopt;
}

}  // namespace brevano

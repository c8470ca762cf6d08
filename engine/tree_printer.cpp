// Compact tree notation for tests and the command-line tool: +{a, *{b, c}}, ∅ for an empty text.
#include "engine/tree_printer.h"

#include <utility>
#include <vector>

namespace brevano {

std::string PrintTree(const ExprNode* node) {
  std::string out;
  auto emit = [&out](const ExprNode* n) {
    out += n->text.empty() ? "\xE2\x88\x85" : n->text;
    if (!n->children.empty()) out += '{';
  };
  std::vector<std::pair<const ExprNode*, std::size_t>> stack{{node, 0}};
  emit(node);
  while (!stack.empty()) {
    auto& [current, next] = stack.back();
    if (next == current->children.size()) {
      if (!current->children.empty()) out += '}';
      stack.pop_back();
      continue;
    }
    if (next > 0) out += ", ";
    const ExprNode* child = current->children[next++];
    emit(child);
    stack.push_back({child, 0});
  }
  return out;
}

std::string PrintTopLevel(const ExprTree& tree) {
  std::string out;
  for (const ExprNode* node : tree.topLevel) out += PrintTree(node) + "\n";
  return out;
}

}  // namespace brevano

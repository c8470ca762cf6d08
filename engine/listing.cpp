// The tagged pre-order listing that the truth-table stage evaluates.
#include "engine/listing.h"

#include <utility>

#include "engine/text_tests.h"

namespace brevano {

std::string TagNodeText(std::string_view text) {
  if (text.find(" @F") != std::string_view::npos) return std::string(text);
  if (IsNumberText(text)) return std::string(text) + " @N";
  if (text.find_first_of("+=-*/><^!&") != std::string_view::npos) return std::string(text) + " @F";
  return std::string(text);
}

void ListTree(const ExprNode* node, Listing& list) {
  std::vector<std::pair<const ExprNode*, std::size_t>> stack{{node, 0}};
  list.push_back(TagNodeText(node->text));
  while (!stack.empty()) {
    auto& [current, next] = stack.back();
    if (next == current->children.size()) {
      stack.pop_back();
      continue;
    }
    const ExprNode* child = current->children[next++];
    list.push_back(TagNodeText(child->text));
    stack.push_back({child, 0});
  }
}

}  // namespace brevano

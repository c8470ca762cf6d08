// Explaining an operator without operand from the processed tree around its listing line.
#include "analysis/missing_operand.h"

#include <optional>

#include "analysis/line_warnings.h"

namespace brevano {

namespace {

// The operator as written: its line without blanks around it and without the " @F" tag.
std::string OperatorName(const std::string& line) {
  std::string name = line;
  while (!name.empty() && static_cast<unsigned char>(name.back()) < 33) name.pop_back();
  std::size_t first = 0;
  while (first < name.size() && static_cast<unsigned char>(name[first]) < 33) ++first;
  name.erase(0, first);
  if (name.size() > 3 && name.compare(name.size() - 3, 3, " @F") == 0) name.resize(name.size() - 3);
  return name;
}

bool Pushes(const std::string& line) {
  const std::optional<OpCode> op = ClassifyLine(NormaliseLine(line));
  return op == OpCode::kPushVariable || op == OpCode::kPushZero || op == OpCode::kPushOne;
}

// Why the operand whose subtree covers lines [first, end) gives no value: its first leaf that
// pushes nothing.
std::string ReasonIn(const std::vector<const ExprNode*>& nodes, std::size_t first, std::size_t end,
                     const FoldedConstants& folded, const char* emptyOperand) {
  for (std::size_t i = first; i < end; ++i) {
    if (!nodes[i]->children.empty()) continue;
    if (nodes[i]->text.empty() && i == first) return emptyOperand;
    return NoValueReason(nodes[i], folded);
  }
  return "an operand gives no truth value";
}

}  // namespace

std::string MissingOperandMessage(const std::vector<const ExprNode*>& nodes, const Listing& listing,
                                  const MissingOperand& missing, const FoldedConstants& folded) {
  const std::string head = "The operator \"" + OperatorName(listing[missing.line]) + "\"";
  if (nodes.size() != listing.size()) return head + " lacks an operand";
  std::vector<std::size_t> size(nodes.size(), 1);  // lines of each node's subtree
  for (std::size_t i = nodes.size(); i-- > 0;) {
    for (std::size_t j = i + 1, k = 0; k < nodes[i]->children.size(); ++k) {
      size[i] += size[j];
      j += size[j];
    }
  }
  const ExprNode* op = nodes[missing.line];
  const std::string count = missing.available == 0 ? " has no operand that is a truth value: "
                                                   : " has only one operand that is a truth value: ";
  std::size_t child = missing.line + 1;
  for (std::size_t k = 0; k < op->children.size(); ++k) {
    bool pushes = false;
    for (std::size_t i = child; i < child + size[child] && !pushes; ++i) pushes = Pushes(listing[i]);
    if (!pushes) {
      const char* empty = op->children.size() == 1 ? "nothing stands between its parentheses"
                          : k == 0                 ? "its left operand is empty"
                                                   : "its right operand is empty";
      return head + count + ReasonIn(nodes, child, child + size[child], folded, empty);
    }
    child += size[child];
  }
  return head + " lacks an operand";
}

}  // namespace brevano

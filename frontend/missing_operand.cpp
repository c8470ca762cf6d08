// Explaining an operator without operand from the processed tree around its listing line.
#include "frontend/missing_operand.h"

#include <algorithm>
#include <optional>

#include "frontend/line_warnings.h"

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

// Why the operand whose subtree covers lines [first, end) gives no value: its first leaf that
// pushes nothing.
std::string ReasonIn(const std::vector<ListedLine>& lines, std::size_t first, std::size_t end,
                     const FoldedConstants& folded, const char* emptyOperand) {
  for (std::size_t i = first; i < end; ++i) {
    const ExprNode* node = lines[i].node;
    if (!node->children.empty()) continue;
    if (node->text.empty() && i == first) return emptyOperand;
    return NoValueReason(lines[i], folded);
  }
  return "an operand gives no truth value";
}

}  // namespace

// The operator that lost an operand is found in the tree, not on the stack: an operator whose
// operand gives no value may take one from a neighbouring part instead, so that the stack runs
// short only further up. Each node's count of values it leaves on the stack is taken bottom-up;
// the first operator in evaluation order (the last in pre-order) with an operand that leaves none
// is the one named.
std::string MissingOperandMessage(const std::vector<ListedLine>& lines, const MissingOperand& missing,
                                  const FoldedConstants& folded) {
  const ListedLine& lacking = lines[missing.line];
  const std::string fallback = "The operator \"" +
                               OperatorName(lacking.node ? lacking.node->text : lacking.name) +
                               "\" lacks an operand";
  if (!lacking.node) return fallback;
  std::vector<std::size_t> size(lines.size(), 1);  // lines of each node's subtree
  std::vector<long> gives(lines.size(), 0);        // values each subtree leaves on the stack
  for (std::size_t i = lines.size(); i-- > 0;) {
    const LineRole role = lines[i].role;
    const bool binary = role == LineRole::kBinary;
    std::vector<std::size_t> children;
    long sum = 0;
    for (std::size_t j = i + 1, k = 0; k < lines[i].node->children.size(); ++k) {
      children.push_back(j);
      sum += gives[j];
      size[i] += size[j];
      j += size[j];
    }
    const bool pushes = role == LineRole::kConstant || role == LineRole::kVariable;
    gives[i] = binary ? std::max(0L, sum - 1) : sum + (pushes ? 1 : 0);
    if (!binary && role != LineRole::kNot) continue;
    const std::size_t operands = binary ? 2 : 1;
    int available = 0;
    std::optional<std::size_t> lacking;
    for (std::size_t k = 0; k < children.size() && k < operands; ++k) {
      if (gives[children[k]] > 0) {
        ++available;
      } else if (!lacking) {
        lacking = k;
      }
    }
    if (!binary && sum > 0) continue;
    if (!lacking && children.size() >= operands) continue;
    const std::string head = "The operator \"" + OperatorName(lines[i].node->text) + "\"";
    const std::string count = available == 0 ? " has no operand that is a truth value: "
                                             : " has only one operand that is a truth value: ";
    if (!lacking) return head + count + "an operand is missing";
    const std::size_t child = children[*lacking];
    const char* empty = !binary         ? "nothing stands between its parentheses"
                        : *lacking == 0 ? "its left operand is empty"
                                        : "its right operand is empty";
    return head + count + ReasonIn(lines, child, child + size[child], folded, empty);
  }
  return fallback;
}

}  // namespace brevano

// Each listing line classified once: what it does on the table's stack, and why it does nothing
// when it does nothing. The warnings, "Evaluated as" and the missing-operand error all read this.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/expr_tree.h"
#include "engine/listing.h"
#include "tabulate/compiled_program.h"

namespace brevano {

/// The part a listing line plays in the table's evaluation.
enum class LineRole : std::uint8_t {
  kBinary,    ///< "+", "*" or "/": takes two values, gives one
  kNot,       ///< not(...): complements the top value
  kConstant,  ///< 0 or 1: pushes it
  kVariable,  ///< pushes its column's value
  kNumber,    ///< a number other than 0 and 1, or an empty operand: ignored
  kCall,      ///< a call of another function: ignored
  kOperator,  ///< an operator the table does not evaluate ("-", "^", "==", …): ignored
  kLeaf,      ///< a leaf holding an operator character ("a&b", "!a"): ignored
};

/// One listing line as the table reads it.
struct ListedLine {
  const ExprNode* node = nullptr;  ///< its node in the processed tree; null when not known
  std::string name;                ///< the line normalised as the table reads it
  std::optional<OpCode> op;        ///< what it does on the stack; none when ignored
  LineRole role = LineRole::kNumber;
};

/// The lines of `listing`, which the pipeline made of the first statement of `processed`.
std::vector<ListedLine> ClassifyListing(const ExprTree& processed, const Listing& listing);

/// The same for the listing's lines already read (ReadListing of the listing).
std::vector<ListedLine> ClassifyListing(const ExprTree& processed, const std::vector<TypedLine>& typed);

/// The line `node` would list, classified the same way.
ListedLine ClassifyNode(const ExprNode* node);

/// The lines the subtree of `root` would list, classified the same way.
std::vector<ListedLine> ClassifySubtree(const ExprNode* root);

/// The first operator, in evaluation order, that finds too few values; none for a listing the
/// table can run.
std::optional<MissingOperand> FirstMissingOperand(const std::vector<ListedLine>& lines);

/// The nodes of `root`'s subtree in pre-order: the node of each listing line.
std::vector<const ExprNode*> PreOrderNodes(const ExprNode* root);

}  // namespace brevano

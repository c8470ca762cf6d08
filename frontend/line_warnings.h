// What each listing line that the table ignores or reads oddly stands for, in one sentence.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/expr_tree.h"
#include "engine/listing.h"
#include "frontend/folded_constants.h"

namespace brevano {

/// The nodes of `root`'s subtree in pre-order: the node of each listing line.
std::vector<const ExprNode*> PreOrderNodes(const ExprNode* root);

/// The nodes of the processed tree's first statement in pre-order, one per line of `listing`;
/// empty when the tree is not the one the listing was made of.
std::vector<const ExprNode*> ListedNodes(const ExprTree& processed, const Listing& listing);

/// True when `text`, read as a number, is 0 or 1 although it is not written "0" or "1" ("1.0").
bool IsDisguisedConstant(const std::string& text);

/// Why the leaf `node` gives the table no truth value, as a clause ("2 is a number, neither 0 nor 1").
std::string NoValueReason(const ExprNode* node, const FoldedConstants& folded);

/// Context of the line checks.
struct LineContext {
  std::string_view typed;
  const FoldedConstants& folded;
  bool unpaired;  ///< the typed text has unpaired parentheses: their consequences are not repeated
};

/// One warning per line of `listing` (parallel to `nodes`) that the table ignores (numbers other
/// than 0 and 1, other operators and functions, empty operands) or takes for a variable although
/// it hardly is one (indexed names, ":", names holding spaces, parentheses or operator look-alikes).
std::vector<std::string> LineWarnings(const std::vector<const ExprNode*>& nodes, const Listing& listing,
                                      const LineContext& context);

}  // namespace brevano

// The error of an operator that finds too few truth values: which operand went missing and why.
#pragma once

#include <string>
#include <vector>

#include "engine/expr_tree.h"
#include "engine/listing.h"
#include "frontend/folded_constants.h"
#include "tabulate/compiled_program.h"

namespace brevano {

/// The message for `missing`: 'The operator "not" has no operand that is a truth value: 1+1 was
/// folded to the number 2'. `nodes` are the listing's nodes in pre-order (parallel to `listing`);
/// without them the message names the operator alone.
std::string MissingOperandMessage(const std::vector<const ExprNode*>& nodes, const Listing& listing,
                                  const MissingOperand& missing, const FoldedConstants& folded);

}  // namespace brevano

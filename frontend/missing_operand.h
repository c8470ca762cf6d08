// The error of an operator that finds too few truth values: which operand went missing and why.
#pragma once

#include <string>
#include <vector>

#include "frontend/folded_constants.h"
#include "frontend/listed_lines.h"

namespace brevano {

/// The message for `missing`: 'The operator "not" has no operand that is a truth value: 1+1 was
/// folded to the number 2'. Without the lines' nodes the message names the operator alone.
std::string MissingOperandMessage(const std::vector<ListedLine>& lines, const MissingOperand& missing,
                                  const FoldedConstants& folded);

}  // namespace brevano

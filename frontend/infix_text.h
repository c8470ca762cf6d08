// A subtree of the expression store written back in the program's own syntax, for messages.
#pragma once

#include <cstddef>
#include <string>

#include "engine/expr_tree.h"

namespace brevano {

/// The subtree of `node` as an expression the parser reads back as the same tree: operators between
/// their operands with the parentheses precedence needs, calls as name(a;b), indexed names as
/// name[i]. Texts longer than `limit` are cut and end with "…".
std::string InfixText(const ExprNode* node, std::size_t limit = 40);

/// `text` cut to `limit` bytes with "…" appended when it is longer.
std::string Abbreviated(const std::string& text, std::size_t limit = 40);

}  // namespace brevano

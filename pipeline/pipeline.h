// The one entry point of the engine: parse, expand diff calls, simplify, list.
#pragma once

#include <string_view>

#include "engine/expr_tree.h"
#include "engine/listing.h"

namespace brevano {

/// Clears the store, parses `text` into a new root, expands diff calls, simplifies the root's
/// subtree and returns its listing. Errors of any stage propagate; later top-level statements
/// stay as parsed.
Listing ProcessExpression(std::string_view text, ExprTree& tree);

}  // namespace brevano

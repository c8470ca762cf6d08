// Test helpers: build trees from the compact notation and print stores back in it.
#pragma once

#include <string>
#include <string_view>

#include "engine/expr_tree.h"

namespace brevano::testing {

/// Appends the tree written as `+{a, *{b, c}}` (∅ or nothing for an empty text) under `parent`
/// (top-level when null) and returns its root. Texts must not contain "{", "}" or ", ".
ExprNode* BuildTree(ExprTree& tree, std::string_view notation, ExprNode* parent = nullptr);

/// Every top-level node of the store in the compact notation, joined by " | ".
std::string TopLevelNotation(const ExprTree& tree);

/// The parse of `text` into a fresh store with an empty root, every top-level node joined by " | ".
std::string ParseToNotation(std::string_view text);

}  // namespace brevano::testing

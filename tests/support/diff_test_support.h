// Helpers of the differentiator tests: run the differentiator on typed or notated trees.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "engine/expr_tree.h"

namespace brevano::testing {

/// A typed expression and the tree notation it must become.
struct TypedCase {
  const char* text;
  const char* expanded;
};

inline std::ostream& operator<<(std::ostream& out, const TypedCase& c) { return out << c.text; }

/// Parses `text`, expands its diff calls and prints every top-level node, joined by " | ".
std::string ExpandToNotation(std::string_view text);

/// Builds the tree written in `notation`, differentiates it by `variable` and prints it.
std::string DifferentiateNotation(std::string_view notation, const std::string& variable);

/// The message of the EngineError that expanding the parse of `text` raises ("" when none).
std::string ExpandError(std::string_view text);

/// True when every live node of the store is reachable from a top-level node (no stray nodes).
bool StoreIsConsistent(const ExprTree& tree);

}  // namespace brevano::testing

// The typed text itself: its parentheses counted as a reader would, and its first statement parsed
// on its own with where each node was read from.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/expr_tree.h"
#include "engine/parser.h"

namespace brevano {

/// One sentence for each kind of unpaired parenthesis or bracket in `typed`: the first closing one
/// without an opening one, and the opening ones never closed. Empty when everything pairs.
std::vector<std::string> PairingWarnings(std::string_view typed);

/// The text of the first top-level statement: up to the first ";" outside parentheses and
/// brackets, counted as the parser counts them.
std::string_view FirstStatement(std::string_view typed);

/// The first statement of a typed text as the parser reads it, before any rewriting: the tree and
/// the piece of the statement each node was read from. Only that statement is tabulated, and
/// parsing the others again would cost as much as the whole pipeline did.
struct TypedReading {
  /// Parses the first statement of `typed`, which must outlive the reading.
  explicit TypedReading(std::string_view typed);

  std::string_view typed;      ///< the whole typed text
  std::string_view statement;  ///< its first statement, which the pieces index
  ExprTree tree;               ///< empty when the statement could not be parsed (too large)
  /// Each node's piece (the last one recorded for it).
  std::unordered_map<const ExprNode*, ParsedPiece> pieces;

  /// The typed text of `node`, its enclosing parentheses left out.
  std::string_view Text(const ExprNode* node) const;
};

}  // namespace brevano

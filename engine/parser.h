// The character-based expression parser: precedence by splitting at depth-0 operators.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/expr_tree.h"

namespace brevano {

/// Removes the pairs of parentheses that enclose the whole text.
std::string StripOuterParens(std::string_view text);

/// Parses `text` into `node` (a childless node of `tree`). A top-level ";" sequence puts its further
/// elements into new nodes appended to node's parent. An empty text leaves the node untouched.
void ParseExpression(ExprTree& tree, std::string_view text, ExprNode* node);

/// Where the parser read a node from: a range of the parsed text.
struct ParsedPiece {
  const ExprNode* node;
  std::size_t begin;  ///< the piece without the parentheses that enclosed it whole
  std::size_t end;    ///< one past its last character
  std::size_t outer;  ///< where the piece began before those parentheses were stripped
  bool zero;          ///< led by the "0" a leading minus stands for
};

/// As ParseExpression, recording in `pieces` the piece of every node whose text the parser set, in
/// the order it set them (a node that a ";" splits is recorded again for its first element).
void ParseExpression(ExprTree& tree, std::string_view text, ExprNode* node, std::vector<ParsedPiece>& pieces);

}  // namespace brevano

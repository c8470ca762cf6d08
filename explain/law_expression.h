// Boolean expressions as trees of n-ary operators, for derivations by named laws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "minimise/truth_vector.h"
#include "tabulate/compiled_program.h"

namespace brevano {

/// The kinds of node of a law expression.
enum class LawKind : std::uint8_t { kZero, kOne, kVariable, kNot, kAnd, kOr, kXor };

/// A node: a constant, a variable (its index in table order), a negation of one child, or an
/// operator over two or more children (in their written order).
struct LawExpr {
  LawKind kind = LawKind::kZero;
  int variable = -1;
  std::vector<LawExpr> children;

  friend bool operator==(const LawExpr&, const LawExpr&) = default;
};

/// A constant, a variable, a negation and an operator node.
LawExpr Constant(bool one);
LawExpr Variable(int index);
LawExpr Negation(LawExpr child);
LawExpr Operator(LawKind kind, std::vector<LawExpr> children);

/// The expression the table's program computes, read as its "Evaluated as" text is: constants
/// folded by the truth-value identities and double negations dropped (unless not `folded`),
/// operators binary.
LawExpr ExprOfProgram(const CompiledProgram& program, bool folded = true);

/// The expression in the program's syntax over `names` (table order): operators joined by
/// + * /, a negation as not(...), parentheses where the parser's grouping needs them and around an
/// AND or XOR inside the other; a name that is a number led by a blank.
std::string ExprText(const LawExpr& expr, const std::vector<std::string>& names);

/// The expression's value in every row of a table of `variables` variables (at most 16).
TruthVector EvaluateExpr(const LawExpr& expr, int variables);

/// Number of nodes.
std::size_t NodeCount(const LawExpr& expr);

}  // namespace brevano

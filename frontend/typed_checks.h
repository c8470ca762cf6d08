// Checks of the typed text's own parse, where the processed tree has lost what was typed: names
// cut to 23 characters, calls read past their ")", and "*" after "/" in one chain.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "frontend/typed_text.h"

namespace brevano {

/// Most characters of a name; the parser cuts longer ones.
inline constexpr std::size_t kMaxNameLength = 23;

/// A warning for each column of `columns` (the table's variables) that a typed name was cut to:
/// the name and its column, or the names that became that one column.
std::vector<std::string> CutNameWarnings(const TypedReading& reading,
                                         const std::vector<std::string>& columns);

/// The parts of the typed text that the simplifier drops whatever they hold: the operands of a
/// product with a 0 (a 0 itself, or a product with a 0 in it, or a sum of two 0s), and the "-"
/// before a 0.
struct DroppedParts {
  std::vector<const ExprNode*> roots;          ///< each dropped operand, the outermost only
  std::vector<const ExprNode*> operators;      ///< each "-" whose right operand is 0
  std::unordered_set<const ExprNode*> inside;  ///< every node of a dropped operand
};

/// Finds the dropped parts of the typed text's first statement.
DroppedParts FindDroppedParts(const TypedReading& reading);

/// A warning for each call whose last character is not the ")" that closes its "(": the call then
/// runs to that character ("not(a) " with a blank after it, "(a)(b)") and the ")" joins a name.
/// Calls in dropped parts change nothing and are left alone.
std::vector<std::string> ClosingWarnings(const TypedReading& reading, const DroppedParts& dropped);

/// A warning for each operator that a ";" inside parentheses gave more operands than it takes:
/// "(a;b)+c" adds c as a third operand of "+".
std::vector<std::string> SeparatorWarnings(const TypedReading& reading);

/// A warning for each chain of "*" and "/" without parentheses where a "*" follows a "/": it is
/// grouped from the left, not AND before XOR ("a/b*c is read as (a/b)*c"). Chains in dropped parts
/// are left alone.
std::vector<std::string> GroupingWarnings(const TypedReading& reading, const DroppedParts& dropped);

}  // namespace brevano

// A listing compiled once into a compact stack program over the table's variables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/listing.h"

namespace brevano {

/// Most variables any table can have (row indexes are 64-bit).
inline constexpr int kMaxTableVariables = 63;

/// The operations a listing line can stand for; lines that stand for none are dropped.
enum class OpCode : std::uint8_t {
  kOr,            ///< "+ @F": pops two values, pushes their OR
  kAnd,           ///< "* @F": pops two values, pushes their AND
  kXor,           ///< "/ @F": pops two values, pushes their XOR
  kNot,           ///< "NOT @F": complements the top value
  kPushZero,      ///< "0 @N"
  kPushOne,       ///< "1 @N"
  kPushVariable,  ///< a variable: pushes its value in the row
};

/// One step of a compiled program.
struct Instruction {
  OpCode op;
  /// For kPushVariable: the bit of the row index that holds the variable's value (the last
  /// variable is bit 0, the first is bit n-1).
  std::uint8_t rowBit = 0;
  /// For kPushVariable: the variable's index in the sorted variable list.
  std::uint16_t variable = 0;
};

/// A listing line with leading and trailing characters below 33 removed and a-z upper-cased.
std::string NormaliseLine(std::string_view line);

/// True when a normalised line names a variable: it holds neither "@N" nor "@F".
bool IsVariableLine(std::string_view normalised);

/// The operation a normalised line stands for, or none when the table ignores the line.
std::optional<OpCode> ClassifyLine(std::string_view normalised);

/// An operator that finds fewer values on the stack than it takes.
struct MissingOperand {
  std::size_t line;  ///< its index in the listing
  int available;     ///< the values it found
};

/// The first operator, in evaluation order, that lacks an operand; none for a well-formed listing.
std::optional<MissingOperand> FindMissingOperand(const Listing& listing);

/// The listing compiled for evaluation.
///
/// The program runs the listing from its last line to its first, so the instructions are in that
/// order and hold only lines that push or pop. Because no line's effect on the stack depth
/// depends on the values, compilation checks once that no instruction takes a value from an
/// empty stack and records the deepest the stack gets; every evaluator can then size its stack
/// up front and run without checks. When the program pushes anything its first instruction is a
/// push and the bottom slot holds the row's result at the end; an empty program gives 0.
class CompiledProgram {
 public:
  /// Compiles `listing`; raises EngineError when an operator lacks an operand or when the listing
  /// names more than `maxVariables` variables (itself at most kMaxTableVariables).
  static CompiledProgram Compile(const Listing& listing, int maxVariables);

  /// The distinct normalised variable names, in ascending byte order.
  const std::vector<std::string>& Variables() const { return variables_; }
  /// Number of variables.
  int VariableCount() const { return static_cast<int>(variables_.size()); }
  /// Number of rows: 2^VariableCount().
  std::uint64_t RowCount() const { return std::uint64_t{1} << variables_.size(); }
  /// The instructions, in evaluation order.
  const std::vector<Instruction>& Instructions() const { return instructions_; }
  /// The largest number of values on the stack at any point of a run (0 for an empty program).
  std::size_t MaxDepth() const { return maxDepth_; }

  /// The same function over `variables` (distinct, ascending, at most kMaxTableVariables, every
  /// variable of this program among them): its rows run over all of them.
  CompiledProgram OverVariables(const std::vector<std::string>& variables) const;

 private:
  std::vector<std::string> variables_;
  std::vector<Instruction> instructions_;
  std::size_t maxDepth_ = 0;
};

/// The result (0 or 1) of `row` (below RowCount()), on a byte stack.
int EvaluateRow(const CompiledProgram& program, std::uint64_t row);

/// The value (0 or 1) of variable `index` in `row`: the first variable is the most significant.
inline int VariableValueInRow(const CompiledProgram& program, std::uint64_t row, int index) {
  return static_cast<int>((row >> (program.VariableCount() - 1 - index)) & 1);
}

}  // namespace brevano

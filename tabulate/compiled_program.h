// A listing compiled once into a compact stack program over the table's variables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/listing.h"
#include "tabulate/typed_listing.h"

namespace brevano {

/// Most variables any table can have (row indexes are 64-bit).
inline constexpr int kMaxTableVariables = 63;

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
  /// The same, for the lines of `listing` already read (`lines` is ReadListing(listing)).
  static CompiledProgram Compile(const Listing& listing, const std::vector<TypedLine>& lines,
                                 int maxVariables);
  /// The program of typed lines made without any listing text (the sum of a file's terms, say), in
  /// listing order; raises EngineError as Compile does.
  static CompiledProgram FromLines(const std::vector<TypedLine>& lines, int maxVariables);

  /// The distinct normalised variable names, in ascending byte order.
  const std::vector<std::string>& Variables() const { return variables_; }
  /// Number of variables.
  int VariableCount() const { return static_cast<int>(variables_.size()); }
  /// Number of rows: 2^VariableCount().
  std::uint64_t RowCount() const { return std::uint64_t{1} << variables_.size(); }
  /// The instructions, in evaluation order.
  const std::vector<Instruction>& Instructions() const { return instructions_; }
  /// The listing line of each instruction: Lines()[k] is that of Instructions()[k].
  const std::vector<std::uint32_t>& Lines() const { return lines_; }
  /// The largest number of values on the stack at any point of a run (0 for an empty program).
  std::size_t MaxDepth() const { return maxDepth_; }

  /// The same function over `variables` (distinct, ascending, at most kMaxTableVariables, every
  /// variable of this program among them): its rows run over all of them.
  CompiledProgram OverVariables(const std::vector<std::string>& variables) const;

 private:
  // The program of `lines`, every operator of which has its operands.
  static CompiledProgram Build(const std::vector<TypedLine>& lines, int maxVariables);

  std::vector<std::string> variables_;
  std::vector<Instruction> instructions_;
  std::vector<std::uint32_t> lines_;
  std::size_t maxDepth_ = 0;
};

/// The result (0 or 1) of `row` (below RowCount()), on a byte stack.
int EvaluateRow(const CompiledProgram& program, std::uint64_t row);

/// The value (0 or 1) of variable `index` in `row`: the first variable is the most significant.
inline int VariableValueInRow(const CompiledProgram& program, std::uint64_t row, int index) {
  return static_cast<int>((row >> (program.VariableCount() - 1 - index)) & 1);
}

}  // namespace brevano

// The listing read once into typed lines and instructions: what each line does on the table's stack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/listing.h"

namespace brevano {

/// The operations a listing line can stand for; lines that stand for none are ignored.
enum class OpCode : std::uint8_t {
  kOr,            ///< "+ @F": pops two values, pushes their OR
  kAnd,           ///< "* @F": pops two values, pushes their AND
  kXor,           ///< "/ @F": pops two values, pushes their XOR
  kNot,           ///< "NOT @F": complements the top value
  kPushZero,      ///< "0 @N"
  kPushOne,       ///< "1 @N"
  kPushVariable,  ///< a variable: pushes its value in the row
};

/// True for the operators that take two values.
inline bool IsBinary(OpCode op) { return op == OpCode::kOr || op == OpCode::kAnd || op == OpCode::kXor; }

/// True for the operations that push a value.
inline bool IsPush(OpCode op) { return op >= OpCode::kPushZero; }

/// How many values `op` takes from the stack.
inline int OperandCount(OpCode op) { return IsBinary(op) ? 2 : op == OpCode::kNot ? 1 : 0; }

/// A listing line with leading and trailing characters below 33 removed and a-z upper-cased.
std::string NormaliseLine(std::string_view line);

/// True when a normalised line names a variable: it holds neither "@N" nor "@F".
bool IsVariableLine(std::string_view normalised);

/// The operation a normalised line stands for, or none when the table ignores the line.
std::optional<OpCode> ClassifyLine(std::string_view normalised);

/// One listing line as the table reads it.
struct TypedLine {
  std::optional<OpCode> op;  ///< what it does on the stack; none when the table ignores it
  std::string name;          ///< the line normalised: for a variable, its column's name
  bool number = false;       ///< a number the table ignores (neither 0 nor 1), or an empty operand
};

/// One line read: the only place where the text of a listing line is interpreted.
TypedLine ReadListingLine(std::string_view line);

/// Every line of `listing`, first to last.
std::vector<TypedLine> ReadListing(const Listing& listing);

/// One step of a stack program, in evaluation order (the listing runs from its last line to its
/// first). Lines the table ignores have no instruction. Kept to four bytes: the row evaluators
/// walk these for every block of rows, so the listing line of each instruction is kept beside it.
struct Instruction {
  OpCode op;
  /// For kPushVariable: the bit of the row index that holds the variable's value (the last
  /// variable is bit 0, the first is bit n-1).
  std::uint8_t rowBit = 0;
  /// For kPushVariable: the variable's index in the sorted variable list.
  std::uint16_t variable = 0;
};

/// Instructions in evaluation order, with the listing line each was read from.
struct LinedInstructions {
  std::vector<Instruction> instructions;
  std::vector<std::uint32_t> lines;  ///< lines[k] is the listing line of instructions[k]
};

/// An operator that finds fewer values on the stack than it takes.
struct MissingOperand {
  std::size_t line;  ///< its index in the listing
  int available;     ///< the values it found
};

/// The first operator of `lines` (in listing order, each with an optional `op`), in evaluation
/// order, that lacks an operand; none for lines the table can run.
template <class Lines>
std::optional<MissingOperand> MissingOperandIn(const Lines& lines) {
  std::size_t depth = 0;
  for (std::size_t i = std::size(lines); i-- > 0;) {
    const std::optional<OpCode>& op = lines[i].op;
    if (!op) continue;
    if (depth < static_cast<std::size_t>(OperandCount(*op)))
      return MissingOperand{i, static_cast<int>(depth)};
    depth = depth - OperandCount(*op) + 1;
  }
  return std::nullopt;
}

/// The instructions of `lines` (in listing order, each with an optional `op`) in evaluation
/// order, up to the first operator that lacks an operand; variables all get index 0.
template <class Lines>
LinedInstructions RunnableInstructions(const Lines& lines) {
  const std::optional<MissingOperand> missing = MissingOperandIn(lines);
  const std::size_t end = missing ? missing->line + 1 : 0;
  LinedInstructions run;
  for (std::size_t i = std::size(lines); i-- > end;) {
    if (!lines[i].op) continue;
    run.instructions.push_back({*lines[i].op});
    run.lines.push_back(static_cast<std::uint32_t>(i));
  }
  return run;
}

/// The first operator, in evaluation order, that lacks an operand; none for a well-formed listing.
std::optional<MissingOperand> FindMissingOperand(const Listing& listing);

}  // namespace brevano

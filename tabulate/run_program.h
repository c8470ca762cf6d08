// The one interpreter of the table's stack programs; the values and their operations come from an
// algebra (bits, words of rows, diagrams, circuit signals, gates, cubes, expressions).
#pragma once

#include <algorithm>
#include <concepts>
#include <span>
#include <utility>
#include <vector>

#include "tabulate/compiled_program.h"
#include "tabulate/typed_listing.h"

namespace brevano {

/// An algebra the interpreter runs on: a default-constructible, movable Value and the operations
/// below. A binary operation's `left` is the operator's left operand, which is the value on top of
/// the stack (the listing runs from its last line to its first, so the left operand comes last);
/// `right` is the value below it, whose slot takes the result. Variable(in) gets the instruction
/// itself, an element of the sequence being run.
template <class A>
concept ProgramAlgebra = std::default_initializable<typename A::Value> && std::movable<typename A::Value> &&
    requires(A& a, typename A::Value v, const Instruction& in) {
  { a.Constant(true) } -> std::convertible_to<typename A::Value>;
  { a.Variable(in) } -> std::convertible_to<typename A::Value>;
  { a.Not(std::move(v)) } -> std::convertible_to<typename A::Value>;
  { a.And(std::move(v), std::move(v)) } -> std::convertible_to<typename A::Value>;
  { a.Or(std::move(v), std::move(v)) } -> std::convertible_to<typename A::Value>;
  { a.Xor(std::move(v), std::move(v)) } -> std::convertible_to<typename A::Value>;
};

/// An algebra that may end a run early: Proceed() is asked before every instruction, and false
/// ends the run (a budget spent, an operation that failed).
template <class A>
concept StoppableAlgebra = requires(A& a) {
  { a.Proceed() } -> std::convertible_to<bool>;
};

/// Runs `instructions` (in evaluation order, none taking a value from an empty stack) on `stack`,
/// which has room for the deepest the run gets. Every value popped is moved out of its slot, so a
/// slot above the top holds nothing the algebra still counts. Returns one past the top value, or
/// null when the algebra stopped the run.
template <ProgramAlgebra Algebra>
typename Algebra::Value* RunOnStack(std::span<const Instruction> instructions, Algebra& algebra,
                                    typename Algebra::Value* stack) {
  using Value = typename Algebra::Value;
  Value* top = stack;  // one past the top value
  for (const Instruction& in : instructions) {
    if constexpr (StoppableAlgebra<Algebra>) {
      if (!algebra.Proceed()) return nullptr;
    }
    switch (in.op) {
      case OpCode::kOr: {
        Value left = std::move(*--top);
        top[-1] = algebra.Or(std::move(left), std::move(top[-1]));
        break;
      }
      case OpCode::kAnd: {
        Value left = std::move(*--top);
        top[-1] = algebra.And(std::move(left), std::move(top[-1]));
        break;
      }
      case OpCode::kXor: {
        Value left = std::move(*--top);
        top[-1] = algebra.Xor(std::move(left), std::move(top[-1]));
        break;
      }
      case OpCode::kNot: top[-1] = algebra.Not(std::move(top[-1])); break;
      case OpCode::kPushZero: *top++ = algebra.Constant(false); break;
      case OpCode::kPushOne: *top++ = algebra.Constant(true); break;
      case OpCode::kPushVariable: *top++ = algebra.Variable(in); break;
    }
  }
  return top;
}

/// The values on the stack at the end of the run, bottom first: the Result, then the values the
/// program leaves unused. Empty when nothing is pushed or when the algebra stopped the run.
/// `maxDepth` bounds the depth of the run.
template <ProgramAlgebra Algebra>
std::vector<typename Algebra::Value> RunToStack(std::span<const Instruction> instructions, Algebra& algebra,
                                                std::size_t maxDepth) {
  std::vector<typename Algebra::Value> stack(std::max<std::size_t>(maxDepth, 1));
  const auto* top = RunOnStack(instructions, algebra, stack.data());
  stack.resize(top ? static_cast<std::size_t>(top - stack.data()) : 0);
  return stack;
}

/// The program's Result on `algebra`: the bottom value at the end of the run, or the constant 0
/// when the program pushes nothing or the algebra stopped the run.
template <ProgramAlgebra Algebra>
typename Algebra::Value RunProgram(const CompiledProgram& program, Algebra& algebra) {
  std::vector<typename Algebra::Value> stack =
      RunToStack(program.Instructions(), algebra, program.MaxDepth());
  return stack.empty() ? algebra.Constant(false) : std::move(stack.front());
}

}  // namespace brevano

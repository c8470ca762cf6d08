// A compiled program as a circuit of AND and XOR gates, folded and shared, ready to become clauses.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "tabulate/compiled_program.h"

namespace brevano::sat_detail {

/// A signal of a circuit: twice a node's index, plus 1 when it is negated. Node 0 is the constant
/// 0, so signal 0 is the constant 0 and signal 1 the constant 1.
using Signal = std::uint32_t;

inline constexpr Signal kFalse = 0;
inline constexpr Signal kTrue = 1;

/// The negation of `signal`.
inline Signal Not(Signal signal) { return signal ^ 1; }

/// Gates built on demand: constants are folded, a gate over the same two inputs is built once, and
/// a negation costs nothing (OR is a negated AND of negations). Nodes 1 .. inputs are the inputs;
/// every gate comes after its inputs.
class Circuit {
 public:
  /// A circuit with `inputs` inputs and no gates.
  explicit Circuit(int inputs);

  /// The signal of input `index` (0 .. inputs-1).
  Signal Input(int index) const { return static_cast<Signal>(2 * (index + 1)); }
  int InputCount() const { return inputs_; }

  Signal And(Signal a, Signal b);
  Signal Or(Signal a, Signal b) { return Not(And(Not(a), Not(b))); }
  Signal Xor(Signal a, Signal b);

  /// The kind and the inputs of node `node`; inputs and the constant have none.
  enum class Kind : std::uint8_t { kConstant, kInput, kAnd, kXor };
  struct Node {
    Kind kind;
    Signal a = 0, b = 0;
  };
  const std::vector<Node>& Nodes() const { return nodes_; }

 private:
  Signal Gate(Kind kind, Signal a, Signal b);

  int inputs_ = 0;
  std::vector<Node> nodes_;
  std::unordered_map<std::uint64_t, Signal> andGates_, xorGates_;
};

/// The signal of the program's Result, program variable i being `inputs[i]`: the program run on
/// signals instead of bits. No instruction's effect on the stack depends on the values, so this
/// run takes the path of every run on bits, ignored lines and short stacks included: the Result
/// is the bottom slot, or 0 for a program that pushes nothing.
Signal EncodeProgram(Circuit& circuit, const CompiledProgram& program, const std::vector<Signal>& inputs);

}  // namespace brevano::sat_detail

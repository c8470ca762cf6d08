// Gates with constant folding and sharing, and the run of a compiled program on them.
#include "sat/circuit.h"

#include <utility>

#include "tabulate/run_program.h"

namespace brevano::sat_detail {

namespace {

std::uint64_t Key(Signal a, Signal b) { return std::uint64_t{a} << 32 | b; }

}  // namespace

Circuit::Circuit(int inputs) : inputs_(inputs) {
  nodes_.push_back({Kind::kConstant});
  for (int i = 0; i < inputs; ++i) nodes_.push_back({Kind::kInput});
}

Signal Circuit::Gate(Kind kind, Signal a, Signal b) {
  if (a > b) std::swap(a, b);
  auto& gates = kind == Kind::kAnd ? andGates_ : xorGates_;
  const auto [found, added] = gates.try_emplace(Key(a, b), static_cast<Signal>(2 * nodes_.size()));
  if (added) nodes_.push_back({kind, a, b});
  return found->second;
}

Signal Circuit::And(Signal a, Signal b) {
  if (a == kFalse || b == kFalse || a == Not(b)) return kFalse;
  if (a == kTrue || a == b) return b;
  if (b == kTrue) return a;
  return Gate(Kind::kAnd, a, b);
}

Signal Circuit::Xor(Signal a, Signal b) {
  // The gate takes its inputs plain; their negations move to its output.
  const Signal negated = (a ^ b) & 1;
  a &= ~Signal{1};
  b &= ~Signal{1};
  if (a == b) return negated;  // the constant 0 or 1
  if (a == kFalse) return b ^ negated;
  if (b == kFalse) return a ^ negated;
  return Gate(Kind::kXor, a, b) ^ negated;
}

namespace {

// Signals of the circuit, the program's variables being its given inputs.
struct SignalAlgebra {
  using Value = Signal;
  Circuit& circuit;
  const std::vector<Signal>& inputs;

  static Signal Constant(bool one) { return one ? kTrue : kFalse; }
  Signal Variable(const Instruction& in) const { return inputs[in.variable]; }
  static Signal Not(Signal x) { return sat_detail::Not(x); }
  Signal And(Signal left, Signal right) { return circuit.And(left, right); }
  Signal Or(Signal left, Signal right) { return circuit.Or(left, right); }
  Signal Xor(Signal left, Signal right) { return circuit.Xor(left, right); }
};

}  // namespace

Signal EncodeProgram(Circuit& circuit, const CompiledProgram& program, const std::vector<Signal>& inputs) {
  SignalAlgebra algebra{circuit, inputs};
  return RunProgram(program, algebra);
}

}  // namespace brevano::sat_detail

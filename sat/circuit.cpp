// Gates with constant folding and sharing, and the run of a compiled program on them.
#include "sat/circuit.h"

#include <utility>

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

Signal EncodeProgram(Circuit& circuit, const CompiledProgram& program, const std::vector<Signal>& inputs) {
  std::vector<Signal> stack;
  stack.reserve(program.MaxDepth());
  for (const Instruction& in : program.Instructions()) {
    switch (in.op) {
      case OpCode::kOr:
      case OpCode::kAnd:
      case OpCode::kXor: {
        const Signal top = stack.back();
        stack.pop_back();
        Signal& below = stack.back();
        below = in.op == OpCode::kOr    ? circuit.Or(top, below)
                : in.op == OpCode::kAnd ? circuit.And(top, below)
                                        : circuit.Xor(top, below);
        break;
      }
      case OpCode::kNot: stack.back() = Not(stack.back()); break;
      case OpCode::kPushZero: stack.push_back(kFalse); break;
      case OpCode::kPushOne: stack.push_back(kTrue); break;
      case OpCode::kPushVariable: stack.push_back(inputs[in.variable]); break;
    }
  }
  return stack.empty() ? kFalse : stack.front();
}

}  // namespace brevano::sat_detail

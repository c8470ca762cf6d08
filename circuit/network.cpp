// Gate networks: the program run on gates instead of values, and the two levels of a least cover.
#include "circuit/network.h"

#include <deque>
#include <utility>

#include "tabulate/run_program.h"

namespace brevano {

namespace {

Signal Input(int column) { return {Signal::Kind::kInput, column}; }
Signal GateSignal(int gate) { return {Signal::Kind::kGate, gate}; }
Signal Constant(bool one) { return {one ? Signal::Kind::kOne : Signal::Kind::kZero, 0}; }
bool IsConstant(Signal s) { return s.kind == Signal::Kind::kZero || s.kind == Signal::Kind::kOne; }

GateKind KindOf(OpCode op, bool negated) {
  if (op == OpCode::kAnd) return negated ? GateKind::kNand : GateKind::kAnd;
  if (op == OpCode::kOr) return negated ? GateKind::kNor : GateKind::kOr;
  return negated ? GateKind::kXnor : GateKind::kXor;
}

// Adds gates to a network, with one inverter per input.
class GateSink {
 public:
  explicit GateSink(Network& network) : network_(network), inverters_(network.inputs.size(), -1) {}

  Signal Add(GateKind kind, std::vector<Signal> inputs) {
    network_.gates.push_back({kind, std::move(inputs)});
    return GateSignal(static_cast<int>(network_.gates.size()) - 1);
  }

  // The input's complement, by a NOT (or, `alone`, by a gate of that kind with the input twice).
  Signal Inverter(int column, GateKind alone = GateKind::kNot) {
    int& gate = inverters_[static_cast<std::size_t>(column)];
    if (gate < 0) {
      std::vector<Signal> inputs(alone == GateKind::kNot ? 1 : 2, Input(column));
      gate = Add(alone, std::move(inputs)).index;
    }
    return GateSignal(gate);
  }

 private:
  Network& network_;
  std::vector<int> inverters_;
};

// A value on the symbolic stack: a signal (an input or a constant), or a chain of one operator
// whose gate is not made yet, since the operator above it may extend it.
struct Value {
  static Value Of(Signal s) {
    Value value;
    value.signal = s;
    return value;
  }

  Signal signal;
  bool negated = false;
  bool chain = false;
  OpCode op = OpCode::kAnd;
  std::deque<Signal> operands;
};

// The algebra of the program's run on gates: constants folded, chains of one operator made one gate.
class TypedBuilder {
 public:
  using Value = brevano::Value;

  explicit TypedBuilder(Network& network) : sink_(network) {}

  static Value Constant(bool one) { return ConstantValue(one); }
  static Value Variable(const Instruction& in) { return Value::Of(Input(in.variable)); }
  static Value Not(Value x) {
    x.negated = !x.negated;
    return x;
  }
  Value And(Value left, Value right) { return Combine(OpCode::kAnd, std::move(left), std::move(right)); }
  Value Or(Value left, Value right) { return Combine(OpCode::kOr, std::move(left), std::move(right)); }
  Value Xor(Value left, Value right) { return Combine(OpCode::kXor, std::move(left), std::move(right)); }

  // The signal of a value: its gate made now, or the input's inverter.
  Signal Finish(Value& value) {
    if (value.chain) {
      return sink_.Add(KindOf(value.op, value.negated), {value.operands.begin(), value.operands.end()});
    }
    if (IsConstant(value.signal))
      return brevano::Constant((value.signal.kind == Signal::Kind::kOne) != value.negated);
    return value.negated ? sink_.Inverter(value.signal.index) : value.signal;
  }

  // left op right, with the constants folded as truth values.
  Value Combine(OpCode op, Value left, Value right) {
    if (IsConstantValue(left)) std::swap(left, right);
    if (IsConstantValue(right)) {
      const bool one = (right.signal.kind == Signal::Kind::kOne) != right.negated;
      if (op == OpCode::kAnd) return one ? std::move(left) : ConstantValue(false);
      if (op == OpCode::kOr) return one ? ConstantValue(true) : std::move(left);
      left.negated ^= one;
      return left;
    }
    Value result;
    result.chain = true;
    result.op = op;
    const bool spliceLeft = Extends(left, op), spliceRight = Extends(right, op);
    if (spliceLeft && (!spliceRight || left.operands.size() >= right.operands.size())) {
      result.operands = std::move(left.operands);
      Append(result.operands, right, op);
    } else if (spliceRight) {
      result.operands = std::move(right.operands);
      if (spliceLeft) {
        result.operands.insert(result.operands.begin(), left.operands.begin(), left.operands.end());
      } else {
        result.operands.push_front(Finish(left));
      }
    } else {
      result.operands = {Finish(left), Finish(right)};
    }
    return result;
  }

 private:
  static bool IsConstantValue(const Value& v) { return !v.chain && IsConstant(v.signal); }
  static Value ConstantValue(bool one) { return Value::Of(brevano::Constant(one)); }
  // XOR gates keep two inputs.
  static bool Extends(const Value& v, OpCode op) {
    return v.chain && !v.negated && v.op == op && op != OpCode::kXor;
  }

  void Append(std::deque<Signal>& operands, Value& right, OpCode op) {
    if (Extends(right, op)) {
      operands.insert(operands.end(), right.operands.begin(), right.operands.end());
    } else {
      operands.push_back(Finish(right));
    }
  }

  GateSink sink_;
};

}  // namespace

Network TypedNetwork(const CompiledProgram& program) {
  Network network;
  network.inputs = program.Variables();
  TypedBuilder builder(network);
  Value result = RunProgram(program, builder);
  network.output = builder.Finish(result);
  return network;
}

Network TwoLevelNetwork(const std::vector<Cube>& cubes, const std::vector<std::string>& inputs,
                        CircuitForm form) {
  Network network;
  network.inputs = inputs;
  GateSink sink(network);
  const bool product = form == CircuitForm::kProduct || form == CircuitForm::kNor;
  const bool universal = form == CircuitForm::kNand || form == CircuitForm::kNor;
  const GateKind alone = form == CircuitForm::kNand  ? GateKind::kNand
                         : form == CircuitForm::kNor ? GateKind::kNor
                                                     : GateKind::kNot;
  const GateKind first = universal ? alone : product ? GateKind::kOr : GateKind::kAnd;
  const GateKind second = universal ? alone : product ? GateKind::kAnd : GateKind::kOr;
  const int n = static_cast<int>(inputs.size());
  for (const Cube& cube : cubes) {
    if (cube.care != 0) continue;
    network.output = Constant(!product);  // a term without literals (a factor without literals)
    return network;
  }
  std::vector<Signal> level;  // the first level's outputs
  for (const Cube& cube : cubes) {
    // A factor's literals are the complements of its term's.
    std::vector<std::pair<int, bool>> literals;  // (column, plain)
    for (int column = 0; column < n; ++column) {
      const std::uint64_t bit = std::uint64_t{1} << (n - 1 - column);
      if (cube.care & bit) literals.emplace_back(column, ((cube.value & bit) != 0) != product);
    }
    auto signal = [&](int column, bool plain) {
      return plain ? Input(column) : sink.Inverter(column, alone);
    };
    if (literals.size() > 1) {
      std::vector<Signal> inputs;
      for (const auto& [column, plain] : literals) inputs.push_back(signal(column, plain));
      level.push_back(sink.Add(first, std::move(inputs)));
    } else if (!universal) {
      level.push_back(signal(literals[0].first, literals[0].second));
    } else if (cubes.size() == 1) {
      network.output = signal(literals[0].first, literals[0].second);
      return network;
    } else {
      // The second level takes the complement of a lone literal.
      level.push_back(signal(literals[0].first, !literals[0].second));
    }
  }
  if (level.empty()) {
    network.output = Constant(product);
  } else if (level.size() == 1 && !universal) {
    network.output = level[0];
  } else {
    if (level.size() == 1) level.push_back(level[0]);
    network.output = sink.Add(second, std::move(level));
  }
  return network;
}

int EvaluateNetwork(const Network& network, std::uint64_t row) {
  const int n = static_cast<int>(network.inputs.size());
  std::vector<int> values(network.gates.size());
  auto value = [&](Signal s) {
    switch (s.kind) {
      case Signal::Kind::kInput: return static_cast<int>((row >> (n - 1 - s.index)) & 1);
      case Signal::Kind::kGate: return values[static_cast<std::size_t>(s.index)];
      case Signal::Kind::kZero: return 0;
      case Signal::Kind::kOne: break;
    }
    return 1;
  };
  for (std::size_t g = 0; g < network.gates.size(); ++g) {
    const Gate& gate = network.gates[g];
    int result = gate.kind == GateKind::kAnd || gate.kind == GateKind::kNand ? 1 : 0;
    for (Signal s : gate.inputs) {
      const int v = value(s);
      switch (gate.kind) {
        case GateKind::kAnd:
        case GateKind::kNand: result &= v; break;
        case GateKind::kXor:
        case GateKind::kXnor: result ^= v; break;
        default: result |= v; break;
      }
    }
    values[g] = IsNegated(gate.kind) ? 1 - result : result;
  }
  return value(network.output);
}

int NetOf(const Network& network, Signal signal) {
  const int inputs = static_cast<int>(network.inputs.size()), gates = static_cast<int>(network.gates.size());
  switch (signal.kind) {
    case Signal::Kind::kInput: return signal.index;
    case Signal::Kind::kGate: return inputs + signal.index;
    case Signal::Kind::kZero: return inputs + gates;
    case Signal::Kind::kOne: break;
  }
  return inputs + gates + 1;
}

bool IsNegated(GateKind kind) {
  return kind == GateKind::kNot || kind == GateKind::kNand || kind == GateKind::kNor ||
         kind == GateKind::kXnor;
}

std::string SignalName(const std::vector<std::string>& inputs, Signal signal) {
  switch (signal.kind) {
    case Signal::Kind::kInput: return inputs[static_cast<std::size_t>(signal.index)];
    case Signal::Kind::kGate: return "g" + std::to_string(signal.index + 1);
    case Signal::Kind::kZero: return "0";
    case Signal::Kind::kOne: break;
  }
  return "1";
}

const char* GateName(GateKind kind) {
  switch (kind) {
    case GateKind::kNot: return "NOT";
    case GateKind::kAnd: return "AND";
    case GateKind::kOr: return "OR";
    case GateKind::kXor: return "XOR";
    case GateKind::kNand: return "NAND";
    case GateKind::kNor: return "NOR";
    case GateKind::kXnor: break;
  }
  return "XNOR";
}

int InvertedInput(const Gate& gate) {
  if (gate.inputs.empty() || gate.inputs[0].kind != Signal::Kind::kInput) return -1;
  if (gate.kind == GateKind::kNot) return gate.inputs[0].index;
  const bool twice = gate.inputs.size() == 2 && gate.inputs[0] == gate.inputs[1];
  return twice && (gate.kind == GateKind::kNand || gate.kind == GateKind::kNor) ? gate.inputs[0].index : -1;
}

std::size_t GateInputCount(const Network& network) {
  std::size_t count = 0;
  for (const Gate& gate : network.gates) count += gate.inputs.size();
  return count;
}

}  // namespace brevano

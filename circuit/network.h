// Gate networks of a table's Result: the tree the table evaluates, and two-level forms of its least covers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "minimise/cube.h"
#include "tabulate/compiled_program.h"

namespace brevano {

/// The gates a network is made of.
enum class GateKind : std::uint8_t { kNot, kAnd, kOr, kXor, kNand, kNor, kXnor };

/// What a gate input or the output is connected to.
struct Signal {
  enum class Kind : std::uint8_t { kInput, kGate, kZero, kOne };
  Kind kind = Kind::kZero;
  int index = 0;  ///< the input's column, or the gate's index

  friend bool operator==(const Signal&, const Signal&) = default;
};

/// One gate; a NAND or NOR whose inputs are one signal twice is an inverter.
struct Gate {
  GateKind kind = GateKind::kAnd;
  std::vector<Signal> inputs;
};

/// A network with the table's columns as inputs and the Result as its output. Every gate's inputs
/// come before it, and every gate but the inverters of an input drives exactly one gate or the
/// output (possibly at several of its inputs), so that the network is a tree over its inputs and
/// their inverters.
struct Network {
  std::vector<std::string> inputs;
  std::vector<Gate> gates;
  Signal output;
};

/// The circuit forms.
enum class CircuitForm {
  kTyped,    ///< the tree the table evaluates
  kSum,      ///< the least sum of products: AND gates into an OR gate
  kProduct,  ///< the least product of sums: OR gates into an AND gate
  kNand,     ///< the least sum of products with NAND gates alone
  kNor,      ///< the least product of sums with NOR gates alone
};

/// The network of the tree that `program` evaluates: a chain of one operator becomes one gate with
/// all its operands (XOR excepted, which keeps two), a NOT of a gate becomes that gate's negated
/// kind, each variable has at most one inverter, and constants are folded as truth values, so
/// that only a constant function has a constant output. Takes time linear in the program.
Network TypedNetwork(const CompiledProgram& program);

/// The two-level network of a least form: for kSum and kNand `cubes` are the terms of the sum, for
/// kProduct and kNor those of the complement's sum (one per factor). Not for kTyped.
Network TwoLevelNetwork(const std::vector<Cube>& cubes, const std::vector<std::string>& inputs,
                        CircuitForm form);

/// The value (0 or 1) of the network's output in `row` (the first input the most significant bit).
int EvaluateNetwork(const Network& network, std::uint64_t row);

/// The net a signal names: inputs first, then the gates, then the constants 0 and 1.
int NetOf(const Network& network, Signal signal);

/// True for the gates whose output is complemented: NOT, NAND, NOR and XNOR.
bool IsNegated(GateKind kind);

/// A signal as a circuit's text names it: the input's name (of `inputs`), "g1"… for the gates in
/// order, "0" or "1".
std::string SignalName(const std::vector<std::string>& inputs, Signal signal);

/// "NOT", "AND", "OR", "XOR", "NAND", "NOR" or "XNOR".
const char* GateName(GateKind kind);

/// An inverter of an input (a NOT, or a NAND or NOR of one input twice): the input's column, or -1.
int InvertedInput(const Gate& gate);

/// Number of gate inputs in all.
std::size_t GateInputCount(const Network& network);

}  // namespace brevano

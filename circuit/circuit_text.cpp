// The text of a gate network: one line per gate, the output's gate last.
#include "circuit/circuit_text.h"

#include <array>

namespace brevano {

namespace {

constexpr std::array kKinds = {GateKind::kNot,  GateKind::kAnd, GateKind::kOr,  GateKind::kXor,
                               GateKind::kNand, GateKind::kNor, GateKind::kXnor};

std::string GateCounts(const Network& network) {
  std::string counts;
  for (GateKind kind : kKinds) {
    std::size_t count = 0;
    for (const Gate& gate : network.gates) count += gate.kind == kind;
    if (count == 0) continue;
    counts += counts.empty() ? " (" : ", ";
    counts += std::to_string(count) + ' ' + GateName(kind);
  }
  return std::to_string(network.gates.size()) + counts + (counts.empty() ? "" : ")");
}

}  // namespace

std::string CircuitText(const Network& network) {
  std::string text = "Inputs:";
  for (std::size_t i = 0; i < network.inputs.size(); ++i) text += (i ? ", " : " ") + network.inputs[i];
  if (network.inputs.empty()) text += " none";
  text += "\nGates: " + GateCounts(network) + '\n';
  const bool outputGate = network.output.kind == Signal::Kind::kGate;
  for (std::size_t g = 0; g < network.gates.size(); ++g) {
    const Gate& gate = network.gates[g];
    const bool last = outputGate && static_cast<int>(g) == network.output.index;
    text += (last ? std::string("Result") : "g" + std::to_string(g + 1)) + " = " + GateName(gate.kind) + '(';
    for (std::size_t i = 0; i < gate.inputs.size(); ++i)
      text += (i ? ", " : "") + SignalName(network.inputs, gate.inputs[i]);
    text += ")\n";
  }
  if (!outputGate) text += "Result = " + SignalName(network.inputs, network.output) + '\n';
  return text;
}

}  // namespace brevano

// The gates of a cover of several outputs, their values and their text.
#include "circuit/shared_circuit.h"

#include <map>

#include "engine/engine_error.h"

namespace brevano {

namespace {

Signal GateSignal(std::size_t gate) { return {Signal::Kind::kGate, static_cast<int>(gate)}; }

// The net of each term: its AND gate, its one literal, or (without literals) the constant 1.
// Terms that feed only outputs made 1 get no gate; their nets are left 0.
std::vector<Signal> TermNets(const CubeCover& terms, const std::vector<bool>& one, SharedNetwork& network) {
  const int inputs = static_cast<int>(network.inputs.size());
  std::vector<bool> used(terms.size(), false);
  std::vector<int> inverter(network.inputs.size(), -1);
  for (std::size_t t = 0; t < terms.size(); ++t) {
    for (std::size_t o = 0; o < one.size(); ++o)
      used[t] = used[t] || (terms[t].HasOutput(static_cast<int>(o)) && !one[o]);
    for (int i = 0; i < inputs && used[t]; ++i) {
      if (terms[t].Input(i) == Literal::kZero) inverter[static_cast<std::size_t>(i)] = 0;
    }
  }
  for (int i = 0; i < inputs; ++i) {
    if (inverter[static_cast<std::size_t>(i)] < 0) continue;
    inverter[static_cast<std::size_t>(i)] = static_cast<int>(network.gates.size());
    network.gates.push_back({GateKind::kNot, {{Signal::Kind::kInput, i}}});
  }
  network.firstAnd = static_cast<int>(network.gates.size());
  std::vector<Signal> nets(terms.size(), Signal{Signal::Kind::kZero, 0});
  for (std::size_t t = 0; t < terms.size(); ++t) {
    if (!used[t]) continue;
    Gate gate{GateKind::kAnd, {}};
    for (int i = 0; i < inputs; ++i) {
      const Literal literal = terms[t].Input(i);
      if (literal == Literal::kOne) gate.inputs.push_back({Signal::Kind::kInput, i});
      if (literal == Literal::kZero) gate.inputs.push_back(GateSignal(static_cast<std::size_t>(inverter[i])));
    }
    if (gate.inputs.size() < 2) {
      nets[t] = gate.inputs.empty() ? Signal{Signal::Kind::kOne, 0} : gate.inputs[0];
      continue;
    }
    nets[t] = GateSignal(network.gates.size());
    network.gates.push_back(std::move(gate));
  }
  network.firstOr = static_cast<int>(network.gates.size());
  return nets;
}

}  // namespace

CubeCover DistinctTerms(const BooleanFunction& names, const CubeCover& cover) {
  CubeCover terms;
  std::map<std::vector<std::uint64_t>, std::size_t> byInputs;
  for (const MultiCube& cube : cover) {
    if (cube.inputs != names.InputCount() || cube.outputs != names.OutputCount())
      throw EngineError("A term of the cover has " + std::to_string(cube.inputs) + " inputs and " +
                        std::to_string(cube.outputs) + " outputs; the function has " +
                        std::to_string(names.InputCount()) + " and " + std::to_string(names.OutputCount()));
    bool empty = cube.NoOutput();
    for (int i = 0; i < cube.inputs && !empty; ++i) empty = static_cast<int>(cube.Input(i)) == 0;
    if (empty) continue;
    std::vector<std::uint64_t> key(cube.bits.begin(), cube.bits.begin() + cube.InputWords());
    const auto [at, added] = byInputs.emplace(std::move(key), terms.size());
    if (added)
      terms.push_back(cube);
    else
      terms[at->second] = Supercube(terms[at->second], cube);
  }
  return terms;
}

SharedNetwork SharedNetworkOf(const BooleanFunction& names, const CubeCover& cover) {
  SharedNetwork network;
  network.inputs = names.inputs;
  network.outputNames = names.outputs;
  const CubeCover terms = DistinctTerms(names, cover);
  const std::size_t outputs = names.outputs.size();
  std::vector<bool> one(outputs, false);
  for (const MultiCube& term : terms) {
    if (term.LiteralCount() > 0) continue;
    for (std::size_t o = 0; o < outputs; ++o) one[o] = one[o] || term.HasOutput(static_cast<int>(o));
  }
  const std::vector<Signal> nets = TermNets(terms, one, network);
  for (std::size_t o = 0; o < outputs; ++o) {
    Gate gate{GateKind::kOr, {}};
    // Distinct terms have distinct nets: equal inputs were merged.
    for (std::size_t t = 0; t < terms.size() && !one[o]; ++t)
      if (terms[t].HasOutput(static_cast<int>(o))) gate.inputs.push_back(nets[t]);
    if (one[o] || gate.inputs.size() < 2) {
      network.outputs.push_back(one[o]                ? Signal{Signal::Kind::kOne, 0}
                                : gate.inputs.empty() ? Signal{Signal::Kind::kZero, 0}
                                                      : gate.inputs[0]);
      continue;
    }
    network.outputs.push_back(GateSignal(network.gates.size()));
    network.gates.push_back(std::move(gate));
  }
  return network;
}

int EvaluateSharedOutput(const SharedNetwork& network, int output, std::uint64_t point) {
  const int n = static_cast<int>(network.inputs.size());
  if (n > 64) throw EngineError("A point of " + std::to_string(n) + " inputs does not fit in 64 bits");
  std::uint64_t row = 0;  // the first input the most significant bit, as a table row
  for (int i = 0; i < n; ++i) row |= ((point >> i) & 1) << (n - 1 - i);
  Network single{network.inputs, network.gates, network.outputs[static_cast<std::size_t>(output)]};
  return EvaluateNetwork(single, row);
}

std::string SharedCircuitText(const SharedNetwork& network) {
  std::map<int, std::size_t> outputOf;  // OR gate -> its output
  for (std::size_t o = 0; o < network.outputs.size(); ++o) {
    const Signal s = network.outputs[o];
    if (s.kind == Signal::Kind::kGate && s.index >= network.firstOr) outputOf[s.index] = o;
  }
  std::string text = "Inputs:";
  for (std::size_t i = 0; i < network.inputs.size(); ++i) text += (i ? ", " : " ") + network.inputs[i];
  if (network.inputs.empty()) text += " none";
  text += "\nOutputs:";
  for (std::size_t o = 0; o < network.outputNames.size(); ++o)
    text += (o ? ", " : " ") + network.outputNames[o];
  std::string counts;
  for (GateKind kind : {GateKind::kNot, GateKind::kAnd, GateKind::kOr}) {
    std::size_t count = 0;
    for (const Gate& gate : network.gates) count += gate.kind == kind;
    if (count > 0) counts += (counts.empty() ? " (" : ", ") + std::to_string(count) + ' ' + GateName(kind);
  }
  text += "\nGates: " + std::to_string(network.gates.size()) + counts + (counts.empty() ? "" : ")") + '\n';
  for (std::size_t g = 0; g < network.gates.size(); ++g) {
    const auto named = outputOf.find(static_cast<int>(g));
    text += (named == outputOf.end() ? "g" + std::to_string(g + 1) : network.outputNames[named->second]) +
            " = " + GateName(network.gates[g].kind) + '(';
    for (std::size_t i = 0; i < network.gates[g].inputs.size(); ++i)
      text += (i ? ", " : "") + SignalName(network.inputs, network.gates[g].inputs[i]);
    text += ")\n";
  }
  for (std::size_t o = 0; o < network.outputs.size(); ++o) {
    const Signal s = network.outputs[o];
    if (s.kind != Signal::Kind::kGate || s.index < network.firstOr)
      text += network.outputNames[o] + " = " + SignalName(network.inputs, s) + '\n';
  }
  return text;
}

std::string SharedDrawingLimitMessage(const SharedNetwork& network) {
  return DrawingLimitMessage(Network{network.inputs, network.gates, {}});
}

}  // namespace brevano

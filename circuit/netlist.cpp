// BLIF, Verilog and VHDL writers over identifiers that every format accepts.
#include "circuit/netlist.h"

#include <algorithm>

#include "circuit/netlist_names.h"

namespace brevano {

namespace {

// Identifiers for every net, none equal to another or to a reserved word, case aside.
class Names {
 public:
  explicit Names(const Network& network) {
    for (const std::string& input : network.inputs) inputs_.push_back(taken_.Take(NetlistIdentifier(input)));
    output_ = taken_.Take("Result");
    for (std::size_t g = 0; g < network.gates.size(); ++g)
      gates_.push_back(taken_.Take("g" + std::to_string(g + 1)));
    // Verilog gives instances and nets one name space.
    for (std::size_t g = 0; g < network.gates.size(); ++g)
      instances_.push_back(taken_.Take("u" + std::to_string(g + 1)));
  }

  const std::string& Input(std::size_t i) const { return inputs_[i]; }
  const std::string& Output() const { return output_; }
  const std::string& Instance(std::size_t g) const { return instances_[g]; }
  std::string Of(const Network& network, Signal s, const char* zero, const char* one) const {
    switch (s.kind) {
      case Signal::Kind::kInput: return inputs_[static_cast<std::size_t>(s.index)];
      case Signal::Kind::kGate:
        return network.output == s ? output_ : gates_[static_cast<std::size_t>(s.index)];
      case Signal::Kind::kZero: return zero;
      case Signal::Kind::kOne: break;
    }
    return one;
  }

 private:
  NetlistNames taken_;
  std::vector<std::string> inputs_, gates_, instances_;
  std::string output_;
};

// One line per input whose name changed, each led by `lead`.
std::string RenamedInputs(const Network& network, const Names& names, const std::string& lead) {
  std::string text;
  for (std::size_t i = 0; i < network.inputs.size(); ++i) {
    if (names.Input(i) == network.inputs[i]) continue;
    text += lead + "input \"" + PrintableText(network.inputs[i]) + "\" is " + names.Input(i) + '\n';
  }
  return text;
}

// The distinct inputs of a gate, in order: AND and OR (and their negations) take each input once.
std::vector<Signal> DistinctInputs(const Gate& gate) {
  std::vector<Signal> distinct;
  for (Signal s : gate.inputs) {
    if (std::find(distinct.begin(), distinct.end(), s) == distinct.end()) distinct.push_back(s);
  }
  return distinct;
}

// A .names table; an XOR of one input twice is a constant.
std::string BlifRows(const Gate& gate, std::size_t inputs) {
  const std::string dashes(inputs, '-');
  std::string rows;
  auto row = [&](std::string pattern) { rows += pattern + " 1\n"; };
  switch (gate.kind) {
    case GateKind::kNot: row("0"); break;
    case GateKind::kAnd: row(std::string(inputs, '1')); break;
    case GateKind::kNor: row(std::string(inputs, '0')); break;
    case GateKind::kOr:
    case GateKind::kNand:
      for (std::size_t i = 0; i < inputs; ++i) {
        std::string pattern = dashes;
        pattern[i] = gate.kind == GateKind::kOr ? '1' : '0';
        row(pattern);
      }
      break;
    case GateKind::kXor:
      if (inputs == 2) row("01"), row("10");
      break;
    case GateKind::kXnor:
      if (inputs == 2)
        row("00"), row("11");
      else
        rows = "1\n";
      break;
  }
  return rows;
}

std::string Blif(const Network& network, const Names& names, const std::string& comment) {
  std::string text = "# " + PrintableText(comment) + '\n' + RenamedInputs(network, names, "# ");
  text += std::string(".model ") + kNetlistModule + "\n.inputs";
  for (std::size_t i = 0; i < network.inputs.size(); ++i) text += ' ' + names.Input(i);
  text += "\n.outputs " + names.Output() + '\n';
  for (std::size_t g = 0; g < network.gates.size(); ++g) {
    const Gate& gate = network.gates[g];
    const bool xorKind = gate.kind == GateKind::kXor || gate.kind == GateKind::kXnor;
    std::vector<Signal> inputs = DistinctInputs(gate);
    if (xorKind && inputs.size() == 1) inputs.clear();  // an input XOR itself
    text += ".names";
    for (Signal s : inputs) text += ' ' + names.Of(network, s, "", "");
    text += ' ' + names.Of(network, Signal{Signal::Kind::kGate, static_cast<int>(g)}, "", "") + '\n';
    text += BlifRows(gate, inputs.size());
  }
  const Signal out = network.output;
  if (out.kind == Signal::Kind::kInput)
    text += ".names " + names.Input(static_cast<std::size_t>(out.index)) + ' ' + names.Output() + "\n1 1\n";
  if (out.kind == Signal::Kind::kZero) text += ".names " + names.Output() + '\n';
  if (out.kind == Signal::Kind::kOne) text += ".names " + names.Output() + "\n1\n";
  return text + ".end\n";
}

const char* VerilogPrimitive(GateKind kind) {
  switch (kind) {
    case GateKind::kNot: return "not";
    case GateKind::kAnd: return "and";
    case GateKind::kOr: return "or";
    case GateKind::kXor: return "xor";
    case GateKind::kNand: return "nand";
    case GateKind::kNor: return "nor";
    case GateKind::kXnor: break;
  }
  return "xnor";
}

std::string Verilog(const Network& network, const Names& names, const std::string& comment) {
  std::string text = "// " + PrintableText(comment) + '\n' + RenamedInputs(network, names, "// ");
  text += std::string("module ") + kNetlistModule + '(';
  for (std::size_t i = 0; i < network.inputs.size(); ++i) text += names.Input(i) + ", ";
  text += names.Output() + ");\n";
  for (std::size_t i = 0; i < network.inputs.size(); ++i) text += "  input " + names.Input(i) + ";\n";
  text += "  output " + names.Output() + ";\n";
  for (std::size_t g = 0; g < network.gates.size(); ++g) {
    const Signal self{Signal::Kind::kGate, static_cast<int>(g)};
    if (!(network.output == self)) text += "  wire " + names.Of(network, self, "", "") + ";\n";
  }
  for (std::size_t g = 0; g < network.gates.size(); ++g) {
    const Gate& gate = network.gates[g];
    text += std::string("  ") + VerilogPrimitive(gate.kind) + ' ' + names.Instance(g) + '(' +
            names.Of(network, Signal{Signal::Kind::kGate, static_cast<int>(g)}, "", "");
    for (Signal s : gate.inputs) text += ", " + names.Of(network, s, "1'b0", "1'b1");
    text += ");\n";
  }
  if (network.output.kind != Signal::Kind::kGate)
    text += "  assign " + names.Output() + " = " + names.Of(network, network.output, "1'b0", "1'b1") + ";\n";
  return text + "endmodule\n";
}

std::string VhdlExpression(const Network& network, const Names& names, const Gate& gate) {
  auto name = [&](Signal s) { return names.Of(network, s, "'0'", "'1'"); };
  if (gate.kind == GateKind::kNot) return "not " + name(gate.inputs[0]);
  const GateKind base = gate.kind == GateKind::kNand   ? GateKind::kAnd
                        : gate.kind == GateKind::kNor  ? GateKind::kOr
                        : gate.kind == GateKind::kXnor ? GateKind::kXor
                                                       : gate.kind;
  const char* op = base == GateKind::kAnd ? " and " : base == GateKind::kOr ? " or " : " xor ";
  std::string expression;
  for (std::size_t i = 0; i < gate.inputs.size(); ++i) expression += (i ? op : "") + name(gate.inputs[i]);
  return IsNegated(gate.kind) ? "not (" + expression + ')' : expression;
}

std::string Vhdl(const Network& network, const Names& names, const std::string& comment) {
  std::string text = "-- " + PrintableText(comment) + '\n' + RenamedInputs(network, names, "-- ");
  text += "library ieee;\nuse ieee.std_logic_1164.all;\n\n";
  text += std::string("entity ") + kNetlistModule + " is\n  port (\n";
  for (std::size_t i = 0; i < network.inputs.size(); ++i)
    text += "    " + names.Input(i) + " : in std_logic;\n";
  text += "    " + names.Output() + " : out std_logic\n  );\nend entity;\n\n";
  text += std::string("architecture gates of ") + kNetlistModule + " is\n";
  for (std::size_t g = 0; g < network.gates.size(); ++g) {
    const Signal self{Signal::Kind::kGate, static_cast<int>(g)};
    if (!(network.output == self)) text += "  signal " + names.Of(network, self, "", "") + " : std_logic;\n";
  }
  text += "begin\n";
  for (std::size_t g = 0; g < network.gates.size(); ++g) {
    text += "  " + names.Of(network, Signal{Signal::Kind::kGate, static_cast<int>(g)}, "", "") +
            " <= " + VhdlExpression(network, names, network.gates[g]) + ";\n";
  }
  if (network.output.kind != Signal::Kind::kGate)
    text += "  " + names.Output() + " <= " + names.Of(network, network.output, "'0'", "'1'") + ";\n";
  return text + "end architecture;\n";
}

}  // namespace

std::string NetlistComment(const std::string& expression, const std::string& title) {
  constexpr std::size_t kShown = 200;
  return "Result of " + expression.substr(0, kShown) + (expression.size() > kShown ? "...; " : "; ") + title;
}

std::optional<NetlistFormat> NetlistFormatFromName(std::string_view name) {
  if (name == "blif") return NetlistFormat::kBlif;
  if (name == "verilog") return NetlistFormat::kVerilog;
  if (name == "vhdl") return NetlistFormat::kVhdl;
  return std::nullopt;
}

std::string WriteNetlist(const Network& network, NetlistFormat format, const std::string& comment) {
  const Names names(network);
  switch (format) {
    case NetlistFormat::kBlif: return Blif(network, names, comment);
    case NetlistFormat::kVerilog: return Verilog(network, names, comment);
    case NetlistFormat::kVhdl: break;
  }
  return Vhdl(network, names, comment);
}

}  // namespace brevano

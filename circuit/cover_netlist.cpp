// Netlists of a cover of several outputs: the gates are made once, then written in each format.
#include "circuit/cover_netlist.h"

#include <map>

#include "circuit/netlist_names.h"
#include "circuit/shared_circuit.h"
#include "engine/engine_error.h"

namespace brevano {

namespace {

enum class NodeKind { kNot, kAnd, kOr, kConnect, kZero, kOne };

// One net and what drives it: a gate over the nets `inputs`, a connection to one net, or a constant.
struct Node {
  NodeKind kind;
  std::string name;
  std::vector<std::string> inputs;
  std::string instance;  // a gate's instance name in Verilog, which gives instances and nets one name space
};

// The module: ports in order, a comment line per renamed port, then the nodes, each net driven
// before it is read. The first `internal` nodes drive internal nets, the rest drive the outputs.
struct CoverModule {
  std::vector<std::string> inputs, outputs;
  std::vector<std::string> renamed;
  std::vector<Node> nodes;
  std::size_t internal = 0;
};

// The ports: each name made an identifier, the inputs first; one comment line per changed name.
void NamePorts(const BooleanFunction& names, NetlistNames& taken, CoverModule& module) {
  auto name = [&](const std::string& wanted, const char* what, std::vector<std::string>& ports) {
    ports.push_back(taken.Take(NetlistIdentifier(wanted)));
    if (ports.back() != wanted)
      module.renamed.push_back(std::string(what) + " \"" + PrintableText(wanted) + "\" is " + ports.back());
  };
  for (const std::string& input : names.inputs) name(input, "input", module.inputs);
  for (const std::string& output : names.outputs) name(output, "output", module.outputs);
}

// The nets of each term's literals, a NOT made for each input that some term negates; terms
// without a literal are left empty, as are the terms that feed only outputs those make 1.
std::vector<std::vector<std::string>> LiteralNets(const CubeCover& terms, const std::vector<bool>& one,
                                                  NetlistNames& taken, CoverModule& module) {
  const std::size_t inputs = module.inputs.size();
  std::vector<bool> used(terms.size(), false), negated(inputs, false);
  for (std::size_t t = 0; t < terms.size(); ++t) {
    for (std::size_t o = 0; o < one.size(); ++o)
      used[t] = used[t] || (terms[t].HasOutput(static_cast<int>(o)) && !one[o]);
    for (std::size_t i = 0; i < inputs && used[t]; ++i)
      negated[i] = negated[i] || terms[t].Input(static_cast<int>(i)) == Literal::kZero;
  }
  std::vector<std::string> notNets(inputs);
  for (std::size_t i = 0; i < inputs; ++i) {
    if (!negated[i]) continue;
    notNets[i] = taken.Take("n_" + module.inputs[i]);
    module.nodes.push_back({NodeKind::kNot, notNets[i], {module.inputs[i]}, {}});
  }
  std::vector<std::vector<std::string>> literals(terms.size());
  for (std::size_t t = 0; t < terms.size(); ++t) {
    for (std::size_t i = 0; i < inputs && used[t]; ++i) {
      const Literal literal = terms[t].Input(static_cast<int>(i));
      if (literal != Literal::kFree)
        literals[t].push_back(literal == Literal::kOne ? module.inputs[i] : notNets[i]);
    }
  }
  return literals;
}

CoverModule ModuleOf(const BooleanFunction& names, const CubeCover& cover) {
  CoverModule module;
  NetlistNames taken;
  NamePorts(names, taken, module);
  const CubeCover terms = DistinctTerms(names, cover);
  const std::size_t outputs = module.outputs.size();
  std::vector<bool> one(outputs, false);
  for (const MultiCube& term : terms) {
    if (term.LiteralCount() > 0) continue;
    for (std::size_t o = 0; o < outputs; ++o) one[o] = one[o] || term.HasOutput(static_cast<int>(o));
  }
  const std::vector<std::vector<std::string>> literals = LiteralNets(terms, one, taken, module);
  // A term's net: its AND gate, or its one literal's net.
  std::vector<std::string> nets(terms.size());
  int ands = 0;
  for (std::size_t t = 0; t < terms.size(); ++t) {
    if (literals[t].size() == 1) nets[t] = literals[t][0];
    if (literals[t].size() < 2) continue;
    nets[t] = taken.Take("t" + std::to_string(++ands));
    module.nodes.push_back({NodeKind::kAnd, nets[t], literals[t], {}});
  }
  module.internal = module.nodes.size();
  for (std::size_t o = 0; o < outputs; ++o) {
    Node node{NodeKind::kOne, module.outputs[o], {}, {}};
    // Distinct terms have distinct nets: equal inputs were merged, so no two share one literal.
    for (std::size_t t = 0; t < terms.size() && !one[o]; ++t)
      if (terms[t].HasOutput(static_cast<int>(o))) node.inputs.push_back(nets[t]);
    if (!one[o]) {
      node.kind = node.inputs.empty()       ? NodeKind::kZero
                  : node.inputs.size() == 1 ? NodeKind::kConnect
                                            : NodeKind::kOr;
    }
    module.nodes.push_back(std::move(node));
  }
  int gates = 0;
  for (Node& node : module.nodes) {
    if (node.kind == NodeKind::kNot || node.kind == NodeKind::kAnd || node.kind == NodeKind::kOr)
      node.instance = taken.Take("u" + std::to_string(++gates));
  }
  return module;
}

std::string Header(const CoverModule& module, const std::string& comment, const std::string& lead) {
  std::string text = lead + PrintableText(comment) + '\n';
  for (const std::string& line : module.renamed) text += lead + line + '\n';
  return text;
}

std::string Joined(const std::vector<std::string>& names, const std::string& before) {
  std::string text;
  for (const std::string& name : names) text += before + name;
  return text;
}

std::string BlifRows(const Node& node) {
  const std::size_t n = node.inputs.size();
  switch (node.kind) {
    case NodeKind::kNot: return "0 1\n";
    case NodeKind::kAnd: return std::string(n, '1') + " 1\n";
    case NodeKind::kConnect: return "1 1\n";
    case NodeKind::kZero: return "";
    case NodeKind::kOne: return "1\n";
    case NodeKind::kOr: break;
  }
  std::string rows;
  for (std::size_t i = 0; i < n; ++i)
    rows += std::string(i, '-') + '1' + std::string(n - i - 1, '-') + " 1\n";
  return rows;
}

std::string Blif(const CoverModule& module, const std::string& comment) {
  std::string text = Header(module, comment, "# ") + ".model " + kNetlistModule + '\n';
  text += ".inputs" + Joined(module.inputs, " ") + "\n.outputs" + Joined(module.outputs, " ") + '\n';
  for (const Node& node : module.nodes)
    text += ".names" + Joined(node.inputs, " ") + ' ' + node.name + '\n' + BlifRows(node);
  return text + ".end\n";
}

std::string Verilog(const CoverModule& module, const std::string& comment) {
  std::string text = Header(module, comment, "// ") + "module " + kNetlistModule + '(';
  std::vector<std::string> ports = module.inputs;
  ports.insert(ports.end(), module.outputs.begin(), module.outputs.end());
  for (std::size_t p = 0; p < ports.size(); ++p) text += (p ? ", " : "") + ports[p];
  text += ");\n";
  for (const std::string& input : module.inputs) text += "  input " + input + ";\n";
  for (const std::string& output : module.outputs) text += "  output " + output + ";\n";
  for (std::size_t n = 0; n < module.internal; ++n) text += "  wire " + module.nodes[n].name + ";\n";
  for (const Node& node : module.nodes) {
    const char* primitive = node.kind == NodeKind::kNot ? "not" : node.kind == NodeKind::kAnd ? "and" : "or";
    if (!node.instance.empty()) {
      text += "  " + std::string(primitive) + ' ' + node.instance + '(' + node.name +
              Joined(node.inputs, ", ") + ");\n";
      continue;
    }
    const std::string value = node.kind == NodeKind::kZero  ? "1'b0"
                              : node.kind == NodeKind::kOne ? "1'b1"
                                                            : node.inputs[0];
    text += "  assign " + node.name + " = " + value + ";\n";
  }
  return text + "endmodule\n";
}

std::string VhdlValue(const Node& node) {
  switch (node.kind) {
    case NodeKind::kNot: return "not " + node.inputs[0];
    case NodeKind::kZero: return "'0'";
    case NodeKind::kOne: return "'1'";
    case NodeKind::kConnect: return node.inputs[0];
    case NodeKind::kAnd:
    case NodeKind::kOr: break;
  }
  const std::string op = node.kind == NodeKind::kAnd ? " and " : " or ";
  std::string value = node.inputs[0];
  for (std::size_t i = 1; i < node.inputs.size(); ++i) value += op + node.inputs[i];
  return value;
}

std::string Vhdl(const CoverModule& module, const std::string& comment) {
  std::string text = Header(module, comment, "-- ") + "library ieee;\nuse ieee.std_logic_1164.all;\n\n";
  text += std::string("entity ") + kNetlistModule + " is\n";
  std::vector<std::string> ports;
  for (const std::string& input : module.inputs) ports.push_back("    " + input + " : in std_logic");
  for (const std::string& output : module.outputs) ports.push_back("    " + output + " : out std_logic");
  for (std::size_t p = 0; p < ports.size(); ++p)
    text += (p ? ";\n" : "  port (\n") + ports[p] + (p + 1 == ports.size() ? "\n  );\n" : "");
  text += std::string("end entity;\n\narchitecture gates of ") + kNetlistModule + " is\n";
  for (std::size_t n = 0; n < module.internal; ++n)
    text += "  signal " + module.nodes[n].name + " : std_logic;\n";
  text += "begin\n";
  for (const Node& node : module.nodes) text += "  " + node.name + " <= " + VhdlValue(node) + ";\n";
  return text + "end architecture;\n";
}

}  // namespace

std::string WriteCoverNetlist(const BooleanFunction& names, const CubeCover& cover, NetlistFormat format,
                              const std::string& comment) {
  const CoverModule module = ModuleOf(names, cover);
  switch (format) {
    case NetlistFormat::kBlif: return Blif(module, comment);
    case NetlistFormat::kVerilog: return Verilog(module, comment);
    case NetlistFormat::kVhdl: break;
  }
  return Vhdl(module, comment);
}

}  // namespace brevano

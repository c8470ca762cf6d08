// The circuit commands of the command-line tool, each writing its result only once it is complete.
#include "cli/circuit_commands.h"

#include "circuit/circuit_forms.h"
#include "circuit/circuit_layout.h"
#include "circuit/circuit_picture.h"
#include "circuit/circuit_text.h"
#include "circuit/netlist.h"
#include "engine/engine_error.h"
#include "picture/picture_svg.h"

namespace brevano::cli {

namespace {

TableCircuit CircuitOrError(const TruthTable& table, const std::string& form) {
  TableCircuit circuit = CircuitOfTable(table, CircuitFormFromName(form).value_or(CircuitForm::kTyped));
  if (!circuit.error.empty()) throw EngineError(circuit.error);
  return circuit;
}

}  // namespace

void CommandCircuit(const TruthTable& table, const std::string& form, const std::string& style, bool svg,
                    std::ostream& out) {
  const TableCircuit circuit = CircuitOrError(table, form);
  if (!svg) {
    out << circuit.title << '\n' << CircuitText(circuit.network);
    return;
  }
  if (const std::string limit = DrawingLimitMessage(circuit.network); !limit.empty())
    throw EngineError(limit + " Write it as a netlist with brevano export.");
  const SymbolStyle symbols = style == "iec" ? SymbolStyle::kIec : SymbolStyle::kAnsi;
  out << PictureSvg(DrawCircuit(circuit.network, LayOutCircuit(circuit.network), symbols),
                    {{"wire", "data-net"}, {"gate", "data-gate"}});
}

void CommandExport(const TruthTable& table, const std::string& expression, const std::string& format,
                   const std::string& form, std::ostream& out) {
  const TableCircuit circuit = CircuitOrError(table, form);
  const NetlistFormat netlist = NetlistFormatFromName(format).value_or(NetlistFormat::kBlif);
  out << WriteNetlist(circuit.network, netlist, NetlistComment(expression, circuit.title));
}

}  // namespace brevano::cli

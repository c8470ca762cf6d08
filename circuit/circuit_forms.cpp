// Circuits of a table: the tree it evaluates, or the two levels of its least cover.
#include "circuit/circuit_forms.h"

#include "analysis/analysis.h"
#include "forms/gate_forms.h"

namespace brevano {

std::optional<CircuitForm> CircuitFormFromName(std::string_view name) {
  if (name == "typed") return CircuitForm::kTyped;
  if (name == "sop") return CircuitForm::kSum;
  if (name == "pos") return CircuitForm::kProduct;
  if (name == "nand") return CircuitForm::kNand;
  if (name == "nor") return CircuitForm::kNor;
  return std::nullopt;
}

TableCircuit CircuitOfTable(const TruthTable& table, CircuitForm form, const Budget& stop) {
  TableCircuit circuit;
  if (form == CircuitForm::kTyped) {
    circuit.network = TypedNetwork(table.Program());
    circuit.title = "As typed";
    return circuit;
  }
  const bool product = form == CircuitForm::kProduct || form == CircuitForm::kNor;
  const Progress progress = [&stop](std::uint64_t, std::uint64_t) { return !stop.Poll(); };
  const LeastForm found =
      Least(FunctionOfTables(table, nullptr), product ? FormSide::kProduct : FormSide::kSum, {}, progress);
  const MinimalForm least = MinimalFormOf(found, table.Variables(), product, false);
  const std::string label = ItemLabel(product ? ItemKind::kProduct : ItemKind::kSum);
  const std::string value = FormItemText(least);
  if (least.expression.empty()) {
    circuit.stopped = least.status == MinimiseStatus::kStopped;
    std::string what = label.substr(0, label.size() - 1);  // "minimal sum of products"
    what[0] = 'm';
    circuit.error = "No circuit: the " + what + " is " + value;
    return circuit;
  }
  circuit.network = TwoLevelNetwork(least.cubes, table.Variables(), form);
  if (form == CircuitForm::kNand) {
    circuit.title = "NAND form: " + NandText(least.cubes, table.Variables());
  } else if (form == CircuitForm::kNor) {
    circuit.title = "NOR form: " + NorText(least.cubes, table.Variables());
  } else {
    circuit.title = label + ' ' + value;
  }
  return circuit;
}

}  // namespace brevano

// Circuits of a table: the tree it evaluates, or the two levels of its least cover from the analysis.
#include "circuit/circuit_forms.h"

#include "analysis/analysis.h"
#include "forms/gate_forms.h"

namespace brevano {

namespace {

std::string ItemValue(const std::vector<AnalysisItem>& items, const std::string& label) {
  for (const AnalysisItem& item : items) {
    if (item.label == label) return item.value;
  }
  return {};
}

}  // namespace

std::optional<CircuitForm> CircuitFormFromName(std::string_view name) {
  if (name == "typed") return CircuitForm::kTyped;
  if (name == "sop") return CircuitForm::kSum;
  if (name == "pos") return CircuitForm::kProduct;
  if (name == "nand") return CircuitForm::kNand;
  if (name == "nor") return CircuitForm::kNor;
  return std::nullopt;
}

TableCircuit CircuitOfTable(const TruthTable& table, CircuitForm form, const std::function<bool()>& stop) {
  TableCircuit circuit;
  if (form == CircuitForm::kTyped) {
    circuit.network = TypedNetwork(table.Program());
    circuit.title = "As typed";
    return circuit;
  }
  AnalysisOptions options;
  options.maxListedRows = 0;
  const AnalysisProgress progress = [&stop](AnalysisStage, std::uint64_t, std::uint64_t) {
    return !(stop && stop());
  };
  const Analysis analysis = AnalyseTable(table, options, progress);
  const bool product = form == CircuitForm::kProduct || form == CircuitForm::kNor;
  const MinimalForm& least = product ? analysis.product : analysis.sum;
  const std::string label = product ? "Minimal product of sums:" : "Minimal sum of products:";
  const std::string value = ItemValue(AnalysisItems(analysis, options.coverLimits), label);
  if (least.expression.empty()) {
    circuit.stopped = least.status == MinimiseStatus::kStopped && !analysis.tooComplex;
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

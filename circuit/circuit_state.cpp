// The state of a circuit window: forms made once, laid out once, drawn in the symbols chosen.
#include "circuit/circuit_state.h"

namespace brevano {

bool CircuitState::SetForm(CircuitForm form) {
  if (form == form_) return false;
  form_ = form;
  return true;
}

bool CircuitState::SetStyle(SymbolStyle style) {
  if (style == style_) return false;
  style_ = style;
  return true;
}

void CircuitState::Store(CircuitForm form, TableCircuit circuit) {
  if (!circuit.stopped) Slot(form) = std::move(circuit);
}

std::string CircuitState::Message() const {
  const std::optional<TableCircuit>& circuit = Slot(form_);
  if (!circuit) return {};
  if (!circuit->error.empty()) return circuit->error;
  const std::string limit = DrawingLimitMessage(circuit->network);
  return limit.empty() ? limit : limit + " Export it as a netlist instead (File, Export\u2026).";
}

std::string CircuitState::Title() const {
  const std::optional<TableCircuit>& circuit = Slot(form_);
  return circuit ? circuit->title : std::string();
}

CircuitPicture CircuitState::Picture(const CircuitTheme& theme) const {
  if (!Ready() || !Message().empty()) return {};
  const Network& network = Slot(form_)->network;
  std::optional<CircuitLayout>& layout = layouts_[static_cast<std::size_t>(form_)];
  if (!layout) layout = LayOutCircuit(network);
  return DrawCircuit(network, *layout, style_, theme);
}

}  // namespace brevano

// What a circuit window shows: the form and symbols chosen, and each form's circuit once it is made.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "circuit/circuit_forms.h"
#include "circuit/circuit_layout.h"
#include "circuit/circuit_picture.h"

namespace brevano {

/// The circuits of one table: the form and the symbols chosen, and the circuit of each form, made
/// (off the window's thread, by CircuitOfTable) when the form is first chosen and laid out once.
class CircuitState {
 public:
  explicit CircuitState(TruthTable table) : table_(std::move(table)) {}

  const TruthTable& Table() const { return table_; }
  CircuitForm Form() const { return form_; }
  /// Chooses a form; false when unchanged.
  bool SetForm(CircuitForm form);
  SymbolStyle Style() const { return style_; }
  /// Chooses the symbols; false when unchanged.
  bool SetStyle(SymbolStyle style);

  /// True once the circuit of the chosen form is stored.
  bool Ready() const { return Slot(form_).has_value(); }
  /// Stores the circuit of `form`; a stopped one is not kept.
  void Store(CircuitForm form, TableCircuit circuit);
  /// What stands in place of the picture: why the chosen form has no circuit, or why it is not
  /// drawn; empty when it is drawn (or not made yet).
  std::string Message() const;
  /// The chosen circuit's title, or empty.
  std::string Title() const;
  /// The chosen circuit's picture; empty when Message() is not.
  CircuitPicture Picture(const CircuitTheme& theme) const;

 private:
  std::optional<TableCircuit>& Slot(CircuitForm form) { return circuits_[static_cast<std::size_t>(form)]; }
  const std::optional<TableCircuit>& Slot(CircuitForm form) const {
    return circuits_[static_cast<std::size_t>(form)];
  }

  TruthTable table_;
  CircuitForm form_ = CircuitForm::kTyped;
  SymbolStyle style_ = SymbolStyle::kAnsi;
  std::array<std::optional<TableCircuit>, 5> circuits_;
  mutable std::array<std::optional<CircuitLayout>, 5> layouts_;
};

}  // namespace brevano

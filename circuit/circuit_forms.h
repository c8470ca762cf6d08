// The circuit of a table's Result in a chosen form: the network, its title, or why there is none.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "budget/budget.h"
#include "circuit/network.h"
#include "tabulate/tabulation.h"

namespace brevano {

/// The form named "typed", "sop", "pos", "nand" or "nor".
std::optional<CircuitForm> CircuitFormFromName(std::string_view name);

/// A table's circuit, or why there is none.
struct TableCircuit {
  Network network;
  /// What the circuit computes: "As typed", or the least form with the analysis's marks
  /// ("Minimal sum of products: A*B+C").
  std::string title;
  std::string error;     ///< set when there is no circuit
  bool stopped = false;  ///< set when `stop` ended it
};

/// The circuit of `table` in `form`. The two-level forms are its least forms (see Least: exact up
/// to 16 variables, improved beyond) and have none when they are not computed. `stop` is polled
/// now and then; once stopped, so is this.
TableCircuit CircuitOfTable(const TruthTable& table, CircuitForm form, const Budget& stop = {});

}  // namespace brevano

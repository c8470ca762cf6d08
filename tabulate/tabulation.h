// Truth-table tabulation of a listing: variables, columns, and rows computed on demand.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/listing.h"
#include "tabulate/compiled_program.h"

namespace brevano {

/// How truth values are written: "0"/"1" (r2, the default) or "F"/"T" (r1).
enum class DisplayMode { kZeroOne, kFalseTrue };

/// The text of a truth value in the given mode: 1 gives "1" or "T", anything else "0" or "F".
std::string BoolToText(int value, DisplayMode mode);

/// A built truth table. Rows are a pure function of the row index and are computed on demand;
/// the display mode is fixed when the table is built. Copies share the compiled program. A
/// default-constructed table is empty: the "Result" column alone and no rows. The const members
/// keep no state, so several threads may read one table at once.
class TruthTable {
 public:
  /// Builds the table of `listing`; raises EngineError for a malformed listing (an operator
  /// without operands) or for more than `maxVariables` variables, before computing any row.
  static TruthTable Build(const Listing& listing, DisplayMode mode, int maxVariables = kMaxTableVariables);
  /// The table of a compiled program.
  static TruthTable FromProgram(CompiledProgram program, DisplayMode mode);

  /// Sorted, normalised variable names (the captions of all columns but the last).
  const std::vector<std::string>& Variables() const { return variables_; }
  /// Column captions: the variables, then "Result".
  std::vector<std::string> Captions() const;
  /// Number of rows: 2^n for n variables (1 without variables; 0 for an empty table).
  std::uint64_t RowCount() const;
  /// Value of variable `column` in `row` (first variable most significant).
  int VariableValue(std::uint64_t row, int column) const;
  /// Result of `row`.
  int Result(std::uint64_t row) const;
  /// The cell texts of `row` in the table's display mode: one per variable, then the result.
  std::vector<std::string> RowTexts(std::uint64_t row) const;
  /// The display mode fixed at build time.
  DisplayMode Mode() const { return mode_; }
  /// The compiled program (for bit-parallel bulk evaluation); an empty program for an empty table.
  const CompiledProgram& Program() const;

 private:
  std::vector<std::string> variables_;
  DisplayMode mode_ = DisplayMode::kZeroOne;
  std::shared_ptr<const CompiledProgram> program_;
};

}  // namespace brevano

// What a built truth table ignores or reads differently from what was typed, and what it computes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/expr_tree.h"
#include "engine/listing.h"
#include "frontend/listed_lines.h"
#include "frontend/typed_text.h"

namespace brevano {

/// Most warnings of one diagnosis; past it the last one says how many more there were.
inline constexpr std::size_t kMaxWarnings = 20;

/// The diagnosis of a table. The table itself is never changed by it.
struct Diagnosis {
  /// One sentence each, the most telling first: unpaired parentheses, calls read past their ")",
  /// cut names, then the listing's lines in order, "*" after "/", parts that do not reach the
  /// result, arithmetic folding, ignored later statements.
  std::vector<std::string> warnings;
  /// The Result column as an expression over the table's columns (see ReadStack).
  std::string evaluatedAs;
  /// The whole typed text as its writer most likely meant it, which tabulates with only some of
  /// these warnings (see SuggestCorrection); empty when there is none. Never tabulated by itself.
  std::string suggestion;
};

/// The whole diagnosis as text: every warning on a line of its own, "Suggested: …" when there is a
/// suggestion, then "Evaluated as: …".
std::string DiagnosisText(const Diagnosis& diagnosis);

/// Diagnoses the table of `listing`, which the pipeline made of `typed` and whose processed tree it
/// left in `processed`. The listing must be well formed (see FindMissingOperand).
Diagnosis DiagnoseTable(std::string_view typed, const ExprTree& processed, const Listing& listing);

/// The same from the listing's classified lines and the typed text's own reading.
Diagnosis DiagnoseLines(const TypedReading& reading, const ExprTree& processed,
                        const std::vector<ListedLine>& lines);

}  // namespace brevano

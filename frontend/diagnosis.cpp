// Putting the checks together: typed text, listing lines, the stack's reading, folded constants.
#include "frontend/diagnosis.h"

#include <unordered_set>

#include "frontend/evaluated_as.h"
#include "frontend/folded_constants.h"
#include "frontend/infix_text.h"
#include "frontend/line_warnings.h"
#include "frontend/typed_text.h"
#include "tabulate/compiled_program.h"

namespace brevano {

namespace {

std::string UnusedWarning(const StackReading& reading) {
  std::string parts;
  for (std::size_t i = 0; i < reading.unusedParts.size(); ++i) {
    if (i > 0) parts += i + 1 == reading.unusedParts.size() && reading.unusedCount == i + 1 ? " and " : ", ";
    parts += "\"" + Abbreviated(reading.unusedParts[i]) + "\"";
  }
  if (reading.unusedCount > reading.unusedParts.size())
    parts += " and " + std::to_string(reading.unusedCount - reading.unusedParts.size()) + " more";
  return (reading.unusedCount == 1 ? "Part of the expression does not reach the result: "
                                   : "Parts of the expression do not reach the result: ") +
         parts + ".";
}

std::string LaterStatementsWarning(const ExprTree& processed) {
  return "Only the first statement is tabulated: \"" + InfixText(TopLevelAt(processed, 1)) +
         "\" after \";\" is ignored.";
}

void Deduplicate(std::vector<std::string>& warnings) {
  std::unordered_set<std::string> seen;
  std::vector<std::string> unique;
  for (std::string& warning : warnings) {
    if (seen.insert(warning).second) unique.push_back(std::move(warning));
  }
  if (unique.size() > kMaxWarnings) {
    const std::size_t more = unique.size() - (kMaxWarnings - 1);
    unique.resize(kMaxWarnings - 1);
    unique.push_back("… and " + std::to_string(more) + " more warnings.");
  }
  warnings = std::move(unique);
}

}  // namespace

std::string DiagnosisText(const Diagnosis& diagnosis) {
  std::string text;
  for (const std::string& warning : diagnosis.warnings) text += warning + '\n';
  return text + "Evaluated as: " + diagnosis.evaluatedAs;
}

Diagnosis DiagnoseTable(std::string_view typed, const ExprTree& processed, const Listing& listing) {
  Diagnosis diagnosis;
  const FoldedConstants folded = FindFoldedConstants(typed);
  std::vector<std::string>& warnings = diagnosis.warnings;
  warnings = PairingWarnings(typed);
  const LineContext context{typed, folded, !warnings.empty()};
  for (std::string& w : LineWarnings(ListedNodes(processed, listing), listing, context))
    warnings.push_back(std::move(w));
  const StackReading reading = ReadStack(listing);
  if (reading.unusedCount > 0) warnings.push_back(UnusedWarning(reading));
  warnings.insert(warnings.end(), folded.warnings.begin(), folded.warnings.end());
  if (TopLevelCount(processed) > 1) warnings.push_back(LaterStatementsWarning(processed));
  Deduplicate(warnings);
  diagnosis.evaluatedAs = reading.evaluatedAs;
  return diagnosis;
}

}  // namespace brevano

// Putting the checks together: typed text, listing lines, the stack's reading, folded constants.
#include "frontend/diagnosis.h"

#include <algorithm>
#include <unordered_set>

#include "engine/text_tests.h"
#include "frontend/evaluated_as.h"
#include "frontend/folded_constants.h"
#include "frontend/infix_text.h"
#include "frontend/line_warnings.h"
#include "frontend/typed_checks.h"

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

// True when the subtree of `node` has a leaf that is not a number.
bool HoldsName(const ExprNode* node) {
  std::vector<const ExprNode*> stack{node};
  while (!stack.empty()) {
    const ExprNode* n = stack.back();
    stack.pop_back();
    if (n->children.empty() && !IsNumberText(n->text)) return true;
    for (const ExprNode* child : n->children) stack.push_back(child);
  }
  return false;
}

// What the table would not have read in the parts the simplifier drops, checked as typed.
// Names are taken whole, as typed: what the cut to 23 characters leaves out is dropped too.
std::vector<std::string> DroppedPartWarnings(const TypedReading& reading, const DroppedParts& dropped,
                                             const LineContext& context) {
  std::vector<std::string> warnings;
  const auto check = [&](std::vector<ListedLine> lines) {
    for (ListedLine& line : lines) {
      if (line.role == LineRole::kVariable) line.name = NormaliseLine(reading.Text(line.node));
    }
    for (std::string& w : LineWarnings(lines, context)) warnings.push_back(std::move(w));
  };
  for (const ExprNode* op : dropped.operators) check({ClassifyNode(op)});
  for (const ExprNode* root : dropped.roots) check(ClassifySubtree(root));
  return warnings;
}

// A call the simplifier removes with its name (power(a;1) is a, neg(neg(a)) is a) leaves no line to
// warn of: it is told from the typed text. Calls inside a derivative are differentiated, not
// removed, and calls of numbers alone are folded constants, told as such.
std::vector<std::string> VanishedCallWarnings(const TypedReading& reading,
                                              const std::vector<ListedLine>& lines,
                                              const DroppedParts& dropped) {
  std::unordered_set<std::string> listed;
  for (const ListedLine& line : lines) {
    if (line.role == LineRole::kCall && line.node) listed.insert(line.node->text);
  }
  std::vector<std::string> warnings;
  std::vector<const ExprNode*> stack;
  if (FirstNode(reading.tree)) stack.push_back(FirstNode(reading.tree));
  while (!stack.empty()) {
    const ExprNode* n = stack.back();
    stack.pop_back();
    if (n->text == "diff @F" || dropped.inside.count(n)) continue;
    if (ClassifyNode(n).role == LineRole::kCall && listed.insert(n->text).second && HoldsName(n)) {
      warnings.push_back(
          "The function \"" + n->text.substr(0, n->text.size() - 3) + "\" in \"" + InfixText(n) +
          "\" was reduced by arithmetic before the table read it, which evaluates only not(...).");
    }
    for (auto child = n->children.rbegin(); child != n->children.rend(); ++child) stack.push_back(*child);
  }
  return warnings;
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
  if (!diagnosis.suggestion.empty()) text += "Suggested: " + diagnosis.suggestion + '\n';
  return text + "Evaluated as: " + diagnosis.evaluatedAs;
}

Diagnosis DiagnoseTable(std::string_view typed, const ExprTree& processed, const Listing& listing) {
  return DiagnoseLines(TypedReading(typed), processed, ClassifyListing(processed, listing));
}

Diagnosis DiagnoseLines(const TypedReading& reading, const ExprTree& processed,
                        const std::vector<ListedLine>& lines) {
  Diagnosis diagnosis;
  const FoldedConstants folded = FindFoldedConstants(reading);
  std::vector<std::string>& warnings = diagnosis.warnings;
  const auto append = [&warnings](std::vector<std::string> more) {
    for (std::string& w : more) warnings.push_back(std::move(w));
  };
  warnings = PairingWarnings(reading.typed);
  const bool unpaired = !warnings.empty();
  const DroppedParts dropped = FindDroppedParts(reading);
  const std::vector<std::string> closing = ClosingWarnings(reading, dropped);
  append(closing);
  append(SeparatorWarnings(reading));
  std::vector<std::string> columns;
  for (const ListedLine& line : lines) {
    if (line.role == LineRole::kVariable) columns.push_back(line.name);
  }
  std::sort(columns.begin(), columns.end());
  append(CutNameWarnings(reading, columns));
  const LineContext context{reading.typed, folded, unpaired, !closing.empty()};
  append(LineWarnings(lines, context));
  LineContext droppedContext = context;
  droppedContext.dropped = true;
  append(DroppedPartWarnings(reading, dropped, droppedContext));
  append(VanishedCallWarnings(reading, lines, dropped));
  append(GroupingWarnings(reading, dropped));
  const StackReading stack = ReadStack(lines);
  if (stack.unusedCount > 0) warnings.push_back(UnusedWarning(stack));
  append(folded.warnings);
  if (TopLevelCount(processed) > 1) warnings.push_back(LaterStatementsWarning(processed));
  Deduplicate(warnings);
  diagnosis.evaluatedAs = stack.evaluatedAs;
  return diagnosis;
}

}  // namespace brevano

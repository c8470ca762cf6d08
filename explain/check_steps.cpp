// Checking a derivation: each line tabulated as the window would, compared with the line before.
#include "explain/check_steps.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "engine/engine_error.h"
#include "explain/derivation.h"
#include "explain/law_check.h"
#include "explain/law_expression.h"
#include "frontend/tabulate_expression.h"
#include "minimise/minimise_status.h"
#include "search/ladder.h"
#include "tabulate/row_address.h"
#include "tabulate/variable_union.h"
#include "twolevel/program_cubes.h"

namespace brevano {

namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return std::string(text.substr(first, last - first + 1));
}

// A line of the derivation read: its table.
struct ReadLine {
  DerivationLine line;
  TruthTable table;
};

// Reads a line as the table does; an error is led by the line's number.
ReadLine ReadDerivationLine(const DerivationLine& line, StepsCheck& check) {
  const std::string lead = "line " + std::to_string(line.number) + ": ";
  ReadLine read{line, {}};
  try {
    ExprTree tree;
    DiagnosedTable built = TabulateExpression(line.expression, tree, DisplayMode::kZeroOne);
    read.table = built.table;
    for (const std::string& warning : built.diagnosis.warnings) check.notes.push_back(lead + warning);
  } catch (const EngineError& error) {
    throw EngineError(lead + error.what());
  }
  return read;
}

bool KnownLaw(const std::string& law) {
  const auto& laws = KnownLaws();
  return std::any_of(laws.begin(), laws.end(), [&](const auto& known) {
    return known.first.size() <= law.size() &&
           std::equal(known.first.begin(), known.first.end(), law.begin(),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
  });
}

// The first row over `variables` where the two programs differ, or none, row by row.
std::optional<std::uint64_t> FirstDifferenceByRows(const CompiledProgram& a, const CompiledProgram& b) {
  const TruthVector x = ResultBits(a), y = ResultBits(b);
  for (std::size_t w = 0; w < x.WordCount(); ++w) {
    const std::uint64_t diff = x.Word(w) ^ y.Word(w);
    if (diff) return w * 64 + static_cast<std::uint64_t>(__builtin_ctzll(diff));
  }
  return std::nullopt;
}

// A note when the law named on `line` does not give it from `before`, which is the same function.
void CheckLaw(const ReadLine& line, const ReadLine& before, StepsCheck& check) {
  const std::optional<std::string> law = LawNamed(line.line.law);
  if (!law) return;
  // Read as typed: nothing folded, so that a law's own rewrite (a double negation, say) stays to be seen.
  const auto typed = [&check](const ReadLine& read) {
    return ExprOfProgram(read.table.Program().OverVariables(check.variables), false);
  };
  const std::optional<bool> gives = LawGivesStep(*law, typed(before), typed(line));
  if (!gives || *gives) return;
  check.lawNotes.push_back("line " + std::to_string(line.line.number) + ": " + line.line.law +
                           " does not give this step from line " + std::to_string(before.line.number) +
                           " (the function is the same)");
}

// Compares line `next` with `previous`; true when they are the same function.
bool CompareLines(const ReadLine& previousLine, const ReadLine& line, std::int64_t budget,
                  StepsCheck& check) {
  const TruthTable& previous = previousLine.table;
  const TruthTable& next = line.table;
  const std::vector<std::string> both = VariableUnion(previous.Variables(), next.Variables());
  if (static_cast<int>(both.size()) > kMaxTableVariables)
    throw EngineError("The two lines have more than 63 variables together");
  const CompiledProgram a = previous.Program().OverVariables(both), b = next.Program().OverVariables(both);
  check.variables = both;
  if (static_cast<int>(both.size()) <= kMaxMinimiseVariables) {
    const std::optional<std::uint64_t> row = FirstDifferenceByRows(a, b);
    if (!row) {
      CheckLaw(line, previousLine, check);
      return true;
    }
    check.row = *row;
  } else {
    SearchLimits limits;
    limits.solverTime = std::chrono::milliseconds(budget);
    const TableComparison comparison = CompareTables(a, b, limits);
    if (comparison.status == SatStatus::kOutOfTime)
      throw EngineError("No answer within the time given to compare them");
    if (comparison.equivalent) {
      CheckLaw(line, previousLine, check);
      return true;
    }
    check.row = comparison.row;
  }
  check.previousValue = EvaluateRow(a, check.row);
  check.value = EvaluateRow(b, check.row);
  return false;
}

}  // namespace

std::vector<DerivationLine> SplitDerivation(std::string_view text) {
  std::vector<DerivationLine> lines;
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    ++number;
    const std::size_t hash = line.find('#');
    DerivationLine parsed{number, Trimmed(line.substr(0, hash)), {}};
    if (hash != std::string_view::npos) parsed.law = Trimmed(line.substr(hash + 1));
    if (!parsed.expression.empty()) lines.push_back(std::move(parsed));
  }
  return lines;
}

StepsCheck CheckDerivation(const std::vector<DerivationLine>& lines, std::int64_t solverBudget) {
  StepsCheck check;
  std::optional<ReadLine> previous;
  for (const DerivationLine& line : lines) {
    ReadLine read = ReadDerivationLine(line, check);
    if (!line.law.empty() && !KnownLaw(line.law))
      check.notes.push_back("line " + std::to_string(line.number) + ": \"" + line.law +
                            "\" is not one of the laws this program knows");
    ++check.lines;
    if (previous && !CompareLines(*previous, read, solverBudget, check)) {
      check.equal = false;
      check.wrongLine = line.number;
      check.previousLine = previous->line.number;
      check.law = line.law;
      check.lawKnown = KnownLaw(line.law);
      return check;
    }
    previous = std::move(read);
  }
  return check;
}

std::string StepsCheckText(const StepsCheck& check) {
  std::string notes;
  for (const std::string& note : check.lawNotes) notes += note + '\n';
  if (check.equal) {
    return notes + (check.lines == 1
                        ? "The one line is a function; there is no step to check.\n"
                        : "All " + std::to_string(check.lines) + " lines are the same function.\n");
  }
  const std::string k = std::to_string(check.wrongLine), before = std::to_string(check.previousLine);
  std::string assignment =
      check.variables.empty() ? "with no variables" : RowAssignmentText(check.variables, check.row);
  std::string text = notes + "line " + k + ": not the same function as line " + before + ": " + assignment +
                     " gives " + std::to_string(check.previousValue) + " on line " + before + " and " +
                     std::to_string(check.value) + " on line " + k + "\n";
  if (!check.law.empty())
    text += "line " + k + ": " + check.law +
            " does not give this step: a law keeps the function, this step changes it\n";
  return text;
}

}  // namespace brevano

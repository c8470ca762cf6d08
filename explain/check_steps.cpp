// Checking a derivation: each line tabulated as the window would, compared with the line before.
#include "explain/check_steps.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "engine/engine_error.h"
#include "explain/derivation.h"
#include "frontend/tabulate_expression.h"
#include "minimise/minimise_status.h"
#include "search/compare.h"
#include "tabulate/row_address.h"
#include "twolevel/program_cubes.h"

namespace brevano {

namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return std::string(text.substr(first, last - first + 1));
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

// Compares line `next` with `previous`; true when they are the same function.
bool CompareLines(const TruthTable& previous, const TruthTable& next, std::int64_t budget,
                  StepsCheck& check) {
  std::vector<std::string> both;
  std::set_union(previous.Variables().begin(), previous.Variables().end(), next.Variables().begin(),
                 next.Variables().end(), std::back_inserter(both));
  if (static_cast<int>(both.size()) > kMaxTableVariables)
    throw EngineError("The two lines have more than 63 variables together");
  const CompiledProgram a = previous.Program().OverVariables(both), b = next.Program().OverVariables(both);
  check.variables = both;
  if (static_cast<int>(both.size()) <= kMaxMinimiseVariables) {
    const std::optional<std::uint64_t> row = FirstDifferenceByRows(a, b);
    if (!row) return true;
    check.row = *row;
  } else {
    SearchLimits limits;
    limits.solverTime = std::chrono::milliseconds(budget);
    const TableComparison comparison = CompareTables(a, b, limits);
    if (comparison.status == SatStatus::kOutOfTime)
      throw EngineError("No answer within the time given to compare them");
    if (comparison.equivalent) return true;
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
  std::optional<TruthTable> previous;
  std::size_t previousNumber = 0;
  for (const DerivationLine& line : lines) {
    const std::string lead = "line " + std::to_string(line.number) + ": ";
    DiagnosedTable built;
    try {
      ExprTree tree;
      built = TabulateExpression(line.expression, tree, DisplayMode::kZeroOne);
    } catch (const EngineError& error) {
      throw EngineError(lead + error.what());
    }
    for (const std::string& warning : built.diagnosis.warnings) check.notes.push_back(lead + warning);
    if (!line.law.empty() && !KnownLaw(line.law))
      check.notes.push_back(lead + "\"" + line.law + "\" is not one of the laws this program knows");
    ++check.lines;
    if (previous && !CompareLines(*previous, built.table, solverBudget, check)) {
      check.equal = false;
      check.wrongLine = line.number;
      check.previousLine = previousNumber;
      check.law = line.law;
      check.lawKnown = KnownLaw(line.law);
      return check;
    }
    previous = built.table;
    previousNumber = line.number;
  }
  return check;
}

std::string StepsCheckText(const StepsCheck& check) {
  if (check.equal) {
    return check.lines == 1 ? "The one line is a function; there is no step to check.\n"
                            : "All " + std::to_string(check.lines) + " lines are the same function.\n";
  }
  const std::string k = std::to_string(check.wrongLine), before = std::to_string(check.previousLine);
  std::string assignment =
      check.variables.empty() ? "with no variables" : RowAssignmentText(check.variables, check.row);
  std::string text = "line " + k + ": not the same function as line " + before + ": " + assignment +
                     " gives " + std::to_string(check.previousValue) + " on line " + before + " and " +
                     std::to_string(check.value) + " on line " + k + "\n";
  if (!check.law.empty())
    text += "line " + k + ": " + check.law +
            " does not give this step: a law keeps the function, this step changes it\n";
  return text;
}

}  // namespace brevano

// Reading a don't-care expression: the front end's table and warnings, its columns checked against the
// table's.
#include "frontend/dont_care.h"

#include <algorithm>
#include <exception>
#include <new>

#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "engine/expr_tree.h"
#include "frontend/tabulate_expression.h"

namespace brevano {

namespace {

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// The error of a table with columns the qualified table lacks; empty when there are none.
std::string ForeignColumns(const TruthTable& table, const std::vector<std::string>& columns) {
  std::vector<std::string> foreign;
  for (const std::string& name : table.Variables()) {
    if (std::find(columns.begin(), columns.end(), name) == columns.end()) foreign.push_back(name);
  }
  if (foreign.empty()) return {};
  const std::string known = columns.empty() ? "it has none" : "its columns are " + Joined(columns);
  return "The don't-care expression names " + Joined(foreign) +
         (foreign.size() == 1 ? ", which is not a column of the table ("
                              : ", which are not columns of the table (") +
         known + ")";
}

}  // namespace

DontCareInput ReadDontCare(const std::string& text, const std::vector<std::string>& columns,
                           std::size_t maxLength) {
  DontCareInput input;
  if (text.find_first_not_of(" \t") == std::string::npos) return input;
  if (text.size() > maxLength) {
    input.error = "The don't-care expression is too long: at most " + std::to_string(maxLength) +
                  " characters are accepted";
    return input;
  }
  std::optional<DiagnosedTable> built;
  try {
    ExprTree tree;
    RunWithLargeStack(
        [&] { built = TabulateExpression(text, tree, DisplayMode::kZeroOne, kMaxTableVariables); });
  } catch (const std::bad_alloc&) {
    input.error = "Not enough memory for the don't-care expression";
  } catch (const std::exception& error) {
    input.error = error.what();
  }
  if (!built) return input;
  input.error = ForeignColumns(built->table, columns);
  if (!input.Usable()) return input;
  input.warnings = std::move(built->diagnosis.warnings);
  input.table = std::move(built->table);
  return input;
}

}  // namespace brevano

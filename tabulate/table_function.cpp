// Two tables brought onto the columns of both.
#include "tabulate/table_function.h"

#include "engine/engine_error.h"
#include "tabulate/variable_union.h"

namespace brevano {

namespace {

// `table` over `variables` (every column of it among them); the table itself when they are its own.
TruthTable Over(const TruthTable& table, const std::vector<std::string>& variables) {
  if (table.Variables() == variables) return table;
  return TruthTable::FromProgram(table.Program().OverVariables(variables), table.Mode());
}

}  // namespace

TableFunction FunctionOfTables(const TruthTable& on, const TruthTable* dontCare) {
  std::vector<std::string> variables = on.Variables();
  if (dontCare) variables = VariableUnion(variables, dontCare->Variables());
  const int n = static_cast<int>(variables.size());
  if (n > kMaxTableVariables) {
    throw EngineError("Too many variables in the expression and its don't-cares together (" +
                      std::to_string(n) + "): at most " + std::to_string(kMaxTableVariables) +
                      " can be analysed");
  }
  TableFunction function{Over(on, variables), std::nullopt};
  if (dontCare) function.dontCare = Over(*dontCare, variables);
  return function;
}

}  // namespace brevano

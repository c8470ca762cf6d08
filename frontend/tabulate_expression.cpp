// The text-to-table entry point: pipeline, operand check, table, diagnosis.
#include "frontend/tabulate_expression.h"

#include "engine/engine_error.h"
#include "frontend/folded_constants.h"
#include "frontend/line_warnings.h"
#include "frontend/missing_operand.h"
#include "pipeline/pipeline.h"

namespace brevano {

DiagnosedTable TabulateExpression(std::string_view typed, ExprTree& tree, DisplayMode mode,
                                  int maxVariables) {
  const Listing listing = ProcessExpression(typed, tree);
  if (const std::optional<MissingOperand> missing = FindMissingOperand(listing)) {
    throw EngineError(
        MissingOperandMessage(ListedNodes(tree, listing), listing, *missing, FindFoldedConstants(typed)));
  }
  DiagnosedTable result;
  result.table = TruthTable::Build(listing, mode, maxVariables);
  result.diagnosis = DiagnoseTable(typed, tree, listing);
  return result;
}

}  // namespace brevano

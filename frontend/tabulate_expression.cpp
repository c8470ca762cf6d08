// The text-to-table entry point: pipeline, operand check, table, diagnosis.
#include "frontend/tabulate_expression.h"

#include "engine/engine_error.h"
#include "frontend/fix_it.h"
#include "frontend/folded_constants.h"
#include "frontend/missing_operand.h"
#include "pipeline/pipeline.h"

namespace brevano {

DiagnosedTable TabulateExpression(std::string_view typed, ExprTree& tree, DisplayMode mode,
                                  int maxVariables) {
  const Listing listing = ProcessExpression(typed, tree);
  const std::vector<TypedLine> typedLines = ReadListing(listing);
  const std::vector<ListedLine> lines = ClassifyListing(tree, typedLines);
  const TypedReading reading(typed);
  if (const std::optional<MissingOperand> missing = FirstMissingOperand(lines))
    throw EngineError(MissingOperandMessage(lines, *missing, FindFoldedConstants(reading)));
  DiagnosedTable result;
  result.table = TruthTable::FromProgram(CompiledProgram::Compile(listing, typedLines, maxVariables), mode);
  result.diagnosis = DiagnoseLines(reading, tree, lines);
  SuggestCorrection(typed, result.diagnosis, maxVariables);
  return result;
}

}  // namespace brevano

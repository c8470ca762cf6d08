// Reading a typed text into a diagnosed truth table: the front end of the window and the command line.
#pragma once

#include <string_view>

#include "engine/expr_tree.h"
#include "frontend/diagnosis.h"
#include "tabulate/tabulation.h"

namespace brevano {

/// A table with its diagnosis.
struct DiagnosedTable {
  TruthTable table;
  Diagnosis diagnosis;
};

/// Runs the pipeline on `typed` in `tree`, builds the table and diagnoses it, with the reading
/// most likely meant where it mends a warning. An operator without
/// an operand raises an EngineError that says which operand went missing and why; every other
/// error is that of the pipeline or of TruthTable::Build. Recursive: run it on the large stack.
DiagnosedTable TabulateExpression(std::string_view typed, ExprTree& tree, DisplayMode mode,
                                  int maxVariables = kMaxTableVariables);

}  // namespace brevano

// What explain writes for a table: the way to its least form, or the tabular method, with the proof.
#pragma once

#include <string>

#include "tabulate/table_function.h"

namespace brevano {

/// What to explain and how to write it.
struct ExplainOptions {
  bool product = false;  ///< the least product of sums instead of the least sum of products
  bool tabular = false;  ///< the tabular method instead of a derivation by laws
  bool tsv = false;      ///< a derivation as STEP<TAB>LAW<TAB>EXPRESSION lines, without the proof
};

/// The explanation of `function`, whose table's "Evaluated as" text is `evaluatedAs`: the
/// derivation's numbered lines with their laws and the proof of minimality, or the tabular method
/// (with the function's don't-cares, which a derivation by laws does not take). Raises EngineError
/// past 16 variables or when the least form is not found. Recursive: run it on the large stack.
std::string ExplainTable(const TableFunction& function, const std::string& evaluatedAs,
                         const ExplainOptions& options);

}  // namespace brevano

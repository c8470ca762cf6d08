// A function with don't-cares as two truth tables over one list of columns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tabulate/tabulation.h"

namespace brevano {

/// A function with don't-cares: the Result of `on`, except in the rows where `dontCare` (when
/// given) is 1, where it may be either. Both tables have the same columns, so that a row number
/// means one assignment in each; FunctionOfTables makes them so. Copies share the tables' programs.
struct TableFunction {
  TruthTable on;
  std::optional<TruthTable> dontCare;

  /// The columns of both tables.
  const std::vector<std::string>& Variables() const { return on.Variables(); }
};

/// `on` and `dontCare` (when given) over the variables of both, in byte order. Raises EngineError
/// when they are more than kMaxTableVariables.
TableFunction FunctionOfTables(const TruthTable& on, const TruthTable* dontCare);

}  // namespace brevano

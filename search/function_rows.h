// The rows of a function with don't-cares, counted and listed by kind: what the ladder answers, and
// the rungs it picks among (a scan of every row, the function's diagrams, its cubes, the solver).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "budget/budget.h"
#include "diagram/two_level.h"
#include "minimise/cube_list.h"
#include "search/row_search.h"

namespace brevano {

/// The first rows of one kind, ascending, and how many rows of that kind there are.
struct RowList {
  std::vector<std::uint64_t> rows;
  std::uint64_t total = 0;
};

/// The first and the last row of one kind; none when there is no such row.
struct RowEnds {
  std::optional<std::uint64_t> first, last;
};

/// The budgets of counting and listing a function's rows.
struct FunctionRowLimits {
  /// Most row numbers listed of each kind.
  std::size_t maxListedRows = 10000;
  /// Tables of at most this many rows are counted row by row straight away.
  std::uint64_t quickScanRows = kQuickScanRows;
  /// Time a count row by row may take before it stops where it is.
  std::chrono::milliseconds scanTime{std::chrono::hours(24)};
  /// Budgets of the function's diagrams (and of counting its cubes), and of the solver on each of
  /// the first and last rows.
  DiagramLimits diagram;
  std::chrono::milliseconds solverTime{2000};
  /// Most variables, and most steps (64 rows through one instruction), of a count row by row of a
  /// function too complex for its diagrams.
  int maxScannedVariables = kMaxTableVariables;
  std::uint64_t maxScanSteps = ~std::uint64_t{0};
};

/// Makes a function's terms where it has few, nothing otherwise; asked at most once, and only
/// when its diagrams are too complex.
using FunctionTermsMaker = std::function<std::optional<FunctionTerms>()>;

/// The rows of a function with don't-cares by kind: 1 and 0 outside the don't-cares, don't-care.
struct FunctionRows {
  RowList ones, zeros, dontCares;
  /// Without don't-cares, when the solver found only these: the first and last row of each kind
  /// (neither kind is then empty).
  RowEnds oneEnds, zeroEnds;
  bool endsComplete = false;
  /// The counts and the lists are final.
  bool complete = false;
  /// Rows counted one by one; every row once counted from the diagrams or the cubes.
  std::uint64_t rowsScanned = 0;
  RowSearchPath path = RowSearchPath::kQuickScan;
  /// The diagrams are too complex.
  bool tooComplex = false;
  /// The table column of each level of the diagrams, once built.
  std::vector<int> order;
  /// The rows are still to be counted one by one, within the limits (ScanFunctionRows); the
  /// caller runs that when it will.
  bool scanFollows = false;
  /// The caller stopped it; nothing else is then set but tooComplex.
  bool stopped = false;
};

namespace search_detail {

/// The answer of a question the caller stopped.
FunctionRows StoppedRows();

/// Counts and lists from the diagrams: time in proportion to the variables per listed row in table
/// order; in another order the listing stops after a while, the counts staying exact.
FunctionRows DiagramRows(const FunctionDiagrams& diagrams, std::uint64_t rowCount, std::size_t limit);

/// Counts and lists from the terms over `variables` variables, within the diagrams' time; nothing
/// when that is not enough or when `budget` is stopped meanwhile.
std::optional<FunctionRows> CubeRows(const FunctionTerms& terms, int variables,
                                     const FunctionRowLimits& limits, const Budget& budget = {});

/// Without don't-cares, when the diagram is too complex: the first and last row of each kind from
/// the ladder's quick scan and solver, and every row when the Result is constant or one row differs
/// from the others. Neither complete nor endsComplete when the solver ran out of time.
FunctionRows SolverEnds(const CompiledProgram& program, const FunctionRowLimits& limits,
                        const Budget& budget);

}  // namespace search_detail

}  // namespace brevano

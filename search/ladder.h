// The one way every question about rows is answered: a short scan when that settles it, the
// decision diagram and the solver raced (or the function's cubes), and a full scan with progress;
// for a function given by cubes, its diagrams or a walk over the cubes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "budget/budget.h"
#include "search/compare.h"
#include "search/cube_rows.h"
#include "search/function_rows.h"
#include "search/row_search.h"

namespace brevano {

/// An answer, its path, and the memory handed back.
struct RowSearch {
  /// Next, previous, the n-th: the row, none when there is no such row; stopped when the caller
  /// stopped it.
  SearchOutcome outcome;
  std::uint64_t count = 0;      ///< kCount: the rows with the Result asked for
  std::optional<int> constant;  ///< kConstant: the Result of every row, none when it depends on the row
  RowSearchPath path = RowSearchPath::kQuickScan;
  SearchMemory memory;
};

/// Answers `query` about `program`'s Result. Rung by rung: the diagram when `memory` has it; a
/// quick scan where that settles it; then next and previous (and the constant, as the first row of
/// each Result) race the solver against the diagram built beside it (unless known too complex, or
/// limits.buildDiagram is false), the first to answer; the n-th and the count build the diagram
/// and, when it is too complex, scan every row within limits.maxScanSteps. `budget`'s progress gets
/// the milliseconds spent of the diagram's or the race's time while they work and rows while a
/// full scan runs; once it stops, so does the question.
RowSearch AskRows(const CompiledProgram& program, const RowQuery& query, const SearchLimits& limits = {},
                  SearchMemory memory = {}, const Budget& budget = {});

/// Counts and lists the rows of each kind of `function`. Rung by rung: a table of at most
/// limits.quickScanRows rows is scanned row by row; else the function's diagrams; when they are too
/// complex, its `terms` where it has few; without don't-cares, the first and last rows of each
/// kind from the solver (every row when the Result is constant or one row differs); and when that
/// leaves the rows uncounted, a scan of every row within the limits follows (scanFollows), which
/// the caller runs with ScanFunctionRows when it will. `budget` is handed the rows while a scan
/// runs and the milliseconds spent of the diagrams' time while they are built; once it stops, so
/// does the question.
FunctionRows AskFunctionRows(const TableFunction& function, const FunctionRowLimits& limits = {},
                             const Budget& budget = {}, const FunctionTermsMaker& terms = {});

/// The last rung: counts and lists every row bit-parallel, reporting the rows done to `budget`;
/// stops after limits.scanTime with the rows counted so far (rowsScanned).
FunctionRows ScanFunctionRows(const TableFunction& function, const FunctionRowLimits& limits = {},
                              const Budget& budget = {});

/// Answers `query` about the function of `variables` variables (at most 63) whose 1 and don't-care
/// rows are the cubes of `terms`. Rung by rung: `diagrams` (as CountCubeRows left them) when built;
/// next and previous by a walk over the cubes, which polls `budget` and ends once it stops; the
/// n-th row from the diagrams built within `limits` (none, kTooComplex, when known or found too
/// complex for them).
CellSearch AskCubeRows(const FunctionTerms& terms, int variables, const CellQuery& query,
                       const DiagramLimits& limits = {}, const FunctionDiagrams& diagrams = {},
                       const Budget& budget = {});

/// Counts the rows of each kind of the function of `variables` variables given by `terms`: its
/// diagrams built within `limits`, which `budget` may stop, and the counts read off them.
CubeCount CountCubeRows(const FunctionTerms& terms, int variables, const DiagramLimits& limits = {},
                        const Budget& budget = {});

/// The first difference of two programs over the union of their variables, by the same race: the
/// solver's miter on this thread, the diagrams built beside it; with `goOn` (the solver of an
/// earlier comparison of the same two that ran out of time), that solver alone goes on. `budget`'s
/// progress gets the milliseconds spent of the race's time. Raises EngineError when together they
/// have more than 63 variables.
TableComparison CompareTables(const CompiledProgram& first, const CompiledProgram& second,
                              const SearchLimits& limits = {}, const Budget& budget = {},
                              std::shared_ptr<DifferenceSolver> goOn = {});

}  // namespace brevano

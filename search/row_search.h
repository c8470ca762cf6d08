// Searches of a Result column that pick their path: a short scan, the decision diagram and the
// solver at once, or a full scan.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "diagram/diagram.h"
#include "sat/sat_search.h"
#include "tabulate/bit_parallel.h"

namespace brevano {

/// What to look for.
struct RowQuery {
  enum class Kind {
    kNext,      ///< the first row at or after `from` whose Result is `result`
    kPrevious,  ///< the last row at or before `from` (clamped to the last row)
    kNth,       ///< the row with Result `result` that has `from` such rows before it
  };
  Kind kind = Kind::kNext;
  int result = 1;
  std::uint64_t from = 0;
};

/// Rows a quick scan examines before a diagram or the solver is worth starting.
inline constexpr std::uint64_t kQuickScanRows = std::uint64_t{1} << 16;

/// The budgets of a search.
struct SearchLimits {
  DiagramLimits diagram;
  /// Most time the solver spends on one question.
  std::chrono::milliseconds solverTime{2000};
  /// Most steps (64 rows through one instruction) a full scan may take: the n-th row of a table
  /// too complex for its diagram is found row by row only up to this.
  std::uint64_t maxScanSteps = ~std::uint64_t{0};
  /// False while the caller builds the diagram elsewhere: next and previous then ask the solver
  /// alone.
  bool buildDiagram = true;
};

/// The steps a full scan of `program` takes: its blocks of 64 rows times its instructions.
std::uint64_t ScanSteps(const CompiledProgram& program);

/// What the searches of one table have learnt: its diagram, or that it is too complex for one,
/// and its solver. A search takes the memory and hands it back with its answer, so that one search
/// at a time uses the solver.
struct SearchMemory {
  std::shared_ptr<const Diagram> diagram;
  bool diagramTooComplex = false;
  std::shared_ptr<ResultSolver> solver;
};

/// The answer from the diagram.
std::optional<std::uint64_t> AnswerFromDiagram(const Diagram& diagram, const RowQuery& query);

/// The answer from scanning at most `maxRows` rows bit-parallel, when that settles it (the row is
/// found, or the rows to search are all scanned); nothing otherwise.
std::optional<std::optional<std::uint64_t>> QuickScan(const CompiledProgram& program, const RowQuery& query,
                                                      std::uint64_t maxRows = kQuickScanRows);

/// The answer from scanning every row it takes, bit-parallel, with progress.
SearchOutcome FullScan(const CompiledProgram& program, const RowQuery& query,
                       const ProgressCallback& progress = {});

/// How FindRow found its answer, or why it has none.
enum class RowSearchPath {
  kQuickScan,
  kDiagram,
  kSolver,
  kFullScan,
  kTooComplex,  ///< the n-th row: the diagram is too complex and the table too large to scan
  kOutOfTime,   ///< next or previous: neither the diagram nor the solver answered within budget;
                ///< searching again goes on where the solver stopped
};

/// An answer, its path, and the memory handed back.
struct RowSearch {
  SearchOutcome outcome;
  RowSearchPath path = RowSearchPath::kQuickScan;
  SearchMemory memory;
};

/// Next and previous: from the diagram when known; otherwise the quick scan, then the solver with
/// the diagram built beside it (unless known to be too complex), the first to answer. The n-th:
/// the diagram, built when not known, and a full scan within limits.maxScanSteps when it is too
/// complex. `progress` gets the milliseconds spent of the budget while the solver or the diagram
/// works, rows while a full scan runs; a false return stops the search.
RowSearch FindRow(const CompiledProgram& program, const RowQuery& query, const SearchLimits& limits = {},
                  SearchMemory memory = {}, const ProgressCallback& progress = {});

}  // namespace brevano

// The questions about a Result column and the rungs that answer them: a short scan, the decision
// diagram, and a full scan.
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
    kCount,     ///< how many rows have Result `result`
    kConstant,  ///< whether every row has the same Result, and which
  };
  Kind kind = Kind::kNext;
  int result = 1;
  std::uint64_t from = 0;
};

/// How the ladder found its answer, or why it has none.
enum class RowSearchPath {
  kQuickScan,
  kDiagram,
  kSolver,
  kCubes,  ///< the rows of a function too complex for its diagrams, counted on its cubes; or a function
           ///< given by cubes searched by a walk over them
  kFullScan,
  kTooComplex,  ///< the n-th row or a count: the diagram is too complex and the table too large to scan
                ///< (the rows of a function: nor did its cubes or the solver answer; a function given
                ///< by cubes: the n-th row, its diagrams too complex)
  kOutOfTime,   ///< next, previous or constant (or the solver's ends of a function's rows): neither
                ///< the diagram nor the solver answered within budget; asking again goes on where the
                ///< solver stopped
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
  /// Most rows of a table a quick scan settles a question on: 0 for a count that is to leave the
  /// diagram behind for the questions after it.
  std::uint64_t quickScanRows = kQuickScanRows;
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

/// The row asked for by next, previous or the n-th, from the diagram.
std::optional<std::uint64_t> AnswerFromDiagram(const Diagram& diagram, const RowQuery& query);

/// The row asked for by next, previous or the n-th, from scanning at most `maxRows` rows
/// bit-parallel, when that settles it (the row is found, or the rows to search are all scanned);
/// nothing otherwise (and for the other questions).
std::optional<std::optional<std::uint64_t>> QuickScan(const CompiledProgram& program, const RowQuery& query,
                                                      std::uint64_t maxRows = kQuickScanRows);

/// The row asked for by next, previous or the n-th, scanning every row it takes, bit-parallel, with
/// progress.
SearchOutcome FullScan(const CompiledProgram& program, const RowQuery& query, const Progress& progress = {});

}  // namespace brevano

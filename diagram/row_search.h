// Searches of a Result column that pick their path: a short scan, the diagram, or a full scan.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "diagram/diagram.h"
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

/// Rows a quick scan examines before a diagram is worth building.
inline constexpr std::uint64_t kQuickScanRows = std::uint64_t{1} << 16;

/// The answer from the diagram.
std::optional<std::uint64_t> AnswerFromDiagram(const Diagram& diagram, const RowQuery& query);

/// The answer from scanning at most `maxRows` rows bit-parallel, when that settles it (the row is
/// found, or the rows to search are all scanned); nothing otherwise.
std::optional<std::optional<std::uint64_t>> QuickScan(const CompiledProgram& program, const RowQuery& query,
                                                      std::uint64_t maxRows = kQuickScanRows);

/// The answer from scanning every row it takes, bit-parallel, with progress.
SearchOutcome FullScan(const CompiledProgram& program, const RowQuery& query,
                       const ProgressCallback& progress = {});

/// How FindRow found its answer.
enum class RowSearchPath {
  kQuickScan,
  kDiagram,
  kFullScan,
  kTooComplex,  ///< no answer: the diagram is too complex and the table too large to scan
};

/// An answer, its path, and the diagram built on the way (null when none was).
struct RowSearch {
  SearchOutcome outcome;
  RowSearchPath path = RowSearchPath::kQuickScan;
  std::shared_ptr<const Diagram> diagram;
};

/// From `known` when given; otherwise the quick scan, then the diagram (unless `knownTooComplex`),
/// then, when that is too complex, the full scan if the table has at most `maxScannedVariables`
/// variables. While the diagram is built, `progress` gets milliseconds of its time budget; a
/// false return stops the search.
RowSearch FindRow(const CompiledProgram& program, const RowQuery& query, int maxScannedVariables,
                  const DiagramLimits& limits = {}, const ProgressCallback& progress = {},
                  const std::shared_ptr<const Diagram>& known = {}, bool knownTooComplex = false);

}  // namespace brevano

// Bit-parallel evaluation of a compiled program: 64 rows per step, and bulk counting and search.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "budget/budget.h"
#include "tabulate/compiled_program.h"

namespace brevano {

/// Evaluates 64 consecutive rows at once: each stack slot is a 64-bit word whose bit k belongs to
/// the k-th row. Holds its scratch stack, so reuse one evaluator for bulk work, one per thread.
class BlockEvaluator {
 public:
  /// The program must outlive the evaluator.
  explicit BlockEvaluator(const CompiledProgram& program);

  /// Results of the rows firstRow .. firstRow+63 as bits (bit k for row firstRow+k); rows from
  /// RowCount() on give 0 bits.
  std::uint64_t Evaluate(std::uint64_t firstRow);

  /// The same for a firstRow that is a multiple of 64 (faster); rows past the end give 0 bits.
  std::uint64_t EvaluateAligned(std::uint64_t firstRow);

 private:
  // What EvaluateAligned needs, read once rather than through the program on every block: a
  // block of a short program takes a few nanoseconds, so the calls and loads around its loop count.
  std::span<const Instruction> instructions_;
  std::uint64_t rowCount_;
  int variableCount_;
  std::vector<std::uint64_t> stack_;
  std::uint64_t variableWords_[64] = {};  // indexed by row bit
};

/// Results of the rows firstRow .. firstRow+63 as bits, as BlockEvaluator::Evaluate.
std::uint64_t EvaluateBlock(const CompiledProgram& program, std::uint64_t firstRow);

/// The bits of the 64 rows from `start` that exist in a table of `rowCount` rows.
inline std::uint64_t ValidRowsMask(std::uint64_t rowCount, std::uint64_t start) {
  if (start >= rowCount) return 0;
  const std::uint64_t remaining = rowCount - start;
  return remaining >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << remaining) - 1;
}

/// Rows between two calls of the progress callback.
inline constexpr std::uint64_t kRowsPerProgressCall = std::uint64_t{1} << 22;

/// Rows between two calls of the progress callback for `program`: kRowsPerProgressCall for a short
/// program, fewer (a power of two) for a long one, so that a stop is seen within milliseconds.
std::uint64_t RowsPerProgressCall(const CompiledProgram& program);

/// Outcome of a count that may have been stopped.
struct CountOutcome {
  std::uint64_t count = 0;  ///< rows with the wanted result among those examined
  bool stopped = false;     ///< true when the progress callback stopped the count
};

/// Outcome of a search that may have been stopped.
struct SearchOutcome {
  std::optional<std::uint64_t> row;  ///< the row found, if any
  bool stopped = false;              ///< true when the progress callback stopped the search
};

/// Counts the rows whose result is `result` (0 or 1).
CountOutcome CountRows(const CompiledProgram& program, int result, const Progress& progress = {});

/// The first row at or after `fromRow` whose result is `result`.
SearchOutcome FindNextRow(const CompiledProgram& program, int result, std::uint64_t fromRow,
                          const Progress& progress = {});

/// The last row at or before `fromRow` (clamped to the last row) whose result is `result`.
SearchOutcome FindPreviousRow(const CompiledProgram& program, int result, std::uint64_t fromRow,
                              const Progress& progress = {});

}  // namespace brevano

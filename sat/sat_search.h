// Rows of a table's Result found by a SAT solver: the least or greatest row with a given Result
// from any row, and the first row where two tables differ, at any size up to 63 variables.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "budget/budget.h"
#include "tabulate/compiled_program.h"

namespace brevano {

namespace sat_detail {
class RowSolver;
}

/// How a question to the solver ended.
enum class SatStatus {
  kAnswered,
  kOutOfTime,  ///< the time budget ran out first; asking again goes on where it stopped
  kStopped,    ///< the caller's stop said so; asking again goes on where it stopped
};

/// A row found, none, or no answer.
struct SatRow {
  SatStatus status = SatStatus::kAnswered;
  std::optional<std::uint64_t> row;  ///< when answered: the row, or none when there is no such row
};

/// The Result of a compiled program as clauses in an incremental SAT solver. Each question adds to
/// what the solver has learnt, and one cut short by its budget is taken up again where it stopped
/// when it is asked again. Not thread-safe: one job at a time owns a solver.
class ResultSolver {
 public:
  explicit ResultSolver(const CompiledProgram& program);
  ~ResultSolver();
  ResultSolver(ResultSolver&&) noexcept;
  ResultSolver& operator=(ResultSolver&&) noexcept;

  int VariableCount() const { return variableCount_; }

  /// The first row at or after `from` whose Result is `result` (none past the last row). Each
  /// question may take the budget's Time(); the budget is polled often on this thread as its stop.
  SatRow Next(int result, std::uint64_t from, const Budget& budget);
  /// The last row at or before `from` (clamped to the last row) whose Result is `result`.
  SatRow Previous(int result, std::uint64_t from, const Budget& budget);

 private:
  int variableCount_ = 0;
  std::uint32_t output_ = 0;
  std::unique_ptr<sat_detail::RowSolver> solver_;
};

/// The first difference of two programs over the union of their variables.
struct SatDifference {
  SatStatus status = SatStatus::kAnswered;
  /// When answered: the first row (over the union) where the Results differ, none when equivalent.
  std::optional<std::uint64_t> row;
  int firstResult = 0;  ///< the first program's Result there
};

/// Two programs compared by a solver: the miter of the two, each reading its variables from the
/// union's row, is 1 exactly where they differ. Not thread-safe, as ResultSolver.
class DifferenceSolver {
 public:
  /// Raises EngineError when together the two have more than 63 variables.
  DifferenceSolver(const CompiledProgram& first, const CompiledProgram& second);
  ~DifferenceSolver();

  /// The union of the variables, in table order.
  const std::vector<std::string>& Variables() const { return variables_; }

  /// The least row where the two differ.
  SatDifference FirstDifference(const Budget& budget);

 private:
  std::vector<std::string> variables_;
  std::uint32_t first_ = 0, miter_ = 0;
  std::unique_ptr<sat_detail::RowSolver> solver_;
};

}  // namespace brevano

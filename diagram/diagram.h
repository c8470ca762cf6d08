// A table's Result column as a decision diagram: built on the owner thread, queried from any.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "budget/budget.h"
#include "tabulate/compiled_program.h"

namespace brevano {

/// One node of a flattened diagram. Nodes 0 and 1 are the constants 0 and 1; every other node
/// tests the variable at `level` of the diagram's order and its children come before it in the array.
struct DiagramNode {
  std::uint32_t low = 0;   ///< the child for the variable 0
  std::uint32_t high = 0;  ///< the child for the variable 1
  std::uint8_t level = 0;  ///< the variable tested; the variable count for the constants
  /// Rows with Result 1 among the assignments of the variables level .. n-1 below this node.
  std::uint64_t ones = 0;
};

/// The decision diagram of a function of a table's variables, flattened into an immutable array:
/// any number of threads may query one at once, without locks. Its variables are tested in table
/// order (the first variable on top, as the most significant bit of a row number) unless another
/// order keeps it smaller; rows and answers are in table order either way. In table order every
/// query takes time in proportion to the number of variables; in another order, to the variables
/// times the nodes.
class Diagram {
 public:
  /// The diagram of `nodes` (in the order described at DiagramNode) whose root is `root`; `order`
  /// gives the table column of each level, and is empty for table order.
  Diagram(std::vector<DiagramNode> nodes, int variableCount, std::uint32_t root, std::vector<int> order = {});

  int VariableCount() const { return variableCount_; }
  /// The table column of each level; empty when the levels are in table order.
  const std::vector<int>& Order() const { return order_; }
  /// 2^VariableCount().
  std::uint64_t RowCount() const { return std::uint64_t{1} << variableCount_; }
  /// Nodes, the two constants included.
  std::size_t NodeCount() const { return nodes_.size(); }

  /// The number of rows whose Result is `result` (0 or 1), exact.
  std::uint64_t Count(int result) const;
  /// The Result of `row` (below RowCount()).
  int Result(std::uint64_t row) const;
  /// The first row at or after `from` whose Result is `result`.
  std::optional<std::uint64_t> Next(int result, std::uint64_t from) const;
  /// The last row at or before `from` (clamped to the last row) whose Result is `result`.
  std::optional<std::uint64_t> Previous(int result, std::uint64_t from) const;
  /// The row with Result `result` that has `k` such rows before it (k counts from 0).
  std::optional<std::uint64_t> Nth(int result, std::uint64_t k) const;
  /// The number of rows before `row` whose Result is `result`.
  std::uint64_t Rank(int result, std::uint64_t row) const;

 private:
  std::uint32_t Child(std::uint32_t node, int level, int bit) const;
  std::uint64_t Rows(int result, std::uint32_t node, int level) const;
  std::uint64_t Extreme(int result, std::uint32_t node, int level, bool largest) const;
  std::optional<std::uint64_t> Search(int result, std::uint32_t node, int level, std::uint64_t from,
                                      bool forward) const;
  int RowBit(std::uint64_t row, int level) const {
    const int column = order_.empty() ? level : order_[static_cast<std::size_t>(level)];
    return static_cast<int>((row >> (variableCount_ - 1 - column)) & 1);
  }
  // The queries of a diagram in another order, through counts with some columns fixed.
  std::uint64_t CountWith(int result, std::uint64_t fixed, std::uint64_t values) const;
  std::optional<std::uint64_t> NextInOrder(int result, std::uint64_t from, bool forward) const;
  std::optional<std::uint64_t> NthInOrder(int result, std::uint64_t k) const;
  std::uint64_t RankInOrder(int result, std::uint64_t row) const;

  std::vector<DiagramNode> nodes_;
  int variableCount_ = 0;
  std::uint32_t root_ = 0;
  std::vector<int> order_;
};

/// The limits of a build.
struct DiagramLimits {
  /// Most nodes the manager may hold while building (about 20 bytes each, plus its caches).
  std::size_t maxNodes = 1'000'000;
  /// Most time a build may take.
  std::chrono::milliseconds maxTime{1500};
  /// Whether a build that is too large in table order tries the orders read from the program.
  bool otherOrders = true;
};

/// How a build ended.
enum class DiagramStatus {
  kBuilt,
  kTooComplex,  ///< the node or time budget ran out: the function is too complex for a diagram
  kStopped,     ///< the caller stopped it
};

/// A diagram, or why there is none.
struct DiagramOutcome {
  DiagramStatus status = DiagramStatus::kStopped;
  std::shared_ptr<const Diagram> diagram;  ///< set when built
};

/// The builds below poll their `stop` about every 10 ms on the waiting thread; once it stopped, the
/// build is abandoned with kStopped.

/// Builds the diagram of the program's Result by running the program on diagrams instead of bits:
/// in table order, or in an order read from the program (see CandidateOrders) where that keeps it
/// within the limits; the limits hold for all the attempts together.
DiagramOutcome BuildDiagram(const CompiledProgram& program, const DiagramLimits& limits = {},
                            const Budget& stop = {});

/// The same in `order` (the table column of each level).
DiagramOutcome BuildDiagramInOrder(const CompiledProgram& program, const std::vector<int>& order,
                                   const DiagramLimits& limits = {}, const Budget& stop = {});

/// The comparison of two programs over the union of their variables.
struct Comparison {
  DiagramStatus status = DiagramStatus::kStopped;
  std::vector<std::string> variables;  ///< the union, in table order
  bool equivalent = false;
  /// When not equivalent: the first row, over `variables`, where the two differ, and the Result
  /// of each there.
  std::uint64_t row = 0;
  int firstResult = 0;
  int secondResult = 0;
};

/// Compares the Results of two programs; raises EngineError when together they have more than
/// 63 variables.
Comparison CompareFunctions(const CompiledProgram& first, const CompiledProgram& second,
                            const DiagramLimits& limits = {}, const Budget& stop = {});

}  // namespace brevano

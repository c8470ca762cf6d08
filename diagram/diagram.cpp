// Queries of a flattened decision diagram: counts, searches, ranks; none changes the diagram.
#include "diagram/diagram.h"

#include <algorithm>

namespace brevano {

namespace {

// The rows of the variables level .. n-1 as a mask: all ones below bit n-level.
std::uint64_t SuffixMask(int variableCount, int level) {
  return (std::uint64_t{1} << (variableCount - level)) - 1;
}

}  // namespace

Diagram::Diagram(std::vector<DiagramNode> nodes, int variableCount, std::uint32_t root,
                 std::vector<int> order)
    : nodes_(std::move(nodes)), variableCount_(variableCount), root_(root), order_(std::move(order)) {
  bool tableOrder = true;
  for (std::size_t level = 0; level < order_.size(); ++level)
    tableOrder = tableOrder && order_[level] == static_cast<int>(level);
  if (tableOrder) order_.clear();
}

std::uint32_t Diagram::Child(std::uint32_t node, int level, int bit) const {
  const DiagramNode& d = nodes_[node];
  if (node < 2 || d.level != level) return node;
  return bit ? d.high : d.low;
}

// Rows of the variables level .. n-1 below `node` (which tests no variable above `level`) whose
// Result is `result`. At most 2^63, so it always fits.
std::uint64_t Diagram::Rows(int result, std::uint32_t node, int level) const {
  const std::uint64_t ones = nodes_[node].ones << (nodes_[node].level - level);
  return result ? ones : (SuffixMask(variableCount_, level) - ones) + 1;
}

// The least (or largest) assignment of the variables level .. n-1 below `node` with Result
// `result`; there must be one.
std::uint64_t Diagram::Extreme(int result, std::uint32_t node, int level, bool largest) const {
  std::uint64_t row = 0;
  for (int l = level; l < variableCount_; ++l) {
    if (node < 2) return largest ? row | SuffixMask(variableCount_, l) : row;
    const int preferred = largest ? 1 : 0;
    std::uint32_t child = Child(node, l, preferred);
    int bit = preferred;
    if (Rows(result, child, l + 1) == 0) {
      child = Child(node, l, 1 - preferred);
      bit = 1 - preferred;
    }
    node = child;
    row |= static_cast<std::uint64_t>(bit) << (variableCount_ - 1 - l);
  }
  return row;
}

// The assignment of the variables level .. n-1 nearest to that of `from` (at or after it going
// forward, at or before it going back) with Result `result`. It follows the path of `from` and
// leaves it at most once, where a count shows that a row lies beyond: time in proportion to n.
std::optional<std::uint64_t> Diagram::Search(int result, std::uint32_t node, int level, std::uint64_t from,
                                             bool forward) const {
  if (node < 2) {
    if (static_cast<int>(node) != result) return std::nullopt;
    return from & SuffixMask(variableCount_, level);
  }
  const int bit = RowBit(from, level);
  const std::uint64_t weight = std::uint64_t{1} << (variableCount_ - 1 - level);
  const std::uint64_t set = bit ? weight : 0;
  if (auto found = Search(result, Child(node, level, bit), level + 1, from, forward)) return set | *found;
  if (bit == (forward ? 1 : 0)) return std::nullopt;
  const int other = 1 - bit;
  const std::uint32_t child = Child(node, level, other);
  if (Rows(result, child, level + 1) == 0) return std::nullopt;
  return (other ? weight : 0) | Extreme(result, child, level + 1, !forward);
}

std::uint64_t Diagram::Count(int result) const { return Rows(result, root_, 0); }

int Diagram::Result(std::uint64_t row) const {
  std::uint32_t node = root_;
  for (int level = 0; node >= 2; ++level) node = Child(node, level, RowBit(row, level));
  return static_cast<int>(node);
}

std::optional<std::uint64_t> Diagram::Next(int result, std::uint64_t from) const {
  if (from >= RowCount()) return std::nullopt;
  if (!order_.empty()) return NextInOrder(result, from, true);
  return Search(result, root_, 0, from, true);
}

std::optional<std::uint64_t> Diagram::Previous(int result, std::uint64_t from) const {
  if (!order_.empty()) return NextInOrder(result, std::min(from, RowCount() - 1), false);
  return Search(result, root_, 0, std::min(from, RowCount() - 1), false);
}

std::optional<std::uint64_t> Diagram::Nth(int result, std::uint64_t k) const {
  if (k >= Count(result)) return std::nullopt;
  if (!order_.empty()) return NthInOrder(result, k);
  std::uint32_t node = root_;
  std::uint64_t row = 0;
  for (int level = 0; level < variableCount_; ++level) {
    if (node < 2) return row | k;  // every row below matches
    const std::uint32_t low = Child(node, level, 0);
    const std::uint64_t lowRows = Rows(result, low, level + 1);
    if (k < lowRows) {
      node = low;
    } else {
      k -= lowRows;
      node = Child(node, level, 1);
      row |= std::uint64_t{1} << (variableCount_ - 1 - level);
    }
  }
  return row;
}

std::uint64_t Diagram::Rank(int result, std::uint64_t row) const {
  if (!order_.empty()) return RankInOrder(result, row);
  std::uint64_t rank = 0;
  std::uint32_t node = root_;
  for (int level = 0; level < variableCount_; ++level) {
    if (node < 2)
      return static_cast<int>(node) == result ? rank + (row & SuffixMask(variableCount_, level)) : rank;
    const int bit = RowBit(row, level);
    if (bit) rank += Rows(result, Child(node, level, 0), level + 1);
    node = Child(node, level, bit);
  }
  return rank;
}

}  // namespace brevano

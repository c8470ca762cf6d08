// Queries in table order of a diagram whose levels are in another order: counts of the rows that
// agree with a prefix of a row, one pass over the nodes each.
#include <bit>

#include "diagram/diagram.h"

namespace brevano {

namespace {

// The row bits of the first `columns` columns of `variableCount`.
std::uint64_t PrefixMask(int variableCount, int columns) {
  if (columns == 0) return 0;
  const std::uint64_t all = variableCount == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << variableCount) - 1;
  return all & ~((std::uint64_t{1} << (variableCount - columns)) - 1);
}

}  // namespace

// Rows whose bits in `fixed` are those of `values` and whose Result is `result`. The nodes come
// children first, so one pass counts, for each node, the assignments of the free variables from its
// level down that reach `result`.
std::uint64_t Diagram::CountWith(int result, std::uint64_t fixed, std::uint64_t values) const {
  const int n = variableCount_;
  std::vector<int> freeBefore(static_cast<std::size_t>(n) + 1, 0);  // free levels above each level
  for (int level = 0; level < n; ++level) {
    const std::uint64_t bit = std::uint64_t{1} << (n - 1 - order_[static_cast<std::size_t>(level)]);
    freeBefore[static_cast<std::size_t>(level) + 1] =
        freeBefore[static_cast<std::size_t>(level)] + ((fixed & bit) == 0);
  }
  auto freeBetween = [&](int from, int to) {
    return freeBefore[static_cast<std::size_t>(to)] - freeBefore[static_cast<std::size_t>(from)];
  };
  std::vector<std::uint64_t> count(nodes_.size(), 0);
  count[static_cast<std::size_t>(result)] = 1;
  for (std::size_t i = 2; i < nodes_.size(); ++i) {
    const DiagramNode& node = nodes_[i];
    const int column = order_[node.level];
    const std::uint64_t bit = std::uint64_t{1} << (n - 1 - column);
    for (int value = 0; value < 2; ++value) {
      if ((fixed & bit) != 0 && ((values & bit) != 0) != (value == 1)) continue;
      const std::uint32_t child = value ? node.high : node.low;
      count[i] += count[child] << freeBetween(node.level + 1, nodes_[child].level);
    }
  }
  return count[root_] << freeBetween(0, nodes_[root_].level);
}

// The first row at or after `from` (or the last at or before it) with Result `result`: the longest
// prefix of `from` that has such a row beyond it in the direction of search, then the nearest one.
std::optional<std::uint64_t> Diagram::NextInOrder(int result, std::uint64_t from, bool forward) const {
  const int n = variableCount_;
  if (Result(from) == result) return from;
  for (int column = n - 1; column >= 0; --column) {
    const std::uint64_t bit = std::uint64_t{1} << (n - 1 - column);
    if (((from & bit) != 0) == forward) continue;  // no row beyond it by changing this column
    std::uint64_t fixed = PrefixMask(n, column + 1);
    std::uint64_t row = (from & PrefixMask(n, column)) | (forward ? bit : 0);
    if (CountWith(result, fixed, row) == 0) continue;
    for (int rest = column + 1; rest < n; ++rest) {
      const std::uint64_t restBit = std::uint64_t{1} << (n - 1 - rest);
      fixed |= restBit;
      const std::uint64_t nearer = forward ? row : row | restBit;
      row = CountWith(result, fixed, nearer) > 0 ? nearer : nearer ^ restBit;
    }
    return row;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> Diagram::NthInOrder(int result, std::uint64_t k) const {
  const int n = variableCount_;
  std::uint64_t fixed = 0, row = 0;
  for (int column = 0; column < n; ++column) {
    const std::uint64_t bit = std::uint64_t{1} << (n - 1 - column);
    fixed |= bit;
    const std::uint64_t low = CountWith(result, fixed, row);
    if (k >= low) {
      k -= low;
      row |= bit;
    }
  }
  return row;
}

std::uint64_t Diagram::RankInOrder(int result, std::uint64_t row) const {
  const int n = variableCount_;
  std::uint64_t rank = 0;
  for (int column = 0; column < n; ++column) {
    const std::uint64_t bit = std::uint64_t{1} << (n - 1 - column);
    if ((row & bit) != 0) rank += CountWith(result, PrefixMask(n, column + 1), row & PrefixMask(n, column));
  }
  return rank;
}

}  // namespace brevano

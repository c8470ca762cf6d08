// Row sets as cube lists: the complement and the count by the split on a most used variable, the
// first rows by merging each cube's rows in order.
#include "minimise/cube_sets.h"

#include <algorithm>
#include <array>
#include <queue>

namespace brevano {

namespace {

// The variable the most terms mention, as a one-bit mask (the list holds a term with a literal).
std::uint64_t SplitVariable(const CubeList& list) {
  std::array<int, 64> uses{};
  std::uint64_t any = 0;
  for (const Cube& cube : list) {
    any |= cube.care;
    for (std::uint64_t bits = cube.care; bits != 0; bits &= bits - 1) ++uses[std::countr_zero(bits)];
  }
  int best = std::countr_zero(any);
  for (std::uint64_t bits = any; bits != 0; bits &= bits - 1)
    if (uses[std::countr_zero(bits)] > uses[best]) best = std::countr_zero(bits);
  return std::uint64_t{1} << best;
}

bool HasUniversal(const CubeList& list) {
  return std::any_of(list.begin(), list.end(), [](const Cube& cube) { return cube.care == 0; });
}

bool Less(const Cube& a, const Cube& b) { return a.care != b.care ? a.care < b.care : a.value < b.value; }

// The complement of f = x'·f0 + x·f1 is x'·g0 + x·g1 for the complements g0, g1 of the cofactors;
// a term of both goes in without the literal.
bool Complement(const CubeList& list, std::size_t maxCubes, Budget& control, CubeList& out) {
  if (!control.Tick()) return false;
  if (list.empty()) {
    out.push_back({});
    return true;
  }
  if (HasUniversal(list)) return true;
  if (list.size() == 1) {
    for (std::uint64_t bits = list[0].care; bits != 0; bits &= bits - 1) {
      const std::uint64_t bit = bits & -bits;
      out.push_back({bit, (list[0].value & bit) ^ bit});
    }
    return out.size() <= maxCubes;
  }
  const std::uint64_t x = SplitVariable(list);
  CubeList low, high;
  if (!Complement(Cofactor(list, {x, 0}), maxCubes, control, low)) return false;
  if (!Complement(Cofactor(list, {x, x}), maxCubes, control, high)) return false;
  std::sort(low.begin(), low.end(), Less);
  std::sort(high.begin(), high.end(), Less);
  for (const Cube& cube : low) {
    const bool both = std::binary_search(high.begin(), high.end(), cube, Less);
    out.push_back(both ? cube : Cube{cube.care | x, cube.value});
  }
  for (const Cube& cube : high)
    if (!std::binary_search(low.begin(), low.end(), cube, Less))
      out.push_back({cube.care | x, cube.value | x});
  return out.size() <= maxCubes;
}

std::optional<std::uint64_t> Count(const CubeList& list, int free, Budget& control) {
  if (!control.Tick()) return std::nullopt;
  if (list.empty()) return 0;
  if (HasUniversal(list)) return std::uint64_t{1} << free;
  if (list.size() == 1) return std::uint64_t{1} << (free - LiteralCount(list[0]));
  const std::uint64_t x = SplitVariable(list);
  const std::optional<std::uint64_t> low = Count(Cofactor(list, {x, 0}), free - 1, control);
  if (!low) return std::nullopt;
  const std::optional<std::uint64_t> high = Count(Cofactor(list, {x, x}), free - 1, control);
  if (!high) return std::nullopt;
  return *low + *high;
}

// The least row at or after `from` in `cube`, among the rows below `end` (a power of two).
std::optional<std::uint64_t> NextRowIn(Cube cube, std::uint64_t from, std::uint64_t end) {
  if (from >= end) return std::nullopt;
  const std::uint64_t differ = (from ^ cube.value) & cube.care;
  if (differ == 0) return from;
  const std::uint64_t high = std::uint64_t{1} << (63 - std::countl_zero(differ));
  const std::uint64_t below = high - 1;
  if (cube.value & high) return (from & ~below & ~high) | high | (cube.value & below);
  // From has a 1 where the cube needs 0: carry into the lowest free 0 bit above it.
  const std::uint64_t carry = ~cube.care & ~from & ~(high | below) & (end - 1);
  if (carry == 0) return std::nullopt;
  const std::uint64_t bit = carry & -carry;
  return (from & ~(bit - 1) & ~cube.care) | bit | (cube.value & ~(bit - 1)) | (cube.value & (bit - 1));
}

}  // namespace

std::optional<CubeList> ComplementCubes(const CubeList& list, std::size_t maxCubes, Budget& control) {
  CubeList out;
  if (!Complement(list, maxCubes, control, out)) return std::nullopt;
  return out;
}

std::optional<CubeList> ProductCubes(const CubeList& a, const CubeList& b, std::size_t maxCubes) {
  CubeList product;
  for (const Cube& x : a) {
    for (const Cube& y : b) {
      if (!Intersects(x, y)) continue;
      if (product.size() == maxCubes) return std::nullopt;
      product.push_back(Intersection(x, y));
    }
  }
  return product;
}

std::optional<std::uint64_t> CountCoveredRows(const CubeList& list, int variableCount, Budget& control) {
  return Count(list, variableCount, control);
}

std::vector<std::uint64_t> FirstCoveredRows(const CubeList& list, const CubeList& except, int variableCount,
                                            std::size_t limit, Budget& control) {
  const std::uint64_t end = std::uint64_t{1} << variableCount;
  using Next = std::pair<std::uint64_t, std::size_t>;  // a cube's next row, and the cube
  std::priority_queue<Next, std::vector<Next>, std::greater<>> queue;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (const auto row = NextRowIn(list[i], 0, end)) queue.push({*row, i});
  std::vector<std::uint64_t> rows;
  while (!queue.empty() && rows.size() < limit && control.Tick()) {
    const std::uint64_t row = queue.top().first;
    const std::size_t cube = queue.top().second;
    queue.pop();
    if (row + 1 < end)
      if (const auto next = NextRowIn(list[cube], row + 1, end)) queue.push({*next, cube});
    if (!rows.empty() && rows.back() == row) continue;
    if (std::any_of(except.begin(), except.end(), [row](const Cube& c) { return CubeContains(c, row); }))
      continue;
    rows.push_back(row);
  }
  return rows;
}

}  // namespace brevano

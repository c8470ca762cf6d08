// Product terms over the row bits of a truth table, and their order.
#pragma once

#include <bit>
#include <cstdint>

namespace brevano {

/// A product term over up to 63 variables. Row bit b stands for variable n-1-b (the first variable
/// is the most significant bit of a row number). A bit set in `care` makes that variable a literal,
/// plain when the same bit of `value` is set and negated otherwise; `value` has no bits outside
/// `care`.
struct Cube {
  std::uint64_t care = 0;
  std::uint64_t value = 0;

  friend bool operator==(const Cube&, const Cube&) = default;
};

/// Number of literals of the cube.
inline int LiteralCount(Cube cube) { return std::popcount(cube.care); }

/// True when the row lies in the cube.
inline bool CubeContains(Cube cube, std::uint64_t row) { return (row & cube.care) == cube.value; }

/// The cube's key in the order used everywhere: variable by variable from the first, a negated
/// literal before a plain one before an absent variable. It is the cube's index in base 3 with
/// digit 0, 1 or 2 (absent) for row bit b at weight 3^b; it fits its 64 bits up to 40 variables.
inline std::uint64_t CubeKey(Cube cube, int variableCount) {
  std::uint64_t key = 0;
  for (int bit = variableCount; bit-- > 0;) {
    const std::uint64_t mask = std::uint64_t{1} << bit;
    key = key * 3 + ((cube.care & mask) ? ((cube.value & mask) ? 1 : 0) : 2);
  }
  return key;
}

}  // namespace brevano

// Tautology and complement by splitting on the most binate input (Shannon expansion), with the
// quick answers that settle most branches: an empty sum, a universal cube, one cube alone.
#include "function/cube_algebra.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace brevano {

namespace {

struct TooLarge {};

bool IsUniversal(const MultiCube& cube) {
  for (int w = 0; w < cube.InputWords(); ++w) {
    const std::uint64_t word = cube.bits[static_cast<std::size_t>(w)];
    const int left = std::min(32, cube.inputs - 32 * w);
    const std::uint64_t full = left == 32 ? ~std::uint64_t{0} : (std::uint64_t{1} << (2 * left)) - 1;
    if (word != full) return false;
  }
  return true;
}

constexpr std::uint64_t kLow = 0x5555555555555555ULL;

// The inputs of word `w` of a cube that are 0 literals and that are 1 literals, as the low bits of
// their two-bit fields.
std::uint64_t ZeroBits(const MultiCube& cube, int w) {
  const std::uint64_t word = cube.bits[static_cast<std::size_t>(w)];
  return word & ~(word >> 1) & kLow;
}
std::uint64_t OneBits(const MultiCube& cube, int w) {
  const std::uint64_t word = cube.bits[static_cast<std::size_t>(w)];
  return (word >> 1) & ~word & kLow;
}

// For each input word, the inputs that are a 0 literal in some cube and a 1 literal in some cube.
void LiteralMasks(const CubeCover& cover, std::vector<std::uint64_t>& zero, std::vector<std::uint64_t>& one) {
  const int words = cover.front().InputWords();
  zero.assign(static_cast<std::size_t>(words), 0);
  one.assign(static_cast<std::size_t>(words), 0);
  for (const MultiCube& cube : cover) {
    for (int w = 0; w < words; ++w) {
      zero[static_cast<std::size_t>(w)] |= ZeroBits(cube, w);
      one[static_cast<std::size_t>(w)] |= OneBits(cube, w);
    }
  }
}

// The input to split on: the one most often a literal among those that are both 0 and 1 somewhere,
// or, when none is, the one most often a literal; -1 when no cube has a literal.
int SplitInput(const CubeCover& cover, bool& binate) {
  std::vector<std::uint64_t> zero, one;
  LiteralMasks(cover, zero, one);
  const int words = cover.front().InputWords();
  std::vector<std::uint64_t> wanted(static_cast<std::size_t>(words));
  binate = false;
  for (int w = 0; w < words; ++w) {
    wanted[static_cast<std::size_t>(w)] =
        zero[static_cast<std::size_t>(w)] & one[static_cast<std::size_t>(w)];
    binate = binate || wanted[static_cast<std::size_t>(w)] != 0;
  }
  if (!binate)
    for (int w = 0; w < words; ++w)
      wanted[static_cast<std::size_t>(w)] =
          zero[static_cast<std::size_t>(w)] | one[static_cast<std::size_t>(w)];
  std::vector<int> count(static_cast<std::size_t>(cover.front().inputs));
  for (const MultiCube& cube : cover) {
    for (int w = 0; w < words; ++w) {
      std::uint64_t literals = (ZeroBits(cube, w) | OneBits(cube, w)) & wanted[static_cast<std::size_t>(w)];
      for (; literals; literals &= literals - 1)
        ++count[static_cast<std::size_t>(32 * w + std::countr_zero(literals) / 2)];
    }
  }
  int best = -1, bestCount = 0;
  for (std::size_t i = 0; i < count.size(); ++i)
    if (count[i] > bestCount) best = static_cast<int>(i), bestCount = count[i];
  return best;
}

// The cofactor on input `i` taking `value`.
CubeCover Split(const CubeCover& cover, int i, Literal value) {
  CubeCover half;
  for (const MultiCube& cube : cover) {
    const Literal own = cube.Input(i);
    if (own != Literal::kFree && own != value) continue;
    half.push_back(cube);
    half.back().SetInput(i, Literal::kFree);
  }
  return half;
}

// The cubes without a literal on any input that is only ever one value (a unate input): the sum
// is a tautology exactly when they are, as its cofactor on the other value shows.
CubeCover WithoutUnateLiterals(const CubeCover& cover) {
  std::vector<std::uint64_t> zero, one;
  LiteralMasks(cover, zero, one);
  const int words = cover.front().InputWords();
  CubeCover kept;
  for (const MultiCube& cube : cover) {
    bool unate = false;
    for (int w = 0; w < words && !unate; ++w) {
      const std::uint64_t only = zero[static_cast<std::size_t>(w)] ^ one[static_cast<std::size_t>(w)];
      unate = ((ZeroBits(cube, w) | OneBits(cube, w)) & only) != 0;
    }
    if (!unate) kept.push_back(cube);
  }
  return kept;
}

bool Tautology(const CubeCover& given) {
  if (given.empty()) return false;
  const CubeCover cover = WithoutUnateLiterals(given);
  if (cover.empty()) return false;
  double volume = 0;
  for (const MultiCube& cube : cover) {
    if (IsUniversal(cube)) return true;
    volume += std::ldexp(1.0, -cube.LiteralCount());
  }
  if (volume < 1.0 - 1e-12) return false;
  bool binate = false;
  const int i = SplitInput(cover, binate);
  if (!binate) return false;  // a unate sum is 1 everywhere only with a universal cube
  return Tautology(Split(cover, i, Literal::kZero)) && Tautology(Split(cover, i, Literal::kOne));
}

// The bounds of one complement: cubes in any partial result, and splits made.
struct ComplementLimits {
  std::size_t cubes = 0;
  std::size_t splits = 0;
};

CubeCover ComplementOf(const CubeCover& cover, const MultiCube& universe, ComplementLimits& limit) {
  if (cover.empty()) return {universe};
  for (const MultiCube& cube : cover)
    if (IsUniversal(cube)) return {};
  CubeCover result;
  if (cover.size() == 1) {
    for (int i = 0; i < universe.inputs; ++i) {
      const Literal value = cover.front().Input(i);
      if (value == Literal::kFree) continue;
      result.push_back(universe);
      result.back().SetInput(i, value == Literal::kOne ? Literal::kZero : Literal::kOne);
    }
    return result;
  }
  if (limit.splits-- == 0) throw TooLarge{};
  bool binate = false;
  const int i = SplitInput(cover, binate);
  CubeCover zero = ComplementOf(Split(cover, i, Literal::kZero), universe, limit);
  CubeCover one = ComplementOf(Split(cover, i, Literal::kOne), universe, limit);
  // A cube in both halves is kept once, without the input split on.
  std::sort(zero.begin(), zero.end());
  std::sort(one.begin(), one.end());
  std::size_t a = 0, b = 0;
  while (a < zero.size() || b < one.size()) {
    if (b == one.size() || (a < zero.size() && zero[a] < one[b])) {
      result.push_back(zero[a++]), result.back().SetInput(i, Literal::kZero);
    } else if (a == zero.size() || one[b] < zero[a]) {
      result.push_back(one[b++]), result.back().SetInput(i, Literal::kOne);
    } else {
      result.push_back(zero[a++]), ++b;
    }
  }
  if (result.size() > limit.cubes) throw TooLarge{};
  return result;
}

bool HasLiteral(const MultiCube& cube) { return !IsUniversal(cube); }

// The smallest cube holding every point the sum does not; nothing when the sum is a tautology.
// Past `splits` splits it gives up and answers the universe (which holds every such point).
std::optional<MultiCube> SmallestOfComplement(const CubeCover& cover, const MultiCube& universe,
                                              std::size_t& splits) {
  if (cover.empty()) return universe;
  for (const MultiCube& cube : cover)
    if (IsUniversal(cube)) return std::nullopt;
  if (cover.size() == 1) {
    const MultiCube& only = cover.front();
    if (only.LiteralCount() > 1) return universe;
    MultiCube result = universe;
    for (int i = 0; i < universe.inputs; ++i)
      if (only.Input(i) != Literal::kFree)
        result.SetInput(i, only.Input(i) == Literal::kOne ? Literal::kZero : Literal::kOne);
    return result;
  }
  if (splits == 0) return universe;
  --splits;
  bool binate = false;
  const int i = SplitInput(cover, binate);
  const CubeCover oneHalf = Split(cover, i, Literal::kOne);
  std::optional<MultiCube> zero = SmallestOfComplement(Split(cover, i, Literal::kZero), universe, splits);
  // A half with no literal left makes the answer the universe unless the other half is all 1.
  if (zero && !HasLiteral(*zero)) {
    if (!Tautology(oneHalf)) return universe;
    zero->SetInput(i, Literal::kZero);
    return zero;
  }
  std::optional<MultiCube> one = SmallestOfComplement(oneHalf, universe, splits);
  if (zero) zero->SetInput(i, Literal::kZero);
  if (one) one->SetInput(i, Literal::kOne);
  if (zero && one) return Supercube(*zero, *one);
  return zero ? zero : one;
}

}  // namespace

CubeCover Cofactor(const CubeCover& cover, const MultiCube& cube) {
  CubeCover result;
  for (const MultiCube& other : cover) {
    if (!InputsIntersect(other, cube)) continue;
    MultiCube part = other;
    for (int w = 0; w < cube.InputWords(); ++w) {
      const std::uint64_t c = cube.bits[static_cast<std::size_t>(w)];
      const int left = std::min(32, cube.inputs - 32 * w);
      const std::uint64_t low =
          0x5555555555555555ULL & (left == 32 ? ~std::uint64_t{0} : (std::uint64_t{1} << (2 * left)) - 1);
      const std::uint64_t literals = ~(c & (c >> 1)) & low;
      part.bits[static_cast<std::size_t>(w)] |= literals * 3;
    }
    result.push_back(std::move(part));
  }
  return result;
}

bool IsTautology(const CubeCover& cover) { return Tautology(cover); }

bool CoversInputs(const CubeCover& cover, const MultiCube& cube) { return Tautology(Cofactor(cover, cube)); }

std::optional<MultiCube> SmallestUncovered(const CubeCover& cover, const MultiCube& cube) {
  const MultiCube universe = WithOutputsOf(MultiCube::Universe(cube.inputs, cube.outputs), cube);
  std::size_t splits = 100000;
  std::optional<MultiCube> part = SmallestOfComplement(Cofactor(cover, cube), universe, splits);
  if (!part) return std::nullopt;
  return Intersection(*part, cube);
}

std::optional<CubeCover> Complement(const CubeCover& cover, const MultiCube& outputs, std::size_t limit) {
  const MultiCube universe = WithOutputsOf(MultiCube::Universe(outputs.inputs, outputs.outputs), outputs);
  ComplementLimits limits{limit, 8 * limit};
  try {
    return ComplementOf(cover, universe, limits);
  } catch (const TooLarge&) {
    return std::nullopt;
  }
}

CubeCover CubesOfOutput(const CubeCover& cover, int o) {
  CubeCover result;
  for (const MultiCube& cube : cover)
    if (cube.HasOutput(o)) result.push_back(WithOutput(cube, o));
  return result;
}

}  // namespace brevano

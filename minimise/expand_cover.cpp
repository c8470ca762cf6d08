// Expansion by the blocking matrix: a cube stays apart from an off cube as long as it keeps one of
// the literals that separate them.
#include "minimise/expand_cover.h"

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>

namespace brevano {

namespace {

// For each literal of the cube, the off cubes it separates the cube from, as bits.
class BlockingMatrix {
 public:
  BlockingMatrix(Cube cube, const CubeList& off) : words_((off.size() + 63) / 64) {
    for (std::size_t r = 0; r < off.size(); ++r) {
      const std::uint64_t blocking = cube.care & off[r].care & (cube.value ^ off[r].value);
      if (std::popcount(blocking) == 1) essential_ |= blocking;
      for (std::uint64_t bits = blocking; bits != 0; bits &= bits - 1)
        Column(std::countr_zero(bits))[r / 64] |= Bit(r);
    }
    full_.assign(words_, ~std::uint64_t{0});
    if (off.size() % 64 != 0 && words_ > 0) full_.back() = Bit(off.size()) - 1;
  }

  // Literals that alone keep the cube apart from some off cube.
  std::uint64_t Essential() const { return essential_; }

  // True when the literals `kept` still separate the cube from every off cube.
  bool Separates(std::uint64_t kept) const {
    for (std::size_t w = 0; w < words_; ++w) {
      std::uint64_t hit = 0;
      for (std::uint64_t bits = kept; bits != 0 && hit != full_[w]; bits &= bits - 1)
        hit |= ColumnAt(std::countr_zero(bits), w);
      if (hit != full_[w]) return false;
    }
    return true;
  }

  // Greedily adds literals of `candidates` to `kept` until they separate the cube from every off
  // cube, each time the one that separates it from most of those left; then drops those not needed.
  std::uint64_t CompleteKept(std::uint64_t kept, std::uint64_t candidates) const {
    std::vector<std::uint64_t> left = full_;
    for (std::uint64_t bits = kept; bits != 0; bits &= bits - 1) Remove(left, std::countr_zero(bits));
    while (std::any_of(left.begin(), left.end(), [](std::uint64_t w) { return w != 0; })) {
      int best = -1, bestCount = 0;
      for (std::uint64_t bits = candidates & ~kept; bits != 0; bits &= bits - 1) {
        const int bit = std::countr_zero(bits);
        int count = 0;
        for (std::size_t w = 0; w < words_; ++w) count += std::popcount(ColumnAt(bit, w) & left[w]);
        if (count > bestCount) best = bit, bestCount = count;
      }
      if (best < 0) break;  // cannot happen for a cube apart from every off cube
      kept |= std::uint64_t{1} << best;
      Remove(left, best);
    }
    for (std::uint64_t bits = kept & ~essential_; bits != 0; bits &= bits - 1) {
      const std::uint64_t bit = bits & -bits;
      if (Separates(kept & ~bit)) kept &= ~bit;
    }
    return kept;
  }

 private:
  static std::uint64_t Bit(std::size_t index) { return std::uint64_t{1} << (index % 64); }
  std::vector<std::uint64_t>& Column(int bit) {
    if (columns_.empty()) columns_.resize(64);
    std::vector<std::uint64_t>& column = columns_[static_cast<std::size_t>(bit)];
    if (column.empty()) column.assign(words_, 0);
    return column;
  }
  std::uint64_t ColumnAt(int bit, std::size_t word) const {
    if (columns_.empty()) return 0;
    const std::vector<std::uint64_t>& column = columns_[static_cast<std::size_t>(bit)];
    return column.empty() ? 0 : column[word];
  }
  void Remove(std::vector<std::uint64_t>& left, int bit) const {
    for (std::size_t w = 0; w < words_; ++w) left[w] &= ~ColumnAt(bit, w);
  }

  std::size_t words_;
  std::vector<std::vector<std::uint64_t>> columns_;
  std::vector<std::uint64_t> full_;
  std::uint64_t essential_ = 0;
};

// The cubes of `targets` that `cube` holds.
int Holds(Cube cube, const CubeList& targets) {
  int count = 0;
  for (const Cube& target : targets) count += ContainsCube(cube, target);
  return count;
}

// Within `allowed`: each literal in turn, those the fewest targets share first, dropped while the
// cube stays inside.
Cube ExpandWithin(Cube cube, const CubeList& allowed, const CubeList& targets) {
  std::array<int, 64> shared{};
  for (const Cube& target : targets) {
    for (std::uint64_t bits = cube.care & target.care & ~(cube.value ^ target.value); bits != 0;
         bits &= bits - 1)
      ++shared[std::countr_zero(bits)];
  }
  std::vector<int> literals;
  for (std::uint64_t bits = cube.care; bits != 0; bits &= bits - 1)
    literals.push_back(std::countr_zero(bits));
  std::stable_sort(literals.begin(), literals.end(), [&](int a, int b) { return shared[a] < shared[b]; });
  for (int literal : literals) {
    const std::uint64_t bit = std::uint64_t{1} << literal;
    const Cube wider{cube.care & ~bit, cube.value & ~bit};
    if (CoversCube(allowed, wider)) cube = wider;
  }
  return cube;
}

}  // namespace

Cube ExpandCube(Cube cube, const CubeFunction& function, const CubeList& targets) {
  if (function.allowed) return ExpandWithin(cube, *function.allowed, targets);
  const CubeList& off = function.off;
  const BlockingMatrix matrix(cube, off);
  const std::uint64_t kept = matrix.Essential();
  // Take in whole targets while some can be: each step raises the literals that stand between the
  // cube and a target, choosing the target whose supercube holds the most targets.
  while (true) {
    Cube best = cube;
    int bestHeld = -1;
    for (const Cube& target : targets) {
      if (ContainsCube(cube, target)) continue;
      const Cube grown = Supercube(cube, target);
      const std::uint64_t raised = cube.care & ~grown.care;
      if ((raised & kept) != 0 || !matrix.Separates(grown.care)) continue;
      const int held = Holds(grown, targets);
      if (held > bestHeld || (held == bestHeld && LiteralCount(grown) > LiteralCount(best))) {
        best = grown;
        bestHeld = held;
      }
    }
    if (bestHeld < 0) break;
    cube = best;
  }
  const std::uint64_t care = matrix.CompleteKept(kept & cube.care, cube.care);
  return {care, cube.value & care};
}

CubeList ExpandCover(const CubeList& cover, const CubeFunction& function, Budget& control) {
  std::vector<std::size_t> order(cover.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return LiteralCount(cover[a]) < LiteralCount(cover[b]);
  });
  std::vector<char> done(cover.size(), false);
  CubeList expanded;
  for (std::size_t i : order) {
    if (done[i]) continue;
    done[i] = true;
    if (!control.LongTick()) {
      expanded.push_back(cover[i]);
      continue;
    }
    CubeList targets;
    for (std::size_t j : order)
      if (!done[j]) targets.push_back(cover[j]);
    const Cube cube = ExpandCube(cover[i], function, targets);
    for (std::size_t j = 0; j < cover.size(); ++j)
      if (!done[j] && ContainsCube(cube, cover[j])) done[j] = true;
    expanded.push_back(cube);
  }
  return expanded;
}

}  // namespace brevano

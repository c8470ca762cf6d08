// Minato-Morreale on bit vectors: each call splits on the first variable, whose two halves are the
// two halves of the rows.
#include "minimise/truth_vector_cover.h"

#include <algorithm>

namespace brevano {

namespace {

// The rows of a function of `variables` variables: words as in TruthVector, the bits past the
// last row 0.
struct Rows {
  int variables = 0;
  std::vector<std::uint64_t> words;

  std::uint64_t Mask() const {
    return variables >= 6 ? ~std::uint64_t{0} : (std::uint64_t{1} << (std::uint64_t{1} << variables)) - 1;
  }
  bool None() const {
    return std::all_of(words.begin(), words.end(), [](std::uint64_t w) { return w == 0; });
  }
  bool All() const {
    return std::all_of(words.begin(), words.end(), [this](std::uint64_t w) { return w == Mask(); });
  }
};

Rows Empty(int variables) {
  return {variables, std::vector<std::uint64_t>(variables >= 6 ? std::size_t{1} << (variables - 6) : 1, 0)};
}

// The rows where the first variable is `value`, as a function of the others.
Rows Half(const Rows& rows, int value) {
  Rows half = Empty(rows.variables - 1);
  if (rows.variables > 6) {
    const std::size_t count = half.words.size();
    std::copy_n(rows.words.begin() + static_cast<std::ptrdiff_t>(value ? count : 0), count,
                half.words.begin());
  } else {
    const int shift = value ? 1 << (rows.variables - 1) : 0;
    half.words[0] = (rows.words[0] >> shift) & half.Mask();
  }
  return half;
}

// The function of `low` where the first variable is 0 and `high` where it is 1.
Rows Join(const Rows& low, const Rows& high) {
  Rows rows = Empty(low.variables + 1);
  if (rows.variables > 6) {
    std::copy(low.words.begin(), low.words.end(), rows.words.begin());
    std::copy(high.words.begin(), high.words.end(),
              rows.words.begin() + static_cast<std::ptrdiff_t>(low.words.size()));
  } else {
    rows.words[0] = low.words[0] | (high.words[0] << (1 << low.variables));
  }
  return rows;
}

Rows Combine(const Rows& a, const Rows& b, std::uint64_t (*op)(std::uint64_t, std::uint64_t)) {
  Rows result = Empty(a.variables);
  for (std::size_t i = 0; i < a.words.size(); ++i) result.words[i] = op(a.words[i], b.words[i]) & a.Mask();
  return result;
}

std::uint64_t And(std::uint64_t a, std::uint64_t b) { return a & b; }
std::uint64_t Or(std::uint64_t a, std::uint64_t b) { return a | b; }
std::uint64_t AndNot(std::uint64_t a, std::uint64_t b) { return a & ~b; }

// Appends the cover of [lower, upper] to `cubes` (its terms over the variables' row bits) and
// returns the rows it covers.
Rows Cover(const Rows& lower, const Rows& upper, CubeList& cubes) {
  if (lower.None()) return Empty(lower.variables);
  if (upper.All()) {
    cubes.push_back({});
    Rows all = Empty(lower.variables);
    for (std::uint64_t& w : all.words) w = all.Mask();
    return all;
  }
  const std::uint64_t bit = std::uint64_t{1} << (lower.variables - 1);
  const Rows l0 = Half(lower, 0), l1 = Half(lower, 1), u0 = Half(upper, 0), u1 = Half(upper, 1);
  const std::size_t first = cubes.size();
  const Rows c0 = Cover(Combine(l0, u1, AndNot), u0, cubes);
  for (std::size_t i = first; i < cubes.size(); ++i) cubes[i].care |= bit;
  const std::size_t second = cubes.size();
  const Rows c1 = Cover(Combine(l1, u0, AndNot), u1, cubes);
  for (std::size_t i = second; i < cubes.size(); ++i) cubes[i].care |= bit, cubes[i].value |= bit;
  const Rows rest = Combine(Combine(l0, c0, AndNot), Combine(l1, c1, AndNot), Or);
  const Rows either = Cover(rest, Combine(u0, u1, And), cubes);
  return Join(Combine(c0, either, Or), Combine(c1, either, Or));
}

}  // namespace

CubeList CoverOfRows(const TruthVector& lower, const TruthVector& upper) {
  Rows low = Empty(lower.Variables()), up = Empty(upper.Variables());
  for (std::size_t i = 0; i < low.words.size(); ++i) {
    low.words[i] = lower.Word(i);
    up.words[i] = upper.Word(i) | lower.Word(i);
  }
  CubeList cubes;
  Cover(low, up, cubes);
  return cubes;
}

}  // namespace brevano

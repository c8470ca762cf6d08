// What a multi-output term may hold: for each output its 1 and don't-care points, and where it is
// small enough its 0 points as cubes, which make the test of a term a scan instead of a tautology.
#pragma once

#include <optional>
#include <vector>

#include "function/boolean_function.h"

namespace brevano {

/// The sets of every output of one function, as the minimiser's steps read them.
class OutputSets {
 public:
  /// Takes the function's cubes apart by output; the 0 points of an output are made as cubes when
  /// they take at most `offLimit` cubes.
  OutputSets(const BooleanFunction& function, std::size_t offLimit);

  int Outputs() const { return static_cast<int>(allowed_.size()); }
  /// True when the input part of `cube` holds no 0 point of output `o`.
  bool Fits(const MultiCube& cube, int o) const;
  /// True when it holds no 0 point of any output it is tagged with.
  bool FitsAll(const MultiCube& cube) const;
  /// The don't-care cubes of output `o`, tagged with it.
  const CubeCover& DontCare(int o) const { return dontCare_[static_cast<std::size_t>(o)]; }
  /// The 0 points of output `o` as cubes, when made.
  const std::optional<CubeCover>& Off(int o) const { return off_[static_cast<std::size_t>(o)]; }

 private:
  std::vector<CubeCover> allowed_;
  std::vector<CubeCover> dontCare_;
  std::vector<std::optional<CubeCover>> off_;
};

/// The terms of `cover` but `skip` (an index, or cover.size() for none) that feed output `o`,
/// tagged with it, followed by that output's don't-cares.
CubeCover OthersOfOutput(const CubeCover& cover, std::size_t skip, int o, const OutputSets& sets);

}  // namespace brevano

// The sets of each output, made once per minimisation.
#include "multiout/output_sets.h"

namespace brevano {

OutputSets::OutputSets(const BooleanFunction& function, std::size_t offLimit) {
  for (int o = 0; o < function.OutputCount(); ++o) {
    OutputCubes cubes = CubesOf(function, o);
    CubeCover allowed = cubes.on;
    allowed.insert(allowed.end(), cubes.dontCare.begin(), cubes.dontCare.end());
    off_.push_back(Complement(allowed, WithOutput(function.AllOutputs(), o), offLimit));
    allowed_.push_back(std::move(allowed));
    dontCare_.push_back(std::move(cubes.dontCare));
  }
}

bool OutputSets::Fits(const MultiCube& cube, int o) const {
  const std::optional<CubeCover>& off = off_[static_cast<std::size_t>(o)];
  if (!off) return CoversInputs(allowed_[static_cast<std::size_t>(o)], cube);
  for (const MultiCube& zero : *off)
    if (InputsIntersect(zero, cube)) return false;
  return true;
}

bool OutputSets::FitsAll(const MultiCube& cube) const {
  for (int o = 0; o < Outputs(); ++o)
    if (cube.HasOutput(o) && !Fits(cube, o)) return false;
  return true;
}

CubeCover OthersOfOutput(const CubeCover& cover, std::size_t skip, int o, const OutputSets& sets) {
  CubeCover others;
  for (std::size_t t = 0; t < cover.size(); ++t)
    if (t != skip && cover[t].HasOutput(o)) others.push_back(WithOutput(cover[t], o));
  const CubeCover& dontCare = sets.DontCare(o);
  others.insert(others.end(), dontCare.begin(), dontCare.end());
  return others;
}

}  // namespace brevano

// The outputs of a function taken apart, and covers checked against every output.
#include "function/boolean_function.h"

namespace brevano {

MultiCube BooleanFunction::AllOutputs() const {
  MultiCube cube = MultiCube::Universe(InputCount(), OutputCount());
  for (int o = 0; o < OutputCount(); ++o) cube.SetOutput(o, true);
  return cube;
}

OutputCubes CubesOf(const BooleanFunction& function, int o) {
  return {CubesOfOutput(function.on, o), CubesOfOutput(function.dontCare, o)};
}

CoverFault CheckCover(const BooleanFunction& function, const CubeCover& cover) {
  for (int o = 0; o < function.OutputCount(); ++o) {
    const OutputCubes cubes = CubesOf(function, o);
    const CubeCover terms = CubesOfOutput(cover, o);
    CubeCover allowed = cubes.on;
    allowed.insert(allowed.end(), cubes.dontCare.begin(), cubes.dontCare.end());
    for (std::size_t t = 0; t < cover.size(); ++t) {
      if (cover[t].HasOutput(o) && !CoversInputs(allowed, cover[t])) return {o, t, true};
    }
    // A 1 cube may be partly a don't-care, which wins: only its other points must be covered.
    CubeCover covering = terms;
    covering.insert(covering.end(), cubes.dontCare.begin(), cubes.dontCare.end());
    for (std::size_t t = 0; t < function.on.size(); ++t) {
      if (function.on[t].HasOutput(o) && !CoversInputs(covering, function.on[t])) return {o, t, false};
    }
  }
  return {};
}

}  // namespace brevano

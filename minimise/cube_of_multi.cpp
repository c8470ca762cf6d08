// Conversions between the row-bit cube and the any-width multi-output cube.
#include "minimise/cube_of_multi.h"

namespace brevano {

MultiCube MultiCubeOf(Cube cube, int inputs, int outputs, int output) {
  MultiCube multi = MultiCube::Universe(inputs, outputs);
  multi.SetOutput(output, true);
  for (int i = 0; i < inputs; ++i) {
    const std::uint64_t bit = std::uint64_t{1} << (inputs - 1 - i);
    if (cube.care & bit) multi.SetInput(i, (cube.value & bit) ? Literal::kOne : Literal::kZero);
  }
  return multi;
}

std::optional<Cube> CubeOf(const MultiCube& cube) {
  const int n = cube.inputs;
  Cube row;
  for (int i = 0; i < n; ++i) {
    const std::uint64_t bit = std::uint64_t{1} << (n - 1 - i);
    switch (cube.Input(i)) {
      case Literal::kFree: break;
      case Literal::kOne: row.value |= bit; [[fallthrough]];
      case Literal::kZero: row.care |= bit; break;
      default: return std::nullopt;
    }
  }
  return row;
}

}  // namespace brevano

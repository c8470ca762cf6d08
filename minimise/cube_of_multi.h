// The engines' cubes over row bits and the function's cubes of any width, one into the other.
#pragma once

#include <optional>

#include "function/multi_cube.h"
#include "minimise/cube.h"

namespace brevano {

/// `cube` over `inputs` inputs (input i at row bit inputs-1-i, at most 63) as a cube of `outputs`
/// outputs that feeds output `output` alone.
MultiCube MultiCubeOf(Cube cube, int inputs, int outputs = 1, int output = 0);

/// The input part of `cube` (of at most 63 inputs) over row bits, input i at bit inputs-1-i; nothing
/// when the cube is empty (an input with neither value). The outputs are not looked at.
std::optional<Cube> CubeOf(const MultiCube& cube);

}  // namespace brevano

// A table's program as a sum of products, when it is one or can be made one in a few terms.
#pragma once

#include <cstddef>
#include <optional>

#include "budget/budget.h"
#include "minimise/cube_list.h"
#include "minimise/truth_vector.h"
#include "tabulate/compiled_program.h"

namespace brevano {

/// The program's Result column as a truth vector, row by row in table order (up to the vector's size).
TruthVector ResultBits(const CompiledProgram& program);

/// The program's Result as a sum of at most `maxCubes` products over its variables (row bits as in
/// a table), built by running the program on sums: OR joins them, AND multiplies them out, NOT and
/// XOR take complements. Nothing when some step needs more terms, or when the control says to stop.
std::optional<CubeList> CubesOfProgram(const CompiledProgram& program, std::size_t maxCubes, Budget& control);

}  // namespace brevano

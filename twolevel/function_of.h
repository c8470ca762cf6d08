// The function type made from what the user types and from a table: its 1 points and don't-cares
// as cubes, exact, or an error where that takes too many cubes.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "function/boolean_function.h"
#include "minimise/cube_list.h"
#include "minimise/truth_vector.h"
#include "tabulate/table_function.h"

namespace brevano {

/// How far the cubes of a function may be made.
struct FunctionBounds {
  /// Most terms of each sum of products made by running a program on sums.
  std::size_t maxCubes = 20000;
  /// Time each such run may take.
  std::chrono::milliseconds time{2000};
  /// Most variables a program is read row by row for, where its sums take too many terms (at most
  /// about 30: the rows are held in memory).
  int maxRowVariables = 20;
};

/// The function of a typed expression's `tables` (its table and, when given, its don't-cares'),
/// over their columns, with one output, "Result". Each table is made cubes from its program run on
/// sums where that stays within the bounds, else from its rows where it has few variables. Raises
/// EngineError saying so when neither does.
BooleanFunction FunctionOfExpression(const TableFunction& tables, const FunctionBounds& bounds = {});

/// The function of a table given row by row over `inputs` (input 0 the most significant row bit):
/// 1 in the rows of `on`, a don't-care in those of `dontCare` (when given), with one output named
/// `output`. The cubes are the largest blocks of aligned rows alike, so a constant is one cube or
/// none. Raises EngineError when a vector's variables are not the inputs.
BooleanFunction FunctionOfRows(const std::vector<std::string>& inputs, const TruthVector& on,
                               const TruthVector* dontCare, const std::string& output = "Result");

/// `terms` over `inputs` inputs (input i row bit inputs-1-i, at most 63) as cubes feeding output 0
/// of one, in their order.
CubeCover CubesOfTerms(const CubeList& terms, int inputs);

/// The points of `cubes` (their input parts, of `inputs` inputs, few enough for a truth vector) as
/// rows, input 0 the most significant row bit.
TruthVector RowsOfCubes(const CubeCover& cubes, int inputs);

/// The input parts of `cubes` (of at most 63 inputs) as terms over the row bits, in their order,
/// empty cubes left out: the reverse of CubesOfTerms.
CubeList TermsOfCubes(const CubeCover& cubes);

}  // namespace brevano

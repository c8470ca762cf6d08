// A function's cubes from its program run on sums, or from its rows split into aligned blocks.
#include "twolevel/function_of.h"

#include <optional>

#include "engine/engine_error.h"
#include "engine/numbers.h"
#include "minimise/cube_of_multi.h"
#include "twolevel/program_cubes.h"

namespace brevano {

namespace {

// Whether the 2^k rows from `first` (a multiple of 2^k) are all 0, all 1, or mixed.
enum class Block { kZeros, kOnes, kMixed };

Block BlockOf(const TruthVector& rows, std::uint64_t first, int k) {
  if (k < 6) {
    const std::uint64_t mask = (std::uint64_t{1} << (std::uint64_t{1} << k)) - 1;
    const std::uint64_t bits = (rows.Word(first / 64) >> (first % 64)) & mask;
    return bits == 0 ? Block::kZeros : bits == mask ? Block::kOnes : Block::kMixed;
  }
  bool zeros = true, ones = true;
  const std::size_t begin = first / 64, end = begin + (std::size_t{1} << (k - 6));
  for (std::size_t w = begin; w < end && (zeros || ones); ++w) {
    zeros = zeros && rows.Word(w) == 0;
    ones = ones && rows.Word(w) == ~std::uint64_t{0};
  }
  return zeros ? Block::kZeros : ones ? Block::kOnes : Block::kMixed;
}

// Appends the 1 rows among the 2^k from `first` as cubes: `cube` holds the literals of the inputs
// the block fixes, the last k inputs (the low row bits) being free.
void AddBlocks(const TruthVector& rows, std::uint64_t first, int k, MultiCube& cube, CubeCover& into) {
  switch (BlockOf(rows, first, k)) {
    case Block::kZeros: return;
    case Block::kOnes: into.push_back(cube); return;
    case Block::kMixed: break;
  }
  const int input = cube.inputs - k;
  cube.SetInput(input, Literal::kZero);
  AddBlocks(rows, first, k - 1, cube, into);
  cube.SetInput(input, Literal::kOne);
  AddBlocks(rows, first + (std::uint64_t{1} << (k - 1)), k - 1, cube, into);
  cube.SetInput(input, Literal::kFree);
}

CubeCover CubesOfRows(const TruthVector& rows) {
  MultiCube cube = MultiCube::Universe(rows.Variables(), 1);
  cube.SetOutput(0, true);
  CubeCover cubes;
  AddBlocks(rows, 0, rows.Variables(), cube, cubes);
  return cubes;
}

// The cubes of `program`: from its sums where they stay within the bounds, else from its rows;
// `what` names it in the error raised when neither does.
CubeCover CubesOf(const CompiledProgram& program, const FunctionBounds& bounds, const std::string& what) {
  const int n = program.VariableCount();
  Budget control(bounds.time, {});
  if (const std::optional<CubeList> terms = CubesOfProgram(program, bounds.maxCubes, control)) {
    return CubesOfTerms(*terms, n);
  }
  if (n <= bounds.maxRowVariables) return CubesOfRows(ResultBits(program));
  throw EngineError(what + " too wide for cubes: of " + std::to_string(n) + " variables (more than " +
                    std::to_string(bounds.maxRowVariables) +
                    " are not read row by row), its sum of products takes more than " +
                    GroupedNumber(bounds.maxCubes) + " terms or more than " +
                    std::to_string(bounds.time.count()) + " ms to make");
}

}  // namespace

BooleanFunction FunctionOfExpression(const TableFunction& tables, const FunctionBounds& bounds) {
  BooleanFunction function;
  function.inputs = tables.Variables();
  function.outputs = {"Result"};
  function.on = CubesOf(tables.on.Program(), bounds, "The expression is");
  if (tables.dontCare) function.dontCare = CubesOf(tables.dontCare->Program(), bounds, "The don't-cares are");
  return function;
}

CubeCover CubesOfTerms(const CubeList& terms, int inputs) {
  CubeCover cubes;
  cubes.reserve(terms.size());
  for (const Cube& term : terms) cubes.push_back(MultiCubeOf(term, inputs));
  return cubes;
}

CubeList TermsOfCubes(const CubeCover& cubes) {
  CubeList terms;
  terms.reserve(cubes.size());
  for (const MultiCube& cube : cubes)
    if (const std::optional<Cube> term = CubeOf(cube)) terms.push_back(*term);
  return terms;
}

TruthVector RowsOfCubes(const CubeCover& cubes, int inputs) {
  TruthVector rows(inputs);
  for (const Cube& term : TermsOfCubes(cubes)) {
    // The rows of one word the term holds, then every word whose upper row bits it holds.
    std::uint64_t pattern = 0;
    for (std::uint64_t r = 0; r < 64; ++r)
      if (((r ^ term.value) & term.care & 63) == 0) pattern |= std::uint64_t{1} << r;
    const std::uint64_t care = term.care >> 6, value = term.value >> 6;
    const std::uint64_t free = ~care & ((rows.WordCount() - 1));
    for (std::uint64_t part = free;; part = (part - 1) & free) {
      const std::uint64_t word = value | part;
      rows.SetWord(word, rows.Word(word) | pattern);
      if (part == 0) break;
    }
  }
  return rows;
}

BooleanFunction FunctionOfRows(const std::vector<std::string>& inputs, const TruthVector& on,
                               const TruthVector* dontCare, const std::string& output) {
  const auto n = static_cast<int>(inputs.size());
  if (on.Variables() != n || (dontCare && dontCare->Variables() != n))
    throw EngineError("The rows are not those of the " + std::to_string(n) + " inputs");
  BooleanFunction function;
  function.inputs = inputs;
  function.outputs = {output};
  function.on = CubesOfRows(on);
  if (dontCare) function.dontCare = CubesOfRows(*dontCare);
  return function;
}

}  // namespace brevano

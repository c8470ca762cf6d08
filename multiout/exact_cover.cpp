// Multi-output primes from the table of every cube's outputs: a cube feeds the outputs that all
// of its points may be 1 in, which is the meet of its two halves on any free input. A cube is a
// prime when raising any one of its literals loses an output.
#include "multiout/exact_cover.h"

#include <algorithm>
#include <cstdint>

#include "minimise/minimum_cover.h"

namespace brevano {

namespace {

// Calls `visit` with every point of the cube's input part (input i is bit i of a point).
template <typename Visit>
void ForEachPoint(const MultiCube& cube, Visit visit) {
  std::uint64_t base = 0, free = 0;
  for (int i = 0; i < cube.inputs; ++i) {
    const Literal value = cube.Input(i);
    if (value == Literal::kOne) base |= std::uint64_t{1} << i;
    if (value == Literal::kFree) free |= std::uint64_t{1} << i;
  }
  std::uint64_t part = free;
  while (true) {
    visit(base | part);
    if (part == 0) break;
    part = (part - 1) & free;
  }
}

// The outputs the cube is tagged with, as a mask (at most 64 outputs).
std::uint64_t OutputMask(const MultiCube& cube) {
  return cube.bits.size() > static_cast<std::size_t>(cube.InputWords())
             ? cube.bits[static_cast<std::size_t>(cube.InputWords())]
             : 0;
}

// For each point (input 0 the lowest bit), the outputs it may be 1 in and those it must be 1 in.
struct PointMasks {
  std::vector<std::uint64_t> allowed, required;
};

PointMasks MasksOf(const BooleanFunction& function) {
  const int n = function.InputCount();
  PointMasks masks{std::vector<std::uint64_t>(std::size_t{1} << n),
                   std::vector<std::uint64_t>(std::size_t{1} << n)};
  std::vector<std::uint64_t> dontCare(std::size_t{1} << n);
  auto paint = [](const MultiCube& cube, std::vector<std::uint64_t>& into) {
    const std::uint64_t outputs = OutputMask(cube);
    ForEachPoint(cube, [&](std::uint64_t x) { into[x] |= outputs; });
  };
  for (const MultiCube& cube : function.on) paint(cube, masks.required);
  for (const MultiCube& cube : function.dontCare) paint(cube, dontCare);
  for (std::size_t x = 0; x < masks.allowed.size(); ++x) {
    masks.allowed[x] = masks.required[x] | dontCare[x];
    masks.required[x] &= ~dontCare[x];
  }
  return masks;
}

// The outputs every point of each cube may be 1 in, cubes indexed in base 3 (digit 2: free input).
std::vector<std::uint64_t> CubeTable(const PointMasks& masks, int n, std::vector<std::uint64_t>& power) {
  power.assign(static_cast<std::size_t>(n + 1), 1);
  for (int i = 1; i <= n; ++i)
    power[static_cast<std::size_t>(i)] = power[static_cast<std::size_t>(i - 1)] * 3;
  std::vector<std::uint64_t> table(power[static_cast<std::size_t>(n)]);
  for (std::uint64_t index = 0; index < table.size(); ++index) {
    std::uint64_t rest = index, point = 0;
    int free = -1;
    for (int i = 0; i < n; ++i, rest /= 3) {
      if (rest % 3 == 2 && free < 0) free = i;
      if (rest % 3 == 1) point |= std::uint64_t{1} << i;
    }
    table[index] = free < 0 ? masks.allowed[point]
                            : table[index - 2 * power[static_cast<std::size_t>(free)]] &
                                  table[index - power[static_cast<std::size_t>(free)]];
  }
  return table;
}

MultiCube CubeOfIndex(std::uint64_t index, std::uint64_t outputs, const BooleanFunction& function) {
  MultiCube cube = MultiCube::Universe(function.InputCount(), function.OutputCount());
  for (int i = 0; i < function.InputCount(); ++i, index /= 3) {
    if (index % 3 != 2) cube.SetInput(i, index % 3 == 1 ? Literal::kOne : Literal::kZero);
  }
  for (int o = 0; o < function.OutputCount(); ++o) cube.SetOutput(o, (outputs >> o) & 1);
  return cube;
}

// The primes' indices in the cube table.
std::vector<std::uint64_t> Primes(const std::vector<std::uint64_t>& table,
                                  const std::vector<std::uint64_t>& power, int n, Budget& control) {
  std::vector<std::uint64_t> primes;
  for (std::uint64_t index = 0; index < table.size(); ++index) {
    const std::uint64_t outputs = table[index];
    if (outputs == 0 || !control.Tick()) continue;
    bool prime = true;
    std::uint64_t rest = index;
    for (int i = 0; i < n && prime; ++i, rest /= 3) {
      if (rest % 3 == 2) continue;
      const std::uint64_t raised = index + (2 - rest % 3) * power[static_cast<std::size_t>(i)];
      prime = (table[raised] & outputs) != outputs;
    }
    if (prime) primes.push_back(index);
  }
  return primes;
}

}  // namespace

std::optional<ExactResult> ExactJointCover(const BooleanFunction& function, const ExactLimits& limits,
                                           Budget& control) {
  const int n = function.InputCount();
  if (n > limits.maxInputs || function.OutputCount() > 64 || function.OutputCount() == 0) return std::nullopt;
  const PointMasks masks = MasksOf(function);
  const auto outputs = static_cast<std::size_t>(function.OutputCount());
  std::vector<std::uint64_t> rowOf(masks.required.size() * outputs, ~std::uint64_t{0});
  CoverProblem problem;
  for (std::size_t x = 0; x < masks.required.size(); ++x)
    for (std::size_t o = 0; o < outputs; ++o)
      if ((masks.required[x] >> o) & 1)
        rowOf[x * outputs + o] = static_cast<std::uint64_t>(problem.rowCount++);
  if (static_cast<std::size_t>(problem.rowCount) > limits.maxRows) return std::nullopt;
  std::vector<std::uint64_t> power;
  const std::vector<std::uint64_t> table = CubeTable(masks, n, power);
  const std::vector<std::uint64_t> primes = Primes(table, power, n, control);
  if (primes.size() > limits.maxPrimes || control.TimeUp() || control.Stopped()) return std::nullopt;
  CubeCover columns;
  for (std::uint64_t index : primes) {
    const MultiCube cube = CubeOfIndex(index, table[index], function);
    std::vector<int> rows;
    ForEachPoint(cube, [&](std::uint64_t x) {
      for (std::size_t o = 0; o < outputs; ++o) {
        const std::uint64_t row = rowOf[x * outputs + o];
        if (((table[index] >> o) & 1) && row != ~std::uint64_t{0}) rows.push_back(static_cast<int>(row));
      }
    });
    if (rows.empty()) continue;
    std::sort(rows.begin(), rows.end());
    problem.columnRows.push_back(std::move(rows));
    problem.weight.push_back(cube.LiteralCount());
    columns.push_back(cube);
  }
  const CoverSolution solution = SolveMinimumCover(problem, control);
  if (solution.stopped || (solution.columns.empty() && problem.rowCount > 0)) return std::nullopt;
  ExactResult result;
  for (int column : solution.columns) result.terms.push_back(columns[static_cast<std::size_t>(column)]);
  result.proven = solution.fewestColumns;
  return result;
}

}  // namespace brevano

// The function made from an expression and from rows, point by point against the tables.
#include "twolevel/function_of.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/engine_error.h"
#include "pipeline/pipeline.h"
#include "tests/support/random_listing.h"
#include "twolevel/least.h"

namespace brevano {
namespace {

TruthTable Table(const std::string& text) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(text, tree), DisplayMode::kZeroOne);
}

// The value of the only output at `row` (input 0 the most significant bit): 1, 0, or -1 for a
// don't-care.
int ValueAt(const BooleanFunction& function, std::uint64_t row) {
  const int n = function.InputCount();
  MultiCube point = MultiCube::Universe(n, 1);
  for (int i = 0; i < n; ++i) point.SetInput(i, (row >> (n - 1 - i)) & 1 ? Literal::kOne : Literal::kZero);
  const auto holds = [&point](const CubeCover& cubes) {
    return std::any_of(cubes.begin(), cubes.end(), [&point](const MultiCube& cube) {
      return cube.HasOutput(0) && InputsContain(cube, point);
    });
  };
  return holds(function.dontCare) ? -1 : holds(function.on) ? 1 : 0;
}

// The function agrees with the tables' programs over its inputs: in every row up to 2^12 rows,
// beyond in 4,096 rows drawn at random.
void ExpectRowsOf(const BooleanFunction& function, const TableFunction& programs) {
  ASSERT_EQ(function.inputs, programs.Variables());
  ASSERT_EQ(function.outputs, std::vector<std::string>{"Result"});
  const std::uint64_t rows = programs.on.RowCount();
  std::mt19937_64 rng(rows);
  for (std::uint64_t k = 0; k < std::min<std::uint64_t>(rows, 4096); ++k) {
    const std::uint64_t row = rows <= 4096 ? k : rng() & (rows - 1);
    const bool free = programs.dontCare && programs.dontCare->Result(row);
    ASSERT_EQ(ValueAt(function, row), free ? -1 : programs.on.Result(row)) << "row " << row;
  }
}

TEST(FunctionOfTest, ExpressionsAndDontCaresGiveTheirPointsInFewCubes) {
  struct Case {
    std::string on, dontCare;
    std::size_t onCubes;  // the cubes the sums give
  };
  const std::vector<Case> cases = {
      {"0", "", 0},
      {"a*b+c", "", 2},
      {"a*b", "c", 1},    // a don't-care of another variable widens the inputs
      {"a*b", "a*b", 1},  // a don't-care wins over a 1
      {"not(a*b*c*d*e*f*g*h*i*j*k*l*m*n*o*p*q*r*s*t*u*v*w*x*y*z)", "", 26},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.on + " with " + c.dontCare);
    const TruthTable on = Table(c.on);
    const std::optional<TruthTable> dontCare =
        c.dontCare.empty() ? std::nullopt : std::optional<TruthTable>(Table(c.dontCare));
    const TableFunction tables = FunctionOfTables(on, dontCare ? &*dontCare : nullptr);
    const BooleanFunction function = FunctionOfExpression(tables);
    EXPECT_EQ(function.on.size(), c.onCubes);
    ExpectRowsOf(function, tables);
  }
}

TEST(FunctionOfTest, RandomExpressionsGiveTheSamePointsFromSumsAndFromRows) {
  std::mt19937_64 rng(28);
  FunctionBounds rowsOnly;
  rowsOnly.maxCubes = 0;
  int checked = 0;
  for (int trial = 0; trial < 150; ++trial) {
    const int variables = 1 + trial % 8;
    TruthTable on;
    std::optional<TruthTable> dontCare;
    try {
      on = Table(testing::RandomExpressionText(rng, variables, 3 + trial % 25));
      if (trial % 3) dontCare = Table(testing::RandomExpressionText(rng, variables, 4));
    } catch (const EngineError&) {
      continue;  // the simplifier folds constants as numbers: 1/0 is an error there
    }
    const TableFunction tables = FunctionOfTables(on, dontCare ? &*dontCare : nullptr);
    SCOPED_TRACE("trial " + std::to_string(trial));
    ExpectRowsOf(FunctionOfExpression(tables), tables);
    ExpectRowsOf(FunctionOfExpression(tables, rowsOnly), tables);
    ++checked;
  }
  EXPECT_GT(checked, 100);
}

TEST(FunctionOfTest, WideExpressionsAreCubesOrAnError) {
  const std::string wide = testing::TangledProducts(50, 150);
  const TableFunction tables{Table(wide), std::nullopt};
  const BooleanFunction function = FunctionOfExpression(tables);
  EXPECT_LE(function.on.size(), 150u);
  ExpectRowsOf(function, tables);

  // Parity has 2^(n-1) terms: too many for the sums, from the rows up to their limit, else an error.
  std::string parity = "a";
  for (char v = 'b'; v <= 'r'; ++v) parity += std::string("/") + v;
  EXPECT_EQ(FunctionOfExpression({Table(parity), std::nullopt}).on.size(), std::size_t{1} << 17);
  parity += "/s/t/u";
  EXPECT_THROW(FunctionOfExpression({Table(parity), std::nullopt}), EngineError);
}

TEST(FunctionOfTest, RowsAreSplitIntoTheLargestAlignedBlocks) {
  struct Case {
    int variables;
    std::vector<std::uint64_t> ones, dontCares;
    std::size_t onCubes, dontCareCubes;
  };
  const std::vector<Case> cases = {
      {0, {0}, {0}, 1, 1},
      {3, {0, 1, 2, 3, 4, 5, 6, 7}, {}, 1, 0},
      {7, {0, 127}, {64, 65, 66, 67}, 2, 1},
      {8, {0, 3, 5, 6, 9, 10, 12, 15}, {}, 8, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.variables) + " variables, " + std::to_string(c.ones.size()) + " ones");
    TruthVector on(c.variables), dontCare(c.variables);
    for (std::uint64_t row : c.ones) on.Set(row);
    for (std::uint64_t row : c.dontCares) dontCare.Set(row);
    std::vector<std::string> inputs;
    for (int v = 0; v < c.variables; ++v) inputs.push_back(testing::VariableName(v));
    const BooleanFunction function = FunctionOfRows(inputs, on, &dontCare, "F");
    EXPECT_EQ(function.on.size(), c.onCubes);
    EXPECT_EQ(function.dontCare.size(), c.dontCareCubes);
    for (std::uint64_t row = 0; row < on.Rows(); ++row)
      ASSERT_EQ(ValueAt(function, row), dontCare.At(row) ? -1 : on.At(row)) << "row " << row;
  }
  const TruthVector three(3);
  EXPECT_THROW(FunctionOfRows({"a", "b"}, three, nullptr), EngineError);
}

TEST(FunctionOfTest, AnEmptyCubeHoldsNoRow) {
  MultiCube empty = MultiCube::Universe(3, 1);
  empty.SetOutput(0, true);
  empty.SetInput(1, Literal{0});
  MultiCube a = MultiCube::Universe(3, 1);
  a.SetOutput(0, true);
  a.SetInput(0, Literal::kOne);
  const CubeCover cubes{empty, a};
  EXPECT_EQ(TermsOfCubes(cubes), (CubeList{{0b100, 0b100}}));
  EXPECT_EQ(RowsOfCubes(cubes, 3).CountOnes(), 4u);
}

}  // namespace
}  // namespace brevano

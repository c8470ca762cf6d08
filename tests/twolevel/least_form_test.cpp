// Least forms beyond the minimiser's limit, checked against the decision diagrams: correct, never
// worse than the irredundant cover they start from, exact where the primes are few.
#include "twolevel/least_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/engine_error.h"
#include "pipeline/pipeline.h"
#include "tests/support/random_listing.h"
#include "twolevel/function_of.h"
#include "twolevel/program_cubes.h"

namespace brevano {
namespace {

CompiledProgram ProgramOver(const std::string& expression, const std::vector<std::string>& variables) {
  ExprTree tree;
  const CompiledProgram program = CompiledProgram::Compile(ProcessExpression(expression, tree), 63);
  return variables.empty() ? program : program.OverVariables(variables);
}

TruthTable TableOver(const std::string& expression, const std::vector<std::string>& variables) {
  return TruthTable::FromProgram(ProgramOver(expression, variables), DisplayMode::kZeroOne);
}

// A sum of `terms` random products of two to six of the variables v00 .. v(n-1).
std::string RandomSum(std::mt19937_64& rng, int variables, int terms) {
  std::string text;
  for (int t = 0; t < terms; ++t) {
    text += t ? "+" : "";
    const int literals = 2 + static_cast<int>(rng() % 5);
    for (int l = 0; l < literals; ++l) {
      const auto v = static_cast<int>(rng() % static_cast<unsigned>(variables));
      const std::string name = std::string("v") + char('0' + v / 10) + char('0' + v % 10);
      text += (l ? "*" : "") + (rng() % 2 ? name : "not(" + name + ")");
    }
  }
  return text;
}

// V00 .. V(n-1), and with no count the names the expression uses.
std::vector<std::string> Names(int variables) {
  std::vector<std::string> names;
  for (int v = 0; v < variables; ++v)
    names.push_back(std::string("V") + char('0' + v / 10) + char('0' + v % 10));
  return names;
}

TEST(LeastFormTest, BeyondTheMinimiserFormsAreCorrectAndNeverWorseThanTheirStart) {
  std::mt19937_64 rng(41);
  int improved = 0, exact = 0;
  for (int trial = 0; trial < 24; ++trial) {
    const int variables = 17 + trial % 10;
    const std::vector<std::string> names = Names(variables);
    TableFunction function{TableOver(RandomSum(rng, variables, 6 + trial % 30), names), std::nullopt};
    if (trial % 2) function.dontCare = TableOver(RandomSum(rng, variables, 1 + trial % 4), names);
    const FunctionDiagrams diagrams = BuildFunctionDiagrams(function);
    ASSERT_EQ(diagrams.status, DiagramStatus::kBuilt);
    for (const FormSide side : {FormSide::kSum, FormSide::kProduct}) {
      SCOPED_TRACE("trial " + std::to_string(trial) + (side == FormSide::kSum ? " sum" : " product"));
      const SideCubes start = BuildSideCubes(function, diagrams.order, side, {}, 50000);
      const LeastForm form = FindLeastForm(function, diagrams.order, side, {});
      if (start.status != CoverStatus::kFound) {
        EXPECT_EQ(form.status, MinimiseStatus::kTooLarge);
        continue;
      }
      ASSERT_EQ(CheckForm(function, diagrams.order, side, form.cubes), FormCheck::kCorrect);
      EXPECT_LE(CostOf(form.cubes), CostOf(start.start));
      EXPECT_TRUE(std::is_sorted(form.cubes.begin(), form.cubes.end(), TermBefore));
      improved += CostOf(form.cubes) < CostOf(start.start);
      exact += form.status == MinimiseStatus::kExact;
    }
  }
  EXPECT_GT(improved, 0);
  EXPECT_GT(exact, 20);
}

TEST(ProgramCubesTest, SumsOfProductsOfRandomExpressions) {
  std::mt19937_64 rng(42);
  for (int trial = 0; trial < 200; ++trial) {
    const int variables = 1 + trial % 10;
    CompiledProgram program;
    try {
      ExprTree tree;
      program = CompiledProgram::Compile(
          ProcessExpression(testing::RandomExpressionText(rng, variables, 4 + trial % 30), tree), 63);
    } catch (const EngineError&) {
      continue;  // a text whose operator lacks an operand
    }
    Budget control(std::chrono::seconds(60), {});
    const std::optional<CubeList> cubes = CubesOfProgram(program, 100000, control);
    ASSERT_TRUE(cubes.has_value()) << "trial " << trial;
    for (std::uint64_t row = 0; row < program.RowCount(); ++row) {
      const bool covered =
          std::any_of(cubes->begin(), cubes->end(), [row](const Cube& c) { return CubeContains(c, row); });
      ASSERT_EQ(covered, EvaluateRow(program, row) == 1) << "trial " << trial << " row " << row;
    }
  }
  Budget control(std::chrono::seconds(60), {});
  EXPECT_FALSE(CubesOfProgram(ProgramOver("(a+b)*(c+d)*(e+f)*(g+h)", Names(0)), 8, control).has_value());
}

// A sum of random products too tangled for a diagram in any order: a form from its cubes alone,
// correct on a sample of rows and never longer than the sum itself.
TEST(LeastFormTest, FromCubesWhereTheDiagramIsTooComplex) {
  std::mt19937_64 rng(43);
  const std::string text = RandomSum(rng, 40, 60);
  const std::vector<std::string> names = Names(40);
  const CompiledProgram program = ProgramOver(text, names);
  Budget control(std::chrono::seconds(60), {});
  const BooleanFunction cubes{
      names, {"Result"}, CubesOfTerms(*CubesOfProgram(program, 100000, control), 40), {}};
  FormOptions options;
  options.budget = std::chrono::seconds(2);
  const LeastForm form = FindLeastFormFromCubes(cubes, FormSide::kSum, options);
  ASSERT_EQ(form.source, FormSource::kImproved);
  EXPECT_LE(CostOf(form.cubes), CostOf(TermsOfCubes(cubes.on)));
  for (int sample = 0; sample < 100000; ++sample) {
    const std::uint64_t row = rng() >> 24;
    const bool covered = std::any_of(form.cubes.begin(), form.cubes.end(),
                                     [row](const Cube& c) { return CubeContains(c, row); });
    ASSERT_EQ(covered, EvaluateRow(program, row) == 1) << "row " << row;
  }
}

TEST(LeastFormTest, AWrongFormIsCaughtByTheCheck) {
  const std::vector<std::string> names = Names(20);
  const TableFunction function{TableOver("v00*v01+v19", names), std::nullopt};
  const FunctionDiagrams diagrams = BuildFunctionDiagrams(function);
  const std::uint64_t v00 = std::uint64_t{1} << 19, v01 = std::uint64_t{1} << 18, v19 = 1;
  EXPECT_EQ(CheckForm(function, diagrams.order, FormSide::kSum, {{v00 | v01, v00 | v01}, {v19, v19}}),
            FormCheck::kCorrect);
  EXPECT_EQ(CheckForm(function, diagrams.order, FormSide::kSum, {{v00, v00}, {v19, v19}}), FormCheck::kWrong);
  EXPECT_EQ(CheckForm(function, diagrams.order, FormSide::kSum, {{v19, v19}}), FormCheck::kWrong);
}

}  // namespace
}  // namespace brevano

// Least on every rung of its ladder, checked row by row; and the standing a form is read as.
#include "twolevel/least.h"

#include <gtest/gtest.h>

#include <random>

#include "pipeline/pipeline.h"
#include "tests/support/random_listing.h"
#include "twolevel/function_of.h"
#include "twolevel/program_cubes.h"

namespace brevano {
namespace {

// The function of `on` with the don't-cares of `dontCare` (none when empty) over the variables of
// `on`.
TableFunction Function(const std::string& on, const std::string& dontCare = {}) {
  ExprTree tree;
  TableFunction function{TruthTable::Build(ProcessExpression(on, tree), DisplayMode::kZeroOne), std::nullopt};
  if (!dontCare.empty()) {
    ExprTree other;
    const CompiledProgram program = CompiledProgram::Compile(ProcessExpression(dontCare, other), 63);
    function.dontCare =
        TruthTable::FromProgram(program.OverVariables(function.Variables()), DisplayMode::kZeroOne);
  }
  return function;
}

// The same function as the function type, made from its expressions' tables.
BooleanFunction FunctionType(const std::string& on, const std::string& dontCare = {}) {
  ExprTree tree, other;
  const TruthTable table = TruthTable::Build(ProcessExpression(on, tree), DisplayMode::kZeroOne);
  if (dontCare.empty()) return FunctionOfExpression({table, std::nullopt});
  const TruthTable free = TruthTable::Build(ProcessExpression(dontCare, other), DisplayMode::kZeroOne);
  return FunctionOfExpression(FunctionOfTables(table, &free));
}

bool Covered(const CubeList& cubes, std::uint64_t row) {
  for (const Cube& cube : cubes)
    if ((row & cube.care) == cube.value) return true;
  return false;
}

// Every row of the side covered and no row of the other side, don't-cares either way: every row up
// to 2^20 rows, beyond every 251st.
void ExpectCovers(const TableFunction& function, FormSide side, const CubeList& cubes) {
  const TruthVector on = ResultBits(function.on.Program());
  const TruthVector dontCare =
      function.dontCare ? ResultBits(function.dontCare->Program()) : TruthVector(on.Variables());
  const std::uint64_t step = on.Rows() <= (1u << 20) ? 1 : 251;
  for (std::uint64_t row = 0; row < on.Rows(); row += step) {
    if (dontCare.At(row)) continue;
    ASSERT_EQ(Covered(cubes, row), on.At(row) == (side == FormSide::kSum)) << "row " << row;
  }
}

TEST(LeastTest, EveryRungGivesACorrectFormOrSaysWhyNot) {
  const std::string wide = "a*b*not(c)+d*e*f+not(g)*h+i*j*k*l+m/n+o*p*q*r";
  const std::string tangled = testing::TangledLetterProducts(), one = tangled + "+not(" + tangled + ")";
  struct Case {
    std::string name, on, dontCare;
    bool tooComplex;                       // for the diagrams
    bool noCubes;                          // and too many terms to be made cubes
    std::optional<FormStanding> standing;  // nothing: any standing with a form
  };
  const std::vector<Case> cases = {
      {"minimiser", "a*b+not(a)*c+b*c", "", false, false, FormStanding::kLeast},
      {"minimiser with don't-cares", "a*b*c+a*not(b)", "a*b*not(c)", false, false, FormStanding::kLeast},
      {"diagrams", wide, "", false, false, std::nullopt},
      {"diagrams with don't-cares", wide, "a*b*c", false, false, std::nullopt},
      {"cubes", tangled, "", true, false, std::nullopt},
      {"solver's constant", one, "", true, true, FormStanding::kLeast},
      {"too complex", tangled, "", true, true, FormStanding::kDiagramTooComplex},
      {"no solver beside don't-cares", one, "a", true, true, FormStanding::kDiagramTooComplex},
  };
  for (const Case& c : cases) {
    const TableFunction function = Function(c.on, c.dontCare);
    LeastOptions options;
    if (c.tooComplex) options.forms.diagramLimits.maxNodes = 1000;
    if (c.noCubes) options.maxFunctionCubes = 0;
    for (const FormSide side : {FormSide::kSum, FormSide::kProduct}) {
      SCOPED_TRACE(c.name + (side == FormSide::kSum ? " sum" : " product"));
      const LeastForm form = Least(function, side, options);
      const FormStanding standing = StandingOf(form, function.dontCare.has_value());
      if (c.standing) {
        EXPECT_EQ(standing, *c.standing) << StandingText(standing);
      }
      if (HasForm(standing)) {
        ExpectCovers(function, side, form.cubes);
      } else {
        EXPECT_TRUE(form.cubes.empty());
      }
    }
  }
}

TEST(LeastTest, OfTheFunctionTypeAsOfItsPrograms) {
  struct Case {
    std::string on, dontCare;  // the don't-cares over the variables of `on`
    bool exact;                // of at most kMaxMinimiseVariables variables: as least as the programs'
  };
  const std::vector<Case> cases = {
      {"a*b+not(a)*c+b*c", "", true}, {"a*b*c+a*not(b)", "a*b*not(c)", true},
      {"a*b+c", "a", true},  // don't-cares over some of the 1 rows
      {"a/b/c/d", "a*b*c", true},     {"a*b*not(c)+d*e*f+not(g)*h+i*j*k*l+m/n+o*p*q*r", "a*b*c", false},
  };
  for (const Case& c : cases) {
    const TableFunction programs = Function(c.on, c.dontCare);
    const BooleanFunction function = FunctionType(c.on, c.dontCare);
    for (const FormSide side : {FormSide::kSum, FormSide::kProduct}) {
      SCOPED_TRACE(c.on + (side == FormSide::kSum ? " sum" : " product"));
      const LeastForm form = Least(function, 0, side);
      ASSERT_TRUE(HasForm(StandingOf(form, !c.dontCare.empty()))) << StandingText(StandingOf(form, true));
      ExpectCovers(programs, side, form.cubes);
      if (c.exact) {
        EXPECT_EQ(CostOf(form.cubes), CostOf(Least(programs, side).cubes));
      }
    }
  }
  // The output asked for, of two; and no form past the widest table.
  BooleanFunction two{{"A", "B", "C"}, {"F", "G"}, {}, {}};
  for (int o = 0; o < 2; ++o) {
    MultiCube cube = MultiCube::Universe(3, 2);
    cube.SetOutput(o, true);
    cube.SetInput(o, Literal::kOne);
    two.on.push_back(cube);
  }
  EXPECT_EQ(Least(two, 1, FormSide::kSum).cubes, (CubeList{{0b010, 0b010}}));
  const BooleanFunction wide{std::vector<std::string>(64, "X"), {"F"}, {}, {}};
  EXPECT_EQ(Least(wide, 0, FormSide::kSum).status, MinimiseStatus::kTooManyVariables);
}

TEST(LeastTest, AFormIsLeastByItsShapeOnlyWithoutDontCares) {
  const CubeList twoLiterals = {{0b01, 0b01}, {0b10, 0b00}};  // A + not(B)
  const CubeList twoProducts = {{0b011, 0b011}, {0b110, 0b100}};
  struct Case {
    MinimiseStatus status;
    FormSource source;
    CubeList cubes;
    bool withDontCares;
    FormStanding standing;
  };
  const std::vector<Case> cases = {
      {MinimiseStatus::kHeuristic, FormSource::kMinimiser, twoLiterals, false, FormStanding::kLeast},
      {MinimiseStatus::kHeuristic, FormSource::kMinimiser, twoLiterals, true, FormStanding::kHeuristic},
      {MinimiseStatus::kHeuristic, FormSource::kIrredundant, {Cube{}}, false, FormStanding::kLeast},
      {MinimiseStatus::kHeuristic, FormSource::kIrredundant, twoProducts, false, FormStanding::kIrredundant},
      {MinimiseStatus::kHeuristic, FormSource::kImproved, twoProducts, false, FormStanding::kImproved},
      {MinimiseStatus::kFewestTerms, FormSource::kMinimiser, twoProducts, false, FormStanding::kFewestTerms},
      {MinimiseStatus::kTooLarge, FormSource::kMinimiser, {}, false, FormStanding::kTooManyPrimes},
      {MinimiseStatus::kTooLarge, FormSource::kTooManyTerms, {}, false, FormStanding::kTooManyTerms},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StandingOf({c.status, c.source, c.cubes}, c.withDontCares), c.standing)
        << StandingText(c.standing);
  }
}

}  // namespace
}  // namespace brevano

// The listing read once into typed lines and instructions, and the interpreter's stack rules.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "engine/engine_error.h"
#include "tabulate/run_program.h"
#include "tests/support/random_listing.h"

namespace brevano {
namespace {

struct LineCase {
  const char* line;
  std::optional<OpCode> op;
  const char* name;
  bool number;
};

TEST(TypedListingTest, ReadsEachKindOfLine) {
  const LineCase cases[] = {
      {" + @F ", OpCode::kOr, "+ @F", false},
      {"* @F", OpCode::kAnd, "* @F", false},
      {"/ @F", OpCode::kXor, "/ @F", false},
      {"\tnot @F", OpCode::kNot, "NOT @F", false},
      {"0 @N", OpCode::kPushZero, "0 @N", false},
      {"1 @N", OpCode::kPushOne, "1 @N", false},
      {" abc ", OpCode::kPushVariable, "ABC", false},
      {"2 @N", std::nullopt, "2 @N", true},
      {" @N", std::nullopt, "@N", true},
      {"- @F", std::nullopt, "- @F", false},
      {"f @F", std::nullopt, "F @F", false},
      {"10 @N", std::nullopt, "10 @N", true},
  };
  for (const LineCase& c : cases) {
    const TypedLine typed = ReadListingLine(c.line);
    EXPECT_EQ(typed.op, c.op) << c.line;
    EXPECT_EQ(typed.name, c.name) << c.line;
    EXPECT_EQ(typed.number, c.number) << c.line;
  }
}

// Expressions as text, to see which operand goes where and what is left on the stack.
struct TextAlgebra {
  using Value = std::string;
  const CompiledProgram& program;
  int steps = 1 << 30;  // instructions before the run is stopped

  bool Proceed() { return steps-- > 0; }
  static std::string Constant(bool one) { return one ? "1" : "0"; }
  std::string Variable(const Instruction& in) const { return program.Variables()[in.variable]; }
  static std::string Not(const std::string& x) { return "!" + x; }
  static std::string And(const std::string& l, const std::string& r) { return "(" + l + "*" + r + ")"; }
  static std::string Or(const std::string& l, const std::string& r) { return "(" + l + "+" + r + ")"; }
  static std::string Xor(const std::string& l, const std::string& r) { return "(" + l + "/" + r + ")"; }
};

struct StackCase {
  Listing listing;
  std::vector<std::string> stack;  // bottom first
};

TEST(TypedListingTest, RunsLeftOperandOnTopAndKeepsWhatIsLeft) {
  const StackCase cases[] = {
      {{}, {}},
      {{"* @F", "a", "not @F", "b"}, {"(A*!B)"}},
      {{"/ @F", "+ @F", "a", "b", "1 @N"}, {"((A+B)/1)"}},
      {{"+ @F", "a", "b", "c"}, {"C", "(A+B)"}},
      {{"a", "2 @N", "- @F", "b"}, {"B", "A"}},
  };
  for (const StackCase& c : cases) {
    const CompiledProgram program = CompiledProgram::Compile(c.listing, kMaxTableVariables);
    TextAlgebra algebra{program};
    EXPECT_EQ(RunToStack(program.Instructions(), algebra, program.MaxDepth()), c.stack);
    TextAlgebra result{program};
    EXPECT_EQ(RunProgram(program, result), c.stack.empty() ? "0" : c.stack.front());
    TextAlgebra stopped{program, 2};
    if (program.Instructions().size() > 2) {
      EXPECT_EQ(RunProgram(program, stopped), "0");
    }
  }
}

// Every instruction names the line it was read from, in evaluation order, on random listings; the
// missing operand agrees with compilation, and typed lines made without the text compile alike.
TEST(TypedListingTest, InstructionsKeepTheirLinesOnRandomListings) {
  std::mt19937_64 rng(2812);
  for (int round = 0; round < 300; ++round) {
    const Listing listing =
        round % 2 ? testing::RandomTreeListing(rng, 6, 40) : testing::RandomLineSoup(rng, 6, 12);
    const std::vector<TypedLine> lines = ReadListing(listing);
    if (MissingOperandIn(lines)) {
      EXPECT_THROW(CompiledProgram::Compile(listing, kMaxTableVariables), EngineError);
      EXPECT_THROW(CompiledProgram::FromLines(lines, kMaxTableVariables), EngineError);
      continue;
    }
    const CompiledProgram program = CompiledProgram::Compile(listing, kMaxTableVariables);
    const CompiledProgram typed = CompiledProgram::FromLines(lines, kMaxTableVariables);
    EXPECT_EQ(typed.Variables(), program.Variables());
    EXPECT_EQ(typed.Lines(), program.Lines());
    ASSERT_EQ(typed.Instructions().size(), program.Instructions().size());
    for (std::size_t k = 0; k < typed.Instructions().size(); ++k) {
      EXPECT_EQ(typed.Instructions()[k].op, program.Instructions()[k].op);
      EXPECT_EQ(typed.Instructions()[k].variable, program.Instructions()[k].variable);
    }
    std::vector<std::uint32_t> expected;
    for (std::size_t i = lines.size(); i-- > 0;)
      if (lines[i].op) expected.push_back(static_cast<std::uint32_t>(i));
    ASSERT_EQ(program.Instructions().size(), expected.size());
    ASSERT_EQ(program.Lines().size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
      const Instruction& in = program.Instructions()[k];
      const std::uint32_t line = program.Lines()[k];
      ASSERT_EQ(line, expected[k]);
      EXPECT_EQ(in.op, lines[line].op);
      if (in.op == OpCode::kPushVariable) {
        EXPECT_EQ(program.Variables()[in.variable], lines[line].name);
      }
    }
  }
}

// Lines made without text name the operator that lacks an operand as an expression writes it.
TEST(TypedListingTest, TypedLinesNameTheOperatorThatLacksAnOperand) {
  const std::vector<std::pair<OpCode, std::string>> cases{
      {OpCode::kOr, "+"}, {OpCode::kAnd, "*"}, {OpCode::kXor, "/"}, {OpCode::kNot, "NOT"}};
  for (const auto& [op, name] : cases) {
    try {
      CompiledProgram::FromLines({TypedLine{op, {}, false}}, kMaxTableVariables);
      ADD_FAILURE() << name;
    } catch (const EngineError& error) {
      EXPECT_EQ(std::string(error.what()), "The operator \"" + name + "\" lacks an operand");
    }
  }
}

}  // namespace
}  // namespace brevano

// The function shown: what each change touches, what a new table forgets, and late or stray answers
// for the file's outputs left out.
#include "shown/shown_function.h"

#include <gtest/gtest.h>

#include "diagram/diagram.h"
#include "engine/expr_tree.h"
#include "frontend/tabulate_expression.h"
#include "search/ladder.h"

namespace brevano {
namespace {

TruthTable Table(const std::string& text) {
  ExprTree tree;
  return TabulateExpression(text, tree, DisplayMode::kZeroOne).table;
}

// A function shown after a typed table whose diagram and solver were learnt.
ShownFunction Learnt() {
  ShownFunction shown;
  const TruthTable table = Table("a*b+c");
  shown.ShowTyped("a*b+c", table);
  const DiagramOutcome built = BuildDiagram(table.Program());
  EXPECT_EQ(shown.LearnDiagram(built.diagram, false), kShownCounts);
  EXPECT_EQ(shown.LearnDiagram(built.diagram, false), 0u);  // nothing new
  EXPECT_EQ(shown.OnesCount(), 5u);
  return shown;
}

TEST(ShownFunction, ANewTableForgetsWhatWasLearnt) {
  ShownFunction typed = Learnt();
  EXPECT_TRUE(typed.ShowTyped("a", Table("a")) & kShownTable);
  EXPECT_EQ(typed.OnesCount(), std::nullopt);
  EXPECT_FALSE(typed.TakeMemory().diagram);

  ShownFunction opened = Learnt();
  auto file = std::make_shared<const FunctionFile>(ReadPla(".i 2\n.o 2\n.p 2\n1- 10\n11 -1\n.e\n"));
  opened.ShowFile(file, std::make_shared<const FileTable>(FileTable::Of(*file)), "f.pla");
  EXPECT_EQ(opened.OnesCount(), std::nullopt);
  EXPECT_EQ(opened.Table(), nullptr);
  EXPECT_EQ(opened.Text(), "f.pla");
  EXPECT_EQ(opened.FunctionTable(), nullptr);  // until the chosen output's sum is made

  // Typing again closes the file: the tools take the typed table.
  opened.ShowTyped("not(a)", Table("not(a)"));
  EXPECT_EQ(opened.File(), nullptr);
  ASSERT_NE(opened.FunctionTable(), nullptr);
  EXPECT_EQ(opened.FunctionTable()->Result(0), 1);
  EXPECT_TRUE(opened.DontCare().empty());
}

TEST(ShownFunction, TakesOnlyTheChosenOutputsSum) {
  ShownFunction shown;
  auto file = std::make_shared<const FunctionFile>(ReadPla(".i 2\n.o 2\n.p 2\n1- 10\n11 -1\n.e\n"));
  shown.ShowFile(file, std::make_shared<const FileTable>(FileTable::Of(*file)), "f.pla");
  // Out of range, or the same output, changes no output.
  EXPECT_EQ(shown.ChooseOutput(2), 0u);
  EXPECT_EQ(shown.ChooseOutput(-1), 0u);
  EXPECT_EQ(shown.ChooseOutput(0), kShownFunction);

  // The sum of output 0 arrives after output 1 was chosen: left out.
  EXPECT_EQ(shown.ChooseOutput(1), kShownOutput | kShownFunction);
  EXPECT_EQ(shown.SetOutputFunction(0, "A", Table("a"), ""), 0u);
  EXPECT_EQ(shown.FunctionTable(), nullptr);
  EXPECT_EQ(shown.SetOutputFunction(1, "A*B", Table("a*b"), "A"), kShownText | kShownFunction);
  ASSERT_NE(shown.FunctionTable(), nullptr);
  EXPECT_EQ(shown.Text(), "A*B");
  EXPECT_EQ(shown.DontCare(), "A");
  // Choosing again makes it anew.
  shown.ChooseOutput(1);
  EXPECT_EQ(shown.FunctionTable(), nullptr);
  EXPECT_TRUE(shown.DontCare().empty());

  // Counts per output, and none for outputs that are not there.
  std::vector<CubeCount> counted;
  const FileTable& table = *shown.File()->table;
  for (int o = 0; o < 2; ++o) counted.push_back(CountCubeRows(table.Terms(o), table.InputCount()));
  EXPECT_EQ(shown.LearnFileCounts(counted), kShownCounts);
  ASSERT_TRUE(shown.FileCounts(0));
  EXPECT_EQ(shown.FileCounts(0)->ones, 1u);  // row 3 is a don't-care of output 0: its term wins
  EXPECT_EQ(shown.FileCounts(0)->dontCares, 1u);
  EXPECT_EQ(shown.FileCounts(1)->ones, 1u);
  EXPECT_EQ(shown.FileCounts(-1), std::nullopt);
  EXPECT_EQ(shown.FileCounts(2), std::nullopt);
  EXPECT_FALSE(shown.FileCountTooComplex(-1));
}

TEST(ShownFunction, WritesTheTypedTableInTheModeChosen) {
  ShownFunction shown = Learnt();
  EXPECT_EQ(shown.SetDisplayMode(DisplayMode::kZeroOne), 0u);
  EXPECT_EQ(shown.SetDisplayMode(DisplayMode::kFalseTrue), kShownMode);
  EXPECT_EQ(shown.Table()->Mode(), DisplayMode::kFalseTrue);
  EXPECT_EQ(shown.OnesCount(), 5u);  // the same function
}

}  // namespace
}  // namespace brevano

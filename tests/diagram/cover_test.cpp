// Irredundant covers: exactly the rows of the function, no term or literal to spare, term counts
// beyond any list.
#include "diagram/cover.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/engine_error.h"
#include "pipeline/pipeline.h"
#include "tabulate/compiled_program.h"
#include "tests/support/random_listing.h"

namespace brevano {
namespace {

CompiledProgram ProgramOf(const std::string& expression) {
  ExprTree tree;
  return CompiledProgram::Compile(ProcessExpression(expression, tree), 63);
}

bool Contains(const Cube& cube, std::uint64_t row) { return (row & cube.care) == cube.value; }

// The terms cover exactly the rows where `program` gives `result`; dropping a term or one of its
// literals breaks that.
void CheckCover(const CompiledProgram& program, const Cover& cover, int result) {
  ASSERT_EQ(cover.status, CoverStatus::kFound);
  ASSERT_EQ(cover.termCount, cover.terms.size());
  const std::uint64_t rows = program.RowCount();
  std::vector<int> coveredBy(cover.terms.size() + 1, 0);  // rows covered by term t alone
  for (std::uint64_t row = 0; row < rows; ++row) {
    int count = 0;
    std::size_t last = 0;
    for (std::size_t t = 0; t < cover.terms.size(); ++t) {
      if (Contains(cover.terms[t], row)) ++count, last = t;
    }
    ASSERT_EQ(count > 0, EvaluateRow(program, row) == result) << "row " << row;
    if (count == 1) ++coveredBy[last];
  }
  for (std::size_t t = 0; t < cover.terms.size(); ++t) {
    EXPECT_GT(coveredBy[t], 0) << "term " << t << " is redundant";
    for (std::uint64_t literals = cover.terms[t].care; literals; literals &= literals - 1) {
      const std::uint64_t bit = literals & -literals;
      const Cube wider{cover.terms[t].care & ~bit, cover.terms[t].value & ~bit};
      bool implicant = true;
      for (std::uint64_t row = 0; row < rows && implicant; ++row)
        implicant = !Contains(wider, row) || EvaluateRow(program, row) == result;
      EXPECT_FALSE(implicant) << "term " << t << " keeps a literal it does not need";
    }
  }
}

TEST(CoverTest, RandomFunctionsGetIrredundantCoversOfTheirRowsAndOfTheComplement) {
  std::mt19937_64 rng(5);
  for (int round = 0; round < 300; ++round) {
    CompiledProgram program;
    try {
      program = ProgramOf(testing::RandomExpressionText(rng, 1 + round % 9, 6 + round % 30));
    } catch (const EngineError&) {
      continue;
    }
    SCOPED_TRACE("round " + std::to_string(round));
    const DiagramWithCovers built = BuildDiagramAndCovers(program, true, true);
    ASSERT_EQ(built.diagram.status, DiagramStatus::kBuilt);
    CheckCover(program, built.sum, 1);
    CheckCover(program, built.product, 0);
    if (HasFatalFailure()) return;
  }
}

TEST(CoverTest, LargeCoversAreCountedExactlyAndBudgetsEndThem) {
  // The XOR of n variables needs all 2^(n-1) of its minterms: 2^62 terms at 63 variables.
  std::string xorAll = "x00";
  for (int i = 1; i < 63; ++i) xorAll += (i < 10 ? "/x0" : "/x") + std::to_string(i);
  CoverLimits countAll;
  countAll.countAll = true;
  const DiagramWithCovers xored = BuildDiagramAndCovers(ProgramOf(xorAll), true, true, {}, countAll);
  EXPECT_EQ(xored.sum.status, CoverStatus::kTooManyTerms);
  EXPECT_TRUE(xored.sum.termCount == static_cast<unsigned __int128>(1) << 62);
  EXPECT_TRUE(xored.product.termCount == static_cast<unsigned __int128>(1) << 62);

  // The sum of 31 disjoint pairs a_i*b_i, in pair order: 31 terms; its complement has 2^31.
  std::string pairs;
  for (int i = 0; i < 31; ++i)
    pairs += (i ? "+p" : "p") + std::to_string(100 + i) + "a*p" + std::to_string(100 + i) + "b";
  const DiagramWithCovers built = BuildDiagramAndCovers(ProgramOf(pairs), true, true, {}, countAll);
  ASSERT_EQ(built.diagram.status, DiagramStatus::kBuilt);
  EXPECT_EQ(built.sum.status, CoverStatus::kFound);
  EXPECT_EQ(built.sum.terms.size(), 31u);
  EXPECT_TRUE(built.product.termCount == static_cast<unsigned __int128>(1) << 31);
  // Without counting them all, a cover stops once it is known to be too long.
  const DiagramWithCovers early = BuildDiagramAndCovers(ProgramOf(pairs), false, true);
  EXPECT_EQ(early.product.status, CoverStatus::kTooManyTerms);
  EXPECT_TRUE(early.product.termCount > 1000 && early.product.termCount < 4000);

  const DiagramWithCovers cut = BuildDiagramAndCovers(ProgramOf(xorAll), true, false, {},
                                                      {2'000'000, std::chrono::milliseconds(0), 1000, true});
  EXPECT_EQ(cut.diagram.status, DiagramStatus::kBuilt);
  EXPECT_EQ(cut.sum.status, CoverStatus::kTooComplex);
}

}  // namespace
}  // namespace brevano

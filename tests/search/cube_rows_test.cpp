// A function given by cubes through the ladder where its diagrams are of no help: too complex for
// them, or a question the caller stops.
#include <gtest/gtest.h>

#include "search/ladder.h"

namespace brevano {
namespace {

constexpr int kBits = 20;

std::uint64_t Row(std::uint64_t a, std::uint64_t b) { return a << kBits | b; }

// a != b for the numbers a (the first 20 inputs) and b (the last 20): 40 cubes, whose diagrams in
// table order need a node for each value of a.
FunctionTerms Unequal() {
  FunctionTerms terms;
  for (int i = 0; i < kBits; ++i) {
    const std::uint64_t b = std::uint64_t{1} << i, a = b << kBits;
    terms.on.push_back({a | b, a});
    terms.on.push_back({a | b, b});
  }
  return terms;
}

TEST(CubeRowsTest, TooComplexForItsDiagramsNextAndPreviousWalkButTheNthRowIsNotGuessed) {
  const FunctionTerms terms = Unequal();
  DiagramLimits small;
  small.maxNodes = 20000;
  const CubeCount counted = CountCubeRows(terms, 2 * kBits, small);
  EXPECT_EQ(counted.diagrams.status, DiagramStatus::kTooComplex);
  EXPECT_FALSE(counted.counts);
  struct Case {
    CellQuery query;
    std::optional<std::uint64_t> row;
    RowSearchPath path;
  };
  const Case cases[] = {
      {{Cell::kZero, 1, true}, Row(1, 1), RowSearchPath::kCubes},
      {{Cell::kZero, Row(7, 6), false}, Row(6, 6), RowSearchPath::kCubes},
      {{Cell::kOne, Row(3, 3), true}, Row(3, 4), RowSearchPath::kCubes},
      {{Cell::kDontCare, 0, true}, std::nullopt, RowSearchPath::kCubes},
      {{Cell::kZero, 5, true, true}, std::nullopt, RowSearchPath::kTooComplex},
  };
  // Whether the count found them too complex or the question finds out.
  for (const FunctionDiagrams& diagrams : {counted.diagrams, FunctionDiagrams{}}) {
    for (const Case& c : cases) {
      const CellSearch search = AskCubeRows(terms, 2 * kBits, c.query, small, diagrams);
      EXPECT_EQ(search.row, c.row) << c.query.from;
      EXPECT_EQ(search.path, c.path) << c.query.from;
      EXPECT_FALSE(search.stopped);
    }
  }
}

// Diagrams built from tables may hold the 1 rows alone: a question about the others walks the cubes.
TEST(CubeRowsTest, DiagramsWithoutTheKindAskedLeaveItToTheWalk) {
  const FunctionTerms terms{{{0b110, 0b110}}, {}};  // a*b over a, b, c
  FunctionDiagrams onesOnly = CountCubeRows(terms, 3).diagrams;
  onesOnly.zeros.reset();
  onesOnly.dontCares.reset();
  const CellSearch one = AskCubeRows(terms, 3, {Cell::kOne, 0, true}, {}, onesOnly);
  EXPECT_EQ(one.row, std::uint64_t{6});
  EXPECT_EQ(one.path, RowSearchPath::kDiagram);
  const CellSearch zero = AskCubeRows(terms, 3, {Cell::kZero, 7, false}, {}, onesOnly);
  EXPECT_EQ(zero.row, std::uint64_t{5});
  EXPECT_EQ(zero.path, RowSearchPath::kCubes);
}

TEST(CubeRowsTest, AQuestionThatIsStoppedSaysSoAndFindsNothing) {
  // Every other row is 1 and the rest don't-cares: no 0 row, which the walk proves row pair by pair.
  const FunctionTerms terms{{{1, 1}}, {{1, 0}}};
  int polls = 0;
  const CellSearch walked =
      AskCubeRows(terms, 40, {Cell::kZero, 0, true}, {}, {},
                  Budget(Budget::kNoLimit, [&polls](std::uint64_t, std::uint64_t) { return ++polls <= 2; }));
  EXPECT_TRUE(walked.stopped);
  EXPECT_EQ(walked.row, std::nullopt);
  // The n-th row waits for diagrams that take a while.
  const Budget stopped;
  stopped.Stop();
  const CellSearch nth = AskCubeRows(Unequal(), 2 * kBits, {Cell::kOne, 3, true, true}, {}, {}, stopped);
  EXPECT_TRUE(nth.stopped);
  EXPECT_EQ(nth.row, std::nullopt);
  EXPECT_NE(nth.path, RowSearchPath::kTooComplex);
}

}  // namespace
}  // namespace brevano

// Cubes of any width and sums of cubes: the algebra against brute force on random sums, the word
// boundaries of wide cubes, and covers checked against a function.
#include <gtest/gtest.h>

#include <random>

#include "function/boolean_function.h"

namespace brevano {
namespace {

MultiCube CubeOf(const std::string& inputs, const std::string& outputs = "1") {
  MultiCube cube = MultiCube::Universe(static_cast<int>(inputs.size()), static_cast<int>(outputs.size()));
  for (std::size_t i = 0; i < inputs.size(); ++i)
    if (inputs[i] != '-')
      cube.SetInput(static_cast<int>(i), inputs[i] == '1' ? Literal::kOne : Literal::kZero);
  for (std::size_t o = 0; o < outputs.size(); ++o) cube.SetOutput(static_cast<int>(o), outputs[o] == '1');
  return cube;
}

bool HoldsPoint(const MultiCube& cube, std::uint32_t point) {
  for (int i = 0; i < cube.inputs; ++i) {
    const Literal value = cube.Input(i);
    if (value != Literal::kFree && (value == Literal::kOne) != (((point >> i) & 1) != 0)) return false;
  }
  return true;
}

bool SumHolds(const CubeCover& cover, std::uint32_t point) {
  for (const MultiCube& cube : cover)
    if (HoldsPoint(cube, point)) return true;
  return false;
}

CubeCover RandomCover(std::mt19937& random, int n, int terms) {
  CubeCover cover;
  for (int t = 0; t < terms; ++t) {
    std::string text;
    for (int i = 0; i < n; ++i) text += "01--"[random() % 4];
    cover.push_back(CubeOf(text));
  }
  return cover;
}

TEST(MultiCubeTest, WideCubesAcrossWordBoundaries) {
  // 130 inputs: inputs 31/32 and 63/64 sit on either side of a word boundary.
  std::string a(130, '-'), b(130, '-');
  a[31] = '1', a[64] = '0', a[129] = '1';
  b[32] = '0', b[64] = '0';
  const MultiCube x = CubeOf(a, "10"), y = CubeOf(b, "01");
  EXPECT_EQ(x.LiteralCount(), 3);
  EXPECT_TRUE(InputsIntersect(x, y));
  EXPECT_EQ(InputDistance(x, y), 0);
  EXPECT_FALSE(OutputsIntersect(x, y));
  const MultiCube both = Intersection(x, y);
  EXPECT_EQ(both.LiteralCount(), 4);
  EXPECT_TRUE(InputsContain(x, both) && InputsContain(y, both));
  EXPECT_EQ(InputText(Supercube(x, y)), std::string(64, '-') + '0' + std::string(65, '-'));
  std::string c = a;
  c[129] = '0';
  EXPECT_EQ(InputDistance(x, CubeOf(c, "10")), 1);
  EXPECT_FALSE(InputsIntersect(x, CubeOf(c, "10")));
  EXPECT_TRUE(CoversInputs({CubeOf(a), CubeOf(c)}, CubeOf(std::string(31, '-') + '1' + std::string(32, '-') +
                                                          '0' + std::string(65, '-'))));
  EXPECT_TRUE(Complement({CubeOf(a)}, CubeOf(std::string(130, '-')), 10)->size() == 3);
}

TEST(CubeAlgebraTest, MatchesBruteForceOnRandomSums) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    const int n = 1 + static_cast<int>(random() % 8);
    const CubeCover cover = RandomCover(random, n, static_cast<int>(random() % 12));
    const MultiCube cube = RandomCover(random, n, 1).front();
    bool all = true, allInCube = true;
    std::optional<MultiCube> missed;
    for (std::uint32_t p = 0; p < (1u << n); ++p) {
      all = all && SumHolds(cover, p);
      if (!HoldsPoint(cube, p) || SumHolds(cover, p)) continue;
      allInCube = false;
      std::string text;
      for (int i = 0; i < n; ++i) text += ((p >> i) & 1) ? '1' : '0';
      missed = missed ? Supercube(*missed, CubeOf(text)) : CubeOf(text);
    }
    SCOPED_TRACE(round);
    EXPECT_EQ(IsTautology(cover), all);
    EXPECT_EQ(CoversInputs(cover, cube), allInCube);
    const std::optional<MultiCube> smallest = SmallestUncovered(cover, cube);
    ASSERT_EQ(smallest.has_value(), missed.has_value());
    if (missed) {
      EXPECT_EQ(InputText(*smallest), InputText(*missed));
    }
    const std::optional<CubeCover> rest =
        Complement(cover, CubeOf(std::string(static_cast<std::size_t>(n), '-')), 1000);
    ASSERT_TRUE(rest);
    for (std::uint32_t p = 0; p < (1u << n); ++p) EXPECT_NE(SumHolds(*rest, p), SumHolds(cover, p)) << p;
  }
}

TEST(BooleanFunctionTest, CheckCoverFindsEachKindOfFault) {
  // Two outputs over a b: f0 = a, f1 = a*b with a*not(b) a don't-care of f1.
  BooleanFunction function{
      {"a", "b"}, {"f0", "f1"}, {CubeOf("1-", "10"), CubeOf("11", "01")}, {CubeOf("10", "01")}};
  struct Case {
    CubeCover cover;
    int output;
    bool offPoint;
  };
  const Case cases[] = {
      {{CubeOf("1-", "11")}, -1, false},  // one shared term, using the don't-care
      {{CubeOf("1-", "10"), CubeOf("11", "01")}, -1, false},
      {{CubeOf("1-", "10")}, 1, false},  // f1 left uncovered
      {{CubeOf("--", "11")}, 0, true},   // a 0 point of f0 taken in
      {{CubeOf("1-", "10"), CubeOf("-1", "01")}, 1, true},
  };
  for (const Case& c : cases) {
    const CoverFault fault = CheckCover(function, c.cover);
    EXPECT_EQ(fault.output, c.output);
    if (c.output >= 0) {
      EXPECT_EQ(fault.offPoint, c.offPoint);
    }
  }
}

}  // namespace
}  // namespace brevano

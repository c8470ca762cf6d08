// Joint covers checked point by point against every output's 1 and don't-care points: random
// functions of up to 10 inputs, the shipped PLA files (at most the field's terms), and a file of
// 130 inputs.
#include "multiout/joint_minimise.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "engine/deep_stack.h"
#include "plafile/function_file.h"

namespace brevano {
namespace {

bool Holds(const MultiCube& cube, std::uint32_t point, const std::vector<int>& inputs) {
  for (std::size_t k = 0; k < inputs.size(); ++k) {
    const Literal value = cube.Input(inputs[k]);
    if (value != Literal::kFree && (value == Literal::kOne) != (((point >> k) & 1) != 0)) return false;
  }
  return true;
}

// Every point over `inputs` (the only inputs any cube has literals on): each output's 1 points
// covered by its terms, and no term of the output on one of its 0 points.
void ExpectRightCover(const BooleanFunction& function, const CubeCover& cover,
                      const std::vector<int>& inputs) {
  for (int o = 0; o < function.OutputCount(); ++o) {
    for (std::uint32_t p = 0; p < (1u << inputs.size()); ++p) {
      auto any = [&](const CubeCover& list) {
        return std::any_of(list.begin(), list.end(),
                           [&](const MultiCube& c) { return c.HasOutput(o) && Holds(c, p, inputs); });
      };
      const bool dontCare = any(function.dontCare), on = any(function.on) && !dontCare, covered = any(cover);
      ASSERT_TRUE(dontCare || covered == on)
          << "output " << o << " point " << p << (on ? " missed" : " taken in");
    }
  }
}

std::vector<int> FirstInputs(int n) {
  std::vector<int> inputs(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) inputs[static_cast<std::size_t>(i)] = i;
  return inputs;
}

// Cubes with literals on `inputs` only (of `n` inputs), each with a random nonempty output set.
CubeCover RandomCubes(std::mt19937& random, int n, int outputs, int count, const std::vector<int>& inputs) {
  CubeCover cubes;
  for (int t = 0; t < count; ++t) {
    MultiCube cube = MultiCube::Universe(n, outputs);
    for (int i : inputs) {
      const auto pick = random() % 3;
      if (pick < 2) cube.SetInput(i, pick ? Literal::kOne : Literal::kZero);
    }
    cube.SetOutput(static_cast<int>(random() % static_cast<unsigned>(outputs)), true);
    for (int o = 0; o < outputs; ++o)
      if (random() % 3 == 0) cube.SetOutput(o, true);
    cubes.push_back(std::move(cube));
  }
  return cubes;
}

JointCover Minimise(const BooleanFunction& function, JointOptions options = {}) {
  JointCover cover;
  RunWithLargeStack([&] { cover = MinimiseJointly(function, options); });
  return cover;
}

TEST(JointMinimiseTest, RandomFunctionsAgainstBruteForce) {
  std::mt19937 random(29);
  for (int round = 0; round < 120; ++round) {
    const int n = 1 + static_cast<int>(random() % 10), outputs = 1 + static_cast<int>(random() % 4);
    const std::vector<int> inputs = FirstInputs(n);
    BooleanFunction function{{}, std::vector<std::string>(static_cast<std::size_t>(outputs), "f"), {}, {}};
    function.inputs.assign(static_cast<std::size_t>(n), "x");
    function.on = RandomCubes(random, n, outputs, 1 + static_cast<int>(random() % 14), inputs);
    function.dontCare = RandomCubes(random, n, outputs, static_cast<int>(random() % 4), inputs);
    SCOPED_TRACE(round);
    for (const bool single : {false, true}) {
      JointOptions options;
      options.single = single;
      const JointCover cover = Minimise(function, options);
      ExpectRightCover(function, cover.terms, inputs);
      EXPECT_LE(cover.lowerBound, cover.terms.size());
      EXPECT_EQ(cover.proven, cover.lowerBound == cover.terms.size());
    }
  }
}

TEST(JointMinimiseTest, WideFunctionsAgainstBruteForce) {
  // 130 inputs, literals on 9 of them spread over the three words of a cube.
  std::mt19937 random(130);
  const std::vector<int> inputs{0, 31, 32, 63, 64, 90, 95, 96, 129};
  for (int round = 0; round < 20; ++round) {
    BooleanFunction function{std::vector<std::string>(130, "x"), {"f", "g", "h"}, {}, {}};
    function.on = RandomCubes(random, 130, 3, 12, inputs);
    function.dontCare = RandomCubes(random, 130, 3, 2, inputs);
    SCOPED_TRACE(round);
    ExpectRightCover(function, Minimise(function).terms, inputs);
  }
}

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(JointMinimiseTest, ShippedFilesReachTheFieldsTerms) {
  struct Case {
    const char* file;
    std::size_t field;  // the terms of the field's cover of all outputs together
    bool proven;        // expected proven fewest
  };
  const Case cases[] = {
      {"rd53", 31, true}, {"con1", 9, true},    {"misex1", 12, true}, {"inc", 30, true},
      {"sao2", 58, true}, {"duke2", 86, false}, {"vg2", 110, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const BooleanFunction function =
        FunctionOfFile(ReadPla(FileText(std::string(BREVANO_PLA_DATA) + "/" + c.file + ".pla")));
    JointOptions options;
    options.budget = std::chrono::seconds(30);
    const JointCover cover = Minimise(function, options);
    EXPECT_LE(cover.terms.size(), c.field);
    if (c.proven) {
      EXPECT_TRUE(cover.proven);
    }
    if (function.InputCount() <= 12)
      ExpectRightCover(function, cover.terms, FirstInputs(function.InputCount()));
  }
}

TEST(JointMinimiseTest, WideFileReadAndMinimised) {
  // f = x1*x130 + x1*not(x130)*x65 over 130 inputs is x1*x130 + x1*x65; g shares x1*x130.
  const std::string free(63, '-'), tail(64, '-');
  const std::string text =
      ".i 130\n.o 2\n.ob f g\n1" + free + "-" + tail + "1 11\n1" + free + "1" + tail + "0 10\n";
  const BooleanFunction function = FunctionOfFile(ReadPla(text));
  const JointCover cover = Minimise(function);
  ASSERT_EQ(cover.terms.size(), 2u);
  EXPECT_TRUE(cover.proven);
  std::vector<std::string> terms;
  for (const MultiCube& cube : cover.terms)
    terms.push_back(InputText(cube) + (cube.HasOutput(0) ? "1" : "0") + (cube.HasOutput(1) ? "1" : "0"));
  std::sort(terms.begin(), terms.end());
  EXPECT_EQ(terms,
            (std::vector<std::string>{"1" + free + "-" + tail + "111", "1" + free + "1" + tail + "-10"}));
}

}  // namespace
}  // namespace brevano

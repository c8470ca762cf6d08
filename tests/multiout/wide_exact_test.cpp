// Primes made by consensus against every cube of a small table, and the least cover found from
// the cubes on functions of 15 to 18 inputs against the table's search on the inputs they use, and
// a shipped file of 22 inputs proven.
#include "multiout/wide_exact.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include "engine/deep_stack.h"
#include "multiout/exact_cover.h"
#include "multiout/joint_minimise.h"
#include "plafile/function_file.h"

namespace brevano {
namespace {

// Cubes of `n` inputs with literals on `inputs` only, each with a random nonempty output set.
CubeCover RandomCubes(std::mt19937& random, int n, int outputs, int count, const std::vector<int>& inputs) {
  CubeCover cubes;
  for (int t = 0; t < count; ++t) {
    MultiCube cube = MultiCube::Universe(n, outputs);
    for (int i : inputs)
      if (const auto pick = random() % 3; pick < 2) cube.SetInput(i, pick ? Literal::kOne : Literal::kZero);
    cube.SetOutput(static_cast<int>(random() % static_cast<unsigned>(outputs)), true);
    for (int o = 0; o < outputs; ++o)
      if (random() % 3 == 0) cube.SetOutput(o, true);
    cubes.push_back(std::move(cube));
  }
  return cubes;
}

BooleanFunction RandomFunction(std::mt19937& random, int n, int outputs, const std::vector<int>& inputs) {
  BooleanFunction function{std::vector<std::string>(static_cast<std::size_t>(n), "x"),
                           std::vector<std::string>(static_cast<std::size_t>(outputs), "f"),
                           {},
                           {}};
  function.on = RandomCubes(random, n, outputs, 2 + static_cast<int>(random() % 12), inputs);
  function.dontCare = RandomCubes(random, n, outputs, static_cast<int>(random() % 3), inputs);
  return function;
}

// True when point `p` (bit k: input inputs[k]; the rest free) lies in the cube's inputs.
bool Holds(const MultiCube& cube, std::uint32_t p, const std::vector<int>& inputs) {
  for (std::size_t k = 0; k < inputs.size(); ++k) {
    const Literal value = cube.Input(inputs[k]);
    if (value != Literal::kFree && (value == Literal::kOne) != (((p >> k) & 1) != 0)) return false;
  }
  return true;
}

// The outputs that may be 1 at each point over `inputs`.
std::vector<std::uint64_t> Allowed(const BooleanFunction& function, const std::vector<int>& inputs) {
  std::vector<std::uint64_t> allowed(std::size_t{1} << inputs.size());
  for (const CubeCover* list : {&function.on, &function.dontCare})
    for (const MultiCube& cube : *list)
      for (std::uint32_t p = 0; p < allowed.size(); ++p)
        if (Holds(cube, p, inputs))
          for (int o = 0; o < cube.outputs; ++o) allowed[p] |= std::uint64_t{cube.HasOutput(o)} << o;
  return allowed;
}

TEST(WideExactTest, PrimesAreEveryMaximalCubeOfTheTable) {
  std::mt19937 random(15);
  for (int round = 0; round < 150; ++round) {
    const int n = 1 + static_cast<int>(random() % 7), outputs = 1 + static_cast<int>(random() % 3);
    std::vector<int> inputs(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) inputs[static_cast<std::size_t>(i)] = i;
    const BooleanFunction function = RandomFunction(random, n, outputs, inputs);
    const std::vector<std::uint64_t> allowed = Allowed(function, inputs);
    // Every cube with all the outputs its points allow; primes are those no raised literal keeps.
    auto outputsOf = [&](const MultiCube& cube) {
      std::uint64_t mask = ~std::uint64_t{0};
      for (std::uint32_t p = 0; p < allowed.size(); ++p)
        if (Holds(cube, p, inputs)) mask &= allowed[p];
      return mask;
    };
    std::set<MultiCube> expected;
    std::uint32_t cubes = 1;
    for (int i = 0; i < n; ++i) cubes *= 3;
    for (std::uint32_t index = 0; index < cubes; ++index) {
      MultiCube cube = MultiCube::Universe(n, outputs);
      for (int i = 0, rest = static_cast<int>(index); i < n; ++i, rest /= 3)
        if (rest % 3 < 2) cube.SetInput(i, rest % 3 ? Literal::kOne : Literal::kZero);
      const std::uint64_t mask = outputsOf(cube);
      if (mask == 0) continue;
      bool prime = true;
      for (int i = 0; i < n && prime; ++i) {
        if (cube.Input(i) == Literal::kFree) continue;
        MultiCube raised = cube;
        raised.SetInput(i, Literal::kFree);
        prime = (outputsOf(raised) & mask) != mask;
      }
      for (int o = 0; o < outputs; ++o) cube.SetOutput(o, (mask >> o) & 1);
      if (prime) expected.insert(cube);
    }
    Budget control(std::chrono::seconds(10), {});
    const std::optional<CubeCover> primes = JointPrimes(function, 100000, control);
    ASSERT_TRUE(primes);
    EXPECT_EQ(std::set<MultiCube>(primes->begin(), primes->end()), expected) << "round " << round;
  }
}

// The function on `inputs` alone, input k of it being input inputs[k].
BooleanFunction Narrowed(const BooleanFunction& function, const std::vector<int>& inputs) {
  const int k = static_cast<int>(inputs.size());
  BooleanFunction narrow{std::vector<std::string>(inputs.size(), "x"), function.outputs, {}, {}};
  for (const CubeCover* list : {&function.on, &function.dontCare})
    for (const MultiCube& cube : *list) {
      MultiCube part = MultiCube::Universe(k, function.OutputCount());
      for (int i = 0; i < k; ++i) part.SetInput(i, cube.Input(inputs[static_cast<std::size_t>(i)]));
      for (int o = 0; o < function.OutputCount(); ++o) part.SetOutput(o, cube.HasOutput(o));
      (list == &function.on ? narrow.on : narrow.dontCare).push_back(std::move(part));
    }
  return narrow;
}

TEST(WideExactTest, ProvenLeastAsTheTableOnTheInputsUsed) {
  std::mt19937 random(18);
  for (int round = 0; round < 25; ++round) {
    const int n = 15 + static_cast<int>(random() % 4), outputs = 1 + static_cast<int>(random() % 4);
    std::vector<int> all(static_cast<std::size_t>(n)), inputs;
    for (int i = 0; i < n; ++i) all[static_cast<std::size_t>(i)] = i;
    std::shuffle(all.begin(), all.end(), random);
    inputs.assign(all.begin(), all.begin() + 9);
    std::sort(inputs.begin(), inputs.end());
    const BooleanFunction function = RandomFunction(random, n, outputs, inputs);
    SCOPED_TRACE(round);
    std::optional<ExactResult> table;
    WideExactResult wide;
    JointCover cover;
    RunWithLargeStack([&] {
      Budget control(std::chrono::seconds(20), {});
      table = ExactJointCover(Narrowed(function, inputs), ExactLimits{}, control);
      Budget wideControl(std::chrono::seconds(20), {});
      wide = WideJointCover(function, 100000, wideControl);
      JointOptions options;
      options.exact = true;
      options.budget = std::chrono::seconds(20);
      cover = MinimiseJointly(function, options);
    });
    ASSERT_TRUE(table && table->proven && wide.terms);
    EXPECT_TRUE(wide.proven && cover.proven);
    EXPECT_EQ(wide.lowerBound, table->terms.size());
    EXPECT_EQ(wide.terms->size(), table->terms.size());
    EXPECT_EQ(cover.terms.size(), table->terms.size());
    // The cover point by point: each output's 1 points held, none of its 0 points.
    const std::vector<std::uint64_t> allowed = Allowed(function, inputs);
    BooleanFunction onOnly = function;
    onOnly.dontCare.clear();
    const std::vector<std::uint64_t> ones = Allowed(onOnly, inputs);
    BooleanFunction coverOnly = function;
    coverOnly.on = *wide.terms, coverOnly.dontCare.clear();
    const std::vector<std::uint64_t> covered = Allowed(coverOnly, inputs);
    BooleanFunction dcOnly = function;
    dcOnly.on.clear();
    const std::vector<std::uint64_t> dontCare = Allowed(dcOnly, inputs);
    for (std::size_t p = 0; p < allowed.size(); ++p) {
      ASSERT_EQ(covered[p] & ~allowed[p], 0u) << "point " << p;
      ASSERT_EQ(ones[p] & ~dontCare[p] & ~covered[p], 0u) << "point " << p;
    }
  }
}

TEST(WideExactTest, FileOfTwentyTwoInputsProvenLeast) {
  std::ifstream in(std::string(BREVANO_PLA_DATA) + "/duke2.pla");
  std::ostringstream text;
  text << in.rdbuf();
  const BooleanFunction function = FunctionOfFile(ReadPla(text.str()));
  JointOptions options;
  options.exact = true;
  options.budget = std::chrono::seconds(60);
  JointCover cover;
  RunWithLargeStack([&] { cover = MinimiseJointly(function, options); });
  EXPECT_EQ(cover.terms.size(), 86u);
  EXPECT_TRUE(cover.proven && cover.stats.exactRan);
}

}  // namespace
}  // namespace brevano

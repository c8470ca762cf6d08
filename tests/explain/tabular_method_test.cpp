// The tabular method and its proofs of minimality against the minimiser and the known counts.
#include "explain/tabular_method.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <random>

#include "engine/deep_stack.h"
#include "explain/minimality_proof.h"
#include "minimise/minimise.h"

namespace brevano {
namespace {

Budget Unlimited() { return Budget(std::chrono::seconds(60), {}); }

// The number of terms of the least sum of every function of n variables, as a histogram.
std::vector<int> LeastSizeCounts(int variables) {
  std::vector<int> counts;
  RunWithLargeStack([&] {
    const std::uint64_t functions = std::uint64_t{1} << (1u << variables);
    for (std::uint64_t word = 0; word < functions; ++word) {
      const TruthVector truth = TruthVector::FromWord(variables, word);
      Budget control = Unlimited();
      const TabularMethod method = RunTabularMethod(truth, nullptr, false, control);
      ASSERT_TRUE(method.complete);
      const std::size_t terms = method.chosen.size();
      const MinimalityProof proof = ProveMinimality(method, terms);
      ASSERT_LE(proof.independentRows.size(), terms) << "a lower bound above a cover, function " << word;
      if (counts.size() <= terms) counts.resize(terms + 1);
      ++counts[terms];
    }
  });
  return counts;
}

TEST(TabularMethod, LeastSumSizesOfAllFunctionsOfThreeAndFourVariables) {
  EXPECT_EQ(LeastSizeCounts(3), (std::vector<int>{1, 27, 130, 88, 10}));
  EXPECT_EQ(LeastSizeCounts(4), (std::vector<int>{1, 81, 1804, 13472, 28904, 17032, 3704, 512, 26}));
}

// Random functions with and without don't-cares: a cover of the ones inside ones-or-don't-cares,
// as small in terms and literals as the minimiser's.
TEST(TabularMethod, MatchesTheMinimiserOnRandomFunctions) {
  std::mt19937_64 rng(31);
  RunWithLargeStack([&] {
    for (int trial = 0; trial < 400; ++trial) {
      const int n = 2 + trial % 6;
      TruthVector on(n), dc(n);
      for (std::uint64_t r = 0; r < on.Rows(); ++r) {
        const int pick = static_cast<int>(rng() % 8);
        if (pick < 3) on.Set(r);
        if (trial % 2 && pick == 7) dc.Set(r);
      }
      Budget control = Unlimited(), other = Unlimited();
      const TabularMethod method = RunTabularMethod(on, trial % 2 ? &dc : nullptr, n <= 4, control);
      const SumOfProducts least = MinimiseSumOfProducts(on, dc, other);
      ASSERT_TRUE(method.complete);
      ASSERT_EQ(method.chosen.size(), least.terms.size()) << "trial " << trial;
      int literals = 0, leastLiterals = 0;
      for (Cube c : ChosenTerms(method)) literals += LiteralCount(c);
      for (Cube c : least.terms) leastLiterals += LiteralCount(c);
      EXPECT_EQ(literals, leastLiterals) << "trial " << trial;
      for (std::uint32_t r = 0; r < on.Rows(); ++r) {
        bool covered = false;
        for (Cube c : ChosenTerms(method)) covered = covered || CubeContains(c, r);
        if (dc.At(r)) continue;
        ASSERT_EQ(covered, on.At(r)) << "trial " << trial << " row " << r;
      }
    }
  });
}

// The classic cyclic function: no essential prime, a core settled by the search, and three rows
// without a common prime that prove its three terms least.
TEST(TabularMethod, CyclicChartAndItsText) {
  TruthVector on(3);
  for (int r : {0, 1, 2, 5, 6, 7}) on.Set(r);
  Budget control = Unlimited();
  TabularMethod method;
  RunWithLargeStack([&] { method = RunTabularMethod(on, nullptr, true, control); });
  EXPECT_EQ(method.primes.size(), 6u);
  EXPECT_TRUE(method.essential.empty());
  EXPECT_EQ(method.chosen.size(), 3u);
  EXPECT_EQ(method.corePrimes.size(), 6u);
  const std::string text = TabularText(method, {"A", "B", "C"}, false);
  EXPECT_NE(text.find("Cyclic core: 6 primes over 6 rows, settled by branch-and-bound"), std::string::npos)
      << text;
  EXPECT_EQ(text.find("Stage 2"), std::string::npos) << "no pairs of pairs combine here";
  const MinimalityProof proof = ProveMinimality(method, 3);
  EXPECT_EQ(proof.independentRows, (std::vector<std::uint32_t>{0, 5, 6}));
  EXPECT_NE(ProofText(proof, SearchAccount(method)).find("this one has 3: it is least"), std::string::npos);
}

TEST(TabularMethod, ConstantsAndDontCares) {
  Budget control = Unlimited();
  TabularMethod zero, one, dcOnly;
  TruthVector none(2), all(2), dc(2);
  for (int r = 0; r < 4; ++r) all.Set(r);
  dc.Set(3);
  RunWithLargeStack([&] {
    zero = RunTabularMethod(none, nullptr, true, control);
    one = RunTabularMethod(all, nullptr, true, control);
    dcOnly = RunTabularMethod(none, &dc, true, control);
  });
  EXPECT_TRUE(zero.chosen.empty());
  ASSERT_EQ(one.chosen.size(), 1u);
  EXPECT_EQ(one.primes[one.chosen[0]].care, 0u);
  EXPECT_TRUE(dcOnly.chosen.empty()) << "don't-cares alone need no term";
  EXPECT_NE(TabularText(one, {"A", "B"}, false).find("Least sum: 1 (1 term, 0 literals)"), std::string::npos);
}

}  // namespace
}  // namespace brevano

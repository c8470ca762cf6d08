// A budget stops for good, shares an outer budget's stop across threads, and never overflows.
#include "budget/budget.h"

#include <gtest/gtest.h>

#include <thread>

namespace brevano {
namespace {

using std::chrono::milliseconds;

TEST(BudgetTest, StopsOnceAndForAllByEachWayOfStopping) {
  struct Case {
    const char* name;
    std::function<void(const Budget&)> stop;
  };
  int heard = 0;
  const Budget refusing(Budget::kNoLimit, [&heard](std::uint64_t, std::uint64_t) { return ++heard < 2; });
  const std::vector<Case> cases = {
      {"Stop", [](const Budget& budget) { budget.Stop(); }},
      {"Report", [](const Budget& budget) { EXPECT_FALSE(budget.Report(1, 2)); }},
      {"Poll", [](const Budget& budget) { EXPECT_TRUE(budget.Poll()); }},
  };
  for (const Case& c : cases) {
    const Budget budget(Budget::kNoLimit, [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_FALSE(budget.Stopped()) << c.name;
    c.stop(budget);
    EXPECT_TRUE(budget.Stopped()) << c.name;
    EXPECT_FALSE(budget.Report(0, 0)) << c.name;
    EXPECT_TRUE(budget.Poll()) << c.name;
    EXPECT_FALSE(budget.TimeUp()) << c.name;
  }
  // A progress that once said stop is not asked again.
  EXPECT_FALSE(refusing.Poll());
  EXPECT_TRUE(refusing.Poll());
  EXPECT_TRUE(refusing.Poll());
  EXPECT_EQ(heard, 2);
}

TEST(BudgetTest, AnInnerBudgetSharesTheOuterStopAcrossThreads) {
  const Budget outer;
  const Budget inner(Budget::kNoLimit, {}, &outer);
  std::thread([&outer] { outer.Stop(); }).join();
  EXPECT_TRUE(inner.Stopped());
  EXPECT_TRUE(inner.Poll());
  // The other way round, an inner stop leaves the outer budget running.
  const Budget other;
  const Budget stopped(Budget::kNoLimit, {}, &other);
  stopped.Stop();
  EXPECT_FALSE(other.Stopped());
}

TEST(BudgetTest, TimeRunsOutWithoutStopping) {
  Budget none(milliseconds(0));
  EXPECT_FALSE(none.LongTick());
  EXPECT_TRUE(none.TimeUp());
  EXPECT_FALSE(none.Stopped());
  EXPECT_EQ(none.Left(), Budget::Clock::duration::zero());
  // Without a limit the end never comes, however late it is asked.
  Budget endless;
  EXPECT_TRUE(endless.LongTick());
  EXPECT_EQ(endless.EndAfter(Budget::Clock::now()), Budget::Clock::time_point::max());
  EXPECT_GT(endless.Left(), std::chrono::hours(24 * 365));
}

TEST(BudgetTest, PollReportsTheTimeSpentWithinTheBudget) {
  std::uint64_t done = 1, total = 0;
  const Budget budget(milliseconds(5), [&](std::uint64_t d, std::uint64_t t) {
    done = d;
    total = t;
    return true;
  });
  std::this_thread::sleep_for(milliseconds(10));
  EXPECT_FALSE(budget.Poll());
  EXPECT_EQ(total, 5u);
  EXPECT_EQ(done, 5u);  // never past the whole
}

TEST(BudgetTest, PollingAsksTheBudgetOnlyEveryInterval) {
  int heard = 0;
  const Budget budget(Budget::kNoLimit, [&heard](std::uint64_t, std::uint64_t) { return ++heard < 100; });
  const Progress often = budget.Polling(std::chrono::hours(1));
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(often(0, 0));
  EXPECT_EQ(heard, 0);
  budget.Stop();
  EXPECT_FALSE(often(0, 0));  // a stop is seen at once
}

}  // namespace
}  // namespace brevano

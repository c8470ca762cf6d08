// The edit box's history: stepping back and forth over the draft, duplicates, and the oldest entries dropped.
#include "app/expression_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brevano {
namespace {

// Steps from a history of "a", "b", "c" with the draft "typed": '<' is Up, '>' is Down, 'e' an edit
// (the stepping restarts), and the text shown after each step (unchanged where a step gives nothing).
struct StepCase {
  const char* name;
  const char* steps;
  std::vector<std::string> shown;
};

class HistorySteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(HistorySteps, ShowTheExpectedTexts) {
  ExpressionHistory history;
  for (const char* text : {"a", "b", "c"}) history.Add(text);
  std::string box = "typed";
  std::vector<std::string> shown;
  for (const char* step = GetParam().steps; *step; ++step) {
    std::optional<std::string> text;
    if (*step == '<') text = history.Older(box);
    if (*step == '>') text = history.Newer();
    if (*step == 'e') {
      history.Restart();
      box = "edited";
    }
    if (text) box = *text;
    shown.push_back(box);
  }
  EXPECT_EQ(shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, HistorySteps,
    ::testing::Values(StepCase{"UpFromTheDraft", "<<", {"c", "b"}},
                      StepCase{"UpStopsAtTheOldest", "<<<<", {"c", "b", "a", "a"}},
                      StepCase{
                          "DownPastTheNewestGivesTheDraftBack", "<<>>>", {"c", "b", "c", "typed", "typed"}},
                      StepCase{"DownWithoutSteppingDoesNothing", ">", {"typed"}},
                      StepCase{"AnEditRestartsFromTheNewest", "<<e<>", {"c", "b", "edited", "c", "edited"}}),
    [](const auto& info) { return info.param.name; });

TEST(ExpressionHistory, KeepsEachTextOnceAndDropsTheOldest) {
  ExpressionHistory history;
  history.Add("a");
  history.Add("b");
  history.Add("a");
  EXPECT_EQ(history.Entries(), (std::vector<std::string>{"b", "a"}));
  for (std::size_t i = 0; i < kMaxHistoryEntries; ++i) history.Add(std::to_string(i));
  EXPECT_EQ(history.Entries().size(), kMaxHistoryEntries);
  EXPECT_EQ(history.Entries().front(), "0");
}

}  // namespace
}  // namespace brevano

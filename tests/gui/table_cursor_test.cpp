// The list's row cursor: keyboard targets at the edges of the viewport and the table, clicks and drags.
#include "app/table_cursor.h"

#include <gtest/gtest.h>

namespace brevano {
namespace {

struct KeyCase {
  const char* name;
  std::optional<std::uint64_t> current;  // none: the keyboard starts from the first visible row
  CursorKey key;
  std::uint64_t top;
  std::uint64_t visible;
  std::uint64_t target;
};

class CursorKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(CursorKeys, MoveToTheExpectedRow) {
  const KeyCase& c = GetParam();
  TableCursor cursor;
  cursor.Reset(100);
  if (c.current) cursor.SelectRow(*c.current);
  EXPECT_EQ(cursor.KeyTarget(c.key, c.top, c.visible), c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CursorKeys,
    ::testing::Values(KeyCase{"NoCurrentDownStaysOnTop", {}, CursorKey::kDown, 40, 10, 40},
                      KeyCase{"NoCurrentUpStaysOnTop", {}, CursorKey::kUp, 40, 10, 40},
                      KeyCase{"PageDownToTheBottomOfTheView", 42, CursorKey::kPageDown, 40, 10, 49},
                      KeyCase{"PageDownFromTheBottomMovesAPage", 49, CursorKey::kPageDown, 40, 10, 58},
                      KeyCase{"PageDownStopsAtTheLastRow", 95, CursorKey::kPageDown, 95, 10, 99},
                      KeyCase{"PageUpToTheTopOfTheView", 45, CursorKey::kPageUp, 40, 10, 40},
                      KeyCase{"PageUpFromTheTopMovesAPage", 40, CursorKey::kPageUp, 40, 10, 31},
                      KeyCase{"PageUpStopsAtTheFirstRow", 3, CursorKey::kPageUp, 3, 10, 0},
                      KeyCase{"OffScreenPageDownMovesAPage", 5, CursorKey::kPageDown, 40, 10, 14},
                      KeyCase{"OneRowViewStillMoves", 7, CursorKey::kPageDown, 7, 1, 8}),
    [](const auto& info) { return info.param.name; });

TEST(TableCursor, ClicksDragsAndRightClicksKeepTheAnchor) {
  TableCursor cursor;
  cursor.Reset(1000);
  cursor.Click(10, {});
  cursor.Click(14, {.shift = true});  // 10..14
  EXPECT_EQ(cursor.Selection().Count(), 5u);
  cursor.Click(20, {.control = true});                 // toggles 20, anchor moves there
  cursor.Click(22, {.shift = true, .control = true});  // adds 20..22
  EXPECT_EQ(cursor.Selection().Count(), 8u);
  cursor.RightClick(12);  // selected: only the current row moves
  EXPECT_EQ(cursor.Current(), 12u);
  EXPECT_EQ(cursor.Selection().Count(), 8u);
  cursor.RightClick(30);  // not selected: a plain click
  EXPECT_EQ(cursor.Selection().Count(), 1u);
  EXPECT_FALSE(cursor.DragTo(30));
  EXPECT_TRUE(cursor.DragTo(27));  // from the anchor 30
  EXPECT_EQ(cursor.Selection().Ranges().begin()->first, 27u);
  EXPECT_EQ(cursor.Selection().Count(), 4u);
  cursor.MoveTo(40, {.control = true});  // Ctrl moves the current row alone
  EXPECT_EQ(cursor.Selection().Count(), 4u);
  cursor.MoveTo(42, {.shift = true});  // Shift extends from the anchor, still 30
  EXPECT_EQ(cursor.Selection().Count(), 13u);
}

TEST(TableCursor, FocusAndToggleStartFromTheTopRowWithoutACurrentRow) {
  TableCursor cursor;
  cursor.Reset(0);
  cursor.Focus(0);
  EXPECT_FALSE(cursor.Current());  // no rows, no current row
  cursor.Reset(50);
  cursor.ToggleCurrent(17);
  EXPECT_EQ(cursor.Current(), 17u);
  EXPECT_TRUE(cursor.Selection().Contains(17));
  cursor.Focus(3);  // a current row stays
  EXPECT_EQ(cursor.Current(), 17u);
  cursor.SelectAll();
  EXPECT_EQ(cursor.Selection().Count(), 50u);
}

}  // namespace
}  // namespace brevano

// Karnaugh map layouts for 1 to 6 variables against brute force: cells, neighbours, groups, covers.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "engine/engine_error.h"
#include "kmap/kmap_layout.h"
#include "kmap/kmap_picture.h"
#include "kmap/kmap_state.h"
#include "kmap/kmap_svg.h"

namespace brevano {
namespace {

KmapLayout Layout(int count, std::vector<int> values) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(std::string(1, static_cast<char>('A' + i)));
  return MakeKmapLayout(names, std::move(values), DisplayMode::kZeroOne);
}

// Every function of up to 3 variables, and a fixed sample of random ones beyond.
std::vector<std::vector<int>> Functions(int count) {
  const int rows = 1 << count;
  std::vector<std::vector<int>> functions;
  if (count <= 3) {
    for (int bits = 0; bits < (1 << rows); ++bits) {
      functions.emplace_back(rows);
      for (int row = 0; row < rows; ++row) functions.back()[row] = (bits >> row) & 1;
    }
    return functions;
  }
  std::mt19937 random(static_cast<unsigned>(count));
  for (int sample = 0; sample < 60; ++sample) {
    functions.emplace_back(rows);
    for (int& value : functions.back()) value = static_cast<int>(random() % 3 == 0);
  }
  return functions;
}

class EveryWidth : public testing::TestWithParam<int> {};

TEST_P(EveryWidth, EachRowHasOneCellAndTouchingCellsDifferInOneVariable) {
  const KmapLayout layout = Layout(GetParam(), std::vector<int>(std::size_t{1} << GetParam()));
  std::set<std::uint64_t> seen;
  for (int lr = 0; lr < layout.LayerRows(); ++lr) {
    for (int lc = 0; lc < layout.LayerColumns(); ++lc) {
      for (int row = 0; row < layout.Rows(); ++row) {
        for (int column = 0; column < layout.Columns(); ++column) {
          const KmapPlace place{lr, lc, row, column};
          const std::uint64_t tableRow = TableRowAt(layout, place);
          ASSERT_LT(tableRow, static_cast<std::uint64_t>(layout.CellCount()));
          EXPECT_TRUE(seen.insert(tableRow).second) << tableRow;
          EXPECT_EQ(PlaceOf(layout, tableRow), place);
          // The right and lower neighbours, across the layer's edges too; a 2-cell axis wraps onto itself.
          const KmapPlace right{lr, lc, row, (column + 1) % layout.Columns()};
          const KmapPlace below{lr, lc, (row + 1) % layout.Rows(), column};
          for (const KmapPlace& next : {right, below}) {
            if (next == place) continue;
            EXPECT_EQ(std::popcount(tableRow ^ TableRowAt(layout, next)), 1) << tableRow;
          }
        }
      }
    }
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(layout.CellCount()));
}

// The pieces of every group tile exactly the cells of its term, open sides lie on the layer's edges,
// and the groups of a cover cover exactly the 1-cells (sum) or the 0-cells (product).
TEST_P(EveryWidth, GroupsDrawTheirTermsAndCoversTheirCells) {
  const int count = GetParam();
  for (const std::vector<int>& values : Functions(count)) {
    const KmapLayout layout = Layout(count, values);
    for (const KmapCoverKind kind : {KmapCoverKind::kSumOfProducts, KmapCoverKind::kProductOfSums}) {
      const KmapCover cover = LeastKmapCover(layout, kind);
      ASSERT_EQ(cover.status, MinimiseStatus::kExact);
      std::set<std::uint64_t> covered;
      for (const KmapTerm& term : cover.terms) {
        std::multiset<std::uint64_t> drawn;
        for (const KmapRect& rect : TermRectangles(layout, term.cube)) {
          EXPECT_TRUE(!rect.openLeft || rect.place.column == 0);
          EXPECT_TRUE(!rect.openRight || rect.place.column + rect.columns == layout.Columns());
          EXPECT_TRUE(!rect.openTop || rect.place.row == 0);
          EXPECT_TRUE(!rect.openBottom || rect.place.row + rect.rows == layout.Rows());
          for (int r = 0; r < rect.rows; ++r) {
            for (int c = 0; c < rect.columns; ++c) {
              KmapPlace place = rect.place;
              place.row += r;
              place.column += c;
              drawn.insert(TableRowAt(layout, place));
            }
          }
        }
        const std::vector<std::uint64_t> rows = TermRows(layout, term.cube);
        EXPECT_EQ(std::vector<std::uint64_t>(drawn.begin(), drawn.end()), rows) << term.text;
        covered.insert(rows.begin(), rows.end());
      }
      const int grouped = kind == KmapCoverKind::kSumOfProducts ? 1 : 0;
      std::set<std::uint64_t> wanted;
      for (int row = 0; row < layout.CellCount(); ++row) {
        if (values[row] == grouped) wanted.insert(static_cast<std::uint64_t>(row));
      }
      EXPECT_EQ(covered, wanted);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Variables, EveryWidth, testing::Range(1, kMaxKmapVariables + 1));

TEST(KmapLayout, AxesFollowTheTableOrder) {
  struct Case {
    int count;
    int layerRowBits, layerColumnBits, rowBits, columnBits;
  };
  for (const Case& c : {Case{1, 0, 0, 0, 1}, Case{2, 0, 0, 1, 1}, Case{3, 0, 0, 1, 2}, Case{4, 0, 0, 2, 2},
                        Case{5, 0, 1, 2, 2}, Case{6, 1, 1, 2, 2}}) {
    const KmapLayout layout = Layout(c.count, std::vector<int>(std::size_t{1} << c.count));
    EXPECT_EQ(layout.layerRowBits, c.layerRowBits) << c.count;
    EXPECT_EQ(layout.layerColumnBits, c.layerColumnBits) << c.count;
    EXPECT_EQ(layout.rowBits, c.rowBits) << c.count;
    EXPECT_EQ(layout.columnBits, c.columnBits) << c.count;
  }
  // Table row 0b1011 of A B C D: row code 10 (AB), column code 11 (CD): the last row, the third column.
  EXPECT_EQ(PlaceOf(Layout(4, std::vector<int>(16)), 0b1011), (KmapPlace{0, 0, 3, 2}));
  EXPECT_THROW(Layout(7, std::vector<int>(128)), EngineError);
  EXPECT_THROW(MakeKmapLayout({}, {1}, DisplayMode::kZeroOne), EngineError);
}

TEST(KmapLayout, CornerGroupIsFourPiecesOpenTowardsTheEdges) {
  // not(B)*not(D): the four corners of a 4-variable map.
  const KmapLayout layout = Layout(4, std::vector<int>(16));
  const std::vector<KmapRect> rects = TermRectangles(layout, Cube{0b0101, 0});
  ASSERT_EQ(rects.size(), 4u);
  for (const KmapRect& rect : rects) {
    EXPECT_EQ(rect.rows * rect.columns, 1);
    EXPECT_NE(rect.openTop, rect.openBottom);
    EXPECT_NE(rect.openLeft, rect.openRight);
  }
  // A whole row wraps onto itself: one closed piece.
  const std::vector<KmapRect> row = TermRectangles(layout, Cube{0b1100, 0b0100});
  ASSERT_EQ(row.size(), 1u);
  EXPECT_EQ(row[0].columns, 4);
  EXPECT_FALSE(row[0].openLeft || row[0].openRight);
}

TEST(KmapSvg, OneElementPerCellAndTextsEscaped) {
  const KmapLayout layout =
      MakeKmapLayout({"A&B", "C\xff<", "D\t"}, {0, 1, 1, 0, 1, 0, 0, 1}, DisplayMode::kFalseTrue);
  const KmapCover cover = LeastKmapCover(layout, KmapCoverKind::kSumOfProducts);
  const std::string svg = KmapSvg(DrawKmap(layout, cover));
  std::size_t cells = 0;
  for (std::size_t at = svg.find("class=\"cell\""); at != std::string::npos;
       at = svg.find("class=\"cell\"", at + 1))
    ++cells;
  EXPECT_EQ(cells, 8u);
  EXPECT_NE(svg.find("A&amp;B"), std::string::npos);
  EXPECT_NE(svg.find("C\xEF\xBF\xBD&lt;"), std::string::npos);
  EXPECT_EQ(svg.find('\t'), std::string::npos);
  EXPECT_EQ(svg.find('\xff'), std::string::npos);
  EXPECT_NE(svg.find(">T</text>"), std::string::npos);
}

TEST(KmapPicture, PointsFindTheirCellAndTheTopmostGroup) {
  const KmapLayout layout = Layout(2, {0, 1, 1, 1});
  const KmapCover cover = LeastKmapCover(layout, KmapCoverKind::kSumOfProducts);  // A + B
  ASSERT_EQ(cover.terms.size(), 2u);
  const KmapPicture picture = DrawKmap(layout, cover);
  const PictureBox& lastCell = picture.cells.back();
  const double x = lastCell.x + lastCell.w / 2, y = lastCell.y + lastCell.h / 2;
  EXPECT_EQ(CellAt(picture, x, y), 3);
  EXPECT_EQ(GroupAt(picture, x, y), 1);
  EXPECT_EQ(GroupAt(picture, picture.cells[0].x + 22, picture.cells[0].y + 22), -1);
  EXPECT_EQ(CellAt(picture, -1, -1), -1);
}

TEST(KmapState, HoverOutranksSelectionAndANewCoverClearsBoth) {
  KmapState state(Layout(2, {0, 1, 1, 1}));  // A + B; its product of sums is the one factor (A+B)
  EXPECT_TRUE(state.SetSelected(1));
  EXPECT_TRUE(state.SetHovered(0));
  EXPECT_EQ(state.Highlighted(), 0);
  EXPECT_TRUE(state.SetHovered(5));  // out of range: none
  EXPECT_EQ(state.Highlighted(), 1);
  EXPECT_EQ(state.Picture(LightKmapTheme(), false).groups.size(), 2u);
  EXPECT_TRUE(state.SetKind(KmapCoverKind::kProductOfSums));
  EXPECT_EQ(state.Highlighted(), -1);
  EXPECT_FALSE(state.SetSelected(1));
  EXPECT_EQ(state.Cover().expression, "(A+B)");
}

}  // namespace
}  // namespace brevano

// The display list of a Karnaugh map: layers with their labels, cells, groups and the legend.
#include "kmap/kmap_picture.h"

#include <algorithm>

namespace brevano {

namespace {

constexpr double kMargin = 14;
constexpr double kCell = 44;
constexpr double kLabelFont = 13;
constexpr double kValueFont = 17;
constexpr double kNumberFont = 9;
constexpr double kLineHeight = 20;
constexpr double kLayerTitleHeight = 24;
constexpr double kLayerGap = 30;
constexpr double kCodeGap = 7;
constexpr double kGroupStroke = 2.2;
constexpr double kHighlightStroke = 3.6;
constexpr std::uint8_t kGroupFillAlpha = 0x2e;
constexpr std::uint8_t kHighlightFillAlpha = 0x6e;
constexpr std::uint8_t kNumberBackingAlpha = 0xd0;

Rgba WithAlpha(Rgba colour, std::uint8_t alpha) {
  colour.a = alpha;
  return colour;
}

// The sizes of one layer: labels to the left and above, then the grid.
struct LayerFrame {
  double labelWidth = 0;
  double headerHeight = 0;
  double width = 0;
  double height = 0;
};

LayerFrame FrameOf(const KmapLayout& layout) {
  const int layerBits = layout.layerRowBits + layout.layerColumnBits;
  const std::string rowTitle = AxisTitle(layout, layerBits, layout.rowBits);
  LayerFrame frame;
  frame.labelWidth = std::max(EstimatedTextWidth(rowTitle, kLabelFont, true),
                              EstimatedTextWidth(GrayLabel(0, layout.rowBits), kLabelFont)) +
                     2 * kCodeGap;
  frame.headerHeight = (layerBits > 0 ? kLayerTitleHeight : 0) + 2 * kLineHeight;
  frame.width = frame.labelWidth + layout.Columns() * kCell;
  frame.height = frame.headerHeight + layout.Rows() * kCell;
  return frame;
}

class Painter {
 public:
  Painter(const KmapLayout& layout, const KmapCover& cover, const KmapPictureOptions& options)
      : layout_(layout), cover_(cover), options_(options), frame_(FrameOf(layout)) {}

  KmapPicture Draw();

 private:
  double GridX(const KmapPlace& place) const {
    return kMargin + place.layerColumn * (frame_.width + kLayerGap) + frame_.labelWidth +
           place.column * kCell;
  }
  double GridY(const KmapPlace& place) const {
    return kMargin + place.layerRow * (frame_.height + kLayerGap) + frame_.headerHeight + place.row * kCell;
  }
  void Text(double x, double y, std::string text, double size, TextAnchor anchor, Rgba colour, bool bold,
            const char* role) {
    picture_.items.push_back(TextItem(x, y, std::move(text), size, anchor, colour, bold, role));
  }
  void Rect(double x, double y, double w, double h, Rgba fill, Rgba stroke, double strokeWidth,
            const char* role, std::int64_t key) {
    PictureItem item;
    item.x = x;
    item.y = y;
    item.w = w;
    item.h = h;
    item.fill = fill;
    item.stroke = stroke;
    item.strokeWidth = strokeWidth;
    item.role = role;
    item.key = key;
    picture_.items.push_back(std::move(item));
  }
  void Line(double x1, double y1, double x2, double y2, Rgba colour, double width, std::int64_t key) {
    picture_.items.push_back(LineItem(x1, y1, x2, y2, colour, width, "group-edge", key));
  }

  void DrawCells();
  void DrawLayerLabels(int layerRow, int layerColumn);
  void DrawGroup(int term);
  void DrawValues();
  double DrawLegend(double top);

  const KmapLayout& layout_;
  const KmapCover& cover_;
  const KmapPictureOptions& options_;
  LayerFrame frame_;
  KmapPicture picture_;
};

void Painter::DrawCells() {
  for (int row = 0; row < layout_.CellCount(); ++row) {
    const KmapPlace place = PlaceOf(layout_, static_cast<std::uint64_t>(row));
    const double x = GridX(place), y = GridY(place);
    Rect(x, y, kCell, kCell, options_.theme.cellFill, options_.theme.grid, 1, "cell", row);
    picture_.cells.push_back({x, y, kCell, kCell, row});
  }
}

void Painter::DrawLayerLabels(int layerRow, int layerColumn) {
  const KmapTheme& theme = options_.theme;
  const int layerBits = layout_.layerRowBits + layout_.layerColumnBits;
  const KmapPlace origin{layerRow, layerColumn, 0, 0};
  const double gridX = GridX(origin), gridY = GridY(origin);
  const double gridW = layout_.Columns() * kCell, gridH = layout_.Rows() * kCell;
  if (layerBits > 0) {
    const std::string code =
        GrayLabel(layerRow, layout_.layerRowBits) + GrayLabel(layerColumn, layout_.layerColumnBits);
    Text(gridX - frame_.labelWidth, gridY - 2 * kLineHeight - 8,
         AxisTitle(layout_, 0, layerBits) + " = " + code, kLabelFont + 1, TextAnchor::kStart, theme.text,
         true, "layer");
  }
  const double codeBaseline = gridY - kCodeGap;
  Text(gridX + gridW / 2, codeBaseline - kLineHeight,
       AxisTitle(layout_, layerBits + layout_.rowBits, layout_.columnBits), kLabelFont, TextAnchor::kMiddle,
       theme.text, true, "axis");
  if (layout_.rowBits > 0) {
    Text(gridX - kCodeGap, codeBaseline, AxisTitle(layout_, layerBits, layout_.rowBits), kLabelFont,
         TextAnchor::kEnd, theme.text, true, "axis");
  }
  for (int column = 0; column < layout_.Columns(); ++column) {
    Text(gridX + (column + 0.5) * kCell, codeBaseline, GrayLabel(column, layout_.columnBits), kLabelFont,
         TextAnchor::kMiddle, theme.text, false, "code");
  }
  for (int row = 0; row < layout_.Rows() && layout_.rowBits > 0; ++row) {
    Text(gridX - kCodeGap, gridY + (row + 0.5) * kCell + kLabelFont / 3, GrayLabel(row, layout_.rowBits),
         kLabelFont, TextAnchor::kEnd, theme.text, false, "code");
  }
  Rect(gridX, gridY, gridW, gridH, {0, 0, 0, 0}, theme.grid, 1.6, "frame", -1);
}

// Each piece is set in from its cells by the group's inset, except on its open sides, which reach
// the layer's edge: the group goes on at the opposite edge.
void Painter::DrawGroup(int term) {
  const KmapTheme& theme = options_.theme;
  const Rgba colour = theme.groups[static_cast<std::size_t>(term) % theme.groups.size()];
  const bool strong = term == options_.highlightTerm;
  const double inset = 3 + (term % 4) * 3;
  const double stroke = strong ? kHighlightStroke : kGroupStroke;
  for (const KmapRect& rect : TermRectangles(layout_, cover_.terms[static_cast<std::size_t>(term)].cube)) {
    double left = GridX(rect.place), top = GridY(rect.place);
    double right = left + rect.columns * kCell, bottom = top + rect.rows * kCell;
    if (!rect.openLeft) left += inset;
    if (!rect.openRight) right -= inset;
    if (!rect.openTop) top += inset;
    if (!rect.openBottom) bottom -= inset;
    Rect(left, top, right - left, bottom - top,
         WithAlpha(colour, strong ? kHighlightFillAlpha : kGroupFillAlpha), {0, 0, 0, 0}, 0, "group", term);
    // Butt-ended sides, lengthened by half the stroke where they meet another side, so that the
    // corners close and open ends stop at the edge.
    const double half = stroke / 2;
    const double up = rect.openTop ? 0 : half, down = rect.openBottom ? 0 : half;
    const double back = rect.openLeft ? 0 : half, forth = rect.openRight ? 0 : half;
    if (!rect.openLeft) Line(left, top - up, left, bottom + down, colour, stroke, term);
    if (!rect.openRight) Line(right, top - up, right, bottom + down, colour, stroke, term);
    if (!rect.openTop) Line(left - back, top, right + forth, top, colour, stroke, term);
    if (!rect.openBottom) Line(left - back, bottom, right + forth, bottom, colour, stroke, term);
    picture_.groups.push_back({left, top, right - left, bottom - top, term});
  }
}

void Painter::DrawValues() {
  const KmapTheme& theme = options_.theme;
  const int grouped = cover_.kind == KmapCoverKind::kProductOfSums ? 0 : 1;
  for (int row = 0; row < layout_.CellCount(); ++row) {
    const KmapPlace place = PlaceOf(layout_, static_cast<std::uint64_t>(row));
    const double x = GridX(place), y = GridY(place);
    const int value = layout_.values[static_cast<std::size_t>(row)];
    const bool strong = cover_.kind == KmapCoverKind::kNone || value == grouped;
    Text(x + kCell / 2, y + kCell / 2 + kValueFont / 2.6, CellText(value, layout_.mode), kValueFont,
         TextAnchor::kMiddle, strong ? theme.text : theme.mutedText, strong, "value");
    // The number keeps a backing of the cell's colour: group outlines run through the corner.
    const std::string number = std::to_string(row);
    Rect(x + 1.5, y + 1.5, EstimatedTextWidth(number, kNumberFont) + 3, kNumberFont + 2,
         WithAlpha(theme.cellFill, kNumberBackingAlpha), {0, 0, 0, 0}, 0, "number-backing", row);
    Text(x + 3, y + kNumberFont + 2, number, kNumberFont, TextAnchor::kStart, theme.mutedText, false,
         "number");
  }
}

double Painter::DrawLegend(double top) {
  const KmapTheme& theme = options_.theme;
  const std::string title = CoverTitle(cover_) + ": " + cover_.expression;
  double width = EstimatedTextWidth(title, kLabelFont, true);
  Text(kMargin, top + kLabelFont, title, kLabelFont, TextAnchor::kStart, theme.text, true, "legend");
  double y = top + kLineHeight;
  for (std::size_t term = 0; term < cover_.terms.size(); ++term) {
    const Rgba colour = theme.groups[term % theme.groups.size()];
    const bool strong = static_cast<int>(term) == options_.highlightTerm;
    Rect(kMargin, y + 4, 14, 14, WithAlpha(colour, kHighlightFillAlpha), colour, 1.5, "swatch",
         static_cast<std::int64_t>(term));
    Text(kMargin + 22, y + 4 + kLabelFont - 1, cover_.terms[term].text, kLabelFont, TextAnchor::kStart,
         theme.text, strong, "term");
    width = std::max(width, 22 + EstimatedTextWidth(cover_.terms[term].text, kLabelFont, strong));
    y += kLineHeight;
  }
  return width;
}

KmapPicture Painter::Draw() {
  const double mapWidth = layout_.LayerColumns() * frame_.width + (layout_.LayerColumns() - 1) * kLayerGap;
  const double mapHeight = layout_.LayerRows() * frame_.height + (layout_.LayerRows() - 1) * kLayerGap;
  Rect(0, 0, 0, 0, options_.theme.background, {0, 0, 0, 0}, 0, "background", -1);
  DrawCells();
  for (int term = 0; term < static_cast<int>(cover_.terms.size()); ++term) DrawGroup(term);
  for (int layerRow = 0; layerRow < layout_.LayerRows(); ++layerRow) {
    for (int layerColumn = 0; layerColumn < layout_.LayerColumns(); ++layerColumn)
      DrawLayerLabels(layerRow, layerColumn);
  }
  DrawValues();
  double width = mapWidth;
  double height = kMargin + mapHeight;
  if (options_.legend && cover_.kind != KmapCoverKind::kNone) {
    width = std::max(width, DrawLegend(height + kLineHeight / 2));
    height += kLineHeight / 2 + (1 + cover_.terms.size()) * kLineHeight;
  }
  picture_.width = width + 2 * kMargin;
  picture_.height = height + kMargin;
  picture_.items.front().w = picture_.width;
  picture_.items.front().h = picture_.height;
  return std::move(picture_);
}

}  // namespace

KmapTheme LightKmapTheme() {
  return {{255, 255, 255},
          {31, 35, 40},
          {110, 119, 129},
          {140, 149, 159},
          {255, 255, 255},
          {{0, 96, 168},
           {201, 74, 0},
           {0, 132, 95},
           {162, 59, 143},
           {138, 109, 0},
           {61, 61, 184},
           {179, 38, 30},
           {0, 121, 140}}};
}

KmapTheme DarkKmapTheme() {
  return {{30, 30, 30},
          {230, 230, 230},
          {150, 150, 150},
          {110, 110, 110},
          {38, 38, 38},
          {{92, 179, 255},
           {255, 140, 66},
           {63, 209, 155},
           {240, 122, 216},
           {224, 192, 64},
           {157, 157, 255},
           {255, 107, 107},
           {77, 214, 230}}};
}

KmapPicture DrawKmap(const KmapLayout& layout, const KmapCover& cover, const KmapPictureOptions& options) {
  return Painter(layout, cover, options).Draw();
}

int GroupAt(const KmapPicture& picture, double x, double y) {
  for (auto box = picture.groups.rbegin(); box != picture.groups.rend(); ++box) {
    if (box->Contains(x, y)) return static_cast<int>(box->key);
  }
  return -1;
}

std::int64_t CellAt(const KmapPicture& picture, double x, double y) {
  for (const PictureBox& box : picture.cells) {
    if (box.Contains(x, y)) return box.key;
  }
  return -1;
}

}  // namespace brevano

// The picture of a Karnaugh map as a display list of rectangles, lines and texts, for any painter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kmap/kmap_layout.h"

namespace brevano {

/// A colour with opacity.
struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;

  friend bool operator==(const Rgba&, const Rgba&) = default;
};

/// The colours of a picture. Group colours repeat after the last one.
struct KmapTheme {
  Rgba background;
  Rgba text;
  Rgba mutedText;  ///< cell numbers and the values not grouped
  Rgba grid;
  Rgba cellFill;
  std::vector<Rgba> groups;
};

/// Dark groups on white: the picture of the files and of a light palette.
KmapTheme LightKmapTheme();
/// The same hues, lightened, on a dark background.
KmapTheme DarkKmapTheme();

/// How a text is placed against its point.
enum class TextAnchor { kStart, kMiddle, kEnd };

/// One thing to paint. Rectangles are filled and then outlined when the stroke width is above 0;
/// lines run from (x, y) to (x + w, y + h); a text's point is on its baseline.
struct PictureItem {
  enum class Kind { kRect, kLine, kText };
  Kind kind = Kind::kRect;
  double x = 0, y = 0, w = 0, h = 0;
  Rgba fill{0, 0, 0, 0};
  Rgba stroke{0, 0, 0, 0};
  double strokeWidth = 0;
  std::string text;  ///< UTF-8
  double fontSize = 0;
  bool bold = false;
  TextAnchor anchor = TextAnchor::kStart;
  std::string role;       ///< what the item draws: "cell", "group", "label", ...
  std::int64_t key = -1;  ///< the cell's table row, or the group's term index
};

/// An area that answers a pointer: a cell (key = table row) or a piece of a group (key = term).
struct PictureBox {
  double x = 0, y = 0, w = 0, h = 0;
  std::int64_t key = -1;

  bool Contains(double px, double py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

/// A whole picture, painted in item order.
struct KmapPicture {
  double width = 0;
  double height = 0;
  std::vector<PictureItem> items;
  std::vector<PictureBox> cells;
  std::vector<PictureBox> groups;  ///< in painting order: the last one found at a point is on top
};

/// What to draw besides the map.
struct KmapPictureOptions {
  KmapTheme theme = LightKmapTheme();
  int highlightTerm = -1;  ///< a term drawn stronger, or -1
  bool legend = true;      ///< the cover's title and terms under the map
};

/// The picture of `layout` with the groups of `cover`: for each layer its title (5 and 6
/// variables), the axis titles and Gray codes, every cell with its value in the table's display mode
/// and its table row number, and each group in its own colour, set in from the cells by an amount
/// that differs from group to group so that outlines of overlapping groups stay apart.
KmapPicture DrawKmap(const KmapLayout& layout, const KmapCover& cover,
                     const KmapPictureOptions& options = {});

/// The group at a point, or -1: the one painted last among those that contain it.
int GroupAt(const KmapPicture& picture, double x, double y);
/// The table row of the cell at a point, or -1.
std::int64_t CellAt(const KmapPicture& picture, double x, double y);

}  // namespace brevano

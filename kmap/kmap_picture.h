// The picture of a Karnaugh map as a display list of rectangles, lines and texts, for any painter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kmap/kmap_layout.h"
#include "picture/picture.h"

namespace brevano {

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

/// A whole picture, with the areas of its cells (key = table row) and of the pieces of its groups
/// (key = term).
struct KmapPicture : Picture {
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

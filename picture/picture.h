// A picture as a display list of rectangles, lines, paths, ellipses and texts, for any painter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brevano {

/// A colour with opacity.
struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;

  friend bool operator==(const Rgba&, const Rgba&) = default;
};

/// How a text is placed against its point.
enum class TextAnchor { kStart, kMiddle, kEnd };

/// One step of a path: move to, line to, quadratic or cubic curve to (x, y) through the control
/// points (x1, y1) and (x2, y2), or back to the start of the figure.
struct PathStep {
  enum class Kind { kMove, kLine, kQuad, kCubic, kClose };
  Kind kind = Kind::kMove;
  double x = 0, y = 0;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;

  friend bool operator==(const PathStep&, const PathStep&) = default;
};

/// One thing to paint. Rectangles, ellipses (in the box x, y, w, h) and paths are filled and then
/// outlined when the stroke width is above 0; lines run from (x, y) to (x + w, y + h) with flat
/// ends; paths join their lines with sharp corners; a text's point is on its baseline.
struct PictureItem {
  enum class Kind { kRect, kLine, kText, kPath, kEllipse };
  Kind kind = Kind::kRect;
  double x = 0, y = 0, w = 0, h = 0;
  Rgba fill{0, 0, 0, 0};
  Rgba stroke{0, 0, 0, 0};
  double strokeWidth = 0;
  std::string text;  ///< UTF-8
  double fontSize = 0;
  bool bold = false;
  TextAnchor anchor = TextAnchor::kStart;
  std::vector<PathStep> path;
  std::string role;       ///< what the item draws: "cell", "group", "wire", "gate", ...
  std::int64_t key = -1;  ///< what it belongs to: a cell's table row, a group's term, a wire's net, ...
};

/// An area that answers a pointer, or that a check looks at.
struct PictureBox {
  double x = 0, y = 0, w = 0, h = 0;
  std::int64_t key = -1;

  bool Contains(double px, double py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

/// A whole picture, painted in item order over its own coordinates (CSS pixels).
struct Picture {
  double width = 0;
  double height = 0;
  std::vector<PictureItem> items;
};

/// The width of a text as the pictures estimate it for their layout (the painter measures nothing
/// here): about 0.6 of the font size a character, 0.66 in bold.
double EstimatedTextWidth(const std::string& text, double fontSize, bool bold = false);

/// A text item.
PictureItem TextItem(double x, double y, std::string text, double fontSize, TextAnchor anchor, Rgba colour,
                     bool bold, std::string role);

/// A line item from (x1, y1) to (x2, y2).
PictureItem LineItem(double x1, double y1, double x2, double y2, Rgba colour, double width, std::string role,
                     std::int64_t key);

}  // namespace brevano

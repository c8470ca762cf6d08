// Estimated text widths and the common items of the display lists.
#include "picture/picture.h"

namespace brevano {

double EstimatedTextWidth(const std::string& text, double fontSize, bool bold) {
  std::size_t characters = 0;
  for (unsigned char c : text) characters += (c & 0xc0) != 0x80;
  return static_cast<double>(characters) * fontSize * (bold ? 0.66 : 0.6);
}

PictureItem TextItem(double x, double y, std::string text, double fontSize, TextAnchor anchor, Rgba colour,
                     bool bold, std::string role) {
  PictureItem item;
  item.kind = PictureItem::Kind::kText;
  item.x = x;
  item.y = y;
  item.text = std::move(text);
  item.fontSize = fontSize;
  item.anchor = anchor;
  item.fill = colour;
  item.bold = bold;
  item.role = std::move(role);
  return item;
}

PictureItem LineItem(double x1, double y1, double x2, double y2, Rgba colour, double width, std::string role,
                     std::int64_t key) {
  PictureItem item;
  item.kind = PictureItem::Kind::kLine;
  item.x = x1;
  item.y = y1;
  item.w = x2 - x1;
  item.h = y2 - y1;
  item.stroke = colour;
  item.strokeWidth = width;
  item.role = std::move(role);
  item.key = key;
  return item;
}

}  // namespace brevano

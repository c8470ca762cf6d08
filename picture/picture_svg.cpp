// Writes a display list as SVG elements, numbers in the C locale's notation.
#include "picture/picture_svg.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace brevano {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

std::string Number(double value) {
  const double rounded = std::round(value * 100) / 100;
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::general);
  return std::string(buffer, result.ptr);
}

std::string Hex(Rgba colour) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", colour.r, colour.g, colour.b);
  return buffer;
}

// Length of the valid UTF-8 sequence at `i`, or 0.
std::size_t SequenceLength(const std::string& text, std::size_t i) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char lead = byte(i);
  std::size_t length = lead < 0x80                   ? 1
                       : lead >= 0xc2 && lead < 0xe0 ? 2
                       : lead >= 0xe0 && lead < 0xf0 ? 3
                       : lead >= 0xf0 && lead < 0xf5 ? 4
                                                     : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xc0) != 0x80) return 0;
  }
  // Overlong forms, surrogates and code points past U+10FFFF.
  if (length == 3 && ((lead == 0xe0 && byte(i + 1) < 0xa0) || (lead == 0xed && byte(i + 1) >= 0xa0)))
    return 0;
  if (length == 4 && ((lead == 0xf0 && byte(i + 1) < 0x90) || (lead == 0xf4 && byte(i + 1) >= 0x90)))
    return 0;
  return length;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = SequenceLength(text, i);
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (length == 0 || c < 0x20 || c == 0x7f) {
      out += kReplacement;
      i += length == 0 ? 1 : length;
      continue;
    }
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out.append(text, i, length);
    }
    i += length;
  }
  return out;
}

std::string Paint(const char* what, Rgba colour) {
  if (colour.a == 0) return std::string(" ") + what + "=\"none\"";
  std::string paint = std::string(" ") + what + "=\"" + Hex(colour) + '"';
  if (colour.a != 255) paint += std::string(" ") + what + "-opacity=\"" + Number(colour.a / 255.0) + '"';
  return paint;
}

std::string Stroke(const PictureItem& item) {
  if (item.strokeWidth <= 0) return {};
  return Paint("stroke", item.stroke) + " stroke-width=\"" + Number(item.strokeWidth) + '"';
}

std::string PathData(const std::vector<PathStep>& path) {
  std::string data;
  auto point = [&data](double x, double y) { data += Number(x) + ' ' + Number(y) + ' '; };
  for (const PathStep& step : path) {
    switch (step.kind) {
      case PathStep::Kind::kMove: data += "M "; break;
      case PathStep::Kind::kLine: data += "L "; break;
      case PathStep::Kind::kQuad:
        data += "Q ";
        point(step.x1, step.y1);
        break;
      case PathStep::Kind::kCubic:
        data += "C ";
        point(step.x1, step.y1);
        point(step.x2, step.y2);
        break;
      case PathStep::Kind::kClose: data += "Z "; continue;
    }
    point(step.x, step.y);
  }
  if (!data.empty()) data.pop_back();
  return data;
}

std::string Shape(const PictureItem& item, const std::string& start) {
  switch (item.kind) {
    case PictureItem::Kind::kRect:
      return "<rect" + start + " x=\"" + Number(item.x) + "\" y=\"" + Number(item.y) + "\" width=\"" +
             Number(item.w) + "\" height=\"" + Number(item.h) + '"' + Paint("fill", item.fill) +
             Stroke(item) + "/>\n";
    case PictureItem::Kind::kLine:
      return "<line" + start + " x1=\"" + Number(item.x) + "\" y1=\"" + Number(item.y) + "\" x2=\"" +
             Number(item.x + item.w) + "\" y2=\"" + Number(item.y + item.h) + '"' +
             Paint("stroke", item.stroke) + " stroke-width=\"" + Number(item.strokeWidth) +
             "\" stroke-linecap=\"butt\"/>\n";
    case PictureItem::Kind::kEllipse:
      return "<ellipse" + start + " cx=\"" + Number(item.x + item.w / 2) + "\" cy=\"" +
             Number(item.y + item.h / 2) + "\" rx=\"" + Number(item.w / 2) + "\" ry=\"" + Number(item.h / 2) +
             '"' + Paint("fill", item.fill) + Stroke(item) + "/>\n";
    case PictureItem::Kind::kPath:
      return "<path" + start + " d=\"" + PathData(item.path) + '"' + Paint("fill", item.fill) + Stroke(item) +
             " stroke-linejoin=\"miter\" stroke-linecap=\"butt\"/>\n";
    case PictureItem::Kind::kText: break;
  }
  return {};
}

std::string Element(const PictureItem& item, const std::vector<SvgKeyAttribute>& keyed) {
  std::string start = " class=\"" + Escaped(item.role) + '"';
  for (const SvgKeyAttribute& key : keyed) {
    if (key.role == item.role) start += ' ' + key.attribute + "=\"" + std::to_string(item.key) + '"';
  }
  if (item.kind != PictureItem::Kind::kText) return Shape(item, start);
  const char* anchor = item.anchor == TextAnchor::kMiddle ? "middle"
                       : item.anchor == TextAnchor::kEnd  ? "end"
                                                          : "start";
  std::string svg = "<text" + start + " x=\"" + Number(item.x) + "\" y=\"" + Number(item.y) +
                    "\" font-size=\"" + Number(item.fontSize) + "\" text-anchor=\"" + anchor + '"' +
                    Paint("fill", item.fill);
  if (item.bold) svg += " font-weight=\"bold\"";
  return svg + " xml:space=\"preserve\">" + Escaped(item.text) + "</text>\n";
}

}  // namespace

std::string PictureSvg(const Picture& picture, const std::vector<SvgKeyAttribute>& keyed) {
  const std::string width = Number(picture.width), height = Number(picture.height);
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" "
      "width=\"" +
      width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + ' ' + height +
      "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n";
  for (const PictureItem& item : picture.items) svg += Element(item, keyed);
  return svg + "</svg>\n";
}

}  // namespace brevano

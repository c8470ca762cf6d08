// Lays out each layer of a Karnaugh map as text lines and sets the layers side by side.
#include "kmap/kmap_text.h"

#include <algorithm>

namespace brevano {

namespace {

constexpr const char* kLayerSeparator = "    ";

std::size_t Width(const std::string& text) {
  std::size_t characters = 0;
  for (unsigned char c : text) characters += (c & 0xc0) != 0x80;
  return characters;
}

std::string PadRight(const std::string& text, std::size_t width) {
  return text + std::string(width - std::min(width, Width(text)), ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return std::string(width - std::min(width, Width(text)), ' ') + text;
}

std::vector<std::string> LayerLines(const KmapLayout& layout, int layerRow, int layerColumn) {
  const int layerBits = layout.layerRowBits + layout.layerColumnBits;
  const std::string rowTitle = AxisTitle(layout, layerBits, layout.rowBits);
  const std::size_t labelWidth = std::max(Width(rowTitle), static_cast<std::size_t>(layout.rowBits));
  const std::size_t cellWidth = std::max<std::size_t>(layout.columnBits, 1);
  const std::string indent(labelWidth + 2, ' ');
  std::vector<std::string> lines;
  if (layerBits > 0) {
    lines.push_back(AxisTitle(layout, 0, layerBits) + " = " + GrayLabel(layerRow, layout.layerRowBits) +
                    GrayLabel(layerColumn, layout.layerColumnBits));
  }
  lines.push_back(indent + AxisTitle(layout, layerBits + layout.rowBits, layout.columnBits));
  std::string codes = PadRight(rowTitle, labelWidth) + "  ";
  for (int column = 0; column < layout.Columns(); ++column) {
    codes += (column > 0 ? "  " : "") + PadLeft(GrayLabel(column, layout.columnBits), cellWidth);
  }
  lines.push_back(codes);
  for (int row = 0; row < layout.Rows(); ++row) {
    std::string line = PadRight(GrayLabel(row, layout.rowBits), labelWidth) + "  ";
    for (int column = 0; column < layout.Columns(); ++column) {
      const std::uint64_t tableRow = TableRowAt(layout, {layerRow, layerColumn, row, column});
      line += (column > 0 ? "  " : "") +
              PadLeft(CellText(layout.values[static_cast<std::size_t>(tableRow)], layout.mode), cellWidth);
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::string KmapText(const KmapLayout& layout, const KmapCover& cover) {
  std::string text;
  for (int layerRow = 0; layerRow < layout.LayerRows(); ++layerRow) {
    if (layerRow > 0) text += '\n';
    std::vector<std::vector<std::string>> layers;
    std::size_t width = 0;
    for (int layerColumn = 0; layerColumn < layout.LayerColumns(); ++layerColumn) {
      layers.push_back(LayerLines(layout, layerRow, layerColumn));
      for (const std::string& line : layers.back()) width = std::max(width, Width(line));
    }
    for (std::size_t line = 0; line < layers.front().size(); ++line) {
      std::string joined;
      for (std::size_t layer = 0; layer < layers.size(); ++layer) {
        const bool last = layer + 1 == layers.size();
        joined += last ? layers[layer][line] : PadRight(layers[layer][line], width) + kLayerSeparator;
      }
      while (!joined.empty() && joined.back() == ' ') joined.pop_back();
      text += joined + '\n';
    }
  }
  if (cover.kind == KmapCoverKind::kNone) return text;
  text += '\n' + CoverTitle(cover) + ": " + cover.expression + '\n';
  for (const KmapTerm& term : cover.terms) text += "  " + term.text + '\n';
  return text;
}

}  // namespace brevano

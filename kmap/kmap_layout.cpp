// The Karnaugh map's cells in Gray-code order, and the pieces that draw a cover's groups.
#include "kmap/kmap_layout.h"

#include <algorithm>
#include <chrono>
#include <iterator>

#include "engine/engine_error.h"
#include "forms/boolean_form.h"
#include "twolevel/function_of.h"

namespace brevano {

namespace {

// Generous: a cover of six variables takes well under a millisecond.
constexpr std::chrono::seconds kCoverBudget{10};

int InverseGray(int code) {
  int index = code;
  for (int shift = 1; shift < 8; shift <<= 1) index ^= index >> shift;
  return index;
}

// A run of positions along one axis of a layer.
struct AxisPiece {
  int start = 0;
  int length = 0;
  bool openLow = false;   // the group goes on across the axis' first edge
  bool openHigh = false;  // ... and across its last edge
};

// The positions of an axis of `bits` digits, whose code sits at `shift` in a row number, that lie in
// `cube`, as maximal runs; a run touching both ends of the axis is one group wrapping around it.
std::vector<AxisPiece> AxisPieces(Cube cube, int bits, int shift) {
  const int size = 1 << bits;
  const std::uint32_t mask = (std::uint32_t{1} << bits) - 1;
  const std::uint32_t care = (cube.care >> shift) & mask;
  const std::uint32_t value = (cube.value >> shift) & mask;
  std::vector<AxisPiece> pieces;
  for (int position = 0; position < size; ++position) {
    if ((static_cast<std::uint32_t>(GrayCode(position)) & care) != value) continue;
    if (!pieces.empty() && pieces.back().start + pieces.back().length == position) {
      ++pieces.back().length;
    } else {
      pieces.push_back({position, 1});
    }
  }
  if (pieces.size() > 1 && pieces.front().start == 0 && pieces.back().start + pieces.back().length == size) {
    pieces.front().openLow = true;
    pieces.back().openHigh = true;
  }
  return pieces;
}

}  // namespace

KmapLayout MakeKmapLayout(std::vector<std::string> variables, std::vector<int> values, DisplayMode mode) {
  const int count = static_cast<int>(variables.size());
  if (count < 1 || count > kMaxKmapVariables) {
    throw EngineError("A Karnaugh map is drawn for 1 to " + std::to_string(kMaxKmapVariables) +
                      " variables; this table has " + std::to_string(count));
  }
  if (values.size() != std::size_t{1} << count) throw EngineError("A Karnaugh map needs one value per row");
  KmapLayout layout;
  layout.variables = std::move(variables);
  layout.values = std::move(values);
  layout.mode = mode;
  const int inLayer = count > 4 ? 4 : count;
  layout.layerRowBits = count == 6 ? 1 : 0;
  layout.layerColumnBits = count >= 5 ? 1 : 0;
  layout.rowBits = inLayer / 2;
  layout.columnBits = inLayer - inLayer / 2;
  return layout;
}

std::string CellText(int value, DisplayMode mode) {
  return value == kDontCareCell ? "-" : BoolToText(value, mode);
}

KmapLayout MakeKmapLayout(const TableFunction& function) {
  if (!function.dontCare) return MakeKmapLayout(function.on);
  const TruthTable& on = function.on;
  std::vector<int> values;
  // At most 2^6 rows are evaluated; a larger table is refused before any row.
  if (on.Variables().size() <= static_cast<std::size_t>(kMaxKmapVariables)) {
    for (std::uint64_t row = 0; row < on.RowCount(); ++row)
      values.push_back(function.dontCare->Result(row) ? kDontCareCell : on.Result(row));
  }
  return MakeKmapLayout(on.Variables(), std::move(values), on.Mode());
}

KmapLayout MakeKmapLayout(const TruthTable& table) {
  std::vector<int> values;
  // At most 2^6 rows are evaluated; a larger table is refused before any row.
  if (table.Variables().size() <= static_cast<std::size_t>(kMaxKmapVariables)) {
    for (std::uint64_t row = 0; row < table.RowCount(); ++row) values.push_back(table.Result(row));
  }
  return MakeKmapLayout(table.Variables(), std::move(values), table.Mode());
}

std::string GrayLabel(int index, int bits) {
  const int code = GrayCode(index);
  std::string label;
  for (int bit = bits; bit-- > 0;) label += ((code >> bit) & 1) ? '1' : '0';
  return label;
}

std::uint64_t TableRowAt(const KmapLayout& layout, KmapPlace place) {
  std::uint64_t row = static_cast<std::uint64_t>(GrayCode(place.layerRow));
  row = (row << layout.layerColumnBits) | static_cast<std::uint64_t>(GrayCode(place.layerColumn));
  row = (row << layout.rowBits) | static_cast<std::uint64_t>(GrayCode(place.row));
  return (row << layout.columnBits) | static_cast<std::uint64_t>(GrayCode(place.column));
}

KmapPlace PlaceOf(const KmapLayout& layout, std::uint64_t row) {
  auto take = [&row](int bits) {
    const int code = static_cast<int>(row & ((std::uint64_t{1} << bits) - 1));
    row >>= bits;
    return InverseGray(code);
  };
  KmapPlace place;
  place.column = take(layout.columnBits);
  place.row = take(layout.rowBits);
  place.layerColumn = take(layout.layerColumnBits);
  place.layerRow = take(layout.layerRowBits);
  return place;
}

std::string AxisTitle(const KmapLayout& layout, int first, int count) {
  bool single = true;
  for (int i = first; i < first + count; ++i) single = single && layout.variables[i].size() == 1;
  std::string title;
  for (int i = first; i < first + count; ++i) {
    if (!single && i > first) title += ", ";
    title += layout.variables[i];
  }
  return title;
}

KmapCover LeastKmapCover(const KmapLayout& layout, KmapCoverKind kind) {
  KmapCover cover;
  cover.kind = kind;
  if (kind == KmapCoverKind::kNone) return cover;
  const bool product = kind == KmapCoverKind::kProductOfSums;
  const int n = static_cast<int>(layout.variables.size());
  TruthVector on(n), dontCare(n);
  for (int row = 0; row < layout.CellCount(); ++row) {
    const int value = layout.values[static_cast<std::size_t>(row)];
    if (value == kDontCareCell) {
      dontCare.Set(static_cast<std::uint64_t>(row));
    } else if (value == 1) {
      on.Set(static_cast<std::uint64_t>(row));
    }
  }
  LeastOptions options;
  options.forms.budget = kCoverBudget;
  const LeastForm least = Least(FunctionOfRows(layout.variables, on, &dontCare), 0,
                                product ? FormSide::kProduct : FormSide::kSum, options);
  cover.status = least.status;
  cover.standing = StandingOf(least, dontCare.CountOnes() > 0);
  const std::vector<Cube>& terms = least.cubes;
  for (const Cube& cube : terms) {
    const std::vector<Cube> one{cube};
    cover.terms.push_back(
        {cube, product ? ProductText(one, layout.variables) : SumText(one, layout.variables)});
  }
  cover.expression = product ? ProductText(terms, layout.variables) : SumText(terms, layout.variables);
  cover.untypableVariable = FirstUntypableVariable(terms, layout.variables);
  return cover;
}

std::string CoverTitle(const KmapCover& cover) {
  if (cover.kind == KmapCoverKind::kNone) return "No cover";
  std::string title =
      cover.kind == KmapCoverKind::kSumOfProducts ? "Least sum of products" : "Least product of sums";
  if (cover.standing != FormStanding::kLeast) title += " (" + StandingText(cover.standing) + ")";
  if (!HasForm(cover.standing)) return title;
  if (cover.untypableVariable)
    title += " (the variable \"" + *cover.untypableVariable + "\" cannot be typed back)";
  return title;
}

// Layers are separate maps: a group spanning several of them is drawn in each.
std::vector<KmapRect> TermRectangles(const KmapLayout& layout, Cube cube) {
  const int rowShift = layout.columnBits;
  const int layerShift = rowShift + layout.rowBits;
  const std::vector<AxisPiece> rows = AxisPieces(cube, layout.rowBits, rowShift);
  const std::vector<AxisPiece> columns = AxisPieces(cube, layout.columnBits, 0);
  const std::uint32_t layerCare = cube.care >> layerShift, layerValue = cube.value >> layerShift;
  std::vector<KmapRect> rects;
  for (int layerRow = 0; layerRow < layout.LayerRows(); ++layerRow) {
    for (int layerColumn = 0; layerColumn < layout.LayerColumns(); ++layerColumn) {
      const auto code =
          static_cast<std::uint32_t>((GrayCode(layerRow) << layout.layerColumnBits) | GrayCode(layerColumn));
      if ((code & layerCare) != layerValue) continue;
      for (const AxisPiece& row : rows) {
        for (const AxisPiece& column : columns) {
          rects.push_back({{layerRow, layerColumn, row.start, column.start},
                           row.length,
                           column.length,
                           row.openLow,
                           row.openHigh,
                           column.openLow,
                           column.openHigh});
        }
      }
    }
  }
  return rects;
}

std::vector<std::uint64_t> TermRows(const KmapLayout& layout, Cube cube) {
  std::vector<std::uint64_t> rows;
  for (std::uint32_t row = 0; row < static_cast<std::uint32_t>(layout.CellCount()); ++row) {
    if (CubeContains(cube, row)) rows.push_back(row);
  }
  return rows;
}

}  // namespace brevano

// The Karnaugh map of a small truth table: cells in Gray-code order, and a least cover's groups on it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "minimise/cube.h"
#include "minimise/minimise.h"
#include "tabulate/table_function.h"
#include "tabulate/tabulation.h"
#include "twolevel/least.h"

namespace brevano {

/// Most variables a map is drawn for.
inline constexpr int kMaxKmapVariables = 6;

/// Where a cell stands: its layer (a 4x4 map of its own for 5 and 6 variables) and its row and
/// column inside that layer.
struct KmapPlace {
  int layerRow = 0;
  int layerColumn = 0;
  int row = 0;
  int column = 0;

  friend bool operator==(const KmapPlace&, const KmapPlace&) = default;
};

/// The map of a table of 1 to 6 variables.
///
/// A table row's bits, first variable most significant, are read in table order as the layer row
/// code, the layer column code, the row code and the column code. Up to 4 variables there is one
/// layer: the first n/2 variables label the rows, the others the columns. With 5 variables the
/// first one chooses between two layers side by side, with 6 the first two choose among 2x2 layers;
/// each layer is then a 4-variable map. Inside a layer, rows and columns run in reflected Gray code
/// (00, 01, 11, 10), so that cells touching across an edge, or across the layer's opposite edges,
/// differ in exactly one variable; the layers are ordered in the same way.
struct KmapLayout {
  std::vector<std::string> variables;
  int layerRowBits = 0;
  int layerColumnBits = 0;
  int rowBits = 0;
  int columnBits = 0;
  std::vector<int> values;  ///< the Result of each table row: 0, 1 or kDontCareCell
  DisplayMode mode = DisplayMode::kZeroOne;

  int LayerRows() const { return 1 << layerRowBits; }
  int LayerColumns() const { return 1 << layerColumnBits; }
  int Rows() const { return 1 << rowBits; }        ///< rows of one layer
  int Columns() const { return 1 << columnBits; }  ///< columns of one layer
  int CellCount() const { return static_cast<int>(values.size()); }
};

/// The value of a cell whose row is a don't-care: drawn as "-", grouped where that helps.
inline constexpr int kDontCareCell = 2;

/// The text of a cell's value: "0"/"1" (or "F"/"T"), and "-" for a don't-care.
std::string CellText(int value, DisplayMode mode);

/// The layout of `table`; raises EngineError unless it has 1 to kMaxKmapVariables variables.
KmapLayout MakeKmapLayout(const TruthTable& table);
/// The layout of `function`, the rows of its don't-cares drawn as such; likewise.
KmapLayout MakeKmapLayout(const TableFunction& function);
/// The layout of a function given by its Result per row (2^n values for n variables), likewise.
KmapLayout MakeKmapLayout(std::vector<std::string> variables, std::vector<int> values, DisplayMode mode);

/// The Gray code at position `index` of an axis: index ^ (index >> 1).
inline int GrayCode(int index) { return index ^ (index >> 1); }

/// The Gray code at `index` written with `bits` binary digits ("" for no bits).
std::string GrayLabel(int index, int bits);

/// The table row shown at `place`.
std::uint64_t TableRowAt(const KmapLayout& layout, KmapPlace place);
/// The place of table row `row` (less than CellCount()).
KmapPlace PlaceOf(const KmapLayout& layout, std::uint64_t row);

/// The names of the variables from `first` on, `count` of them, as an axis title: run together when
/// every name is one character ("AB"), else joined by ", ".
std::string AxisTitle(const KmapLayout& layout, int first, int count);

/// Which cover a map shows.
enum class KmapCoverKind { kNone, kSumOfProducts, kProductOfSums };

/// One group of a cover. For a product of sums the cube is a term of the complement: it groups
/// 0-cells and stands for the sum `text`.
struct KmapTerm {
  Cube cube;
  std::string text;  ///< the term or the factor in the program's syntax
};

/// A least cover of the map's 1-cells (sum of products) or 0-cells (product of sums).
struct KmapCover {
  KmapCoverKind kind = KmapCoverKind::kNone;
  MinimiseStatus status = MinimiseStatus::kExact;
  /// How far the cover is known to be least (kLeast for kNone).
  FormStanding standing = FormStanding::kLeast;
  std::vector<KmapTerm> terms;
  std::string expression;  ///< the whole form; empty for kNone
  /// The first variable of the form that cannot be typed back, if any.
  std::optional<std::string> untypableVariable;
};

/// The least cover of `kind` (fewest terms, then fewest literals; see Least); its groups
/// take in don't-care cells where that makes the cover smaller.
KmapCover LeastKmapCover(const KmapLayout& layout, KmapCoverKind kind);

/// "Least sum of products", "Least product of sums" or "No cover", with a note when the form is
/// not proven least or cannot be typed back.
std::string CoverTitle(const KmapCover& cover);

/// A rectangle of cells in one layer. A group that wraps around a layer's edges is drawn as several
/// such pieces, each open on the sides where the group goes on across the opposite edge.
struct KmapRect {
  KmapPlace place;  ///< layer and top-left cell
  int rows = 1;
  int columns = 1;
  bool openTop = false;
  bool openBottom = false;
  bool openLeft = false;
  bool openRight = false;
};

/// The pieces that draw `cube` on the map, layer by layer, top to bottom, left to right.
std::vector<KmapRect> TermRectangles(const KmapLayout& layout, Cube cube);

/// The table rows of the cells that `cube` covers, ascending.
std::vector<std::uint64_t> TermRows(const KmapLayout& layout, Cube cube);

}  // namespace brevano

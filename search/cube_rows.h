// The rows of a function given by sums of cubes, as a file gives each output, and the rungs that
// answer questions about them: its diagrams once built, and a walk over its cubes.
#pragma once

#include <cstdint>
#include <optional>

#include "budget/budget.h"
#include "diagram/cube_diagrams.h"
#include "search/function_rows.h"
#include "search/row_search.h"

namespace brevano {

/// The kind of a row of a function given by cubes: 0 or 1 outside its don't-cares, or don't-care
/// (which wins over a 1).
enum class Cell : std::uint8_t { kZero = 0, kOne = 1, kDontCare = 2 };

/// The rows of each kind; a don't-care row counts as a don't-care only.
struct CellCounts {
  std::uint64_t ones = 0;
  std::uint64_t zeros = 0;
  std::uint64_t dontCares = 0;
};

/// What a search asks: the first row at or after `from` (forward) or the last at or before it
/// (clamped to the last row) of kind `value`; or, with `nth`, the row of that kind with `from` such
/// rows before it.
struct CellQuery {
  Cell value = Cell::kOne;
  std::uint64_t from = 0;
  bool forward = true;
  bool nth = false;
};

/// An answer: the row, none, or stopped before the end; and how it was found: kDiagram, kCubes for
/// the walk, kTooComplex for the n-th row of a function too complex for its diagrams.
struct CellSearch {
  std::optional<std::uint64_t> row;
  bool stopped = false;
  RowSearchPath path = RowSearchPath::kCubes;
};

/// A function given by cubes counted: its diagrams, which the searches after it take, and the rows
/// of each kind once they are built.
struct CubeCount {
  FunctionDiagrams diagrams;
  std::optional<CellCounts> counts;
};

namespace search_detail {

/// The diagram of the rows of kind `value`; null unless `diagrams` are built and hold it.
const Diagram* DiagramOf(const FunctionDiagrams& diagrams, Cell value);

/// The answer from `diagrams` over `variables` variables, whose diagram of the kind asked DiagramOf
/// gives.
CellSearch CellFromDiagrams(const FunctionDiagrams& diagrams, int variables, const CellQuery& query);

/// Next and previous by a walk over the cubes of `terms` over `variables` variables (at most 63),
/// input by input from the first, leaving out the parts of the table that no row of the kind can
/// lie in. Exact; `stop` is polled along the walk, and once stopped ends it. Not for the n-th row.
CellSearch WalkCubes(const FunctionTerms& terms, int variables, const CellQuery& query,
                     const Budget& stop = {});

}  // namespace search_detail

}  // namespace brevano

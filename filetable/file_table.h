// The table of a PLA or table file as the file has it: its inputs in its order and with its names,
// one column per output, each row's values read off the file's cubes; counts and searches per output.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "diagram/cube_diagrams.h"
#include "minimise/cube_list.h"
#include "plafile/function_file.h"
#include "tabulate/tabulation.h"

namespace brevano {

/// The value of an output in a row.
enum class Cell : std::uint8_t { kZero = 0, kOne = 1, kDontCare = 2 };

/// The rows of each kind in one output; a don't-care row counts as a don't-care only.
struct OutputCounts {
  std::uint64_t ones = 0;
  std::uint64_t zeros = 0;
  std::uint64_t dontCares = 0;
};

/// A file's function as a table of 2^n rows: input i is row bit n-1-i, as in every table. Immutable;
/// any number of threads may read one at once.
class FileTable {
 public:
  /// The table of `file`'s function (FunctionOfFile). Raises EngineError for a file of more than
  /// kMaxPlaInputs inputs, and for what FunctionOfFile raises.
  static FileTable Of(const FunctionFile& file);
  /// A table of the given names and, per output, its 1 cubes and don't-care cubes over the inputs.
  FileTable(std::vector<std::string> inputs, std::vector<std::string> outputs, std::vector<CubeList> on,
            std::vector<CubeList> dontCare);

  const std::vector<std::string>& Inputs() const { return inputs_; }
  const std::vector<std::string>& Outputs() const { return outputs_; }
  int InputCount() const { return static_cast<int>(inputs_.size()); }
  int OutputCount() const { return static_cast<int>(outputs_.size()); }
  /// The inputs' names, then the outputs'.
  std::vector<std::string> Captions() const;
  /// 2^InputCount().
  std::uint64_t RowCount() const { return std::uint64_t{1} << inputs_.size(); }
  /// The value of output `output` in `row`: a don't-care wins over a 1.
  Cell Value(std::uint64_t row, int output) const;
  /// The cell texts of `row`: each input's value, then each output's ("-" for a don't-care).
  std::vector<std::string> RowTexts(std::uint64_t row, DisplayMode mode) const;
  /// The 1 cubes and the don't-care cubes of output `output`.
  const CubeList& OnCubes(int output) const { return on_[static_cast<std::size_t>(output)]; }
  const CubeList& DontCareCubes(int output) const { return dontCare_[static_cast<std::size_t>(output)]; }

 private:
  std::vector<std::string> inputs_, outputs_;
  std::vector<CubeList> on_, dontCare_;
};

/// The text of a cell in `mode`: "-" for a don't-care.
std::string CellText(Cell value, DisplayMode mode);

/// What a search of one output asks: the first row at or after `from` (forward) or the last at or
/// before it (clamped to the last row) whose value is `value`; or, with `nth`, the row of that value
/// with `from` such rows before it.
struct CellQuery {
  int output = 0;
  Cell value = Cell::kOne;
  std::uint64_t from = 0;
  bool forward = true;
  bool nth = false;
};

/// An answer: the row, none, or stopped before the end.
struct CellSearch {
  std::optional<std::uint64_t> row;
  bool stopped = false;
};

/// Next and previous by a walk over the output's cubes, input by input from the first, leaving out
/// the parts of the table that no row of the value can lie in. Exact; `stop` is polled along the
/// walk, and once stopped ends it. Not for the n-th row (the answer is then none).
CellSearch WalkCubes(const FileTable& table, const CellQuery& query, const Budget& stop = {});

/// The diagrams of one output, and its counts once built.
struct OutputDiagrams {
  FunctionDiagrams rows;
  /// The diagram of the rows of `value`; null unless built.
  const Diagram* Of(Cell value) const;
  /// The counts; nullopt unless built.
  std::optional<OutputCounts> Counts() const;
};

/// Builds the diagrams of output `output` within `limits`.
OutputDiagrams BuildOutputDiagrams(const FileTable& table, int output, const DiagramLimits& limits = {},
                                   const Budget& stop = {});

/// The answer from the output's diagrams when built, else (next and previous) from the walk.
CellSearch FindCell(const FileTable& table, const OutputDiagrams* diagrams, const CellQuery& query,
                    const Budget& stop = {});

}  // namespace brevano

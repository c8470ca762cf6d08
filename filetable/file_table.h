// The table of a PLA or table file as the file has it: its inputs in its order and with its names,
// one column per output, each row's values read off the file's cubes, which the ladder counts and
// searches per output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "minimise/cube_list.h"
#include "plafile/function_file.h"
#include "search/cube_rows.h"
#include "tabulate/tabulation.h"

namespace brevano {

/// A file's function as a table of 2^n rows: input i is row bit n-1-i, as in every table. Immutable;
/// any number of threads may read one at once.
class FileTable {
 public:
  /// The table of `file`'s function (FunctionOfFile). Raises EngineError for a file of more than
  /// kMaxPlaInputs inputs, and for what FunctionOfFile raises.
  static FileTable Of(const FunctionFile& file);
  /// A table of the given names and, per output, its 1 cubes and don't-care cubes over the inputs.
  /// Raises EngineError for more than kMaxPlaInputs inputs.
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
  const FunctionTerms& Terms(int output) const { return terms_[static_cast<std::size_t>(output)]; }

 private:
  std::vector<std::string> inputs_, outputs_;
  std::vector<FunctionTerms> terms_;
};

/// The text of a cell in `mode`: "-" for a don't-care.
std::string CellText(Cell value, DisplayMode mode);

}  // namespace brevano

// Checks shared by the file readers' fuzz targets: an output's tables against its terms, row by row.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/engine_error.h"
#include "plafile/function_file.h"
#include "tabulate/compiled_program.h"

namespace brevano::fuzz {

/// Files of more inputs are read and made into tables, but their rows are not compared.
inline constexpr int kComparedInputs = 10;

inline bool InCubes(const CubeList& cubes, std::uint64_t row) {
  return std::any_of(cubes.begin(), cubes.end(), [row](Cube cube) { return CubeContains(cube, row); });
}

/// Makes every output of `file` (the first `most`) into tables; where the file has few inputs,
/// each row of the tables must be what the terms and the file's sets give. Aborts otherwise.
inline void CheckOutputs(const FunctionFile& file, std::size_t most) {
  const int n = static_cast<int>(file.inputs.size());
  for (std::size_t o = 0; o < file.outputs.size() && o < most; ++o) {
    TableFunction tables;
    try {
      tables = TablesOfOutput(file, o);
    } catch (const EngineError&) {
      continue;  // two inputs that are one column, or a name that cannot be one
    }
    const std::vector<std::string>& columns = tables.on.Variables();
    if (static_cast<int>(columns.size()) != n) std::abort();
    if (n > kComparedInputs) continue;
    std::vector<int> columnOf;
    for (const std::string& input : file.inputs) {
      const auto at = std::find(columns.begin(), columns.end(), NormaliseLine(input));
      if (at == columns.end()) std::abort();
      columnOf.push_back(static_cast<int>(at - columns.begin()));
    }
    const FileOutput& terms = file.outputs[o];
    const FileSets& sets = file.sets;
    for (std::uint64_t row = 0; row < (std::uint64_t{1} << n); ++row) {
      std::uint64_t tableRow = 0;
      for (int i = 0; i < n; ++i) {
        if (row >> (n - 1 - i) & 1)
          tableRow |= std::uint64_t{1} << (n - 1 - columnOf[static_cast<std::size_t>(i)]);
      }
      const bool on = InCubes(terms.on, row), dc = InCubes(terms.dontCare, row),
                 off = InCubes(terms.off, row);
      const bool one = sets.on ? on : !(dc || off);
      const bool dontCare = dc || (sets.on && sets.off && !on && !off);
      if ((tables.on.Result(tableRow) == 1) != one) std::abort();
      if ((tables.dontCare && tables.dontCare->Result(tableRow) == 1) != dontCare) std::abort();
    }
  }
}

}  // namespace brevano::fuzz

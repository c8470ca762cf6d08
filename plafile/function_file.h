// Functions read from files: the Berkeley PLA format and the tool's own table files (TSV and CSV),
// each output a function with don't-cares given by the terms of the file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "function/boolean_function.h"
#include "minimise/cube_list.h"
#include "tabulate/table_function.h"

namespace brevano {

/// Which sets of rows a file's terms give (a PLA's .type): the 1 rows (F), the don't-cares (D) and
/// the 0 rows (R). What no given set holds is 0 when F is given and R is not, 1 when F is not, and
/// a don't-care when both are. A don't-care term wins over the others.
struct FileSets {
  bool on = true;
  bool dontCare = true;
  bool off = false;
};

/// One output: its name and its terms, over the file's inputs (input i is row bit n-1-i).
struct FileOutput {
  std::string name;
  CubeList on, dontCare, off;
};

/// The terms of a PLA file at any width, input i of a cube being the file's input i: each tagged
/// with the outputs it gives as 1, as a don't-care and as 0 (as far as the file's .type reads them).
struct FileCubes {
  CubeCover on, dontCare, off;
  bool read = false;  ///< false for a table file, whose outputs' cube lists are all there is
};

/// The contents of a PLA or table file.
struct FunctionFile {
  std::vector<std::string> inputs;  ///< the input names, in the file's order
  /// The terms of each output; empty for a PLA file of more than kMaxPlaInputs inputs, whose terms
  /// are in `cubes` alone.
  std::vector<FileOutput> outputs;
  FileCubes cubes;
  FileSets sets;
  /// What the file holds that the reading leaves aside or reads in a way of its own, one sentence each.
  std::vector<std::string> warnings;
};

/// Most inputs of a PLA file made into tables (a table's row numbers take 64 bits), most inputs of
/// a PLA file read as cubes, and most columns of a table file (whose rows are all listed).
inline constexpr int kMaxPlaInputs = 63;
inline constexpr int kMaxPlaCubeInputs = 100000;
inline constexpr int kMaxTableFileColumns = 24;

/// Reads a PLA file: .i, .o, .ilb, .ob, .p, .type (f, fd, r, fr, dr, fdr; fd when absent), .e or
/// .end, comments from "#"; terms may spread over lines, "|" is read as a blank, and the output
/// characters 1 and 4 (in F), 0 and 3 (in R), - and 2 (in D) and ~ (none). Raises EngineError
/// "Line N: ..." for what cannot be read, and for an output that is 1 and 0 for the same inputs.
/// Up to kMaxPlaCubeInputs inputs are read as cubes; beyond kMaxPlaInputs the file has no tables.
FunctionFile ReadPla(std::string_view text);

/// Reads a table file as `brevano table --format tsv` or `--format csv` writes it: a caption line
/// (the variables, then the Result's name), then one line per row of 0/1 or F/T cells; a Result of
/// "-" or "x" is a don't-care, and rows the file leaves out are don't-cares (with a warning). Raises
/// EngineError "Line N: ..." for what cannot be read.
FunctionFile ReadTableFile(std::string_view text);

/// Reads either kind: a file named "*.pla" (in any letter case) is a PLA file, and so is one whose
/// first line that is not blank starts with "." or "#"; other files are table files. Raises
/// EngineError saying that the file is neither for a file holding bytes no text holds (control
/// characters other than blanks), and for one whose first line holds no tab or comma and that
/// does not read as a table file of one column.
FunctionFile ReadFunctionFile(std::string_view text, std::string_view fileName = {});

/// The output named `name` (an exact match first, then one in any letter case), or numbered by it
/// (from 1); the only output when `name` is empty. Raises EngineError naming the outputs otherwise.
std::size_t ChooseOutput(const FunctionFile& file, std::string_view name);

/// One output of a PLA file written: its name and its terms.
struct PlaOutput {
  std::string name;
  CubeList terms;
};

/// The sums of `outputs` (over `inputs`, the first the most significant row bit, as in a table) as
/// a PLA file of type f: `comment` as "#" lines, .i, .o, .ilb, .ob, .type, .p, one term a line with
/// a 1 for its output and 0 for the others, .e. Raises EngineError for a name a PLA file cannot hold
/// (one with a blank, "#" or "|").
std::string WritePla(const std::vector<PlaOutput>& outputs, const std::vector<std::string>& inputs,
                     const std::string& comment);

/// The function of the whole file, made from its cubes at any width: every output, the file's
/// names kept. Types without F take the 1 points as the complement of the don't-cares and 0s, types
/// with F and R the rest as don't-cares; raises EngineError when that complement is too large.
BooleanFunction FunctionOfFile(const FunctionFile& file);

/// `cubes` over the table columns of `file` (as TablesOfOutput makes them) rewritten over the
/// file's inputs in its order.
CubeList ColumnsToInputs(const CubeList& cubes, const FunctionFile& file);

/// Output `output` as tables over all the file's inputs (their names upper-cased, in byte order, as
/// a table's columns are): 1 where the output is 1, and its don't-cares, when it has any. Raises
/// EngineError when two input names are one column (they differ in letter case only), a name cannot
/// be a column, or the file has more inputs than a table holds (kMaxPlaInputs).
TableFunction TablesOfOutput(const FunctionFile& file, std::size_t output);

}  // namespace brevano

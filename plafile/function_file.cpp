// Which reader a file needs, which output is meant, and an output made into tables.
#include "plafile/function_file.h"

#include <algorithm>
#include <cctype>

#include "engine/engine_error.h"
#include "minimise/cube_of_multi.h"
#include "tabulate/compiled_program.h"

namespace brevano {

namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The table's names of the inputs, checked: each a variable line of its own, no two alike.
std::vector<std::string> ColumnNames(const FunctionFile& file) {
  if (file.inputs.size() > static_cast<std::size_t>(kMaxPlaInputs))
    throw EngineError("The file has " + std::to_string(file.inputs.size()) +
                      " inputs: a table holds at most " + std::to_string(kMaxPlaInputs) +
                      "; only its cubes can be worked on (brevano minimise)");
  std::vector<std::string> names;
  for (const std::string& input : file.inputs) {
    const std::string name = NormaliseLine(input);
    if (name.empty() || !IsVariableLine(name) || name.find('@') != std::string::npos)
      throw EngineError("The input \"" + input + "\" cannot be a column of a table");
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (names[i] == name)
        throw EngineError("The inputs \"" + file.inputs[i] + "\" and \"" + input +
                          "\" are one column of a table, whose names are read in any letter case");
    }
    names.push_back(name);
  }
  return names;
}

// The program of a sum or its complement, in listing order (the operator before its operands), made
// as typed lines straight from the cubes.
using Lines = std::vector<TypedLine>;

TypedLine Op(OpCode op) { return TypedLine{op, {}, false}; }

// Appends the lines of the sum of `cubes` over the inputs named `names`.
void ListSum(const CubeList& cubes, const std::vector<std::string>& names, Lines& lines) {
  if (cubes.empty()) {
    lines.push_back(Op(OpCode::kPushZero));
    return;
  }
  const int n = static_cast<int>(names.size());
  for (std::size_t t = 1; t < cubes.size(); ++t) lines.push_back(Op(OpCode::kOr));
  for (const Cube& cube : cubes) {
    const int literals = LiteralCount(cube);
    if (literals == 0) lines.push_back(Op(OpCode::kPushOne));
    for (int l = 1; l < literals; ++l) lines.push_back(Op(OpCode::kAnd));
    for (int i = 0; i < n; ++i) {
      const std::uint64_t bit = std::uint64_t{1} << (n - 1 - i);
      if ((cube.care & bit) == 0) continue;
      if ((cube.value & bit) == 0) lines.push_back(Op(OpCode::kNot));
      lines.push_back(TypedLine{OpCode::kPushVariable, names[static_cast<std::size_t>(i)], false});
    }
  }
}

// The lines of the negated sum of two lists of cubes.
Lines NotEither(const CubeList& a, const CubeList& b, const std::vector<std::string>& names) {
  Lines lines{Op(OpCode::kNot), Op(OpCode::kOr)};
  ListSum(a, names, lines);
  ListSum(b, names, lines);
  return lines;
}

TruthTable TableOver(const Lines& lines, const std::vector<std::string>& columns) {
  const CompiledProgram program = CompiledProgram::FromLines(lines, kMaxTableVariables);
  return TruthTable::FromProgram(program.OverVariables(columns), DisplayMode::kZeroOne);
}

// Cubes of a table file's output (row bit n-1-i for input i) at any width, tagged with output `o`.
void AddCubes(const CubeList& cubes, int o, const BooleanFunction& function, CubeCover& into) {
  for (const Cube& cube : cubes)
    into.push_back(MultiCubeOf(cube, function.InputCount(), function.OutputCount(), o));
}

// The file's cubes, with a table file's outputs' lists made into them.
FileCubes CubesOfFile(const FunctionFile& file, const BooleanFunction& function) {
  if (file.cubes.read) return file.cubes;
  FileCubes cubes;
  for (int o = 0; o < function.OutputCount(); ++o) {
    const FileOutput& output = file.outputs[static_cast<std::size_t>(o)];
    AddCubes(output.on, o, function, cubes.on);
    AddCubes(output.dontCare, o, function, cubes.dontCare);
    AddCubes(output.off, o, function, cubes.off);
  }
  return cubes;
}

// The points of each output in none of `given`, tagged with that output.
CubeCover Rest(const BooleanFunction& function, const CubeCover& given) {
  constexpr std::size_t kLimit = 1000000;
  CubeCover rest;
  for (int o = 0; o < function.OutputCount(); ++o) {
    const std::optional<CubeCover> part =
        Complement(CubesOfOutput(given, o), WithOutput(function.AllOutputs(), o), kLimit);
    if (!part)
      throw EngineError("The points of output \"" + function.outputs[static_cast<std::size_t>(o)] +
                        "\" that the file's terms leave out take more than a million cubes");
    rest.insert(rest.end(), part->begin(), part->end());
  }
  return rest;
}

}  // namespace

BooleanFunction FunctionOfFile(const FunctionFile& file) {
  BooleanFunction function;
  function.inputs = file.inputs;
  for (const FileOutput& output : file.outputs) function.outputs.push_back(output.name);
  FileCubes cubes = CubesOfFile(file, function);
  const FileSets& sets = file.sets;
  function.dontCare = std::move(cubes.dontCare);
  if (sets.on) {
    function.on = std::move(cubes.on);
    if (sets.off) {
      CubeCover given = function.on;
      given.insert(given.end(), function.dontCare.begin(), function.dontCare.end());
      given.insert(given.end(), cubes.off.begin(), cubes.off.end());
      const CubeCover rest = Rest(function, given);
      function.dontCare.insert(function.dontCare.end(), rest.begin(), rest.end());
    }
  } else {
    CubeCover given = function.dontCare;
    given.insert(given.end(), cubes.off.begin(), cubes.off.end());
    function.on = Rest(function, given);
  }
  return function;
}

FunctionFile ReadFunctionFile(std::string_view text, std::string_view fileName) {
  const std::string neither =
      "The file is neither a PLA file (\".i\" and \".o\" first) nor a table file (a "
      "caption line of names separated by tabs or commas, then rows of 0 and 1)";
  if (std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 32 && std::string_view("\t\n\v\f\r").find(c) == std::string_view::npos) || byte == 127;
      }))
    throw EngineError(neither + ": it holds bytes that are not text");
  if (fileName.size() >= 4 && Upper(std::string(fileName.substr(fileName.size() - 4))) == ".PLA")
    return ReadPla(text);
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
      start = end + 1;
      continue;
    }
    if (line[first] == '.' || line[first] == '#') return ReadPla(text);
    if (line.find_first_of("\t,") != std::string_view::npos) return ReadTableFile(text);
    try {
      return ReadTableFile(text);  // a table of the Result alone
    } catch (const EngineError&) {
      throw EngineError(neither);
    }
  }
  throw EngineError("The file is empty");
}

std::size_t ChooseOutput(const FunctionFile& file, std::string_view name) {
  const std::size_t count = file.outputs.size();
  if (name.empty() && count == 1) return 0;
  for (std::size_t o = 0; o < count; ++o)
    if (file.outputs[o].name == name) return o;
  for (std::size_t o = 0; o < count; ++o)
    if (Upper(file.outputs[o].name) == Upper(std::string(name))) return o;
  if (!name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
      name.size() < 6) {
    const std::size_t number = std::stoul(std::string(name));
    if (number >= 1 && number <= count) return number - 1;
  }
  std::string list;
  for (std::size_t o = 0; o < count && o < 20; ++o) list += (o ? ", " : "") + file.outputs[o].name;
  if (count > 20) list += ", ...";
  const std::string what = name.empty() ? "The file has " + std::to_string(count) + " outputs: choose one"
                                        : "No output \"" + std::string(name) + "\"";
  throw EngineError(what + " (by name or by number from 1 to " + std::to_string(count) + "): " + list);
}

CubeList ColumnsToInputs(const CubeList& cubes, const FunctionFile& file) {
  const std::vector<std::string> names = ColumnNames(file);
  std::vector<std::string> columns = names;
  std::sort(columns.begin(), columns.end());
  const int n = static_cast<int>(names.size());
  CubeList inputs;
  for (const Cube& cube : cubes) {
    Cube moved;
    for (int i = 0; i < n; ++i) {
      const auto column =
          std::lower_bound(columns.begin(), columns.end(), names[static_cast<std::size_t>(i)]) -
          columns.begin();
      const std::uint64_t from = std::uint64_t{1} << (n - 1 - column), to = std::uint64_t{1} << (n - 1 - i);
      if ((cube.care & from) == 0) continue;
      moved.care |= to;
      if (cube.value & from) moved.value |= to;
    }
    inputs.push_back(moved);
  }
  return inputs;
}

TableFunction TablesOfOutput(const FunctionFile& file, std::size_t output) {
  const std::vector<std::string> names = ColumnNames(file);
  std::vector<std::string> columns = names;
  std::sort(columns.begin(), columns.end());
  const FileOutput& terms = file.outputs.at(output);
  const FileSets& sets = file.sets;
  Lines on;
  if (sets.on) {
    ListSum(terms.on, names, on);
  } else {
    on = NotEither(terms.dontCare, terms.off, names);
  }
  TableFunction tables{TableOver(on, columns), std::nullopt};
  // The don't-cares: the '-' terms, and with both 1 and 0 terms given the rows of neither.
  const bool rest = sets.on && sets.off;
  if (terms.dontCare.empty() && !rest) return tables;
  Lines dontCare;
  const bool dashes = !terms.dontCare.empty();
  if (dashes && rest) dontCare.push_back(Op(OpCode::kOr));
  if (dashes) ListSum(terms.dontCare, names, dontCare);
  if (rest) {
    CubeList given = terms.on;
    given.insert(given.end(), terms.dontCare.begin(), terms.dontCare.end());
    const Lines neither = NotEither(given, terms.off, names);
    dontCare.insert(dontCare.end(), neither.begin(), neither.end());
  }
  tables.dontCare = TableOver(dontCare, columns);
  return tables;
}

}  // namespace brevano

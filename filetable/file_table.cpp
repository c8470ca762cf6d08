// The table of a file: its function's cubes split by output, and the value of a row read off them.
#include "filetable/file_table.h"

#include <algorithm>

#include "engine/engine_error.h"
#include "function/boolean_function.h"
#include "minimise/cube_of_multi.h"

namespace brevano {

namespace {

void SplitByOutput(const CubeCover& cover, std::vector<CubeList>& into) {
  for (const MultiCube& cube : cover) {
    const std::optional<Cube> row = CubeOf(cube);
    if (!row) continue;
    for (int o = 0; o < cube.outputs; ++o)
      if (cube.HasOutput(o)) into[static_cast<std::size_t>(o)].push_back(*row);
  }
}

bool InSum(const CubeList& cubes, std::uint64_t row) {
  return std::any_of(cubes.begin(), cubes.end(), [row](Cube cube) { return CubeContains(cube, row); });
}

// Row numbers take 64 bits: a wider table cannot be made.
void CheckInputCount(std::size_t inputs) {
  if (inputs > static_cast<std::size_t>(kMaxPlaInputs))
    throw EngineError("The file has " + std::to_string(inputs) + " inputs: a table holds at most " +
                      std::to_string(kMaxPlaInputs) + "; only its cubes can be worked on (brevano minimise)");
}

}  // namespace

FileTable FileTable::Of(const FunctionFile& file) {
  CheckInputCount(file.inputs.size());
  const BooleanFunction function = FunctionOfFile(file);
  std::vector<CubeList> on(function.outputs.size()), dontCare(function.outputs.size());
  SplitByOutput(function.on, on);
  SplitByOutput(function.dontCare, dontCare);
  return FileTable(function.inputs, function.outputs, std::move(on), std::move(dontCare));
}

FileTable::FileTable(std::vector<std::string> inputs, std::vector<std::string> outputs,
                     std::vector<CubeList> on, std::vector<CubeList> dontCare)
    : inputs_(std::move(inputs)), outputs_(std::move(outputs)), terms_(outputs_.size()) {
  CheckInputCount(inputs_.size());
  for (std::size_t o = 0; o < terms_.size(); ++o) {
    if (o < on.size()) terms_[o].on = std::move(on[o]);
    if (o < dontCare.size()) terms_[o].dontCare = std::move(dontCare[o]);
  }
}

std::vector<std::string> FileTable::Captions() const {
  std::vector<std::string> captions = inputs_;
  captions.insert(captions.end(), outputs_.begin(), outputs_.end());
  return captions;
}

Cell FileTable::Value(std::uint64_t row, int output) const {
  if (InSum(Terms(output).dontCare, row)) return Cell::kDontCare;
  return InSum(Terms(output).on, row) ? Cell::kOne : Cell::kZero;
}

std::vector<std::string> FileTable::RowTexts(std::uint64_t row, DisplayMode mode) const {
  std::vector<std::string> texts;
  const int n = InputCount();
  texts.reserve(inputs_.size() + outputs_.size());
  for (int i = 0; i < n; ++i) texts.push_back(BoolToText(static_cast<int>((row >> (n - 1 - i)) & 1), mode));
  for (int o = 0; o < OutputCount(); ++o) texts.push_back(CellText(Value(row, o), mode));
  return texts;
}

std::string CellText(Cell value, DisplayMode mode) {
  return value == Cell::kDontCare ? "-" : BoolToText(value == Cell::kOne ? 1 : 0, mode);
}

}  // namespace brevano

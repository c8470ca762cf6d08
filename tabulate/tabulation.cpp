// The truth table: captions and widths of its columns, and its rows computed on demand.
#include "tabulate/tabulation.h"

#include "tabulate/compiled_program.h"

namespace brevano {

std::string BoolToText(int value, DisplayMode mode) {
  if (mode == DisplayMode::kFalseTrue) return value == 1 ? "T" : "F";
  return value == 1 ? "1" : "0";
}

TruthTable TruthTable::Build(const Listing& listing, DisplayMode mode, int maxVariables) {
  auto program = std::make_shared<const CompiledProgram>(CompiledProgram::Compile(listing, maxVariables));
  TruthTable table;
  table.variables_ = program->Variables();
  table.mode_ = mode;
  table.program_ = std::move(program);
  return table;
}

TruthTable TruthTable::FromProgram(CompiledProgram program, DisplayMode mode) {
  TruthTable table;
  table.variables_ = program.Variables();
  table.mode_ = mode;
  table.program_ = std::make_shared<const CompiledProgram>(std::move(program));
  return table;
}

std::vector<std::string> TruthTable::Captions() const {
  std::vector<std::string> captions = variables_;
  captions.emplace_back("Result");
  return captions;
}

std::uint64_t TruthTable::RowCount() const { return program_ ? program_->RowCount() : 0; }

int TruthTable::VariableValue(std::uint64_t row, int column) const {
  if (column < 0 || column >= static_cast<int>(variables_.size())) return 0;
  return VariableValueInRow(*program_, row, column);
}

int TruthTable::Result(std::uint64_t row) const { return program_ ? EvaluateRow(*program_, row) : 0; }

const CompiledProgram& TruthTable::Program() const {
  static const CompiledProgram kEmpty;
  return program_ ? *program_ : kEmpty;
}

std::vector<std::string> TruthTable::RowTexts(std::uint64_t row) const {
  std::vector<std::string> texts;
  texts.reserve(variables_.size() + 1);
  for (int column = 0; column < static_cast<int>(variables_.size()); ++column) {
    texts.push_back(BoolToText(VariableValue(row, column), mode_));
  }
  texts.push_back(BoolToText(Result(row), mode_));
  return texts;
}

}  // namespace brevano

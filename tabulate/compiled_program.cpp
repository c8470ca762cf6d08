// Compilation of a listing's typed lines into a stack program, and the row evaluator on a byte stack.
#include "tabulate/compiled_program.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/engine_error.h"
#include "tabulate/run_program.h"

namespace brevano {

namespace {

// The operator as the user wrote it: the line without its blanks and its " @F" tag.
std::string OperatorName(std::string_view line) {
  while (!line.empty() && static_cast<unsigned char>(line.front()) < 33) line.remove_prefix(1);
  while (!line.empty() && static_cast<unsigned char>(line.back()) < 33) line.remove_suffix(1);
  constexpr std::string_view kTag = " @F";
  if (line.size() > kTag.size() && line.substr(line.size() - kTag.size()) == kTag) {
    line.remove_suffix(kTag.size());
  }
  return std::string(line);
}

// An operator as it is written in an expression.
std::string OperatorName(OpCode op) {
  constexpr std::array<std::string_view, 4> kNames{"+", "*", "/", "NOT"};  // in OpCode's order
  return std::string(kNames.at(static_cast<std::size_t>(op)));
}

void CheckVariableCount(std::size_t count, int maxVariables) {
  const int limit = std::clamp(maxVariables, 0, kMaxTableVariables);
  if (count > static_cast<std::size_t>(limit)) {
    throw EngineError("Too many variables (" + std::to_string(count) + "): at most " + std::to_string(limit) +
                      " can be tabulated");
  }
}

// Values 0 and 1 in bytes: the evaluator of one row.
struct ByteAlgebra {
  using Value = std::uint8_t;
  std::uint64_t row;

  Value Constant(bool one) const { return one ? 1 : 0; }
  Value Variable(const Instruction& in) const { return static_cast<Value>((row >> in.rowBit) & 1); }
  static Value Not(Value x) { return x ^ 1; }
  static Value And(Value left, Value right) { return left & right; }
  static Value Or(Value left, Value right) { return left | right; }
  static Value Xor(Value left, Value right) { return left ^ right; }
};

int RunOnByteStack(const CompiledProgram& program, std::uint64_t row, std::uint8_t* stack) {
  ByteAlgebra algebra{row};
  const std::uint8_t* top = RunOnStack(program.Instructions(), algebra, stack);
  return top == stack ? 0 : stack[0];
}

}  // namespace

CompiledProgram CompiledProgram::Compile(const Listing& listing, int maxVariables) {
  return Compile(listing, ReadListing(listing), maxVariables);
}

CompiledProgram CompiledProgram::Compile(const Listing& listing, const std::vector<TypedLine>& lines,
                                         int maxVariables) {
  if (const std::optional<MissingOperand> missing = MissingOperandIn(lines)) {
    throw EngineError("The operator \"" + OperatorName(listing[missing->line]) + "\" lacks an operand");
  }
  return Build(lines, maxVariables);
}

CompiledProgram CompiledProgram::FromLines(const std::vector<TypedLine>& lines, int maxVariables) {
  if (const std::optional<MissingOperand> missing = MissingOperandIn(lines)) {
    throw EngineError("The operator \"" + OperatorName(*lines[missing->line].op) + "\" lacks an operand");
  }
  return Build(lines, maxVariables);
}

CompiledProgram CompiledProgram::Build(const std::vector<TypedLine>& lines, int maxVariables) {
  CompiledProgram program;
  for (const TypedLine& line : lines) {
    if (line.op == OpCode::kPushVariable) program.variables_.push_back(line.name);
  }
  // std::string compares as unsigned bytes: digits before letters, A10 before A2.
  std::sort(program.variables_.begin(), program.variables_.end());
  program.variables_.erase(std::unique(program.variables_.begin(), program.variables_.end()),
                           program.variables_.end());
  CheckVariableCount(program.variables_.size(), maxVariables);

  const int n = program.VariableCount();
  std::size_t depth = 0;
  for (std::size_t i = lines.size(); i-- > 0;) {
    if (!lines[i].op) continue;
    Instruction instruction{*lines[i].op};
    if (instruction.op == OpCode::kPushVariable) {
      const auto found =
          std::lower_bound(program.variables_.begin(), program.variables_.end(), lines[i].name);
      const int index = static_cast<int>(found - program.variables_.begin());
      instruction.variable = static_cast<std::uint16_t>(index);
      instruction.rowBit = static_cast<std::uint8_t>(n - 1 - index);
    }
    depth = depth + 1 - OperandCount(instruction.op);
    program.maxDepth_ = std::max(program.maxDepth_, depth);
    program.instructions_.push_back(instruction);
    program.lines_.push_back(static_cast<std::uint32_t>(i));
  }
  return program;
}

CompiledProgram CompiledProgram::OverVariables(const std::vector<std::string>& variables) const {
  CompiledProgram program = *this;
  program.variables_ = variables;
  const int n = program.VariableCount();
  for (Instruction& instruction : program.instructions_) {
    if (instruction.op != OpCode::kPushVariable) continue;
    const std::string& name = variables_[instruction.variable];
    const int index =
        static_cast<int>(std::lower_bound(variables.begin(), variables.end(), name) - variables.begin());
    instruction.variable = static_cast<std::uint16_t>(index);
    instruction.rowBit = static_cast<std::uint8_t>(n - 1 - index);
  }
  return program;
}

int EvaluateRow(const CompiledProgram& program, std::uint64_t row) {
  constexpr std::size_t kLocalSlots = 256;
  if (program.MaxDepth() <= kLocalSlots) {
    std::array<std::uint8_t, kLocalSlots> stack;
    return RunOnByteStack(program, row, stack.data());
  }
  std::vector<std::uint8_t> stack(program.MaxDepth());
  return RunOnByteStack(program, row, stack.data());
}

}  // namespace brevano

// Compilation of a listing into a stack program, and the row evaluator on a byte stack.
#include "tabulate/compiled_program.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/engine_error.h"

namespace brevano {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) < 33; }

std::string_view Trim(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line;
}

// How many values an operation takes from the stack, and the change of the depth it makes.
int Operands(OpCode op) {
  switch (op) {
    case OpCode::kOr:
    case OpCode::kAnd:
    case OpCode::kXor: return 2;
    case OpCode::kNot: return 1;
    default: return 0;
  }
}

int DepthChange(OpCode op) {
  switch (op) {
    case OpCode::kOr:
    case OpCode::kAnd:
    case OpCode::kXor: return -1;
    case OpCode::kNot: return 0;
    default: return 1;
  }
}

// The operator as the user wrote it: the line without its blanks and its " @F" tag.
std::string OperatorName(std::string_view line) {
  std::string_view name = Trim(line);
  constexpr std::string_view kTag = " @F";
  if (name.size() > kTag.size() && name.substr(name.size() - kTag.size()) == kTag) {
    name.remove_suffix(kTag.size());
  }
  return std::string(name);
}

void CheckVariableCount(std::size_t count, int maxVariables) {
  const int limit = std::clamp(maxVariables, 0, kMaxTableVariables);
  if (count > static_cast<std::size_t>(limit)) {
    throw EngineError("Too many variables (" + std::to_string(count) + "): at most " + std::to_string(limit) +
                      " can be tabulated");
  }
}

}  // namespace

std::string NormaliseLine(std::string_view line) {
  std::string out(Trim(line));
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool IsVariableLine(std::string_view normalised) {
  return normalised.find("@N") == std::string_view::npos && normalised.find("@F") == std::string_view::npos;
}

std::optional<OpCode> ClassifyLine(std::string_view normalised) {
  if (normalised == "+ @F") return OpCode::kOr;
  if (normalised == "* @F") return OpCode::kAnd;
  if (normalised == "/ @F") return OpCode::kXor;
  if (normalised == "NOT @F") return OpCode::kNot;
  if (normalised == "1 @N") return OpCode::kPushOne;
  if (normalised == "0 @N") return OpCode::kPushZero;
  if (IsVariableLine(normalised)) return OpCode::kPushVariable;
  return std::nullopt;
}

std::optional<MissingOperand> FindMissingOperand(const Listing& listing) {
  std::size_t depth = 0;
  for (std::size_t i = listing.size(); i-- > 0;) {
    const std::optional<OpCode> op = ClassifyLine(NormaliseLine(listing[i]));
    if (!op) continue;
    if (depth < static_cast<std::size_t>(Operands(*op))) return MissingOperand{i, static_cast<int>(depth)};
    depth += DepthChange(*op);
  }
  return std::nullopt;
}

CompiledProgram CompiledProgram::Compile(const Listing& listing, int maxVariables) {
  struct Step {
    OpCode op;
    std::string text;  // the normalised line, kept for variables only
  };
  std::vector<Step> steps;
  std::size_t depth = 0;
  std::size_t maxDepth = 0;
  for (auto line = listing.rbegin(); line != listing.rend(); ++line) {
    std::string normalised = NormaliseLine(*line);
    const std::optional<OpCode> op = ClassifyLine(normalised);
    if (!op) continue;
    if (depth < static_cast<std::size_t>(Operands(*op))) {
      throw EngineError("The operator \"" + OperatorName(*line) + "\" lacks an operand");
    }
    depth += DepthChange(*op);
    maxDepth = std::max(maxDepth, depth);
    steps.push_back({*op, *op == OpCode::kPushVariable ? std::move(normalised) : std::string()});
  }

  CompiledProgram program;
  for (const Step& step : steps) {
    if (step.op == OpCode::kPushVariable) program.variables_.push_back(step.text);
  }
  // std::string compares as unsigned bytes: digits before letters, A10 before A2.
  std::sort(program.variables_.begin(), program.variables_.end());
  program.variables_.erase(std::unique(program.variables_.begin(), program.variables_.end()),
                           program.variables_.end());
  CheckVariableCount(program.variables_.size(), maxVariables);

  const int n = program.VariableCount();
  program.instructions_.reserve(steps.size());
  for (const Step& step : steps) {
    Instruction instruction{step.op};
    if (step.op == OpCode::kPushVariable) {
      const auto found = std::lower_bound(program.variables_.begin(), program.variables_.end(), step.text);
      const int index = static_cast<int>(found - program.variables_.begin());
      instruction.variable = static_cast<std::uint16_t>(index);
      instruction.rowBit = static_cast<std::uint8_t>(n - 1 - index);
    }
    program.instructions_.push_back(instruction);
  }
  program.maxDepth_ = maxDepth;
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

namespace {

int RunOnByteStack(const CompiledProgram& program, std::uint64_t row, std::uint8_t* stack) {
  std::uint8_t* top = stack;  // one past the top value
  for (const Instruction& in : program.Instructions()) {
    switch (in.op) {
      case OpCode::kOr:
        --top;
        top[-1] = top[0] | top[-1];
        break;
      case OpCode::kAnd:
        --top;
        top[-1] = top[0] & top[-1];
        break;
      case OpCode::kXor:
        --top;
        top[-1] = top[0] ^ top[-1];
        break;
      case OpCode::kNot: top[-1] ^= 1; break;
      case OpCode::kPushZero: *top++ = 0; break;
      case OpCode::kPushOne: *top++ = 1; break;
      case OpCode::kPushVariable: *top++ = static_cast<std::uint8_t>((row >> in.rowBit) & 1); break;
    }
  }
  return top == stack ? 0 : stack[0];
}

}  // namespace

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

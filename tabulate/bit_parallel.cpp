// Bit-parallel evaluation: one 64-bit word per stack slot, one bitwise operation per instruction.
#include "tabulate/bit_parallel.h"

#include <algorithm>
#include <bit>

#include "tabulate/run_program.h"

namespace brevano {

namespace {

// Bit k of kLowBitPatterns[s] is bit s of k: the values of the variable at row bit s (s < 6) in the
// 64 rows of any aligned block.
constexpr std::uint64_t kLowBitPatterns[6] = {
    0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull, 0xF0F0F0F0F0F0F0F0ull,
    0xFF00FF00FF00FF00ull, 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull,
};

// 64 rows at once: bit k of a value belongs to the k-th row of the block.
struct WordAlgebra {
  using Value = std::uint64_t;
  const std::uint64_t* variableWords;  // indexed by row bit

  static Value Constant(bool one) { return one ? ~Value{0} : 0; }
  Value Variable(const Instruction& in) const { return variableWords[in.rowBit]; }
  static Value Not(Value x) { return ~x; }
  static Value And(Value left, Value right) { return left & right; }
  static Value Or(Value left, Value right) { return left | right; }
  static Value Xor(Value left, Value right) { return left ^ right; }
};

// Calls the progress callback after every RowsPerProgressCall examined rows.
class ProgressTicker {
 public:
  ProgressTicker(const Progress& progress, std::uint64_t total, const CompiledProgram& program)
      : progress_(progress), total_(total), every_(RowsPerProgressCall(program)) {}

  // Records 64 more rows; false when the callback asks to stop.
  bool Advance() {
    done_ += 64;
    if (!progress_ || done_ % every_ != 0) return true;
    return progress_(done_, total_);
  }

 private:
  const Progress& progress_;
  std::uint64_t total_;
  std::uint64_t every_;
  std::uint64_t done_ = 0;
};

// The rows of the aligned block at `start` whose result is `result`, as bits.
std::uint64_t Matches(BlockEvaluator& evaluator, std::uint64_t rowCount, std::uint64_t start, bool wantOne) {
  const std::uint64_t word = evaluator.EvaluateAligned(start);
  return wantOne ? word : ~word & ValidRowsMask(rowCount, start);
}

}  // namespace

std::uint64_t RowsPerProgressCall(const CompiledProgram& program) {
  // About 2^28 instruction steps between two calls, at most kRowsPerProgressCall rows.
  const std::uint64_t instructions = std::max<std::uint64_t>(program.Instructions().size(), 64);
  return std::clamp<std::uint64_t>(std::bit_floor(kRowsPerProgressCall * 64 / instructions), 4096,
                                   kRowsPerProgressCall);
}

BlockEvaluator::BlockEvaluator(const CompiledProgram& program)
    : instructions_(program.Instructions()),
      rowCount_(program.RowCount()),
      variableCount_(program.VariableCount()),
      stack_(std::max<std::size_t>(program.MaxDepth(), 1)) {
  for (int bit = 0; bit < std::min(variableCount_, 6); ++bit) variableWords_[bit] = kLowBitPatterns[bit];
}

std::uint64_t BlockEvaluator::EvaluateAligned(std::uint64_t firstRow) {
  const std::uint64_t valid = ValidRowsMask(rowCount_, firstRow);
  if (valid == 0) return 0;
  for (int bit = 6; bit < variableCount_; ++bit) {
    variableWords_[bit] = ((firstRow >> bit) & 1) ? ~std::uint64_t{0} : 0;
  }
  WordAlgebra algebra{variableWords_};
  std::uint64_t* const stack = stack_.data();
  return RunOnStack(instructions_, algebra, stack) == stack ? 0 : stack[0] & valid;
}

std::uint64_t BlockEvaluator::Evaluate(std::uint64_t firstRow) {
  const unsigned offset = firstRow & 63;
  const std::uint64_t base = firstRow - offset;
  if (offset == 0) return EvaluateAligned(base);
  std::uint64_t word = EvaluateAligned(base) >> offset;
  if (base < rowCount_ && rowCount_ - base > 64) word |= EvaluateAligned(base + 64) << (64 - offset);
  return word;
}

std::uint64_t EvaluateBlock(const CompiledProgram& program, std::uint64_t firstRow) {
  return BlockEvaluator(program).Evaluate(firstRow);
}

CountOutcome CountRows(const CompiledProgram& program, int result, const Progress& progress) {
  BlockEvaluator evaluator(program);
  const std::uint64_t rowCount = program.RowCount();
  ProgressTicker ticker(progress, rowCount, program);
  CountOutcome outcome;
  for (std::uint64_t start = 0; start < rowCount; start += 64) {
    outcome.count += std::popcount(Matches(evaluator, rowCount, start, result == 1));
    if (!ticker.Advance()) {
      outcome.stopped = start + 64 < rowCount;
      break;
    }
  }
  return outcome;
}

SearchOutcome FindNextRow(const CompiledProgram& program, int result, std::uint64_t fromRow,
                          const Progress& progress) {
  const std::uint64_t rowCount = program.RowCount();
  if (fromRow >= rowCount) return {};
  BlockEvaluator evaluator(program);
  std::uint64_t start = fromRow & ~std::uint64_t{63};
  ProgressTicker ticker(progress, rowCount - start, program);
  std::uint64_t word =
      Matches(evaluator, rowCount, start, result == 1) & (~std::uint64_t{0} << (fromRow & 63));
  while (true) {
    if (word) return {start + std::countr_zero(word), false};
    start += 64;
    if (start >= rowCount) return {};
    if (!ticker.Advance()) return {std::nullopt, true};
    word = Matches(evaluator, rowCount, start, result == 1);
  }
}

SearchOutcome FindPreviousRow(const CompiledProgram& program, int result, std::uint64_t fromRow,
                              const Progress& progress) {
  const std::uint64_t rowCount = program.RowCount();
  fromRow = std::min(fromRow, rowCount - 1);
  BlockEvaluator evaluator(program);
  std::uint64_t start = fromRow & ~std::uint64_t{63};
  ProgressTicker ticker(progress, start + 64, program);
  const unsigned offset = fromRow & 63;
  const std::uint64_t upTo = offset == 63 ? ~std::uint64_t{0} : (std::uint64_t{1} << (offset + 1)) - 1;
  std::uint64_t word = Matches(evaluator, rowCount, start, result == 1) & upTo;
  while (true) {
    if (word) return {start + 63 - std::countl_zero(word), false};
    if (start == 0) return {};
    start -= 64;
    if (!ticker.Advance()) return {std::nullopt, true};
    word = Matches(evaluator, rowCount, start, result == 1);
  }
}

}  // namespace brevano

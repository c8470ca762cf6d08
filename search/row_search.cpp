// The rungs of the row questions that need no solver: a short scan, the diagram, a full scan.
#include "search/row_search.h"

#include <algorithm>
#include <bit>

namespace brevano {

namespace {

// The position of the k-th set bit of `word` (k below its popcount).
int SelectBit(std::uint64_t word, std::uint64_t k) {
  for (; k > 0; --k) word &= word - 1;
  return std::countr_zero(word);
}

// The bits of the aligned block at `start` whose Result is `result`.
std::uint64_t Matches(BlockEvaluator& evaluator, const CompiledProgram& program, std::uint64_t start,
                      int result) {
  const std::uint64_t word = evaluator.EvaluateAligned(start);
  if (result == 1) return word;
  const std::uint64_t remaining = program.RowCount() - start;
  return ~word & (remaining >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << remaining) - 1);
}

// The k-th row with the Result wanted, scanning from row 0; stops after `maxRows` rows.
SearchOutcome ScanForNth(const CompiledProgram& program, int result, std::uint64_t k, std::uint64_t maxRows,
                         const Progress& progress) {
  BlockEvaluator evaluator(program);
  const std::uint64_t rows = program.RowCount();
  const std::uint64_t every = RowsPerProgressCall(program);
  for (std::uint64_t start = 0; start < rows; start += 64) {
    if (start >= maxRows) return {std::nullopt, true};
    if (progress && start > 0 && start % every == 0 && !progress(start, rows)) return {std::nullopt, true};
    const std::uint64_t word = Matches(evaluator, program, start, result);
    const auto count = static_cast<std::uint64_t>(std::popcount(word));
    if (k < count) return {start + static_cast<std::uint64_t>(SelectBit(word, k)), false};
    k -= count;
  }
  return {};
}

}  // namespace

std::optional<std::uint64_t> AnswerFromDiagram(const Diagram& diagram, const RowQuery& query) {
  switch (query.kind) {
    case RowQuery::Kind::kNext: return diagram.Next(query.result, query.from);
    case RowQuery::Kind::kPrevious: return diagram.Previous(query.result, query.from);
    default: break;
  }
  return diagram.Nth(query.result, query.from);
}

std::optional<std::optional<std::uint64_t>> QuickScan(const CompiledProgram& program, const RowQuery& query,
                                                      std::uint64_t maxRows) {
  const std::uint64_t rows = program.RowCount();
  SearchOutcome outcome;
  if (query.kind == RowQuery::Kind::kCount || query.kind == RowQuery::Kind::kConstant) return std::nullopt;
  if (query.kind == RowQuery::Kind::kNth) {
    outcome = ScanForNth(program, query.result, query.from, maxRows, {});
  } else {
    const bool forward = query.kind == RowQuery::Kind::kNext;
    if (forward && query.from >= rows) return std::optional<std::uint64_t>();
    const std::uint64_t from = std::min(query.from, rows - 1);
    // Scans the window of maxRows rows next to `from`, in the search's direction.
    const std::uint64_t reach = forward ? std::min(rows - from, maxRows) : std::min(from + 1, maxRows);
    BlockEvaluator evaluator(program);
    for (std::uint64_t done = 0; done < reach;) {
      const std::uint64_t row = forward ? from + done : from - done;
      const std::uint64_t start = row & ~std::uint64_t{63};
      std::uint64_t word = Matches(evaluator, program, start, query.result);
      const unsigned offset = row & 63;
      word &= forward ? ~std::uint64_t{0} << offset
                      : (offset == 63 ? ~std::uint64_t{0} : (std::uint64_t{2} << offset) - 1);
      if (word)
        return std::optional<std::uint64_t>(start +
                                            (forward ? std::countr_zero(word) : 63 - std::countl_zero(word)));
      done += forward ? 64 - offset : offset + 1;
    }
    outcome.stopped = reach < (forward ? rows - from : from + 1);
  }
  if (outcome.stopped) return std::nullopt;
  return outcome.row;
}

SearchOutcome FullScan(const CompiledProgram& program, const RowQuery& query, const Progress& progress) {
  switch (query.kind) {
    case RowQuery::Kind::kNext: return FindNextRow(program, query.result, query.from, progress);
    case RowQuery::Kind::kPrevious: return FindPreviousRow(program, query.result, query.from, progress);
    default: break;
  }
  return ScanForNth(program, query.result, query.from, ~std::uint64_t{0}, progress);
}

std::uint64_t ScanSteps(const CompiledProgram& program) {
  const std::uint64_t blocks = std::max<std::uint64_t>(program.RowCount() / 64, 1);
  const std::uint64_t instructions = std::max<std::uint64_t>(program.Instructions().size(), 1);
  return blocks > ~std::uint64_t{0} / instructions ? ~std::uint64_t{0} : blocks * instructions;
}

}  // namespace brevano

// Counting and listing the rows of a function with don't-cares: row by row, each 64-row block
// evaluated once for the Result and the don't-cares; from its diagrams; from its cubes; or the
// first and last rows from the solver.
#include "search/function_rows.h"

#include <algorithm>
#include <bit>

#include "minimise/cube_sets.h"
#include "search/ladder.h"
#include "tabulate/bit_parallel.h"

namespace brevano {

namespace {

// A listing from a diagram in an order other than the table's takes a pass over the nodes per row
// or so: each list stops after this long, the rest counted as "more".
constexpr std::chrono::milliseconds kOrderedListingTime{150};

// Most terms of the complement made to list the first 0 rows of a function given as cubes.
constexpr std::size_t kMaxListedZeroCubes = 100000;

// Appends the rows of the block at `start` whose bits are set in `word`, up to `limit` in all.
void Collect(std::uint64_t word, std::uint64_t start, std::size_t limit, std::vector<std::uint64_t>& rows) {
  while (word != 0 && rows.size() < limit) {
    rows.push_back(start + static_cast<std::uint64_t>(std::countr_zero(word)));
    word &= word - 1;
  }
}

// Lists the rows where `diagram` gives `result`, up to `limit` (or for a while in another order).
void ListFrom(const Diagram& diagram, int result, std::size_t limit, RowList& list) {
  const auto deadline = std::chrono::steady_clock::now() + kOrderedListingTime;
  const bool timed = !diagram.Order().empty();
  for (std::optional<std::uint64_t> row = diagram.Next(result, 0); row && list.rows.size() < limit;
       row = diagram.Next(result, *row + 1)) {
    list.rows.push_back(*row);
    if (*row + 1 == diagram.RowCount() || (timed && std::chrono::steady_clock::now() > deadline)) break;
  }
}

// Every one of `rowCount` rows has the Result `value`.
FunctionRows ConstantRows(std::uint64_t rowCount, int value, std::size_t limit) {
  FunctionRows rows;
  rows.ones.total = value ? rowCount : 0;
  rows.zeros.total = rowCount - rows.ones.total;
  RowList& list = value ? rows.ones : rows.zeros;
  for (std::uint64_t row = 0; row < std::min<std::uint64_t>(limit, rowCount); ++row) list.rows.push_back(row);
  rows.complete = true;
  return rows;
}

// Only `row` of `rowCount` rows has the Result `value`.
void SingleRow(FunctionRows& rows, std::uint64_t rowCount, int value, std::uint64_t row, std::size_t limit) {
  RowList& single = value ? rows.ones : rows.zeros;
  RowList& others = value ? rows.zeros : rows.ones;
  single.total = 1;
  single.rows = {row};
  others.total = rowCount - 1;
  for (std::uint64_t r = 0; r < rowCount && others.rows.size() < limit; ++r) {
    if (r != row) others.rows.push_back(r);
  }
  rows.complete = true;
}

}  // namespace

FunctionRows ScanFunctionRows(const TableFunction& function, const FunctionRowLimits& limits,
                              const Budget& budget) {
  BlockEvaluator on(function.on.Program());
  std::optional<BlockEvaluator> dontCare;
  if (function.dontCare) dontCare.emplace(function.dontCare->Program());
  FunctionRows rows;
  rows.path = RowSearchPath::kFullScan;
  const std::uint64_t count = function.on.Program().RowCount();
  const std::size_t limit = limits.maxListedRows;
  const auto deadline = std::chrono::steady_clock::now() + limits.scanTime;
  std::uint64_t ones = 0, zeros = 0, dontCares = 0;
  const std::uint64_t every = RowsPerProgressCall(function.on.Program());
  std::uint64_t start = 0;
  for (; start < count; start += 64) {
    if (start % every == 0 && start > 0) {
      if (!budget.Report(start, count)) return search_detail::StoppedRows();
      if (std::chrono::steady_clock::now() > deadline) break;
    }
    const std::uint64_t valid = ValidRowsMask(count, start);
    const std::uint64_t either = dontCare ? dontCare->EvaluateAligned(start) & valid : 0;
    const std::uint64_t result = on.EvaluateAligned(start) & ~either;
    const std::uint64_t zero = ~result & ~either & valid;
    ones += static_cast<std::uint64_t>(std::popcount(result));
    zeros += static_cast<std::uint64_t>(std::popcount(zero));
    dontCares += static_cast<std::uint64_t>(std::popcount(either));
    Collect(result, start, limit, rows.ones.rows);
    Collect(zero, start, limit, rows.zeros.rows);
    Collect(either, start, limit, rows.dontCares.rows);
  }
  rows.rowsScanned = std::min(start, count);
  rows.ones.total = ones;
  rows.zeros.total = zeros;
  rows.dontCares.total = dontCares;
  rows.complete = rows.rowsScanned == count;
  return rows;
}

namespace search_detail {

FunctionRows StoppedRows() {
  FunctionRows rows;
  rows.stopped = true;
  return rows;
}

FunctionRows DiagramRows(const FunctionDiagrams& diagrams, std::uint64_t rowCount, std::size_t limit) {
  FunctionRows rows;
  rows.path = RowSearchPath::kDiagram;
  rows.order = diagrams.order;
  rows.ones.total = diagrams.ones->Count(1);
  ListFrom(*diagrams.ones, 1, limit, rows.ones);
  if (diagrams.dontCares) {
    rows.zeros.total = diagrams.zeros->Count(1);
    rows.dontCares.total = diagrams.dontCares->Count(1);
    ListFrom(*diagrams.zeros, 1, limit, rows.zeros);
    ListFrom(*diagrams.dontCares, 1, limit, rows.dontCares);
  } else {
    rows.zeros.total = rowCount - rows.ones.total;
    ListFrom(*diagrams.ones, 0, limit, rows.zeros);
  }
  rows.rowsScanned = rowCount;
  rows.complete = true;
  return rows;
}

std::optional<FunctionRows> CubeRows(const FunctionTerms& terms, int variables,
                                     const FunctionRowLimits& limits, const Budget& budget) {
  Budget control(limits.diagram.maxTime, {}, &budget);
  CubeList either = terms.on;
  either.insert(either.end(), terms.dontCare.begin(), terms.dontCare.end());
  const std::optional<std::uint64_t> covered = CountCoveredRows(either, variables, control);
  const std::optional<std::uint64_t> dontCares = CountCoveredRows(terms.dontCare, variables, control);
  if (!covered || !dontCares) return std::nullopt;
  const std::optional<CubeList> zeros = ComplementCubes(either, kMaxListedZeroCubes, control);
  if (!zeros) return std::nullopt;
  const std::size_t limit = limits.maxListedRows;
  FunctionRows rows;
  rows.path = RowSearchPath::kCubes;
  rows.tooComplex = true;
  rows.ones.rows = FirstCoveredRows(terms.on, terms.dontCare, variables, limit, control);
  rows.zeros.rows = FirstCoveredRows(*zeros, {}, variables, limit, control);
  rows.dontCares.rows = FirstCoveredRows(terms.dontCare, {}, variables, limit, control);
  if (control.TimeUp() || control.Stopped()) return std::nullopt;
  const std::uint64_t rowCount = std::uint64_t{1} << variables;
  rows.ones.total = *covered - *dontCares;
  rows.dontCares.total = *dontCares;
  rows.zeros.total = rowCount - *covered;
  rows.rowsScanned = rowCount;
  rows.complete = true;
  return rows;
}

FunctionRows SolverEnds(const CompiledProgram& program, const FunctionRowLimits& limits,
                        const Budget& budget) {
  // The diagram is known to be too complex: the ladder goes from its quick scan to the solver.
  SearchLimits search;
  search.diagram = limits.diagram;
  search.solverTime = limits.solverTime;
  search.buildDiagram = false;
  SearchMemory memory;
  memory.diagramTooComplex = true;
  FunctionRows rows;
  rows.path = RowSearchPath::kSolver;
  rows.tooComplex = true;
  bool answered = true;
  const auto ask = [&](RowQuery::Kind kind, int result, std::uint64_t from) {
    RowSearch asked = AskRows(program, {kind, result, from}, search, std::move(memory), budget);
    memory = std::move(asked.memory);
    rows.stopped = asked.outcome.stopped;
    answered = !asked.outcome.stopped && asked.path != RowSearchPath::kOutOfTime;
    if (!answered && !rows.stopped) rows.path = RowSearchPath::kOutOfTime;
    return asked.outcome.row;
  };
  const std::uint64_t count = program.RowCount();
  std::optional<std::uint64_t> ends[2][2];  // [result][first, last]
  for (int result = 1; result >= 0; --result) {
    ends[result][0] = ask(RowQuery::Kind::kNext, result, 0);
    if (!answered) return rows;
    if (!ends[result][0]) {
      FunctionRows constant = ConstantRows(count, 1 - result, limits.maxListedRows);
      constant.path = RowSearchPath::kSolver;
      constant.tooComplex = true;
      return constant;
    }
  }
  for (int result = 1; result >= 0; --result) {
    ends[result][1] = ask(RowQuery::Kind::kPrevious, result, count - 1);
    if (!answered) return rows;
  }
  rows.oneEnds = {ends[1][0], ends[1][1]};
  rows.zeroEnds = {ends[0][0], ends[0][1]};
  rows.endsComplete = true;
  for (int result = 1; result >= 0; --result) {
    if (ends[result][0] == ends[result][1]) {
      SingleRow(rows, count, result, *ends[result][0], limits.maxListedRows);
      break;
    }
  }
  return rows;
}

}  // namespace search_detail

}  // namespace brevano

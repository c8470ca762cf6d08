// Counts and row lists: each 64-row block evaluated once for the Result and the don't-cares.
#include "analysis/analysis_rows.h"

#include <algorithm>
#include <bit>
#include <chrono>

#include "minimise/cube_sets.h"
#include "search/ladder.h"
#include "tabulate/bit_parallel.h"
#include "twolevel/function_of.h"

namespace brevano::analysis_detail {

namespace {

// A listing from a diagram in an order other than the table's takes a pass over the nodes per row
// or so: each list stops after this long, the rest counted as "more".
constexpr std::chrono::milliseconds kOrderedListingTime{150};

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

// Most terms of the complement made to list the first 0 rows of a function given as cubes.
constexpr std::size_t kMaxListedZeroCubes = 100000;

// Every row of the table has the Result `value`: the counts and the lists follow.
void ConstantRows(Analysis& analysis, int value, std::size_t limit) {
  analysis.onesCount = analysis.minterms.total = value ? analysis.rowCount : 0;
  analysis.maxterms.total = analysis.rowCount - analysis.onesCount;
  analysis.verdict = value ? Verdict::kAlwaysOne : Verdict::kAlwaysZero;
  RowList& list = value ? analysis.minterms : analysis.maxterms;
  for (std::uint64_t row = 0; row < std::min<std::uint64_t>(limit, analysis.rowCount); ++row)
    list.rows.push_back(row);
  analysis.rowsComplete = true;
}

// Only `row` has the Result `value`: the counts and the lists follow.
void SingleRow(Analysis& analysis, int value, std::uint64_t row, std::size_t limit) {
  analysis.onesCount = value ? 1 : analysis.rowCount - 1;
  RowList& single = value ? analysis.minterms : analysis.maxterms;
  RowList& others = value ? analysis.maxterms : analysis.minterms;
  single.total = 1;
  single.rows = {row};
  others.total = analysis.rowCount - 1;
  for (std::uint64_t r = 0; r < analysis.rowCount && others.rows.size() < limit; ++r) {
    if (r != row) others.rows.push_back(r);
  }
  analysis.rowsComplete = true;
}

}  // namespace

SatStatus SolverEnds(const CompiledProgram& program, Analysis& analysis, const AnalysisOptions& options,
                     const Budget& budget) {
  budget.SetStage(static_cast<int>(AnalysisStage::kCounting));
  // The diagram is known to be too complex: the ladder goes from its quick scan to the solver.
  SearchLimits limits;
  limits.diagram = options.diagramLimits;
  limits.solverTime = options.solverTime;
  limits.buildDiagram = false;
  SearchMemory memory;
  memory.diagramTooComplex = true;
  SatStatus status = SatStatus::kAnswered;
  const auto ask = [&](RowQuery::Kind kind, int result, std::uint64_t from) {
    RowSearch search = AskRows(program, {kind, result, from}, limits, std::move(memory), budget);
    memory = std::move(search.memory);
    status = search.outcome.stopped                     ? SatStatus::kStopped
             : search.path == RowSearchPath::kOutOfTime ? SatStatus::kOutOfTime
                                                        : SatStatus::kAnswered;
    return search.outcome.row;
  };
  const std::uint64_t last = analysis.rowCount - 1;
  std::optional<std::uint64_t> ends[2][2];  // [result][first, last]
  for (int result = 1; result >= 0; --result) {
    ends[result][0] = ask(RowQuery::Kind::kNext, result, 0);
    if (status != SatStatus::kAnswered) return status;
    if (!ends[result][0]) {
      ConstantRows(analysis, 1 - result, options.maxListedRows);
      return SatStatus::kAnswered;
    }
  }
  for (int result = 1; result >= 0; --result) {
    ends[result][1] = ask(RowQuery::Kind::kPrevious, result, last);
    if (status != SatStatus::kAnswered) return status;
  }
  analysis.verdict = Verdict::kDepends;
  analysis.ones = {ends[1][0], ends[1][1]};
  analysis.zeros = {ends[0][0], ends[0][1]};
  analysis.endsComplete = true;
  for (int result = 1; result >= 0; --result) {
    if (ends[result][0] == ends[result][1]) {
      SingleRow(analysis, result, *ends[result][0], options.maxListedRows);
      break;
    }
  }
  return SatStatus::kAnswered;
}

bool CubeRows(const BooleanFunction& function, Analysis& analysis, const AnalysisOptions& options) {
  Budget control(options.diagramLimits.maxTime, {});
  const int n = function.InputCount();
  const CubeList on = TermsOfCubes(function.on), dontCare = TermsOfCubes(function.dontCare);
  CubeList either = on;
  either.insert(either.end(), dontCare.begin(), dontCare.end());
  const std::optional<std::uint64_t> covered = CountCoveredRows(either, n, control);
  const std::optional<std::uint64_t> dontCares = CountCoveredRows(dontCare, n, control);
  if (!covered || !dontCares) return false;
  const std::optional<CubeList> zeros = ComplementCubes(either, kMaxListedZeroCubes, control);
  if (!zeros) return false;
  const std::size_t limit = options.maxListedRows;
  analysis.minterms.rows = FirstCoveredRows(on, dontCare, n, limit, control);
  analysis.maxterms.rows = FirstCoveredRows(*zeros, {}, n, limit, control);
  analysis.dontCares.rows = FirstCoveredRows(dontCare, {}, n, limit, control);
  if (control.TimeUp()) return false;
  analysis.onesCount = analysis.minterms.total = *covered - *dontCares;
  analysis.dontCareCount = analysis.dontCares.total = *dontCares;
  analysis.maxterms.total = analysis.rowCount - *covered;
  analysis.verdict = VerdictOf(analysis.onesCount, analysis.maxterms.total);
  analysis.rowsScanned = analysis.rowCount;
  analysis.rowsComplete = true;
  return true;
}

Verdict VerdictOf(std::uint64_t ones, std::uint64_t zeros) {
  if (ones == 0) return Verdict::kAlwaysZero;
  return zeros == 0 ? Verdict::kAlwaysOne : Verdict::kDepends;
}

bool ScanRows(const TableFunction& function, Analysis& analysis, const AnalysisOptions& options,
              const Budget& budget) {
  BlockEvaluator on(function.on.Program());
  std::optional<BlockEvaluator> dontCare;
  if (function.dontCare) dontCare.emplace(function.dontCare->Program());
  const std::uint64_t rows = analysis.rowCount;
  const std::size_t limit = options.maxListedRows;
  const auto deadline = std::chrono::steady_clock::now() + options.scanBudget;
  std::uint64_t ones = 0, zeros = 0, dontCares = 0;
  const std::uint64_t every = RowsPerProgressCall(function.on.Program());
  std::uint64_t start = 0;
  budget.SetStage(static_cast<int>(AnalysisStage::kCounting));
  for (; start < rows; start += 64) {
    if (start % every == 0 && start > 0) {
      if (!budget.Report(start, rows)) return false;
      if (std::chrono::steady_clock::now() > deadline) break;
    }
    const std::uint64_t valid = ValidRowsMask(rows, start);
    const std::uint64_t either = dontCare ? dontCare->EvaluateAligned(start) & valid : 0;
    const std::uint64_t result = on.EvaluateAligned(start) & ~either;
    const std::uint64_t zero = ~result & ~either & valid;
    ones += static_cast<std::uint64_t>(std::popcount(result));
    zeros += static_cast<std::uint64_t>(std::popcount(zero));
    dontCares += static_cast<std::uint64_t>(std::popcount(either));
    Collect(result, start, limit, analysis.minterms.rows);
    Collect(zero, start, limit, analysis.maxterms.rows);
    Collect(either, start, limit, analysis.dontCares.rows);
  }
  analysis.rowsScanned = std::min(start, rows);
  analysis.onesCount = analysis.minterms.total = ones;
  analysis.maxterms.total = zeros;
  analysis.dontCareCount = analysis.dontCares.total = dontCares;
  analysis.verdict = VerdictOf(ones, zeros);
  analysis.rowsComplete = analysis.rowsScanned == rows;
  return true;
}

void DiagramRows(const FunctionDiagrams& diagrams, Analysis& analysis, std::size_t limit) {
  analysis.onesCount = analysis.minterms.total = diagrams.ones->Count(1);
  ListFrom(*diagrams.ones, 1, limit, analysis.minterms);
  if (diagrams.dontCares) {
    analysis.maxterms.total = diagrams.zeros->Count(1);
    analysis.dontCareCount = analysis.dontCares.total = diagrams.dontCares->Count(1);
    ListFrom(*diagrams.zeros, 1, limit, analysis.maxterms);
    ListFrom(*diagrams.dontCares, 1, limit, analysis.dontCares);
  } else {
    analysis.maxterms.total = analysis.rowCount - analysis.onesCount;
    ListFrom(*diagrams.ones, 0, limit, analysis.maxterms);
  }
  analysis.verdict = VerdictOf(analysis.onesCount, analysis.maxterms.total);
  analysis.rowsScanned = analysis.rowCount;
  analysis.rowsComplete = true;
}

}  // namespace brevano::analysis_detail

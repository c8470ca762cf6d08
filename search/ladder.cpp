// The ladder of the row questions: the diagram known, a quick scan, the solver raced against the
// diagram, the diagram alone, the function's cubes, a full scan; for a function given by cubes, its
// diagrams or the walk over them.
#include "search/ladder.h"

#include <algorithm>
#include <functional>

#include "search/race.h"

namespace brevano {

namespace {

// The race's time: the longer of the solver's and the diagram's.
std::chrono::milliseconds RaceTime(const SearchLimits& limits) {
  return std::max(limits.solverTime, limits.diagram.maxTime);
}

// The answer of a question the diagram settles.
RowSearch FromDiagram(const Diagram& diagram, const RowQuery& query, RowSearchPath path) {
  RowSearch search;
  search.path = path;
  if (query.kind == RowQuery::Kind::kCount) {
    search.count = diagram.Count(query.result);
  } else {
    search.outcome.row = AnswerFromDiagram(diagram, query);
  }
  return search;
}

// A quick scan, where the table is small enough for a count, or the row lies near.
std::optional<RowSearch> QuickRung(const CompiledProgram& program, const RowQuery& query,
                                   const SearchLimits& limits) {
  RowSearch search;
  if (query.kind == RowQuery::Kind::kCount) {
    if (program.RowCount() > limits.quickScanRows) return std::nullopt;
    search.count = CountRows(program, query.result).count;
    return search;
  }
  const auto quick = QuickScan(program, query, limits.quickScanRows);
  if (!quick) return std::nullopt;
  search.outcome.row = *quick;
  return search;
}

// Next or previous: the solver on this thread and the diagram beside it.
RowSearch RaceRung(const CompiledProgram& program, const RowQuery& query, const SearchLimits& limits,
                   SearchMemory& memory, const Budget& budget) {
  if (!memory.solver) memory.solver = std::make_shared<ResultSolver>(program);
  ResultSolver& solver = *memory.solver;
  SatRow found;
  const auto solve = [&](const Budget& stop) {
    found = query.kind == RowQuery::Kind::kNext ? solver.Next(query.result, query.from, stop)
                                                : solver.Previous(query.result, query.from, stop);
    return found.status == SatStatus::kAnswered;
  };
  std::shared_ptr<const Diagram> built;
  std::function<DiagramStatus(const Budget&)> build;
  if (!memory.diagramTooComplex && limits.buildDiagram) {
    build = [&](const Budget& stop) {
      DiagramOutcome outcome = BuildDiagram(program, limits.diagram, stop);
      built = std::move(outcome.diagram);
      return outcome.status;
    };
  }
  const Budget racing(RaceTime(limits), budget.Reporting(), &budget);
  const search_detail::RaceEnd end = search_detail::Race(solve, build, limits.solverTime, racing);
  if (end.diagram == DiagramStatus::kTooComplex) memory.diagramTooComplex = true;
  RowSearch search;
  if (built) {
    memory.diagram = built;
    search = FromDiagram(*built, query, RowSearchPath::kDiagram);
  } else if (end.solverAnswered) {
    search.outcome.row = found.row;
    search.path = RowSearchPath::kSolver;
  } else {
    search.outcome.stopped = end.stopped;
    search.path = end.stopped ? RowSearchPath::kSolver : RowSearchPath::kOutOfTime;
  }
  return search;
}

// The n-th row or a count: the diagram, or a full scan when that is too complex.
RowSearch DiagramRung(const CompiledProgram& program, const RowQuery& query, const SearchLimits& limits,
                      SearchMemory& memory, const Budget& budget) {
  RowSearch search;
  if (!memory.diagramTooComplex) {
    const Budget building(limits.diagram.maxTime, budget.Reporting(), &budget);
    const DiagramOutcome built = BuildDiagram(program, limits.diagram, building);
    if (built.diagram) {
      memory.diagram = built.diagram;
      search = FromDiagram(*built.diagram, query, RowSearchPath::kDiagram);
    } else if (built.status == DiagramStatus::kStopped) {
      search.outcome.stopped = true;
      search.path = RowSearchPath::kDiagram;
    }
    memory.diagramTooComplex = built.status == DiagramStatus::kTooComplex;
  }
  if (!memory.diagramTooComplex) return search;
  if (ScanSteps(program) > limits.maxScanSteps) return {{}, 0, {}, RowSearchPath::kTooComplex, {}};
  search = {};
  search.path = RowSearchPath::kFullScan;
  if (query.kind == RowQuery::Kind::kCount) {
    const CountOutcome counted = CountRows(program, query.result, budget.Reporting());
    search.count = counted.count;
    search.outcome.stopped = counted.stopped;
  } else {
    search.outcome = FullScan(program, query, budget.Reporting());
  }
  return search;
}

// Whether the Result is constant: the first row of each Result, each by the ladder.
RowSearch ConstantRung(const CompiledProgram& program, const SearchLimits& limits, SearchMemory memory,
                       const Budget& budget) {
  RowSearch search;
  for (int result = 1; result >= 0; --result) {
    search = AskRows(program, {RowQuery::Kind::kNext, result, 0}, limits, std::move(memory), budget);
    memory = std::move(search.memory);
    const bool answered = !search.outcome.stopped && search.path != RowSearchPath::kOutOfTime;
    if (!answered) break;
    if (!search.outcome.row) {
      search.constant = 1 - result;
      break;
    }
  }
  search.outcome.row.reset();
  search.memory = std::move(memory);
  return search;
}

}  // namespace

RowSearch AskRows(const CompiledProgram& program, const RowQuery& query, const SearchLimits& limits,
                  SearchMemory memory, const Budget& budget) {
  if (query.kind == RowQuery::Kind::kConstant)
    return ConstantRung(program, limits, std::move(memory), budget);
  RowSearch search;
  if (memory.diagram) {
    search = FromDiagram(*memory.diagram, query, RowSearchPath::kDiagram);
  } else if (auto quick = QuickRung(program, query, limits)) {
    search = std::move(*quick);
  } else if (query.kind == RowQuery::Kind::kNext || query.kind == RowQuery::Kind::kPrevious) {
    search = RaceRung(program, query, limits, memory, budget);
  } else {
    search = DiagramRung(program, query, limits, memory, budget);
  }
  search.memory = std::move(memory);
  return search;
}

FunctionRows AskFunctionRows(const TableFunction& function, const FunctionRowLimits& limits,
                             const Budget& budget, const FunctionTermsMaker& terms) {
  const CompiledProgram& on = function.on.Program();
  if (on.RowCount() <= limits.quickScanRows) {
    FunctionRows rows = ScanFunctionRows(function, limits, budget);
    rows.path = RowSearchPath::kQuickScan;
    return rows;
  }
  // The caller hears of the milliseconds spent of the diagrams' time while they are built.
  const Budget building(limits.diagram.maxTime, budget.Reporting());
  const FunctionDiagrams diagrams = BuildFunctionDiagrams(function, limits.diagram, building);
  if (diagrams.status == DiagramStatus::kBuilt)
    return search_detail::DiagramRows(diagrams, on.RowCount(), limits.maxListedRows);
  if (diagrams.status == DiagramStatus::kStopped) return search_detail::StoppedRows();
  const int n = on.VariableCount();
  if (const std::optional<FunctionTerms> made = terms ? terms() : std::nullopt) {
    if (std::optional<FunctionRows> rows = search_detail::CubeRows(*made, n, limits, budget))
      return std::move(*rows);
    if (budget.Stopped()) return search_detail::StoppedRows();
  }
  FunctionRows rows;
  rows.path = RowSearchPath::kTooComplex;
  rows.tooComplex = true;
  if (!function.dontCare) {
    rows = search_detail::SolverEnds(on, limits, budget);
    if (rows.stopped || rows.complete) return rows;
  }
  const std::uint64_t steps =
      ScanSteps(on) + (function.dontCare ? ScanSteps(function.dontCare->Program()) : 0);
  rows.scanFollows = n <= limits.maxScannedVariables && steps <= limits.maxScanSteps;
  return rows;
}

CellSearch AskCubeRows(const FunctionTerms& terms, int variables, const CellQuery& query,
                       const DiagramLimits& limits, const FunctionDiagrams& diagrams, const Budget& budget) {
  // Diagrams built from tables may leave out the zeros and the don't-cares: the walk then answers.
  if (search_detail::DiagramOf(diagrams, query.value))
    return search_detail::CellFromDiagrams(diagrams, variables, query);
  if (!query.nth) return search_detail::WalkCubes(terms, variables, query, budget);
  CellSearch search;
  search.path = RowSearchPath::kTooComplex;
  if (diagrams.status == DiagramStatus::kTooComplex) return search;
  const FunctionDiagrams built = BuildCubeDiagrams(terms, variables, limits, budget);
  if (built.status == DiagramStatus::kBuilt) return search_detail::CellFromDiagrams(built, variables, query);
  search.stopped = built.status == DiagramStatus::kStopped;
  if (search.stopped) search.path = RowSearchPath::kDiagram;
  return search;
}

CubeCount CountCubeRows(const FunctionTerms& terms, int variables, const DiagramLimits& limits,
                        const Budget& budget) {
  CubeCount count;
  count.diagrams = BuildCubeDiagrams(terms, variables, limits, budget);
  if (count.diagrams.status == DiagramStatus::kBuilt) {
    count.counts = CellCounts{count.diagrams.ones->Count(1), count.diagrams.zeros->Count(1),
                              count.diagrams.dontCares->Count(1)};
  }
  return count;
}

TableComparison CompareTables(const CompiledProgram& first, const CompiledProgram& second,
                              const SearchLimits& limits, const Budget& budget,
                              std::shared_ptr<DifferenceSolver> goOn) {
  TableComparison comparison;
  const bool goingOn = goOn != nullptr;
  comparison.solver = goOn ? std::move(goOn) : std::make_shared<DifferenceSolver>(first, second);
  comparison.variables = comparison.solver->Variables();
  SatDifference difference;
  const auto solve = [&](const Budget& stop) {
    difference = comparison.solver->FirstDifference(stop);
    return difference.status == SatStatus::kAnswered;
  };
  Comparison byDiagram;
  std::function<DiagramStatus(const Budget&)> build;
  if (!goingOn) {
    build = [&](const Budget& stop) {
      byDiagram = CompareFunctions(first, second, limits.diagram, stop);
      return byDiagram.status;
    };
  }
  const Budget racing(RaceTime(limits), budget.Reporting(), &budget);
  const search_detail::RaceEnd end = search_detail::Race(solve, build, limits.solverTime, racing);
  if (end.diagram == DiagramStatus::kBuilt) {
    comparison.equivalent = byDiagram.equivalent;
    comparison.row = byDiagram.row;
    comparison.firstResult = byDiagram.firstResult;
    comparison.secondResult = byDiagram.secondResult;
  } else if (end.solverAnswered) {
    comparison.equivalent = !difference.row;
    comparison.row = difference.row.value_or(0);
    comparison.firstResult = difference.firstResult;
    comparison.secondResult = 1 - difference.firstResult;
  } else {
    comparison.status = end.stopped ? SatStatus::kStopped : SatStatus::kOutOfTime;
  }
  return comparison;
}

}  // namespace brevano

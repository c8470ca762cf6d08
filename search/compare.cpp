// The comparison of two tables: the solver's miter raced against the diagrams.
#include "search/compare.h"

#include "search/race.h"

namespace brevano {

TableComparison CompareTables(const CompiledProgram& first, const CompiledProgram& second,
                              const SearchLimits& limits, const ProgressCallback& progress,
                              std::shared_ptr<DifferenceSolver> goOn) {
  TableComparison comparison;
  const bool goingOn = goOn != nullptr;
  comparison.solver = goOn ? std::move(goOn) : std::make_shared<DifferenceSolver>(first, second);
  comparison.variables = comparison.solver->Variables();
  SatDifference difference;
  const auto solve = [&](const search_detail::RaceStop& stop) {
    difference = comparison.solver->FirstDifference({limits.solverTime, stop});
    return difference.status == SatStatus::kAnswered;
  };
  Comparison byDiagram;
  std::function<DiagramStatus(const search_detail::RaceStop&)> build;
  if (!goingOn) {
    build = [&](const search_detail::RaceStop& stop) {
      byDiagram = CompareFunctions(first, second, limits.diagram, stop);
      return byDiagram.status;
    };
  }
  const search_detail::RaceEnd end =
      search_detail::Race(solve, build, std::max(limits.solverTime, limits.diagram.maxTime), progress);
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

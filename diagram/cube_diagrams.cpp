// Diagrams of sums of cubes, built on the owner thread in table order.
#include "diagram/cube_diagrams.h"

#include <numeric>

#include "diagram/buddy.h"
#include "diagram/isop.h"
#include "diagram/symbolic_run.h"

namespace brevano {

namespace {

using diagram_detail::JobEnd;
using diagram_detail::Ref;

std::shared_ptr<const Diagram> Flat(const Ref& root, int variableCount) {
  diagram_detail::FlatDiagram flat = diagram_detail::Flatten(root, variableCount);
  return std::make_shared<const Diagram>(std::move(flat.nodes), variableCount, flat.root);
}

}  // namespace

FunctionDiagrams BuildCubeDiagrams(const FunctionTerms& terms, int variableCount, const DiagramLimits& limits,
                                   const Budget& stop) {
  // The job owns its input and its output: a caller that stops waiting leaves them to it.
  struct State {
    FunctionTerms terms;
    int n = 0;
    FunctionDiagrams out;
  };
  const auto state = std::make_shared<State>(State{terms, variableCount, {}});
  const JobEnd end = diagram_detail::RunOnOwner(
      [state] {
        // Manager variable v is column v, so the levels are in table order.
        const Ref ones = diagram_detail::DiagramOfCubes(state->terms.on, state->n);
        const Ref free = diagram_detail::DiagramOfCubes(state->terms.dontCare, state->n);
        const Ref onlyOnes(bdd_apply(ones.Get(), free.Get(), bddop_diff));
        const Ref either(bdd_apply(ones.Get(), free.Get(), bddop_or));
        const Ref zeros(bdd_not(either.Get()));
        state->out.ones = Flat(onlyOnes, state->n);
        state->out.zeros = Flat(zeros, state->n);
        state->out.dontCares = Flat(free, state->n);
      },
      limits.maxNodes, limits.maxTime, stop);
  if (end == JobEnd::kDone) {
    FunctionDiagrams built = state->out;
    built.status = DiagramStatus::kBuilt;
    built.order.resize(static_cast<std::size_t>(variableCount));
    std::iota(built.order.begin(), built.order.end(), 0);
    return built;
  }
  FunctionDiagrams failed;
  failed.status = end == JobEnd::kStopped ? DiagramStatus::kStopped : DiagramStatus::kTooComplex;
  return failed;
}

}  // namespace brevano

// Building diagrams and comparing two functions on the owner thread.
#include <algorithm>
#include <iterator>
#include <memory>

#include "diagram/buddy.h"
#include "diagram/diagram.h"
#include "diagram/symbolic_run.h"
#include "diagram/variable_order.h"
#include "engine/engine_error.h"
#include "tabulate/tabulation.h"
#include "tabulate/variable_union.h"

namespace brevano {

namespace {

using diagram_detail::JobEnd;
using diagram_detail::Ref;

DiagramStatus StatusOf(JobEnd end) {
  switch (end) {
    case JobEnd::kDone: return DiagramStatus::kBuilt;
    case JobEnd::kStopped: return DiagramStatus::kStopped;
    default: return DiagramStatus::kTooComplex;
  }
}

// The position in `all` (sorted) of each of `some`'s variables.
std::vector<int> PositionsIn(const std::vector<std::string>& some, const std::vector<std::string>& all) {
  std::vector<int> positions;
  for (const std::string& name : some)
    positions.push_back(static_cast<int>(std::lower_bound(all.begin(), all.end(), name) - all.begin()));
  return positions;
}

// The Result at `row` (over `variableCount` manager variables) of the diagram `node`.
int ResultAt(int node, std::uint64_t row, int variableCount) {
  while (node >= 2) {
    const int variable = bdd_var(node);
    node = (row >> (variableCount - 1 - variable)) & 1 ? bdd_high(node) : bdd_low(node);
  }
  return node;
}

// The least row where `node` is 1 (it must not be the constant 0): the low child whenever it is
// not 0, since a node that is not the constant 0 has a row with Result 1.
std::uint64_t FirstOne(int node, int variableCount) {
  std::uint64_t row = 0;
  while (node >= 2) {
    const int variable = bdd_var(node);
    if (bdd_low(node) != 0) {
      node = bdd_low(node);
    } else {
      row |= std::uint64_t{1} << (variableCount - 1 - variable);
      node = bdd_high(node);
    }
  }
  return row;
}

}  // namespace

DiagramOutcome BuildDiagramInOrder(const CompiledProgram& program, const std::vector<int>& order,
                                   const DiagramLimits& limits, const Budget& stop) {
  // The job owns its input and its output: a caller that stops waiting leaves them to it.
  struct State {
    CompiledProgram program;
    std::vector<int> levels;
    diagram_detail::FlatDiagram flat;
  };
  const auto state = std::make_shared<State>(State{program, LevelsOf(order), {}});
  const JobEnd end = diagram_detail::RunOnOwner(
      [state] {
        const Ref root = diagram_detail::RunSymbolically(state->program, state->levels);
        state->flat = diagram_detail::Flatten(root, state->program.VariableCount());
      },
      limits.maxNodes, limits.maxTime, stop);
  DiagramOutcome outcome;
  outcome.status = StatusOf(end);
  if (end == JobEnd::kDone) {
    outcome.diagram = std::make_shared<const Diagram>(std::move(state->flat.nodes), program.VariableCount(),
                                                      state->flat.root, order);
  }
  return outcome;
}

DiagramOutcome BuildDiagram(const CompiledProgram& program, const DiagramLimits& limits, const Budget& stop) {
  const std::vector<std::vector<int>> orders = CandidateOrders(program);
  DiagramOutcome outcome;
  outcome.status = DiagramStatus::kTooComplex;
  for (const OrderAttempt& attempt : OrderAttempts(orders.size(), limits)) {
    outcome = BuildDiagramInOrder(program, orders[attempt.order], {attempt.maxNodes, attempt.Time()}, stop);
    if (outcome.status != DiagramStatus::kTooComplex) return outcome;
  }
  return outcome;
}

Comparison CompareFunctions(const CompiledProgram& first, const CompiledProgram& second,
                            const DiagramLimits& limits, const Budget& stop) {
  Comparison comparison;
  comparison.variables = VariableUnion(first.Variables(), second.Variables());
  const int n = static_cast<int>(comparison.variables.size());
  if (n > kMaxTableVariables) {
    throw EngineError("Too many variables in the two expressions together (" + std::to_string(n) +
                      "): at most " + std::to_string(kMaxTableVariables) + " can be compared");
  }
  struct State {
    CompiledProgram first, second;
    Comparison comparison;
  };
  const auto state = std::make_shared<State>(State{first, second, comparison});
  const JobEnd end = diagram_detail::RunOnOwner(
      [state, n] {
        Comparison& out = state->comparison;
        const Ref a = diagram_detail::RunSymbolically(state->first,
                                                      PositionsIn(state->first.Variables(), out.variables));
        const Ref b = diagram_detail::RunSymbolically(state->second,
                                                      PositionsIn(state->second.Variables(), out.variables));
        const Ref difference(bdd_apply(a.Get(), b.Get(), bddop_xor));
        out.equivalent = difference.Get() == 0;
        if (out.equivalent) return;
        out.row = FirstOne(difference.Get(), n);
        out.firstResult = ResultAt(a.Get(), out.row, n);
        out.secondResult = 1 - out.firstResult;
      },
      limits.maxNodes, limits.maxTime, stop);
  if (end == JobEnd::kDone) comparison = state->comparison;
  comparison.status = StatusOf(end);
  return comparison;
}

}  // namespace brevano

// Jobs on the owner thread for the two-level forms: each builds the function's diagrams again in
// the chosen order (quick once it is known to fit) and owns its input and output, so that a caller
// that stops waiting leaves them to it.
#include "diagram/two_level.h"

#include "diagram/buddy.h"
#include "diagram/isop.h"
#include "diagram/symbolic_run.h"
#include "diagram/variable_order.h"

namespace brevano {

namespace {

using diagram_detail::JobEnd;
using diagram_detail::Ref;

// The rows of one side: those to cover, those not to, and the don't-cares.
struct SideRefs {
  Ref required, forbidden, dontCare;
};

SideRefs BuildSide(const TableFunction& function, const std::vector<int>& levels, FormSide side) {
  const Ref on = diagram_detail::RunSymbolically(function.on.Program(), levels);
  const Ref dontCare =
      function.dontCare ? diagram_detail::RunSymbolically(function.dontCare->Program(), levels) : Ref(0);
  const Ref ones(bdd_apply(on.Get(), dontCare.Get(), bddop_diff));
  const Ref either(bdd_apply(on.Get(), dontCare.Get(), bddop_or));
  const Ref zeros(bdd_not(either.Get()));
  if (side == FormSide::kSum) return {ones, zeros, dontCare};
  return {zeros, ones, dontCare};
}

std::shared_ptr<const Diagram> Flat(const Ref& root, const std::vector<int>& order) {
  const int n = static_cast<int>(order.size());
  diagram_detail::FlatDiagram flat = diagram_detail::Flatten(root, n);
  return std::make_shared<const Diagram>(std::move(flat.nodes), n, flat.root, order);
}

CubeList InColumns(const std::vector<Cube>& cubes, const std::vector<int>& order) {
  CubeList columns;
  columns.reserve(cubes.size());
  for (const Cube& cube : cubes) columns.push_back(diagram_detail::LevelsToColumns(cube, order));
  return columns;
}

DiagramStatus StatusOf(JobEnd end) {
  if (end == JobEnd::kDone) return DiagramStatus::kBuilt;
  return end == JobEnd::kStopped ? DiagramStatus::kStopped : DiagramStatus::kTooComplex;
}

}  // namespace

FunctionDiagrams BuildFunctionDiagrams(const TableFunction& function, const DiagramLimits& limits,
                                       const Budget& stop) {
  struct State {
    TableFunction function;
    std::vector<int> order;
    FunctionDiagrams diagrams;
  };
  const std::vector<std::vector<int>> orders = CandidateOrders(function.on.Program());
  FunctionDiagrams result;
  result.status = DiagramStatus::kTooComplex;
  for (const OrderAttempt& attempt : OrderAttempts(orders.size(), limits)) {
    const auto state = std::make_shared<State>(State{function, orders[attempt.order], {}});
    const JobEnd end = diagram_detail::RunOnOwner(
        [state] {
          const SideRefs rows = BuildSide(state->function, LevelsOf(state->order), FormSide::kSum);
          FunctionDiagrams& out = state->diagrams;
          out.ones = Flat(rows.required, state->order);
          if (!state->function.dontCare) return;
          out.zeros = Flat(rows.forbidden, state->order);
          out.dontCares = Flat(rows.dontCare, state->order);
        },
        attempt.maxNodes, attempt.Time(), stop);
    result.status = StatusOf(end);
    if (end == JobEnd::kDone) {
      result = state->diagrams;
      result.status = DiagramStatus::kBuilt;
      result.order = orders[attempt.order];
      return result;
    }
    if (result.status == DiagramStatus::kStopped || end == JobEnd::kFailed) return result;
  }
  return result;
}

SideCubes BuildSideCubes(const TableFunction& function, const std::vector<int>& order, FormSide side,
                         const CoverLimits& limits, std::size_t maxSetTerms, const Budget& stop) {
  struct State {
    TableFunction function;
    std::vector<int> order;
    SideCubes cubes;
  };
  const auto state = std::make_shared<State>(State{function, order, {}});
  const unsigned __int128 maxTerms = limits.maxTerms;
  const JobEnd startEnd = diagram_detail::RunOnOwner(
      [state, side, maxTerms] {
        const SideRefs rows = BuildSide(state->function, LevelsOf(state->order), side);
        const Ref allowed(bdd_not(rows.forbidden.Get()));
        const int n = static_cast<int>(state->order.size());
        try {
          state->cubes.start =
              InColumns(diagram_detail::IrredundantCubes(rows.required, allowed, n, maxTerms), state->order);
          state->cubes.startTerms = state->cubes.start.size();
          state->cubes.status = CoverStatus::kFound;
        } catch (const diagram_detail::CoverBuilder::TooManyTerms& tooMany) {
          state->cubes.startTerms = tooMany.terms;
          state->cubes.status = CoverStatus::kTooManyTerms;
        }
      },
      limits.maxNodes, limits.maxTime, stop);
  if (startEnd != JobEnd::kDone) {
    SideCubes failed;
    if (startEnd != JobEnd::kStopped) failed.status = CoverStatus::kTooComplex;
    return failed;
  }
  if (state->cubes.status != CoverStatus::kFound) return state->cubes;
  SideCubes startOnly = state->cubes;  // the second job writes only the sets
  const JobEnd setsEnd = diagram_detail::RunOnOwner(
      [state, side, maxSetTerms] {
        const SideRefs rows = BuildSide(state->function, LevelsOf(state->order), side);
        const int n = static_cast<int>(state->order.size());
        try {
          std::vector<Cube> forbidden =
              diagram_detail::IrredundantCubes(rows.forbidden, rows.forbidden, n, maxSetTerms);
          std::vector<Cube> dontCare =
              diagram_detail::IrredundantCubes(rows.dontCare, rows.dontCare, n, maxSetTerms);
          state->cubes.sets = CubeFunction{InColumns(forbidden, state->order),
                                           InColumns(dontCare, state->order), std::nullopt};
        } catch (const diagram_detail::CoverBuilder::TooManyTerms&) {
        }
      },
      limits.maxNodes, limits.maxTime, stop);
  // A job given up on may still be writing its sets.
  return setsEnd == JobEnd::kDone ? state->cubes : startOnly;
}

std::optional<CubeList> BuildPrimes(const TableFunction& function, const std::vector<int>& order,
                                    FormSide side, std::size_t maxPrimes, std::chrono::milliseconds time,
                                    const Budget& stop) {
  struct State {
    TableFunction function;
    std::vector<int> order;
    std::optional<CubeList> primes;
  };
  const auto state = std::make_shared<State>(State{function, order, {}});
  const JobEnd end = diagram_detail::RunOnOwner(
      [state, side, maxPrimes] {
        const SideRefs rows = BuildSide(state->function, LevelsOf(state->order), side);
        const Ref allowed(bdd_not(rows.forbidden.Get()));
        try {
          state->primes =
              InColumns(diagram_detail::PrimeCubes(allowed, static_cast<int>(state->order.size()), maxPrimes),
                        state->order);
        } catch (const diagram_detail::TooManyPrimes&) {
        }
      },
      DiagramLimits{}.maxNodes, time, stop);
  if (end != JobEnd::kDone) return std::nullopt;
  return state->primes;
}

FormCheck CheckForm(const TableFunction& function, const std::vector<int>& order, FormSide side,
                    const CubeList& cover, const DiagramLimits& limits, const Budget& stop) {
  struct State {
    TableFunction function;
    std::vector<int> order;
    CubeList cover;
    FormCheck check = FormCheck::kUnknown;
  };
  const auto state = std::make_shared<State>(State{function, order, cover});
  const JobEnd end = diagram_detail::RunOnOwner(
      [state, side] {
        const SideRefs rows = BuildSide(state->function, LevelsOf(state->order), side);
        std::vector<Cube> levels;
        for (const Cube& cube : state->cover)
          levels.push_back(diagram_detail::ColumnsToLevels(cube, state->order));
        const Ref sum = diagram_detail::DiagramOfCubes(levels, static_cast<int>(state->order.size()));
        const Ref missed(bdd_apply(rows.required.Get(), sum.Get(), bddop_diff));
        const Ref wrong(bdd_apply(sum.Get(), rows.forbidden.Get(), bddop_and));
        state->check = missed.Get() == 0 && wrong.Get() == 0 ? FormCheck::kCorrect : FormCheck::kWrong;
      },
      limits.maxNodes, limits.maxTime, stop);
  return end == JobEnd::kDone ? state->check : FormCheck::kUnknown;
}

}  // namespace brevano

// The solver's questions about one program, and about where two programs differ.
#include "sat/sat_search.h"

#include <algorithm>
#include <iterator>

#include "engine/engine_error.h"
#include "sat/row_solver.h"
#include "tabulate/variable_union.h"

namespace brevano {

namespace {

using sat_detail::Circuit;
using sat_detail::Signal;

// The signals of `some` (sorted names) among the inputs named by `all` (sorted names).
std::vector<Signal> InputsOf(const Circuit& circuit, const std::vector<std::string>& some,
                             const std::vector<std::string>& all) {
  std::vector<Signal> inputs;
  for (const std::string& name : some) {
    const auto at = std::lower_bound(all.begin(), all.end(), name);
    inputs.push_back(circuit.Input(static_cast<int>(at - all.begin())));
  }
  return inputs;
}

}  // namespace

ResultSolver::ResultSolver(const CompiledProgram& program) : variableCount_(program.VariableCount()) {
  Circuit circuit(variableCount_);
  output_ = EncodeProgram(circuit, program, InputsOf(circuit, program.Variables(), program.Variables()));
  solver_ = std::make_unique<sat_detail::RowSolver>(circuit, std::vector<Signal>{output_});
}

ResultSolver::~ResultSolver() = default;
ResultSolver::ResultSolver(ResultSolver&&) noexcept = default;
ResultSolver& ResultSolver::operator=(ResultSolver&&) noexcept = default;

SatRow ResultSolver::Next(int result, std::uint64_t from, const Budget& budget) {
  if (from >= std::uint64_t{1} << variableCount_) return {};
  return solver_->Search(result ? output_ : sat_detail::Not(output_), from, true, budget);
}

SatRow ResultSolver::Previous(int result, std::uint64_t from, const Budget& budget) {
  from = std::min(from, (std::uint64_t{1} << variableCount_) - 1);
  return solver_->Search(result ? output_ : sat_detail::Not(output_), from, false, budget);
}

DifferenceSolver::DifferenceSolver(const CompiledProgram& first, const CompiledProgram& second) {
  variables_ = VariableUnion(first.Variables(), second.Variables());
  const int n = static_cast<int>(variables_.size());
  if (n > kMaxTableVariables) {
    throw EngineError("Too many variables in the two expressions together (" + std::to_string(n) +
                      "): at most " + std::to_string(kMaxTableVariables) + " can be compared");
  }
  Circuit circuit(n);
  first_ = EncodeProgram(circuit, first, InputsOf(circuit, first.Variables(), variables_));
  const Signal second_ = EncodeProgram(circuit, second, InputsOf(circuit, second.Variables(), variables_));
  miter_ = circuit.Xor(first_, second_);
  solver_ = std::make_unique<sat_detail::RowSolver>(circuit, std::vector<Signal>{first_, miter_});
}

DifferenceSolver::~DifferenceSolver() = default;

SatDifference DifferenceSolver::FirstDifference(const Budget& budget) {
  const SatRow found = solver_->Search(miter_, 0, true, budget);
  SatDifference difference;
  difference.status = found.status;
  difference.row = found.row;
  if (found.row) difference.firstResult = solver_->ValueInAnswer(first_);
  return difference;
}

}  // namespace brevano

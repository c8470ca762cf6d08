// The clauses of a circuit's gates, the budget of a question, and the search row by bits.
#include "sat/row_solver.h"

#include <cadical.hpp>

namespace brevano::sat_detail {

namespace {

using Clock = std::chrono::steady_clock;

void AddClause(CaDiCaL::Solver& solver, std::initializer_list<int> literals) {
  for (int literal : literals) solver.add(literal);
  solver.add(0);
}

constexpr int kSatisfiable = 10;
constexpr int kUnsatisfiable = 20;

}  // namespace

// Ends a solver's call when the caller stops it or its time is up; CaDiCaL asks it between steps.
class QuestionEnd : public CaDiCaL::Terminator {
 public:
  explicit QuestionEnd(const Budget& budget) : budget_(budget), deadline_(budget.EndAfter(Clock::now())) {}

  bool terminate() override {
    if (budget_.Poll()) stopped_ = true;
    return stopped_ || Clock::now() > deadline_;
  }

  SatStatus Unanswered() const { return stopped_ ? SatStatus::kStopped : SatStatus::kOutOfTime; }

 private:
  const Budget& budget_;
  Clock::time_point deadline_;
  bool stopped_ = false;
};

struct RowSolver::Pending {
  Signal goal = 0;
  std::uint64_t from = 0;
  bool forward = true;
  int activation = 0;       // switches on the bound on the row; 0 when there is none
  std::vector<int> fixed;   // the row literals fixed so far, most significant first
  bool haveModel = false;   // a row exists and the model holds one consistent with `fixed`
  bool prefixEqual = true;  // the bits fixed so far are those of `from`
};

RowSolver::RowSolver(const Circuit& circuit, const std::vector<Signal>& watched)
    : solver_(std::make_unique<CaDiCaL::Solver>()), inputs_(circuit.InputCount()), watched_(watched) {
  const std::vector<Circuit::Node>& nodes = circuit.Nodes();
  nextVariable_ = static_cast<int>(nodes.size()) + 1;
  solver_->reserve(nextVariable_ - 1);
  // Only the gates the watched signals depend on become clauses; gates follow their inputs.
  std::vector<bool> needed(nodes.size(), false);
  for (Signal signal : watched) needed[signal >> 1] = true;
  for (std::size_t node = nodes.size(); node-- > 0;) {
    if (!needed[node] || (nodes[node].kind != Circuit::Kind::kAnd && nodes[node].kind != Circuit::Kind::kXor))
      continue;
    needed[nodes[node].a >> 1] = needed[nodes[node].b >> 1] = true;
  }
  AddClause(*solver_, {Literal(kTrue)});
  for (std::size_t node = 0; node < nodes.size(); ++node) {
    const Circuit::Node& gate = nodes[node];
    if (!needed[node] || gate.kind == Circuit::Kind::kConstant || gate.kind == Circuit::Kind::kInput)
      continue;
    const int g = static_cast<int>(node) + 1, a = Literal(gate.a), b = Literal(gate.b);
    if (gate.kind == Circuit::Kind::kAnd) {
      AddClause(*solver_, {-g, a});
      AddClause(*solver_, {-g, b});
      AddClause(*solver_, {g, -a, -b});
    } else {
      AddClause(*solver_, {-g, a, b});
      AddClause(*solver_, {-g, -a, -b});
      AddClause(*solver_, {g, -a, b});
      AddClause(*solver_, {g, a, -b});
    }
  }
  inCone_.resize(inputs_);
  for (int input = 0; input < inputs_; ++input) {
    inCone_[input] = needed[input + 1];
    solver_->freeze(RowLiteral(input, 1));
  }
  for (Signal signal : watched) solver_->freeze(Literal(signal));
  modelValues_.assign(watched.size(), 0);
  answerValues_ = modelValues_;
}

RowSolver::~RowSolver() = default;

int RowSolver::Literal(Signal signal) const {
  const int variable = static_cast<int>(signal >> 1) + 1;
  return signal & 1 ? -variable : variable;
}

int RowSolver::RowLiteral(int input, int bit) const { return bit ? input + 2 : -(input + 2); }

int RowSolver::ValueInAnswer(Signal signal) const {
  for (std::size_t i = 0; i < watched_.size(); ++i) {
    if (watched_[i] == signal) return answerValues_[i];
  }
  return 0;
}

// The bound on the row: at or after `from` going forward, that is, for each 1 bit of `from`,
// the row has it or a 0 bit of `from` above it set; going back, the mirror image.
void RowSolver::StartSearch(Signal goal, std::uint64_t from, bool forward) {
  pending_ = std::make_unique<Pending>();
  pending_->goal = goal;
  pending_->from = from;
  pending_->forward = forward;
  const std::uint64_t last = inputs_ == 0 ? 0 : ~std::uint64_t{0} >> (64 - inputs_);
  if (from == (forward ? 0 : last)) return;
  const int activation = nextVariable_++;
  pending_->activation = activation;
  solver_->freeze(activation);
  const int boundBit = forward ? 1 : 0;
  for (int input = 0; input < inputs_; ++input) {
    if (static_cast<int>((from >> (inputs_ - 1 - input)) & 1) != boundBit) continue;
    solver_->add(-activation);
    solver_->add(RowLiteral(input, boundBit));
    for (int above = 0; above < input; ++above) {
      if (static_cast<int>((from >> (inputs_ - 1 - above)) & 1) != boundBit)
        solver_->add(RowLiteral(above, boundBit));
    }
    solver_->add(0);
  }
}

void RowSolver::EndSearch() {
  if (pending_ && pending_->activation != 0) {
    AddClause(*solver_, {-pending_->activation});
    solver_->melt(pending_->activation);
  }
  pending_.reset();
}

int RowSolver::Solve(const std::vector<int>& extra) {
  solver_->assume(Literal(pending_->goal));
  if (pending_->activation != 0) solver_->assume(pending_->activation);
  for (int literal : pending_->fixed) solver_->assume(literal);
  for (int literal : extra) solver_->assume(literal);
  return solver_->solve();
}

void RowSolver::TakeModel() {
  modelRow_ = 0;
  for (int input = 0; input < inputs_; ++input) {
    if (solver_->val(RowLiteral(input, 1)) > 0) modelRow_ |= std::uint64_t{1} << (inputs_ - 1 - input);
  }
  for (std::size_t i = 0; i < watched_.size(); ++i) modelValues_[i] = solver_->val(Literal(watched_[i])) > 0;
}

SatRow RowSolver::Search(Signal goal, std::uint64_t from, bool forward, const Budget& budget) {
  if (!pending_ || pending_->goal != goal || pending_->from != from || pending_->forward != forward) {
    EndSearch();
    StartSearch(goal, from, forward);
  }
  QuestionEnd end(budget);
  solver_->connect_terminator(&end);
  const SatRow row = Descend(end);
  solver_->disconnect_terminator();
  return row;
}

SatRow RowSolver::Descend(const QuestionEnd& end) {
  Pending& p = *pending_;
  if (!p.haveModel) {
    const int outcome = Solve({});
    if (outcome == kUnsatisfiable) {
      EndSearch();
      return {SatStatus::kAnswered, std::nullopt};
    }
    if (outcome != kSatisfiable) return {end.Unanswered(), std::nullopt};
    TakeModel();
    p.haveModel = true;
  }
  const int preferred = p.forward ? 0 : 1;
  while (static_cast<int>(p.fixed.size()) < inputs_) {
    const int input = static_cast<int>(p.fixed.size());
    const std::uint64_t weight = std::uint64_t{1} << (inputs_ - 1 - input);
    const int fromBit = (p.from & weight) != 0;
    const int modelBit = (modelRow_ & weight) != 0;
    int bit = preferred;
    if (p.prefixEqual && fromBit != preferred) {
      bit = fromBit;  // the bound leaves no choice while the row starts as `from` does
    } else if (!p.prefixEqual && !inCone_[input]) {
      // Nothing depends on this bit any more: the model holds with either value.
      modelRow_ = bit ? modelRow_ | weight : modelRow_ & ~weight;
    } else if (modelBit != preferred) {
      const int outcome = Solve({RowLiteral(input, preferred)});
      if (outcome == kSatisfiable) {
        TakeModel();
      } else if (outcome == kUnsatisfiable) {
        bit = 1 - preferred;
      } else {
        return {end.Unanswered(), std::nullopt};
      }
    }
    p.fixed.push_back(RowLiteral(input, bit));
    p.prefixEqual = p.prefixEqual && bit == fromBit;
  }
  answerValues_ = modelValues_;
  const std::uint64_t row = modelRow_;
  EndSearch();
  return {SatStatus::kAnswered, row};
}

}  // namespace brevano::sat_detail

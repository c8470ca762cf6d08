// Branch and bound with Lagrangian bounds: fewest columns, then least weight, then column order.
#include "minimise/cover_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

#include "minimise/cover_search_state.h"

namespace brevano {

namespace cover_search_detail {

PartSearch::PartSearch(const CoverProblem& problem, Budget& control, int trialNodes)
    : problem_(problem),
      control_(control),
      rowColumns_(problem.rowCount),
      state_(problem.columnRows.size(), kFree),
      covered_(problem.rowCount, 0),
      live_(problem.rowCount, 0),
      uncovered_(problem.rowCount),
      multiplier_(problem.rowCount, 0),
      openMultiplier_(problem.rowCount, 0),
      reduced_(problem.columnRows.size(), 0),
      gradient_(problem.rowCount, 0),
      trialNodeLimit_(trialNodes) {
  columnStart_.push_back(0);
  for (int c = 0; c < ColumnCount(); ++c) {
    for (int r : problem.columnRows[c]) rowColumns_[r].push_back(c);
    columnRow_.insert(columnRow_.end(), problem.columnRows[c].begin(), problem.columnRows[c].end());
    columnStart_.push_back(static_cast<int>(columnRow_.size()));
  }
  for (int r = 0; r < problem.rowCount; ++r) live_[r] = static_cast<int>(rowColumns_[r].size());
}

void PartSearch::Include(int c) {
  state_[c] = kIn;
  trail_.push_back(c);
  ++taken_;
  takenWeight_ += problem_.weight[c];
  for (int r : problem_.columnRows[c]) {
    --live_[r];
    if (covered_[r]++ == 0) --uncovered_;
  }
}

void PartSearch::Exclude(int c) {
  state_[c] = kOut;
  trail_.push_back(c);
  for (int r : problem_.columnRows[c]) {
    if (--live_[r] <= 1 && covered_[r] == 0) pending_.push_back(r);
  }
}

void PartSearch::Undo(std::size_t mark) {
  while (trail_.size() > mark) {
    const int c = trail_.back();
    trail_.pop_back();
    const bool taken = state_[c] == kIn;
    if (taken) {
      --taken_;
      takenWeight_ -= problem_.weight[c];
    }
    for (int r : problem_.columnRows[c]) {
      ++live_[r];
      if (taken && --covered_[r] == 0) ++uncovered_;
    }
    state_[c] = kFree;
  }
  pending_.clear();
}

// Takes the columns that uncovered rows with one free column left force; false when an
// uncovered row has none left.
bool PartSearch::Propagate() {
  while (!pending_.empty()) {
    const int r = pending_.back();
    pending_.pop_back();
    if (covered_[r] > 0) continue;
    if (live_[r] == 0) {
      pending_.clear();
      return false;
    }
    if (live_[r] > 1) continue;
    for (int c : rowColumns_[r]) {
      if (state_[c] == kFree) {
        Include(c);
        break;
      }
    }
  }
  return WithinLimit();
}

std::vector<int> PartSearch::Taken() const {
  std::vector<int> taken;
  for (int c = 0; c < ColumnCount(); ++c) {
    if (state_[c] == kIn) taken.push_back(c);
  }
  return taken;
}

// Leaves out, heaviest and latest first, every column whose rows the others cover.
std::vector<int> PartSearch::WithoutRedundantColumns(std::vector<int> columns) const {
  std::vector<int> coverers(problem_.rowCount, 0);
  for (int c : columns) {
    for (int r : problem_.columnRows[c]) ++coverers[r];
  }
  std::vector<int> order = columns;
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    if (problem_.weight[a] != problem_.weight[b]) return problem_.weight[a] > problem_.weight[b];
    return a > b;
  });
  std::vector<char> dropped(ColumnCount(), false);
  for (int c : order) {
    const auto& rows = problem_.columnRows[c];
    if (std::any_of(rows.begin(), rows.end(), [&](int r) { return coverers[r] < 2; })) continue;
    for (int r : rows) --coverers[r];
    dropped[c] = true;
  }
  std::erase_if(columns, [&](int c) { return dropped[c]; });
  return columns;
}

void PartSearch::Record() {
  const std::vector<int> cover = WithoutRedundantColumns(Taken());
  std::int64_t weight = 0;
  for (int c : cover) weight += problem_.weight[c];
  const std::int64_t value = goal_ == Goal::kFewestColumns ? static_cast<std::int64_t>(cover.size()) : weight;
  const bool withinLimit = goal_ == Goal::kFewestColumns || static_cast<int>(cover.size()) <= columnLimit_;
  if (value < bestValue_ && withinLimit) {
    bestValue_ = value;
    best_ = cover;
    found_ = stopAtFirst_;
  }
}

// A cover from the current node, recorded when it is better than the best: with `lagrangian`,
// first every free column of negative reduced cost; then repeatedly the column covering the most
// uncovered rows (least reduced cost, then lightest, then earliest on ties), with gains kept in a
// lazily updated queue.
void PartSearch::Greedy(bool lagrangian) {
  struct Entry {
    int gain;
    double reduced;
    std::int64_t weight;
    int column;
    bool operator<(const Entry& other) const {
      if (gain != other.gain) return gain < other.gain;
      if (reduced != other.reduced) return reduced > other.reduced;
      if (weight != other.weight) return weight > other.weight;
      return column > other.column;
    }
  };
  const std::size_t mark = trail_.size();
  if (lagrangian) {
    for (int c = 0; c < ColumnCount(); ++c) {
      if (state_[c] == kFree && reduced_[c] < 0 && Useful(c)) Include(c);
    }
  }
  auto gainOf = [&](int c) {
    int gain = 0;
    for (int k = columnStart_[c]; k < columnStart_[c + 1]; ++k) gain += covered_[columnRow_[k]] == 0;
    return gain;
  };
  auto entryOf = [&](int c, int gain) {
    return Entry{gain, lagrangian ? reduced_[c] : 0, problem_.weight[c], c};
  };
  std::priority_queue<Entry> queue;
  for (int c = 0; c < ColumnCount(); ++c) {
    if (state_[c] == kFree) queue.push(entryOf(c, gainOf(c)));
  }
  while (uncovered_ > 0 && !queue.empty()) {
    Entry top = queue.top();
    queue.pop();
    const int gain = gainOf(top.column);
    if (gain != top.gain) {
      if (gain > 0) queue.push(entryOf(top.column, gain));
      continue;
    }
    Include(top.column);
  }
  if (uncovered_ == 0) Record();
  Undo(mark);
}

// A cover by diving from the current node, recorded when it is better than the best: with the
// multipliers as they are, aiming at a cover that meets the node's bound, repeatedly fix columns by
// reduced cost against that aim and take the free column of least reduced cost in the uncovered row
// with the fewest free columns, the choice the search would try first. Costs one evaluation per
// column taken, where the search spends dozens per node. Leaves reduced_ as it found it.
void PartSearch::Dive() {
  const std::size_t mark = trail_.size();
  const std::int64_t target = std::min(bestValue_, RoundUp(Evaluate(false)) + 1);
  while (uncovered_ > 0 && WithinLimit()) {
    const double bound = Evaluate(false);
    if (RoundUp(bound) >= target || !FixByReducedCost(bound, target) || uncovered_ == 0) break;
    const std::vector<int> choices = Choices(MostConstrainedRow());
    if (choices.empty()) break;
    Include(choices.front());
    if (!Propagate()) break;
  }
  if (uncovered_ == 0 && WithinLimit()) Record();
  Undo(mark);
  Evaluate(false);
}

// True when the search must end: stopped, or out of time with a cover in hand.
bool PartSearch::MustStop() {
  if (!ended_ && !control_.Tick() && (control_.Stopped() || !best_.empty())) ended_ = true;
  return ended_;
}

int PartSearch::MostConstrainedRow() const {
  int best = -1;
  for (int r = 0; r < problem_.rowCount; ++r) {
    if (covered_[r] == 0 && (best < 0 || live_[r] < live_[best])) best = r;
  }
  return best;
}

// The free columns of `row`, least reduced cost first, then earliest.
std::vector<int> PartSearch::Choices(int row) const {
  std::vector<int> columns;
  for (int c : rowColumns_[row]) {
    if (state_[c] == kFree) columns.push_back(c);
  }
  std::stable_sort(columns.begin(), columns.end(), [&](int a, int b) { return reduced_[a] < reduced_[b]; });
  return columns;
}

// Bounds the node and fixes columns by reduced cost; false when the node can be left.
bool PartSearch::PrepareNode(std::int64_t pruneAt, int iterations, double step) {
  for (int round = 0; round < kFixingRounds; ++round) {
    if (!WithinLimit()) return false;
    if (uncovered_ == 0) return true;
    if (goal_ == Goal::kLeastWeight && !FilterByCount(kCountIterations, step)) return false;
    if (uncovered_ == 0) return WithinLimit();
    const double bound = Bound(pruneAt, iterations, step);
    if (ended_ || RoundUp(bound) >= pruneAt) return false;
    const std::size_t before = trail_.size();
    if (!FixByReducedCost(bound, pruneAt)) return false;
    if (trail_.size() == before) break;
  }
  return WithinLimit();
}

void PartSearch::DescendForValue() {
  if (MustStop() || found_) return;
  const bool root = !inSearch_;
  inSearch_ = true;
  DescendFrom(root);
  inSearch_ = !root;
}

// One node of DescendForValue; the root of each search also dives for a cover.
void PartSearch::DescendFrom(bool root) {
  const std::size_t mark = trail_.size();
  if (!PrepareNode(bestValue_, kNodeIterations, kNodeStep)) return Undo(mark);
  if (uncovered_ > 0) Greedy(true);
  if (root && uncovered_ > 0 && !found_) Dive();
  if (uncovered_ == 0 || found_) {
    if (!found_) Record();
    return Undo(mark);
  }
  for (int c : Choices(MostConstrainedRow())) {
    if (state_[c] == kIn) {  // forced by refusing the choices before it: the only branch left
      DescendForValue();
      break;
    }
    const std::size_t before = trail_.size();
    Include(c);
    if (Propagate()) DescendForValue();
    Undo(before);
    if (ended_ || found_) break;
    Exclude(c);
    if (!Propagate()) break;
  }
  Undo(mark);
}

bool PartSearch::Useful(int c) const {
  const auto& rows = problem_.columnRows[c];
  return std::any_of(rows.begin(), rows.end(), [&](int r) { return covered_[r] == 0; });
}

// Search 3 for a cover that takes `c` besides the decisions so far, of the size and weight in
// columnLimit_ and bestValue_ - 1; leaves it in best_. The state is as before on return.
bool PartSearch::FindCoverTaking(int c) {
  const std::size_t mark = trail_.size();
  Include(c);
  stopAtFirst_ = true;
  found_ = false;
  if (Propagate()) DescendForValue();
  stopAtFirst_ = false;
  Undo(mark);
  const bool found = found_;
  found_ = false;
  return found;
}

void PartSearch::SetWitness(const std::vector<int>& cover) {
  for (int c : witness_) inWitness_[c] = false;
  witness_ = cover;
  for (int c : witness_) inWitness_[c] = true;
  witnessValid_ = true;
}

// Bounds the node of a column taken on trial and looks there for a cover that becomes the witness.
// False when the node can be left, or when the trial has spent its nodes.
bool PartSearch::PrepareTrial() {
  if (++trialNodes_ > trialNodeLimit_) {
    trialSpent_ = true;
    return false;
  }
  if (!PrepareNode(bestValue_, kNodeIterations, kNodeStep)) return false;
  if (uncovered_ == 0) return true;
  Greedy(true);
  if (!found_) Dive();
  if (found_) {
    found_ = false;
    SetWitness(best_);
    bestValue_ = valueLimit_;
  }
  return true;
}

// Takes `c` on trial and walks on. kRefused leaves the state as it was before.
PartSearch::Walk PartSearch::TakeOnTrial(int c) {
  const std::size_t mark = trail_.size();
  const bool hadWitness = witnessValid_;
  if (hadWitness) trialNodes_ = 0;
  witnessValid_ = false;
  Include(c);
  if (Propagate() && PrepareTrial()) {
    if (WalkFrom(c + 1)) return Walk::kComplete;
    if (ended_) return Walk::kStopped;
  }
  Undo(mark);
  witnessValid_ = hadWitness;
  if (!trialSpent_) return Walk::kRefused;
  if (!hadWitness) return Walk::kStopped;  // undone up to the trial that had a witness before it
  trialSpent_ = false;
  return SettleBySearch(c);
}

// Decides `c` by a search for any cover that takes it, which becomes the witness.
PartSearch::Walk PartSearch::SettleBySearch(int c) {
  const bool found = FindCoverTaking(c);
  stopAtFirst_ = true;
  if (ended_) return Walk::kStopped;
  if (!found) return Walk::kRefused;
  SetWitness(best_);
  bestValue_ = valueLimit_;
  if (!inWitness_[c]) return Walk::kRefused;
  Include(c);
  Propagate();
  return Walk::kTaken;
}

// Decides the columns from `from` on; true when that completes a cover, then in best_. False when
// no cover takes the decisions so far, when the search ended, and when a trial is being undone.
bool PartSearch::WalkFrom(int from) {
  for (int c = from; c < ColumnCount(); ++c) {
    if (MustStop()) return false;
    if (state_[c] != kFree || !Useful(c)) continue;
    if (witnessValid_ && inWitness_[c]) {
      Include(c);
      Propagate();
      continue;
    }
    const Walk walk = TakeOnTrial(c);
    if (walk == Walk::kComplete) return true;
    if (walk == Walk::kStopped) return false;
    if (walk == Walk::kTaken) continue;
    Exclude(c);
    if (!Propagate()) return false;
    if (!witnessValid_ && RoundUp(Evaluate(false)) >= bestValue_) return false;
  }
  if (uncovered_ > 0 || !WithinLimit() || Value() >= bestValue_) return false;
  best_ = WithoutRedundantColumns(Taken());
  return true;
}

void PartSearch::DecideInOrder() {
  valueLimit_ = bestValue_ + 1;
  const std::vector<int> first = best_;
  inWitness_.assign(ColumnCount(), false);
  SetWitness(best_);
  bestValue_ = valueLimit_;
  stopAtFirst_ = true;
  const bool complete = WalkFrom(0);
  stopAtFirst_ = false;
  // Cut short, a later witness would depend on the moment the time ran out; the first does not.
  if (!complete) best_ = first;
  bestValue_ = valueLimit_ - 1;
}

// Search 2 needs no search when every column of the cover of fewest columns weighs as little as
// the lightest column: no cover of that many columns weighs less, and those that weigh as much
// take the lightest columns alone. The heavier ones are then refused, search 3 keeps the column
// count as its goal, and true is returned.
bool PartSearch::LightestOnly() {
  if (problem_.weight.empty()) return false;
  const std::int64_t lightest = *std::min_element(problem_.weight.begin(), problem_.weight.end());
  for (int c : best_) {
    if (problem_.weight[c] != lightest) return false;
  }
  for (int c = 0; c < ColumnCount(); ++c) {
    if (state_[c] == kFree && problem_.weight[c] != lightest) Exclude(c);
  }
  Propagate();
  Evaluate(false);
  return true;
}

bool PartSearch::Solve() {
  InitialMultipliers();
  Greedy(false);
  Bound(bestValue_, kRootIterations, kRootStep, true);
  countMultiplier_ = multiplier_;
  DescendForValue();
  if (control_.Stopped()) return false;
  if (ended_) return true;
  fewestProven_ = true;

  columnLimit_ = static_cast<int>(best_.size());
  if (!LightestOnly()) {
    goal_ = Goal::kLeastWeight;
    bestValue_ = 0;
    for (int c : best_) bestValue_ += problem_.weight[c];
    ChooseLimitMultiplier();
    DescendForValue();
    if (control_.Stopped()) return false;
    if (ended_) return true;  // still the fewest columns; the weight is not proven least
  }
  optimal_ = true;
  DecideInOrder();
  Undo(0);
  return !control_.Stopped();
}

CoverSolution PartSearch::Solution() const { return {best_, optimal_, fewestProven_, false}; }

}  // namespace cover_search_detail

CoverSolution SearchCover(const CoverProblem& part, Budget& control, int trialNodes) {
  cover_search_detail::PartSearch search(part, control, trialNodes);
  if (!search.Solve()) return {{}, false, false, true};
  return search.Solution();
}

}  // namespace brevano

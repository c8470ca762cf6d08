// Branch and bound with Lagrangian bounds: fewest columns, then least weight, then column order.
#include "minimise/cover_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

namespace brevano {

namespace {

// Three searches share one state of free, taken and refused columns, kept with an undo trail:
//
// 1. the fewest columns: depth first, branching on the uncovered row with the fewest free
//    columns, starting from a greedy cover;
// 2. the least weight among covers of that many columns, starting from the first search's cover;
// 3. the first cover in column order of that size and weight: the columns are decided in
//    ascending order, each taken when some cover of that size and weight takes it along with the
//    decisions so far. A witness, such a cover, answers for its own columns without a search;
//    every other column needs a search for a cover with it, which becomes the next witness. Each
//    witness comes earlier in column order than the one before.
//
// Every node is bounded by Lagrangian relaxation: with a multiplier u_r >= 0 per uncovered row
// (and, in searches 2 and 3, l >= 0 for the limit on the number of columns), any cover of the rest
// costs at least sum(u_r) - l * (columns left) + sum over free columns of min(0, reduced cost), the
// reduced cost of column j being its cost + l - sum of u_r over its uncovered rows. The multipliers
// (l included) are improved by subgradient steps and carried from node to node; l starts from the
// best of a few values tried at the root. A free column whose reduced cost alone lifts the bound
// past the best known value is refused (or, with a negative reduced cost, taken) without branching.
// In searches 2 and 3 a node is first bounded on the number of columns alone, with row multipliers
// of their own carried over from search 1: the limit is tight there, and that bound leaves many
// nodes, and refuses many columns, that the weight bound would keep.
//
// Covers come from a greedy choice at every node and, at the root of each search, from a dive
// that follows the search's own first choices at one evaluation per column. Search 2 is skipped
// when the cover of search 1 takes only columns of the least weight (then no cover of its size
// weighs less). Search 3 mostly looks for a cover that is known to be likely, so there a node's
// bounding ends once the bound stops rising.

constexpr double kTolerance = 1e-6;
constexpr int kRootIterations = 1000;
constexpr int kNodeIterations = 50;
constexpr int kCountIterations = 15;  // searches 2 and 3: steps of the column-count bound at a node
constexpr double kRootStep = 2.0;
constexpr double kNodeStep = 0.5;
constexpr int kStallLimit = 50;         // steps without a better bound before the step size is halved
constexpr int kWitnessStallLimit = 20;  // search 3: steps without a better bound that end a node's bounding
constexpr int kFixingRounds = 3;        // rounds of bounding and fixing at a node
constexpr int kStepsPerCover = 5;       // root subgradient steps between two greedy covers
constexpr double kLimitMultipliers[] = {0, 0.5, 1, 2};
constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max();

// The least integer value that a cover can have, given a bound on it.
std::int64_t RoundUp(double bound) { return static_cast<std::int64_t>(std::ceil(bound - kTolerance)); }

enum class Goal { kFewestColumns, kLeastWeight };

class PartSearch {
 public:
  PartSearch(const CoverProblem& problem, SearchControl& control);

  // False when stopped.
  bool Solve();

  CoverSolution Solution() const;

 private:
  enum State : char { kFree, kIn, kOut };

  int ColumnCount() const { return static_cast<int>(state_.size()); }

  // Taking, refusing and undoing.
  void Include(int c);
  void Exclude(int c);
  void Undo(std::size_t mark);
  bool Propagate();
  bool WithinLimit() const { return goal_ == Goal::kFewestColumns || taken_ <= columnLimit_; }

  // Values of the current goal.
  std::int64_t Cost(int c) const { return goal_ == Goal::kFewestColumns ? 1 : problem_.weight[c]; }
  std::int64_t Value() const { return goal_ == Goal::kFewestColumns ? taken_ : takenWeight_; }

  // Bounds.
  void InitialMultipliers();
  void ChooseLimitMultiplier();
  double Evaluate(bool withGradient);
  double Bound(std::int64_t pruneAt, int iterations, double step, bool withCovers = false);
  bool FixByReducedCost(double bound, std::int64_t pruneAt);
  bool FilterByCount(int iterations, double step);

  // Covers.
  std::vector<int> Taken() const;
  std::vector<int> WithoutRedundantColumns(std::vector<int> columns) const;
  void Record();
  void Greedy(bool lagrangian);
  void Dive();
  bool MustStop();

  // The searches.
  int MostConstrainedRow() const;
  std::vector<int> Choices(int row) const;
  bool PrepareNode(std::int64_t pruneAt, int iterations, double step);
  void DescendForValue();
  void DescendFrom(bool root);
  bool FindCoverTaking(int c);
  void DecideInOrder();
  bool Useful(int c) const;
  bool LightestOnly();

  const CoverProblem& problem_;
  SearchControl& control_;
  std::vector<std::vector<int>> rowColumns_;
  std::vector<int>
      columnStart_;  // the rows of column c are columnRow_[columnStart_[c] .. columnStart_[c + 1])
  std::vector<int> columnRow_;
  std::vector<State> state_;
  std::vector<int> covered_;  // taken columns covering each row
  std::vector<int> live_;     // free columns covering each row
  std::vector<int> trail_;
  std::vector<int> pending_;  // rows that may have one free column left
  int uncovered_;
  int taken_ = 0;
  std::int64_t takenWeight_ = 0;

  Goal goal_ = Goal::kFewestColumns;
  int columnLimit_ = 0;
  std::vector<double> multiplier_;      // per row
  std::vector<double> openMultiplier_;  // per row: its multiplier while uncovered, else 0
  double limitMultiplier_ = 0;
  std::vector<double> savedMultiplier_;
  double savedLimitMultiplier_ = 0;
  double limitGradient_ = 0;             // for limitMultiplier_, in searches 2 and 3
  std::vector<double> countMultiplier_;  // searches 2 and 3: row multipliers of the column count
  std::vector<double> reduced_;          // per column, for the multipliers of the last Evaluate
  std::vector<double> gradient_;         // per row

  std::int64_t bestValue_ = kUnbounded;
  std::vector<int> best_;
  bool inSearch_ = false;     // below the root of DescendForValue
  bool stopAtFirst_ = false;  // search 3: any cover better than bestValue_ will do
  bool found_ = false;
  bool ended_ = false;
  bool fewestProven_ = false;
  bool optimal_ = false;
};

PartSearch::PartSearch(const CoverProblem& problem, SearchControl& control)
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
      gradient_(problem.rowCount, 0) {
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

void PartSearch::InitialMultipliers() {
  for (int r = 0; r < problem_.rowCount; ++r) {
    double least = std::numeric_limits<double>::max();
    for (int c : rowColumns_[r]) {
      const double share = static_cast<double>(Cost(c)) / static_cast<double>(problem_.columnRows[c].size());
      least = std::min(least, share);
    }
    multiplier_[r] = least;
  }
}

// Searches 2 and 3: the limit multiplier whose root bound is the highest, with its row multipliers.
void PartSearch::ChooseLimitMultiplier() {
  double bestBound = -std::numeric_limits<double>::max();
  std::vector<double> bestRows;
  double bestLimit = 0;
  for (double limit : kLimitMultipliers) {
    limitMultiplier_ = limit;
    InitialMultipliers();
    const double bound = Bound(bestValue_, kRootIterations, kRootStep, true);
    if (bound > bestBound) {
      bestBound = bound;
      bestRows = multiplier_;
      bestLimit = limitMultiplier_;
    }
  }
  multiplier_ = bestRows;
  limitMultiplier_ = bestLimit;
  Evaluate(false);
}

// The Lagrangian value of the current multipliers; fills reduced_ and, when asked, gradient_
// (zero for covered rows).
double PartSearch::Evaluate(bool withGradient) {
  const bool limited = goal_ == Goal::kLeastWeight;
  const double columnsLeft = limited ? static_cast<double>(columnLimit_ - taken_) : 0;
  double value = static_cast<double>(Value()) - limitMultiplier_ * columnsLeft;
  for (int r = 0; r < problem_.rowCount; ++r) {
    const bool open = covered_[r] == 0;
    openMultiplier_[r] = open ? multiplier_[r] : 0;
    if (open) value += multiplier_[r];
    if (withGradient) gradient_[r] = open ? 1 : 0;
  }
  if (withGradient) limitGradient_ = -columnsLeft;
  const int* const rows = columnRow_.data();
  const double* const open = openMultiplier_.data();
  for (int c = 0; c < ColumnCount(); ++c) {
    if (state_[c] != kFree) continue;
    double reduced = static_cast<double>(Cost(c)) + limitMultiplier_;
    const int end = columnStart_[c + 1];
    for (int k = columnStart_[c]; k < end; ++k) reduced -= open[rows[k]];
    reduced_[c] = reduced;
    if (reduced >= 0) continue;
    value += reduced;
    if (!withGradient) continue;
    limitGradient_ += 1;
    for (int k = columnStart_[c]; k < end; ++k) {
      if (covered_[rows[k]] == 0) gradient_[rows[k]] -= 1;
    }
  }
  return value;
}

// The best Lagrangian bound found in up to `iterations` subgradient steps, stopping early once it
// reaches `pruneAt`; with `withCovers`, a greedy cover guided by the multipliers every few steps.
// Leaves the multipliers at their best and reduced_ computed for them.
double PartSearch::Bound(std::int64_t pruneAt, int iterations, double step, bool withCovers) {
  double best = -std::numeric_limits<double>::max();
  int stall = 0;
  for (int iteration = 0; iteration < iterations; ++iteration) {
    const double value = Evaluate(true);
    if (withCovers && iteration % kStepsPerCover == 0) Greedy(true);
    if (value > best + kTolerance) {
      best = value;
      savedMultiplier_ = multiplier_;
      savedLimitMultiplier_ = limitMultiplier_;
      stall = 0;
    } else if (stopAtFirst_ && stall + 1 >= kWitnessStallLimit) {
      break;
    } else if (++stall >= kStallLimit) {
      step /= 2;
      stall = 0;
    }
    if (RoundUp(best) >= pruneAt || !control_.Tick()) break;
    double norm = 0;
    for (int r = 0; r < problem_.rowCount; ++r) {
      if (multiplier_[r] <= 0 && gradient_[r] < 0) gradient_[r] = 0;
      norm += gradient_[r] * gradient_[r];
    }
    const bool limited = goal_ == Goal::kLeastWeight;
    if (limited) {
      if (limitMultiplier_ <= 0 && limitGradient_ < 0) limitGradient_ = 0;
      norm += limitGradient_ * limitGradient_;
    }
    if (norm == 0) break;
    const double size = step * (static_cast<double>(pruneAt) - value) / norm;
    for (int r = 0; r < problem_.rowCount; ++r)
      multiplier_[r] = std::max(0.0, multiplier_[r] + size * gradient_[r]);
    if (limited) limitMultiplier_ = std::max(0.0, limitMultiplier_ + size * limitGradient_);
  }
  if (!savedMultiplier_.empty()) {
    multiplier_ = savedMultiplier_;
    limitMultiplier_ = savedLimitMultiplier_;
  }
  Evaluate(false);
  return best;
}

// Refuses the free columns whose taking would lift the bound to `pruneAt`, and takes those whose
// refusing would. False when that leaves no cover.
bool PartSearch::FixByReducedCost(double bound, std::int64_t pruneAt) {
  for (int c = 0; c < ColumnCount(); ++c) {
    if (state_[c] != kFree) continue;
    const double reduced = reduced_[c];
    if (reduced > 0 && RoundUp(bound + reduced) >= pruneAt) {
      Exclude(c);
    } else if (reduced < 0 && RoundUp(bound - reduced) >= pruneAt) {
      Include(c);
    }
  }
  return Propagate();
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

// Searches 2 and 3: whether the rest can still be covered within the column limit, bounded by the
// count's own multipliers (stronger than the limit multiplier alone); columns are fixed by their
// count reduced costs. False when the node can be left.
bool PartSearch::FilterByCount(int iterations, double step) {
  goal_ = Goal::kFewestColumns;
  std::swap(multiplier_, countMultiplier_);
  const double limitMultiplier = limitMultiplier_;
  limitMultiplier_ = 0;
  const std::int64_t pruneAt = columnLimit_ + 1;
  const double bound = Bound(pruneAt, iterations, step);
  const bool open = !ended_ && RoundUp(bound) < pruneAt && FixByReducedCost(bound, pruneAt);
  limitMultiplier_ = limitMultiplier;
  std::swap(multiplier_, countMultiplier_);
  goal_ = Goal::kLeastWeight;
  return open;
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

void PartSearch::DecideInOrder() {
  const std::int64_t limit = bestValue_ + 1;
  const std::vector<int> first = best_;
  std::vector<int> witness = best_;
  std::vector<char> inWitness(ColumnCount(), false);
  for (int c : witness) inWitness[c] = true;
  for (int c = 0; c < ColumnCount() && !MustStop(); ++c) {
    if (state_[c] != kFree || !Useful(c)) continue;
    if (!inWitness[c]) {
      bestValue_ = limit;
      if (FindCoverTaking(c)) {
        for (int old : witness) inWitness[old] = false;
        witness = best_;
        for (int taken : witness) inWitness[taken] = true;
      } else if (ended_) {
        break;
      }
    }
    if (inWitness[c]) {
      Include(c);
    } else {
      Exclude(c);
    }
    Propagate();
  }
  // Cut short, a later witness would depend on the moment the time ran out; the first does not.
  best_ = ended_ ? first : witness;
  bestValue_ = limit - 1;
}

// Search 2 needs no search when every column of the cover of fewest columns weighs as little as
// the lightest column: no cover of that many columns weighs less, and those that weigh as much
// take the lightest columns alone. The heavier ones are then refused, search 3 keeps the column
// count as its goal, and true is returned.
bool PartSearch::LightestOnly() {
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

}  // namespace

CoverSolution SearchCover(const CoverProblem& part, SearchControl& control) {
  PartSearch search(part, control);
  if (!search.Solve()) return {{}, false, false, true};
  return search.Solution();
}

}  // namespace brevano

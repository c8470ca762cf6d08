// The Lagrangian bounds of the cover search: multipliers, reduced costs and fixing by them.
#include <algorithm>

#include "minimise/cover_search_state.h"

namespace brevano::cover_search_detail {

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

// Lists the free columns and the uncovered rows for the evaluations that follow, and clears the
// multipliers of the covered rows in openMultiplier_.
void PartSearch::GatherOpen() {
  freeColumns_.clear();
  for (int c = 0; c < ColumnCount(); ++c) {
    if (state_[c] == kFree) freeColumns_.push_back(c);
  }
  openRows_.clear();
  for (int r = 0; r < problem_.rowCount; ++r) {
    if (covered_[r] == 0) {
      openRows_.push_back(r);
    } else {
      openMultiplier_[r] = 0;
    }
  }
}

// The Lagrangian value of the current multipliers; fills reduced_ and, when asked, gradient_ for
// the uncovered rows. With `gathered`, the lists of GatherOpen still hold.
double PartSearch::Evaluate(bool withGradient, bool gathered) {
  if (!gathered) GatherOpen();
  const bool limited = goal_ == Goal::kLeastWeight;
  const double columnsLeft = limited ? static_cast<double>(columnLimit_ - taken_) : 0;
  double value = static_cast<double>(Value()) - limitMultiplier_ * columnsLeft;
  for (int r : openRows_) {
    openMultiplier_[r] = multiplier_[r];
    value += multiplier_[r];
    if (withGradient) gradient_[r] = 1;
  }
  if (withGradient) limitGradient_ = -columnsLeft;
  const int* const rows = columnRow_.data();
  const double* const open = openMultiplier_.data();
  for (int c : freeColumns_) {
    double reduced = static_cast<double>(Cost(c)) + limitMultiplier_;
    const int end = columnStart_[c + 1];
    for (int k = columnStart_[c]; k < end; ++k) reduced -= open[rows[k]];
    reduced_[c] = reduced;
    if (reduced >= 0) continue;
    value += reduced;
    if (!withGradient) continue;
    limitGradient_ += 1;
    for (int k = columnStart_[c]; k < end; ++k) gradient_[rows[k]] -= 1;  // covered rows: not read
  }
  return value;
}

// The best Lagrangian bound found in up to `iterations` subgradient steps, stopping early once it
// reaches `pruneAt`; with `withCovers`, a greedy cover guided by the multipliers every few steps.
// Leaves the multipliers at their best and reduced_ computed for them.
double PartSearch::Bound(std::int64_t pruneAt, int iterations, double step, bool withCovers) {
  double best = -std::numeric_limits<double>::max();
  int stall = 0;
  GatherOpen();  // a greedy cover below leaves the state as it found it
  for (int iteration = 0; iteration < iterations; ++iteration) {
    const double value = Evaluate(true, true);
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
    for (int r : openRows_) {
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
    for (int r : openRows_) multiplier_[r] = std::max(0.0, multiplier_[r] + size * gradient_[r]);
    if (limited) limitMultiplier_ = std::max(0.0, limitMultiplier_ + size * limitGradient_);
  }
  if (!savedMultiplier_.empty()) {
    multiplier_ = savedMultiplier_;
    limitMultiplier_ = savedLimitMultiplier_;
  }
  Evaluate(false, true);
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

}  // namespace brevano::cover_search_detail

// The state shared by the searches of one part of a covering problem, and how they bound.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "minimise/cover_search.h"
#include "minimise/minimum_cover.h"

namespace brevano::cover_search_detail {

// Three searches share one state of free, taken and refused columns, kept with an undo trail:
//
// 1. the fewest columns: depth first, branching on the uncovered row with the fewest free
//    columns, starting from a greedy cover;
// 2. the least weight among covers of that many columns, starting from the first search's cover;
// 3. the first cover in column order of that size and weight: the columns are decided in
//    ascending order, each taken when some cover of that size and weight takes it along with the
//    decisions so far. A witness, such a cover, answers for its own columns without a search.
//    Any other column is taken on trial and the walk goes on from it, each column after it taken
//    on trial in turn, every such node bounded and looking for a cover that would be the next
//    witness; a trial whose walk finds no cover is refused. The walk keeps what it decided: the
//    first complete walk is the answer. A trial whose walk spends too many nodes before a
//    witness turns up is undone and settled by a search for any cover that takes the column,
//    branching as searches 1 and 2 do.
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

inline constexpr double kTolerance = 1e-6;
inline constexpr int kRootIterations = 1000;
inline constexpr int kNodeIterations = 50;
inline constexpr int kCountIterations = 15;  // searches 2 and 3: steps of the column-count bound at a node
inline constexpr double kRootStep = 2.0;
inline constexpr double kNodeStep = 0.5;
inline constexpr int kStallLimit = 50;  // steps without a better bound before the step size is halved
// Search 3: steps without a better bound that end a node's bounding.
inline constexpr int kWitnessStallLimit = 20;
inline constexpr int kFixingRounds = 3;   // rounds of bounding and fixing at a node
inline constexpr int kStepsPerCover = 5;  // root subgradient steps between two greedy covers
inline constexpr double kLimitMultipliers[] = {0, 0.5, 1, 2};
inline constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max();

// The least integer value that a cover can have, given a bound on it.
inline std::int64_t RoundUp(double bound) { return static_cast<std::int64_t>(std::ceil(bound - kTolerance)); }

enum class Goal { kFewestColumns, kLeastWeight };

class PartSearch {
 public:
  PartSearch(const CoverProblem& problem, Budget& control, int trialNodes);

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
  void GatherOpen();
  double Evaluate(bool withGradient, bool gathered = false);
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
  // How a trial ends: a complete cover, the column taken or refused, or the walk stopped (the
  // search ended, or a trial that spent its nodes is being undone).
  enum class Walk { kComplete, kTaken, kRefused, kStopped };
  void SetWitness(const std::vector<int>& cover);
  bool PrepareTrial();
  Walk TakeOnTrial(int c);
  Walk SettleBySearch(int c);
  bool WalkFrom(int from);
  void DecideInOrder();
  bool Useful(int c) const;
  bool LightestOnly();

  const CoverProblem& problem_;
  Budget& control_;
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
  std::vector<int> freeColumns_;         // as GatherOpen found them
  std::vector<int> openRows_;

  std::int64_t bestValue_ = kUnbounded;
  std::vector<int> best_;
  bool inSearch_ = false;     // below the root of DescendForValue
  bool stopAtFirst_ = false;  // search 3: any cover better than bestValue_ will do
  bool found_ = false;
  bool ended_ = false;
  bool fewestProven_ = false;
  bool optimal_ = false;

  // Search 3.
  std::int64_t valueLimit_ = 0;  // one more than the best value: a witness must be below it
  std::vector<int> witness_;
  std::vector<char> inWitness_;
  bool witnessValid_ = false;  // the witness takes every column taken so far
  int trialNodeLimit_;         // nodes a walk may spend on trial, without a witness
  int trialNodes_ = 0;         // nodes since the walk last had a witness
  bool trialSpent_ = false;    // those nodes went past the limit
};

}  // namespace brevano::cover_search_detail

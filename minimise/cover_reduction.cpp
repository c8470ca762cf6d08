// Forced columns, dominated rows and columns, and the independent parts of a covering problem.
#include "minimise/cover_reduction.h"

#include <algorithm>
#include <numeric>

namespace brevano {

namespace {

// The best cover (fewest columns, then least weight, then first in column order) survives each
// reduction:
// - a row covered by one column alone forces that column;
// - a row whose columns include all the columns of another row is dropped (covering the other
//   covers it); of two rows with the same columns the later one is dropped;
// - a column whose rows are all rows of another column c is dropped when c weighs less, or
//   weighs the same and comes earlier: swapping it for c in a cover never makes the cover worse
//   or later;
// - parts that share no row are independent: the best cover of the whole is the union of the
//   best covers of the parts.
class Reducer {
 public:
  explicit Reducer(const CoverProblem& problem)
      : problem_(problem),
        rowColumns_(problem.rowCount),
        rowActive_(problem.rowCount, true),
        columnActive_(problem.columnRows.size(), true) {
    for (int c = 0; c < ColumnCount(); ++c) {
      for (int r : problem.columnRows[c]) rowColumns_[r].push_back(c);
    }
  }

  // False when stopped.
  bool Run(Budget& control) {
    while (true) {
      control.Tick();
      if (control.Stopped()) return false;
      Rebuild();
      if (TakeForced() || DropDominatedColumns() || DropDominatedRows()) continue;
      return true;
    }
  }

  ReducedCover Split() const;

 private:
  int ColumnCount() const { return static_cast<int>(problem_.columnRows.size()); }

  void Rebuild() {
    activeRows_.assign(ColumnCount(), {});
    activeColumns_.assign(problem_.rowCount, {});
    for (int c = 0; c < ColumnCount(); ++c) {
      if (!columnActive_[c]) continue;
      for (int r : problem_.columnRows[c]) {
        if (rowActive_[r]) activeRows_[c].push_back(r);
      }
      if (activeRows_[c].empty()) columnActive_[c] = false;
    }
    for (int r = 0; r < problem_.rowCount; ++r) {
      if (!rowActive_[r]) continue;
      for (int c : rowColumns_[r]) {
        if (columnActive_[c]) activeColumns_[r].push_back(c);
      }
    }
  }

  bool TakeForced() {
    bool changed = false;
    for (int r = 0; r < problem_.rowCount; ++r) {
      if (!rowActive_[r] || activeColumns_[r].size() != 1) continue;
      const int c = activeColumns_[r][0];
      forced_.push_back(c);
      columnActive_[c] = false;
      for (int covered : activeRows_[c]) rowActive_[covered] = false;
      changed = true;
    }
    return changed;
  }

  bool Dominates(int column, int dominated) const {
    const std::int64_t weight = problem_.weight[column], dominatedWeight = problem_.weight[dominated];
    if (weight > dominatedWeight || (weight == dominatedWeight && column > dominated)) return false;
    const std::vector<int>& rows = activeRows_[column];
    const std::vector<int>& inner = activeRows_[dominated];
    return rows.size() >= inner.size() && std::includes(rows.begin(), rows.end(), inner.begin(), inner.end());
  }

  // The rows of each column stay as built during this pass: only columns are dropped.
  bool DropDominatedColumns() {
    bool changed = false;
    for (int c = 0; c < ColumnCount(); ++c) {
      const std::vector<int>& rows = activeRows_[c];
      if (!columnActive_[c] || rows.empty()) continue;
      const int pivot = *std::min_element(rows.begin(), rows.end(), [&](int a, int b) {
        return activeColumns_[a].size() < activeColumns_[b].size();
      });
      for (int other : activeColumns_[pivot]) {
        if (other == c || !columnActive_[other] || !Dominates(other, c)) continue;
        columnActive_[c] = false;
        changed = true;
        break;
      }
    }
    return changed;
  }

  // The columns of each row stay as built during this pass: only rows are dropped.
  bool DropDominatedRows() {
    bool changed = false;
    for (int r = 0; r < problem_.rowCount; ++r) {
      const std::vector<int>& columns = activeColumns_[r];
      if (!rowActive_[r] || columns.empty()) continue;
      const int pivot = *std::min_element(columns.begin(), columns.end(), [&](int a, int b) {
        return activeRows_[a].size() < activeRows_[b].size();
      });
      for (int other : activeRows_[pivot]) {
        if (other == r || !rowActive_[other]) continue;
        const std::vector<int>& wider = activeColumns_[other];
        if (wider.size() < columns.size() || (wider.size() == columns.size() && other < r)) continue;
        if (!std::includes(wider.begin(), wider.end(), columns.begin(), columns.end())) continue;
        rowActive_[other] = false;
        changed = true;
      }
    }
    return changed;
  }

  const CoverProblem& problem_;
  std::vector<std::vector<int>> rowColumns_;
  std::vector<char> rowActive_;
  std::vector<char> columnActive_;
  std::vector<std::vector<int>> activeRows_;     // per column, after the last rebuild
  std::vector<std::vector<int>> activeColumns_;  // per row, after the last rebuild
  std::vector<int> forced_;
};

int FindRoot(std::vector<int>& parent, int x) {
  while (parent[x] != x) x = parent[x] = parent[parent[x]];
  return x;
}

ReducedCover Reducer::Split() const {
  std::vector<int> parent(problem_.rowCount);
  std::iota(parent.begin(), parent.end(), 0);
  for (int c = 0; c < ColumnCount(); ++c) {
    if (!columnActive_[c]) continue;
    for (int r : activeRows_[c]) parent[FindRoot(parent, r)] = FindRoot(parent, activeRows_[c][0]);
  }
  ReducedCover reduced;
  reduced.forced = forced_;
  std::vector<int> partOfRoot(problem_.rowCount, -1), localRow(problem_.rowCount, -1);
  for (int r = 0; r < problem_.rowCount; ++r) {
    if (!rowActive_[r]) continue;
    int& part = partOfRoot[FindRoot(parent, r)];
    if (part < 0) {
      part = static_cast<int>(reduced.parts.size());
      reduced.parts.emplace_back();
    }
    localRow[r] = reduced.parts[part].problem.rowCount++;
  }
  for (int c = 0; c < ColumnCount(); ++c) {
    if (!columnActive_[c]) continue;
    CoverPart& part = reduced.parts[partOfRoot[FindRoot(parent, activeRows_[c][0])]];
    std::vector<int> local;
    local.reserve(activeRows_[c].size());
    for (int r : activeRows_[c]) local.push_back(localRow[r]);
    part.problem.columnRows.push_back(std::move(local));
    part.problem.weight.push_back(problem_.weight[c]);
    part.columns.push_back(c);
  }
  return reduced;
}

}  // namespace

ReducedCover ReduceCover(const CoverProblem& problem, Budget& control) {
  Reducer reducer(problem);
  if (!reducer.Run(control)) return {{}, {}, true};
  return reducer.Split();
}

}  // namespace brevano

// Regions of cubes: each target split until a region has a row that lies only in the columns that
// hold it whole.
#include "minimise/cover_regions.h"

#include <algorithm>
#include <array>
#include <set>

namespace brevano {

namespace {

class RegionSplitter {
 public:
  RegionSplitter(const CubeList& covered, const CubeList& columns, std::size_t maxRows, Budget& control)
      : covered_(covered), columns_(columns), maxRows_(maxRows), control_(control) {}

  // False once over the limit or stopped.
  bool Split(Cube target) {
    std::vector<int> coveredHere, columnsHere;
    for (int i = 0; i < static_cast<int>(covered_.size()); ++i)
      if (Intersects(covered_[i], target)) coveredHere.push_back(i);
    for (int i = 0; i < static_cast<int>(columns_.size()); ++i)
      if (Intersects(columns_[i], target)) columnsHere.push_back(i);
    return SplitAmong(target, coveredHere, columnsHere);
  }

  CoverProblem Problem() const {
    CoverProblem problem;
    problem.rowCount = static_cast<int>(rows_.size());
    problem.columnRows.resize(columns_.size());
    int row = 0;
    for (const std::vector<int>& columns : rows_) {
      for (int column : columns) problem.columnRows[static_cast<std::size_t>(column)].push_back(row);
      ++row;
    }
    for (const Cube& column : columns_) problem.weight.push_back(LiteralCount(column));
    return problem;
  }

 private:
  // `coveredHere` and `columnsHere` are the cubes that meet `region`. The rows of a region lie in
  // every column that holds it whole, and maybe in some that meet it only partly: when one of its
  // rows lies outside all of these and outside the covered cubes, the columns holding the region
  // whole are a row of the problem that every other row of the region implies. Otherwise the region
  // is split until one is.
  bool SplitAmong(Cube region, const std::vector<int>& coveredHere, const std::vector<int>& columnsHere) {
    if (++regions_ > maxRows_ || !control_.Tick()) return false;
    CubeList around;
    std::vector<int> whole;
    for (int i : coveredHere) {
      if (ContainsCube(covered_[static_cast<std::size_t>(i)], region)) return true;  // needs no cover
      around.push_back(covered_[static_cast<std::size_t>(i)]);
    }
    for (int i : columnsHere) {
      if (ContainsCube(columns_[static_cast<std::size_t>(i)], region)) {
        whole.push_back(i);
      } else {
        around.push_back(columns_[static_cast<std::size_t>(i)]);
      }
    }
    if (!CoversCube(around, region)) {
      if (whole.empty()) return false;  // rows no column covers: not a covering problem
      rows_.insert(whole);
      return true;
    }
    const std::uint64_t bit = SplitVariable(region, around);
    for (const std::uint64_t value : {std::uint64_t{0}, bit}) {
      const Cube half{region.care | bit, region.value | value};
      std::vector<int> coveredHalf, columnsHalf;
      for (int i : coveredHere)
        if (Intersects(covered_[static_cast<std::size_t>(i)], half)) coveredHalf.push_back(i);
      for (int i : columnsHere)
        if (Intersects(columns_[static_cast<std::size_t>(i)], half)) columnsHalf.push_back(i);
      if (!SplitAmong(half, coveredHalf, columnsHalf)) return false;
    }
    return true;
  }

  // The variable, free in `region`, that the most of the cubes around it have a literal of.
  static std::uint64_t SplitVariable(Cube region, const CubeList& around) {
    std::array<int, 64> uses{};
    std::uint64_t candidates = 0;
    for (const Cube& cube : around) {
      const std::uint64_t extra = cube.care & ~region.care;
      candidates |= extra;
      for (std::uint64_t bits = extra; bits != 0; bits &= bits - 1) ++uses[std::countr_zero(bits)];
    }
    int variable = std::countr_zero(candidates);
    for (std::uint64_t bits = candidates; bits != 0; bits &= bits - 1)
      if (uses[std::countr_zero(bits)] > uses[variable]) variable = std::countr_zero(bits);
    return std::uint64_t{1} << variable;
  }

  const CubeList& covered_;
  const CubeList& columns_;
  std::size_t maxRows_;
  Budget& control_;
  std::size_t regions_ = 0;
  std::set<std::vector<int>> rows_;
};

}  // namespace

std::optional<CoverProblem> RegionCoverProblem(const CubeList& targets, const CubeList& covered,
                                               const CubeList& columns, std::size_t maxRows,
                                               Budget& control) {
  RegionSplitter splitter(covered, columns, maxRows, control);
  for (const Cube& target : targets)
    if (!splitter.Split(target)) return std::nullopt;
  return splitter.Problem();
}

}  // namespace brevano

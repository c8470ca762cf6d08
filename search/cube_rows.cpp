// Searches of a function given by cubes: by its diagrams when built, otherwise by a walk over its
// cubes that skips every part of the table where the kind of row sought cannot lie.
#include "search/cube_rows.h"

#include <algorithm>
#include <iterator>

namespace brevano {

namespace {

// How many nodes of the walk go by between two polls of `stop`.
constexpr unsigned kStepsPerPoll = 1024;

bool AnyWhole(const CubeList& cubes, std::uint64_t below) {
  return std::any_of(cubes.begin(), cubes.end(), [below](Cube cube) { return (cube.care & below) == 0; });
}

// The first row at or after `from` of the value, input by input from the first. Each node is the
// part of the table whose leading inputs are fixed (`prefix`), with the cubes that meet it: it is
// settled as soon as the cubes tell that all its rows or none have the value, which every row does.
class ForwardWalk {
 public:
  ForwardWalk(int n, Cell value, std::uint64_t from, const Budget& stop)
      : n_(n), value_(value), from_(from), stop_(stop) {}

  bool Stopped() const { return stopped_; }

  std::optional<std::uint64_t> Visit(int level, std::uint64_t prefix, bool tight, const CubeList& on,
                                     const CubeList& free) {
    if (++steps_ % kStepsPerPoll == 0 && stop_.Poll()) stopped_ = true;
    if (stopped_) return std::nullopt;
    const std::uint64_t below = (std::uint64_t{1} << (n_ - level)) - 1;
    const bool wholeOn = AnyWhole(on, below), wholeFree = AnyWhole(free, below);
    bool none = false, all = false;
    switch (value_) {
      case Cell::kOne:
        none = on.empty() || wholeFree;
        all = wholeOn && free.empty();
        break;
      case Cell::kDontCare:
        none = free.empty();
        all = wholeFree;
        break;
      case Cell::kZero:
        none = wholeOn || wholeFree;
        all = on.empty() && free.empty();
        break;
    }
    if (none) return std::nullopt;
    if (all) return tight ? from_ : prefix;
    const std::uint64_t bit = std::uint64_t{1} << (n_ - 1 - level);
    for (const std::uint64_t side : {std::uint64_t{0}, bit}) {
      if (tight && side < (from_ & bit)) continue;
      const auto meets = [bit, side](Cube cube) {
        return (cube.care & bit) == 0 || (cube.value & bit) == side;
      };
      CubeList childOn, childFree;
      std::copy_if(on.begin(), on.end(), std::back_inserter(childOn), meets);
      std::copy_if(free.begin(), free.end(), std::back_inserter(childFree), meets);
      const std::optional<std::uint64_t> found =
          Visit(level + 1, prefix | side, tight && side == (from_ & bit), childOn, childFree);
      if (found || stopped_) return found;
    }
    return std::nullopt;
  }

 private:
  int n_;
  Cell value_;
  std::uint64_t from_;
  const Budget& stop_;
  unsigned steps_ = 0;
  bool stopped_ = false;
};

// The cubes with every input's value flipped: row r of them is row ~r of the originals, so that a
// search backwards is a search forwards in them.
CubeList Mirrored(const CubeList& cubes) {
  CubeList mirrored;
  mirrored.reserve(cubes.size());
  for (const Cube cube : cubes) mirrored.push_back({cube.care, cube.care & ~cube.value});
  return mirrored;
}

}  // namespace

namespace search_detail {

const Diagram* DiagramOf(const FunctionDiagrams& diagrams, Cell value) {
  if (diagrams.status != DiagramStatus::kBuilt) return nullptr;
  switch (value) {
    case Cell::kOne: return diagrams.ones.get();
    case Cell::kZero: return diagrams.zeros.get();
    case Cell::kDontCare: return diagrams.dontCares.get();
  }
  return nullptr;
}

CellSearch CellFromDiagrams(const FunctionDiagrams& diagrams, int variables, const CellQuery& query) {
  const Diagram& rows = *DiagramOf(diagrams, query.value);
  CellSearch search;
  search.path = RowSearchPath::kDiagram;
  if (query.nth) {
    search.row = rows.Nth(1, query.from);
  } else if (query.forward) {
    if (query.from < (std::uint64_t{1} << variables)) search.row = rows.Next(1, query.from);
  } else {
    search.row = rows.Previous(1, query.from);
  }
  return search;
}

CellSearch WalkCubes(const FunctionTerms& terms, int variables, const CellQuery& query, const Budget& stop) {
  const std::uint64_t last = (std::uint64_t{1} << variables) - 1;
  if (query.nth || (query.forward && query.from > last)) return {};
  const int n = variables;
  const CubeList& on = terms.on;
  const CubeList& free = terms.dontCare;
  if (query.forward) {
    ForwardWalk walk(n, query.value, query.from, stop);
    const std::optional<std::uint64_t> row = walk.Visit(0, 0, true, on, free);
    return {walk.Stopped() ? std::nullopt : row, walk.Stopped()};
  }
  const std::uint64_t from = std::min(query.from, last);
  ForwardWalk walk(n, query.value, last & ~from, stop);
  const std::optional<std::uint64_t> row = walk.Visit(0, 0, true, Mirrored(on), Mirrored(free));
  if (walk.Stopped() || !row) return {std::nullopt, walk.Stopped()};
  return {last & ~*row, false};
}

}  // namespace search_detail

}  // namespace brevano

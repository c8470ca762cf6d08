// The improvement loop: each round keeps the sum equal to the function outside the don't-cares,
// and the best sum seen is the answer.
#include "minimise/improve_cover.h"

#include <algorithm>
#include <numeric>

#include "engine/deep_stack.h"
#include "minimise/cover_regions.h"
#include "minimise/expand_cover.h"
#include "minimise/minimum_cover.h"

namespace brevano {

namespace {

// Regions an irredundant choice may split the undecided terms into before it settles for a greedy one.
constexpr std::size_t kMaxIrredundantRegions = 20000;

// Every term but `skip`, then the don't-cares.
CubeList OthersAndDontCares(const CubeList& cover, std::size_t skip, const CubeList& dontCare) {
  CubeList others;
  others.reserve(cover.size() + dontCare.size());
  for (std::size_t i = 0; i < cover.size(); ++i)
    if (i != skip) others.push_back(cover[i]);
  others.insert(others.end(), dontCare.begin(), dontCare.end());
  return others;
}

// Drops terms one at a time, those with the most literals first, while the rest still cover them
// (and while there is time: the rest is kept).
CubeList GreedyIrredundant(CubeList candidates, const CubeList& fixed, Budget& control) {
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Cube& a, const Cube& b) { return LiteralCount(a) > LiteralCount(b); });
  for (std::size_t i = 0; i < candidates.size() && control.LongTick();) {
    CubeList others = OthersAndDontCares(candidates, i, fixed);
    if (CoversCube(others, candidates[i])) {
      candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
  return candidates;
}

// The reduced cover: each term in turn, the largest first, shrunk to the smallest cube holding the
// rows that only it covers (outside the don't-cares); a term that covers nothing of its own goes.
CubeList Reduce(CubeList cover, const CubeList& dontCare, Budget& control) {
  std::stable_sort(cover.begin(), cover.end(),
                   [](const Cube& a, const Cube& b) { return LiteralCount(a) < LiteralCount(b); });
  for (std::size_t i = 0; i < cover.size() && control.LongTick();) {
    const std::optional<Cube> own = SmallestUncovered(OthersAndDontCares(cover, i, dontCare), cover[i]);
    if (!own) {
      cover.erase(cover.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    cover[i] = *own;
    ++i;
  }
  return cover;
}

// Each term reduced against all the others as they are; terms that then take in two or more of the
// reduced terms when expanded join the cover, whose irredundant choice may then be smaller.
CubeList LastGasp(const CubeList& cover, const CubeFunction& function, Budget& control) {
  CubeList reduced;
  for (std::size_t i = 0; i < cover.size() && control.LongTick(); ++i) {
    const std::optional<Cube> own =
        SmallestUncovered(OthersAndDontCares(cover, i, function.dontCare), cover[i]);
    if (own) reduced.push_back(*own);
  }
  CubeList joined = cover;
  bool added = false;
  for (const Cube& cube : reduced) {
    if (!control.LongTick()) break;
    const Cube grown = ExpandCube(cube, function, reduced);
    int held = 0;
    for (const Cube& other : reduced) held += ContainsCube(grown, other);
    if (held < 2 || std::find(joined.begin(), joined.end(), grown) != joined.end()) continue;
    joined.push_back(grown);
    added = true;
  }
  if (!added) return cover;
  return IrredundantCover(joined, function.dontCare, control);
}

CubeList ExactChoice(const CubeList& essential, const CubeList& undecided, const CubeList& dontCare,
                     Budget& control) {
  CubeList covered = essential;
  covered.insert(covered.end(), dontCare.begin(), dontCare.end());
  const std::optional<CoverProblem> problem =
      RegionCoverProblem(undecided, covered, undecided, kMaxIrredundantRegions, control);
  if (!problem) return GreedyIrredundant(undecided, covered, control);
  CoverSolution solution;
  RunWithLargeStack([&] { solution = SolveMinimumCover(*problem, control); });
  if (solution.stopped) return GreedyIrredundant(undecided, covered, control);
  CubeList chosen;
  for (int column : solution.columns) chosen.push_back(undecided[static_cast<std::size_t>(column)]);
  return chosen;
}

bool Better(const CubeList& a, const CubeList& b) { return CostOf(a) < CostOf(b); }

}  // namespace

CubeList IrredundantCover(const CubeList& cover, const CubeList& dontCare, Budget& control) {
  CubeList essential, undecided;
  for (std::size_t i = 0; i < cover.size(); ++i) {
    if (!control.LongTick()) return cover;  // out of time: the cover as it is
    if (CoversCube(OthersAndDontCares(cover, i, dontCare), cover[i])) {
      undecided.push_back(cover[i]);
    } else {
      essential.push_back(cover[i]);
    }
  }
  CubeList fixed = essential;
  fixed.insert(fixed.end(), dontCare.begin(), dontCare.end());
  CubeList needed;
  for (const Cube& cube : undecided) {
    if (!control.LongTick()) return cover;
    if (!CoversCube(fixed, cube)) needed.push_back(cube);
  }
  CubeList result = essential;
  if (!needed.empty()) {
    const CubeList chosen = ExactChoice(essential, needed, dontCare, control);
    result.insert(result.end(), chosen.begin(), chosen.end());
  }
  return result;
}

CubeList ImproveCover(const CubeList& start, const CubeFunction& function, Budget& control) {
  CubeList best = start;
  CubeList cover = IrredundantCover(ExpandCover(start, function, control), function.dontCare, control);
  if (Better(cover, best)) best = cover;
  while (control.LongTick()) {
    const CoverCost before = CostOf(cover);
    cover = Reduce(cover, function.dontCare, control);
    cover = IrredundantCover(ExpandCover(cover, function, control), function.dontCare, control);
    if (Better(cover, best)) best = cover;
    if (CostOf(cover) < before) continue;
    const CubeList gasp = LastGasp(cover, function, control);
    if (!Better(gasp, cover)) break;
    cover = gasp;
    if (Better(cover, best)) best = cover;
  }
  std::sort(best.begin(), best.end(), TermBefore);
  return best;
}

}  // namespace brevano

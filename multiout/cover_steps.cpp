// Expand, irredundant, reduce and last gasp over multi-output terms. Every step keeps the cover a
// cover: each output's 1 points stay in its terms, and no term takes in a 0 point of its outputs.
#include "multiout/cover_steps.h"

#include <algorithm>
#include <numeric>

namespace brevano {

namespace {

// Terms of `cover` in the order `less`, ties in a random order when `random` is given.
template <typename Less>
CubeCover Sorted(CubeCover cover, Less less, std::mt19937* random) {
  if (random) std::shuffle(cover.begin(), cover.end(), *random);
  std::stable_sort(cover.begin(), cover.end(), less);
  return cover;
}

bool Larger(const MultiCube& a, const MultiCube& b) {
  return a.LiteralCount() != b.LiteralCount() ? a.LiteralCount() < b.LiteralCount()
                                              : a.OutputCount() > b.OutputCount();
}

// True when term `t` of `cover` is not needed for output `o`.
bool RedundantFor(const CubeCover& cover, std::size_t t, int o, const OutputSets& sets) {
  return CoversInputs(OthersOfOutput(cover, t, o, sets), cover[t]);
}

bool Redundant(const CubeCover& cover, std::size_t t, const OutputSets& sets) {
  for (int o = 0; o < sets.Outputs(); ++o)
    if (cover[t].HasOutput(o) && !RedundantFor(cover, t, o, sets)) return false;
  return true;
}

// Raises `cube` towards the terms of `targets` not yet `gone`, the one whose supercube swallows the
// most of them first, while the supercube fits every output; marks what it swallows.
MultiCube Grow(MultiCube cube, const CubeCover& targets, std::vector<char>& gone, const OutputSets& sets) {
  std::vector<std::size_t> open;
  for (std::size_t t = 0; t < targets.size(); ++t)
    if (!gone[t] && !Contains(cube, targets[t])) open.push_back(t);
  while (!open.empty()) {
    std::vector<std::size_t> fitting;
    std::size_t best = targets.size(), bestCount = 0;
    for (std::size_t t : open) {
      const MultiCube grown = Supercube(cube, targets[t]);
      if (!sets.FitsAll(grown)) continue;
      fitting.push_back(t);
      std::size_t count = 0;
      for (std::size_t u : open) count += Contains(grown, targets[u]);
      if (count > bestCount) best = t, bestCount = count;
    }
    if (best == targets.size()) break;
    cube = Supercube(cube, targets[best]);
    open.clear();
    for (std::size_t t : fitting)
      if (!Contains(cube, targets[t])) open.push_back(t);
  }
  return cube;
}

// Raises each input literal and adds each output (with `outputs`) where that keeps every output
// fitting: the inputs first, or with `random` in an order it picks, from an input it picks.
MultiCube RaiseRest(MultiCube cube, const OutputSets& sets, bool outputs, std::mt19937* random = nullptr) {
  auto raiseOutputs = [&] {
    for (int o = 0; o < sets.Outputs() && outputs; ++o)
      if (!cube.HasOutput(o) && sets.Fits(cube, o)) cube.SetOutput(o, true);
  };
  const bool outputsFirst = random && ((*random)() & 1);
  if (outputsFirst) raiseOutputs();
  const int start =
      random && cube.inputs > 0 ? static_cast<int>((*random)() % static_cast<unsigned>(cube.inputs)) : 0;
  for (int k = 0; k < cube.inputs; ++k) {
    const int i = (start + k) % cube.inputs;
    const Literal value = cube.Input(i);
    if (value == Literal::kFree) continue;
    cube.SetInput(i, Literal::kFree);
    if (!sets.FitsAll(cube)) cube.SetInput(i, value);
  }
  if (!outputsFirst) raiseOutputs();
  return cube;
}

// The primes made from `cover`'s terms in order, each swallowing what it can of the others.
CubeCover ExpandAgainst(const CubeCover& cover, const CubeCover& targets, std::vector<char>& gone,
                        const OutputSets& sets, Budget& control, std::mt19937* random) {
  CubeCover primes;
  for (std::size_t t = 0; t < cover.size() && control.LongTick(); ++t) {
    if (gone[t]) continue;
    gone[t] = 1;
    MultiCube cube = RaiseRest(Grow(cover[t], targets, gone, sets), sets, true, random);
    for (std::size_t u = 0; u < targets.size(); ++u)
      if (!gone[u] && Contains(cube, targets[u])) gone[u] = 1;
    primes.push_back(std::move(cube));
  }
  for (std::size_t t = 0; t < cover.size(); ++t)
    if (!gone[t]) primes.push_back(cover[t]);  // left as they were when time ran out
  return primes;
}

}  // namespace

JointCost CostOf(const CubeCover& cover) {
  JointCost cost{cover.size(), 0, 0};
  for (const MultiCube& cube : cover) {
    cost.literals += static_cast<std::size_t>(cube.LiteralCount());
    cost.connections += static_cast<std::size_t>(cube.OutputCount());
  }
  return cost;
}

CubeCover Expand(CubeCover cover, const OutputSets& sets, Budget& control, std::mt19937* random) {
  cover = Sorted(std::move(cover), Larger, random);
  std::vector<char> gone(cover.size(), 0);
  return ExpandAgainst(cover, cover, gone, sets, control, random);
}

CubeCover Irredundant(CubeCover cover, const OutputSets& sets, Budget& control) {
  // Terms no other term stands in for stay; the others are tried, the smallest first.
  std::vector<std::size_t> order(cover.size());
  std::iota(order.begin(), order.end(), 0);
  std::vector<char> essential(cover.size(), 0);
  for (std::size_t t = 0; t < cover.size(); ++t) essential[t] = !Redundant(cover, t, sets);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return cover[a].LiteralCount() > cover[b].LiteralCount();
  });
  std::vector<char> keep(cover.size(), 1);
  for (std::size_t t : order) {
    if (essential[t] || !control.LongTick()) continue;
    CubeCover rest;
    for (std::size_t u = 0; u < cover.size(); ++u)
      if (keep[u] && u != t) rest.push_back(cover[u]);
    rest.push_back(cover[t]);
    if (Redundant(rest, rest.size() - 1, sets)) keep[t] = 0;
  }
  CubeCover kept;
  for (std::size_t t = 0; t < cover.size(); ++t)
    if (keep[t]) kept.push_back(std::move(cover[t]));
  return kept;
}

CubeCover Reduce(CubeCover cover, const OutputSets& sets, Budget& control, std::mt19937* random) {
  cover = Sorted(std::move(cover), Larger, random);
  for (std::size_t t = 0; t < cover.size() && control.LongTick(); ++t) {
    std::optional<MultiCube> reduced;
    for (int o = 0; o < sets.Outputs(); ++o) {
      if (!cover[t].HasOutput(o)) continue;
      const std::optional<MultiCube> part = SmallestUncovered(OthersOfOutput(cover, t, o, sets), cover[t]);
      if (!part) continue;
      const MultiCube tagged = WithOutput(*part, o);
      reduced = reduced ? Supercube(*reduced, tagged) : tagged;
    }
    if (reduced) {
      cover[t] = std::move(*reduced);
    } else {
      cover[t].bits.assign(cover[t].bits.size(), 0);  // nothing left: marked for removal
    }
  }
  std::erase_if(cover, [](const MultiCube& cube) { return cube.NoOutput(); });
  return cover;
}

CubeCover LastGasp(const CubeCover& cover, const OutputSets& sets, Budget& control) {
  CubeCover reduced;
  for (std::size_t t = 0; t < cover.size() && control.LongTick(); ++t) {
    std::optional<MultiCube> part;
    for (int o = 0; o < sets.Outputs(); ++o) {
      if (!cover[t].HasOutput(o)) continue;
      const std::optional<MultiCube> own = SmallestUncovered(OthersOfOutput(cover, t, o, sets), cover[t]);
      if (own) part = part ? Supercube(*part, WithOutput(*own, o)) : WithOutput(*own, o);
    }
    if (part) reduced.push_back(std::move(*part));
  }
  if (control.TimeUp() || control.Stopped()) return cover;
  CubeCover added;
  for (std::size_t t = 0; t < reduced.size(); ++t) {
    std::vector<char> gone(reduced.size(), 0);
    gone[t] = 1;
    const MultiCube prime = RaiseRest(Grow(reduced[t], reduced, gone, sets), sets, true);
    const auto swallowed = std::count_if(reduced.begin(), reduced.end(),
                                         [&](const MultiCube& cube) { return Contains(prime, cube); });
    if (swallowed >= 2) added.push_back(prime);
  }
  if (added.empty()) return cover;
  CubeCover grown = added;
  grown.insert(grown.end(), cover.begin(), cover.end());
  grown = Irredundant(std::move(grown), sets, control);
  return CostOf(grown) < CostOf(cover) ? grown : cover;
}

CubeCover MakeSparse(CubeCover cover, const OutputSets& sets) {
  for (std::size_t t = 0; t < cover.size(); ++t) {
    for (int o = 0; o < sets.Outputs(); ++o) {
      if (cover[t].HasOutput(o) && cover[t].OutputCount() > 1 && RedundantFor(cover, t, o, sets))
        cover[t].SetOutput(o, false);
    }
  }
  for (MultiCube& cube : cover) cube = RaiseRest(std::move(cube), sets, false);
  return cover;
}

}  // namespace brevano

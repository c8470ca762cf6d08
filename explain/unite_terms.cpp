// From a sum of products to the least sum: duplicates and contained terms dropped, terms split
// until each lies in a term of the least sum, then united level by level into those terms.
#include <algorithm>
#include <bit>

#include "explain/derivation_recorder.h"
#include "minimise/cube_list.h"

namespace brevano {

namespace {

bool Inside(Cube inner, Cube outer) {
  return (inner.care & outer.care) == outer.care && (inner.value & outer.care) == outer.value;
}
bool Meets(Cube a, Cube b) { return ((a.care & b.care) & (a.value ^ b.value)) == 0; }
Cube Meet(Cube a, Cube b) { return {a.care | b.care, a.value | b.value}; }
std::uint32_t BitOf(int variable, int n) { return std::uint32_t{1} << (n - 1 - variable); }

// A term of the sum and the target term it is to become part of (-1 before that is settled).
struct Piece {
  Cube cube;
  int owner = -1;
};

class Uniter {
 public:
  Uniter(std::vector<Cube>& terms, const std::vector<Cube>& target, DerivationRecorder& recorder)
      : target_(target), recorder_(recorder), n_(recorder.VariableCount()) {
    for (Cube c : terms) pieces_.push_back({c, -1});
  }

  std::vector<Cube> Run();

 private:
  void Record(const char* law, int places) {
    if (places == 0) return;
    if (pieces_.size() > recorder_.Limits().maxTerms) throw DerivationBudgetSpent{};
    std::vector<Cube> cubes;
    for (const Piece& p : pieces_) cubes.push_back(p.cube);
    recorder_.Add(law, places, SumExpr(cubes, n_));
  }
  int OwnerOf(Cube c) const {
    for (std::size_t t = 0; t < target_.size(); ++t)
      if (Inside(c, target_[t])) return static_cast<int>(t);
    return -1;
  }
  void DropDuplicatesAndContained();
  void SplitStraddling();
  void FillTargets();
  void BuildTargets();
  void SplitRound(std::vector<int>& goals, std::vector<Cube>& goalCubes);
  bool AbsorbRound(const std::vector<Cube>& goalCubes, const std::vector<int>& goals);

  const std::vector<Cube>& target_;
  DerivationRecorder& recorder_;
  int n_;
  std::vector<Piece> pieces_;
  // For each split level, each goal's first half (the second follows it) and the variable's bit.
  std::vector<std::vector<std::pair<int, std::uint32_t>>> parents_;
};

// x + x = x, then x + x*y = x, each at every place at once.
void Uniter::DropDuplicatesAndContained() {
  std::vector<Piece> kept;
  for (const Piece& p : pieces_)
    if (std::none_of(kept.begin(), kept.end(), [&](const Piece& k) { return k.cube == p.cube; }))
      kept.push_back(p);
  const int duplicates = static_cast<int>(pieces_.size() - kept.size());
  pieces_ = std::move(kept);
  Record("idempotent", duplicates);
  kept.clear();
  for (const Piece& p : pieces_) {
    const bool contained = std::any_of(pieces_.begin(), pieces_.end(), [&](const Piece& q) {
      return !(q.cube == p.cube) && Inside(p.cube, q.cube);
    });
    if (!contained) kept.push_back(p);
  }
  const int absorbed = static_cast<int>(pieces_.size() - kept.size());
  pieces_ = std::move(kept);
  Record("absorption", absorbed);
}

// x = x*y + x*y' for every term that lies in no target term, towards the target term it meets most.
void Uniter::SplitStraddling() {
  for (;;) {
    std::vector<Piece> next;
    int places = 0;
    for (const Piece& p : pieces_) {
      if (OwnerOf(p.cube) >= 0) {
        next.push_back({p.cube, OwnerOf(p.cube)});
        continue;
      }
      Cube best{};
      int bestFree = -1;
      for (Cube t : target_) {
        if (!Meets(p.cube, t)) continue;
        const int free = n_ - std::popcount(p.cube.care | t.care);
        if (free > bestFree) bestFree = free, best = t;
      }
      const std::uint32_t bit = std::bit_floor(best.care & ~p.cube.care);
      next.push_back({{p.cube.care | bit, p.cube.value | (best.value & bit)}, -1});
      next.push_back({{p.cube.care | bit, p.cube.value | (~best.value & bit)}, -1});
      ++places;
    }
    pieces_ = std::move(next);
    if (places == 0) return;
    Record("uniting (reversed)", places);
  }
}

// Each target term gets the rows it lacks from terms of other target terms: x = x + x*y where
// only part of x lies in it, x = x + x where all of it does.
void Uniter::FillTargets() {
  for (const bool whole : {true, false}) {
    std::vector<Piece> next;
    int places = 0;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
      next.push_back(pieces_[i]);
      for (std::size_t t = 0; t < target_.size(); ++t) {
        const Cube goal = target_[t];
        const Piece& p = pieces_[i];
        if (p.owner == static_cast<int>(t) || !Meets(p.cube, goal) || Inside(p.cube, goal) != whole) continue;
        CubeList own;
        for (const Piece& q : next)
          if (q.owner == static_cast<int>(t)) own.push_back({q.cube.care, q.cube.value});
        for (std::size_t j = i + 1; j < pieces_.size(); ++j)
          if (pieces_[j].owner == static_cast<int>(t))
            own.push_back({pieces_[j].cube.care, pieces_[j].cube.value});
        const Cube part = Meet(p.cube, goal);
        if (CoversCube(own, {part.care, part.value})) continue;
        next.push_back({part, static_cast<int>(t)});
        ++places;
      }
    }
    pieces_ = std::move(next);
    Record(whole ? "idempotent" : "absorption (reversed)", places);
  }
}

// Within each task: x + x = x, then x + x*y = x; a task is done when its goal is one of its terms.
bool Uniter::AbsorbRound(const std::vector<Cube>& goalCubes, const std::vector<int>& goals) {
  const auto inGoals = [&](int owner) { return std::find(goals.begin(), goals.end(), owner) != goals.end(); };
  for (const bool equal : {true, false}) {
    std::vector<Piece> kept;
    int places = 0;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
      const Piece& p = pieces_[i];
      bool drop = false;
      for (std::size_t j = 0; j < pieces_.size() && !drop && inGoals(p.owner); ++j) {
        const Piece& q = pieces_[j];
        if (i == j || q.owner != p.owner) continue;
        drop = equal ? (q.cube == p.cube && j < i) : (!(q.cube == p.cube) && Inside(p.cube, q.cube));
      }
      if (drop)
        ++places;
      else
        kept.push_back(p);
    }
    pieces_ = std::move(kept);
    Record(equal ? "idempotent" : "absorption", places);
  }
  bool allDone = true;
  for (int g : goals)
    allDone = allDone && std::any_of(pieces_.begin(), pieces_.end(),
                                     [&](const Piece& p) { return p.owner == g && p.cube == goalCubes[g]; });
  return allDone;
}

// Each goal not yet a term is halved on the variable its terms name most: x = x*y + x*y' for each of
// its terms without that variable. `goals` becomes the halves.
void Uniter::SplitRound(std::vector<int>& goals, std::vector<Cube>& goalCubes) {
  std::vector<int> halves;
  std::vector<std::pair<int, std::uint32_t>> chosen(goalCubes.size(), {-1, 0});
  for (int g : goals) {
    const Cube goal = goalCubes[g];
    if (std::any_of(pieces_.begin(), pieces_.end(),
                    [&](const Piece& p) { return p.owner == g && p.cube == goal; }))
      continue;
    std::uint32_t bestBit = 0;
    int bestCount = -1;
    for (int v = 0; v < n_; ++v) {
      const std::uint32_t bit = BitOf(v, n_);
      if (goal.care & bit) continue;
      const int count = static_cast<int>(std::count_if(pieces_.begin(), pieces_.end(), [&](const Piece& p) {
        return p.owner == g && (p.cube.care & bit);
      }));
      if (count > bestCount) bestCount = count, bestBit = bit;
    }
    const int first = static_cast<int>(goalCubes.size());
    goalCubes.push_back({goal.care | bestBit, goal.value | bestBit});
    goalCubes.push_back({goal.care | bestBit, goal.value});
    chosen.resize(goalCubes.size(), {-1, 0});
    chosen[g] = {first, bestBit};
    halves.push_back(first);
    halves.push_back(first + 1);
  }
  std::vector<Piece> next;
  int places = 0;
  for (const Piece& p : pieces_) {
    const auto [first, bit] = p.owner >= 0 && p.owner < static_cast<int>(chosen.size())
                                  ? chosen[p.owner]
                                  : std::pair<int, std::uint32_t>{-1, 0};
    if (first < 0) {
      next.push_back(p);
    } else if (p.cube.care & bit) {
      next.push_back({p.cube, (p.cube.value & bit) ? first : first + 1});
    } else {
      next.push_back({{p.cube.care | bit, p.cube.value | bit}, first});
      next.push_back({{p.cube.care | bit, p.cube.value}, first + 1});
      ++places;
    }
  }
  pieces_ = std::move(next);
  Record("uniting (reversed)", places);
  parents_.push_back(chosen);
  goals = std::move(halves);
}

// Halves goals until every goal is a term, then unites the halves back, the deepest level first:
// x*y + x*y' = x.
void Uniter::BuildTargets() {
  std::vector<Cube> goalCubes = target_;
  std::vector<int> goals;
  for (std::size_t t = 0; t < target_.size(); ++t) goals.push_back(static_cast<int>(t));
  while (!AbsorbRound(goalCubes, goals)) SplitRound(goals, goalCubes);
  for (std::size_t level = parents_.size(); level-- > 0;) {
    int places = 0;
    for (std::size_t g = 0; g < parents_[level].size(); ++g) {
      const int first = parents_[level][g].first;
      if (first < 0) continue;
      const auto a =
          std::find_if(pieces_.begin(), pieces_.end(), [&](const Piece& p) { return p.owner == first; });
      a->cube = goalCubes[g];
      a->owner = static_cast<int>(g);
      pieces_.erase(
          std::find_if(pieces_.begin(), pieces_.end(), [&](const Piece& p) { return p.owner == first + 1; }));
      ++places;
    }
    Record("uniting", places);
  }
}

std::vector<Cube> Uniter::Run() {
  DropDuplicatesAndContained();
  SplitStraddling();
  FillTargets();
  BuildTargets();
  std::stable_sort(pieces_.begin(), pieces_.end(),
                   [](const Piece& a, const Piece& b) { return a.owner < b.owner; });
  Record("commutative", 1);
  std::vector<Cube> out;
  for (const Piece& p : pieces_) out.push_back(p.cube);
  return out;
}

}  // namespace

void UniteToTarget(std::vector<Cube>& terms, const std::vector<Cube>& target, DerivationRecorder& recorder) {
  Uniter uniter(terms, target, recorder);
  terms = uniter.Run();
}

}  // namespace brevano

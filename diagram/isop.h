// Sums of products read off the manager's diagrams (owner thread only): irredundant covers of an
// interval, all prime implicants, and diagrams of cube lists.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "diagram/owner_thread.h"
#include "minimise/cube.h"

namespace brevano::diagram_detail {

/// A node and the cover graph node of its sum.
struct Interval {
  Ref result;
  std::uint32_t cover = 0;
};

/// isop(L, U), after Minato and Morreale: a sum of products R with L <= R <= U, each of whose terms is
/// a prime implicant of U that covers some row of L no other term covers. The sums form a graph
/// shared between calls, and results are kept per (L, U) with their arguments referenced so that
/// the node numbers stay theirs. Cubes are over manager variables: variable v is row bit n-1-v.
class CoverBuilder {
 public:
  /// Stops (throwing TooManyTerms) once a part has more than `termLimit` terms.
  explicit CoverBuilder(unsigned __int128 termLimit);

  struct TooManyTerms {
    unsigned __int128 terms;
  };

  Interval Build(const Ref& lower, const Ref& upper);

  /// The number of terms of the sum `cover`.
  unsigned __int128 Terms(std::uint32_t cover) const { return covers_[cover].terms; }

  /// Appends the terms of `cover` over `variableCount` variables, each with `cube`'s literals too.
  void Collect(std::uint32_t cover, Cube cube, int variableCount, std::vector<Cube>& out) const;

 private:
  // A node stands for x'·C0 + x·C1 + Cd; node 0 is the empty sum, node 1 the term without literals.
  struct CoverNode {
    int variable = 64;
    std::uint32_t negative = 0, positive = 0, either = 0;
    unsigned __int128 terms = 0;
  };
  struct Entry {
    Ref lower, upper;
    Interval interval;
  };

  std::uint32_t Join(int x, std::uint32_t negative, std::uint32_t positive, std::uint32_t either);

  std::vector<CoverNode> covers_;
  std::unordered_map<std::uint64_t, Entry> memo_;
  unsigned __int128 termLimit_;
  unsigned calls_ = 0;
};

/// The irredundant cover of the interval [lower, upper] as cubes over manager variables; throws
/// CoverBuilder::TooManyTerms past `termLimit`.
std::vector<Cube> IrredundantCubes(const Ref& lower, const Ref& upper, int variableCount,
                                   unsigned __int128 termLimit);

/// Thrown by PrimeCubes past its limit.
struct TooManyPrimes {};

/// Every prime implicant of `function` over manager variables; throws TooManyPrimes when more than
/// `limit` would be kept along the way.
std::vector<Cube> PrimeCubes(const Ref& function, int variableCount, std::size_t limit);

/// The diagram of the sum of `cubes` over manager variables.
Ref DiagramOfCubes(const std::vector<Cube>& cubes, int variableCount);

/// `cube` over manager variables (levels) rewritten over table columns: level l is column order[l].
Cube LevelsToColumns(Cube cube, const std::vector<int>& order);

/// The reverse of LevelsToColumns.
Cube ColumnsToLevels(Cube cube, const std::vector<int>& order);

}  // namespace brevano::diagram_detail

// What the least two-level forms of a function with don't-cares start from, read off its diagrams:
// the rows of each kind, irredundant covers, the exact sets as cubes, prime implicants, and checks.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "diagram/cover.h"
#include "diagram/diagram.h"
#include "diagram/function_diagrams.h"
#include "minimise/cube_list.h"
#include "tabulate/table_function.h"

namespace brevano {

/// Builds the diagrams in table order, or in an order read from the `on` program where that keeps
/// them within the limits (as BuildDiagram).
FunctionDiagrams BuildFunctionDiagrams(const TableFunction& function, const DiagramLimits& limits = {},
                                       const Budget& stop = {});

/// The least sum of products covers the 1 rows; the least product of sums is the complement of a
/// sum that covers the 0 rows.
enum class FormSide { kSum, kProduct };

/// What a form of one side starts from: cubes over table columns (see Cube).
struct SideCubes {
  /// kFound when `start` is set; kTooManyTerms or kTooComplex when it could not be.
  CoverStatus status = CoverStatus::kNotRequested;
  unsigned __int128 startTerms = 0;  ///< the terms of the irredundant cover, however many
  /// An irredundant cover: every row to be covered, no row that must not be, maybe some don't-cares.
  CubeList start;
  /// Once found: exactly the rows that must not be covered (`off`) and exactly the don't-care
  /// rows, each as a sum of cubes.
  std::optional<CubeFunction> sets;
};

/// The cubes of `side`, in `order` (as built by BuildFunctionDiagrams): the irredundant cover within
/// `limits`, then the two sets, within `limits` again and at most `maxSetTerms` terms each.
SideCubes BuildSideCubes(const TableFunction& function, const std::vector<int>& order, FormSide side,
                         const CoverLimits& limits, std::size_t maxSetTerms, const Budget& stop = {});

/// Every prime implicant of the rows a form of `side` may cover (its rows and the don't-cares), or
/// nothing when there are more than `maxPrimes` or the time runs out.
std::optional<CubeList> BuildPrimes(const TableFunction& function, const std::vector<int>& order,
                                    FormSide side, std::size_t maxPrimes, std::chrono::milliseconds time,
                                    const Budget& stop = {});

/// Whether a sum checked against the diagrams covers every row of its side and no row that must not be.
enum class FormCheck { kCorrect, kWrong, kUnknown };

/// Checks `cover` (terms over table columns) as a form of `side`; kUnknown when the limits end it.
FormCheck CheckForm(const TableFunction& function, const std::vector<int>& order, FormSide side,
                    const CubeList& cover, const DiagramLimits& limits = {}, const Budget& stop = {});

}  // namespace brevano

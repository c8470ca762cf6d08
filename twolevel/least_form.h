// The least sum of products, or product of sums, of a function with don't-cares, at any size.
#pragma once

#include <chrono>
#include <cstdint>

#include "budget/budget.h"
#include "diagram/two_level.h"
#include "function/boolean_function.h"
#include "minimise/cube_list.h"
#include "minimise/minimise_status.h"
#include "minimise/truth_vector.h"

namespace brevano {

/// Where a form comes from.
enum class FormSource {
  kMinimiser,          ///< the exact minimiser, or the exact cover search; the status says how it ended
  kImproved,           ///< the improvement loop from an irredundant cover: not proven minimal
  kIrredundant,        ///< an irredundant cover from the decision diagram: not proven minimal
  kTooManyTerms,       ///< the irredundant cover has more terms than are listed: not computed
  kCoverTooComplex,    ///< the irredundant cover ran out of its budget: not computed
  kDiagramTooComplex,  ///< the function is too complex for a decision diagram: not computed
};

/// A least form: the terms of the sum, or for a product the terms of the complement's sum (one per
/// factor), in term order (see TermBefore).
struct LeastForm {
  MinimiseStatus status = MinimiseStatus::kStopped;
  FormSource source = FormSource::kMinimiser;
  CubeList cubes;
};

/// The limits of a search for a least form.
struct FormOptions {
  /// Time the searches of one form may take in all (the minimiser, the loop, the cover search);
  /// each then settles for the best form found.
  std::chrono::milliseconds budget{10000};
  /// Budgets of the decision diagrams and of the irredundant cover.
  DiagramLimits diagramLimits;
  CoverLimits coverLimits;
  /// Most terms of the exact sets of rows the improvement loop works against.
  std::size_t maxSetTerms = 50000;
  /// Most prime implicants beyond kMaxMinimiseVariables variables for an exact cover search.
  std::size_t maxPrimes = 20000;
};

/// The least form of `side` of `function`: the fewest terms, then the fewest literals. Up to
/// kMaxMinimiseVariables variables the exact minimiser on the truth vector. Beyond, or where it
/// gives up: the diagram's irredundant cover, improved by the classical loop, and an exact cover
/// search over the prime implicants when they are few; the best of them, checked against the exact
/// sets of rows. `order` is the variable order of the function's diagrams (see
/// BuildFunctionDiagrams) beyond kMaxMinimiseVariables variables; empty when they are too complex,
/// and the forms then too. `progress` is
/// called now and then with the milliseconds spent of the budget (first, up to the minimiser's
/// limit, with the steps of its prime implicants); false stops the search, with kStopped.
LeastForm FindLeastForm(const TableFunction& function, const std::vector<int>& order, FormSide side,
                        const FormOptions& options, const Progress& progress = {});

/// The exact minimiser's form of `side` of a function given row by row (at most
/// kMaxMinimiseVariables variables), within the control's budget.
LeastForm MinimiserForm(const TruthVector& on, const TruthVector& dontCare, FormSide side, Budget& control);

/// The least form of `side` of a function too complex for a decision diagram (its first output, of
/// at most 63 inputs), from its cubes: the improvement loop from the terms as they are, against the
/// complement of the terms and don't-cares made as cubes (at most maxSetTerms of them), checked
/// against those sets. Not proven least.
LeastForm FindLeastFormFromCubes(const BooleanFunction& function, FormSide side, const FormOptions& options,
                                 const Progress& progress = {});

}  // namespace brevano

// The forms the field uses beyond the least sum and product, and the properties of a Result column.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "diagram/function_properties.h"
#include "minimise/truth_vector.h"

namespace brevano {

/// Where the properties and the algebraic normal form came from.
enum class DescriptionSource {
  kRows,        ///< the whole Result column, row by row
  kDiagram,     ///< the decision diagram
  kTooComplex,  ///< too many variables for the rows and too complex for a diagram: not computed
  kStopped,     ///< stopped by the caller: not computed
};

/// The properties and the algebraic normal form of a Result column.
struct FunctionDescription {
  DescriptionSource source = DescriptionSource::kStopped;
  FunctionProperties properties;  ///< with kRows and kDiagram
  AnfTerms anf;
};

/// Limits of a description.
struct DescribeOptions {
  /// Most variables for which the Result column is read row by row (2^n bits); beyond, the
  /// decision diagram.
  int maxRowVariables = 20;
  /// The diagram's budget, and that of the algebraic normal form with the most products listed.
  DiagramLimits diagramLimits;
  CoverLimits anfLimits;
};

/// Describes the Result column of `table`. `stop` is polled now and then; once stopped, so is this.
FunctionDescription DescribeFunction(const TruthTable& table, const DescribeOptions& options = {},
                                     const Budget& stop = {});

/// The properties and the Möbius transform of a truth vector (a function of at most 20 or so
/// variables): the products of its algebraic normal form, listed when at most `maxTerms`.
FunctionDescription DescribeTruthVector(const TruthVector& truth, std::size_t maxTerms);

/// The items that follow AnalysisItems, in order: "Algebraic normal form:", "NAND form:", "NOR form:",
/// "Canonical sum:", "Canonical product:", "Function number:", "Depends on:", "Monotone increasing
/// in:", "Monotone decreasing in:", "Symmetric:", "Self-dual:", "Linear (affine):",
/// "0-preserving:", "1-preserving:". The NAND and NOR forms are those of the least sum and
/// product of `analysis`, the canonical lists its minterms and maxterms, shortened as they are.
std::vector<AnalysisItem> FunctionItems(const Analysis& analysis, const FunctionDescription& description,
                                        const DescribeOptions& options = {});

/// The Result column read as a binary number, row 0 the least significant bit, for a table of at
/// most 6 variables whose minterms are all listed.
std::optional<std::uint64_t> FunctionNumber(const Analysis& analysis);

}  // namespace brevano

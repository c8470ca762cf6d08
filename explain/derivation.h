// A derivation by named laws from an expression to its least sum of products or product of sums,
// each step checked equal to the one before.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "explain/law_expression.h"
#include "minimise/cube.h"

namespace brevano {

/// One line of a derivation: the law that gives it from the line before, and the expression.
struct DerivationStep {
  std::string law;  ///< "given", "De Morgan", "uniting", …, or "tabular method"
  int places = 1;   ///< the law applied at that many places at once
  std::string expression;
};

/// A derivation; the last line is the least form asked for.
struct Derivation {
  std::vector<DerivationStep> steps;
  /// The search ran out of its budget and the last step goes by the tabular method.
  bool byTabularMethod = false;
};

/// The limits of a derivation's search.
struct DerivationLimits {
  std::size_t maxNodes = 4000;  ///< most nodes of an expression on the way
  std::size_t maxTerms = 512;   ///< most terms of a sum on the way
  std::size_t maxSteps = 400;   ///< most lines
  std::chrono::milliseconds budget{2000};
};

/// The laws a derivation uses and check-steps knows, in the order they are documented: each with
/// its equation.
const std::vector<std::pair<std::string, std::string>>& KnownLaws();

/// Derives from `given` (written as `givenText`) the least form whose terms are `target`: the terms
/// of the sum or, for a product, the terms of the complement's sum, one per factor (as the analysis
/// gives them). Every line is checked against the function's rows before it is kept; a line that is
/// not equal raises std::logic_error. At most 16 variables.
Derivation DeriveLeastForm(const LawExpr& given, const std::string& givenText,
                           const std::vector<std::string>& names, const std::vector<Cube>& target,
                           bool product, const DerivationLimits& limits = {});

}  // namespace brevano

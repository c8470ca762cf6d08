// The lines of a derivation as they are found, each checked against the function before it is kept.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "explain/derivation.h"

namespace brevano {

/// Thrown inside a derivation when its budget is spent; the driver then goes by the tabular method.
struct DerivationBudgetSpent {};

/// Collects the lines of a derivation over `names`, checking each against `function`.
class DerivationRecorder {
 public:
  DerivationRecorder(const std::vector<std::string>& names, TruthVector function,
                     const DerivationLimits& limits);

  /// Wraps every later line in not(...): the lines derive the complement.
  void SetNegated(bool negated) { negated_ = negated; }
  /// Adds the line `expr` given by `law` at `places` places, unless its text is that of the line
  /// before. Raises std::logic_error when it is not the function; DerivationBudgetSpent past the
  /// budget when `budgeted`.
  void Add(const std::string& law, int places, const LawExpr& expr, bool budgeted = true);
  /// Adds the first line as written.
  void AddGiven(const std::string& text) { steps_.push_back({"given", 1, text}); }
  /// DerivationBudgetSpent when the expression is too large or the time is up.
  void CheckSize(const LawExpr& expr) const;

  const std::vector<std::string>& Names() const { return names_; }
  int VariableCount() const { return static_cast<int>(names_.size()); }
  const DerivationLimits& Limits() const { return limits_; }
  std::vector<DerivationStep>& Steps() { return steps_; }

 private:
  std::vector<std::string> names_;
  TruthVector function_;
  DerivationLimits limits_;
  std::chrono::steady_clock::time_point deadline_;
  bool negated_ = false;
  std::vector<DerivationStep> steps_;
};

/// The sum of `terms` as an expression: a term of one literal is that literal, of none 1; no terms 0.
LawExpr SumExpr(const std::vector<Cube>& terms, int variables);

/// Rewrites `expr` by the laws until it is a sum of products of literals with no repeated or
/// complementary literal in a product, recording each step; without `multiplyOut`, the laws that
/// only push negations inwards and drop constants (a negated sum of products becomes a product of
/// sums).
void NormaliseToSum(LawExpr& expr, DerivationRecorder& recorder, bool multiplyOut = true);

/// The sum of products `expr` (as NormaliseToSum leaves it) as terms, in its order.
std::vector<Cube> TermsOf(const LawExpr& expr, int variables);

/// Rewrites the sum `terms` into the sum `target` (equal functions) by idempotence, absorption and
/// uniting, recording each step; the terms end in the target's order.
void UniteToTarget(std::vector<Cube>& terms, const std::vector<Cube>& target, DerivationRecorder& recorder);

}  // namespace brevano

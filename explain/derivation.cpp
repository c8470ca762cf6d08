// The derivation's driver: the given line, the sum of products, the least sum, and for a product
// the same on the complement under a double negation; the tabular method where the budget ends.
#include "explain/derivation.h"

#include <stdexcept>

#include "explain/derivation_recorder.h"

namespace brevano {

DerivationRecorder::DerivationRecorder(const std::vector<std::string>& names, TruthVector function,
                                       const DerivationLimits& limits)
    : names_(names),
      function_(std::move(function)),
      limits_(limits),
      deadline_(std::chrono::steady_clock::now() + limits.budget) {}

void DerivationRecorder::CheckSize(const LawExpr& expr) const {
  if (NodeCount(expr) > limits_.maxNodes || std::chrono::steady_clock::now() > deadline_)
    throw DerivationBudgetSpent{};
}

void DerivationRecorder::Add(const std::string& law, int places, const LawExpr& expr, bool budgeted) {
  const LawExpr line = negated_ ? Negation(expr) : expr;
  std::string text = ExprText(line, names_);
  if (!steps_.empty() && steps_.back().expression == text) return;
  const TruthVector rows = EvaluateExpr(line, VariableCount());
  for (std::size_t w = 0; w < rows.WordCount(); ++w)
    if (rows.Word(w) != function_.Word(w))
      throw std::logic_error("a derivation step by " + law + " is not equal: " + text);
  if (budgeted && (steps_.size() >= limits_.maxSteps || std::chrono::steady_clock::now() > deadline_))
    throw DerivationBudgetSpent{};
  steps_.push_back({law, places, std::move(text)});
}

namespace {

// `parts` joined by `kind`: the part itself when there is one, the constant `empty` when none.
LawExpr Joined(LawKind kind, std::vector<LawExpr> parts, bool empty) {
  if (parts.empty()) return Constant(empty);
  if (parts.size() == 1) return std::move(parts[0]);
  return Operator(kind, std::move(parts));
}

}  // namespace

LawExpr SumExpr(const std::vector<Cube>& terms, int variables) {
  std::vector<LawExpr> sum;
  for (Cube c : terms) {
    std::vector<LawExpr> literals;
    for (int v = 0; v < variables; ++v) {
      const std::uint32_t bit = std::uint32_t{1} << (variables - 1 - v);
      if (c.care & bit) literals.push_back((c.value & bit) ? Variable(v) : Negation(Variable(v)));
    }
    sum.push_back(Joined(LawKind::kAnd, std::move(literals), true));
  }
  return Joined(LawKind::kOr, std::move(sum), false);
}

namespace {

// The product whose factors are the complements of `terms`: a factor of one literal is that literal,
// of none 0; no terms 1.
LawExpr ProductExpr(const std::vector<Cube>& terms, int variables) {
  std::vector<LawExpr> factors;
  for (Cube c : terms) {
    std::vector<LawExpr> literals;
    for (int v = 0; v < variables; ++v) {
      const std::uint32_t bit = std::uint32_t{1} << (variables - 1 - v);
      if (c.care & bit) literals.push_back((c.value & bit) ? Negation(Variable(v)) : Variable(v));
    }
    factors.push_back(Joined(LawKind::kOr, std::move(literals), false));
  }
  return Joined(LawKind::kAnd, std::move(factors), true);
}

// The term of a product of literals (or a literal, or 1).
Cube TermOf(const LawExpr& e, int variables) {
  Cube c;
  const auto add = [&](const LawExpr& literal) {
    const bool plain = literal.kind == LawKind::kVariable;
    const int v = plain ? literal.variable : literal.children[0].variable;
    const std::uint32_t bit = std::uint32_t{1} << (variables - 1 - v);
    c.care |= bit;
    if (plain) c.value |= bit;
  };
  if (e.kind == LawKind::kAnd) {
    for (const LawExpr& f : e.children) add(f);
  } else if (e.kind != LawKind::kOne) {
    add(e);
  }
  return c;
}

// x = not(not(x)), then the complement's least sum under the negation, then De Morgan outwards.
void DeriveProduct(const LawExpr& given, const std::vector<Cube>& target, DerivationRecorder& recorder) {
  const int n = recorder.VariableCount();
  LawExpr inner = Negation(given);
  recorder.Add("involution", 1, Negation(inner));
  recorder.SetNegated(true);
  NormaliseToSum(inner, recorder);
  std::vector<Cube> terms = TermsOf(inner, n);
  recorder.Add("commutative", 1, SumExpr(terms, n));
  UniteToTarget(terms, target, recorder);
  recorder.SetNegated(false);
  LawExpr outer = Negation(SumExpr(terms, n));
  NormaliseToSum(outer, recorder, false);
}

}  // namespace

std::vector<Cube> TermsOf(const LawExpr& expr, int variables) {
  if (expr.kind == LawKind::kZero) return {};
  std::vector<Cube> terms;
  if (expr.kind == LawKind::kOr) {
    for (const LawExpr& t : expr.children) terms.push_back(TermOf(t, variables));
  } else {
    terms.push_back(TermOf(expr, variables));
  }
  return terms;
}

const std::vector<std::pair<std::string, std::string>>& KnownLaws() {
  static const std::vector<std::pair<std::string, std::string>> laws = {
      {"identity", "x*1 = x, x+0 = x, x/0 = x"},
      {"null", "x*0 = 0, x+1 = 1"},
      {"idempotent", "x*x = x, x+x = x"},
      {"complement", "x*not(x) = 0, x+not(x) = 1, not(0) = 1, not(1) = 0"},
      {"involution", "not(not(x)) = x"},
      {"commutative", "x*y = y*x, x+y = y+x"},
      {"associative", "(x*y)*z = x*(y*z), (x+y)+z = x+(y+z), (x/y)/z = x/(y/z)"},
      {"distributive", "x*(y+z) = x*y+x*z, x+y*z = (x+y)*(x+z)"},
      {"absorption", "x+x*y = x, x*(x+y) = x"},
      {"De Morgan", "not(x*y) = not(x)+not(y), not(x+y) = not(x)*not(y)"},
      {"consensus", "x*y+not(x)*z+y*z = x*y+not(x)*z"},
      {"uniting", "x*y+x*not(y) = x"},
      {"XOR expansion", "x/y = x*not(y)+not(x)*y"},
  };
  return laws;
}

Derivation DeriveLeastForm(const LawExpr& given, const std::string& givenText,
                           const std::vector<std::string>& names, const std::vector<Cube>& target,
                           bool product, const DerivationLimits& limits) {
  const int n = static_cast<int>(names.size());
  const TruthVector function = EvaluateExpr(given, n);
  DerivationRecorder recorder(names, function, limits);
  recorder.AddGiven(givenText);
  Derivation derivation;
  try {
    if (product) {
      DeriveProduct(given, target, recorder);
    } else {
      LawExpr expr = given;
      NormaliseToSum(expr, recorder);
      std::vector<Cube> terms = TermsOf(expr, n);
      recorder.Add("commutative", 1, SumExpr(terms, n));
      UniteToTarget(terms, target, recorder);
    }
  } catch (const DerivationBudgetSpent&) {
    recorder.SetNegated(false);
    const LawExpr least = product ? ProductExpr(target, n) : SumExpr(target, n);
    recorder.Add("tabular method", 1, least, false);
    derivation.byTabularMethod = true;
  }
  derivation.steps = std::move(recorder.Steps());
  return derivation;
}

}  // namespace brevano

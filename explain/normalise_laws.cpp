// The laws that bring an expression to a sum of products: each applied at every outermost place it
// fits, one law a step, the laws tried in a fixed order.
#include <algorithm>
#include <optional>

#include "explain/derivation_recorder.h"

namespace brevano {

namespace {

using Rule = std::optional<LawExpr> (*)(const LawExpr&);

bool IsConst(const LawExpr& e, bool one) { return e.kind == (one ? LawKind::kOne : LawKind::kZero); }
bool IsOperator(const LawExpr& e) {
  return e.kind == LawKind::kAnd || e.kind == LawKind::kOr || e.kind == LawKind::kXor;
}

// An operator over `children`, or the child alone when it is one, or `empty` when there is none.
LawExpr Collapsed(LawKind kind, std::vector<LawExpr> children, bool empty) {
  if (children.empty()) return Constant(empty);
  if (children.size() == 1) return std::move(children[0]);
  return Operator(kind, std::move(children));
}

std::optional<LawExpr> Involution(const LawExpr& e) {
  if (e.kind == LawKind::kNot && e.children[0].kind == LawKind::kNot) return e.children[0].children[0];
  return std::nullopt;
}

// 0' = 1, 1' = 0; x*x' = 0, x+x' = 1.
std::optional<LawExpr> Complement(const LawExpr& e) {
  if (e.kind == LawKind::kNot && (IsConst(e.children[0], false) || IsConst(e.children[0], true)))
    return Constant(IsConst(e.children[0], false));
  if (e.kind != LawKind::kAnd && e.kind != LawKind::kOr) return std::nullopt;
  for (const LawExpr& a : e.children)
    for (const LawExpr& b : e.children)
      if (b.kind == LawKind::kNot && b.children[0] == a) return Constant(e.kind == LawKind::kOr);
  return std::nullopt;
}

// x*0 = 0, x+1 = 1.
std::optional<LawExpr> Null(const LawExpr& e) {
  if (e.kind != LawKind::kAnd && e.kind != LawKind::kOr) return std::nullopt;
  const bool one = e.kind == LawKind::kOr;
  for (const LawExpr& c : e.children)
    if (IsConst(c, one)) return Constant(one);
  return std::nullopt;
}

// x*1 = x, x+0 = x, x/0 = x.
std::optional<LawExpr> Identity(const LawExpr& e) {
  if (!IsOperator(e)) return std::nullopt;
  const bool neutral = e.kind == LawKind::kAnd;
  std::vector<LawExpr> kept;
  for (const LawExpr& c : e.children)
    if (!IsConst(c, neutral)) kept.push_back(c);
  if (kept.size() == e.children.size()) return std::nullopt;
  return Collapsed(e.kind, std::move(kept), neutral);
}

// (x*y)*z = x*y*z, and the same for + and /.
std::optional<LawExpr> Associative(const LawExpr& e) {
  if (!IsOperator(e)) return std::nullopt;
  if (std::none_of(e.children.begin(), e.children.end(), [&](const LawExpr& c) { return c.kind == e.kind; }))
    return std::nullopt;
  std::vector<LawExpr> flat;
  for (const LawExpr& c : e.children) {
    if (c.kind == e.kind)
      flat.insert(flat.end(), c.children.begin(), c.children.end());
    else
      flat.push_back(c);
  }
  return Operator(e.kind, std::move(flat));
}

// x/y = x*y' + x'*y, the chain read from the left: its last operand against the rest.
std::optional<LawExpr> XorExpansion(const LawExpr& e) {
  if (e.kind != LawKind::kXor) return std::nullopt;
  std::vector<LawExpr> rest(e.children.begin(), e.children.end() - 1);
  const LawExpr x = rest.size() == 1 ? rest[0] : Operator(LawKind::kXor, rest);
  const LawExpr& y = e.children.back();
  return Operator(LawKind::kOr,
                  {Operator(LawKind::kAnd, {x, Negation(y)}), Operator(LawKind::kAnd, {Negation(x), y})});
}

// (x*y)' = x'+y', (x+y)' = x'*y'.
std::optional<LawExpr> DeMorgan(const LawExpr& e) {
  if (e.kind != LawKind::kNot) return std::nullopt;
  const LawExpr& inner = e.children[0];
  if (inner.kind != LawKind::kAnd && inner.kind != LawKind::kOr) return std::nullopt;
  std::vector<LawExpr> negated;
  for (const LawExpr& c : inner.children) negated.push_back(Negation(c));
  return Operator(inner.kind == LawKind::kAnd ? LawKind::kOr : LawKind::kAnd, std::move(negated));
}

// x*(y+z) = x*y + x*z, over the first sum among the factors.
std::optional<LawExpr> Distributive(const LawExpr& e) {
  if (e.kind != LawKind::kAnd) return std::nullopt;
  const auto sum = std::find_if(e.children.begin(), e.children.end(),
                                [](const LawExpr& c) { return c.kind == LawKind::kOr; });
  if (sum == e.children.end()) return std::nullopt;
  const std::size_t at = static_cast<std::size_t>(sum - e.children.begin());
  std::vector<LawExpr> terms;
  for (const LawExpr& y : sum->children) {
    std::vector<LawExpr> factors = e.children;
    factors[at] = y;
    terms.push_back(Operator(LawKind::kAnd, std::move(factors)));
  }
  return Operator(LawKind::kOr, std::move(terms));
}

// x*x = x, x+x = x.
std::optional<LawExpr> Idempotent(const LawExpr& e) {
  if (e.kind != LawKind::kAnd && e.kind != LawKind::kOr) return std::nullopt;
  std::vector<LawExpr> kept;
  for (const LawExpr& c : e.children)
    if (std::find(kept.begin(), kept.end(), c) == kept.end()) kept.push_back(c);
  if (kept.size() == e.children.size()) return std::nullopt;
  return Collapsed(e.kind, std::move(kept), e.kind == LawKind::kAnd);
}

// Rewrites every outermost node the rule fits; the number of places. Two 1s are never made operands
// of one sum in a step: the front end would read 1+1 as the number 2 (the null law then takes the
// sum at the next step).
int ApplyEverywhere(LawExpr& e, Rule rule) {
  if (std::optional<LawExpr> rewritten = rule(e)) {
    e = std::move(*rewritten);
    return 1;
  }
  int places = 0;
  bool hasOne = e.kind == LawKind::kOr && std::any_of(e.children.begin(), e.children.end(),
                                                      [](const LawExpr& c) { return IsConst(c, true); });
  for (LawExpr& child : e.children) {
    if (e.kind == LawKind::kOr && !IsConst(child, true)) {
      const std::optional<LawExpr> whole = rule(child);
      if (whole && IsConst(*whole, true) && hasOne) continue;
    }
    places += ApplyEverywhere(child, rule);
    hasOne = hasOne || (e.kind == LawKind::kOr && IsConst(child, true));
  }
  return places;
}

struct NamedRule {
  const char* law;
  Rule rule;
};

// XORs go first, so that no constant is ever an operand of one (the front end reads 1/1, x/1, 0/x
// and x/0 as numbers); then constants, then what pushes negations inwards, then what multiplies out.
constexpr NamedRule kRules[] = {
    {"XOR expansion", XorExpansion}, {"complement", Complement}, {"null", Null},
    {"identity", Identity},          {"involution", Involution}, {"associative", Associative},
    {"idempotent", Idempotent},      {"De Morgan", DeMorgan},    {"distributive", Distributive},
};

}  // namespace

void NormaliseToSum(LawExpr& expr, DerivationRecorder& recorder, bool multiplyOut) {
  for (;;) {
    bool applied = false;
    for (const NamedRule& named : kRules) {
      if (!multiplyOut && (named.rule == XorExpansion || named.rule == Distributive)) continue;
      const int places = ApplyEverywhere(expr, named.rule);
      if (places == 0) continue;
      recorder.CheckSize(expr);
      recorder.Add(named.law, places, expr);
      applied = true;
      break;
    }
    if (!applied) return;
  }
}

}  // namespace brevano

// The check of a named law: the law's rewrites at one place after another, searched breadth first
// from each line towards the other, the lines compared in any order and grouping of their operands.
#include "explain/law_check.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "explain/derivation.h"

namespace brevano {

namespace {

using Rewrites = std::vector<LawExpr> (*)(const LawExpr&);

bool IsSumOrProduct(const LawExpr& e) { return e.kind == LawKind::kAnd || e.kind == LawKind::kOr; }
bool IsConst(const LawExpr& e, bool one) { return e.kind == (one ? LawKind::kOne : LawKind::kZero); }

LawExpr Collapsed(LawKind kind, std::vector<LawExpr> children, bool empty) {
  if (children.empty()) return Constant(empty);
  if (children.size() == 1) return std::move(children[0]);
  return Operator(kind, std::move(children));
}

// The expression with nested operators of one kind made one: (x+y)+z is x+y+z.
LawExpr Flattened(const LawExpr& e) {
  LawExpr out{e.kind, e.variable, {}};
  for (const LawExpr& c : e.children) {
    LawExpr flat = Flattened(c);
    if (flat.kind == e.kind && e.kind != LawKind::kNot) {
      for (LawExpr& g : flat.children) out.children.push_back(std::move(g));
    } else {
      out.children.push_back(std::move(flat));
    }
  }
  return out;
}

// The expression with its operands flattened and sorted and the operators' neutral constants left
// out (the table's reading folds x*1 to x), as text: equal for equal readings up to the order and
// grouping of operands.
std::string Canonical(const LawExpr& e) {
  switch (e.kind) {
    case LawKind::kZero: return "0";
    case LawKind::kOne: return "1";
    case LawKind::kVariable: return "v" + std::to_string(e.variable);
    case LawKind::kNot: return "!(" + Canonical(e.children[0]) + ")";
    default: break;
  }
  std::vector<std::string> parts;
  std::vector<const LawExpr*> work;
  for (const LawExpr& c : e.children) work.push_back(&c);
  while (!work.empty()) {
    const LawExpr* c = work.back();
    work.pop_back();
    if (c->kind == e.kind) {
      for (const LawExpr& g : c->children) work.push_back(&g);
    } else if (!IsConst(*c, e.kind == LawKind::kAnd)) {
      parts.push_back(Canonical(*c));
    }
  }
  if (parts.empty()) return e.kind == LawKind::kAnd ? "1" : "0";
  if (parts.size() == 1) return parts[0];
  std::sort(parts.begin(), parts.end());
  std::string text = e.kind == LawKind::kOr ? "+(" : e.kind == LawKind::kAnd ? "*(" : "/(";
  for (const std::string& p : parts) text += p + ",";
  return text + ")";
}

// The factors of a term (a product's operands, or the term alone), as canonical texts, sorted.
std::vector<std::string> Factors(const LawExpr& e, LawKind product) {
  std::vector<std::string> factors;
  if (e.kind == product) {
    for (const LawExpr& c : e.children) factors.push_back(Canonical(c));
  } else {
    factors.push_back(Canonical(e));
  }
  std::sort(factors.begin(), factors.end());
  return factors;
}

// `e` without its operands `drop` (indexes), with `add` appended.
LawExpr Without(const LawExpr& e, std::initializer_list<std::size_t> drop, std::vector<LawExpr> add,
                bool empty) {
  std::vector<LawExpr> kept;
  for (std::size_t i = 0; i < e.children.size(); ++i)
    if (std::find(drop.begin(), drop.end(), i) == drop.end()) kept.push_back(e.children[i]);
  for (LawExpr& a : add) kept.push_back(std::move(a));
  return Collapsed(e.kind, std::move(kept), empty);
}

std::vector<LawExpr> Identity(const LawExpr& e) {
  std::vector<LawExpr> out;
  if (e.kind != LawKind::kAnd && e.kind != LawKind::kOr && e.kind != LawKind::kXor) return out;
  const bool neutral = e.kind == LawKind::kAnd;
  for (std::size_t i = 0; i < e.children.size(); ++i)
    if (IsConst(e.children[i], neutral)) out.push_back(Without(e, {i}, {}, neutral));
  return out;
}

std::vector<LawExpr> Null(const LawExpr& e) {
  if (!IsSumOrProduct(e)) return {};
  const bool one = e.kind == LawKind::kOr;
  for (const LawExpr& c : e.children)
    if (IsConst(c, one)) return {Constant(one)};
  return {};
}

std::vector<LawExpr> Idempotent(const LawExpr& e) {
  std::vector<LawExpr> out;
  if (!IsSumOrProduct(e)) return out;
  for (std::size_t i = 0; i < e.children.size(); ++i)
    for (std::size_t j = i + 1; j < e.children.size(); ++j)
      if (Canonical(e.children[i]) == Canonical(e.children[j])) out.push_back(Without(e, {j}, {}, true));
  return out;
}

std::vector<LawExpr> Complement(const LawExpr& e) {
  if (e.kind == LawKind::kNot && (IsConst(e.children[0], false) || IsConst(e.children[0], true)))
    return {Constant(IsConst(e.children[0], false))};
  std::vector<LawExpr> out;
  if (!IsSumOrProduct(e)) return out;
  const bool one = e.kind == LawKind::kOr;
  for (std::size_t i = 0; i < e.children.size(); ++i)
    for (std::size_t j = 0; j < e.children.size(); ++j)
      if (e.children[j].kind == LawKind::kNot &&
          Canonical(e.children[j].children[0]) == Canonical(e.children[i]))
        out.push_back(Without(e, {i, j}, {Constant(one)}, !one));
  return out;
}

std::vector<LawExpr> Involution(const LawExpr& e) {
  if (e.kind == LawKind::kNot && e.children[0].kind == LawKind::kNot) return {e.children[0].children[0]};
  return {};
}

std::vector<LawExpr> DeMorgan(const LawExpr& e) {
  if (e.kind != LawKind::kNot || !IsSumOrProduct(e.children[0])) return {};
  std::vector<LawExpr> negated;
  for (const LawExpr& c : e.children[0].children) negated.push_back(Negation(c));
  return {Operator(e.children[0].kind == LawKind::kAnd ? LawKind::kOr : LawKind::kAnd, std::move(negated))};
}

std::vector<LawExpr> XorExpansion(const LawExpr& e) {
  if (e.kind != LawKind::kXor) return {};
  std::vector<LawExpr> rest(e.children.begin(), e.children.end() - 1);
  const LawExpr x = rest.size() == 1 ? rest[0] : Operator(LawKind::kXor, rest);
  const LawExpr& y = e.children.back();
  return {Operator(LawKind::kOr,
                   {Operator(LawKind::kAnd, {x, Negation(y)}), Operator(LawKind::kAnd, {Negation(x), y})})};
}

// x*(y+z) = x*y+x*z and x+y*z = (x+y)*(x+z), over each operand of the inner kind.
std::vector<LawExpr> Distributive(const LawExpr& e) {
  std::vector<LawExpr> out;
  if (!IsSumOrProduct(e)) return out;
  const LawKind inner = e.kind == LawKind::kAnd ? LawKind::kOr : LawKind::kAnd;
  for (std::size_t k = 0; k < e.children.size(); ++k) {
    if (e.children[k].kind != inner) continue;
    std::vector<LawExpr> spread;
    for (const LawExpr& y : e.children[k].children) {
      std::vector<LawExpr> parts = e.children;
      parts[k] = y;
      spread.push_back(Operator(e.kind, std::move(parts)));
    }
    out.push_back(Operator(inner, std::move(spread)));
  }
  return out;
}

// x+x*y = x and x*(x+y) = x: an operand whose parts include all of another's goes.
std::vector<LawExpr> Absorption(const LawExpr& e) {
  std::vector<LawExpr> out;
  if (!IsSumOrProduct(e)) return out;
  const LawKind part = e.kind == LawKind::kOr ? LawKind::kAnd : LawKind::kOr;
  for (std::size_t i = 0; i < e.children.size(); ++i) {
    const std::vector<std::string> small = Factors(e.children[i], part);
    for (std::size_t j = 0; j < e.children.size(); ++j) {
      const std::vector<std::string> large = Factors(e.children[j], part);
      if (i != j && large.size() > small.size() &&
          std::includes(large.begin(), large.end(), small.begin(), small.end()))
        out.push_back(Without(e, {j}, {}, e.kind == LawKind::kAnd));
    }
  }
  return out;
}

// The factors of a term but the one at `skip`, and that one.
std::vector<LawExpr> FactorExprs(const LawExpr& e) {
  return e.kind == LawKind::kAnd ? e.children : std::vector<LawExpr>{e};
}

// x*y+x*not(y) = x.
std::vector<LawExpr> Uniting(const LawExpr& e) {
  std::vector<LawExpr> out;
  if (e.kind != LawKind::kOr) return out;
  for (std::size_t i = 0; i < e.children.size(); ++i) {
    const std::vector<LawExpr> fi = FactorExprs(e.children[i]);
    for (std::size_t j = 0; j < e.children.size(); ++j) {
      if (i == j) continue;
      const std::vector<LawExpr> fj = FactorExprs(e.children[j]);
      for (std::size_t y = 0; y < fj.size(); ++y) {
        if (fj[y].kind != LawKind::kNot) continue;
        std::vector<LawExpr> common = fj;
        common.erase(common.begin() + static_cast<std::ptrdiff_t>(y));
        std::vector<LawExpr> withY = common;
        withY.push_back(fj[y].children[0]);
        if (Canonical(Collapsed(LawKind::kAnd, withY, true)) != Canonical(Collapsed(LawKind::kAnd, fi, true)))
          continue;
        out.push_back(Without(e, {i, j}, {Collapsed(LawKind::kAnd, common, true)}, false));
      }
    }
  }
  return out;
}

// x*y+not(x)*z+y*z = x*y+not(x)*z: a term whose factors are those of two others but x and not(x).
std::vector<LawExpr> Consensus(const LawExpr& e) {
  std::vector<LawExpr> out;
  if (e.kind != LawKind::kOr) return out;
  const std::size_t n = e.children.size();
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j < n; ++j) {
      const std::vector<LawExpr> fj = FactorExprs(e.children[j]);
      for (const LawExpr& nx : fj) {
        if (nx.kind != LawKind::kNot || i == j) continue;
        std::set<std::string> yz;
        bool hasX = false;
        for (const LawExpr& f : FactorExprs(e.children[i])) {
          if (Canonical(f) == Canonical(nx.children[0]))
            hasX = true;
          else
            yz.insert(Canonical(f));
        }
        if (!hasX) continue;
        for (const LawExpr& f : fj)
          if (&f != &nx) yz.insert(Canonical(f));
        for (std::size_t k = 0; k < n; ++k) {
          const std::vector<std::string> fk = Factors(e.children[k], LawKind::kAnd);
          if (k != i && k != j && std::set<std::string>(fk.begin(), fk.end()) == yz)
            out.push_back(Without(e, {k}, {}, false));
        }
      }
    }
  return out;
}

std::vector<LawExpr> None(const LawExpr&) { return {}; }

Rewrites RewritesOf(const std::string& law) {
  static const std::vector<std::pair<std::string, Rewrites>> rules = {
      {"identity", Identity},          {"null", Null},
      {"idempotent", Idempotent},      {"complement", Complement},
      {"involution", Involution},      {"De Morgan", DeMorgan},
      {"XOR expansion", XorExpansion}, {"distributive", Distributive},
      {"absorption", Absorption},      {"uniting", Uniting},
      {"consensus", Consensus},
  };
  for (const auto& [name, rewrites] : rules)
    if (name == law) return rewrites;
  return None;
}

// Every tree the law makes of `e` at one place.
void OnePlace(const LawExpr& e, Rewrites rewrites, std::vector<LawExpr>& out) {
  for (LawExpr& r : rewrites(e)) out.push_back(Flattened(r));
  for (std::size_t i = 0; i < e.children.size(); ++i) {
    std::vector<LawExpr> inner;
    OnePlace(e.children[i], rewrites, inner);
    for (LawExpr& r : inner) {
      LawExpr copy = e;
      copy.children[i] = std::move(r);
      out.push_back(Flattened(copy));
    }
  }
}

constexpr std::size_t kMaxStates = 3000;
constexpr int kMaxPlaces = 4;

// Whether `to` is reached from `from` by the law at up to kMaxPlaces places; none past kMaxStates.
std::optional<bool> Reaches(const LawExpr& from, const LawExpr& to, Rewrites rewrites) {
  const std::string goal = Canonical(to);
  std::set<std::string> seen{Canonical(from)};
  std::vector<LawExpr> level{from};
  for (int depth = 0; depth < kMaxPlaces && !level.empty(); ++depth) {
    std::vector<LawExpr> next;
    for (const LawExpr& e : level) {
      std::vector<LawExpr> made;
      OnePlace(e, rewrites, made);
      for (LawExpr& m : made) {
        std::string key = Canonical(m);
        if (key == goal) return true;
        if (!seen.insert(std::move(key)).second) continue;
        if (seen.size() > kMaxStates) return std::nullopt;
        next.push_back(std::move(m));
      }
    }
    level = std::move(next);
  }
  return false;
}

// The law at every outermost place it fits at once, its first rewrite at each.
LawExpr AllPlaces(const LawExpr& e, Rewrites rewrites) {
  std::vector<LawExpr> here = rewrites(e);
  if (!here.empty()) return std::move(here[0]);
  LawExpr copy = e;
  for (LawExpr& child : copy.children) child = AllPlaces(child, rewrites);
  return copy;
}

}  // namespace

std::optional<std::string> LawNamed(const std::string& text) {
  std::string lower;
  for (char c : text)
    if (c != ' ' && c != '\'' && c != '-')
      lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const auto& [name, equation] : KnownLaws()) {
    std::string key;
    for (char c : name)
      if (c != ' ') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.compare(0, key.size(), key) == 0) return name;
  }
  return std::nullopt;
}

std::optional<bool> LawGivesStep(const std::string& law, const LawExpr& beforeAsRead,
                                 const LawExpr& afterAsRead) {
  const LawExpr before = Flattened(beforeAsRead), after = Flattened(afterAsRead);
  if (Canonical(before) == Canonical(after)) return true;  // order and grouping alone
  if (law == "commutative" || law == "associative") return false;
  const Rewrites rewrites = RewritesOf(law);
  if (Canonical(AllPlaces(before, rewrites)) == Canonical(after) ||
      Canonical(AllPlaces(after, rewrites)) == Canonical(before))
    return true;
  const std::optional<bool> forward = Reaches(before, after, rewrites);
  if (forward && *forward) return true;
  const std::optional<bool> backward = Reaches(after, before, rewrites);
  if (backward && *backward) return true;
  if (!forward || !backward) return std::nullopt;
  return false;
}

}  // namespace brevano

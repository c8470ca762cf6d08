// Law expressions: read from a table's program, written back as text, evaluated row by row in words.
#include "explain/law_expression.h"

#include <algorithm>

#include "engine/text_tests.h"
#include "tabulate/run_program.h"

namespace brevano {

namespace {

bool IsConstant(const LawExpr& e) { return e.kind == LawKind::kZero || e.kind == LawKind::kOne; }

// The truth-value identities the "Evaluated as" text applies as it reads the program.
LawExpr Folded(OpCode op, LawExpr left, LawExpr right) {
  if (IsConstant(left) && !IsConstant(right)) std::swap(left, right);
  if (IsConstant(right)) {
    const bool one = right.kind == LawKind::kOne;
    if (IsConstant(left)) {
      const bool l = left.kind == LawKind::kOne;
      return Constant(op == OpCode::kOr ? (l || one) : op == OpCode::kAnd ? (l && one) : (l != one));
    }
    if (op == OpCode::kOr) return one ? Constant(true) : left;
    if (op == OpCode::kAnd) return one ? left : Constant(false);
    return one ? Negation(std::move(left)) : left;
  }
  const LawKind kind = op == OpCode::kOr ? LawKind::kOr : op == OpCode::kAnd ? LawKind::kAnd : LawKind::kXor;
  return Operator(kind, {std::move(left), std::move(right)});
}

int Precedence(const LawExpr& e) {
  switch (e.kind) {
    case LawKind::kOr: return 1;
    case LawKind::kAnd:
    case LawKind::kXor: return 2;
    default: return 3;
  }
}

void Write(const LawExpr& e, const std::vector<std::string>& names, std::string& out);

void WriteChild(const LawExpr& parent, const LawExpr& child, bool first,
                const std::vector<std::string>& names, std::string& out) {
  const int own = Precedence(parent), inner = Precedence(child);
  const bool wrap = inner < own || (inner == own && (child.kind != parent.kind ? true : !first));
  if (wrap) out += '(';
  Write(child, names, out);
  if (wrap) out += ')';
}

void Write(const LawExpr& e, const std::vector<std::string>& names, std::string& out) {
  switch (e.kind) {
    case LawKind::kZero: out += '0'; return;
    case LawKind::kOne: out += '1'; return;
    case LawKind::kVariable:
      if (IsNumberText(names[e.variable])) out += ' ';
      out += names[e.variable];
      return;
    case LawKind::kNot:
      out += "not(";
      Write(e.children[0], names, out);
      out += ')';
      return;
    default: break;
  }
  const char sign = e.kind == LawKind::kOr ? '+' : e.kind == LawKind::kAnd ? '*' : '/';
  for (std::size_t i = 0; i < e.children.size(); ++i) {
    if (i) out += sign;
    WriteChild(e, e.children[i], i == 0, names, out);
  }
}

// The rows of variable `index` among `variables` as words.
std::vector<std::uint64_t> VariableWords(int index, int variables, std::size_t words) {
  static constexpr std::uint64_t kPatterns[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                                 0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                                 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};
  const int bit = variables - 1 - index;
  std::vector<std::uint64_t> out(words);
  for (std::size_t w = 0; w < words; ++w)
    out[w] = bit < 6 ? kPatterns[bit] : (((w >> (bit - 6)) & 1) ? ~std::uint64_t{0} : 0);
  return out;
}

std::vector<std::uint64_t> Evaluate(const LawExpr& e, int variables, std::size_t words) {
  switch (e.kind) {
    case LawKind::kZero: return std::vector<std::uint64_t>(words, 0);
    case LawKind::kOne: return std::vector<std::uint64_t>(words, ~std::uint64_t{0});
    case LawKind::kVariable: return VariableWords(e.variable, variables, words);
    case LawKind::kNot: {
      std::vector<std::uint64_t> v = Evaluate(e.children[0], variables, words);
      for (auto& w : v) w = ~w;
      return v;
    }
    default: break;
  }
  std::vector<std::uint64_t> acc = Evaluate(e.children[0], variables, words);
  for (std::size_t i = 1; i < e.children.size(); ++i) {
    const std::vector<std::uint64_t> v = Evaluate(e.children[i], variables, words);
    for (std::size_t w = 0; w < words; ++w)
      acc[w] = e.kind == LawKind::kOr    ? acc[w] | v[w]
               : e.kind == LawKind::kAnd ? acc[w] & v[w]
                                         : acc[w] ^ v[w];
  }
  return acc;
}

}  // namespace

LawExpr Constant(bool one) { return {one ? LawKind::kOne : LawKind::kZero, -1, {}}; }
LawExpr Variable(int index) { return {LawKind::kVariable, index, {}}; }
LawExpr Negation(LawExpr child) {
  LawExpr e{LawKind::kNot, -1, {}};
  e.children.push_back(std::move(child));
  return e;
}
LawExpr Operator(LawKind kind, std::vector<LawExpr> children) { return {kind, -1, std::move(children)}; }

namespace {

// Law expressions as the interpreter's algebra; `folded` applies the truth-value identities as the
// "Evaluated as" text does.
struct LawAlgebra {
  using Value = LawExpr;
  bool folded = true;

  LawExpr Constant(bool one) const { return brevano::Constant(one); }
  LawExpr Variable(const Instruction& in) const { return brevano::Variable(in.variable); }
  LawExpr Not(LawExpr top) const {
    if (!folded) return Negation(std::move(top));
    if (IsConstant(top)) return brevano::Constant(top.kind == LawKind::kZero);
    if (top.kind == LawKind::kNot) return LawExpr(std::move(top.children[0]));
    return Negation(std::move(top));
  }
  LawExpr Binary(OpCode op, LawKind kind, LawExpr left, LawExpr right) const {
    if (folded) return Folded(op, std::move(left), std::move(right));
    return Operator(kind, {std::move(left), std::move(right)});
  }
  LawExpr And(LawExpr l, LawExpr r) const {
    return Binary(OpCode::kAnd, LawKind::kAnd, std::move(l), std::move(r));
  }
  LawExpr Or(LawExpr l, LawExpr r) const {
    return Binary(OpCode::kOr, LawKind::kOr, std::move(l), std::move(r));
  }
  LawExpr Xor(LawExpr l, LawExpr r) const {
    return Binary(OpCode::kXor, LawKind::kXor, std::move(l), std::move(r));
  }
};

}  // namespace

LawExpr ExprOfProgram(const CompiledProgram& program, bool folded) {
  LawAlgebra algebra{folded};
  return RunProgram(program, algebra);
}

std::string ExprText(const LawExpr& expr, const std::vector<std::string>& names) {
  std::string out;
  Write(expr, names, out);
  return out;
}

TruthVector EvaluateExpr(const LawExpr& expr, int variables) {
  TruthVector truth(variables);
  const std::vector<std::uint64_t> words = Evaluate(expr, variables, truth.WordCount());
  for (std::size_t w = 0; w < words.size(); ++w) truth.SetWord(w, words[w]);
  return truth;
}

std::size_t NodeCount(const LawExpr& expr) {
  std::size_t count = 1;
  for (const LawExpr& child : expr.children) count += NodeCount(child);
  return count;
}

}  // namespace brevano

// A symbolic run of the table's stack program: each slot holds an expression instead of a value.
#include "frontend/evaluated_as.h"

#include <deque>
#include <optional>
#include <string_view>

#include "tabulate/compiled_program.h"

namespace brevano {

namespace {

// A node of the expressions on the stack. Nodes are shared between slots and never copied, so the
// run takes time linear in the listing whatever its shape; text is written only at the end.
struct Term {
  OpCode op;   // kPushZero / kPushOne for constants, kPushVariable, kNot, or a binary operator
  int a = -1;  // operands (the left one for binary operators)
  int b = -1;
  std::string_view name;  // for a variable
};

class Terms {
 public:
  int Constant(bool one) { return one ? 1 : 0; }
  int Variable(std::string_view name) { return Add({OpCode::kPushVariable, -1, -1, name}); }

  int Not(int x) {
    if (IsConstant(x)) return x ^ 1;
    if (terms_[x].op == OpCode::kNot) return terms_[x].a;
    return Add({OpCode::kNot, x, -1, {}});
  }

  // Truth-value identities keep constants out of the written form, so that the simplifier, which
  // folds numbers arithmetically, cannot read it back differently.
  int Binary(OpCode op, int left, int right) {
    if (IsConstant(left) && !IsConstant(right)) std::swap(left, right);
    if (IsConstant(right)) {
      const bool one = right == 1;
      if (IsConstant(left)) {
        const bool l = left == 1;
        return Constant(op == OpCode::kOr ? (l || one) : op == OpCode::kAnd ? (l && one) : (l != one));
      }
      if (op == OpCode::kOr) return one ? 1 : left;
      if (op == OpCode::kAnd) return one ? left : 0;
      return one ? Not(left) : left;
    }
    return Add({op, left, right, {}});
  }

  std::string Text(int root) const;

 private:
  static bool IsConstant(int x) { return x < 2; }

  int Add(Term term) {
    terms_.push_back(term);
    return static_cast<int>(terms_.size()) - 1;
  }

  // Binding strength in the parser: "+" binds more weakly than "*" and "/".
  int Precedence(int x) const {
    if (IsConstant(x)) return 3;
    switch (terms_[x].op) {
      case OpCode::kOr: return 1;
      case OpCode::kAnd:
      case OpCode::kXor: return 2;
      default: return 3;
    }
  }

  std::vector<Term> terms_{{OpCode::kPushZero, -1, -1, {}}, {OpCode::kPushOne, -1, -1, {}}};
};

// Written with an explicit stack: an item is a term to write or a literal piece of text.
std::string Terms::Text(int root) const {
  struct Item {
    int term;
    std::string_view text;
  };
  std::string out;
  std::vector<Item> work{{root, {}}};
  while (!work.empty()) {
    const Item item = work.back();
    work.pop_back();
    if (item.term < 0) {
      out += item.text;
      continue;
    }
    if (IsConstant(item.term)) {
      out += item.term == 1 ? '1' : '0';
      continue;
    }
    const Term& t = terms_[item.term];
    if (t.op == OpCode::kPushVariable) {
      out += t.name;
    } else if (t.op == OpCode::kNot) {
      out += "not(";
      work.push_back({-1, ")"});
      work.push_back({t.a, {}});
    } else {
      const int own = Precedence(item.term);
      const bool wrapRight = Precedence(t.b) < own || (Precedence(t.b) == own && terms_[t.b].op != t.op);
      const bool wrapLeft = Precedence(t.a) < own;
      if (wrapRight) work.push_back({-1, ")"});
      work.push_back({t.b, {}});
      if (wrapRight) work.push_back({-1, "("});
      work.push_back({-1, t.op == OpCode::kOr ? "+" : t.op == OpCode::kAnd ? "*" : "/"});
      if (wrapLeft) work.push_back({-1, ")"});
      work.push_back({t.a, {}});
      if (wrapLeft) work.push_back({-1, "("});
    }
  }
  return out;
}

}  // namespace

StackReading ReadStack(const Listing& listing, std::size_t maxUnusedParts) {
  std::deque<std::string> names;  // normalised variable names, kept in place for the terms
  Terms terms;
  std::vector<int> stack;
  for (auto line = listing.rbegin(); line != listing.rend(); ++line) {
    std::string normalised = NormaliseLine(*line);
    const std::optional<OpCode> op = ClassifyLine(normalised);
    if (!op) continue;
    if (*op == OpCode::kOr || *op == OpCode::kAnd || *op == OpCode::kXor) {
      if (stack.size() < 2) break;
      const int left = stack.back();
      stack.pop_back();
      stack.back() = terms.Binary(*op, left, stack.back());
    } else if (*op == OpCode::kNot) {
      if (stack.empty()) break;
      stack.back() = terms.Not(stack.back());
    } else if (*op == OpCode::kPushVariable) {
      names.push_back(std::move(normalised));
      stack.push_back(terms.Variable(names.back()));
    } else {
      stack.push_back(terms.Constant(*op == OpCode::kPushOne));
    }
  }
  StackReading reading;
  reading.evaluatedAs = stack.empty() ? "0" : terms.Text(stack.front());
  reading.unusedCount = stack.empty() ? 0 : stack.size() - 1;
  for (std::size_t i = 1; i < stack.size() && reading.unusedParts.size() < maxUnusedParts; ++i)
    reading.unusedParts.push_back(terms.Text(stack[i]));
  return reading;
}

}  // namespace brevano

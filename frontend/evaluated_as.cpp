// A symbolic run of the table's stack program: each slot holds an expression instead of a value.
#include "frontend/evaluated_as.h"

#include <string_view>

#include "engine/text_tests.h"
#include "tabulate/run_program.h"

namespace brevano {

namespace {

// A node of the expressions on the stack. Nodes are shared between slots and never copied, so the
// run takes time linear in the listing whatever its shape; text is written only at the end.
struct Term {
  OpCode op;   // kPushZero / kPushOne for constants, kPushVariable, kNot, or a binary operator
  int a = -1;  // operands (the left one for binary operators)
  int b = -1;
  std::string_view name;  // for a variable
  bool mixed = false;     // its left spine within its level holds another operator than its own
};

class Terms {
 public:
  int Constant(bool one) { return one ? 1 : 0; }
  int Variable(std::string_view name) { return Add({OpCode::kPushVariable, -1, -1, name, false}); }

  int Not(int x) {
    if (IsConstant(x)) return x ^ 1;
    if (terms_[x].op == OpCode::kNot) return terms_[x].a;
    return Add({OpCode::kNot, x, -1, {}, false});
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
    const bool mixed = Precedence(left) == Precedence(op) && (terms_[left].op != op || terms_[left].mixed);
    return Add({op, left, right, {}, mixed});
  }

  std::string Text(int root) const;

 private:
  static bool IsConstant(int x) { return x < 2; }

  int Add(Term term) {
    terms_.push_back(term);
    return static_cast<int>(terms_.size()) - 1;
  }

  // Binding strength in the parser: "+" binds more weakly than "*" and "/", which bind alike.
  static int Precedence(OpCode op) { return op == OpCode::kOr ? 1 : IsBinary(op) ? 2 : 3; }
  int Precedence(int x) const { return IsConstant(x) ? 3 : Precedence(terms_[x].op); }

  // The parser groups one level from the left, so a right operand of that level keeps its
  // parentheses unless it is the same operator (AND, OR and XOR are associative) all along its
  // left spine: a*(b*c) may be written a*b*c, a*(b/c*d) may not.
  bool WrapRight(const Term& t) const {
    const int own = Precedence(t.op), right = Precedence(t.b);
    return right < own || (right == own && (terms_[t.b].op != t.op || terms_[t.b].mixed));
  }

  std::vector<Term> terms_{{OpCode::kPushZero, -1, -1, {}, false}, {OpCode::kPushOne, -1, -1, {}, false}};
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
      if (IsNumberText(t.name)) out += ' ';  // a blank beside it keeps it a name when typed back
      out += t.name;
    } else if (t.op == OpCode::kNot) {
      out += "not(";
      work.push_back({-1, ")"});
      work.push_back({t.a, {}});
    } else {
      const bool wrapRight = WrapRight(t);
      // The parser needs no parentheses around a "/" left of a "*", but a reader who takes AND
      // before XOR does.
      const bool wrapLeft = Precedence(t.a) < Precedence(t.op) ||
                            (t.op == OpCode::kAnd && !IsConstant(t.a) && terms_[t.a].op == OpCode::kXor);
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

namespace {

// Expressions: the values of the run that writes the function back. A variable is named by its
// listing line, found from the instruction's place in the run.
struct TermAlgebra {
  using Value = int;
  Terms& terms;
  const std::vector<ListedLine>& lines;
  const LinedInstructions& run;

  int Constant(bool one) { return terms.Constant(one); }
  int Variable(const Instruction& in) {
    const auto step = static_cast<std::size_t>(&in - run.instructions.data());
    return terms.Variable(lines[run.lines[step]].name);
  }
  int Not(int x) { return terms.Not(x); }
  int And(int left, int right) { return terms.Binary(OpCode::kAnd, left, right); }
  int Or(int left, int right) { return terms.Binary(OpCode::kOr, left, right); }
  int Xor(int left, int right) { return terms.Binary(OpCode::kXor, left, right); }
};

}  // namespace

StackReading ReadStack(const std::vector<ListedLine>& lines, std::size_t maxUnusedParts) {
  Terms terms;
  const LinedInstructions run = RunnableInstructions(lines);
  TermAlgebra algebra{terms, lines, run};
  const std::vector<int> stack = RunToStack(run.instructions, algebra, run.instructions.size());
  StackReading reading;
  reading.evaluatedAs = stack.empty() ? "0" : terms.Text(stack.front());
  reading.unusedCount = stack.empty() ? 0 : stack.size() - 1;
  for (std::size_t i = 1; i < stack.size() && reading.unusedParts.size() < maxUnusedParts; ++i)
    reading.unusedParts.push_back(terms.Text(stack[i]));
  return reading;
}

}  // namespace brevano

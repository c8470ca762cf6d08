// Static variable orders: first appearance, and a greedy chain of the variables that share terms.
#include "diagram/variable_order.h"

#include <algorithm>
#include <bit>
#include <numeric>

#include "tabulate/run_program.h"

namespace brevano {

namespace {

// Groups larger than this add nothing to the weights: they say little about which variables belong
// together, and their pairs cost the square of their size.
constexpr int kMaxGroup = 24;

// The variables in the order in which the text first names them (the program runs the text backwards).
std::vector<int> FirstAppearance(const CompiledProgram& program) {
  std::vector<int> order;
  std::vector<char> seen(static_cast<std::size_t>(program.VariableCount()), false);
  const std::vector<Instruction>& instructions = program.Instructions();
  for (auto in = instructions.rbegin(); in != instructions.rend(); ++in) {
    if (in->op != OpCode::kPushVariable || seen[in->variable]) continue;
    seen[in->variable] = true;
    order.push_back(in->variable);
  }
  for (int column = 0; column < program.VariableCount(); ++column)
    if (!seen[static_cast<std::size_t>(column)]) order.push_back(column);
  return order;
}

// Sets of variables, each with the operator that made it: a set that an operator other than its own
// consumes closes a group.
class GroupAlgebra {
 public:
  struct Value {
    std::uint64_t variables = 0;
    OpCode op = OpCode::kPushZero;
  };

  static Value Constant(bool one) { return {0, one ? OpCode::kPushOne : OpCode::kPushZero}; }
  static Value Variable(const Instruction& in) { return {std::uint64_t{1} << in.variable, in.op}; }
  static Value Not(Value x) { return x; }
  Value And(Value left, Value right) { return Join(left, right, OpCode::kAnd); }
  Value Or(Value left, Value right) { return Join(left, right, OpCode::kOr); }
  Value Xor(Value left, Value right) { return Join(left, right, OpCode::kXor); }

  // The groups closed so far, and the last one when `result` is the program's.
  std::vector<std::uint64_t> Groups(const Value& result) {
    Close(result, OpCode::kPushZero);
    return std::move(groups_);
  }

 private:
  void Close(const Value& value, OpCode consumer) {
    if (value.op != consumer && std::popcount(value.variables) >= 2) groups_.push_back(value.variables);
  }
  Value Join(const Value& left, const Value& right, OpCode op) {
    Close(left, op);
    Close(right, op);
    return {left.variables | right.variables, op};
  }

  std::vector<std::uint64_t> groups_;
};

// The variables of each largest subexpression made of one operator (a term of a sum, a factor of a
// product), by running the program on sets of variables.
std::vector<std::uint64_t> Groups(const CompiledProgram& program) {
  GroupAlgebra algebra;
  const GroupAlgebra::Value result = RunProgram(program, algebra);
  return algebra.Groups(result);
}

// Starting from the variable with the most weight, each next one is the one tied most strongly to
// those already placed (pairs in small groups weigh more).
std::vector<int> SharedTerms(const CompiledProgram& program) {
  const auto n = static_cast<std::size_t>(program.VariableCount());
  std::vector<double> weight(n * n, 0), total(n, 0);
  for (const std::uint64_t group : Groups(program)) {
    const int size = std::popcount(group);
    if (size > kMaxGroup) continue;
    const double share = 1.0 / (size - 1);
    for (std::uint64_t a = group; a != 0; a &= a - 1) {
      for (std::uint64_t b = group; b != 0; b &= b - 1) {
        const auto i = static_cast<std::size_t>(std::countr_zero(a)),
                   j = static_cast<std::size_t>(std::countr_zero(b));
        if (i != j) weight[i * n + j] += share;
      }
      total[static_cast<std::size_t>(std::countr_zero(a))] += 1;
    }
  }
  std::vector<int> order;
  std::vector<double> tie(n, 0);
  std::vector<char> placed(n, false);
  for (std::size_t step = 0; step < n; ++step) {
    std::size_t best = n;
    for (std::size_t v = 0; v < n; ++v) {
      if (placed[v]) continue;
      if (best == n || tie[v] > tie[best] || (tie[v] == tie[best] && total[v] > total[best])) best = v;
    }
    placed[best] = true;
    order.push_back(static_cast<int>(best));
    for (std::size_t v = 0; v < n; ++v) tie[v] += weight[best * n + v];
  }
  return order;
}

}  // namespace

std::vector<std::vector<int>> CandidateOrders(const CompiledProgram& program) {
  std::vector<int> table(static_cast<std::size_t>(program.VariableCount()));
  std::iota(table.begin(), table.end(), 0);
  std::vector<std::vector<int>> orders{table};
  for (std::vector<int> order : {FirstAppearance(program), SharedTerms(program)}) {
    if (std::find(orders.begin(), orders.end(), order) == orders.end()) orders.push_back(std::move(order));
  }
  return orders;
}

std::chrono::milliseconds OrderAttempt::Time() const {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return std::max(left, std::chrono::milliseconds(1));
}

std::vector<OrderAttempt> OrderAttempts(std::size_t orders, const DiagramLimits& limits) {
  const auto start = std::chrono::steady_clock::now();
  if (!limits.otherOrders || orders == 1) return {{0, limits.maxNodes, start + limits.maxTime}};
  std::vector<OrderAttempt> attempts;
  auto time = limits.maxTime / 10;
  for (std::size_t order = 0; order < orders; ++order) {
    attempts.push_back({order, limits.maxNodes / 10, start + time * static_cast<int>(order + 1)});
  }
  // Then table order until half of what is left, and the others in equal shares of the rest.
  const auto quick = start + time * static_cast<int>(orders);
  const auto end = start + limits.maxTime;
  const auto middle = orders > 1 ? quick + (end - quick) / 2 : end;
  attempts.push_back({0, limits.maxNodes, middle});
  for (std::size_t order = 1; order < orders; ++order) {
    attempts.push_back({order, limits.maxNodes,
                        middle + (end - middle) * static_cast<int>(order) / static_cast<int>(orders - 1)});
  }
  return attempts;
}

std::vector<int> LevelsOf(const std::vector<int>& order) {
  std::vector<int> levels(order.size());
  for (std::size_t level = 0; level < order.size(); ++level)
    levels[static_cast<std::size_t>(order[level])] = static_cast<int>(level);
  return levels;
}

}  // namespace brevano

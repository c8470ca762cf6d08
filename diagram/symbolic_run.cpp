// Running a compiled program on the manager's diagrams, and flattening a diagram (owner thread only).
#include "diagram/symbolic_run.h"

#include <functional>
#include <limits>

#include "diagram/buddy.h"

namespace brevano::diagram_detail {

namespace {

// Budget checks read the clock; every instruction's check would cost more than some operations.
constexpr unsigned kInstructionsPerCheck = 16;

int ApplyCode(OpCode op) {
  switch (op) {
    case OpCode::kOr: return bddop_or;
    case OpCode::kAnd: return bddop_and;
    default: return bddop_xor;
  }
}

}  // namespace

Ref RunSymbolically(const CompiledProgram& program, const std::vector<int>& managerVariable) {
  std::vector<Ref> stack;
  stack.reserve(program.MaxDepth());
  unsigned step = 0;
  for (const Instruction& in : program.Instructions()) {
    if (++step % kInstructionsPerCheck == 0) CheckJob();
    switch (in.op) {
      case OpCode::kOr:
      case OpCode::kAnd:
      case OpCode::kXor: {
        const Ref right = std::move(stack.back());
        stack.pop_back();
        stack.back() = Ref(bdd_apply(stack.back().Get(), right.Get(), ApplyCode(in.op)));
        break;
      }
      case OpCode::kNot: stack.back() = Ref(bdd_not(stack.back().Get())); break;
      case OpCode::kPushZero: stack.emplace_back(0); break;
      case OpCode::kPushOne: stack.emplace_back(1); break;
      case OpCode::kPushVariable: stack.emplace_back(bdd_ithvar(managerVariable[in.variable])); break;
    }
  }
  return stack.empty() ? Ref(0) : stack.front();
}

std::vector<int> FirstVariables(int count) {
  std::vector<int> variables(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) variables[static_cast<std::size_t>(i)] = i;
  return variables;
}

int TopVariable(int node, int none) { return node < 2 ? none : bdd_var(node); }

int Cofactor(int node, int variable, int bit) {
  if (TopVariable(node, -1) != variable) return node;
  return bit ? bdd_high(node) : bdd_low(node);
}

FlatDiagram Flatten(const Ref& root, int variableCount) {
  constexpr std::uint32_t kUnset = std::numeric_limits<std::uint32_t>::max();
  std::vector<std::uint32_t> index(static_cast<std::size_t>(bdd_getallocnum()), kUnset);
  const auto level = static_cast<std::uint8_t>(variableCount);
  std::vector<DiagramNode> nodes = {{0, 0, level, 0}, {0, 0, level, 1}};
  index[0] = 0;
  index[1] = 1;
  // Depth-first, children before parents; the depth is at most the number of variables.
  std::function<std::uint32_t(int)> visit = [&](int node) -> std::uint32_t {
    if (index[static_cast<std::size_t>(node)] != kUnset) return index[static_cast<std::size_t>(node)];
    const std::uint32_t low = visit(bdd_low(node));
    const std::uint32_t high = visit(bdd_high(node));
    DiagramNode flat{low, high, static_cast<std::uint8_t>(bdd_var(node)), 0};
    for (const std::uint32_t child : {low, high})
      flat.ones += nodes[child].ones << (nodes[child].level - flat.level - 1);
    nodes.push_back(flat);
    return index[static_cast<std::size_t>(node)] = static_cast<std::uint32_t>(nodes.size() - 1);
  };
  const std::uint32_t top = visit(root.Get());
  return {std::move(nodes), top};
}

}  // namespace brevano::diagram_detail

// Running a compiled program on the manager's diagrams, and flattening a diagram (owner thread only).
#include "diagram/symbolic_run.h"

#include <functional>
#include <limits>

#include "diagram/buddy.h"
#include "tabulate/run_program.h"

namespace brevano::diagram_detail {

namespace {

// Budget checks read the clock; every instruction's check would cost more than some operations.
constexpr unsigned kInstructionsPerCheck = 16;

// Diagrams of the manager; the budget is checked every few instructions.
class DiagramAlgebra {
 public:
  using Value = Ref;

  explicit DiagramAlgebra(const std::vector<int>& managerVariable) : managerVariable_(managerVariable) {}

  bool Proceed() {
    if (++step_ % kInstructionsPerCheck == 0) CheckJob();
    return true;
  }
  static Ref Constant(bool one) { return Ref(one ? 1 : 0); }
  Ref Variable(const Instruction& in) const { return Ref(bdd_ithvar(managerVariable_[in.variable])); }
  static Ref Not(const Ref& x) { return Ref(bdd_not(x.Get())); }
  static Ref And(const Ref& left, const Ref& right) { return Apply(left, right, bddop_and); }
  static Ref Or(const Ref& left, const Ref& right) { return Apply(left, right, bddop_or); }
  static Ref Xor(const Ref& left, const Ref& right) { return Apply(left, right, bddop_xor); }

 private:
  // The value below the operator (`right`) is the diagram library's first operand, as it always was.
  static Ref Apply(const Ref& left, const Ref& right, int op) {
    return Ref(bdd_apply(right.Get(), left.Get(), op));
  }

  const std::vector<int>& managerVariable_;
  unsigned step_ = 0;
};

}  // namespace

Ref RunSymbolically(const CompiledProgram& program, const std::vector<int>& managerVariable) {
  DiagramAlgebra algebra(managerVariable);
  return RunProgram(program, algebra);
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

// Running a program on sums of products: each stack entry is a list of cubes.
#include "twolevel/program_cubes.h"

#include "minimise/cube_sets.h"
#include "tabulate/bit_parallel.h"
#include "tabulate/run_program.h"

namespace brevano {

TruthVector ResultBits(const CompiledProgram& program) {
  TruthVector truth(program.VariableCount());
  BlockEvaluator evaluator(program);
  for (std::size_t word = 0; word < truth.WordCount(); ++word)
    truth.SetWord(word, evaluator.EvaluateAligned(64 * word));
  return truth;
}

namespace {

// a XOR b = a·not(b) + not(a)·b.
std::optional<CubeList> Exclusive(const CubeList& a, const CubeList& b, std::size_t maxCubes,
                                  Budget& control) {
  const std::optional<CubeList> notA = ComplementCubes(a, maxCubes, control);
  if (!notA) return std::nullopt;
  const std::optional<CubeList> notB = ComplementCubes(b, maxCubes, control);
  if (!notB) return std::nullopt;
  std::optional<CubeList> left = ProductCubes(a, *notB, maxCubes);
  const std::optional<CubeList> right = ProductCubes(*notA, b, maxCubes);
  if (!left || !right || left->size() + right->size() > maxCubes) return std::nullopt;
  left->insert(left->end(), right->begin(), right->end());
  return left;
}

// Sums of products over the program's variables. An operation that needs more than the most terms
// fails the run, as does the control once it says to stop.
class CubeAlgebra {
 public:
  using Value = CubeList;

  CubeAlgebra(int variables, std::size_t maxCubes, Budget& control)
      : variables_(variables), maxCubes_(maxCubes), control_(control) {}

  bool Failed() const { return failed_; }

  bool Proceed() {
    if (!failed_ && !control_.Tick()) failed_ = true;
    return !failed_;
  }
  static CubeList Constant(bool one) { return one ? CubeList{Cube{}} : CubeList{}; }
  CubeList Variable(const Instruction& in) const {
    const std::uint64_t bit = std::uint64_t{1} << (variables_ - 1 - in.variable);
    return {{bit, bit}};
  }
  CubeList Not(CubeList x) { return Checked(ComplementCubes(x, maxCubes_, control_)); }
  // The operand below the operator comes first in the result, as the sums were always written.
  CubeList Or(CubeList left, CubeList right) {
    if (right.size() + left.size() > maxCubes_) return Checked(std::nullopt);
    right.insert(right.end(), left.begin(), left.end());
    return right;
  }
  CubeList And(const CubeList& left, const CubeList& right) {
    return Checked(ProductCubes(right, left, maxCubes_));
  }
  CubeList Xor(const CubeList& left, const CubeList& right) {
    return Checked(Exclusive(right, left, maxCubes_, control_));
  }

 private:
  CubeList Checked(std::optional<CubeList> result) {
    if (!result) failed_ = true;
    return result ? std::move(*result) : CubeList{};
  }

  int variables_;
  std::size_t maxCubes_;
  Budget& control_;
  bool failed_ = false;
};

}  // namespace

std::optional<CubeList> CubesOfProgram(const CompiledProgram& program, std::size_t maxCubes,
                                       Budget& control) {
  CubeAlgebra algebra(program.VariableCount(), maxCubes, control);
  CubeList result = RunProgram(program, algebra);
  if (algebra.Failed()) return std::nullopt;
  return result;
}

}  // namespace brevano

// Running a program on sums of products: each stack entry is a list of cubes.
#include "twolevel/program_cubes.h"

#include "minimise/cube_sets.h"
#include "tabulate/bit_parallel.h"

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
                                  SearchControl& control) {
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

}  // namespace

std::optional<CubeList> CubesOfProgram(const CompiledProgram& program, std::size_t maxCubes,
                                       SearchControl& control) {
  const int n = program.VariableCount();
  std::vector<CubeList> stack;
  for (const Instruction& in : program.Instructions()) {
    if (!control.Tick()) return std::nullopt;
    switch (in.op) {
      case OpCode::kPushZero: stack.emplace_back(); break;
      case OpCode::kPushOne: stack.push_back({WideCube{}}); break;
      case OpCode::kPushVariable: {
        const std::uint64_t bit = std::uint64_t{1} << (n - 1 - in.variable);
        stack.push_back({{bit, bit}});
        break;
      }
      case OpCode::kNot: {
        std::optional<CubeList> complement = ComplementCubes(stack.back(), maxCubes, control);
        if (!complement) return std::nullopt;
        stack.back() = std::move(*complement);
        break;
      }
      case OpCode::kOr:
      case OpCode::kAnd:
      case OpCode::kXor: {
        CubeList right = std::move(stack.back());
        stack.pop_back();
        CubeList& left = stack.back();
        std::optional<CubeList> result;
        if (in.op == OpCode::kOr) {
          if (left.size() + right.size() > maxCubes) return std::nullopt;
          left.insert(left.end(), right.begin(), right.end());
          break;
        }
        result = in.op == OpCode::kAnd ? ProductCubes(left, right, maxCubes)
                                       : Exclusive(left, right, maxCubes, control);
        if (!result) return std::nullopt;
        left = std::move(*result);
        break;
      }
    }
  }
  if (stack.empty()) return CubeList{};
  return std::move(stack.front());
}

}  // namespace brevano

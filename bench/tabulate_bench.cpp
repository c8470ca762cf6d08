// Rows per second of the three evaluators of a truth table, and of the streamed text table.
#include <benchmark/benchmark.h>

#include <random>
#include <stdexcept>
#include <string>

#include "pipeline/pipeline.h"
#include "tabulate/bit_parallel.h"
#include "tabulate/compiled_program.h"
#include "tabulate/table_format.h"
#include "tabulate/tabulation.h"
#include "tests/support/reference_tabulation.h"

namespace {

using brevano::Listing;

// A fixed expression of exactly `nodes` nodes over the first `variables` letters, each used.
class ExpressionMaker {
 public:
  explicit ExpressionMaker(int variables) : variables_(variables) {}

  std::string Make(int nodes) {
    if (nodes == 1) return std::string(1, static_cast<char>('a' + next_++ % variables_));
    const bool negate = nodes == 2 || rng_() % 5 == 0;
    std::string text(negate ? "not(" : "(");
    if (negate) {
      text += Make(nodes - 1);
    } else {
      static constexpr char kOperators[] = {'+', '*', '/'};
      const int left = 1 + static_cast<int>(rng_() % (nodes - 2));
      text += Make(left);
      text += kOperators[rng_() % 3];
      text += Make(nodes - 1 - left);
    }
    return text + ")";
  }

 private:
  int variables_;
  int next_ = 0;
  std::mt19937_64 rng_{42};
};

Listing ListingOf(const std::string& text) {
  brevano::ExprTree tree;
  return brevano::ProcessExpression(text, tree);
}

const Listing& NotOr() {
  static const Listing listing = ListingOf("not(a+b)");
  return listing;
}

const Listing& HundredNodes() {
  static const Listing listing = [] {
    Listing made = ListingOf(ExpressionMaker(20).Make(100));
    if (made.size() != 100 || brevano::CompiledProgram::Compile(made, 63).VariableCount() != 20) {
      throw std::logic_error("the benchmark expression is not 100 nodes over 20 variables");
    }
    return made;
  }();
  return listing;
}

const Listing& ListingFor(const benchmark::State& state) {
  return state.range(0) == 0 ? NotOr() : HundredNodes();
}

void Label(benchmark::State& state) {
  state.SetLabel(state.range(0) == 0 ? "not(a+b)" : "100 nodes, 20 variables");
}

void BM_ReferenceRows(benchmark::State& state) {
  const Listing& listing = ListingFor(state);
  auto tabulator = std::make_unique<brevano::testing::ReferenceTabulator>(listing);
  for (auto _ : state) {
    benchmark::DoNotOptimize(tabulator->Evaluate());
    if (!tabulator->Advance()) tabulator = std::make_unique<brevano::testing::ReferenceTabulator>(listing);
  }
  state.SetItemsProcessed(state.iterations());
  Label(state);
}

void BM_CompiledRows(benchmark::State& state) {
  const auto program = brevano::CompiledProgram::Compile(ListingFor(state), 63);
  const std::uint64_t mask = program.RowCount() - 1;
  std::uint64_t row = 0;
  for (auto _ : state) benchmark::DoNotOptimize(brevano::EvaluateRow(program, row++ & mask));
  state.SetItemsProcessed(state.iterations());
  Label(state);
}

void BM_BitParallelRows(benchmark::State& state) {
  const auto program = brevano::CompiledProgram::Compile(ListingFor(state), 63);
  brevano::BlockEvaluator evaluator(program);
  const std::uint64_t mask = program.RowCount() - 1;
  std::uint64_t row = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(evaluator.EvaluateAligned(row & mask));
    row += 64;
  }
  // not(a+b) has 4 rows, so a block holds 4 rows there.
  state.SetItemsProcessed(state.iterations() * std::min<std::uint64_t>(64, program.RowCount()));
  Label(state);
}

void BM_CountRows(benchmark::State& state) {
  const auto program = brevano::CompiledProgram::Compile(HundredNodes(), 63);
  for (auto _ : state) benchmark::DoNotOptimize(brevano::CountRows(program, 1).count);
  state.SetItemsProcessed(state.iterations() * program.RowCount());
}

void BM_WriteTable(benchmark::State& state) {
  const auto table = brevano::TruthTable::Build(HundredNodes(), brevano::DisplayMode::kZeroOne);
  std::size_t bytes = 0;
  for (auto _ : state) {
    brevano::WriteTable(table, static_cast<brevano::TableFormat>(state.range(0)),
                        [&](std::string_view chunk) {
                          benchmark::DoNotOptimize(chunk.data());
                          bytes += chunk.size();
                          return true;
                        });
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.SetItemsProcessed(state.iterations() * table.RowCount());
}

}  // namespace

BENCHMARK(BM_ReferenceRows)->Arg(0)->Arg(1);
BENCHMARK(BM_CompiledRows)->Arg(0)->Arg(1);
BENCHMARK(BM_BitParallelRows)->Arg(0)->Arg(1);
BENCHMARK(BM_CountRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTable)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

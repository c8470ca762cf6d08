// Circuits and the other forms: the time to draw a circuit beside the Karnaugh map of the same table, typed
// circuits up to the drawing limit, the description (forms and properties) beside the analysis, and a large
// netlist beside Yosys reading it (run build/bench/brevano_bench_circuit).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "analysis/function_forms.h"
#include "circuit/circuit_forms.h"
#include "circuit/circuit_layout.h"
#include "circuit/circuit_picture.h"
#include "circuit/netlist.h"
#include "kmap/kmap_layout.h"
#include "kmap/kmap_picture.h"
#include "kmap/kmap_svg.h"
#include "picture/picture_svg.h"
#include "pipeline/pipeline.h"

namespace {

using Clock = std::chrono::steady_clock;
using brevano::TruthTable;

TruthTable TableOf(const std::string& expression) {
  brevano::ExprTree tree;
  return TruthTable::Build(brevano::ProcessExpression(expression, tree), brevano::DisplayMode::kZeroOne);
}

std::string Random(std::mt19937_64& rng, int variables, int nodes) {
  if (nodes <= 1) return "v" + std::to_string(rng() % variables);
  if (rng() % 6 == 0) return "not(" + Random(rng, variables, nodes - 1) + ")";
  const int left = 1 + static_cast<int>(rng() % (nodes - 1));
  static const char* kOps[] = {"+", "*", "/"};
  return "(" + Random(rng, variables, left) + kOps[rng() % 3] + Random(rng, variables, nodes - left) + ")";
}

// The fastest of three runs: the machine is shared.
double Milliseconds(const std::function<void()>& work) {
  double best = 1e9;
  for (int run = 0; run < 3; ++run) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

void Row(const std::string& what, std::vector<double> mine, std::vector<double> beside) {
  std::sort(mine.begin(), mine.end());
  std::sort(beside.begin(), beside.end());
  std::printf("| %s | %zu | %.2f | %.2f | %.2f | %.2f |\n", what.c_str(), mine.size(), mine[mine.size() / 2],
              mine.back(), beside[beside.size() / 2], beside.back());
  std::fflush(stdout);
}

std::size_t Drawn(const TruthTable& table, brevano::CircuitForm form) {
  const brevano::TableCircuit circuit = brevano::CircuitOfTable(table, form);
  const brevano::CircuitPicture picture =
      DrawCircuit(circuit.network, brevano::LayOutCircuit(circuit.network), brevano::SymbolStyle::kAnsi);
  return brevano::PictureSvg(picture).size();
}

// Small tables: the circuit beside the Karnaugh map of the same least sum.
void SmallCircuits(std::mt19937_64& rng) {
  std::vector<double> circuit, map;
  for (int i = 0; i < 100; ++i) {
    std::fflush(stdout);
    const TruthTable table = TableOf(Random(rng, 4, 12) + "+v0*v1*v2*v3*0");
    circuit.push_back(Milliseconds([&] { Drawn(table, brevano::CircuitForm::kSum); }));
    map.push_back(Milliseconds([&] {
      const brevano::KmapLayout layout = brevano::MakeKmapLayout(table);
      const brevano::KmapCover cover = LeastKmapCover(layout, brevano::KmapCoverKind::kSumOfProducts);
      if (brevano::KmapSvg(brevano::DrawKmap(layout, cover)).empty()) std::abort();
    }));
  }
  Row("4 variables, least sum of products: circuit / Karnaugh map", circuit, map);
}

// Typed circuits beside the tabulation of the same expression.
void TypedCircuits(std::mt19937_64& rng) {
  for (const int nodes : {40, 160, 400}) {
    std::vector<double> circuit, table;
    std::size_t gates = 0;
    for (int i = 0; i < 30; ++i) {
      const std::string expression = Random(rng, 8, nodes);
      table.push_back(Milliseconds([&] { TableOf(expression); }));
      const TruthTable built = TableOf(expression);
      gates =
          std::max(gates, brevano::CircuitOfTable(built, brevano::CircuitForm::kTyped).network.gates.size());
      circuit.push_back(Milliseconds([&] { Drawn(built, brevano::CircuitForm::kTyped); }));
    }
    Row("typed, " + std::to_string(nodes) + " leaves (up to " + std::to_string(gates) +
            " gates): circuit / tabulation",
        circuit, table);
  }
}

// The forms and properties beside the whole analysis. The analysis of a random function of 16
// variables can search for its full budget: one run each.
void FormsAndProperties(std::mt19937_64& rng) {
  for (const int variables : {12, 16, 20}) {
    std::vector<double> describe, analyse;
    for (int i = 0; i < 5; ++i) {
      const TruthTable table = TableOf(Random(rng, variables, 3 * variables));
      describe.push_back(Milliseconds([&] { brevano::DescribeFunction(table); }));
      const auto start = Clock::now();
      brevano::AnalyseTable(table);
      analyse.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    Row("forms and properties, " + std::to_string(variables) + " variables, rows / analysis", describe,
        analyse);
  }
  std::vector<double> describe, analyse;
  for (int i = 0; i < 10; ++i) {
    // An XOR of variables and products of two: a small diagram and a small algebraic normal form.
    std::string expression = "x0";
    for (int v = 1; v < 63; ++v) {
      const std::string name = "x" + std::to_string(v);
      expression += v % 3 ? "/" + name : "/(" + name + "*x" + std::to_string(rng() % 63) + ")";
    }
    const TruthTable table = TableOf(expression);
    describe.push_back(Milliseconds([&] { brevano::DescribeFunction(table); }));
    analyse.push_back(Milliseconds([&] { brevano::AnalyseTable(table); }));
  }
  Row("forms and properties, 63 variables (XOR of products), diagram / analysis", describe, analyse);
}

// A large typed netlist written, beside Yosys reading it.
void LargeNetlist(std::mt19937_64& rng) {
  const TruthTable table = TableOf(Random(rng, 40, 20000));
  std::string verilog;
  const double write = Milliseconds([&] {
    const brevano::TableCircuit circuit = brevano::CircuitOfTable(table, brevano::CircuitForm::kTyped);
    verilog = WriteNetlist(circuit.network, brevano::NetlistFormat::kVerilog, "bench");
  });
  std::ofstream("/tmp/brevano_bench_circuit.v") << verilog;
  const double yosys = Milliseconds([] {
    if (std::system("yosys -q -p 'read_verilog /tmp/brevano_bench_circuit.v' >/dev/null 2>&1") != 0)
      std::printf("(yosys not run)\n");
  });
  Row("typed Verilog netlist, 20,000 leaves / Yosys reading it", {write}, {yosys});
}

}  // namespace

int main() {
  std::mt19937_64 rng(25);
  std::printf("| what | count | median, ms | worst, ms | beside: median, ms | beside: worst, ms |\n");
  std::printf("|---|---|---|---|---|---|\n");
  SmallCircuits(rng);
  TypedCircuits(rng);
  FormsAndProperties(rng);
  LargeNetlist(rng);
  return 0;
}

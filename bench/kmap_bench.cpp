// Time to open a Karnaugh map of 4 to 6 variables: layout, both least covers, picture and SVG, beside
// the analysis of the same table (run build/bench/brevano_bench_kmap). The dialog does this work on
// the window's thread, so its worst case must stay well under a frame.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "kmap/kmap_layout.h"
#include "kmap/kmap_picture.h"
#include "kmap/kmap_svg.h"
#include "pipeline/pipeline.h"

namespace {

using Clock = std::chrono::steady_clock;

// A sum of the minterms of `values` over V0..Vn-1, tabulated through the pipeline as the window does.
brevano::TruthTable TableOf(int count, const std::vector<int>& values) {
  std::string expression = "0";
  for (std::size_t row = 0; row < values.size(); ++row) {
    if (!values[row]) continue;
    std::string term = "1";
    for (int v = 0; v < count; ++v) {
      const std::string name = "V" + std::to_string(v);
      term += "*" + ((row >> (count - 1 - v)) & 1 ? name : "not(" + name + ")");
    }
    expression += "+" + term;
  }
  // Every variable appears even for a constant function.
  for (int v = 0; v < count; ++v) expression += "+V" + std::to_string(v) + "*not(V" + std::to_string(v) + ")";
  brevano::ExprTree tree;
  return brevano::TruthTable::Build(brevano::ProcessExpression(expression, tree),
                                    brevano::DisplayMode::kZeroOne);
}

// The fastest of three runs: the machine is shared, and a run that was preempted says nothing of the work.
double Milliseconds(const std::function<void()>& work) {
  double best = 1e9;
  for (int run = 0; run < 3; ++run) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

void Report(const char* set, std::vector<double> map, std::vector<double> analysis) {
  std::sort(map.begin(), map.end());
  std::sort(analysis.begin(), analysis.end());
  std::printf("| %s | %zu | %.2f | %.2f | %.2f | %.2f |\n", set, map.size(), map[map.size() / 2], map.back(),
              analysis[analysis.size() / 2], analysis.back());
}

}  // namespace

int main() {
  std::printf(
      "| functions | count | map median, ms | map worst, ms | analysis median, ms | analysis worst, ms |\n");
  std::printf("|---|---|---|---|---|---|\n");
  std::mt19937 random(2026);
  for (int count = 4; count <= 6; ++count) {
    std::vector<double> map, analysis;
    for (int sample = 0; sample < 200; ++sample) {
      std::vector<int> values(std::size_t{1} << count);
      for (int& value : values) value = static_cast<int>(random() & 1);
      // Parity, with the most prime implicants of one kind, is the first sample.
      if (sample == 0) {
        for (std::size_t row = 0; row < values.size(); ++row) values[row] = __builtin_popcountll(row) & 1;
      }
      const brevano::TruthTable table = TableOf(count, values);
      map.push_back(Milliseconds([&] {
        const brevano::KmapLayout layout = brevano::MakeKmapLayout(table);
        for (auto kind : {brevano::KmapCoverKind::kSumOfProducts, brevano::KmapCoverKind::kProductOfSums}) {
          const brevano::KmapCover cover = brevano::LeastKmapCover(layout, kind);
          if (brevano::KmapSvg(brevano::DrawKmap(layout, cover)).empty()) std::abort();
        }
      }));
      analysis.push_back(Milliseconds([&] {
        if (!brevano::AnalyseTable(table).complete) std::abort();
      }));
    }
    const std::string set = std::to_string(count) + " variables, random and parity";
    Report(set.c_str(), map, analysis);
  }
}

// Time to the least sum of products for sets of functions: random truth tables of 10 and 12
// variables, expressions of the kind users type, and well-known circuits. One CSV line per function
// (run build/bench/brevano_bench_analysis; bench/sympy_compare.py sets it beside SymPy's SOPform).
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "minimise/minimise.h"

namespace {

using brevano::Cube;
using brevano::TruthVector;

struct Function {
  std::string set;
  std::string name;
  int variables;
  TruthVector truth;
};

TruthVector Tabulate(int variables, const std::function<bool(std::uint32_t)>& f) {
  TruthVector truth(variables);
  for (std::uint32_t row = 0; row < (1u << variables); ++row) {
    if (f(row)) truth.Set(row);
  }
  return truth;
}

void AddRandomTables(std::vector<Function>& out, int variables, int percent, int count, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::bernoulli_distribution one(percent / 100.0);
  const std::string set = "random" + std::to_string(variables) + "-" + std::to_string(percent);
  for (int i = 0; i < count; ++i) {
    out.push_back({set, set + "#" + std::to_string(i), variables,
                   Tabulate(variables, [&](std::uint32_t) { return one(rng); })});
  }
}

// Sums of a few random products of two to six literals, some XOR-ed with another such sum: the
// kind of expression a user types.
void AddTypedExpressions(std::vector<Function>& out, int variables, int count, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  auto randomSum = [&] {
    std::vector<Cube> terms(4 + rng() % 9);
    for (Cube& term : terms) {
      const int literals = 2 + static_cast<int>(rng() % 5);
      for (int i = 0; i < literals; ++i) {
        const std::uint32_t bit = 1u << (rng() % variables);
        term.care |= bit;
        term.value = (term.value & ~bit) | (rng() % 2 ? bit : 0);
      }
    }
    return terms;
  };
  auto value = [](const std::vector<Cube>& sum, std::uint32_t row) {
    for (const Cube& term : sum) {
      if (brevano::CubeContains(term, row)) return true;
    }
    return false;
  };
  for (int i = 0; i < count; ++i) {
    const std::vector<Cube> first = randomSum();
    const std::vector<Cube> second = i % 3 == 2 ? randomSum() : std::vector<Cube>{};
    out.push_back(
        {"typed12", "typed12#" + std::to_string(i), variables,
         Tabulate(variables, [&](std::uint32_t row) { return value(first, row) != value(second, row); })});
  }
}

void AddCircuits(std::vector<Function>& out) {
  const auto bits = [](std::uint32_t row, int from) { return (row >> from) & 63u; };
  out.push_back({"circuits12", "comparator a>b (6+6 bits)", 12,
                 Tabulate(12, [&](std::uint32_t row) { return bits(row, 6) > bits(row, 0); })});
  out.push_back({"circuits12", "carry of a+b (6+6 bits)", 12,
                 Tabulate(12, [&](std::uint32_t row) { return bits(row, 6) + bits(row, 0) >= 64; })});
  out.push_back({"circuits12", "at least 6 of 12", 12,
                 Tabulate(12, [](std::uint32_t row) { return std::popcount(row) >= 6; })});
  out.push_back({"circuits12", "parity of 12", 12,
                 Tabulate(12, [](std::uint32_t row) { return std::popcount(row) % 2 == 1; })});
  out.push_back({"circuits12", "8:1 multiplexer with enable", 12, Tabulate(12, [](std::uint32_t row) {
                   return ((row >> 11) & 1) && ((row >> ((row >> 8) & 7)) & 1);
                 })});
  out.push_back({"circuits12", "bit 5 of a*b (6+6 bits)", 12,
                 Tabulate(12, [&](std::uint32_t row) { return ((bits(row, 6) * bits(row, 0)) >> 5) & 1; })});
}

int LiteralCount(const std::vector<Cube>& terms) {
  int literals = 0;
  for (const Cube& term : terms) literals += brevano::LiteralCount(term);
  return literals;
}

const char* StatusName(brevano::MinimiseStatus status) {
  switch (status) {
    case brevano::MinimiseStatus::kExact: return "exact";
    case brevano::MinimiseStatus::kFewestTerms: return "fewest-terms";
    case brevano::MinimiseStatus::kHeuristic: return "heuristic";
    case brevano::MinimiseStatus::kTooManyVariables: return "too-many-variables";
    case brevano::MinimiseStatus::kTooLarge: return "too-large";
    case brevano::MinimiseStatus::kStopped: return "stopped";
  }
  return "?";
}

// One line per function for bench/sympy_compare.py: name, variables, then the 1 rows.
void WriteFunctions(const std::vector<Function>& functions, const std::string& path) {
  std::ofstream file(path);
  for (const Function& f : functions) {
    file << f.set << '\t' << f.name << '\t' << f.variables;
    for (std::uint32_t row = 0; row < (1u << f.variables); ++row) {
      if (f.truth.At(row)) file << ' ' << row;
    }
    file << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  double budgetSeconds = 10;
  std::string functionsPath;
  std::string onlySet;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--budget") budgetSeconds = std::atof(argv[i + 1]);
    if (option == "--write-functions") functionsPath = argv[i + 1];
    if (option == "--set") onlySet = argv[i + 1];
  }
  std::vector<Function> functions;
  AddRandomTables(functions, 10, 50, 20, 1001);
  AddRandomTables(functions, 10, 25, 10, 1002);
  AddRandomTables(functions, 10, 75, 10, 1003);
  AddTypedExpressions(functions, 12, 12, 1004);
  AddCircuits(functions);
  AddRandomTables(functions, 12, 50, 3, 1005);
  if (!functionsPath.empty()) WriteFunctions(functions, functionsPath);

  std::cout << "set,function,variables,ones,terms,literals,status,milliseconds\n";
  const auto budget = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double>(budgetSeconds));
  for (const Function& f : functions) {
    if (!onlySet.empty() && f.set != onlySet) continue;
    brevano::Budget control(budget, {});
    const auto start = std::chrono::steady_clock::now();
    const brevano::SumOfProducts sum = brevano::MinimiseSumOfProducts(f.truth, control);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const std::uint64_t ones = f.truth.CountOnes();
    std::cout << f.set << ',' << f.name << ',' << f.variables << ',' << ones << ',' << sum.terms.size() << ','
              << LiteralCount(sum.terms) << ',' << StatusName(sum.status) << ','
              << static_cast<long>(ms + 0.5) << '\n'
              << std::flush;
  }
}

// Worst-case inputs within the length limits: the time from text to result or error, per case.
//
// Usage: brevano_bench_robustness [--runs N] [--dir FOLDER]... [NAME-FILTER...]
// Each case runs the pipeline, builds the truth table and formats its first rows and its last row,
// on the large-stack thread; once without and once with the diagnosis of the table, as the window
// and the command-line tool now do. The slowest of N runs of each is printed with the outcome (the
// number of listing lines and warnings, or the error message).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "engine/deep_stack.h"
#include "engine/engine_error.h"
#include "engine/numbers.h"
#include "frontend/tabulate_expression.h"
#include "pipeline/pipeline.h"
#include "tabulate/bit_parallel.h"
#include "tabulate/compiled_program.h"
#include "tabulate/tabulation.h"

namespace {

constexpr std::size_t kCliLimit = 64 * 1024;
constexpr std::size_t kWindowLimit = 32'767;

struct Case {
  std::string name;
  std::string text;
  char separator = '.';
};

std::string Repeat(std::string_view unit, std::size_t count) {
  std::string out;
  out.reserve(unit.size() * count);
  for (std::size_t i = 0; i < count; ++i) out += unit;
  return out;
}

// open^k + middle + close^k, with k as large as `limit` allows.
std::string Nest(std::string_view open, std::string_view middle, std::string_view close, std::size_t limit) {
  const std::size_t k = (limit - middle.size()) / (open.size() + close.size());
  return Repeat(open, k) + std::string(middle) + Repeat(close, k);
}

// first + sep + unit + sep + unit ..., as long as `limit` allows.
std::string Chain(std::string_view first, std::string_view sep, std::string_view unit, std::size_t limit) {
  std::string out(first);
  while (out.size() + sep.size() + unit.size() <= limit) {
    out += sep;
    out += unit;
  }
  return out;
}

std::string NestedDiff(std::string_view inner, int levels) {
  return Repeat("diff(", static_cast<std::size_t>(levels)) + std::string(inner) +
         Repeat(";x)", static_cast<std::size_t>(levels));
}

std::vector<Case> MakeCases() {
  std::vector<Case> cases;
  for (const std::size_t limit : {kWindowLimit, kCliLimit}) {
    const std::string tag = limit == kCliLimit ? "/64K" : "/32K";
    auto add = [&](std::string name, std::string text) {
      cases.push_back({name + tag, std::move(text), '.'});
    };
    add("parentheses", Nest("(", "a", ")", limit));
    add("open_parentheses", Repeat("(", limit));
    add("unary_minus", Repeat("-", limit - 1) + "a");
    add("not_not", Nest("not(", "a", ")", limit));
    add("calls", Nest("f(", "a", ")", limit));
    add("brackets", Nest("a[", "a", "]", limit));
    add("mixed_nesting", Nest("f((a[-", "b", "]))", limit));
    add("sum", Chain("a", "+", "a", limit));
    add("difference", Chain("a", "-", "a", limit));
    add("xor", Chain("a", "/", "b", limit));
    add("power_chain", Chain("a", "^", "a", limit));
    add("semicolons", Chain("a", ";", "a", limit));
    add("numbers_sum", Chain("0.1", "+", "0.1", limit));
    add("numbers_product", Chain("1.0000001", "*", "1.0000001", limit));
    add("numbers_gathered", Chain("a", "*", "3.7*b", limit));
    add("number_leaves", Chain("1.23456789012345E-300", "+", "a", limit));
    add("hoist_sum_zero", Chain(Chain("a", "*", "b", limit / 2), "+", "0", limit));
    add("hoist_product_one", Chain(Chain("a", "+", "b", limit / 2), "*", "1", limit));
    add("hoist_nested_zero", Nest("(0+", Chain("a", "*", "b", limit / 2), ")", limit));
    add("negation_pairs", Chain("(0-a)", "*", "(0-a)", limit));
    add("reciprocal_squares", Nest("1/sqr(", "a", ")", limit));
    add("diff_nested_x", NestedDiff("x", static_cast<int>((limit - 1) / 8)));
    add("diff_sum", "diff(" + Chain("x", "+", "x", limit - 8) + ";x)");
    add("diff_product", "diff(" + Chain("x", "*", "x", limit - 8) + ";x)");
    add("diff_quotient", "diff(" + Chain("x", "/", "x", limit - 8) + ";x)");
    add("diff_power", "diff(" + Chain("x", "^", "x", limit - 8) + ";x)");
    add("diff_nested_sin", "diff(" + Nest("sin(", "x", ")", limit - 8) + ";x)");
    add("diff_nested_sqrt3", "diff(" + Nest("sqrt3(", "x", ")", limit - 8) + ";x)");
    add("diff_many_calls",
        Chain("diff(sin(x)*exp(x)/ln(x)^x;x)", "+", "diff(sin(x)*exp(x)/ln(x)^x;x)", limit));
    add("diff_orders", "diff(" + Chain("f_2147483646", "*", "f_1", limit - 8) + ";x)");
    std::string variables = "v1";
    for (int i = 2; i <= 63; ++i) variables += "+v" + std::to_string(i);
    add("variables_63", variables);
  }
  for (int levels = 1; levels <= 12; ++levels) {
    cases.push_back(
        {"diff_nested_mixed_" + std::to_string(levels), NestedDiff("sin(x)*exp(x)/ln(x)^x", levels)});
    cases.push_back({"diff_nested_product_" + std::to_string(levels), NestedDiff("x*x*x", levels), '.'});
  }
  cases.push_back({"diff_nested_power_6", NestedDiff("x^x^x^x", 6), '.'});
  cases.push_back({"diff_nested_200", NestedDiff("x*x", 200), '.'});
  return cases;
}

struct Outcome {
  double seconds = 0;
  std::string result;
};

void FormatRows(const brevano::TruthTable& table) {
  for (std::uint64_t row = 0; row < std::min<std::uint64_t>(table.RowCount(), 64); ++row) table.RowTexts(row);
  if (table.RowCount() > 0) table.RowTexts(table.RowCount() - 1);
}

// The work of one press of the button: pipeline, table (diagnosed or not), the first rows and the last.
Outcome RunOnce(const std::string& text, bool diagnose) {
  Outcome outcome;
  const auto start = std::chrono::steady_clock::now();
  try {
    brevano::RunWithLargeStack([&] {
      brevano::ExprTree tree;
      if (diagnose) {
        const brevano::DiagnosedTable built =
            brevano::TabulateExpression(text, tree, brevano::DisplayMode::kZeroOne);
        FormatRows(built.table);
        outcome.result = std::to_string(built.table.Variables().size()) + " variables, " +
                         std::to_string(built.diagnosis.warnings.size()) + " warnings";
        return;
      }
      const brevano::Listing listing = brevano::ProcessExpression(text, tree);
      const brevano::TruthTable table = brevano::TruthTable::Build(listing, brevano::DisplayMode::kZeroOne);
      FormatRows(table);
      outcome.result = std::to_string(listing.size()) + " lines";
    });
  } catch (const brevano::EngineError& error) {
    outcome.result = error.what();
  } catch (const std::bad_alloc&) {
    outcome.result = "out of memory";
  }
  outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return outcome;
}

Outcome Slowest(const std::string& text, bool diagnose, int runs) {
  Outcome slowest;
  for (int run = 0; run < runs; ++run) {
    Outcome o = RunOnce(text, diagnose);
    if (run == 0 || o.seconds > slowest.seconds) slowest = std::move(o);
  }
  return slowest;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 3;
  std::vector<std::string> filters;
  std::vector<Case> cases;
  bool fromFiles = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--dir" && i + 1 < argc) {
      fromFiles = true;
      std::vector<std::filesystem::path> files;
      for (const auto& entry : std::filesystem::directory_iterator(argv[++i])) files.push_back(entry.path());
      std::sort(files.begin(), files.end());
      // Kept fuzz inputs: the first byte selects the decimal separator (odd: comma); the rest is the text.
      for (const auto& file : files) {
        const std::string bytes = ReadFile(file);
        cases.push_back({file.filename().string(), bytes.empty() ? bytes : bytes.substr(1),
                         !bytes.empty() && (bytes[0] & 1) ? ',' : '.'});
      }
    } else {
      filters.push_back(arg);
    }
  }
  if (!fromFiles) cases = MakeCases();
  double worst = 0;
  std::string worstName;
  for (const Case& c : cases) {
    if (!filters.empty() && std::none_of(filters.begin(), filters.end(), [&](const std::string& f) {
          return c.name.find(f) != std::string::npos;
        })) {
      continue;
    }
    brevano::SetDecimalSeparator(c.separator);
    const Outcome plain = Slowest(c.text, false, runs);
    Outcome slowest = Slowest(c.text, true, runs);
    std::string result = plain.result + "; " + slowest.result;
    if (result.size() > 90) result = result.substr(0, 87) + "...";
    std::printf("%-28s %7zu B %9.3f ms %9.3f ms  %s\n", c.name.c_str(), c.text.size(), plain.seconds * 1e3,
                slowest.seconds * 1e3, result.c_str());
    std::fflush(stdout);
    if (slowest.seconds > worst) worst = slowest.seconds, worstName = c.name;
  }
  std::printf("slowest: %s, %.3f ms\n", worstName.c_str(), worst * 1e3);
  return 0;
}

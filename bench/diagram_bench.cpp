// Decision diagrams beside the bit-parallel scan, same run: build, F3, counts, comparison,
// budget failures, peak memory, and the command-line tool end to end.
//
// Usage: brevano_bench_diagram [--cli PATH_TO_BREVANO] [--only NAME-PART]
// Builds are timed once, cold; the diagram's answers include that build. Queries and command
// lines are the median of five runs; bit-parallel scans stop after a second and are extrapolated
// from the rows they examined.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "diagram/cover.h"
#include "diagram/diagram.h"
#include "minimise/minimise.h"
#include "pipeline/pipeline.h"
#include "tabulate/bit_parallel.h"
#include "tabulate/compiled_program.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Only the cases whose names hold this text (all when empty).
std::string filter;

bool Skipped(const std::string& name) { return !filter.empty() && name.find(filter) == std::string::npos; }
using brevano::CompiledProgram;

struct Case {
  std::string name;
  std::string expression;
};

std::string Name(const char* prefix, int i, const char* suffix = "") {
  char text[32];
  std::snprintf(text, sizeof text, "%s%02d%s", prefix, i, suffix);
  return text;
}

std::string Joined(const char* separator, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? separator : "") + Name("x", i);
  return text;
}

std::string AtLeastTwo(int count) {
  std::string text, rest;
  for (int i = count - 1; i > 0; --i) {
    rest = rest.empty() ? Name("x", i) : Name("x", i) + "+" + rest;
    text = Name("x", i - 1) + "*(" + rest + ")" + (text.empty() ? "" : "+" + text);
  }
  return text;
}

// a > b over `bits` bits, bit 0 most significant; `a` and `b` name the operands' bits.
std::string Greater(const std::function<std::string(int)>& a, const std::function<std::string(int)>& b,
                    int bits) {
  std::string text = a(bits - 1) + "*not(" + b(bits - 1) + ")";
  for (int i = bits - 2; i >= 0; --i)
    text = a(i) + "*not(" + b(i) + ")+not(" + a(i) + "/" + b(i) + ")*(" + text + ")";
  return text;
}

// The carry out of a + b over `bits` bits, bit 0 most significant.
std::string Carry(const std::function<std::string(int)>& a, const std::function<std::string(int)>& b,
                  int bits) {
  std::string text = a(bits - 1) + "*" + b(bits - 1);
  for (int i = bits - 2; i >= 0; --i)
    text = a(i) + "*" + b(i) + "+(" + a(i) + "+" + b(i) + ")*(" + text + ")";
  return text;
}

// Sums of `terms` random products of 2 to 6 literals over `variables` variables.
std::string TypedSum(std::mt19937_64& rng, int variables, int terms) {
  std::string text;
  for (int t = 0; t < terms; ++t) {
    const int literals = 2 + static_cast<int>(rng() % 5);
    std::string term;
    for (int l = 0; l < literals; ++l) {
      const std::string v = Name("x", static_cast<int>(rng() % variables));
      term += (l ? "*" : "") + (rng() % 2 ? v : "not(" + v + ")");
    }
    text += (t ? "+" : "") + term;
  }
  return text;
}

std::string RandomTree(std::mt19937_64& rng, int variables, int leaves) {
  if (leaves <= 1) return Name("x", static_cast<int>(rng() % variables));
  const int left = 1 + static_cast<int>(rng() % (leaves - 1));
  std::string text = "(" + RandomTree(rng, variables, left) + "+*/"[rng() % 3] +
                     RandomTree(rng, variables, leaves - left) + ")";
  return rng() % 4 == 0 ? "not" + text : text;
}

CompiledProgram ProgramOf(const std::string& expression) {
  brevano::ExprTree tree;
  return CompiledProgram::Compile(brevano::ProcessExpression(expression, tree), 63);
}

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

template <typename F>
double MedianMs(F&& work, int runs = 5) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    times.push_back(Milliseconds(Clock::now() - start));
  }
  return Median(times);
}

// The bit-parallel scan for a second: the time it would take in all, as text.
std::string ScanEstimate(const std::function<brevano::SearchOutcome(const brevano::Progress&)>& scan,
                         std::uint64_t total) {
  const auto start = Clock::now();
  std::uint64_t examined = 0;
  const brevano::SearchOutcome outcome = scan([&](std::uint64_t done, std::uint64_t) {
    examined = done;
    return Clock::now() - start < std::chrono::seconds(1);
  });
  const double ms = Milliseconds(Clock::now() - start);
  char text[64];
  if (!outcome.stopped) {
    std::snprintf(text, sizeof text, "%.3f ms", ms);
  } else {
    const double seconds =
        ms / 1000.0 *
        (static_cast<double>(total) / static_cast<double>(std::max<std::uint64_t>(examined, 1)));
    if (seconds > 3.15e7) {
      std::snprintf(text, sizeof text, "~%.1e years", seconds / 3.15e7);
    } else {
      std::snprintf(text, sizeof text, "~%.0f s", seconds);
    }
  }
  return text;
}

// Runs the tool and times it to its first line of output and to its end.
struct CliTimes {
  double firstLine = 0;
  double end = 0;
};

CliTimes RunCli(const char* cli, const std::vector<std::string>& args) {
  std::vector<char*> argv = {const_cast<char*>(cli)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  const auto start = Clock::now();
  pid_t pid = 0;
  const bool spawned = posix_spawn(&pid, cli, &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  CliTimes times;
  char buffer[65536];
  bool seenLine = false;
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    if (!seenLine && std::memchr(buffer, '\n', static_cast<std::size_t>(got))) {
      seenLine = true;
      times.firstLine = Milliseconds(Clock::now() - start);
    }
  }
  close(pipeEnds[0]);
  if (spawned) waitpid(pid, nullptr, 0);
  times.end = Milliseconds(Clock::now() - start);
  return times;
}

CliTimes CliMedian(const char* cli, const std::vector<std::string>& args) {
  std::vector<double> first, end;
  for (int i = 0; i < 5; ++i) {
    const CliTimes times = RunCli(cli, args);
    first.push_back(times.firstLine);
    end.push_back(times.end);
  }
  return {Median(first), Median(end)};
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

std::vector<Case> FittingCases() {
  auto bitOf = [](const char* side) { return [side](int i) { return Name("c", i, side); }; };
  std::vector<Case> cases = {
      {"AND of 63", Joined("*", 63)},
      {"OR of 63", Joined("+", 63)},
      {"XOR chain of 63", Joined("/", 63)},
      {"at least 2 of 63", AtLeastTwo(63)},
      {"a > b, 31 bits interleaved", Greater(bitOf("a"), bitOf("b"), 31)},
      {"carry of a + b, 31 bits interleaved", Carry(bitOf("a"), bitOf("b"), 31)},
  };
  std::mt19937_64 rng(40);
  for (int terms : {10, 20, 30, 40})
    cases.push_back(
        {"typed sum of " + std::to_string(terms) + " products, 40 variables", TypedSum(rng, 40, terms)});
  return cases;
}

void BenchFitting(const char* cli) {
  (void)brevano::BuildDiagram(ProgramOf("a"));  // starts the owner thread and its manager
  std::printf(
      "| function | nodes | build, ms | F3 from row 1: diagram, ms | bit-parallel | count: diagram, ms | "
      "bit-parallel |");
  std::printf(cli ? " `find`, ms | `analyse`: counts, ms | `analyse`: all, ms | `equiv`, ms |\n"
                    "|---|---|---|---|---|---|---|---|---|---|---|\n"
                  : "\n|---|---|---|---|---|---|---|\n");
  for (const Case& c : FittingCases()) {
    if (Skipped(c.name)) continue;
    const CompiledProgram program = ProgramOf(c.expression);
    // One cold build: the manager's caches hold nothing of this function yet.
    const auto start = Clock::now();
    const brevano::DiagramOutcome built = brevano::BuildDiagram(program);
    const double build = Milliseconds(Clock::now() - start);
    if (!built.diagram) {
      std::printf("| %s | too complex |\n", c.name.c_str());
      continue;
    }
    const brevano::Diagram& diagram = *built.diagram;
    const double f3 = build + MedianMs([&] { (void)diagram.Next(1, 1); });
    const double count = build + MedianMs([&] { (void)diagram.Count(1); });
    const std::string scanF3 =
        ScanEstimate([&](const brevano::Progress& p) { return brevano::FindNextRow(program, 1, 1, p); },
                     program.RowCount());
    const std::string scanCount = ScanEstimate(
        [&](const brevano::Progress& p) {
          const brevano::CountOutcome counted = brevano::CountRows(program, 1, p);
          return brevano::SearchOutcome{std::nullopt, counted.stopped};
        },
        program.RowCount());
    std::printf("| %s | %zu | %.2f | %.2f | %s | %.2f | %s |", c.name.c_str(), built.diagram->NodeCount(),
                build, f3, scanF3.c_str(), count, scanCount.c_str());
    if (cli) {
      const CliTimes analyse = CliMedian(cli, {"analyse", c.expression});
      std::printf(" %.1f | %.1f | %.1f | %.1f |", CliMedian(cli, {"find", c.expression}).end,
                  analyse.firstLine, analyse.end,
                  CliMedian(cli, {"equiv", c.expression, "(" + c.expression + ")*1"}).end);
    }
    std::printf("\n");
  }
}

void BenchQueries() {
  std::mt19937_64 rng(41);
  const CompiledProgram program = ProgramOf(TypedSum(rng, 40, 40));
  const std::shared_ptr<const brevano::Diagram> diagram = brevano::BuildDiagram(program).diagram;
  if (!diagram) return;
  constexpr int kQueries = 100000;
  std::vector<std::uint64_t> rows(kQueries);
  for (std::uint64_t& row : rows) row = rng() % diagram->RowCount();
  auto perQuery = [&](const std::function<void(std::uint64_t)>& query) {
    const auto start = Clock::now();
    for (std::uint64_t row : rows) query(row);
    return Milliseconds(Clock::now() - start) * 1000.0 / kQueries;
  };
  volatile std::uint64_t sink = 0;
  std::printf(
      "\nQueries on the flat diagram of a typed sum of 40 products over 40 variables (%zu nodes), µs each:\n",
      diagram->NodeCount());
  std::printf("count %.3f, next %.3f, previous %.3f, k-th %.3f, rank %.3f\n",
              perQuery([&](std::uint64_t) { sink = sink + diagram->Count(1); }),
              perQuery([&](std::uint64_t row) { sink = sink + diagram->Next(1, row).value_or(0); }),
              perQuery([&](std::uint64_t row) { sink = sink + diagram->Previous(0, row).value_or(0); }),
              perQuery([&](std::uint64_t row) {
                sink = sink + diagram->Nth(1, row % diagram->Count(1)).value_or(0);
              }),
              perQuery([&](std::uint64_t row) { sink = sink + diagram->Rank(1, row); }));
}

void BenchBudget() {
  auto name = [](const char* side) { return [side](int i) { return Name(side, i); }; };
  std::mt19937_64 rng(42);
  const Case cases[] = {
      {"a > b, 31 bits, every a before every b", Greater(name("a"), name("b"), 31)},
      {"carry of a + b, 20 bits, a before b", Carry(name("a"), name("b"), 20)},
      {"random tree, 48 variables, 400 leaves", RandomTree(rng, 48, 400)},
      {"random tree, 63 variables, 2000 leaves", RandomTree(rng, 63, 2000)},
  };
  std::printf("\nFunctions beyond the budget of 1,000,000 nodes and 1.5 s (one run each):\n\n");
  std::printf("| function | outcome | ms | peak resident, MB |\n|---|---|---|---|\n");
  for (const Case& c : cases) {
    if (Skipped(c.name)) continue;
    const CompiledProgram program = ProgramOf(c.expression);
    const auto start = Clock::now();
    const brevano::DiagramOutcome built = brevano::BuildDiagram(program);
    const double ms = Milliseconds(Clock::now() - start);
    std::printf("| %s | %s | %.0f | %ld |\n", c.name.c_str(),
                built.diagram ? ("built, " + std::to_string(built.diagram->NodeCount()) + " nodes").c_str()
                              : "too complex",
                ms, PeakMegabytes());
  }
}

// A cover that runs out of its own budget (counting every term of the complement's cover).
void BenchCoverBudget() {
  std::mt19937_64 rng(44);
  const CompiledProgram program = ProgramOf(TypedSum(rng, 40, 40));
  brevano::CoverLimits limits;
  limits.countAll = true;
  const auto start = Clock::now();
  const brevano::DiagramWithCovers built = brevano::BuildDiagramAndCovers(program, false, true, {}, limits);
  const char* outcome =
      built.product.status == brevano::CoverStatus::kTooComplex ? "too complex" : "finished";
  std::printf(
      "| cover of the complement of a typed sum of 40 products, every term counted | %s | %.0f | %ld |\n",
      outcome, Milliseconds(Clock::now() - start), PeakMegabytes());
}

// Irredundant covers against the exact minimum on typed sums of 8 to 12 variables.
void BenchCoverQuality() {
  std::mt19937_64 rng(43);
  int same = 0, total = 0, moreTerms = 0;
  for (int i = 0; i < 80; ++i) {
    const int variables = 8 + i % 5;
    const CompiledProgram program = ProgramOf(TypedSum(rng, variables, 4 + i % 9));
    brevano::TruthVector truth(program.VariableCount());
    brevano::BlockEvaluator evaluator(program);
    for (std::size_t w = 0; w < truth.WordCount(); ++w) truth.SetWord(w, evaluator.EvaluateAligned(64 * w));
    brevano::Budget control(std::chrono::seconds(10), {});
    const brevano::SumOfProducts exact = brevano::MinimiseSumOfProducts(truth, control);
    const brevano::Cover cover = brevano::BuildDiagramAndCovers(program, true, false).sum;
    if (exact.status != brevano::MinimiseStatus::kExact || cover.status != brevano::CoverStatus::kFound)
      continue;
    auto literals = [](const auto& terms) {
      int count = 0;
      for (const auto& t : terms) count += __builtin_popcountll(t.care);
      return count;
    };
    ++total;
    if (cover.terms.size() == exact.terms.size() && literals(cover.terms) == literals(exact.terms)) ++same;
    if (cover.terms.size() > exact.terms.size()) ++moreTerms;
  }
  std::printf(
      "\nIrredundant covers of %d typed sums of 8 to 12 variables: %d as small as the exact minimum, "
      "%d with more terms\n",
      total, same, moreTerms);
}

}  // namespace

int main(int argc, char** argv) {
  const char* cli = nullptr;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--cli") == 0) cli = argv[i + 1];
    if (std::strcmp(argv[i], "--only") == 0) filter = argv[i + 1];
  }
  BenchFitting(cli);
  BenchQueries();
  BenchCoverQuality();
  BenchBudget();
  BenchCoverBudget();
  return 0;
}

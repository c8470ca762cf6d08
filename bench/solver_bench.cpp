// The SAT solver beside the decision diagram and the bit-parallel scan, same run, on functions too
// complex for the diagram: F3 and the verdict in the library, and the command-line tool end to end
// (find, equiv against the function rewritten and against a one-literal change, analyse).
//
// Usage: brevano_bench_solver [--cli PATH_TO_BREVANO [--old-cli PATH]] [--only NAME-PART] [--print]
// --print writes each case's three expressions (as generated, rewritten, one literal changed), one
// a line, instead of timing anything.
// The diagram is built once, cold. Solver figures are cold too (clauses built, then the question),
// median of five; scans stop after a second and are extrapolated. Command lines are whole processes,
// median of five; --old-cli runs the same commands with another build of the tool beside it.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "diagram/diagram.h"
#include "pipeline/pipeline.h"
#include "sat/sat_search.h"
#include "tabulate/bit_parallel.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using brevano::CompiledProgram;

std::string filter;

std::string Name(char prefix, int i) {
  char text[16];
  std::snprintf(text, sizeof text, "%c%02d", prefix, i);
  return text;
}

// A random expression tree, kept to be written twice: as generated, and rewritten with every
// operand pair swapped, OR and AND by De Morgan, and chains of one operator regrouped
// ((x op y) op z as x op (y op z)), which the solver's gate sharing does not see through.
struct Tree {
  char op = 0;  // '+', '*', '/', or 0 for a variable
  int variable = 0;
  bool negated = false;
  std::unique_ptr<Tree> left, right;
};

std::unique_ptr<Tree> RandomTree(std::mt19937_64& rng, int variables, int leaves) {
  auto tree = std::make_unique<Tree>();
  tree->negated = rng() % 4 == 0;
  if (leaves <= 1) {
    tree->variable = static_cast<int>(rng() % variables);
    return tree;
  }
  const int left = 1 + static_cast<int>(rng() % (leaves - 1));
  tree->op = "+*/"[rng() % 3];
  tree->left = RandomTree(rng, variables, left);
  tree->right = RandomTree(rng, variables, leaves - left);
  return tree;
}

std::string Negated(const std::string& text, bool negated) { return negated ? "not(" + text + ")" : text; }

std::string Written(const Tree& tree) {
  if (!tree.op) return Negated(Name('x', tree.variable), tree.negated);
  return Negated("(" + Written(*tree.left) + tree.op + Written(*tree.right) + ")", tree.negated);
}

std::string Rewritten(const Tree& tree, bool negate = false) {
  negate = negate != tree.negated;
  if (!tree.op) return Negated(Name('x', tree.variable), negate);
  const Tree& a = *tree.left;
  const Tree& b = *tree.right;
  if (tree.op != '/' && a.op == tree.op && !a.negated) {
    // (p op q) op b -> p op (q op b), by De Morgan when negated: not(p) op' (not(q) op' not(b)).
    const char op = negate ? (tree.op == '+' ? '*' : '+') : tree.op;
    const std::string inner = "(" + Rewritten(*a.right, negate) + op + Rewritten(b, negate) + ")";
    return "(" + Rewritten(*a.left, negate) + op + inner + ")";
  }
  if (tree.op == '/') return Negated("(" + Rewritten(b) + "/" + Rewritten(a) + ")", negate);
  const char op = negate ? (tree.op == '+' ? '*' : '+') : tree.op;
  return "(" + Rewritten(b, negate) + op + Rewritten(a, negate) + ")";
}

// The text with its first variable name replaced by another.
std::string OneLiteralChanged(std::string text, int variables) {
  const std::size_t at = text.find('x');
  const int v = std::stoi(text.substr(at + 1, 2));
  return text.replace(at, 3, Name('x', (v + 1) % variables));
}

// a > b over 31 bits, every a before every b: from the most significant bit down, or as a ripple
// from the least significant bit up.
std::string Greater(bool ripple) {
  std::string text = ripple ? Name('a', 30) + "*not(" + Name('b', 30) + ")" : "0";
  for (int i = ripple ? 29 : 30; i >= 0; --i) {
    const std::string a = Name('a', i), b = Name('b', i);
    text = ripple ? a + "*not(" + b + ")+(" + a + "+not(" + b + "))*(" + text + ")"
                  : a + "*not(" + b + ")+not(" + a + "/" + b + ")*(" + text + ")";
  }
  return text;
}

// A sum of `terms` random products of 6 to 20 literals over 54 inputs, as a two-level PLA holds;
// rewritten, the terms and their literals come in reverse order.
struct Sum {
  std::string written, rewritten;
};

Sum RandomSum(std::mt19937_64& rng, int terms) {
  std::vector<std::vector<std::string>> products;
  for (int t = 0; t < terms; ++t) {
    std::vector<int> chosen(54);
    for (int i = 0; i < 54; ++i) chosen[i] = i;
    std::shuffle(chosen.begin(), chosen.end(), rng);
    chosen.resize(6 + rng() % 15);
    std::sort(chosen.begin(), chosen.end());
    std::vector<std::string> literals;
    for (int v : chosen) literals.push_back(Negated(Name('x', v), rng() % 2));
    products.push_back(literals);
  }
  auto join = [](const std::vector<std::string>& parts, const char* separator, bool reversed) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
      text += (i ? separator : "") + parts[reversed ? parts.size() - 1 - i : i];
    return text;
  };
  Sum sum;
  std::vector<std::string> written, rewritten;
  for (const auto& literals : products) {
    written.push_back(join(literals, "*", false));
    rewritten.push_back(join(literals, "*", true));
  }
  sum.written = join(written, "+", false);
  sum.rewritten = join(rewritten, "+", true);
  return sum;
}

struct Case {
  std::string name, expression, rewritten, changed;
};

std::vector<Case> Cases() {
  std::vector<Case> cases;
  std::mt19937_64 rng(24);
  for (auto [variables, leaves] : {std::pair{48, 400}, {63, 2000}}) {
    const std::unique_ptr<Tree> tree = RandomTree(rng, variables, leaves);
    const std::string text = Written(*tree);
    cases.push_back(
        {"random tree, " + std::to_string(variables) + " variables, " + std::to_string(leaves) + " leaves",
         text, Rewritten(*tree), OneLiteralChanged(text, variables)});
  }
  const std::string greater = Greater(false);
  std::string changed = greater;
  changed.replace(changed.find("not(b07)"), 8, "not(b08)");
  cases.push_back({"a > b, 31 bits, every a before every b", greater, Greater(true), changed});
  for (int terms : {100, 115, 130}) {
    const Sum sum = RandomSum(rng, terms);
    cases.push_back({"sum of " + std::to_string(terms) + " products, 54 inputs", sum.written, sum.rewritten,
                     OneLiteralChanged(sum.written, 54)});
  }
  return cases;
}

CompiledProgram ProgramOf(const std::string& expression) {
  brevano::ExprTree tree;
  return CompiledProgram::Compile(brevano::ProcessExpression(expression, tree), 63);
}

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double MedianMs(const std::function<void()>& work, int runs = 5) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    times.push_back(Milliseconds(Clock::now() - start));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The scan for F3 from row 1, stopped after a second: the time it would take in all, as text.
std::string ScanEstimate(const CompiledProgram& program) {
  const auto start = Clock::now();
  std::uint64_t examined = 0;
  const brevano::SearchOutcome outcome =
      brevano::FindNextRow(program, 1, 1, [&](std::uint64_t done, std::uint64_t) {
        examined = done;
        return Clock::now() - start < std::chrono::seconds(1);
      });
  const double seconds = Milliseconds(Clock::now() - start) / 1000.0;
  char text[64];
  if (!outcome.stopped) {
    std::snprintf(text, sizeof text, "%.3f ms", seconds * 1000);
  } else {
    const double remaining = seconds * static_cast<double>(program.RowCount()) /
                             static_cast<double>(std::max<std::uint64_t>(examined, 1));
    std::snprintf(text, sizeof text, "up to ~%.0e years", remaining / 3.15e7);
  }
  return text;
}

// The whole process's time, with its exit status.
struct Run {
  double ms = 0;
  int status = -1;
};

Run RunCli(const char* cli, const std::vector<std::string>& args) {
  std::vector<char*> argv = {const_cast<char*>(cli)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  pid_t pid = 0;
  Run run;
  if (posix_spawn(&pid, cli, &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.ms = Milliseconds(Clock::now() - start);
  return run;
}

// "12.3" or, for a failure (exit status 1: no answer), "1,760 (too complex)".
std::string CliMedian(const char* cli, const std::vector<std::string>& args) {
  std::vector<Run> runs;
  for (int i = 0; i < 5; ++i) runs.push_back(RunCli(cli, args));
  std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.ms < b.ms; });
  char text[64];
  std::snprintf(text, sizeof text, runs[2].status == 1 ? "%.0f (no answer)" : "%.1f", runs[2].ms);
  return text;
}

void BenchLibrary(const std::vector<Case>& cases) {
  (void)brevano::BuildDiagram(ProgramOf("a"));  // starts the owner thread and its manager
  const brevano::SatControl control{std::chrono::seconds(60), {}};
  std::printf(
      "| function | diagram | build, ms | F3 from row 1: scan | solver, ms | last row with Result 0: solver, "
      "ms "
      "| verdict: solver, ms |\n|---|---|---|---|---|---|---|\n");
  for (const Case& c : cases) {
    if (!filter.empty() && c.name.find(filter) == std::string::npos) continue;
    const CompiledProgram program = ProgramOf(c.expression);
    const auto start = Clock::now();
    const brevano::DiagramOutcome built = brevano::BuildDiagram(program);
    const double build = Milliseconds(Clock::now() - start);
    const double f3 = MedianMs([&] { (void)brevano::ResultSolver(program).Next(1, 1, control); });
    const double last = MedianMs([&] { (void)brevano::ResultSolver(program).Previous(0, ~0ull, control); });
    const double verdict = MedianMs([&] {
      brevano::ResultSolver solver(program);
      (void)solver.Next(1, 0, control);
      (void)solver.Next(0, 0, control);
    });
    std::printf("| %s | %s | %.0f | %s | %.1f | %.1f | %.1f |\n", c.name.c_str(),
                built.diagram ? "built" : "too complex", build, ScanEstimate(program).c_str(), f3, last,
                verdict);
  }
}

void BenchCli(const std::vector<Case>& cases, const char* cli, const char* label) {
  std::printf(
      "\n%s: whole processes, ms\n\n| function | `find` | `find --previous --result 0` | `equiv`, rewritten "
      "| "
      "`equiv`, one literal changed | `analyse` |\n|---|---|---|---|---|---|\n",
      label);
  for (const Case& c : cases) {
    if (!filter.empty() && c.name.find(filter) == std::string::npos) continue;
    std::printf("| %s | %s | %s | %s | %s | %s |\n", c.name.c_str(),
                CliMedian(cli, {"find", c.expression}).c_str(),
                CliMedian(cli, {"find", "--previous", "--result", "0", c.expression}).c_str(),
                CliMedian(cli, {"equiv", c.expression, c.rewritten}).c_str(),
                CliMedian(cli, {"equiv", c.expression, c.changed}).c_str(),
                CliMedian(cli, {"analyse", c.expression}).c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* cli = nullptr;
  const char* oldCli = nullptr;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--cli") == 0) cli = argv[i + 1];
    if (std::strcmp(argv[i], "--old-cli") == 0) oldCli = argv[i + 1];
    if (std::strcmp(argv[i], "--only") == 0) filter = argv[i + 1];
  }
  const std::vector<Case> cases = Cases();
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--print") != 0) continue;
    for (const Case& c : cases) {
      if (filter.empty() || c.name.find(filter) != std::string::npos)
        std::printf("%s\n%s\n%s\n", c.expression.c_str(), c.rewritten.c_str(), c.changed.c_str());
    }
    return 0;
  }
  BenchLibrary(cases);
  if (cli) BenchCli(cases, cli, "The command-line tool");
  if (oldCli) BenchCli(cases, oldCli, "The tool before the solver");
  return 0;
}

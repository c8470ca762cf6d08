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
#include "solver_cases.h"
#include "tabulate/bit_parallel.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using brevano::CompiledProgram;
using brevano::bench::Case;

std::string filter;

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

// The scan for the next row with Result 1 from `from`, stopped after a second: the time it would take in
// all, as text.
std::string ScanEstimate(const CompiledProgram& program, std::uint64_t from) {
  const auto start = Clock::now();
  std::uint64_t examined = 0;
  const brevano::SearchOutcome outcome =
      brevano::FindNextRow(program, 1, from, [&](std::uint64_t done, std::uint64_t) {
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
    std::snprintf(text, sizeof text, "up to ~%.2g years", remaining / 3.15e7);
  }
  return text;
}

// The whole process's time, with its exit status, and when its first line beginning with a marker came.
struct Run {
  double ms = 0;
  double markerMs = -1;
  int status = -1;
};

Run RunCli(const char* cli, const std::vector<std::string>& args, const std::string& marker = {}) {
  std::vector<char*> argv = {const_cast<char*>(cli)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  pid_t pid = 0;
  Run run;
  const bool spawned = posix_spawn(&pid, cli, &actions, nullptr, argv.data(), environ) == 0;
  close(pipeEnds[1]);
  if (spawned) {
    std::string line;
    char buffer[65536];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
      for (ssize_t i = 0; i < got && run.markerMs < 0 && !marker.empty(); ++i) {
        if (buffer[i] != '\n') {
          if (line.size() < marker.size()) line += buffer[i];
          continue;
        }
        if (line == marker) run.markerMs = Milliseconds(Clock::now() - start);
        line.clear();
      }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  close(pipeEnds[0]);
  posix_spawn_file_actions_destroy(&actions);
  run.ms = Milliseconds(Clock::now() - start);
  return run;
}

// The median of five runs, as "12.3" or, for a failure (exit status 1: no answer), "1760 (no answer)";
// with a marker, the median time to its line and the median whole run, as "850 / 7,420".
std::string CliMedian(const char* cli, const std::vector<std::string>& args, const std::string& marker = {}) {
  std::vector<Run> runs;
  for (int i = 0; i < 5; ++i) runs.push_back(RunCli(cli, args, marker));
  std::vector<double> markers;
  for (const Run& run : runs) markers.push_back(run.markerMs);
  std::sort(markers.begin(), markers.end());
  std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.ms < b.ms; });
  char text[64];
  if (!marker.empty()) {
    std::snprintf(text, sizeof text, markers[2] < 0 ? "none / %.0f" : "%.0f / %.0f", markers[2], runs[2].ms);
  } else {
    std::snprintf(text, sizeof text, runs[2].status == 1 ? "%.0f (no answer)" : "%.1f", runs[2].ms);
  }
  return text;
}

void BenchLibrary(const std::vector<Case>& cases) {
  (void)brevano::BuildDiagram(ProgramOf("a"));  // starts the owner thread and its manager
  const brevano::Budget control{std::chrono::seconds(60)};
  std::printf(
      "| function | diagram | build, ms | F3 from row 1: scan | solver, ms | last row with Result 0: solver, "
      "ms "
      "| verdict: solver, ms | `equiv` rewritten: scan |\n|---|---|---|---|---|---|---|---|\n");
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
    const CompiledProgram miter = ProgramOf("(" + c.expression + ")/(" + c.rewritten + ")");
    std::printf("| %s | %s | %.0f | %s | %.1f | %.1f | %.1f | %s |\n", c.name.c_str(),
                built.diagram ? "built" : "too complex", build, ScanEstimate(program, 1).c_str(), f3, last,
                verdict, ScanEstimate(miter, 0).c_str());
  }
}

void BenchCli(const std::vector<Case>& cases, const char* cli, const char* label) {
  std::printf(
      "\n%s: whole processes, ms\n\n| function | `find` | `find --previous --result 0` | `equiv`, rewritten "
      "| "
      "`equiv`, one literal changed | `analyse`: to the verdict / whole |\n|---|---|---|---|---|---|\n",
      label);
  for (const Case& c : cases) {
    if (!filter.empty() && c.name.find(filter) == std::string::npos) continue;
    std::printf("| %s | %s | %s | %s | %s | %s |\n", c.name.c_str(),
                CliMedian(cli, {"find", c.expression}).c_str(),
                CliMedian(cli, {"find", "--previous", "--result", "0", c.expression}).c_str(),
                CliMedian(cli, {"equiv", c.expression, c.rewritten}).c_str(),
                CliMedian(cli, {"equiv", c.expression, c.changed}).c_str(),
                CliMedian(cli, {"analyse", c.expression}, "Verdict:").c_str());
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
  const std::vector<Case> cases = brevano::bench::Cases();
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

// The tabular method written out: in full for a few variables, as counts and a result beyond.
#include <algorithm>
#include <bit>
#include <sstream>

#include "explain/tabular_method.h"
#include "forms/boolean_form.h"

namespace brevano {

namespace {

// "1-0-": the cube over the variables in table order.
std::string Pattern(Cube cube, int n) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    const std::uint32_t bit = std::uint32_t{1} << (n - 1 - i);
    text += (cube.care & bit) ? ((cube.value & bit) ? '1' : '0') : '-';
  }
  return text;
}

std::string TermText(Cube cube, const std::vector<std::string>& variables) {
  const std::vector<std::string> literals = Literals(cube, variables, false);
  return literals.empty() ? "1" : Join(literals, "*");
}

// The rows of the cube, ascending, joined by ", ".
std::string CubeRows(Cube cube, int n) {
  const std::uint32_t freeBits = ~cube.care & ((std::uint32_t{1} << n) - 1);
  std::vector<std::uint32_t> rows;
  std::uint32_t sub = 0;
  do {
    rows.push_back(cube.value | sub);
    sub = (sub - freeBits) & freeBits;
  } while (sub != 0);
  std::sort(rows.begin(), rows.end());
  std::string text;
  for (std::uint32_t r : rows) text += (text.empty() ? "" : ",") + std::to_string(r);
  return text;
}

std::string RowList(const std::vector<std::uint32_t>& rows) {
  if (rows.empty()) return "none";
  std::string text;
  for (std::uint32_t r : rows) text += (text.empty() ? "" : ", ") + std::to_string(r);
  return text;
}

std::string PrimeName(int p) { return "P" + std::to_string(p + 1); }

void WriteStages(std::ostream& out, const TabularMethod& method) {
  const int n = method.variables;
  for (std::size_t s = 0; s < method.stages.size(); ++s) {
    out << "Stage " << s
        << (s == 0 ? " (the rows, in groups by their number of ones):\n"
                   : " (pairs of the stage before that differ in one variable):\n");
    int group = -1;
    for (const TabularImplicant& imp : method.stages[s].implicants) {
      const int ones = std::popcount(imp.cube.value);
      if (ones != group) out << "  group " << (group = ones) << ":\n";
      out << "    " << Pattern(imp.cube, n) << "  m(" << CubeRows(imp.cube, n) << ")"
          << (imp.combined ? "  combined" : "  prime") << '\n';
    }
  }
}

void WriteChart(std::ostream& out, const TabularMethod& method, const std::vector<std::string>& variables) {
  out << "Prime chart (a prime, its term, the rows with Result 1 it covers):\n";
  for (std::size_t p = 0; p < method.primes.size(); ++p) {
    const Cube cube = method.primes[p];
    std::vector<std::uint32_t> rows;
    for (std::uint32_t r : method.ones)
      if (CubeContains(cube, r)) rows.push_back(r);
    out << "  " << PrimeName(static_cast<int>(p)) << "  " << Pattern(cube, method.variables) << "  "
        << TermText(cube, variables) << ": " << RowList(rows) << '\n';
  }
}

std::string StepText(const ChartStep& step) {
  switch (step.kind) {
    case ChartStepKind::kEssential:
      return PrimeName(step.prime) + " is essential: only it covers row " + std::to_string(step.row);
    case ChartStepKind::kRowDominated:
      return "row " + std::to_string(step.row) + " is dropped: every prime covering row " +
             std::to_string(step.by) + " covers it too";
    case ChartStepKind::kPrimeDominated:
      return PrimeName(step.prime) + " is dropped: " + PrimeName(step.by) +
             " covers its rows left with no more literals";
    case ChartStepKind::kPrimeUseless: return PrimeName(step.prime) + " is dropped: it covers no row left";
  }
  return {};
}

void WriteResult(std::ostream& out, const TabularMethod& method, const std::vector<std::string>& variables) {
  std::vector<Cube> terms = ChosenTerms(method);
  int literals = 0;
  for (Cube c : terms) literals += LiteralCount(c);
  out << "Least sum: " << SumText(terms, variables) << " (" << terms.size()
      << (terms.size() == 1 ? " term, " : " terms, ") << literals
      << (literals == 1 ? " literal)" : " literals)") << '\n';
}

}  // namespace

std::string TabularText(const TabularMethod& method, const std::vector<std::string>& variables, bool full) {
  std::ostringstream out;
  const bool shown = full || method.variables <= kMaxShownTabularVariables;
  out << "Tabular method: " << method.variables << " variables, rows with Result 1: ";
  if (shown)
    out << RowList(method.ones) << "; don't-cares: " << RowList(method.dontCares) << '\n';
  else
    out << method.ones.size() << ", don't-cares: " << method.dontCares.size() << '\n';
  if (method.tooLarge) {
    out << "Not computed: more than " << kMaxTabularImplicants << " implicants\n";
    return out.str();
  }
  if (shown && !method.stages.empty()) WriteStages(out, method);
  if (!shown && !method.stageSizes.empty()) {
    out << "Stages: ";
    for (std::size_t s = 0; s < method.stageSizes.size(); ++s) out << (s ? ", " : "") << method.stageSizes[s];
    out << " implicants\n";
  }
  out << "Prime implicants: " << method.primes.size() << '\n';
  if (shown) WriteChart(out, method, variables);
  out << "Essential primes:";
  for (int p : method.essential) out << ' ' << PrimeName(p) << '=' << TermText(method.primes[p], variables);
  out << (method.essential.empty() ? " none\n" : "\n");
  if (shown && !method.steps.empty()) {
    out << "Chart reduction:\n";
    for (const ChartStep& step : method.steps)
      out << "  round " << step.round << ": " << StepText(step) << '\n';
  } else if (!shown) {
    out << "Chart reduction: " << method.steps.size() << " steps\n";
  }
  if (method.coreRows.empty()) {
    out << "Cyclic core: none\n";
  } else {
    out << "Cyclic core: " << method.corePrimes.size() << " primes over " << method.coreRows.size()
        << " rows, settled by branch-and-bound"
        << (method.coreOptimal ? "" : " (out of time: not proven least)") << ':';
    for (int p : method.coreChoice)
      out << ' ' << PrimeName(p) << '=' << TermText(method.primes[p], variables);
    out << '\n';
  }
  if (!method.complete) {
    out << "Not completed: the search was stopped\n";
    return out.str();
  }
  WriteResult(out, method, variables);
  return out.str();
}

}  // namespace brevano

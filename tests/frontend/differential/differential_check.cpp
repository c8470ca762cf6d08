// The differential check: seeded typed texts tabulated and measured against a plain reading of
// the same text. Prints the figures; fails on a silent misreading, on an "Evaluated as" that does
// not read back as the same table, on a clean text warned of, on a suggested reading that mends no
// warning or computes another function than the plain reading, or on a false-alarm rate of 2 %.
//
//   differential_check [--count N] [--seed S] [--show N] [--alarms N]
//
// --show prints the first N silent misreadings and round-trip failures, --alarms the first N
// false alarms.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "engine/engine_error.h"
#include "frontend/tabulate_expression.h"
#include "plain_reading.h"
#include "typed_texts.h"

namespace brevano::testing {
namespace {

std::optional<DiagnosedTable> Tabulate(const std::string& typed) {
  try {
    ExprTree tree;
    return TabulateExpression(typed, tree, DisplayMode::kZeroOne);
  } catch (const EngineError&) {
    return std::nullopt;
  }
}

// The row of `table` for an assignment of `names` (values in `values`); names the table lacks are
// not read.
std::uint64_t RowOf(const TruthTable& table, const std::vector<std::string>& names,
                    const std::vector<bool>& values) {
  std::uint64_t row = 0;
  for (const std::string& column : table.Variables()) {
    const auto at = std::find(names.begin(), names.end(), column) - names.begin();
    row = row << 1 | static_cast<std::uint64_t>(values[static_cast<std::size_t>(at)]);
  }
  return row;
}

std::vector<std::string> Union(std::vector<std::string> a, const std::vector<std::string>& b) {
  for (const std::string& name : b) {
    if (std::find(a.begin(), a.end(), name) == a.end()) a.push_back(name);
  }
  return a;
}

// Calls `each` with every assignment of `names` until it returns false; false when it did.
template <typename Each>
bool EveryAssignment(const std::vector<std::string>& names, Each each) {
  if (names.size() > 20) return false;
  std::vector<bool> values(names.size());
  for (std::uint64_t bits = 0; bits < (std::uint64_t{1} << names.size()); ++bits) {
    for (std::size_t i = 0; i < names.size(); ++i) values[i] = (bits >> i) & 1;
    if (!each(values)) return false;
  }
  return true;
}

// The table has only columns of the plain reading and computes its function (a name the
// simplifier removed, as in a*0, leaves no column).
bool SameAsPlain(const TruthTable& table, const PlainFunction& plain) {
  const std::vector<std::string> names = Union(plain.Variables(), table.Variables());
  if (names.size() != plain.Variables().size()) return false;
  return EveryAssignment(names, [&](const std::vector<bool>& values) {
    std::vector<bool> plainValues;
    for (const std::string& name : plain.Variables())
      plainValues.push_back(values[std::find(names.begin(), names.end(), name) - names.begin()]);
    return (table.Result(RowOf(table, names, values)) == 1) == plain.Evaluate(plainValues);
  });
}

// `back`, the table of "Evaluated as", names only columns of `table` and computes its Result.
bool SameTable(const TruthTable& table, const TruthTable& back) {
  const std::vector<std::string>& names = table.Variables();
  for (const std::string& name : back.Variables()) {
    if (std::find(names.begin(), names.end(), name) == names.end()) return false;
  }
  return EveryAssignment(names, [&](const std::vector<bool>& values) {
    return table.Result(RowOf(table, names, values)) == back.Result(RowOf(back, names, values));
  });
}

// A name that cannot be typed back as one name: it holds a parenthesis, a bracket, ";" or ":".
bool UntypeableNames(const TruthTable& table) {
  for (const std::string& name : table.Variables()) {
    if (name.find_first_of("()[];:") != std::string::npos) return true;
  }
  return false;
}

struct Figures {
  long texts = 0, errors = 0, tabulated = 0, plain = 0, samePlain = 0, falseAlarms = 0, misread = 0,
       warnedMisread = 0, silent = 0, roundTrips = 0, roundTripFailures = 0, untypeable = 0;
  long fixes = 0, fixesClean = 0, fixesCompared = 0, fixFailures = 0;
  std::map<std::string, long> alarmsByWarning;
};

// A warning's kind: its text with every quoted part shown as "…", cut to 60 bytes.
std::string Kind(const std::string& warning) {
  std::string kind;
  bool quoted = false;
  for (char c : warning) {
    if (c == '"') {
      quoted = !quoted;
      if (quoted) kind += "\"…\"";
    } else if (!quoted) {
      kind += c;
    }
  }
  const std::string chain = "\"…\" is read as ";  // the readings of a chain differ every time
  return kind.rfind(chain, 0) == 0 ? chain + "(…)*…" : kind.substr(0, 60);
}

void Report(const char* what, const std::string& typed, const DiagnosedTable& built, int& shown) {
  if (shown <= 0) return;
  --shown;
  std::printf("%s: %s\n  evaluated as %s\n", what, typed.c_str(), built.diagnosis.evaluatedAs.c_str());
  for (const std::string& w : built.diagnosis.warnings) std::printf("  warning: %s\n", w.c_str());
}

// The suggestion drops the text's blanks and changes nothing else (but the letter case of "not"):
// then the plain reading, which ignores every blank, is the function meant. Where it writes a sign
// or a word of another notation in this syntax, the plain reading takes them for names.
bool BlanksDroppedOnly(const std::string& typed, const std::string& suggestion) {
  std::string dropped, upper;
  for (char c : typed) {
    if (static_cast<unsigned char>(c) >= 33)
      dropped += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  for (char c : suggestion) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return dropped == upper;
}

// The suggested reading must tabulate with only some of the text's warnings, and where it mends
// them all and only drops blanks, to the plain reading's function.
void MeasureSuggestion(const std::string& typed, const DiagnosedTable& built,
                       const std::optional<PlainFunction>& plain, Figures& f, int& shown) {
  const std::string& suggestion = built.diagnosis.suggestion;
  if (suggestion.empty()) return;
  ++f.fixes;
  const std::optional<DiagnosedTable> fixed = Tabulate(suggestion);
  const std::vector<std::string>& before = built.diagnosis.warnings;
  bool good = fixed && fixed->diagnosis.warnings.size() < before.size();
  for (std::size_t i = 0; good && i < fixed->diagnosis.warnings.size(); ++i)
    good = std::find(before.begin(), before.end(), fixed->diagnosis.warnings[i]) != before.end();
  if (good && plain && fixed->diagnosis.warnings.empty() && BlanksDroppedOnly(typed, suggestion)) {
    ++f.fixesCompared;
    good = SameAsPlain(fixed->table, *plain);
  }
  if (!good) {
    ++f.fixFailures;
    Report(("SUGGESTION FAILURE (" + suggestion + ")").c_str(), typed, built, shown);
    return;
  }
  f.fixesClean += fixed->diagnosis.warnings.empty();
}

void Measure(const std::string& typed, Figures& f, int& shown, int& alarmsShown) {
  ++f.texts;
  const std::optional<DiagnosedTable> built = Tabulate(typed);
  if (!built) {
    ++f.errors;  // an error is never silent
    return;
  }
  ++f.tabulated;
  const bool warned = !built->diagnosis.warnings.empty();
  const std::optional<PlainFunction> plain = ReadPlainly(typed);
  f.plain += plain.has_value();
  const bool same = plain && SameAsPlain(built->table, *plain);
  if (same) {
    ++f.samePlain;
    if (warned) {
      ++f.falseAlarms;
      ++f.alarmsByWarning[Kind(built->diagnosis.warnings.front())];
      Report("false alarm", typed, *built, alarmsShown);
    }
  } else {
    ++f.misread;
    f.warnedMisread += warned;
    if (!warned) {
      ++f.silent;
      Report("SILENT MISREADING", typed, *built, shown);
    }
  }
  MeasureSuggestion(typed, *built, plain, f, shown);
  // Such a column is no plain name, so the text was measured above as differing from the reading.
  if (UntypeableNames(built->table)) {
    ++f.untypeable;
    return;
  }
  ++f.roundTrips;
  const std::optional<DiagnosedTable> back = Tabulate(built->diagnosis.evaluatedAs);
  if (!back || !SameTable(built->table, back->table)) {
    ++f.roundTripFailures;
    Report("ROUND-TRIP FAILURE", typed, *built, shown);
  }
}

double Percent(long part, long whole) { return whole ? 100.0 * static_cast<double>(part) / whole : 0.0; }

}  // namespace
}  // namespace brevano::testing

int main(int argc, char** argv) {
  using namespace brevano::testing;
  std::uint64_t count = 3000, seed = 1;
  int shown = 10, alarmsShown = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--count")) count = std::strtoull(argv[i + 1], nullptr, 10);
    if (!std::strcmp(argv[i], "--seed")) seed = std::strtoull(argv[i + 1], nullptr, 10);
    if (!std::strcmp(argv[i], "--show")) shown = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--alarms")) alarmsShown = std::atoi(argv[i + 1]);
  }
  Figures f;
  for (std::uint64_t i = 0; i < count; ++i) Measure(TypedText(seed, i), f, shown, alarmsShown);
  int none = 0;
  Figures clean;
  Measure("a + b", clean, none, none);
  const double alarmRate = Percent(f.falseAlarms, f.samePlain);
  std::printf("texts %ld (seed %llu): %ld tabulated, %ld refused with an error\n", f.texts,
              static_cast<unsigned long long>(seed), f.tabulated, f.errors);
  std::printf("plain reading: %ld texts have one; %ld tables equal it, %ld differ (%ld warned, %ld silent)\n",
              f.plain, f.samePlain, f.misread, f.warnedMisread, f.silent);
  std::printf("silent misreadings: %ld\n", f.silent);
  std::printf(
      "round trips of \"Evaluated as\": %ld checked, %ld failures (%ld with names that cannot be "
      "typed back)\n",
      f.roundTrips, f.roundTripFailures, f.untypeable);
  std::printf("false alarms: %ld of %ld tables equal to the plain reading (%.2f %%)\n", f.falseAlarms,
              f.samePlain, alarmRate);
  for (const auto& [kind, n] : f.alarmsByWarning) std::printf("  %6ld  %s…\n", n, kind.c_str());
  std::printf(
      "suggested readings: %ld offered (%ld without any warning), %ld compared with the plain reading, "
      "%ld failures\n",
      f.fixes, f.fixesClean, f.fixesCompared, f.fixFailures);
  const bool ok = f.silent == 0 && f.roundTripFailures == 0 && alarmRate < 2.0 && clean.falseAlarms == 0 &&
                  f.fixFailures == 0;
  std::printf("%s\n", ok ? "PASSED" : "FAILED");
  return ok ? 0 : 1;
}

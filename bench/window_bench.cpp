// Window benchmark, offscreen: time from a "Tabulation" click to the first painted table, and peak memory;
// F3 from the first row to the answer, the longest the event loop stalls meanwhile, and what a new
// tabulation or Cancel costs while a search of a function too complex for a decision diagram runs.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/frm_boolean.h"
#include "app/truth_table_view.h"
#include "app/window_commands.h"
#include "solver_cases.h"
#include "tests/gui/window_controls.h"

namespace {

constexpr int kRepetitions = 25;

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t length = std::strlen(field);
  while (std::getline(status, line)) {
    if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':') {
      return std::stol(line.substr(length + 1));
    }
  }
  return -1;
}

// Lowers the peak resident size to the current one, so that each measurement has its own peak.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Notes when the table's viewport is about to be painted.
class PaintProbe : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

QString Expression(int variables) {
  static const char* const kOperators[] = {"+", "*", "/"};
  QString text = QStringLiteral("not(");
  for (int i = 1; i <= variables; ++i) {
    if (i > 1) text += QLatin1String(kOperators[i % 3]);
    text += QStringLiteral("x%1").arg(i, 2, 10, QChar(u'0'));
  }
  return text + u')';
}

// Milliseconds from the click to the end of the first paint of the viewport after it.
double ClickToPaint(brevano::Tfrm_bool_alg& window, PaintProbe& probe) {
  probe.painted = false;
  QElapsedTimer clock;
  clock.start();
  Ui(window).Button1->click();
  while (!probe.painted) QCoreApplication::processEvents();
  return clock.nsecsElapsed() / 1e6;
}

// Milliseconds from selecting the middle row to the end of the next paint.
double JumpToMiddle(brevano::Tfrm_bool_alg& window, PaintProbe& probe) {
  probe.painted = false;
  QElapsedTimer clock;
  clock.start();
  Ui(window).LV->SelectRow(Ui(window).LV->RowCount() / 2);
  while (!probe.painted) QCoreApplication::processEvents();
  return clock.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Events are processed until `done` or `limitMs`; gives the milliseconds spent and the longest
// single pass of the event loop (the longest the window could not repaint).
struct Watch {
  double ms = 0;
  double longestPassMs = 0;
};

template <typename Done>
Watch Run(Done done, double limitMs = 10'000) {
  Watch watch;
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.nsecsElapsed() / 1e6 < limitMs) {
    const qint64 before = clock.nsecsElapsed();
    QCoreApplication::processEvents();
    watch.longestPassMs = std::max(watch.longestPassMs, (clock.nsecsElapsed() - before) / 1e6);
  }
  watch.ms = clock.nsecsElapsed() / 1e6;
  return watch;
}

// F3 as its shortcut triggers it.
void PressF3(brevano::Tfrm_bool_alg& window) {
  window.Commands()->Action(QStringLiteral("Next row where Result is 1"))->trigger();
}

std::string Joined(const char* separator, int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += (i ? separator : "") + std::string(i < 10 ? "x0" : "x") + std::to_string(i);
  return text;
}

// F3 from row 0 of freshly tabulated tables: the key press to the answer, which includes building
// the diagram.
void BenchSearches(brevano::Tfrm_bool_alg& window) {
  std::string atLeastTwo;
  for (int i = 0; i + 1 < 63; ++i) {
    atLeastTwo += (i ? "+" : "") + std::string(i < 10 ? "x0" : "x") + std::to_string(i) + "*(" +
                  Joined("+", 63).substr(4 * (i + 1)) + ")";
  }
  const std::pair<const char*, std::string> cases[] = {
      {"AND of 63", Joined("*", 63)},
      {"XOR chain of 63, F3 from the last 1 row", Joined("/", 63)},
      {"at least 2 of 63", atLeastTwo},
  };
  std::printf("\nF3 from row 0 (each on a new table, median of %d):\n%-42s %12s %20s\n", kRepetitions,
              "function", "answer ms", "longest pass ms");
  for (const auto& [name, expression] : cases) {
    std::vector<double> answers, passes;
    for (int i = 0; i < kRepetitions; ++i) {
      Ui(window).eIN->setText(QString::fromStdString(expression));
      Ui(window).Button1->click();
      Ui(window).LV->SelectRow(0);
      if (std::string(name).find("last") != std::string::npos)
        Ui(window).LV->SelectRow(Ui(window).LV->RowCount() - 2);
      const std::uint64_t before = *Ui(window).LV->CurrentRow();
      QElapsedTimer clock;
      clock.start();
      PressF3(window);
      const Watch watch =
          Run([&] { return !window.Commands()->SearchRunning() && Ui(window).LV->CurrentRow() != before; });
      answers.push_back(clock.nsecsElapsed() / 1e6);
      passes.push_back(watch.longestPassMs);
    }
    std::printf("%-42s %12.2f %20.2f\n", name, Median(answers),
                *std::max_element(passes.begin(), passes.end()));
  }
}

// The negation of `terms` random products of four of 40 variables: too complex for a diagram in any
// order, its rows with Result 1 far apart.
std::string SparseProducts(std::mt19937_64& rng, int terms) {
  std::string sum;
  for (int t = 0; t < terms; ++t) {
    for (int f = 0; f < 4; ++f) {
      const std::string v = "t" + std::to_string(10 + rng() % 40);
      sum += (f ? "*" : t ? "+" : "") + (rng() % 2 ? v : "not(" + v + ")");
    }
  }
  return "not(" + sum + ")";
}

// One search on a freshly tabulated table, pressed at once (the count's diagram is still being built):
// F3 from row 0, or F4 (the previous row with Result 1) from the last row. The key press to the
// answer and the longest pass of the event loop, in ms.
std::pair<double, double> TimedSearch(brevano::Tfrm_bool_alg& window, const std::string& expression,
                                      bool forward) {
  Ui(window).eIN->setText(QString::fromStdString(expression));
  Ui(window).Button1->click();
  const std::uint64_t start = forward ? 0 : Ui(window).LV->RowCount() - 1;
  Ui(window).LV->SelectRow(start);
  QElapsedTimer clock;
  clock.start();
  window.Commands()
      ->Action(forward ? QStringLiteral("Next row where Result is 1")
                       : QStringLiteral("Previous row where Result is 1"))
      ->trigger();
  const Watch watch =
      Run([&] { return !window.Commands()->SearchRunning() && Ui(window).LV->CurrentRow() != start; });
  return {clock.nsecsElapsed() / 1e6, watch.longestPassMs};
}

// F3 and F4 on functions too complex for a diagram, the solver benchmark's among them.
void BenchSolverSearches(brevano::Tfrm_bool_alg& window) {
  std::mt19937_64 rng(24);
  std::vector<std::pair<std::string, std::string>> cases = {
      {"negated sum of 150 products, 40 variables", SparseProducts(rng, 150)}};
  for (const brevano::bench::Case& c : brevano::bench::Cases()) cases.emplace_back(c.name, c.expression);
  std::printf(
      "\nOn functions too complex for a diagram, each on a new table (median of %d; longest pass: the "
      "worst)\n"
      "%-44s %16s %16s %16s %16s\n",
      kRepetitions, "function", "F3 from 0, ms", "longest pass", "F4 from last, ms", "longest pass");
  for (const auto& [name, expression] : cases) {
    std::vector<double> answers[2], passes[2];
    for (int i = 0; i < kRepetitions; ++i) {
      for (int way = 0; way < 2; ++way) {
        const auto [answer, pass] = TimedSearch(window, expression, way == 0);
        answers[way].push_back(answer);
        passes[way].push_back(pass);
      }
    }
    std::printf("%-44s %16.2f %16.2f %16.2f %16.2f\n", name.c_str(), Median(answers[0]),
                *std::max_element(passes[0].begin(), passes[0].end()), Median(answers[1]),
                *std::max_element(passes[1].begin(), passes[1].end()));
  }
}

// A search that goes through the rows (the n-th row of a function too complex for a diagram): the
// longest pass of the event loop while it runs for three seconds, then what a new tabulation and
// Cancel cost.
void BenchTooComplex(brevano::Tfrm_bool_alg& window) {
  std::mt19937_64 rng(25);
  const QString expression = QString::fromStdString(SparseProducts(rng, 150));
  std::printf(
      "\nThe billionth row with Result 1 of a negated sum of 150 products of 40 variables (too complex for "
      "a diagram, fewer such rows):\n");
  Ui(window).eIN->setText(expression);
  Ui(window).Button1->click();
  Ui(window).LV->SelectRow(0);
  window.Commands()->FindNth(1, 1'000'000'000);
  const Watch during = Run([] { return false; }, 3000);
  std::printf("longest pass of the event loop in 3 s: %.2f ms\n", during.longestPassMs);
  QElapsedTimer clock;
  clock.start();
  window.Commands()->CancelSearch();
  std::printf("Cancel during the row-by-row scan: %.2f ms\n", clock.nsecsElapsed() / 1e6);
  window.Commands()->FindNth(1, 1'000'000'000);
  Run([] { return false; }, 100);  // the build is under way
  Ui(window).eIN->setText(QStringLiteral("a+b"));
  Ui(window).LV->SelectRow(0);
  clock.restart();
  Ui(window).Button1->click();
  std::printf("new tabulation during the search: %.2f ms\n", clock.nsecsElapsed() / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  brevano::Tfrm_bool_alg window;
  window.Commands()->SetNoticeHandler([](const QString&) {});  // a search's notice must not wait for a click
  PaintProbe probe;
  Ui(window).LV->viewport()->installEventFilter(&probe);
  window.show();
  while (!probe.painted) QCoreApplication::processEvents();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  const long emptyKb = StatusKb("VmRSS");

  std::printf("platform %s, %d clicks per size; memory over the empty window (%.1f MB resident)\n",
              qPrintable(QGuiApplication::platformName()), kRepetitions, emptyKb / 1024.0);
  std::printf("%9s %20s %15s %10s %8s %15s %19s\n", "variables", "rows", "first ms", "median ms", "max ms",
              "jump to middle ms", "peak over empty MB");
  for (int variables : {10, 20, 30, 40, brevano::kWindowMaxVariables}) {
    Ui(window).eIN->setText(Expression(variables));
    ResetPeak();
    std::vector<double> times;
    std::vector<double> jumps;
    for (int i = 0; i < kRepetitions; ++i) {
      times.push_back(ClickToPaint(window, probe));
      jumps.push_back(JumpToMiddle(window, probe));
    }
    const long peakKb = StatusKb("VmHWM");
    std::printf("%9d %20llu %15.2f %10.2f %8.2f %17.2f %19.2f\n", variables,
                static_cast<unsigned long long>(Ui(window).LV->RowCount()), times.front(), Median(times),
                *std::max_element(times.begin(), times.end()), Median(jumps), (peakKb - emptyKb) / 1024.0);
  }
  BenchSearches(window);
  BenchSolverSearches(window);
  BenchTooComplex(window);
  return 0;
}

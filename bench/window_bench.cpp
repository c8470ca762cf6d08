// Window benchmark, offscreen: time from a "Tabulation" click to the first painted table, and peak memory.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/frm_boolean.h"
#include "app/truth_table_view.h"

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
  window.Button1->click();
  while (!probe.painted) QCoreApplication::processEvents();
  return clock.nsecsElapsed() / 1e6;
}

// Milliseconds from selecting the middle row to the end of the next paint.
double JumpToMiddle(brevano::Tfrm_bool_alg& window, PaintProbe& probe) {
  probe.painted = false;
  QElapsedTimer clock;
  clock.start();
  window.LV->SelectRow(window.LV->RowCount() / 2);
  while (!probe.painted) QCoreApplication::processEvents();
  return clock.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  brevano::Tfrm_bool_alg window;
  PaintProbe probe;
  window.LV->viewport()->installEventFilter(&probe);
  window.show();
  while (!probe.painted) QCoreApplication::processEvents();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  const long emptyKb = StatusKb("VmRSS");

  std::printf("platform %s, %d clicks per size; memory over the empty window (%.1f MB resident)\n",
              qPrintable(QGuiApplication::platformName()), kRepetitions, emptyKb / 1024.0);
  std::printf("%9s %20s %15s %10s %8s %15s %19s\n", "variables", "rows", "first ms", "median ms", "max ms",
              "jump to middle ms", "peak over empty MB");
  for (int variables : {10, 20, 30, 40, brevano::kWindowMaxVariables}) {
    window.eIN->setText(Expression(variables));
    ResetPeak();
    std::vector<double> times;
    std::vector<double> jumps;
    for (int i = 0; i < kRepetitions; ++i) {
      times.push_back(ClickToPaint(window, probe));
      jumps.push_back(JumpToMiddle(window, probe));
    }
    const long peakKb = StatusKb("VmHWM");
    std::printf("%9d %20llu %15.2f %10.2f %8.2f %17.2f %19.2f\n", variables,
                static_cast<unsigned long long>(window.LV->RowCount()), times.front(), Median(times),
                *std::max_element(times.begin(), times.end()), Median(jumps), (peakKb - emptyKb) / 1024.0);
  }
  return 0;
}

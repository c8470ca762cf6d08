// Saving a table from the window's saver against the command-line tool's writer to a plain file, same bytes.
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "app/table_saver.h"
#include "cli/commands.h"
#include "pipeline/pipeline.h"

namespace {

brevano::TruthTable SumTable(int variables) {
  std::string sum = "a0";
  for (int i = 1; i < variables; ++i) sum += "+a" + std::to_string(i);
  brevano::ExprTree tree;
  return brevano::TruthTable::Build(brevano::ProcessExpression(sum, tree), brevano::DisplayMode::kZeroOne);
}

// Seconds of `brevano table > file` as the tool writes it, then fsync as QSaveFile's commit does.
double CliSeconds(const brevano::TruthTable& table, const QString& path) {
  QElapsedTimer timer;
  timer.start();
  const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::string error;
  if (fd < 0 || brevano::cli::WriteTableTo(fd, table, brevano::TableFormat::kTsv, error) !=
                    brevano::cli::WriteOutcome::kDone) {
    std::fprintf(stderr, "cannot write %s %s\n", qPrintable(path), error.c_str());
  }
  ::fsync(fd);
  ::close(fd);
  return timer.nsecsElapsed() / 1e9;
}

double SaverSeconds(const brevano::TruthTable& table, const QString& path) {
  QElapsedTimer timer;
  timer.start();
  const brevano::SaveResult result = brevano::TableSaver(table, brevano::TableFormat::kTsv, path).Run();
  if (result.status != brevano::SaveStatus::kSaved) std::fprintf(stderr, "%s\n", qPrintable(result.message));
  return timer.nsecsElapsed() / 1e9;
}

}  // namespace

// Usage: save_bench [FOLDER [RUNS]]: the files are written in a temporary folder inside FOLDER.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir(QDir(argc > 1 ? argv[1] : QDir::tempPath()).filePath("save_bench-XXXXXX"));
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  std::printf("variables  MB      saver s (best of %d)  command-line writer + fsync s\n", runs);
  for (int variables : {20, 24}) {
    const brevano::TruthTable table = SumTable(variables);
    double saver = 1e9, cli = 1e9;
    for (int i = 0; i < runs; ++i) {
      saver = std::min(saver, SaverSeconds(table, dir.filePath("saver.tsv")));
      cli = std::min(cli, CliSeconds(table, dir.filePath("cli.tsv")));
    }
    const double mb = brevano::TableTextBytes(table, brevano::TableFormat::kTsv) / 1e6;
    std::printf("%-10d %-7.0f %-21.3f %.3f\n", variables, mb, saver, cli);
  }
  return 0;
}

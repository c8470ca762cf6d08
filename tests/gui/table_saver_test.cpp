// Saving a table: the bytes of `brevano table`, and an existing file kept whole on Cancel, on a write
// error and on the refusal of a table larger than the free space.
#include "app/table_saver.h"

#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <cstring>

#include "pipeline/pipeline.h"

namespace brevano {
namespace {

TruthTable Table(const std::string& expression, DisplayMode mode = DisplayMode::kZeroOne) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), mode);
}

// a0+a1+...: `count` variables.
std::string SumOf(int count) {
  std::string sum = "a0";
  for (int i = 1; i < count; ++i) sum += "+a" + std::to_string(i);
  return sum;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

// The files in `dir`, sorted: a temporary file left behind shows up here.
QStringList Entries(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

class TableSaverTest : public QObject {
  Q_OBJECT

 private slots:
  void savesTheBytesOfTheCommandLine_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<bool>("falseTrue");
    for (const char* format : {"tsv", "csv", "markdown", "latex"}) {
      QTest::addRow("%s small", format) << format << "not(a+b)*c" << false;
      QTest::addRow("%s F/T", format) << format << "x_1/y" << true;
      QTest::addRow("%s no variables", format) << format << "1" << false;
      // Over 256 KiB: several chunks.
      QTest::addRow("%s 14 variables", format) << format << QString::fromStdString(SumOf(14)) << false;
    }
  }
  void savesTheBytesOfTheCommandLine() {
    QFETCH(QString, format);
    QFETCH(QString, expression);
    QFETCH(bool, falseTrue);
    QStringList arguments{"table", "--format", format};
    if (falseTrue) arguments << "--ft";
    QProcess cli;
    cli.start(BREVANO_CLI, arguments << "--" << expression);
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    const QByteArray expected = cli.readAllStandardOutput();

    QTemporaryDir dir;
    const QString path = dir.filePath("table");
    const auto mode = falseTrue ? DisplayMode::kFalseTrue : DisplayMode::kZeroOne;
    TableSaver saver(Table(expression.toStdString(), mode), *TableFormatFromName(format.toStdString()), path);
    QCOMPARE(saver.Total(), static_cast<std::uint64_t>(expected.size()));
    const SaveResult result = saver.Run();
    QCOMPARE(result.status, SaveStatus::kSaved);
    QVERIFY(ReadAll(path) == expected);
    QCOMPARE(saver.Written(), saver.Total());
    QCOMPARE(Entries(dir), QStringList{"table"});
    // A new file gets the permissions of any file the user creates, not the temporary file's.
    WriteFile(dir.filePath("plain"), "");
    QCOMPARE(QFile::permissions(path), QFile::permissions(dir.filePath("plain")));
  }

  void cancelKeepsTheExistingFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.tsv");
    WriteFile(path, "old contents\n");
    TableSaver saver(Table(SumOf(16)), TableFormat::kTsv, path);
    int chunks = 0;
    const SaveResult result = saver.Run([&](std::uint64_t) {
      if (++chunks == 2) saver.Cancel();
    });
    QCOMPARE(result.status, SaveStatus::kCancelled);
    QCOMPARE(chunks, 2);
    QVERIFY(saver.Written() < saver.Total());
    QCOMPARE(ReadAll(path), QByteArray("old contents\n"));
    QCOMPARE(Entries(dir), QStringList{"kept.tsv"});
  }

  // A file-size limit makes the system refuse the writes past 64 KiB, as a full disk would.
  void writeFailureKeepsTheExistingFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.csv");
    WriteFile(path, "old contents\r\n");
    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    const SaveResult result = TableSaver(Table(SumOf(16)), TableFormat::kCsv, path).Run();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(result.status, SaveStatus::kFailed);
    QVERIFY2(result.message.contains(QString::fromLocal8Bit(std::strerror(EFBIG))),
             qPrintable(result.message));
    QVERIFY2(result.message.contains(path), qPrintable(result.message));
    QCOMPARE(ReadAll(path), QByteArray("old contents\r\n"));
    QCOMPARE(Entries(dir), QStringList{"kept.csv"});
  }

  void openFailureGivesTheSystemsReason() {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/table.tsv");
    const SaveResult result = TableSaver(Table("a"), TableFormat::kTsv, path).Run();
    QCOMPARE(result.status, SaveStatus::kFailed);
    QVERIFY2(result.message.contains(QString::fromLocal8Bit(std::strerror(ENOENT))),
             qPrintable(result.message));
    const SaveResult report = SaveReport(path, "Verdict: satisfiable\n");
    QCOMPARE(report.status, SaveStatus::kFailed);
    QVERIFY2(report.message.contains(QString::fromLocal8Bit(std::strerror(ENOENT))),
             qPrintable(report.message));
    QVERIFY(Entries(dir).isEmpty());
  }

  // 2^50 rows take petabytes; 63 variables more bytes than 64 bits count.
  void tooLargeForTheFreeSpaceIsRefused_data() {
    QTest::addColumn<int>("variables");
    QTest::newRow("50 variables") << 50;
    QTest::newRow("63 variables") << 63;
  }
  void tooLargeForTheFreeSpaceIsRefused() {
    QFETCH(int, variables);
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.md");
    TableSaver saver(Table(SumOf(variables)), TableFormat::kMarkdown, path);
    const SaveResult result = saver.Run();
    QCOMPARE(result.status, SaveStatus::kRefused);
    QVERIFY2(result.message.contains("free") && result.message.contains(dir.path()),
             qPrintable(result.message));
    QCOMPARE(saver.Written(), std::uint64_t{0});
    QVERIFY(Entries(dir).isEmpty());
    QVERIFY(!CheckSaveSpace(path, 1).has_value());
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::TableSaverTest)
#include "table_saver_test.moc"

// File > Open…: a PLA or table file shown as it is, one column per output, its chosen output's least
// sum analysed with its don't-cares, and a bad file reported with its line while the window keeps
// what it showed.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "app/analysis_dialog.h"
#include "app/circuit_dialog.h"
#include "app/dont_care_field.h"
#include "app/frm_boolean.h"
#include "app/function_opening.h"
#include "app/kmap_dialog.h"
#include "app/netlist_export.h"
#include "app/truth_table_view.h"
#include "app/warning_line.h"
#include "app/window_commands.h"
#include "tests/gui/window_controls.h"

namespace brevano {
namespace {

// The window with its errors recorded.
class OpeningWindow : public Tfrm_bool_alg {
 public:
  QStringList errors;

 protected:
  void ShowError(const QString& message) override { errors << message; }
};

// Output f: 1 in rows 3, 5 and 6, row 7 free; g leaves the don't-cares of f to inputs it ignores.
constexpr const char* kPla =
    "# two outputs\n.i 3\n.o 2\n.ilb a b c\n.ob f g\n.type fd\n.p 5\n"
    "011 10\n101 10\n110 11\n111 -1\n10- 0-\n.e\n";

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
  QFile file(dir.filePath(name));
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write(text);
  return file.fileName();
}

}  // namespace

class FileOpenTest : public QObject {
  Q_OBJECT

 private slots:
  void openTabulatesTheSumAndAnalysesWithTheDontCares_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("output");
    QTest::addColumn<QString>("sum");
    QTest::addColumn<QString>("dontCare");
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("leftOut");
    QTest::newRow("pla f") << "two.pla" << QByteArray(kPla) << 0 << "A*B+A*C+B*C"
                           << "A*B*C"
                           << "3 of 8, 1 don't-care" << false;
    // g is A once rows 4 and 5 are taken as 1; their don't-cares depend on B, which A leaves out,
    // so none are left over A alone, and the warning line says so.
    QTest::newRow("pla g") << "two.pla" << QByteArray(kPla) << 1 << "A"
                           << ""
                           << "1 of 2" << true;
    QTest::newRow("tsv") << "t.tsv" << QByteArray("A\tB\tResult\n0\t0\t0\n0\t1\t1\n1\t0\tx\n1\t1\t0\n") << 0
                         << "not(A)*B"
                         << "A*not(B)"
                         << "1 of 4, 1 don't-care" << false;
  }
  void openTabulatesTheSumAndAnalysesWithTheDontCares() {
    QFETCH(QString, name);
    QFETCH(QByteArray, text);
    QFETCH(int, output);
    QFETCH(QString, sum);
    QFETCH(QString, dontCare);
    QFETCH(QString, count);
    QFETCH(bool, leftOut);
    QTemporaryDir dir;
    OpeningWindow window;
    window.OpenFunctionFile(Write(dir, name, text));
    QTRY_VERIFY_WITH_TIMEOUT(window.Analysis() != nullptr, 10000);
    // Another output chosen replaces the analysis with its own.
    window.ChooseFileOutput(output);
    QTRY_VERIFY_WITH_TIMEOUT(!window.MakingOutput() && Ui(window).eIN->text() == sum, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(window.Analysis() != nullptr, 10000);
    QCOMPARE(window.errors, QStringList());
    QCOMPARE(Ui(window).eIN->text(), sum);
    QCOMPARE(window.ShownText(), sum);
    auto* dialog = window.Analysis();
    QCOMPARE(dialog->DontCare()->Text(), dontCare);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->Running(), 10000);
    QCOMPARE(dialog->FieldText("Rows with Result 1:"), count);
    QCOMPARE(dialog->FieldText("Minimal sum of products:"), sum);
    QVERIFY(Ui(window).LV->File() != nullptr);
    QCOMPARE(Ui(window).LV->RowCount(), std::uint64_t{1} << Ui(window).LV->File()->InputCount());
    const std::vector<std::string>& warnings = Ui(window).Warn->Shown().warnings;
    QCOMPARE(!warnings.empty() && warnings[0].find("left out") != std::string::npos, leftOut);
  }

  void aBadFileSaysItsLineAndKeepsTheWindow() {
    QTemporaryDir dir;
    OpeningWindow window;
    Ui(window).eIN->setText("a/b");
    window.Button1Click();
    Ui(window).eIN->setText("a*c");  // typed, not yet tabulated
    window.OpenFunctionFile(Write(dir, "bad.pla", ".i 3\n.o 1\n.p 2\n011 1\n01x 1\n.e\n"));
    QTRY_COMPARE_WITH_TIMEOUT(window.errors.size(), 1, 10000);
    QVERIFY2(window.errors[0].startsWith("Cannot open bad.pla: Line 5: "), qPrintable(window.errors[0]));
    window.OpenFunctionFile(dir.filePath("missing.pla"));
    QTRY_COMPARE_WITH_TIMEOUT(window.errors.size(), 2, 10000);
    QVERIFY(window.errors[1].startsWith("Cannot open missing.pla: Cannot read the file"));
    QCOMPARE(Ui(window).eIN->text(), QString("a*c"));
    QCOMPARE(window.ShownText(), QString("a/b"));
    QCOMPARE(Ui(window).LV->RowCount(), std::uint64_t{4});
    QVERIFY(window.Analysis() == nullptr);
  }

  // The file's inputs as it names and orders them, a column per output with "-" for its
  // don't-cares, per-output counts, searches on the chosen output's column, and Tabulation back.
  void anOpenedFileIsShownAsItIs() {
    QTemporaryDir dir;
    OpeningWindow window;
    QStringList notices;
    window.Commands()->SetNoticeHandler([&notices](const QString& text) { notices << text; });
    window.OpenFunctionFile(
        Write(dir, "mixed.pla",
              ".i 3\n.o 2\n.ilb zeta Alpha rmwB\n.ob f Out0\n.p 3\n1-0 10\n011 1-\n111 -1\n.e\n"));
    QTRY_VERIFY_WITH_TIMEOUT(window.Analysis() != nullptr, 10000);
    QCOMPARE(window.errors, QStringList());
    QHeaderView* header = Ui(window).LV->Header();
    QStringList captions;
    for (int c = 0; c < header->count(); ++c)
      captions << header->model()->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
    QCOMPARE(captions, QStringList({"zeta", "Alpha", "rmwB", "f", "Out0"}));
    QCOMPARE(Ui(window).LV->RowTexts(3), (std::vector<std::string>{"0", "1", "1", "1", "-"}));
    QCOMPARE(Ui(window).LV->RowTexts(7), (std::vector<std::string>{"1", "1", "1", "-", "1"}));
    QTRY_COMPARE_WITH_TIMEOUT(window.StatusTexts()[1], QString("1: 3 \u00b7 0: 4 \u00b7 -: 1"), 10000);
    QCOMPARE(window.StatusTexts()[2], QString("3 inputs, 2 outputs"));
    QTRY_VERIFY_WITH_TIMEOUT(window.findChild<QLabel*>("onesStatus")->toolTip() ==
                                 "f: 3 of 8 rows are 1, 4 are 0, 1 don't-care\n"
                                 "Out0: 1 of 8 rows are 1, 6 are 0, 1 don't-care",
                             10000);

    // F3 from the top goes to f's first 1, row 3; on Out0 the next 1 after row 3 is row 7.
    window.Commands()->FindResult(true, 1);
    QTRY_COMPARE_WITH_TIMEOUT(Ui(window).LV->CurrentRow(), std::optional<std::uint64_t>(3), 10000);
    window.OutputBox()->setCurrentIndex(1);
    QCOMPARE(Ui(window).LV->ChosenOutput(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(window.StatusTexts()[1], QString("1: 1 \u00b7 0: 6 \u00b7 -: 1"), 10000);
    window.Commands()->FindResult(true, 1);
    QTRY_COMPARE_WITH_TIMEOUT(Ui(window).LV->CurrentRow(), std::optional<std::uint64_t>(7), 10000);
    window.Commands()->FindResult(true, 1);
    QTRY_COMPARE_WITH_TIMEOUT(notices.size(), 1, 10000);
    QCOMPARE(notices[0], QString("No row after the current row has Out0 = 1."));
    window.Commands()->FindResult(false, 0);
    QTRY_COMPARE_WITH_TIMEOUT(Ui(window).LV->CurrentRow(), std::optional<std::uint64_t>(6), 10000);
    QCOMPARE(window.Commands()->GoTo("alpha=1 ZETA=1"), std::nullopt);
    QCOMPARE(Ui(window).LV->CurrentRow(), std::optional<std::uint64_t>(6));
    QTRY_VERIFY_WITH_TIMEOUT(!window.MakingOutput(), 10000);
    QVERIFY(window.FunctionTable() != nullptr);
    // Out0's least sum is Alpha*rmwB: its map's cell of both 1 is the file's row 3, zeta being 0.
    KmapDialog* map = window.OpenKmap();
    QVERIFY(map != nullptr);
    QCOMPARE(window.FunctionTable()->Variables(), (std::vector<std::string>{"ALPHA", "RMWB"}));
    emit map->rowClicked(3);
    QCOMPARE(Ui(window).LV->CurrentRow(), std::optional<std::uint64_t>(3));

    // Tabulation of a typed expression is the ordinary table again.
    Ui(window).eIN->setText("a*b");
    window.Button1Click();
    QVERIFY(Ui(window).LV->File() == nullptr);
    QVERIFY(window.OutputBox()->isHidden());
    QCOMPARE(Ui(window).LV->Table()->Captions(), (std::vector<std::string>{"A", "B", "Result"}));
  }

  // The map of a file's output shows the file's don't-cares, follows the output chosen, and drops
  // them for a typed table.
  void mapTakesTheFilesDontCares() {
    QTemporaryDir dir;
    OpeningWindow window;
    // f is 1 on 100, 110 and 011 and a don't-care on 111, which its least sum covers.
    window.OpenFunctionFile(
        Write(dir, "free.pla", ".i 3\n.o 2\n.ob f g\n.p 4\n1-0 10\n011 10\n111 -0\n000 01\n.e\n"));
    QTRY_VERIFY_WITH_TIMEOUT(!window.MakingOutput() && window.FunctionTable(), 10000);
    KmapDialog* map = window.OpenKmap();
    QVERIFY(map != nullptr);
    const auto dontCareCells = [map] {
      const std::vector<int>& values = map->Layout().values;
      return std::count(values.begin(), values.end(), kDontCareCell);
    };
    QVERIFY(!map->DontCare()->Text().isEmpty());
    QCOMPARE(dontCareCells(), 1);
    window.OutputBox()->setCurrentIndex(1);  // g: no don't-cares
    QTRY_VERIFY_WITH_TIMEOUT(!window.MakingOutput() && window.FunctionTable(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(map->DontCare()->Text(), QString(), 10000);
    QCOMPARE(dontCareCells(), 0);
    window.OutputBox()->setCurrentIndex(0);
    QTRY_COMPARE_WITH_TIMEOUT(dontCareCells(), 1, 10000);
    Ui(window).eIN->setText("a*b");
    window.Button1Click();
    QCOMPARE(map->DontCare()->Text(), QString());
    QCOMPARE(dontCareCells(), 0);
    QVERIFY(!map->DontCare()->ShowsError());
  }

  // Shift+F7: every output in one circuit, a term feeding f and g drawn once; a new table draws
  // the typed circuit again.
  void everyOutputInOneCircuit() {
    QTemporaryDir dir;
    OpeningWindow window;
    QAction* every = window.Commands()->Action(QString::fromUtf8("Circuit of every output\u2026"));
    QVERIFY(every != nullptr);
    QCOMPARE(every->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F7));
    window.OpenFunctionFile(Write(dir, "two.pla", kPla));
    QTRY_VERIFY_WITH_TIMEOUT(window.Analysis() != nullptr, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!window.MakingOutput(), 10000);
    window.Commands()->UpdateStates();
    QVERIFY(every->isEnabled());
    every->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!window.SharedCircuitRunning() && window.findChild<CircuitDialog*>(), 10000);
    CircuitDialog* circuit = window.findChild<CircuitDialog*>();
    QVERIFY(circuit->Shared());
    QVERIFY2(circuit->TitleText().startsWith("Every output of two.pla: "), qPrintable(circuit->TitleText()));
    QVERIFY2(circuit->TitleText().endsWith(" terms, all outputs together, proven fewest"),
             qPrintable(circuit->TitleText()));
    QCOMPARE(circuit->MessageText(), QString());
    QCOMPARE(window.errors, QStringList());
    Ui(window).eIN->setText("a*b");
    window.Button1Click();
    QVERIFY(!circuit->Shared());
  }

  void aFileWiderThanATableIsRefused() {
    QTemporaryDir dir;
    OpeningWindow window;
    window.OpenFunctionFile(Write(dir, "wide.pla", ".i 64\n.o 1\n.p 1\n" + QByteArray(64, '-') + " 1\n.e\n"));
    QTRY_COMPARE_WITH_TIMEOUT(window.errors.size(), 1, 10000);
    QVERIFY2(
        window.errors[0].startsWith("Cannot open wide.pla: The file has 64 inputs: a table holds at most 63"),
        qPrintable(window.errors[0]));
    QVERIFY(Ui(window).LV->File() == nullptr);
  }

  // Export of an opened file: a PLA of every output with the file's names, and netlists whose
  // inputs are named as in the file.
  void exportsKeepTheFilesNames() {
    QTemporaryDir dir;
    const QString path = Write(dir, "mixed.pla", kPla);
    const auto file = std::make_shared<const FunctionFile>(ReadFunctionFileAt(path.toStdString()));
    QWidget owner;
    NetlistExport exporter(&owner);
    QSignalSpy finished(&exporter, &NetlistExport::finished);
    exporter.WritePla(file, dir.filePath("out.pla"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
    QCOMPARE(finished[0][0].toBool(), true);
    QFile pla(dir.filePath("out.pla"));
    QVERIFY(pla.open(QIODevice::ReadOnly));
    const QByteArray text = pla.readAll();
    QVERIFY2(text.contains("\n.ilb a b c\n.ob f g\n"), text.constData());
    QVERIFY2(text.startsWith("# 3 terms, all outputs together, proven fewest"), text.constData());

    FunctionFile upper = *file;
    upper.inputs = {"zeta", "Alpha", "rmwB"};
    const TruthTable sum = TruthTable::Build({"+ @F", "ALPHA", "RMWB"}, DisplayMode::kZeroOne);
    exporter.Write(sum, "Alpha+rmwB", {NetlistFormat::kVerilog, CircuitForm::kTyped}, dir.filePath("out.v"),
                   InputNamesByColumn(upper));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 10000);
    QFile verilog(dir.filePath("out.v"));
    QVERIFY(verilog.open(QIODevice::ReadOnly));
    const QByteArray netlist = verilog.readAll();
    QVERIFY2(netlist.contains("Alpha") && netlist.contains("rmwB") && !netlist.contains("RMWB"),
             netlist.constData());
  }

  // A netlist of an opened file holds every output, named as the file names it, from the joint
  // cover: a*b feeds both outputs as one gate, and ABC proves the BLIF equal to the file.
  void aFilesNetlistHoldsEveryOutput() {
    QTemporaryDir dir;
    const QString path = Write(
        dir, "adder.pla", ".i 3\n.o 2\n.ilb Alpha b c\n.ob f_out Carry\n.p 4\n11- 11\n--0 10\n--1 01\n.e\n");
    const auto file = std::make_shared<const FunctionFile>(ReadFunctionFileAt(path.toStdString()));
    QWidget owner;
    NetlistExport exporter(&owner);
    QSignalSpy finished(&exporter, &NetlistExport::finished);
    exporter.WriteFileNetlist(file, NetlistFormat::kBlif, "adder.pla", dir.filePath("out.blif"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
    QCOMPARE(finished[0][0].toBool(), true);
    QFile blif(dir.filePath("out.blif"));
    QVERIFY(blif.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(blif.readAll());
    QVERIFY2(text.startsWith("# adder.pla: 3 terms, all outputs together, proven fewest\n"),
             qPrintable(text));
    QVERIFY2(text.contains("\n.inputs Alpha b c\n.outputs f_out Carry\n"), qPrintable(text));
    // The nets each output reads: some net other than an input is read by both.
    std::map<QString, QStringList> read;
    for (const QString& line : text.split('\n')) {
      QStringList nets = line.split(' ');
      if (nets.size() < 2 || nets[0] != ".names") continue;
      const QString driven = nets.takeLast();
      read[driven] = nets.mid(1);
    }
    QStringList shared;
    for (const QString& net : read["f_out"])
      if (read["Carry"].contains(net) && read.count(net)) shared << net;
    QVERIFY2(shared.size() == 1 && read[shared[0]] == QStringList({"Alpha", "b"}), qPrintable(text));

    QProcess abc;
    abc.start("berkeley-abc", {"-c", "cec -n " + path + " " + blif.fileName()});
    if (!abc.waitForStarted()) QSKIP("berkeley-abc is not installed");
    QVERIFY(abc.waitForFinished(30000));
    const QString verdict = QString::fromUtf8(abc.readAll());
    QVERIFY2(verdict.contains("Networks are equivalent"), qPrintable(verdict));
  }

  void openIsInTheFileMenuOnCtrlO() {
    Tfrm_bool_alg window;
    QAction* open = window.Commands()->Action(QString::fromUtf8("Open\u2026"));
    QVERIFY(open && open->isEnabled());
    QVERIFY(open->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_O)));
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::FileOpenTest)
#include "file_open_test.moc"

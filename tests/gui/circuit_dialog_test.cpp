// The circuit dialog and the netlist export: the forms and symbols from the window's command, a new
// tabulation, a circuit too large to draw, whole files, and screenshots of both symbol styles.
#include "app/circuit_dialog.h"

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "app/circuit_view.h"
#include "app/frm_boolean.h"
#include "app/netlist_export.h"
#include "app/truth_table_view.h"
#include "app/window_commands.h"
#include "pipeline/pipeline.h"
#include "tests/gui/window_controls.h"

namespace brevano {
namespace {

TruthTable Table(const std::string& expression) {
  ExprTree tree;
  return TruthTable::Build(ProcessExpression(expression, tree), DisplayMode::kZeroOne);
}

int Items(const CircuitDialog& dialog, const std::string& role) {
  int count = 0;
  for (const PictureItem& item : dialog.View()->Picture().items) count += item.role == role;
  return count;
}

QStringList Inputs(const CircuitDialog& dialog) {
  QStringList names;
  for (const PictureItem& item : dialog.View()->Picture().items) {
    if (item.role == "input") names << QString::fromStdString(item.text);
  }
  return names;
}

bool WellFormed(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) xml.readNext();
  return !xml.hasError();
}

}  // namespace

class CircuitDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void formsAndSymbolsFromTheWindowsCommand() {
    Tfrm_bool_alg window;
    Ui(window).eIN->setText(QStringLiteral("not(a)*b+a*c"));
    window.Button1Click();
    QAction* action = window.Commands()->Action(QStringLiteral("Circuit\u2026"));
    QVERIFY(action && action->isEnabled());
    action->trigger();
    auto* dialog = window.findChild<CircuitDialog*>();
    QVERIFY(dialog && !dialog->isModal());
    QTRY_VERIFY(!dialog->Busy());
    QCOMPARE(dialog->TitleText(), QString("As typed"));
    QCOMPARE(Items(*dialog, "gate"), 4);  // an inverter, two ANDs and an OR
    QCOMPARE(Items(*dialog, "symbol"), 0);

    dialog->SetForm(CircuitForm::kNand);
    QTRY_VERIFY(!dialog->Busy());
    QCOMPARE(dialog->TitleText(), QString("NAND form: not(not(not(A)*B)*not(A*C))"));
    dialog->SetStyle(SymbolStyle::kIec);
    QCOMPARE(Items(*dialog, "symbol"), 4);
    QCOMPARE(Items(*dialog, "bubble"), 4);

    Ui(window).eIN->setText(QStringLiteral("x*y"));
    window.Button1Click();
    QTRY_VERIFY(!dialog->Busy());
    QCOMPARE(dialog->Form(), CircuitForm::kNand);
    QCOMPARE(Inputs(*dialog), QStringList({"X", "Y"}));
  }

  void aCircuitTooLargeToDrawSaysSo() {
    std::string many = "a0";
    for (int i = 1; i <= 300; ++i) many = "not(" + many + "*a" + std::to_string(i % 30) + ")";
    CircuitDialog dialog(Table(many));
    QTRY_VERIFY(!dialog.Busy());
    QVERIFY(dialog.MessageText().startsWith("The circuit has 300 gates: at most 250 are drawn."));
    QCOMPARE(Items(dialog, "gate"), 0);
    dialog.SetForm(CircuitForm::kSum);
    QTRY_VERIFY(!dialog.Busy());
    QVERIFY(dialog.MessageText().isEmpty() || dialog.MessageText().startsWith("No circuit"));
  }

  void picturesAndNetlistsAreWrittenWhole() {
    QTemporaryDir folder;
    CircuitDialog dialog(Table("a*b+not(c)"));
    QTRY_VERIFY(!dialog.Busy());
    QString error;
    QVERIFY(dialog.SaveSvg(folder.filePath("c.svg"), error));
    QVERIFY(WellFormed(folder.filePath("c.svg")));
    QVERIFY(dialog.SavePng(folder.filePath("c.png"), error));
    QCOMPARE(QImage(folder.filePath("c.png")).width(), dialog.Image().width());

    Tfrm_bool_alg window;
    Ui(window).eIN->setText(QStringLiteral("a*b+not(c)"));
    window.Button1Click();
    NetlistExport exporter(&window);
    QSignalSpy ended(&exporter, &NetlistExport::finished);
    exporter.Write(*Ui(window).LV->Table(), window.ShownText(), {NetlistFormat::kVerilog, CircuitForm::kSum},
                   folder.filePath("c.v"));
    QTRY_COMPARE(ended.count(), 1);
    QVERIFY(ended.at(0).at(0).toBool());
    QProcess cli;
    cli.start(BREVANO_CLI, {"export", "--format", "verilog", "--form", "sop", "a*b+not(c)"});
    QVERIFY(cli.waitForFinished());
    QFile written(folder.filePath("c.v"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), cli.readAllStandardOutput());

    exporter.Write(*Ui(window).LV->Table(), window.ShownText(), {NetlistFormat::kBlif, CircuitForm::kTyped},
                   folder.filePath("missing/c.blif"));
    QTRY_COMPARE(ended.count(), 2);
    QVERIFY(!ended.at(1).at(0).toBool() && !ended.at(1).at(1).toString().isEmpty());
    QVERIFY(!QFile::exists(folder.filePath("missing/c.blif")));
  }

  void everyOutputOfACoverInOneCircuit() {
    BooleanFunction function;
    function.inputs = {"a", "b", "c"};
    function.outputs = {"x", "y", "z"};
    // x = a*b + not(a)*c, y = a*b, z = 0: the term a*b one gate for x and y.
    auto cube = [](const std::string& in, const std::string& out) {
      MultiCube term = MultiCube::Universe(3, 3);
      for (int i = 0; i < 3; ++i) {
        if (in[i] != '-') term.SetInput(i, in[i] == '1' ? Literal::kOne : Literal::kZero);
      }
      for (int o = 0; o < 3; ++o) term.SetOutput(o, out[o] == '1');
      return term;
    };
    CircuitDialog dialog(Table("a"));
    dialog.SetSharedCircuit(function, {cube("11-", "110"), cube("0-1", "100")}, QStringLiteral("Joint"));
    QVERIFY(dialog.Shared());
    QVERIFY(!dialog.Busy());
    QCOMPARE(dialog.TitleText(), QStringLiteral("Joint"));
    QCOMPARE(Inputs(dialog), (QStringList{"a", "b", "c"}));
    QCOMPARE(Items(dialog, "output"), 3);
    QCOMPARE(Items(dialog, "constant"), 1);
    QCOMPARE(dialog.View()->Picture().gates.size(), std::size_t{4});  // NOT a, two ANDs, the OR of x
    dialog.SetStyle(SymbolStyle::kIec);
    QCOMPARE(Items(dialog, "symbol"), 4);
    QVERIFY(!dialog.Image().isNull());

    CubeCover many;
    for (int t = 0; t < 300; ++t) {
      MultiCube term = MultiCube::Universe(9, 1);
      for (int i = 0; i < 9; ++i) term.SetInput(i, (t >> i) & 1 ? Literal::kOne : Literal::kZero);
      term.SetOutput(0, true);
      many.push_back(term);
    }
    BooleanFunction wide;
    for (int i = 0; i < 9; ++i) wide.inputs.push_back("i" + std::to_string(i));
    wide.outputs = {"f"};
    dialog.SetSharedCircuit(wide, many, QStringLiteral("Many"));
    QVERIFY(dialog.MessageText().startsWith(QStringLiteral("The circuit has 310 gates")));
    QVERIFY(dialog.View()->Picture().items.empty());

    dialog.SetSharedCircuit(function, many, QStringLiteral("Mismatched"));  // 9-input terms, 3 inputs
    QVERIFY(dialog.MessageText().startsWith(QStringLiteral("A term of the cover has 9 inputs")));

    dialog.SetTable(Table("a*b"));  // back to one output and its forms
    QVERIFY(!dialog.Shared());
    QTRY_VERIFY(!dialog.Busy());
    QCOMPARE(Items(dialog, "output"), 1);
  }

  void screenshots() {
    const std::pair<const char*, const char*> circuits[] = {
        {"sop", "a*b*not(c)+c*not(d)+not(b)*not(d)+a*d*not(b)"}, {"typed", "not(a+b)*c/(a*d)+not(b)"}};
    for (const auto& [name, expression] : circuits) {
      for (const SymbolStyle style : {SymbolStyle::kAnsi, SymbolStyle::kIec}) {
        CircuitDialog dialog(Table(expression));
        dialog.SetForm(std::string(name) == "sop" ? CircuitForm::kSum : CircuitForm::kTyped);
        dialog.SetStyle(style);
        QTRY_VERIFY(!dialog.Busy());
        dialog.resize(900, 560);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QString file = QStringLiteral(BREVANO_SCREENSHOT_DIR "/circuit-%1-%2.png")
                                 .arg(name, style == SymbolStyle::kAnsi ? "ansi" : "iec");
        QVERIFY(dialog.grab().save(file));
      }
    }
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::CircuitDialogTest)
#include "circuit_dialog_test.moc"

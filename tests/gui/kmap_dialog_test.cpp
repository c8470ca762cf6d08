// The Karnaugh map dialog: terms of both covers for 2 to 6 variables, saving both files, clicks and
// hovering on the map, a new tabulation, and screenshots in a light and a dark palette.
#include "app/kmap_dialog.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "app/dont_care_field.h"
#include "app/frm_boolean.h"
#include "app/kmap_view.h"
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

QStringList Terms(const TruthTable& table, KmapCoverKind kind) {
  QStringList texts;
  for (const KmapTerm& term : LeastKmapCover(MakeKmapLayout(table), kind).terms)
    texts << QString::fromStdString(term.text);
  return texts;
}

// Elements named `name` in a well-formed XML file, or -1 when it is not well-formed.
int CountElements(const QString& path, const QString& name) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  QXmlStreamReader xml(&file);
  int count = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name) ++count;
  }
  return xml.hasError() ? -1 : count;
}

QPoint CellCentre(const KmapDialog& dialog, quint64 row) {
  for (const PictureBox& box : dialog.View()->Picture().cells) {
    if (box.key == static_cast<std::int64_t>(row))
      return dialog.View()->ToWidget(box.x + box.w / 2, box.y + box.h / 2).toPoint();
  }
  return {};
}

}  // namespace

class KmapDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void bothCoversAndBothFiles_data() {
    QTest::addColumn<QString>("expression");
    QTest::newRow("2") << "a/b";
    QTest::newRow("3") << "not(a)*b+a*c";
    QTest::newRow("4") << "a*b+c*not(d)+not(b)*not(d)";
    QTest::newRow("5") << "a*not(e)+b*c*d";
    QTest::newRow("6") << "a*b*c+d*e*f+not(a)*not(f)";
  }
  void bothCoversAndBothFiles() {
    QFETCH(QString, expression);
    const TruthTable table = Table(expression.toStdString());
    KmapDialog dialog(table);
    dialog.show();
    QCOMPARE(dialog.TermTexts(), Terms(table, KmapCoverKind::kSumOfProducts));
    dialog.findChildren<QRadioButton*>().at(1)->click();
    QCOMPARE(dialog.CoverKind(), KmapCoverKind::kProductOfSums);
    QCOMPARE(dialog.TermTexts(), Terms(table, KmapCoverKind::kProductOfSums));

    QTemporaryDir dir;
    QString error;
    QVERIFY2(dialog.SaveSvg(dir.filePath("map.svg"), error), qPrintable(error));
    QVERIFY(CountElements(dir.filePath("map.svg"), "svg") == 1);
    QVERIFY2(dialog.SavePng(dir.filePath("map.png"), error), qPrintable(error));
    const QImage png(dir.filePath("map.png"));
    QCOMPARE(png.size(), dialog.Image().size());
    QCOMPARE(png.width(),
             static_cast<int>(
                 std::ceil(2 * DrawKmap(MakeKmapLayout(table),
                                        LeastKmapCover(MakeKmapLayout(table), KmapCoverKind::kProductOfSums))
                                   .width)));
    QVERIFY(!dialog.SaveSvg(dir.filePath("missing/map.svg"), error));
    QVERIFY(!error.isEmpty());
  }

  // Row 7 a don't-care: drawn "-", grouped into the three pairs; an unreadable or foreign
  // don't-care keeps the map.
  void dontCareCellsAreDashesAndGrouped() {
    KmapDialog dialog(Table("not(a)*b*c+a*not(b)*c+a*b*not(c)"));
    const auto dashes = [&dialog] {
      QList<std::int64_t> rows;
      for (const PictureItem& item : dialog.View()->Picture().items) {
        if (item.kind == PictureItem::Kind::kText && item.text == "-") rows << item.key;
      }
      return rows;
    };
    QCOMPARE(dashes().size(), 0);
    QCOMPARE(dialog.TermTexts().size(), 3);
    dialog.DontCare()->SetText("a*b*c");
    QVERIFY(dialog.ApplyDontCare());
    QCOMPARE(dashes().size(), 1);
    QCOMPARE(dialog.TermTexts(), QStringList({"A*B", "A*C", "B*C"}));
    dialog.findChildren<QRadioButton*>().at(1)->click();
    QCOMPARE(dialog.TermTexts().size(), 3);
    for (const char* bad : {"a*b*c*e", "a*"}) {
      dialog.DontCare()->SetText(bad);
      QVERIFY(!dialog.ApplyDontCare());
      QVERIFY(dialog.DontCare()->ShowsError());
      QCOMPARE(dashes().size(), 1);
      QCOMPARE(dialog.TermTexts().size(), 3);
    }
  }

  void cellsAndGroupsAnswerThePointer() {
    KmapDialog dialog(Table("a*b+c*not(d)+not(b)*not(d)"));
    dialog.resize(720, 480);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy rows(&dialog, &KmapDialog::rowClicked);
    QTest::mouseClick(dialog.View(), Qt::LeftButton, {}, CellCentre(dialog, 13));
    QCOMPARE(rows.count(), 1);
    QCOMPARE(rows.at(0).at(0).toULongLong(), 13u);
    // Row 13 lies only in A*B, the first term: clicking selects it, hovering elsewhere highlights another.
    QCOMPARE(dialog.TermList()->currentRow(), 0);
    QCOMPARE(dialog.HighlightedTerm(), 0);
    QTest::mouseMove(dialog.View(), CellCentre(dialog, 6));
    QTRY_COMPARE(dialog.HighlightedTerm(), 2);
    QVERIFY(dialog.TermList()->item(2)->font().bold());
  }

  void aNewTabulationUpdatesOrMarksTheMap() {
    KmapDialog dialog(Table("a*b"));
    dialog.show();
    dialog.SetTable(Table("a+b+c"));
    QVERIFY(!dialog.Stale());
    QCOMPARE(dialog.TermTexts(), QStringList({"A", "B", "C"}));
    dialog.SetTable(Table("a+b+c+d+e+f+g"));
    QVERIFY(dialog.Stale());
    QCOMPARE(dialog.TermTexts(), QStringList({"A", "B", "C"}));
    QSignalSpy rows(&dialog, &KmapDialog::rowClicked);
    QTest::mouseClick(dialog.View(), Qt::LeftButton, {}, CellCentre(dialog, 1));
    QCOMPARE(rows.count(), 0);
  }

  // The table's context menu opens the map for 1 to 6 variables; the map selects rows in the table
  // and follows new tabulations.
  void theWindowOpensAndFeedsTheMap() {
    Tfrm_bool_alg window;
    window.show();
    QAction* action = window.Commands()->Action(QStringLiteral("Karnaugh map\u2026"));
    QVERIFY(action);
    QVERIFY(!action->isEnabled());
    Ui(window).eIN->setText(QStringLiteral("a*b+c"));
    window.Button1Click();
    QVERIFY(action->isEnabled());
    action->trigger();
    auto* dialog = window.findChild<KmapDialog*>();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QTest::mouseClick(dialog->View(), Qt::LeftButton, {}, CellCentre(*dialog, 6));
    QCOMPARE(Ui(window).LV->CurrentRow(), std::optional<std::uint64_t>(6));

    Ui(window).eIN->setText(QStringLiteral("a+b+c+d+e+f+g"));
    window.Button1Click();
    QVERIFY(!action->isEnabled());
    QCOMPARE(action->toolTip(),
             QStringLiteral("A Karnaugh map is drawn for 1 to 6 variables; this table has 7"));
    QVERIFY(dialog->Stale());
    Ui(window).eIN->setText(QStringLiteral("a/b"));
    window.Button1Click();
    QVERIFY(!dialog->Stale());
    QCOMPARE(dialog->TermTexts(), QStringList({"not(A)*B", "A*not(B)"}));
  }

  void screenshotsInBothPalettes() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QPalette light = QApplication::style()->standardPalette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(55, 55, 58));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(38, 79, 120));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    const std::pair<const char*, const char*> maps[] = {{"4", "a*b+c*not(d)+not(b)*not(d)"},
                                                        {"6", "a*b*c+d*e*f+not(a)*not(f)"}};
    for (const auto& [name, expression] : maps) {
      for (const auto& [theme, palette] : {std::pair{"light", light}, std::pair{"dark", dark}}) {
        QApplication::setPalette(palette);
        KmapDialog dialog(Table(expression));
        dialog.resize(860, std::string(name) == "6" ? 700 : 460);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.TermList()->setCurrentRow(1);
        const QString file = QStringLiteral(BREVANO_SCREENSHOT_DIR "/kmap-%1-%2.png").arg(name, theme);
        QVERIFY(dialog.grab().save(file));
      }
    }
    QApplication::setPalette(light);
  }
};

}  // namespace brevano

QTEST_MAIN(brevano::KmapDialogTest)
#include "kmap_dialog_test.moc"

// Printing the table and the pictures: one QPainter on the printer, page by page.
#include "app/printing.h"

#include <QFontDatabase>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "app/picture_painter.h"

namespace brevano {

namespace {

// Room between two columns, in characters.
constexpr int kColumnGap = 2;

QStringList Texts(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << QString::fromStdString(text);
  return list;
}

}  // namespace

bool PrintTable(QPrinter& printer, const TruthTable& table, const std::vector<std::uint64_t>& rows,
                QString& error) {
  const std::uint64_t count = rows.empty() ? table.RowCount() : rows.size();
  if (count > kMaxPrintedRows) {
    error = QObject::tr("%1 rows are too many to print; at most %2 are printed (select the rows to print)")
                .arg(QLocale().toString(static_cast<qulonglong>(count)),
                     QLocale().toString(static_cast<qulonglong>(kMaxPrintedRows)));
    return false;
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    error = QObject::tr("The printer cannot be used");
    return false;
  }
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(9);
  painter.setFont(font);
  const QFontMetrics metrics(font, &printer);
  const QStringList captions = Texts(table.Captions());
  // Each column as wide as its caption, at least two characters.
  std::vector<int> x;
  int width = 0;
  for (const QString& caption : captions) {
    x.push_back(width);
    width += metrics.horizontalAdvance(caption.size() < 2 ? QStringLiteral("00") : caption) +
             kColumnGap * metrics.horizontalAdvance(QLatin1Char(' '));
  }
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double scale = std::min(1.0, double(page.width()) / std::max(1, width));
  painter.scale(scale, scale);
  const int line = metrics.lineSpacing();
  const int perPage = std::max(1, int(page.height() / scale / line) - 2);
  const auto paintLine = [&](const QStringList& cells, int y) {
    for (int c = 0; c < cells.size() && c < static_cast<int>(x.size()); ++c)
      painter.drawText(x[c], y + metrics.ascent(), cells[c]);
  };
  for (std::uint64_t done = 0; done < count;) {
    if (done > 0) printer.newPage();
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    paintLine(captions, 0);
    painter.setFont(font);
    painter.drawLine(0, line + line / 4, width, line + line / 4);
    for (int i = 0; i < perPage && done < count; ++i, ++done) {
      const std::uint64_t row = rows.empty() ? done : rows[done];
      paintLine(Texts(table.RowTexts(row)), (i + 1) * line + line / 2);
    }
  }
  return painter.end();
}

bool PrintPicture(QPrinter& printer, const Picture& picture, QString& error) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    error = QObject::tr("The printer cannot be used");
    return false;
  }
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  // The picture's units are screen pixels at 96 dpi.
  double scale = printer.resolution() / 96.0;
  if (picture.width > 0 && picture.height > 0)
    scale = std::min({scale, page.width() / picture.width, page.height() / picture.height});
  painter.scale(scale, scale);
  PaintPicture(painter, picture);
  return painter.end();
}

void AskPrint(QWidget* parent, const QString& title, const std::function<bool(QPrinter&, QString&)>& print) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(title);
  if (dialog.exec() != QDialog::Accepted) return;
  QString error;
  if (!print(printer, error))
    QMessageBox::critical(parent, title, QObject::tr("Could not print: %1.").arg(error));
}

}  // namespace brevano

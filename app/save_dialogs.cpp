// The file dialogs of "Save table…" and of the analysis report's "Save…".
#include "app/save_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/frm_boolean.h"
#include "app/table_saver.h"

namespace brevano {

namespace {

// What the next dialog starts with: the folder and the table filter of the last save.
QString& LastFolder() {
  static QString folder = QDir::homePath();
  return folder;
}

QString& LastTableFilter() {
  static QString filter = TableSaveFilters().front();
  return filter;
}

std::optional<QString> RunSaveDialog(QFileDialog& dialog) {
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDirectory(LastFolder());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog.selectedFiles().front();
  LastFolder() = QFileInfo(path).absolutePath();
  return path;
}

// The dialog asked about replacing the file it returned; a native dialog may not have added the
// suffix, and then the file with the suffix is asked about here.
bool MayWrite(QWidget* parent, const QString& chosen, const QString& path) {
  if (path == chosen || !QFileInfo::exists(path)) return true;
  const QString question =
      QStringLiteral("\"%1\" already exists. Replace it?").arg(QDir::toNativeSeparators(path));
  return QMessageBox::question(parent, kApplicationTitle, question, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace

std::optional<TableSaveTarget> AskTableSaveTarget(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Save table"));
  dialog.setNameFilters(TableSaveFilters());
  dialog.selectNameFilter(LastTableFilter());
  const auto suffixOf = [](const QString& filter) {
    return SaveSuffix(FormatOfSaveFilter(filter).value_or(TableFormat::kTsv));
  };
  dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
  const std::optional<QString> chosen = RunSaveDialog(dialog);
  if (!chosen) return std::nullopt;
  LastTableFilter() = dialog.selectedNameFilter();
  TableSaveTarget target;
  target.format = FormatOfSaveFilter(dialog.selectedNameFilter()).value_or(TableFormat::kTsv);
  target.path = WithSaveSuffix(*chosen, target.format);
  if (!MayWrite(parent, *chosen, target.path)) return std::nullopt;
  return target;
}

std::optional<QString> AskReportSavePath(QWidget* parent) {
  QFileDialog dialog(parent, QStringLiteral("Save report"));
  dialog.setNameFilters({QStringLiteral("Text files (*.txt)")});
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  const std::optional<QString> chosen = RunSaveDialog(dialog);
  if (!chosen) return std::nullopt;
  const QString path = QFileInfo(*chosen).suffix().isEmpty() ? *chosen + QStringLiteral(".txt") : *chosen;
  if (!MayWrite(parent, *chosen, path)) return std::nullopt;
  return path;
}

}  // namespace brevano

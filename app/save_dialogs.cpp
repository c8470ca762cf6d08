// The file dialogs of every save in the window: the table, the analysis report, the pictures.
#include "app/save_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include "app/frm_boolean.h"
#include "app/table_saver.h"
#include "app/window_settings.h"

namespace brevano {

namespace {

// The folder the next dialog starts in: the last one saved to or opened from (in an earlier run too,
// where the settings are kept), the documents folder at first.
QString& RunFolder() {
  static QString folder;
  return folder;
}

QString LastFolder() {
  if (!RunFolder().isEmpty()) return RunFolder();
  const QString saved = SavedFolder();
  if (!saved.isEmpty()) return saved;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

void RememberFolder(const QString& chosen) {
  RunFolder() = QFileInfo(chosen).absolutePath();
  SaveFolder(RunFolder());
}

TableFormat& LastTableFormat() {
  static TableFormat format = TableFormat::kTsv;
  return format;
}

std::vector<SaveFileType> TableTypes() {
  std::vector<SaveFileType> types;
  for (const QString& filter : TableSaveFilters()) {
    const TableFormat format = *FormatOfSaveFilter(filter);
    QStringList suffixes{SaveSuffix(format)};
    if (format == TableFormat::kMarkdown) suffixes << QStringLiteral("markdown");
    types.push_back({filter, suffixes});
  }
  return types;
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

SaveChoice ResolveSaveName(const QString& path, const std::vector<SaveFileType>& types, int chosenFilter) {
  const QString suffix = QFileInfo(path).suffix();
  if (suffix.isEmpty()) return {path + QLatin1Char('.') + types[chosenFilter].suffixes.front(), chosenFilter};
  for (int type = 0; type < static_cast<int>(types.size()); ++type) {
    if (types[type].suffixes.contains(suffix, Qt::CaseInsensitive)) return {path, type};
  }
  return {path, chosenFilter};
}

std::optional<SaveChoice> AskSaveChoice(QWidget* parent, const QString& title,
                                        const std::vector<SaveFileType>& types, int selected,
                                        const QString& name) {
  QFileDialog dialog(parent, title);
  QStringList filters;
  for (const SaveFileType& type : types) filters << type.filter;
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.at(selected));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDirectory(LastFolder());
  if (!name.isEmpty()) dialog.selectFile(name);
  const auto suffixOf = [&types, &filters](const QString& filter) {
    return types[std::max<qsizetype>(0, filters.indexOf(filter))].suffixes.front();
  };
  dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().front();
  RememberFolder(chosen);
  const SaveChoice choice =
      ResolveSaveName(chosen, types, std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())));
  if (!MayWrite(parent, chosen, choice.path)) return std::nullopt;
  return choice;
}

std::optional<TableSaveTarget> AskTableSaveTarget(QWidget* parent) {
  const std::vector<SaveFileType> types = TableTypes();
  const QStringList filters = TableSaveFilters();
  int selected = 0;
  for (int i = 0; i < filters.size(); ++i) {
    if (FormatOfSaveFilter(filters[i]) == LastTableFormat()) selected = i;
  }
  const std::optional<SaveChoice> choice =
      AskSaveChoice(parent, QStringLiteral("Save table"), types, selected);
  if (!choice) return std::nullopt;
  const TableFormat format = *FormatOfSaveFilter(filters.at(choice->type));
  LastTableFormat() = format;
  return TableSaveTarget{choice->path, format};
}

std::optional<QString> AskOpenPath(QWidget* parent, const QString& title, const QStringList& filters,
                                   const std::function<void(QDialog&)>& prepare) {
  QFileDialog dialog(parent, title);
  dialog.setNameFilters(filters);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDirectory(LastFolder());
  if (prepare) prepare(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().front();
  RememberFolder(chosen);
  return chosen;
}

std::optional<QString> AskReportSavePath(QWidget* parent) {
  const std::optional<SaveChoice> choice =
      AskSaveChoice(parent, QStringLiteral("Save report"),
                    {{QStringLiteral("Text files (*.txt)"), {QStringLiteral("txt")}}}, 0);
  if (!choice) return std::nullopt;
  return choice->path;
}

std::optional<QString> AskPictureSavePath(QWidget* parent, const QString& title, const QString& name,
                                          bool& svg) {
  const std::vector<SaveFileType> types = {{QStringLiteral("SVG images (*.svg)"), {QStringLiteral("svg")}},
                                           {QStringLiteral("PNG images (*.png)"), {QStringLiteral("png")}}};
  const std::optional<SaveChoice> choice = AskSaveChoice(parent, title, types, svg ? 0 : 1, name);
  if (!choice) return std::nullopt;
  svg = choice->type == 0;
  return choice->path;
}

}  // namespace brevano

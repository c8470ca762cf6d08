// The file dialogs of every save in the window: the table, the analysis report, the pictures.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "tabulate/table_format.h"

class QDialog;
class QWidget;

namespace brevano {

/// A kind of file a save dialog offers: its filter ("Comma-separated values (*.csv)") and the
/// suffixes that name it, the first being the one added to a name without a suffix.
struct SaveFileType {
  QString filter;
  QStringList suffixes;
};

/// A file to save to and the index of its kind.
struct SaveChoice {
  QString path;
  int type = 0;
};

/// The file a save dialog's answer names: a suffix that names one of `types` chooses it; a name
/// without a suffix takes the chosen filter's type and its suffix; any other suffix is kept, with
/// the chosen filter's type.
SaveChoice ResolveSaveName(const QString& path, const std::vector<SaveFileType>& types, int chosenFilter);

/// Asks for a file of one of `types`, starting with `types[selected]` in the folder of the last
/// save (the documents folder at first), with `name` filled in. Asks before replacing a file.
/// Nullopt when the user cancels.
std::optional<SaveChoice> AskSaveChoice(QWidget* parent, const QString& title,
                                        const std::vector<SaveFileType>& types, int selected,
                                        const QString& name = {});

/// Where to save a table and in which format.
struct TableSaveTarget {
  QString path;
  TableFormat format = TableFormat::kTsv;
};

/// Asks for the file to save a table to, one filter per format; the filter offered first is the
/// format saved last.
std::optional<TableSaveTarget> AskTableSaveTarget(QWidget* parent);

/// Asks for a file to open, with `filters`, starting in the folder last used (the documents folder
/// at first); `prepare`, when set, is given the dialog before it is shown. Nullopt when the user
/// cancels.
std::optional<QString> AskOpenPath(QWidget* parent, const QString& title, const QStringList& filters,
                                   const std::function<void(QDialog&)>& prepare = {});

/// Asks for the text file to save a report to (".txt" added to a name without a suffix).
std::optional<QString> AskReportSavePath(QWidget* parent);

/// Asks for the file to save a picture to, as SVG (`svg`) or PNG, the one offered first given by
/// `svg`; the typed suffix decides. Sets `svg` to the format chosen.
std::optional<QString> AskPictureSavePath(QWidget* parent, const QString& title, const QString& name,
                                          bool& svg);

}  // namespace brevano

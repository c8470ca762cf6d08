// The file dialogs of "Save table…" and of the analysis report's "Save…".
#pragma once

#include <QString>
#include <optional>

#include "tabulate/table_format.h"

class QWidget;

namespace brevano {

/// Where to save a table and in which format.
struct TableSaveTarget {
  QString path;
  TableFormat format = TableFormat::kTsv;
};

/// Asks for the file to save a table to, with one filter per format; the format is the chosen
/// filter's, and its suffix is added to a name without one before the dialog asks about replacing
/// an existing file. Starts in the folder of the last save. Nullopt when the user cancels.
std::optional<TableSaveTarget> AskTableSaveTarget(QWidget* parent);

/// Asks for the text file to save a report to (".txt" added to a name without a suffix).
std::optional<QString> AskReportSavePath(QWidget* parent);

}  // namespace brevano

// File > Print… and the map's and the circuit's Print…: the table's rows, or a picture, on a printer
// (or a PDF file) through Qt Print Support.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "picture/picture.h"
#include "tabulate/tabulation.h"

class QPrinter;
class QWidget;

namespace brevano {

/// Most rows Print… puts on paper (some 150 pages).
inline constexpr std::uint64_t kMaxPrintedRows = 8192;

/// Prints the caption line and the rows `rows` of `table` (all of them when empty), as many to a page
/// as fit, the caption line atop each page, scaled down to the page's width where wider. `error`
/// says why when nothing could be printed (more than kMaxPrintedRows rows, no printer).
bool PrintTable(QPrinter& printer, const TruthTable& table, const std::vector<std::uint64_t>& rows,
                QString& error);

/// Prints `picture` on one page, at its size or scaled down to fit the page; false when the printer
/// cannot be painted on.
bool PrintPicture(QPrinter& printer, const Picture& picture, QString& error);

/// Shows the print dialog over `parent` and prints with `print`; a failure is shown in a message box.
void AskPrint(QWidget* parent, const QString& title, const std::function<bool(QPrinter&, QString&)>& print);

}  // namespace brevano

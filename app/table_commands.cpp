// The commands on the table shown: copying rows, saving the table, going to a row, searching for a result or
// the n-th one.
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <chrono>
#include <string>
#include <variant>

#include "app/background_job.h"
#include "app/frm_boolean.h"
#include "app/printing.h"
#include "app/save_dialogs.h"
#include "app/shown_model.h"
#include "app/table_saver.h"
#include "app/truth_table_view.h"
#include "app/window_commands.h"
#include "search/ladder.h"
#include "tabulate/bit_parallel.h"
#include "tabulate/row_address.h"
#include "tabulate/table_format.h"

namespace brevano {

namespace {

// How long starting a search or a save waits for it, so that short ones end without a round trip.
constexpr std::chrono::milliseconds kSearchWaitAtStart{20};
constexpr std::chrono::milliseconds kSaveWaitAtStart{20};

QString Count(std::uint64_t n) { return QLocale().toString(static_cast<qulonglong>(n)); }

// "1 row has Result 1" or "N rows have Result 1".
QString RowsWithResult(std::uint64_t count, int wanted) {
  return (count == 1 ? QObject::tr("%1 row has Result %2") : QObject::tr("%1 rows have Result %2"))
      .arg(Count(count))
      .arg(wanted);
}

// The notice for a search that found nothing; for the n-th row, the count of such rows when known.
QString NoRowMessage(bool forward, bool fromCurrent, int wanted, std::uint64_t nth = 0,
                     std::optional<std::uint64_t> count = std::nullopt) {
  if (nth > 0 && count) return QObject::tr("Only %1.").arg(RowsWithResult(*count, wanted));
  if (nth > 0) return QObject::tr("Fewer than %1 rows have Result %2.").arg(Count(nth)).arg(wanted);
  if (!fromCurrent) return QObject::tr("No row has Result %1.").arg(wanted);
  return (forward ? QObject::tr("No row after the current row has Result %1.")
                  : QObject::tr("No row before the current row has Result %1."))
      .arg(wanted);
}

// The notice for the n-th row of a file's output too complex for its diagrams.
QString NthTooComplexMessage() {
  return QObject::tr(
      "The rows of this output are too complex to count, and the n-th row is found by counting.");
}

}  // namespace

// The same tab-separated text as the command line's "table" writes, for the rows of `ranges`.
QString WindowCommands::RangesText(const std::map<std::uint64_t, std::uint64_t>& ranges) const {
  if (view_->File()) {
    // A file's table: its captions and cells as shown, tab-separated.
    const auto line = [](const std::vector<std::string>& cells) {
      std::string text;
      for (const std::string& cell : cells) text += (text.empty() ? "" : "\t") + cell;
      return text + '\n';
    };
    std::string text = line(view_->TableCaptions());
    for (const auto& [first, last] : ranges) {
      for (std::uint64_t row = first;; ++row) {
        text += line(view_->RowTexts(row));
        if (row == last) break;
      }
    }
    return QString::fromStdString(text);
  }
  std::string text = FormatTableHeader(*view_->Table(), TableFormat::kTsv);
  for (const auto& [first, last] : ranges) {
    for (std::uint64_t row = first;; ++row) {
      text += FormatTableRow(*view_->Table(), TableFormat::kTsv, row);
      if (row == last) break;
    }
  }
  return QString::fromStdString(text);
}

QString WindowCommands::SelectedRowsText() const {
  const RowSelection& selection = view_->Selection();
  if (!HasRows() || selection.Count() == 0 || selection.Count() > kMaxCopyRows) return QString();
  return RangesText(selection.Ranges());
}

void WindowCommands::CopySelection() {
  const std::uint64_t selected = view_->Selection().Count();
  if (!HasRows() || selected == 0) return;
  if (selected > kMaxCopyRows) {
    Notify(tr("%1 rows are selected, too many for the clipboard: Copy takes at most %2 rows.")
               .arg(Count(selected), Count(kMaxCopyRows)));
    return;
  }
  QApplication::clipboard()->setText(SelectedRowsText());
}

void WindowCommands::CopyTable() {
  if (!HasRows()) return;
  if (view_->RowCount() > kMaxCopyRows) {
    Notify(tr("The table has %1 rows, too many for the clipboard: Copy table takes at most %2 rows. "
              "Save table\u2026 writes a table of any size to a file.")
               .arg(Count(view_->RowCount()), Count(kMaxCopyRows)));
    return;
  }
  QApplication::clipboard()->setText(RangesText({{0, view_->RowCount() - 1}}));
}

bool WindowCommands::PrintTable(QPrinter& printer, QString& error) const {
  const TruthTable* table = view_->Table();
  if (!table || !HasRows()) return false;
  std::vector<std::uint64_t> rows;
  const RowSelection& selection = view_->Selection();
  if (selection.Count() > 1) {
    if (selection.Count() > kMaxPrintedRows) {
      error = tr("%1 rows are selected; at most %2 are printed")
                  .arg(Count(selection.Count()), Count(kMaxPrintedRows));
      return false;
    }
    for (const auto& [first, last] : selection.Ranges()) {
      for (std::uint64_t row = first; row <= last; ++row) rows.push_back(row);
    }
  }
  return brevano::PrintTable(printer, *table, rows, error);
}

void WindowCommands::AskPrintTable() {
  if (!HasRows()) return;
  AskPrint(&window_, tr("Print the table"),
           [this](QPrinter& printer, QString& error) { return PrintTable(printer, error); });
}

void WindowCommands::AskSaveTable() {
  if (!HasRows()) return;
  if (const std::optional<TableSaveTarget> target = AskTableSaveTarget(&window_))
    SaveTable(target->path, target->format);
}

// The work keeps its own copy of the table, so a new table in the view leaves the save alone.
void WindowCommands::SaveTable(const QString& path, TableFormat format) {
  if (!HasRows()) return;
  if (save_->Running()) {
    Notify(tr("The table is still being saved: cancel that first, or wait for it to end."));
    return;
  }
  auto saver = std::make_shared<TableSaver>(*view_->Table(), format, path);
  savePath_ = path;
  if (const std::optional<QString> refusal = CheckSaveSpace(path, saver->Total())) {
    Notify(*refusal);
    emit saveFinished();
    return;
  }
  std::function<SaveResult(JobControl&)> work = [saver](JobControl& control) {
    return saver->Run([&](std::uint64_t written) {
      if (!control.Report(written, saver->Total())) saver->Cancel();
    });
  };
  StartJob<SaveResult>(
      *save_, std::move(work),
      [this](const SaveResult& result) {
        if (result.status == SaveStatus::kRefused || result.status == SaveStatus::kFailed)
          Notify(result.message);
        emit saveFinished();
      },
      [this](const JobFailure& failure) {
        Notify(failure.Text(tr("Not enough memory to save the table.")));
        emit saveFinished();
      },
      kSaveWaitAtStart);
  if (save_->Running())
    save_->ShowProgressDialog(view_, tr("Saving the table to %1\u2026").arg(QFileInfo(path).fileName()),
                              false);
}

namespace {

QString RowAddressMessage(const RowAddressError& error, std::uint64_t rows, const QString& example) {
  const QString text = QString::fromStdString(error.text);
  switch (error.kind) {
    case RowAddressError::Kind::kUsage:
      return QObject::tr("Type a row index from 0 to %1, or an assignment such as %2.")
          .arg(Count(rows - 1), example);
    case RowAddressError::Kind::kNoSuchRow:
      return QObject::tr("There is no row %1: the rows are numbered from 0 to %2.")
          .arg(text, Count(rows - 1));
    case RowAddressError::Kind::kNotAssignment:
      return QObject::tr("\"%1\" is not an assignment such as %2.").arg(text, example);
    case RowAddressError::Kind::kMissingName: return QObject::tr("A variable name is missing before \"=\".");
    case RowAddressError::Kind::kUnknownVariable:
      return QObject::tr("The table has no variable %1.").arg(text);
    case RowAddressError::Kind::kBadValue: break;
  }
  return QObject::tr("%1=%2: a variable is 0, 1, F or T.").arg(text, QString::fromStdString(error.value));
}

}  // namespace

// The names an address is read over: a typed table's variables, or a file's inputs upper-cased as
// the reading compares them (their letter case does not matter).
std::vector<std::string> WindowCommands::AddressVariables() const {
  if (!view_->File()) return view_->Table()->Variables();
  std::vector<std::string> names = view_->File()->Inputs();
  for (std::string& name : names)
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return names;
}

std::optional<QString> WindowCommands::GoTo(const QString& text) {
  if (!HasRows()) return tr("There is no table.");
  const std::vector<std::string> variables = AddressVariables();
  const auto address = ParseRowAddress(text.trimmed().toStdString(), variables, view_->RowCount());
  if (const auto* error = std::get_if<RowAddressError>(&address)) {
    return RowAddressMessage(*error, view_->RowCount(), QString::fromStdString(RowAddressExample(variables)));
  }
  view_->SelectRow(std::get<std::uint64_t>(address));
  return std::nullopt;
}

void WindowCommands::AskGoTo() {
  if (!HasRows()) return;
  const std::vector<std::string> variables = AddressVariables();
  QString label = tr("Row index, counted from 0 (the values read as a binary number): 0 to %1")
                      .arg(Count(view_->RowCount() - 1));
  if (!variables.empty()) {
    label += tr(",\nor an assignment such as %1=1 (variables not named are 0):")
                 .arg(QString::fromStdString(variables.front()));
  } else {
    label += u':';
  }
  // After a text that names no row, the notice is shown and the question asked again with that text.
  QString text;
  while (true) {
    bool ok = false;
    text = QInputDialog::getText(&window_, tr("Go to row"), label, QLineEdit::Normal, text, &ok);
    if (!ok) return;
    const std::optional<QString> error = GoTo(text);
    if (!error) return;
    Notify(*error);
  }
}

void WindowCommands::FindResult(bool forward, int wanted) {
  if (!HasRows()) return;
  StopSearch();
  const std::optional<std::uint64_t> current = view_->CurrentRow();
  const SearchGoal goal{forward, current.has_value(), wanted};
  std::uint64_t from;
  const auto none = [&] {
    if (view_->File()) return FileSearchEnded(goal, {});
    Notify(NoRowMessage(forward, goal.fromCurrent, wanted));
  };
  if (forward) {
    from = current ? *current + 1 : 0;
    if (from >= view_->RowCount()) return none();
  } else {
    if (current == 0) return none();
    from = current ? *current - 1 : view_->RowCount() - 1;
  }
  if (view_->File()) return StartFileSearch(goal, from);
  StartSearch(goal, from);
}

void WindowCommands::FindNth(int wanted, std::uint64_t n) {
  if (!HasRows() || n == 0) return;
  StopSearch();
  if (view_->File()) return StartFileSearch(SearchGoal{true, false, wanted, n}, n - 1);
  StartSearch(SearchGoal{true, false, wanted, n}, n - 1);
}

void WindowCommands::AskNth() {
  if (!HasRows()) return;
  // n goes up to the count of rows with Result 1 once it is known, up to the row count before; in a
  // file's table, the rows where the chosen output is 1, which its diagrams count.
  std::optional<std::uint64_t> ones = OnesCount();
  if (view_->File()) {
    const std::optional<CellCounts> counts = FileCounts(view_->ChosenOutput());
    if (!counts) {
      return Notify(FileCountTooComplex(view_->ChosenOutput())
                        ? NthTooComplexMessage()
                        : tr("The rows of this output are still being counted: try again in a moment."));
    }
    ones = counts->ones;
  }
  if (ones == 0) return Notify(NoRowMessage(true, false, 1));
  const std::uint64_t most = ones.value_or(view_->RowCount());
  const QString range = tr("a whole number from 1 to %1").arg(Count(most));
  const QString refusal =
      ones ? tr("%1: type %2.").arg(RowsWithResult(*ones, 1), range) : tr("Type %1.").arg(range);
  // n is read as Go to row reads a row index (digits, grouped or not); after a bad entry the notice
  // is shown and the question asked again with that text.
  QString text;
  while (true) {
    bool ok = false;
    text = QInputDialog::getText(&window_, tr("Go to the n-th row where Result is 1"),
                                 tr("n, counted from 1: 1 to %1").arg(Count(most)), QLineEdit::Normal, text,
                                 &ok);
    if (!ok) return;
    const auto n = ParseRowAddress(text.trimmed().toStdString(), {}, most + 1);
    if (const auto* value = std::get_if<std::uint64_t>(&n); value && *value > 0) return FindNth(1, *value);
    Notify(refusal);
  }
}

// The work keeps a copy of the table, so the compiled program lives whatever the view shows
// meanwhile, and takes what earlier searches learnt of the table: its diagram and its solver.
void WindowCommands::StartSearch(const SearchGoal& goal, std::uint64_t from) {
  RowQuery query;
  query.kind = goal.nth       ? RowQuery::Kind::kNth
               : goal.forward ? RowQuery::Kind::kNext
                              : RowQuery::Kind::kPrevious;
  query.result = goal.wanted;
  query.from = from;
  SearchLimits limits = limits_;
  limits.buildDiagram = !count_->Running();  // the count's diagram is on its way
  std::function<RowSearch(JobControl&)> work = [table = *view_->Table(), query, limits, pending = pending_,
                                                memory = shown_.TakeMemory()](JobControl& control) mutable {
    const Budget budget(Budget::kNoLimit, [&control](std::uint64_t done, std::uint64_t total) {
      return control.Report(done, total);
    });
    // The n-th row needs the diagram: where a quick scan does not settle it, the one being built
    // for the count serves.
    if (query.kind == RowQuery::Kind::kNth && !memory.diagram && !memory.diagramTooComplex && pending &&
        !QuickScan(table.Program(), query)) {
      if (const auto outcome = pending->Wait([&control] { return control.StopRequested(); })) {
        memory.diagram = outcome->diagram;
        memory.diagramTooComplex = outcome->status == DiagramStatus::kTooComplex;
      }
    }
    return AskRows(table.Program(), query, limits, memory, budget);
  };
  StartJob<RowSearch>(
      *search_, std::move(work),
      [this, goal, from](const RowSearch& search) { SearchEnded(goal, from, search); },
      [this](const JobFailure& failure) {
        Notify(failure.Text(tr("Not enough memory to search the table.")));
        emit searchFinished();
      },
      kSearchWaitAtStart);
  if (search_->Running()) {
    QString what =
        goal.nth ? tr("Searching for the n-th row (n = %1) where Result is %2\u2026").arg(Count(goal.nth))
        : goal.forward ? tr("Searching for the next row where Result is %1\u2026")
                       : tr("Searching for the previous row where Result is %1\u2026");
    what = what.arg(goal.wanted);
    if (!goal.nth)
      what += u'\n' + tr("The bar shows the time spent of %1 s; then you can go on.").arg(Seconds());
    search_->ShowProgressDialog(view_, what);
  }
}

// A search of the file's table on the chosen output's column: by its diagrams once built, otherwise
// by walking its cubes, which Cancel stops.
void WindowCommands::StartFileSearch(const SearchGoal& goal, std::uint64_t from) {
  const int output = view_->ChosenOutput();
  const auto o = static_cast<std::size_t>(output);
  const CellQuery query{goal.wanted == 1 ? Cell::kOne : Cell::kZero, from, goal.forward, goal.nth > 0};
  std::function<CellSearch(JobControl&)> work = [file = view_->FileShared(), output,
                                                 diagrams = shown_.Shown().FileDiagrams(output),
                                                 query](JobControl& control) {
    return AskCubeRows(file->Terms(output), file->InputCount(), query, {}, diagrams,
                       Budget(Budget::kNoLimit,
                              [&control](std::uint64_t, std::uint64_t) { return !control.StopRequested(); }));
  };
  StartJob<CellSearch>(
      *search_, std::move(work), [this, goal](const CellSearch& search) { FileSearchEnded(goal, search); },
      [this](const JobFailure& failure) {
        Notify(failure.Text(tr("Not enough memory to search the table.")));
        emit searchFinished();
      },
      kSearchWaitAtStart);
  if (search_->Running())
    search_->ShowProgressDialog(view_, tr("Searching for a row where %1 is %2\u2026")
                                           .arg(QString::fromStdString(view_->File()->Outputs()[o]))
                                           .arg(goal.wanted));
}

void WindowCommands::FileSearchEnded(const SearchGoal& goal, const CellSearch& search) {
  if (search.row) {
    view_->SelectRow(*search.row);
  } else if (search.path == RowSearchPath::kTooComplex) {
    Notify(NthTooComplexMessage());
  } else if (!search.stopped) {
    const QString name =
        QString::fromStdString(view_->File()->Outputs()[static_cast<std::size_t>(view_->ChosenOutput())]);
    const QString value = QStringLiteral("%1 = %2").arg(name).arg(goal.wanted);
    Notify(goal.nth            ? tr("Fewer than %1 rows have %2.").arg(Count(goal.nth), value)
           : !goal.fromCurrent ? tr("No row has %1.").arg(value)
           : goal.forward      ? tr("No row after the current row has %1.").arg(value)
                               : tr("No row before the current row has %1.").arg(value));
  }
  emit searchFinished();
}

QString WindowCommands::Seconds() const { return QLocale().toString(limits_.solverTime.count() / 1000.0); }

void WindowCommands::SearchEnded(const SearchGoal& goal, std::uint64_t from, const RowSearch& search) {
  shown_.Learn(search.memory);
  const SearchOutcome& outcome = search.outcome;
  if (search.path == RowSearchPath::kOutOfTime) {
    const QString question =
        tr("No row found within %1 s: the function is too complex for its decision diagram, and the "
           "solver has not settled the search yet. Go on for another %1 s?")
            .arg(Seconds());
    if (AskGoOn(question)) return StartSearch(goal, from);
  } else if (outcome.row) {
    view_->SelectRow(*outcome.row);
  } else if (!outcome.stopped) {
    const std::optional<std::uint64_t> count = goal.wanted == 1 ? OnesCount()
                                               : OnesCount() ? std::optional(view_->RowCount() - *OnesCount())
                                                             : std::nullopt;
    Notify(NoRowMessage(goal.forward, goal.fromCurrent, goal.wanted, goal.nth, count));
  }
  emit searchFinished();
}

bool WindowCommands::AskGoOn(const QString& question) {
  return goOnHandler_ ? goOnHandler_(question) : window_.AskGoOn(question);
}

// A new table or the view's end drops the search without a word.
void WindowCommands::StopSearch() {
  const QSignalBlocker quiet(search_);
  search_->Cancel();
}

void WindowCommands::CancelSearch() { search_->Cancel(); }

bool WindowCommands::SearchRunning() const { return search_->Running(); }

bool WindowCommands::SaveRunning() const { return save_->Running(); }

void WindowCommands::CancelSave() { save_->Cancel(); }

}  // namespace brevano

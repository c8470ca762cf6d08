// Saving a whole truth table or a report to a file: the formats of the file dialog, the space check, the job.
#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

#include "tabulate/table_format.h"
#include "tabulate/tabulation.h"

namespace brevano {

/// The filters of the save dialog, one per format: TSV, CSV, Markdown, LaTeX.
QStringList TableSaveFilters();
/// The format of a filter of TableSaveFilters(); nullopt for any other text.
std::optional<TableFormat> FormatOfSaveFilter(const QString& filter);
/// The file name's usual suffix for `format`, without the dot: "tsv", "csv", "md" or "tex".
QString SaveSuffix(TableFormat format);

/// How a save ended.
enum class SaveStatus {
  kSaved,
  kRefused,    ///< too large for the free space: nothing was written
  kCancelled,  ///< stopped on request: the file is as it was before
  kFailed,     ///< the system refused to write: the file is as it was before
};

/// The outcome of a save; `message` tells the user why it did not end in kSaved.
struct SaveResult {
  SaveStatus status = SaveStatus::kSaved;
  QString message;
};

/// The refusal to show when the text of `bytes` bytes exceeds the free space of the file system
/// that would hold `path`; nullopt when it fits or the free space is unknown.
std::optional<QString> CheckSaveSpace(const QString& path, std::uint64_t bytes);

/// Writes `text` as UTF-8 to `path`, all or nothing, as TableSaver does (the analysis report).
SaveResult SaveReport(const QString& path, const QString& text);

/// Writes one table to one file, all or nothing.
///
/// The text is the one `brevano table --format F` prints, streamed in large chunks into a temporary
/// file beside the target (QSaveFile) that replaces the target only once it is complete. Refusal,
/// Cancel or any write error leave an existing file as it was and no temporary file behind. Run()
/// may be called on any thread; Cancel(), Total() and Written() from any other thread meanwhile.
class TableSaver {
 public:
  TableSaver(TruthTable table, TableFormat format, QString path);

  /// Checks the space, then writes the file; `progress` (optional) is called on the running thread
  /// after every chunk with the bytes written so far.
  SaveResult Run(const std::function<void(std::uint64_t written)>& progress = {});
  /// Asks a running or coming Run() to stop; it then ends in kCancelled.
  void Cancel() { cancelled_ = true; }

  /// The size of the whole text in bytes.
  std::uint64_t Total() const { return total_; }
  /// The bytes written so far.
  std::uint64_t Written() const { return written_; }
  /// The file written.
  const QString& Path() const { return path_; }

 private:
  TruthTable table_;
  TableFormat format_;
  QString path_;
  std::uint64_t total_;
  std::atomic<std::uint64_t> written_{0};
  std::atomic<bool> cancelled_{false};
};

}  // namespace brevano

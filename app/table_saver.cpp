// Saving a whole truth table to a file: the formats of the file dialog, the space check, and the job.
#include "app/table_saver.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStorageInfo>
#include <array>
#include <limits>
#include <utility>

namespace brevano {

namespace {

struct SaveFormat {
  TableFormat format;
  const char* filter;
  const char* suffix;
};

constexpr std::array<SaveFormat, 4> kSaveFormats = {{
    {TableFormat::kTsv, "Tab-separated values (*.tsv)", "tsv"},
    {TableFormat::kCsv, "Comma-separated values (*.csv)", "csv"},
    {TableFormat::kMarkdown, "Markdown (*.md)", "md"},
    {TableFormat::kLatex, "LaTeX (*.tex)", "tex"},
}};

QString SizeText(std::uint64_t bytes) {
  constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<qint64>::max());
  const QString size = QLocale().formattedDataSize(static_cast<qint64>(std::min(bytes, kLargest)));
  return bytes > kLargest ? QStringLiteral("more than ") + size : size;
}

QString FailureText(const QString& path, const QString& reason) {
  return QStringLiteral("Cannot save the table to \"%1\": %2. Nothing was changed.")
      .arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace

QStringList TableSaveFilters() {
  QStringList filters;
  for (const SaveFormat& f : kSaveFormats) filters << QString::fromLatin1(f.filter);
  return filters;
}

std::optional<TableFormat> FormatOfSaveFilter(const QString& filter) {
  for (const SaveFormat& f : kSaveFormats) {
    if (filter == QLatin1String(f.filter)) return f.format;
  }
  return std::nullopt;
}

QString SaveSuffix(TableFormat format) {
  for (const SaveFormat& f : kSaveFormats) {
    if (f.format == format) return QString::fromLatin1(f.suffix);
  }
  return QStringLiteral("txt");
}

QString WithSaveSuffix(const QString& path, TableFormat format) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path + QLatin1Char('.') + SaveSuffix(format);
}

std::optional<QString> CheckSaveSpace(const QString& path, std::uint64_t bytes) {
  const QStorageInfo storage(QFileInfo(path).absolutePath());
  if (!storage.isValid() || storage.bytesAvailable() < 0) return std::nullopt;
  const auto available = static_cast<std::uint64_t>(storage.bytesAvailable());
  if (bytes <= available) return std::nullopt;
  return QStringLiteral("The table takes %1, but only %2 are free on the disk of \"%3\". Nothing was saved.")
      .arg(SizeText(bytes), SizeText(available), QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}

TableSaver::TableSaver(TruthTable table, TableFormat format, QString path)
    : table_(std::move(table)),
      format_(format),
      path_(std::move(path)),
      total_(TableTextBytes(table_, format_)) {}

// The temporary file is QSaveFile's: it is removed when the object goes without a commit, so every
// return before commit() leaves the target untouched. Unbuffered, so that every write error reaches
// the loop below with its reason instead of surfacing, reasonless, in a later flush.
SaveResult TableSaver::Run(const std::function<void(std::uint64_t)>& progress) {
  if (const auto refusal = CheckSaveSpace(path_, total_)) return {SaveStatus::kRefused, *refusal};
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return {SaveStatus::kFailed, FailureText(path_, file.errorString())};
  QString error;
  const bool complete = WriteTable(table_, format_, [&](std::string_view chunk) {
    if (cancelled_) return false;
    // A short write carries no reason; the retry of the rest fails with the system's own.
    for (std::string_view rest = chunk; !rest.empty();) {
      const qint64 n = file.write(rest.data(), static_cast<qint64>(rest.size()));
      if (n <= 0) {
        error = file.errorString();
        return false;
      }
      rest.remove_prefix(static_cast<std::size_t>(n));
    }
    written_ += chunk.size();
    if (progress) progress(written_);
    return true;
  });
  if (!complete) {
    file.cancelWriting();
    if (error.isEmpty())
      return {SaveStatus::kCancelled, QStringLiteral("Saving was cancelled. Nothing was changed.")};
    return {SaveStatus::kFailed, FailureText(path_, error)};
  }
  if (cancelled_)
    return {SaveStatus::kCancelled, QStringLiteral("Saving was cancelled. Nothing was changed.")};
  if (!file.commit()) return {SaveStatus::kFailed, FailureText(path_, file.errorString())};
  return {};
}

}  // namespace brevano

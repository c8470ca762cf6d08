// Saving a whole truth table or a report to a file: the formats of the file dialog, the space check, the job.
#include "app/table_saver.h"

#include <sys/statvfs.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStorageInfo>
#include <array>
#include <limits>
#include <optional>
#include <utility>

namespace brevano {

namespace {

// Bytes free for this user in `folder`: Qt's answer, or the file system's own where Qt finds no mount
// point for the folder (as inside a chroot), so that the check never silently lapses.
std::optional<std::uint64_t> FreeBytes(const QString& folder) {
  const QStorageInfo storage(folder);
  if (storage.isValid() && storage.bytesAvailable() >= 0)
    return static_cast<std::uint64_t>(storage.bytesAvailable());
  struct statvfs info {};
  if (statvfs(QFile::encodeName(folder).constData(), &info) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
}

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

// `what` is "table" or "report".
QString FailureText(const char* what, const QString& path, const QString& reason) {
  return QStringLiteral("Cannot save the %1 to \"%2\": %3. Nothing was changed.")
      .arg(QLatin1String(what), QDir::toNativeSeparators(path), reason);
}

// Writes the whole of `bytes`; false with the system's reason in `error` otherwise. A short write
// carries no reason, so the rest is written again, and that write fails with it.
bool WriteAll(QSaveFile& file, std::string_view bytes, QString& error) {
  while (!bytes.empty()) {
    const qint64 n = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (n <= 0) {
      error = file.errorString();
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The temporary file is QSaveFile's: it is removed when the object goes without a commit, so every
// return before commit() leaves the target untouched. Unbuffered, so that every write error reaches
// WriteAll with its reason instead of surfacing, reasonless, in a later flush.
bool OpenSaveFile(QSaveFile& file) { return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

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

std::optional<QString> CheckSaveSpace(const QString& path, std::uint64_t bytes) {
  const auto free = FreeBytes(QFileInfo(path).absolutePath());
  if (!free) return std::nullopt;
  const std::uint64_t available = *free;
  if (bytes <= available) return std::nullopt;
  return QStringLiteral("The table takes %1, but only %2 are free on the disk of \"%3\". Nothing was saved.")
      .arg(SizeText(bytes), SizeText(available), QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
}

TableSaver::TableSaver(TruthTable table, TableFormat format, QString path)
    : table_(std::move(table)),
      format_(format),
      path_(std::move(path)),
      total_(TableTextBytes(table_, format_)) {}

SaveResult TableSaver::Run(const std::function<void(std::uint64_t)>& progress) {
  if (const auto refusal = CheckSaveSpace(path_, total_)) return {SaveStatus::kRefused, *refusal};
  QSaveFile file(path_);
  if (!OpenSaveFile(file)) return {SaveStatus::kFailed, FailureText("table", path_, file.errorString())};
  QString error;
  const bool complete = WriteTable(table_, format_, [&](std::string_view chunk) {
    if (cancelled_ || !WriteAll(file, chunk, error)) return false;
    written_ += chunk.size();
    if (progress) progress(written_);
    return true;
  });
  if (!error.isEmpty()) return {SaveStatus::kFailed, FailureText("table", path_, error)};
  if (!complete || cancelled_) {
    file.cancelWriting();
    return {SaveStatus::kCancelled, QStringLiteral("Saving was cancelled. Nothing was changed.")};
  }
  if (!file.commit()) return {SaveStatus::kFailed, FailureText("table", path_, file.errorString())};
  return {};
}

SaveResult SaveReport(const QString& path, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  if (const auto refusal = CheckSaveSpace(path, static_cast<std::uint64_t>(bytes.size()))) {
    return {SaveStatus::kRefused, *refusal};
  }
  QSaveFile file(path);
  QString error;
  if (!OpenSaveFile(file) || !WriteAll(file, std::string_view(bytes.constData(), bytes.size()), error) ||
      !file.commit()) {
    return {SaveStatus::kFailed, FailureText("report", path, error.isEmpty() ? file.errorString() : error)};
  }
  return {};
}

}  // namespace brevano

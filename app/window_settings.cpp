// The window's settings: one QSettings object for the process, chosen at start.
#include "app/window_settings.h"

#include <QFileInfo>
#include <QSettings>
#include <memory>

#include "app/expression_history.h"

namespace brevano {

namespace {

std::unique_ptr<QSettings>& Current() {
  static std::unique_ptr<QSettings> settings;
  return settings;
}

constexpr const char* kHistoryKey = "history";
constexpr const char* kFolderKey = "lastFolder";
constexpr const char* kRecentKey = "recentFiles";

QStringList StoredRecent() {
  return Settings() ? Settings()->value(QLatin1String(kRecentKey)).toStringList() : QStringList();
}

}  // namespace

void UseUserSettings() {
  Current() = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                          QStringLiteral("Brevano"), QStringLiteral("Brevano Boolean"));
}

void UseSettingsFile(const QString& path) {
  if (path.isEmpty()) {
    Current().reset();
  } else {
    Current() = std::make_unique<QSettings>(path, QSettings::IniFormat);
  }
}

QSettings* Settings() { return Current().get(); }

std::vector<std::string> SavedHistory() {
  std::vector<std::string> entries;
  if (!Settings()) return entries;
  for (const QString& entry : Settings()->value(QLatin1String(kHistoryKey)).toStringList())
    entries.push_back(entry.toStdString());
  if (entries.size() > kMaxHistoryEntries) entries.erase(entries.begin(), entries.end() - kMaxHistoryEntries);
  return entries;
}

void SaveHistory(const std::vector<std::string>& entries) {
  if (!Settings()) return;
  QStringList list;
  for (const std::string& entry : entries) list << QString::fromStdString(entry);
  Settings()->setValue(QLatin1String(kHistoryKey), list);
}

QString SavedFolder() {
  if (!Settings()) return {};
  const QString folder = Settings()->value(QLatin1String(kFolderKey)).toString();
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void SaveFolder(const QString& folder) {
  if (Settings()) Settings()->setValue(QLatin1String(kFolderKey), folder);
}

QStringList RecentFiles() {
  QStringList files;
  for (const QString& file : StoredRecent()) {
    if (QFileInfo::exists(file) && !files.contains(file)) files << file;
  }
  return files.mid(0, kMaxRecentFiles);
}

void AddRecentFile(const QString& path) {
  if (!Settings()) return;
  QStringList files = StoredRecent();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  files.removeAll(absolute);
  files.prepend(absolute);
  Settings()->setValue(QLatin1String(kRecentKey), files.mid(0, kMaxRecentFiles));
}

void RemoveRecentFile(const QString& path) {
  if (!Settings()) return;
  QStringList files = StoredRecent();
  files.removeAll(QFileInfo(path).absoluteFilePath());
  Settings()->setValue(QLatin1String(kRecentKey), files);
}

}  // namespace brevano

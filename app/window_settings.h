// What the window keeps across runs: the expression history, the folder last used and the files opened
// last. Nothing is kept until a settings file is chosen (the user's by the program, a temporary one by
// tests).
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QSettings;

namespace brevano {

/// Most files File > Open Recent lists.
inline constexpr int kMaxRecentFiles = 8;

/// Keeps the settings in the user's settings file of the program.
void UseUserSettings();
/// Keeps the settings in the INI file `path` (tests); an empty path keeps none.
void UseSettingsFile(const QString& path);
/// The settings in use; null while none are kept.
QSettings* Settings();

/// The expressions tabulated in earlier runs, oldest first; empty while none are kept.
std::vector<std::string> SavedHistory();
/// Keeps `entries` (oldest first) as the history.
void SaveHistory(const std::vector<std::string>& entries);
/// The folder last saved to or opened from; empty when none is known.
QString SavedFolder();
/// Keeps `folder` as the folder last used.
void SaveFolder(const QString& folder);
/// The files opened last, newest first, those that no longer exist left out.
QStringList RecentFiles();
/// Puts `path` first among the recent files.
void AddRecentFile(const QString& path);
/// Drops `path` from the recent files (it could not be read).
void RemoveRecentFile(const QString& path);

}  // namespace brevano

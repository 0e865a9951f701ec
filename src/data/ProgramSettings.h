#pragma once
// What the desktop program remembers between runs, in the user's settings file: the recent league files,
// the folder of the last file dialog, the windows' places and the grids' column widths.  Tests and tools
// point QSettings' user scope elsewhere (QSettings::setPath) so that they never touch the user's own
// settings.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace ProgramSettings
{
constexpr int kRecentFiles = 8;

// The list with path put first: each file once (compared as clean absolute paths), at most `limit`.
QStringList withRecentFile(const QStringList &list, const QString &path, int limit = kRecentFiles);

QStringList recentFiles();
void addRecentFile(const QString &path);
void removeRecentFile(const QString &path);

// The folder a file dialog starts in: the last one a file was chosen in while it still exists, otherwise
// `fallback`.
QString lastFolder(const QString &fallback);
void storeLastFolderOf(const QString &chosenPath);

// A window's saved geometry or state under a key; empty when none was saved.
QByteArray windowState(const QString &key);
void storeWindowState(const QString &key, const QByteArray &state);

// The widths the user gave the columns of a grid, by field; the columns not there keep their own.
QHash<QString, int> columnWidths(const QString &grid);
void storeColumnWidths(const QString &grid, const QHash<QString, int> &widths);
} // namespace ProgramSettings

namespace ProgramSettings
{
// A remembered text setting (a server address...); fallback when none was stored.
QString text(const QString &key, const QString &fallback);
void storeText(const QString &key, const QString &value);
} // namespace ProgramSettings

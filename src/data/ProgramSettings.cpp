#include "data/ProgramSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace
{
QSettings settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorvane"),
                     QStringLiteral("Quorvane"));
}

QString cleanAbsolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

const QString kRecent = QStringLiteral("recentFiles");
const QString kFolder = QStringLiteral("lastFolder");
} // namespace

namespace ProgramSettings
{
QStringList withRecentFile(const QStringList &list, const QString &path, int limit)
{
    const QString added = cleanAbsolute(path);
    QStringList out{added};
    for (const QString &p : list)
        if (out.size() < limit && cleanAbsolute(p) != added)
            out << p;
    return out;
}

QStringList recentFiles()
{
    return settings().value(kRecent).toStringList().mid(0, kRecentFiles);
}

void addRecentFile(const QString &path)
{
    settings().setValue(kRecent, withRecentFile(recentFiles(), path));
}

void removeRecentFile(const QString &path)
{
    QStringList list = recentFiles();
    list.removeAll(cleanAbsolute(path));
    settings().setValue(kRecent, list);
}

QString lastFolder(const QString &fallback)
{
    const QString folder = settings().value(kFolder).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback;
}

void storeLastFolderOf(const QString &chosenPath)
{
    if (!chosenPath.isEmpty())
        settings().setValue(kFolder, QFileInfo(cleanAbsolute(chosenPath)).path());
}

QByteArray windowState(const QString &key)
{
    return settings().value(QStringLiteral("windows/") + key).toByteArray();
}

void storeWindowState(const QString &key, const QByteArray &state)
{
    settings().setValue(QStringLiteral("windows/") + key, state);
}

QHash<QString, int> columnWidths(const QString &grid)
{
    QSettings s = settings();
    s.beginGroup(QStringLiteral("columns/") + grid);
    QHash<QString, int> widths;
    for (const QString &field : s.childKeys())
        if (const int w = s.value(field).toInt(); w > 0)
            widths.insert(field, w);
    return widths;
}

void storeColumnWidths(const QString &grid, const QHash<QString, int> &widths)
{
    QSettings s = settings();
    s.beginGroup(QStringLiteral("columns/") + grid);
    for (auto it = widths.cbegin(); it != widths.cend(); ++it)
        s.setValue(it.key(), it.value());
}
} // namespace ProgramSettings

namespace ProgramSettings
{
QString text(const QString &key, const QString &fallback)
{
    return settings().value(key, fallback).toString();
}

void storeText(const QString &key, const QString &value)
{
    settings().setValue(key, value);
}
} // namespace ProgramSettings

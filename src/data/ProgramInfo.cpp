#include "data/ProgramInfo.h"

#include "ProgramVersion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

QString programVersion()
{
    return QStringLiteral(QUORVANE_VERSION);
}

QString programNameAndVersion()
{
    return QStringLiteral("Quorvane ") + programVersion();
}

QString qtRuntimeVersion()
{
    return QString::fromLatin1(qVersion());
}

QString sqliteRuntimeVersion()
{
    return QString::fromLatin1(sqlite3_libversion());
}

QString programLicence()
{
    return QStringLiteral("GNU General Public License, version 3 or later");
}

QString dataFolderFor(const QString &exeDir)
{
    if (exeDir.isEmpty())
        return {};
    const QString folder = QDir::cleanPath(exeDir + QStringLiteral("/../share/quorvane"));
    return QFileInfo(folder).isDir() ? folder : QString();
}

QString programDataFolder()
{
    return dataFolderFor(QCoreApplication::applicationDirPath());
}

QString manualIndexPath()
{
    const QString folder = programDataFolder();
    if (folder.isEmpty())
        return {};
    const QString index = folder + QStringLiteral("/manual/index.html");
    return QFileInfo::exists(index) ? index : QString();
}

QString programIconPath()
{
    const QString folder = programDataFolder();
    if (folder.isEmpty())
        return {};
    const QString icon =
        QDir::cleanPath(folder + QStringLiteral("/../icons/hicolor/256x256/apps/quorvane.png"));
    return QFileInfo::exists(icon) ? icon : QString();
}

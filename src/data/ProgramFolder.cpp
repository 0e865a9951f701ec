#include "data/ProgramFolder.h"

#include "data/ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
bool isInstalledAt(const QString &exeDir)
{
    const QString data = dataFolderFor(exeDir);
    return !data.isEmpty() && QFileInfo::exists(data + QStringLiteral("/installed"));
}
} // namespace

QString userDataFolder()
{
    // Named here rather than by the application's name, which differs between the two programs.
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Quorvane");
    QDir().mkpath(folder);
    return folder;
}

QString programFolderFor(const QString &exeDir)
{
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable() && !isInstalledAt(exeDir))
        return exeDir;
    return userDataFolder();
}

QString programFolder()
{
    return programFolderFor(QCoreApplication::applicationDirPath());
}

QString defaultSystemsFilePath()
{
    return QDir(programFolder()).filePath(QStringLiteral("systems/bettingsystems.qvs"));
}

#include "data/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString programFolder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
        return exeDir;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

QString defaultSystemsFilePath()
{
    return QDir(programFolder()).filePath(QStringLiteral("systems/bettingsystems.qvs"));
}

QString helpFilePath()
{
    return QDir(programFolder()).filePath(QStringLiteral("qvhelp.html"));
}

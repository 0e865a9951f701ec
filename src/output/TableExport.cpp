#include "output/TableExport.h"

#include "output/OutputFile.h"

#include "data/Messenger.h"

#include <QFileInfo>

QString withExportExtension(const QString &path, ExportType type)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + exportTypeInfo(type).extension;
}

bool mayOverwrite(const QString &path, Messenger &messenger)
{
    checkOutputTarget(path);
    if (!QFileInfo::exists(path))
        return true;
    return messenger.question(QStringLiteral("File already exists. Overwrite?"), QStringLiteral("Overwrite"),
                              Messenger::Buttons::YesNoCancel) == Messenger::Answer::Yes;
}

bool exportTableFile(const ExportSource &source, ExportType type, const QString &path,
                     const ExportOptions &options, Messenger &messenger)
{
    if (!mayOverwrite(path, messenger))
        return false;
    exportTableToFile(source, type, path, options);
    return true;
}

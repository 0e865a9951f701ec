#include "support/CLibraryLocale.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString compileCLibraryLocale(const QString &dir, const QString &name)
{
    const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
    const QString base = name.section(QLatin1Char('.'), 0, 0);
    const QString charset = name.section(QLatin1Char('.'), 1);
    if (localedef.isEmpty() || !QFileInfo::exists(QStringLiteral("/usr/share/i18n/locales/") + base))
        return QString();
    if (!QDir().mkpath(dir))
        return QString();
    QProcess p;
    // Warnings about the sources make localedef end with 1; the locale is written all the same.
    p.start(localedef, {QStringLiteral("-i"), base, QStringLiteral("-f"), charset, QDir(dir).filePath(name)});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return QString();
    return QFileInfo::exists(QDir(dir).filePath(name + QStringLiteral("/LC_NUMERIC"))) ? dir : QString();
}

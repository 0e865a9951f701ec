#include "support/SmallFileSystem.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

namespace
{
// Exit code of the script below when the mount or a copy fails: none of the commands tested uses it.
constexpr int kNoMount = 125;

// $1 folder, $2 size, $3 seed, $4 kept, then the command.
const QString kScript = QStringLiteral("d=$1; size=$2; seed=$3; kept=$4; shift 4\n"
                                       "mount -t tmpfs -o size=\"$size\" quorvane-test \"$d\" || exit 125\n"
                                       "cp -a \"$seed/.\" \"$d/\" || exit 125\n"
                                       "\"$@\"; rc=$?\n"
                                       "cp -a \"$d/.\" \"$kept/\" || exit 125\n"
                                       "exit $rc\n");

// The ways to a private mount namespace, most modest first.
QList<QStringList> namespacePrefixes()
{
    QList<QStringList> ways = {
        {QStringLiteral("--user"), QStringLiteral("--map-root-user"), QStringLiteral("--mount")}};
    if (::geteuid() == 0)
        ways << QStringList{QStringLiteral("--mount")};
    return ways;
}

CliRun runInNamespace(const QString &unshare, const QStringList &way, const QStringList &scriptArgs,
                      const QString &program, const QStringList &args)
{
    return runCli(unshare,
                  way +
                      QStringList{QStringLiteral("sh"), QStringLiteral("-c"), kScript, QStringLiteral("sh")} +
                      scriptArgs + QStringList{program} + args);
}

// The first way that mounts a small file system here, found once; empty with the reasons when none.
const QStringList &workingWay(QString &why)
{
    static QString reasons;
    static const QStringList way = [] {
        const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
        if (unshare.isEmpty()) {
            reasons = QStringLiteral("unshare (util-linux) is not installed");
            return QStringList();
        }
        QTemporaryDir probe;
        const QString folder = probe.filePath(QStringLiteral("fs"));
        const QString empty = probe.filePath(QStringLiteral("seed"));
        for (const QString &sub : {folder, empty})
            QDir().mkpath(sub);
        for (const QStringList &w : namespacePrefixes()) {
            const CliRun r = runInNamespace(unshare, w, {folder, QStringLiteral("4096"), empty, empty},
                                            QStringLiteral("true"), {});
            if (r.exitCode == 0)
                return QStringList{unshare} + w;
            reasons += QStringLiteral("unshare %1: %2 ").arg(w.join(QLatin1Char(' ')), r.err.trimmed());
        }
        if (::geteuid() != 0)
            reasons += QStringLiteral("(not running as root)");
        return QStringList();
    }();
    why = reasons;
    return way;
}
} // namespace

SmallFileSystemRun runOnSmallFileSystem(const QString &folder, qint64 bytes, const QString &seed,
                                        const QString &kept, const QString &program, const QStringList &args)
{
    SmallFileSystemRun result;
    QString why;
    const QStringList &way = workingWay(why);
    if (way.isEmpty()) {
        result.unavailable = QStringLiteral("no small file system of a test's own here: ") + why;
        return result;
    }
    result.run =
        runInNamespace(way.first(), way.mid(1), {folder, QString::number(bytes), seed, kept}, program, args);
    if (result.run.exitCode == kNoMount)
        result.unavailable = QStringLiteral("the small file system failed: ") + result.run.err.trimmed();
    return result;
}

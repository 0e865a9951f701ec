#include "entry/JetReader.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "entry/SourceLeague.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <csignal>
#include <functional>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace JetReader
{

namespace
{

DatabaseError unreadable(const QString &name, const QString &why = QString())
{
    return DatabaseError(QStringLiteral("The file %1 cannot be read as an Access database%2")
                             .arg(name, why.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + why));
}

void setLimit(int resource, rlim_t value)
{
    const rlimit limit{value, value};
    ::setrlimit(resource, &limit);
}

// Runs in the reader's process between fork and exec, so it makes system calls only.
std::function<void()> childLimits(const Limits &limits)
{
    const pid_t program = ::getpid();
    return [limits, program] {
        // The reader ends with the program that started it, also when that program is killed.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != program)
            ::_exit(127);
        // Processor time too, so that a reader left running for any reason still stops.
        setLimit(RLIMIT_CPU, rlim_t(limits.seconds) + 1);
        if (limits.memory > 0)
            setLimit(RLIMIT_AS, rlim_t(limits.memory));
        setLimit(RLIMIT_FSIZE, rlim_t(limits.fileBytes));
        setLimit(RLIMIT_CORE, 0); // a crash leaves no core file behind
    };
}

// Whether the reader's work file is whole: a database of ours, complete, of this layout and not too large.
bool isWholeWorkFile(const QString &path, qint64 largest)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > largest)
        return false;
    try {
        Database work;
        work.open(path);
        return work.scalar(QStringLiteral("PRAGMA quick_check")).toString() == QLatin1String("ok") &&
               work.scalar(QStringLiteral("PRAGMA user_version")).toInt() == kWorkFileFormat;
    } catch (const DatabaseError &) {
        return false; // a file the engine refuses is no work file: the Access file counts as unreadable
    }
}

} // namespace

QString programPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quorvane-jet-reader"));
}

Limits limits()
{
    // A minute: the league and ticket files converted read in well under a second, so a reader still busy
    // after a minute is caught in a loop, while a far larger file still has time.  A gibibyte of address
    // space holds millions of rows, and stops a reader that allocates without end long before it troubles
    // the machine; the work file, a copy of a few tables, gets the same bound.
    Limits limits{60, qint64(1) << 30, qint64(1) << 30};
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("QUORVANE_JET_READER_SECONDS", &ok);
    if (ok && seconds > 0 && seconds < limits.seconds)
        limits.seconds = seconds;
#ifdef __SANITIZE_ADDRESS__
    limits.memory = 0; // the sanitizer reserves terabytes of address space for its own records
#endif
    return limits;
}

void readTables(const QString &accessPath, const QStringList &tables, const QString &workPath)
{
    const QFileInfo access(accessPath);
    if (!access.isFile())
        throw DatabaseError(QStringLiteral("The file %1 does not exist.").arg(access.fileName()));
    const Limits limit = limits();
    QProcess reader;
    reader.setProgram(programPath());
    reader.setArguments(QStringList{QString::number(kWorkFileFormat), access.absoluteFilePath(),
                                    QFileInfo(workPath).absoluteFilePath()} +
                        tables);
    reader.setStandardInputFile(QProcess::nullDevice());
    reader.setStandardOutputFile(QProcess::nullDevice());
    reader.setStandardErrorFile(QProcess::nullDevice());
    reader.setChildProcessModifier(childLimits(limit));
    reader.start();
    if (!reader.waitForStarted(-1))
        throw QuorvaneError(QStringLiteral("Cannot start %1, which reads Access databases: %2")
                                .arg(QDir::toNativeSeparators(reader.program()), reader.errorString()));
    if (!reader.waitForFinished(limit.seconds * 1000)) {
        reader.kill();
        reader.waitForFinished(-1);
        throw unreadable(
            access.fileName(),
            QStringLiteral("reading it did not end within the time limit (%1 s).").arg(limit.seconds));
    }
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0 ||
        !isWholeWorkFile(workPath, limit.fileBytes))
        throw unreadable(access.fileName());
}

void writeWorkFile(const TableSource &source, const QStringList &tables, const QString &workPath)
{
    const QStringList held = source.tables();
    QStringList found;
    for (const QString &table : tables)
        if (held.contains(table, Qt::CaseInsensitive))
            found << table;
    Database::create(workPath);
    Database work;
    work.open(workPath);
    SourceLeague::copyTables(source, found, work, QString());
    // Last: a reader stopped before this leaves a file the program refuses.
    work.execute(QStringLiteral("PRAGMA user_version = %1").arg(kWorkFileFormat));
}

} // namespace JetReader

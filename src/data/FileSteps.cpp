#include "data/FileSteps.h"

#include "data/BusyCursor.h"
#include "data/Database.h"
#include "data/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

QString ConnectedFileName(const Database &connection)
{
    return connection.isOpen() ? connection.path() : QString();
}

namespace FileSteps
{

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    // One file on one device, whatever the names: also through symbolic links and hard links, which
    // share no canonical path.
    struct stat sa = {}, sb = {};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
        ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    const QFileInfo fa(a), fb(b);
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

bool confirmOverwrite(Messenger &messenger, Messenger::Buttons buttons)
{
    return messenger.question(QStringLiteral("File already exists. Overwrite?"), QStringLiteral("Overwrite"),
                              buttons) == Messenger::Answer::Yes;
}

void warnInUse(Messenger &messenger)
{
    messenger.warning(QStringLiteral("Can not create file. File is still in use."));
}

QString messageOf(const std::exception &e)
{
    if (const auto *q = dynamic_cast<const QuorvaneError *>(&e))
        return q->message();
    return QString::fromLocal8Bit(e.what());
}

FileCommandResult runStep(Messenger &messenger, const std::function<void()> &step)
{
    QString failure;
    {
        BusyCursor busy;
        try {
            step();
        } catch (const std::exception &e) {
            failure = messageOf(e);
        }
    }
    if (failure.isEmpty())
        return FileCommandResult::Done;
    messenger.error(failure);
    return FileCommandResult::Refused;
}

} // namespace FileSteps

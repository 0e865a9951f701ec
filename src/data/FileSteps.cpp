#include "data/FileSteps.h"

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

StagedFile::StagedFile(const QString &target)
    : m_target(QFileInfo(target).absoluteFilePath()),
      m_dir(QFileInfo(target).absoluteDir().filePath(QStringLiteral(".quorvane-new-XXXXXX")))
{
    if (!m_dir.isValid())
        throw DatabaseError(
            QStringLiteral("Cannot create the file '%1': %2").arg(m_target, m_dir.errorString()));
    m_path = m_dir.filePath(QFileInfo(target).fileName());
}

void StagedFile::commit()
{
    QFile built(m_path);
    if (!built.rename(m_target))
        throw DatabaseError(
            QStringLiteral("Cannot create the file '%1': %2").arg(m_target, built.errorString()));
}

} // namespace FileSteps

#include "output/OutputFile.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/FileSteps.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>

namespace
{
constexpr qint64 kBlock = 1 << 16;

enum class Target { File, Stream };

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// What the path leads to, links followed.  A path that leads nowhere yet becomes a new file.
Target targetOf(const QString &path)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return Target::File;
    if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))
        return Target::Stream;
    if (S_ISDIR(st.st_mode))
        throw QuorvaneError(QStringLiteral("Cannot write to \"%1\": it is a folder.").arg(shown(path)));
    throw QuorvaneError(QStringLiteral("Cannot write to \"%1\": only a file, a pipe or a device such as "
                                       "/dev/null can take the output.")
                            .arg(shown(path)));
}

Target checkedTarget(const QString &path)
{
    for (const QString &open : Database::openFilePaths())
        if (FileSteps::sameFile(path, open))
            throw QuorvaneError(QStringLiteral("Cannot write to \"%1\": it is the file being read. Choose "
                                               "another file for the output.")
                                    .arg(shown(path)));
    return targetOf(path);
}
} // namespace

void checkOutputTarget(const QString &path)
{
    checkedTarget(path);
}

OutputFile::OutputFile(const QString &path) : m_path(path)
{
    if (checkedTarget(path) == Target::Stream)
        m_file = std::make_unique<QFile>(path);
    else
        m_file = std::make_unique<QSaveFile>(path);
    // Unbuffered: each block goes to the system at once, so a failed write reports the system's cause.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw QuorvaneError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(shown(path), m_file->errorString()));
    QIODevice::open(QIODevice::WriteOnly);
}

OutputFile::~OutputFile() = default; // an uncommitted save file removes its temporary file

void OutputFile::commit()
{
    if (!drain())
        fail(errorString());
    if (auto *save = qobject_cast<QSaveFile *>(m_file.get())) {
        if (!save->commit())
            fail(save->errorString());
    } else {
        m_file->close();
        if (m_file->error() != QFileDevice::NoError)
            fail(m_file->errorString());
    }
    QIODevice::close();
}

qint64 OutputFile::readData(char *, qint64)
{
    return -1;
}

qint64 OutputFile::writeData(const char *data, qint64 size)
{
    if (m_failed)
        return -1;
    m_held.append(data, size);
    if (m_held.size() >= kBlock && !drain())
        return -1;
    return size;
}

bool OutputFile::drain()
{
    if (m_failed)
        return false;
    const char *p = m_held.constData();
    qint64 left = m_held.size();
    while (left > 0) {
        // A short write (the disk filled up part-way) reports no error; the next write gives the cause.
        const qint64 written = m_file->write(p, left);
        if (written <= 0) {
            m_failed = true;
            setErrorString(m_file->errorString());
            m_held.clear();
            return false;
        }
        p += written;
        left -= written;
    }
    m_held.clear();
    return true;
}

void OutputFile::fail(const QString &cause) const
{
    throw QuorvaneError(QStringLiteral("Cannot write file \"%1\". %2").arg(shown(m_path), cause));
}

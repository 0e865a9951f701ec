#include "output/OutputFile.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/FileSteps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr qint64 kBlock = 1 << 16;

// How an output reaches its target.
struct Target {
    enum Kind { File, Stream, Descriptor } kind = File;
    int descriptor = -1; // of Descriptor
};

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The program's open descriptor that the path names, through its links (/dev/stdout is /proc/self/fd/1);
// -1 for any other path.  Whoever opened the descriptor (a shell sending the output to a file, maybe to
// append) expects the bytes written into it: opening the file anew would truncate or replace it.
int descriptorOf(QString path)
{
    const QStringList folders = {QStringLiteral("/dev/fd/"), QStringLiteral("/proc/self/fd/"),
                                 QStringLiteral("/proc/thread-self/fd/"),
                                 QStringLiteral("/proc/%1/fd/").arg(::getpid())};
    for (int link = 0; link < 40; ++link) {
        path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        for (const QString &folder : folders) {
            bool number = false;
            const int fd = path.startsWith(folder) ? path.mid(folder.size()).toInt(&number) : -1;
            if (number && fd >= 0)
                return fd;
        }
        const QFileInfo info(path);
        if (!info.isSymLink())
            return -1;
        path = info.symLinkTarget();
    }
    return -1;
}

// What the path leads to, links followed.  A path that leads nowhere yet becomes a new file.
Target targetOf(const QString &path)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    if (S_ISDIR(st.st_mode))
        throw QuorvaneError(QStringLiteral("Cannot write to \"%1\": it is a folder.").arg(shown(path)));
    if (const int fd = descriptorOf(path); fd >= 0)
        return {Target::Descriptor, fd};
    if (S_ISREG(st.st_mode))
        return {};
    if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))
        return {Target::Stream};
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

// Opens the file device for the target, unbuffered: each block goes to the system at once, so that a
// failed write reports the system's cause.
bool openTarget(QFileDevice &file, const Target &target)
{
    constexpr auto mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    if (target.kind != Target::Descriptor)
        return file.open(mode);
    // A copy of the descriptor, closed with the file; the program's own stays open.
    const int copy = ::dup(target.descriptor);
    if (copy < 0)
        return false;
    if (static_cast<QFile &>(file).open(copy, mode, QFileDevice::AutoCloseHandle))
        return true;
    ::close(copy);
    return false;
}
} // namespace

void checkOutputTarget(const QString &path)
{
    checkedTarget(path);
}

OutputFile::OutputFile(const QString &path) : m_path(path)
{
    const Target target = checkedTarget(path);
    if (target.kind == Target::File)
        m_file = std::make_unique<QSaveFile>(path);
    else
        m_file = std::make_unique<QFile>(path);
    if (!openTarget(*m_file, target))
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

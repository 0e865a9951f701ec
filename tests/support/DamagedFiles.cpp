#include "support/DamagedFiles.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <unistd.h>

QByteArray damaged(QByteArray bytes, Damage damage, qint64 at, qint64 value)
{
    const qint64 page = bytes.size() > 0x14 && bytes.at(0x14) == 0 ? 2048 : 4096; // Jet 3 pages are 2 KiB
    switch (damage) {
    case Damage::None:
        break;
    case Damage::Cut:
        bytes.truncate(at);
        break;
    case Damage::Byte:
        bytes[at] = char(value);
        break;
    case Damage::Put16:
        qToLittleEndian<quint16>(quint16(value), bytes.data() + at);
        break;
    case Damage::Put32:
        qToLittleEndian<quint32>(quint32(value), bytes.data() + at);
        break;
    case Damage::CopyPage:
        bytes.replace(value * page, page, bytes.mid(at * page, page));
        break;
    }
    return bytes;
}

QStringList childProcesses()
{
    QStringList children;
    const QByteArray me = QByteArray::number(qint64(::getpid()));
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks, so the fields count from its parenthesis.
        const QByteArray line = stat.readAll();
        const qsizetype nameEnd = line.lastIndexOf(')');
        const QList<QByteArray> fields = line.mid(nameEnd + 2).split(' ');
        if (nameEnd > 0 && fields.size() > 1 && fields.at(1) == me)
            children << QString::fromLocal8Bit(line.left(nameEnd + 1));
    }
    return children;
}

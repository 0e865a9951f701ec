#include "support/StoredRows.h"

#include "data/Database.h"
#include "data/Table.h"

#include <QCryptographicHash>
#include <QFile>

QStringList storedRowList(Database &db, const QString &table)
{
    QStringList out;
    Statement st = db.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoteIdentifier(table)));
    while (st.step()) {
        QString line;
        for (int i = 0; i < st.columnCount(); ++i)
            line += st.value(i).toString() + QLatin1Char('|');
        out << line;
    }
    return out;
}

QString storedRows(Database &db, const QStringList &tables)
{
    QString out;
    for (const QString &table : tables)
        for (const QString &row : storedRowList(db, table))
            out += row + QLatin1Char('\n');
    return out;
}

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

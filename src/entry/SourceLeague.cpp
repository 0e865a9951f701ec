#include "entry/SourceLeague.h"

#include "data/ColumnInfo.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/LeagueSchema.h"

#include <QDateTime>
#include <QtEndian>

namespace SourceLeague
{

namespace
{

const char *const kTables[] = {"League", "Teams", "Results", "Players"};

// The source's own spelling of a table name; empty when it has no such table.
QString findTable(const TableSource &source, const QString &name)
{
    for (const QString &t : source.tables())
        if (t.compare(name, Qt::CaseInsensitive) == 0)
            return t;
    return QString();
}

ColumnKind kindOf(SourceType type)
{
    switch (type) {
    case SourceType::Integer:
    case SourceType::Real:
        return ColumnKind::Real;
    case SourceType::DateTime:
        return ColumnKind::Date;
    case SourceType::Boolean:
        return ColumnKind::Bit;
    case SourceType::Binary:
        return ColumnKind::Blob;
    case SourceType::Text:
        break;
    }
    return ColumnKind::Text;
}

// A source value in the form a column of that kind stores.
QVariant stored(ColumnKind kind, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (kind) {
    case ColumnKind::Real:
        return v.typeId() == QMetaType::QString ? v : QVariant(v.toDouble());
    case ColumnKind::Date:
        // League files keep the date alone; a value that was not read as a date stays as its text.
        return v.typeId() == QMetaType::QDateTime ? QVariant(v.toDateTime().date().toString(Qt::ISODate)) : v;
    case ColumnKind::Bit:
        return QVariant(qint64(v.toBool() ? 1 : 0));
    case ColumnKind::Blob: {
        const QByteArray picture = pictureIn(v.toByteArray());
        return picture.isEmpty() ? QVariant() : QVariant(picture);
    }
    case ColumnKind::Text:
        break;
    }
    return v.toString();
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

void copyTable(const TableSource &source, const QString &sourceName, const QString &name, Database &db)
{
    ColumnList columns;
    for (const SourceColumn &c : source.columns(sourceName))
        columns << ColumnInfo{c.name, kindOf(c.type), 0};
    db.execute(LeagueSchema::createTableSql(name, columns));

    QStringList names, marks;
    for (const ColumnInfo &c : columns) {
        names << quoted(c.name);
        marks << QStringLiteral("?");
    }
    Statement insert =
        db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(quoted(name), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    for (const SourceRow &row : source.rows(sourceName)) {
        for (qsizetype i = 0; i < columns.size(); ++i)
            insert.bind(int(i) + 1, stored(columns[i].kind, i < row.size() ? row[i] : QVariant()));
        insert.run();
        insert.reset();
    }
}

} // namespace

void copyTables(const TableSource &source, const QStringList &tables, Database &db, const QString &what)
{
    Transaction tx(db);
    for (const QString &name : tables) {
        const QString found = findTable(source, name);
        if (!found.isEmpty())
            copyTable(source, found, name, db);
        else
            throw missingTable(what, name);
    }
    tx.commit();
}

DatabaseError missingTable(const QString &what, const QString &table)
{
    return DatabaseError(QStringLiteral("This is not a %1: it has no table %2.").arg(what, table));
}

void copyLeagueTables(const TableSource &source, Database &db)
{
    QStringList tables;
    for (const char *table : kTables)
        tables << QString::fromLatin1(table);
    copyTables(source, tables, db, QStringLiteral("league file"));
}

QByteArray pictureIn(const QByteArray &value)
{
    // A BMP file starts with "BM" and its own length; embedded objects wrap it in a header of their own,
    // so the picture is the first "BM" whose length fits in what follows it.
    for (qsizetype at = value.indexOf("BM"); at >= 0; at = value.indexOf("BM", at + 1)) {
        if (value.size() - at < 14)
            break;
        const quint32 length = qFromLittleEndian<quint32>(value.constData() + at + 2);
        if (length >= 26 && length <= quint64(value.size() - at))
            return value.mid(at, length);
    }
    return QByteArray();
}

} // namespace SourceLeague

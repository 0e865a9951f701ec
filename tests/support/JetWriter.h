#pragma once
// A small writer of Access databases (Jet 4 file format) for the tests, so that the import of Access
// files is tested on real files that libmdb reads like any other: user tables with text, whole-number,
// floating-point, date, yes/no and (always empty) long binary columns.  It writes no indexes, no long
// values and no system tables beyond the catalogue; every table's rows fill whole pages of their own.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace JetWriter
{

enum class Type { Text, Long, Double, Date, Bool, Binary };

struct Column {
    QString name;
    Type type = Type::Text;
    int width = 50; // text columns: the most characters a value may have
};

struct Table {
    QString name;
    QList<Column> columns;
    // One value per column: QString, a whole number, a double, a QDate or ISO date text, a bool; an
    // invalid QVariant is an empty value.  Binary columns take empty values only.
    QList<QVariantList> rows;
};

// Writes the tables into a new file at path; the reason when it cannot (a row that fits no page, a value
// of the wrong kind, a file that cannot be written), an empty string when done.
QString write(const QString &path, const QList<Table> &tables);

// The named tables of one of our own database files (a league or ticket file), columns, types and rows
// as they stand, written as an Access database at jetPath.  Pictures are left out.
QString writeCopyOf(const QString &databasePath, const QStringList &tables, const QString &jetPath);

} // namespace JetWriter

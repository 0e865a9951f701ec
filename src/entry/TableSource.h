#pragma once
// Tables read from a database that is not one of our own files (an Access/Jet file, or a fixture built
// in a test): their names, their columns with a type, and their rows in stored order.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// What a column holds, as far as reading it goes.
enum class SourceType {
    Text,     // QString
    Integer,  // qint64
    Real,     // double (floating-point, currency and decimal columns)
    DateTime, // QDateTime; a stored value the reader cannot read as a date comes as its text
    Boolean,  // bool
    Binary,   // QByteArray
};

struct SourceColumn {
    QString name;
    SourceType type = SourceType::Text;
};

// A row holds one value per column in column order; an invalid QVariant is an empty (NULL) value.
using SourceRow = QVariantList;

class TableSource
{
public:
    virtual ~TableSource() = default;
    // The user tables (no system tables), in the file's catalogue order.
    virtual QStringList tables() const = 0;
    // The columns of a table, in column order; DatabaseError for a table the source does not hold.
    virtual QList<SourceColumn> columns(const QString &table) const = 0;
    // Every row of a table in stored order; DatabaseError for a table the source does not hold.
    virtual QList<SourceRow> rows(const QString &table) const = 0;
};

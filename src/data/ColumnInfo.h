#pragma once
// What the dataset layer knows of a column, read from its declared type in the file.
//
// Values of a row are held as QVariant in the form SQLite hands them out:
//   Real  -> double (NUMBER and FLOAT columns)       Text -> QString (TEXT(n), at most n characters)
//   Date  -> QString "YYYY-MM-DD"                    Bit  -> qint64 0 or 1
//   Blob  -> QByteArray                              and an invalid QVariant for NULL.

#include <QList>
#include <QString>

enum class ColumnKind { Real, Text, Date, Bit, Blob };

struct ColumnInfo {
    QString name;
    ColumnKind kind = ColumnKind::Text;
    int width = 0; // TEXT(n): n; 0 for no limit

    // From a declared type: REAL/FLOAT/NUMBER/DOUBLE, TEXT(n), DATE, BIT, BLOB/LONGBINARY.
    static ColumnInfo fromDeclared(const QString &name, const QString &declaredType);
    // The declared type written into CREATE TABLE for this column.
    QString declaredType() const;
};

using ColumnList = QList<ColumnInfo>;

// Index of a column by name, letter case ignored; -1 when absent.
int columnIndex(const ColumnList &columns, const QString &name);

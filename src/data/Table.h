#pragma once
// A dataset over one table of the file, in stored order unless sorted.

#include "data/Dataset.h"

#include <QHash>

class Table : public Dataset
{
    Q_OBJECT
public:
    explicit Table(Database *db, const QString &tableName = QString(), QObject *parent = nullptr)
        : Dataset(db, parent), m_table(tableName)
    {
    }
    void setTableName(const QString &name) { m_table = name; }
    QString tableName() const { return m_table; }

    // Loads, from the next open or reload on, only the rows that condition selects (an SQL expression
    // over the table's columns, ?1... bound to params), so that a command that works on a few rows of a
    // big table does not hold them all; rows appended later join as usual.  The maximum of a column
    // (maxOf) still covers every row of the file: for the columns named in maxColumns it is found in the
    // same pass over the file as the rows, which saves a second one.  An empty condition loads every row
    // again.
    void restrictRows(const QString &condition, const QVariantList &params = {},
                      const QStringList &maxColumns = {});

protected:
    LoadedRows load() override;
    qint64 insertRow(const QList<QVariant> &values) override;
    void updateRow(qint64 rowid, const QList<QVariant> &values, const std::vector<bool> &modified) override;
    void deleteRow(qint64 rowid) override;
    bool loadsEveryRow() const override { return m_condition.isEmpty(); }
    std::optional<double> fileMax(int column) override;

private:
    QString m_table;
    QString m_insertSql;
    QHash<QByteArray, QString> m_updateSql; // by the columns an update writes, one flag each
    QString m_condition;
    QVariantList m_conditionParams;
    QStringList m_maxColumns;
    // The maxima the last load found, by column; forgotten at the first write, after which the
    // dataset keeps its own or asks the file again.
    QHash<int, std::optional<double>> m_loadedMax;
};

// A name quoted for SQL text: "Name", with an inner double quote doubled.
QString quoteIdentifier(const QString &name);

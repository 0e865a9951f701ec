#pragma once
// A dataset over one table of the file, in stored order unless sorted.

#include "data/Dataset.h"

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

protected:
    LoadedRows load() override;
    qint64 insertRow(const QList<QVariant> &values) override;
    void updateRow(qint64 rowid, const QList<QVariant> &values, const std::vector<bool> &modified) override;
    void deleteRow(qint64 rowid) override;

private:
    QString m_table;
    QString m_insertSql;
};

// A name quoted for SQL text: "Name", with an inner double quote doubled.
QString quoteIdentifier(const QString &name);

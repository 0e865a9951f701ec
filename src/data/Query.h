#pragma once
// A read-only dataset over the rows of an SQL text; values always go in as bound parameters.

#include "data/Dataset.h"

class Query : public Dataset
{
    Q_OBJECT
public:
    explicit Query(Database *db, QObject *parent = nullptr) : Dataset(db, parent) {}
    // Closes the query and sets its text; ?1, ?2 ... take the parameters in order.
    void setSql(const QString &sql, const QVariantList &params = {});
    QString sql() const { return m_sql; }
    bool isReadOnly() const override { return true; }

protected:
    LoadedRows load() override;
    qint64 insertRow(const QList<QVariant> &) override;
    void updateRow(qint64, const QList<QVariant> &, const std::vector<bool> &) override;
    void deleteRow(qint64) override;

private:
    QString m_sql;
    QVariantList m_params;
};

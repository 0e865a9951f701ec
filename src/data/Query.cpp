#include "data/Query.h"

#include "data/Database.h"
#include "data/Errors.h"

#include <sqlite3.h>

void Query::setSql(const QString &sql, const QVariantList &params)
{
    close();
    m_sql = sql;
    m_params = params;
}

Dataset::LoadedRows Query::load()
{
    LoadedRows out;
    Statement st = database()->prepare(m_sql);
    st.bindAll(m_params);
    const int n = st.columnCount();
    QList<bool> known(n, false);
    for (int i = 0; i < n; ++i) {
        const QString declared = st.declaredType(i);
        out.columns << ColumnInfo::fromDeclared(st.columnName(i),
                                                declared.isEmpty() ? QStringLiteral("TEXT") : declared);
        known[i] = !declared.isEmpty();
    }
    out.rows.reset(n);
    qint64 index = 0;
    while (st.step()) {
        // An expression column has no declared type: its first value tells numbers from texts.
        for (int i = 0; i < n; ++i) {
            if (known[i])
                continue;
            const int type = sqlite3_column_type(st.handle(), i);
            if (type == SQLITE_NULL)
                continue;
            if (type == SQLITE_FLOAT || type == SQLITE_INTEGER)
                out.columns[i].kind = ColumnKind::Real;
            known[i] = true;
        }
        out.rows.appendFromStatement(st.handle(), 0);
        out.rowids.push_back(index++);
    }
    return out;
}

qint64 Query::insertRow(const QList<QVariant> &)
{
    throw DatabaseError(QStringLiteral("The query is read-only."));
}

void Query::updateRow(qint64, const QList<QVariant> &, const std::vector<bool> &)
{
    throw DatabaseError(QStringLiteral("The query is read-only."));
}

void Query::deleteRow(qint64)
{
    throw DatabaseError(QStringLiteral("The query is read-only."));
}

#include "data/Table.h"

#include "data/Database.h"
#include "data/Errors.h"

#include <sqlite3.h>

QString quoteIdentifier(const QString &name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

Dataset::LoadedRows Table::load()
{
    LoadedRows out;
    const auto cols = database()->tableColumns(m_table);
    if (cols.isEmpty())
        throw DatabaseError(QStringLiteral("The table '%1' does not exist.").arg(m_table));
    QStringList names;
    QStringList marks;
    for (const auto &c : cols) {
        out.columns << ColumnInfo::fromDeclared(c.first, c.second);
        names << quoteIdentifier(c.first);
        marks << QStringLiteral("?%1").arg(marks.size() + 1);
    }
    m_insertSql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(quoteIdentifier(m_table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    m_updateSql.clear();
    m_loadedMax.clear();
    QString where;
    QVariantList params = m_conditionParams;
    if (!m_condition.isEmpty() && !m_maxColumns.isEmpty()) {
        // One pass over the file: the maxima, and the rowids of the rows wanted, fetched by rowid next.
        QStringList maxima;
        for (const QString &c : m_maxColumns)
            maxima << QStringLiteral("max(%1)").arg(quoteIdentifier(c));
        Statement scan = database()->prepare(
            QStringLiteral("SELECT %1, json_group_array(rowid) FILTER (WHERE %2) FROM %3")
                .arg(maxima.join(QLatin1Char(',')), m_condition, quoteIdentifier(m_table)));
        scan.bindAll(m_conditionParams);
        scan.step();
        for (int i = 0; i < m_maxColumns.size(); ++i) {
            const QVariant v = scan.value(i);
            const int column = columnIndex(out.columns, m_maxColumns[i]);
            m_loadedMax.insert(column, v.isNull() ? std::nullopt : std::optional<double>(v.toDouble()));
        }
        where = QStringLiteral(" WHERE rowid IN (SELECT value FROM json_each(?1))");
        params = {scan.value(static_cast<int>(m_maxColumns.size())).toString()};
    } else if (!m_condition.isEmpty()) {
        where = QStringLiteral(" WHERE ") + m_condition;
    }
    Statement st =
        database()->prepare(QStringLiteral("SELECT rowid, %1 FROM %2%3 ORDER BY rowid")
                                .arg(names.join(QLatin1Char(',')), quoteIdentifier(m_table), where));
    st.bindAll(params);
    out.rows.reset(static_cast<int>(cols.size()));
    // The number of rows, so that the columns grow once: counted from the file when every row comes.
    if (where.isEmpty())
        out.rows.reserve(static_cast<size_t>(
            database()
                ->scalar(QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(m_table)))
                .toLongLong()));
    while (st.step()) {
        out.rowids.push_back(sqlite3_column_int64(st.handle(), 0));
        out.rows.appendFromStatement(st.handle(), 1);
    }
    return out;
}

qint64 Table::insertRow(const QList<QVariant> &values)
{
    m_loadedMax.clear();
    Statement st = database()->prepare(m_insertSql);
    for (int i = 0; i < values.size(); ++i)
        st.bind(i + 1, values[i]);
    st.run();
    return database()->lastInsertRowId();
}

void Table::updateRow(qint64 rowid, const QList<QVariant> &values, const std::vector<bool> &modified)
{
    m_loadedMax.clear();
    // The text of an update depends only on the columns it writes: built once for each set of them, so
    // the connection's cache hands out the same prepared statement row after row.
    QByteArray written(static_cast<qsizetype>(modified.size()), '0');
    for (size_t i = 0; i < modified.size(); ++i)
        if (modified[i])
            written[static_cast<qsizetype>(i)] = '1';
    auto sql = m_updateSql.constFind(written);
    if (sql == m_updateSql.constEnd()) {
        QStringList sets;
        int n = 0;
        for (int i = 0; i < values.size(); ++i)
            if (modified[i])
                sets << QStringLiteral("%1 = ?%2").arg(quoteIdentifier(columns()[i].name)).arg(++n);
        sql = m_updateSql.insert(written, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                                              .arg(quoteIdentifier(m_table), sets.join(QLatin1Char(',')))
                                              .arg(n + 1));
    }
    Statement st = database()->prepare(*sql);
    int n = 0;
    for (int i = 0; i < values.size(); ++i)
        if (modified[i])
            st.bind(++n, values[i]);
    st.bind(n + 1, rowid);
    st.run();
}

void Table::deleteRow(qint64 rowid)
{
    m_loadedMax.clear();
    Statement st =
        database()->prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quoteIdentifier(m_table)));
    st.bind(1, rowid);
    st.run();
}

void Table::restrictRows(const QString &condition, const QVariantList &params, const QStringList &maxColumns)
{
    m_condition = condition;
    m_conditionParams = params;
    m_maxColumns = maxColumns;
}

std::optional<double> Table::fileMax(int column)
{
    if (const auto known = m_loadedMax.constFind(column); known != m_loadedMax.constEnd())
        return *known;
    const QVariant v =
        database()->scalar(QStringLiteral("SELECT max(%1) FROM %2")
                               .arg(quoteIdentifier(columns()[column].name), quoteIdentifier(m_table)));
    return v.isValid() && !v.isNull() ? std::optional<double>(v.toDouble()) : std::nullopt;
}

#include "support/QueryHistories.h"

#include "data/Dates.h"
#include "data/Query.h"

History QueryHistories::current(const QString &team)
{
    return load(team, nullptr);
}

History QueryHistories::before(const QString &team, const QDate &date)
{
    return load(team, &date);
}

History QueryHistories::load(const QString &team, const QDate *before)
{
    // The history query, the name as a bound value; same-date matches in stored order.
    Query q(&m_db);
    q.setSql(QStringLiteral("SELECT * FROM Results WHERE Result <> ':' AND (Home = ?1 COLLATE UNOCASE OR "
                            "Away = ?1 COLLATE UNOCASE) ORDER BY DateP DESC, rowid"),
             {team});
    q.open();
    if (before) {
        if (!before->isValid())
            return History();
        q.setFilter(QStringLiteral("DateP < ") + Dates::toFilterText(*before));
        q.setFiltered(true);
    }
    std::vector<MatchRecord> &records = m_records[team];
    records.clear();
    for (q.first(); !q.eof(); q.next()) {
        MatchRecord r;
        r.home = q.field(QStringLiteral("Home")).asString();
        r.away = q.field(QStringLiteral("Away")).asString();
        r.F = q.field(QStringLiteral("F")).asInteger();
        r.A = q.field(QStringLiteral("A")).asInteger();
        r.overtime = q.field(QStringLiteral("Result")).asString().contains(QLatin1String("OT"));
        records.push_back(r);
    }
    std::vector<const MatchRecord *> &pointers = m_pointers[team];
    pointers.clear();
    for (const MatchRecord &r : records)
        pointers.push_back(&r);
    return History::newestFirst(pointers);
}

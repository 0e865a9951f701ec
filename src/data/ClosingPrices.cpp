#include "data/ClosingPrices.h"

#include "data/Database.h"

#include <algorithm>

namespace
{
const QString kTable = QStringLiteral("ClosingPrices");

void create(Database &league)
{
    // The key makes a stored set replace the old one and keeps lookups by match cheap.
    league.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS ClosingPrices "
                                  "(ID REAL PRIMARY KEY, C1 REAL, CX REAL, C2 REAL)"));
}
} // namespace

namespace ClosingPrices
{

bool exists(Database &league)
{
    return league.tableNames().contains(kTable, Qt::CaseInsensitive);
}

void store(Database &league, qint64 matchId, const ClosingPriceSet &prices)
{
    if (std::none_of(prices.cbegin(), prices.cend(), [](double p) { return p > 0; })) {
        remove(league, matchId);
        return;
    }
    create(league);
    const auto price = [](double p) { return p > 0 ? QVariant(p) : QVariant(); };
    league.execute(
        QStringLiteral("INSERT OR REPLACE INTO ClosingPrices (ID, C1, CX, C2) VALUES (?1, ?2, ?3, ?4)"),
        {static_cast<double>(matchId), price(prices[0]), price(prices[1]), price(prices[2])});
}

void remove(Database &league, qint64 matchId)
{
    if (exists(league))
        league.execute(QStringLiteral("DELETE FROM ClosingPrices WHERE ID = ?1"),
                       {static_cast<double>(matchId)});
}

QHash<qint64, ClosingPriceSet> readAll(Database &league)
{
    QHash<qint64, ClosingPriceSet> all;
    if (!exists(league))
        return all;
    Statement st = league.prepare(QStringLiteral("SELECT ID, C1, CX, C2 FROM ClosingPrices"));
    while (st.step()) {
        ClosingPriceSet set{};
        for (int i = 0; i < 3; ++i) {
            const QVariant v = st.value(1 + i);
            set[i] = v.isNull() ? 0.0 : std::max(0.0, v.toDouble());
        }
        all.insert(qRound64(st.value(0).toDouble()), set);
    }
    return all;
}

} // namespace ClosingPrices

#include "analysis/SystemMetrics.h"

#include "data/Database.h"
#include "data/Table.h"

namespace
{
QVariant optionalValue(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant();
}

std::optional<double> optionalOf(const QVariant &v)
{
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}
} // namespace

namespace SystemMetrics
{

void ensureTable(Database &systems)
{
    systems.execute(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS MethodMetrics (ID REAL PRIMARY KEY, Staking TEXT, Turnover REAL, "
        "Profit REAL, Yield REAL, MaxDrawdown REAL, MaxDrawdownPct REAL, LosingRun INTEGER, "
        "WinningRun INTEGER, Bets1 INTEGER, BetsX INTEGER, Bets2 INTEGER, Price1 REAL, PriceX REAL, "
        "Price2 REAL, CLV REAL, BeatClose REAL, ClosingBets INTEGER)"));
}

void store(Database &systems, int methodsId, const StakingPlan &plan, const BetMetrics &m)
{
    ensureTable(systems);
    systems.execute(QStringLiteral("INSERT OR REPLACE INTO MethodMetrics VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, "
                                   "?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18)"),
                    {double(methodsId), plan.name(), m.turnover, m.profit, m.yieldPct, m.maxDrawdown,
                     m.maxDrawdownPct, m.longestLosingRun, m.longestWinningRun, m.bets[0], m.bets[1],
                     m.bets[2], m.meanPrice[0], m.meanPrice[1], m.meanPrice[2], optionalValue(m.clvMeanPct),
                     optionalValue(m.beatClosePct), m.closingBets});
}

std::optional<Stored> read(Database &systems, int methodsId)
{
    if (!systems.tableNames().contains(QStringLiteral("MethodMetrics"), Qt::CaseInsensitive))
        return std::nullopt;
    Statement st = systems.prepare(QStringLiteral("SELECT * FROM MethodMetrics WHERE ID = ?1"));
    st.bind(1, double(methodsId));
    if (!st.step())
        return std::nullopt;
    Stored s;
    s.staking = st.value(1).toString();
    BetMetrics &m = s.metrics;
    m.turnover = st.value(2).toDouble();
    m.profit = st.value(3).toDouble();
    m.yieldPct = st.value(4).toDouble();
    m.maxDrawdown = st.value(5).toDouble();
    m.maxDrawdownPct = st.value(6).toDouble();
    m.longestLosingRun = st.value(7).toInt();
    m.longestWinningRun = st.value(8).toInt();
    for (int o = 0; o < 3; ++o) {
        m.bets[o] = st.value(9 + o).toInt();
        m.meanPrice[o] = st.value(12 + o).toDouble();
    }
    m.clvMeanPct = optionalOf(st.value(15));
    m.beatClosePct = optionalOf(st.value(16));
    m.closingBets = st.value(17).toInt();
    return s;
}

void deleteOrphans(Database &systems)
{
    if (systems.tableNames().contains(QStringLiteral("MethodMetrics"), Qt::CaseInsensitive))
        systems.execute(QStringLiteral("DELETE FROM MethodMetrics WHERE ID NOT IN (SELECT ID FROM Methods)"));
}

void followDeletes(Table &methods)
{
    methods.setAfterDelete([](Dataset &ds) { deleteOrphans(*ds.database()); });
}

void deleteSystem(Table &methods)
{
    if (methods.isEmpty())
        return;
    Database &systems = *methods.database();
    Transaction tx(systems);
    methods.deleteRecord();
    // Another row with the same ID (a file edited by hand) keeps the metrics.
    deleteOrphans(systems);
    tx.commit();
}

} // namespace SystemMetrics

#include "analysis/HistoryMetrics.h"

#include "analysis/Settlement.h"
#include "entry/Odds.h"

BetMetrics historyMetrics(const QList<HistoryRow> &rows, int startingBalance, int wager,
                          const QHash<qint64, ClosingPriceSet> &closing, const QLocale &locale)
{
    MetricsAccumulator metrics(startingBalance);
    for (const HistoryRow &row : rows) {
        const std::optional<MatchOutcome> backed = backedOutcome(row.verdict);
        if (!backed)
            continue;
        const double price = Odds::OddsToDecimal(oddsTextOf(*backed, row.O1, row.OX, row.O2), locale);
        const BetResult bet = settleAt(*backed, matchOutcome(row.F, row.A, row.result), price, wager);
        const auto c = closing.constFind(row.id);
        metrics.add({*backed, bet.won, price, price > 0 ? double(wager) : 0.0, bet.profit,
                     c == closing.cend() ? 0.0 : (*c)[outcomeIndex(*backed)]});
    }
    return metrics.result();
}

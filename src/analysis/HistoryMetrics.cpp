#include "analysis/HistoryMetrics.h"

#include "analysis/Settlement.h"
#include "entry/Odds.h"

HistoryMetrics::HistoryMetrics(int startingBalance, int wager, const QHash<qint64, ClosingPriceSet> &closing,
                               const QLocale &locale)
    : m_wager(wager), m_closing(closing), m_locale(locale), m_metrics(startingBalance)
{
}

void HistoryMetrics::add(const Match &row)
{
    const std::optional<MatchOutcome> backed = backedOutcome(row.prediction.verdict);
    if (!backed)
        return;
    const double price =
        Odds::OddsToDecimal(oddsTextOf(*backed, row.homePrice, row.drawPrice, row.awayPrice), m_locale);
    const BetResult bet = settleAt(*backed, row.outcome(), price, m_wager);
    const auto c = m_closing.constFind(row.id);
    m_metrics.add({*backed, bet.won, price, price > 0 ? double(m_wager) : 0.0, bet.profit,
                   c == m_closing.cend() ? 0.0 : (*c)[outcomeIndex(*backed)]});
}

BetMetrics historyMetrics(const QList<Match> &rows, int startingBalance, int wager,
                          const QHash<qint64, ClosingPriceSet> &closing, const QLocale &locale)
{
    HistoryMetrics metrics(startingBalance, wager, closing, locale);
    for (const Match &row : rows)
        metrics.add(row);
    return metrics.result();
}

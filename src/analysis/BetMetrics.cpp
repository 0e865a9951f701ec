#include "analysis/BetMetrics.h"

#include <algorithm>

MetricsAccumulator::MetricsAccumulator(double startingBalance)
    : m_balance(startingBalance), m_peak(startingBalance)
{
}

void MetricsAccumulator::add(const SettledBet &bet)
{
    const int o = outcomeIndex(bet.backed);
    ++m.bets[o];
    if (bet.price > 0) {
        m_priceSum[o] += bet.price;
        ++m_priced[o];
    }
    m.turnover += bet.stake;
    m.profit += bet.profit;

    // A bet counts in the runs as it counts in the hits, also without a price.
    if (bet.won) {
        ++m_winning;
        m_losing = 0;
    } else {
        ++m_losing;
        m_winning = 0;
    }
    m.longestWinningRun = std::max(m.longestWinningRun, m_winning);
    m.longestLosingRun = std::max(m.longestLosingRun, m_losing);

    m_balance += bet.profit;
    m_peak = std::max(m_peak, m_balance);
    const double fall = m_peak - m_balance;
    if (fall > m.maxDrawdown) {
        m.maxDrawdown = fall;
        m.maxDrawdownPct = m_peak > 0 ? 100.0 * fall / m_peak : 0.0;
    }

    if (bet.price > 0 && bet.closing > 0) {
        ++m.closingBets;
        m_clvSum += bet.price / bet.closing - 1.0;
        if (bet.price > bet.closing)
            ++m_beat;
    }
}

BetMetrics MetricsAccumulator::result() const
{
    BetMetrics r = m;
    r.yieldPct = r.turnover > 0 ? 100.0 * r.profit / r.turnover : 0.0;
    for (int o = 0; o < 3; ++o)
        r.meanPrice[o] = m_priced[o] > 0 ? m_priceSum[o] / m_priced[o] : 0.0;
    if (r.closingBets > 0) {
        r.clvMeanPct = 100.0 * m_clvSum / r.closingBets;
        r.beatClosePct = 100.0 * m_beat / r.closingBets;
    }
    return r;
}

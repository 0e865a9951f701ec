#pragma once
// The money side of a series of settled bets: turnover, profit, yield, the deepest fall of the balance
// from a running peak, the longest losing and winning runs, the bets and mean price per outcome, and how
// the prices taken compare with the closing prices.

#include "data/MatchOutcome.h"

#include <QList>
#include <optional>

struct SettledBet {
    MatchOutcome backed = MatchOutcome::HomeWin;
    bool won = false;
    double price = 0;   // decimal price taken, 0 when the match had none
    double stake = 0;   // money staked; 0 when the price was missing (nothing changed hands)
    double profit = 0;  // what the balance gained or lost
    double closing = 0; // the backed outcome's closing price, 0 when unknown
};

struct BetMetrics {
    double turnover = 0; // sum of the stakes
    double profit = 0;
    double yieldPct = 0;       // profit / turnover in %, 0 without turnover
    double maxDrawdown = 0;    // largest fall of the balance below its running peak, as money ...
    double maxDrawdownPct = 0; // ... and as % of that peak
    int longestLosingRun = 0;  // in bets
    int longestWinningRun = 0;
    int bets[3] = {0, 0, 0};            // on the home win, the draw, the away win
    double meanPrice[3] = {0, 0, 0};    // of those bets that had a price; 0 when none had
    std::optional<double> clvMeanPct;   // mean of price / closing - 1 in %, over bets with both prices
    std::optional<double> beatClosePct; // share of those bets whose price beat the closing price, in %
    int closingBets = 0;                // the bets the last two are over
};

// Sums the bets one at a time from a starting balance.
class MetricsAccumulator
{
public:
    explicit MetricsAccumulator(double startingBalance = 0);
    void add(const SettledBet &bet);
    BetMetrics result() const;

private:
    BetMetrics m;
    double m_balance;
    double m_peak;
    int m_losing = 0, m_winning = 0;
    double m_priceSum[3] = {0, 0, 0};
    int m_priced[3] = {0, 0, 0};
    double m_clvSum = 0;
    int m_beat = 0;
};

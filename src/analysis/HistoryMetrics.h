#pragma once
// The money metrics of the stored predictions: a flat wager on every verdict "1", "X" or "2", settled
// at the stored odds in date order, and compared with the closing prices where the league has them.

#include "analysis/BetMetrics.h"
#include "analysis/PredictionHistory.h"
#include "data/ClosingPrices.h"

#include <QHash>
#include <QLocale>

// An odds text of a bet that does not read throws ConversionError, as the prediction history does.
BetMetrics historyMetrics(const QList<Match> &rows, int startingBalance, int wager,
                          const QHash<qint64, ClosingPriceSet> &closing, const QLocale &locale = QLocale());

// The same one match at a time, for a walk that streams them.
class HistoryMetrics
{
public:
    HistoryMetrics(int startingBalance, int wager, const QHash<qint64, ClosingPriceSet> &closing,
                   const QLocale &locale = QLocale());
    void add(const Match &row);
    BetMetrics result() const { return m_metrics.result(); }

private:
    int m_wager;
    const QHash<qint64, ClosingPriceSet> &m_closing;
    QLocale m_locale;
    MetricsAccumulator m_metrics;
};

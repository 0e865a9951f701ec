#include "analysis/MetricsLines.h"

#include "data/Numbers.h"

namespace
{
QString twoDecimals(double v, const QLocale &locale)
{
    return locale.toString(Numbers::round2(v), 'f', 2);
}

QString percent(const std::optional<double> &v, const QLocale &locale)
{
    return v ? twoDecimals(*v, locale) + QStringLiteral(" %") : QStringLiteral("no closing prices");
}
} // namespace

QList<MetricLine> metricLines(const BetMetrics &m, const QLocale &locale)
{
    QList<MetricLine> lines = {
        {QStringLiteral("Turnover"), twoDecimals(m.turnover, locale)},
        {QStringLiteral("Profit"), twoDecimals(m.profit, locale)},
        {QStringLiteral("Yield"), twoDecimals(m.yieldPct, locale) + QStringLiteral(" %")},
        {QStringLiteral("Maximum drawdown"),
         QStringLiteral("%1 (%2 %)")
             .arg(twoDecimals(m.maxDrawdown, locale), twoDecimals(m.maxDrawdownPct, locale))},
        {QStringLiteral("Longest losing run"), locale.toString(m.longestLosingRun)},
        {QStringLiteral("Longest winning run"), locale.toString(m.longestWinningRun)}};
    const char *outcomes[3] = {"1", "X", "2"};
    for (int o = 0; o < 3; ++o)
        lines.append(
            {QStringLiteral("Bets on %1").arg(QLatin1String(outcomes[o])),
             QStringLiteral("%1, mean price %2")
                 .arg(locale.toString(m.bets[o]),
                      m.meanPrice[o] > 0 ? twoDecimals(m.meanPrice[o], locale) : QStringLiteral("-"))});
    lines.append({QStringLiteral("Closing line value"), percent(m.clvMeanPct, locale)});
    lines.append({QStringLiteral("Beat the closing price"), percent(m.beatClosePct, locale)});
    return lines;
}

QList<QStringList> calibrationScoreRows(const CalibrationReport &r, const QLocale &locale)
{
    const auto fixed = [&](double v) {
        return r.hasScores() ? locale.toString(v, 'f', 4) : QStringLiteral("-");
    };
    QList<QStringList> rows{
        {QString(), QStringLiteral("Brier"), QStringLiteral("RPS"), QStringLiteral("Log loss")}};
    for (const auto &[name, s] :
         {std::pair{QStringLiteral("Model"), r.model}, std::pair{QStringLiteral("Market"), r.market}})
        rows << QStringList{name, fixed(s.brier), fixed(s.rps), fixed(s.logloss)};
    return rows;
}

#include "cli/MetricsText.h"

#include "analysis/MetricsLines.h"
#include "cli/PrintedText.h"
#include <QLocale>

namespace
{
QString optionalNumber(const std::optional<double> &v)
{
    return v ? Json::number(*v) : Json::null();
}

Json::Members perOutcome(const QString &one, const QString &draw, const QString &two)
{
    return {{QStringLiteral("1"), one}, {QStringLiteral("X"), draw}, {QStringLiteral("2"), two}};
}
} // namespace

QString metricsJson(const BetMetrics &m)
{
    return Json::object(
        {{QStringLiteral("turnover"), Json::number(m.turnover)},
         {QStringLiteral("profit"), Json::number(m.profit)},
         {QStringLiteral("yield"), Json::number(m.yieldPct)},
         {QStringLiteral("max_drawdown"), Json::number(m.maxDrawdown)},
         {QStringLiteral("max_drawdown_pct"), Json::number(m.maxDrawdownPct)},
         {QStringLiteral("longest_losing_run"), Json::number(m.longestLosingRun)},
         {QStringLiteral("longest_winning_run"), Json::number(m.longestWinningRun)},
         {QStringLiteral("bets"), Json::object(perOutcome(Json::number(m.bets[0]), Json::number(m.bets[1]),
                                                          Json::number(m.bets[2])))},
         {QStringLiteral("mean_price"),
          Json::object(perOutcome(Json::number(m.meanPrice[0]), Json::number(m.meanPrice[1]),
                                  Json::number(m.meanPrice[2])))},
         {QStringLiteral("clv_mean_pct"), optionalNumber(m.clvMeanPct)},
         {QStringLiteral("beat_close_pct"), optionalNumber(m.beatClosePct)}});
}

QString metricsText(const BetMetrics &m)
{
    QString t;
    for (const MetricLine &line : metricLines(m, QLocale()))
        t += line.name + QStringLiteral(": ") + line.value + QLatin1Char('\n');
    return t;
}

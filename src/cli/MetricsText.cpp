#include "cli/MetricsText.h"

#include "cli/PrintedText.h"
#include "data/Numbers.h"

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

QString twoDecimals(double v)
{
    return QLocale::c().toString(Numbers::round2(v), 'f', 2);
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
    const auto optional = [](const std::optional<double> &v) {
        return v ? twoDecimals(*v) + QStringLiteral(" %") : QStringLiteral("no closing prices");
    };
    QString t;
    t += QStringLiteral("Turnover: %1\n").arg(twoDecimals(m.turnover));
    t += QStringLiteral("Profit: %1\n").arg(twoDecimals(m.profit));
    t += QStringLiteral("Yield: %1 %\n").arg(twoDecimals(m.yieldPct));
    t += QStringLiteral("Maximum drawdown: %1 (%2 %)\n")
             .arg(twoDecimals(m.maxDrawdown), twoDecimals(m.maxDrawdownPct));
    t += QStringLiteral("Longest losing run: %1\n").arg(m.longestLosingRun);
    t += QStringLiteral("Longest winning run: %1\n").arg(m.longestWinningRun);
    const char *names[3] = {"1", "X", "2"};
    for (int o = 0; o < 3; ++o)
        t += QStringLiteral("Bets on %1: %2, mean price %3\n")
                 .arg(QLatin1String(names[o]))
                 .arg(m.bets[o])
                 .arg(twoDecimals(m.meanPrice[o]));
    t += QStringLiteral("Closing line value: %1\n").arg(optional(m.clvMeanPct));
    t += QStringLiteral("Beat the closing price: %1\n").arg(optional(m.beatClosePct));
    return t;
}

#include "betting/Arbitrage.h"

#include "data/Errors.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "entry/Odds.h"

namespace
{

enum Outcome { Home, Draw, Away };

// Stakes in proportion to 1/price, scaled so that every outcome pays multiplier * inverseSum.
ArbitrageSplit splitStake(double home, std::optional<double> draw, double away, double multiplier)
{
    ArbitrageSplit split;
    split.hasDraw = draw.has_value();
    const double s = 1.0 / home + (draw ? 1.0 / *draw : 0.0) + 1.0 / away;
    split.inverseSum = s;
    split.stakes = {multiplier * (s / home), draw ? multiplier * (s / *draw) : 0.0, multiplier * (s / away)};
    split.winnings = {split.stakes[Home] * home, draw ? split.stakes[Draw] * *draw : 0.0,
                      split.stakes[Away] * away};
    split.total = split.stakes[Home] + split.stakes[Draw] + split.stakes[Away];
    split.profit = split.winnings[Home] - split.total;
    return split;
}

QString money(double x, const QLocale &locale)
{
    return Numbers::formatGeneral(Numbers::round2(x), locale);
}

QStringList moneyRow(const QString &heading, const std::array<double, 3> &values, const QLocale &locale)
{
    return {heading, money(values[Home], locale), money(values[Draw], locale), money(values[Away], locale)};
}

} // namespace

ArbitrageResult blankArbitrage(const ArbitrageInput &input)
{
    const QString none;
    ArbitrageResult result;
    result.grid = {
        {none, input.homeTeam, QStringLiteral("Draw"), input.awayTeam},
        {QStringLiteral("Bookmaker"), input.bookmakers[Home], input.bookmakers[Draw], input.bookmakers[Away]},
        {QStringLiteral("Odds"), input.odds[Home], input.odds[Draw], input.odds[Away]},
        {QStringLiteral("Stake"), none, none, none},
        {QStringLiteral("Winnings"), none, none, none},
    };
    result.total = QStringLiteral("0 ");
    result.profit = QStringLiteral("0 ");
    return result;
}

std::optional<ArbitrageResult> computeArbitrage(const ArbitrageInput &input, Messenger &messenger,
                                                const QLocale &locale)
{
    ArbitrageResult result = blankArbitrage(input);
    if (!Odds::hasOdds(input.odds[Home]) || !Odds::hasOdds(input.odds[Away]))
        return result;

    ArbitrageSplit split;
    try {
        // Home, away, then draw: the first text that fails is the one reported.
        const double home = Odds::ParseOddsAutoType(input.odds[Home], messenger, locale).price;
        const double away = Odds::ParseOddsAutoType(input.odds[Away], messenger, locale).price;
        std::optional<double> draw;
        if (Odds::hasOdds(input.odds[Draw]))
            draw = Odds::ParseOddsAutoType(input.odds[Draw], messenger, locale).price;
        split = splitStake(home, draw, away, input.multiplier);
    } catch (const Abort &) {
        return std::nullopt; // the warning is shown; the refresh stops
    }

    result.grid[ArbitrageStakeRow] = moneyRow(QStringLiteral("Stake"), split.stakes, locale);
    result.grid[ArbitrageWinningsRow] = moneyRow(QStringLiteral("Winnings"), split.winnings, locale);
    result.total = money(split.total, locale) + QLatin1Char(' ');
    result.profit = money(split.profit, locale) + QLatin1Char(' ');
    result.profitColour = split.profit > 0 ? Colours::LightGreen : Colours::LightRed;
    result.split = split;
    return result;
}

double stakeMultiplierOfText(const QString &text)
{
    int value = 0;
    return Numbers::tryParseInt(text, &value) ? value : 1;
}

Rgb returnColour(double retrn)
{
    return retrn > 0 ? Colours::LightGreen : Colours::LightRed;
}

std::array<int, 4> stakeGridColumnWidths(int gridWidth)
{
    const int share = (gridWidth - 108) / 3;
    return {100, share, share, share};
}

#include "analysis/Settlement.h"

#include "entry/Odds.h"

std::optional<MatchOutcome> backedOutcome(const QString &verdict)
{
    if (verdict == QLatin1String("1"))
        return MatchOutcome::HomeWin;
    if (verdict == QLatin1String("X"))
        return MatchOutcome::Draw;
    if (verdict == QLatin1String("2"))
        return MatchOutcome::AwayWin;
    return std::nullopt;
}

std::optional<BetResult> settleVerdict(const QString &verdict, MatchOutcome happened, const QString &O1,
                                       const QString &OX, const QString &O2, double wager,
                                       const QLocale &locale)
{
    const std::optional<MatchOutcome> backed = backedOutcome(verdict);
    if (!backed)
        return std::nullopt;
    return settleAt(*backed, happened, Odds::OddsToDecimal(oddsTextOf(*backed, O1, OX, O2), locale), wager);
}

BetResult settleAt(MatchOutcome backed, MatchOutcome happened, double price, double stake)
{
    const bool won = happened == backed;
    if (price == 0.0)
        return BetResult{won, 0.0};
    return BetResult{won, won ? price * stake - stake : -stake};
}

#include "analysis/Settlement.h"

#include "entry/Odds.h"

std::optional<BetResult> settleVerdict(const QString &verdict, MatchOutcome happened, const QString &O1,
                                       const QString &OX, const QString &O2, double wager,
                                       const QLocale &locale)
{
    MatchOutcome backed;
    const QString *odds = nullptr;
    if (verdict == QLatin1String("1"))
        backed = MatchOutcome::HomeWin, odds = &O1;
    else if (verdict == QLatin1String("X"))
        backed = MatchOutcome::Draw, odds = &OX;
    else if (verdict == QLatin1String("2"))
        backed = MatchOutcome::AwayWin, odds = &O2;
    else
        return std::nullopt;
    const double price = Odds::OddsToDecimal(*odds, locale);
    const bool won = happened == backed;
    if (price == 0.0)
        return BetResult{won, 0.0};
    return BetResult{won, won ? price * wager - wager : -wager};
}

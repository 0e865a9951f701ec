#pragma once
// How a stored prediction is judged against the result: the flat stake on its verdict, and the
// under/over call.  Shared by the back-test and the prediction history.

#include "data/MatchOutcome.h"

#include <QLocale>
#include <QString>
#include <optional>

struct BetResult {
    bool won;
    double profit;
};

// The outcome a verdict backs: "1" the home win, "X" the draw, "2" the away win; std::nullopt for any
// other verdict (no bet).
std::optional<MatchOutcome> backedOutcome(const QString &verdict);

// The odds text of an outcome among the three.
inline const QString &oddsTextOf(MatchOutcome outcome, const QString &O1, const QString &OX,
                                 const QString &O2)
{
    return outcome == MatchOutcome::HomeWin ? O1 : outcome == MatchOutcome::Draw ? OX : O2;
}

// A stake on the backed outcome at a decimal price: stake x price - stake when it happened, else -stake;
// no money either way at a price of 0 (no odds were stored).
BetResult settleAt(MatchOutcome backed, MatchOutcome happened, double price, double stake);

// The wager on the verdict's outcome ("1", "X", "2") at that outcome's odds text; std::nullopt for any other
// verdict (no bet).  A price that reads as 0 (an empty or one-character text) still counts the bet, with no
// money either way.  An odds text that does not read raises ConversionError.
std::optional<BetResult> settleVerdict(const QString &verdict, MatchOutcome happened, const QString &O1,
                                       const QString &OX, const QString &O2, double wager,
                                       const QLocale &locale = QLocale());

// A hit when the predicted and the real total are both above the line or both below it; a total equal to
// the line is a miss.
inline bool underOverHit(double predictedTotal, double realTotal, double line)
{
    return (predictedTotal > line && realTotal > line) || (predictedTotal < line && realTotal < line);
}

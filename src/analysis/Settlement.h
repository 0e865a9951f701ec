#pragma once
// How a stored prediction is judged against the result: the flat stake on its verdict, and the
// under/over call.  Shared by the back-test and the prediction history.

#include "data/MatchOutcome.h"

#include <QLocale>
#include <optional>

struct BetResult {
    bool won;
    double profit;
};

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

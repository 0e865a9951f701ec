#pragma once
// The outcome of a played match: a match decided in overtime ("OT" in its Result) counts as a draw,
// whatever its score.

#include <QString>

enum class MatchOutcome { HomeWin, Draw, AwayWin };

inline MatchOutcome matchOutcome(int homeScore, int awayScore, bool overtime)
{
    if (overtime || homeScore == awayScore)
        return MatchOutcome::Draw;
    return homeScore > awayScore ? MatchOutcome::HomeWin : MatchOutcome::AwayWin;
}

inline MatchOutcome matchOutcome(int homeScore, int awayScore, const QString &result)
{
    return matchOutcome(homeScore, awayScore, result.contains(QLatin1String("OT")));
}

#pragma once
// The outcome of a played match: a match decided in overtime ("OT" in its Result) counts as a draw,
// whatever its score.

#include <QString>

enum class MatchOutcome { HomeWin, Draw, AwayWin };

// A match is played once its Result holds a score ("2:1", "3:2 OT"); a fixture's Result is ":".
inline bool isPlayed(const QString &result)
{
    return result.size() > 1;
}

// A match decided in overtime carries "OT" after its score.
inline bool isOvertime(const QString &result)
{
    return result.contains(QLatin1String("OT"));
}

inline MatchOutcome matchOutcome(int homeScore, int awayScore, bool overtime)
{
    if (overtime || homeScore == awayScore)
        return MatchOutcome::Draw;
    return homeScore > awayScore ? MatchOutcome::HomeWin : MatchOutcome::AwayWin;
}

inline MatchOutcome matchOutcome(int homeScore, int awayScore, const QString &result)
{
    return matchOutcome(homeScore, awayScore, isOvertime(result));
}

// Position of an outcome in home, draw, away order (as the odds columns O1, OX, O2 stand).
inline int outcomeIndex(MatchOutcome o)
{
    return o == MatchOutcome::HomeWin ? 0 : o == MatchOutcome::Draw ? 1 : 2;
}

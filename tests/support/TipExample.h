#pragma once
// The worked example of the match prediction as a league file: H at home against A, both histories
// dated newest first, their ratings (H 1200 at home, 1100 overall; A 900 away, 1000 overall) and a few
// standings columns; a third team B leads the away table.

#include "predict/PredictionEngine.h"
#include "support/LeagueFixture.h"

#include <QStringList>

// The two histories, newest first, as "Home-Away F:A".
const QStringList &tipExampleHomeHistory();
const QStringList &tipExampleAwayHistory();

// The example's betting system: home and away wins at 50, no draws, confidence 50, venue statistics, six
// last matches.
PredictionOptions tipExampleOptions();

class TipExampleLeague
{
public:
    TipExampleLeague();
    LeagueFixture league;
    // Adds a player to a team's line-up ("IN") or not ("OUT").
    void addPlayer(const QString &team, const QString &name, int rating, const QString &status);
};

#pragma once
// Per-sport constants and the league settings' sport presets, looked up by the exact sport name.

#include <QString>
#include <QStringList>

struct SportConstants {
    int ratingFactor; // K of the rating update
    int typicalScore; // one team's score in a typical match
};

struct OutcomeWeights {
    double home;
    double draw;
    double away;
};

SportConstants GetSportConstants(const QString &sport);
OutcomeWeights GetOutcomeWeights(const QString &sport);
double DefaultTotalLine(const QString &sport);

// The nine sports the league settings offer, in their list order.
const QStringList &sportNames();

// Points and betting-system percentages that choosing a sport sets.
struct SportDefaults {
    int PW, PD, PL, PWO, PDO, PLO, HP, DP, AP;
};
// For a position of sportNames(); nullptr for anything else.
const SportDefaults *sportDefaults(int position);
// Position of a sport in sportNames(), letter case ignored; -1 when it is none of them.
int sportPosition(const QString &sport);

#pragma once
// Per-sport constants and the league settings' sport presets, looked up by the exact sport name.

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

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

// Position in sportNames() of a sport as a user types it on the command line: a name of the list or one
// of the short names that people use (soccer, hockey, aussie rules...), letter case ignored, "-" and "_"
// read as blanks and blanks around and between words not counted; -1 when it is none of them.  The
// league settings window keeps to sportPosition: it has a chooser.
int typedSportPosition(const QString &text);
// The short names typedSportPosition knows besides the list's names, each with the list name it stands
// for, in list order.
const QList<std::pair<QString, QString>> &sportShortNames();

#pragma once
// Deterministic random leagues for differential tests and benchmarks: written straight into the
// file, with the awkward cases real files hold (names differing only in letter case, quotes in names,
// same-date matches, overtime results, missing dates, empty and one-character odds, low ratings).

#include <QString>
#include <QStringList>

struct RandomLeagueSpec {
    quint32 seed = 1;
    int teams = 8;
    int matches = 150;
    double fixtureShare = 0.15;
    int days = 60; // matches fall on this many different dates
    bool awkward = true;
};

// Creates a league file at path with the spec's teams and matches.
void writeRandomLeague(const QString &path, const RandomLeagueSpec &spec);

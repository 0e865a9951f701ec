#pragma once
// The played matches of a league as the prediction commands and the back-test read them.

#include "predict/PredictionEngine.h"

#include <QDate>
#include <QString>
#include <vector>

class Database;

struct PlayedMatch {
    qint64 rowid = 0;
    int id = 0;
    QDate date; // invalid when the row has no date
    int round = 0;
    QString result;
    MatchRecord record;                       // home, away, scores, overtime
    int TRH = 0, TRHT = 0, TRA = 0, TRAT = 0; // the rating snapshot, read as whole numbers
    double UOV = 0;
    QString O1, OX, O2;
};

// Every played match (Result <> ":"), oldest first; matches of the same date keep their stored order.
// Refuses (QuorvaneError) a league whose played rows do not add up (requireConsistentPlayedRows).
std::vector<PlayedMatch> readPlayedMatches(Database &league);

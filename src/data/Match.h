#pragma once
// One row of a league's Results table as a value.  The table's columns stay exactly as they are (they are
// the file format); the members are named for what they hold, home before away:
//
//   id ID, homeTeam Home, awayTeam Away, result Result, date DateP, round Rnd, matchType MatchT,
//   season Season, homePoints PtsH, homeTotalPoints PtsHT, awayPoints PtsA, awayTotalPoints PtsAT,
//   homeRating TRH, homeTotalRating TRHT, awayRating TRA, awayTotalRating TRAT, homeScore F, awayScore A,
//   prediction.homePercent HP, prediction.drawPercent DP, prediction.awayPercent AP,
//   prediction.confidence CF, prediction.predictedScore PResult, prediction.predictedTotal Ttl,
//   prediction.verdict Verdict, line UOV, prediction.underOver UOP, homePrice O1, homeBookmaker O1B,
//   drawPrice OX, drawBookmaker OXB, awayPrice O2, awayBookmaker O2B, arbitrageReturn Retrn.
//
// Whole-number columns read as the computations read them (Numbers::wholeNumber: NULL and blank text 0,
// reals rounded half to even).  rowid is the row's place in stored order, which ties keep.

#include "data/MatchOutcome.h"

#include <QDate>
#include <QString>
#include <optional>

// The prediction columns of a row, as the prediction commands write them.
struct StoredPrediction {
    int homePercent = 0, drawPercent = 0, awayPercent = 0, confidence = 0;
    QString predictedScore;
    int predictedTotal = 0;
    QString verdict;   // "1", "X", "2" or "?"
    QString underOver; // the under/over call
};

struct Match {
    qint64 rowid = 0;
    int id = 0;
    QString homeTeam, awayTeam;
    QString result; // "2:1", "3:2 OT"; ":" for a fixture
    QDate date;     // invalid when the row has no date
    int round = 0;
    QString matchType, season;
    int homePoints = 0, homeTotalPoints = 0, awayPoints = 0, awayTotalPoints = 0;
    // The rating snapshot: each team's venue and overall rating before the match.
    int homeRating = 0, homeTotalRating = 0, awayRating = 0, awayTotalRating = 0;
    int homeScore = 0, awayScore = 0;
    StoredPrediction prediction;
    double line = 0;                         // the under/over line
    QString homePrice, drawPrice, awayPrice; // odds texts as typed
    QString homeBookmaker, drawBookmaker, awayBookmaker;
    std::optional<double> arbitrageReturn; // none when NULL or not a number

    bool played() const { return isPlayed(result); }
    bool overtime() const { return isOvertime(result); }
    MatchOutcome outcome() const { return matchOutcome(homeScore, awayScore, overtime()); }
};

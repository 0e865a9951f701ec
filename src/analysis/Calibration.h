#pragma once
// How well the stored predictions of a league's played matches are calibrated, beside the bookmakers'
// own: the three-outcome Brier score, the ranked probability score (outcomes ordered home, draw, away)
// and the mean log loss, for the stored percentages and for the probabilities implied by the stored
// prices; and a reliability table per outcome in ten bins of 10 %.

#include "data/Match.h"

#include <QList>
#include <QString>
#include <array>

class Database;

struct ProbabilityScores {
    double brier = 0;   // sum over the three outcomes of (p - happened)^2, 0..2
    double rps = 0;     // half the sum of the squared differences of the two cumulative sums, 0..1
    double logloss = 0; // -ln p of the outcome that happened
};

struct ReliabilityBin {
    int count = 0;
    double predicted = 0; // mean predicted probability (0..1) of the bin's predictions; 0 when empty
    double observed = 0;  // share (0..1) of them whose outcome happened; 0 when empty
};

struct CalibrationReport {
    int matches = 0; // the matches used: a stored prediction and three prices that read
    // The means over those matches.  Over none they are no scores at all (0 would read as perfect):
    // every view shows them only when hasScores().
    ProbabilityScores model, market;
    bool hasScores() const { return matches > 0; }
    // Per outcome (home, draw, away) ten bins: bin k holds percentages from 10k up to but not including
    // 10(k+1), the last one also 100.
    std::array<std::array<ReliabilityBin, 10>, 3> reliability{};
};

// A stored percentage of 0 on the outcome that happened stands for less than half a percent (the store
// rounds to whole ones), so the log loss counts it as 0.5 %, not as an infinite loss.
constexpr double kLogLossFloor = 0.005;

// Every played match whose stored percentages are not all 0, oldest first, with its percentages, scores,
// result and prices.  Refuses (QuorvaneError) a league whose played rows do not add up
// (requireConsistentPlayedRows).
QList<Match> readCalibrationMatches(Database &league);

// Matches whose three odds texts do not all hold a price (an empty text, "-", a text that does not read)
// are left out, as are those without a prediction.  A match decided in overtime counts as a draw.
CalibrationReport computeCalibration(const QList<Match> &matches);

// The same one match at a time, for a walk that streams them.
class CalibrationTally
{
public:
    void add(const Match &m);
    CalibrationReport result() const;

private:
    CalibrationReport m_report;
    std::array<std::array<double, 10>, 3> m_predictedSum{}, m_happenedSum{};
};

// The report of every match readCalibrationMatches reads, streamed.
CalibrationReport computeCalibration(Database &league);

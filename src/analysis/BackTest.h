#pragma once
// Back-tests a betting system over every played match of a league, oldest first: the prediction the
// program would have made before each match, a stake on its verdict (the flat wager unless the system's
// staking plan says otherwise), settled at the stored odds, and a running balance.  The detail goes to the
// betting systems file's Results, the summary to a new Methods row.

#include "analysis/BetMetrics.h"
#include "analysis/Staking.h"
#include "predict/PredictionEngine.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QVariantList>
#include <functional>

class TDataMod;
class Database;
class HistorySource;

struct BettingSystem {
    PredictionOptions options;
    int startingBalance = 100; // 1..99999
    int wager = 20;            // 1..startingBalance
    StakingPlan staking;       // Flat: the wager on every bet
};

// The summary row as stored in Methods, in column order.
struct MethodsRow {
    int ID = 0;
    QString League;
    int Crt = 0, Ict = 0, Tot = 0, CrtP = 0;
    double Profit = 0;
    int UOP = 0, SCP = 0, HP = 0, DP = 0, AP = 0, CF = 0;
    QString Home, Draw, Away, TS;
    int LM = 0;
    QVariantList values() const;
};

class BackTest
{
public:
    // The histories come from `histories` when given, otherwise from one pass over the played matches.
    BackTest(const BettingSystem &system, TDataMod &league, Database &systemsFile,
             HistorySource *histories = nullptr);

    // Called per match with the 1-based position and the number of played matches.
    void setProgress(std::function<void(int position, int total)> progress)
    {
        m_progress = std::move(progress);
    }

    // Runs the test.  An odds text of a bet that does not convert ends it with ConversionError: the
    // detail rows written so far stay, no Methods row is written.  The money metrics go with the Methods
    // row into the file's table of metrics.
    MethodsRow run();

    // Of the last run: the money metrics, and the balance after each tested match (x the match's 1-based
    // position among the played matches, starting from (0, starting balance)).
    const BetMetrics &metrics() const { return m_metrics; }
    const QList<QPointF> &balanceCurve() const { return m_curve; }

    // The status texts of the analyzer's four panels for a position.
    static QStringList statusTexts(int position, int total);

private:
    BettingSystem m_system;
    TDataMod &m_league;
    Database &m_systems;
    HistorySource *m_histories;
    std::function<void(int, int)> m_progress;
    BetMetrics m_metrics;
    QList<QPointF> m_curve;
};

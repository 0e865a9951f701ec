#include "analysis/Calibration.h"

#include "data/Database.h"
#include "data/MatchOutcome.h"
#include "data/Numbers.h"
#include "data/PlayedRowsCheck.h"
#include "entry/Odds.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace
{

using Probabilities = std::array<double, 3>;

// The bookmakers' probabilities: the inverse prices, scaled to sum to 1 (their margin taken out).
std::optional<Probabilities> impliedProbabilities(const CalibrationMatch &m)
{
    Probabilities p{};
    const QString *texts[3] = {&m.O1, &m.OX, &m.O2};
    double sum = 0;
    for (int o = 0; o < 3; ++o) {
        double price = 0;
        if (!Odds::hasOdds(*texts[o]) ||
            !Odds::tryParseOdds(*texts[o], Odds::DetectOddsType(*texts[o]), &price) || !(price > 0))
            return std::nullopt;
        p[o] = 1.0 / price;
        sum += p[o];
    }
    for (double &x : p)
        x /= sum;
    return p;
}

void addScores(ProbabilityScores &s, const Probabilities &p, int happened)
{
    const Probabilities o = {happened == 0 ? 1.0 : 0.0, happened == 1 ? 1.0 : 0.0, happened == 2 ? 1.0 : 0.0};
    for (int k = 0; k < 3; ++k)
        s.brier += (p[k] - o[k]) * (p[k] - o[k]);
    const double c1 = p[0] - o[0];
    const double c2 = (p[0] + p[1]) - (o[0] + o[1]);
    s.rps += (c1 * c1 + c2 * c2) / 2.0;
    s.logloss += -std::log(std::max(p[happened], kLogLossFloor));
}

void averageScores(ProbabilityScores &s, int n)
{
    if (n == 0)
        return;
    s.brier /= n;
    s.rps /= n;
    s.logloss /= n;
}

int binOf(int percent)
{
    return std::clamp(percent / 10, 0, 9);
}

} // namespace

QList<CalibrationMatch> readCalibrationMatches(Database &league)
{
    requireConsistentPlayedRows(league);
    // rowid keeps one day's matches in stored order.
    Statement st = league.prepare(QStringLiteral("SELECT HP, DP, AP, F, A, Result, O1, OX, O2 FROM Results "
                                                 "WHERE length(Result) > 1 ORDER BY DateP, rowid"));
    QList<CalibrationMatch> matches;
    while (st.step()) {
        CalibrationMatch m;
        m.HP = Numbers::wholeNumber(st.value(0));
        m.DP = Numbers::wholeNumber(st.value(1));
        m.AP = Numbers::wholeNumber(st.value(2));
        if (m.HP == 0 && m.DP == 0 && m.AP == 0)
            continue; // never predicted
        m.F = Numbers::wholeNumber(st.value(3));
        m.A = Numbers::wholeNumber(st.value(4));
        m.result = st.value(5).toString();
        m.O1 = st.value(6).toString();
        m.OX = st.value(7).toString();
        m.O2 = st.value(8).toString();
        matches << m;
    }
    return matches;
}

CalibrationReport computeCalibration(const QList<CalibrationMatch> &matches)
{
    CalibrationReport r;
    std::array<std::array<double, 10>, 3> predictedSum{}, happenedSum{};
    for (const CalibrationMatch &m : matches) {
        if (m.HP == 0 && m.DP == 0 && m.AP == 0)
            continue;
        const std::optional<Probabilities> market = impliedProbabilities(m);
        if (!market)
            continue;
        const int happened = outcomeIndex(matchOutcome(m.F, m.A, m.result));
        const int percents[3] = {m.HP, m.DP, m.AP};
        const Probabilities model = {m.HP / 100.0, m.DP / 100.0, m.AP / 100.0};
        addScores(r.model, model, happened);
        addScores(r.market, *market, happened);
        for (int o = 0; o < 3; ++o) {
            const int bin = binOf(percents[o]);
            ++r.reliability[o][bin].count;
            predictedSum[o][bin] += model[o];
            happenedSum[o][bin] += happened == o ? 1.0 : 0.0;
        }
        ++r.matches;
    }
    averageScores(r.model, r.matches);
    averageScores(r.market, r.matches);
    for (int o = 0; o < 3; ++o)
        for (int b = 0; b < 10; ++b) {
            ReliabilityBin &bin = r.reliability[o][b];
            if (bin.count > 0) {
                bin.predicted = predictedSum[o][b] / bin.count;
                bin.observed = happenedSum[o][b] / bin.count;
            }
        }
    return r;
}

#include "analysis/Calibration.h"

#include "data/Database.h"
#include "data/MatchOutcome.h"
#include "data/MatchStore.h"
#include "data/Numbers.h"
#include "data/PlayedRowsCheck.h"
#include "entry/Odds.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace
{

using Probabilities = std::array<double, 3>;

// The bookmakers' probabilities: the inverse prices, scaled to sum to 1 (their margin taken out).
std::optional<Probabilities> impliedProbabilities(const Match &m)
{
    Probabilities p{};
    const QString *texts[3] = {&m.homePrice, &m.drawPrice, &m.awayPrice};
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

bool predicted(const StoredPrediction &p)
{
    return p.homePercent != 0 || p.drawPercent != 0 || p.awayPercent != 0;
}

void forEachCalibrationMatch(Database &league, const std::function<void(const Match &)> &visit)
{
    requireConsistentPlayedRows(league);
    MatchSelection s;
    s.which = MatchChoice::Played;
    s.order = MatchOrder::ByDate; // rowid keeps one day's matches in stored order
    s.fields = MatchPercents | MatchScores | MatchResult | MatchPrices;
    forEachMatch(league, s, [&visit](const Match &m) {
        if (predicted(m.prediction)) // never predicted otherwise
            visit(m);
    });
}

} // namespace

QList<Match> readCalibrationMatches(Database &league)
{
    QList<Match> matches;
    forEachCalibrationMatch(league, [&matches](const Match &m) { matches << m; });
    return matches;
}

void CalibrationTally::add(const Match &m)
{
    const StoredPrediction &stored = m.prediction;
    if (!predicted(stored))
        return;
    const std::optional<Probabilities> market = impliedProbabilities(m);
    if (!market)
        return;
    CalibrationReport &r = m_report;
    const int happened = outcomeIndex(m.outcome());
    const int percents[3] = {stored.homePercent, stored.drawPercent, stored.awayPercent};
    const Probabilities model = {percents[0] / 100.0, percents[1] / 100.0, percents[2] / 100.0};
    addScores(r.model, model, happened);
    addScores(r.market, *market, happened);
    for (int o = 0; o < 3; ++o) {
        const int bin = binOf(percents[o]);
        ++r.reliability[o][bin].count;
        m_predictedSum[o][bin] += model[o];
        m_happenedSum[o][bin] += happened == o ? 1.0 : 0.0;
    }
    ++r.matches;
}

CalibrationReport CalibrationTally::result() const
{
    CalibrationReport r = m_report;
    averageScores(r.model, r.matches);
    averageScores(r.market, r.matches);
    for (int o = 0; o < 3; ++o)
        for (int b = 0; b < 10; ++b) {
            ReliabilityBin &bin = r.reliability[o][b];
            if (bin.count > 0) {
                bin.predicted = m_predictedSum[o][b] / bin.count;
                bin.observed = m_happenedSum[o][b] / bin.count;
            }
        }
    return r;
}

CalibrationReport computeCalibration(const QList<Match> &matches)
{
    CalibrationTally tally;
    for (const Match &m : matches)
        tally.add(m);
    return tally.result();
}

CalibrationReport computeCalibration(Database &league)
{
    CalibrationTally tally;
    forEachCalibrationMatch(league, [&tally](const Match &m) { tally.add(m); });
    return tally.result();
}

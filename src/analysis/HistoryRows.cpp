#include "analysis/HistoryRows.h"

#include "data/PlayedRowsCheck.h"

namespace
{
MatchSelection historySelection()
{
    MatchSelection s;
    s.which = MatchChoice::Played;
    s.order = MatchOrder::ByDate; // rowid keeps one day's matches in stored order: every run sums alike
    s.predictedOnly = true;
    s.fields = MatchId | MatchDate | MatchTeams | MatchResult | MatchScores | MatchPredicted | MatchLine |
               MatchPrices;
    return s;
}
} // namespace

void forEachHistoryRow(Database &league, const std::function<void(const Match &)> &visit)
{
    requireConsistentPlayedRows(league);
    forEachMatch(league, historySelection(), visit);
}

QList<Match> readHistoryRows(Database &league)
{
    QList<Match> rows;
    forEachHistoryRow(league, [&rows](const Match &m) { rows << m; });
    return rows;
}

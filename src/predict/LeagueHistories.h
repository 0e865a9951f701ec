#pragma once
// Every team's played matches, built once per command: the histories the prediction engine walks,
// without a query per match.
//
// A team's history holds the played matches whose Home or Away equals its name, letter case ignored,
// newest first; matches of the same date in their stored order.  "Before a date" keeps only the
// matches dated strictly earlier (a match without a date is never earlier than anything).

#include "predict/HistorySource.h"
#include "predict/PlayedMatches.h"

#include "data/TextCompare.h"

#include <QHash>

class LeagueHistories final : public HistorySource
{
public:
    // played: oldest first, same-date matches in stored order (as readPlayedMatches gives them).
    explicit LeagueHistories(const std::vector<Match> &played);

    History current(const QString &team) override;
    History before(const QString &team, const QDate &date) override;

private:
    struct TeamMatches {
        // Oldest first, same-date matches in reverse stored order, so that walking backwards gives
        // newest first with same-date matches in stored order.
        std::vector<const MatchRecord *> matches;
        std::vector<qint64> days; // the matches' dates as day numbers, for the binary search
        std::size_t firstDated = 0;
    };
    const TeamMatches *find(const QString &team) const;
    std::vector<MatchRecord> m_records;  // one per played match, in the order read
    QHash<QString, TeamMatches> m_teams; // by folded name
    mutable TextCompare::FoldedKeys m_keys;
};

#pragma once
// The played matches of a league as the predictions, the back-test and the tip read them: oldest first,
// matches of the same date in stored order.  Each refuses (QuorvaneError) a league whose played rows do
// not add up (requireConsistentPlayedRows).

#include "data/MatchStore.h"
#include "data/TextCompare.h"
#include "predict/PredictionEngine.h"

#include <QHash>
#include <deque>
#include <functional>
#include <vector>

class Database;
class HistorySource;

// What a prediction reads of a match: the teams, the result and scores, the date, the rating snapshot
// and the line.
constexpr MatchFields kPredictionFields =
    MatchTeams | MatchResult | MatchDate | MatchScores | MatchRatings | MatchLine;

// The match as a history holds it.
MatchRecord matchRecordOf(const Match &m);

// Every played match, held whole: for the histories of the current standings (predictions of fixtures,
// the tip).
std::vector<Match> readPlayedMatches(Database &league, MatchFields fields = kPredictionFields);

// Called per played match with its teams' histories of the matches dated strictly before it (a match
// without a date has none), its 1-based position and the number of played matches.
using PlayedMatchVisit = std::function<void(const Match &match, const History &homeHistory,
                                            const History &awayHistory, int position, int total)>;

// Every played match in turn, streamed, read with `fields` besides kPredictionFields: what is held grows
// with the histories, not with whole rows.  The histories come from `histories` when given.
void walkPlayedMatches(Database &league, MatchFields fields, HistorySource *histories,
                       const PlayedMatchVisit &visit);

// The histories of the matches walked so far: a day's matches join them once the walk has passed that day.
class RunningHistories
{
public:
    // The places of a match's two teams among the histories.
    struct Teams {
        std::size_t home = 0, away = 0;
    };

    // Every match added on a day before date (a valid one) joins the histories.
    void advanceTo(const QDate &date);
    // The match's teams; their names in the match replaced by the copies the histories hold (the same
    // texts), which the engine then compares with the histories' at once.
    Teams share(Match &m);
    // The team's matches that joined, newest first, one day's in stored order.
    History of(std::size_t team) const;
    // A match walked, with its teams as share gave them; one without a date is never earlier than
    // anything and joins no history.
    void add(const Match &m, Teams teams);

private:
    struct Pending {
        MatchRecord record;
        Teams teams;
    };
    // The place of a team's list, found by its spelling; the spelling as stored once, for the records.
    std::size_t teamOf(const QString &spelling, const QString **stored = nullptr);

    std::deque<MatchRecord> m_records;
    std::vector<Pending> m_pending; // the day's matches, in stored order
    qint64 m_pendingDay = 0;
    std::vector<std::vector<const MatchRecord *>> m_teams; // each team's matches, oldest first
    QHash<QString, std::size_t> m_byKey;                   // a team by its folded name
    QHash<QString, std::size_t> m_bySpelling;              // and by every spelling met
    TextCompare::FoldedKeys m_keys;
};

#pragma once
// The one reader and the one writer of a league's Results rows as Match values, over bound, prepared
// statements.  "Played" has its home here: playedCondition() is the SQL form of isPlayed(), and every
// reader that asks for played matches or fixtures uses it.

#include "data/Match.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Database;
struct sqlite3_stmt;

// Which members of a Match a reader fills (the rest keep their defaults): reading only what a caller
// needs is what makes the long scans fast.
enum MatchField : quint64 {
    MatchId = 1u << 0,
    MatchTeams = 1u << 1,      // homeTeam, awayTeam
    MatchResult = 1u << 2,     // result
    MatchDate = 1u << 3,       // date
    MatchRound = 1u << 4,      // round
    MatchKind = 1u << 5,       // matchType, season
    MatchPoints = 1u << 6,     // the four points columns
    MatchRatings = 1u << 7,    // the rating snapshot
    MatchScores = 1u << 8,     // homeScore, awayScore
    MatchPercents = 1u << 9,   // prediction: homePercent, drawPercent, awayPercent, confidence
    MatchPredicted = 1u << 10, // prediction: predictedScore, predictedTotal, verdict, underOver
    MatchLine = 1u << 11,      // line
    MatchPrices = 1u << 12,    // homePrice, drawPrice, awayPrice
    MatchBookmakers = 1u << 13,
    MatchReturn = 1u << 14, // arbitrageReturn
    AllMatchFields = (1u << 15) - 1,
};
using MatchFields = quint64;

enum class MatchChoice {
    All,
    Played,   // isPlayed(result)
    Fixtures, // every other row
};

enum class MatchOrder {
    Stored,      // rowid
    ByDate,      // oldest first (rows without a date first), one day's matches in stored order
    NewestFirst, // newest first, one day's matches in stored order
};

enum class TeamSide { Either, Home, Away };

struct MatchSelection {
    MatchChoice which = MatchChoice::All;
    MatchOrder order = MatchOrder::ByDate;
    QDate from, to;              // dated from..to, both included; an invalid one leaves that end open
    std::optional<QString> team; // only this team's matches (letter case ignored), on `side`
    TeamSide side = TeamSide::Either;
    bool predictedOnly = false; // only rows with a predicted score (PResult other than ":")
    MatchFields fields = AllMatchFields;
};

namespace MatchStore
{

// The SQL condition of a played row: the same rows as isPlayed(Result).
QString playedCondition();
// Every other row: the fixtures (Result ":"), and rows without a score.
QString fixtureCondition();
// The SELECT a selection reads (rowid first, then the columns of its fields), parameters as ?1, ?2...
QString selectSql(const MatchSelection &selection);

} // namespace MatchStore

// Reads the selected rows one after another.  A whole-number column that does not read throws
// ConversionError, as Numbers::wholeNumber does.
class MatchReader
{
public:
    MatchReader(Database &league, const MatchSelection &selection);
    ~MatchReader();
    MatchReader(const MatchReader &) = delete;
    MatchReader &operator=(const MatchReader &) = delete;
    // The next row into match (only the selected members are written); false at the end.
    bool next(Match &match);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Each selected match in turn, streamed: memory does not grow with the league.
void forEachMatch(Database &league, const MatchSelection &selection,
                  const std::function<void(const Match &)> &visit);
std::vector<Match> readMatches(Database &league, const MatchSelection &selection);

// Writes the prediction columns (HP, DP, AP, CF, Verdict, PResult, Ttl, UOP) of a row, found by rowid,
// through one prepared statement.
class MatchWriter
{
public:
    explicit MatchWriter(Database &league);
    ~MatchWriter();
    MatchWriter(const MatchWriter &) = delete;
    MatchWriter &operator=(const MatchWriter &) = delete;
    void writePrediction(qint64 rowid, const StoredPrediction &prediction);

private:
    Database &m_league;
    sqlite3_stmt *m_update = nullptr;
};

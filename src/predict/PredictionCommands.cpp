#include "predict/PredictionCommands.h"

#include "data/BusyCursor.h"
#include "data/Database.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/LeagueSchema.h"
#include "data/Messenger.h"
#include "data/Sports.h"
#include "data/TDataMod.h"
#include "predict/LeagueHistories.h"
#include "predict/PlayedMatches.h"

#include <algorithm>

PredictionOptions clampPredictionOptions(PredictionOptions o)
{
    o.homePct = std::clamp(o.homePct, 10, 90);
    o.drawPct = std::clamp(o.drawPct, 10, 90);
    o.awayPct = std::clamp(o.awayPct, 10, 90);
    o.confidence = std::clamp(o.confidence, 10, 90);
    o.lastMatches = std::clamp(o.lastMatches, 2, 10);
    return o;
}

PredictionOptions loadPredictionOptions(TDataMod &dm)
{
    Table &league = dm.ADOTableLeague;
    league.first();
    auto whole = [&league](const char *c) { return league.field(QString::fromLatin1(c)).asInteger(); };
    auto yes = [&league](const char *c) { return league.field(QString::fromLatin1(c)).asBoolean(); };
    PredictionOptions o;
    o.homeWin = yes("HW");
    o.draw = yes("DR");
    o.awayWin = yes("AW");
    o.homePct = whole("HP");
    o.drawPct = whole("DP");
    o.awayPct = whole("AP");
    o.confidence = whole("CF");
    o.venueStats = yes("HA");
    o.lastMatches = whole("LM");
    return clampPredictionOptions(o);
}

QString fittedUnderOver(const QString &call, int width)
{
    if (call.size() <= width)
        return call;
    // "Under 210.25": the line itself is in UOV, so the side is what must survive.
    for (const QString &side : {QStringLiteral("Under "), QStringLiteral("Over ")}) {
        if (!call.startsWith(side))
            continue;
        const QString joined = side.trimmed() + call.mid(side.size());
        return joined.size() <= width ? joined : side.trimmed();
    }
    return call.left(width);
}

namespace
{
int underOverWidth()
{
    const ColumnList &columns = LeagueSchema::resultsColumns();
    return columns.at(columnIndex(columns, QStringLiteral("UOP"))).width;
}

// A failure to store one match's prediction names the match; a refused write of the file stays as it is.
template <typename Work> void forMatch(Table &results, Work work)
{
    try {
        work();
    } catch (const WriteError &) {
        throw;
    } catch (const DatabaseError &e) {
        throw DatabaseError(QStringLiteral("The prediction of %1 v %2 on %3 cannot be stored: %4")
                                .arg(excerpt(results.field(QStringLiteral("Home")).asString()),
                                     excerpt(results.field(QStringLiteral("Away")).asString()),
                                     Dates::toStored(results.field(QStringLiteral("DateP")).asDate()),
                                     e.message()));
    }
}
} // namespace

namespace
{
// The prediction's columns as a row stores them, the under/over call fitted to its column.
StoredPrediction storedPredictionOf(const MatchPrediction &p)
{
    static const int width = underOverWidth();
    return {p.HP, p.DP, p.AP, p.CF, p.PResult, p.Ttl, p.Verdict, fittedUnderOver(p.UOP, width)};
}

// Writes a prediction straight into the file by rowid: for a league whose Results are not loaded (the
// command line reads no more than the played matches).  A failure names the match.
void writeDirect(MatchWriter &writer, const Match &m, const MatchPrediction &p)
{
    try {
        writer.writePrediction(m.rowid, storedPredictionOf(p));
    } catch (const WriteError &) {
        throw;
    } catch (const DatabaseError &e) {
        throw DatabaseError(
            QStringLiteral("The prediction of %1 v %2 on %3 cannot be stored: %4")
                .arg(excerpt(m.homeTeam), excerpt(m.awayTeam), Dates::toStored(m.date), e.message()));
    }
}
} // namespace

void storePrediction(Table &results, const MatchPrediction &p)
{
    static const int width = underOverWidth();
    forMatch(results, [&] {
        results.edit();
        results.field(QStringLiteral("HP")).setInteger(p.HP);
        results.field(QStringLiteral("DP")).setInteger(p.DP);
        results.field(QStringLiteral("AP")).setInteger(p.AP);
        results.field(QStringLiteral("CF")).setInteger(p.CF);
        results.field(QStringLiteral("Verdict")).setString(p.Verdict);
        results.field(QStringLiteral("PResult")).setString(p.PResult);
        results.field(QStringLiteral("Ttl")).setInteger(p.Ttl);
        results.field(QStringLiteral("UOP")).setString(fittedUnderOver(p.UOP, width));
        results.post();
    });
}

int PredictUpcomingMatches(TDataMod &dm, const PredictionOptions &options, Messenger &messenger,
                           const ProgressFn &progress, HistorySource *source)
{
    BusyCursor busy;
    Transaction tx(dm.ADOConnection); // one command, committed also after a warning stop
    Table &results = dm.ADOTableResults;
    Table &teams = dm.ADOTableTeams;
    // The grids follow the walk once, at its end: following every match would scroll them each time.
    ControlsDisabled quietResults(results);
    ControlsDisabled quietTeams(teams);
    const QString sport = dm.sport();

    // A fixed list in the view's order: writing a prediction may move a row in a view sorted or filtered
    // on what is written, and must not make the walk skip or repeat a fixture.
    std::vector<Dataset::Bookmark> fixtures;
    for (results.first(); !results.eof(); results.next())
        if (results.field(QStringLiteral("Result")).asString() == QLatin1String(":"))
            fixtures.push_back(results.bookmark());

    const std::vector<Match> played = source ? std::vector<Match>() : readPlayedMatches(dm.ADOConnection);
    std::optional<LeagueHistories> own;
    if (!source)
        own.emplace(played);
    HistorySource &histories = source ? *source : *own;

    int written = 0;
    const int total = static_cast<int>(fixtures.size());
    for (int i = 0; i < total; ++i) {
        results.gotoBookmark(fixtures[i]);
        const QString home = results.field(QStringLiteral("Home")).asString();
        const QString away = results.field(QStringLiteral("Away")).asString();
        // A fixture stored without a line is called against the sport's, not against 0.
        const Field storedLine = results.field(QStringLiteral("UOV"));
        const double line = storedLine.isNull() ? DefaultTotalLine(sport) : storedLine.asFloat();

        if (!teams.locate(QStringLiteral("Team"), {home}, Dataset::CaseInsensitive)) {
            tx.commit();
            messenger.warning(QStringLiteral("Cannot find home team"));
            return written;
        }
        const int homeVenue = predictionRating(teams.field(QStringLiteral("TRH")).asInteger());
        const int homeOverall = predictionRating(teams.field(QStringLiteral("TRT")).asInteger());
        if (!teams.locate(QStringLiteral("Team"), {away}, Dataset::CaseInsensitive)) {
            tx.commit();
            messenger.warning(QStringLiteral("Cannot find away team"));
            return written;
        }
        const int awayVenue = predictionRating(teams.field(QStringLiteral("TRA")).asInteger());
        const int awayOverall = predictionRating(teams.field(QStringLiteral("TRT")).asInteger());

        const std::optional<MatchPrediction> p =
            PredictMatch(options, home, away, homeVenue, homeOverall, awayVenue, awayOverall,
                         histories.current(home), histories.current(away), sport, line);
        if (p) { // no prediction when both ratings of the chosen mode are 0
            storePrediction(results, *p);
            ++written;
        }
        if (progress)
            progress(i + 1, total);
    }
    tx.commit();
    return written;
}

int RecalculatePredictions(TDataMod &dm, const PredictionOptions &options, Messenger &messenger,
                           const ProgressFn &progress, HistorySource *source)
{
    int written = 0;
    {
        BusyCursor busy;
        Transaction tx(dm.ADOConnection);
        Table &results = dm.ADOTableResults;
        ControlsDisabled quiet(results); // the grids follow the walk once, at its end
        const QString sport = dm.sport();
        const QLocale locale; // the line's text in the under/over call
        std::optional<MatchWriter> direct;
        if (!results.isActive())
            direct.emplace(dm.ADOConnection);
        // Each match is predicted from the matches before its date only, so the walk writes as it reads.
        walkPlayedMatches(dm.ADOConnection, 0, source,
                          [&](const Match &m, const History &homeHistory, const History &awayHistory,
                              int position, int total) {
                              const std::optional<MatchPrediction> p = PredictMatch(
                                  options, m.homeTeam, m.awayTeam, predictionRating(m.homeRating),
                                  predictionRating(m.homeTotalRating), predictionRating(m.awayRating),
                                  predictionRating(m.awayTotalRating), homeHistory, awayHistory, sport,
                                  m.line, locale);
                              if (p && direct) {
                                  writeDirect(*direct, m, *p);
                                  ++written;
                              } else if (p && results.bookmarkValid(m.rowid)) {
                                  // The match's own row, when the view shows it (a row hidden by the
                                  // filter is left alone).
                                  results.gotoBookmark(m.rowid);
                                  storePrediction(results, *p);
                                  ++written;
                              }
                              if (progress)
                                  progress(position, total);
                          });
        tx.commit();
    }
    messenger.information(QStringLiteral("Recalculate predictions complete."));
    return written;
}

#include "predict/PlayedMatches.h"

#include "data/Errors.h"
#include "data/PlayedRowsCheck.h"
#include "data/TextCompare.h"
#include "predict/HistorySource.h"

MatchRecord matchRecordOf(const Match &m)
{
    return {m.homeTeam, m.awayTeam, m.homeScore, m.awayScore, m.overtime()};
}

std::vector<Match> readPlayedMatches(Database &league, MatchFields fields)
{
    requireConsistentPlayedRows(league);
    MatchSelection s;
    s.which = MatchChoice::Played;
    s.order = MatchOrder::ByDate; // NULL dates first; rowid keeps same-date matches in stored order
    s.fields = fields;
    return readMatches(league, s);
}

void walkPlayedMatches(Database &league, MatchFields fields, HistorySource *given,
                       const PlayedMatchVisit &visit)
{
    const PlayedRowsReport report = checkPlayedRows(league);
    if (!report.consistent())
        throw QuorvaneError(playedRowsMessage(report));
    const int total = report.rows; // every row checked is a played match, as none is at fault
    MatchSelection s;
    s.which = MatchChoice::Played;
    s.order = MatchOrder::ByDate;
    s.fields = fields | kPredictionFields;
    MatchReader reader(league, s);
    RunningHistories own;
    Match m;
    int position = 0;
    while (reader.next(m)) {
        ++position;
        if (given) {
            visit(m, given->before(m.homeTeam, m.date), given->before(m.awayTeam, m.date), position, total);
            continue;
        }
        own.advanceTo(m.date);
        const RunningHistories::Teams teams = own.share(m);
        const bool dated = m.date.isValid();
        visit(m, dated ? own.of(teams.home) : History(), dated ? own.of(teams.away) : History(), position,
              total);
        own.add(m, teams);
    }
}

std::size_t RunningHistories::teamOf(const QString &spelling, const QString **stored)
{
    auto it = m_bySpelling.find(spelling);
    if (it == m_bySpelling.end()) {
        const QString &key = m_keys.of(spelling);
        auto team = m_byKey.find(key);
        if (team == m_byKey.end()) {
            team = m_byKey.insert(key, m_teams.size());
            m_teams.emplace_back();
        }
        it = m_bySpelling.insert(spelling, *team);
    }
    if (stored)
        *stored = &it.key();
    return *it;
}

void RunningHistories::advanceTo(const QDate &date)
{
    if (m_pending.empty() || !date.isValid() || date.toJulianDay() <= m_pendingDay)
        return;
    // Backwards, so that walking a history from its end gives one day's matches in stored order.
    for (auto it = m_pending.rbegin(); it != m_pending.rend(); ++it) {
        const MatchRecord &r = m_records.emplace_back(std::move(it->record));
        m_teams[it->teams.home].push_back(&r);
        if (it->teams.away != it->teams.home)
            m_teams[it->teams.away].push_back(&r);
    }
    m_pending.clear();
}

RunningHistories::Teams RunningHistories::share(Match &m)
{
    const QString *stored = nullptr;
    Teams teams;
    teams.home = teamOf(m.homeTeam, &stored);
    m.homeTeam = *stored;
    teams.away = teamOf(m.awayTeam, &stored);
    m.awayTeam = *stored;
    return teams;
}

History RunningHistories::of(std::size_t team) const
{
    const std::vector<const MatchRecord *> &matches = m_teams[team];
    return History::oldestFirstBefore(matches, matches.size());
}

void RunningHistories::add(const Match &m, Teams teams)
{
    if (!m.date.isValid())
        return;
    m_pendingDay = m.date.toJulianDay();
    m_pending.push_back({matchRecordOf(m), teams}); // the names are the histories' copies (share)
}

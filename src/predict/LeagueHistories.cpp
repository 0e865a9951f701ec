#include "predict/LeagueHistories.h"

#include <algorithm>
#include <limits>

namespace
{
constexpr qint64 kNoDate = std::numeric_limits<qint64>::min();

qint64 dayOf(const QDate &d)
{
    return d.isValid() ? d.toJulianDay() : kNoDate;
}
} // namespace

LeagueHistories::LeagueHistories(const std::vector<Match> &played)
{
    m_records.reserve(played.size());
    for (const Match &m : played)
        m_records.push_back(matchRecordOf(m));
    struct Entry {
        qint64 day;
        const MatchRecord *record;
    };
    QHash<QString, std::vector<Entry>> byTeam;
    // Newest stored first, then a stable sort by date: same-date matches end in reverse stored order.
    for (std::size_t i = played.size(); i-- > 0;) {
        const MatchRecord &record = m_records[i];
        const QString home = m_keys.of(record.home); // copies: the next call may move the entries
        const QString away = m_keys.of(record.away);
        byTeam[home].push_back({dayOf(played[i].date), &record});
        if (away != home)
            byTeam[away].push_back({dayOf(played[i].date), &record});
    }
    for (auto it = byTeam.begin(); it != byTeam.end(); ++it) {
        std::vector<Entry> &entries = it.value();
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry &a, const Entry &b) { return a.day < b.day; });
        TeamMatches tm;
        tm.matches.reserve(entries.size());
        tm.days.reserve(entries.size());
        for (const Entry &e : entries) {
            tm.matches.push_back(e.record);
            tm.days.push_back(e.day);
            if (e.day == kNoDate)
                ++tm.firstDated;
        }
        m_teams.insert(it.key(), std::move(tm));
    }
}

const LeagueHistories::TeamMatches *LeagueHistories::find(const QString &team) const
{
    const auto it = m_teams.constFind(m_keys.of(team));
    return it == m_teams.constEnd() ? nullptr : &it.value();
}

History LeagueHistories::current(const QString &team)
{
    const TeamMatches *tm = find(team);
    if (!tm)
        return History();
    return History::oldestFirstBefore(tm->matches, tm->matches.size());
}

History LeagueHistories::before(const QString &team, const QDate &date)
{
    const TeamMatches *tm = find(team);
    if (!tm || !date.isValid())
        return History();
    const auto first = tm->days.begin() + static_cast<std::ptrdiff_t>(tm->firstDated);
    const auto end = std::lower_bound(first, tm->days.end(), date.toJulianDay());
    const std::span<const MatchRecord *const> dated(tm->matches.data() + tm->firstDated,
                                                    static_cast<std::size_t>(end - first));
    return History::oldestFirstBefore(dated, dated.size());
}

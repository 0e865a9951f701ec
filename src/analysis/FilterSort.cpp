#include "analysis/FilterSort.h"

#include "data/CommandBoundary.h"

#include "data/BusyCursor.h"
#include "data/Database.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/FileSteps.h"
#include "data/GridColumns.h"
#include "data/GridCommands.h"
#include "data/MatchOutcome.h"
#include "data/Messenger.h"
#include "data/PlayersQueries.h"
#include "data/Query.h"
#include "data/ResultsViews.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"
#include "entry/MatchEntry.h"

#include <vector>

namespace
{
QString s(const char *text)
{
    return QString::fromLatin1(text);
}

// A date as filter texts write it.  Always m/d/yyyy, whatever the locale: the locale's short date is
// ambiguous where days come first with "/" (06/05/2004), while m/d/yyyy means the same day everywhere and
// is what the dataset layer reads first.  Parts that form no date (2/31/2005) are written as they stand,
// so that setting the filter reports the unusable date.
QString dateText(int month, int day, int year)
{
    const QDate date(year, month, day);
    if (date.isValid())
        return Dates::toFilterText(date);
    return QString::number(month) + QLatin1Char('/') + QString::number(day) + QLatin1Char('/') +
           QString::number(year);
}

QString unplayed()
{
    return fixturesFilterText();
}

QString played()
{
    return scoresFilterText();
}

// Filtering off and the text cleared: every row.
void clearFilter(Table &table)
{
    ControlsDisabled quiet(table);
    table.setFiltered(false);
    table.setFilter(QString());
}

void setFilterOrClear(Table &table, const std::optional<QString> &filterText)
{
    if (filterText)
        SetTableFilter(table, *filterText);
    else
        clearFilter(table);
}

bool setSortWhenRows(Table &table, const std::optional<QString> &sortText)
{
    if (!sortText || !table.isActive() || table.isEmpty())
        return false;
    // A pending edit of the current row is stored before the rows move.
    if (table.state() == Dataset::State::Edit || table.state() == Dataset::State::Insert)
        table.post();
    table.setSort(*sortText);
    return true;
}

std::optional<QString> itemSortText(const QStringList &items, const QStringList &fields, const QString &sort,
                                    const QString &order)
{
    const int i = TextCompare::indexOfNoCase(items, sort);
    if (i < 0)
        return std::nullopt;
    return fields[i] + sortDirection(order);
}

// The sort choices of the match pages are their grids' column titles, each sorting by its column's field.

const QStringList &fixtureSortFields()
{
    static const QStringList fields = gridFields(matchGridColumns(MatchPage::Fixtures));
    return fields;
}

const QStringList &scoreSortFields()
{
    static const QStringList fields = gridFields(matchGridColumns(MatchPage::Scores));
    return fields;
}

// ---------------------------------------------------------------- team filter

// The columns of Teams that the recomputation starts from zero: counts, goals, differences and points of
// the home, away and overall tables.
const QStringList &countColumns()
{
    static const QStringList columns = [] {
        QStringList out;
        for (const char *side : {"H", "A", "T"})
            for (const char *c : {"P", "W", "D", "L", "F", "A", "Dif", "Pts"})
                out << s(side) + s(c);
        return out;
    }();
    return columns;
}

const QStringList &ratingColumns()
{
    static const QStringList columns = {s("TRH"), s("TRA"), s("TRT")};
    return columns;
}

struct KeptRatings {
    Dataset::Bookmark row;
    QVariantList values; // TRH, TRA, TRT as stored
};

std::vector<KeptRatings> takeRatings(Table &teams)
{
    std::vector<KeptRatings> kept;
    kept.reserve(static_cast<size_t>(teams.recordCount()));
    for (teams.first(); !teams.eof(); teams.next()) {
        KeptRatings k{teams.bookmark(), {}};
        for (const QString &c : ratingColumns())
            k.values << teams.field(c).value();
        kept.push_back(std::move(k));
    }
    return kept;
}

void restoreRatings(Table &teams, const std::vector<KeptRatings> &kept)
{
    for (const KeptRatings &k : kept) {
        teams.gotoBookmark(k.row);
        for (int i = 0; i < ratingColumns().size(); ++i) {
            Field f = teams.field(ratingColumns()[i]);
            if (f.value() != k.values[i]) {
                teams.edit();
                f.setValue(k.values[i]);
            }
        }
        teams.post();
    }
}

void zeroCounts(Table &teams, const std::vector<KeptRatings> &rows)
{
    // By bookmark: zeroing the sort keys must not move the walk, whatever the table's sort.
    for (const KeptRatings &k : rows) {
        teams.gotoBookmark(k.row);
        teams.edit();
        for (const QString &c : countColumns())
            teams.field(c).setInteger(0);
        teams.post();
    }
}

struct ReplayedMatch {
    QString home, away;
    int F = 0, A = 0;
    bool overtime = false;
};

// The played matches of the selection, in the order the query returns them.
std::vector<ReplayedMatch> readMatches(Database &db, const TeamMatchSelection &selection)
{
    Query q(&db);
    q.setSql(selection.sql, selection.params);
    q.open();
    if (!selection.filter.isEmpty()) {
        q.setFilter(selection.filter);
        q.setFiltered(true);
    }
    std::vector<ReplayedMatch> out;
    for (q.first(); !q.eof(); q.next()) {
        const QString result = q.field(s("Result")).asString();
        if (result == QLatin1String(":"))
            continue;
        out.push_back({q.field(s("Home")).asString(), q.field(s("Away")).asString(),
                       q.field(s("F")).asInteger(), q.field(s("A")).asInteger(), isOvertime(result)});
    }
    return out;
}

// Whether the team (its exact name) has a row and has played fewer than `limit` matches so far.
bool belowLimit(Table &teams, const QString &team, int limit)
{
    return teams.locate(s("Team"), {team}) && teams.field(s("TP")).asInteger() < limit;
}

// Each team counts its matches in the order given until it has `limit`; the other side is "-", so only
// that team's row changes.
void replayLast(TDataMod &dm, const std::vector<ReplayedMatch> &matches, int limit)
{
    static const QString none = s("-");
    for (const ReplayedMatch &m : matches) {
        if (belowLimit(dm.ADOTableTeams, m.home, limit))
            dm.ApplyResult(m.overtime, m.A, m.F, none, m.home);
        if (belowLimit(dm.ADOTableTeams, m.away, limit))
            dm.ApplyResult(m.overtime, m.A, m.F, m.away, none);
    }
}

void replayAll(TDataMod &dm, const std::vector<ReplayedMatch> &matches)
{
    for (const ReplayedMatch &m : matches)
        dm.ApplyResult(m.overtime, m.A, m.F, m.away, m.home);
}

void recomputeTeams(TDataMod &dm, const TeamFilterChoices &choices, const TeamMatchSelection &selection)
{
    Table &teams = dm.ADOTableTeams;
    Transaction tx(dm.ADOConnection);
    // The matches are read before anything is written, so an unusable filter changes nothing.
    const std::vector<ReplayedMatch> matches = readMatches(dm.ADOConnection, selection);
    {
        ControlsDisabled quiet(teams);
        FilterOff everyTeam(teams);
        const std::vector<KeptRatings> kept = takeRatings(teams);
        zeroCounts(teams, kept);
        if (choices.kind == TeamFilterKind::LastMatches)
            replayLast(dm, matches, choices.lastMatches);
        else
            replayAll(dm, matches);
        restoreRatings(teams, kept);
    }
    dm.RenumberPositions();
    tx.commit();
}
} // namespace

FilterChoices &filterChoices()
{
    static FilterChoices choices;
    return choices;
}

void followLeagueSeason(FilterChoices &choices, TDataMod &dm)
{
    if (!dm.isLeagueOpen())
        return;
    Table &league = dm.ADOTableLeague;
    league.first();
    if (league.isEmpty())
        return;
    const int first = league.field(s("SS")).asInteger();
    const int last = league.field(s("SE")).asInteger();
    if (first < 1 || last < 1)
        return;
    const Dates::Span season = Dates::season(first, last);
    const QString file = ConnectedFileName(dm.ADOConnection);
    const bool otherLeague = file != choices.seasonLeague;
    choices.seasonLeague = file;
    for (DateRangeChoice *range : {&choices.teams.dates, &choices.fixtures.dates, &choices.scores.dates}) {
        if (range->changed && !otherLeague)
            continue;
        *range = DateRangeChoice{season.first.month(), season.first.day(), season.first.year(),
                                 season.last.month(),  season.last.day(),  season.last.year()};
    }
}

const QStringList &matchTypeItems()
{
    static const QStringList items = QStringList{s("All")} + matchKinds();
    return items;
}

const QStringList &fixtureSortItems()
{
    static const QStringList items = gridTitles(matchGridColumns(MatchPage::Fixtures));
    return items;
}

const QStringList &scoreSortItems()
{
    static const QStringList items = gridTitles(matchGridColumns(MatchPage::Scores));
    return items;
}

const QStringList &playerSortItems()
{
    static const QStringList items = gridTitles(playerGridColumns());
    return items;
}

const QStringList &playerGridFields()
{
    static const QStringList fields = gridFields(playerGridColumns());
    return fields;
}

QString dateRangeFilterText(const DateRangeChoice &d)
{
    return s("DateP >= ") + dateText(d.startMonth, d.startDay, d.startYear) + s(" AND DateP <= ") +
           dateText(d.endMonth, d.endDay, d.endYear);
}

QString sortDirection(const QString &order)
{
    return TextCompare::indexOfNoCase(teamOrderItems(), order) == 0 ? QString() : s(" DESC");
}

std::optional<QString> fixtureFilterText(const FixtureChoices &c, const QDate &today)
{
    switch (c.filter) {
    case FixtureFilterKind::None:
        return std::nullopt;
    case FixtureFilterKind::Upcoming:
        return unplayed();
    case FixtureFilterKind::NextSevenDays:
        return unplayed() + s(" AND DateP < ") + Dates::toFilterText(today.addDays(7));
    case FixtureFilterKind::Date:
        return unplayed() + s(" AND ") + dateRangeFilterText(c.dates);
    case FixtureFilterKind::Round:
        return unplayed() + s(" AND Rnd = ") + QString::number(c.round);
    case FixtureFilterKind::Team:
        break;
    }
    const QString team = quotedFilterText(c.team);
    return s("(") + unplayed() + s(" AND Home = ") + team + s(") OR (") + unplayed() + s(" AND Away = ") +
           team + s(")");
}

QString scoreFilterText(const ScoreChoices &c)
{
    switch (c.filter) {
    case ScoreFilterKind::None:
        return played();
    case ScoreFilterKind::Date:
        return played() + s(" AND ") + dateRangeFilterText(c.dates);
    case ScoreFilterKind::Round:
        return played() + s(" AND Rnd = ") + QString::number(c.round);
    case ScoreFilterKind::Team:
        break;
    }
    const QString team = quotedFilterText(c.team);
    return s("(Home = ") + team + s(" AND ") + played() + s(") OR (Away = ") + team + s(" AND ") + played() +
           s(")");
}

std::optional<QString> playerFilterText(const PlayerChoices &c, const QString &listTeam)
{
    const QString teamPart = listTeam.isEmpty() || listTeam == allTeamsEntry()
                                 ? QString()
                                 : s(" AND Team = ") + quotedFilterText(listTeam);
    switch (c.filter) {
    case PlayerFilterKind::None:
        return std::nullopt;
    case PlayerFilterKind::Number:
        return s("N = ") + quotedFilterText(QString::number(c.number)) + teamPart;
    case PlayerFilterKind::Position:
        return s("Pos = ") + quotedFilterText(c.position) + teamPart;
    case PlayerFilterKind::Rating:
        break;
    }
    return s("PR >= ") + QString::number(c.minRating) + s(" AND PR <= ") + QString::number(c.maxRating) +
           teamPart;
}

std::optional<QString> fixtureSortText(const FixtureChoices &c)
{
    return itemSortText(fixtureSortItems(), fixtureSortFields(), c.sort, c.order);
}

std::optional<QString> scoreSortText(const ScoreChoices &c)
{
    return itemSortText(scoreSortItems(), scoreSortFields(), c.sort, c.order);
}

std::optional<QString> playerSortText(const PlayerChoices &c)
{
    return itemSortText(playerSortItems(), playerGridFields(), c.sort, c.order);
}

OrderCheck checkOrder(OrderChooser chooser, const QString &orderText)
{
    if (TextCompare::indexOfNoCase(teamOrderItems(), orderText) >= 0)
        return {};
    OrderCheck check;
    check.warning = chooser == OrderChooser::OverallTeams ? s("Invalid value") : s("Invalid option");
    if (chooser != OrderChooser::Players)
        check.resetTo = teamOrderItems().first();
    return check;
}

void ApplyFixtureFilter(Table &results, const FixtureChoices &choices, const QDate &today)
{
    setFilterOrClear(results, fixtureFilterText(choices, today));
}

void ApplyScoreFilter(Table &results, const ScoreChoices &choices)
{
    SetTableFilter(results, scoreFilterText(choices));
}

void ApplyPlayerFilter(Table &players, const PlayerChoices &choices, const QString &listTeam)
{
    setFilterOrClear(players, playerFilterText(choices, listTeam));
}

bool ApplyFixtureSort(Table &results, const FixtureChoices &choices)
{
    return setSortWhenRows(results, fixtureSortText(choices));
}

bool ApplyScoreSort(Table &results, const ScoreChoices &choices)
{
    return setSortWhenRows(results, scoreSortText(choices));
}

bool ApplyPlayerSort(Table &players, const PlayerChoices &choices, Messenger &messenger)
{
    const std::optional<QString> sortText = playerSortText(choices);
    if (!sortText) {
        messenger.warning(s("Invalid option"));
        return false;
    }
    return setSortWhenRows(players, sortText);
}

namespace
{
QString dateRangeWords(const DateRangeChoice &d)
{
    return s("from ") + Dates::toShortDateLongYear(QDate(d.startYear, d.startMonth, d.startDay)) + s(" to ") +
           Dates::toShortDateLongYear(QDate(d.endYear, d.endMonth, d.endDay));
}

QString teamWords(const QString &team)
{
    return s("team ") + team;
}

QString roundWords(int round)
{
    return s("round ") + QString::number(round);
}

bool isListTeam(const QString &listTeam)
{
    return !listTeam.isEmpty() && listTeam != allTeamsEntry();
}

QString noticeOf(const QString &words)
{
    return words.isEmpty() ? QString() : s("Filter: ") + words;
}
} // namespace

QString fixtureFilterWords(const FixtureChoices &c)
{
    switch (c.filter) {
    case FixtureFilterKind::None:
    case FixtureFilterKind::Upcoming:
        return QString();
    case FixtureFilterKind::NextSevenDays:
        return s("the next 7 days");
    case FixtureFilterKind::Date:
        return dateRangeWords(c.dates);
    case FixtureFilterKind::Round:
        return roundWords(c.round);
    case FixtureFilterKind::Team:
        break;
    }
    return teamWords(c.team);
}

QString scoreFilterWords(const ScoreChoices &c)
{
    switch (c.filter) {
    case ScoreFilterKind::None:
        return QString();
    case ScoreFilterKind::Date:
        return dateRangeWords(c.dates);
    case ScoreFilterKind::Round:
        return roundWords(c.round);
    case ScoreFilterKind::Team:
        break;
    }
    return teamWords(c.team);
}

QString playerFilterWords(const PlayerChoices &c, const QString &listTeam)
{
    QString words;
    switch (c.filter) {
    case PlayerFilterKind::None:
        return QString(); // the dialog's "None" lets every player through, the team list's choice too
    case PlayerFilterKind::Number:
        words = s("number ") + QString::number(c.number);
        break;
    case PlayerFilterKind::Position:
        words = s("position ") + c.position;
        break;
    case PlayerFilterKind::Rating:
        words = s("rating ") + QString::number(c.minRating) + s(" to ") + QString::number(c.maxRating);
        break;
    }
    if (isListTeam(listTeam))
        words += s(", ") + teamWords(listTeam);
    return words;
}

QString filterNotice(FilteredPage page, const Dataset &table, const FilterChoices &choices,
                     const QString &listTeam, const QDate &today)
{
    const QString text = table.filter();
    if (!table.isActive() || !table.filtered() || text.trimmed().isEmpty())
        return QString();
    switch (page) {
    case FilteredPage::Fixtures:
        if (text == unplayed())
            return QString();
        // The seven days were counted from the day the filter was set, which may be another day by now.
        if (text == fixtureFilterText(choices.fixtures, today) ||
            choices.fixtures.filter == FixtureFilterKind::NextSevenDays)
            return noticeOf(fixtureFilterWords(choices.fixtures));
        break;
    case FilteredPage::Scores:
        if (text == played())
            return QString();
        if (text == scoreFilterText(choices.scores))
            return noticeOf(scoreFilterWords(choices.scores));
        break;
    case FilteredPage::Players:
        if (text == playerFilterText(choices.players, listTeam))
            return noticeOf(playerFilterWords(choices.players, listTeam));
        if (isListTeam(listTeam) && text == teamFilterText(listTeam))
            return noticeOf(teamWords(listTeam));
        break;
    }
    return s("Filter: on");
}

void applyFixtureView(Table &results)
{
    ApplyFixtureFilter(results, filterChoices().fixtures);
    ApplyFixtureSort(results, filterChoices().fixtures);
}

void applyScoreView(Table &results)
{
    ApplyScoreFilter(results, filterChoices().scores);
    ApplyScoreSort(results, filterChoices().scores);
}

std::optional<TeamMatchSelection> teamMatchSelection(const TeamFilterChoices &c)
{
    // Stored order: the order in which the matches were entered, as the table gives them.
    TeamMatchSelection selection{s("SELECT * FROM Results ORDER BY rowid"), {}, {}};
    switch (c.kind) {
    case TeamFilterKind::LastMatches:
        // Newest first, so that each team counts its most recent matches: a form table.  A day's
        // matches go in reverse stored order, and matches without a date count as the oldest.
        selection.sql = s("SELECT * FROM Results ORDER BY DateP DESC, rowid DESC");
        break;
    case TeamFilterKind::Date:
        selection.filter = dateRangeFilterText(c.dates);
        break;
    case TeamFilterKind::Round:
        selection.filter =
            s("Rnd >= ") + QString::number(c.fromRound) + s(" AND Rnd <= ") + QString::number(c.toRound);
        break;
    case TeamFilterKind::Matches: {
        const int i = TextCompare::indexOfNoCase(matchTypeItems(), c.matchType);
        if (i < 0)
            return std::nullopt;
        if (i > 0) {
            // The match type compared ignoring letter case, as the database compares texts.
            selection.sql = s("SELECT * FROM Results WHERE MatchT = ?1 COLLATE UNOCASE ORDER BY rowid");
            selection.params = {matchTypeItems()[i]};
        }
        break;
    }
    }
    return selection;
}

bool ApplyTeamFilter(TDataMod &dm, const TeamFilterChoices &choices, Messenger &messenger)
{
    // Checked before anything is zeroed: a typed match type that is no item leaves the tables as they are.
    const std::optional<TeamMatchSelection> selection = teamMatchSelection(choices);
    if (!selection) {
        messenger.warning(s("Invalid option"));
        return false;
    }
    if (!dm.isLeagueOpen())
        return false;
    BusyCursor busy;
    return runCommand(messenger, [&] { recomputeTeams(dm, choices, *selection); });
}

QStringList playerPositions(TDataMod &dm)
{
    Query &q = dm.ADOQuery;
    q.setSql(s("SELECT Pos FROM Players ORDER BY rowid"));
    q.open();
    QStringList positions;
    for (q.first(); !q.eof(); q.next()) {
        const QString pos = q.field(s("Pos")).asString();
        if (!pos.isEmpty() && TextCompare::indexOfNoCase(positions, pos) < 0)
            positions << pos;
    }
    return positions;
}

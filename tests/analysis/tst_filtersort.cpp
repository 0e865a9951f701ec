// The filter and sort texts built from the choices, what they select on a real league, and the
// recomputation of the team tables from a chosen set of matches.

#include "analysis/FilterSort.h"
#include "data/Database.h"
#include "data/GridCommands.h"
#include "data/PlayersQueries.h"
#include "support/LeagueFixture.h"

#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FixtureChoices)
Q_DECLARE_METATYPE(ScoreChoices)
Q_DECLARE_METATYPE(PlayerChoices)
Q_DECLARE_METATYPE(TeamFilterChoices)
Q_DECLARE_METATYPE(OrderChooser)

namespace
{
const QString Rovers = QStringLiteral("O'Neill \"Rovers\"");
const QString RoversQuoted = QStringLiteral("'O''Neill \"Rovers\"'");
const QString Alpha = QStringLiteral("Alpha");
const QString Beta = QStringLiteral("Beta");
const QString Gamma = QStringLiteral("Gamma");
const QString Off = QStringLiteral("<off>"); // a filter switched off

QString orOff(const std::optional<QString> &text)
{
    return text ? *text : Off;
}

DateRangeChoice range(int m1, int d1, int y1, int m2, int d2, int y2)
{
    return {m1, d1, y1, m2, d2, y2};
}

FixtureChoices fixtures(FixtureFilterKind kind, std::function<void(FixtureChoices &)> set = {})
{
    FixtureChoices c;
    c.filter = kind;
    if (set)
        set(c);
    return c;
}

ScoreChoices scores(ScoreFilterKind kind, std::function<void(ScoreChoices &)> set = {})
{
    ScoreChoices c;
    c.filter = kind;
    if (set)
        set(c);
    return c;
}

PlayerChoices players(PlayerFilterKind kind, std::function<void(PlayerChoices &)> set = {})
{
    PlayerChoices c;
    c.filter = kind;
    if (set)
        set(c);
    return c;
}

TeamFilterChoices teamFilter(TeamFilterKind kind, std::function<void(TeamFilterChoices &)> set = {})
{
    TeamFilterChoices c;
    c.kind = kind;
    if (set)
        set(c);
    return c;
}

// A match of the small league the filters are tried on; its label names it in the expectations.
struct Match {
    const char *label;
    QString home, away;
    int homeScore, awayScore; // -1: not played yet
    QDate date;
    int round;
    QString kind;
    bool overtime = false;
};

bool enter(LeagueFixture &f, const Match &m)
{
    MatchEntryInput in = f.input(m.home, m.away, m.homeScore, m.awayScore, m.overtime, m.date, m.round);
    in.matchKind = m.kind;
    return SaveMatch(f.dm(), in, f.messenger);
}

const QString Regular = QStringLiteral("Regular Season");
const QString Relegation = QStringLiteral("Relegation");

// Played matches (m*) and fixtures (f*).  June 5 and May 6 are both here, so that a date read the
// wrong way round selects other rows.
const QList<Match> &smallLeague()
{
    static const QList<Match> matches = {
        {"m1", Rovers, Alpha, 2, 1, QDate(2004, 5, 6), 1, Regular},
        {"m2", Beta, Rovers, 0, 0, QDate(2004, 6, 5), 2, Regular},
        {"m3", Alpha, Beta, 1, 3, QDate(2004, 6, 20), 3, Relegation},
        {"f1", Alpha, Rovers, -1, -1, QDate(2004, 6, 5), 2, Regular},
        {"f2", Rovers, Beta, -1, -1, QDate(2004, 7, 1), 4, Regular},
        {"f3", Beta, Alpha, -1, -1, QDate(2004, 5, 6), 4, Regular},
    };
    return matches;
}

// The labels of the Results rows the table's filter lets through, in stored order.
QStringList shownMatches(Table &results)
{
    QStringList labels;
    for (results.first(); !results.eof(); results.next()) {
        const QString home = results.field(QStringLiteral("Home")).asString();
        const QString away = results.field(QStringLiteral("Away")).asString();
        const QDate date = results.field(QStringLiteral("DateP")).asDate();
        for (const Match &m : smallLeague())
            if (m.home == home && m.away == away && m.date == date)
                labels << QString::fromLatin1(m.label);
    }
    labels.sort();
    return labels;
}

// Number, name, team, position, rating.
struct Player {
    int n;
    const char *name;
    QString team;
    const char *pos;
    int rating;
};

const QList<Player> &smallSquad()
{
    static const QList<Player> squad = {
        {7, "Ann", Rovers, "Goalkeeper", 1200},
        {7, "Bob", Alpha, "goalkeeper", 900},
        {9, "Cid", Rovers, "Defender", 1500},
        {3, "Dan", Beta, "", 2000},
    };
    return squad;
}

void addSquad(TDataMod &dm)
{
    for (const Player &p : smallSquad())
        dm.ADOTablePlayers.appendRecord({p.n, QString::fromLatin1(p.name), p.team, QString::fromLatin1(p.pos),
                                         p.rating, 0, 0, QStringLiteral("IN"), QVariant(), QVariant(),
                                         QString(), QString()});
}

QStringList shownPlayers(Table &players)
{
    QStringList names;
    for (players.first(); !players.eof(); players.next())
        names << players.field(QStringLiteral("Player")).asString();
    names.sort();
    return names;
}

QStringList countColumns()
{
    QStringList out;
    for (const char *side : {"H", "A", "T"})
        for (const char *c : {"P", "W", "D", "L", "F", "A", "Dif", "Pts"})
            out << QString::fromLatin1(side) + QString::fromLatin1(c);
    return out;
}

const QStringList &ratingColumns()
{
    static const QStringList columns = {QStringLiteral("TRH"), QStringLiteral("TRA"), QStringLiteral("TRT")};
    return columns;
}

// The chosen columns of every team, by team name: "Alpha: HP=1 HW=0 ...".
QStringList teamColumns(TDataMod &dm, const QStringList &columns)
{
    QStringList out;
    Table &teams = dm.ADOTableTeams;
    for (teams.first(); !teams.eof(); teams.next()) {
        QString line = teams.field(QStringLiteral("Team")).asString() + QLatin1Char(':');
        for (const QString &c : columns)
            line += QLatin1Char(' ') + c + QLatin1Char('=') + teams.field(c).asString();
        out << line;
    }
    out.sort();
    return out;
}

// Every stored column of every team, pictures aside, in stored order.
QList<QVariantList> teamRows(TDataMod &dm)
{
    QList<QVariantList> rows;
    Table &teams = dm.ADOTableTeams;
    for (teams.first(); !teams.eof(); teams.next()) {
        QVariantList row;
        for (int c = 0; c < teams.columnCount(); ++c)
            if (teams.columns()[c].name != QLatin1String("TPic"))
                row << teams.field(c).value();
        rows << row;
    }
    return rows;
}

// A league with overtime points, four teams and matches of every kind, rounds 1..4.
const QList<Match> &fullLeague()
{
    static const QList<Match> matches = {
        {"a", Alpha, Beta, 2, 0, QDate(2005, 8, 1), 1, Regular},
        {"b", Gamma, Rovers, 1, 1, QDate(2005, 8, 2), 1, Regular},
        {"c", Beta, Gamma, 3, 2, QDate(2005, 8, 8), 2, Regular, true},
        {"d", Rovers, Alpha, 0, 4, QDate(2005, 8, 9), 2, Regular},
        {"e", Alpha, Gamma, 1, 2, QDate(2005, 8, 15), 3, Relegation},
        {"f", Beta, Rovers, 2, 2, QDate(2005, 8, 16), 3, Relegation, true},
        {"g", Gamma, Alpha, 0, 1, QDate(2005, 8, 22), 4, Regular},
        {"h", Rovers, Beta, 5, 1, QDate(2005, 8, 23), 4, Regular},
        {"i", Alpha, Rovers, -1, -1, QDate(2005, 8, 29), 5, Regular},
        {"j", Beta, Alpha, 1, 0, QDate(2005, 8, 30), 5, Relegation},
        {"k", Gamma, Beta, 0, 3, QDate(2005, 9, 5), 6, Regular},
        {"l", Rovers, Gamma, 2, 1, QDate(2005, 9, 6), 6, Regular},
    };
    return matches;
}

void setOvertimePoints(LeagueFixture &f)
{
    f.setLeague(QStringLiteral("PWO"), 2);
    f.setLeague(QStringLiteral("PDO"), 1);
    f.setLeague(QStringLiteral("PLO"), 1);
}

const QStringList &allTeams()
{
    static const QStringList teams = {Alpha, Beta, Gamma, Rovers};
    return teams;
}
} // namespace

class TestFilterSort : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Database::setDurableWrites(false);
    }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void fixtureFilterText_data();
    void fixtureFilterText();
    void scoreFilterText_data();
    void scoreFilterText();
    void playerFilterText_data();
    void playerFilterText();
    void sortTexts_data();
    void sortTexts();
    void orderCheck_data();
    void orderCheck();

    void matchFiltersSelectRows_data();
    void matchFiltersSelectRows();
    void playerFiltersSelectRows_data();
    void playerFiltersSelectRows();
    void sortsNeedRowsAndItems();
    void defaultViews();
    void filterNoticeInWords_data();
    void filterNoticeInWords();
    void filterNoticeOfTheTable();

    void teamFilterSelection_data();
    void teamFilterSelection();
    void allMatchesRecomputeTheSameTables();
    void chosenMatchesCountAsEnteredAlone_data();
    void chosenMatchesCountAsEnteredAlone();
    void lastMatchesCountEachTeamsNewest();
    void refusedTeamFiltersChangeNothing_data();
    void refusedTeamFiltersChangeNothing();
    void emptyTeamsTable();
    void datesFollowTheLeagueSeason();
};

// ---------------------------------------------------------------- texts

void TestFilterSort::fixtureFilterText_data()
{
    QTest::addColumn<FixtureChoices>("choices");
    QTest::addColumn<QString>("expected");
    using K = FixtureFilterKind;
    QTest::newRow("default: upcoming") << FixtureChoices() << "Result = ':'";
    QTest::newRow("none") << fixtures(K::None) << Off;
    // Today is 12/28/2004 for these texts; seven days on is in the next year.
    QTest::newRow("next 7 days") << fixtures(K::NextSevenDays) << "Result = ':' AND DateP < 1/4/2005";
    QTest::newRow("dates") << fixtures(K::Date, [](auto &c) { c.dates = range(6, 5, 2004, 12, 31, 2004); })
                           << "Result = ':' AND DateP >= 6/5/2004 AND DateP <= 12/31/2004";
    QTest::newRow("default dates") << fixtures(K::Date)
                                   << "Result = ':' AND DateP >= 1/1/2005 AND DateP <= 1/1/2005";
    QTest::newRow("no such date") << fixtures(K::Date, [](auto &c) {
        c.dates = range(2, 31, 2005, 3, 1, 2005);
    }) << "Result = ':' AND DateP >= 2/31/2005 AND DateP <= 3/1/2005";
    QTest::newRow("round") << fixtures(K::Round, [](auto &c) { c.round = 12; })
                           << "Result = ':' AND Rnd = 12";
    QTest::newRow("team with quotes") << fixtures(K::Team, [](auto &c) { c.team = Rovers; })
                                      << u"(Result = ':' AND Home = "_s + RoversQuoted +
                                             u") OR (Result = ':' AND Away = "_s + RoversQuoted + u")"_s;
    QTest::newRow("no team chosen") << fixtures(K::Team)
                                    << "(Result = ':' AND Home = '') OR (Result = ':' AND Away = '')";
}

void TestFilterSort::fixtureFilterText()
{
    QFETCH(FixtureChoices, choices);
    QFETCH(QString, expected);
    QCOMPARE(orOff(::fixtureFilterText(choices, QDate(2004, 12, 28))), expected);
}

void TestFilterSort::scoreFilterText_data()
{
    QTest::addColumn<ScoreChoices>("choices");
    QTest::addColumn<QString>("expected");
    using K = ScoreFilterKind;
    QTest::newRow("default: none still hides fixtures") << ScoreChoices() << "Result <> ':'";
    QTest::newRow("dates") << scores(K::Date, [](auto &c) { c.dates = range(10, 1, 2005, 11, 9, 2006); })
                           << "Result <> ':' AND DateP >= 10/1/2005 AND DateP <= 11/9/2006";
    QTest::newRow("round") << scores(K::Round, [](auto &c) { c.round = 999; })
                           << "Result <> ':' AND Rnd = 999";
    QTest::newRow("team with quotes") << scores(K::Team, [](auto &c) { c.team = Rovers; })
                                      << u"(Home = "_s + RoversQuoted + u" AND Result <> ':') OR (Away = "_s +
                                             RoversQuoted + u" AND Result <> ':')"_s;
    QTest::newRow("team with two quotes in a row")
        << scores(K::Team, [](auto &c) { c.team = QStringLiteral("A''B"); })
        << "(Home = 'A''''B' AND Result <> ':') OR (Away = 'A''''B' AND "
           "Result <> ':')";
}

void TestFilterSort::scoreFilterText()
{
    QFETCH(ScoreChoices, choices);
    QFETCH(QString, expected);
    QCOMPARE(::scoreFilterText(choices), expected);
}

void TestFilterSort::playerFilterText_data()
{
    QTest::addColumn<PlayerChoices>("choices");
    QTest::addColumn<QString>("listTeam");
    QTest::addColumn<QString>("expected");
    using K = PlayerFilterKind;
    const QString all = allTeamsEntry();
    QTest::newRow("none ignores the team list") << PlayerChoices() << Rovers << Off;
    QTest::newRow("number, all teams")
        << players(K::Number, [](auto &c) { c.number = 7; }) << all << "N = '7'";
    QTest::newRow("number, nothing selected") << players(K::Number) << QString() << "N = '0'";
    QTest::newRow("number, one team") << players(K::Number, [](auto &c) { c.number = 23; }) << Rovers
                                      << u"N = '23' AND Team = "_s + RoversQuoted;
    QTest::newRow("position with a quote")
        << players(K::Position, [](auto &c) { c.position = QStringLiteral("Full'back"); }) << Beta
        << "Pos = 'Full''back' AND Team = 'Beta'";
    QTest::newRow("rating") << players(K::Rating, [](auto &c) {
        c.minRating = 1000;
        c.maxRating = 4999;
    }) << all << "PR >= 1000 AND PR <= 4999";
    QTest::newRow("rating, one team")
        << players(K::Rating) << Alpha << "PR >= 1 AND PR <= 1 AND Team = 'Alpha'";
}

void TestFilterSort::playerFilterText()
{
    QFETCH(PlayerChoices, choices);
    QFETCH(QString, listTeam);
    QFETCH(QString, expected);
    QCOMPARE(orOff(::playerFilterText(choices, listTeam)), expected);
}

void TestFilterSort::sortTexts_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("expected"); // <off>: no sort

    QTest::newRow("fixtures default") << "fixtures"
                                      << "Date"
                                      << "Ascending"
                                      << "DateP";
    QTest::newRow("fixtures home team") << "fixtures"
                                        << "Home Team"
                                        << "Descending"
                                        << "Home DESC";
    QTest::newRow("fixtures return") << "fixtures"
                                     << "Return (%)"
                                     << "Ascending"
                                     << "Retrn";
    QTest::newRow("fixtures prediction") << "fixtures"
                                         << "PScore"
                                         << "Descending"
                                         << "PResult DESC";
    QTest::newRow("fixtures: no match column") << "fixtures"
                                               << "Match"
                                               << "Ascending" << Off;
    QTest::newRow("fixtures typed in other case") << "fixtures"
                                                  << "under/over"
                                                  << "ascending"
                                                  << "UOP";
    QTest::newRow("scores default") << "scores"
                                    << "Date"
                                    << "Descending"
                                    << "DateP DESC";
    QTest::newRow("scores match") << "scores"
                                  << "Match"
                                  << "Ascending"
                                  << "MatchT";
    QTest::newRow("scores score") << "scores"
                                  << "Score"
                                  << "Descending"
                                  << "Result DESC";
    QTest::newRow("scores draw odds") << "scores"
                                      << "X"
                                      << "Ascending"
                                      << "OX";
    QTest::newRow("scores: no order chosen") << "scores"
                                             << "C%"
                                             << ""
                                             << "CF DESC";
    QTest::newRow("players default") << "players"
                                     << "Player"
                                     << "Descending"
                                     << "Player DESC";
    QTest::newRow("players position") << "players"
                                      << "Position"
                                      << "Ascending"
                                      << "Pos";
    QTest::newRow("players height") << "players"
                                    << "Height"
                                    << "Ascending"
                                    << "Ht";
    QTest::newRow("players in/out") << "players"
                                    << "IN/OUT"
                                    << "Descending"
                                    << "IN_OUT DESC";
    QTest::newRow("players typed text") << "players"
                                        << "Goals"
                                        << "Ascending" << Off;
}

void TestFilterSort::sortTexts()
{
    QFETCH(QString, page);
    QFETCH(QString, sort);
    QFETCH(QString, order);
    QFETCH(QString, expected);
    std::optional<QString> text;
    if (page == QLatin1String("fixtures")) {
        FixtureChoices c;
        c.sort = sort;
        c.order = order;
        text = fixtureSortText(c);
    } else if (page == QLatin1String("scores")) {
        ScoreChoices c;
        c.sort = sort;
        c.order = order;
        text = scoreSortText(c);
    } else {
        PlayerChoices c;
        c.sort = sort;
        c.order = order;
        text = playerSortText(c);
    }
    QCOMPARE(orOff(text), expected);
}

void TestFilterSort::orderCheck_data()
{
    QTest::addColumn<OrderChooser>("chooser");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("resetTo"); // <off>: the text stays

    QTest::newRow("valid") << OrderChooser::HomeTeams << "Descending"
                           << "" << Off;
    QTest::newRow("valid in other case") << OrderChooser::Players << "ascending"
                                         << "" << Off;
    QTest::newRow("home table") << OrderChooser::HomeTeams << "Up"
                                << "Invalid option"
                                << "Ascending";
    QTest::newRow("away table") << OrderChooser::AwayTeams << ""
                                << "Invalid option"
                                << "Ascending";
    QTest::newRow("overall table") << OrderChooser::OverallTeams << "Desc"
                                   << "Invalid value"
                                   << "Ascending";
    QTest::newRow("fixtures") << OrderChooser::Fixtures << "Down"
                              << "Invalid option"
                              << "Ascending";
    QTest::newRow("scores") << OrderChooser::Scores << "Down"
                            << "Invalid option"
                            << "Ascending";
    QTest::newRow("players keep the text") << OrderChooser::Players << "Down"
                                           << "Invalid option" << Off;
}

void TestFilterSort::orderCheck()
{
    QFETCH(OrderChooser, chooser);
    QFETCH(QString, text);
    QFETCH(QString, warning);
    QFETCH(QString, resetTo);
    const OrderCheck check = checkOrder(chooser, text);
    QCOMPARE(check.warning, warning);
    QCOMPARE(check.valid(), warning.isEmpty());
    QCOMPARE(orOff(check.resetTo), resetTo);
}

// ---------------------------------------------------------------- the texts on a league

void TestFilterSort::matchFiltersSelectRows_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<FixtureChoices>("fixtureChoices");
    QTest::addColumn<ScoreChoices>("scoreChoices");
    QTest::addColumn<QStringList>("expected");

    using F = FixtureFilterKind;
    using S = ScoreFilterKind;
    const ScoreChoices noScores;
    const FixtureChoices noFixtures;
    const QStringList everything = {u"f1"_s, u"f2"_s, u"f3"_s, u"m1"_s, u"m2"_s, u"m3"_s};
    QTest::newRow("fixtures default: unplayed only")
        << "fixtures" << FixtureChoices() << noScores << QStringList{u"f1"_s, u"f2"_s, u"f3"_s};
    QTest::newRow("fixtures none: everything") << "fixtures" << fixtures(F::None) << noScores << everything;
    QTest::newRow("fixtures in a week")
        << "fixtures" << fixtures(F::NextSevenDays) << noScores << QStringList{u"f1"_s, u"f3"_s};
    QTest::newRow("fixtures in June")
        << "fixtures" << fixtures(F::Date, [](auto &c) { c.dates = range(6, 5, 2004, 6, 30, 2004); })
        << noScores << QStringList{u"f1"_s};
    QTest::newRow("fixtures of May 6")
        << "fixtures" << fixtures(F::Date, [](auto &c) { c.dates = range(5, 6, 2004, 5, 6, 2004); })
        << noScores << QStringList{u"f3"_s};
    QTest::newRow("fixtures of round 4") << "fixtures" << fixtures(F::Round, [](auto &c) { c.round = 4; })
                                         << noScores << QStringList{u"f2"_s, u"f3"_s};
    QTest::newRow("fixtures of a quoted team")
        << "fixtures" << fixtures(F::Team, [](auto &c) { c.team = Rovers; }) << noScores
        << QStringList{u"f1"_s, u"f2"_s};
    QTest::newRow("fixtures of a team in other case")
        << "fixtures" << fixtures(F::Team, [](auto &c) { c.team = QStringLiteral("beta"); }) << noScores
        << QStringList{u"f2"_s, u"f3"_s};
    QTest::newRow("scores default: played only")
        << "scores" << noFixtures << ScoreChoices() << QStringList{u"m1"_s, u"m2"_s, u"m3"_s};
    QTest::newRow("scores in May") << "scores" << noFixtures << scores(S::Date, [](auto &c) {
        c.dates = range(5, 1, 2004, 5, 31, 2004);
    }) << QStringList{u"m1"_s};
    QTest::newRow("scores from June 5") << "scores" << noFixtures << scores(S::Date, [](auto &c) {
        c.dates = range(6, 5, 2004, 12, 31, 2004);
    }) << QStringList{u"m2"_s, u"m3"_s};
    QTest::newRow("scores of round 2")
        << "scores" << noFixtures << scores(S::Round, [](auto &c) { c.round = 2; }) << QStringList{u"m2"_s};
    QTest::newRow("scores of a quoted team")
        << "scores" << noFixtures << scores(S::Team, [](auto &c) { c.team = Rovers; })
        << QStringList{u"m1"_s, u"m2"_s};
}

void TestFilterSort::matchFiltersSelectRows()
{
    QFETCH(QString, page);
    QFETCH(FixtureChoices, fixtureChoices);
    QFETCH(ScoreChoices, scoreChoices);
    QFETCH(QStringList, expected);

    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Alpha, Beta});
    for (const Match &m : smallLeague())
        QVERIFY(enter(f, m));
    Table &results = f.dm().ADOTableResults;
    // Dates in filter texts read the same in every locale, also where the short date puts the day
    // first with "/" (06/05/2004 would be May 6 there).
    for (const QLocale &locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::English, QLocale::UnitedKingdom),
          QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        if (page == QLatin1String("fixtures"))
            ApplyFixtureFilter(results, fixtureChoices, QDate(2004, 6, 1));
        else
            ApplyScoreFilter(results, scoreChoices);
        QCOMPARE(shownMatches(results), expected);
    }
}

void TestFilterSort::playerFiltersSelectRows_data()
{
    QTest::addColumn<PlayerChoices>("choices");
    QTest::addColumn<QString>("listTeam");
    QTest::addColumn<QStringList>("expected");
    using K = PlayerFilterKind;
    const QString all = allTeamsEntry();
    QTest::newRow("none: every player, whatever team is listed")
        << PlayerChoices() << Rovers << QStringList{u"Ann"_s, u"Bob"_s, u"Cid"_s, u"Dan"_s};
    QTest::newRow("number 7") << players(K::Number, [](auto &c) { c.number = 7; }) << all
                              << QStringList{u"Ann"_s, u"Bob"_s};
    QTest::newRow("number 7 of a quoted team")
        << players(K::Number, [](auto &c) { c.number = 7; }) << Rovers << QStringList{u"Ann"_s};
    QTest::newRow("position, letter case ignored")
        << players(K::Position, [](auto &c) { c.position = QStringLiteral("GOALKEEPER"); }) << QString()
        << QStringList{u"Ann"_s, u"Bob"_s};
    QTest::newRow("rating range of a team") << players(K::Rating, [](auto &c) {
        c.minRating = 1200;
        c.maxRating = 1500;
    }) << Rovers << QStringList{u"Ann"_s, u"Cid"_s};
    QTest::newRow("rating range, bounds included") << players(K::Rating, [](auto &c) {
        c.minRating = 900;
        c.maxRating = 1200;
    }) << all << QStringList{u"Ann"_s, u"Bob"_s};
}

void TestFilterSort::playerFiltersSelectRows()
{
    QFETCH(PlayerChoices, choices);
    QFETCH(QString, listTeam);
    QFETCH(QStringList, expected);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Alpha, Beta});
    addSquad(f.dm());
    Table &squad = f.dm().ADOTablePlayers;
    SetTableFilter(squad, QStringLiteral("Team = 'Beta'")); // a team chosen in the list before
    ApplyPlayerFilter(squad, choices, listTeam);
    QCOMPARE(shownPlayers(squad), expected);
}

void TestFilterSort::filterNoticeInWords_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<FixtureChoices>("fixtureChoices");
    QTest::addColumn<ScoreChoices>("scoreChoices");
    QTest::addColumn<PlayerChoices>("playerChoices");
    QTest::addColumn<QString>("listTeam");
    QTest::addColumn<QString>("dot");   // en_US
    QTest::addColumn<QString>("comma"); // de_DE

    using F = FixtureFilterKind;
    using S = ScoreFilterKind;
    using P = PlayerFilterKind;
    const FixtureChoices fx;
    const ScoreChoices sc;
    const PlayerChoices pl;
    const QString none;
    QTest::newRow("all upcoming matches") << "fixtures" << fx << sc << pl << none << ""
                                          << "";
    QTest::newRow("fixtures of round 5") << "fixtures" << fixtures(F::Round, [](auto &c) { c.round = 5; })
                                         << sc << pl << none << "Filter: round 5"
                                         << "Filter: round 5";
    QTest::newRow("fixtures of a team")
        << "fixtures" << fixtures(F::Team, [](auto &c) { c.team = Rovers; }) << sc << pl << none
        << u"Filter: team "_s + Rovers << u"Filter: team "_s + Rovers;
    QTest::newRow("fixtures in June")
        << "fixtures" << fixtures(F::Date, [](auto &c) { c.dates = range(6, 5, 2004, 6, 30, 2004); }) << sc
        << pl << none << "Filter: from 6/5/2004 to 6/30/2004"
        << "Filter: from 05.06.2004 to 30.06.2004";
    QTest::newRow("fixtures of the week")
        << "fixtures" << fixtures(F::NextSevenDays) << sc << pl << none << "Filter: the next 7 days"
        << "Filter: the next 7 days";
    QTest::newRow("played matches") << "scores" << fx << sc << pl << none << ""
                                    << "";
    QTest::newRow("scores of round 2")
        << "scores" << fx << scores(S::Round, [](auto &c) { c.round = 2; }) << pl << none << "Filter: round 2"
        << "Filter: round 2";
    QTest::newRow("scores of a team") << "scores" << fx << scores(S::Team, [](auto &c) { c.team = Alpha; })
                                      << pl << none << "Filter: team Alpha"
                                      << "Filter: team Alpha";
    QTest::newRow("scores in May") << "scores" << fx
                                   << scores(S::Date,
                                             [](auto &c) { c.dates = range(5, 1, 2004, 5, 31, 2004); })
                                   << pl << none << "Filter: from 5/1/2004 to 5/31/2004"
                                   << "Filter: from 01.05.2004 to 31.05.2004";
    QTest::newRow("every player") << "players" << fx << sc << pl << none << ""
                                  << "";
    QTest::newRow("the team picked in the list")
        << "players" << fx << sc << pl << Rovers << u"Filter: team "_s + Rovers
        << u"Filter: team "_s + Rovers;
    QTest::newRow("number 7") << "players" << fx << sc << players(P::Number, [](auto &c) { c.number = 7; })
                              << none << "Filter: number 7"
                              << "Filter: number 7";
    QTest::newRow("a position of a team")
        << "players" << fx << sc << players(P::Position, [](auto &c) { c.position = u"Goalkeeper"_s; })
        << Rovers << u"Filter: position Goalkeeper, team "_s + Rovers
        << u"Filter: position Goalkeeper, team "_s + Rovers;
    QTest::newRow("ratings") << "players" << fx << sc
                             << players(P::Rating,
                                        [](auto &c) {
                                            c.minRating = 900;
                                            c.maxRating = 1200;
                                        })
                             << allTeamsEntry() << "Filter: rating 900 to 1200"
                             << "Filter: rating 900 to 1200";
}

void TestFilterSort::filterNoticeInWords()
{
    QFETCH(QString, page);
    QFETCH(FixtureChoices, fixtureChoices);
    QFETCH(ScoreChoices, scoreChoices);
    QFETCH(PlayerChoices, playerChoices);
    QFETCH(QString, listTeam);
    QFETCH(QString, dot);
    QFETCH(QString, comma);

    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Alpha, Beta});
    for (const Match &m : smallLeague())
        QVERIFY(enter(f, m));
    addSquad(f.dm());
    FilterChoices choices;
    choices.fixtures = fixtureChoices;
    choices.scores = scoreChoices;
    choices.players = playerChoices;
    for (const auto &[locale, expected] : {std::pair{QLocale(QLocale::English, QLocale::UnitedStates), dot},
                                           std::pair{QLocale(QLocale::German, QLocale::Germany), comma}}) {
        QLocale::setDefault(locale);
        QString notice;
        const QDate today(2004, 6, 1);
        if (page == QLatin1String("fixtures")) {
            ApplyFixtureFilter(f.dm().ADOTableResults, fixtureChoices, today);
            notice = filterNotice(FilteredPage::Fixtures, f.dm().ADOTableResults, choices, QString(), today);
        } else if (page == QLatin1String("scores")) {
            ApplyScoreFilter(f.dm().ADOTableResults, scoreChoices);
            notice = filterNotice(FilteredPage::Scores, f.dm().ADOTableResults, choices, QString(), today);
        } else {
            Table &squad = f.dm().ADOTablePlayers;
            // A team picked in the list filters by itself; a choice of the dialog takes its place.
            if (!listTeam.isEmpty() && listTeam != allTeamsEntry())
                showPlayersOfTeam(squad, listTeam);
            if (playerChoices.filter != PlayerFilterKind::None)
                ApplyPlayerFilter(squad, playerChoices, listTeam);
            notice = filterNotice(FilteredPage::Players, squad, choices, listTeam, today);
        }
        QCOMPARE(notice, expected);
    }
}

void TestFilterSort::filterNoticeOfTheTable()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Alpha, Beta});
    Table &results = f.dm().ADOTableResults;
    FilterChoices choices;
    // No filter, or the page's own rows only: nothing to say.
    QCOMPARE(filterNotice(FilteredPage::Scores, results, choices, QString()), QString());
    applyScoreView(results);
    QCOMPARE(filterNotice(FilteredPage::Scores, results, choices, QString()), QString());
    // A filter no choice accounts for is still named.
    SetTableFilter(results, QStringLiteral("Result <> ':' AND Rnd = 3"));
    QCOMPARE(filterNotice(FilteredPage::Scores, results, choices, QString()), QStringLiteral("Filter: on"));
    // Set by a choice, it is named in that choice's words.
    choices.scores.filter = ScoreFilterKind::Round;
    choices.scores.round = 3;
    ApplyScoreFilter(results, choices.scores);
    QCOMPARE(filterNotice(FilteredPage::Scores, results, choices, QString()),
             QStringLiteral("Filter: round 3"));
    results.setFiltered(false);
    QCOMPARE(filterNotice(FilteredPage::Scores, results, choices, QString()), QString());
}

void TestFilterSort::sortsNeedRowsAndItems()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Alpha, Beta});
    TDataMod &dm = f.dm();
    RecordingMessenger m;

    // Nothing to sort: the sorts are skipped, without a message.
    PlayerChoices byTeam;
    byTeam.sort = QStringLiteral("Team");
    QVERIFY(!ApplyPlayerSort(dm.ADOTablePlayers, byTeam, m));
    QVERIFY(!ApplyFixtureSort(dm.ADOTableResults, FixtureChoices()));
    QCOMPARE(dm.ADOTablePlayers.sort(), QString());
    QCOMPARE(dm.ADOTableResults.sort(), QString());
    QVERIFY(m.texts().isEmpty());

    addSquad(dm);
    for (const Match &match : smallLeague())
        QVERIFY(enter(f, match));

    QVERIFY(ApplyPlayerSort(dm.ADOTablePlayers, byTeam, m));
    QCOMPARE(dm.ADOTablePlayers.sort(), QStringLiteral("Team DESC"));
    PlayerChoices typed;
    typed.sort = QStringLiteral("Goals");
    QVERIFY(!ApplyPlayerSort(dm.ADOTablePlayers, typed, m));
    QCOMPARE(m.texts(), QStringList{u"Invalid option"_s});
    QCOMPARE(dm.ADOTablePlayers.sort(), QStringLiteral("Team DESC"));

    // A fixture sort that is no item does nothing, silently.
    ScoreChoices byRound;
    byRound.sort = QStringLiteral("Rnd");
    QVERIFY(ApplyScoreSort(dm.ADOTableResults, byRound));
    QCOMPARE(dm.ADOTableResults.sort(), QStringLiteral("Rnd DESC"));
    FixtureChoices typedFixture;
    typedFixture.sort = QStringLiteral("Score");
    QVERIFY(!ApplyFixtureSort(dm.ADOTableResults, typedFixture));
    QCOMPARE(dm.ADOTableResults.sort(), QStringLiteral("Rnd DESC"));
    QCOMPARE(m.texts().size(), 1);

    // A pending edit of the current row is stored before the rows move.
    Table &results = dm.ADOTableResults;
    results.first();
    results.edit();
    results.field(QStringLiteral("Verdict")).setString(QStringLiteral("X"));
    QVERIFY(ApplyFixtureSort(results, FixtureChoices()));
    QCOMPARE(results.state(), Dataset::State::Browse);
    f.reopen();
    QVERIFY(f.dm().ADOTableResults.locate(QStringLiteral("Verdict"), {QStringLiteral("X")}));
}

void TestFilterSort::defaultViews()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Alpha, Beta});
    for (const Match &match : smallLeague())
        QVERIFY(enter(f, match));
    filterChoices() = FilterChoices();
    Table &results = f.dm().ADOTableResults;

    applyFixtureView(results);
    QCOMPARE(shownMatches(results), (QStringList{u"f1"_s, u"f2"_s, u"f3"_s}));
    QCOMPARE(results.sort(), QStringLiteral("DateP"));
    results.first();
    QCOMPARE(results.field(QStringLiteral("DateP")).asDate(), QDate(2004, 5, 6));

    applyScoreView(results);
    QCOMPARE(shownMatches(results), (QStringList{u"m1"_s, u"m2"_s, u"m3"_s}));
    QCOMPARE(results.sort(), QStringLiteral("DateP DESC"));

    // The views follow the stored choices.
    filterChoices().fixtures.filter = FixtureFilterKind::Round;
    filterChoices().fixtures.round = 2;
    filterChoices().fixtures.sort = QStringLiteral("Away Team");
    applyFixtureView(results);
    QCOMPARE(shownMatches(results), QStringList{u"f1"_s});
    QCOMPARE(results.sort(), QStringLiteral("Away"));
    filterChoices() = FilterChoices();
}

// ---------------------------------------------------------------- team tables

void TestFilterSort::teamFilterSelection_data()
{
    QTest::addColumn<TeamFilterChoices>("choices");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("params");
    QTest::addColumn<QString>("filter");
    using K = TeamFilterKind;
    const QString all = QStringLiteral("SELECT * FROM Results ORDER BY rowid");
    const QString ofType =
        QStringLiteral("SELECT * FROM Results WHERE MatchT = ?1 COLLATE UNOCASE ORDER BY rowid");
    QTest::newRow("default: all matches") << TeamFilterChoices() << all << QVariantList() << QString();
    QTest::newRow("last") << teamFilter(K::LastMatches)
                          << QStringLiteral("SELECT * FROM Results ORDER BY DateP DESC, rowid DESC")
                          << QVariantList() << QString();
    QTest::newRow("dates") << teamFilter(K::Date, [](auto &c) { c.dates = range(8, 1, 2005, 12, 24, 2005); })
                           << all << QVariantList() << "DateP >= 8/1/2005 AND DateP <= 12/24/2005";
    QTest::newRow("rounds") << teamFilter(K::Round,
                                          [](auto &c) {
                                              c.fromRound = 2;
                                              c.toRound = 30;
                                          })
                            << all << QVariantList() << "Rnd >= 2 AND Rnd <= 30";
    QTest::newRow("a match type") << teamFilter(K::Matches,
                                                [](auto &c) { c.matchType = QStringLiteral("1/8 Finals"); })
                                  << ofType << QVariantList{QStringLiteral("1/8 Finals")} << QString();
    QTest::newRow("typed in other case")
        << teamFilter(K::Matches, [](auto &c) { c.matchType = QStringLiteral("finals"); }) << ofType
        << QVariantList{QStringLiteral("Finals")} << QString();
}

void TestFilterSort::teamFilterSelection()
{
    QFETCH(TeamFilterChoices, choices);
    QFETCH(QString, sql);
    QFETCH(QVariantList, params);
    QFETCH(QString, filter);
    const std::optional<TeamMatchSelection> selection = teamMatchSelection(choices);
    QVERIFY(selection);
    QCOMPARE(selection->sql, sql);
    QCOMPARE(selection->params, params);
    QCOMPARE(selection->filter, filter);
}

void TestFilterSort::allMatchesRecomputeTheSameTables()
{
    LeagueFixture f(QStringLiteral("Ice Hockey"), allTeams());
    setOvertimePoints(f);
    for (const Match &m : fullLeague())
        QVERIFY(enter(f, m));
    f.dm().RenumberPositions(); // Pos as the league table shows it
    const QList<QVariantList> before = teamRows(f.dm());

    // Applying the filter again and again neither changes the counts nor moves the ratings.
    for (int round = 0; round < 3; ++round) {
        QVERIFY(ApplyTeamFilter(f.dm(), TeamFilterChoices(), f.messenger));
        QCOMPARE(teamRows(f.dm()), before);
    }
    QVERIFY(f.messenger.texts().isEmpty());
    f.reopen();
    QCOMPARE(teamRows(f.dm()), before);
}

void TestFilterSort::chosenMatchesCountAsEnteredAlone_data()
{
    QTest::addColumn<TeamFilterChoices>("choices");
    QTest::addColumn<QString>("chosen"); // labels of fullLeague() that count
    using K = TeamFilterKind;
    QTest::newRow("rounds 2 to 3") << teamFilter(K::Round, [](auto &c) {
        c.fromRound = 2;
        c.toRound = 3;
    }) << "cdef";
    // 8/9/2005 would be September 8 read day first: the range then would hold d..j.
    QTest::newRow("dates") << teamFilter(K::Date, [](auto &c) { c.dates = range(8, 9, 2005, 8, 23, 2005); })
                           << "defgh";
    QTest::newRow("relegation") << teamFilter(K::Matches, [](auto &c) { c.matchType = Relegation; }) << "efj";
    QTest::newRow("regular season typed in capitals")
        << teamFilter(K::Matches, [](auto &c) { c.matchType = QStringLiteral("REGULAR SEASON"); })
        << "abcdghkl";
    QTest::newRow("no match of the type")
        << teamFilter(K::Matches, [](auto &c) { c.matchType = QStringLiteral("Finals"); }) << "";
}

void TestFilterSort::chosenMatchesCountAsEnteredAlone()
{
    QFETCH(TeamFilterChoices, choices);
    QFETCH(QString, chosen);

    LeagueFixture filtered(QStringLiteral("Ice Hockey"), allTeams());
    LeagueFixture alone(QStringLiteral("Ice Hockey"), allTeams());
    setOvertimePoints(filtered);
    setOvertimePoints(alone);
    for (const Match &m : fullLeague()) {
        QVERIFY(enter(filtered, m));
        if (chosen.contains(QLatin1Char(m.label[0])))
            QVERIFY(enter(alone, m));
    }
    const QStringList ratingsBefore = teamColumns(filtered.dm(), ratingColumns());

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    QVERIFY(ApplyTeamFilter(filtered.dm(), choices, filtered.messenger));
    QVERIFY(filtered.messenger.texts().isEmpty());

    QCOMPARE(teamColumns(filtered.dm(), countColumns()), teamColumns(alone.dm(), countColumns()));
    QCOMPARE(teamColumns(filtered.dm(), ratingColumns()), ratingsBefore);
    // Pos runs 1..n down the league table's order again.
    Table &teams = filtered.dm().ADOTableTeams;
    teams.setSort(defaultTeamSort(TeamTable::Home));
    int pos = 0;
    for (teams.first(); !teams.eof(); teams.next())
        QCOMPARE(teams.field(QStringLiteral("Pos")).asInteger(), ++pos);
}

void TestFilterSort::lastMatchesCountEachTeamsNewest()
{
    LeagueFixture f(QStringLiteral("Ice Hockey"), allTeams());
    setOvertimePoints(f);
    // Sorted by points, so that the recomputation renumbers in a new order.
    f.dm().ADOTableTeams.setSort(QStringLiteral("TPts DESC, TDif DESC, TW DESC"));
    for (const Match &m : fullLeague())
        QVERIFY(enter(f, m));
    const QStringList ratingsBefore = teamColumns(f.dm(), ratingColumns());

    const int last = 3;
    QVERIFY(ApplyTeamFilter(
        f.dm(), teamFilter(TeamFilterKind::LastMatches, [](auto &c) { c.lastMatches = last; }), f.messenger));
    QCOMPARE(teamColumns(f.dm(), ratingColumns()), ratingsBefore);

    // Each team's row is what entering only its own three most recent played matches gives it (newest
    // by date, a day's matches newest entered first), whatever the other team of those matches had reached.
    for (const QString &team : allTeams()) {
        LeagueFixture alone(QStringLiteral("Ice Hockey"), allTeams());
        setOvertimePoints(alone);
        QList<qsizetype> played;
        for (qsizetype i = 0; i < fullLeague().size(); ++i) {
            const Match &m = fullLeague()[i];
            if (m.homeScore >= 0 && (m.home == team || m.away == team))
                played << i;
        }
        std::sort(played.begin(), played.end(), [](qsizetype a, qsizetype b) {
            const QDate da = fullLeague()[a].date, db = fullLeague()[b].date;
            return da != db ? da > db : a > b;
        });
        for (qsizetype i : played.first(std::min<qsizetype>(last, played.size())))
            QVERIFY(enter(alone, fullLeague()[i]));
        QCOMPARE(teamColumns(f.dm(), countColumns()).filter(team + QLatin1Char(':')),
                 teamColumns(alone.dm(), countColumns()).filter(team + QLatin1Char(':')));
        QCOMPARE(f.team(team, QStringLiteral("TP")), last);
    }
    Table &teams = f.dm().ADOTableTeams;
    int pos = 0;
    for (teams.first(); !teams.eof(); teams.next())
        QCOMPARE(teams.field(QStringLiteral("Pos")).asInteger(), ++pos);
}

void TestFilterSort::refusedTeamFiltersChangeNothing_data()
{
    QTest::addColumn<TeamFilterChoices>("choices");
    QTest::addColumn<int>("kind"); // of the message
    QTest::addColumn<QString>("message");
    using K = TeamFilterKind;
    QTest::newRow("typed match type")
        << teamFilter(K::Matches, [](auto &c) { c.matchType = QStringLiteral("Cup"); })
        << int(Messenger::Kind::Warning) << "Invalid option";
    QTest::newRow("empty match type") << teamFilter(K::Matches, [](auto &c) { c.matchType.clear(); })
                                      << int(Messenger::Kind::Warning) << "Invalid option";
    QTest::newRow("a date that does not exist")
        << teamFilter(K::Date, [](auto &c) { c.dates = range(2, 30, 2005, 12, 1, 2005); })
        << int(Messenger::Kind::Error) << "";
}

void TestFilterSort::refusedTeamFiltersChangeNothing()
{
    QFETCH(TeamFilterChoices, choices);
    QFETCH(int, kind);
    QFETCH(QString, message);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), allTeams());
    for (const Match &m : fullLeague())
        QVERIFY(enter(f, m));
    const QList<QVariantList> before = teamRows(f.dm());

    QVERIFY(!ApplyTeamFilter(f.dm(), choices, f.messenger));
    QCOMPARE(f.messenger.messages().size(), 1);
    QCOMPARE(int(f.messenger.messages().first().kind), kind);
    if (!message.isEmpty())
        QCOMPARE(f.messenger.messages().first().text, message);
    else
        QVERIFY(f.messenger.messages().first().text.contains(QStringLiteral("2/30/2005")));
    QCOMPARE(teamRows(f.dm()), before);
    f.reopen();
    QCOMPARE(teamRows(f.dm()), before);
}

void TestFilterSort::emptyTeamsTable()
{
    LeagueFixture f;
    QVERIFY(ApplyTeamFilter(f.dm(), TeamFilterChoices(), f.messenger));
    QVERIFY(f.dm().ADOTableTeams.isEmpty());
    QVERIFY(f.messenger.texts().isEmpty());
}

// The date ranges start at the open league's season: the untouched ones follow it, one the user changed
// stays until another league file is open.
void TestFilterSort::datesFollowTheLeagueSeason()
{
    auto shown = [](const DateRangeChoice &d) {
        return QStringLiteral("%1/%2/%3-%4/%5/%6")
            .arg(d.startMonth)
            .arg(d.startDay)
            .arg(d.startYear)
            .arg(d.endMonth)
            .arg(d.endDay)
            .arg(d.endYear);
    };
    FilterChoices c;
    LeagueFixture f;
    f.setLeague(QStringLiteral("SS"), 2023);
    f.setLeague(QStringLiteral("SE"), 2024);
    followLeagueSeason(c, f.dm());
    for (const DateRangeChoice *d : {&c.teams.dates, &c.fixtures.dates, &c.scores.dates})
        QCOMPARE(shown(*d), QStringLiteral("7/1/2023-6/30/2024"));

    c.scores.dates.startMonth = 9;
    c.scores.dates.changed = true;
    f.setLeague(QStringLiteral("SS"), 2024);
    followLeagueSeason(c, f.dm());
    QCOMPARE(shown(c.teams.dates), QStringLiteral("1/1/2024-12/31/2024")); // a season within one year
    QCOMPARE(shown(c.scores.dates), QStringLiteral("9/1/2023-6/30/2024"));

    LeagueFixture other;
    other.setLeague(QStringLiteral("SS"), 1995);
    other.setLeague(QStringLiteral("SE"), 1996);
    followLeagueSeason(c, other.dm());
    QCOMPARE(shown(c.scores.dates), QStringLiteral("7/1/1995-6/30/1996"));
    QVERIFY(!c.scores.dates.changed);

    // No season in the League row: the ranges stay.
    other.setLeague(QStringLiteral("SS"), QVariant());
    followLeagueSeason(c, other.dm());
    QCOMPARE(shown(c.fixtures.dates), QStringLiteral("7/1/1995-6/30/1996"));
}

QTEST_GUILESS_MAIN(TestFilterSort)
#include "tst_filtersort.moc"

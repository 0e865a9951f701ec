// The single-match prediction: the arithmetic on histories, and the whole computation on a real league
// file with its statistics, line-ups and league tables.

#include "data/Colours.h"
#include "data/Errors.h"
#include "data/PlayerLineups.h"
#include "data/Sports.h"
#include "data/TDataMod.h"
#include "predict/MatchTip.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"
#include "support/TipExample.h"

#include <QTest>

#include <vector>

Q_DECLARE_METATYPE(Rgb)

namespace
{

const QString kSoccer = QStringLiteral("Football (Soccer)");

// Match lines "Home-Away F:A" (" OT" for overtime) kept alive for a History view.
class Matches
{
public:
    explicit Matches(const QStringList &lines)
    {
        for (const QString &line : lines) {
            const MatchRow r = playedRow(line, QDate(2020, 1, 1));
            m_records.push_back({r.home, r.away, r.F, r.A, r.overtime});
        }
        for (const MatchRecord &r : m_records)
            m_pointers.push_back(&r);
    }
    History history() const { return History::newestFirst(m_pointers); }

private:
    std::vector<MatchRecord> m_records;
    std::vector<const MatchRecord *> m_pointers;
};

// The example league with the example's choice of teams and betting system.
class ExampleLeague : public TipExampleLeague
{
public:
    TipChoice choice() const
    {
        TipChoice c;
        c.home = QStringLiteral("H");
        c.away = QStringLiteral("A");
        c.options = tipExampleOptions();
        return c;
    }
};

} // namespace

class TestMatchTip : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void predictTip_data();
    void predictTip();
    void handicapLevelsOnlyExactly();
    void playerStrength_data();
    void playerStrength();
    void statColours_data();
    void statColours();
    void rowColours();
    void handicapKeys_data();
    void handicapKeys();
    void handicapTexts();
    void computeOnLeagueFile();
    void lineupsOnLeagueFile();
    void teamNotFound();
    void noRatingsWarns();
    void playerMovesAreStored();
    void leagueTablePageRenumbers();
};

void TestMatchTip::predictTip_data()
{
    QTest::addColumn<double>("hch");
    QTest::addColumn<double>("hca");
    QTest::addColumn<int>("tsh");
    QTest::addColumn<int>("tsa");
    // -1: the value is not part of the case.
    QTest::addColumn<QList<int>>("expected"); // HP DP AP CF home-goals away-goals total
    QTest::addColumn<QString>("verdict");
    QTest::newRow("plain") << 0.0 << 0.0 << 100 << 100 << QList<int>{54, 27, 19, 79, 2, 1, 3}
                           << QStringLiteral("1");
    // The away side leads, but not by the 50 its verdict needs.
    QTest::newRow("home handicap -1")
        << -1.0 << 0.0 << 100 << 100 << QList<int>{36, 24, 40, 57, 2, 1, 3} << QStringLiteral("?");
    QTest::newRow("team strengths 120 and 90")
        << 0.0 << 0.0 << 120 << 90 << QList<int>{58, 26, 16, -1, 2, 1, 3} << QStringLiteral("1");
}

void TestMatchTip::predictTip()
{
    QFETCH(double, hch);
    QFETCH(double, hca);
    QFETCH(int, tsh);
    QFETCH(int, tsa);
    QFETCH(QList<int>, expected);
    QFETCH(QString, verdict);
    const Matches home(tipExampleHomeHistory()), away(tipExampleAwayHistory());
    TipStrengths s;
    s.teamHome = tsh;
    s.teamAway = tsa;
    const std::optional<TipPrediction> p =
        PredictTip(tipExampleOptions(), QStringLiteral("H"), QStringLiteral("A"), 12, 11, 9, 10,
                   home.history(), away.history(), kSoccer, hch, hca, s);
    QVERIFY(p);
    const QList<int> got = {p->HP, p->DP, p->AP, p->CF, p->homeGoals, p->awayGoals, p->total};
    for (qsizetype i = 0; i < expected.size(); ++i)
        if (expected[i] >= 0)
            QCOMPARE(got[i], expected[i]);
    QCOMPARE(p->verdict, verdict);
}

void TestMatchTip::handicapLevelsOnlyExactly()
{
    // With half a goal added to the home side no match ends level, except the one decided in overtime.
    const Matches m({QStringLiteral("H-X 1:1"), QStringLiteral("H-Y 2:2 OT"), QStringLiteral("H-Z 0:1")});
    const ShiftedTeamForm f = CollectShiftedTeamForm(QStringLiteral("H"), true, m.history(), 6, true, 0.5, 0);
    QCOMPARE(f.wV, 1);
    QCOMPARE(f.dV, 1);
    QCOMPARE(f.lV, 1);
    QCOMPARE(f.gfV, 4.5); // real goal sums
    QCOMPARE(f.gaV, 4.0);
}

void TestMatchTip::playerStrength_data()
{
    QTest::addColumn<int>("inCount");
    QTest::addColumn<qint64>("inRatings");
    QTest::addColumn<qint64>("allRatings");
    QTest::addColumn<int>("strength");
    QTest::newRow("70 and 60 in, 50 out") << 2 << qint64(130) << qint64(180) << 72;
    QTest::newRow("nobody in") << 0 << qint64(0) << qint64(180) << 100;
    QTest::newRow("everybody in") << 3 << qint64(180) << qint64(180) << 100;
    QTest::newRow("every rating 0") << 2 << qint64(0) << qint64(0) << 100;
    QTest::newRow("averages drop their remainder") << 3 << qint64(100) << qint64(200) << 50; // 33 / 66
}

void TestMatchTip::playerStrength()
{
    QFETCH(int, inCount);
    QFETCH(qint64, inRatings);
    QFETCH(qint64, allRatings);
    QFETCH(int, strength);
    QCOMPARE(PlayerStrength({inCount, inRatings, allRatings}), strength);
}

void TestMatchTip::statColours_data()
{
    QTest::addColumn<int>("stat");
    QTest::addColumn<double>("own");
    QTest::addColumn<double>("facing");
    QTest::addColumn<Rgb>("colour");
    const auto row = [](TipStat s, double own, double facing, Rgb c, const char *name) {
        QTest::newRow(name) << int(s) << own << facing << c;
    };
    row(TipStat::Rating, 1200, 900, Colours::LightGreen, "more rating is better");
    row(TipStat::Points, 8, 13, Colours::LightRed, "fewer points are worse");
    row(TipStat::ScoreAvg, 1.75, 1.75, Colours::LightYellow, "equal values");
    row(TipStat::Position, 1, 2, Colours::LightGreen, "a higher place is better");
    row(TipStat::Losses, 3, 1, Colours::LightRed, "more losses are worse");
    row(TipStat::AgainstAvg, 0.67, 1.5, Colours::LightGreen, "fewer conceded is better");
    row(TipStat::Against, 9, 4, Colours::LightRed, "more conceded is worse");
    row(TipStat::Draws, 3, 1, Colours::LightYellow, "draws tell nothing");
}

void TestMatchTip::statColours()
{
    QFETCH(int, stat);
    QFETCH(double, own);
    QFETCH(double, facing);
    QFETCH(Rgb, colour);
    QCOMPARE(tipStatColour(static_cast<TipStat>(stat), own, facing), colour);
}

void TestMatchTip::rowColours()
{
    const QString h = QStringLiteral("Home Town");
    QCOMPARE(tipScoreRowColour(h, QStringLiteral("home town"), 2, 1), Colours::LightGreen);
    QCOMPARE(tipScoreRowColour(h, QStringLiteral("Other"), 2, 1), Colours::LightRed);
    QCOMPARE(tipScoreRowColour(h, QStringLiteral("Other"), 0, 3), Colours::LightGreen);
    QCOMPARE(tipScoreRowColour(h, h, 1, 1), Colours::LightYellow);

    QCOMPARE(tipTableRowColour(QStringLiteral("HOME TOWN"), h, QStringLiteral("Away")), Colours::LightCyan);
    QCOMPARE(tipTableRowColour(QStringLiteral("Away"), h, QStringLiteral("Away")), Colours::LightCyan);
    QVERIFY(!tipTableRowColour(QStringLiteral("Third"), h, QStringLiteral("Away")));
}

void TestMatchTip::handicapKeys_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digit") << QStringLiteral("1") << 1 << QStringLiteral("5") << true;
    QTest::newRow("first point") << QStringLiteral("1") << 1 << QStringLiteral(".") << true;
    QTest::newRow("second point") << QStringLiteral("1.5") << 3 << QStringLiteral(".") << false;
    QTest::newRow("sign at the start") << QStringLiteral("1") << 0 << QStringLiteral("-") << true;
    QTest::newRow("sign inside") << QStringLiteral("1") << 1 << QStringLiteral("-") << false;
    QTest::newRow("same sign twice") << QStringLiteral("-1") << 0 << QStringLiteral("-") << false;
    QTest::newRow("letter") << QStringLiteral("1") << 1 << QStringLiteral("a") << false;
}

void TestMatchTip::handicapKeys()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, key);
    QFETCH(bool, accepted);
    QCOMPARE(handicapKeyAccepted(text, caret, key.at(0), QLocale::c()), accepted);
}

void TestMatchTip::handicapTexts()
{
    QCOMPARE(handicapText(-1, 0.5, QLocale::c()), QStringLiteral("-1:0.5"));
    QCOMPARE(handicapText(0, 0, QLocale::c()), QStringLiteral("0:0"));
    QCOMPARE(handicapOf(QStringLiteral("-1.5"), QLocale::c()), -1.5);
    // "-" alone, and a "." where the locale writes ",", do not read: the message names the text.
    QVERIFY_THROWS_EXCEPTION(ConversionError, handicapOf(QStringLiteral("-"), QLocale::c()));
    try {
        handicapOf(QStringLiteral("0.5"), QLocale(QLocale::German, QLocale::Germany));
        QFAIL("0.5 read in a ',' locale");
    } catch (const ConversionError &e) {
        QCOMPARE(e.message(), QStringLiteral("'0.5' is not a valid floating point value"));
    }
}

void TestMatchTip::computeOnLeagueFile()
{
    ExampleLeague example;
    RecordingMessenger messenger;
    TipChoice choice = example.choice();
    const MatchTip tip = ComputeMatchTip(example.league.dm(), choice, messenger);
    QVERIFY(messenger.texts().isEmpty());
    const TipPrediction &p = tip.prediction;
    QCOMPARE((QList<int>{p.HP, p.DP, p.AP, p.CF, p.homeGoals, p.awayGoals, p.total}),
             (QList<int>{54, 27, 19, 79, 2, 1, 3}));
    QCOMPARE(tip.handicap, QStringLiteral("0:0"));
    QCOMPARE(tip.strengthHome, 100);
    QCOMPARE(tip.strengthAway, 100);
    QCOMPARE(tip.verdictText, QStringLiteral("Verdict -> H <- Verdict"));
    QCOMPARE(tip.verdictColour, Colours::LightGreen);

    // The statistics side by side: place in each venue's table, two-decimal averages, Score Avg. from the
    // facing column.
    QCOMPARE(tip.homeHome.text(TipStat::Rating), QStringLiteral("1200"));
    QCOMPARE(tip.homeHome.text(TipStat::Position), QStringLiteral("1"));
    QCOMPARE(tip.awayAway.text(TipStat::Position), QStringLiteral("2"));
    QCOMPARE(tip.homeHome.text(TipStat::ForAvg), QStringLiteral("2"));
    QCOMPARE(tip.homeHome.text(TipStat::AgainstAvg), QStringLiteral("0.67"));
    QCOMPARE(tip.awayAway.text(TipStat::ForAvg), QStringLiteral("1.33"));
    QCOMPARE(tip.awayAway.text(TipStat::AgainstAvg), QStringLiteral("1.5"));
    QCOMPARE(tip.homeHome.text(TipStat::ScoreAvg), QStringLiteral("1.75"));
    QCOMPARE(tip.awayAway.text(TipStat::ScoreAvg), QStringLiteral("1"));
    QCOMPARE(tip.homeTotal.text(TipStat::ForAvg), QStringLiteral("1.63"));   // 13 / 8 = 1.625
    QCOMPARE(tip.awayTotal.text(TipStat::ScoreAvg), QStringLiteral("1.13")); // (1.38 + 0.88) / 2
    // B played no away match: its averages stay "0".
    choice.away = QStringLiteral("B");
    const MatchTip againstB = ComputeMatchTip(example.league.dm(), choice, messenger);
    QCOMPARE(againstB.awayAway.text(TipStat::ForAvg), QStringLiteral("0"));
    QCOMPARE(againstB.awayAway.text(TipStat::Position), QStringLiteral("1"));

    // A name chosen in other letter case is the same team: the same numbers, the name as chosen shown.
    choice = example.choice();
    choice.home = QStringLiteral("h");
    choice.handicapHome = -1;
    const MatchTip lower = ComputeMatchTip(example.league.dm(), choice, messenger);
    QCOMPARE((QList<int>{lower.prediction.HP, lower.prediction.DP, lower.prediction.AP, lower.prediction.CF}),
             (QList<int>{36, 24, 40, 57}));
    QCOMPARE(lower.handicap, QStringLiteral("-1:0"));
    QCOMPARE(lower.verdictText, QStringLiteral("Verdict -> Risky <- Verdict"));
    QCOMPARE(lower.verdictColour, Colours::LightRed);
}

void TestMatchTip::lineupsOnLeagueFile()
{
    ExampleLeague example;
    TDataMod &dm = example.league.dm();
    example.addPlayer(QStringLiteral("H"), QStringLiteral("Ann"), 70, QStringLiteral("IN"));
    example.addPlayer(QStringLiteral("H"), QStringLiteral("Bob"), 60, QStringLiteral("IN"));
    example.addPlayer(QStringLiteral("H"), QStringLiteral("Cid"), 50, QStringLiteral("OUT"));
    // A's only player is out: nobody in, full strength.
    example.addPlayer(QStringLiteral("A"), QStringLiteral("Dan"), 80, QStringLiteral("OUT"));
    RecordingMessenger messenger;
    TipChoice choice = example.choice();
    choice.lineups = true;
    const MatchTip tip = ComputeMatchTip(dm, choice, messenger);
    QCOMPARE(tip.strengthHome, 72);
    QCOMPARE(tip.strengthAway, 100);
    // A weaker home line-up moves the percentages toward the away side.
    QVERIFY(tip.prediction.HP < 54);
    QVERIFY(tip.prediction.AP > 19);

    choice.strengthHome = 50;
    QCOMPARE(ComputeMatchTip(dm, choice, messenger).strengthHome, 36);
    choice.lineups = false;
    QCOMPARE(ComputeMatchTip(dm, choice, messenger).strengthHome, 50);

    const LineupLists lists = readLineupLists(dm.ADOConnection, QStringLiteral("h"));
    QCOMPARE(lists.in, (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob")}));
    QCOMPARE(lists.out, QStringList{QStringLiteral("Cid")});
}

void TestMatchTip::teamNotFound()
{
    ExampleLeague example;
    RecordingMessenger messenger;
    TipChoice choice = example.choice();
    choice.away = QStringLiteral("Nobody");
    QVERIFY_THROWS_EXCEPTION(Abort, ComputeMatchTip(example.league.dm(), choice, messenger));
    QCOMPARE(messenger.texts(), QStringList{QStringLiteral("Cannot find away team")});

    // A team name with quotes is a value like any other.
    example.league.addTeam(QStringLiteral("Rock \"n\" Roll's"));
    choice.away = QStringLiteral("Rock \"n\" Roll's");
    messenger.clear();
    const MatchTip tip = ComputeMatchTip(example.league.dm(), choice, messenger);
    QVERIFY(messenger.texts().isEmpty());
    QCOMPARE(tip.prediction.CF, 25); // no match played yet
}

void TestMatchTip::noRatingsWarns()
{
    // Ratings below 100 are used as 0: with both venue ratings 0 there is nothing to share out.
    ExampleLeague example;
    Database &db = example.league.dm().ADOConnection;
    db.execute(QStringLiteral("UPDATE Teams SET TRH = 99 WHERE Team = 'H'"));
    db.execute(QStringLiteral("UPDATE Teams SET TRA = 50 WHERE Team = 'A'"));
    RecordingMessenger messenger;
    QVERIFY_THROWS_EXCEPTION(Abort, ComputeMatchTip(example.league.dm(), example.choice(), messenger));
    QCOMPARE(messenger.texts(),
             QStringList{QStringLiteral("No prediction: the ratings of both teams are 0.")});
}

void TestMatchTip::playerMovesAreStored()
{
    TipExampleLeague example;
    LeagueFixture &league = example.league;
    TDataMod &dm = league.dm();
    example.addPlayer(QStringLiteral("H"), QStringLiteral("Ann"), 70, QStringLiteral("IN"));
    example.addPlayer(QStringLiteral("H"), QStringLiteral("Bob"), 60, QStringLiteral("IN"));
    // The players view shows another team: the move still finds the row.
    dm.ADOTablePlayers.setFilter(QStringLiteral("Team = 'Other'"));
    dm.ADOTablePlayers.setFiltered(true);

    LineupLists lists = readLineupLists(dm.ADOConnection, QStringLiteral("H"));
    RecordingMessenger messenger;
    QVERIFY(!dm.SetPlayerInOut(lists.in, lists.out, -1, QStringLiteral("H"), QStringLiteral("IN"),
                               QStringLiteral("OUT"), messenger));
    QCOMPARE(messenger.texts(), QStringList{QStringLiteral("No player selected in the IN list")});
    QCOMPARE(lists.in.size(), 2);

    QVERIFY(dm.SetPlayerInOut(lists.in, lists.out, 1, QStringLiteral("h"), QStringLiteral("IN"),
                              QStringLiteral("OUT"), messenger));
    QCOMPARE(lists.in, QStringList{QStringLiteral("Ann")});
    QCOMPARE(lists.out, QStringList{QStringLiteral("Bob")});
    QVERIFY(dm.ADOTablePlayers.filtered());

    // Stored at once: a fresh look at the file sees it, whatever the dialog does next.
    league.reopen();
    QCOMPARE(readLineupLists(league.dm().ADOConnection, QStringLiteral("H")).out,
             QStringList{QStringLiteral("Bob")});

    lists = readLineupLists(league.dm().ADOConnection, QStringLiteral("H"));
    league.dm().SetAllPlayersInOut(lists.in, lists.out, QStringLiteral("H"), QStringLiteral("OUT"));
    QVERIFY(lists.in.isEmpty());
    QCOMPARE(lists.out, (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob")}));
    // An empty source list: nothing happens.
    league.dm().SetAllPlayersInOut(lists.in, lists.out, QStringLiteral("H"), QStringLiteral("OUT"));
    QCOMPARE(lists.out.size(), 2);
    league.reopen();
    QCOMPARE(readLineupLists(league.dm().ADOConnection, QStringLiteral("H")).in, QStringList());
}

void TestMatchTip::leagueTablePageRenumbers()
{
    ExampleLeague example;
    Table teams(&example.league.dm().ADOConnection, QStringLiteral("Teams"));
    teams.open();
    showTipLeagueTable(teams, TeamTable::Away);
    QCOMPARE(teams.field(QStringLiteral("Team")).asString(), QStringLiteral("B"));
    // Stored: the data module's own table sees the away order in Pos.
    Table &shared = example.league.dm().ADOTableTeams;
    shared.reload();
    QVERIFY(shared.locate(QStringLiteral("Team"), {QStringLiteral("A")}));
    QCOMPARE(shared.field(QStringLiteral("Pos")).asInteger(), 2);
    QVERIFY(shared.locate(QStringLiteral("Team"), {QStringLiteral("B")}));
    QCOMPARE(shared.field(QStringLiteral("Pos")).asInteger(), 1);
    showTipLeagueTable(teams, TeamTable::Home);
    shared.reload();
    QVERIFY(shared.locate(QStringLiteral("Team"), {QStringLiteral("H")}));
    QCOMPARE(shared.field(QStringLiteral("Pos")).asInteger(), 1);
}

QTEST_GUILESS_MAIN(TestMatchTip)
#include "tst_matchtip.moc"

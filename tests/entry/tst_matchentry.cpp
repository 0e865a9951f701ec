#include "data/Errors.h"
#include "data/Numbers.h"
#include "entry/MatchEntry.h"
#include "entry/Odds.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QScopeGuard>
#include <QTest>

namespace
{
const QString A = QStringLiteral("Arsenal");
const QString B = QStringLiteral("Chelsea");
const QString C = QStringLiteral("Everton");

// The whole stored state of the league, to show that a refused command changed nothing.
QString snapshot(Database &db)
{
    return storedRows(db, {QStringLiteral("Teams"), QStringLiteral("Results")});
}

QString stringOf(Table &t, const char *column)
{
    return t.field(QString::fromLatin1(column)).asString();
}
} // namespace

class TestMatchEntry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void newRowValues();
    void idIsOneAboveLargestWhateverTheFilter();
    void resultTexts_data();
    void resultTexts();
    void warningsWriteNothing_data();
    void warningsWriteNothing();
    void teamTypedInOtherCaseIsStoredAsTyped();
    void underOverLine();
    void defaultLineBySport_data();
    void defaultLineBySport();
    void returnPercent();
    void pricesWrittenWithTheOtherDecimalMark_data();
    void pricesWrittenWithTheOtherDecimalMark();
    void editPlayedScoreEqualsFreshEntry();
    void editToUnplayedOnlyRemoves();
    void failedOkLeavesEverythingAsBefore_data();
    void failedOkLeavesEverythingAsBefore();
    void showLists();
};

void TestMatchEntry::newRowValues()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    MatchEntryInput in = f.input(A, B, 2, 1, false, QDate(2005, 9, 17), 6);
    in.matchKind = QStringLiteral("1/4 Finals");
    in.odds[0] = QStringLiteral("2.10");
    in.odds[1] = QStringLiteral("3.20");
    in.odds[2] = QStringLiteral("3.50");
    in.bookmaker[0] = QStringLiteral("Northbet");
    in.bookmaker[2] = QStringLiteral("Eastline");
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    QVERIFY(f.messenger.messages().isEmpty());
    f.reopen();
    Table &r = f.dm().ADOTableResults;
    r.first();
    QCOMPARE(r.field(QStringLiteral("ID")).asInteger(), 0);
    QCOMPARE(stringOf(r, "Result"), QStringLiteral("2:1"));
    QCOMPARE(r.field(QStringLiteral("DateP")).asDate(), QDate(2005, 9, 17));
    QCOMPARE(r.field(QStringLiteral("Rnd")).asInteger(), 6);
    QCOMPARE(stringOf(r, "MatchT"), QStringLiteral("1/4 Finals"));
    QVERIFY(r.field(QStringLiteral("Season")).isNull());
    for (const char *c : {"PtsH", "PtsHT", "PtsA", "PtsAT", "HP", "DP", "AP", "CF", "Ttl"})
        QCOMPARE(r.field(QString::fromLatin1(c)).asInteger(), 0);
    for (const char *c : {"TRH", "TRHT", "TRA", "TRAT"})
        QCOMPARE(r.field(QString::fromLatin1(c)).asInteger(), 1500); // the snapshot is from before the match
    QCOMPARE(stringOf(r, "PResult"), QStringLiteral(":"));
    QCOMPARE(stringOf(r, "Verdict"), QStringLiteral("?"));
    QCOMPARE(r.field(QStringLiteral("UOV")).asFloat(), 2.5);
    QCOMPARE(stringOf(r, "UOP"), QStringLiteral("2.5"));
    QCOMPARE(stringOf(r, "O1"), QStringLiteral("2.10"));
    QCOMPARE(stringOf(r, "O1B"), QStringLiteral("Northbet"));
    QCOMPARE(stringOf(r, "OXB"), QString());
    QVERIFY(!r.field(QStringLiteral("OXB")).isNull()); // empty text, not NULL
    QCOMPARE(r.field(QStringLiteral("Retrn")).asFloat(), -7.44);
    // A second match: the snapshot holds the standings from before it.
    const int trtBefore = f.team(A, QStringLiteral("TRT"));
    QCOMPARE(trtBefore, 1575);
    QVERIFY(f.addMatch(A, B, 0, 0, false, QDate(2005, 9, 24), 7));
    r.last();
    QCOMPARE(r.field(QStringLiteral("PtsH")).asInteger(), 3);
    QCOMPARE(r.field(QStringLiteral("PtsA")).asInteger(), 0);
    QCOMPARE(r.field(QStringLiteral("TRHT")).asInteger(), trtBefore);
    QVERIFY(f.team(A, QStringLiteral("TRT")) < trtBefore); // the draw of unequal teams moved it
}

void TestMatchEntry::idIsOneAboveLargestWhateverTheFilter()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    QVERIFY(f.addMatch(A, B, 1, 0));
    QVERIFY(f.addMatch(B, A, -1, -1));
    f.dm().ADOConnection.execute(QStringLiteral("UPDATE Results SET ID = 7 WHERE ID = 1"));
    f.dm().ADOConnection.execute(QStringLiteral("UPDATE Results SET ID = 1 WHERE ID = 0"));
    f.reopen(); // statements run beside the datasets are seen once the tables are read again
    QVERIFY(f.addMatch(A, B, 2, 2));
    f.reopen();
    Table &r = f.dm().ADOTableResults;
    r.setFilter(QStringLiteral("Result = ':'"));
    r.setFiltered(true);
    QVERIFY(f.addMatch(A, B, -1, -1));
    r.setFiltered(false);
    r.last();
    QCOMPARE(r.field(QStringLiteral("ID")).asInteger(), 9); // 1, 7, 8 stored before it
}

void TestMatchEntry::resultTexts_data()
{
    QTest::addColumn<int>("home");
    QTest::addColumn<int>("away");
    QTest::addColumn<bool>("overtime");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("homeDrawn");
    QTest::newRow("2:1") << 2 << 1 << false << "2:1" << 0;
    QTest::newRow("2:1 OT") << 2 << 1 << true << "2:1 OT" << 1;
    QTest::newRow("3:-1 unplayed") << 3 << -1 << false << ":" << 0;
    QTest::newRow("-1:-1 with overtime ticked") << -1 << -1 << true << ":" << 0;
    QTest::newRow("999:999 OT fills the column") << 999 << 999 << true << "999:999 OT" << 1;
}

void TestMatchEntry::resultTexts()
{
    QFETCH(int, home);
    QFETCH(int, away);
    QFETCH(bool, overtime);
    QFETCH(QString, result);
    QFETCH(int, homeDrawn);
    LeagueFixture f(QStringLiteral("Ice Hockey"), {A, B});
    QVERIFY(f.addMatch(A, B, home, away, overtime));
    Table &r = f.dm().ADOTableResults;
    r.first();
    QCOMPARE(stringOf(r, "Result"), result);
    QCOMPARE(r.field(QStringLiteral("F")).asInteger(), home);
    QCOMPARE(r.field(QStringLiteral("A")).asInteger(), away);
    QCOMPARE(f.team(A, QStringLiteral("HD")), homeDrawn);
    QCOMPARE(f.team(A, QStringLiteral("HP")), result == QLatin1String(":") ? 0 : 1);
}

void TestMatchEntry::warningsWriteNothing_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("away");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("home not a team") << "Arsenl" << B << "Regular Season"
                                     << "Home team not selected or invalid team";
    QTest::newRow("home empty") << "" << B << "Regular Season"
                                << "Home team not selected or invalid team";
    QTest::newRow("away not a team") << A << "Chelsee"
                                     << "Regular Season"
                                     << "Away team not selected or invalid team";
    QTest::newRow("match kind") << A << B << "Friendly"
                                << "Match not selected or invalid match";
    QTest::newRow("equal teams") << A << A << "Regular Season"
                                 << "Home team cannot equal Away team";
    QTest::newRow("equal teams in other letter case") << A << A.toUpper() << "Regular Season"
                                                      << "Home team cannot equal Away team";
}

void TestMatchEntry::warningsWriteNothing()
{
    QFETCH(QString, home);
    QFETCH(QString, away);
    QFETCH(QString, kind);
    QFETCH(QString, message);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    const QString before = snapshot(f.dm().ADOConnection);
    MatchEntryInput in = f.input(home, away, 1, 0);
    in.matchKind = kind;
    QVERIFY(!SaveMatch(f.dm(), in, f.messenger));
    QCOMPARE(f.messenger.texts(), QStringList{message});
    QCOMPARE(f.messenger.messages().first().kind, Messenger::Kind::Warning);
    QCOMPARE(snapshot(f.dm().ADOConnection), before);
}

void TestMatchEntry::teamTypedInOtherCaseIsStoredAsTyped()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    MatchEntryInput in = f.input(QStringLiteral("ARSENAL"), QStringLiteral("chelsea"), 1, 0);
    in.matchKind = QStringLiteral("regular season");
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    Table &r = f.dm().ADOTableResults;
    r.first();
    QCOMPARE(stringOf(r, "Home"), QStringLiteral("ARSENAL"));
    QCOMPARE(stringOf(r, "MatchT"), QStringLiteral("regular season"));
    QCOMPARE(f.team(A, QStringLiteral("HW")), 1);
}

void TestMatchEntry::underOverLine()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    Table &r = f.dm().ADOTableResults;
    MatchEntryInput in = f.input(A, B, 1, 0);
    in.underOver = QString(); // ignored for a played match, nothing reported
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    QVERIFY(f.messenger.messages().isEmpty());
    r.last();
    QCOMPARE(r.field(QStringLiteral("UOV")).asFloat(), 2.5);

    in = f.input(A, B, -1, -1);
    in.underOver = QStringLiteral("3.5");
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    r.last();
    QCOMPARE(r.field(QStringLiteral("UOV")).asFloat(), 3.5);
    QCOMPARE(stringOf(r, "UOP"), QStringLiteral("3.5"));

    in.underOver = QString(); // unplayed: reported, default line stored, the match still stored
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    QCOMPARE(f.messenger.texts(), QStringList{QStringLiteral("Invalid Under/Over Value")});
    QCOMPARE(f.messenger.messages().first().kind, Messenger::Kind::Error);
    r.last();
    QCOMPARE(r.field(QStringLiteral("UOV")).asFloat(), 2.5);
    QCOMPARE(stringOf(r, "UOP"), QStringLiteral("2.5"));
    QCOMPARE(r.recordCount(), 3);
}

void TestMatchEntry::defaultLineBySport_data()
{
    QTest::addColumn<QString>("sport");
    QTest::addColumn<QString>("line");
    QTest::newRow("basketball") << "Basketball"
                                << "180.5";
    QTest::newRow("volleyball") << "Volleyball"
                                << "180.5";
    QTest::newRow("unknown") << "Korfball"
                             << "1.5";
    QTest::newRow("other case") << "basketball"
                                << "1.5";
}

void TestMatchEntry::defaultLineBySport()
{
    QFETCH(QString, sport);
    QFETCH(QString, line);
    LeagueFixture f(sport, {A, B});
    QCOMPARE(ShowMatchEntry(f.dm(), MatchEntryMode::Add).underOver, line);
    QVERIFY(f.addMatch(A, B, 80, 75));
    Table &r = f.dm().ADOTableResults;
    r.first();
    QCOMPARE(r.field(QStringLiteral("UOV")).asString(), line);
    QCOMPARE(stringOf(r, "UOP"), line);
}

void TestMatchEntry::returnPercent()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    Table &r = f.dm().ADOTableResults;
    MatchEntryInput in = f.input(A, B, -1, -1);
    in.odds[0] = QStringLiteral("1.85");
    in.odds[1] = QStringLiteral("-");
    in.odds[2] = QStringLiteral("2.05");
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    r.first();
    QCOMPARE(r.field(QStringLiteral("Retrn")).asFloat(), Numbers::round2((1 / 1.85 + 1 / 2.05 - 1) * -100));

    // A one-character home price: no return is computed and the stored one stays.
    in.mode = MatchEntryMode::Edit;
    in.odds[0] = QStringLiteral("2");
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    r.first();
    QCOMPARE(r.field(QStringLiteral("Retrn")).asFloat(), Numbers::round2((1 / 1.85 + 1 / 2.05 - 1) * -100));
    QCOMPARE(stringOf(r, "O1"), QStringLiteral("2"));

    in.mode = MatchEntryMode::Add;
    in.odds[0] = QStringLiteral("4/5");
    in.oddsType[0] = 1;
    in.odds[1] = QStringLiteral("+250");
    in.oddsType[1] = 2;
    in.odds[2] = QStringLiteral("3.75");
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    r.last();
    QCOMPARE(r.field(QStringLiteral("Retrn")).asFloat(),
             Numbers::round2((1 / 1.8 + 1 / 3.5 + 1 / 3.75 - 1) * -100));
}

void TestMatchEntry::pricesWrittenWithTheOtherDecimalMark_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("line");
    QTest::newRow("de_DE, prices with '.'")
        << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("2,5");
    QTest::newRow("en_US, prices with ','")
        << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("2.5");
}

// A league written on a machine of the other decimal mark (the demo, the command line, a friend's file)
// takes results like any other.
void TestMatchEntry::pricesWrittenWithTheOtherDecimalMark()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, line);
    const bool comma = locale.decimalPoint() == QLatin1Char(',');
    const QString o1 = comma ? QStringLiteral("2.48") : QStringLiteral("2,48");
    const QString o2 = comma ? QStringLiteral("2.90") : QStringLiteral("2,90");
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    QLocale::setDefault(locale);
    const auto restore =
        qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); });
    MatchEntryInput in = f.input(A, B, 2, 1);
    in.underOver = line;
    in.odds[0] = o1;
    in.odds[1] = QStringLiteral("-");
    in.odds[2] = o2;
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    QCOMPARE(f.messenger.texts(), QStringList());
    Table &r = f.dm().ADOTableResults;
    r.first();
    QCOMPARE(r.field(QStringLiteral("Retrn")).asFloat(), Numbers::round2((1 / 2.48 + 1 / 2.9 - 1) * -100));
    QCOMPARE(stringOf(r, "O1"), o1); // stored as typed
}

void TestMatchEntry::editPlayedScoreEqualsFreshEntry()
{
    LeagueFixture edited(QStringLiteral("Football (Soccer)"), {A, B, C});
    LeagueFixture fresh(QStringLiteral("Football (Soccer)"), {A, B, C});
    QVERIFY(edited.addMatch(C, A, 2, 2));
    QVERIFY(fresh.addMatch(C, A, 2, 2));
    QVERIFY(edited.addMatch(A, B, 1, 0));
    QVERIFY(fresh.addMatch(A, B, 1, 1));
    QVERIFY(edited.dm().ADOTableResults.locate(QStringLiteral("Home;Away"), {A, B}));
    MatchEntryInput in = edited.input(A, B, 1, 1);
    in.mode = MatchEntryMode::Edit;
    QVERIFY(SaveMatch(edited.dm(), in, edited.messenger));
    for (const QString &team : {A, B, C})
        for (const ColumnInfo &c : edited.dm().ADOTableTeams.columns())
            if (c.kind == ColumnKind::Real)
                QCOMPARE(edited.team(team, c.name), fresh.team(team, c.name));
    QCOMPARE(edited.dm().ADOTableResults.recordCount(), 2);
    QCOMPARE(edited.dm().ADOTableResults.field(QStringLiteral("ID")).asInteger(), 1);
}

void TestMatchEntry::editToUnplayedOnlyRemoves()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    QVERIFY(f.addMatch(A, B, 3, 0));
    f.dm().ADOTableResults.first();
    MatchEntryInput in = f.input(A, B, -1, -1);
    in.mode = MatchEntryMode::Edit;
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    QCOMPARE(f.team(A, QStringLiteral("TRT")), 1500);
    QCOMPARE(f.team(A, QStringLiteral("HP")), 0);
    QCOMPARE(f.team(B, QStringLiteral("TPts")), 0);
    QCOMPARE(stringOf(f.dm().ADOTableResults, "Result"), QStringLiteral(":"));
}

void TestMatchEntry::failedOkLeavesEverythingAsBefore_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("odds text that does not convert") << "odds";
    QTest::newRow("zero decimal price") << "zero";
    QTest::newRow("date that does not exist") << "date";
    QTest::newRow("bookmaker name too long") << "bookmaker";
}

void TestMatchEntry::failedOkLeavesEverythingAsBefore()
{
    QFETCH(QString, what);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    QVERIFY(f.addMatch(A, B, 2, 0));
    QVERIFY(f.addMatch(C, A, 1, 1));
    const QString before = snapshot(f.dm().ADOConnection);
    const int trtBefore = f.team(A, QStringLiteral("TRT"));

    // Edit the played first match into something that cannot be stored: its old result must not stay
    // taken out of the standings.
    QVERIFY(f.dm().ADOTableResults.locate(QStringLiteral("Home;Away"), {A, B}));
    MatchEntryInput in = f.input(A, B, 0, 3);
    in.mode = MatchEntryMode::Edit;
    in.odds[0] = QStringLiteral("2.10");
    in.odds[2] = QStringLiteral("3.40");
    bool threw = false;
    if (what == QLatin1String("odds"))
        in.odds[2] = QStringLiteral("3,4.0");
    else if (what == QLatin1String("zero"))
        in.odds[0] = QStringLiteral("0.00");
    else if (what == QLatin1String("date"))
        in.day = 31, in.month = 4;
    else
        in.bookmaker[1] = QString(21, QLatin1Char('b'));
    try {
        SaveMatch(f.dm(), in, f.messenger);
    } catch (const Abort &) {
        threw = what == QLatin1String("odds") || what == QLatin1String("zero");
    } catch (const DateError &) {
        threw = what == QLatin1String("date");
    } catch (const DatabaseError &) {
        threw = what == QLatin1String("bookmaker");
    }
    QVERIFY(threw);
    QCOMPARE(snapshot(f.dm().ADOConnection), before);
    QCOMPARE(f.team(A, QStringLiteral("TRT")), trtBefore); // the in-memory rows match the file
    QCOMPARE(f.dm().ADOTableResults.state(), Dataset::State::Browse);
    f.reopen();
    QCOMPARE(snapshot(f.dm().ADOConnection), before);
}

void TestMatchEntry::showLists()
{
    LeagueFixture f(QStringLiteral("Basketball"), {C, A, B});
    MatchEntryInput in = f.input(A, B, -1, -1, false, QDate(2006, 3, 4), 12);
    in.bookmaker[0] = QStringLiteral("Westmark");
    in.bookmaker[1] = QStringLiteral("eastline");
    in.odds[0] = QStringLiteral("4/5");
    in.oddsType[0] = 1;
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    in.bookmaker[0] = QStringLiteral("Eastline");
    in.bookmaker[2] = QStringLiteral("Northbet");
    in.underOver = QStringLiteral("171.5");
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));

    f.dm().ADOTableResults.first();
    const MatchEntryForm add = ShowMatchEntry(f.dm(), MatchEntryMode::Add);
    QCOMPARE(add.teams, (QStringList{A, B, C}));
    QCOMPARE(add.bookmakers, (QStringList{QStringLiteral("eastline"), QStringLiteral("Northbet"),
                                          QStringLiteral("Westmark")}));
    QCOMPARE(add.underOver, QStringLiteral("180.5"));
    QCOMPARE(add.homeScore, -1);
    QVERIFY(!add.date.has_value());
    // A new match starts without odds or bookmakers, whatever row is selected.
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(add.odds[i], QStringLiteral("-"));
        QCOMPARE(add.oddsType[i], int(Odds::Decimal));
        QVERIFY(add.bookmaker[i].isEmpty());
    }

    f.dm().ADOTableResults.first();
    const MatchEntryForm first = ShowMatchEntry(f.dm(), MatchEntryMode::Edit);
    QCOMPARE(first.odds[0], QStringLiteral("4/5"));
    QCOMPARE(first.oddsType[0], int(Odds::Fractional));
    QCOMPARE(first.oddsType[1], int(Odds::American)); // "-" reads as American
    QCOMPARE(first.bookmaker[0], QStringLiteral("Westmark"));

    f.dm().ADOTableResults.last();
    const MatchEntryForm edit = ShowMatchEntry(f.dm(), MatchEntryMode::Edit);
    QCOMPARE(edit.date.value(), QDate(2006, 3, 4));
    QCOMPARE(edit.round.value(), 12);
    QCOMPARE(edit.home, A);
    QCOMPARE(edit.underOver, QStringLiteral("171.5"));
    QCOMPARE(edit.bookmaker[2], QStringLiteral("Northbet"));
    QCOMPARE(f.dm().ADOTableResults.recNo(), 2); // the selected row is current again
}

QTEST_GUILESS_MAIN(TestMatchEntry)
#include "tst_matchentry.moc"

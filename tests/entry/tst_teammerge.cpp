#include "data/ClosingPrices.h"
#include "data/Database.h"
#include "data/LeagueSchema.h"
#include "data/TeamAliases.h"
#include "data/TextCompare.h"
#include "entry/ResultsCsv.h"
#include "entry/ResultsImport.h"
#include "entry/TeamMerge.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QFile>
#include <QTest>

namespace
{

const QByteArray kHeader = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\n";

// One club under two spellings, in date order; the last match is a fixture.  With one spelling
// throughout (Middlesbrough) it is the league the merge must give.
QByteArray season(const QByteArray &first, const QByteArray &second)
{
    return kHeader + "E0,12/08/17,Arsenal," + first + ",2,0,1.5,4,7\n" + //
           "E0,12/08/17,Leeds,Chelsea,1,1,2.1,3.2,3.6\n" +               //
           "E0,19/08/17,Chelsea,Arsenal,0,1,2.5,3.3,2.9\n" +             //
           "E0,19/08/17," + second + ",Leeds,3,1,1.9,3.4,4.2\n" +        //
           "E0,26/08/17," + first + ",Chelsea,1,2,2.2,3.1,3.3\n" +       //
           "E0,26/08/17,Arsenal," + second + ",0,0,2.0,3.0,4.0\n" +      //
           "E0,02/09/17,Leeds,Arsenal,,,2.0,3.0,4.0\n";
}

void import(LeagueFixture &f, const QByteArray &csv)
{
    ImportResults(f.dm(), readResultsCsv(csv), f.messenger);
}

// Every stored row of a table read on a connection of its own, in the given order.
QStringList rows(const QString &path, const QString &sql)
{
    Database db;
    db.open(path);
    QStringList out;
    Statement st = db.prepare(sql);
    while (st.step()) {
        QStringList values;
        for (int c = 0; c < st.columnCount(); ++c)
            values << st.value(c).toString();
        out << values.join(QLatin1Char('|'));
    }
    return out;
}

// A league of three teams with the given matches, each "home|away|F|A|yyyy-MM-dd" (F and A -1 for a
// fixture), entered as the match dialog enters them.
void addMatches(LeagueFixture &f, const QStringList &matches)
{
    for (const QString &m : matches) {
        const QStringList v = m.split(QLatin1Char('|'));
        QVERIFY2(
            f.addMatch(v[0], v[1], v[2].toInt(), v[3].toInt(), false, QDate::fromString(v[4], Qt::ISODate)),
            qPrintable(m));
    }
}

const QStringList kThreeTeams = {QStringLiteral("Ayr"), QStringLiteral("Boro"), QStringLiteral("Cork")};

} // namespace

class TestTeamMerge : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Database::setDurableWrites(false);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // the dates in messages
    }
    void mergeEqualsOneSpellingFromTheStart();
    void laterImportMapsTheOldSpelling();
    void aTeamNamedLikeAnAliasKeepsItsMatches();
    void teamsThatMetAreRefused_data();
    void teamsThatMetAreRefused();
    void askedMergeDeletesTheMeetingsFirst();
    void chainedMergesEndAtTheKeptTeam();
    void refusals_data();
    void refusals();
    void askedMergeNeedsYes();
};

void TestTeamMerge::mergeEqualsOneSpellingFromTheStart()
{
    LeagueFixture two;
    import(two, season("Middlesboro", "Middlesbrough"));
    QCOMPARE(two.teamNames().size(), 5);
    Database &db = two.dm().ADOConnection;
    db.execute(QStringLiteral("INSERT INTO Players (N, Player, Team) VALUES (9, 'Juninho', 'MIDDLESBORO')"));
    db.execute(QStringLiteral("INSERT INTO Players (N, Player, Team) VALUES (1, 'Seaman', 'Arsenal')"));
    db.execute(QStringLiteral("UPDATE Teams SET TPic = ?1 WHERE Team = 'Middlesbrough'"),
               {QByteArray("picture of the kept team")});

    MergeTeams(db, QStringLiteral("middlesbrough"), QStringLiteral("Middlesboro"));

    LeagueFixture one;
    import(one, season("Middlesbrough", "Middlesbrough"));

    // The same matches with the same IDs, names, scores and points and rating snapshots.  Rounds are
    // not compared: the import counted them per spelling, and a merge keeps stored rounds.
    QStringList columns;
    for (const ColumnInfo &c : LeagueSchema::resultsColumns())
        if (c.name != QStringLiteral("Rnd"))
            columns << c.name;
    const QString results =
        QStringLiteral("SELECT %1 FROM Results ORDER BY ID").arg(columns.join(QLatin1Char(',')));
    QCOMPARE(rows(two.path(), results), rows(one.path(), results));
    QVERIFY(!rows(two.path(), results).join(QLatin1Char('\n')).contains(QStringLiteral("Middlesboro")));
    // The same standings and positions, the merged row gone; the kept team keeps its picture.
    const QString teams =
        QStringLiteral("SELECT Pos, Team, TRH, HP, HW, HD, HL, HF, HA, HDif, HPts, TRA, AP, AW, AD, "
                       "AL, AF, AA, ADif, APts, TRT, TP, TW, TD, TL, TF, TA, TDif, TPts "
                       "FROM Teams ORDER BY Team");
    QCOMPARE(rows(two.path(), teams), rows(one.path(), teams));
    QCOMPARE(rows(two.path(), QStringLiteral("SELECT count(*) FROM Teams")),
             QStringList{QStringLiteral("4")});
    QCOMPARE(rows(two.path(), QStringLiteral("SELECT TPic FROM Teams WHERE Team = 'Middlesbrough'")),
             QStringList{QStringLiteral("picture of the kept team")});
    // The replay really ran: four played matches and a rating away from the start.
    two.reopen();
    QVERIFY(two.team(QStringLiteral("Middlesbrough"), QStringLiteral("TRT")) != 1500);
    QCOMPARE(two.team(QStringLiteral("Middlesbrough"), QStringLiteral("TP")), 4);

    QCOMPARE(rows(two.path(), QStringLiteral("SELECT Player, Team FROM Players ORDER BY N")),
             QStringList({QStringLiteral("Seaman|Arsenal"), QStringLiteral("Juninho|Middlesbrough")}));
    Database file;
    file.open(two.path());
    const QHash<QString, QString> aliases = TeamAliases::readAll(file);
    QCOMPARE(aliases.size(), 1);
    QCOMPARE(aliases.value(TextCompare::foldedKey(QStringLiteral("Middlesboro"))),
             QStringLiteral("Middlesbrough"));
}

void TestTeamMerge::laterImportMapsTheOldSpelling()
{
    LeagueFixture f;
    import(f, season("Middlesboro", "Middlesbrough"));
    MergeTeams(f.dm().ADOConnection, QStringLiteral("Middlesbrough"), QStringLiteral("Middlesboro"));
    f.reopen();

    const ImportSummary s = ImportResults(
        f.dm(), readResultsCsv(kHeader + "E0,09/09/17,MIDDLESBORO,Leeds,2,2,2,3,4\n"), f.messenger);
    QCOMPARE(s.added, 1);
    QCOMPARE(s.teamsAdded, 0);
    QCOMPARE(rows(f.path(),
                  QStringLiteral("SELECT Home FROM Results WHERE DateP = (SELECT max(DateP) FROM Results)")),
             QStringList{QStringLiteral("Middlesbrough")});
    QCOMPARE(f.team(QStringLiteral("Middlesbrough"), QStringLiteral("TP")), 5);
    // The same file again changes nothing: its match is found under the kept name.
    const ImportSummary again = ImportResults(
        f.dm(), readResultsCsv(kHeader + "E0,09/09/17,Middlesboro,Leeds,2,2,2,3,4\n"), f.messenger);
    QCOMPARE(again.unchanged, 1);
    QCOMPARE(again.added, 0);
}

// After Middlesboro was merged into Middlesbrough, a team named Middlesboro is added again: a file's
// Middlesboro is that team, in any letter case, not the kept team.
void TestTeamMerge::aTeamNamedLikeAnAliasKeepsItsMatches()
{
    LeagueFixture f;
    import(f, season("Middlesboro", "Middlesbrough"));
    MergeTeams(f.dm().ADOConnection, QStringLiteral("Middlesbrough"), QStringLiteral("Middlesboro"));
    f.reopen();
    f.addTeam(QStringLiteral("Middlesboro"));

    const ImportSummary s =
        ImportResults(f.dm(),
                      readResultsCsv(kHeader + "E0,09/09/17,MIDDLESBORO,Leeds,2,2,2,3,4\n" +
                                     "E0,16/09/17,Leeds,Middlesboro,1,0,2,3,4\n"),
                      f.messenger);
    QCOMPARE(s.added, 2);
    QCOMPARE(s.teamsAdded, 0);
    QCOMPARE(rows(f.path(), QStringLiteral("SELECT Home, Away FROM Results WHERE DateP >= '2017-09-09' "
                                           "ORDER BY DateP")),
             QStringList({QStringLiteral("Middlesboro|Leeds"), QStringLiteral("Leeds|Middlesboro")}));
    QCOMPARE(f.team(QStringLiteral("Middlesboro"), QStringLiteral("TP")), 2);
    QCOMPARE(f.team(QStringLiteral("Middlesbrough"), QStringLiteral("TP")), 4);
}

void TestTeamMerge::teamsThatMetAreRefused_data()
{
    QTest::addColumn<QStringList>("matches");
    QTest::addColumn<QString>("message");

    const QString head = QStringLiteral("\"Boro\" and \"Ayr\" meet in these matches, which the merge would "
                                        "make a team's matches against itself:\n");
    const QString tail = QStringLiteral("\nDelete these matches first, then merge.");
    QTest::newRow("one played match")
        << QStringList{QStringLiteral("Boro|Ayr|2|1|2005-08-01"), QStringLiteral("Ayr|Cork|0|0|2005-08-08")}
        << head + QStringLiteral("8/1/2005: Boro v Ayr, 2:1") + tail;
    QTest::newRow("a fixture, after a match of the other way round")
        << QStringList{QStringLiteral("Ayr|Boro|-1|-1|2005-09-01"), QStringLiteral("Boro|Ayr|1|1|2005-08-01")}
        << head + QStringLiteral("8/1/2005: Boro v Ayr, 1:1\n9/1/2005: Ayr v Boro, not played") + tail;
    QStringList seven;
    for (int day = 1; day <= 7; ++day)
        seven << QStringLiteral("Ayr|Boro|%1|0|2005-08-0%1").arg(day);
    QTest::newRow("seven matches: five shown")
        << seven
        << head +
               QStringLiteral(
                   "8/1/2005: Ayr v Boro, 1:0\n8/2/2005: Ayr v Boro, 2:0\n8/3/2005: Ayr v Boro, 3:0\n"
                   "8/4/2005: Ayr v Boro, 4:0\n8/5/2005: Ayr v Boro, 5:0\nand 2 more") +
               tail;
}

// Merged, each match of the two teams against each other would be the kept team against itself, counted
// as a home win and an away loss of the same team.
void TestTeamMerge::teamsThatMetAreRefused()
{
    QFETCH(QStringList, matches);
    QFETCH(QString, message);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), kThreeTeams);
    addMatches(f, matches);
    const QByteArray before = fileHash(f.path());
    try {
        MergeTeams(f.dm().ADOConnection, QStringLiteral("ayr"), QStringLiteral("BORO"));
        QFAIL("the merge was not refused");
    } catch (const TeamMergeError &e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(fileHash(f.path()), before);
}

// The window's merge of two teams that met: the question names the matches; No changes nothing, Yes
// deletes them as "Delete Match" does (their closing prices go too), then merges.  The league is then the
// one that never had them.
void TestTeamMerge::askedMergeDeletesTheMeetingsFirst()
{
    const QStringList others = {QStringLiteral("Boro|Cork|1|0|2005-08-08"),
                                QStringLiteral("Cork|Ayr|0|0|2005-08-15")};
    LeagueFixture f(QStringLiteral("Football (Soccer)"), kThreeTeams);
    addMatches(f, QStringList{QStringLiteral("Ayr|Boro|2|1|2005-08-01")} + others +
                      QStringList{QStringLiteral("Boro|Ayr|-1|-1|2005-08-22")});
    Database &db = f.dm().ADOConnection;
    ClosingPrices::store(db, 0, {1.5, 4, 7}); // the first meeting's
    ClosingPrices::store(db, 1, {2, 3, 4});
    const QByteArray before = fileHash(f.path());

    QVERIFY(!MergeTeamsAsked(f.dm(), QStringLiteral("Ayr"), QStringLiteral("Boro"), f.messenger));
    QCOMPARE(f.messenger.messages().size(), 1);
    const RecordingMessenger::Message &question = f.messenger.messages().constFirst();
    QCOMPARE(question.buttons, Messenger::Buttons::YesNoDefaultNo);
    QCOMPARE(question.text,
             QStringLiteral("\"Boro\" and \"Ayr\" meet in these matches, which the merge would make a team's "
                            "matches against itself:\n8/1/2005: Ayr v Boro, 2:1\n8/22/2005: Boro v Ayr, not "
                            "played\nDelete these matches, then merge \"Boro\" into \"Ayr\"? This cannot be "
                            "undone."));
    QCOMPARE(fileHash(f.path()), before);
    f.messenger.clear();

    f.messenger.queueAnswer(Messenger::Answer::Yes);
    QVERIFY(MergeTeamsAsked(f.dm(), QStringLiteral("Ayr"), QStringLiteral("Boro"), f.messenger));
    QCOMPARE(f.messenger.messages().size(), 1);
    QCOMPARE(rows(f.path(), QStringLiteral("SELECT ID, Home, Away FROM Results ORDER BY ID")),
             QStringList({QStringLiteral("1|Ayr|Cork"), QStringLiteral("2|Cork|Ayr")}));
    QCOMPARE(f.dm().ADOTableResults.recordCount(), 2); // the open tables show it
    const QHash<qint64, ClosingPriceSet> prices = ClosingPrices::readAll(db);
    QCOMPARE(prices.keys(), QList<qint64>{1});

    LeagueFixture never(QStringLiteral("Football (Soccer)"), {QStringLiteral("Ayr"), QStringLiteral("Cork")});
    addMatches(never, QStringList{QStringLiteral("Ayr|Cork|1|0|2005-08-08"), others.last()});
    const QString teams = QStringLiteral(
        "SELECT Pos, Team, TRH, HP, HW, HD, HL, HF, HA, HPts, TRA, AP, AW, AD, AL, AF, AA, APts, "
        "TRT, TP, TW, TD, TL, TF, TA, TPts FROM Teams ORDER BY Team");
    QCOMPARE(rows(f.path(), teams), rows(never.path(), teams));
}

void TestTeamMerge::chainedMergesEndAtTheKeptTeam()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"),
                    {QStringLiteral("Boro"), QStringLiteral("Middlesboro"), QStringLiteral("Middlesbrough")});
    Database &db = f.dm().ADOConnection;
    MergeTeams(db, QStringLiteral("Middlesboro"), QStringLiteral("Boro"));
    MergeTeams(db, QStringLiteral("Middlesbrough"), QStringLiteral("Middlesboro"));
    const QHash<QString, QString> aliases = TeamAliases::readAll(db);
    QCOMPARE(aliases.size(), 2);
    QCOMPARE(aliases.value(TextCompare::foldedKey(QStringLiteral("boro"))), QStringLiteral("Middlesbrough"));
    QCOMPARE(aliases.value(TextCompare::foldedKey(QStringLiteral("middlesboro"))),
             QStringLiteral("Middlesbrough"));
}

void TestTeamMerge::refusals_data()
{
    QTest::addColumn<QString>("keep");
    QTest::addColumn<QString>("merge");
    QTest::addColumn<QString>("message");
    QTest::newRow("same team, other case")
        << QStringLiteral("Arsenal") << QStringLiteral("ARSENAL")
        << QStringLiteral("A team cannot be merged into itself: choose two "
                          "different teams.");
    QTest::newRow("unknown kept team") << QStringLiteral("Nowhere") << QStringLiteral("Middlesboro")
                                       << QStringLiteral("The league has no team \"Nowhere\".");
    QTest::newRow("unknown merged team") << QStringLiteral("Arsenal") << QStringLiteral("Nowhere FC")
                                         << QStringLiteral("The league has no team \"Nowhere FC\".");
    QTest::newRow("empty name") << QStringLiteral("Arsenal") << QStringLiteral(" ")
                                << QStringLiteral("The league has no team \"\".");
}

void TestTeamMerge::refusals()
{
    QFETCH(QString, keep);
    QFETCH(QString, merge);
    QFETCH(QString, message);
    LeagueFixture f;
    import(f, season("Middlesboro", "Middlesbrough"));
    const QByteArray before = fileHash(f.path());
    try {
        MergeTeams(f.dm().ADOConnection, keep, merge);
        QFAIL("the merge was not refused");
    } catch (const TeamMergeError &e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(fileHash(f.path()), before);
    QCOMPARE(f.teamNames().size(), 5);
}

// The window's merge: a refusal is told without a question; No changes nothing; Yes merges and the
// open tables show it at once.
void TestTeamMerge::askedMergeNeedsYes()
{
    LeagueFixture f;
    import(f, season("Middlesboro", "Middlesbrough"));
    const QByteArray before = fileHash(f.path());

    QVERIFY(!MergeTeamsAsked(f.dm(), QStringLiteral("Leeds"), QStringLiteral("leeds"), f.messenger));
    QCOMPARE(f.messenger.messages().size(), 1);
    QCOMPARE(f.messenger.messages().constFirst().kind, Messenger::Kind::Error);
    f.messenger.clear();

    QVERIFY(!MergeTeamsAsked(f.dm(), QStringLiteral("Middlesbrough"), QStringLiteral("Middlesboro"),
                             f.messenger));
    QCOMPARE(f.messenger.messages().size(), 1);
    QCOMPARE(f.messenger.messages().constFirst().buttons, Messenger::Buttons::YesNoDefaultNo);
    QCOMPARE(fileHash(f.path()), before);
    f.messenger.clear();

    f.messenger.queueAnswer(Messenger::Answer::Yes);
    QVERIFY(
        MergeTeamsAsked(f.dm(), QStringLiteral("Middlesbrough"), QStringLiteral("Middlesboro"), f.messenger));
    QCOMPARE(f.teamNames().size(), 4);
    QCOMPARE(f.team(QStringLiteral("Middlesbrough"), QStringLiteral("TP")), 4);
}

QTEST_GUILESS_MAIN(TestTeamMerge)
#include "tst_teammerge.moc"

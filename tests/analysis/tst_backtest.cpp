#include "analysis/BackTest.h"
#include "analysis/SystemsFile.h"
#include "data/Errors.h"
#include "data/Numbers.h"
#include "entry/Odds.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"
#include "support/RandomLeague.h"

#include <QDir>
#include <QTest>

namespace
{
struct Detail {
    QString result, verdict, presult, uop, o1, ox, o2;
    int F, A, Ttl;
    double UOV, balance;
};

QList<Detail> details(Database &sys)
{
    QList<Detail> out;
    Statement st = sys.prepare(QStringLiteral("SELECT Result, Verdict, PResult, UOP, O1, OX, O2, F, A, Ttl, "
                                              "UOV, Balance FROM Results ORDER BY rowid"));
    while (st.step())
        out.append({st.value(0).toString(), st.value(1).toString(), st.value(2).toString(),
                    st.value(3).toString(), st.value(4).toString(), st.value(5).toString(),
                    st.value(6).toString(), st.value(7).toInt(), st.value(8).toInt(), st.value(9).toInt(),
                    st.value(10).toDouble(), st.value(11).toDouble()});
    return out;
}

int methodsCount(Database &sys)
{
    return sys.scalar(QStringLiteral("SELECT count(*) FROM Methods")).toInt();
}

BettingSystem system(bool draw = true, int confidence = 10)
{
    BettingSystem s;
    s.options.homeWin = s.options.awayWin = true;
    s.options.draw = draw;
    s.options.homePct = s.options.drawPct = s.options.awayPct = 10;
    s.options.confidence = confidence;
    s.options.lastMatches = 4;
    s.startingBalance = 100;
    s.wager = 20;
    return s;
}
} // namespace

class TestBackTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void emptyLeagueCreatesFolderFileAndZeroRow();
    void settlementAndSummaryAgreeWithDetail();
    void overtimeDrawWinsDrawBetAndEmptyOddsCountWithoutMoney();
    void unreadableOddsStopKeepsDetailWithoutSummary();
    void secondLeagueReplacesDetailAndAddsRow();
    void statusTexts();

private:
    QTemporaryDir m_dir;
};

void TestBackTest::emptyLeagueCreatesFolderFileAndZeroRow()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("H"), QStringLiteral("A")});
    MatchRow fixture;
    fixture.home = QStringLiteral("H"), fixture.away = QStringLiteral("A"), fixture.date = QDate(2005, 9, 1);
    insertMatch(f.dm().ADOConnection, fixture);
    const QString path = m_dir.filePath(QStringLiteral("fresh/systems/bettingsystems.qvs"));
    Database sys;
    SystemsFile::open(sys, path); // neither the folder nor the file exists yet
    const MethodsRow row = BackTest(system(), f.dm(), sys).run();
    QCOMPARE(row.ID, 0);
    QCOMPARE(row.League, QStringLiteral("Test League.qvl"));
    QCOMPARE((QList<int>{row.Crt, row.Ict, row.Tot, row.CrtP, row.UOP, row.SCP}),
             (QList<int>{0, 0, 0, 0, 0, 0}));
    QCOMPARE(row.Profit, 0.0);
    QCOMPARE(row.TS, QStringLiteral("HA"));
    QCOMPARE(row.Draw, QStringLiteral("YES"));
    QCOMPARE(details(sys).size(), 0);
    QCOMPARE(methodsCount(sys), 1);
    // A second run appends the next ID.
    QCOMPARE(BackTest(system(), f.dm(), sys).run().ID, 1);
}

void TestBackTest::settlementAndSummaryAgreeWithDetail()
{
    const QString league = m_dir.filePath(QStringLiteral("random.qvl"));
    RandomLeagueSpec spec;
    spec.seed = 7;
    spec.matches = 300;
    spec.awkward = false;
    writeRandomLeague(league, spec);
    TDataMod dm;
    dm.openLeague(league);
    Database sys;
    SystemsFile::open(sys, m_dir.filePath(QStringLiteral("settle.qvs")));
    BettingSystem s = system(true, 30);
    s.wager = 15;
    const MethodsRow row = BackTest(s, dm, sys).run();

    // Settle again from the detail rows alone.
    double balance = s.startingBalance;
    int won = 0, lost = 0, uoHits = 0, scoreHits = 0;
    const QList<Detail> rows = details(sys);
    QVERIFY(rows.size() > 200);
    for (const Detail &d : rows) {
        const bool draw = d.F == d.A || d.result.contains(QLatin1String("OT"));
        const QChar happened = draw ? QLatin1Char('X') : d.F > d.A ? QLatin1Char('1') : QLatin1Char('2');
        if (d.verdict != QLatin1String("?")) {
            const QString &odds = d.verdict == QLatin1String("1")   ? d.o1
                                  : d.verdict == QLatin1String("X") ? d.ox
                                                                    : d.o2;
            const double price = Odds::OddsToDecimal(odds);
            const bool right = d.verdict.at(0) == happened;
            right ? ++won : ++lost;
            balance += price == 0 ? 0 : right ? price * s.wager - s.wager : -s.wager;
        }
        QCOMPARE(d.balance, Numbers::round2(balance));
        scoreHits += d.result == d.presult;
        const int total = d.F + d.A;
        uoHits += (d.Ttl > d.UOV && total > d.UOV) || (d.Ttl < d.UOV && total < d.UOV);
    }
    QVERIFY(won > 0 && lost > 0);
    QCOMPARE(row.Crt, won);
    QCOMPARE(row.Ict, lost);
    QCOMPARE(row.Tot, won + lost);
    QCOMPARE(row.CrtP, int(Numbers::roundHalfEven(100.0 * won / (won + lost))));
    QCOMPARE(row.Profit, Numbers::round2((balance - 100) / 100 * 100));
    QCOMPARE(row.UOP, int(Numbers::roundHalfEven(100.0 * uoHits / rows.size())));
    QCOMPARE(row.SCP, int(Numbers::roundHalfEven(100.0 * scoreHits / rows.size())));
    // The stored row is the returned one.
    Statement st = sys.prepare(QStringLiteral("SELECT * FROM Methods"));
    QVERIFY(st.step());
    const QVariantList values = row.values();
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(st.value(i).toString(), values[i].typeId() == QMetaType::QString
                                             ? values[i].toString()
                                             : QString::number(values[i].toDouble()));
}

void TestBackTest::overtimeDrawWinsDrawBetAndEmptyOddsCountWithoutMoney()
{
    // Every match of both teams is a draw, so the draw is the tip for their meetings.
    LeagueFixture f(QStringLiteral("Ice Hockey"), {QStringLiteral("H"), QStringLiteral("A")});
    Database &db = f.dm().ADOConnection;
    for (int i = 0; i < 6; ++i) {
        MatchRow m =
            playedRow(i % 2 ? QStringLiteral("H-A 2:2") : QStringLiteral("A-H 1:1"), QDate(2005, 8, 1 + i));
        insertMatch(db, m);
    }
    MatchRow ot = playedRow(QStringLiteral("H-A 3:2 OT"), QDate(2005, 8, 20));
    ot.OX = QStringLiteral("3.00");
    insertMatch(db, ot);
    MatchRow noOdds = playedRow(QStringLiteral("A-H 1:1"), QDate(2005, 8, 21));
    noOdds.OX = QStringLiteral("-");
    insertMatch(db, noOdds);
    f.reopen();
    Database sys;
    SystemsFile::open(sys, m_dir.filePath(QStringLiteral("ot.qvs")));
    BackTest(system(true, 10), f.dm(), sys).run();
    const QList<Detail> rows = details(sys);
    QCOMPARE(rows.size(), 8);
    QCOMPARE(rows[6].result, QStringLiteral("3:2 OT"));
    QCOMPARE(rows[6].verdict, QStringLiteral("X"));
    QCOMPARE(rows[7].verdict, QStringLiteral("X"));
    QCOMPARE(rows[6].balance - rows[5].balance, 40.0); // 3.00 x 20 - 20
    QCOMPARE(rows[7].balance, rows[6].balance);        // won, but no price: no money
    QVERIFY(rows[6].presult != rows[6].result);        // an overtime score never equals a prediction
}

void TestBackTest::unreadableOddsStopKeepsDetailWithoutSummary()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("H"), QStringLiteral("A")});
    Database &db = f.dm().ADOConnection;
    for (int i = 0; i < 5; ++i) {
        MatchRow m = playedRow(QStringLiteral("H-A 2:0"), QDate(2005, 8, 1 + i));
        m.O1 = QStringLiteral("1.50");
        m.O2 = QStringLiteral("1.50");
        m.OX = QStringLiteral("1.50");
        if (i == 3)
            m.O1 = m.OX = m.O2 = QStringLiteral("1.5x");
        insertMatch(db, m);
    }
    f.reopen();
    Database sys;
    SystemsFile::open(sys, m_dir.filePath(QStringLiteral("stop.qvs")));
    try {
        BackTest(system(true, 10), f.dm(), sys).run();
        QFAIL("an unreadable price did not stop the test");
    } catch (const ConversionError &e) {
        QCOMPARE(e.message(), QStringLiteral("'1.5x' is not a valid floating point value"));
    }
    QCOMPARE(details(sys).size(), 3);
    QCOMPARE(methodsCount(sys), 0);
}

void TestBackTest::secondLeagueReplacesDetailAndAddsRow()
{
    Database sys;
    SystemsFile::open(sys, m_dir.filePath(QStringLiteral("two.qvs")));
    for (const QString &name : {QStringLiteral("First"), QStringLiteral("Second")}) {
        LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("H"), name});
        f.setLeague(QStringLiteral("League"), name);
        insertMatch(f.dm().ADOConnection,
                    playedRow(QStringLiteral("H-") + name + QStringLiteral(" 1:0"), QDate(2005, 8, 1)));
        f.reopen();
        BackTest(system(), f.dm(), sys).run();
    }
    QCOMPARE(methodsCount(sys), 2);
    QCOMPARE(sys.scalar(QStringLiteral("SELECT group_concat(League, ',') FROM Methods")).toString(),
             QStringLiteral("First,Second"));
    QCOMPARE(sys.scalar(QStringLiteral("SELECT group_concat(Away, ',') FROM Results")).toString(),
             QStringLiteral("Second"));
}

void TestBackTest::statusTexts()
{
    QCOMPARE(
        BackTest::statusTexts(5, 8),
        (QStringList{QStringLiteral("Status: Testing betting system"), QStringLiteral("Current Match: 5"),
                     QStringLiteral("Total Matches: 8"), QStringLiteral("Tested: 62%")}));
}

QTEST_GUILESS_MAIN(TestBackTest)
#include "tst_backtest.moc"

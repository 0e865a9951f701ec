// The check of a league's played rows: which rows add up and which do not, how the message names them,
// and that every computation from the played matches refuses the league until it is mended.

#include "analysis/BackTest.h"
#include "analysis/Calibration.h"
#include "analysis/HistoryRows.h"
#include "analysis/SystemsFile.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/PlayedRowsCheck.h"
#include "predict/MatchTip.h"
#include "predict/PlayedMatches.h"
#include "predict/PredictionCommands.h"
#include "support/LeagueFixture.h"

#include <QTest>
#include <functional>

using Computation = std::function<void(TDataMod &, Database &systems)>;
Q_DECLARE_METATYPE(Computation)

namespace
{
const QString Alpha = QStringLiteral("Alpha"), Beta = QStringLiteral("Beta"), Gamma = QStringLiteral("Gamma");

// Alpha - Beta 2:1, Beta - Gamma 0:0, Gamma - Alpha 3:2 in overtime (IDs 0, 1, 2), and a fixture (ID 3).
void addSeason(LeagueFixture &f)
{
    QVERIFY(f.addMatch(Alpha, Beta, 2, 1, false, QDate(2005, 8, 1)));
    QVERIFY(f.addMatch(Beta, Gamma, 0, 0, false, QDate(2005, 8, 8)));
    QVERIFY(f.addMatch(Gamma, Alpha, 3, 2, true, QDate(2005, 8, 15)));
    QVERIFY(f.addMatch(Alpha, Gamma, -1, -1, false, QDate(2005, 8, 22)));
}
} // namespace

class TestPlayedRowsCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_f = std::make_unique<LeagueFixture>(QStringLiteral("Football (Soccer)"),
                                              QStringList{Alpha, Beta, Gamma});
    }
    void cleanup() { m_f.reset(); }

    void eachFaultIsNamed_data();
    void eachFaultIsNamed();
    void aFewRowsThenHowManyMore();
    void aRememberedCheckSeesEveryChange();
    void computationsRefuseUntilMended_data();
    void computationsRefuseUntilMended();

private:
    std::unique_ptr<LeagueFixture> m_f;
};

void TestPlayedRowsCheck::eachFaultIsNamed_data()
{
    QTest::addColumn<QString>("spoil");   // run on the row of ID 1 (Beta - Gamma 0:0)
    QTest::addColumn<QString>("problem"); // empty: the league adds up

    const auto fine = [](const char *name, const char *set) {
        QTest::newRow(name) << QString::fromUtf8(set) << QString();
    };
    const auto fault = [](const char *name, const char *set, const char *problem) {
        QTest::newRow(name) << QString::fromUtf8(set)
                            << QStringLiteral("Results row ID 1, column ") + QString::fromUtf8(problem);
    };
    fine("as entered", "Rnd = 1");
    fine("overtime", "Result = '4:4 OT', F = 4, A = 4");
    fine("leading zero", "Result = '00:0'");
    fine("scores stored as texts", "F = '0', A = ' 0 '");
    fine("a fixture holds anything", "Result = ':', F = 7, A = 'x', Home = Away");
    fine("no Result at all is no played match", "Result = NULL, F = 7");
    fine("an empty number reads 0", "F = NULL, TRH = NULL");

    fault("a team against itself", "Away = Home", "Away: 'Beta' is the home team as well");
    fault("one team in two spellings", "Away = 'BETA'", "Away: 'BETA' is the home team as well");
    fault("letters", "Result = 'a:b'", "Result: 'a:b' is not a score such as 2:1 or 3:2 OT");
    fault("three numbers", "Result = '1:2:3'", "Result: '1:2:3' is not a score such as 2:1 or 3:2 OT");
    fault("empty", "Result = ''", "Result: '' is not a score such as 2:1 or 3:2 OT");
    fault("one character", "Result = '-'", "Result: '-' is not a score such as 2:1 or 3:2 OT");
    fault("blanks", "Result = '0 : 0'", "Result: '0 : 0' is not a score such as 2:1 or 3:2 OT");
    fault("overtime in small letters", "Result = '0:0 ot'",
          "Result: '0:0 ot' is not a score such as 2:1 or 3:2 OT");
    fault("negative", "Result = '-1:0', F = -1", "Result: '-1:0' is not a score such as 2:1 or 3:2 OT");
    fault("beyond any number", "Result = '9999999999:0'",
          "Result: '9999999999:0' is not a score such as 2:1 or 3:2 OT");
    fault("Result and scores disagree", "Result = '2:0', F = 0, A = 5",
          "Result: '2:0' does not agree with F 0 and A 5");
    fault("scores of a fixture", "F = -1, A = -1", "Result: '0:0' does not agree with F -1 and A -1");
    fault("home score that does not read", "F = 'x'", "F: 'x' is not a valid integer value");
    fault("round that does not read", "Rnd = 'third'", "Rnd: 'third' is not a valid integer value");
    fault("rating snapshot that does not read", "TRAT = '1.5k'", "TRAT: '1.5k' is not a valid integer value");
    fault("stored prediction that does not read", "HP = '40%'", "HP: '40%' is not a valid integer value");
    QTest::newRow("ID that does not read")
        << QStringLiteral("ID = 'one'")
        << QStringLiteral("Results row ID 'one', column ID: 'one' is not a "
                          "valid integer value");
}

void TestPlayedRowsCheck::eachFaultIsNamed()
{
    QFETCH(QString, spoil);
    QFETCH(QString, problem);
    addSeason(*m_f);
    Database &db = m_f->dm().ADOConnection;
    QVERIFY(checkPlayedRows(db).consistent());
    db.execute(QStringLiteral("UPDATE Results SET %1 WHERE ID = 1").arg(spoil));

    const PlayedRowsReport report = checkPlayedRows(db);
    QCOMPARE(report.faulty, problem.isEmpty() ? 0 : 1);
    QCOMPARE(report.consistent(), problem.isEmpty());
    if (!problem.isEmpty()) {
        QCOMPARE(report.shown.size(), 1);
        QCOMPARE(report.shown[0].text(), problem);
        QCOMPARE(playedRowsMessage(report).section(QLatin1Char('\n'), 0, 1),
                 QStringLiteral("1 played match does not add up:\n") + problem);
    }
}

void TestPlayedRowsCheck::aFewRowsThenHowManyMore()
{
    Database &db = m_f->dm().ADOConnection;
    for (int i = 0; i < 8; ++i)
        QVERIFY(
            m_f->addMatch(i % 2 ? Alpha : Beta, i % 2 ? Beta : Alpha, 1, 0, false, QDate(2005, 9, 1 + i)));
    // IDs 1, 3, 4, 5, 6, 7 of the eight do not add up: the first five are named, the last counted.
    db.execute(QStringLiteral("UPDATE Results SET F = 3 WHERE ID IN (1, 3, 4, 5, 6, 7)"));
    const PlayedRowsReport report = checkPlayedRows(db);
    QCOMPARE(report.faulty, 6);
    const QString line =
        QStringLiteral("Results row ID %1, column Result: '1:0' does not agree with F 3 and A 0");
    QCOMPARE(
        playedRowsMessage(report),
        QStringList({QStringLiteral("6 played matches do not add up:"), line.arg(1), line.arg(3), line.arg(4),
                     line.arg(5), line.arg(6), QStringLiteral("and 1 more."),
                     QStringLiteral("Predictions, back-tests, the prediction history, calibration and the "
                                    "league table refuse this league until these rows are mended in the "
                                    "Scores view.")})
            .join(QLatin1Char('\n')));
}

// A command checks on opening and again where it reads the matches; the second check is remembered from
// the first, but never past a change: by this connection, by another program, or while the file was closed.
void TestPlayedRowsCheck::aRememberedCheckSeesEveryChange()
{
    addSeason(*m_f);
    Database &db = m_f->dm().ADOConnection;
    QVERIFY(checkPlayedRows(db).consistent());
    QVERIFY(checkPlayedRows(db).consistent());
    QCOMPARE(checkPlayedRows(db).rows, 3);

    Database other;
    other.open(m_f->path());
    other.execute(QStringLiteral("UPDATE Results SET Away = Home WHERE ID = 2"));
    QCOMPARE(checkPlayedRows(db).faulty, 1);
    other.execute(QStringLiteral("UPDATE Results SET Away = 'Alpha' WHERE ID = 2"));
    QVERIFY(checkPlayedRows(db).consistent());

    db.execute(QStringLiteral("UPDATE Results SET F = 9 WHERE ID = 0"));
    QCOMPARE(checkPlayedRows(db).faulty, 1);
    db.execute(QStringLiteral("UPDATE Results SET F = 2 WHERE ID = 0"));
    QVERIFY(checkPlayedRows(db).consistent());

    m_f->dm().closeLeague();
    other.execute(QStringLiteral("UPDATE Results SET Result = '0:1' WHERE ID = 1"));
    other.close();
    m_f->dm().openLeague(m_f->path());
    QCOMPARE(checkPlayedRows(m_f->dm().ADOConnection).faulty, 1);
}

void TestPlayedRowsCheck::computationsRefuseUntilMended_data()
{
    using Run = Computation;
    QTest::addColumn<Run>("run");
    QTest::newRow("played matches of predictions and back-tests")
        << Run([](TDataMod &dm, Database &) { readPlayedMatches(dm.ADOConnection); });
    QTest::newRow("rows of the prediction history")
        << Run([](TDataMod &dm, Database &) { readHistoryRows(dm.ADOConnection); });
    QTest::newRow("matches of the calibration")
        << Run([](TDataMod &dm, Database &) { readCalibrationMatches(dm.ADOConnection); });
    QTest::newRow("recalculate predictions") << Run([](TDataMod &dm, Database &) {
        RecordingMessenger m;
        RecalculatePredictions(dm, PredictionOptions(), m);
    });
    QTest::newRow("predict upcoming matches") << Run([](TDataMod &dm, Database &) {
        RecordingMessenger m;
        PredictUpcomingMatches(dm, PredictionOptions(), m);
    });
    QTest::newRow("back-test") << Run(
        [](TDataMod &dm, Database &systems) { BackTest(BettingSystem(), dm, systems).run(); });
    QTest::newRow("match tip") << Run([](TDataMod &dm, Database &) {
        RecordingMessenger m;
        TipChoice choice;
        choice.home = Alpha;
        choice.away = Beta;
        ComputeMatchTip(dm, choice, m);
    });
}

void TestPlayedRowsCheck::computationsRefuseUntilMended()
{
    QFETCH(Computation, run);
    addSeason(*m_f);
    Database &db = m_f->dm().ADOConnection;
    db.execute(QStringLiteral("UPDATE Results SET Away = Home WHERE ID = 2"));
    m_f->reopen();
    QTemporaryDir dir;
    Database systems;
    SystemsFile::open(systems, dir.filePath(QStringLiteral("systems.qvs")));
    const QString before =
        m_f->dm()
            .ADOConnection.scalar(QStringLiteral("SELECT group_concat(HP || PResult) FROM Results"))
            .toString();

    try {
        run(m_f->dm(), systems);
        QFAIL("the league was taken");
    } catch (const QuorvaneError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("1 played match does not add up:\nResults row ID 2, "
                                                       "column Away: 'Gamma' is the home team as well\n")),
                 qPrintable(e.message()));
    }
    QCOMPARE(m_f->dm()
                 .ADOConnection.scalar(QStringLiteral("SELECT group_concat(HP || PResult) FROM Results"))
                 .toString(),
             before);
    QCOMPARE(systems.scalar(QStringLiteral("SELECT count(*) FROM Methods")).toInt(), 0);

    m_f->dm().ADOConnection.execute(QStringLiteral("UPDATE Results SET Away = 'Alpha' WHERE ID = 2"));
    m_f->reopen();
    run(m_f->dm(), systems); // mended: taken
}

QTEST_GUILESS_MAIN(TestPlayedRowsCheck)
#include "tst_playedrowscheck.moc"

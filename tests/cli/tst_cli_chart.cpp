// The command-line companion's team comparison chart: both series as JSON for the choices given, and
// the choices it refuses as the window does.

#include "support/CliRun.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace
{
QStringList words(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *w : list)
        out << QString::fromUtf8(w);
    return out;
}
QString text(const char *t)
{
    return QString::fromUtf8(t);
}
} // namespace

class TestCliChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void seriesAsJson_data();
    void seriesAsJson();
    void refusedChoices_data();
    void refusedChoices();

private:
    CliRun cli(const QStringList &args) { return runCli(quorvaneCli(), args); }
    std::unique_ptr<LeagueFixture> m_league;
};

// A: wins 2:1 at home, draws 0:0 away, wins 3:2 away in overtime (2 points); B: the loser at A.
void TestCliChart::initTestCase()
{
    m_league = std::make_unique<LeagueFixture>(
        QStringLiteral("Football (Soccer)"),
        QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    m_league->setLeague(QStringLiteral("PW"), 3);
    m_league->setLeague(QStringLiteral("PD"), 1);
    m_league->setLeague(QStringLiteral("PL"), 0);
    m_league->setLeague(QStringLiteral("PWO"), 2);
    m_league->setLeague(QStringLiteral("PLO"), 1);
    Database &db = m_league->dm().ADOConnection;
    insertMatch(db, playedRow(QStringLiteral("C-A 2:3 OT"), QDate(2024, 3, 1)));
    insertMatch(db, playedRow(QStringLiteral("A-B 2:1"), QDate(2024, 1, 10)));
    insertMatch(db, playedRow(QStringLiteral("C-A 0:0"), QDate(2024, 2, 1)));
}

void TestCliChart::seriesAsJson_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected"); // series1 | series2 as title:points
    QTest::newRow("both, defaults") << words({"--team1", "A", "--team2", "B", "--type", "Points"})
                                    << text("A:[[1,3],[2,4],[3,6]]|B:[[1,0]]");
    QTest::newRow("venues, typed case kept as the title")
        << words({"--team1", "a", "--venue1", "away", "--team2", "C", "--venue2", "Home", "--type", "For"})
        << text("a:[[1,0],[2,3]]|C:[[1,0],[2,2]]");
    QTest::newRow("view team 2") << words({"--team1", "A", "--team2", "B", "--view", "Team 2", "--type",
                                           "Losses"})
                                 << text("A:[]|B:[[1,1]]");
    QTest::newRow("no second team") << words({"--team1", "A", "--type", "Difference"})
                                    << text("A:[[1,1],[2,0],[3,1]]|Team 2:[]");
}

void TestCliChart::seriesAsJson()
{
    QFETCH(QStringList, args);
    QFETCH(QString, expected);
    const CliRun r = cli(QStringList{QStringLiteral("chart"), m_league->path()} + args +
                         QStringList{QStringLiteral("--format"), QStringLiteral("json")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QJsonParseError error;
    const QJsonObject chart = QJsonDocument::fromJson(r.out, &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, r.out.constData());
    QStringList got;
    for (const char *name : {"series1", "series2"}) {
        const QJsonObject s = chart.value(QLatin1String(name)).toObject();
        got << s.value(QLatin1String("title")).toString() + QLatin1Char(':') +
                   QString::fromUtf8(QJsonDocument(s.value(QLatin1String("points")).toArray())
                                         .toJson(QJsonDocument::Compact));
    }
    QCOMPARE(got.join(QLatin1Char('|')), expected);
}

void TestCliChart::refusedChoices_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("team") << words({"--team1", "Z", "--type", "Wins"}) << text("Z is not in the list");
    QTest::newRow("venue") << words({"--team1", "A", "--venue1", "Middle", "--type", "Wins"})
                           << text("Middle is not in the list");
    QTest::newRow("view") << words({"--team1", "A", "--view", "Team 3", "--type", "Wins"})
                          << text("Team 3 is not in the list");
    QTest::newRow("type") << words({"--team1", "A", "--type", "Goals"}) << text("Invalid Type");
    QTest::newRow("no type") << words({"--team1", "A"}) << text("--type");
}

void TestCliChart::refusedChoices()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const CliRun r = cli(QStringList{QStringLiteral("chart"), m_league->path()} + args);
    QVERIFY(r.exitCode != 0);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

QTEST_GUILESS_MAIN(TestCliChart)
#include "tst_cli_chart.moc"

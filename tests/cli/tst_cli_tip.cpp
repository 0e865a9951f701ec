// quorvane-cli tip: the real binary on the example league, its numbers against the same computation run
// in this process and against the worked example.

#include "data/TDataMod.h"
#include "predict/MatchTip.h"
#include "support/CliRun.h"
#include "support/TipExample.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace
{

CliRun cli(const QStringList &args)
{
    return runCli(quorvaneCli(), args);
}

// The example's betting system: home and away at 50, no draws, confidence 50, venue statistics, six matches.
QStringList exampleSystem()
{
    return {
        QStringLiteral("--home-win"), QStringLiteral("yes"), QStringLiteral("--draw"), QStringLiteral("no"),
        QStringLiteral("--away-win"), QStringLiteral("yes"), QStringLiteral("--hp"),   QStringLiteral("50"),
        QStringLiteral("--ap"),       QStringLiteral("50"),  QStringLiteral("--cf"),   QStringLiteral("50"),
        QStringLiteral("--stats"),    QStringLiteral("ha"),  QStringLiteral("--lm"),   QStringLiteral("6")};
}

QJsonObject tipJson(const QString &path, const QStringList &extra)
{
    const CliRun r = cli(QStringList{QStringLiteral("tip"), path, QStringLiteral("--home"),
                                     QStringLiteral("H"), QStringLiteral("--away"), QStringLiteral("A"),
                                     QStringLiteral("--format"), QStringLiteral("json")} +
                         exampleSystem() + extra);
    if (r.exitCode != 0)
        qWarning("tip failed: %s", qPrintable(r.err));
    return QJsonDocument::fromJson(r.out).object();
}

QStringList texts(const QJsonValue &v)
{
    QStringList out;
    for (const QJsonValue &item : v.toArray())
        out << item.toString();
    return out;
}

QStringList texts(const TipStatColumn &c)
{
    return QStringList(c.texts.begin(), c.texts.end());
}

} // namespace

class TestCliTip : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matchesTheWindow_data();
    void matchesTheWindow();
    void textFormat();
    void refusals_data();
    void refusals();
};

void TestCliTip::matchesTheWindow_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QList<int>>("expected"); // HP DP AP CF, -1 where the example states none
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("handicap");
    QTest::newRow("plain") << QStringList() << QList<int>{54, 27, 19, 79} << QStringLiteral("2:1")
                           << QStringLiteral("0:0");
    QTest::newRow("home handicap -1")
        << QStringList{QStringLiteral("--hch"), QStringLiteral("-1")} << QList<int>{36, 24, 40, 57}
        << QStringLiteral("2:1") << QStringLiteral("-1:0");
    QTest::newRow("team strengths") << QStringList{QStringLiteral("--tsh"), QStringLiteral("120"),
                                                   QStringLiteral("--tsa"), QStringLiteral("90")}
                                    << QList<int>{58, 26, 16, -1} << QStringLiteral("2:1")
                                    << QStringLiteral("0:0");
    QTest::newRow("line-ups") << QStringList{QStringLiteral("--lineups")} << QList<int>{-1, -1, -1, -1}
                              << QString() << QStringLiteral("0:0");
}

void TestCliTip::matchesTheWindow()
{
    QFETCH(QStringList, extra);
    QFETCH(QList<int>, expected);
    QFETCH(QString, score);
    QFETCH(QString, handicap);
    TipExampleLeague example;
    example.addPlayer(QStringLiteral("H"), QStringLiteral("Ann"), 70, QStringLiteral("IN"));
    example.addPlayer(QStringLiteral("H"), QStringLiteral("Bob"), 60, QStringLiteral("IN"));
    example.addPlayer(QStringLiteral("H"), QStringLiteral("Cid"), 50, QStringLiteral("OUT"));
    const QJsonObject o = tipJson(example.league.path(), extra);
    QVERIFY(!o.isEmpty());
    // One object with the fourteen members and nothing else.
    QCOMPARE(o.keys().size(), 14);

    // The same choice computed here, as the window would.
    TipChoice choice;
    choice.home = QStringLiteral("H");
    choice.away = QStringLiteral("A");
    choice.options = tipExampleOptions();
    choice.handicapHome = extra.contains(QStringLiteral("--hch")) ? -1 : 0;
    if (extra.contains(QStringLiteral("--tsh"))) {
        choice.strengthHome = 120;
        choice.strengthAway = 90;
    }
    choice.lineups = extra.contains(QStringLiteral("--lineups"));
    RecordingMessenger messenger;
    const MatchTip tip = ComputeMatchTip(example.league.dm(), choice, messenger);
    const TipPrediction &p = tip.prediction;

    const QList<int> got = {o[QStringLiteral("HP")].toInt(), o[QStringLiteral("DP")].toInt(),
                            o[QStringLiteral("AP")].toInt(), o[QStringLiteral("CF")].toInt()};
    QCOMPARE(got, (QList<int>{p.HP, p.DP, p.AP, p.CF}));
    for (qsizetype i = 0; i < expected.size(); ++i)
        if (expected[i] >= 0)
            QCOMPARE(got[i], expected[i]);
    if (!score.isEmpty())
        QCOMPARE(o[QStringLiteral("score")].toString(), score);
    QCOMPARE(o[QStringLiteral("total")].toInt(), p.total);
    QCOMPARE(o[QStringLiteral("handicap")].toString(), handicap);
    QCOMPARE(o[QStringLiteral("strength_home")].toInt(), choice.lineups ? 72 : choice.strengthHome);
    QCOMPARE(o[QStringLiteral("strength_away")].toInt(), tip.strengthAway);
    QCOMPARE(o[QStringLiteral("verdict")].toString(), tip.verdictText);
    QCOMPARE(o[QStringLiteral("home")].toString(), QStringLiteral("H"));

    const QJsonObject homeGrid = o[QStringLiteral("home_grid")].toObject();
    const QJsonObject awayGrid = o[QStringLiteral("away_grid")].toObject();
    QCOMPARE(texts(homeGrid[QStringLiteral("Home")]), texts(tip.homeHome));
    QCOMPARE(texts(homeGrid[QStringLiteral("Total")]), texts(tip.homeTotal));
    QCOMPARE(texts(awayGrid[QStringLiteral("Away")]), texts(tip.awayAway));
    QCOMPARE(texts(awayGrid[QStringLiteral("Total")]), texts(tip.awayTotal));
    // Rating to Score Avg.: H's home column of the example.
    QCOMPARE(texts(homeGrid[QStringLiteral("Home")]),
             (QStringList{QStringLiteral("1200"), QStringLiteral("1"), QStringLiteral("4"),
                          QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("12"), QStringLiteral("4"),
                          QStringLiteral("0"), QStringLiteral("13"), QStringLiteral("2"),
                          QStringLiteral("0.67"), QStringLiteral("1.75")}));
}

void TestCliTip::textFormat()
{
    TipExampleLeague example;
    const CliRun r = cli(QStringList{QStringLiteral("tip"), example.league.path(), QStringLiteral("--home"),
                                     QStringLiteral("h"), QStringLiteral("--away"), QStringLiteral("A")} +
                         exampleSystem());
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString out = QString::fromUtf8(r.out);
    QVERIFY2(out.contains(QStringLiteral("Verdict -> h <- Verdict")), qPrintable(out));
    QVERIFY(out.contains(QStringLiteral("54%")));
    QVERIFY(out.contains(QStringLiteral("Score Avg.")));
}

void TestCliTip::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString home = QStringLiteral("--home"), away = QStringLiteral("--away");
    QTest::newRow("same team") << QStringList{home, QStringLiteral("H"), away, QStringLiteral("H")} << 1
                               << QStringLiteral("Home team cannot equal Away team");
    QTest::newRow("same team, other letter case")
        << QStringList{home, QStringLiteral("H"), away, QStringLiteral("h")} << 1
        << QStringLiteral("Home team cannot equal Away team");
    QTest::newRow("unknown home") << QStringList{home, QStringLiteral("Nobody"), away, QStringLiteral("A")}
                                  << 1 << QStringLiteral("Home team not selected");
    QTest::newRow("unknown away") << QStringList{home, QStringLiteral("H"), away, QStringLiteral("Nobody")}
                                  << 1 << QStringLiteral("Away team not selected");
    QTest::newRow("handicap that does not read")
        << QStringList{home,
                       QStringLiteral("H"),
                       away,
                       QStringLiteral("A"),
                       QStringLiteral("--hch"),
                       QStringLiteral("-")}
        << 1 << QStringLiteral("'-' is not a valid floating point value");
    QTest::newRow("no away team") << QStringList{home, QStringLiteral("H")} << 2 << QStringLiteral("--away");
}

void TestCliTip::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    TipExampleLeague example;
    const CliRun r = cli(QStringList{QStringLiteral("tip"), example.league.path()} + args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

QTEST_GUILESS_MAIN(TestCliTip)
#include "tst_cli_tip.moc"

// The prediction and analysis commands of the real quorvane-cli binary, each checked against the same
// routine run in this process on a copy of the same league.

#include "analysis/BackTest.h"
#include "analysis/Calibration.h"
#include "analysis/MetricsLines.h"
#include "analysis/SystemMetrics.h"
#include "analysis/SystemsFile.h"
#include "betting/Arbitrage.h"
#include "data/Database.h"
#include "data/Numbers.h"
#include "data/ResultsViews.h"
#include "data/TDataMod.h"
#include "predict/PredictionCommands.h"
#include "support/RecordingMessenger.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "support/CliRun.h"
#include "support/StoredRows.h"

#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(PredictionOptions)

namespace
{

using Run = CliRun;

Run cli(const QStringList &args)
{
    return runCli(quorvaneCli(), args);
}

QJsonDocument json(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("not JSON: %s", qPrintable(error.errorString()));
    return doc;
}

QList<QVariantList> fileRows(const QString &path, const QString &sql)
{
    Database db;
    db.open(path);
    QList<QVariantList> rows;
    Statement st = db.prepare(sql);
    while (st.step()) {
        QVariantList row;
        for (int c = 0; c < st.columnCount(); ++c)
            row << st.value(c);
        rows << row;
    }
    return rows;
}

void execute(const QString &path, const QString &sql)
{
    Database db;
    db.open(path);
    db.execute(sql);
}

// The whole Results table as `matches --format json` shows it.
QByteArray matchesJson(const QString &path)
{
    return cli({QStringLiteral("matches"), path, QStringLiteral("--format"), QStringLiteral("json")}).out;
}

PredictionOptions leagueOptions(const QString &path)
{
    TDataMod dm;
    dm.openLeague(path);
    return loadPredictionOptions(dm);
}

QStringList strings(const QJsonArray &array)
{
    QStringList out;
    for (const QJsonValue &v : array)
        out << v.toString();
    return out;
}

QList<QStringList> textRows(const QJsonArray &rows)
{
    QList<QStringList> out;
    for (const QJsonValue &row : rows)
        out << strings(row.toArray());
    return out;
}

} // namespace

class TestCliPredict : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void predictionsAsTheCommandsWriteThem_data();
    void predictionsAsTheCommandsWriteThem();
    void backTestPrintsMethodsRowAndCreatesFile();
    void backTestStakingAndMetrics();
    void calibrationReport();
    void calibrationWithoutMatchesHasNoScores();
    void refusedInput_data();
    void refusedInput();
    void historyTables();
    void arbitrageList();
    void wrongUsage_data();
    void wrongUsage();
    void playedRowsThatDoNotAddUp_data();
    void playedRowsThatDoNotAddUp();

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    // A copy of the demo league whose League row holds a betting system unlike the defaults.
    QString league(const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
    QTemporaryDir m_demoDir;
    QString m_demo;
};

void TestCliPredict::initTestCase()
{
    QLocale::setDefault(QLocale::c()); // as the binary runs, under LC_ALL=C.UTF-8
    QVERIFY(QFile::exists(quorvaneCli()));
    m_demo = m_demoDir.filePath(QStringLiteral("demo.qvl"));
    const Run r = cli({QStringLiteral("demo"), m_demo});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    execute(m_demo, QStringLiteral("UPDATE League SET DR = 1, HA = 0, LM = 7, CF = 40, DP = 20"));
}

void TestCliPredict::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestCliPredict::league(const QString &name)
{
    const QString path = file(name);
    return QFile::copy(m_demo, path) ? path : QString();
}

void TestCliPredict::predictionsAsTheCommandsWriteThem_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<PredictionOptions>("options");

    const PredictionOptions base = leagueOptions(m_demo);
    QVERIFY(!base.venueStats && base.lastMatches == 7 && base.draw); // the League row, not the defaults
    PredictionOptions overridden = base;
    overridden.venueStats = true;
    overridden.lastMatches = 3;
    overridden.homeWin = false;
    overridden.draw = false;
    overridden.homePct = 60;
    // Out of range: brought to the nearest bound, as the dialog's spin fields do.
    PredictionOptions clamped = base;
    clamped.awayPct = 90;
    clamped.confidence = 10;
    clamped.lastMatches = 10;
    const QStringList overrideArgs{
        QStringLiteral("--stats"), QStringLiteral("ha"),     QStringLiteral("--lm"),
        QStringLiteral("3"),       QStringLiteral("--home"), QStringLiteral("no"),
        QStringLiteral("--draw"),  QStringLiteral("no"),     QStringLiteral("--hp=60")};
    const QStringList clampArgs{QStringLiteral("--ap"), QStringLiteral("150"),  QStringLiteral("--cf"),
                                QStringLiteral("-5"),   QStringLiteral("--lm"), QStringLiteral("11")};
    for (const QString &command : {QStringLiteral("predict"), QStringLiteral("recalc")}) {
        const QByteArray c = command.toLatin1();
        QTest::addRow("%s, the League row", c.constData()) << command << QStringList{} << base;
        QTest::addRow("%s, overridden", c.constData()) << command << overrideArgs << overridden;
        QTest::addRow("%s, clamped", c.constData()) << command << clampArgs << clamped;
    }
}

void TestCliPredict::predictionsAsTheCommandsWriteThem()
{
    QFETCH(QString, command);
    QFETCH(QStringList, args);
    QFETCH(PredictionOptions, options);
    const QString byCli = league(QStringLiteral("cli.qvl"));
    const QString byRoutine = league(QStringLiteral("routine.qvl"));
    QVERIFY(!byCli.isEmpty() && !byRoutine.isEmpty());
    const QByteArray before = matchesJson(byCli);
    const auto leagueRow = fileRows(byCli, QStringLiteral("SELECT * FROM League"));

    const Run r = cli(QStringList{command, byCli} + args);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
    {
        // The command on the view a freshly opened league shows.
        TDataMod dm;
        dm.openLeague(byRoutine);
        RecordingMessenger messenger;
        if (command == QLatin1String("predict")) {
            applyDefaultFixtureView(dm.ADOTableResults);
            QVERIFY(PredictUpcomingMatches(dm, options, messenger) > 0);
        } else {
            applyDefaultScoreView(dm.ADOTableResults);
            QVERIFY(RecalculatePredictions(dm, options, messenger) > 0);
        }
        QCOMPARE(r.err.trimmed(), messenger.texts().join(QLatin1Char('\n'))); // no progress off a terminal
    }
    const QByteArray after = matchesJson(byCli);
    QVERIFY(after != before);
    QCOMPARE(after, matchesJson(byRoutine));
    QCOMPARE(fileRows(byCli, QStringLiteral("SELECT * FROM League")),
             leagueRow); // options are for this run only
}

void TestCliPredict::backTestPrintsMethodsRowAndCreatesFile()
{
    const QString path = league(QStringLiteral("league.qvl"));
    QVERIFY(!path.isEmpty());
    const QString systems = file(QStringLiteral("new/folder/systems.qvs"));
    const QStringList args{QStringLiteral("backtest"),  path,
                           QStringLiteral("--systems"), systems,
                           QStringLiteral("--balance"), QStringLiteral("250"),
                           QStringLiteral("--wager"),   QStringLiteral("400"),
                           QStringLiteral("--stats"),   QStringLiteral("ha"),
                           QStringLiteral("--lm"),      QStringLiteral("4"),
                           QStringLiteral("--format"),  QStringLiteral("json")};
    const Run first = cli(args);
    QVERIFY2(first.exitCode == 0, qPrintable(first.err));
    const Run second = cli(args);
    QVERIFY2(second.exitCode == 0, qPrintable(second.err));
    QVERIFY(QFile::exists(systems));

    // The routine with the same system: the wager was brought down to the starting balance.
    const QString ownSystems = file(QStringLiteral("own.qvs"));
    {
        TDataMod dm;
        dm.openLeague(path);
        BettingSystem system;
        system.options = leagueOptions(path);
        system.options.venueStats = true;
        system.options.lastMatches = 4;
        system.startingBalance = 250;
        system.wager = 250;
        Database db;
        SystemsFile::open(db, ownSystems);
        BackTest(system, dm, db).run();
    }
    const QString detail = QStringLiteral("SELECT * FROM Results ORDER BY rowid");
    QCOMPARE(fileRows(systems, detail), fileRows(ownSystems, detail));
    const auto methods = fileRows(systems, QStringLiteral("SELECT * FROM Methods ORDER BY rowid"));
    QCOMPARE(methods.size(), 2);
    QVariantList expected = fileRows(ownSystems, QStringLiteral("SELECT * FROM Methods")).value(0);
    QCOMPARE(methods[0], expected);

    // The second row as printed: every column by its name, in column order, numbers as numbers.
    expected[0] = 1; // the ID after the first row's 0
    const QList<QByteArray> lines = second.out.split('\n');
    QCOMPARE(lines.size(), 2); // one line and its end
    const QJsonObject printed = json(second.out).object();
    const ColumnList &columns = SystemsFile::methodsColumns();
    QCOMPARE(printed.size(), columns.size() + 1); // the Methods columns, then the metrics
    QVERIFY(second.out.indexOf("\"metrics\":") > second.out.indexOf("\"LM\":"));
    qsizetype lastKeyAt = -1;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const QString &name = columns[c].name;
        const qsizetype keyAt = second.out.indexOf(QByteArray("\"" + name.toLatin1() + "\":"));
        QVERIFY2(keyAt > lastKeyAt, qPrintable(name));
        lastKeyAt = keyAt;
        const QJsonValue v = printed.value(name);
        if (columns[c].kind == ColumnKind::Real)
            QCOMPARE(v.toDouble(), expected[c].toDouble());
        else
            QCOMPARE(v.toString(), expected[c].toString());
        QCOMPARE(methods[1][c].toString(), expected[c].toString());
    }
    QCOMPARE(printed.value(QStringLiteral("TS")).toString(), QStringLiteral("HA"));
    QCOMPARE(printed.value(QStringLiteral("LM")).toInt(), 4);
}

void TestCliPredict::backTestStakingAndMetrics()
{
    const QString path = league(QStringLiteral("league.qvl"));
    QVERIFY(!path.isEmpty());
    const QString systems = file(QStringLiteral("systems.qvs"));
    const QStringList args{QStringLiteral("backtest"),  path,
                           QStringLiteral("--systems"), systems,
                           QStringLiteral("--staking"), QStringLiteral("kelly:0.5"),
                           QStringLiteral("--cf"),      QStringLiteral("10")};
    const Run r = cli(args + QStringList{QStringLiteral("--format"), QStringLiteral("json")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));

    // The routine with the same system on the same league.
    TDataMod dm;
    dm.openLeague(path);
    BettingSystem system;
    system.options = leagueOptions(path);
    system.options.confidence = 10;
    system.staking = {StakingKind::Kelly, 0.5};
    Database db;
    SystemsFile::open(db, file(QStringLiteral("own.qvs")));
    BackTest test(system, dm, db);
    test.run();
    const BetMetrics &m = test.metrics();
    QVERIFY(m.bets[0] + m.bets[1] + m.bets[2] > 0);

    const QJsonObject metrics = json(r.out).object().value(QStringLiteral("metrics")).toObject();
    const QStringList keys{QStringLiteral("turnover"),
                           QStringLiteral("profit"),
                           QStringLiteral("yield"),
                           QStringLiteral("max_drawdown"),
                           QStringLiteral("max_drawdown_pct"),
                           QStringLiteral("longest_losing_run"),
                           QStringLiteral("longest_winning_run"),
                           QStringLiteral("bets"),
                           QStringLiteral("mean_price"),
                           QStringLiteral("clv_mean_pct"),
                           QStringLiteral("beat_close_pct")};
    qsizetype lastKeyAt = -1;
    for (const QString &key : keys) { // in this order
        const qsizetype at = r.out.indexOf(QByteArray("\"" + key.toLatin1() + "\":"));
        QVERIFY2(at > lastKeyAt, qPrintable(key));
        lastKeyAt = at;
    }
    QCOMPARE(metrics.size(), keys.size());
    const auto near = [](double a, double b) { return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b)); };
    QVERIFY(near(metrics.value(QStringLiteral("turnover")).toDouble(), m.turnover));
    QVERIFY(near(metrics.value(QStringLiteral("profit")).toDouble(), m.profit));
    QVERIFY(near(metrics.value(QStringLiteral("yield")).toDouble(), m.yieldPct));
    QVERIFY(near(metrics.value(QStringLiteral("max_drawdown")).toDouble(), m.maxDrawdown));
    QVERIFY(near(metrics.value(QStringLiteral("max_drawdown_pct")).toDouble(), m.maxDrawdownPct));
    QCOMPARE(metrics.value(QStringLiteral("longest_losing_run")).toInt(), m.longestLosingRun);
    QCOMPARE(metrics.value(QStringLiteral("longest_winning_run")).toInt(), m.longestWinningRun);
    const QJsonObject bets = metrics.value(QStringLiteral("bets")).toObject();
    const QJsonObject prices = metrics.value(QStringLiteral("mean_price")).toObject();
    const QString outcomes[3] = {QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("2")};
    for (int o = 0; o < 3; ++o) {
        QCOMPARE(bets.value(outcomes[o]).toInt(-1), m.bets[o]);
        QVERIFY(near(prices.value(outcomes[o]).toDouble(), m.meanPrice[o]));
    }
    // The demo league has no closing prices: no line value rather than 0.
    QVERIFY(metrics.value(QStringLiteral("clv_mean_pct")).isNull());
    QVERIFY(metrics.value(QStringLiteral("beat_close_pct")).isNull());

    // The plan goes with the metrics row into the systems file.
    Database written;
    written.open(systems);
    QCOMPARE(SystemMetrics::read(written, 0)->staking, QStringLiteral("Kelly 0.5"));

    // As text (the default): the new Methods row as the history of tested systems titles it, one column
    // a line, then the same metrics as lines.
    const Run text = cli(args);
    QVERIFY2(text.exitCode == 0, qPrintable(text.err));
    const QStringList lines = QString::fromUtf8(text.out).split(QLatin1Char('\n'));
    const QVariantList methods = fileRows(systems, QStringLiteral("SELECT ID, Crt, Profit, TS FROM Methods "
                                                                  "ORDER BY rowid DESC LIMIT 1"))
                                     .value(0);
    QCOMPARE(methods.value(0).toInt(), 1);
    const auto line = [](const QString &title, const QString &value) {
        return QRegularExpression(
            QStringLiteral("^%1 +%2$")
                .arg(QRegularExpression::escape(title), QRegularExpression::escape(value)));
    };
    QCOMPARE(lines.indexOf(line(QStringLiteral("ID"), QStringLiteral("1"))), 0);
    QVERIFY(lines.indexOf(line(QStringLiteral("Correct"), methods.value(1).toString())) > 0);
    QVERIFY(lines.indexOf(
                line(QStringLiteral("Profit (%)"), Numbers::formatGeneral(methods.value(2).toDouble()))) > 0);
    QVERIFY(lines.indexOf(line(QStringLiteral("TS"), methods.value(3).toString())) > 0);
    QStringList metricText;
    for (const MetricLine &l : metricLines(m, QLocale::c()))
        metricText << l.name + QStringLiteral(": ") + l.value;
    QVERIFY2(text.out.endsWith(QStringLiteral("\n\n%1\n").arg(metricText.join(QLatin1Char('\n'))).toUtf8()),
             text.out.constData());
}

void TestCliPredict::calibrationReport()
{
    const QString path = league(QStringLiteral("league.qvl"));
    QVERIFY(!path.isEmpty());
    QCOMPARE(cli({QStringLiteral("recalc"), path}).exitCode, 0);
    const Run r =
        cli({QStringLiteral("calibration"), path, QStringLiteral("--format"), QStringLiteral("json")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject doc = json(r.out).object();

    Database db;
    db.open(path);
    const CalibrationReport expected = computeCalibration(readCalibrationMatches(db));
    QVERIFY(expected.matches > 20);
    QCOMPARE(doc.value(QStringLiteral("matches")).toInt(), expected.matches);
    const auto near = [](double a, double b) { return std::abs(a - b) < 1e-12; };
    for (const auto &[name, scores] : {std::pair{QStringLiteral("model"), expected.model},
                                       std::pair{QStringLiteral("market"), expected.market}}) {
        const QJsonObject s = doc.value(name).toObject();
        QCOMPARE(s.keys(),
                 (QStringList{QStringLiteral("brier"), QStringLiteral("logloss"), QStringLiteral("rps")}));
        QVERIFY(near(s.value(QStringLiteral("brier")).toDouble(), scores.brier));
        QVERIFY(near(s.value(QStringLiteral("rps")).toDouble(), scores.rps));
        QVERIFY(near(s.value(QStringLiteral("logloss")).toDouble(), scores.logloss));
    }
    const QJsonObject reliability = doc.value(QStringLiteral("reliability")).toObject();
    const QString outcomes[3] = {QStringLiteral("home"), QStringLiteral("draw"), QStringLiteral("away")};
    QCOMPARE(reliability.size(), 3);
    for (int o = 0; o < 3; ++o) {
        const QJsonArray bins = reliability.value(outcomes[o]).toArray();
        QCOMPARE(bins.size(), 10);
        int counted = 0;
        for (int b = 0; b < 10; ++b) {
            const QJsonObject bin = bins[b].toObject();
            QCOMPARE(bin.value(QStringLiteral("bin")).toInt(-1), b);
            QCOMPARE(bin.value(QStringLiteral("count")).toInt(-1), expected.reliability[o][b].count);
            QVERIFY(near(bin.value(QStringLiteral("predicted")).toDouble(),
                         expected.reliability[o][b].predicted));
            QVERIFY(
                near(bin.value(QStringLiteral("observed")).toDouble(), expected.reliability[o][b].observed));
            counted += bin.value(QStringLiteral("count")).toInt();
        }
        QCOMPARE(counted, expected.matches); // every match once per outcome
    }
    const Run text = cli({QStringLiteral("calibration"), path});
    QCOMPARE(text.exitCode, 0);
    QVERIFY(text.out.startsWith(
        QByteArray("Matches: ").append(QByteArray::number(expected.matches)).append('\n')));
}

void TestCliPredict::calibrationWithoutMatchesHasNoScores()
{
    // Played matches, none of them predicted: no score at all, where 0 would read as a perfect one.
    const QString path = league(QStringLiteral("league.qvl"));
    QVERIFY(!path.isEmpty());
    execute(path, QStringLiteral("UPDATE Results SET HP = 0, DP = 0, AP = 0"));
    const Run r =
        cli({QStringLiteral("calibration"), path, QStringLiteral("--format"), QStringLiteral("json")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonObject doc = json(r.out).object();
    QCOMPARE(doc.value(QStringLiteral("matches")).toInt(-1), 0);
    for (const QString &side : {QStringLiteral("model"), QStringLiteral("market")}) {
        const QJsonObject scores = doc.value(side).toObject();
        QCOMPARE(scores.size(), 3);
        for (const QString &score :
             {QStringLiteral("brier"), QStringLiteral("rps"), QStringLiteral("logloss")})
            QVERIFY2(scores.value(score).isNull(), qPrintable(side + QLatin1Char(' ') + score));
    }
    // The text shows "-" in the same places.
    const Run text = cli({QStringLiteral("calibration"), path});
    QCOMPARE(text.exitCode, 0);
    QVERIFY2(text.out.contains("\nModel       -    -         -\nMarket      -    -         -\n"),
             text.out.constData());
}

void TestCliPredict::refusedInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("spoil"); // run on the league before the command
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("methodsRows");

    // Every odds text unreadable once the matches carry predictions.
    const QString badOdds = QStringLiteral("UPDATE Results SET O1 = '1.5x', OX = '1.5x', O2 = '1.5x'");
    const QString notFloat = QStringLiteral("'1.5x' is not a valid floating point value");
    QTest::newRow("backtest, unreadable odds")
        << QStringList{QStringLiteral("backtest"), QStringLiteral("LEAGUE"), QStringLiteral("--systems"),
                       QStringLiteral("SYSTEMS")}
        << badOdds << notFloat << 0;
    QTest::newRow("history, unreadable odds")
        << QStringList{QStringLiteral("history"), QStringLiteral("LEAGUE")} << badOdds << notFloat << -1;
    QTest::newRow("predict, a fixture's team missing")
        << QStringList{QStringLiteral("predict"), QStringLiteral("LEAGUE")}
        << QStringLiteral("UPDATE Results SET Home = 'Nowhere' WHERE ID = (SELECT max(ID) FROM Results)")
        << QStringLiteral("Cannot find home team") << -1;
    // A balance or a wager below 1 is refused as a number that is none, not read as 1.
    const auto stake = [](const char *command, const char *option, const char *value) {
        QStringList args{QString::fromLatin1(command), QStringLiteral("LEAGUE")};
        if (qstrcmp(command, "backtest") == 0)
            args << QStringLiteral("--systems") << QStringLiteral("SYSTEMS");
        return args << QString::fromLatin1(option) << QString::fromLatin1(value);
    };
    QTest::newRow("backtest, negative balance")
        << stake("backtest", "--balance", "-5") << QString()
        << QStringLiteral("The option --balance takes a whole number of at least 1, not '-5'.") << -1;
    QTest::newRow("backtest, wager 0")
        << stake("backtest", "--wager", "0") << QString()
        << QStringLiteral("The option --wager takes a whole number of at least 1, not '0'.") << -1;
    QTest::newRow("history, balance 0")
        << stake("history", "--balance", "0") << QString()
        << QStringLiteral("The option --balance takes a whole number of at least 1, not '0'.") << -1;
    QTest::newRow("history, negative wager")
        << stake("history", "--wager", "-20") << QString()
        << QStringLiteral("The option --wager takes a whole number of at least 1, not '-20'.") << -1;
    QTest::newRow("a number that is none")
        << QStringList{QStringLiteral("backtest"), QStringLiteral("LEAGUE"),  QStringLiteral("--systems"),
                       QStringLiteral("SYSTEMS"),  QStringLiteral("--wager"), QStringLiteral("ten")}
        << QString() << QStringLiteral("The option --wager takes a whole number, not 'ten'.") << -1;
}

void TestCliPredict::refusedInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, spoil);
    QFETCH(QString, message);
    QFETCH(int, methodsRows);
    const QString path = league(QStringLiteral("league.qvl"));
    QVERIFY(!path.isEmpty());
    QCOMPARE(cli({QStringLiteral("recalc"), path}).exitCode, 0);
    if (!spoil.isEmpty())
        execute(path, spoil);
    const QString systems = file(QStringLiteral("systems.qvs"));
    args.replaceInStrings(QStringLiteral("LEAGUE"), path);
    args.replaceInStrings(QStringLiteral("SYSTEMS"), systems);

    const Run r = cli(args);
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY2(!r.err.contains(QStringLiteral("Usage")), qPrintable(r.err));
    if (methodsRows >= 0) // the test stopped: no summary row
        QCOMPARE(fileRows(systems, QStringLiteral("SELECT * FROM Methods")).size(), methodsRows);
}

void TestCliPredict::historyTables()
{
    const QString path = league(QStringLiteral("league.qvl"));
    QVERIFY(!path.isEmpty());
    // A team in small letters: the title column ignores letter case.
    Run r = cli({QStringLiteral("add-match"), path, QStringLiteral("--home"), QStringLiteral("aardvark"),
                 QStringLiteral("--away"), QStringLiteral("Redmarsh"), QStringLiteral("--date"),
                 QStringLiteral("2025-06-01"), QStringLiteral("--create-teams")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(cli({QStringLiteral("recalc"), path, QStringLiteral("--draw"), QStringLiteral("yes")}).exitCode,
             0);

    QStringList teams;
    for (const QVariantList &row : fileRows(path, QStringLiteral("SELECT Team FROM Teams")))
        teams << row[0].toString();
    std::sort(teams.begin(), teams.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QCOMPARE(teams.first(), QStringLiteral("aardvark"));
    const auto predicted = fileRows(
        path, QStringLiteral(
                  "SELECT Verdict FROM Results WHERE Result <> ':' AND PResult <> ':' AND Verdict <> '?'"));

    for (const QString &view : {QStringLiteral("1, X, 2 Predictions"), QStringLiteral("Draws")}) {
        r = cli({QStringLiteral("history"), path, QStringLiteral("--view"), view, QStringLiteral("--format"),
                 QStringLiteral("json")});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QJsonObject doc = json(r.out).object();
        QCOMPARE(doc.keys(),
                 (QStringList{QStringLiteral("metrics"), QStringLiteral("months"), QStringLiteral("teams")}));
        const QList<QStringList> months = textRows(doc.value(QStringLiteral("months")).toArray());
        const QList<QStringList> teamRows = textRows(doc.value(QStringLiteral("teams")).toArray());
        QCOMPARE(months.size(), 7);
        for (const QStringList &row : months)
            QCOMPARE(row.size(), 14);
        QCOMPARE(months[0].mid(0, 2), (QStringList{QString(), QStringLiteral("January")}));
        QCOMPARE(months[0].last(), QStringLiteral("Total"));
        QCOMPARE(months[3][0], QStringLiteral("Predictions"));
        QCOMPARE(teamRows.size(), teams.size() + 3);
        QCOMPARE(teamRows[0], (QStringList{QString(), QStringLiteral("Correct"), QStringLiteral("Incorrect"),
                                           QStringLiteral("Predictions"), QStringLiteral("Hit Rate (%)"),
                                           QStringLiteral("Profit"), QStringLiteral("Profit (%)")}));
        QStringList titles;
        for (const QStringList &row : teamRows.mid(1))
            titles << row[0];
        QCOMPARE(titles, (teams + QStringList{QStringLiteral("Draw"), QStringLiteral("Total")}));

        // The bets counted are those of the played, predicted matches of the view.
        const bool drawsOnly = view == QLatin1String("Draws");
        const auto judged = std::count_if(predicted.cbegin(), predicted.cend(), [&](const QVariantList &row) {
            return !drawsOnly || row[0].toString() == QLatin1String("X");
        });
        QVERIFY(judged > 0);
        QCOMPARE(months[3].last(), QString::number(judged));
        QCOMPARE(teamRows.last()[3], QString::number(predicted.size())); // the same for every view

        // The text form shows the same cells.
        const Run text = cli({QStringLiteral("history"), path, QStringLiteral("--view"), view});
        QCOMPARE(text.exitCode, 0);
        const QStringList lines = QString::fromUtf8(text.out).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 7 + 1 + teamRows.size() + 1 + 11 + 1); // the metrics' 11 lines last
        QCOMPARE(lines[3].split(QLatin1Char(' '), Qt::SkipEmptyParts), months[3]);
        QCOMPARE(lines.at(7 + teamRows.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts), teamRows.last());
        QVERIFY(lines.at(7 + teamRows.size() + 2).startsWith(QLatin1String("Turnover: ")));
    }
}

void TestCliPredict::arbitrageList()
{
    const QString path = file(QStringLiteral("arbitrage.qvl"));
    QCOMPARE(cli({QStringLiteral("new"), path}).exitCode, 0);
    // Entered out of date order; the list is by date.
    const QList<QStringList> matches{
        {QStringLiteral("Leeds"), QStringLiteral("Hull"), QStringLiteral("2024-08-20"),
         QStringLiteral("2.10"), QStringLiteral("3.20"), QStringLiteral("3.50")},
        {QStringLiteral("Arsenal"), QStringLiteral("Chelsea"), QStringLiteral("2024-08-10"),
         QStringLiteral("2.20"), QStringLiteral("3.80"), QStringLiteral("4.50")},
        {QStringLiteral("Hull"), QStringLiteral("Arsenal"), QStringLiteral("2024-08-15"),
         QStringLiteral("1.80"), QStringLiteral("-"), QStringLiteral("2.10")},
        {QStringLiteral("Chelsea"), QStringLiteral("Leeds"), QStringLiteral("2024-08-25"),
         QStringLiteral("4/5"), QStringLiteral("+200"), QStringLiteral("3.10")},
    };
    for (const QStringList &m : matches) {
        const Run r =
            cli({QStringLiteral("add-match"), path, QStringLiteral("--home"), m[0], QStringLiteral("--away"),
                 m[1], QStringLiteral("--date"), m[2], QStringLiteral("--odds"), m[3], m[4], m[5],
                 QStringLiteral("--bookmakers"), QStringLiteral("North"), QStringLiteral("East"),
                 QStringLiteral("West"), QStringLiteral("--create-teams")});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    }
    // A stored text the odds conversion refuses: the refresh stops with its warning.
    execute(path, QStringLiteral("UPDATE Results SET O2 = '1.5x' WHERE Home = 'Chelsea'"));

    const QStringList keys{
        QStringLiteral("ID"),     QStringLiteral("DateP"),  QStringLiteral("Home"),
        QStringLiteral("Away"),   QStringLiteral("Retrn"),  QStringLiteral("grid"),
        QStringLiteral("total"),  QStringLiteral("profit"), QStringLiteral("profitPositive"),
        QStringLiteral("warning")};
    const auto stored =
        fileRows(path, QStringLiteral("SELECT ID, DateP, Home, Away, Retrn, O1, OX, O2, O1B, OXB, O2B "
                                      "FROM Results ORDER BY DateP"));
    for (const bool positive : {false, true}) {
        QStringList args{QStringLiteral("arbitrage"),    path,
                         QStringLiteral("--multiplier"), QStringLiteral("200"),
                         QStringLiteral("--format"),     QStringLiteral("json")};
        if (positive)
            args << QStringLiteral("--positive");
        const Run r = cli(args);
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QJsonArray list = json(r.out).array();
        int at = 0;
        for (const QVariantList &row : stored) {
            if (positive && row[4].toDouble() <= 0)
                continue;
            QVERIFY(at < list.size());
            const QJsonObject m = list[at++].toObject();
            QStringList got = m.keys(), want = keys;
            got.sort();
            want.sort();
            QCOMPARE(got, want);
            QCOMPARE(m[QStringLiteral("ID")].toDouble(), row[0].toDouble());
            QCOMPARE(m[QStringLiteral("DateP")].toString(), row[1].toString());
            QCOMPARE(m[QStringLiteral("Home")].toString(), row[2].toString());
            QCOMPARE(m[QStringLiteral("Retrn")].toDouble(), row[4].toDouble());

            ArbitrageInput input;
            input.homeTeam = row[2].toString();
            input.awayTeam = row[3].toString();
            for (int i = 0; i < 3; ++i) {
                input.odds[i] = row[5 + i].toString();
                input.bookmakers[i] = row[8 + i].toString();
            }
            input.multiplier = 200;
            RecordingMessenger messenger;
            const std::optional<ArbitrageResult> computed = computeArbitrage(input, messenger);
            const ArbitrageResult shown = computed ? *computed : blankArbitrage(input);
            const QList<QStringList> grid = textRows(m[QStringLiteral("grid")].toArray());
            QCOMPARE(grid.size(), 5);
            for (const QStringList &cells : grid)
                QCOMPARE(cells.size(), 4);
            QCOMPARE(grid, shown.grid);
            QCOMPARE(m[QStringLiteral("total")].toString(), shown.total);
            QCOMPARE(m[QStringLiteral("profit")].toString(), shown.profit);
            QCOMPARE(m[QStringLiteral("profitPositive")].toBool(), shown.split && shown.split->profit > 0);
            if (computed)
                QVERIFY(m[QStringLiteral("warning")].isNull());
            else
                QCOMPARE(m[QStringLiteral("warning")].toString(), messenger.texts().join(QLatin1Char('\n')));
        }
        QCOMPARE(at, list.size());
        QCOMPARE(list.size(), positive ? 1 : 4);
    }

    // --upcoming leaves out the played matches, as the window's "Upcoming only" does.
    execute(path, QStringLiteral("UPDATE Results SET Result = '1:0', F = 1, A = 0 WHERE Home = 'Arsenal'"));
    const Run upcoming = cli({QStringLiteral("arbitrage"), path, QStringLiteral("--upcoming"),
                              QStringLiteral("--format"), QStringLiteral("json")});
    QVERIFY2(upcoming.exitCode == 0, qPrintable(upcoming.err));
    QStringList homes;
    for (const QJsonValue &m : json(upcoming.out).array())
        homes << m.toObject()[QStringLiteral("Home")].toString();
    QCOMPARE(homes,
             (QStringList{QStringLiteral("Hull"), QStringLiteral("Leeds"), QStringLiteral("Chelsea")}));
}

void TestCliPredict::wrongUsage_data()
{
    QTest::addColumn<QStringList>("args");
    const QString league = QStringLiteral("LEAGUE");
    const auto row = [&](const char *name, const QStringList &args) { QTest::newRow(name) << args; };
    row("recalc without file", {QStringLiteral("recalc")});
    row("predict, statistics",
        {QStringLiteral("predict"), league, QStringLiteral("--stats"), QStringLiteral("all")});
    row("recalc, yes or no",
        {QStringLiteral("recalc"), league, QStringLiteral("--home"), QStringLiteral("maybe")});
    row("backtest, no value", {QStringLiteral("backtest"), league, QStringLiteral("--systems")});
    row("backtest, a second file", {QStringLiteral("backtest"), league, league});
    row("history, view",
        {QStringLiteral("history"), league, QStringLiteral("--view"), QStringLiteral("Wins")});
    row("history, format",
        {QStringLiteral("history"), league, QStringLiteral("--format"), QStringLiteral("csv")});
    row("backtest, format",
        {QStringLiteral("backtest"), league, QStringLiteral("--format"), QStringLiteral("csv")});
    row("backtest, staking",
        {QStringLiteral("backtest"), league, QStringLiteral("--staking"), QStringLiteral("kelly:2")});
    row("calibration, format",
        {QStringLiteral("calibration"), league, QStringLiteral("--format"), QStringLiteral("csv")});
    row("arbitrage, option",
        {QStringLiteral("arbitrage"), league, QStringLiteral("--lm"), QStringLiteral("3")});
}

void TestCliPredict::wrongUsage()
{
    QFETCH(QStringList, args);
    const QString path = league(QStringLiteral("league.qvl"));
    QVERIFY(!path.isEmpty());
    const QByteArray before = matchesJson(path);
    args.replaceInStrings(QStringLiteral("LEAGUE"), path);
    const Run r = cli(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("Usage: quorvane-cli")), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
    QCOMPARE(matchesJson(path), before);
}

void TestCliPredict::playedRowsThatDoNotAddUp_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("refused");
    const auto row = [](const char *name, const QStringList &args, bool refused) {
        QTest::newRow(name) << args << refused;
    };
    const QString league = QStringLiteral("LEAGUE");
    // The commands that compute from the played matches refuse the league...
    row("predict", {QStringLiteral("predict"), league}, true);
    row("recalc", {QStringLiteral("recalc"), league}, true);
    row("backtest",
        {QStringLiteral("backtest"), league, QStringLiteral("--systems"), QStringLiteral("SYSTEMS")}, true);
    row("history", {QStringLiteral("history"), league}, true);
    row("calibration", {QStringLiteral("calibration"), league}, true);
    row("table", {QStringLiteral("table"), league}, true);
    row("tip",
        {QStringLiteral("tip"), league, QStringLiteral("--home"), QStringLiteral("Ashbury Town"),
         QStringLiteral("--away"), QStringLiteral("Brackwater Rovers")},
        true);
    // ...those that only show them say which rows to mend, and go on.
    row("matches", {QStringLiteral("matches"), league}, false);
    row("arbitrage", {QStringLiteral("arbitrage"), league}, false);
}

void TestCliPredict::playedRowsThatDoNotAddUp()
{
    QFETCH(QStringList, args);
    QFETCH(bool, refused);
    const QString path = league(QStringLiteral("league.qvl"));
    QVERIFY(!path.isEmpty());
    // Ten played matches of the middle of the season whose Result says 2:0 and whose scores say 0:5.
    execute(path,
            QStringLiteral("UPDATE Results SET Result = '2:0', F = 0, A = 5 WHERE rowid IN (SELECT "
                           "rowid FROM Results WHERE Result <> ':' ORDER BY rowid LIMIT 10 OFFSET 100)"));
    const QString firstId =
        fileRows(path, QStringLiteral("SELECT ID FROM Results WHERE Result = '2:0' AND A = 5 ORDER BY rowid"))
            .value(0)
            .value(0)
            .toString();
    const QString systems = file(QStringLiteral("systems.qvs"));
    args.replaceInStrings(QStringLiteral("LEAGUE"), path);
    args.replaceInStrings(QStringLiteral("SYSTEMS"), systems);
    const QByteArray before = fileHash(path);

    const Run r = cli(args);
    QCOMPARE(r.exitCode, refused ? 1 : 0);
    QVERIFY2(r.err.startsWith(QLatin1String("10 played matches do not add up:\n")), qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("Results row ID %1, column Result: '2:0' does not agree with F 0 "
                                           "and A 5\n")
                                .arg(firstId)),
             qPrintable(r.err));
    QVERIFY2(r.err.contains(QLatin1String("\nand 5 more.\n")), qPrintable(r.err));
    QCOMPARE(r.out.isEmpty(), refused);
    QCOMPARE(fileHash(path), before);
    QVERIFY(!QFile::exists(systems)); // refused before the systems file is made

    // Mended, the league is taken again.
    execute(path, QStringLiteral("UPDATE Results SET Result = '0:5' WHERE Result = '2:0' AND A = 5"));
    const Run mended = cli(args);
    QVERIFY2(mended.exitCode == 0, qPrintable(mended.err));
    QVERIFY2(!mended.err.contains(QLatin1String("do not add up")), qPrintable(mended.err));
}

QTEST_GUILESS_MAIN(TestCliPredict)
#include "tst_cli_predict.moc"

// The real quorvane-cli binary in a decimal-comma locale, set through LC_ALL or LANG as a user's shell
// sets it: JSON is the same in every locale (numbers with ".", never a decimal comma inside it), text
// follows the locale, and a number argument reads with "." or "," in every locale.  Where localedef can
// make it, the C library gets the comma locale too (through LOCPATH), as on a machine that has it.

#include "analysis/SystemMetrics.h"
#include "data/Database.h"
#include "support/CLibraryLocale.h"
#include "support/CliRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace
{

const QString kHome = QStringLiteral("Caldmoor City");
const QString kAway = QStringLiteral("Kestrel Heath");

// Every text in a JSON value, members' names too.
void collectTexts(const QJsonValue &v, QStringList *texts)
{
    if (v.isString()) {
        *texts << v.toString();
    } else if (v.isArray()) {
        for (const QJsonValue &item : v.toArray())
            collectTexts(item, texts);
    } else if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            *texts << it.key();
            collectTexts(it.value(), texts);
        }
    }
}

// The first row of a grid (an array of arrays of texts) whose first cell is title.
QStringList gridRow(const QJsonArray &grid, const QString &title)
{
    for (const QJsonValue &row : grid) {
        const QJsonArray cells = row.toArray();
        if (!cells.isEmpty() && cells.first().toString() == title) {
            QStringList texts;
            for (const QJsonValue &cell : cells)
                texts << cell.toString();
            return texts;
        }
    }
    return {};
}

} // namespace

class TestCliLocale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void jsonIsTheSameInEveryLocale_data();
    void jsonIsTheSameInEveryLocale();
    void textFollowsTheLocale();
    void numberArgumentsReadEitherMark_data();
    void numberArgumentsReadEitherMark();

private:
    // The environment of a shell in the locale: "C" (LC_ALL=C.UTF-8), "LC_ALL" or "LANG" (de_DE.UTF-8 in
    // that variable, every other locale variable unset).
    QProcessEnvironment environment(const QString &how) const;
    CliRun cli(const QString &how, QStringList args) const;

    QTemporaryDir m_dir;
    QString m_league;  // the demo league with stored predictions
    QString m_tickets; // a ticket file with a ticket and its bets
    QString m_locpath; // LOCPATH of the C library's de_DE.UTF-8; empty when it could not be made
};

QProcessEnvironment TestCliLocale::environment(const QString &how) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : env.keys())
        if (name == QLatin1String("LANG") || name == QLatin1String("LANGUAGE") ||
            name.startsWith(QLatin1String("LC_")))
            env.remove(name);
    if (how == QLatin1String("C")) {
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        return env;
    }
    env.insert(how == QLatin1String("LANG") ? QStringLiteral("LANG") : QStringLiteral("LC_ALL"),
               QStringLiteral("de_DE.UTF-8"));
    if (!m_locpath.isEmpty())
        env.insert(QStringLiteral("LOCPATH"), m_locpath);
    return env;
}

CliRun TestCliLocale::cli(const QString &how, QStringList args) const
{
    args.replaceInStrings(QStringLiteral("LEAGUE"), m_league);
    args.replaceInStrings(QStringLiteral("TICKETS"), m_tickets);
    return runCli(quorvaneCli(), args, environment(how));
}

void TestCliLocale::initTestCase()
{
    QVERIFY(QFile::exists(quorvaneCli()));
    m_locpath =
        compileCLibraryLocale(m_dir.filePath(QStringLiteral("locales")), QStringLiteral("de_DE.UTF-8"));
    if (m_locpath.isEmpty())
        qInfo("localedef could not make de_DE.UTF-8: only Qt reads the comma locale here");
    m_league = m_dir.filePath(QStringLiteral("demo.qvl"));
    m_tickets = m_dir.filePath(QStringLiteral("tickets.qvt"));
    const QList<QStringList> setUp = {
        {QStringLiteral("demo"), m_league},
        {QStringLiteral("recalc"), m_league},
        {QStringLiteral("tickets"), m_tickets, QStringLiteral("new")},
        {QStringLiteral("tickets"), m_tickets, QStringLiteral("add-ticket"), QStringLiteral("--date"),
         QStringLiteral("2024-03-02"), QStringLiteral("--stake"), QStringLiteral("12.5"),
         QStringLiteral("--price"), QStringLiteral("3.75")},
        {QStringLiteral("tickets"), m_tickets, QStringLiteral("add-bet"), QStringLiteral("--ticket"),
         QStringLiteral("1"), QStringLiteral("--date"), QStringLiteral("2024-03-02"),
         QStringLiteral("--event"), QStringLiteral("Cup"), QStringLiteral("--home"), kHome,
         QStringLiteral("--bet"), QStringLiteral("1"), QStringLiteral("--price"), QStringLiteral("2.5"),
         QStringLiteral("--result"), QStringLiteral("Won")},
        {QStringLiteral("tickets"), m_tickets, QStringLiteral("calc"), QStringLiteral("--ticket"),
         QStringLiteral("1")},
    };
    for (const QStringList &args : setUp) {
        const CliRun r = runCli(quorvaneCli(), args);
        QVERIFY2(r.exitCode == 0, qPrintable(args.join(QLatin1Char(' ')) + QStringLiteral(": ") + r.err));
    }
}

void TestCliLocale::jsonIsTheSameInEveryLocale_data()
{
    QTest::addColumn<QStringList>("args");
    const QString json = QStringLiteral("--format=json");
    QTest::newRow("table") << QStringList{QStringLiteral("table"), QStringLiteral("LEAGUE"),
                                          QStringLiteral("overall"), json};
    QTest::newRow("matches") << QStringList{QStringLiteral("matches"), QStringLiteral("LEAGUE"), json};
    QTest::newRow("tip") << QStringList{QStringLiteral("tip"),
                                        QStringLiteral("LEAGUE"),
                                        QStringLiteral("--home"),
                                        kHome,
                                        QStringLiteral("--away"),
                                        kAway,
                                        QStringLiteral("--hch"),
                                        QStringLiteral("0.5"),
                                        json};
    QTest::newRow("history") << QStringList{QStringLiteral("history"), QStringLiteral("LEAGUE"), json};
    QTest::newRow("calibration") << QStringList{QStringLiteral("calibration"), QStringLiteral("LEAGUE"),
                                                json};
    QTest::newRow("arbitrage") << QStringList{QStringLiteral("arbitrage"), QStringLiteral("LEAGUE"), json};
    QTest::newRow("chart") << QStringList{QStringLiteral("chart"),
                                          QStringLiteral("LEAGUE"),
                                          QStringLiteral("--team1"),
                                          kHome,
                                          QStringLiteral("--team2"),
                                          kAway,
                                          QStringLiteral("--type"),
                                          QStringLiteral("Team Rating"),
                                          json};
    QTest::newRow("backtest") << QStringList{QStringLiteral("backtest"), QStringLiteral("LEAGUE"),
                                             QStringLiteral("--systems"), QStringLiteral("SYSTEMS"), json};
    QTest::newRow("tickets list") << QStringList{QStringLiteral("tickets"), QStringLiteral("TICKETS"),
                                                 QStringLiteral("list"), json};
    QTest::newRow("tickets stats") << QStringList{QStringLiteral("tickets"), QStringLiteral("TICKETS"),
                                                  QStringLiteral("stats"), json};
}

// Every command that prints JSON, under LC_ALL and under LANG: the bytes of the C locale, which parse
// as JSON and hold no decimal comma.
void TestCliLocale::jsonIsTheSameInEveryLocale()
{
    QFETCH(QStringList, args);
    QByteArray inC;
    for (const QString &how : {QStringLiteral("C"), QStringLiteral("LC_ALL"), QStringLiteral("LANG")}) {
        QStringList run = args;
        // A new systems file each time, so that the back-tested system is number 0 in each.
        run.replaceInStrings(QStringLiteral("SYSTEMS"), m_dir.filePath(how + QStringLiteral(".qvs")));
        const CliRun r = cli(how, run);
        QVERIFY2(r.exitCode == 0, qPrintable(how + QStringLiteral(": ") + r.err));
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        QVERIFY2(error.error == QJsonParseError::NoError,
                 qPrintable(how + QStringLiteral(": ") + error.errorString() + QStringLiteral(" at ") +
                            QString::fromUtf8(r.out.mid(std::max(0, error.offset - 40), 80))));
        QStringList texts;
        collectTexts(doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object()), &texts);
        static const QRegularExpression decimalComma(QStringLiteral("\\d,\\d"));
        for (const QString &text : std::as_const(texts))
            QVERIFY2(!text.contains(decimalComma), qPrintable(how + QStringLiteral(": ") + text));
        if (how == QLatin1String("C"))
            inC = r.out;
        else
            QCOMPARE(r.out, inC);
    }
}

// Some numbers, read back: JSON numbers where the commands print numbers, texts with "." where they
// print grid cells; text output in the user's locale (which Qt takes from the environment alone).
void TestCliLocale::textFollowsTheLocale()
{
    for (const QString &how : {QStringLiteral("LC_ALL"), QStringLiteral("LANG")}) {
        const QJsonObject calibration =
            QJsonDocument::fromJson(cli(how, {QStringLiteral("calibration"), QStringLiteral("LEAGUE"),
                                              QStringLiteral("--format"), QStringLiteral("json")})
                                        .out)
                .object();
        const double brier =
            calibration[QStringLiteral("model")].toObject()[QStringLiteral("brier")].toDouble(-1);
        QVERIFY2(brier > 0 && brier < 2 && brier != std::floor(brier), qPrintable(how));
        const QJsonObject history =
            QJsonDocument::fromJson(cli(how, {QStringLiteral("history"), QStringLiteral("LEAGUE"),
                                              QStringLiteral("--format"), QStringLiteral("json")})
                                        .out)
                .object();
        const QJsonValue profit = history[QStringLiteral("metrics")].toObject()[QStringLiteral("profit")];
        QVERIFY(profit.isDouble() && profit.toDouble() != std::floor(profit.toDouble()));
        // The month table's profits are texts, written with ".".
        const QStringList profits =
            gridRow(history[QStringLiteral("months")].toArray(), QStringLiteral("Profit"));
        QCOMPARE(profits.size(), 14);
        const QString total = profits.last();
        QVERIFY2(total.contains(QLatin1Char('.')) && total.toDouble() != 0, qPrintable(total));
        const QJsonArray arbitrage =
            QJsonDocument::fromJson(cli(how, {QStringLiteral("arbitrage"), QStringLiteral("LEAGUE"),
                                              QStringLiteral("--format"), QStringLiteral("json")})
                                        .out)
                .array();
        QVERIFY(!arbitrage.isEmpty());
        const QStringList stakes =
            gridRow(arbitrage.first().toObject()[QStringLiteral("grid")].toArray(), QStringLiteral("Stake"));
        QCOMPARE(stakes.size(), 4);
        bool ok = false;
        QVERIFY2(stakes[1].toDouble(&ok) > 0 && ok && stakes[1].contains(QLatin1Char('.')),
                 qPrintable(stakes[1]));

        // The same total as text, with the locale's decimal comma.
        const CliRun text = cli(how, {QStringLiteral("history"), QStringLiteral("LEAGUE")});
        QCOMPARE(text.exitCode, 0);
        const QString shown = QString(total).replace(QLatin1Char('.'), QLatin1Char(','));
        const QRegularExpression profitLine(
            QStringLiteral("\\nProfit .* %1\\n").arg(QRegularExpression::escape(shown)));
        QVERIFY2(QString::fromUtf8(text.out).contains(profitLine), qPrintable(shown));
    }
}

void TestCliLocale::numberArgumentsReadEitherMark_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("mark");
    for (const char *how : {"C", "LC_ALL", "LANG"})
        for (const char *mark : {".", ","})
            QTest::addRow("%s, \"%s\"", how, mark) << QString::fromLatin1(how) << QString::fromLatin1(mark);
}

// Every number argument that may have decimals, written with "." and with ",", in each locale.
void TestCliLocale::numberArgumentsReadEitherMark()
{
    QFETCH(QString, how);
    QFETCH(QString, mark);
    const auto n = [&](const char *whole, const char *fraction) -> QString {
        return QString::fromLatin1(whole) + mark + QString::fromLatin1(fraction);
    };
    const QString decimalMark = how == QLatin1String("C") ? QStringLiteral(".") : QStringLiteral(",");
    QTemporaryDir dir;

    // Stake, fee and price of a ticket; a bet's price, stored as the bet dialog of the locale holds it.
    const QString tickets = dir.filePath(QStringLiteral("t.qvt"));
    QCOMPARE(cli(how, {QStringLiteral("tickets"), tickets, QStringLiteral("new")}).exitCode, 0);
    CliRun r =
        cli(how, {QStringLiteral("tickets"), tickets, QStringLiteral("add-ticket"), QStringLiteral("--date"),
                  QStringLiteral("2024-03-02"), QStringLiteral("--stake"), n("0", "333"),
                  QStringLiteral("--fee"), n("0", "5"), QStringLiteral("--price"), n("2", "5")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    r = cli(how, {QStringLiteral("tickets"), tickets, QStringLiteral("add-bet"), QStringLiteral("--ticket"),
                  QStringLiteral("1"), QStringLiteral("--date"), QStringLiteral("2024-03-02"),
                  QStringLiteral("--event"), QStringLiteral("Cup"), QStringLiteral("--home"), kHome,
                  QStringLiteral("--bet"), QStringLiteral("1"), QStringLiteral("--price"), n("2", "10")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    {
        Database db;
        db.open(tickets);
        QCOMPARE(db.scalar(QStringLiteral("SELECT Stake FROM Tickets")).toDouble(), 0.333);
        QCOMPARE(db.scalar(QStringLiteral("SELECT Fee FROM Tickets")).toDouble(), 0.5);
        QCOMPARE(db.scalar(QStringLiteral("SELECT TPrice FROM Tickets")).toDouble(), 2.5);
        QCOMPARE(db.scalar(QStringLiteral("SELECT Price FROM Bets")).toString(),
                 QStringLiteral("2") + decimalMark + QStringLiteral("10"));
    }

    // The under/over line of a fixture.
    const QString league = dir.filePath(QStringLiteral("l.qvl"));
    QCOMPARE(cli(how, {QStringLiteral("new"), league}).exitCode, 0);
    r = cli(how, {QStringLiteral("add-match"), league, QStringLiteral("--home"), kHome,
                  QStringLiteral("--away"), kAway, QStringLiteral("--date"), QStringLiteral("2024-08-17"),
                  QStringLiteral("--line"), n("3", "5"), QStringLiteral("--create-teams")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    {
        Database db;
        db.open(league);
        QCOMPARE(db.scalar(QStringLiteral("SELECT UOV FROM Results")).toDouble(), 3.5);
    }

    // A handicap of tip and the Kelly fraction of a back-test.
    r = cli(how, {QStringLiteral("tip"), QStringLiteral("LEAGUE"), QStringLiteral("--home"), kHome,
                  QStringLiteral("--away"), kAway, QStringLiteral("--hch"), n("0", "5"),
                  QStringLiteral("--hca"), n("1", "25"), QStringLiteral("--format"), QStringLiteral("json")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(QJsonDocument::fromJson(r.out).object()[QStringLiteral("handicap")].toString(),
             QStringLiteral("0.5:1.25"));
    const QString systems = dir.filePath(QStringLiteral("s.qvs"));
    r = cli(how, {QStringLiteral("backtest"), QStringLiteral("LEAGUE"), QStringLiteral("--systems"), systems,
                  QStringLiteral("--staking"), QStringLiteral("kelly:") + n("0", "5")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    Database db;
    db.open(systems);
    QCOMPARE(SystemMetrics::read(db, 0)->staking, QStringLiteral("Kelly 0.5"));
}

QTEST_GUILESS_MAIN(TestCliLocale)
#include "tst_cli_locale.moc"

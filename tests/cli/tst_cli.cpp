// Runs the real quorvane-cli binary on league files in a temporary folder.

#include "data/Database.h"
#include "data/LeagueSchema.h"
#include "data/Table.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "support/CliRun.h"

namespace
{

using Run = CliRun;

Run cli(const QStringList &args)
{
    return runCli(quorvaneCli(), args);
}

// Every row of a table as the file holds it.
QList<QVariantList> fileRows(const QString &path, const QString &table)
{
    Database db;
    db.open(path);
    QList<QVariantList> rows;
    Statement st = db.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoteIdentifier(table)));
    while (st.step()) {
        QVariantList row;
        for (int c = 0; c < st.columnCount(); ++c)
            row << st.value(c);
        rows << row;
    }
    return rows;
}

QJsonArray json(const Run &r)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("not JSON: %s", qPrintable(error.errorString()));
    return doc.array();
}

QStringList columnNames(const ColumnList &columns, bool withPictures)
{
    QStringList names;
    for (const ColumnInfo &c : columns)
        if (withPictures || c.kind != ColumnKind::Blob)
            names << c.name;
    return names;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void wrongUsage_data();
    void wrongUsage();
    void newAppliesSportPresets_data();
    void newAppliesSportPresets();
    void newRefusals_data();
    void newRefusals();
    void addMatchRefusals_data();
    void addMatchRefusals();
    void addMatchStoresThroughMatchEntry();
    void yearsOfLeagueHistory();
    void importCommand();
    void importSaysWhatItDid_data();
    void importSaysWhatItDid();
    void openRefusesLeagueWithoutSettings_data();
    void openRefusesLeagueWithoutSettings();
    void tablesInTheirDefaultOrder_data();
    void tablesInTheirDefaultOrder();
    void matchesPlayedAndFixtures();
    void demoIsDeterministic();
    void newLeaguesComeWholeOrNotAtAll_data();
    void newLeaguesComeWholeOrNotAtAll();

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    // A new league with the teams Arsenal and Chelsea and one played match between them.
    QString smallLeague();

    std::unique_ptr<QTemporaryDir> m_dir;
    QTemporaryDir m_demoDir;
    QString m_demo;
};

void TestCli::initTestCase()
{
    QVERIFY(QFile::exists(quorvaneCli()));
    m_demo = m_demoDir.filePath(QStringLiteral("demo.qvl"));
    const Run r = cli({QStringLiteral("demo"), m_demo});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
}

void TestCli::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestCli::smallLeague()
{
    const QString path = file(QStringLiteral("small.qvl"));
    if (cli({QStringLiteral("new"), path}).exitCode != 0)
        return QString();
    const Run r = cli({QStringLiteral("add-match"), path, QStringLiteral("--home"), QStringLiteral("Arsenal"),
                       QStringLiteral("--away"), QStringLiteral("Chelsea"), QStringLiteral("--date"),
                       QStringLiteral("2024-08-10"), QStringLiteral("--score"), QStringLiteral("1:0"),
                       QStringLiteral("--create-teams")});
    return r.exitCode == 0 ? path : QString();
}

void TestCli::wrongUsage_data()
{
    QTest::addColumn<QStringList>("args");
    const QString league = QStringLiteral("LEAGUE");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate"), league};
    QTest::newRow("no file") << QStringList{QStringLiteral("table")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("table"), league,
                                                   QStringLiteral("--colour")};
    QTest::newRow("unknown table") << QStringList{QStringLiteral("table"), league,
                                                  QStringLiteral("sideways")};
    QTest::newRow("unknown format") << QStringList{QStringLiteral("matches"), league,
                                                   QStringLiteral("--format"), QStringLiteral("xml")};
    QTest::newRow("played and fixtures") << QStringList{
        QStringLiteral("matches"), league, QStringLiteral("--played"), QStringLiteral("--fixtures")};
    QTest::newRow("no date") << QStringList{QStringLiteral("add-match"), league,
                                            QStringLiteral("--home"),    QStringLiteral("Arsenal"),
                                            QStringLiteral("--away"),    QStringLiteral("Chelsea")};
    QTest::newRow("two odds of three")
        << QStringList{QStringLiteral("add-match"), league,
                       QStringLiteral("--home"),    QStringLiteral("Arsenal"),
                       QStringLiteral("--away"),    QStringLiteral("Chelsea"),
                       QStringLiteral("--date"),    QStringLiteral("2024-08-17"),
                       QStringLiteral("--odds"),    QStringLiteral("2.10"),
                       QStringLiteral("3.40")};
    QTest::newRow("import without csv") << QStringList{QStringLiteral("import"), league};
}

void TestCli::wrongUsage()
{
    QFETCH(QStringList, args);
    const QString path = smallLeague();
    QVERIFY(!path.isEmpty());
    const auto before = fileRows(path, QStringLiteral("Results"));
    args.replaceInStrings(QStringLiteral("LEAGUE"), path);
    const Run r = cli(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("Usage: quorvane-cli")), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
    QCOMPARE(fileRows(path, QStringLiteral("Results")), before);
}

void TestCli::newAppliesSportPresets_data()
{
    QTest::addColumn<QStringList>("sport");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<int>>("presets"); // PW PD PL PWO PDO PLO HP DP AP
    QTest::newRow("default") << QStringList{} << QStringLiteral("Football (Soccer)")
                             << QList<int>{3, 1, 0, 3, 1, 0, 50, 35, 50};
    QTest::newRow("ice hockey, typed in small letters")
        << QStringList{QStringLiteral("--sport"), QStringLiteral("ice hockey")}
        << QStringLiteral("Ice Hockey") << QList<int>{2, 1, 0, 2, 1, 1, 50, 30, 50};
    QTest::newRow("australian football")
        << QStringList{QStringLiteral("--sport"), QStringLiteral("Australian Football")}
        << QStringLiteral("Australian Football") << QList<int>{4, 2, 0, 4, 2, 0, 60, 10, 60};
    // Short names are stored in the list's spelling, which the sport tables know.
    QTest::newRow("soccer") << QStringList{QStringLiteral("--sport"), QStringLiteral("soccer")}
                            << QStringLiteral("Football (Soccer)")
                            << QList<int>{3, 1, 0, 3, 1, 0, 50, 35, 50};
    QTest::newRow("Hockey") << QStringList{QStringLiteral("--sport"), QStringLiteral("Hockey")}
                            << QStringLiteral("Ice Hockey") << QList<int>{2, 1, 0, 2, 1, 1, 50, 30, 50};
    QTest::newRow("american-football")
        << QStringList{QStringLiteral("--sport=american-football")} << QStringLiteral("American Football")
        << QList<int>{2, 1, 0, 2, 1, 1, 55, 20, 55};
}

void TestCli::newAppliesSportPresets()
{
    QFETCH(QStringList, sport);
    QFETCH(QString, stored);
    QFETCH(QList<int>, presets);
    const QString path = file(QStringLiteral("new.qvl"));
    const Run r =
        cli(QStringList{QStringLiteral("new"), path, QStringLiteral("--name"), QStringLiteral("Premier"),
                        QStringLiteral("--season"), QStringLiteral("2024"), QStringLiteral("2025")} +
            sport);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));

    const auto rows = fileRows(path, QStringLiteral("League"));
    QCOMPARE(rows.size(), 1);
    const QVariantList &row = rows[0];
    const ColumnList &columns = LeagueSchema::leagueColumns();
    const auto value = [&](const char *name) { return row[columnIndex(columns, QString::fromLatin1(name))]; };
    QCOMPARE(value("Sport").toString(), stored);
    QCOMPARE(value("League").toString(), QStringLiteral("Premier"));
    QCOMPARE(value("SS").toInt(), 2024);
    QCOMPARE(value("SE").toInt(), 2025);
    const char *names[] = {"PW", "PD", "PL", "PWO", "PDO", "PLO", "HP", "DP", "AP"};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(value(names[i]).toInt(), presets[i]);
    QCOMPARE(value("CF").toInt(), 50); // what a sport does not set keeps the new file's value
    QCOMPARE(value("LM").toInt(), 5);
}

void TestCli::newRefusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown sport") << QStringList{QStringLiteral("--sport"), QStringLiteral("Curling")}
                                   << QStringLiteral("No sport selected or invalid sport");
    QTest::newRow("season year") << QStringList{QStringLiteral("--season"), QStringLiteral("1849"),
                                                QStringLiteral("1850")}
                                 << QStringLiteral("season's first year must be a whole number from 1850");
    // Refused by the file itself after it was made: the new file goes again.
    QTest::newRow("name too long") << QStringList{QStringLiteral("--name"), QString(36, QLatin1Char('x'))}
                                   << QStringLiteral("too long for the column League");
}

void TestCli::newRefusals()
{
    // The usage names the sports that --sport takes.
    const Run help = cli({QStringLiteral("--help")});
    for (const QString &sport : {QStringLiteral("Football (Soccer)"), QStringLiteral("Rugby Union"),
                                 QStringLiteral("soccer"), QStringLiteral("aussie rules")})
        QVERIFY2(help.out.contains(sport.toUtf8()), qPrintable(sport));

    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const QString path = file(QStringLiteral("refused.qvl"));
    const Run r = cli(QStringList{QStringLiteral("new"), path} + args);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(!QFile::exists(path));
}

void TestCli::addMatchRefusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const auto match = [](const char *home, const char *away, const char *date) {
        return QStringList{QStringLiteral("--home"),  QString::fromLatin1(home), QStringLiteral("--away"),
                           QString::fromLatin1(away), QStringLiteral("--date"),  QString::fromLatin1(date)};
    };
    QTest::newRow("team missing")
        << match("Arsenal", "Everton", "2024-08-17")
        << QStringLiteral("The league has no team 'Everton'; add it first or use --create-teams.");
    QTest::newRow("same team") << match("Arsenal", "Arsenal", "2024-08-17")
                               << QStringLiteral("Home team cannot equal Away team");
    QTest::newRow("same new team, created and taken back")
        << match("Leeds", "Leeds", "2024-08-17") + QStringList{QStringLiteral("--create-teams")}
        << QStringLiteral("Home team cannot equal Away team");
    QTest::newRow("same team in another letter case")
        << match("Arsenal", "ARSENAL", "2024-08-17") << QStringLiteral("Home team cannot equal Away team");
    QTest::newRow("same new team in two spellings")
        << match("Leeds", "LEEDS", "2024-08-17") + QStringList{QStringLiteral("--create-teams")}
        << QStringLiteral("Home team cannot equal Away team");
    QTest::newRow("a long team name is quoted in part")
        << match(QByteArray(100, 'L').constData(), "Arsenal", "2024-08-17")
        << QStringLiteral("The league has no team '") + QString(60, QLatin1Char('L')) + QChar(0x2026) +
               QStringLiteral("'; add it");
    QTest::newRow("no such day") << match("Arsenal", "Chelsea", "2024-02-30")
                                 << QStringLiteral("2024-02-30 is not a date.");
    QTest::newRow("a year before 1850") << match("Arsenal", "Chelsea", "1849-12-31")
                                        << QStringLiteral("The year must lie between 1850 and 2100.");
    QTest::newRow("date written otherwise")
        << match("Arsenal", "Chelsea", "17/08/2024")
        << QStringLiteral("'17/08/2024' is not a date written YYYY-MM-DD.");
    QTest::newRow("kind of match") << match("Arsenal", "Chelsea", "2024-08-17") +
                                          QStringList{QStringLiteral("--type"), QStringLiteral("Friendly")}
                                   << QStringLiteral("Match not selected or invalid match");
    // The dialog's key filter would not have taken it, whatever the other prices.
    QTest::newRow("odds not typeable") << match("Arsenal", "Chelsea", "2024-08-17") +
                                              QStringList{QStringLiteral("--odds"), QStringLiteral("abc"),
                                                          QStringLiteral("1"), QStringLiteral("2")}
                                       << QStringLiteral("abc is an invalid value");
    // Typeable, but not a price in the user's locale: match entry refuses it.
    QTest::newRow("odds not converting") << match("Arsenal", "Chelsea", "2024-08-17") +
                                                QStringList{QStringLiteral("--odds"), QStringLiteral("1,5.0"),
                                                            QStringLiteral("3.40"), QStringLiteral("3.10")}
                                         << QStringLiteral("1,5.0 is an invalid value");
    QTest::newRow("line") << match("Arsenal", "Chelsea", "2024-08-17") +
                                 QStringList{QStringLiteral("--line"), QStringLiteral("abc")}
                          << QStringLiteral("Invalid Under/Over Value");
    // The dialog would warn and store the default line; a command line that named one means it.
    QTest::newRow("line with two decimal marks")
        << match("Arsenal", "Chelsea", "2024-08-24") +
               QStringList{QStringLiteral("--line"), QStringLiteral("2.5,5")}
        << QStringLiteral("Invalid Under/Over Value");
    QTest::newRow("score") << match("Arsenal", "Chelsea", "2024-08-17") +
                                  QStringList{QStringLiteral("--score"), QStringLiteral("2-1")}
                           << QStringLiteral("'2-1' is not a score written F:A");
    QTest::newRow("round") << match("Arsenal", "Chelsea", "2024-08-17") +
                                  QStringList{QStringLiteral("--round"), QStringLiteral("1000")}
                           << QStringLiteral("The round must be a whole number from 1 to 999");
}

void TestCli::addMatchRefusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const QString path = smallLeague();
    QVERIFY(!path.isEmpty());
    const auto teams = fileRows(path, QStringLiteral("Teams"));
    const auto results = fileRows(path, QStringLiteral("Results"));

    const Run r = cli(QStringList{QStringLiteral("add-match"), path} + args);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY2(!r.err.contains(QStringLiteral("Usage")), qPrintable(r.err));
    QCOMPARE(fileRows(path, QStringLiteral("Teams")), teams);
    QCOMPARE(fileRows(path, QStringLiteral("Results")), results);
}

void TestCli::addMatchStoresThroughMatchEntry()
{
    const QString path = smallLeague();
    QVERIFY(!path.isEmpty());
    Run r = cli({QStringLiteral("add-match"), path,
                 QStringLiteral("--home"),    QStringLiteral("Leeds"),
                 QStringLiteral("--away"),    QStringLiteral("arsenal"),
                 QStringLiteral("--date"),    QStringLiteral("2024-08-17"),
                 QStringLiteral("--round"),   QStringLiteral("2"),
                 QStringLiteral("--type"),    QStringLiteral("Relegation"),
                 QStringLiteral("--score"),   QStringLiteral("2:1"),
                 QStringLiteral("--ot"),      QStringLiteral("--odds"),
                 QStringLiteral("2.10"),      QStringLiteral("3.20"),
                 QStringLiteral("3.50"),      QStringLiteral("--bookmakers"),
                 QStringLiteral("Northbet"),  QStringLiteral("Eastline"),
                 QStringLiteral("Westmark"),  QStringLiteral("--create-teams")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    r = cli({QStringLiteral("add-match"), path, QStringLiteral("--home"), QStringLiteral("Chelsea"),
             QStringLiteral("--away"), QStringLiteral("Leeds"), QStringLiteral("--date"),
             QStringLiteral("2024-08-24"), QStringLiteral("--line"), QStringLiteral("3.5")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));

    // Only Leeds was new: "arsenal" is the team Arsenal.
    QCOMPARE(fileRows(path, QStringLiteral("Teams")).size(), 3);
    r = cli({QStringLiteral("matches"), path, QStringLiteral("--format"), QStringLiteral("json")});
    QCOMPARE(r.exitCode, 0);
    const QJsonArray matches = json(r);
    QCOMPARE(matches.size(), 3);
    const QJsonObject played = matches[1].toObject();
    QCOMPARE(played[QStringLiteral("ID")].toInt(), 1);
    QCOMPARE(played[QStringLiteral("Home")].toString(), QStringLiteral("Leeds"));
    QCOMPARE(played[QStringLiteral("Result")].toString(), QStringLiteral("2:1 OT"));
    QCOMPARE(played[QStringLiteral("DateP")].toString(), QStringLiteral("2024-08-17"));
    QCOMPARE(played[QStringLiteral("Rnd")].toInt(), 2);
    QCOMPARE(played[QStringLiteral("MatchT")].toString(), QStringLiteral("Relegation"));
    QCOMPARE(played[QStringLiteral("O1")].toString(), QStringLiteral("2.10"));
    QCOMPARE(played[QStringLiteral("OXB")].toString(), QStringLiteral("Eastline"));
    QVERIFY(played[QStringLiteral("Retrn")].isDouble());
    QVERIFY(played[QStringLiteral("Season")].isNull());
    const QJsonObject fixture = matches[2].toObject();
    QCOMPARE(fixture[QStringLiteral("Result")].toString(), QStringLiteral(":"));
    QCOMPARE(fixture[QStringLiteral("UOV")].toDouble(), 3.5);
    QCOMPARE(fixture[QStringLiteral("UOP")].toString(), QStringLiteral("3.5"));
    QCOMPARE(fixture[QStringLiteral("O1")].toString(), QStringLiteral("-"));

    // The standings took the overtime win with the league's overtime points.
    r = cli({QStringLiteral("table"), path, QStringLiteral("overall"), QStringLiteral("--format"),
             QStringLiteral("json")});
    const QJsonArray table = json(r);
    QCOMPARE(table.size(), 3);
    for (const QJsonValue &v : table) {
        const QJsonObject t = v.toObject();
        if (t[QStringLiteral("Team")].toString() == QLatin1String("Leeds")) {
            QCOMPARE(t[QStringLiteral("HPts")].toInt(), 3);
            QCOMPARE(t[QStringLiteral("TP")].toInt(), 1);
        }
    }
}

// The first season of league history, entered by hand: a season of 1888 and a match of 1850.
void TestCli::yearsOfLeagueHistory()
{
    const QString path = file(QStringLiteral("history.qvl"));
    Run r = cli({QStringLiteral("new"), path, QStringLiteral("--season"), QStringLiteral("1888"),
                 QStringLiteral("1889")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    r = cli({QStringLiteral("add-match"), path, QStringLiteral("--home"), QStringLiteral("Preston"),
             QStringLiteral("--away"), QStringLiteral("Burnley"), QStringLiteral("--date"),
             QStringLiteral("1850-01-01"), QStringLiteral("--score"), QStringLiteral("5:2"),
             QStringLiteral("--create-teams")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    Database db;
    db.open(path);
    QCOMPARE(db.scalar(QStringLiteral("SELECT SS FROM League")).toInt(), 1888);
    QCOMPARE(db.scalar(QStringLiteral("SELECT SE FROM League")).toInt(), 1889);
    QCOMPARE(db.scalar(QStringLiteral("SELECT DateP FROM Results")).toString(), QStringLiteral("1850-01-01"));
}

void TestCli::importCommand()
{
    const QString path = smallLeague();
    QVERIFY(!path.isEmpty());
    const QString csv = file(QStringLiteral("season.csv"));
    const auto write = [&](const QByteArray &rows) {
        QFile f(csv);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               f.write("Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A,PSH,PSD,PSA\r\n" + rows) > 0;
    };
    QVERIFY(write("E0,10/08/24,Arsenal,Chelsea,1,0,2.0,3.5,4.0,2.1,3.4,3.9\r\n"
                  "E0,10/08/24,Leeds,Hull,2,2,2.5,3.1,2.9,2.4,3.2,3.0\r\n"));
    Run r = cli({QStringLiteral("import"), path, csv});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out, QByteArray("1 matches added, 0 updated, 1 unchanged; 2 new teams.\n"));
    r = cli({QStringLiteral("matches"), path, QStringLiteral("--format"), QStringLiteral("json")});
    const QJsonObject added = json(r)[1].toObject();
    QCOMPARE(added[QStringLiteral("O1")].toString(), QStringLiteral("2.5")); // best price: B365
    QCOMPARE(added[QStringLiteral("OXB")].toString(), QStringLiteral("PS"));

    const auto teams = fileRows(path, QStringLiteral("Teams"));
    const auto results = fileRows(path, QStringLiteral("Results"));
    r = cli({QStringLiteral("import"), path, csv, QStringLiteral("--bookmaker"), QStringLiteral("WH")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QStringLiteral("no bookmaker 'WH'")), qPrintable(r.err));
    QVERIFY(write("E0,17/08/24,Everton,Arsenal,0,0,,,,,,\r\n"
                  "E0,31/02/24,Hull,Leeds,1,0,,,,,,\r\n"));
    r = cli({QStringLiteral("import"), path, csv});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("Line 3: ")), qPrintable(r.err));
    QCOMPARE(fileRows(path, QStringLiteral("Teams")), teams);
    QCOMPARE(fileRows(path, QStringLiteral("Results")), results);
}

void TestCli::importSaysWhatItDid_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::addColumn<int>("matches"); // stored afterwards; the league starts with one

    const QByteArray header = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A";
    QTest::newRow("line ends of old Macintosh spreadsheets")
        << header + "\rE0,17/08/24,Everton,Arsenal,0,0,,,\rE0,17/08/24,Hull,Leeds,1,0,,,\r" << 0
        << QStringLiteral("2 matches added, 0 updated, 0 unchanged; 3 new teams.\n") << 3;
    QTest::newRow("a lone CR between two rows")
        << header + "\r\nE0,17/08/24,Everton,Arsenal,0,0,,,\rE0,17/08/24,Hull,Leeds,1,0,,,\r\n"
        << 0 << QStringLiteral("2 matches added, 0 updated, 0 unchanged; 3 new teams.\n") << 3;
    QTest::newRow("separated by semicolons, decimal commas")
        << QByteArray("Div;Date;HomeTeam;AwayTeam;FTHG;FTAG;B365H;B365D;B365A\r\n"
                      "E0;17/08/24;Everton;Arsenal;0;0;2,10;3,4;3\r\n")
        << 0 << QStringLiteral("1 matches added, 0 updated, 0 unchanged; 1 new teams.\n") << 2;
    QTest::newRow("separated by semicolons, decimal points, as a script writes it")
        << QByteArray("Div;Date;HomeTeam;AwayTeam;FTHG;FTAG;B365H;B365D;B365A\r\n"
                      "E0;17/08/24;Everton;Arsenal;0;0;2.5;3.40;3\r\n")
        << 0 << QStringLiteral("1 matches added, 0 updated, 0 unchanged; 1 new teams.\n") << 2;
    QTest::newRow("prices with more decimals than the league stores")
        << header + "\nE0,17/08/24,Everton,Arsenal,0,0,1.909091,3.5,4.333333\n"
        << 0
        << QStringLiteral("1 matches added, 0 updated, 0 unchanged; 1 new teams; 2 prices rounded to two "
                          "decimals.\n")
        << 2;
    QTest::newRow("every match stored already")
        << header + "\nE0,10/08/24,Arsenal,Chelsea,1,0,,,\n"
        << 0
        << QStringLiteral(
               "Nothing imported: the league already holds all 1 matches of the file as they are.\n")
        << 1;
    QTest::newRow("header only") << header + "\r\n\r\n"
                                 << 1
                                 << QStringLiteral(
                                        "The file has no matches: every row after the header is blank.")
                                 << 1;
    QTest::newRow("separated by tabs")
        << QByteArray("Div\tDate\tHomeTeam\tAwayTeam\tFTHG\tFTAG\nE0\t17/08/24\tHull\tLeeds\t1\t0\n") << 1
        << QStringLiteral(
               "The file has no Date column: the header has 1 column; is the file separated by tabs?")
        << 1;
    QTest::newRow("a year before 1850")
        << header + "\nE0,17/08/24,Hull,Leeds,1,0,,,\nE0,31/12/1849,Hull,Leeds,1,0,,,\n"
        << 1 << QStringLiteral("Line 3: the year of '31/12/1849' lies outside 1850 to 2100.") << 1;
    QTest::newRow("the first season of league history")
        << header + "\nE0,08/09/1888,Preston,Burnley,5,2,,,\nE0,01/01/1850,Hull,Leeds,1,0,,,\n"
        << 0 << QStringLiteral("2 matches added, 0 updated, 0 unchanged; 4 new teams.") << 3;
}

// The summary tells what the import did, or the refusal why it did nothing: never a success for a
// file that was not understood.
void TestCli::importSaysWhatItDid()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(int, matches);
    const QString path = smallLeague();
    QVERIFY(!path.isEmpty());
    const QString csv = file(QStringLiteral("season.csv"));
    QFile f(csv);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    f.close();

    const Run r = cli({QStringLiteral("import"), path, csv});
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(QString::fromUtf8(exitCode == 0 ? r.out : r.err.toUtf8()).trimmed(), said.trimmed());
    QCOMPARE(fileRows(path, QStringLiteral("Results")).size(), matches);
}

void TestCli::openRefusesLeagueWithoutSettings_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("no League row") << QStringLiteral("DELETE FROM League");
    QTest::newRow("an empty League row")
        << QStringLiteral("UPDATE League SET Sport = NULL, League = NULL, PW = NULL, PD = NULL, PL = NULL, "
                          "PWO = NULL, PDO = NULL, PLO = NULL");
    QTest::newRow("no points for a win") << QStringLiteral("UPDATE League SET PW = NULL");
}

// Without its settings a league would count every win at 0 points: such a file is no league.
void TestCli::openRefusesLeagueWithoutSettings()
{
    QFETCH(QString, change);
    const QString path = smallLeague();
    QVERIFY(!path.isEmpty());
    {
        Database db;
        db.open(path);
        db.execute(change);
    }
    const auto teams = fileRows(path, QStringLiteral("Teams"));
    for (const QStringList &args :
         {QStringList{QStringLiteral("table"), path},
          QStringList{QStringLiteral("add-match"), path, QStringLiteral("--home"), QStringLiteral("Arsenal"),
                      QStringLiteral("--away"), QStringLiteral("Chelsea"), QStringLiteral("--date"),
                      QStringLiteral("2024-09-01"), QStringLiteral("--score"), QStringLiteral("3:0")}}) {
        const Run r = cli(args);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("This is not a league file")), qPrintable(r.err));
    }
    QCOMPARE(fileRows(path, QStringLiteral("Teams")), teams);
    QCOMPARE(fileRows(path, QStringLiteral("Results")).size(), 1);
}

void TestCli::tablesInTheirDefaultOrder_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("side");
    QTest::newRow("home") << QStringLiteral("home") << QStringLiteral("H");
    QTest::newRow("away") << QStringLiteral("away") << QStringLiteral("A");
    QTest::newRow("overall") << QStringLiteral("overall") << QStringLiteral("T");
}

void TestCli::tablesInTheirDefaultOrder()
{
    QFETCH(QString, table);
    QFETCH(QString, side);
    const Run r =
        cli({QStringLiteral("table"), m_demo, table, QStringLiteral("--format"), QStringLiteral("json")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QJsonArray rows = json(r);
    QCOMPARE(rows.size(), 20);

    const QStringList columns = columnNames(LeagueSchema::teamsColumns(), false);
    QHash<QString, QVariantList> stored;
    for (const QVariantList &row : fileRows(m_demo, QStringLiteral("Teams")))
        stored.insert(row[1].toString(), row);
    const auto key = [&](const QJsonObject &t) {
        return std::make_tuple(t[side + QStringLiteral("Pts")].toInt(),
                               t[side + QStringLiteral("Dif")].toInt(),
                               t[side + QStringLiteral("W")].toInt());
    };
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonObject t = rows[i].toObject();
        QCOMPARE(t[QStringLiteral("Pos")].toInt(), i + 1);
        if (i > 0)
            QVERIFY(key(rows[i - 1].toObject()) >= key(t));
        // Every column but the picture, each with the file's value; numbers as numbers.
        QStringList keys = t.keys();
        QStringList expectedKeys = columns;
        keys.sort();
        expectedKeys.sort();
        QCOMPARE(keys, expectedKeys);
        const QVariantList &row = stored.value(t[QStringLiteral("Team")].toString());
        for (int c = 2; c < columns.size(); ++c) {
            QVERIFY(t[columns[c]].isDouble());
            QCOMPARE(t[columns[c]].toDouble(), row[c].toDouble());
        }
    }
}

void TestCli::matchesPlayedAndFixtures()
{
    Run r = cli({QStringLiteral("matches"), m_demo, QStringLiteral("--format"), QStringLiteral("csv")});
    QCOMPARE(r.exitCode, 0);
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    QCOMPARE(QString::fromUtf8(lines[0]).split(QLatin1Char(',')),
             columnNames(LeagueSchema::resultsColumns(), true));
    QCOMPARE(lines.size() - 1, fileRows(m_demo, QStringLiteral("Results")).size());

    int total = 0;
    for (const char *which : {"--played", "--fixtures"}) {
        r = cli({QStringLiteral("matches"), m_demo, QString::fromLatin1(which), QStringLiteral("--format"),
                 QStringLiteral("json")});
        QCOMPARE(r.exitCode, 0);
        const QJsonArray matches = json(r);
        QVERIFY(!matches.isEmpty());
        total += matches.size();
        const bool played = QByteArray(which) == "--played";
        QString lastDate;
        for (const QJsonValue &v : matches) {
            const QJsonObject m = v.toObject();
            QCOMPARE(m[QStringLiteral("Result")].toString().size() > 1, played);
            QVERIFY(m[QStringLiteral("DateP")].toString() >= lastDate);
            lastDate = m[QStringLiteral("DateP")].toString();
        }
    }
    QCOMPARE(total, lines.size() - 1);
}

void TestCli::demoIsDeterministic()
{
    const QString again = file(QStringLiteral("again.qvl"));
    QCOMPARE(cli({QStringLiteral("demo"), again}).exitCode, 0);
    const Run refused = cli({QStringLiteral("demo"), again});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY(!refused.err.isEmpty());

    for (const QString &command : {QStringLiteral("table"), QStringLiteral("matches")}) {
        const Run a = cli({command, m_demo, QStringLiteral("--format"), QStringLiteral("csv")});
        const Run b = cli({command, again, QStringLiteral("--format"), QStringLiteral("csv")});
        QCOMPARE(a.exitCode, 0);
        QVERIFY(a.out.count('\n') > 20);
        QCOMPARE(a.out, b.out);
    }
    const Run text = cli({QStringLiteral("table"), again, QStringLiteral("overall")});
    QCOMPARE(text.exitCode, 0);
    QCOMPARE(text.out.count('\n'), 21); // a header and 20 teams
}

// new and demo make a league only when it is complete: one that fails half-way (a file name too long to
// be the league's name) leaves no file, not even an empty one, and a file already there stays as it was.
void TestCli::newLeaguesComeWholeOrNotAtAll_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QString>("message");
    const QString longName = QStringLiteral("A league name far too long for its column.qvl");
    for (const char *command : {"new", "demo"}) {
        const QString c = QString::fromLatin1(command);
        QTest::addRow("%s, fails half-way", command)
            << c << longName << false << QStringLiteral("too long for the column League");
        QTest::addRow("%s, onto an existing file", command)
            << c << QStringLiteral("kept.qvl") << true << QStringLiteral("already exists");
    }
}

void TestCli::newLeaguesComeWholeOrNotAtAll()
{
    QFETCH(QString, command);
    QFETCH(QString, name);
    QFETCH(bool, existing);
    QFETCH(QString, message);
    const QString path = file(name);
    if (existing) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("somebody's file");
    }

    const Run r = cli({command, path});

    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QStringList left = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(left, existing ? QStringList{name} : QStringList());
    if (existing) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("somebody's file"));
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

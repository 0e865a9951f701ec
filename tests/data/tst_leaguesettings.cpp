#include "data/LeagueSettings.h"
#include "data/Sports.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QTest>

namespace
{
// The whole stored state of the league, to show that a refused command changed nothing.
QString snapshot(Database &db)
{
    return storedRows(db, {QStringLiteral("League"), QStringLiteral("Teams")});
}

QVariant stored(LeagueFixture &f, const char *column)
{
    return f.dm().ADOConnection.scalar(QStringLiteral("SELECT %1 FROM League").arg(QLatin1String(column)));
}

// Settings far from every sport's defaults, so that a preset that touches too much shows.
LeagueSettings unusualSettings()
{
    LeagueSettings s;
    s.sport = QStringLiteral("Baseball");
    s.league = QStringLiteral("Winter Cup");
    const int values[LeagueNumberCount] = {1999, 2001, 9, 8, 7, 6, 5, 4, 77, 66, 55, 44, 9};
    for (int i = 0; i < LeagueNumberCount; ++i)
        s[static_cast<LeagueNumber>(i)] = values[i];
    s.HW = false;
    s.DR = true;
    s.AW = false;
    s.HA = false;
    return s;
}
} // namespace

class TestLeagueSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void newFileReadsAsDialogPresets();
    void currentSeasonStartsInJuly_data();
    void currentSeasonStartsInJuly();
    void secondYearFollowsTheFirst_data();
    void secondYearFollowsTheFirst();
    void storedValuesAreClampedToFieldRanges_data();
    void storedValuesAreClampedToFieldRanges();
    void sportPresets_data();
    void sportPresets();
    void sportChoiceThatChangesNothing_data();
    void sportChoiceThatChangesNothing();
    void okStoresRowAsTypedAndRenumbers();
    void okRefusesUnknownSport_data();
    void okRefusesUnknownSport();
    void typedSportNames_data();
    void typedSportNames();
};

void TestLeagueSettings::newFileReadsAsDialogPresets()
{
    LeagueFixture f;
    const LeagueSettings read = ReadLeagueSettings(f.dm().ADOTableLeague);
    const LeagueSettings presets;
    QCOMPARE(read.sport, presets.sport);
    QCOMPARE(read.league, QStringLiteral("Test League.qvl"));
    QCOMPARE(read.numbers, presets.numbers);
    QCOMPARE(read.HW, presets.HW);
    QCOMPARE(read.DR, presets.DR);
    QCOMPARE(read.AW, presets.AW);
    QCOMPARE(read.HA, presets.HA);
    // A new league starts in the season being played.
    const Season now = currentSeason();
    QCOMPARE(read[LeagueNumber::SS], now.first);
    QCOMPARE(read[LeagueNumber::SE], now.first + 1);
    QCOMPARE(seasonText(f.dm().ADOTableLeague), QStringLiteral("%1 - %2").arg(now.first).arg(now.first + 1));
}

void TestLeagueSettings::currentSeasonStartsInJuly_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("first");
    QTest::newRow("new year's day") << QDate(2025, 1, 1) << 2024;
    QTest::newRow("the last day of June") << QDate(2025, 6, 30) << 2024;
    QTest::newRow("the first of July") << QDate(2025, 7, 1) << 2025;
    QTest::newRow("new year's eve") << QDate(2025, 12, 31) << 2025;
}

void TestLeagueSettings::currentSeasonStartsInJuly()
{
    QFETCH(QDate, today);
    QFETCH(int, first);
    QCOMPARE(currentSeason(today), (Season{first, first + 1}));
}

void TestLeagueSettings::secondYearFollowsTheFirst_data()
{
    QTest::addColumn<int>("oldFirst");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("newFirst");
    QTest::addColumn<int>("expected");
    QTest::newRow("one year up") << 2024 << 2025 << 2025 << 2026;
    QTest::newRow("typed years ahead") << 2024 << 2025 << 2031 << 2032;
    QTest::newRow("one year down") << 2024 << 2025 << 2023 << 2024;
    QTest::newRow("a season within one year stays so") << 2024 << 2024 << 2026 << 2026;
    QTest::newRow("a longer season keeps its length") << 2020 << 2022 << 2021 << 2023;
    QTest::newRow("held at the last year") << 2099 << 2100 << 2100 << 2100;
}

void TestLeagueSettings::secondYearFollowsTheFirst()
{
    QFETCH(int, oldFirst);
    QFETCH(int, second);
    QFETCH(int, newFirst);
    QFETCH(int, expected);
    QCOMPARE(secondYearAfterFirstChanged(oldFirst, second, newFirst), expected);
}

void TestLeagueSettings::storedValuesAreClampedToFieldRanges_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("inFile");
    QTest::addColumn<int>("shown");

    QTest::newRow("SS above the last year") << "SS" << QVariant(2150) << 2100;
    QTest::newRow("SS 2011 is a season like any other") << "SS" << QVariant(2011) << 2011;
    QTest::newRow("SS below the first year") << "SS" << QVariant(1849) << 1850;
    QTest::newRow("SS of league history") << "SS" << QVariant(1888) << 1888;
    QTest::newRow("SE above the last year") << "SE" << QVariant(2400) << 2100;
    QTest::newRow("SE empty reads as 0, then the minimum") << "SE" << QVariant() << 1850;
    QTest::newRow("PW above 99") << "PW" << QVariant(150) << 99;
    QTest::newRow("PLO below -99") << "PLO" << QVariant(-100) << -99;
    QTest::newRow("negative points kept") << "PL" << QVariant(-2) << -2;
    QTest::newRow("HP below 10") << "HP" << QVariant(5) << 10;
    QTest::newRow("CF above 90") << "CF" << QVariant(100) << 90;
    QTest::newRow("LM below 2") << "LM" << QVariant(1) << 2;
    QTest::newRow("LM above 10") << "LM" << QVariant(12) << 10;
    QTest::newRow("LM 6.5 rounds to the even 6") << "LM" << QVariant(6.5) << 6;
}

void TestLeagueSettings::storedValuesAreClampedToFieldRanges()
{
    QFETCH(QString, column);
    QFETCH(QVariant, inFile);
    QFETCH(int, shown);
    LeagueFixture f;
    f.setLeague(column, inFile);
    const LeagueSettings read = ReadLeagueSettings(f.dm().ADOTableLeague);
    int i = 0;
    while (leagueNumberField(static_cast<LeagueNumber>(i)).column != column)
        ++i;
    QCOMPARE(read[static_cast<LeagueNumber>(i)], shown);

    // OK then stores what the dialog showed.
    QVERIFY(SaveLeagueSettings(f.dm(), read, f.messenger));
    f.reopen();
    QCOMPARE(stored(f, qPrintable(column)).toInt(), shown);
}

void TestLeagueSettings::sportPresets_data()
{
    QTest::addColumn<QString>("sport");
    QTest::addColumn<QList<int>>("preset"); // PW PD PL PWO PDO PLO HP DP AP

    QTest::newRow("Ice Hockey") << "Ice Hockey" << QList<int>{2, 1, 0, 2, 1, 1, 50, 30, 50};
    QTest::newRow("Australian Football") << "Australian Football" << QList<int>{4, 2, 0, 4, 2, 0, 60, 10, 60};
    QTest::newRow("Football (Soccer)") << "Football (Soccer)" << QList<int>{3, 1, 0, 3, 1, 0, 50, 35, 50};
    QTest::newRow("Rugby Union") << "Rugby Union" << QList<int>{2, 1, 0, 2, 1, 0, 55, 20, 55};
}

void TestLeagueSettings::sportPresets()
{
    QFETCH(QString, sport);
    QFETCH(QList<int>, preset);
    const LeagueSettings before = unusualSettings();
    LeagueSettings s = before;
    RecordingMessenger m;
    QVERIFY(ApplySportChoice(s, sport, sportNames().indexOf(sport), m));
    QVERIFY(m.messages().isEmpty());

    const LeagueNumber touched[] = {LeagueNumber::PW,  LeagueNumber::PD,  LeagueNumber::PL,
                                    LeagueNumber::PWO, LeagueNumber::PDO, LeagueNumber::PLO,
                                    LeagueNumber::HP,  LeagueNumber::DP,  LeagueNumber::AP};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(s[touched[i]], preset[i]);
    // Everything else keeps its value: CF, LM, the season, the choices and the texts.
    for (LeagueNumber n : {LeagueNumber::SS, LeagueNumber::SE, LeagueNumber::CF, LeagueNumber::LM})
        QCOMPARE(s[n], before[n]);
    QCOMPARE(s.HW, before.HW);
    QCOMPARE(s.DR, before.DR);
    QCOMPARE(s.AW, before.AW);
    QCOMPARE(s.HA, before.HA);
    QCOMPARE(s.league, before.league);
    QCOMPARE(s.sport, before.sport); // the chooser holds the sport; the struct is what OK reads
}

void TestLeagueSettings::sportChoiceThatChangesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("listPosition");
    QTest::addColumn<bool>("warns");

    QTest::newRow("not a sport") << "Curling" << -1 << true;
    QTest::newRow("empty") << "" << -1 << true;
    QTest::newRow("a sport typed in other case") << "ice hockey" << -1 << false;
    QTest::newRow("a sport typed exactly") << "Handball" << -1 << false;
}

void TestLeagueSettings::sportChoiceThatChangesNothing()
{
    QFETCH(QString, text);
    QFETCH(int, listPosition);
    QFETCH(bool, warns);
    const LeagueSettings before = unusualSettings();
    LeagueSettings s = before;
    RecordingMessenger m;
    QVERIFY(!ApplySportChoice(s, text, listPosition, m));
    QCOMPARE(s.numbers, before.numbers);
    QCOMPARE(m.texts(),
             warns ? QStringList{QStringLiteral("No sport selected or invalid sport")} : QStringList());
}

void TestLeagueSettings::okStoresRowAsTypedAndRenumbers()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"),
                    {QStringLiteral("Chelsea"), QStringLiteral("Arsenal"), QStringLiteral("Everton")});
    f.setLeague(QStringLiteral("PB"), 7);
    Table &teams = f.dm().ADOTableTeams;
    teams.setSort(QStringLiteral("Team"));

    LeagueSettings s = unusualSettings();
    s.sport = QStringLiteral("ice HOCKEY");
    QVERIFY(SaveLeagueSettings(f.dm(), s, f.messenger));
    QVERIFY(f.messenger.messages().isEmpty());
    QCOMPARE(seasonText(f.dm().ADOTableLeague), QStringLiteral("1999 - 2001"));

    // Positions are the league's (all level here, so in stored order), whatever order the rows are
    // sorted in for the eye, here by name.
    QCOMPARE(f.team(QStringLiteral("Chelsea"), QStringLiteral("Pos")), 1);
    QCOMPARE(f.team(QStringLiteral("Arsenal"), QStringLiteral("Pos")), 2);
    QCOMPARE(f.team(QStringLiteral("Everton"), QStringLiteral("Pos")), 3);

    f.reopen();
    QCOMPARE(stored(f, "Sport").toString(), QStringLiteral("ice HOCKEY"));
    QCOMPARE(stored(f, "League").toString(), QStringLiteral("Winter Cup"));
    QCOMPARE(stored(f, "PB").toInt(), 7); // the dialog never changes it
    const LeagueSettings read = ReadLeagueSettings(f.dm().ADOTableLeague);
    QCOMPARE(read.numbers, s.numbers);
    QCOMPARE(read.HW, false);
    QCOMPARE(read.DR, true);
    QCOMPARE(read.AW, false);
    QCOMPARE(read.HA, false);
    QCOMPARE(f.dm().ADOConnection.scalar(QStringLiteral("SELECT COUNT(*) FROM League")).toInt(), 1);
}

void TestLeagueSettings::okRefusesUnknownSport_data()
{
    QTest::addColumn<QString>("sport");
    QTest::newRow("unknown") << "Curling";
    QTest::newRow("empty") << "";
    QTest::newRow("leading blank") << " Ice Hockey";
    QTest::newRow("a short name of the command line") << "soccer";
}

void TestLeagueSettings::okRefusesUnknownSport()
{
    QFETCH(QString, sport);
    LeagueFixture f(QStringLiteral("Football (Soccer)"),
                    {QStringLiteral("Chelsea"), QStringLiteral("Arsenal")});
    f.dm().ADOTableTeams.setSort(QStringLiteral("Team")); // renumbering would change Pos
    const QString before = snapshot(f.dm().ADOConnection);
    LeagueSettings s = unusualSettings();
    s.sport = sport;
    QVERIFY(!SaveLeagueSettings(f.dm(), s, f.messenger));
    QCOMPARE(f.messenger.texts(), QStringList{QStringLiteral("No sport selected or invalid sport")});
    QCOMPARE(snapshot(f.dm().ADOConnection), before);
}

// The command line's sport names: the list's, and the short names people type.
void TestLeagueSettings::typedSportNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sport"); // empty: refused
    const QList<std::pair<const char *, const char *>> rows = {
        {"Football (Soccer)", "Football (Soccer)"},
        {"soccer", "Football (Soccer)"},
        {"FOOTBALL", "Football (Soccer)"},
        {"ice hockey", "Ice Hockey"},
        {"ice_hockey", "Ice Hockey"},
        {"hockey", "Ice Hockey"},
        {"basketball", "Basketball"},
        {"Baseball", "Baseball"},
        {"american football", "American Football"},
        {"handball", "Handball"},
        {"rugby league", "Rugby League"},
        {" rugby  union ", "Rugby Union"},
        {"aussie rules", "Australian Football"},
        {"Australian-Rules", "Australian Football"},
        {"rugby", ""},
        {"volleyball", ""}, // has constants, but is not one of the list's sports
        {"curling", ""},
        {"", ""},
    };
    for (const auto &[typed, sport] : rows)
        QTest::addRow("%s", typed) << QString::fromLatin1(typed) << QString::fromLatin1(sport);
}

void TestLeagueSettings::typedSportNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, sport);
    const int position = typedSportPosition(typed);
    QCOMPARE(position < 0 ? QString() : sportNames().at(position), sport);
}

QTEST_GUILESS_MAIN(TestLeagueSettings)
#include "tst_leaguesettings.moc"

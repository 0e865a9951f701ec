#include "data/CrossTable.h"
#include "data/Dates.h"
#include "data/StreakTable.h"
#include "support/LeagueFixture.h"

#include <QTest>

Q_DECLARE_METATYPE(Rgb)

namespace
{
// "H-A 2:1" or "H-A 3:2 OT" (played), "H-A :" (not played); date and round for the hints.
GridMatch match(const QString &text, const QString &date = QString(), const QString &round = QString())
{
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    const QStringList teams = text.left(space).split(QLatin1Char('-'));
    GridMatch m;
    m.home = teams.value(0);
    m.away = teams.value(1);
    m.result = text.mid(space + 1);
    const QStringList scores = m.result.section(QLatin1Char(' '), 0, 0).split(QLatin1Char(':'));
    m.F = scores.value(0).isEmpty() ? -1 : scores.value(0).toDouble();
    m.A = scores.value(1).isEmpty() ? -1 : scores.value(1).toDouble();
    m.date = date;
    m.round = round;
    return m;
}

std::vector<GridMatch> matches(const QStringList &texts)
{
    std::vector<GridMatch> out;
    for (const QString &t : texts)
        out.push_back(match(t));
    return out;
}

// Every cell of a grid as rows of texts joined by "|", headers included.
QStringList rowsOf(const TextGrid &g)
{
    QStringList rows;
    for (int r = 0; r < g.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g.columnCount(); ++c)
            cells << g.text(c, r);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

const QChar CR(u'\r');
} // namespace

class TestCrossTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void crossCells_data();
    void crossCells();
    void crossHintsListEveryMatchOfThePairLastFirst();
    void longHintsEndWithHowManyMore_data();
    void longHintsEndWithHowManyMore();
    void crossLooks();
    void streakLetters_data();
    void streakLetters();
    void streakRows_data();
    void streakRows();
    void streakHintIsTheTeamsNthMatchByDate();
    void streakLooks_data();
    void streakLooks();
    void readersFollowTheLeagueFile();
};

void TestCrossTable::crossCells_data()
{
    QTest::addColumn<QStringList>("teams");
    QTest::addColumn<QStringList>("played");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("no teams: 2 x 2 and empty") << QStringList() << QStringList{QStringLiteral("A-B 1:0")}
                                               << QStringList{QStringLiteral("|"), QStringLiteral("|")};
    QTest::newRow("home row, away column; swapped pair in the other cell")
        << QStringList{QStringLiteral("A"), QStringLiteral("B")}
        << QStringList{QStringLiteral("A-B 2:1"), QStringLiteral("B-A 0:3 OT")}
        << QStringList{QStringLiteral("|A|B"), QStringLiteral("A||2:1  "), QStringLiteral("B|0:3 OT  |")};
    QTest::newRow("same pair twice: the match read last first")
        << QStringList{QStringLiteral("A"), QStringLiteral("B")}
        << QStringList{QStringLiteral("A-B 1:0"), QStringLiteral("A-B 2:2")}
        << QStringList{QStringLiteral("|A|B"), QStringLiteral("A||2:2  1:0  "), QStringLiteral("B||")};
    QTest::newRow("unknown team and other letter case left out")
        << QStringList{QStringLiteral("A"), QStringLiteral("B")}
        << QStringList{QStringLiteral("A-Gone 1:0"), QStringLiteral("a-B 1:0"), QStringLiteral("A-B 4:4")}
        << QStringList{QStringLiteral("|A|B"), QStringLiteral("A||4:4  "), QStringLiteral("B||")};
    QTest::newRow("a name twice: the last row and column take the score")
        << QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("B")}
        << QStringList{QStringLiteral("A-B 1:2"), QStringLiteral("B-A 3:0")}
        << QStringList{QStringLiteral("|A|B|B"), QStringLiteral("A|||1:2  "), QStringLiteral("B|||"),
                       QStringLiteral("B|3:0  ||")};
}

void TestCrossTable::crossCells()
{
    QFETCH(QStringList, teams);
    QFETCH(QStringList, played);
    QFETCH(QStringList, rows);
    const TextGrid g = BuildCrossTable(teams, matches(played), {});
    QCOMPARE(g.columnCount(), g.rowCount());
    QCOMPARE(rowsOf(g), rows);
}

void TestCrossTable::crossHintsListEveryMatchOfThePairLastFirst()
{
    const QStringList teams = {QStringLiteral("A"), QStringLiteral("B")};
    const std::vector<GridMatch> all = {
        match(QStringLiteral("A-B 1:0"), QStringLiteral("8/1/2005"), QStringLiteral("1")),
        match(QStringLiteral("B-A 2:2"), QStringLiteral("8/8/2005"), QStringLiteral("2")),
        match(QStringLiteral("A-B :"), QStringLiteral("9/1/2005"), QStringLiteral("3"))};
    const TextGrid g = BuildCrossTable(teams, {all[0], all[1]}, all);
    QCOMPARE(g.hint(2, 1), QStringLiteral("Score: :") + CR + QStringLiteral("Date: 9/1/2005") + CR +
                               QStringLiteral("Round: 3") + CR + CR + QStringLiteral("Score: 1:0") + CR +
                               QStringLiteral("Date: 8/1/2005") + CR + QStringLiteral("Round: 1") + CR + CR);
    QCOMPARE(g.hint(1, 2), QStringLiteral("Score: 2:2") + CR + QStringLiteral("Date: 8/8/2005") + CR +
                               QStringLiteral("Round: 2") + CR + CR);
    QCOMPARE(g.text(2, 1), QStringLiteral("1:0  ")); // the fixture has a hint but no score
    for (const auto &[c, r] : {std::pair{0, 1}, {1, 0}, {1, 1}, {0, 0}})
        QVERIFY2(g.hint(c, r).isEmpty(), qPrintable(QStringLiteral("%1,%2").arg(c).arg(r)));
}

void TestCrossTable::longHintsEndWithHowManyMore_data()
{
    QTest::addColumn<int>("maxLines");
    QTest::addColumn<QStringList>("shownScores");
    QTest::addColumn<QString>("end");
    QTest::newRow("all fit") << 12
                             << QStringList{QStringLiteral("3:0"), QStringLiteral("2:1"),
                                            QStringLiteral("1:1")}
                             << QString();
    QTest::newRow("one too many") << 11 << QStringList{QStringLiteral("3:0"), QStringLiteral("2:1")}
                                  << QStringLiteral("\u2026 and 1 more");
    QTest::newRow("never fewer than one")
        << 2 << QStringList{QStringLiteral("3:0")} << QStringLiteral("\u2026 and 2 more");
}

void TestCrossTable::longHintsEndWithHowManyMore()
{
    QFETCH(int, maxLines);
    QFETCH(QStringList, shownScores);
    QFETCH(QString, end);
    // Three meetings of one pair, read oldest first: the hint lists the newest first.
    const std::vector<GridMatch> all = {match(QStringLiteral("A-B 1:1"), QStringLiteral("8/1/2005")),
                                        match(QStringLiteral("A-B 2:1"), QStringLiteral("8/8/2005")),
                                        match(QStringLiteral("A-B 3:0"), QStringLiteral("8/15/2005"))};
    const TextGrid g = BuildCrossTable({QStringLiteral("A"), QStringLiteral("B")}, all, all);
    const QString hint = hintWithin(g.hint(2, 1), maxLines);
    QStringList scores;
    for (const QString &line : hint.split(CR))
        if (line.startsWith(QLatin1String("Score: ")))
            scores << line.mid(7);
    QCOMPARE(scores, shownScores);
    if (end.isEmpty())
        QCOMPARE(hint, g.hint(2, 1));
    else
        QVERIFY2(hint.endsWith(CR + end), qPrintable(hint));
}

void TestCrossTable::crossLooks()
{
    const TextGrid g = BuildCrossTable({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")},
                                       matches({QStringLiteral("A-B 1:0")}), {});
    const GridCellLook face;
    const GridCellLook highlighted{Colours::Navy, Colours::White};
    QCOMPARE(crossTableCellLook(g, 2, 2), (GridCellLook{Colours::Black, Colours::Black}));
    QCOMPARE(crossTableCellLook(g, 2, 1), (GridCellLook{Colours::White, Colours::Black}));
    QCOMPARE(crossTableCellLook(g, 1, 2), face);
    // Selecting cell (2, 1) highlights the header of row 1 and of column 2, nothing else.
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            if (c == 0 || r == 0) {
                const bool lit = (c == 0 && r == 1) || (r == 0 && c == 2);
                QCOMPARE(crossTableCellLook(g, c, r, 2, 1), lit ? highlighted : face);
            }
}

void TestCrossTable::streakLetters_data()
{
    QTest::addColumn<QString>("match");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("away");
    QTest::newRow("home win") << QStringLiteral("A-B 2:1") << QStringLiteral("W") << QStringLiteral("L");
    QTest::newRow("away win") << QStringLiteral("A-B 0:1") << QStringLiteral("L") << QStringLiteral("W");
    QTest::newRow("draw") << QStringLiteral("A-B 1:1") << QStringLiteral("D") << QStringLiteral("D");
    QTest::newRow("overtime is a draw")
        << QStringLiteral("A-B 3:2 OT") << QStringLiteral("D") << QStringLiteral("D");
}

void TestCrossTable::streakLetters()
{
    QFETCH(QString, match);
    QFETCH(QString, home);
    QFETCH(QString, away);
    const StreakLetters l = ::streakLetters(::match(match));
    QCOMPARE(l.home, home);
    QCOMPARE(l.away, away);
}

void TestCrossTable::streakRows_data()
{
    QTest::addColumn<QStringList>("teams");
    QTest::addColumn<int>("mostPlayed");
    QTest::addColumn<QStringList>("played");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("no teams: two columns, the header row only")
        << QStringList() << 0 << QStringList() << QStringList{QStringLiteral("|1")};
    QTest::newRow("date order, seen from each team; a team without matches stays empty")
        << QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")} << 2
        << QStringList{QStringLiteral("A-B 2:0"), QStringLiteral("B-A 3:2 OT"), QStringLiteral("Gone-A 0:1")}
        << QStringList{QStringLiteral("|1|2"), QStringLiteral("A|W|D"), QStringLiteral("B|L|D"),
                       QStringLiteral("C||")};
    QTest::newRow("as wide as the busiest team")
        << QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")} << 2
        << QStringList{QStringLiteral("A-B 0:2"), QStringLiteral("B-A 1:1")}
        << QStringList{QStringLiteral("|1|2"), QStringLiteral("A|L|D"), QStringLiteral("B|W|D"),
                       QStringLiteral("C||")};
    // A stored TP behind the matches must not cost a team its newest results.
    QTest::newRow("wider than the stored match count: the newest match stays")
        << QStringList{QStringLiteral("A"), QStringLiteral("B")} << 1
        << QStringList{QStringLiteral("A-B 0:2"), QStringLiteral("B-A 1:1")}
        << QStringList{QStringLiteral("|1|2"), QStringLiteral("A|L|D"), QStringLiteral("B|W|D")};
}

void TestCrossTable::streakRows()
{
    QFETCH(QStringList, teams);
    QFETCH(int, mostPlayed);
    QFETCH(QStringList, played);
    QFETCH(QStringList, rows);
    QCOMPARE(rowsOf(BuildStreakTable(teams, mostPlayed, matches(played))), rows);
}

void TestCrossTable::streakHintIsTheTeamsNthMatchByDate()
{
    const std::vector<GridMatch> byDate = {
        match(QStringLiteral("A-B 1:0"), QStringLiteral("8/1/2005"), QStringLiteral("1")),
        match(QStringLiteral("C-B 0:0"), QStringLiteral("8/2/2005"), QStringLiteral("1")),
        match(QStringLiteral("B-C 2:1"), QStringLiteral("8/8/2005"), QStringLiteral("2")),
        match(QStringLiteral("A-B 0:3"), QStringLiteral("8/15/2005"), QStringLiteral("3"))};
    const TextGrid g =
        BuildStreakTable({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, 4, byDate);
    QCOMPARE(g.text(3, 2), QStringLiteral("W"));
    QCOMPARE(g.hint(3, 2), QStringLiteral("B - C") + CR + QStringLiteral("Score: 2:1") + CR +
                               QStringLiteral("Date: 8/8/2005") + CR + QStringLiteral("Round: 2"));
    QCOMPARE(g.hint(2, 1), QStringLiteral("A - B") + CR + QStringLiteral("Score: 0:3") + CR +
                               QStringLiteral("Date: 8/15/2005") + CR + QStringLiteral("Round: 3"));
    QVERIFY(g.hint(3, 1).isEmpty()); // A played twice
    QVERIFY(g.hint(0, 1).isEmpty() && g.hint(1, 0).isEmpty());
}

void TestCrossTable::streakLooks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rgb>("background");
    QTest::newRow("win") << QStringLiteral("W") << Colours::LightGreen;
    QTest::newRow("draw") << QStringLiteral("D") << Colours::LightYellow;
    QTest::newRow("loss") << QStringLiteral("L") << Colours::LightRed;
    QTest::newRow("empty") << QString() << Colours::White;
}

void TestCrossTable::streakLooks()
{
    QFETCH(QString, text);
    QFETCH(Rgb, background);
    TextGrid g(3, 3);
    g.setText(1, 1, text);
    QCOMPARE(streakTableCellLook(g, 1, 1), (GridCellLook{background, Colours::Black}));
    QCOMPARE(streakTableCellLook(g, 0, 1, 1, 1), (GridCellLook{Colours::Navy, Colours::White}));
    QCOMPARE(streakTableCellLook(g, 0, 2, 1, 1), GridCellLook{});
}

// The readers on a real league file: the team order ignores letter case, the played matches leave the
// fixtures out and come in stored or date order, and TP gives the width.
void TestCrossTable::readersFollowTheLeagueFile()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"),
                    {QStringLiteral("charlie"), QStringLiteral("alpha"), QStringLiteral("Bravo")});
    const QString a = QStringLiteral("alpha"), b = QStringLiteral("Bravo"), c = QStringLiteral("charlie");
    QVERIFY(f.addMatch(a, b, 2, 0, false, QDate(2005, 8, 20), 2));
    QVERIFY(f.addMatch(c, a, 1, 1, false, QDate(2005, 8, 6), 1));
    QVERIFY(f.addMatch(b, a, 3, 2, true, QDate(2005, 8, 27), 3));
    QVERIFY(f.addMatch(a, c, -1, -1, false, QDate(2005, 9, 3), 4));

    TDataMod &dm = f.dm();
    const QStringList teams = readTeamNamesByName(dm.ADOConnection);
    QCOMPARE(teams, (QStringList{a, b, c}));
    QCOMPARE(readMostMatchesPlayed(dm), 3);
    QCOMPARE(readGridMatches(dm, GridMatches::AllStored).size(), size_t(4));

    const TextGrid cross = BuildCrossTable(teams, readGridMatches(dm, GridMatches::PlayedStored),
                                           readGridMatches(dm, GridMatches::AllStored));
    QCOMPARE(rowsOf(cross),
             (QStringList{QStringLiteral("|alpha|Bravo|charlie"), QStringLiteral("alpha||2:0  |"),
                          QStringLiteral("Bravo|3:2 OT  ||"), QStringLiteral("charlie|1:1  ||")}));
    QCOMPARE(cross.hint(3, 1), QStringLiteral("Score: :") + CR + QStringLiteral("Date: ") +
                                   Dates::toShortDate(QDate(2005, 9, 3)) + CR + QStringLiteral("Round: 4") +
                                   CR + CR);

    const TextGrid streak =
        BuildStreakTable(teams, readMostMatchesPlayed(dm), readGridMatches(dm, GridMatches::PlayedByDate));
    QCOMPARE(rowsOf(streak), (QStringList{QStringLiteral("|1|2|3"), QStringLiteral("alpha|D|W|D"),
                                          QStringLiteral("Bravo|L|D|"), QStringLiteral("charlie|D||")}));
    QCOMPARE(streak.hint(1, 1), QStringLiteral("charlie - alpha") + CR + QStringLiteral("Score: 1:1") + CR +
                                    QStringLiteral("Date: ") + Dates::toShortDate(QDate(2005, 8, 6)) + CR +
                                    QStringLiteral("Round: 1"));
}

QTEST_GUILESS_MAIN(TestCrossTable)
#include "tst_crosstable.moc"

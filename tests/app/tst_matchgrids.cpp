#include "app/MatchGrids.h"
#include "data/Database.h"
#include "data/Dates.h"
#include "data/GridCommands.h"
#include "data/LeagueSchema.h"
#include "support/LeagueFixture.h"

#include <QTest>

Q_DECLARE_METATYPE(MatchPage)

namespace
{
const QString A = QStringLiteral("Arsenal");
const QString B = QStringLiteral("Chelsea");
const QString C = QStringLiteral("Everton");

// Every stored value of a table, row by row, to compare two files or a file before and after.
QString tableText(Database &db, const QString &table)
{
    QString out;
    Statement st = db.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
    while (st.step()) {
        for (int i = 0; i < st.columnCount(); ++i)
            out += st.value(i).toString() + QLatin1Char('|');
        out += QLatin1Char('\n');
    }
    return out;
}

QString visibleTitles(MatchPage page, const QList<bool> &shown)
{
    QStringList titles;
    const auto &columns = matchGridColumns(page);
    for (int i = 0; i < columns.size(); ++i)
        if (shown.value(i))
            titles << columns[i].title;
    return titles.join(QLatin1Char('|'));
}

QString colourName(const std::optional<Rgb> &c)
{
    if (!c)
        return QString();
    if (*c == Colours::LightGreen)
        return QStringLiteral("green");
    if (*c == Colours::LightRed)
        return QStringLiteral("red");
    if (*c == Colours::LightCyan)
        return QStringLiteral("cyan");
    return QStringLiteral("rgb(%1,%2,%3)").arg(c->red).arg(c->green).arg(c->blue);
}

// A match entered with odds and bookmakers on both sides.
MatchEntryInput withOdds(MatchEntryInput in, const QString &home, const QString &draw, const QString &away,
                         const QString &homeBook, const QString &awayBook)
{
    in.odds[0] = home;
    in.odds[1] = draw;
    in.odds[2] = away;
    in.bookmaker[0] = homeBook;
    in.bookmaker[1] = QStringLiteral("Middle");
    in.bookmaker[2] = awayBook;
    return in;
}

QString text(Table &t, const char *column)
{
    return t.field(QString::fromLatin1(column)).asString();
}
} // namespace

class TestMatchGrids : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Database::setDurableWrites(false);
    }
    void gridFieldsAreResultsColumns();
    void columnsShown_data();
    void columnsShown();
    void colours_data();
    void colours();
    void coloursReadTheStoredRow();
    void toggledSort_data();
    void toggledSort();
    void toggleSortsTheTable();
    void pricesSortAsNumbers();
    void confirmDeleteRow_data();
    void confirmDeleteRow();
    void switchPlayedEqualsFreshEntry_data();
    void switchPlayedEqualsFreshEntry();
    void switchFixture();
    void switchWithoutRows();
};

void TestMatchGrids::gridFieldsAreResultsColumns()
{
    for (MatchPage page : {MatchPage::Fixtures, MatchPage::Scores})
        for (const GridColumn &c : matchGridColumns(page))
            QVERIFY2(columnIndex(LeagueSchema::resultsColumns(), c.field) >= 0, qPrintable(c.field));
}

void TestMatchGrids::columnsShown_data()
{
    QTest::addColumn<MatchPage>("page");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("titles"); // empty: not a mode

    const MatchPage F = MatchPage::Fixtures, S = MatchPage::Scores;
    QTest::newRow("fixtures all")
        << F << "All"
        << "Date|Rnd|Home Team|Away Team|H%|D%|A%|C%|Verdict|PScore|Total|Under/Over|1|X|2|"
           "Return (%)";
    QTest::newRow("fixtures only") << F << "Fixtures"
                                   << "Date|Rnd|Home Team|Away Team";
    QTest::newRow("fixtures odds") << F << "Odds"
                                   << "Date|Rnd|Home Team|Away Team|1|X|2|Return (%)";
    QTest::newRow("fixtures predictions") << F << "Predictions"
                                          << "Date|Rnd|Home Team|Away Team|H%|D%|A%|C%|Verdict|PScore|Total|"
                                             "Under/Over";
    QTest::newRow("scores all")
        << S << "All"
        << "Date|Rnd|Match|Home Team|Away Team|Score|H%|D%|A%|C%|Verdict|PScore|Total|"
           "Under/Over|1|X|2|Return (%)";
    QTest::newRow("scores only") << S << "Scores"
                                 << "Date|Rnd|Match|Home Team|Away Team|Score";
    QTest::newRow("scores odds typed") << S << "odds"
                                       << "Date|Rnd|Match|Home Team|Away Team|Score|1|X|2|Return (%)";
    QTest::newRow("scores predictions")
        << S << "PREDICTIONS"
        << "Date|Rnd|Match|Home Team|Away Team|Score|H%|D%|A%|C%|Verdict|PScore|"
           "Total|Under/Over";
    QTest::newRow("scores mode on fixtures") << F << "Scores"
                                             << "";
    QTest::newRow("fixtures mode on scores") << S << "Fixtures"
                                             << "";
    QTest::newRow("half typed") << S << "Odd"
                                << "";
    QTest::newRow("empty") << F << ""
                           << "";
}

void TestMatchGrids::columnsShown()
{
    QFETCH(MatchPage, page);
    QFETCH(QString, mode);
    QFETCH(QString, titles);
    const std::optional<QList<bool>> shown = matchColumnsShown(page, mode);
    QCOMPARE(shown.has_value(), !titles.isEmpty());
    if (shown) {
        QCOMPARE(shown->size(), matchGridColumns(page).size());
        QCOMPARE(visibleTitles(page, *shown), titles);
    }
}

void TestMatchGrids::colours_data()
{
    QTest::addColumn<MatchPage>("page");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("uop");
    QTest::addColumn<double>("uov");
    QTest::addColumn<double>("retrn");
    QTest::addColumn<QString>("colour"); // empty: the striped background stays

    const MatchPage F = MatchPage::Fixtures, S = MatchPage::Scores;
    struct Case {
        const char *name;
        MatchPage page;
        const char *field, *result, *verdict, *uop;
        double uov, retrn;
        const char *colour;
    };
    const Case cases[] = {
        // A home win called "1": the call and its percentage green, the home odds cyan.
        {"2:1 called 1: H%", S, "HP", "2:1", "1", "2.5", 2.5, 0, "green"},
        {"2:1 called 1: verdict", S, "Verdict", "2:1", "1", "2.5", 2.5, 0, "green"},
        {"2:1 called 1: D% not called", S, "DP", "2:1", "1", "2.5", 2.5, 0, ""},
        {"2:1: home odds", S, "O1", "2:1", "1", "2.5", 2.5, 0, "cyan"},
        {"2:1: draw odds", S, "OX", "2:1", "1", "2.5", 2.5, 0, ""},
        {"2:1: away odds", S, "O2", "2:1", "1", "2.5", 2.5, 0, ""},
        // Decided in overtime it is a draw.
        {"2:1 OT called 1: H%", S, "HP", "2:1 OT", "1", "2.5", 2.5, 0, "red"},
        {"2:1 OT called 1: verdict", S, "Verdict", "2:1 OT", "1", "2.5", 2.5, 0, "red"},
        {"2:1 OT: draw odds", S, "OX", "2:1 OT", "1", "2.5", 2.5, 0, "cyan"},
        {"2:1 OT: home odds", S, "O1", "2:1 OT", "1", "2.5", 2.5, 0, ""},
        {"3:2 OT called X: D%", S, "DP", "3:2 OT", "X", "2.5", 2.5, 0, "green"},
        {"3:2 OT called X: verdict", S, "Verdict", "3:2 OT", "X", "2.5", 2.5, 0, "green"},
        {"1:1 called X: D%", S, "DP", "1:1", "X", "2.5", 2.5, 0, "green"},
        {"2:0 called X: D%", S, "DP", "2:0", "X", "2.5", 2.5, 0, "red"},
        {"2:0 called X: H% not called", S, "HP", "2:0", "X", "2.5", 2.5, 0, ""},
        {"0:1 called 2: A%", S, "AP", "0:1", "2", "2.5", 2.5, 0, "green"},
        {"0:1: away odds", S, "O2", "0:1", "2", "2.5", 2.5, 0, "cyan"},
        {"1:0 called 2: verdict", S, "Verdict", "1:0", "2", "2.5", 2.5, 0, "red"},
        {"1:0 called 2: A%", S, "AP", "1:0", "2", "2.5", 2.5, 0, "red"},
        {"no call: H%", S, "HP", "2:1", "?", "2.5", 2.5, 0, ""},
        {"no call: verdict", S, "Verdict", "2:1", "?", "2.5", 2.5, 0, ""},
        {"no call: odds still cyan", S, "O1", "2:1", "?", "2.5", 2.5, 0, "cyan"},
        // Under/over calls.
        {"under 2.5 with 1:1", S, "UOP", "1:1", "?", "Under 2.5", 2.5, 0, "green"},
        {"under 2.5 with 2:1", S, "UOP", "2:1", "?", "Under 2.5", 2.5, 0, "red"},
        {"over 2.5 with 2:1", S, "UOP", "2:1", "?", "Over 2.5", 2.5, 0, "green"},
        {"over 2.5 with 1:1", S, "UOP", "1:1", "?", "Over 2.5", 2.5, 0, "red"},
        {"only the line", S, "UOP", "2:1", "?", "2.5", 2.5, 0, ""},
        {"over a whole line hit exactly", S, "UOP", "2:1", "?", "Over 3", 3, 0, "red"},
        {"under a whole line hit exactly", S, "UOP", "2:1", "?", "Under 3", 3, 0, "red"},
        {"scores: return not coloured", S, "Retrn", "2:1", "1", "2.5", 2.5, 5, ""},
        {"scores: other columns not coloured", S, "Home", "2:1", "1", "2.5", 2.5, 5, ""},
        // Fixtures: the called percentage and a positive return green, nothing red.
        {"fixture called 1: H%", F, "HP", ":", "1", "2.5", 2.5, 0, "green"},
        {"fixture called 1: A%", F, "AP", ":", "1", "2.5", 2.5, 0, ""},
        {"fixture called 1: verdict", F, "Verdict", ":", "1", "2.5", 2.5, 0, ""},
        {"fixture called X: D%", F, "DP", ":", "X", "2.5", 2.5, 0, "green"},
        {"fixture called 2: A%", F, "AP", ":", "2", "2.5", 2.5, 0, "green"},
        {"fixture no call", F, "HP", ":", "?", "2.5", 2.5, 0, ""},
        {"fixture return 1.5", F, "Retrn", ":", "?", "2.5", 2.5, 1.5, "green"},
        {"fixture return 0", F, "Retrn", ":", "?", "2.5", 2.5, 0, ""},
        {"fixture return negative", F, "Retrn", ":", "?", "2.5", 2.5, -3.2, ""},
        {"fixture odds not coloured", F, "OX", ":", "X", "Over 2.5", 2.5, 1, ""},
        {"fixture under/over not coloured", F, "UOP", ":", "X", "Over 2.5", 2.5, 1, ""},
    };
    for (const Case &c : cases)
        QTest::newRow(c.name) << c.page << QString::fromLatin1(c.field) << QString::fromLatin1(c.result)
                              << QString::fromLatin1(c.verdict) << QString::fromLatin1(c.uop) << c.uov
                              << c.retrn << QString::fromLatin1(c.colour);
}

void TestMatchGrids::colours()
{
    QFETCH(MatchPage, page);
    QFETCH(QString, field);
    QFETCH(QString, result);
    QFETCH(QString, verdict);
    QFETCH(QString, uop);
    QFETCH(double, uov);
    QFETCH(double, retrn);
    QFETCH(QString, colour);
    MatchColourRow row;
    row.result = result;
    const qsizetype colon = result.indexOf(QLatin1Char(':'));
    row.F = colon > 0 ? result.left(colon).toInt() : -1;
    row.A = colon > 0 ? result.mid(colon + 1, 1).toInt() : -1;
    row.verdict = verdict;
    row.uop = uop;
    row.uov = uov;
    row.retrn = retrn;
    QCOMPARE(colourName(matchCellColour(page, field, row)), colour);
}

void TestMatchGrids::coloursReadTheStoredRow()
{
    LeagueFixture f(QStringLiteral("Ice Hockey"), {A, B});
    QVERIFY(f.addMatch(A, B, 3, 2, true));
    Table &results = f.dm().ADOTableResults;
    results.first();
    results.edit();
    results.field(QStringLiteral("Verdict")).setString(QStringLiteral("X"));
    results.field(QStringLiteral("UOP")).setString(QStringLiteral("Under 5.5"));
    results.field(QStringLiteral("UOV")).setFloat(5.5);
    results.post();

    const MatchColourRow row = matchColourRowAt(results, 0);
    QCOMPARE(row.result, QStringLiteral("3:2 OT"));
    QCOMPARE(row.F, 3);
    QCOMPARE(row.A, 2);
    QCOMPARE(colourName(scoreCellColour(QStringLiteral("Verdict"), row)), QStringLiteral("green"));
    QCOMPARE(colourName(scoreCellColour(QStringLiteral("UOP"), row)), QStringLiteral("green"));
    QCOMPARE(colourName(scoreCellColour(QStringLiteral("OX"), row)), QStringLiteral("cyan"));
}

void TestMatchGrids::toggledSort_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a text starts at A") << ""
                                        << "Home" << false << "Home";
    QTest::newRow("a number starts with the largest") << ""
                                                      << "HP" << true << "HP DESC";
    QTest::newRow("the sorted column flips") << "DateP"
                                             << "DateP" << false << "DateP DESC";
    QTest::newRow("and flips back") << "DateP DESC"
                                    << "DateP" << false << "DateP";
    QTest::newRow("a sorted number flips") << "Retrn DESC"
                                           << "Retrn" << true << "Retrn";
    QTest::newRow("another text after a descending sort") << "DateP DESC"
                                                          << "Home" << false << "Home";
    QTest::newRow("another number after an ascending sort") << "Rnd"
                                                            << "Retrn" << true << "Retrn DESC";
    QTest::newRow("another number after a descending sort") << "CF DESC"
                                                            << "O1" << true << "O1 DESC";
    QTest::newRow("only the first key counts") << "HPts DESC, Team DESC"
                                               << "Team" << false << "Team";
    QTest::newRow("letter case and brackets") << "[datep] desc"
                                              << "DateP" << false << "DateP";
}

void TestMatchGrids::toggledSort()
{
    QFETCH(QString, current);
    QFETCH(QString, field);
    QFETCH(bool, numeric);
    QFETCH(QString, expected);
    QCOMPARE(toggledSortText(current, field, numeric), expected);
}

void TestMatchGrids::toggleSortsTheTable()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    QVERIFY(f.addMatch(A, B, 1, 0, false, QDate(2005, 8, 2), 3));
    QVERIFY(f.addMatch(B, C, 1, 0, false, QDate(2005, 8, 9), 1));
    QVERIFY(f.addMatch(C, A, 1, 0, false, QDate(2005, 8, 5), 2));
    Table &results = f.dm().ADOTableResults;
    results.setSort(QStringLiteral("Home"));

    ToggleColumnSort(QStringLiteral("DateP"), results);
    results.first();
    QCOMPARE(results.field(QStringLiteral("DateP")).asDate(), QDate(2005, 8, 2));
    ToggleColumnSort(QStringLiteral("DateP"), results);
    results.first();
    QCOMPARE(results.field(QStringLiteral("DateP")).asDate(), QDate(2005, 8, 9));
    // A number column starts with its largest value, also right after a descending sort.
    ToggleColumnSort(QStringLiteral("Rnd"), results);
    results.first();
    QCOMPARE(results.field(QStringLiteral("Rnd")).asInteger(), 3);
    ToggleColumnSort(QStringLiteral("Home"), results);
    results.first();
    QCOMPARE(text(results, "Home"), A);

    LeagueFixture empty;
    ToggleColumnSort(QStringLiteral("DateP"), empty.dm().ADOTableResults);
    QCOMPARE(empty.dm().ADOTableResults.sort(), QString());
}

void TestMatchGrids::pricesSortAsNumbers()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    const QStringList prices = {QStringLiteral("9.50"), QStringLiteral("-"),    QStringLiteral("10,25"),
                                QStringLiteral("2.1"),  QStringLiteral("15.6"), QStringLiteral("5/2")};
    Table &results = f.dm().ADOTableResults;
    for (const QString &price : prices) {
        QVERIFY(f.addMatch(A, B, -1, -1));
        results.last();
        results.edit();
        results.field(QStringLiteral("O1")).setString(price);
        results.post();
    }
    QVERIFY(sortsAsNumber(results, QStringLiteral("O1")));
    QVERIFY(!sortsAsNumber(results, QStringLiteral("Home")));
    ToggleColumnSort(QStringLiteral("O1"), results);
    QStringList shown;
    for (results.first(); !results.eof(); results.next())
        shown << text(results, "O1");
    // The largest price first; the texts that are no decimal price last.
    QCOMPARE(shown, (QStringList{QStringLiteral("15.6"), QStringLiteral("10,25"), QStringLiteral("9.50"),
                                 QStringLiteral("2.1"), QStringLiteral("5/2"), QStringLiteral("-")}));
}

void TestMatchGrids::confirmDeleteRow_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes deletes") << true;
    QTest::newRow("no keeps") << false;
}

void TestMatchGrids::confirmDeleteRow()
{
    QFETCH(bool, yes);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    QVERIFY(f.addMatch(A, B, 2, 0));
    const QString teamsBefore = tableText(f.dm().ADOConnection, QStringLiteral("Teams"));
    RecordingMessenger m;
    m.queueAnswer(yes ? Messenger::Answer::Yes : Messenger::Answer::No);

    QCOMPARE(ConfirmDeleteRow(f.dm().ADOTableResults, m), yes);
    QCOMPARE(m.messages().size(), 1);
    QCOMPARE(m.messages()[0].kind, Messenger::Kind::Question);
    // The question names the match on a second line, and No is what Enter answers.
    QCOMPARE(m.messages()[0].text, QStringLiteral("Do you really want to delete this record?\n%1 - %2, %3")
                                       .arg(A, B, Dates::toShortDate(QDate(2005, 8, 1))));
    QCOMPARE(m.messages()[0].caption, QStringLiteral("Delete"));
    QCOMPARE(m.messages()[0].buttons, Messenger::Buttons::YesNoDefaultNo);
    f.reopen();
    QCOMPARE(f.dm().ADOTableResults.recordCount(), yes ? 0 : 1);
    // A deleted played match leaves the standings.
    QCOMPARE(f.team(A, QStringLiteral("HW")), yes ? 0 : 1);
    QCOMPARE(f.team(B, QStringLiteral("AL")), yes ? 0 : 1);
    if (!yes)
        QCOMPARE(tableText(f.dm().ADOConnection, QStringLiteral("Teams")), teamsBefore);

    // Nothing to delete: nothing is asked.
    m.clear();
    m.queueAnswer(Messenger::Answer::Yes);
    LeagueFixture empty;
    QVERIFY(!ConfirmDeleteRow(empty.dm().ADOTableTeams, m));
    QVERIFY(m.messages().isEmpty());
}

void TestMatchGrids::switchPlayedEqualsFreshEntry_data()
{
    QTest::addColumn<int>("homeScore");
    QTest::addColumn<int>("awayScore");
    QTest::addColumn<bool>("overtime");
    QTest::addColumn<QString>("switchedResult");
    QTest::newRow("home win") << 2 << 1 << false << "1:2";
    QTest::newRow("away win") << 0 << 3 << false << "3:0";
    QTest::newRow("draw") << 1 << 1 << false << "1:1";
    QTest::newRow("overtime") << 3 << 2 << true << "2:3 OT";
}

void TestMatchGrids::switchPlayedEqualsFreshEntry()
{
    QFETCH(int, homeScore);
    QFETCH(int, awayScore);
    QFETCH(bool, overtime);
    QFETCH(QString, switchedResult);

    // Two leagues with the same earlier matches: one enters the match and switches it, the other enters
    // the switched match.
    auto earlier = [](LeagueFixture &f) {
        QVERIFY(f.addMatch(A, C, 1, 0, false, QDate(2005, 8, 1)));
        QVERIFY(f.addMatch(C, B, 2, 2, false, QDate(2005, 8, 8)));
        QVERIFY(f.addMatch(B, C, 4, 1, false, QDate(2005, 8, 15)));
    };
    const QDate day(2005, 8, 22);
    LeagueFixture switched(QStringLiteral("Ice Hockey"), {A, B, C});
    earlier(switched);
    QVERIFY(SaveMatch(switched.dm(),
                      withOdds(switched.input(A, B, homeScore, awayScore, overtime, day),
                               QStringLiteral("2.10"), QStringLiteral("3.20"), QStringLiteral("3.50"),
                               QStringLiteral("North"), QStringLiteral("East")),
                      switched.messenger));
    LeagueFixture fresh(QStringLiteral("Ice Hockey"), {A, B, C});
    earlier(fresh);
    QVERIFY(SaveMatch(fresh.dm(),
                      withOdds(fresh.input(B, A, awayScore, homeScore, overtime, day), QStringLiteral("3.50"),
                               QStringLiteral("3.20"), QStringLiteral("2.10"), QStringLiteral("East"),
                               QStringLiteral("North")),
                      fresh.messenger));

    Table &results = switched.dm().ADOTableResults;
    QVERIFY(results.locate(QStringLiteral("Home;Away"), {A, B}));
    RecordingMessenger m;
    QVERIFY(SwitchTeams(switched.dm(), m));
    QVERIFY(m.messages().isEmpty());
    QCOMPARE(text(results, "Result"), switchedResult);

    switched.reopen();
    QCOMPARE(tableText(switched.dm().ADOConnection, QStringLiteral("Teams")),
             tableText(fresh.dm().ADOConnection, QStringLiteral("Teams")));
    // The row too, its rating snapshot included: taking the match out later restores the right ratings.
    QCOMPARE(tableText(switched.dm().ADOConnection, QStringLiteral("Results")),
             tableText(fresh.dm().ADOConnection, QStringLiteral("Results")));
}

void TestMatchGrids::switchFixture()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C});
    QVERIFY(f.addMatch(A, C, 1, 0));
    MatchEntryInput in = withOdds(f.input(A, B, -1, -1), QStringLiteral("2.10"), QStringLiteral("3.20"),
                                  QStringLiteral("3.50"), QStringLiteral("North"), QStringLiteral("East"));
    QVERIFY(SaveMatch(f.dm(), in, f.messenger));
    const QString teamsBefore = tableText(f.dm().ADOConnection, QStringLiteral("Teams"));
    Table &results = f.dm().ADOTableResults;
    QVERIFY(results.locate(QStringLiteral("Home;Away"), {A, B}));
    const QString snapshotBefore = text(results, "TRH") + text(results, "TRA") + text(results, "PtsH");

    RecordingMessenger m;
    QVERIFY(SwitchTeams(f.dm(), m));
    f.reopen();
    QVERIFY(results.locate(QStringLiteral("Home;Away"), {B, A}));
    QCOMPARE(text(results, "Result"), QStringLiteral(":"));
    QCOMPARE(text(results, "F"), QStringLiteral("-1"));
    QCOMPARE(text(results, "A"), QStringLiteral("-1"));
    QCOMPARE(text(results, "O1"), QStringLiteral("3.50"));
    QCOMPARE(text(results, "OX"), QStringLiteral("3.20"));
    QCOMPARE(text(results, "O2"), QStringLiteral("2.10"));
    QCOMPARE(text(results, "O1B"), QStringLiteral("East"));
    QCOMPARE(text(results, "OXB"), QStringLiteral("Middle"));
    QCOMPARE(text(results, "O2B"), QStringLiteral("North"));
    QCOMPARE(text(results, "TRH") + text(results, "TRA") + text(results, "PtsH"), snapshotBefore);
    QCOMPARE(tableText(f.dm().ADOConnection, QStringLiteral("Teams")), teamsBefore);
}

void TestMatchGrids::switchWithoutRows()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    RecordingMessenger m;
    QVERIFY(!SwitchTeams(f.dm(), m));
    QVERIFY(m.messages().isEmpty());
}

QTEST_GUILESS_MAIN(TestMatchGrids)
#include "tst_matchgrids.moc"

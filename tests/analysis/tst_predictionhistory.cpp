#include "analysis/PredictionHistory.h"
#include "data/Errors.h"

#include <QTest>

using Grid = QList<QStringList>;
using ColumnValues = QMap<int, QStringList>; // month column -> its six data cells, top to bottom

Q_DECLARE_METATYPE(HistoryView)
Q_DECLARE_METATYPE(Match)

namespace
{

const QLocale cLocale = QLocale::c();
const QStringList workedTeams{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")};

Match makeRow(QDate date, const QString &home, const QString &away, const QString &result, int f, int a,
              const QString &presult, int ttl, const QString &verdict, double uov, const QString &uop,
              const QString &o1, const QString &ox, const QString &o2)
{
    Match row;
    row.date = date;
    row.homeTeam = home;
    row.awayTeam = away;
    row.result = result;
    row.homeScore = f;
    row.awayScore = a;
    row.prediction.predictedScore = presult;
    row.prediction.predictedTotal = ttl;
    row.prediction.verdict = verdict;
    row.line = uov;
    row.prediction.underOver = uop;
    row.homePrice = o1;
    row.drawPrice = ox;
    row.awayPrice = o2;
    return row;
}

// A bet row of January 2023 between Alpha and Beta; only the fields a bet needs.
Match betRow(const QString &result, int f, int a, const QString &verdict, const QString &o1,
             const QString &ox, const QString &o2, QDate date = QDate(2023, 1, 15))
{
    return makeRow(date, QStringLiteral("Alpha"), QStringLiteral("Beta"), result, f, a, QStringLiteral("9:9"),
                   18, verdict, 2.5, QStringLiteral("Over 2.5"), o1, ox, o2);
}

// The worked case, balance 100, wager 20, oldest first.  By hand:
//  r1 2023-01-10 Alpha-Beta 2:1, "1" at 2.10: won, 2.1*20-20 = +22; U/O Over 2.5: 3 and 3 over, hit; score
//  hit. r8 2023-01-25 Beta-Alpha 0:0, "1" at 2.00: draw, lost -20; U/O Over 0.5: predicted 1 over, real 0
//  under,
//     miss; score 1:0 miss.
//  r3 2023-02-05 Gamma-Alpha 0:2, "1" at +150: lost -20; U/O Over 2 with predicted total 2 on the line, miss;
//     score miss.
//  r4 2023-02-12 Alpha-Gamma 1:0, "2" with empty odds: lost, 0; bare line "2.5" not judged; score hit.
//  r5 2023-03-01 Delta-Beta 2:0, "1" at 1.85: won, +17, but Delta is not in the team list; U/O Under 1.5:
//     predicted 1 under, real 2 over, miss; score miss.
//  r6 2023-03-15 Beta-Alpha 1:1, "?": no bet (its unreadable odds are never read); U/O Under 2.5 hit;
//     score hit.
//  r7 2023-12-31 Gamma-Beta 1:2, "2" at 5/8 (1.625): won, 32.5-20 = +12.5; U/O Under 3.5 hit; score miss.
//  r2 2024-01-20 Beta-Gamma 3:2 OT, "X" at 4/1 (5): the overtime match is a draw, won, +80; U/O Under 5.5
//     hit; score "3:2 OT" against "3:2" miss.
QList<Match> workedRows()
{
    const QString none;
    return {
        makeRow(QDate(2023, 1, 10), QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("2:1"), 2,
                1, QStringLiteral("2:1"), 3, QStringLiteral("1"), 2.5, QStringLiteral("Over 2.5"),
                QStringLiteral("2.10"), QStringLiteral("3.20"), QStringLiteral("3.50")),
        makeRow(QDate(2023, 1, 25), QStringLiteral("Beta"), QStringLiteral("Alpha"), QStringLiteral("0:0"), 0,
                0, QStringLiteral("1:0"), 1, QStringLiteral("1"), 0.5, QStringLiteral("Over 0.5"),
                QStringLiteral("2.00"), QStringLiteral("3.00"), QStringLiteral("4.00")),
        makeRow(QDate(2023, 2, 5), QStringLiteral("Gamma"), QStringLiteral("Alpha"), QStringLiteral("0:2"), 0,
                2, QStringLiteral("1:1"), 2, QStringLiteral("1"), 2, QStringLiteral("Over 2"),
                QStringLiteral("+150"), QStringLiteral("+200"), QStringLiteral("+180")),
        makeRow(QDate(2023, 2, 12), QStringLiteral("Alpha"), QStringLiteral("Gamma"), QStringLiteral("1:0"),
                1, 0, QStringLiteral("1:0"), 1, QStringLiteral("2"), 2.5, QStringLiteral("2.5"),
                QStringLiteral("1.50"), QStringLiteral("3.40"), none),
        makeRow(QDate(2023, 3, 1), QStringLiteral("Delta"), QStringLiteral("Beta"), QStringLiteral("2:0"), 2,
                0, QStringLiteral("1:0"), 1, QStringLiteral("1"), 1.5, QStringLiteral("Under 1.5"),
                QStringLiteral("1.85"), QStringLiteral("3.30"), QStringLiteral("4.20")),
        makeRow(QDate(2023, 3, 15), QStringLiteral("Beta"), QStringLiteral("Alpha"), QStringLiteral("1:1"), 1,
                1, QStringLiteral("1:1"), 2, QStringLiteral("?"), 2.5, QStringLiteral("Under 2.5"),
                QStringLiteral("abc"), QStringLiteral("abc"), QStringLiteral("abc")),
        makeRow(QDate(2023, 12, 31), QStringLiteral("Gamma"), QStringLiteral("Beta"), QStringLiteral("1:2"),
                1, 2, QStringLiteral("0:1"), 1, QStringLiteral("2"), 3.5, QStringLiteral("Under 3.5"),
                QStringLiteral("3.10"), QStringLiteral("3.30"), QStringLiteral("5/8")),
        makeRow(QDate(2024, 1, 20), QStringLiteral("Beta"), QStringLiteral("Gamma"), QStringLiteral("3:2 OT"),
                3, 2, QStringLiteral("3:2"), 5, QStringLiteral("X"), 5.5, QStringLiteral("Under 5.5"),
                QStringLiteral("1.90"), QStringLiteral("4/1"), QStringLiteral("3.00")),
    };
}

// The worked team table, any view (r5 missing from "Total"):
//  Alpha r1; Beta r8, r7 (-20 + 12.5 = -7.5); Gamma r3, r4 (-20 + 0); Draw r2; Total the six of them.
Grid workedTeamTable()
{
    return {
        {QString(), QStringLiteral("Correct"), QStringLiteral("Incorrect"), QStringLiteral("Predictions"),
         QStringLiteral("Hit Rate (%)"), QStringLiteral("Profit"), QStringLiteral("Profit (%)")},
        {QStringLiteral("Alpha"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("1"),
         QStringLiteral("100"), QStringLiteral("22"), QStringLiteral("22")},
        {QStringLiteral("Beta"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2"),
         QStringLiteral("50"), QStringLiteral("-7.5"), QStringLiteral("-7.5")},
        {QStringLiteral("Gamma"), QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("2"),
         QStringLiteral("0"), QStringLiteral("-20"), QStringLiteral("-20")},
        {QStringLiteral("Draw"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("1"),
         QStringLiteral("100"), QStringLiteral("80"), QStringLiteral("80")},
        {QStringLiteral("Total"), QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("6"),
         QStringLiteral("50"), QStringLiteral("74.5"), QStringLiteral("74.5")},
    };
}

const QStringList zeros6(6, QStringLiteral("0"));

QStringList monthColumn(const Grid &months, int column)
{
    QStringList cells;
    for (int r = 1; r <= 6; ++r)
        cells.append(months.at(r).at(column));
    return cells;
}

QStringList teamRow(const Grid &teams, const QString &title)
{
    for (const QStringList &row : teams)
        if (row.first() == title)
            return row.mid(1);
    return {};
}

// Every month column not named in `columns` must be all "0".
void compareMonths(const Grid &months, const ColumnValues &columns)
{
    QCOMPARE(months.size(), 7);
    for (int c = 1; c <= 13; ++c) {
        QCOMPARE(months.at(0).size(), 14);
        const QStringList actual = monthColumn(months, c);
        const QStringList expected = columns.value(c, zeros6);
        QVERIFY2(actual == expected,
                 qPrintable(QStringLiteral("month column %1: %2, expected %3")
                                .arg(c)
                                .arg(actual.join(QLatin1Char('|')), expected.join(QLatin1Char('|')))));
    }
}

QStringList cells(std::initializer_list<const char *> texts)
{
    QStringList out;
    for (const char *t : texts)
        out.append(QString::fromLatin1(t));
    return out;
}

} // namespace

class TestPredictionHistory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void viewNames();
    void emptyInput_data();
    void emptyInput();
    void workedCase_data();
    void workedCase();
    void stakeRules_data();
    void stakeRules();
    void underOver_data();
    void underOver();
    void correctScore_data();
    void correctScore();
    void teamLookup_data();
    void teamLookup();
    void rounding_data();
    void rounding();
    void commaLocale();
    void conversionErrorKeepsPartialSums_data();
    void conversionErrorKeepsPartialSums();
};

void TestPredictionHistory::viewNames()
{
    const QStringList expected{
        QStringLiteral("1, X, 2 Predictions"), QStringLiteral("Home Wins"),  QStringLiteral("Draws"),
        QStringLiteral("Away Wins"),           QStringLiteral("Under/Over"), QStringLiteral("Correct Score")};
    QCOMPARE(historyViewNames(), expected);
    const QList<HistoryView> views{HistoryView::Predictions1X2, HistoryView::HomeWins,
                                   HistoryView::Draws,          HistoryView::AwayWins,
                                   HistoryView::UnderOver,      HistoryView::CorrectScore};
    for (int i = 0; i < views.size(); ++i)
        QVERIFY(historyViewFromName(expected.at(i)) == views.at(i));
    QVERIFY(!historyViewFromName(QStringLiteral("draws")));
    QVERIFY(!historyViewFromName(QString()));
}

void TestPredictionHistory::emptyInput_data()
{
    QTest::addColumn<HistoryView>("view");
    for (const QString &name : historyViewNames())
        QTest::newRow(qPrintable(name)) << *historyViewFromName(name);
}

void TestPredictionHistory::emptyInput()
{
    QFETCH(HistoryView, view);
    PredictionHistory history(workedTeams, view, 100, 20, cLocale);
    for (int pass = 0; pass < 2; ++pass) { // before any run and after a run over no rows
        const HistoryTables t = history.tables();
        const QStringList monthTitles{QString(),
                                      QStringLiteral("January"),
                                      QStringLiteral("February"),
                                      QStringLiteral("March"),
                                      QStringLiteral("April"),
                                      QStringLiteral("May"),
                                      QStringLiteral("June"),
                                      QStringLiteral("July"),
                                      QStringLiteral("August"),
                                      QStringLiteral("September"),
                                      QStringLiteral("October"),
                                      QStringLiteral("November"),
                                      QStringLiteral("December"),
                                      QStringLiteral("Total")};
        QCOMPARE(t.months.at(0), monthTitles);
        const QStringList rowTitles{QStringLiteral("Correct"),     QStringLiteral("Incorrect"),
                                    QStringLiteral("Predictions"), QStringLiteral("Hit Rate (%)"),
                                    QStringLiteral("Profit"),      QStringLiteral("Profit (%)")};
        for (int r = 1; r <= 6; ++r)
            QCOMPARE(t.months.at(r).at(0), rowTitles.at(r - 1));
        compareMonths(t.months, {});

        QCOMPARE(t.teams.size(), workedTeams.size() + 3);
        QCOMPARE(t.teams.at(0), QStringList{QString()} + rowTitles);
        const QStringList titles = workedTeams + QStringList{QStringLiteral("Draw"), QStringLiteral("Total")};
        for (int r = 1; r < t.teams.size(); ++r)
            QCOMPARE(t.teams.at(r), QStringList{titles.at(r - 1)} + zeros6);
        history.run({});
    }
}

void TestPredictionHistory::workedCase_data()
{
    QTest::addColumn<HistoryView>("view");
    QTest::addColumn<ColumnValues>("months");

    // Both Januaries (r1, r8 of 2023 and r2 of 2024) land in column 1; r6 ("?") is no bet.
    // Jan 22 - 20 + 80 = 82; hit rate 2/3 -> 67; total 7 bets (r5 included), 4 won -> 57, 82 - 20 + 17
    // + 12.5.
    QTest::newRow("1, X, 2 Predictions") << HistoryView::Predictions1X2
                                         << ColumnValues{{1, cells({"2", "1", "3", "67", "82", "82"})},
                                                         {2, cells({"0", "2", "2", "0", "-20", "-20"})},
                                                         {3, cells({"1", "0", "1", "100", "17", "17"})},
                                                         {12, cells({"1", "0", "1", "100", "12.5", "12.5"})},
                                                         {13, cells({"4", "3", "7", "57", "91.5", "91.5"})}};
    // r1, r8, r3, r5: 22 - 20 - 20 + 17 = -1.
    QTest::newRow("Home Wins") << HistoryView::HomeWins
                               << ColumnValues{{1, cells({"1", "1", "2", "50", "2", "2"})},
                                               {2, cells({"0", "1", "1", "0", "-20", "-20"})},
                                               {3, cells({"1", "0", "1", "100", "17", "17"})},
                                               {13, cells({"2", "2", "4", "50", "-1", "-1"})}};
    // Only r2, the overtime draw.
    QTest::newRow("Draws") << HistoryView::Draws
                           << ColumnValues{{1, cells({"1", "0", "1", "100", "80", "80"})},
                                           {13, cells({"1", "0", "1", "100", "80", "80"})}};
    // r4 lost with empty odds (0), r7 won 12.5.
    QTest::newRow("Away Wins") << HistoryView::AwayWins
                               << ColumnValues{{2, cells({"0", "1", "1", "0", "0", "0"})},
                                               {12, cells({"1", "0", "1", "100", "12.5", "12.5"})},
                                               {13, cells({"1", "1", "2", "50", "12.5", "12.5"})}};
    // Jan r1 hit, r8 miss, r2 hit; Feb r3 miss (r4 bare line skipped); Mar r5 miss, r6 hit; Dec r7 hit.
    QTest::newRow("Under/Over") << HistoryView::UnderOver
                                << ColumnValues{{1, cells({"2", "1", "3", "67", "0", "0"})},
                                                {2, cells({"0", "1", "1", "0", "0", "0"})},
                                                {3, cells({"1", "1", "2", "50", "0", "0"})},
                                                {12, cells({"1", "0", "1", "100", "0", "0"})},
                                                {13, cells({"4", "3", "7", "57", "0", "0"})}};
    // Jan r1 hit, r8 and r2 (overtime) miss; Feb r4 hit, r3 miss; Mar r6 hit, r5 miss; Dec r7 miss.
    // Total 3 of 8 = 37.5 -> 38.
    QTest::newRow("Correct Score") << HistoryView::CorrectScore
                                   << ColumnValues{{1, cells({"1", "2", "3", "33", "0", "0"})},
                                                   {2, cells({"1", "1", "2", "50", "0", "0"})},
                                                   {3, cells({"1", "1", "2", "50", "0", "0"})},
                                                   {12, cells({"0", "1", "1", "0", "0", "0"})},
                                                   {13, cells({"3", "5", "8", "38", "0", "0"})}};
}

void TestPredictionHistory::workedCase()
{
    QFETCH(HistoryView, view);
    QFETCH(ColumnValues, months);
    PredictionHistory history(workedTeams, view, 100, 20, cLocale);
    // A second run starts from zero again rather than adding to the first.
    for (int pass = 0; pass < 2; ++pass) {
        history.run(workedRows());
        const HistoryTables t = history.tables();
        compareMonths(t.months, months);
        QCOMPARE(t.teams, workedTeamTable()); // the team table does not depend on the view
    }
}

void TestPredictionHistory::stakeRules_data()
{
    QTest::addColumn<Match>("row");
    QTest::addColumn<QStringList>("team");  // the six cells of the booked row, its month column and "Total"
    QTest::addColumn<QString>("teamTitle"); // the row the bet is booked on

    // Balance 100, wager 20; the month column equals the team row in these one-bet cases.
    QTest::newRow("home win at 2.10") << betRow(QStringLiteral("2:1"), 2, 1, QStringLiteral("1"),
                                                QStringLiteral("2.10"), QString(), QString())
                                      << cells({"1", "0", "1", "100", "22", "22"}) << QStringLiteral("Alpha");
    QTest::newRow("loss of exactly the wager")
        << betRow(QStringLiteral("0:1"), 0, 1, QStringLiteral("1"), QStringLiteral("2.10"), QString(),
                  QString())
        << cells({"0", "1", "1", "0", "-20", "-20"}) << QStringLiteral("Alpha");
    QTest::newRow("empty odds, won, counts with 0")
        << betRow(QStringLiteral("2:1"), 2, 1, QStringLiteral("1"), QString(), QString(), QString())
        << cells({"1", "0", "1", "100", "0", "0"}) << QStringLiteral("Alpha");
    QTest::newRow("empty odds, lost, counts with 0")
        << betRow(QStringLiteral("0:1"), 0, 1, QStringLiteral("1"), QString(), QString(), QString())
        << cells({"0", "1", "1", "0", "0", "0"}) << QStringLiteral("Alpha");
    QTest::newRow("one-character odds read as 0")
        << betRow(QStringLiteral("2:1"), 2, 1, QStringLiteral("1"), QStringLiteral("3"), QString(), QString())
        << cells({"1", "0", "1", "100", "0", "0"}) << QStringLiteral("Alpha");
    QTest::newRow("dash odds read as 0")
        << betRow(QStringLiteral("0:1"), 0, 1, QStringLiteral("1"), QStringLiteral("-"), QString(), QString())
        << cells({"0", "1", "1", "0", "0", "0"}) << QStringLiteral("Alpha");
    QTest::newRow("fractional 2/1") << betRow(QStringLiteral("3:0"), 3, 0, QStringLiteral("1"),
                                              QStringLiteral("2/1"), QString(), QString())
                                    << cells({"1", "0", "1", "100", "40", "40"}) << QStringLiteral("Alpha");
    QTest::newRow("american +300") << betRow(QStringLiteral("3:0"), 3, 0, QStringLiteral("1"),
                                             QStringLiteral("+300"), QString(), QString())
                                   << cells({"1", "0", "1", "100", "60", "60"}) << QStringLiteral("Alpha");
    QTest::newRow("american -125 (1.8) on the away side")
        << betRow(QStringLiteral("0:2"), 0, 2, QStringLiteral("2"), QString(), QString(),
                  QStringLiteral("-125"))
        << cells({"1", "0", "1", "100", "16", "16"}) << QStringLiteral("Beta");
    QTest::newRow("overtime win loses the home bet")
        << betRow(QStringLiteral("3:2 OT"), 3, 2, QStringLiteral("1"), QStringLiteral("2.00"), QString(),
                  QString())
        << cells({"0", "1", "1", "0", "-20", "-20"}) << QStringLiteral("Alpha");
    QTest::newRow("overtime win loses the away bet")
        << betRow(QStringLiteral("2:3 OT"), 2, 3, QStringLiteral("2"), QString(), QString(),
                  QStringLiteral("2.00"))
        << cells({"0", "1", "1", "0", "-20", "-20"}) << QStringLiteral("Beta");
    QTest::newRow("overtime win is a draw")
        << betRow(QStringLiteral("2:3 OT"), 2, 3, QStringLiteral("X"), QString(), QStringLiteral("3.50"),
                  QString())
        << cells({"1", "0", "1", "100", "50", "50"}) << QStringLiteral("Draw");
    QTest::newRow("lower-case ot is no overtime mark")
        << betRow(QStringLiteral("3:2 ot"), 3, 2, QStringLiteral("X"), QString(), QStringLiteral("3.50"),
                  QString())
        << cells({"0", "1", "1", "0", "-20", "-20"}) << QStringLiteral("Draw");
    QTest::newRow("level score is a draw")
        << betRow(QStringLiteral("1:1"), 1, 1, QStringLiteral("X"), QString(), QStringLiteral("3.50"),
                  QString())
        << cells({"1", "0", "1", "100", "50", "50"}) << QStringLiteral("Draw");
    QTest::newRow("no verdict is no bet")
        << betRow(QStringLiteral("1:1"), 1, 1, QStringLiteral("?"), QStringLiteral("x"), QStringLiteral("yy"),
                  QStringLiteral("zz"))
        << zeros6 << QStringLiteral("Total");
    QTest::newRow("an unknown verdict text is no bet")
        << betRow(QStringLiteral("2:1"), 2, 1, QStringLiteral("1 "), QStringLiteral("2.00"), QString(),
                  QString())
        << zeros6 << QStringLiteral("Total");
}

void TestPredictionHistory::stakeRules()
{
    QFETCH(Match, row);
    QFETCH(QStringList, team);
    QFETCH(QString, teamTitle);
    PredictionHistory history({QStringLiteral("Alpha"), QStringLiteral("Beta")}, HistoryView::Predictions1X2,
                              100, 20, cLocale);
    history.run({row});
    const HistoryTables t = history.tables();
    compareMonths(t.months, team == zeros6 ? ColumnValues{} : ColumnValues{{1, team}, {13, team}});
    QCOMPARE(teamRow(t.teams, teamTitle), team);
    QCOMPARE(teamRow(t.teams, QStringLiteral("Total")), team);
}

void TestPredictionHistory::underOver_data()
{
    QTest::addColumn<QString>("uop");
    QTest::addColumn<double>("line");
    QTest::addColumn<int>("ttl");
    QTest::addColumn<int>("f");
    QTest::addColumn<int>("a");
    QTest::addColumn<QString>("judged"); // "hit", "miss" or "none"

    QTest::newRow("both over") << QStringLiteral("Over 2.5") << 2.5 << 3 << 2 << 1 << QStringLiteral("hit");
    QTest::newRow("both under") << QStringLiteral("Under 2.5") << 2.5 << 2 << 1 << 1 << QStringLiteral("hit");
    QTest::newRow("predicted over, real under")
        << QStringLiteral("Over 2.5") << 2.5 << 3 << 1 << 0 << QStringLiteral("miss");
    QTest::newRow("predicted under, real over")
        << QStringLiteral("Under 2.5") << 2.5 << 2 << 2 << 1 << QStringLiteral("miss");
    QTest::newRow("predicted total on the line")
        << QStringLiteral("Over 3") << 3.0 << 3 << 3 << 1 << QStringLiteral("miss");
    QTest::newRow("real total on the line")
        << QStringLiteral("Over 3") << 3.0 << 4 << 2 << 1 << QStringLiteral("miss");
    QTest::newRow("judged on the line, not on the call's word")
        << QStringLiteral("Under 2.5") << 2.5 << 3 << 2 << 2 << QStringLiteral("hit");
    QTest::newRow("line 0 still judged")
        << QStringLiteral("Over 0") << 0.0 << 1 << 1 << 0 << QStringLiteral("hit");
    QTest::newRow("bare line not judged")
        << QStringLiteral("2.5") << 2.5 << 3 << 2 << 1 << QStringLiteral("none");
    QTest::newRow("empty call not judged") << QString() << 2.5 << 3 << 2 << 1 << QStringLiteral("none");
}

void TestPredictionHistory::underOver()
{
    QFETCH(QString, uop);
    QFETCH(double, line);
    QFETCH(int, ttl);
    QFETCH(int, f);
    QFETCH(int, a);
    QFETCH(QString, judged);
    Match row = makeRow(QDate(2023, 5, 2), QStringLiteral("Alpha"), QStringLiteral("Beta"),
                        QStringLiteral("%1:%2").arg(f).arg(a), f, a, QStringLiteral("9:9"), ttl,
                        QStringLiteral("?"), line, uop, QString(), QString(), QString());
    PredictionHistory history(workedTeams, HistoryView::UnderOver, 100, 20, cLocale);
    history.run({row});
    const QStringList hit = cells({"1", "0", "1", "100", "0", "0"});
    const QStringList miss = cells({"0", "1", "1", "0", "0", "0"});
    const QStringList expected = judged == QLatin1String("hit")    ? hit
                                 : judged == QLatin1String("miss") ? miss
                                                                   : zeros6;
    compareMonths(history.tables().months,
                  expected == zeros6 ? ColumnValues{} : ColumnValues{{5, expected}, {13, expected}});
}

void TestPredictionHistory::correctScore_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("presult");
    QTest::addColumn<bool>("hit");
    QTest::newRow("same text") << QStringLiteral("2:1") << QStringLiteral("2:1") << true;
    QTest::newRow("overtime mark never equal") << QStringLiteral("2:1 OT") << QStringLiteral("2:1") << false;
    QTest::newRow("reversed") << QStringLiteral("1:2") << QStringLiteral("2:1") << false;
    QTest::newRow("character for character") << QStringLiteral("2:1 ") << QStringLiteral("2:1") << false;
}

void TestPredictionHistory::correctScore()
{
    QFETCH(QString, result);
    QFETCH(QString, presult);
    QFETCH(bool, hit);
    Match row =
        makeRow(QDate(2022, 11, 5), QStringLiteral("Alpha"), QStringLiteral("Beta"), result, 2, 1, presult, 3,
                QStringLiteral("?"), 2.5, QStringLiteral("Over 2.5"), QString(), QString(), QString());
    PredictionHistory history(workedTeams, HistoryView::CorrectScore, 100, 20, cLocale);
    history.run({row});
    const QStringList expected =
        hit ? cells({"1", "0", "1", "100", "0", "0"}) : cells({"0", "1", "1", "0", "0", "0"});
    compareMonths(history.tables().months, {{11, expected}, {13, expected}});
}

void TestPredictionHistory::teamLookup_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("away");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("bookedOn"); // empty: no row, and nothing on "Total"

    QTest::newRow("home team") << QStringLiteral("Alpha") << QStringLiteral("Zeta") << QStringLiteral("1")
                               << QStringLiteral("Alpha");
    QTest::newRow("away team") << QStringLiteral("Zeta") << QStringLiteral("Beta") << QStringLiteral("2")
                               << QStringLiteral("Beta");
    QTest::newRow("draw whatever the teams")
        << QStringLiteral("Zeta") << QStringLiteral("Omega") << QStringLiteral("X") << QStringLiteral("Draw");
    QTest::newRow("renamed team") << QStringLiteral("Delta") << QStringLiteral("Alpha") << QStringLiteral("1")
                                  << QString();
    QTest::newRow("letter case matters")
        << QStringLiteral("alpha") << QStringLiteral("Beta") << QStringLiteral("1") << QString();
    QTest::newRow("trailing space matters")
        << QStringLiteral("Alpha") << QStringLiteral("Beta ") << QStringLiteral("2") << QString();
    QTest::newRow("no team is named Total")
        << QStringLiteral("Total") << QStringLiteral("Beta") << QStringLiteral("1") << QString();
}

void TestPredictionHistory::teamLookup()
{
    QFETCH(QString, home);
    QFETCH(QString, away);
    QFETCH(QString, verdict);
    QFETCH(QString, bookedOn);
    // A lost bet at 2.00 (a home win loses "X", a draw loses "1" and "2"), so that each booking moves
    // "Incorrect" and "Profit".
    const bool draw = verdict == QLatin1String("X");
    const Match row =
        makeRow(QDate(2023, 4, 1), home, away, draw ? QStringLiteral("1:0") : QStringLiteral("1:1"), 1,
                draw ? 0 : 1, QStringLiteral("1:0"), 1, verdict, 2.5, QStringLiteral("Over 2.5"),
                QStringLiteral("2.00"), QStringLiteral("2.00"), QStringLiteral("2.00"));
    PredictionHistory history({QStringLiteral("Alpha"), QStringLiteral("Beta")}, HistoryView::Predictions1X2,
                              100, 20, cLocale);
    history.run({row});
    const HistoryTables t = history.tables();
    const QStringList lost = cells({"0", "1", "1", "0", "-20", "-20"});
    // The month table counts the bet whether or not a team row took it.
    compareMonths(t.months, {{4, lost}, {13, lost}});
    for (const QString &title : {QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Draw")})
        QCOMPARE(teamRow(t.teams, title), title == bookedOn ? lost : zeros6);
    QCOMPARE(teamRow(t.teams, QStringLiteral("Total")), bookedOn.isEmpty() ? zeros6 : lost);
}

void TestPredictionHistory::rounding_data()
{
    QTest::addColumn<int>("balance");
    QTest::addColumn<int>("wager");
    QTest::addColumn<QStringList>("odds"); // one won home bet per text ("L" prefix: lost)
    QTest::addColumn<QStringList>("expected");

    // 1.004 * 1 - 1 rounds to 0 on each addition; summed unrounded three would make 0.01.
    QTest::newRow("profit rounded after each addition")
        << 1 << 1 << cells({"1.004", "1.004", "1.004"}) << cells({"3", "0", "3", "100", "0", "0"});
    // 100 * -2 / 3 = -66.666...: half away from zero gives -66.67.
    QTest::newRow("negative percentage")
        << 3 << 2 << cells({"L2.00"}) << cells({"0", "1", "1", "0", "-2", "-66.67"});
    // 100 * 1 / 3 = 33.333...
    QTest::newRow("positive percentage")
        << 3 << 1 << cells({"2.00"}) << cells({"1", "0", "1", "100", "1", "33.33"});
    // 0.126 at 1.126 is kept as 0.13, and the percentage comes from that: 100 * 0.13 / 8 = 1.625 -> 1.63
    // (the unrounded profit would give 1.575).
    QTest::newRow("percentage from the rounded profit")
        << 8 << 1 << cells({"1.126"}) << cells({"1", "0", "1", "100", "0.13", "1.63"});
    // 1 of 8 won: 12.5 rounds to the even 12; 3 of 8: 37.5 -> 38.
    QTest::newRow("hit rate tie to even, down")
        << 100 << 20 << cells({"-", "L-", "L-", "L-", "L-", "L-", "L-", "L-"})
        << cells({"1", "7", "8", "12", "0", "0"});
    QTest::newRow("hit rate tie to even, up")
        << 100 << 20 << cells({"-", "-", "-", "L-", "L-", "L-", "L-", "L-"})
        << cells({"3", "5", "8", "38", "0", "0"});
}

void TestPredictionHistory::rounding()
{
    QFETCH(int, balance);
    QFETCH(int, wager);
    QFETCH(QStringList, odds);
    QFETCH(QStringList, expected);
    QList<Match> rows;
    for (const QString &text : odds) {
        const bool lost = text.startsWith(QLatin1Char('L'));
        rows.append(betRow(lost ? QStringLiteral("0:1") : QStringLiteral("1:0"), lost ? 0 : 1, lost ? 1 : 0,
                           QStringLiteral("1"), lost ? text.mid(1) : text, QString(), QString()));
    }
    PredictionHistory history(workedTeams, HistoryView::HomeWins, balance, wager, cLocale);
    history.run(rows);
    const HistoryTables t = history.tables();
    compareMonths(t.months, {{1, expected}, {13, expected}});
    QCOMPARE(teamRow(t.teams, QStringLiteral("Alpha")), expected);
    QCOMPARE(teamRow(t.teams, QStringLiteral("Total")), expected);
}

void TestPredictionHistory::commaLocale()
{
    // Decimal odds are read and every profit written with the locale's ",".
    const QLocale german(QLocale::German, QLocale::Germany);
    const QList<Match> rows{
        // January: won at 1,625: 32.5 - 20 = 12.5.
        betRow(QStringLiteral("2:0"), 2, 0, QStringLiteral("1"), QStringLiteral("1,625"), QString(),
               QString(), QDate(2023, 1, 3)),
        // February: lost, exactly -20.
        betRow(QStringLiteral("0:2"), 0, 2, QStringLiteral("1"), QStringLiteral("2,10"), QString(), QString(),
               QDate(2023, 2, 3)),
    };
    PredictionHistory history(workedTeams, HistoryView::Predictions1X2, 40, 20, german);
    history.run(rows);
    const HistoryTables t = history.tables();
    // Percentages over the balance 40: 31.25, -50, -18.75.
    compareMonths(t.months, {{1, cells({"1", "0", "1", "100", "12,5", "31,25"})},
                             {2, cells({"0", "1", "1", "0", "-20", "-50"})},
                             {13, cells({"1", "1", "2", "50", "-7,5", "-18,75"})}});
    QCOMPARE(teamRow(t.teams, QStringLiteral("Alpha")), cells({"1", "1", "2", "50", "-7,5", "-18,75"}));

    // A price written with "." (a league from a "." machine) reads the same in this locale.
    PredictionHistory dotted(workedTeams, HistoryView::Predictions1X2, 40, 20, german);
    dotted.run({betRow(QStringLiteral("2:0"), 2, 0, QStringLiteral("1"), QStringLiteral("2.10"), QString(),
                       QString(), QDate(2023, 1, 3))});
    compareMonths(dotted.tables().months, {{1, cells({"1", "0", "1", "100", "22", "55"})},
                                           {13, cells({"1", "0", "1", "100", "22", "55"})}});
}

void TestPredictionHistory::conversionErrorKeepsPartialSums_data()
{
    QTest::addColumn<HistoryView>("view");
    QTest::addColumn<ColumnValues>("months"); // as left by the interrupted run

    // The bad row is not counted; the month table's derived rows and "Total" column were not reached.
    QTest::newRow("1, X, 2 Predictions")
        << HistoryView::Predictions1X2 << ColumnValues{{1, cells({"1", "0", "0", "0", "22", "0"})}};
    // The month table has already judged the bad row's call when the team table reads its odds.
    QTest::newRow("Under/Over") << HistoryView::UnderOver
                                << ColumnValues{{1, cells({"1", "0", "0", "0", "0", "0"})},
                                                {2, cells({"1", "0", "0", "0", "0", "0"})}};
    // Away bets only: the bad home odds are still read for the team table.
    QTest::newRow("Away Wins") << HistoryView::AwayWins << ColumnValues{};
}

void TestPredictionHistory::conversionErrorKeepsPartialSums()
{
    QFETCH(HistoryView, view);
    QFETCH(ColumnValues, months);
    QList<Match> rows{
        betRow(QStringLiteral("2:1"), 2, 1, QStringLiteral("1"), QStringLiteral("2.10"), QStringLiteral("??"),
               QStringLiteral("??"), QDate(2023, 1, 5)),
        betRow(QStringLiteral("3:0"), 3, 0, QStringLiteral("1"), QStringLiteral("2.1x"), QString(), QString(),
               QDate(2023, 2, 5)),
        betRow(QStringLiteral("3:0"), 3, 0, QStringLiteral("1"), QStringLiteral("3.00"), QString(), QString(),
               QDate(2023, 3, 5)),
    };
    rows[1].prediction.predictedTotal = 5;
    rows[1].prediction.underOver = QStringLiteral("Over 2.5");
    PredictionHistory history(workedTeams, view, 100, 20, cLocale);
    try {
        history.run(rows);
        QFAIL("the unreadable price did not stop the run");
    } catch (const ConversionError &e) {
        QCOMPARE(e.message(), QStringLiteral("'2.1x' is not a valid floating point value"));
    }
    const HistoryTables t = history.tables();
    compareMonths(t.months, months);
    // The team rows were complete for every row before the bad one.
    const QStringList firstBet = cells({"1", "0", "1", "100", "22", "22"});
    QCOMPARE(teamRow(t.teams, QStringLiteral("Alpha")), firstBet);
    QCOMPARE(teamRow(t.teams, QStringLiteral("Total")), firstBet);
}

QTEST_GUILESS_MAIN(TestPredictionHistory)
#include "tst_predictionhistory.moc"

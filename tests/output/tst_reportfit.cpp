// Every heading and cell of the printed reports fits its column, measured with the report font's metrics
// against the layout's columns and boxes, margins included, on the paper of each locale: Letter and A4,
// which is narrower upright and wider across.  The data are the widest a league holds: a basketball season
// (four-digit points, "112:108 OT", "Under 180.5"), long names, the longest dates.  Measured with another
// font the result would say nothing about the layouts, so without Liberation Sans the test skips.

#include "output/AnalysisReports.h"
#include "output/GridPrintouts.h"
#include "output/MainReports.h"
#include "output/TicketPrintouts.h"
#include "output/report/ReportFont.h"
#include "output/report/ReportPainter.h"

#include "analysis/SystemsFile.h"
#include "data/Database.h"
#include "data/Table.h"
#include "support/LeagueFixture.h"

#include <QFontMetricsF>
#include <QtTest>

namespace
{
const QString kLeague = QStringLiteral("Campeonato Brasileiro Série A 2025"); // 34 of 35 characters
const QString kLongTeam = QStringLiteral("Borussia Mönchengladbach II"); // the layouts take names this wide
const QString kOtherTeam = QStringLiteral("Sheffield Wednesday");

double reportWidth(const PrintJob &job)
{
    return jobPageLayout(job, QPageSize()).paintRectPixels(static_cast<int>(kReportUnitsPerInch)).width();
}

// The texts of a banded report wider than their room, each with its place; none when all fit.
QStringList bandedOverflows(const BandedReport &report)
{
    const double width = reportWidth(report);
    const BandedGeometry g = bandedGeometry(report, width);
    const QFontMetricsF heading(g.heading), data(g.data);
    QStringList out;
    auto check = [&](const QFontMetricsF &fm, const QString &text, double room, const QString &where) {
        const double advance = fm.horizontalAdvance(text);
        if (advance > room)
            out << QStringLiteral("%1 \"%2\" is %3 wide in a room of %4")
                       .arg(where, text)
                       .arg(advance)
                       .arg(room);
    };
    // The title and the date share the title line, with a gap between them.
    check(heading, report.title,
          width - heading.horizontalAdvance(printDateText(QDate(2025, 12, 31))) - 4 * g.pad,
          QStringLiteral("title"));
    for (const ReportGroup &group : report.groups)
        check(heading, group.title, g.room(group.first, group.last), QStringLiteral("group"));
    for (int c = 0; c < report.columns.size(); ++c)
        check(heading, report.columns[c].title, g.room(c, c), QStringLiteral("heading %1").arg(c));
    for (int r = 0; r < report.rows.size(); ++r)
        for (int c = 0; c < report.columns.size(); ++c)
            check(data, report.rows[r].value(c), g.room(c, c),
                  QStringLiteral("row %1 column %2").arg(r).arg(c));
    return out;
}

// The texts of a page laid out box by box that do not fit their boxes at their own size.
QStringList drawnOverflows(const DrawnPage &page)
{
    QStringList out;
    for (const DrawnText &t : page.texts) {
        const QFontMetricsF fm(reportFont(t.points, t.bold));
        const double advance = fm.horizontalAdvance(t.text.trimmed());
        if (advance > t.box.width() || fm.height() > t.box.height())
            out << QStringLiteral("\"%1\" is %2 wide in a box of %3")
                       .arg(t.text)
                       .arg(advance)
                       .arg(t.box.width());
    }
    return out;
}

void execute(Database &db, const char *sql, const QVariantList &values)
{
    db.execute(QString::fromUtf8(sql), values);
}
} // namespace

Q_DECLARE_METATYPE(GridPrintout)

class TestReportFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }
    void bandedReportsFitTheirColumns_data();
    void bandedReportsFitTheirColumns();
    void ticketsPrintoutFitsItsColumns_data() { locales(); }
    void ticketsPrintoutFitsItsColumns();
    void gridTextsFitTheirBoxes_data();
    void gridTextsFitTheirBoxes();

private:
    void locales();
    std::unique_ptr<LeagueFixture> m_league;
    QTemporaryDir m_dir;
    Database m_systems;
};

void TestReportFit::initTestCase()
{
    if (!reportFontInstalled())
        QSKIP("Liberation Sans (Debian package fonts-liberation2) is not installed: the layouts are measured "
              "with its metrics");
    // A basketball league with the widest values its columns take.
    m_league =
        std::make_unique<LeagueFixture>(QStringLiteral("Basketball"), QStringList{kLongTeam, kOtherTeam});
    m_league->setLeague(QStringLiteral("League"), kLeague);
    for (int i = 0; i < 3; ++i)
        QVERIFY(m_league->addMatch(kLongTeam, kOtherTeam, 112, 108, true, QDate(2025, 12, 28 + i), 100));
    Database &db = m_league->dm().ADOConnection;
    execute(
        db,
        "UPDATE Teams SET HP = 41, HW = 41, HD = 0, HL = 41, HF = 4812, HA = 4790, HDif = -1022, HPts = 123, "
        "AP = 41, AW = 41, AD = 0, AL = 41, AF = 4812, AA = 4790, ADif = -1022, APts = 123, TP = 82, TW = "
        "82, "
        "TD = 0, TL = 82, TF = 9624, TA = 9580, TDif = -1022, TPts = 246",
        {});
    execute(db,
            "UPDATE Results SET HP = 100, DP = 100, AP = 100, CF = 100, Verdict = 'X', PResult = '112:108', "
            "Ttl = 220, UOP = 'Under 180.5', O1 = '-10000', OX = '100/30', O2 = '101.25', Retrn = 104.17",
            {});
    execute(db,
            "INSERT INTO Players (N, Player, Team, Pos, PR, Atk, Def, IN_OUT, DOB, Wt, Ht) "
            "VALUES (99, ?1, ?2, 'Attacking Midfielder', 3000, 100, 100, 'OUT', '1999-12-31', '102 kg', '198 "
            "cm')",
            {QStringLiteral("Pierre-Emerick Aubameyang"), kLongTeam});
    m_league->reopen();

    SystemsFile::open(m_systems, m_dir.filePath(QStringLiteral("systems.qvs")));
    execute(
        m_systems,
        "INSERT INTO Methods VALUES (0, ?1, 1234, 1234, 2468, 100, -1234.56, 100, 100, 100, 100, 100, 100, "
        "'Yes', 'Yes', 'Yes', 'HA', 100)",
        {kLeague});
    execute(m_systems,
            "INSERT INTO Results VALUES (1, ?1, ?2, '112:108 OT', '2025-12-31', 100, 112, 108, 100, 100, "
            "100, 100, "
            "'112:108', 220, 'X', 180.5, 'Under 180.5', '-10000', '100/30', '101.25', -12345.67)",
            {kLongTeam, kOtherTeam});
}

void TestReportFit::locales()
{
    // The widest date of each paper: "31 Dec 2025" (no country, Letter) and "31/12/2025" (A4).
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C, Letter") << QLocale::c();
    QTest::newRow("en_GB, A4") << QLocale(QLocale::English, QLocale::UnitedKingdom);
}

void TestReportFit::bandedReportsFitTheirColumns_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("report");
    const QStringList reports = {QStringLiteral("Team Stats"),  QStringLiteral("Scores"),
                                 QStringLiteral("Fixtures"),    QStringLiteral("Odds"),
                                 QStringLiteral("Predictions"), QStringLiteral("Players"),
                                 QStringLiteral("History"),     QStringLiteral("Matches")};
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedKingdom)})
        for (const QString &report : reports)
            QTest::addRow("%s, %s", qPrintable(locale.name()), qPrintable(report)) << locale << report;
}

void TestReportFit::bandedReportsFitTheirColumns()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, report);
    QLocale::setDefault(locale);
    TDataMod &dm = m_league->dm();
    BandedReport r;
    if (report == QLatin1String("Team Stats")) {
        r = teamStatsReport(dm.ADOTableTeams, kLeague);
    } else if (report == QLatin1String("Players")) {
        r = playersReport(dm.ADOTablePlayers, kLeague);
    } else if (report == QLatin1String("History")) {
        Table methods(&m_systems, QStringLiteral("Methods"));
        methods.open();
        r = systemsHistoryReport(methods);
    } else if (report == QLatin1String("Matches")) {
        Table results(&m_systems, QStringLiteral("Results"));
        results.open();
        r = backTestMatchesReport(results, kLeague);
    } else {
        for (PrintChoice c : printChoices())
            if (printChoiceCaption(c) == report)
                r = matchReport(c, dm.ADOTableResults, kLeague);
    }
    QVERIFY(!r.rows.isEmpty());
    const QStringList overflows = bandedOverflows(r);
    QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join(QLatin1Char('\n'))));
}

void TestReportFit::ticketsPrintoutFitsItsColumns()
{
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    PrintedTicket t;
    t.money = {QStringLiteral("10000"), QStringLiteral("99.99"), QStringLiteral("1234.56"),
               QStringLiteral("12345678.9"), QStringLiteral("-10099.99")};
    t.bets << QStringList{locale.toString(QDate(2025, 12, 31), QLocale::ShortFormat),
                          QStringLiteral("Campeonato Brasileiro Série A"),
                          kLongTeam,
                          QStringLiteral("Wolverhampton Wanderers Ladies"),
                          QStringLiteral("X2"),
                          QStringLiteral("100/30"),
                          QStringLiteral("Cancelled")};
    const DrawnPrintout printout = ticketsPrintout({t});
    const QRect area =
        jobPageLayout(printout, QPageSize()).paintRectPixels(static_cast<int>(kReportUnitsPerInch));
    const QList<DrawnPage> pages = layoutTicketsPrintout({t}, area.size());
    QCOMPARE(pages.size(), 1);
    const QStringList overflows = drawnOverflows(pages[0]);
    QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join(QLatin1Char('\n'))));
}

void TestReportFit::gridTextsFitTheirBoxes_data()
{
    QTest::addColumn<GridPrintout>("grid");
    QTest::addColumn<double>("smallestPoints");
    // A football season of twenty teams with their full names, three matches of each pair: 21 columns of
    // 300 units; each cell as the window shows it, every score followed by two blanks.
    const QStringList premier = twentyLongTeamNames();
    QList<QStringList> cross = {QStringList{QString()} + premier};
    for (int r = 0; r < premier.size(); ++r) {
        QStringList row = {premier[r]};
        for (int c = 0; c < premier.size(); ++c)
            row << (r == c ? QString() : QStringLiteral("10:2  2:1  3:11  "));
        cross << row;
    }
    QTest::newRow("cross table, 20 teams")
        << gridTablePrintout(PrintChoice::CrossTable, cross, kLeague) << 4.0;

    // A basketball season of 82 matches: 83 columns, the team column four shares wide.
    QStringList numbers = {QString()};
    for (int m = 1; m <= 82; ++m)
        numbers << QString::number(m);
    QList<QStringList> streak = {numbers};
    for (const QString &team :
         {QStringLiteral("Minnesota Timberwolves"), QStringLiteral("Portland Trail Blazers"),
          QStringLiteral("Oklahoma City Thunder")}) {
        QStringList row = {team};
        for (int m = 1; m <= 82; ++m)
            row << QString(QLatin1Char("WDL"[m % 3]));
        streak << row;
    }
    QTest::newRow("streak table, 82 matches")
        << gridTablePrintout(PrintChoice::StreakTable, streak, kLeague) << 4.0;

    // The betting statistics of two seasons by month.
    QStringList months = {QString()};
    for (int m = 0; m < 24; ++m)
        months << QStringLiteral("%1/%2").arg(m % 12 + 1).arg(2024 + m / 12);
    months << QStringLiteral("Total");
    QList<QStringList> table = {months};
    for (const QString &label :
         {QStringLiteral("Total Tickets"), QStringLiteral("Percentage Won"), QStringLiteral("Profit")}) {
        QStringList row = {label};
        for (int m = 0; m < 25; ++m)
            row << QStringLiteral("-1234.56");
        table << row;
    }
    QTest::newRow("betting statistics, 24 months") << statisticsTablePrintout(table, 20) << 4.0;
}

// Every text of a drawn grid keeps to its box, whole: a long one is drawn smaller or wrapped, but stays
// readable and nothing of it is lost.
void TestReportFit::gridTextsFitTheirBoxes()
{
    QFETCH(GridPrintout, grid);
    QFETCH(double, smallestPoints);
    const DrawnPage page = layoutGridPrintout(grid);
    QStringList problems;
    for (const DrawnText &t : page.texts) {
        const FittedText fitted = fitDrawnText(t);
        const QFontMetricsF fm(fitted.font);
        const double points = fitted.font.pixelSize() * 72 / kReportUnitsPerInch;
        if (points < smallestPoints)
            problems << QStringLiteral("\"%1\" at %2 points").arg(t.text).arg(points);
        if (fitted.lines.join(QLatin1Char(' ')).simplified() != t.text.simplified())
            problems
                << QStringLiteral("\"%1\" drawn as \"%2\"").arg(t.text, fitted.lines.join(QLatin1Char('|')));
        for (const QString &line : fitted.lines)
            if (fm.horizontalAdvance(line) > t.box.width())
                problems << QStringLiteral("\"%1\" wider than its box").arg(line);
        if ((fitted.lines.size() - 1) * fm.lineSpacing() + fm.height() > t.box.height())
            problems << QStringLiteral("\"%1\" higher than its box").arg(t.text);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestReportFit)
#include "tst_reportfit.moc"

// The analyzer's two reports from a real back-test: the betting systems file's tables as the grids show
// them, painted to PDF and read back.

#include "output/AnalysisReports.h"
#include "output/report/ReportPainter.h"

#include "analysis/BackTest.h"
#include "analysis/SystemsFile.h"
#include "data/Database.h"
#include "data/Numbers.h"
#include "data/TDataMod.h"
#include "data/Table.h"
#include "support/PdfChecks.h"
#include "support/RandomLeague.h"

#include <QRegularExpression>
#include <QtTest>

class TestAnalysisReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void historyListsEverySystemInLandscape();
    void matchesFollowTheGridsOrderOnEveryPage();

private:
    QTemporaryDir m_dir;
    Database m_systems;
};

void TestAnalysisReports::initTestCase()
{
    if (!popplerAvailable())
        QSKIP("pdftotext and pdftoppm (poppler-utils) are not installed");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // Two systems tested on one league: two history rows, the detail of the second.
    const QString league = m_dir.filePath(QStringLiteral("Report League.qvl"));
    RandomLeagueSpec spec;
    spec.seed = 11;
    spec.matches = 160;
    spec.awkward = false;
    writeRandomLeague(league, spec);
    TDataMod dm;
    dm.openLeague(league);
    SystemsFile::open(m_systems, m_dir.filePath(QStringLiteral("systems/bettingsystems.qvs")));
    BettingSystem s;
    s.options.draw = true;
    s.options.homePct = s.options.drawPct = s.options.awayPct = s.options.confidence = 10;
    s.options.lastMatches = 4;
    BackTest(s, dm, m_systems).run();
    s.options.venueStats = false;
    s.wager = 35;
    BackTest(s, dm, m_systems).run();
}

void TestAnalysisReports::historyListsEverySystemInLandscape()
{
    Table methods(&m_systems, QStringLiteral("Methods"));
    methods.open();
    QCOMPARE(methods.recordCount(), 2);
    const BandedReport report = systemsHistoryReport(methods);
    const QString path = m_dir.filePath(QStringLiteral("history.pdf"));
    writeBandedReportPdf(report, path, {QDate(2026, 3, 7), {}, {}});
    const QList<QSizeF> sizes = pdfPageSizes(path);
    QCOMPARE(sizes.size(), 1);
    QCOMPARE(sizes[0].toSize(), QSize(792, 612)); // Letter, landscape
    const QString page = pdfPages(path).first();
    QVERIFY(page.contains(QStringLiteral("Betting System History")));
    QVERIFY(page.contains(QStringLiteral("Date:")));
    const QRegularExpression headings(QStringLiteral("League\\s+Correct\\s+Incorrect\\s+Total\\s+Hits "
                                                     "\\(%\\)\\s+Profit \\(%\\)\\s+U/O %\\s+Scr %\\s+Home\\s+"
                                                     "Draw\\s+Away\\s+H%\\s+D%\\s+A%\\s+C%\\s+TS\\s+LM"));
    QVERIFY2(headings.match(page).hasMatch(), qPrintable(page));
    // Each system's line: its counts, its profit as stored, its flags, thresholds, statistics and form.
    for (methods.first(); !methods.eof(); methods.next()) {
        const auto f = [&methods](const char *c) { return methods.field(QString::fromLatin1(c)).asString(); };
        const QString line = QStringList{f("League"), f("Crt"), f("Ict"),  f("Tot"),  f("CrtP"), f("Profit"),
                                         f("UOP"),    f("SCP"), f("Home"), f("Draw"), f("Away"), f("HP"),
                                         f("DP"),     f("AP"),  f("CF"),   f("TS"),   f("LM")}
                                 .join(QStringLiteral("\\s+"));
        QVERIFY2(QRegularExpression(line).match(page).hasMatch(),
                 qPrintable(line + QLatin1Char('\n') + page));
    }
    QVERIFY(page.contains(QStringLiteral(" HA ")) && page.contains(QStringLiteral(" OV ")));
}

void TestAnalysisReports::matchesFollowTheGridsOrderOnEveryPage()
{
    Table results(&m_systems, QStringLiteral("Results"));
    results.open();
    const int matches = results.recordCount();
    QVERIFY(matches > 100);
    results.setSort(QStringLiteral("Balance DESC")); // as a click on the grid's title sorts it
    const BandedReport report = backTestMatchesReport(results, QStringLiteral("Report League"));
    const QString path = m_dir.filePath(QStringLiteral("matches.pdf"));
    writeBandedReportPdf(report, path);
    const QStringList pages = pdfPages(path);
    QVERIFY(pages.size() >= 3);
    QVERIFY(pages[0].contains(QStringLiteral("Report League - Match Predictions & Scores")));
    for (const QString &page : pages)
        QVERIFY(page.contains(QStringLiteral("Vdt")) && page.contains(QStringLiteral("PFS")) &&
                page.contains(QStringLiteral("Balance")));

    // Every detail line is there once, in the table's order: the balances read down the pages fall.
    const QRegularExpression detail(QStringLiteral("\\s-\\s.*\\s(-?\\d+(\\.\\d+)?)\\s*$"));
    QList<double> balances;
    for (const QString &page : pages)
        for (const QString &line : page.split(QLatin1Char('\n')))
            if (const auto m = detail.match(line);
                m.hasMatch() && !line.contains(QStringLiteral("Home Team")))
                balances << m.captured(1).toDouble();
    QCOMPARE(balances.size(), matches);
    QVERIFY(std::is_sorted(balances.rbegin(), balances.rend()));
    results.first();
    QCOMPARE(balances.first(), results.field(QStringLiteral("Balance")).asFloat());
}

QTEST_MAIN(TestAnalysisReports)
#include "tst_analysisreports.moc"

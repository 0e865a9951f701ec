// The report engine renders the main window's reports to PDF; the PDFs are read back as text per page
// and, for the drawn cross table, as pixels.

#include "output/MainReports.h"
#include "output/TicketPrintouts.h"
#include "output/report/ReportPainter.h"

#include "data/Errors.h"
#include "support/LeagueFixture.h"
#include "support/PdfChecks.h"

#include <QRegularExpression>
#include <QtTest>

class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }
    void teamStatsRepeatHeadingsOnEveryPage();
    void playersListEveryPlayerOnceWithHeadingsPerPage();
    void matchReportsHeadOnlyTheFirstPage_data();
    void matchReportsHeadOnlyTheFirstPage();
    void oddsFollowTheFilterOfTheFixtures();
    void crossTableHasBlackDiagonal();
    void crossTablePrintsEveryScoreAndName();
    void textReadsAsTyped();
    void paperFollowsTheLocale_data();
    void paperFollowsTheLocale();
    void tallGridStaysOnShorterPaper();
    void stoppedReportLeavesNoFile();
    void unwritablePdfNamesTheFile();

private:
    QString pdf(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace
{
QString teamName(int i)
{
    return QStringLiteral("Team %1 Ü").arg(i, 3, 10, QLatin1Char('0'));
}

int countOf(const QString &text, const QString &word)
{
    return static_cast<int>(text.count(QRegularExpression(
        QStringLiteral("\\b") + QRegularExpression::escape(word) + QStringLiteral("\\b"))));
}

void addPlayer(Table &players, int n, const QString &name, const QString &team)
{
    players.append();
    players.field(QStringLiteral("N")).setFloat(n);
    players.field(QStringLiteral("Player")).setString(name);
    players.field(QStringLiteral("Team")).setString(team);
    players.field(QStringLiteral("Pos")).setString(QStringLiteral("Forward"));
    players.field(QStringLiteral("IN_OUT")).setString(QStringLiteral("IN"));
    players.post();
}
} // namespace

void TestReports::init()
{
    if (!popplerAvailable())
        QSKIP("pdftotext and pdftoppm (poppler-utils) are not installed");
    // Letter, the paper of the sizes and positions checked, unless a test chooses another locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestReports::cleanup()
{
    m_dir.reset();
}

void TestReports::teamStatsRepeatHeadingsOnEveryPage()
{
    QStringList teams;
    for (int i = 1; i <= 120; ++i)
        teams << teamName(i);
    LeagueFixture league(QStringLiteral("Football (Soccer)"), teams);
    QVERIFY(league.addMatch(teamName(1), teamName(2), 3, 1));
    const BandedReport report = teamStatsReport(league.dm().ADOTableTeams, QStringLiteral("Premier"));
    writeBandedReportPdf(report, pdf(QStringLiteral("teams.pdf")), {QDate(2026, 3, 7), {}, {}});
    const QStringList pages = pdfPages(pdf(QStringLiteral("teams.pdf")));
    QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
    QVERIFY(pages[0].contains(QStringLiteral("Premier - Team Statistics")));
    QVERIFY(pages[0].contains(QStringLiteral("Date:")));
    for (int p = 0; p < pages.size(); ++p) {
        QCOMPARE(countOf(pages[p], QStringLiteral("Team Statistics")), p == 0 ? 1 : 0);
        for (const QString &h : {QStringLiteral("Home"), QStringLiteral("Away"), QStringLiteral("Total"),
                                 QStringLiteral("Pts"), QStringLiteral("Dif")})
            QVERIFY2(pages[p].contains(h), qPrintable(QStringLiteral("page %1 lacks %2").arg(p + 1).arg(h)));
    }
    const QString all = pages.join(QLatin1Char('\n'));
    for (const QString &t : teams)
        QCOMPARE(all.count(t), 1);
    // The winner's line: number, name, home P W D L F A Dif Pts (3 points for the win).
    const QRegularExpression winner(teamName(1) + QStringLiteral("\\s+1\\s+1\\s+0\\s+0\\s+3\\s+1\\s+2\\s+3"));
    QVERIFY2(winner.match(all).hasMatch(), qPrintable(all.left(2000)));
}

void TestReports::playersListEveryPlayerOnceWithHeadingsPerPage()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"), {QStringLiteral("Alpha")});
    Table &players = league.dm().ADOTablePlayers;
    for (int i = 1; i <= 150; ++i)
        addPlayer(players, i, QStringLiteral("Player %1").arg(i, 3, 10, QLatin1Char('0')),
                  QStringLiteral("Alpha"));
    writeBandedReportPdf(playersReport(players, QStringLiteral("Liga")), pdf(QStringLiteral("players.pdf")));
    const QStringList pages = pdfPages(pdf(QStringLiteral("players.pdf")));
    QVERIFY(pages.size() >= 2);
    for (const QString &page : pages)
        QVERIFY(page.contains(QStringLiteral("D.O.B.")) && page.contains(QStringLiteral("In/Out")));
    const QString all = pages.join(QLatin1Char('\n'));
    for (int i = 1; i <= 150; ++i)
        QCOMPARE(all.count(QStringLiteral("Player %1").arg(i, 3, 10, QLatin1Char('0'))), 1);
    QCOMPARE(countOf(all, QStringLiteral("Liga - Players")), 1);
}

void TestReports::matchReportsHeadOnlyTheFirstPage_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("lastHeading");
    QTest::newRow("scores") << int(PrintChoice::Scores) << "L - Scores"
                            << "Score";
    QTest::newRow("fixtures") << int(PrintChoice::Fixtures) << "L - Fixtures"
                              << "Score";
    QTest::newRow("odds") << int(PrintChoice::Odds) << "L - Odds"
                          << "Return (%)";
    QTest::newRow("predictions") << int(PrintChoice::Predictions) << "L - Predictions"
                                 << "U/O";
}

void TestReports::matchReportsHeadOnlyTheFirstPage()
{
    QFETCH(int, choice);
    QFETCH(QString, title);
    QFETCH(QString, lastHeading);
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("North"), QStringLiteral("South")});
    for (int i = 0; i < 140; ++i)
        QVERIFY(league.addMatch(QStringLiteral("North"), QStringLiteral("South"), i % 5, i % 3, false,
                                QDate(2005, 8, 1).addDays(i), i + 1));
    const BandedReport report =
        matchReport(PrintChoice(choice), league.dm().ADOTableResults, QStringLiteral("L"));
    QCOMPARE(report.rows.size(), 140);
    writeBandedReportPdf(report, pdf(QStringLiteral("m.pdf")));
    const QStringList pages = pdfPages(pdf(QStringLiteral("m.pdf")));
    QVERIFY(pages.size() >= 2);
    QVERIFY(pages[0].contains(title));
    QVERIFY(pages[0].contains(lastHeading));
    for (int p = 1; p < pages.size(); ++p) {
        QVERIFY(!pages[p].contains(title));
        QVERIFY(!pages[p].contains(QStringLiteral("Home Team")));
    }
    QCOMPARE(pages.join(QLatin1Char('\n')).count(QStringLiteral("North")), 140);
}

void TestReports::oddsFollowTheFilterOfTheFixtures()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("North"), QStringLiteral("South")});
    for (int round = 1; round <= 3; ++round)
        QVERIFY(league.addMatch(QStringLiteral("North"), QStringLiteral("South"), round, 0, false,
                                QDate(2005, 8, round), round));
    Table &results = league.dm().ADOTableResults;
    results.setFilter(QStringLiteral("Rnd = 2"));
    results.setFiltered(true);
    const BandedReport report = matchReport(PrintChoice::Odds, results, QStringLiteral("L"));
    QCOMPARE(report.rows.size(), 1);
    QCOMPARE(report.rows[0][1], QStringLiteral("2"));
    QCOMPARE(report.rows[0][3], QStringLiteral("-"));
    QCOMPARE(report.rows[0][5], QStringLiteral("2:0"));
}

void TestReports::crossTableHasBlackDiagonal()
{
    // 21 columns: 300 units each, as the printout's columns share 6300 units.
    GridPrintout grid;
    grid.title = QStringLiteral("Cross League");
    grid.blackDiagonal = true;
    QStringList header = {QString()};
    for (int i = 1; i <= 20; ++i)
        header << QStringLiteral("T%1").arg(i);
    grid.cells << header;
    for (int r = 1; r <= 20; ++r) {
        QStringList row = {QStringLiteral("T%1").arg(r)};
        for (int c = 1; c <= 20; ++c)
            row << (c == r ? QString() : QStringLiteral("1:0"));
        grid.cells << row;
    }
    writeGridPrintoutPdf(grid, pdf(QStringLiteral("cross.pdf")));
    const QStringList pages = pdfPages(pdf(QStringLiteral("cross.pdf")));
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages[0].contains(QStringLiteral("Cross League")));
    QVERIFY(pages[0].contains(QStringLiteral("T20")));
    // Rendered at 60 dpi, one 600-dpi unit is a tenth of a pixel; the 5 mm margin is about 12 pixels.
    const QImage page = renderPdfPage(pdf(QStringLiteral("cross.pdf")), 1, 60);
    QVERIFY(!page.isNull());
    const double margin = 5 / 25.4 * 60;
    auto pixel = [&](int column, int row) {
        const int step = 5 * grid.gridRowHeight + 25;
        const double x = margin + (column * 300 + 150) / 10.0;
        const double y = margin + (400 + row * step + 62) / 10.0;
        return QColor(page.pixel(qRound(x), qRound(y)));
    };
    for (int i = 1; i <= 20; ++i) {
        QVERIFY2(pixel(i, i).lightness() < 40, qPrintable(QStringLiteral("diagonal %1").arg(i)));
        QVERIFY2(pixel(i, i == 1 ? 2 : 1).lightness() > 200,
                 qPrintable(QStringLiteral("off diagonal %1").arg(i)));
    }
    QVERIFY(pixel(0, 0).lightness() > 200); // the corner is no diagonal cell
}

// 21 columns of 300 units: three scores and the long team names no longer fit at 7 points; every score and
// every word of every name is printed all the same, as the window shows them.
void TestReports::crossTablePrintsEveryScoreAndName()
{
    const QStringList teams = twentyLongTeamNames();
    QList<QStringList> cells = {QStringList{QString()} + teams};
    for (int r = 0; r < teams.size(); ++r) {
        QStringList row = {teams[r]};
        for (int c = 0; c < teams.size(); ++c)
            row << (r == c ? QString() : QStringLiteral("0:2  2:1  3:%1  ").arg(c));
        cells << row;
    }
    const QString path = pdf(QStringLiteral("cross.pdf"));
    writeGridPrintoutPdf(gridTablePrintout(PrintChoice::CrossTable, cells, QStringLiteral("Premier")), path);
    const QStringList pages = pdfPages(path);
    QCOMPARE(pages.size(), 1);
    for (int c = 0; c < teams.size(); ++c) {
        const QRegularExpression scores(QStringLiteral("0:2\\s+2:1\\s+3:%1\\b").arg(c));
        QCOMPARE(static_cast<int>(pages[0].count(scores)), static_cast<int>(teams.size()) - 1);
    }
    for (const QString &team : teams)
        for (const QString &word : team.split(QLatin1Char(' ')))
            QVERIFY2(pages[0].count(word) >= 2, qPrintable(word));
}

// Letters that a font may join into one ligature glyph (ff, fi, fl, ffi, ffl) come back from the PDF as
// the letters typed, in banded reports and drawn printouts alike, so that a search for them finds them.
void TestReports::textReadsAsTyped()
{
    const QStringList words = {QStringLiteral("Sheffield"), QStringLiteral("Profit"),
                               QStringLiteral("Official"),  QStringLiteral("Affluent"),
                               QStringLiteral("Shuffle"),   QStringLiteral("Flyers")};
    BandedReport report;
    report.title = QStringLiteral("Sheffield Profit");
    report.columns = {{QStringLiteral("Profit"), 1, Qt::AlignLeft}};
    for (const QString &w : words)
        report.rows << QStringList{w};
    GridPrintout grid;
    grid.title = QStringLiteral("Sheffield");
    grid.cells = {{QString(), QStringLiteral("Official")},
                  {QStringLiteral("Affluent"), QStringLiteral("1:0")}};
    PrintedTicket ticket;
    ticket.money = {QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("20"),
                    QStringLiteral("9")};
    ticket.bets << QStringList{QStringLiteral("1/2/2025"),  QStringLiteral("Shuffle Cup"),
                               QStringLiteral("Sheffield"), QStringLiteral("Flyers"),
                               QStringLiteral("1"),         QStringLiteral("2"),
                               QStringLiteral("Won")};
    const QString path = pdf(QStringLiteral("letters.pdf"));
    writeJobsPdf({report, grid, ticketsPrintout({ticket})}, path);
    const QStringList pages = pdfRawText(path).split(QLatin1Char('\f'));
    QVERIFY(pages.size() >= 3);
    for (const QString &w : words)
        QVERIFY2(pages[0].contains(w), qPrintable(w + QLatin1Char('\n') + pages[0]));
    QVERIFY2(pages[1].contains(QStringLiteral("Sheffield")) && pages[1].contains(QStringLiteral("Official")),
             qPrintable(pages[1]));
    QVERIFY2(pages[2].contains(QStringLiteral("Profit: 9")) &&
                 pages[2].contains(QStringLiteral("Shuffle Cup")),
             qPrintable(pages[2]));
    for (const QString &page : pages)
        for (const QChar c : page)
            QVERIFY2(c.unicode() < 0xFB00 || c.unicode() > 0xFB06, qPrintable(page));
}

void TestReports::paperFollowsTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("chosen");    // a QPageSize::PageSizeId; Custom: none chosen
    QTest::addColumn<QSize>("upright"); // points
    const QSize a4(595, 842), letter(612, 792), legal(612, 1008);
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << int(QPageSize::Custom) << a4;
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << int(QPageSize::Custom)
                           << a4;
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << int(QPageSize::Custom)
                           << letter;
    QTest::newRow("fr_CA") << QLocale(QLocale::French, QLocale::Canada) << int(QPageSize::Custom) << letter;
    QTest::newRow("C") << QLocale::c() << int(QPageSize::Custom) << letter;
    QTest::newRow("de_DE, Legal chosen")
        << QLocale(QLocale::German, QLocale::Germany) << int(QPageSize::Legal) << legal;
    QTest::newRow("en_US, A4 chosen")
        << QLocale(QLocale::English, QLocale::UnitedStates) << int(QPageSize::A4) << a4;
}

// Each printout takes the locale's paper, or the one chosen in the print set-up, in its own orientation.
void TestReports::paperFollowsTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(int, chosen);
    QFETCH(QSize, upright);
    QLocale::setDefault(locale);
    BandedReport portrait;
    portrait.title = QStringLiteral("Upright");
    portrait.columns = {{QStringLiteral("A"), 1, Qt::AlignLeft}};
    BandedReport landscape = portrait;
    landscape.title = QStringLiteral("Across");
    landscape.landscape = true;
    GridPrintout grid;
    grid.cells = {{QString(), QStringLiteral("B")}, {QStringLiteral("A"), QString()}};
    ReportPaintOptions options;
    if (chosen != QPageSize::Custom)
        options.paper = QPageSize(QPageSize::PageSizeId(chosen));
    const QString path = pdf(QStringLiteral("paper.pdf"));
    writeJobsPdf({portrait, landscape, grid, ticketsPrintout({})}, path, options);
    const QSize across = upright.transposed();
    QList<QSize> sizes;
    for (const QSizeF &s : pdfPageSizes(path))
        sizes << s.toSize();
    QCOMPARE(sizes, (QList<QSize>{upright, across, across, upright}));
}

// A grid laid out taller than the paper's printable area (31 rows spaced by a high grid row, on A4 across)
// is drawn smaller, whole on its one page.
void TestReports::tallGridStaysOnShorterPaper()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    GridPrintout grid;
    grid.title = QStringLiteral("Tall");
    grid.gridRowHeight = 30;
    QStringList header = {QString()};
    for (int i = 1; i <= 30; ++i)
        header << QString::number(i);
    grid.cells << header;
    for (int r = 1; r <= 30; ++r)
        grid.cells << QStringList{QStringLiteral("Team %1").arg(r), QStringLiteral("W")};
    const QString path = pdf(QStringLiteral("tall.pdf"));
    writeGridPrintoutPdf(grid, path);
    QCOMPARE(pdfPages(path).size(), 1);
    // Down a column without texts, every row's box shows its top and bottom line, and the heading box its
    // top (its bottom is the first row's top).
    const QImage page = renderPdfPage(path, 1, 100);
    QVERIFY(!page.isNull());
    const double scale = (210 - 10) / 25.4 * 600 / (400 + 30 * 175 + 125); // A4 across, 5 mm margins
    const int x = qRound((5 / 25.4 + 20.5 * (6300 / 31) * scale / 600) * 100);
    int lines = 0;
    bool dark = false;
    for (int y = 0; y < page.height(); ++y) {
        const bool now = QColor(page.pixel(x, y)).lightness() < 200;
        lines += now && !dark;
        dark = now;
    }
    QCOMPARE(lines, 2 * 31 + 1);
}

void TestReports::stoppedReportLeavesNoFile()
{
    BandedReport report;
    report.title = QStringLiteral("Stopped");
    report.columns = {{QStringLiteral("A"), 1, Qt::AlignLeft}};
    for (int i = 0; i < 500; ++i)
        report.rows << QStringList{QString::number(i)};
    const QString path = pdf(QStringLiteral("stopped.pdf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    ReportPaintOptions options;
    options.progress = [](int done, int) { return done < 100; };
    QVERIFY_THROWS_EXCEPTION(Abort, writeBandedReportPdf(report, path, options));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
}

void TestReports::unwritablePdfNamesTheFile()
{
    const QString path = pdf(QStringLiteral("missing-folder/report.pdf"));
    try {
        writeGridPrintoutPdf(GridPrintout{}, path);
        QFAIL("no error");
    } catch (const QuorvaneError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("report.pdf")), qPrintable(e.message()));
    }
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"

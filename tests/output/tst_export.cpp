// Table export: every file type is written from a league's grid and read back by LibreOffice (cells
// equal, numbers as numbers); the save-file guarantees, the overwrite question, the filter and the
// current row.

#include "output/DocumentWriters.h"
#include "output/ExportSource.h"
#include "output/TableExport.h"

#include "data/Errors.h"
#include "data/GridColumns.h"
#include "data/ResultsViews.h"
#include "entry/ResultsCsv.h"
#include "support/LeagueFixture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <unistd.h>

namespace
{
struct CsvField {
    QString text;
    bool quoted = false;
};
using CsvRow = QList<CsvField>;

// RFC 4180, keeping whether each field was quoted.
QList<CsvRow> parseCsv(const QString &text)
{
    QList<CsvRow> rows;
    CsvRow row;
    CsvField field;
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field.text += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                inQuotes = false;
            } else {
                field.text += c;
            }
        } else if (c == QLatin1Char('"')) {
            inQuotes = true;
            field.quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field = CsvField();
        } else if (c == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field = CsvField();
        } else if (c != QLatin1Char('\r')) {
            field.text += c;
        }
    }
    if (!row.isEmpty() || !field.text.isEmpty())
        rows << (row << field);
    return rows;
}

QString readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

const QStringList kTeams = {QStringLiteral("Münster 05"), QStringLiteral("Club, The"),
                            QStringLiteral("O\"Neill FC"), QStringLiteral("Åland; United")};
} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();
    void libreOfficeReadsEveryType();
    void csvQuotesAsTheRfcSays();
    void difWritesBackTheBytesASeasonFileWasReadIn();
    void csvFollowsTheLocale_data();
    void csvFollowsTheLocale();
    void filteredRowsInOrderAndCurrentRowKept();
    void overwriteAsksFirst();
    void cancelledExportLeavesTheOldFile();
    void unwritableFolderNamesTheFile();
    void xlsRefusesMoreRowsThanASheetHolds();
    void textGridCellsTypedByTheirText();
    void clipboardHoldsTextAndHtml();

private:
    void fillLeague();
    std::unique_ptr<LeagueFixture> m_league;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestExport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_league = std::make_unique<LeagueFixture>(QStringLiteral("Football (Soccer)"), kTeams);
    fillLeague();
}

void TestExport::cleanup()
{
    m_league.reset();
    m_dir.reset();
}

void TestExport::fillLeague()
{
    for (int i = 0; i < 12; ++i) {
        MatchEntryInput in = m_league->input(kTeams[i % 4], kTeams[(i + 1) % 4], i % 4, (i + 2) % 3, false,
                                             QDate(2005, 8, 1).addDays(7 * i), i / 4 + 1);
        in.odds[0] = QStringLiteral("2.10");
        in.odds[1] = QStringLiteral("3.25");
        in.odds[2] = QStringLiteral("3.60");
        QVERIFY(SaveMatch(m_league->dm(), in, m_league->messenger));
    }
    applyDefaultScoreView(m_league->dm().ADOTableResults);
}

void TestExport::libreOfficeReadsEveryType()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (libreoffice-calc-nogui, libreoffice-writer-nogui) is not installed");
    const DatasetExportSource source(m_league->dm().ADOTableResults, matchGridColumns(MatchPage::Scores));
    QCOMPARE(source.rowCount(), 12);
    // The prices go out as numbers shown with two decimals, so the workbooks hold numbers.
    const qsizetype price = gridTitles(matchGridColumns(MatchPage::Scores)).indexOf(QStringLiteral("1"));
    QCOMPARE(source.cell(0, int(price)).kind, ExportCell::Kind::Number);
    QCOMPARE(source.cell(0, int(price)).text, QStringLiteral("2.10"));
    ExportOptions options;
    options.title = QStringLiteral("Test League");
    struct Written {
        ExportType type;
        QString name;
    };
    const QList<Written> files = {
        {ExportType::Xls, QStringLiteral("t_xls.xls")},    {ExportType::Xlsx, QStringLiteral("t_xlsx.xlsx")},
        {ExportType::Sylk, QStringLiteral("t_slk.slk")},   {ExportType::Dif, QStringLiteral("t_dif.dif")},
        {ExportType::Html, QStringLiteral("t_html.html")}, {ExportType::Tab, QStringLiteral("t_tab.tab")},
        {ExportType::Csv, QStringLiteral("t_csv.csv")},    {ExportType::Rtf, QStringLiteral("t_rtf.rtf")},
        {ExportType::Doc, QStringLiteral("t_doc.doc")}};
    for (const Written &f : files)
        exportTableToFile(source, f.type, m_dir->filePath(f.name), options);
    // A workbook past 7 MB needs more of the compound file's sector table than its header holds.
    QList<QStringList> big = {{QStringLiteral("N"), QStringLiteral("Name"), QStringLiteral("Note")}};
    constexpr int kBigRows = 65000;
    for (int i = 1; i <= kBigRows; ++i)
        big << QStringList{QString::number(i), QStringLiteral("Team Ö %1").arg(i),
                           QStringLiteral("a rather long text that makes the workbook big %1").arg(i)};
    exportTableToFile(TextExportSource(big), ExportType::Xls, m_dir->filePath(QStringLiteral("big.xls")),
                      options);
    QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("big.xls"))).size() > 8'000'000);

    // One conversion per kind of input, with a profile of this run's own.
    const QString out = m_dir->filePath(QStringLiteral("out"));
    const QString profile =
        QStringLiteral("-env:UserInstallation=file://") + m_dir->filePath(QStringLiteral("lo"));
    const QString toCsv = QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,false,true");
    auto convert = [&](const QString &to, const QStringList &inputs, const QString &infilter = QString()) {
        QStringList args = {profile, QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                            to,      QStringLiteral("--outdir"),   out};
        if (!infilter.isEmpty())
            args << QStringLiteral("--infilter=") + infilter;
        for (const QString &i : inputs)
            args << m_dir->filePath(i);
        QProcess p;
        p.start(soffice, args);
        QVERIFY(p.waitForFinished(120000));
    };
    convert(toCsv, {QStringLiteral("t_xls.xls"), QStringLiteral("t_xlsx.xlsx"), QStringLiteral("t_slk.slk"),
                    QStringLiteral("t_dif.dif"), QStringLiteral("big.xls")});
    convert(toCsv, {QStringLiteral("t_html.html")}, QStringLiteral("HTML (StarCalc)"));
    convert(toCsv, {QStringLiteral("t_tab.tab")},
            QStringLiteral("Text - txt - csv (StarCalc):9,34,76,1,,1033,false,false"));
    convert(toCsv, {QStringLiteral("t_csv.csv")},
            QStringLiteral("Text - txt - csv (StarCalc):44,34,76,1,,1033,true,false"));
    convert(QStringLiteral("txt:Text (encoded):UTF8"),
            {QStringLiteral("t_rtf.rtf"), QStringLiteral("t_doc.doc")});

    // Spreadsheets: every cell (the text files read with the import's number detection only, as dates
    // in them are texts) as the grid has it, numbers unquoted (numbers); in the workbooks texts
    // stay texts (quoted).
    for (const QString &name :
         {QStringLiteral("t_xls"), QStringLiteral("t_xlsx"), QStringLiteral("t_slk"), QStringLiteral("t_dif"),
          QStringLiteral("t_html"), QStringLiteral("t_tab"), QStringLiteral("t_csv")}) {
        const QList<CsvRow> rows = parseCsv(readText(out + QLatin1Char('/') + name + QStringLiteral(".csv")));
        // The web page has its title above the table and the export date below.
        const int first = name == QLatin1String("t_html") ? 1 : 0;
        QVERIFY2(rows.size() >= first + 13, qPrintable(name + QStringLiteral(": %1 rows").arg(rows.size())));
        const bool workbook = name == QLatin1String("t_xls") || name == QLatin1String("t_xlsx");
        for (int c = 0; c < source.columnCount(); ++c)
            QCOMPARE(rows[first].value(c).text, source.columnTitle(c));
        for (int r = 0; r < source.rowCount(); ++r) {
            const CsvRow &row = rows[first + 1 + r];
            for (int c = 0; c < source.columnCount(); ++c) {
                const ExportCell cell = source.cell(r, c);
                const QString where = QStringLiteral("%1 row %2 column %3").arg(name).arg(r + 1).arg(c + 1);
                // Tab-separated text carries no types: a text that reads as a number is taken as one.
                if (name == QLatin1String("t_tab") && cell.kind == ExportCell::Kind::Text &&
                    !row.value(c).quoted && row.value(c).text.toDouble() == cell.text.toDouble() &&
                    !cell.text.contains(QLatin1Char(':')))
                    continue;
                // Only the workbooks and the web page carry number formats: elsewhere a price reads back as
                // its value, shown in the reader's general format.
                if (!workbook && name != QLatin1String("t_html") && cell.kind == ExportCell::Kind::Number &&
                    cell.decimals >= 0) {
                    QVERIFY2(
                        row.value(c).text.toDouble() == cell.number && !row.value(c).quoted,
                        qPrintable(where +
                                   QStringLiteral(": '%1' <> %2").arg(row.value(c).text).arg(cell.number)));
                    continue;
                }
                QVERIFY2(
                    row.value(c).text == cell.text,
                    qPrintable(where + QStringLiteral(": '%1' <> '%2'").arg(row.value(c).text, cell.text)));
                if (cell.kind == ExportCell::Kind::Number)
                    QVERIFY2(!row.value(c).quoted, qPrintable(where + QStringLiteral(" is no number")));
                if (workbook && cell.kind == ExportCell::Kind::Text)
                    QVERIFY2(row.value(c).quoted, qPrintable(where + QStringLiteral(" is no text")));
            }
        }
    }
    const QList<CsvRow> bigRows = parseCsv(readText(out + QStringLiteral("/big.csv")));
    QCOMPARE(bigRows.size(), kBigRows + 1);
    QCOMPARE(bigRows.last()[0].text, QString::number(kBigRows));
    QVERIFY(!bigRows.last()[0].quoted);
    QCOMPARE(bigRows.last()[1].text, QStringLiteral("Team Ö %1").arg(kBigRows));

    // Word processors: the table's cells in reading order.
    QStringList expected;
    for (int c = 0; c < source.columnCount(); ++c)
        expected << source.columnTitle(c);
    for (int r = 0; r < source.rowCount(); ++r)
        for (int c = 0; c < source.columnCount(); ++c)
            expected << source.cell(r, c).text;
    expected.removeAll(QString());
    for (const QString &name : {QStringLiteral("t_rtf"), QStringLiteral("t_doc")}) {
        QStringList lines =
            readText(out + QLatin1Char('/') + name + QStringLiteral(".txt"))
                .split(QRegularExpression(QStringLiteral("[\\r\\n\\t]+")), Qt::SkipEmptyParts);
        for (QString &l : lines)
            l = l.trimmed();
        lines.removeAll(QString());
        const QString joined = lines.join(QLatin1Char('|'));
        QVERIFY2(joined.contains(expected.join(QLatin1Char('|'))),
                 qPrintable(name + QStringLiteral(": ") + joined.left(600)));
    }
}

void TestExport::csvQuotesAsTheRfcSays()
{
    const TextExportSource source({{QStringLiteral("Team"), QStringLiteral("Pts")},
                                   {QStringLiteral("Club, The"), QStringLiteral("12")},
                                   {QStringLiteral("O\"Neill"), QStringLiteral("7.5")},
                                   {QStringLiteral("Line\nbreak"), QString()}});
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeTable(source, ExportType::Csv, buffer, {});
    QCOMPARE(
        buffer.data(),
        QByteArray("\"Team\",\"Pts\"\r\n\"Club, The\",12\r\n\"O\"\"Neill\",7.5\r\n\"Line\nbreak\",\r\n"));
}

// A team name read from an 8-bit season file goes out to DIF, the other 8-bit format, as the same bytes:
// every byte of 0x80-0xFF, the five that Windows leaves undefined among them.
void TestExport::difWritesBackTheBytesASeasonFileWasReadIn()
{
    QByteArray name = "A";
    for (int b = 0x80; b <= 0xFF; ++b)
        name += char(b);
    name += "Z";
    const CsvSeason season =
        readResultsCsv("Date,HomeTeam,AwayTeam,FTHG,FTAG\r\n01/08/04," + name + ",Lyon,1,0\r\n");
    const TextExportSource source({{QStringLiteral("Team")}, {season.matches.at(0).home}});
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeTable(source, ExportType::Dif, buffer, {});
    const QByteArray cell = "1,0\r\n\"" + name + "\"\r\n";
    QVERIFY2(buffer.data().contains(cell), buffer.data().toPercentEncoding().constData());
}

void TestExport::csvFollowsTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates)
                           << QStringList{QStringLiteral("8/1/2005"), QStringLiteral("8/8/2005")};
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany)
                           << QStringList{QStringLiteral("01.08.2005"), QStringLiteral("08.08.2005")};
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                           << QStringList{QStringLiteral("01/08/2005"), QStringLiteral("08/08/2005")};
}

void TestExport::csvFollowsTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, dates);
    QLocale::setDefault(locale);
    Table &results = m_league->dm().ADOTableResults;
    results.setSort(QStringLiteral("DateP"));
    const DatasetExportSource source(results, matchGridColumns(MatchPage::Scores));
    const QString path = m_dir->filePath(QStringLiteral("scores.csv"));
    exportTableToFile(source, ExportType::Csv, path, {});
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QList<CsvRow> rows = parseCsv(readText(path));
    QCOMPARE(rows.size(), 1 + 12);
    // Dates as the locale writes them, with the whole year.
    QCOMPARE(rows[1][0].text, dates[0]);
    QCOMPARE(rows[2][0].text, dates[1]);
    // Prices are numbers, with their two decimals and "." whatever the locale, as every number in the file.
    const QStringList titles = gridTitles(matchGridColumns(MatchPage::Scores));
    const qsizetype home = titles.indexOf(QStringLiteral("1"));
    QCOMPARE(rows[0][home].text, QStringLiteral("1"));
    for (const auto &[offset, price] : {std::pair{0, "2.10"}, std::pair{1, "3.25"}, std::pair{2, "3.60"}}) {
        QCOMPARE(rows[1][home + offset].text, QString::fromLatin1(price));
        QVERIFY(!rows[1][home + offset].quoted);
    }
}

void TestExport::filteredRowsInOrderAndCurrentRowKept()
{
    Table &results = m_league->dm().ADOTableResults;
    results.setFilter(QStringLiteral("Result <> ':' AND Rnd = 2"));
    results.setSort(QStringLiteral("DateP DESC"));
    results.setRecNo(3);
    const auto before = results.bookmark();
    const DatasetExportSource source(results, matchGridColumns(MatchPage::Scores));
    const QString path = m_dir->filePath(QStringLiteral("round2.csv"));
    exportTableToFile(source, ExportType::Csv, path, {});
    QCOMPARE(results.bookmark(), before);
    const QList<CsvRow> rows = parseCsv(readText(path));
    QCOMPARE(rows.size(), 1 + 4);
    QStringList dates;
    for (int r = 1; r < rows.size(); ++r) {
        QCOMPARE(rows[r][1].text, QStringLiteral("2"));
        dates << rows[r][0].text;
    }
    QCOMPARE(dates, (QStringList{QStringLiteral("9/19/2005"), QStringLiteral("9/12/2005"),
                                 QStringLiteral("9/5/2005"), QStringLiteral("8/29/2005")}));
}

void TestExport::overwriteAsksFirst()
{
    const QString path = m_dir->filePath(QStringLiteral("old.csv"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    const TextExportSource source({{QStringLiteral("A")}, {QStringLiteral("new")}});
    for (Messenger::Answer answer : {Messenger::Answer::No, Messenger::Answer::Cancel}) {
        RecordingMessenger m({answer});
        QVERIFY(!exportTableFile(source, ExportType::Csv, path, {}, m));
        QCOMPARE(m.log(), QStringList{QStringLiteral(
                              "Question YesNoCancel [Overwrite]: File already exists. Overwrite?")});
        QCOMPARE(readText(path), QStringLiteral("old"));
    }
    RecordingMessenger yes({Messenger::Answer::Yes});
    QVERIFY(exportTableFile(source, ExportType::Csv, path, {}, yes));
    QCOMPARE(readText(path), QStringLiteral("\"A\"\r\n\"new\"\r\n"));
}

void TestExport::cancelledExportLeavesTheOldFile()
{
    const QString path = m_dir->filePath(QStringLiteral("keep.xls"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    const DatasetExportSource source(m_league->dm().ADOTableResults, matchGridColumns(MatchPage::Scores));
    for (ExportType type : {ExportType::Xls, ExportType::Csv, ExportType::Xlsx, ExportType::Html}) {
        ExportOptions options;
        options.progress = [](int done, int total) { return done < total; };
        QVERIFY_THROWS_EXCEPTION(Abort, exportTableToFile(source, type, path, options));
        QCOMPARE(readText(path), QStringLiteral("old"));
    }
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).filter(QStringLiteral("keep")),
             QStringList{QStringLiteral("keep.xls")});
}

void TestExport::unwritableFolderNamesTheFile()
{
    // A folder that cannot hold files: one without write permission (unless running as root, who may write
    // anyway) and a "folder" that is a file.
    const QString locked = m_dir->filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(locked));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString plainFile = m_dir->filePath(QStringLiteral("plain"));
    QFile f(plainFile);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QStringList paths = {plainFile + QStringLiteral("/table.csv")};
    if (::geteuid() != 0)
        paths << locked + QStringLiteral("/table.csv");
    const TextExportSource source({{QStringLiteral("A")}});
    for (const QString &path : paths) {
        try {
            exportTableToFile(source, ExportType::Csv, path, {});
            QFAIL(qPrintable(QStringLiteral("no error for ") + path));
        } catch (const QuorvaneError &e) {
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
        }
        QVERIFY(!QFileInfo::exists(path));
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestExport::xlsRefusesMoreRowsThanASheetHolds()
{
    QList<QStringList> rows = {{QStringLiteral("N")}};
    for (int i = 0; i < 65536; ++i)
        rows << QStringList{QString::number(i)};
    const QString path = m_dir->filePath(QStringLiteral("too-big.xls"));
    try {
        exportTableToFile(TextExportSource(rows), ExportType::Xls, path, {});
        QFAIL("no error");
    } catch (const QuorvaneError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("*.xlsx")), qPrintable(e.message()));
    }
    QVERIFY(!QFileInfo::exists(path));
}

void TestExport::textGridCellsTypedByTheirText()
{
    const TextExportSource source({{QStringLiteral("Team"), QStringLiteral("1")},
                                   {QStringLiteral("12"), QStringLiteral("-3.5")},
                                   {QStringLiteral("inf"), QStringLiteral("1e5")},
                                   {QStringLiteral("2:1  "), QString()}});
    QCOMPARE(source.rowCount(), 3);
    QCOMPARE(source.columnTitle(1), QStringLiteral("1"));
    QCOMPARE(source.cell(0, 0).kind, ExportCell::Kind::Number);
    QCOMPARE(source.cell(0, 1).number, -3.5);
    for (int r = 1; r < 3; ++r)
        QCOMPARE(source.cell(r, 0).kind, ExportCell::Kind::Text);
    QCOMPARE(source.cell(1, 1).kind, ExportCell::Kind::Text);
    QCOMPARE(source.cell(2, 1).kind, ExportCell::Kind::Empty);
}

void TestExport::clipboardHoldsTextAndHtml()
{
    const TextExportSource source(
        {{QStringLiteral("Team"), QStringLiteral("Pts")}, {QStringLiteral("A & B"), QStringLiteral("3")}});
    const ClipboardTable t = clipboardTable(source, {});
    QCOMPARE(t.text, QStringLiteral("Team\tPts\r\nA & B\t3\r\n"));
    QVERIFY(t.html.contains(QStringLiteral(">A &amp; B</td>")));
    QVERIFY(t.html.contains(QStringLiteral("<th")));
    QVERIFY(t.html.startsWith(QStringLiteral("<table")));
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"

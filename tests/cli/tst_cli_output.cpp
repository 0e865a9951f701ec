// The command-line companion's export and print: the grids as the main window opens them, reports as
// PDFs, and refused arguments or outputs that write nothing.

#include "support/CliRun.h"
#include "support/PdfChecks.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCliOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void exportsEveryGridInEveryFormat();
    void homeGridInItsDefaultOrder();
    void printsEveryReport_data();
    void printsEveryReport();
    void refusesAndWritesNothing_data();
    void refusesAndWritesNothing();

private:
    CliRun cli(const QStringList &args) { return runCli(quorvaneCli(), args); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    QString m_league;
};

void TestCliOutput::initTestCase()
{
    m_league = path(QStringLiteral("demo.qvl"));
    QCOMPARE(cli({QStringLiteral("demo"), m_league}).exitCode, 0);
}

void TestCliOutput::exportsEveryGridInEveryFormat()
{
    const QStringList grids = {QStringLiteral("home"),    QStringLiteral("away"),
                               QStringLiteral("overall"), QStringLiteral("fixtures"),
                               QStringLiteral("scores"),  QStringLiteral("players"),
                               QStringLiteral("cross"),   QStringLiteral("streak")};
    const QStringList formats = {QStringLiteral("csv"),  QStringLiteral("dif"),  QStringLiteral("xls"),
                                 QStringLiteral("xlsx"), QStringLiteral("html"), QStringLiteral("rtf"),
                                 QStringLiteral("slk"),  QStringLiteral("tab"),  QStringLiteral("txt"),
                                 QStringLiteral("doc")};
    for (const QString &g : grids) {
        for (const QString &f : formats) {
            const QString out = path(g + QLatin1Char('.') + f);
            const CliRun r = cli({QStringLiteral("export"), m_league, QStringLiteral("--grid"), g,
                                  QStringLiteral("--format"), f, QStringLiteral("--output"), out});
            QVERIFY2(r.exitCode == 0, qPrintable(g + QLatin1Char(' ') + f + QStringLiteral(": ") + r.err));
            QVERIFY(QFileInfo(out).size() > 0);
        }
    }
    // The scores grid: every played match once, newest first.
    QFile csv(path(QStringLiteral("scores.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QVERIFY(lines[0].startsWith(QStringLiteral("\"Date\",\"Rnd\",\"Match\",\"Home Team\"")));
    QVERIFY(lines.size() > 100);
    const CliRun played = cli({QStringLiteral("matches"), m_league, QStringLiteral("--played"),
                               QStringLiteral("--format"), QStringLiteral("csv")});
    QCOMPARE(lines.size(), QString::fromUtf8(played.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

void TestCliOutput::homeGridInItsDefaultOrder()
{
    const QString out = path(QStringLiteral("home-order.tab"));
    QCOMPARE(cli({QStringLiteral("export"), m_league, QStringLiteral("--grid"), QStringLiteral("home"),
                  QStringLiteral("--format"), QStringLiteral("tab"), QStringLiteral("--output"), out})
                 .exitCode,
             0);
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines[0], QStringLiteral("#\tTeam\tRtg\tP\tW\tD\tL\tF\tA\tDif\tPts"));
    // Points descending, then the difference, then the wins; "#" counts the lines.
    for (int i = 2; i < lines.size(); ++i) {
        const QStringList a = lines[i - 1].split(QLatin1Char('\t')), b = lines[i].split(QLatin1Char('\t'));
        QCOMPARE(b[0].toInt(), i);
        const auto key = [](const QStringList &l) {
            return std::tuple(l[10].toInt(), l[9].toInt(), l[4].toInt());
        };
        QVERIFY(key(a) >= key(b));
    }
}

void TestCliOutput::printsEveryReport_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("title");
    QTest::newRow("team-stats") << "team-stats"
                                << "Demo League - Team Statistics";
    QTest::newRow("scores") << "scores"
                            << "Demo League - Scores";
    QTest::newRow("fixtures") << "fixtures"
                              << "Demo League - Fixtures";
    QTest::newRow("odds") << "odds"
                          << "Demo League - Odds";
    QTest::newRow("predictions") << "predictions"
                                 << "Demo League - Predictions";
    QTest::newRow("players") << "players"
                             << "Demo League - Players";
    QTest::newRow("cross") << "cross"
                           << "Demo League";
    QTest::newRow("streak") << "streak"
                            << "Demo League";
}

void TestCliOutput::printsEveryReport()
{
    QFETCH(QString, report);
    QFETCH(QString, title);
    if (!popplerAvailable())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString out = path(report + QStringLiteral(".pdf"));
    const CliRun r = cli({QStringLiteral("print"), m_league, QStringLiteral("--report"), report,
                          QStringLiteral("--pdf"), out});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QStringList pages = pdfPages(out);
    QVERIFY(!pages.isEmpty());
    QVERIFY2(pages[0].contains(title), qPrintable(pages[0].left(300)));
}

void TestCliOutput::refusesAndWritesNothing_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const QString out = QStringLiteral("OUT");
    QTest::newRow("grid") << QStringList{QStringLiteral("export"),   QStringLiteral("LEAGUE"),
                                         QStringLiteral("--grid"),   QStringLiteral("bets"),
                                         QStringLiteral("--format"), QStringLiteral("csv"),
                                         QStringLiteral("--output"), out}
                          << "--grid must be one of";
    QTest::newRow("format") << QStringList{QStringLiteral("export"),   QStringLiteral("LEAGUE"),
                                           QStringLiteral("--grid"),   QStringLiteral("home"),
                                           QStringLiteral("--format"), QStringLiteral("pdf"),
                                           QStringLiteral("--output"), out}
                            << "--format must be one of";
    QTest::newRow("no output") << QStringList{QStringLiteral("export"),   QStringLiteral("LEAGUE"),
                                              QStringLiteral("--grid"),   QStringLiteral("home"),
                                              QStringLiteral("--format"), QStringLiteral("csv")}
                               << "Give --output";
    QTest::newRow("report") << QStringList{QStringLiteral("print"),    QStringLiteral("LEAGUE"),
                                           QStringLiteral("--report"), QStringLiteral("tickets"),
                                           QStringLiteral("--pdf"),    out}
                            << "--report must be one of";
    QTest::newRow("no league") << QStringList{QStringLiteral("print"),    QStringLiteral("MISSING"),
                                              QStringLiteral("--report"), QStringLiteral("odds"),
                                              QStringLiteral("--pdf"),    out}
                               << "does not exist";
    QTest::newRow("unwritable export")
        << QStringList{QStringLiteral("export"),   QStringLiteral("LEAGUE"),   QStringLiteral("--grid"),
                       QStringLiteral("home"),     QStringLiteral("--format"), QStringLiteral("xls"),
                       QStringLiteral("--output"), QStringLiteral("BLOCKED")}
        << "Cannot create file";
    QTest::newRow("unwritable pdf") << QStringList{QStringLiteral("print"),    QStringLiteral("LEAGUE"),
                                                   QStringLiteral("--report"), QStringLiteral("odds"),
                                                   QStringLiteral("--pdf"),    QStringLiteral("BLOCKED")}
                                    << "Cannot create file";
}

void TestCliOutput::refusesAndWritesNothing()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    // A path under a plain file can never be created.
    QFile plain(path(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString out = path(QStringLiteral("refused.out"));
    const QString blocked = path(QStringLiteral("plain/out.xls"));
    for (QString &a : args) {
        if (a == QLatin1String("OUT"))
            a = out;
        else if (a == QLatin1String("BLOCKED"))
            a = blocked;
        else if (a == QLatin1String("LEAGUE"))
            a = m_league;
        else if (a == QLatin1String("MISSING"))
            a = path(QStringLiteral("missing.qvl"));
    }
    const CliRun r = cli(args);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(!QFileInfo::exists(out));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("missing.qvl"))));
}

QTEST_GUILESS_MAIN(TestCliOutput)
#include "tst_cli_output.moc"

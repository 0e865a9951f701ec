// The command-line companion's export and print: the grids as the main window opens them, reports as
// PDFs, refused arguments or outputs that write nothing, and outputs that never destroy their input, a
// device, a pipe or an older file (also when the disk fills up).

#include "support/CliRun.h"
#include "support/PdfChecks.h"
#include "support/SmallFileSystem.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace
{
QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The file type bits of what the path leads to (links followed); 0 when it leads nowhere.
mode_t nodeType(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// Which file the path leads to, links followed; 0 when it leads nowhere.
ino_t inodeOf(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// The command line of one of the writing commands: a CSV or Excel export, a PDF report, a ticket printout.
QStringList outputCommand(const QString &command, const QString &input, const QString &output)
{
    if (command == QLatin1String("export") || command == QLatin1String("export xls"))
        return {QStringLiteral("export"),
                input,
                QStringLiteral("--grid"),
                QStringLiteral("scores"),
                QStringLiteral("--format"),
                command == QLatin1String("export") ? QStringLiteral("csv") : QStringLiteral("xls"),
                QStringLiteral("--output"),
                output};
    if (command == QLatin1String("print"))
        return {QStringLiteral("print"), input, QStringLiteral("--report"), QStringLiteral("scores"),
                QStringLiteral("--pdf"), output};
    return {QStringLiteral("tickets"), input, QStringLiteral("print"), QStringLiteral("--pdf"), output};
}

// Reads a named pipe on a thread of its own until every writer has closed it.  A writer of our own is
// held open meanwhile, so that the reader sees the end only after release(), however the command went.
class PipeReader
{
public:
    explicit PipeReader(const QString &path)
    {
        const QByteArray name = QFile::encodeName(path);
        m_read = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
        m_keep = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
        if (m_read < 0 || m_keep < 0)
            return;
        ::fcntl(m_read, F_SETFL, ::fcntl(m_read, F_GETFL) & ~O_NONBLOCK);
        m_thread = std::thread([this] {
            char block[65536];
            for (ssize_t n; (n = ::read(m_read, block, sizeof block)) > 0;)
                m_bytes.append(block, n);
        });
    }
    ~PipeReader()
    {
        release();
        if (m_read >= 0)
            ::close(m_read);
    }
    bool isOpen() const { return m_thread.joinable(); }
    // What the pipe carried, once the command is done.
    QByteArray release()
    {
        if (m_keep >= 0)
            ::close(m_keep);
        m_keep = -1;
        if (m_thread.joinable())
            m_thread.join();
        return m_bytes;
    }

private:
    int m_read = -1, m_keep = -1;
    std::thread m_thread;
    QByteArray m_bytes;
};

// Whether the bytes are the output the reference file holds.  A PDF carries the minute it was made, so
// two of them are compared by their length, their head and their end.
bool sameOutput(const QByteArray &got, const QByteArray &reference)
{
    if (!reference.startsWith("%PDF-"))
        return got == reference;
    return got.size() == reference.size() && got.startsWith("%PDF-") && got.trimmed().endsWith("%%EOF");
}
} // namespace

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
    void outputOverItsInputIsRefused_data();
    void outputOverItsInputIsRefused();
    void devicesAndPipesGetTheBytes_data();
    void devicesAndPipesGetTheBytes();
    void fullDeviceReportsTheCause_data();
    void fullDeviceReportsTheCause();
    void fullDiskLeavesNoPartialFile_data();
    void fullDiskLeavesNoPartialFile();

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

void TestCliOutput::outputOverItsInputIsRefused_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("target");
    for (const char *command : {"export", "print", "tickets"})
        for (const char *target :
             {"the same name", "a name through another folder", "a symbolic link", "a hard link"})
            QTest::addRow("%s onto %s", command, target) << command << target;
}

void TestCliOutput::outputOverItsInputIsRefused()
{
    QFETCH(QString, command);
    QFETCH(QString, target);
    QTemporaryDir dir;
    const bool tickets = command == QLatin1String("tickets");
    const QString input = dir.filePath(tickets ? QStringLiteral("book.qvt") : QStringLiteral("league.qvl"));
    if (tickets)
        QCOMPARE(cli({QStringLiteral("tickets"), input, QStringLiteral("new")}).exitCode, 0);
    else
        QVERIFY(QFile::copy(m_league, input));
    const QByteArray before = bytesOf(input);
    QString output = input;
    if (target == QLatin1String("a name through another folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        output = dir.path() + QStringLiteral("/sub/../") + QFileInfo(input).fileName();
    } else if (target == QLatin1String("a symbolic link")) {
        output = dir.filePath(QStringLiteral("link.out"));
        QVERIFY(QFile::link(input, output));
    } else if (target == QLatin1String("a hard link")) {
        output = dir.filePath(QStringLiteral("hard.out"));
        QCOMPARE(::link(QFile::encodeName(input).constData(), QFile::encodeName(output).constData()), 0);
    }
    const CliRun r = cli(outputCommand(command, input, output));
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QStringLiteral("it is the file being read")), qPrintable(r.err));
    QVERIFY(bytesOf(input) == before);
    QCOMPARE(QFileInfo(output).isSymLink(), target == QLatin1String("a symbolic link"));
    // The input still opens as what it was.
    const CliRun read = cli(tickets ? QStringList{QStringLiteral("tickets"), input, QStringLiteral("list")}
                                    : QStringList{QStringLiteral("table"), input});
    QVERIFY2(read.exitCode == 0, qPrintable(read.err));
}

void TestCliOutput::devicesAndPipesGetTheBytes_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("target");
    for (const char *command : {"export", "print"})
        for (const char *target :
             {"a named pipe", "a link to a named pipe", "a null device", "a link to a null device",
              "standard output", "standard output appending to a file"})
            QTest::addRow("%s to %s", command, target) << command << target;
}

void TestCliOutput::devicesAndPipesGetTheBytes()
{
    QFETCH(QString, command);
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString reference = dir.filePath(QStringLiteral("reference"));
    QCOMPARE(cli(outputCommand(command, m_league, reference)).exitCode, 0);
    const QString node = dir.filePath(QStringLiteral("node"));
    const bool pipe = target.contains(QStringLiteral("pipe"));
    if (pipe) {
        QCOMPARE(::mkfifo(QFile::encodeName(node).constData(), 0600), 0);
    } else if (target.contains(QStringLiteral("null device"))) {
        // A null device of the test's own, so that nothing can ever happen to the system's /dev/null.
        if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("this machine makes no device nodes (mknod refused)");
    }
    const bool appending = target == QLatin1String("standard output appending to a file");
    const QByteArray earlier("an earlier line\n");
    if (appending)
        writeBytes(node, earlier);
    QString output =
        target.startsWith(QStringLiteral("standard output")) ? QStringLiteral("/dev/stdout") : node;
    if (target.startsWith(QStringLiteral("a link"))) {
        output = dir.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(node, output));
    }
    const QStringList before = entriesOf(dir.path());
    const mode_t type = nodeType(node);

    std::optional<PipeReader> reader;
    if (pipe) {
        reader.emplace(node);
        QVERIFY(reader->isOpen());
    }
    const ino_t inode = inodeOf(node);
    // The shell opens the file to append to and hands it over as the standard output.
    const CliRun r =
        appending
            ? runCli(QStringLiteral("sh"),
                     QStringList{QStringLiteral("-c"), QStringLiteral("f=$1; shift; exec \"$@\" >>\"$f\""),
                                 QStringLiteral("sh"), node, quorvaneCli()} +
                         outputCommand(command, m_league, output))
            : cli(outputCommand(command, m_league, output));
    const QByteArray piped = reader ? reader->release() : QByteArray();
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    if (pipe)
        QVERIFY2(sameOutput(piped, bytesOf(reference)), qPrintable(QString::number(piped.size())));
    if (target == QLatin1String("standard output"))
        QVERIFY(sameOutput(r.out, bytesOf(reference)));
    if (appending) {
        const QByteArray all = bytesOf(node);
        QVERIFY2(all.startsWith(earlier), all.left(40).constData());
        QVERIFY(sameOutput(all.mid(earlier.size()), bytesOf(reference)));
    }
    // The node is what it was (the same one), and nothing was left beside it.
    QCOMPARE(inodeOf(node), inode);
    QCOMPARE(nodeType(node), type);
    QCOMPARE(entriesOf(dir.path()), before);
}

void TestCliOutput::fullDeviceReportsTheCause_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"export", "export xls", "print"})
        QTest::newRow(command) << command;
}

void TestCliOutput::fullDeviceReportsTheCause()
{
    QFETCH(QString, command);
    QTemporaryDir dir;
    // A full device of the test's own, like /dev/full: every write fails with "No space left on device".
    const QString full = dir.filePath(QStringLiteral("full"));
    if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
        QSKIP("this machine makes no device nodes (mknod refused)");
    const CliRun r = cli(outputCommand(command, m_league, full));
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QStringLiteral("No space left on device")), qPrintable(r.err));
    QCOMPARE(nodeType(full), mode_t(S_IFCHR));
    QCOMPARE(entriesOf(dir.path()), QStringList{QStringLiteral("full")});
}

void TestCliOutput::fullDiskLeavesNoPartialFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("older");
    for (const char *command : {"export", "export xls", "print"}) {
        QTest::addRow("%s, new file", command) << command << false;
        QTest::addRow("%s, over an older output", command) << command << true;
    }
}

void TestCliOutput::fullDiskLeavesNoPartialFile()
{
    QFETCH(QString, command);
    QFETCH(bool, older);
    QTemporaryDir dir;
    const QString reference = dir.filePath(QStringLiteral("reference"));
    QCOMPARE(cli(outputCommand(command, m_league, reference)).exitCode, 0);
    const QString folder = dir.filePath(QStringLiteral("disk")), seed = dir.filePath(QStringLiteral("seed")),
                  kept = dir.filePath(QStringLiteral("kept"));
    for (const QString &f : {folder, seed, kept})
        QVERIFY(QDir().mkpath(f));
    const QByteArray olderBytes("older output\n");
    if (older)
        writeBytes(seed + QStringLiteral("/out"), olderBytes);
    // Room for the older file and all but the last page of the new one: the disk fills up at its end,
    // where a last block written on closing is easily lost.
    const qint64 page = ::sysconf(_SC_PAGESIZE);
    const qint64 room = (QFileInfo(reference).size() - 1) / page * page + (older ? page : 0);
    const SmallFileSystemRun run =
        runOnSmallFileSystem(folder, room, seed, kept, quorvaneCli(),
                             outputCommand(command, m_league, folder + QStringLiteral("/out")));
    if (!run.unavailable.isEmpty())
        QSKIP(qPrintable(run.unavailable));
    QCOMPARE(run.run.exitCode, 1);
    QVERIFY2(run.run.err.contains(QStringLiteral("No space left on device")), qPrintable(run.run.err));
    QCOMPARE(entriesOf(kept), older ? QStringList{QStringLiteral("out")} : QStringList());
    if (older)
        QCOMPARE(bytesOf(kept + QStringLiteral("/out")), olderBytes);
}

QTEST_GUILESS_MAIN(TestCliOutput)
#include "tst_cli_output.moc"

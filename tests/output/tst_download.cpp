// Downloading league files and seasons from a real HTTP server on 127.0.0.1 that acts out the faults of
// real servers: every fault gives its mark, leaves the local file byte for byte as it was, and the run
// goes on; marks of repeated runs, the up-to-date test, cancelling, the list, publishing, seasons.

#include "data/Database.h"
#include "data/Messenger.h"
#include "entry/AccessConversion.h"
#include "entry/ResultsImport.h"
#include "output/DownloadLimits.h"
#include "output/HttpFetch.h"
#include "output/LeagueDownload.h"
#include "output/SeasonDownload.h"
#include "support/CliRun.h"
#include "support/JetWriter.h"
#include "support/TestHttpServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <sys/stat.h>

using Fault = TestHttpServer::Fault;

namespace
{
const QByteArray SeasonHeader = "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\r\n";

QByteArray season(const QList<QByteArray> &rows)
{
    QByteArray bytes = SeasonHeader;
    for (const QByteArray &row : rows)
        bytes += row + "\r\n";
    return bytes;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes, const QDateTime &modified = QDateTime())
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    if (modified.isValid())
        QVERIFY(f.setFileTime(modified, QFileDevice::FileModificationTime));
}

// A real league file whose teams tell which one it is.
QByteArray leagueBytes(const QString &dir, const QByteArray &home, const QByteArray &away)
{
    const QString path = QDir(dir).filePath(QStringLiteral("built-%1.qvl").arg(QString::fromUtf8(home)));
    CollectingMessenger quiet;
    SeasonDownload::importSeasonInto(
        path, QStringLiteral("E0"),
        readResultsCsv(season({"E0,01/08/23," + home + "," + away + ",1,0,2,3,4"})), quiet);
    return readFile(path);
}

int storedMatches(const QString &path)
{
    Database db;
    db.open(path);
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM Results")).toInt();
}

// A league file as an Access database, the way a server of Access league files publishes it.
QByteArray accessLeagueBytes(const QString &dir, const QByteArray &home, const QByteArray &away)
{
    leagueBytes(dir, home, away);
    const QString league = QDir(dir).filePath(QStringLiteral("built-%1.qvl").arg(QString::fromUtf8(home)));
    const QString access = league + QStringLiteral(".mdb");
    const QString failure = JetWriter::writeCopyOf(league,
                                                   {QStringLiteral("League"), QStringLiteral("Teams"),
                                                    QStringLiteral("Results"), QStringLiteral("Players")},
                                                   access);
    if (!failure.isEmpty())
        qWarning("%s", qPrintable(failure));
    return readFile(access);
}

// The process's umask set for a test, restored after it.
class UmaskGuard
{
public:
    explicit UmaskGuard(mode_t mask) : m_old(::umask(mask)) {}
    ~UmaskGuard() { ::umask(m_old); }
    UmaskGuard(const UmaskGuard &) = delete;
    UmaskGuard &operator=(const UmaskGuard &) = delete;

private:
    mode_t m_old;
};

// "644"
QString modeOf(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? QString::number(st.st_mode & 07777, 8)
                                                                 : QString();
}

// What a terminal would act on: control characters other than the line feed, and the bidirectional and
// byte-order marks a name could hide behind.
bool holdsRawControls(const QString &text)
{
    for (const QChar c : text)
        if ((c.unicode() < 0x20 && c != QLatin1Char('\n')) || c.unicode() == 0x7f || c == QChar(0x202e) ||
            c == QChar(0xfeff))
            return true;
    return false;
}

QStringList teamsOf(const QString &path)
{
    Database db;
    db.open(path);
    QStringList teams;
    Statement st = db.prepare(QStringLiteral("SELECT Team FROM Teams ORDER BY rowid"));
    while (st.step())
        teams << st.value(0).toString();
    return teams;
}
} // namespace

class TestDownload : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_folder;   // where the league files go
    QString m_built;    // league files built for the server
    QByteArray m_old;   // what every local file holds before a run
    QByteArray m_fresh; // what the server serves
    QString path(const QString &name) const { return QDir(m_folder).filePath(name + QStringLiteral(".mdb")); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_folder = m_dir.filePath(QStringLiteral("Data"));
        m_built = m_dir.filePath(QStringLiteral("built"));
        QVERIFY(QDir().mkpath(m_folder) && QDir().mkpath(m_built));
        m_old = leagueBytes(m_built, "Old Home", "Old Away");
        m_fresh = leagueBytes(m_built, "New Home", "New Away");
        QVERIFY(!m_old.isEmpty() && m_old != m_fresh);
    }
    void cleanup()
    {
        QDir(m_folder).removeRecursively();
        QDir(m_built).removeRecursively();
    }

    // Each fault in one run, each file beside a good one: the mark, the local file, the run going on.
    void everyFaultInOneRun_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("localExists");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("404") << int(Fault::NotFound) << true << LeagueDownload::FailMark << false;
        QTest::newRow("500") << int(Fault::ServerError) << true << LeagueDownload::FailMark << false;
        QTest::newRow("short body") << int(Fault::ShortBody) << true << LeagueDownload::FailMark << false;
        QTest::newRow("dropped mid-body")
            << int(Fault::DropMidBody) << true << LeagueDownload::FailMark << false;
        QTest::newRow("stalled body") << int(Fault::Stall) << true << LeagueDownload::FailMark << false;
        QTest::newRow("html page with 200")
            << int(Fault::HtmlPage) << true << LeagueDownload::FailMark << false;
        QTest::newRow("html page, no local file")
            << int(Fault::HtmlPage) << false << LeagueDownload::FailMark << false;
        QTest::newRow("slow body") << int(Fault::SlowBody) << true << LeagueDownload::OkMark << true;
        QTest::newRow("redirect") << int(Fault::Redirect) << true << LeagueDownload::OkMark << true;
        // Without a date the local copy counts as up to date; a missing one is fetched.
        QTest::newRow("no last-modified, local file")
            << int(Fault::NoLastModified) << true << LeagueDownload::OkMark << false;
        QTest::newRow("no last-modified, none")
            << int(Fault::NoLastModified) << false << LeagueDownload::OkMark << true;
    }
    void everyFaultInOneRun()
    {
        QFETCH(int, fault);
        QFETCH(bool, localExists);
        QFETCH(QString, mark);
        QFETCH(bool, replaced);
        TestHttpServer server;
        TestHttpServer::Route faulty{m_fresh, QDateTime::currentDateTimeUtc().addDays(-1), Fault(fault), {}};
        faulty.redirectTo = QStringLiteral("/elsewhere/Faulty.mdb");
        server.setRoute(QStringLiteral("/data/Faulty.mdb"), faulty);
        server.setRoute(QStringLiteral("/elsewhere/Faulty.mdb"), {m_fresh});
        server.setRoute(QStringLiteral("/data/Before.mdb"), {m_fresh});
        server.setRoute(QStringLiteral("/data/After.mdb"), {m_fresh});
        const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-30);
        for (const char *name : {"Before", "Faulty", "After"})
            if (localExists || QByteArray(name) != "Faulty")
                writeFile(path(QString::fromLatin1(name)), m_old, old);

        HttpFetch http(1000); // the stalled body waits longer than this
        QStringList entries = {QStringLiteral("Before"), QStringLiteral("Faulty"), QStringLiteral("After")};
        const bool allOk =
            LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {true, true, true});

        QCOMPARE(entries, QStringList({QStringLiteral("Before ...OK"), QStringLiteral("Faulty") + mark,
                                       QStringLiteral("After ...OK")}));
        QCOMPARE(allOk, mark == LeagueDownload::OkMark);
        QCOMPARE(readFile(path(QStringLiteral("Before"))), m_fresh);
        QCOMPARE(readFile(path(QStringLiteral("After"))), m_fresh);
        const QByteArray expected = replaced ? m_fresh : (localExists ? m_old : QByteArray());
        QCOMPARE(readFile(path(QStringLiteral("Faulty"))), expected);
        QCOMPARE(QFile::exists(path(QStringLiteral("Faulty"))), localExists || replaced);
        // No temporary file or folder is left behind.
        QCOMPARE(QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 localExists || replaced ? 3 : 2);
    }

    // A local copy not older than the server's is not fetched; an older one is, and takes the server's date
    // so that the next run finds it up to date.
    void upToDateByServerDate()
    {
        TestHttpServer server;
        const QDateTime served = QDateTime::currentDateTimeUtc().addDays(-10).addMSecs(-123);
        server.setRoute(QStringLiteral("/data/Newer.mdb"), {m_fresh, served});
        server.setRoute(QStringLiteral("/data/Older.mdb"), {m_fresh, served});
        writeFile(path(QStringLiteral("Newer")), m_old, served.addDays(1));
        writeFile(path(QStringLiteral("Older")), m_old, served.addDays(-1));
        HttpFetch http;
        QStringList entries = {QStringLiteral("Newer"), QStringLiteral("Older")};
        QVERIFY(LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {true, true}));
        QCOMPARE(server.gets(QStringLiteral("/data/Newer.mdb")), 0);
        QCOMPARE(readFile(path(QStringLiteral("Newer"))), m_old);
        QCOMPARE(readFile(path(QStringLiteral("Older"))), m_fresh);
        QCOMPARE(server.gets(QStringLiteral("/data/Older.mdb")), 1);

        QVERIFY(LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {true, true}));
        QCOMPARE(server.gets(QStringLiteral("/data/Older.mdb")), 1);
    }

    // Running twice: each entry ticked in the second run has exactly that run's mark, unticked ones none,
    // and names (with spaces, "#", an empty one) keep their text.  An empty name asks for nothing: it
    // would make the hidden file ".mdb".
    void marksOfRepeatedRuns()
    {
        TestHttpServer server;
        server.setRoute(QStringLiteral("/data/Serie A #1.mdb"), {m_fresh});
        server.setRoute(QStringLiteral("/data/.mdb"), {m_fresh});
        HttpFetch http;
        QStringList entries = {QStringLiteral("Serie A #1"), QStringLiteral("Missing League"), QString()};
        QVERIFY(!LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {true, true, true}));
        QCOMPARE(entries,
                 QStringList({QStringLiteral("Serie A #1 ...OK"), QStringLiteral("Missing League ...Fail"),
                              QStringLiteral(" ...Fail")}));
        QCOMPARE(readFile(path(QStringLiteral("Serie A #1"))), m_fresh);
        QVERIFY(!QFile::exists(path(QString())));
        QCOMPARE(server.gets(QStringLiteral("/data/.mdb")), 0);

        server.setRoute(QStringLiteral("/data/Missing League.mdb"), {m_fresh});
        QVERIFY(
            LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {false, true, false}));
        QCOMPARE(entries, QStringList({QStringLiteral("Serie A #1"), QStringLiteral("Missing League ...OK"),
                                       QString()}));
    }

    // A list name that would leave the download folder is refused before any request.
    void namesStayInTheFolder()
    {
        TestHttpServer server;
        server.setRoute(QStringLiteral("/data/../escape.mdb"), {m_fresh});
        HttpFetch http;
        QStringList entries = {QStringLiteral("../escape"), QStringLiteral("sub/escape"),
                               QStringLiteral("..")};
        QVERIFY(!LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {true, true, true}));
        for (const QString &e : entries)
            QVERIFY(e.endsWith(LeagueDownload::FailMark));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("escape.mdb"))));
        QVERIFY(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // Cancel during a file abandons it (the local file as it was, its entry bare) and touches no later entry.
    void cancelStopsTheRun()
    {
        TestHttpServer server;
        server.setRoute(QStringLiteral("/data/First.mdb"), {m_fresh});
        server.setRoute(QStringLiteral("/data/Slow.mdb"),
                        {m_fresh, QDateTime::currentDateTimeUtc(), Fault::SlowBody});
        server.setRoute(QStringLiteral("/data/Last.mdb"), {m_fresh});
        writeFile(path(QStringLiteral("Slow")), m_old, QDateTime::currentDateTimeUtc().addDays(-30));
        HttpFetch http;
        std::atomic<bool> cancel = false;
        LeagueDownload::RunCallbacks callbacks;
        int blocks = 0;
        callbacks.progress = [&](qint64, qint64) {
            if (++blocks == 2)
                cancel = true;
        };
        callbacks.starting = [&](int i) { blocks = i == 1 ? 0 : -1000; };
        QStringList entries = {QStringLiteral("First"), QStringLiteral("Slow"), QStringLiteral("Last")};
        LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {true, true, true}, callbacks,
                                     &cancel);
        QCOMPARE(entries, QStringList({QStringLiteral("First ...OK"), QStringLiteral("Slow"),
                                       QStringLiteral("Last")}));
        QCOMPARE(readFile(path(QStringLiteral("Slow"))), m_old);
        QVERIFY(!QFile::exists(path(QStringLiteral("Last"))));
        QCOMPARE(server.gets(QStringLiteral("/data/Last.mdb")), 0);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    // The list: lines exactly as written; a failed or HTML list keeps the stored one.
    void leagueList()
    {
        TestHttpServer server;
        const QString stored = m_dir.filePath(QStringLiteral("program/data/leagues.txt"));
        server.setRoute(QStringLiteral("/data/leagues.txt"), {QByteArray("E0\r\n Serie A \r\n\r\nLast")});
        HttpFetch http;
        const LeagueDownload::LeagueList list = LeagueDownload::fetchList(http, server.baseUrl(), stored);
        QCOMPARE(list.names,
                 QStringList({QStringLiteral("E0"), QStringLiteral(" Serie A "), QStringLiteral("Last")}));
        QCOMPARE(list.skipped.size(), 1); // the empty line
        const QByteArray kept = readFile(stored);
        QCOMPARE(kept, QByteArray("E0\r\n Serie A \r\n\r\nLast"));
        for (Fault f : {Fault::HtmlPage, Fault::NotFound, Fault::ShortBody}) {
            server.setRoute(QStringLiteral("/data/leagues.txt"), {QByteArray("Other\n"), {}, f});
            QVERIFY_THROWS_EXCEPTION(QuorvaneError,
                                     LeagueDownload::fetchList(http, server.baseUrl(), stored));
            QCOMPARE(readFile(stored), kept);
        }
        QCOMPARE(LeagueDownload::listLines("A\nB\n"),
                 QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    }

    void baseAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("league");
        QTest::newRow("no slash") << "http://h.example/files"
                                  << "http://h.example/files/data/E%200.mdb";
        QTest::newRow("slash") << "https://h.example/"
                               << "https://h.example/data/E%200.mdb";
        QTest::newRow("no scheme") << "h.example/files"
                                   << "";
        QTest::newRow("ftp") << "ftp://h.example/"
                             << "";
    }
    void baseAddresses()
    {
        QFETCH(QString, text);
        QFETCH(QString, league);
        const QUrl base = LeagueDownload::baseUrl(text);
        QCOMPARE(base.isValid()
                     ? QString::fromLatin1(LeagueDownload::leagueUrl(base, QStringLiteral("E 0")).toEncoded())
                     : QString(),
                 league);
    }

    // publish lists the league files of DIR/data and nothing else; the list then serves a whole download.
    void publishThenDownload()
    {
        const QString site = m_dir.filePath(QStringLiteral("site"));
        QVERIFY(QDir().mkpath(site + QStringLiteral("/data")));
        writeFile(site + QStringLiteral("/data/Zeta.mdb"), m_fresh);
        writeFile(site + QStringLiteral("/data/Alpha One.mdb"), m_old);
        writeFile(site + QStringLiteral("/data/notes.mdb"), "not a league");
        writeFile(site + QStringLiteral("/data/Tab\there.mdb"), m_fresh); // a name no client takes
        const LeagueDownload::PublishOutcome o = LeagueDownload::publish(site);
        QCOMPARE(o.listed, QStringList({QStringLiteral("Alpha One"), QStringLiteral("Zeta")}));
        QCOMPARE(o.skipped.size(), 2);
        QVERIFY2(
            o.skipped.contains(QStringLiteral("Tab\\there.mdb: it holds the unprintable character U+0009")),
            qPrintable(o.skipped.join(QLatin1Char('|'))));
        QCOMPARE(readFile(site + QStringLiteral("/data/leagues.txt")), QByteArray("Alpha One\r\nZeta\r\n"));
        const CliRun published = runCli(quorvaneCli(), {QStringLiteral("publish"), site});
        QCOMPARE(published.exitCode, 0);
        QVERIFY(published.out.startsWith("2 leagues listed"));
        QVERIFY(published.err.contains(QLatin1String("notes.mdb")));
        QVERIFY_THROWS_EXCEPTION(QuorvaneError,
                                 LeagueDownload::publish(m_dir.filePath(QStringLiteral("none"))));

        TestHttpServer server;
        for (const QString &file :
             {QStringLiteral("leagues.txt"), QStringLiteral("Zeta.mdb"), QStringLiteral("Alpha One.mdb")})
            server.setRoute(QStringLiteral("/data/") + file,
                            {readFile(site + QStringLiteral("/data/") + file)});
        const CliRun r = runCli(quorvaneCli(), {QStringLiteral("download"), QStringLiteral("--server"),
                                                server.baseUrl().toString(), QStringLiteral("--to"), m_folder,
                                                QStringLiteral("--all")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("Alpha One ...OK\nZeta ...OK\n"));
        QCOMPARE(readFile(path(QStringLiteral("Alpha One"))), m_old);
    }

    // A server of Access league files: each is converted on its way in and marked so; an Access database
    // that holds no league fails with the reason and leaves the local file as it was.  The converted file
    // takes the server's date, so the next run finds it up to date.
    void accessLeagueFilesAreConverted()
    {
        const QByteArray access = accessLeagueBytes(m_built, "Acc Home", "Acc Away");
        QVERIFY(access.startsWith(QByteArray("\x00\x01\x00\x00Standard Jet DB", 19)));
        const QString other = m_dir.filePath(QStringLiteral("other.mdb"));
        QCOMPARE(JetWriter::write(other, {{QStringLiteral("Things"),
                                           {{QStringLiteral("Name"), JetWriter::Type::Text, 20}},
                                           {{QStringLiteral("one")}}}}),
                 QString());
        TestHttpServer server;
        const QDateTime served = QDateTime::currentDateTimeUtc().addDays(-3);
        server.setRoute(QStringLiteral("/data/Access League.mdb"), {access, served});
        server.setRoute(QStringLiteral("/data/No League.mdb"), {readFile(other), served});
        server.setRoute(QStringLiteral("/data/Plain.mdb"), {m_fresh, served});
        writeFile(path(QStringLiteral("No League")), m_old, served.addDays(-30));

        HttpFetch http;
        QStringList entries = {QStringLiteral("Access League"), QStringLiteral("No League"),
                               QStringLiteral("Plain")};
        QStringList reasons;
        LeagueDownload::RunCallbacks callbacks;
        callbacks.finished = [&](int, const LeagueDownload::FileOutcome &o) { reasons << o.reason; };
        QVERIFY(!LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {true, true, true},
                                              callbacks));
        QCOMPARE(entries, QStringList({QStringLiteral("Access League ...OK (converted from Access)"),
                                       QStringLiteral("No League ...Fail"), QStringLiteral("Plain ...OK")}));
        QVERIFY2(reasons.value(1).contains(QLatin1String("it has no table League")),
                 qPrintable(reasons.value(1)));
        QString why;
        QVERIFY2(LeagueDownload::isLeagueFile(path(QStringLiteral("Access League")), &why), qPrintable(why));
        QVERIFY(!AccessConversion::isAccessFile(path(QStringLiteral("Access League"))));
        QCOMPARE(teamsOf(path(QStringLiteral("Access League"))),
                 QStringList({QStringLiteral("Acc Home"), QStringLiteral("Acc Away")}));
        QCOMPARE(storedMatches(path(QStringLiteral("Access League"))), 1);
        QCOMPARE(readFile(path(QStringLiteral("No League"))), m_old);
        // Nothing of the conversion is left in the folder: no temporary file, no work folder.
        QCOMPARE(QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);

        entries = {QStringLiteral("Access League")};
        QVERIFY(LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {true}));
        QCOMPARE(entries, QStringList{QStringLiteral("Access League ...OK")});
        QCOMPARE(server.gets(QStringLiteral("/data/Access League.mdb")), 1);

        // The command line reports the conversion too; publish lists an Access league file.
        QFile::remove(path(QStringLiteral("Access League")));
        const CliRun r = runCli(quorvaneCli(), {QStringLiteral("download"), QStringLiteral("--server"),
                                                server.baseUrl().toString(), QStringLiteral("--to"), m_folder,
                                                QStringLiteral("Access League")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("Access League ...OK (converted from Access)\n"));
        const QString site = m_dir.filePath(QStringLiteral("access-site"));
        QVERIFY(QDir().mkpath(site + QStringLiteral("/data")));
        writeFile(site + QStringLiteral("/data/Access League.mdb"), access);
        writeFile(site + QStringLiteral("/data/No League.mdb"), readFile(other));
        const LeagueDownload::PublishOutcome published = LeagueDownload::publish(site);
        QCOMPARE(published.listed, QStringList{QStringLiteral("Access League")});
        QCOMPARE(published.skipped.size(), 1);
    }

    // The command line prints every mark and exits 1 when a file failed.
    void cliDownloadReportsFailures()
    {
        TestHttpServer server;
        server.setRoute(QStringLiteral("/data/Good.mdb"), {m_fresh});
        server.setRoute(QStringLiteral("/data/Bad.mdb"), {m_fresh, {}, Fault::HtmlPage});
        const CliRun r = runCli(quorvaneCli(), {QStringLiteral("download"), QStringLiteral("--server"),
                                                server.baseUrl().toString(), QStringLiteral("--to"), m_folder,
                                                QStringLiteral("Bad"), QStringLiteral("Good")});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QByteArray("Bad ...Fail\nGood ...OK\n"));
        QVERIFY(r.err.contains(QLatin1String("no league file")));
        QVERIFY(!QFile::exists(path(QStringLiteral("Bad"))));
    }

    void seasonAddresses_data()
    {
        QTest::addColumn<QString>("season");
        QTest::addColumn<QString>("url");
        QTest::newRow("2023-2024") << "2023-2024"
                                   << "https://s.example/mmz4281/2324/E0.csv";
        QTest::newRow("1999/00") << "1999/00"
                                 << "https://s.example/mmz4281/9900/E0.csv";
        QTest::newRow("2009") << "2009"
                              << "https://s.example/mmz4281/0910/E0.csv";
        QTest::newRow("years apart") << "2023-2025"
                                     << "";
        QTest::newRow("the first season of league history") << "1888-1889"
                                                            << "https://s.example/mmz4281/8889/E0.csv";
        QTest::newRow("the last season") << "2099-2100"
                                         << "https://s.example/mmz4281/9900/E0.csv";
        QTest::newRow("before the first year") << "1849-1850"
                                               << "";
        QTest::newRow("ending after the last year") << "2100-2101"
                                                    << "";
        QTest::newRow("words") << "last season"
                               << "";
    }
    void seasonAddresses()
    {
        QFETCH(QString, season);
        QFETCH(QString, url);
        const int first = SeasonDownload::seasonFirstYear(season);
        const QUrl base = LeagueDownload::baseUrl(QStringLiteral("https://s.example"));
        QCOMPARE(first ? SeasonDownload::seasonUrl(base, QStringLiteral("E0"), first).toString() : QString(),
                 url);
    }

    // fetch-season: a season file enters a new league file and again changes nothing; a page that is no
    // season file, or a cut-off one, is refused and the league stays byte for byte as it was.
    void fetchSeasonFromTheCommandLine()
    {
        TestHttpServer server;
        server.setRoute(
            QStringLiteral("/mmz4281/2324/E0.csv"),
            {season({"E0,12/08/23,Arsenal,Forest,2,1,1.2,6,13", "E0,13/08/23,Brentford,Spurs,2,2,3,3.5,2.2",
                     "E0,19/08/23,Spurs,United,2,0,2.4,3.6,2.9"})});
        server.setRoute(QStringLiteral("/mmz4281/2425/E0.csv"), {QByteArray("x"), {}, Fault::HtmlPage});
        server.setRoute(QStringLiteral("/mmz4281/2526/E0.csv"),
                        {season({"E0,12/08/25,Arsenal,Forest,2,1,1.2,6,13"}), {}, Fault::ShortBody});
        const QString league = m_dir.filePath(QStringLiteral("E0.qvl"));
        auto fetch = [&](const QString &seasonText) {
            return runCli(quorvaneCli(), {QStringLiteral("fetch-season"), league, QStringLiteral("--div"),
                                          QStringLiteral("E0"), QStringLiteral("--season"), seasonText,
                                          QStringLiteral("--server"), server.baseUrl().toString()});
        };
        CliRun r = fetch(QStringLiteral("2023-2024"));
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("E0 2023-2024: 3 matches added, 0 updated, 0 unchanged; 5 new teams.\n"));
        QCOMPARE(storedMatches(league), 3);
        r = fetch(QStringLiteral("2023-2024"));
        QCOMPARE(r.out, QByteArray("E0 2023-2024: 0 matches added, 0 updated, 3 unchanged; 0 new teams.\n"));

        const QByteArray before = readFile(league);
        for (const QString &refused :
             {QStringLiteral("2024-2025"), QStringLiteral("2025-2026"), QStringLiteral("2026-2027")}) {
            r = fetch(refused);
            QCOMPARE(r.exitCode, 1);
            QCOMPARE(readFile(league), before);
        }
        QVERIFY(fetch(QStringLiteral("2024-2025")).err.contains(QLatin1String("is not a season file")));

        // No league is left behind for a season that never came.
        const QString none = m_dir.filePath(QStringLiteral("none.qvl"));
        r = runCli(quorvaneCli(),
                   {QStringLiteral("fetch-season"), none, QStringLiteral("--div"), QStringLiteral("E0"),
                    QStringLiteral("--season"), QStringLiteral("2024-2025"), QStringLiteral("--server"),
                    server.baseUrl().toString()});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!QFile::exists(none));

        // Nor one half-made when the league fails as it is made: a file name too long to be the new
        // league's first name.
        const auto everything = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
        const QStringList entriesBefore = QDir(m_dir.path()).entryList(everything);
        const QString tooLong =
            m_dir.filePath(QStringLiteral("A league name far too long for its column.qvl"));
        r = runCli(quorvaneCli(),
                   {QStringLiteral("fetch-season"), tooLong, QStringLiteral("--div"), QStringLiteral("E0"),
                    QStringLiteral("--season"), QStringLiteral("2023-2024"), QStringLiteral("--server"),
                    server.baseUrl().toString()});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QLatin1String("too long for the column League")), qPrintable(r.err));
        QVERIFY(!QFile::exists(tooLong));
        QCOMPARE(QDir(m_dir.path()).entryList(everything), entriesBefore);
    }

    // A list far larger than any list of leagues is refused at 1 MB, whether the server announces its
    // length or not: the transfer stops, and nothing of the one giant "name" is printed.
    void cliRefusesAHugeList_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("with a length") << int(Fault::Huge);
        QTest::newRow("without a length") << int(Fault::HugeNoLength);
    }
    void cliRefusesAHugeList()
    {
        QFETCH(int, fault);
        TestHttpServer server;
        TestHttpServer::Route huge{{}, QDateTime::currentDateTimeUtc(), Fault(fault)};
        huge.size = qint64(64) << 20;
        server.setRoute(QStringLiteral("/data/leagues.txt"), huge);
        const CliRun r = runCli(quorvaneCli(), {QStringLiteral("download"), QStringLiteral("--server"),
                                                server.baseUrl().toString(), QStringLiteral("--to"), m_folder,
                                                QStringLiteral("--all")});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QByteArray());
        QVERIFY2(r.err.contains(QLatin1String("The league list is larger than 1 MB.")), qPrintable(r.err));
        QVERIFY2(r.err.size() < 300, qPrintable(r.err.left(300)));
        QVERIFY(server.sent(QStringLiteral("/data/leagues.txt")) < huge.size);
        QVERIFY(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // Names from a hostile list: only printable ones become files; the others are skipped with a warning
    // that shows them escaped, and nothing the terminal would act on reaches stdout or stderr.
    void cliPrintsServerTextsEscaped()
    {
        const QStringList hostile = {QStringLiteral("\x1b[31mRed"), QStringLiteral("Tab\there"),
                                     QStringLiteral("CR\rhere"),    QStringLiteral("\u202eevil"),
                                     QStringLiteral("\ufeffBOM"),   QString(),
                                     QStringLiteral(".hidden"),     QStringLiteral("Good League")};
        TestHttpServer server;
        QByteArray list;
        for (const QString &name : hostile) {
            list += name.toUtf8() + "\n";
            server.setRoute(QStringLiteral("/data/") + name + QStringLiteral(".mdb"), {m_fresh});
        }
        server.setRoute(QStringLiteral("/data/leagues.txt"), {list});
        const CliRun r = runCli(quorvaneCli(), {QStringLiteral("download"), QStringLiteral("--server"),
                                                server.baseUrl().toString(), QStringLiteral("--to"), m_folder,
                                                QStringLiteral("--all")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("Good League ...OK\n"));
        for (const char *shown :
             {"\\x1b[31mRed", "Tab\\there", "CR\\rhere", "\\u202eevil", "\\ufeffBOM", "\"\"", "\".hidden\""})
            QVERIFY2(r.err.contains(QLatin1String(shown)), shown);
        QVERIFY2(!holdsRawControls(r.err), qPrintable(r.err));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Good League.mdb")});
        for (const QString &name : hostile)
            QCOMPARE(server.gets(QStringLiteral("/data/") + name + QStringLiteral(".mdb")),
                     name == QLatin1String("Good League") ? 1 : 0);

        // A name typed on the command line is printed escaped too.
        const CliRun typed = runCli(quorvaneCli(), {QStringLiteral("download"), QStringLiteral("--server"),
                                                    server.baseUrl().toString(), QStringLiteral("--to"),
                                                    m_folder, QStringLiteral("\x1b[2JWipe")});
        QCOMPARE(typed.exitCode, 1);
        QCOMPARE(typed.out, QByteArray("\\x1b[2JWipe ...Fail\n"));
        QVERIFY2(!holdsRawControls(typed.err), qPrintable(typed.err));
    }

    // Downloaded files (league files and the stored list) take the mode the user's umask gives a new
    // file, as every other program's files do.
    void downloadedFilesTakeTheUsualMode_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<QString>("mode");
        QTest::newRow("022") << 022 << "644";
        QTest::newRow("027") << 027 << "640";
        QTest::newRow("077") << 077 << "600";
    }
    void downloadedFilesTakeTheUsualMode()
    {
        QFETCH(int, mask);
        QFETCH(QString, mode);
        const UmaskGuard umask(static_cast<mode_t>(mask));
        TestHttpServer server;
        server.setRoute(QStringLiteral("/data/leagues.txt"), {QByteArray("Fresh\n")});
        server.setRoute(QStringLiteral("/data/Fresh.mdb"), {m_fresh});
        writeFile(path(QStringLiteral("Old")), m_old, QDateTime::currentDateTimeUtc().addDays(-30));
        server.setRoute(QStringLiteral("/data/Old.mdb"), {m_fresh});
        HttpFetch http;
        const QString list = m_dir.filePath(QStringLiteral("program/data/leagues.txt"));
        LeagueDownload::fetchList(http, server.baseUrl(), list);
        QStringList entries = {QStringLiteral("Fresh"), QStringLiteral("Old")};
        QVERIFY(LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {true, true}));
        QCOMPARE(readFile(path(QStringLiteral("Old"))), m_fresh);
        QCOMPARE(modeOf(list), mode);
        QCOMPARE(modeOf(path(QStringLiteral("Fresh"))), mode);
        QCOMPARE(modeOf(path(QStringLiteral("Old"))), mode);
    }

    // Only names that may be file names come out of the list; a byte-order mark that starts the list is
    // its encoding, not part of the first name; the warning shows each skipped name escaped and cut short,
    // and a list of many stops after ten.
    void listSkipsUnacceptableNames()
    {
        TestHttpServer server;
        const QString stored = m_dir.filePath(QStringLiteral("program/data/leagues.txt"));
        const QByteArray bom = "\xef\xbb\xbf";
        server.setRoute(
            QStringLiteral("/data/leagues.txt"),
            {bom + "First\n\x1b[31mRed\n" + bom + "BOM\n\n.hidden\n" + QByteArray(5000, 'x') + "\nLast\n"});
        HttpFetch http;
        const LeagueDownload::LeagueList list = LeagueDownload::fetchList(http, server.baseUrl(), stored);
        QCOMPARE(list.names, QStringList({QStringLiteral("First"), QStringLiteral("Last")}));
        QCOMPARE(
            LeagueDownload::skippedText(list.skipped),
            QStringLiteral("Skipped the league name \"\\x1b[31mRed\": it holds the unprintable character "
                           "U+001B.\n"
                           "Skipped the league name \"\\ufeffBOM\": it holds the unprintable character "
                           "U+FEFF.\n"
                           "Skipped the league name \"\": it is empty.\n"
                           "Skipped the league name \".hidden\": it starts with a dot.\n"
                           "Skipped the league name \"") +
                QString(60, QLatin1Char('x')) +
                QStringLiteral("\u2026\": it is longer than 100 characters."));

        QByteArray many;
        for (int i = 0; i < 25; ++i)
            many += "\t" + QByteArray::number(i) + "\n";
        server.setRoute(QStringLiteral("/data/leagues.txt"), {many});
        const QStringList lines =
            LeagueDownload::skippedText(LeagueDownload::fetchList(http, server.baseUrl(), stored).skipped)
                .split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.last(), QStringLiteral("Skipped 15 more league names."));
    }

    // A body past its limit is refused, by its Content-Length before anything is written, else as soon as
    // it grows past the limit; the transfer stops, the local file stays as it was and nothing is left.
    void refusedPastTheLimit_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("fault");
        using Kind = DownloadLimits::Kind;
        QTest::newRow("list with a length") << int(Kind::LeagueList) << int(Fault::Huge);
        QTest::newRow("list without a length") << int(Kind::LeagueList) << int(Fault::HugeNoLength);
        QTest::newRow("league file with a length") << int(Kind::LeagueFile) << int(Fault::Huge);
        QTest::newRow("league file without a length") << int(Kind::LeagueFile) << int(Fault::HugeNoLength);
        QTest::newRow("season with a length") << int(Kind::Season) << int(Fault::Huge);
        QTest::newRow("season without a length") << int(Kind::Season) << int(Fault::HugeNoLength);
    }
    void refusedPastTheLimit()
    {
        QFETCH(int, kind);
        QFETCH(int, fault);
        constexpr qint64 Limit = 64 * 1024;
        const DownloadLimits::TestOverride lowered(DownloadLimits::Kind(kind), Limit, 60000);
        TestHttpServer server;
        TestHttpServer::Route huge{{}, QDateTime::currentDateTimeUtc(), Fault(fault)};
        huge.size = qint64(64) << 20;
        qint64 written = 0;
        const auto block = [&written](qint64 received, qint64) {
            written = received;
            return true;
        };
        const QString expected =
            DownloadLimits::tooLargeText(DownloadLimits::limit(DownloadLimits::Kind(kind)));
        QVERIFY(expected.endsWith(QLatin1String(" is larger than 64 KB.")));
        const QString stored = m_dir.filePath(QStringLiteral("program/data/leagues.txt"));
        QVERIFY(QDir().mkpath(QFileInfo(stored).path()));
        writeFile(stored, "Kept\n");
        writeFile(path(QStringLiteral("Huge")), m_old, QDateTime::currentDateTimeUtc().addDays(-30));
        HttpFetch http;
        QString reason;
        QString served;
        switch (DownloadLimits::Kind(kind)) {
        case DownloadLimits::Kind::LeagueList:
            served = QStringLiteral("/data/leagues.txt");
            server.setRoute(served, huge);
            try {
                LeagueDownload::fetchList(http, server.baseUrl(), stored);
            } catch (const QuorvaneError &e) {
                reason = e.message();
            }
            break;
        case DownloadLimits::Kind::LeagueFile:
            served = QStringLiteral("/data/Huge.mdb");
            server.setRoute(served, huge);
            reason = LeagueDownload::fetchLeagueFile(http, server.baseUrl(), QStringLiteral("Huge"), m_folder,
                                                     block)
                         .reason;
            break;
        case DownloadLimits::Kind::Season:
            served = QStringLiteral("/mmz4281/2324/E0.csv");
            server.setRoute(served, huge);
            try {
                SeasonDownload::fetchSeason(http, server.baseUrl(), QStringLiteral("E0"), 2023,
                                            QStringLiteral("best"), block);
            } catch (const QuorvaneError &e) {
                reason = e.message();
            }
            break;
        }
        QVERIFY2(reason.endsWith(expected), qPrintable(reason));
        QVERIFY(written <= Limit);
        if (Fault(fault) == Fault::Huge)
            QCOMPARE(written, 0);
        QVERIFY(server.sent(served) < huge.size);
        QCOMPARE(readFile(stored), QByteArray("Kept\n"));
        QCOMPARE(readFile(path(QStringLiteral("Huge"))), m_old);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Huge.mdb")});
        QCOMPARE(QDir(QFileInfo(stored).path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("leagues.txt")});
    }

    // A list of exactly its limit comes, with its length or without; one byte more does not.
    void listAtItsLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("comes");
        QTest::newRow("the limit, with a length") << 4096 << int(Fault::None) << true;
        QTest::newRow("the limit, without a length") << 4096 << int(Fault::NoLength) << true;
        QTest::newRow("a byte more, with a length") << 4097 << int(Fault::None) << false;
        QTest::newRow("a byte more, without a length") << 4097 << int(Fault::NoLength) << false;
    }
    void listAtItsLimit()
    {
        QFETCH(int, size);
        QFETCH(int, fault);
        QFETCH(bool, comes);
        const DownloadLimits::TestOverride lowered(DownloadLimits::Kind::LeagueList, 4096, 60000);
        QByteArray list;
        for (int i = 0; list.size() < size; ++i)
            list += "League " + QByteArray::number(i) + "\n";
        list.truncate(size - 1);
        list += "\n";
        TestHttpServer server;
        server.setRoute(QStringLiteral("/data/leagues.txt"),
                        {list, QDateTime::currentDateTimeUtc(), Fault(fault)});
        HttpFetch http;
        const QString stored = m_dir.filePath(QStringLiteral("limit/leagues.txt"));
        QFile::remove(stored); // an earlier row's
        QString reason;
        try {
            QVERIFY(!LeagueDownload::fetchList(http, server.baseUrl(), stored).names.isEmpty());
        } catch (const QuorvaneError &e) {
            reason = e.message();
        }
        QCOMPARE(reason, comes ? QString() : QStringLiteral("The league list is larger than 4 KB."));
        QCOMPARE(readFile(stored), comes ? list : QByteArray());
    }

    // A server that sends a byte every few seconds is never silent for as long as the idle timeout, but
    // the file's deadline ends it: HEAD and GET together, a trickle of headers as of a body.
    void slowServersMeetTheDeadline_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("fault");
        using Kind = DownloadLimits::Kind;
        QTest::newRow("list, body trickles") << int(Kind::LeagueList) << int(Fault::Trickle);
        QTest::newRow("list, headers trickle") << int(Kind::LeagueList) << int(Fault::TrickleAll);
        QTest::newRow("league file, body trickles") << int(Kind::LeagueFile) << int(Fault::Trickle);
        QTest::newRow("league file, headers trickle") << int(Kind::LeagueFile) << int(Fault::TrickleAll);
        QTest::newRow("season, body trickles") << int(Kind::Season) << int(Fault::Trickle);
    }
    void slowServersMeetTheDeadline()
    {
        QFETCH(int, kind);
        QFETCH(int, fault);
        const DownloadLimits::TestOverride lowered(DownloadLimits::Kind(kind), qint64(1) << 30, 1000);
        TestHttpServer::Route slow{m_fresh, QDateTime::currentDateTimeUtc(), Fault(fault)};
        slow.pauseMs = 2000; // shorter than the idle timeout below
        TestHttpServer server;
        HttpFetch http(30000);
        const QString stored = m_dir.filePath(QStringLiteral("program/data/leagues.txt"));
        QVERIFY(QDir().mkpath(QFileInfo(stored).path()));
        writeFile(stored, "Kept\n");
        writeFile(path(QStringLiteral("Slow")), m_old, QDateTime::currentDateTimeUtc().addDays(-30));
        QString reason;
        switch (DownloadLimits::Kind(kind)) {
        case DownloadLimits::Kind::LeagueList:
            server.setRoute(QStringLiteral("/data/leagues.txt"), slow);
            try {
                LeagueDownload::fetchList(http, server.baseUrl(), stored);
            } catch (const QuorvaneError &e) {
                reason = e.message();
            }
            break;
        case DownloadLimits::Kind::LeagueFile: {
            server.setRoute(QStringLiteral("/data/Slow.mdb"), slow);
            QStringList entries{QStringLiteral("Slow")};
            LeagueDownload::RunCallbacks callbacks;
            callbacks.finished = [&reason](int, const LeagueDownload::FileOutcome &o) { reason = o.reason; };
            QVERIFY(
                !LeagueDownload::runDownloads(http, server.baseUrl(), m_folder, entries, {true}, callbacks));
            QCOMPARE(entries, QStringList{QStringLiteral("Slow ...Fail")});
            break;
        }
        case DownloadLimits::Kind::Season:
            server.setRoute(QStringLiteral("/mmz4281/2324/E0.csv"), slow);
            try {
                SeasonDownload::fetchSeason(http, server.baseUrl(), QStringLiteral("E0"), 2023,
                                            QStringLiteral("best"));
            } catch (const QuorvaneError &e) {
                reason = e.message();
            }
            break;
        }
        QVERIFY2(reason.endsWith(QLatin1String("No answer within 1 s.")), qPrintable(reason));
        QCOMPARE(readFile(stored), QByteArray("Kept\n"));
        QCOMPARE(readFile(path(QStringLiteral("Slow"))), m_old);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Slow.mdb")});
    }
};

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"

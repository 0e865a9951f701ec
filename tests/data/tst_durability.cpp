// A league file survives a program killed in the middle of storing matches, and two programs share one
// league file without losing a match.  The test program runs itself again as the other program: with
// "--series" or "--hold" as its first argument it does that program's work instead of running the tests.

#include "data/Database.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "entry/MatchEntry.h"
#include "support/LeagueFixture.h"
#include "support/RecordingMessenger.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <cstdio>
#include <cstring>
#include <functional>

namespace
{

const QString kSport = QStringLiteral("Ice Hockey");

const QStringList &seriesTeams()
{
    static const QStringList teams = {
        QStringLiteral("Örebro"),     QStringLiteral("Brynäs"),     QStringLiteral("Luleå"),
        QStringLiteral("Frölunda"),   QStringLiteral("Djurgården"), QStringLiteral("Färjestad"),
        QStringLiteral("Skellefteå"), QStringLiteral("Växjö"),      QStringLiteral("Malmö"),
        QStringLiteral("Rögle"),      QStringLiteral("Oskarshamn"), QStringLiteral("Timrå")};
    return teams;
}

// Points that tell every kind of result apart, so a match counted the wrong way shows in the totals.
void setSeriesPoints(LeagueFixture &f)
{
    f.setLeague(QStringLiteral("PW"), 3);
    f.setLeague(QStringLiteral("PD"), 1);
    f.setLeague(QStringLiteral("PL"), 0);
    f.setLeague(QStringLiteral("PWO"), 2);
    f.setLeague(QStringLiteral("PDO"), 1);
    f.setLeague(QStringLiteral("PLO"), 1);
}

quint64 mix(quint64 x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Match number i of the series: always the same teams, scores, date and round for the same i.  Some
// are decided in overtime, some are fixtures without a score.
MatchEntryInput seriesMatch(int i)
{
    const quint64 h = mix(quint64(i));
    const QStringList &teams = seriesTeams();
    const int n = int(teams.size());
    const int home = int(h % quint64(n));
    const int away = (home + 1 + int((h >> 8) % quint64(n - 1))) % n;
    MatchEntryInput in;
    in.mode = MatchEntryMode::Add;
    in.teamEntries = teams;
    in.home = teams[home];
    in.away = teams[away];
    const bool fixture = (h >> 28) % 12 == 0;
    in.homeScore = fixture ? -1 : int((h >> 16) % 6);
    in.awayScore = fixture ? -1 : int((h >> 20) % 5);
    in.overtime = !fixture && (h >> 24) % 8 == 0;
    const QDate date = QDate(2005, 9, 1).addDays(i / 6);
    in.year = date.year();
    in.month = date.month();
    in.day = date.day();
    in.round = i / 6 + 1;
    in.underOver = QStringLiteral("5.5");
    return in;
}

int writeLine(const QByteArray &line)
{
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout);
}

// Child program: stores the series, one match per command, from where the file stands up to `count`
// matches, and reports every stored match on stdout.
int runSeries(const QString &path, int count)
{
    TDataMod dm;
    dm.openLeague(path);
    RecordingMessenger messenger;
    for (int i = dm.ADOTableResults.recordCount(); i < count; ++i) {
        if (!SaveMatch(dm, seriesMatch(i), messenger)) {
            std::fprintf(stderr, "match %d refused: %s\n", i,
                         qPrintable(messenger.texts().join(QLatin1Char('|'))));
            return 3;
        }
        writeLine(QByteArray::number(i + 1));
    }
    return 0;
}

// Child program: stores match `index` of the series inside a transaction that it keeps open for
// `holdMs` milliseconds; says "held" once the match is written but not yet committed.
int runHold(const QString &path, int index, int holdMs)
{
    TDataMod dm;
    dm.openLeague(path);
    RecordingMessenger messenger;
    Transaction tx(dm.ADOConnection);
    if (!SaveMatch(dm, seriesMatch(index), messenger))
        return 3;
    writeLine("held");
    QThread::msleep(static_cast<unsigned long>(holdMs));
    tx.commit();
    return 0;
}

int runChild(int argc, char **argv)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    try {
        const QString path = QString::fromLocal8Bit(argv[2]);
        if (std::strcmp(argv[1], "--series") == 0 && argc == 4)
            return runSeries(path, std::atoi(argv[3]));
        if (std::strcmp(argv[1], "--hold") == 0 && argc == 5)
            return runHold(path, std::atoi(argv[3]), std::atoi(argv[4]));
        std::fprintf(stderr, "bad child arguments\n");
        return 4;
    } catch (const QuorvaneError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 2;
    }
}

bool isChildRun(int argc, char **argv)
{
    return argc >= 2 && (std::strcmp(argv[1], "--series") == 0 || std::strcmp(argv[1], "--hold") == 0);
}

QString describe(const QVariant &v)
{
    return v.isNull() ? QStringLiteral("NULL") : v.toString();
}

// Values as the file or a dataset hold them: numbers compare as numbers, NULL only equals NULL.
bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    const bool numA = a.typeId() == QMetaType::Double || a.typeId() == QMetaType::LongLong;
    const bool numB = b.typeId() == QMetaType::Double || b.typeId() == QMetaType::LongLong;
    if (numA && numB)
        return a.toDouble() == b.toDouble();
    return a == b;
}

using Rows = QList<QVariantList>;

Rows selectRows(Database &db, const QString &sql, QStringList *columnNames = nullptr)
{
    Rows rows;
    Statement st = db.prepare(sql);
    if (columnNames) {
        columnNames->clear();
        for (int c = 0; c < st.columnCount(); ++c)
            *columnNames << st.columnName(c);
    }
    while (st.step()) {
        QVariantList row;
        for (int c = 0; c < st.columnCount(); ++c)
            row << st.value(c);
        rows << row;
    }
    return rows;
}

// The first difference between two tables of rows, or an empty text when they are equal.
QString firstDifference(const Rows &actual, const Rows &expected, const QStringList &columns)
{
    if (actual.size() != expected.size())
        return QStringLiteral("%1 rows, expected %2").arg(actual.size()).arg(expected.size());
    for (int r = 0; r < actual.size(); ++r)
        for (int c = 0; c < columns.size(); ++c)
            if (!sameValue(actual[r][c], expected[r][c]))
                return QStringLiteral("row %1 (%2), column %3: %4, expected %5")
                    .arg(r + 1)
                    .arg(describe(actual[r][1]), columns[c], describe(actual[r][c]),
                         describe(expected[r][c]));
    return QString();
}

Rows datasetRows(Dataset &ds)
{
    Rows rows;
    for (int r = 0; r < ds.recordCount(); ++r) {
        QVariantList row;
        for (int c = 0; c < ds.columnCount(); ++c)
            row << ds.valueAt(r, c);
        rows << row;
    }
    return rows;
}

const QString kTeamsSql = QStringLiteral("SELECT * FROM Teams ORDER BY rowid");

// Checks the open league `dm` against a league rebuilt from nothing: the same teams, the committed
// matches added one by one in entry order.  Every match's rating and points snapshot must be the
// rebuilt teams' state just before it, and the Teams rows must equal the rebuilt ones column by column.
// `entered(i)` is the match entered as number i.  Returns the number of stored matches.
int verifyAgainstRebuild(TDataMod &dm, const std::function<MatchEntryInput(int)> &entered = seriesMatch)
{
    Database &db = dm.ADOConnection;
    if (db.scalar(QStringLiteral("PRAGMA integrity_check")).toString() != QLatin1String("ok"))
        QTest::qFail("the file fails its integrity check", __FILE__, __LINE__);

    LeagueFixture rebuilt(kSport, seriesTeams());
    setSeriesPoints(rebuilt);
    TDataMod &rdm = rebuilt.dm();
    Table &rteams = rdm.ADOTableTeams;
    auto teamValue = [&rteams](const QString &team, const char *column) {
        if (!rteams.locate(QStringLiteral("Team"), {team}, Dataset::CaseInsensitive))
            return -1;
        return rteams.field(QString::fromLatin1(column)).asInteger();
    };

    const Rows results = selectRows(
        db, QStringLiteral(
                "SELECT ID, Home, Away, F, A, Result, DateP, Rnd, PtsH, PtsHT, TRH, TRHT, PtsA, PtsAT, "
                "TRA, TRAT FROM Results ORDER BY ID"));
    Transaction tx(rdm.ADOConnection);
    for (int i = 0; i < results.size(); ++i) {
        const QVariantList &r = results[i];
        const MatchEntryInput want = entered(i);
        const QString home = r[1].toString();
        const QString away = r[2].toString();
        const QString result = r[5].toString();
        // Entries are the series' first matches, in order, each complete.
        const bool asEntered =
            r[0].toInt() == i && home == want.home && away == want.away &&
            result == resultText(want.homeScore, want.awayScore, want.overtime) &&
            r[6].toString() == QDate(want.year, want.month, want.day).toString(Qt::ISODate) &&
            r[7].toInt() == want.round;
        if (!asEntered) {
            QTest::qFail(
                qPrintable(QStringLiteral("stored match %1 is not the match entered as number %1").arg(i)),
                __FILE__, __LINE__);
            return -1;
        }
        const int snapshot[8] = {teamValue(home, "HPts"), teamValue(home, "TPts"), teamValue(home, "TRH"),
                                 teamValue(home, "TRT"),  teamValue(away, "APts"), teamValue(away, "TPts"),
                                 teamValue(away, "TRA"),  teamValue(away, "TRT")};
        for (int k = 0; k < 8; ++k) {
            if (r[8 + k].toInt() != snapshot[k]) {
                QTest::qFail(
                    qPrintable(QStringLiteral("match %1: snapshot column %2 holds %3, the teams held %4")
                                   .arg(i)
                                   .arg(k + 1)
                                   .arg(r[8 + k].toInt())
                                   .arg(snapshot[k])),
                    __FILE__, __LINE__);
                return -1;
            }
        }
        if (result.size() > 1)
            rdm.ApplyResult(result.contains(QLatin1String("OT")), r[4].toInt(), r[3].toInt(), away, home);
    }
    tx.commit();

    QStringList columns;
    const Rows stored = selectRows(db, kTeamsSql, &columns);
    const Rows expected = selectRows(rdm.ADOConnection, kTeamsSql);
    const QString difference = firstDifference(stored, expected, columns);
    if (!difference.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("Teams differ from the rebuilt standings: ") + difference),
                     __FILE__, __LINE__);
        return -1;
    }
    return int(results.size());
}

// A run of this program as the other program, with its output read line by line.
class ChildRun
{
public:
    explicit ChildRun(const QStringList &arguments)
    {
        m_process.setProgram(QCoreApplication::applicationFilePath());
        m_process.setArguments(arguments);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start();
    }
    ~ChildRun()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    ChildRun(const ChildRun &) = delete;
    ChildRun &operator=(const ChildRun &) = delete;

    // The next line of output; empty when the child ended or stayed silent for `timeoutMs`.
    QByteArray readLine(int timeoutMs = 20000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!m_process.canReadLine()) {
            const int left = timeoutMs - int(clock.elapsed());
            if (left <= 0 || !m_process.waitForReadyRead(left))
                return QByteArray();
        }
        return m_process.readLine().trimmed();
    }
    QByteArray readAllOutput() { return m_process.readAllStandardOutput(); }
    void kill()
    {
        m_process.kill(); // SIGKILL: no handler, no cleanup, no flush
        m_process.waitForFinished();
    }
    bool finish(int timeoutMs = 60000) { return m_process.waitForFinished(timeoutMs); }
    bool exitedCleanly() const
    {
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }
    QString errorOutput() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }

private:
    QProcess m_process;
};

// The busy timeout new connections get, set for one test and put back afterwards.
class BusyTimeout
{
public:
    explicit BusyTimeout(int ms) { Database::setDefaultBusyTimeout(ms); }
    ~BusyTimeout() { Database::setDefaultBusyTimeout(5000); }
    BusyTimeout(const BusyTimeout &) = delete;
    BusyTimeout &operator=(const BusyTimeout &) = delete;
};

// A journal that a reader must play back: the killed program was committing and may have written part
// of the database file.  A journal whose header is still zero was killed before its commit began; the
// database file is untouched then and the engine leaves that journal alone.
bool hasHotJournal(const QString &path)
{
    QFile journal(path + QStringLiteral("-journal"));
    if (!journal.open(QIODevice::ReadOnly))
        return false;
    const QByteArray first = journal.read(1);
    return !first.isEmpty() && first[0] != 0;
}

} // namespace

class TestDurability : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void killedWhileStoring();
    void secondProgramWaits_data();
    void secondProgramWaits();
};

// A program storing matches one command at a time is killed at random points; after every kill the file
// opens, every match the program reported as stored is there (at most the one in flight besides), and the
// standings are exactly those of the stored matches.  Kills go on until at least one hit a commit half-way
// (a hot journal was left), so the roll-back on opening is exercised.
void TestDurability::killedWhileStoring()
{
    LeagueFixture f(kSport, seriesTeams());
    setSeriesPoints(f);
    f.dm().closeLeague();

    QRandomGenerator rng(20050901);
    const int minKills = 6;
    const int maxKills = 30;
    int kills = 0;
    int midCommitKills = 0;
    int stored = 0;
    while (kills < minKills || (midCommitKills == 0 && kills < maxKills)) {
        ChildRun child({QStringLiteral("--series"), f.path(), QStringLiteral("1000000")});
        // Let it store a random number of matches, then kill it a random moment later.
        const int target = stored + 1 + int(rng.bounded(12));
        int reported = stored;
        while (reported < target) {
            const QByteArray line = child.readLine();
            if (line.isEmpty())
                QFAIL(qPrintable(QStringLiteral("the storing program stopped: ") + child.errorOutput()));
            reported = line.toInt();
        }
        QThread::usleep(rng.bounded(15000u));
        child.kill();
        ++kills;
        for (const QByteArray &line : child.readAllOutput().split('\n'))
            if (!line.trimmed().isEmpty())
                reported = line.trimmed().toInt();
        if (hasHotJournal(f.path()))
            ++midCommitKills;

        f.dm().openLeague(f.path());
        QVERIFY2(!hasHotJournal(f.path()), "opening did not roll the interrupted commit back");
        const int now = verifyAgainstRebuild(f.dm());
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(
            now == reported || now == reported + 1,
            qPrintable(QStringLiteral("%1 matches in the file, %2 reported stored").arg(now).arg(reported)));
        QCOMPARE(f.dm().ADOTableResults.recordCount(), now);
        f.dm().closeLeague();
        stored = now;
    }
    QVERIFY2(midCommitKills > 0, "no kill landed inside a commit");

    // A last run, not killed, carries on from where the file stands and finishes the series.
    const int total = stored + 20;
    ChildRun last({QStringLiteral("--series"), f.path(), QString::number(total)});
    QVERIFY(last.finish());
    QVERIFY2(last.exitedCleanly(), qPrintable(last.errorOutput()));
    f.dm().openLeague(f.path());
    QCOMPARE(verifyAgainstRebuild(f.dm()), total);
}

void TestDurability::secondProgramWaits_data()
{
    QTest::addColumn<int>("busyTimeoutMs");
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<bool>("storedWhileHeld");
    QTest::newRow("waits for the other transaction") << 5000 << 800 << true;
    QTest::newRow("gives up after the busy timeout") << 150 << 1500 << false;
}

// Another program holds a write transaction with one match on the file while this one stores a second.
// Within the busy timeout this program waits and then stores its match on top of the other's: both matches
// and both standings updates are in the file, and this program's tables show the other's match.  When the
// wait runs out the match is refused with the engine's message, nothing is written, and storing it again
// afterwards works.
void TestDurability::secondProgramWaits()
{
    QFETCH(int, busyTimeoutMs);
    QFETCH(int, holdMs);
    QFETCH(bool, storedWhileHeld);

    const BusyTimeout timeout(busyTimeoutMs);
    LeagueFixture f(kSport, seriesTeams());
    setSeriesPoints(f);
    f.reopen(); // this program's tables are loaded now, before the other program writes
    TDataMod &dm = f.dm();
    // A return match of the other program's, so it builds on that match's standings and ratings.
    const MatchEntryInput theirs = seriesMatch(0);
    MatchEntryInput mine = seriesMatch(1);
    mine.home = theirs.away;
    mine.away = theirs.home;
    mine.homeScore = 1;
    mine.awayScore = 3;
    mine.overtime = false;
    const auto entered = [&](int i) { return i == 0 ? theirs : mine; };
    QVERIFY(theirs.homeScore >= 0 && theirs.awayScore >= 0);

    ChildRun other({QStringLiteral("--hold"), f.path(), QStringLiteral("0"), QString::number(holdMs)});
    QCOMPARE(other.readLine(), QByteArray("held"));

    if (storedWhileHeld) {
        QVERIFY(SaveMatch(dm, mine, f.messenger));
    } else {
        try {
            SaveMatch(dm, mine, f.messenger);
            QFAIL("stored while the other program held the file");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.message().contains(QLatin1String("locked")), qPrintable(e.message()));
        }
    }
    QVERIFY(other.finish());
    QVERIFY2(other.exitedCleanly(), qPrintable(other.errorOutput()));
    if (!storedWhileHeld) {
        QCOMPARE(dm.ADOConnection.scalar(QStringLiteral("SELECT count(*) FROM Results")).toInt(), 1);
        QVERIFY(SaveMatch(dm, mine, f.messenger));
    }
    QVERIFY(f.messenger.messages().isEmpty());

    // This program's tables and the file agree, and both equal the standings rebuilt from both matches.
    QStringList columns;
    const Rows inFile = selectRows(dm.ADOConnection, kTeamsSql, &columns);
    QCOMPARE(firstDifference(datasetRows(dm.ADOTableTeams), inFile, columns), QString());
    QCOMPARE(dm.ADOTableResults.recordCount(), 2);
    QCOMPARE(verifyAgainstRebuild(dm, entered), 2);
    QCOMPARE(f.team(mine.home, QStringLiteral("TP")), 2);
    QCOMPARE(f.team(mine.away, QStringLiteral("TP")), 2);
}

int main(int argc, char **argv)
{
    if (isChildRun(argc, argv))
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestDurability test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_durability.moc"

#include "app/LeagueFiles.h"
#include "data/Errors.h"
#include "data/LeagueSettings.h"
#include "entry/ConvertLeague.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{

using Answer = Messenger::Answer;

const QString InUse = QStringLiteral("Warning: Can not create file. File is still in use.");
const QString OpenError = QStringLiteral("Error: Error opening league file.");
const QString AskYesNo = QStringLiteral("Question YesNo [Overwrite]: File already exists. Overwrite?");
const QString AskYesNoCancel =
    QStringLiteral("Question YesNoCancel [Overwrite]: File already exists. Overwrite?");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Makes the file refuse every change to a table's rows, as a database refuses a write it cannot do.
void refuseUpdates(const QString &path, const QString &table)
{
    Database db;
    db.open(path);
    db.execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, "
                              "'the change was refused'); END")
                   .arg(table));
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Everything in a folder, hidden entries too: a left-over temporary file shows here.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QString absolute(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

void createLeague(const QString &path, const QStringList &teams)
{
    TDataMod dm;
    CreateLeagueFile(dm.ADOConnection, dm.ADOTableLeague, path);
    dm.OpenLeagueTables();
    int pos = 0;
    for (const QString &t : teams)
        dm.ADOTableTeams.appendRecord(newTeamValues(t, ++pos));
}

QVariantList column(Database &db, const QString &sql)
{
    QVariantList out;
    Statement st = db.prepare(sql);
    while (st.step())
        out << st.value(0);
    return out;
}

QStringList teamNames(Table &teams)
{
    QStringList out;
    for (teams.first(); !teams.eof(); teams.next())
        out << teams.field(QStringLiteral("Team")).asString();
    return out;
}

QStringList teamsInFile(const QString &path)
{
    Database db;
    db.open(path);
    QStringList out;
    for (const QVariant &v : column(db, QStringLiteral("SELECT Team FROM Teams ORDER BY rowid")))
        out << v.toString();
    return out;
}

int rowCount(const QString &path, const QString &table)
{
    Database db;
    db.open(path);
    return db.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt();
}

// Every row of a table (all columns but the pictures), in stored order.
QList<QVariantList> rows(Database &db, const QString &table, const QStringList &skip = {})
{
    QStringList names;
    for (const auto &c : db.tableColumns(table))
        if (!skip.contains(c.first))
            names << c.first;
    QList<QVariantList> out;
    Statement st = db.prepare(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(names.join(QLatin1Char(',')), table));
    while (st.step()) {
        QVariantList r;
        for (int i = 0; i < st.columnCount(); ++i)
            r << st.value(i);
        out << r;
    }
    return out;
}

// ---- league files of the older layout

struct OldMatch {
    int id;
    QString home, away, result;
    QDate date;
    int round;
    int f, a;
    QString prediction;
};

struct OldLeague {
    QString sport = QStringLiteral("Ice Hockey");
    QStringList teams = {QStringLiteral("Wolves"), QStringLiteral("Bears"), QStringLiteral("Cats")};
    QList<OldMatch> matches;
};

// The tables and columns of the older version's files, with a few columns the conversion does not read
// (among them a statistics choice and a match count that a converted league must not take over).
void createOldLeague(const QString &path, const OldLeague &old)
{
    Database::create(path);
    Database db;
    db.open(path);
    db.execute(QStringLiteral(
        "CREATE TABLE League (Sport TEXT(20), League TEXT(35), SS REAL, SE REAL, PW REAL, PD REAL, PL REAL, "
        "PWO REAL, PDO REAL, PLO REAL, HW BIT, DR BIT, AW BIT, HP REAL, DP REAL, AP REAL, CF REAL, HA BIT, "
        "LM REAL)"));
    db.execute(
        QStringLiteral("INSERT INTO League VALUES (?1, 'NHL 1999', 1999, 2000, 2, 1, 0, 4, 3, 1, 1, 0, 1, "
                       "55, 25, 45, 60, 0, 3)"),
        {old.sport});
    db.execute(QStringLiteral("CREATE TABLE Teams (Pos REAL, Team TEXT(30), TR REAL, TPic BLOB)"));
    int pos = 0;
    for (const QString &t : old.teams)
        db.execute(QStringLiteral("INSERT INTO Teams VALUES (?1, ?2, 1612, ?3)"),
                   {++pos, t, QByteArray("BM old picture")});
    db.execute(QStringLiteral(
        "CREATE TABLE Results (ID REAL, Home TEXT(30), Away TEXT(30), Result TEXT(10), DateP DATE, Round "
        "REAL, "
        "HQVR REAL, HTQVR REAL, AQVR REAL, ATQVR REAL, F REAL, A REAL, HP REAL, DP REAL, AP REAL, CF REAL, "
        "PResult TEXT(7), Verdict TEXT(2), O1 TEXT(7), O1B TEXT(20), OX TEXT(7), OXB TEXT(20), O2 TEXT(7), "
        "O2B TEXT(20), Margin REAL)"));
    for (const OldMatch &m : old.matches)
        db.execute(QStringLiteral(
                       "INSERT INTO Results VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, "
                       "?13, ?14, ?15, ?16, ?17, 'OK', ?18, 'Book H', '4.1', 'Book D', ?19, 'Book A', ?20)"),
                   {m.id,
                    m.home,
                    m.away,
                    m.result,
                    m.date.toString(Qt::ISODate),
                    m.round,
                    1400 + m.id,
                    1410 + m.id,
                    1420 + m.id,
                    1430 + m.id,
                    m.f,
                    m.a,
                    40 + m.id,
                    30,
                    30 - m.id,
                    50 + m.id,
                    m.prediction,
                    QStringLiteral("1.%1").arg(m.id),
                    QStringLiteral("3.%1").arg(m.id),
                    105.25 + m.id});
    db.execute(
        QStringLiteral("CREATE TABLE Players (N REAL, Player TEXT(30), Team TEXT(30), Pos TEXT(20), PR REAL, "
                       "IN_OUT TEXT(3), PPic BLOB, Wt TEXT(6), Ht TEXT(6))"));
    db.execute(QStringLiteral(
                   "INSERT INTO Players VALUES (1, 'Smith', 'Wolves', 'Goalie', 7, 'IN', ?1, '90', '185')"),
               {QByteArray("BM smith")});
    db.execute(
        QStringLiteral("INSERT INTO Players VALUES (2, 'Jones', 'Cats', 'Defence', 4, 'OUT', NULL, '', '')"));
}

OldMatch match(int id, const char *home, const char *away, int f, int a, const QDate &date,
               const char *prediction, bool overtime = false)
{
    QString result = f < 0 ? QStringLiteral(":") : QStringLiteral("%1:%2").arg(f).arg(a);
    if (overtime)
        result += QStringLiteral(" OT");
    return {id, QString::fromLatin1(home),      QString::fromLatin1(away), result, date, id, f,
            a,  QString::fromLatin1(prediction)};
}

} // namespace

class TestLeagueFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void noPathChosenChangesNothing();

    void newLeagueReplacesOpenLeague();
    void newLeagueOntoExistingFile_data();
    void newLeagueOntoExistingFile();
    void newLeagueFailureLeavesNoFile_data();
    void newLeagueFailureLeavesNoFile();

    void openLeague_data();
    void openLeague();
    void openRestoresPreviousWhenShowingFails();
    void openSaysWhichPlayedRowsToMend();

    void savePostsPendingEdits();

    void saveAsOntoExistingFile_data();
    void saveAsOntoExistingFile();
    void saveAsCopyBecomesOpenLeague();
    void saveAsFailureKeepsOriginalOpen();
    void saveAsFailureKeepsTheFileToReplace();

    void convertReplaysMatchesInDateOrder();
    void convertPredictionTotals_data();
    void convertPredictionTotals();
    void convertFailureLeavesNoFile_data();
    void convertFailureLeavesNoFile();
    void convertOntoExistingFile_data();
    void convertOntoExistingFile();
    void convertFailureKeepsTheFileToReplace();

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestLeagueFiles::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Database::setDurableWrites(false);
}

void TestLeagueFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestLeagueFiles::cleanup()
{
    m_dir.reset();
}

void TestLeagueFiles::noPathChosenChangesNothing()
{
    LeagueFixture a(QStringLiteral("Football (Soccer)"), {QStringLiteral("X")});
    TDataMod &dm = a.dm();
    RecordingMessenger m;
    const QString aPath = absolute(a.path());
    for (const FileCommandOutcome &o :
         {NewLeague(dm, QString(), m), OpenLeague(dm, QString(), m), SaveLeagueAs(dm, QString(), m)}) {
        QCOMPARE(o.result, FileCommandResult::Cancelled);
        QVERIFY(!o.leagueChanged);
        QCOMPARE(o.leaguePath, aPath);
    }
    QCOMPARE(ConvertLeagueFile(QString(), file(QStringLiteral("new.qvl")), m, aPath),
             FileCommandResult::Cancelled);
    QCOMPARE(ConvertLeagueFile(a.path(), QString(), m, aPath), FileCommandResult::Cancelled);
    QCOMPARE(m.log(), QStringList());
    QCOMPARE(entries(m_dir->path()), QStringList());
    QCOMPARE(teamNames(dm.ADOTableTeams), QStringList{QStringLiteral("X")});
}

void TestLeagueFiles::newLeagueReplacesOpenLeague()
{
    LeagueFixture a(QStringLiteral("Ice Hockey"), {QStringLiteral("X"), QStringLiteral("Y")});
    QVERIFY(a.addMatch(QStringLiteral("X"), QStringLiteral("Y"), 2, 1));
    const QByteArray aBefore = fileHash(a.path());
    TDataMod &dm = a.dm();
    RecordingMessenger m;

    const QString target = file(QStringLiteral("Serie A.qvl"));
    const FileCommandOutcome o = NewLeague(dm, target, m);

    QCOMPARE(o.result, FileCommandResult::Done);
    QVERIFY(o.leagueChanged);
    QCOMPARE(o.leaguePath, absolute(target));
    QCOMPARE(ConnectedFileName(dm.ADOConnection), absolute(target));
    QCOMPARE(m.log(), QStringList());
    // The new league's first row, and nothing else yet.
    Table &league = dm.ADOTableLeague;
    QVERIFY(league.isActive());
    QCOMPARE(league.field(QStringLiteral("League")).asString(), QStringLiteral("Serie A.qvl"));
    QCOMPARE(league.field(QStringLiteral("Sport")).asString(), QStringLiteral("Football (Soccer)"));
    QCOMPARE(league.field(QStringLiteral("SS")).asInteger(), currentSeason().first);
    QCOMPARE(league.field(QStringLiteral("SE")).asInteger(), currentSeason().first + 1);
    QCOMPARE(league.field(QStringLiteral("LM")).asInteger(), 5);
    QVERIFY(dm.ADOTableTeams.isActive() && dm.ADOTableTeams.isEmpty());
    QVERIFY(dm.ADOTableResults.isActive() && dm.ADOTableResults.isEmpty());
    QVERIFY(dm.ADOTablePlayers.isActive() && dm.ADOTablePlayers.isEmpty());
    // Built beside the target and moved into place: nothing else is left in the folder.
    QCOMPARE(entries(m_dir->path()), QStringList{QStringLiteral("Serie A.qvl")});
    QCOMPARE(fileHash(a.path()), aBefore);
}

void TestLeagueFiles::newLeagueOntoExistingFile_data()
{
    QTest::addColumn<QString>("target"); // "open": the open league's file, "link": a link to it, "other"
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("log");

    const auto done = int(FileCommandResult::Done);
    const auto cancelled = int(FileCommandResult::Cancelled);
    const auto refused = int(FileCommandResult::Refused);
    QTest::newRow("the open league's file") << "open" << int(Answer::Yes) << refused << QStringList{InUse};
    QTest::newRow("a link to the open league's file")
        << "link" << int(Answer::Yes) << refused << QStringList{InUse};
    QTest::newRow("another file, No") << "other" << int(Answer::No) << cancelled << QStringList{AskYesNo};
    QTest::newRow("another file, Yes") << "other" << int(Answer::Yes) << done << QStringList{AskYesNo};
}

void TestLeagueFiles::newLeagueOntoExistingFile()
{
    QFETCH(QString, target);
    QFETCH(int, answer);
    QFETCH(int, result);
    QFETCH(QStringList, log);

    LeagueFixture a(QStringLiteral("Ice Hockey"), {QStringLiteral("X"), QStringLiteral("Y")});
    TDataMod &dm = a.dm();
    QString path = a.path();
    if (target == QLatin1String("link")) {
        path = file(QStringLiteral("link.qvl"));
        QVERIFY(QFile::link(a.path(), path));
    } else if (target == QLatin1String("other")) {
        path = file(QStringLiteral("B.qvl"));
        createLeague(path, {QStringLiteral("P"), QStringLiteral("Q")});
    }
    const QByteArray aBefore = fileHash(a.path());
    const QByteArray targetBefore = fileHash(path);
    RecordingMessenger m({Answer(answer)});

    const FileCommandOutcome o = NewLeague(dm, path, m);

    QCOMPARE(int(o.result), result);
    QCOMPARE(m.log(), log);
    QCOMPARE(fileHash(a.path()), aBefore);
    if (o.result == FileCommandResult::Done) {
        QCOMPARE(o.leaguePath, absolute(path));
        QVERIFY(dm.ADOTableTeams.isEmpty()); // the file was replaced by a new league
        QCOMPARE(dm.ADOTableLeague.field(QStringLiteral("League")).asString(), QStringLiteral("B.qvl"));
    } else {
        QVERIFY(!o.leagueChanged);
        QCOMPARE(o.leaguePath, absolute(a.path()));
        QCOMPARE(teamNames(dm.ADOTableTeams), (QStringList{QStringLiteral("X"), QStringLiteral("Y")}));
        QCOMPARE(fileHash(path), targetBefore);
    }
}

void TestLeagueFiles::newLeagueFailureLeavesNoFile_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("existing");

    // A league takes its name from the file, and the name column holds 35 characters.
    const QString longName = QStringLiteral("A league name far too long for its column.qvl");
    QTest::newRow("folder does not exist") << "missing"
                                           << "League.qvl" << false;
    QTest::newRow("fails half-way") << "" << longName << false;
    QTest::newRow("fails half-way with a file to replace") << "" << longName << true;
}

void TestLeagueFiles::newLeagueFailureLeavesNoFile()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(bool, existing);

    LeagueFixture a(QStringLiteral("Ice Hockey"), {QStringLiteral("X")});
    TDataMod &dm = a.dm();
    const QString target = QDir(m_dir->filePath(folder)).filePath(name);
    if (existing)
        writeFile(target, "an old file, replaced on Yes");
    RecordingMessenger m({Answer::Yes});

    const FileCommandOutcome o = NewLeague(dm, target, m);

    QCOMPARE(o.result, FileCommandResult::Refused);
    const QStringList log = m.log();
    QVERIFY2(!log.isEmpty() && log.last().startsWith(QLatin1String("Error: ")) && log.last().size() > 8,
             qPrintable(log.join(QLatin1Char('\n'))));
    // The file to replace goes only for a complete new one.
    QCOMPARE(readFile(target), existing ? QByteArray("an old file, replaced on Yes") : QByteArray());
    QCOMPARE(QFileInfo::exists(target), existing);
    QCOMPARE(entries(m_dir->path()), existing ? QStringList{name} : QStringList());
    // The league that was open stays open and usable.
    QVERIFY(!o.leagueChanged);
    QCOMPARE(o.leaguePath, absolute(a.path()));
    a.addTeam(QStringLiteral("Y"));
    QVERIFY(a.addMatch(QStringLiteral("X"), QStringLiteral("Y"), 1, 0));
    QCOMPARE(rowCount(a.path(), QStringLiteral("Results")), 1);
}

void TestLeagueFiles::openLeague_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("leagueOpen");
    for (const bool open : {true, false}) {
        const char *with = open ? "league A open" : "no league open";
        for (const char *kind : {"league", "text", "other database", "missing"})
            QTest::addRow("%s, %s", kind, with) << QString::fromLatin1(kind) << open;
    }
}

void TestLeagueFiles::openLeague()
{
    QFETCH(QString, kind);
    QFETCH(bool, leagueOpen);

    std::unique_ptr<LeagueFixture> a;
    TDataMod bare;
    if (leagueOpen)
        a = std::make_unique<LeagueFixture>(QStringLiteral("Ice Hockey"),
                                            QStringList{QStringLiteral("X"), QStringLiteral("Y")});
    TDataMod &dm = leagueOpen ? a->dm() : bare;

    const QString path = file(QStringLiteral("chosen.qvl"));
    if (kind == QLatin1String("league")) {
        createLeague(path, {QStringLiteral("P"), QStringLiteral("Q")});
    } else if (kind == QLatin1String("text")) {
        writeFile(path, "Date,HomeTeam,AwayTeam\n01/08/05,A,B\n");
    } else if (kind == QLatin1String("other database")) {
        Database::create(path);
        Database db;
        db.open(path);
        db.execute(QStringLiteral("CREATE TABLE Teams (Team TEXT(30))"));
    }
    const QByteArray chosenBefore = fileHash(path);
    QStringList shown;
    RecordingMessenger m;

    const FileCommandOutcome o = OpenLeague(dm, path, m, [&shown](const QString &p) { shown << p; });

    if (kind == QLatin1String("league")) {
        QCOMPARE(o.result, FileCommandResult::Done);
        QVERIFY(o.leagueChanged);
        QCOMPARE(o.leaguePath, absolute(path));
        QCOMPARE(shown, QStringList{absolute(path)});
        QCOMPARE(m.log(), QStringList());
        QCOMPARE(teamNames(dm.ADOTableTeams), (QStringList{QStringLiteral("P"), QStringLiteral("Q")}));
        return;
    }
    QCOMPARE(o.result, FileCommandResult::Refused);
    QCOMPARE(m.log(), QStringList{OpenError});
    QCOMPARE(fileHash(path), chosenBefore);
    if (leagueOpen) {
        // League A is open, shown with its own path, and usable.
        QVERIFY(o.leagueChanged);
        QCOMPARE(o.leaguePath, absolute(a->path()));
        QCOMPARE(shown, QStringList{absolute(a->path())});
        QCOMPARE(teamNames(dm.ADOTableTeams), (QStringList{QStringLiteral("X"), QStringLiteral("Y")}));
        QVERIFY(a->addMatch(QStringLiteral("X"), QStringLiteral("Y"), 3, 1));
        QCOMPARE(a->team(QStringLiteral("X"), QStringLiteral("HW")), 1);
    } else {
        QVERIFY(!o.leagueChanged);
        QVERIFY(o.leaguePath.isEmpty());
        QVERIFY(shown.isEmpty());
        QVERIFY(!dm.isLeagueOpen());
        QVERIFY(!dm.ADOTableTeams.isActive());
    }
}

void TestLeagueFiles::openRestoresPreviousWhenShowingFails()
{
    LeagueFixture a(QStringLiteral("Ice Hockey"), {QStringLiteral("X")});
    TDataMod &dm = a.dm();
    const QString b = file(QStringLiteral("B.qvl"));
    createLeague(b, {QStringLiteral("P")});
    QStringList shown;
    RecordingMessenger m;

    const FileCommandOutcome o = OpenLeague(dm, b, m, [&](const QString &p) {
        shown << p;
        if (p == absolute(b))
            throw DatabaseError(QStringLiteral("the views could not be filled"));
    });

    QCOMPARE(o.result, FileCommandResult::Refused);
    QCOMPARE(shown, (QStringList{absolute(b), absolute(a.path())}));
    QCOMPARE(o.leaguePath, absolute(a.path()));
    QCOMPARE(m.log(), QStringList{OpenError});
    QCOMPARE(teamNames(dm.ADOTableTeams), QStringList{QStringLiteral("X")});
}

void TestLeagueFiles::openSaysWhichPlayedRowsToMend()
{
    const QString b = file(QStringLiteral("B.qvl"));
    {
        LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("P"), QStringLiteral("Q")});
        QVERIFY(f.addMatch(QStringLiteral("P"), QStringLiteral("Q"), 2, 0));
        QVERIFY(f.addMatch(QStringLiteral("Q"), QStringLiteral("P"), 1, 1));
        f.dm().ADOConnection.execute(QStringLiteral("UPDATE Results SET A = 5 WHERE ID = 0"));
        f.dm().closeLeague();
        QVERIFY(QFile::copy(f.path(), b));
    }
    LeagueFixture a(QStringLiteral("Ice Hockey"), {QStringLiteral("X")});
    TDataMod &dm = a.dm();
    QStringList shown;
    RecordingMessenger m;

    const FileCommandOutcome o = OpenLeague(dm, b, m, [&shown](const QString &p) { shown << p; });

    // Opened and shown, so that the row can be mended in the Scores view; the warning comes after.
    QCOMPARE(o.result, FileCommandResult::Done);
    QCOMPARE(o.leaguePath, absolute(b));
    QCOMPARE(shown, QStringList{absolute(b)});
    QCOMPARE(dm.ADOTableResults.recordCount(), 2);
    QCOMPARE(m.log(), QStringList{QStringLiteral(
                          "Warning: 1 played match does not add up:\n"
                          "Results row ID 0, column Result: '2:0' does not agree with F 2 and A 5\n"
                          "Predictions, back-tests, the prediction history, calibration and the league table "
                          "refuse this league until these rows are mended in the Scores view.")});

    // Mended, it opens without a word.
    dm.ADOConnection.execute(QStringLiteral("UPDATE Results SET Result = '2:5' WHERE ID = 0"));
    m.clear();
    QCOMPARE(OpenLeague(dm, b, m).result, FileCommandResult::Done);
    QCOMPARE(m.log(), QStringList());
}

void TestLeagueFiles::savePostsPendingEdits()
{
    LeagueFixture a(QStringLiteral("Ice Hockey"), {QStringLiteral("X"), QStringLiteral("Y")});
    TDataMod &dm = a.dm();
    dm.ADOTablePlayers.appendRecord({1, QStringLiteral("Smith"), QStringLiteral("X"),
                                     QStringLiteral("Goalie"), 5, 5, 5, QStringLiteral("IN"), QVariant(),
                                     QVariant(), QStringLiteral("90"), QStringLiteral("185")});
    dm.ADOTableTeams.last();
    dm.ADOTableTeams.edit();
    dm.ADOTableTeams.field(QStringLiteral("TRH")).setInteger(1234);
    dm.ADOTablePlayers.edit();
    dm.ADOTablePlayers.field(QStringLiteral("Player")).setString(QStringLiteral("Smyth"));
    RecordingMessenger m;

    QCOMPARE(SaveLeague(dm, m), FileCommandResult::Done);

    Database other; // another connection sees only what is in the file
    other.open(a.path());
    QCOMPARE(column(other, QStringLiteral("SELECT TRH FROM Teams ORDER BY rowid")),
             (QVariantList{1500.0, 1234.0}));
    QCOMPARE(column(other, QStringLiteral("SELECT Player FROM Players")),
             QVariantList{QStringLiteral("Smyth")});
    QCOMPARE(dm.ADOTableTeams.state(), Dataset::State::Browse);
    QCOMPARE(m.log(), QStringList());

    TDataMod none;
    QCOMPARE(SaveLeague(none, m), FileCommandResult::Cancelled);
    QCOMPARE(m.log(), QStringList());
}

void TestLeagueFiles::saveAsOntoExistingFile_data()
{
    QTest::addColumn<bool>("openFile"); // the target is the open league's own file, else another league
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("log");

    const auto done = int(FileCommandResult::Done);
    const auto cancelled = int(FileCommandResult::Cancelled);
    QTest::newRow("the open league's file")
        << true << int(Answer::Yes) << int(FileCommandResult::Refused) << QStringList{InUse};
    QTest::newRow("another file, No") << false << int(Answer::No) << cancelled << QStringList{AskYesNoCancel};
    QTest::newRow("another file, Cancel")
        << false << int(Answer::Cancel) << cancelled << QStringList{AskYesNoCancel};
    QTest::newRow("another file, Yes") << false << int(Answer::Yes) << done << QStringList{AskYesNoCancel};
}

void TestLeagueFiles::saveAsOntoExistingFile()
{
    QFETCH(bool, openFile);
    QFETCH(int, answer);
    QFETCH(int, result);
    QFETCH(QStringList, log);

    LeagueFixture a(QStringLiteral("Ice Hockey"), {QStringLiteral("X"), QStringLiteral("Y")});
    TDataMod &dm = a.dm();
    QString target = a.path();
    if (!openFile) {
        target = file(QStringLiteral("B.qvl"));
        createLeague(target, {QStringLiteral("P")});
    }
    const QByteArray aBefore = fileHash(a.path());
    const QByteArray targetBefore = fileHash(target);
    RecordingMessenger m({Answer(answer)});

    const FileCommandOutcome o = SaveLeagueAs(dm, target, m);

    QCOMPARE(int(o.result), result);
    QCOMPARE(m.log(), log);
    QCOMPARE(fileHash(a.path()), aBefore);
    if (o.result == FileCommandResult::Done) {
        QCOMPARE(fileHash(target), aBefore); // a byte copy
        QCOMPARE(o.leaguePath, absolute(target));
    } else {
        QCOMPARE(fileHash(target), targetBefore);
        QVERIFY(!o.leagueChanged);
        QCOMPARE(o.leaguePath, absolute(a.path()));
        QCOMPARE(teamNames(dm.ADOTableTeams), (QStringList{QStringLiteral("X"), QStringLiteral("Y")}));
    }
}

void TestLeagueFiles::saveAsCopyBecomesOpenLeague()
{
    LeagueFixture a(QStringLiteral("Ice Hockey"), {QStringLiteral("X"), QStringLiteral("Y")});
    TDataMod &dm = a.dm();
    QVERIFY(a.addMatch(QStringLiteral("X"), QStringLiteral("Y"), 2, 1));
    dm.ADOTableTeams.first();
    dm.ADOTableTeams.edit(); // a pending edit goes into the copy
    dm.ADOTableTeams.field(QStringLiteral("Team")).setString(QStringLiteral("Xenon"));
    const QString copy = file(QStringLiteral("Copy.qvl"));
    RecordingMessenger m;

    const FileCommandOutcome o = SaveLeagueAs(dm, copy, m);

    QCOMPARE(o.result, FileCommandResult::Done);
    QVERIFY(o.leagueChanged);
    QCOMPARE(o.leaguePath, absolute(copy));
    QCOMPARE(ConnectedFileName(dm.ADOConnection), absolute(copy));
    QCOMPARE(m.log(), QStringList());
    QCOMPARE(entries(m_dir->path()), QStringList{QStringLiteral("Copy.qvl")});
    QCOMPARE(teamsInFile(copy), (QStringList{QStringLiteral("Xenon"), QStringLiteral("Y")}));

    // Later changes go to the copy, the file named in the window; the original keeps what it had.
    QVERIFY(a.addMatch(QStringLiteral("Y"), QStringLiteral("Xenon"), 0, 0));
    QCOMPARE(rowCount(copy, QStringLiteral("Results")), 2);
    QCOMPARE(rowCount(a.path(), QStringLiteral("Results")), 1);
    QCOMPARE(teamsInFile(a.path()), (QStringList{QStringLiteral("Xenon"), QStringLiteral("Y")}));
}

void TestLeagueFiles::saveAsFailureKeepsOriginalOpen()
{
    LeagueFixture a(QStringLiteral("Ice Hockey"), {QStringLiteral("X"), QStringLiteral("Y")});
    TDataMod &dm = a.dm();
    const QString target = file(QStringLiteral("missing/Copy.qvl"));
    RecordingMessenger m;

    const FileCommandOutcome o = SaveLeagueAs(dm, target, m);

    QCOMPARE(o.result, FileCommandResult::Refused);
    QCOMPARE(m.log().size(), 1);
    QVERIFY(m.log().first().startsWith(QLatin1String("Error: ")));
    QVERIFY(!QFileInfo::exists(target));
    QCOMPARE(o.leaguePath, absolute(a.path()));
    QCOMPARE(ConnectedFileName(dm.ADOConnection), absolute(a.path()));
    QVERIFY(a.addMatch(QStringLiteral("X"), QStringLiteral("Y"), 1, 1));
    QCOMPARE(rowCount(a.path(), QStringLiteral("Results")), 1);
}

// A pending edit the file refuses (here by a trigger of its own) stops Save As before anything is copied: the
// file that was to be replaced is as it was, and the league stays open.
void TestLeagueFiles::saveAsFailureKeepsTheFileToReplace()
{
    LeagueFixture a(QStringLiteral("Ice Hockey"), {QStringLiteral("X"), QStringLiteral("Y")});
    TDataMod &dm = a.dm();
    const QString target = file(QStringLiteral("B.qvl"));
    createLeague(target, {QStringLiteral("P")});
    const QByteArray targetBefore = fileHash(target);
    refuseUpdates(a.path(), QStringLiteral("Teams"));
    dm.ADOTableTeams.first();
    dm.ADOTableTeams.edit();
    dm.ADOTableTeams.field(QStringLiteral("Team")).setString(QStringLiteral("Xenon"));
    RecordingMessenger m({Answer::Yes});

    const FileCommandOutcome o = SaveLeagueAs(dm, target, m);

    QCOMPARE(o.result, FileCommandResult::Refused);
    QCOMPARE(m.log().size(), 2);
    QCOMPARE(m.log().first(), AskYesNoCancel);
    QVERIFY2(m.log().last().contains(QLatin1String("refused")), qPrintable(m.log().last()));
    QVERIFY(QFileInfo::exists(target));
    QCOMPARE(fileHash(target), targetBefore);
    QCOMPARE(teamsInFile(target), QStringList{QStringLiteral("P")});
    QVERIFY(!o.leagueChanged);
    QCOMPARE(o.leaguePath, absolute(a.path()));
    QCOMPARE(entries(m_dir->path()), QStringList{QStringLiteral("B.qvl")});
}

void TestLeagueFiles::convertReplaysMatchesInDateOrder()
{
    const QDate d1(2005, 10, 1), d2(2005, 10, 2), d3(2005, 10, 3), d4(2005, 10, 4), d5(2005, 10, 5);
    OldLeague old;
    // Stored out of date order; 3 and 4 share a day and both involve Wolves, so their order counts too.
    old.matches = {
        match(1, "Bears", "Cats", 2, 2, d3, "2:2 OT", true), match(2, "Wolves", "Bears", 3, 1, d1, "3:1"),
        match(3, "Cats", "Wolves", 0, 4, d2, "1:2"),         match(4, "Bears", "Wolves", 1, 2, d2, "2:1"),
        match(5, "Wolves", "Cats", -1, -1, d5, ":"),         match(6, "Lynx", "Bears", 1, 0, d4, "3:3 OT")};
    const QString oldPath = file(QStringLiteral("old.mdb"));
    createOldLeague(oldPath, old);
    const QByteArray oldBefore = fileHash(oldPath);
    LeagueFixture open(QStringLiteral("Football (Soccer)"), {QStringLiteral("X")});
    const QByteArray openBefore = fileHash(open.path());
    const QString newPath = file(QStringLiteral("new.qvl"));
    RecordingMessenger m;

    QCOMPARE(ConvertLeagueFile(oldPath, newPath, m, open.path()), FileCommandResult::Done);

    QCOMPARE(m.log(), QStringList{QStringLiteral("Information: File convertion complete")});
    QCOMPARE(entries(m_dir->path()), (QStringList{QStringLiteral("new.qvl"), QStringLiteral("old.mdb")}));
    QCOMPARE(fileHash(oldPath), oldBefore);
    QCOMPARE(fileHash(open.path()), openBefore); // the open league is not touched
    QCOMPARE(ConnectedFileName(open.dm().ADOConnection), absolute(open.path()));

    TDataMod conv;
    conv.openLeague(newPath); // a whole league file
    Table &league = conv.ADOTableLeague;
    QCOMPARE(league.field(QStringLiteral("Sport")).asString(), QStringLiteral("Ice Hockey"));
    QCOMPARE(league.field(QStringLiteral("League")).asString(), QStringLiteral("NHL 1999"));
    QVariantList leagueRow;
    for (int i = 2; i < league.columnCount(); ++i)
        leagueRow << league.field(i).asInteger();
    // SS SE PW PD PL PWO PDO PLO PB HW DR AW HP DP AP CF HA LM: the old HA and LM are not taken over.
    QCOMPARE(leagueRow, (QVariantList{1999, 2000, 2, 1, 0, 4, 3, 1, 0, 1, 0, 1, 55, 25, 45, 60, 1, 6}));

    // Teams in the old stored order, pictures left behind.
    Table &teams = conv.ADOTableTeams;
    QCOMPARE(teamNames(teams),
             (QStringList{QStringLiteral("Wolves"), QStringLiteral("Bears"), QStringLiteral("Cats")}));
    QCOMPARE(column(conv.ADOConnection, QStringLiteral("SELECT Pos FROM Teams ORDER BY rowid")),
             (QVariantList{1.0, 2.0, 3.0}));
    QCOMPARE(column(conv.ADOConnection, QStringLiteral("SELECT count(*) FROM Teams WHERE TPic IS NULL"))
                 .first()
                 .toInt(),
             3);

    // Matches in date order, same-day ones in their stored order.
    QCOMPARE(column(conv.ADOConnection, QStringLiteral("SELECT ID FROM Results ORDER BY rowid")),
             (QVariantList{2.0, 3.0, 4.0, 1.0, 6.0, 5.0}));

    // The same league built by entering the matches by date gives the same standings and snapshots.
    LeagueFixture reference(QStringLiteral("Ice Hockey"), old.teams);
    for (const auto &[c, v] : {std::pair{"PW", 2}, {"PD", 1}, {"PL", 0}, {"PWO", 4}, {"PDO", 3}, {"PLO", 1}})
        reference.setLeague(QString::fromLatin1(c), v);
    for (int id : {2, 3, 4, 1}) {
        const OldMatch &g = old.matches[id - 1];
        QVERIFY(reference.addMatch(g.home, g.away, g.f, g.a, g.result.contains(QLatin1String("OT")), g.date));
    }
    reference.dm().ApplyResult(false, 0, 1, QStringLiteral("Bears"),
                               QStringLiteral("Lynx")); // no row for Lynx
    Database &refDb = reference.dm().ADOConnection;
    QCOMPARE(rows(conv.ADOConnection, QStringLiteral("Teams"), {QStringLiteral("TPic")}),
             rows(refDb, QStringLiteral("Teams"), {QStringLiteral("TPic")}));
    const QString snapshots = QStringLiteral("SELECT PtsH, PtsHT, PtsA, PtsAT FROM Results ORDER BY rowid");
    QCOMPARE(rows(conv.ADOConnection, QStringLiteral("Results")).size(), 6);
    {
        Statement c = conv.ADOConnection.prepare(snapshots);
        Statement r = refDb.prepare(snapshots);
        for (int i = 0; i < 4; ++i) {
            QVERIFY(c.step() && r.step());
            for (int k = 0; k < 4; ++k)
                QCOMPARE(c.value(k).toDouble(), r.value(k).toDouble());
        }
        // Lynx has no row: its snapshot columns stay empty; Bears' are taken (away 0 from the 3:1 loss,
        // overall 3 from the overtime draw).
        QVERIFY(c.step());
        QVERIFY(c.value(0).isNull() && c.value(1).isNull());
        QCOMPARE(c.value(2), QVariant(0.0));
        QCOMPARE(c.value(3), QVariant(3.0));
    }
    // The 2:2 OT match is an overtime draw: the draw-in-overtime points for both.
    QCOMPARE(reference.team(QStringLiteral("Cats"), QStringLiteral("AD")), 1);
    QVERIFY(teams.locate(QStringLiteral("Team"), {QStringLiteral("Cats")}));
    QCOMPARE(teams.field(QStringLiteral("APts")).asInteger(), 3);
    QCOMPARE(teams.field(QStringLiteral("AD")).asInteger(), 1);
    // The test means something: entering the matches in stored order gives other ratings.
    LeagueFixture storedOrder(QStringLiteral("Ice Hockey"), old.teams);
    for (int id : {1, 2, 3, 4}) {
        const OldMatch &g = old.matches[id - 1];
        QVERIFY(
            storedOrder.addMatch(g.home, g.away, g.f, g.a, g.result.contains(QLatin1String("OT")), g.date));
    }
    QVERIFY(column(conv.ADOConnection, QStringLiteral("SELECT TRT FROM Teams ORDER BY rowid")) !=
            column(storedOrder.dm().ADOConnection, QStringLiteral("SELECT TRT FROM Teams ORDER BY rowid")));

    // Per match: what is copied, renamed or fixed.
    Table &results = conv.ADOTableResults;
    results.first(); // ID 2: Wolves - Bears 3:1
    QCOMPARE(results.field(QStringLiteral("MatchT")).asString(), QStringLiteral("Regular Season"));
    QCOMPARE(results.field(QStringLiteral("DateP")).asDate(), d1);
    QCOMPARE(results.field(QStringLiteral("Result")).asString(), QStringLiteral("3:1"));
    const QVariantList expected = {2, 1402, 1412, 1422, 1432, 3, 1, 42, 30, 28, 52};
    QVariantList got;
    for (const char *c : {"Rnd", "TRH", "TRHT", "TRA", "TRAT", "F", "A", "HP", "DP", "AP", "CF"})
        got << results.field(QString::fromLatin1(c)).asInteger();
    QCOMPARE(got, expected);
    QCOMPARE(results.field(QStringLiteral("Retrn")).asFloat(), 107.25);
    QStringList texts;
    for (const char *c : {"PResult", "Verdict", "O1", "O1B", "OX", "OXB", "O2", "O2B", "Season"})
        texts << results.field(QString::fromLatin1(c)).asString();
    QCOMPARE(texts.join(QLatin1Char('|')), QStringLiteral("3:1|OK|1.2|Book H|4.1|Book D|3.2|Book A|"));

    // Players, with the new columns' fixed values.
    const auto s = [](const char *text) { return QVariant(QString::fromLatin1(text)); };
    QCOMPARE(rows(conv.ADOConnection, QStringLiteral("Players")),
             (QList<QVariantList>{{1.0, s("Smith"), s("Wolves"), s("Goalie"), 7.0, 5.0, 5.0, s("IN"),
                                   QByteArray("BM smith"), QVariant(), s("90"), s("185")},
                                  {2.0, s("Jones"), s("Cats"), s("Defence"), 4.0, 5.0, 5.0, s("OUT"),
                                   QVariant(), QVariant(), s(""), s("")}}));
}

void TestLeagueFiles::convertPredictionTotals_data()
{
    QTest::addColumn<QString>("sport");
    QTest::addColumn<QString>("prediction");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("underOver");

    const QString hockey = QStringLiteral("Ice Hockey");
    QTest::newRow("no prediction") << hockey << ":" << 0 << "5.5";
    QTest::newRow("empty prediction") << hockey << "" << 0 << "Under 5.5";
    QTest::newRow("under") << hockey << "3:2" << 5 << "Under 5.5";
    QTest::newRow("over") << hockey << "4:2" << 6 << "Over 5.5";
    QTest::newRow("overtime mark removed") << hockey << "2:2 OT" << 4 << "Under 5.5";
    QTest::newRow("overtime over") << hockey << "4:3 OT" << 7 << "Over 5.5";
    QTest::newRow("two digits") << hockey << "10:0" << 10 << "Over 5.5";
    QTest::newRow("the old file's sport sets the line") << "Football (Soccer)"
                                                        << "1:1" << 2 << "Under 2.5";
    QTest::newRow("basketball") << "Basketball"
                                << "101:99" << 200 << "Over 180.5";
}

void TestLeagueFiles::convertPredictionTotals()
{
    QFETCH(QString, sport);
    QFETCH(QString, prediction);
    QFETCH(int, total);
    QFETCH(QString, underOver);

    OldLeague old;
    old.sport = sport;
    old.matches = {match(1, "Wolves", "Bears", 3, 1, QDate(2005, 10, 1), "")};
    old.matches[0].prediction = prediction;
    const QString oldPath = file(QStringLiteral("old.mdb"));
    createOldLeague(oldPath, old);
    const QString newPath = file(QStringLiteral("new.qvl"));
    RecordingMessenger m;

    QCOMPARE(ConvertLeagueFile(oldPath, newPath, m), FileCommandResult::Done);

    TDataMod conv;
    conv.openLeague(newPath);
    Table &results = conv.ADOTableResults;
    QCOMPARE(results.field(QStringLiteral("PResult")).asString(), prediction);
    QCOMPARE(results.field(QStringLiteral("Ttl")).asInteger(), total);
    QCOMPARE(results.field(QStringLiteral("UOP")).asString(), underOver);
    QCOMPARE(results.field(QStringLiteral("UOV")).asString(), underOver.section(QLatin1Char(' '), -1));
}

void TestLeagueFiles::convertFailureLeavesNoFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("message"); // empty: the engine's own message

    QTest::newRow("prediction without colon") << "2-1"
                                              << "'' is not a valid integer value";
    QTest::newRow("prediction not a number") << "x:1"
                                             << "'x' is not a valid integer value";
    QTest::newRow("overtime mark without blank") << "2:2OT"
                                                 << "'2OT' is not a valid integer value";
    QTest::newRow("prediction without second number") << "3:"
                                                      << "'' is not a valid integer value";
    QTest::newRow("a file of the new layout") << "new layout"
                                              << "";
    QTest::newRow("old file missing") << "missing"
                                      << "";
    QTest::newRow("target folder missing") << "folder"
                                           << "";
}

void TestLeagueFiles::convertFailureLeavesNoFile()
{
    QFETCH(QString, failure);
    QFETCH(QString, message);

    const QString oldPath = file(QStringLiteral("old.mdb"));
    QString newPath = file(QStringLiteral("new.qvl"));
    if (failure == QLatin1String("new layout")) {
        createLeague(oldPath, {QStringLiteral("P")});
    } else if (failure != QLatin1String("missing")) {
        OldLeague old;
        // The bad prediction comes after a good match, so the new file has rows when it fails.
        old.matches = {match(1, "Wolves", "Bears", 3, 1, QDate(2005, 10, 1), "2:1"),
                       match(2, "Bears", "Cats", 0, 0, QDate(2005, 10, 2), "")};
        old.matches[1].prediction = failure == QLatin1String("folder") ? QStringLiteral("1:1") : failure;
        createOldLeague(oldPath, old);
    }
    if (failure == QLatin1String("folder"))
        newPath = file(QStringLiteral("missing/new.qvl"));
    const QStringList before = entries(m_dir->path());
    RecordingMessenger m;

    QCOMPARE(ConvertLeagueFile(oldPath, newPath, m), FileCommandResult::Refused);

    const QStringList log = m.log();
    QCOMPARE(log.size(), 1);
    if (message.isEmpty())
        QVERIFY2(log.first().startsWith(QLatin1String("Error: ")) && log.first().size() > 8,
                 qPrintable(log.first()));
    else
        QCOMPARE(log.first(), QStringLiteral("Error: ") + message);
    QVERIFY(!QFileInfo::exists(newPath));
    QCOMPARE(entries(m_dir->path()), before); // no half-made file, no temporary one either
}

void TestLeagueFiles::convertOntoExistingFile_data()
{
    QTest::addColumn<QString>(
        "target"); // "other", "open" (the open league's file), "old" (the file converted)
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("log");

    const QString complete = QStringLiteral("Information: File convertion complete");
    QTest::newRow("another file, No")
        << "other" << int(Answer::No) << int(FileCommandResult::Cancelled) << QStringList{AskYesNo};
    QTest::newRow("another file, Yes")
        << "other" << int(Answer::Yes) << int(FileCommandResult::Done) << QStringList{AskYesNo, complete};
    QTest::newRow("the open league's file")
        << "open" << int(Answer::Yes) << int(FileCommandResult::Refused) << QStringList{AskYesNo, InUse};
    QTest::newRow("the file being converted")
        << "old" << int(Answer::Yes) << int(FileCommandResult::Refused) << QStringList{AskYesNo, InUse};
}

void TestLeagueFiles::convertOntoExistingFile()
{
    QFETCH(QString, target);
    QFETCH(int, answer);
    QFETCH(int, result);
    QFETCH(QStringList, log);

    OldLeague old;
    old.matches = {match(1, "Wolves", "Bears", 3, 1, QDate(2005, 10, 1), "2:1")};
    const QString oldPath = file(QStringLiteral("old.mdb"));
    createOldLeague(oldPath, old);
    LeagueFixture open(QStringLiteral("Football (Soccer)"), {QStringLiteral("X")});
    QString newPath = target == QLatin1String("open") ? open.path() : oldPath;
    if (target == QLatin1String("other")) {
        newPath = file(QStringLiteral("B.qvl"));
        createLeague(newPath, {QStringLiteral("P")});
    }
    const QByteArray targetBefore = fileHash(newPath);
    const QByteArray openBefore = fileHash(open.path());
    RecordingMessenger m({Answer(answer)});

    QCOMPARE(int(ConvertLeagueFile(oldPath, newPath, m, open.path())), result);

    QCOMPARE(m.log(), log);
    QCOMPARE(fileHash(open.path()), openBefore);
    QCOMPARE(teamNames(open.dm().ADOTableTeams), QStringList{QStringLiteral("X")});
    if (result == int(FileCommandResult::Done))
        QCOMPARE(teamsInFile(newPath),
                 (QStringList{QStringLiteral("Wolves"), QStringLiteral("Bears"), QStringLiteral("Cats")}));
    else
        QCOMPARE(fileHash(newPath), targetBefore);
}

// A conversion that fails half-way onto a file the user agreed to replace leaves that file as it was.
void TestLeagueFiles::convertFailureKeepsTheFileToReplace()
{
    OldLeague old;
    old.matches = {match(1, "Wolves", "Bears", 3, 1, QDate(2005, 10, 1), "2:1"),
                   match(2, "Bears", "Cats", 0, 0, QDate(2005, 10, 2), "x:1")};
    const QString oldPath = file(QStringLiteral("old.mdb"));
    createOldLeague(oldPath, old);
    const QString newPath = file(QStringLiteral("B.qvl"));
    createLeague(newPath, {QStringLiteral("P")});
    const QByteArray before = fileHash(newPath);
    RecordingMessenger m({Answer::Yes});

    QCOMPARE(ConvertLeagueFile(oldPath, newPath, m), FileCommandResult::Refused);

    QCOMPARE(m.log(), (QStringList{AskYesNo, QStringLiteral("Error: 'x' is not a valid integer value")}));
    QVERIFY(QFileInfo::exists(newPath));
    QCOMPARE(fileHash(newPath), before);
    QCOMPARE(entries(m_dir->path()), (QStringList{QStringLiteral("B.qvl"), QStringLiteral("old.mdb")}));
}

QTEST_GUILESS_MAIN(TestLeagueFiles)
#include "tst_leaguefiles.moc"

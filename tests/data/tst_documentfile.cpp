// The life of a document file: a new file takes its place only when complete, whatever fails on the way
// leaves nothing behind and a file already at the target as it was, and a switch that fails goes back to
// the file that was open.

#include "data/DocumentFile.h"
#include "data/Errors.h"
#include "data/LeagueDocument.h"
#include "data/TDataMod.h"
#include "support/StoredRows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace
{

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Everything in a folder, hidden entries too: a left-over staging folder shows here.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// A build that writes half a file, then fails.
void failHalfWay(const QString &path)
{
    writeFile(path, "half of a file");
    throw DatabaseError(QStringLiteral("The build failed."));
}

QStringList teamsIn(const QString &path)
{
    TDataMod dm;
    dm.openLeague(path);
    QStringList teams;
    for (dm.ADOTableTeams.first(); !dm.ADOTableTeams.eof(); dm.ADOTableTeams.next())
        teams << dm.ADOTableTeams.field(QStringLiteral("Team")).asString();
    return teams;
}

} // namespace

class TestDocumentFile : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString file(const QString &name) const { return m_dir->filePath(name); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }

    // Every way a new file can meet a file already at its target, with a build that completes or one
    // that fails half-way.
    void buildFileEndsWholeOrNotAtAll_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QByteArray>("after"); // the target afterwards; empty: no file
        QTest::addColumn<QString>("error");    // the failure; empty: none

        const int refuse = int(ExistingFile::Refuse);
        const int replace = int(ExistingFile::Replace);
        const QString exists = QStringLiteral("Database '%1' already exists.");
        const QString failed = QStringLiteral("The build failed.");
        QTest::newRow("new file") << false << refuse << false << QByteArray("new") << QString();
        QTest::newRow("new file, fails half-way") << false << refuse << true << QByteArray() << failed;
        QTest::newRow("existing file refused") << true << refuse << false << QByteArray("old") << exists;
        QTest::newRow("existing file replaced") << true << replace << false << QByteArray("new") << QString();
        QTest::newRow("existing file, fails half-way")
            << true << replace << true << QByteArray("old") << failed;
        QTest::newRow("replace with nothing there")
            << false << replace << false << QByteArray("new") << QString();
    }
    void buildFileEndsWholeOrNotAtAll()
    {
        QFETCH(bool, existing);
        QFETCH(int, mode);
        QFETCH(bool, fails);
        QFETCH(QByteArray, after);
        QFETCH(QString, error);

        const QString target = file(QStringLiteral("League.qvl"));
        if (existing)
            writeFile(target, "old");
        QString builtAt;
        QString message;
        try {
            buildFile(target, ExistingFile(mode), [&](const QString &path) {
                builtAt = path;
                // The existing file stays as it was while the new one is built.
                QCOMPARE(readFile(target), existing ? QByteArray("old") : QByteArray());
                if (fails)
                    failHalfWay(path);
                writeFile(path, "new");
            });
        } catch (const QuorvaneError &e) {
            message = e.message();
        }

        QCOMPARE(message, error.contains(QLatin1String("%1")) ? error.arg(target) : error);
        QCOMPARE(QFileInfo::exists(target), !after.isEmpty());
        QCOMPARE(readFile(target), after);
        QCOMPARE(entries(m_dir->path()),
                 after.isEmpty() ? QStringList() : QStringList{QStringLiteral("League.qvl")});
        if (!builtAt.isEmpty()) // built beside its target, under the target's own name
            QCOMPARE(QFileInfo(builtAt).fileName(), QStringLiteral("League.qvl"));
    }

    // A file that comes to the target while the new one is built is not replaced unless asked; the
    // staging folder's work files go with it.
    void commitRefusesAFileThatCameMeanwhile()
    {
        const QString target = file(QStringLiteral("tickets.qvt"));
        QString message;
        {
            StagedFile staged(target);
            writeFile(staged.path(), "new");
            writeFile(staged.scratchPath(QStringLiteral("work.db")), "work");
            writeFile(target, "someone else's");
            try {
                staged.commit();
            } catch (const DatabaseError &e) {
                message = e.message();
            }
        }
        QVERIFY2(message.startsWith(QStringLiteral("Cannot create the file '%1': ").arg(target)),
                 qPrintable(message));
        QCOMPARE(readFile(target), QByteArray("someone else's"));
        QCOMPARE(entries(m_dir->path()), QStringList{QStringLiteral("tickets.qvt")});
    }

    void folderThatTakesNoFile()
    {
        const QString target = file(QStringLiteral("missing/League.qvl"));
        try {
            StagedFile staged(target);
            QFAIL("a folder that does not exist took a file");
        } catch (const DatabaseError &e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Cannot create the file '%1': ").arg(target)),
                     qPrintable(e.message()));
        }
        QCOMPARE(entries(m_dir->path()), QStringList());
    }

    // A new league takes the name of its file, the target's and not the staged one's; a league whose
    // filling fails leaves none.
    void newLeagueFile()
    {
        const QString target = file(QStringLiteral("Serie A.qvl"));
        buildLeagueFile(target, ExistingFile::Refuse, [](TDataMod &dm) {
            dm.OpenLeagueTables();
            dm.ADOTableTeams.appendRecord(newTeamValues(QStringLiteral("Roma"), 1));
        });
        QCOMPARE(teamsIn(target), QStringList{QStringLiteral("Roma")});
        TDataMod dm;
        dm.openLeague(target);
        QCOMPARE(dm.ADOTableLeague.field(QStringLiteral("League")).asString(), QStringLiteral("Serie A.qvl"));
        dm.closeLeague();

        const QByteArray before = fileHash(target);
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 buildLeagueFile(target, ExistingFile::Replace, [](TDataMod &dm) {
                                     dm.OpenLeagueTables();
                                     dm.ADOTableTeams.appendRecord(newTeamValues(QStringLiteral("Lazio"), 1));
                                     throw DatabaseError(QStringLiteral("refused"));
                                 }));
        QCOMPARE(fileHash(target), before);
        QCOMPARE(entries(m_dir->path()), QStringList{QStringLiteral("Serie A.qvl")});
    }

    // Opening another file in place of the open one: a file that does not open, or one whose showing
    // fails, brings back the file open before (shown again); with none open before, none is open after.
    void switchGoesBackOnFailure_data()
    {
        QTest::addColumn<bool>("openBefore");
        QTest::addColumn<QString>("failure"); // "not a league", "show", or none
        for (const bool open : {true, false})
            for (const char *failure : {"", "not a league", "show"})
                QTest::addRow("%s, %s", open ? "league open" : "none open", *failure ? failure : "opens")
                    << open << QString::fromLatin1(failure);
    }
    void switchGoesBackOnFailure()
    {
        QFETCH(bool, openBefore);
        QFETCH(QString, failure);

        const QString first = file(QStringLiteral("First.qvl"));
        QString second = file(QStringLiteral("Second.qvl"));
        buildLeagueFile(first, ExistingFile::Refuse);
        if (failure == QLatin1String("not a league")) {
            second = file(QStringLiteral("text.qvl"));
            writeFile(second, "no league");
        } else {
            buildLeagueFile(second, ExistingFile::Refuse);
        }
        TDataMod dm;
        if (openBefore)
            dm.openLeague(first);
        LeagueDocument league(dm);
        QStringList shown;
        const auto show = [&](const QString &path) {
            shown << QFileInfo(path).fileName();
            if (failure == QLatin1String("show") && QFileInfo(path).fileName() == QLatin1String("Second.qvl"))
                throw DatabaseError(QStringLiteral("cannot show"));
        };

        bool failed = false;
        try {
            switchDocument(league, second, show);
        } catch (const QuorvaneError &) {
            failed = true;
        }

        QCOMPARE(failed, !failure.isEmpty());
        QVERIFY(league.closed());
        QStringList expected;
        if (failure == QLatin1String("show"))
            expected << QStringLiteral("Second.qvl");
        if (failure.isEmpty())
            expected << QStringLiteral("Second.qvl");
        else if (openBefore)
            expected << QStringLiteral("First.qvl");
        QCOMPARE(shown, expected);
        const QString open = failure.isEmpty() ? second : openBefore ? first : QString();
        QCOMPARE(league.path(), open.isEmpty() ? QString() : QFileInfo(open).absoluteFilePath());
    }
};

QTEST_GUILESS_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"

// The pending-edit guard on a real table: a scope left by an error cancels the half-set row (an edited
// row and an appended one alike), one whose edit was posted through the guard keeps it, a post that the
// file refuses is cancelled too, and a released guard leaves the edit to its caller.

#include "data/Database.h"
#include "data/Errors.h"
#include "data/PendingEdit.h"
#include "data/Table.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <stdexcept>

class TestPendingEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void scopeEnds_data();
    void scopeEnds();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Table> m_t;
};

void TestPendingEdit::init()
{
    const QString path = m_dir.filePath(QStringLiteral("t.qvl"));
    QFile::remove(path);
    Database::create(path);
    m_db = std::make_unique<Database>();
    m_db->open(path);
    m_db->execute(QStringLiteral("CREATE TABLE T (Team TEXT(10), Pts REAL)"));
    m_db->execute(QStringLiteral("INSERT INTO T (Team, Pts) VALUES ('Lens', 3), ('Metz', 1)"));
    // A file that refuses one name, so that a post can fail after every value was accepted.
    for (const char *event : {"INSERT", "UPDATE"})
        m_db->execute(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON T WHEN NEW.Team = 'Refused' "
                                     "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                          .arg(QLatin1String(event)));
    m_t = std::make_unique<Table>(m_db.get(), QStringLiteral("T"));
    m_t->open();
}

void TestPendingEdit::cleanup()
{
    m_t.reset();
    m_db.reset();
}

enum class Ending { Error, Post, RefusedPost, Release };

void TestPendingEdit::scopeEnds_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<int>("ending");
    QTest::addColumn<QString>("team");         // the row's Team afterwards, in memory
    QTest::addColumn<QStringList>("stored");   // the file's rows afterwards
    QTest::addColumn<Dataset::State>("state"); // the table's state afterwards
    const QStringList before = {QStringLiteral("Lens"), QStringLiteral("Metz")};
    QTest::newRow("edit, then an error")
        << false << int(Ending::Error) << QStringLiteral("Lens") << before << Dataset::State::Browse;
    QTest::newRow("append, then an error")
        << true << int(Ending::Error) << QStringLiteral("Lens") << before << Dataset::State::Browse;
    QTest::newRow("edit posted") << false << int(Ending::Post) << QStringLiteral("Nancy")
                                 << QStringList{QStringLiteral("Nancy"), QStringLiteral("Metz")}
                                 << Dataset::State::Browse;
    QTest::newRow("append posted") << true << int(Ending::Post) << QStringLiteral("Nancy")
                                   << QStringList{QStringLiteral("Lens"), QStringLiteral("Metz"),
                                                  QStringLiteral("Nancy")}
                                   << Dataset::State::Browse;
    QTest::newRow("edit refused by the file")
        << false << int(Ending::RefusedPost) << QStringLiteral("Lens") << before << Dataset::State::Browse;
    QTest::newRow("append refused by the file")
        << true << int(Ending::RefusedPost) << QStringLiteral("Lens") << before << Dataset::State::Browse;
    QTest::newRow("edit released") << false << int(Ending::Release) << QStringLiteral("Nancy") << before
                                   << Dataset::State::Edit;
    QTest::newRow("append released") << true << int(Ending::Release) << QStringLiteral("Nancy") << before
                                     << Dataset::State::Insert;
}

void TestPendingEdit::scopeEnds()
{
    QFETCH(bool, append);
    QFETCH(int, ending);
    QFETCH(QString, team);
    QFETCH(QStringList, stored);
    QFETCH(Dataset::State, state);
    Table &t = *m_t;
    t.first();
    bool threw = false;
    try {
        PendingEdit pending(t);
        append ? t.append() : t.edit();
        const bool refused = Ending(ending) == Ending::RefusedPost;
        t.field(QStringLiteral("Team"))
            .setString(refused ? QStringLiteral("Refused") : QStringLiteral("Nancy"));
        switch (Ending(ending)) {
        case Ending::Error:
            throw std::runtime_error("half-way");
        case Ending::Post:
        case Ending::RefusedPost:
            pending.post();
            break;
        case Ending::Release:
            pending.release();
            break;
        }
    } catch (const DatabaseError &e) {
        threw = Ending(ending) == Ending::RefusedPost && e.message().contains(QStringLiteral("refused"));
    } catch (const std::runtime_error &) {
        threw = Ending(ending) == Ending::Error;
    }
    QCOMPARE(threw, Ending(ending) == Ending::Error || Ending(ending) == Ending::RefusedPost);
    QCOMPARE(t.state(), state);
    QCOMPARE(t.field(QStringLiteral("Team")).asString(), team);
    QStringList inFile;
    Statement rows = m_db->prepare(QStringLiteral("SELECT Team FROM T ORDER BY rowid"));
    while (rows.step())
        inFile << rows.value(0).toString();
    QCOMPARE(inFile, stored);
    t.cancel();
    QCOMPARE(t.recordCount(), int(stored.size()));
}

QTEST_GUILESS_MAIN(TestPendingEdit)
#include "tst_pendingedit.moc"

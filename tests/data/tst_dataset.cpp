#include "data/Database.h"
#include "data/Errors.h"
#include "data/Query.h"
#include "data/Table.h"
#include "data/TextCompare.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// A small table with one column of each kind, and rows chosen so that sorts have ties.
class TestDataset : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();
    void navigation();
    void emptyTable();
    void editWritesThrough();
    void movingPostsPendingEdit();
    void cancelDiscards();
    void appendPlacesRowInSortAndFilter();
    void stableSort();
    void filterAndErrors();
    void editLeavesFilteredView();
    void locate_data();
    void locate();
    void caseBlindLocateFollowsChanges();
    void foldedKeysAgreeWithComparison();
    void restrictedRows_data();
    void restrictedRows();
    void updatesOfDifferentColumns();
    void deferredWritesReachTheFileOnFlush();
    void namesAreData();
    void tooLongTextRefused();
    void fieldConversions();
    void deleteHooks();
    void bookmarks();
    void rollbackReloadsRows();
    void otherConnectionChangesAreSeenByTransaction();
    void maxOfFollowsWrites();
    void queryIsReadOnlyAndBindsValues();
    void unicodeOrderInSql();
    void closingDatabaseClosesDatasets();
    void controlsDisabledCoalescesSignals();

private:
    QStringList names(Table &t);
    QTemporaryDir *m_dir = nullptr;
    QString m_path;
    Database *m_db = nullptr;
    Table *m_t = nullptr;
};

void TestDataset::init()
{
    m_dir = new QTemporaryDir;
    m_path = m_dir->filePath(QStringLiteral("t.qvl"));
    Database::create(m_path);
    m_db = new Database;
    m_db->open(m_path);
    m_db->execute(QStringLiteral("CREATE TABLE T (Team TEXT(30), Pts REAL, DateP DATE, Ok BIT, Pic BLOB)"));
    const QList<QVariantList> rows = {
        {QStringLiteral("Östersund"), 3, QStringLiteral("2004-12-31"), 1},
        {QStringLiteral("alpha"), 1, QStringLiteral("2004-01-01"), 0},
        {QStringLiteral("Beta"), 3, QStringLiteral("2005-03-01"), 1},
        {QStringLiteral("O'Neill Town"), 0, QStringLiteral("2004-06-15"), 0},
        {QStringLiteral("Gamma"), 1, QVariant(), 1},
    };
    for (const QVariantList &r : rows)
        m_db->execute(QStringLiteral("INSERT INTO T (Team, Pts, DateP, Ok) VALUES (?1, ?2, ?3, ?4)"), r);
    m_t = new Table(m_db, QStringLiteral("T"));
    m_t->open();
}

void TestDataset::cleanup()
{
    delete m_t;
    delete m_db;
    delete m_dir;
}

QStringList TestDataset::names(Table &t)
{
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.field(QStringLiteral("Team")).asString();
    return out;
}

void TestDataset::navigation()
{
    Table &t = *m_t;
    QCOMPARE(t.recordCount(), 5);
    t.first();
    QVERIFY(t.bof());
    QVERIFY(!t.eof());
    QCOMPARE(t.recNo(), 1);
    t.prior();
    QVERIFY(t.bof());
    QCOMPARE(t.recNo(), 1);
    t.last();
    QVERIFY(t.eof());
    QCOMPARE(t.recNo(), 5);
    QCOMPARE(t.field(QStringLiteral("Team")).asString(), QStringLiteral("Gamma"));
    t.next();
    QVERIFY(t.eof());
    QCOMPARE(t.recNo(), 5);
    t.prior();
    QCOMPARE(t.recNo(), 4);
    QVERIFY(!t.eof() && !t.bof());
    t.setRecNo(2);
    QCOMPARE(t.field(QStringLiteral("Team")).asString(), QStringLiteral("alpha"));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, t.setRecNo(6));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, t.field(QStringLiteral("Nope")));
}

void TestDataset::emptyTable()
{
    m_db->execute(QStringLiteral("DELETE FROM T"));
    m_t->reload();
    QVERIFY(m_t->isEmpty());
    m_t->first();
    QVERIFY(m_t->eof() && m_t->bof());
    QCOMPARE(m_t->recNo(), 0);
    QVERIFY(m_t->field(QStringLiteral("Team")).isNull());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, m_t->edit());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, m_t->deleteRecord());
}

void TestDataset::editWritesThrough()
{
    m_t->first();
    m_t->edit();
    m_t->field(QStringLiteral("Pts")).setInteger(42);
    m_t->field(QStringLiteral("DateP")).setDate(QDate(2006, 2, 28));
    m_t->post();
    Database other;
    other.open(m_path);
    QCOMPARE(other.scalar(QStringLiteral("SELECT Pts FROM T WHERE Team = ?1"), {QStringLiteral("Östersund")})
                 .toDouble(),
             42.0);
    QCOMPARE(
        other.scalar(QStringLiteral("SELECT DateP FROM T WHERE Team = ?1"), {QStringLiteral("Östersund")})
            .toString(),
        QStringLiteral("2006-02-28"));
}

void TestDataset::movingPostsPendingEdit()
{
    m_t->first();
    m_t->edit();
    m_t->field(QStringLiteral("Pts")).setInteger(7);
    m_t->next();
    QCOMPARE(m_t->state(), Dataset::State::Browse);
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT Pts FROM T WHERE rowid = 1")).toDouble(), 7.0);
}

void TestDataset::cancelDiscards()
{
    m_t->first();
    m_t->edit();
    m_t->field(QStringLiteral("Pts")).setInteger(99);
    QCOMPARE(m_t->field(QStringLiteral("Pts")).asInteger(), 99);
    m_t->cancel();
    QCOMPARE(m_t->field(QStringLiteral("Pts")).asInteger(), 3);
    m_t->append();
    m_t->field(QStringLiteral("Team")).setString(QStringLiteral("Never"));
    m_t->cancel();
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM T")).toInt(), 5);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, m_t->field(QStringLiteral("Pts")).setInteger(1)); // not editing
}

void TestDataset::appendPlacesRowInSortAndFilter()
{
    Table &t = *m_t;
    t.setSort(QStringLiteral("Pts DESC, Team"));
    t.setFilter(QStringLiteral("Pts >= 1"));
    t.setFiltered(true);
    t.appendRecord({QStringLiteral("Delta"), 3});
    QCOMPARE(t.field(QStringLiteral("Team")).asString(), QStringLiteral("Delta")); // the new row is current
    const QStringList incremental = names(t);
    t.setSort(QString());
    t.setSort(QStringLiteral("Pts DESC, Team"));
    QCOMPARE(incremental, names(t)); // the same place a full sort gives
    QCOMPARE(incremental,
             (QStringList{QStringLiteral("Beta"), QStringLiteral("Delta"), QStringLiteral("Östersund"),
                          QStringLiteral("alpha"), QStringLiteral("Gamma")}));
    t.appendRecord({QStringLiteral("Zero"), 0}); // fails the filter: stored, not shown
    QCOMPARE(t.recordCount(), 5);
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM T")).toInt(), 7);
}

void TestDataset::stableSort()
{
    Table &t = *m_t;
    t.setSort(QStringLiteral("Pts DESC"));
    // Östersund and Beta tie on 3, alpha and Gamma on 1: stored order decides.
    QCOMPARE(names(t),
             (QStringList{QStringLiteral("Östersund"), QStringLiteral("Beta"), QStringLiteral("alpha"),
                          QStringLiteral("Gamma"), QStringLiteral("O'Neill Town")}));
    QCOMPARE(t.sort(), QStringLiteral("Pts DESC"));
    t.setSort(QStringLiteral("Team"));
    // Letter case ignored, Ö after O (case folding, not byte order).
    QCOMPARE(names(t).first(), QStringLiteral("alpha"));
    t.setSort(QStringLiteral("DateP")); // NULL first
    QCOMPARE(names(t).first(), QStringLiteral("Gamma"));
    QCOMPARE(names(t).last(), QStringLiteral("Beta"));
    // Raising a key moves the row to its new place; the cursor stays on it.
    t.setSort(QStringLiteral("Pts DESC"));
    QVERIFY(t.locate(QStringLiteral("Team"), {QStringLiteral("Gamma")}));
    t.edit();
    t.field(QStringLiteral("Pts")).setInteger(5);
    t.post();
    QCOMPARE(t.recNo(), 1);
    QCOMPARE(t.field(QStringLiteral("Team")).asString(), QStringLiteral("Gamma"));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, t.setSort(QStringLiteral("Nope DESC")));
    QCOMPARE(t.sort(), QStringLiteral("Pts DESC"));
}

void TestDataset::filterAndErrors()
{
    Table &t = *m_t;
    t.setFilter(QStringLiteral("Pts = 3 OR Team = 'O''Neill Town'"));
    QCOMPARE(t.recordCount(), 5); // not switched on yet
    t.setFiltered(true);
    QCOMPARE(names(t), (QStringList{QStringLiteral("Östersund"), QStringLiteral("Beta"),
                                    QStringLiteral("O'Neill Town")}));
    t.setFilter(QStringLiteral("DateP >= 1/1/2004 AND DateP <= 12/31/2004"));
    QCOMPARE(names(t), (QStringList{QStringLiteral("Östersund"), QStringLiteral("alpha"),
                                    QStringLiteral("O'Neill Town")}));
    try {
        t.setFilter(QStringLiteral("Pts = = 3"));
        QFAIL("malformed filter accepted");
    } catch (const DatabaseError &e) {
        QVERIFY(e.message().contains(QStringLiteral("Pts = = 3")));
    }
    // The failed text changed nothing.
    QCOMPARE(t.filter(), QStringLiteral("DateP >= 1/1/2004 AND DateP <= 12/31/2004"));
    QCOMPARE(t.recordCount(), 3);
    t.setFiltered(false);
    QCOMPARE(t.recordCount(), 5);
}

void TestDataset::editLeavesFilteredView()
{
    Table &t = *m_t;
    t.setFilter(QStringLiteral("Pts = 3"));
    t.setFiltered(true);
    t.first();
    t.edit();
    t.field(QStringLiteral("Pts")).setInteger(0);
    t.post();
    QCOMPARE(t.recordCount(), 1);
    QCOMPARE(t.field(QStringLiteral("Team")).asString(), QStringLiteral("Beta"));
}

void TestDataset::locate_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("found"); // empty: not found
    const int ci = Dataset::CaseInsensitive;
    QTest::newRow("exact") << "Team" << QVariantList{QStringLiteral("Beta")} << 0 << "Beta";
    QTest::newRow("case counts") << "Team" << QVariantList{QStringLiteral("beta")} << 0 << "";
    QTest::newRow("case ignored") << "Team" << QVariantList{QStringLiteral("BETA")} << ci << "Beta";
    QTest::newRow("unicode case ignored")
        << "Team" << QVariantList{QStringLiteral("ÖSTERSUND")} << ci << "Östersund";
    QTest::newRow("partial key") << "Team" << QVariantList{QStringLiteral("o'n")}
                                 << (ci | Dataset::PartialKey) << "O'Neill Town";
    QTest::newRow("two fields") << "Team;Pts" << QVariantList{QStringLiteral("gamma"), 1} << ci << "Gamma";
    QTest::newRow("two fields, one differs")
        << "Team;Pts" << QVariantList{QStringLiteral("gamma"), 3} << ci << "";
    QTest::newRow("date field") << "DateP" << QVariantList{QDate(2004, 6, 15)} << 0 << "O'Neill Town";
}

void TestDataset::locate()
{
    QFETCH(QString, fields);
    QFETCH(QVariantList, values);
    QFETCH(int, options);
    QFETCH(QString, found);
    m_t->setRecNo(2);
    const bool ok = m_t->locate(fields, values, options);
    QCOMPARE(ok, !found.isEmpty());
    if (ok)
        QCOMPARE(m_t->field(QStringLiteral("Team")).asString(), found);
    else
        QCOMPARE(m_t->recNo(), 2); // a failed locate does not move
}

// The case-blind locate goes through an index; it must find what the plain walk finds after every
// kind of change: the first equal row in the view's order, never a deleted or filtered-out one.
void TestDataset::caseBlindLocateFollowsChanges()
{
    const auto at = [this](const char *name) {
        return m_t->locate(QStringLiteral("Team"), {QString::fromUtf8(name)}, Dataset::CaseInsensitive)
                   ? m_t->field(QStringLiteral("Pts")).asInteger()
                   : -1;
    };
    QCOMPARE(at("ÖSTERSUND"), 3);
    m_t->appendRecord({QStringLiteral("BETA"), 7});
    m_t->setSort(QStringLiteral("Pts DESC"));
    QCOMPARE(at("beta"), 7); // the appended spelling comes first in this order
    m_t->setSort(QString());
    QCOMPARE(at("beta"), 3); // and second in stored order
    m_t->setFilter(QStringLiteral("Pts > 5"));
    m_t->setFiltered(true);
    QCOMPARE(at("Beta"), 7);
    QCOMPARE(at("alpha"), -1); // filtered out
    m_t->setFiltered(false);

    QVERIFY(m_t->locate(QStringLiteral("Team"), {QStringLiteral("alpha")}, Dataset::CaseInsensitive));
    m_t->edit();
    m_t->field(QStringLiteral("Team")).setString(QStringLiteral("Delta"));
    m_t->post();
    QCOMPARE(at("ALPHA"), -1);
    QCOMPARE(at("delta"), 1);
    QVERIFY(m_t->locate(QStringLiteral("Team"), {QStringLiteral("beta")}, Dataset::CaseInsensitive));
    m_t->deleteRecord();
    QCOMPARE(at("beta"), 7);
    m_t->reload();
    QCOMPARE(at("BeTa"), 7);
    QCOMPARE(at(""), -1);
}

// Hashing by the folded text is only sound when two texts have equal keys exactly when they compare
// equal: checked over every character of the Basic Multilingual Plane and its case partners.
void TestDataset::foldedKeysAgreeWithComparison()
{
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const QString text = QString(QChar(char16_t(c)));
        for (const QString &other : {text.toUpper(), text.toLower(), TextCompare::foldedKey(text)}) {
            const bool equal = TextCompare::equalNoCase(text, other);
            if (equal != (TextCompare::foldedKey(text) == TextCompare::foldedKey(other)))
                QFAIL(qPrintable(QStringLiteral("U+%1 and '%2' disagree").arg(uint(c), 4, 16).arg(other)));
        }
    }
}

// A table restricted to some rows holds only those, takes appended rows as usual, and still knows the
// largest value of the whole file (a new match's ID must follow every stored one).
void TestDataset::restrictedRows_data()
{
    QTest::addColumn<QStringList>("maxColumns");
    QTest::newRow("maxima asked of the file") << QStringList();
    QTest::newRow("maxima found with the rows") << QStringList({QStringLiteral("Pts")});
}

void TestDataset::restrictedRows()
{
    QFETCH(QStringList, maxColumns);
    Table t(m_db, QStringLiteral("T"));
    t.restrictRows(QStringLiteral("DateP BETWEEN ?1 AND ?2"),
                   {QStringLiteral("2004-06-01"), QStringLiteral("2004-12-31")}, maxColumns);
    t.open();
    QCOMPARE(names(t), QStringList({QStringLiteral("Östersund"), QStringLiteral("O'Neill Town")}));
    QCOMPARE(t.maxOf(QStringLiteral("Pts")), std::optional<double>(3));
    // After a write the maximum found at the load is stale: lowering the loaded maximum asks anew.
    m_db->execute(QStringLiteral("DELETE FROM T WHERE Team = 'Beta'"));
    t.first();
    t.edit();
    t.field(QStringLiteral("Pts")).setInteger(2);
    t.post();
    QCOMPARE(t.maxOf(QStringLiteral("Pts")), std::optional<double>(2));
    m_db->execute(
        QStringLiteral("UPDATE T SET Pts = 9 WHERE Team = 'Gamma'")); // a row the table does not hold
    t.reload();
    QCOMPARE(t.maxOf(QStringLiteral("Pts")), std::optional<double>(9));
    t.appendRecord({QStringLiteral("Epsilon"), 12});
    QCOMPARE(t.maxOf(QStringLiteral("Pts")), std::optional<double>(12));
    QCOMPARE(t.recordCount(), 3);
    t.close();
    t.restrictRows(QString());
    t.open();
    QCOMPARE(t.recordCount(), 5); // Beta went
}

// Updates of different sets of columns, one after the other, each write exactly their own values.
void TestDataset::updatesOfDifferentColumns()
{
    m_t->first();
    for (int round = 0; round < 3; ++round) {
        m_t->edit();
        m_t->field(QStringLiteral("Pts")).setInteger(10 + round);
        m_t->post();
        m_t->edit();
        m_t->field(QStringLiteral("Team")).setString(QStringLiteral("Team %1").arg(round));
        m_t->field(QStringLiteral("Ok")).setBoolean(round % 2 == 1);
        m_t->post();
    }
    const QVariant stored =
        m_db->scalar(QStringLiteral("SELECT Team || '/' || Pts || '/' || Ok FROM T ORDER BY rowid LIMIT 1"));
    QCOMPARE(stored.toString(), QStringLiteral("Team 2/12.0/0"));
}

// Deferred edits show in the dataset at once and reach the file on flush, every column of them; what
// was never flushed goes with a rolled-back transaction.
void TestDataset::deferredWritesReachTheFileOnFlush()
{
    const auto stored = [this](const char *team) {
        return m_db
            ->scalar(QStringLiteral("SELECT Pts || '/' || Ok FROM T WHERE Team = ?1"),
                     {QString::fromUtf8(team)})
            .toString();
    };
    {
        Transaction tx(*m_db);
        DeferredWrites deferred(*m_t);
        QVERIFY(m_t->locate(QStringLiteral("Team"), {QStringLiteral("Beta")}));
        for (int i = 1; i <= 3; ++i) {
            m_t->edit();
            m_t->field(QStringLiteral("Pts")).setInteger(3 + i);
            m_t->post();
        }
        m_t->edit();
        m_t->field(QStringLiteral("Ok")).setBoolean(false);
        m_t->post();
        QCOMPARE(m_t->field(QStringLiteral("Pts")).asInteger(), 6);
        QCOMPARE(stored("Beta"), QStringLiteral("3.0/1"));
        deferred.flush();
        QCOMPARE(stored("Beta"), QStringLiteral("6.0/0"));
        tx.commit();
    }
    {
        Transaction tx(*m_db);
        DeferredWrites deferred(*m_t);
        QVERIFY(m_t->locate(QStringLiteral("Team"), {QStringLiteral("alpha")}));
        m_t->edit();
        m_t->field(QStringLiteral("Pts")).setInteger(40);
        m_t->post();
    } // neither flushed nor committed
    QCOMPARE(stored("alpha"), QStringLiteral("1.0/0"));
    QVERIFY(m_t->locate(QStringLiteral("Team"), {QStringLiteral("alpha")}));
    QCOMPARE(m_t->field(QStringLiteral("Pts")).asInteger(), 1);
    m_t->edit();
    m_t->field(QStringLiteral("Pts")).setInteger(2);
    m_t->post(); // no longer deferred
    QCOMPARE(stored("alpha"), QStringLiteral("2.0/0"));
}

void TestDataset::namesAreData()
{
    const QStringList nasty = {QStringLiteral("Rock'n\"Roll; FC"), QStringLiteral("100% -- United"),
                               QStringLiteral("x' OR '1'='1"), QStringLiteral("Ñandú Ölé")};
    for (const QString &n : nasty)
        m_t->appendRecord({n, 2});
    for (const QString &n : nasty) {
        QVERIFY(m_t->locate(QStringLiteral("Team"), {n.toUpper()}, Dataset::CaseInsensitive));
        QCOMPARE(m_t->field(QStringLiteral("Team")).asString(), n);
        QString quoted = n;
        quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
        m_t->setFilter(QStringLiteral("Team = '%1'").arg(quoted));
        m_t->setFiltered(true);
        QCOMPARE(m_t->recordCount(), 1);
        m_t->setFiltered(false);
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM T WHERE Team = ?1 COLLATE UNOCASE"),
                              {n.toLower()})
                     .toInt(),
                 1);
    }
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM T")).toInt(), 9); // nothing was injected
}

void TestDataset::tooLongTextRefused()
{
    m_t->first();
    m_t->edit();
    try {
        m_t->field(QStringLiteral("Team")).setString(QString(31, QLatin1Char('x')));
        QFAIL("a text over the column's width was accepted");
    } catch (const DatabaseError &e) {
        QVERIFY(e.message().contains(QStringLiteral("Team")));
    }
    m_t->field(QStringLiteral("Team")).setString(QString(30, QLatin1Char('x')));
    m_t->post();
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT Team FROM T WHERE rowid = 1")).toString().size(), 30);
}

void TestDataset::fieldConversions()
{
    Table &t = *m_t;
    t.first();
    t.edit();
    t.field(QStringLiteral("Pts")).setFloat(2.5);
    QCOMPARE(t.field(QStringLiteral("Pts")).asInteger(), 2); // whole numbers read half to even
    QCOMPARE(t.field(QStringLiteral("Pts")).asString(), QStringLiteral("2.5"));
    t.field(QStringLiteral("Pts")).setString(QStringLiteral("3.5"));
    QCOMPARE(t.field(QStringLiteral("Pts")).asInteger(), 4);
    QVERIFY_THROWS_EXCEPTION(ConversionError,
                             t.field(QStringLiteral("Pts")).setString(QStringLiteral("abc")));
    t.field(QStringLiteral("Ok")).setBoolean(true);
    QVERIFY(t.field(QStringLiteral("Ok")).asBoolean());
    QCOMPARE(t.field(QStringLiteral("Ok")).value().toLongLong(), 1);
    t.field(QStringLiteral("Pic")).setBlob(QByteArray("BM\0\1", 4));
    t.post();
    QCOMPARE(t.field(QStringLiteral("Pic")).asBlob(), QByteArray("BM\0\1", 4));
    QCOMPARE(t.field(QStringLiteral("DateP")).asDate(), QDate(2004, 12, 31));
    QCOMPARE(t.field(QStringLiteral("Ok")).asString(), QStringLiteral("True"));
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT typeof(Ok) FROM T WHERE rowid = 1")).toString(),
             QStringLiteral("integer"));
}

void TestDataset::deleteHooks()
{
    Table &t = *m_t;
    QStringList seen;
    t.setBeforeDelete([&](Dataset &ds) {
        const QString team = ds.field(QStringLiteral("Team")).asString();
        seen << QStringLiteral("before ") + team;
        if (team == QLatin1String("Beta"))
            throw DatabaseError(QStringLiteral("kept"));
    });
    t.setAfterDelete([&](Dataset &) { seen << QStringLiteral("after"); });
    QVERIFY(t.locate(QStringLiteral("Team"), {QStringLiteral("Beta")}));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, t.deleteRecord());
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM T")).toInt(), 5);
    QCOMPARE(t.recordCount(), 5);
    QVERIFY(t.locate(QStringLiteral("Team"), {QStringLiteral("alpha")}));
    t.deleteRecord();
    QCOMPARE(seen, (QStringList{QStringLiteral("before Beta"), QStringLiteral("before alpha"),
                                QStringLiteral("after")}));
    QCOMPARE(t.field(QStringLiteral("Team")).asString(), QStringLiteral("Beta")); // the next row is current
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM T")).toInt(), 4);
    t.last();
    t.deleteRecord();
    QCOMPARE(t.field(QStringLiteral("Team")).asString(), QStringLiteral("O'Neill Town"));
}

void TestDataset::bookmarks()
{
    Table &t = *m_t;
    t.setRecNo(3);
    const Dataset::Bookmark b = t.bookmark();
    t.setSort(QStringLiteral("Team DESC"));
    t.first();
    t.gotoBookmark(b);
    QCOMPARE(t.field(QStringLiteral("Team")).asString(), QStringLiteral("Beta"));
    t.setFilter(QStringLiteral("Pts = 0"));
    t.setFiltered(true);
    QVERIFY(!t.bookmarkValid(b));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, t.gotoBookmark(b));
}

void TestDataset::rollbackReloadsRows()
{
    {
        Transaction tx(*m_db);
        m_t->first();
        m_t->edit();
        m_t->field(QStringLiteral("Pts")).setInteger(77);
        m_t->post();
        m_t->appendRecord({QStringLiteral("Temp"), 1});
        QCOMPARE(m_t->recordCount(), 6);
    } // not committed
    QCOMPARE(m_t->recordCount(), 5);
    m_t->first();
    QCOMPARE(m_t->field(QStringLiteral("Pts")).asInteger(), 3);
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM T")).toInt(), 5);
}

void TestDataset::otherConnectionChangesAreSeenByTransaction()
{
    Database other;
    other.open(m_path);
    other.execute(QStringLiteral("UPDATE T SET Pts = 10 WHERE Team = 'Beta'"));
    QVERIFY(m_t->locate(QStringLiteral("Team"), {QStringLiteral("Beta")}));
    QCOMPARE(m_t->field(QStringLiteral("Pts")).asInteger(), 3); // the copy is older than the file
    Transaction tx(*m_db);
    QCOMPARE(m_t->field(QStringLiteral("Pts")).asInteger(), 10); // a write starts from the file's rows
    QCOMPARE(m_t->field(QStringLiteral("Team")).asString(), QStringLiteral("Beta"));
    tx.commit();
}

void TestDataset::maxOfFollowsWrites()
{
    Table &t = *m_t;
    t.setFilter(QStringLiteral("Pts = 0"));
    t.setFiltered(true);
    QCOMPARE(t.maxOf(QStringLiteral("Pts")).value(), 3.0); // whatever the filter
    t.appendRecord({QStringLiteral("Top"), 9});
    QCOMPARE(t.maxOf(QStringLiteral("Pts")).value(), 9.0);
    t.setFiltered(false);
    QVERIFY(t.locate(QStringLiteral("Team"), {QStringLiteral("Top")}));
    t.edit();
    t.field(QStringLiteral("Pts")).setInteger(2);
    t.post();
    QCOMPARE(t.maxOf(QStringLiteral("Pts")).value(), 3.0);
    m_db->execute(QStringLiteral("DELETE FROM T"));
    t.reload();
    QVERIFY(!t.maxOf(QStringLiteral("Pts")).has_value());
}

void TestDataset::queryIsReadOnlyAndBindsValues()
{
    Query q(m_db);
    q.setSql(
        QStringLiteral("SELECT Team, Pts, DateP, Pts * 2 AS Double FROM T WHERE Pts >= ?1 ORDER BY DateP"),
        {1});
    q.open();
    QCOMPARE(q.recordCount(), 4);
    q.first();
    QCOMPARE(q.field(QStringLiteral("Team")).asString(), QStringLiteral("Gamma")); // NULL date first
    QCOMPARE(q.field(QStringLiteral("Double")).asInteger(), 2);
    q.next();
    QCOMPARE(q.field(QStringLiteral("DateP")).asDate(), QDate(2004, 1, 1));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, q.edit());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, q.deleteRecord());
    q.setSort(QStringLiteral("Pts DESC"));
    q.first();
    QCOMPARE(q.field(QStringLiteral("Team")).asString(), QStringLiteral("Östersund"));
}

void TestDataset::unicodeOrderInSql()
{
    QStringList order;
    Statement st = m_db->prepare(QStringLiteral("SELECT Team FROM T ORDER BY Team COLLATE UNOCASE"));
    while (st.step())
        order << st.value(0).toString();
    QCOMPARE(order, (QStringList{QStringLiteral("alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma"),
                                 QStringLiteral("O'Neill Town"), QStringLiteral("Östersund")}));
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM T WHERE Team = ?1 COLLATE UNOCASE"),
                          {QStringLiteral("östersund")})
                 .toInt(),
             1);
}

void TestDataset::closingDatabaseClosesDatasets()
{
    Query q(m_db);
    q.setSql(QStringLiteral("SELECT * FROM T"));
    q.open();
    m_db->close();
    QVERIFY(!m_t->isActive());
    QVERIFY(!q.isActive());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, m_t->first());
}

void TestDataset::controlsDisabledCoalescesSignals()
{
    QSignalSpy layout(m_t, &Dataset::layoutChanged);
    QSignalSpy rows(m_t, &Dataset::rowChanged);
    {
        ControlsDisabled quiet(*m_t);
        for (m_t->first(); !m_t->eof(); m_t->next()) {
            m_t->edit();
            m_t->field(QStringLiteral("Pts")).setInteger(1);
            m_t->post();
        }
        m_t->appendRecord({QStringLiteral("New"), 1});
        QCOMPARE(layout.count(), 0);
        QCOMPARE(rows.count(), 0);
    }
    QCOMPARE(layout.count(), 1);
    m_t->first();
    m_t->edit();
    m_t->field(QStringLiteral("Pts")).setInteger(2);
    m_t->post();
    QCOMPARE(rows.count(), 1);
}

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"

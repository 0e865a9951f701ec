#include "data/Database.h"
#include "data/Query.h"
#include "data/RowStore.h"
#include "data/Table.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstring>
#include <limits>

// The typed column storage of the datasets: every value reads back as it went in, type included, whatever
// form its column took; rows loaded from a file read as the engine hands them out; a text repeated in a
// column is held once.
class TestRowStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void valuesReadBackAsTheyWentIn_data();
    void valuesReadBackAsTheyWentIn();
    void loadedRowsReadAsTheEngineHandsThemOut_data();
    void loadedRowsReadAsTheEngineHandsThemOut();
    void repeatedTextsAreHeldOnce();
    void editsAndAppendsKeepOtherCells();
};

namespace
{
double nanWithPayload(quint64 bits)
{
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// Same type and same value; doubles compared bit for bit, so NaNs and -0 count.
void compareExactly(const QVariant &have, const QVariant &want, const QByteArray &where)
{
    QVERIFY2(have.isValid() == want.isValid(), where);
    if (!want.isValid())
        return;
    const QByteArray types = where + " holds " + have.typeName() + " for " + want.typeName();
    QVERIFY2(have.typeId() == want.typeId(), types.constData());
    if (want.typeId() == QMetaType::Double) {
        const double a = have.toDouble(), b = want.toDouble();
        QVERIFY2(std::memcmp(&a, &b, sizeof a) == 0, where);
    } else if (want.typeId() == QMetaType::QString) {
        QVERIFY2(have.toString() == want.toString(), where);
        const QByteArray nullText = where + " null text";
        QVERIFY2(have.toString().isNull() == want.toString().isNull(), nullText.constData());
    } else {
        QVERIFY2(have == want, where);
    }
}
} // namespace

void TestRowStore::valuesReadBackAsTheyWentIn_data()
{
    QTest::addColumn<QVariantList>("values"); // one column, a row each
    const QVariant null;
    QTest::newRow("doubles and NULLs") << QVariantList{null, 1.5, -0.0, null, 1e300};
    QTest::newRow("whole doubles, then not") << QVariantList{2.0, null, -3.0, 2147483647.0, -0.0, 0.5, 4.0};
    QTest::newRow("whole doubles, then too big")
        << QVariantList{0.0, -2147483647.0, -2147483648.0, 1e10, null, 7.0};
    QTest::newRow("whole doubles, then a text") << QVariantList{1.0, null, QStringLiteral("1")};
    QTest::newRow("whole numbers") << QVariantList{qint64(0), null, qint64(-7),
                                                   std::numeric_limits<qint64>::max()};
    QTest::newRow("smallest whole number")
        << QVariantList{qint64(3), std::numeric_limits<qint64>::min(), null};
    QTest::newRow("NaNs") << QVariantList{std::nan(""), nanWithPayload(0x7ff8'5155'4f52'4e55ULL),
                                          nanWithPayload(0x7ff0'0000'0000'0001ULL), null};
    QTest::newRow("texts, empty and null texts") << QVariantList{
        QStringLiteral("Arsenal"), QString(), QString(QLatin1String("")), null, QStringLiteral("Arsenal"),
        QStringLiteral("arsenal")};
    QTest::newRow("a text among numbers") << QVariantList{2.0, null, QStringLiteral("x"), 3.0};
    QTest::newRow("a number among texts") << QVariantList{QStringLiteral("2-1"), qint64(4), null, 2.5};
    QTest::newRow("pictures") << QVariantList{QByteArray("BM\0\1", 4), null, QByteArray()};
    QTest::newRow("other types") << QVariantList{QVariant(5), QVariant(true), QVariant(QDate(2004, 2, 29))};
}

void TestRowStore::valuesReadBackAsTheyWentIn()
{
    QFETCH(QVariantList, values);
    RowStore store;
    store.reset(2);
    for (const QVariant &v : values) {
        const int row = store.appendRow();
        store.set(row, 0, v);
        store.set(row, 1, QStringLiteral("beside"));
    }
    QCOMPARE(store.rowCount(), size_t(values.size()));
    for (int r = 0; r < values.size(); ++r) {
        const QByteArray where = "row " + QByteArray::number(r);
        compareExactly(store.value(r, 0), values[r], where);
        QCOMPARE(store.isNull(r, 0), !values[r].isValid());
        QCOMPARE(store.value(r, 1).toString(), QStringLiteral("beside"));
        QCOMPARE(store.row(r).size(), 2);
    }
    // Written again in reverse order over the same rows: each value replaces the one before.
    for (int r = 0; r < values.size(); ++r)
        store.set(r, 0, values[values.size() - 1 - r]);
    for (int r = 0; r < values.size(); ++r)
        compareExactly(store.value(r, 0), values[values.size() - 1 - r], "again " + QByteArray::number(r));
}

void TestRowStore::loadedRowsReadAsTheEngineHandsThemOut_data()
{
    QTest::addColumn<QString>("sql"); // a query over table T, or empty for the table itself
    QTest::newRow("table") << QString();
    QTest::newRow("expressions") << QStringLiteral("SELECT Team, count(*) AS N, avg(Pts) AS Mean, "
                                                   "max(DateP), Team || '!' FROM T GROUP BY Team ORDER BY 1");
    QTest::newRow("mixed types in one column") << QStringLiteral(
        "SELECT CASE WHEN rowid % 3 = 0 THEN Pts WHEN rowid % 3 = 1 THEN Team END AS M FROM T");
}

void TestRowStore::loadedRowsReadAsTheEngineHandsThemOut()
{
    QFETCH(QString, sql);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.qvl"));
    Database::create(path);
    Database db;
    db.open(path);
    db.execute(QStringLiteral("CREATE TABLE T (Team TEXT(30), Pts REAL, DateP DATE, Ok BIT, Pic BLOB)"));
    // An old file's oddities too: a text in a number column, a number in a date column, an empty text.
    const QList<QVariantList> rows = {
        {QStringLiteral("Arsenal"), 3.0, QStringLiteral("2004-12-31"), qint64(1), QVariant()},
        {QStringLiteral("Chelsea"), QStringLiteral("n/a"), QVariant(), qint64(0), QByteArray("BM", 2)},
        {QStringLiteral("Arsenal"), QVariant(), qint64(20041231), QVariant(), QVariant()},
        {QString(QLatin1String("")), -1.25, QStringLiteral("2005-01-01"), qint64(1), QVariant()},
        {QVariant(), 0.0, QStringLiteral("2004-12-31"), qint64(0), QVariant()},
    };
    for (const QVariantList &r : rows)
        db.execute(QStringLiteral("INSERT INTO T VALUES (?1, ?2, ?3, ?4, ?5)"), r);

    std::unique_ptr<Dataset> ds;
    const QString select =
        sql.isEmpty() ? QStringLiteral("SELECT Team, Pts, DateP, Ok, Pic FROM T ORDER BY rowid") : sql;
    if (sql.isEmpty()) {
        ds = std::make_unique<Table>(&db, QStringLiteral("T"));
    } else {
        auto query = std::make_unique<Query>(&db);
        query->setSql(sql);
        ds = std::move(query);
    }
    ds->open();
    Statement st = db.prepare(select);
    int r = 0;
    for (; st.step(); ++r) {
        QVERIFY(r < ds->recordCount());
        ds->setRecNo(r + 1);
        for (int c = 0; c < st.columnCount(); ++c) {
            const QByteArray where = "row " + QByteArray::number(r) + " column " + QByteArray::number(c);
            compareExactly(ds->valueAt(r, c), st.value(c), where);
            compareExactly(ds->field(c).value(), st.value(c), "field " + where);
        }
    }
    QCOMPARE(r, ds->recordCount());
}

void TestRowStore::repeatedTextsAreHeldOnce()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.qvl"));
    Database::create(path);
    Database db;
    db.open(path);
    db.execute(QStringLiteral("CREATE TABLE T (Home TEXT(30), DateP DATE)"));
    for (int i = 0; i < 50; ++i)
        db.execute(QStringLiteral("INSERT INTO T VALUES (?1, '2004-12-31')"),
                   {i % 2 ? QStringLiteral("Arsenal") : QStringLiteral("Chelsea")});
    Table t(&db, QStringLiteral("T"));
    t.open();
    // One text for every row that holds it, not a copy per row.
    const QString first = t.valueAt(1, 0).toString();
    for (int r = 3; r < t.recordCount(); r += 2)
        QCOMPARE(t.valueAt(r, 0).toString().constData(), first.constData());
    QCOMPARE(t.valueAt(0, 1).toString().constData(), t.valueAt(49, 1).toString().constData());
    QVERIFY(t.valueAt(0, 0).toString().constData() != first.constData());
}

void TestRowStore::editsAndAppendsKeepOtherCells()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.qvl"));
    Database::create(path);
    Database db;
    db.open(path);
    db.execute(QStringLiteral("CREATE TABLE T (Home TEXT(30), F REAL, Ok BIT, Pic BLOB)"));
    db.execute(QStringLiteral("INSERT INTO T VALUES ('Arsenal', 1, 1, NULL)"));
    db.execute(QStringLiteral("INSERT INTO T VALUES ('Chelsea', NULL, 0, NULL)"));
    Table t(&db, QStringLiteral("T"));
    t.open();
    t.last();
    t.edit();
    t.field(QStringLiteral("F")).setFloat(2.5);
    t.post();
    t.appendRecord({QStringLiteral("Fulham"), QVariant(), QStringLiteral("yes"), QByteArray("BM", 2)});
    const QList<QVariantList> want = {{QStringLiteral("Arsenal"), 1.0, qint64(1), QVariant()},
                                      {QStringLiteral("Chelsea"), 2.5, qint64(0), QVariant()},
                                      {QStringLiteral("Fulham"), QVariant(), qint64(1), QByteArray("BM", 2)}};
    QCOMPARE(t.recordCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            compareExactly(t.valueAt(r, c), want[r][c],
                           "row " + QByteArray::number(r) + " column " + QByteArray::number(c));
    // And the file agrees once read again.
    t.reload();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            compareExactly(t.valueAt(r, c), want[r][c], "reloaded row " + QByteArray::number(r));
}

QTEST_GUILESS_MAIN(TestRowStore)
#include "tst_rowstore.moc"

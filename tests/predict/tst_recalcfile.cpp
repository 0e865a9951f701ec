// recalc and backtest on the command line write exactly what they wrote before their matches were read
// as typed values and streamed: a small league with the awkward cases (names differing in letter case,
// one day's matches in stored order, matches without a date, overtime, prices that do not read, low
// ratings) is recalculated and back-tested, and every table of the league and of the systems file is
// compared, value and type, with what the earlier code wrote (recalc_expected.txt, made from the same
// league, recalc_league.sql).

#include "data/Database.h"
#include "support/CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace
{

QString readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Every table by name, then its rows in stored order, each value as SQL quotes it (type and value).
QString dump(const QString &path)
{
    Database db;
    db.open(path);
    QString out;
    Statement tables =
        db.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (tables.step()) {
        const QString table = tables.value(0).toString();
        QStringList quoted;
        for (const auto &column : db.tableColumns(table))
            quoted << QStringLiteral("quote(\"%1\")").arg(column.first);
        out += QLatin1Char('[') + table + QStringLiteral("]\n");
        Statement rows = db.prepare(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid")
                                        .arg(quoted.join(QStringLiteral(" || '|' || ")), table));
        while (rows.step())
            out += rows.value(0).toString() + QLatin1Char('\n');
    }
    return out;
}

} // namespace

class TestRecalcFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recalcAndBacktestWriteWhatTheyWroteBefore();
};

void TestRecalcFile::recalcAndBacktestWriteWhatTheyWroteBefore()
{
    const QString script = QFINDTESTDATA("predict/data/recalc_league.sql");
    const QString expectedPath = QFINDTESTDATA("predict/data/recalc_expected.txt");
    QVERIFY(!script.isEmpty() && !expectedPath.isEmpty());
    QTemporaryDir dir;
    const QString league = dir.filePath(QStringLiteral("league.qvl"));
    const QString systems = dir.filePath(QStringLiteral("systems.qvs"));
    {
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(league.toUtf8().constData(), &db), SQLITE_OK);
        const int rc = sqlite3_exec(db, readText(script).toUtf8().constData(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
        QCOMPARE(rc, SQLITE_OK);
    }

    const CliRun recalc = runCli(quorvaneCli(), {QStringLiteral("recalc"), league});
    QCOMPARE(recalc.exitCode, 0);
    const CliRun backtest =
        runCli(quorvaneCli(), {QStringLiteral("backtest"), league, QStringLiteral("--systems"), systems});
    QCOMPARE(backtest.exitCode, 0);

    const QStringList actual = QString(dump(league) + dump(systems)).split(QLatin1Char('\n'));
    const QStringList expected = readText(expectedPath).split(QLatin1Char('\n'));
    QCOMPARE(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i)
        QCOMPARE(actual[i], expected[i]);
}

QTEST_GUILESS_MAIN(TestRecalcFile)
#include "tst_recalcfile.moc"

// The one-pass histories against the straightforward per-match queries, on random leagues: every
// stored prediction, every back-test detail row and the summary must be identical.

#include "analysis/BackTest.h"
#include "analysis/SystemsFile.h"
#include "data/TDataMod.h"
#include "predict/PredictionCommands.h"
#include "support/QueryHistories.h"
#include "support/RandomLeague.h"
#include "support/RecordingMessenger.h"
#include "support/StoredRows.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{
struct Outcome {
    QStringList results;
    QStringList detail;
    QStringList methods;
};

Outcome runAll(const QString &league, const QString &systems, const PredictionOptions &options,
               bool straightforward, bool scoreView)
{
    Outcome out;
    TDataMod dm;
    dm.openLeague(league);
    if (scoreView) {
        dm.ADOTableResults.setFilter(QStringLiteral("Result <> ':' AND Rnd >= 3"));
        dm.ADOTableResults.setFiltered(true);
        dm.ADOTableResults.setSort(QStringLiteral("HP DESC, DateP DESC"));
    }
    RecordingMessenger messenger;
    QueryHistories queries(dm.ADOConnection);
    HistorySource *source = straightforward ? &queries : nullptr;
    RecalculatePredictions(dm, options, messenger, {}, source);
    dm.ADOTableResults.setFilter(QStringLiteral("Result = ':'"));
    dm.ADOTableResults.setFiltered(true);
    dm.ADOTableResults.setSort(QStringLiteral("Verdict, DateP"));
    PredictUpcomingMatches(dm, options, messenger, {}, source);
    out.results = storedRowList(dm.ADOConnection, QStringLiteral("Results"));

    Database sys;
    SystemsFile::open(sys, systems);
    BettingSystem system;
    system.options = options;
    system.startingBalance = 100;
    system.wager = 15;
    BackTest test(system, dm, sys, source);
    test.run();
    out.detail = storedRowList(sys, QStringLiteral("Results"));
    out.methods = storedRowList(sys, QStringLiteral("Methods"));
    return out;
}
} // namespace

class TestDifferential : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Database::setDurableWrites(false); // results, not durability, are checked here
    }
    void sameAsStraightforward_data();
    void sameAsStraightforward();
};

void TestDifferential::sameAsStraightforward_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("venue");
    QTest::addColumn<int>("lastMatches");
    QTest::addColumn<bool>("scoreView");
    for (quint32 seed : {1u, 2u})
        for (bool venue : {true, false})
            for (int lm = 2; lm <= 10; ++lm)
                QTest::addRow("seed %u %s LM %d", seed, venue ? "venue" : "overall", lm)
                    << seed << venue << lm << (lm % 3 == 0);
}

void TestDifferential::sameAsStraightforward()
{
    QFETCH(quint32, seed);
    QFETCH(bool, venue);
    QFETCH(int, lastMatches);
    QFETCH(bool, scoreView);
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("base.qvl"));
    RandomLeagueSpec spec;
    spec.seed = seed;
    spec.matches = 100 + 40 * static_cast<int>(seed);
    writeRandomLeague(base, spec);
    const QString fast = dir.filePath(QStringLiteral("fast.qvl"));
    const QString slow = dir.filePath(QStringLiteral("slow.qvl"));
    QVERIFY(QFile::copy(base, fast));
    QVERIFY(QFile::copy(base, slow));

    PredictionOptions o;
    o.venueStats = venue;
    o.lastMatches = lastMatches;
    o.draw = seed % 2 == 0;
    o.confidence = 10 + 10 * static_cast<int>(seed);
    o.homePct = 40;
    o.drawPct = 25;
    const Outcome a = runAll(fast, dir.filePath(QStringLiteral("sys-fast.qvs")), o, false, scoreView);
    const Outcome b = runAll(slow, dir.filePath(QStringLiteral("sys-slow.qvs")), o, true, scoreView);
    QCOMPARE(a.results, b.results);
    QCOMPARE(a.detail, b.detail);
    QCOMPARE(a.methods, b.methods);
    // The run did predict something: not every stored predicted score is the empty one.
    int predicted = 0;
    for (const QString &row : a.results)
        predicted += row.split(QLatin1Char('|')).at(22) != QLatin1String(":");
    QVERIFY(predicted > 50);
    QVERIFY(a.detail.size() > 50);
}

QTEST_GUILESS_MAIN(TestDifferential)
#include "tst_differential.moc"

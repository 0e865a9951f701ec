#include "data/Errors.h"
#include "data/LeagueSchema.h"
#include "entry/MatchEntry.h"
#include "support/LeagueFixture.h"

#include <QTest>

class TestMatchEntry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void smoke();
};

void TestMatchEntry::smoke()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {QStringLiteral("Arsenal"), QStringLiteral("Chelsea")});
    QVERIFY(f.addMatch(QStringLiteral("Arsenal"), QStringLiteral("Chelsea"), 2, 0));
    QCOMPARE(f.team(QStringLiteral("Arsenal"), QStringLiteral("TRT")), 1650);
    QCOMPARE(f.team(QStringLiteral("Chelsea"), QStringLiteral("TRT")), 1350);
    QCOMPARE(f.team(QStringLiteral("Arsenal"), QStringLiteral("HPts")), 3);
    f.reopen();
    QCOMPARE(f.team(QStringLiteral("Arsenal"), QStringLiteral("TRH")), 1650);
    QCOMPARE(f.team(QStringLiteral("Chelsea"), QStringLiteral("TRA")), 1350);
    QCOMPARE(f.team(QStringLiteral("Chelsea"), QStringLiteral("TRH")), 1500);
    QCOMPARE(f.dm().ADOTableResults.recordCount(), 1);
    QCOMPARE(f.dm().ADOTableResults.field(QStringLiteral("Result")).asString(), QStringLiteral("2:0"));
}

QTEST_GUILESS_MAIN(TestMatchEntry)
#include "tst_matchentry.moc"

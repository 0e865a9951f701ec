// "Merge Teams" offscreen: two teams that have met are merged only after the question that offers to
// delete their matches is answered Yes.

#include "data/Database.h"
#include "data/ui/GuiMessenger.h"
#include "entry/ui/TFormMergeTeams.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QComboBox>
#include <QTest>

class TestMergeTeams : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Database::setDurableWrites(false);
        setMessenger(&m_messages);
    }
    void cleanupTestCase() { setMessenger(nullptr); }
    void teamsThatMetAreMergedAfterYes();

private:
    RecordingMessenger m_messages;
};

void TestMergeTeams::teamsThatMetAreMergedAfterYes()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("Ayr"), QStringLiteral("Boro"), QStringLiteral("Cork")});
    QVERIFY(league.addMatch(QStringLiteral("Boro"), QStringLiteral("Ayr"), 2, 1));
    QVERIFY(league.addMatch(QStringLiteral("Boro"), QStringLiteral("Cork"), 1, 0, false, QDate(2005, 8, 8)));
    TFormMergeTeams dlg(league.dm());
    dlg.show();
    dlg.findChild<QComboBox *>(QStringLiteral("ComboKeep"))->setEditText(QStringLiteral("Ayr"));
    dlg.findChild<QComboBox *>(QStringLiteral("ComboMerge"))->setEditText(QStringLiteral("Boro"));
    const QByteArray before = fileHash(league.path());

    // No: the dialog stays open with its choices, the league as it was.
    dlg.accept();
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages().constFirst().kind, Messenger::Kind::Question);
    QVERIFY2(m_messages.texts().constFirst().contains(QStringLiteral("Boro v Ayr, 2:1")),
             qPrintable(m_messages.texts().constFirst()));
    QVERIFY(dlg.isVisible());
    QCOMPARE(fileHash(league.path()), before);

    // Yes: the meeting goes, the other match is Ayr's, and the dialog closes.
    m_messages.clear();
    m_messages.queueAnswer(Messenger::Answer::Yes);
    dlg.accept();
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(storedRowList(league.dm().ADOConnection, QStringLiteral("Results")).size(), 1);
    QCOMPARE(league.teamNames(), (QStringList{QStringLiteral("Ayr"), QStringLiteral("Cork")}));
    QCOMPARE(league.team(QStringLiteral("Ayr"), QStringLiteral("HW")), 1);
    QCOMPARE(league.team(QStringLiteral("Ayr"), QStringLiteral("AP")), 0);
}

QTEST_MAIN(TestMergeTeams)
#include "tst_mergeteams.moc"

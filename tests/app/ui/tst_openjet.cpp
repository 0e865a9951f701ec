// Opening an Access/Jet file in the main window offers its conversion instead of failing to open it.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/FileSteps.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "support/LeagueFixture.h"
#include "support/RecordingMessenger.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestOpenJet : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        setMessenger(&m_messages);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }
    void openingAJetFileOffersConversion_data();
    void openingAJetFileOffersConversion();

private:
    RecordingMessenger m_messages;
    QTemporaryDir m_dir, m_settings;
};

void TestOpenJet::openingAJetFileOffersConversion_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("declined") << false;
    QTest::newRow("accepted") << true;
}

void TestOpenJet::openingAJetFileOffersConversion()
{
    QFETCH(bool, accept);
    const QString sample = QStringLiteral(QUORVANE_TEST_DATA) + QStringLiteral("/jet/nwind_jet3.mdb");
    if (!QFile::exists(sample))
        QSKIP("The Jet sample databases are not present.");

    m_messages.clear();
    TMainForm form;
    const auto windows = createAppWindows(form, [] {});
    QStringList paths;
    form.setPathChooser([&paths](const QString &, bool, const QString &) {
        return paths.isEmpty() ? QString() : paths.takeFirst();
    });
    LeagueFixture league;
    const QString leaguePath = league.path();
    league.dm().closeLeague();
    paths << leaguePath;
    form.command(QStringLiteral("MenuOpen"))->trigger();
    QVERIFY(windows->dm->isLeagueOpen());

    // Open the Jet file: the question comes first; a Yes leads to the conversion's save dialog.
    const QString target = m_dir.filePath(QStringLiteral("converted.qvl"));
    paths << sample << target;
    if (accept)
        m_messages.queueAnswer(Messenger::Answer::Yes);
    form.command(QStringLiteral("MenuOpen"))->trigger();

    const QStringList log = m_messages.log();
    QVERIFY(!log.isEmpty());
    QVERIFY2(log.first().startsWith(
                 QLatin1String("Question YesNo [Convert League File]: This is an Access league file")),
             qPrintable(log.first()));
    // This sample holds no league: the conversion says why; the plain open error never shows.
    QCOMPARE(log.size(), accept ? 2 : 1);
    if (accept)
        QCOMPARE(log.last(), QStringLiteral("Error: This is not a league file: it has no table League."));
    QVERIFY(!log.join(QLatin1Char('\n')).contains(QLatin1String("Error opening league file.")));
    QVERIFY(!QFile::exists(target));
    QCOMPARE(paths.isEmpty(), accept); // the save dialog was shown only after a Yes
    // The league that was open stays open.
    QCOMPARE(ConnectedFileName(windows->dm->ADOConnection), QFileInfo(leaguePath).absoluteFilePath());
}

QTEST_MAIN(TestOpenJet)
#include "tst_openjet.moc"

// Opening an Access/Jet file in the main window offers its conversion instead of failing to open it; a
// damaged one ends in a message while the program and the league it had open go on.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/FileSteps.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "support/DamagedFiles.h"
#include "support/JetWriter.h"
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
    void damagedJetFileEndsInAMessage_data();
    void damagedJetFileEndsInAMessage();

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

void TestOpenJet::damagedJetFileEndsInAMessage_data()
{
    QTest::addColumn<QString>("sample"); // empty: an Access copy of a league of our own
    QTest::addColumn<int>("damage");
    QTest::addColumn<qint64>("at");
    QTest::addColumn<qint64>("value");
    // Each of these crashed the library, and the program with it, while it still read them itself.
    QTest::newRow("league, its last page over its usage maps")
        << QString() << int(Damage::CopyPage) << qint64(-1) << qint64(3);
    QTest::newRow("Jet 3 sample, one byte changed")
        << QStringLiteral("test2V1997_jet3.mdb") << int(Damage::Byte) << qint64(4131) << qint64(0xe7);
}

void TestOpenJet::damagedJetFileEndsInAMessage()
{
    QFETCH(QString, sample);
    QFETCH(int, damage);
    QFETCH(qint64, at);
    QFETCH(qint64, value);
    LeagueFixture league(QStringLiteral("Football (Soccer)"),
                         {QStringLiteral("Home"), QStringLiteral("Away")});
    QVERIFY(league.addMatch(QStringLiteral("Home"), QStringLiteral("Away"), 2, 1));
    const QString leaguePath = league.path();
    league.dm().closeLeague();
    QByteArray bytes;
    if (sample.isEmpty()) {
        const QString access = m_dir.filePath(QStringLiteral("whole.mdb"));
        QCOMPARE(JetWriter::writeCopyOf(leaguePath,
                                        {QStringLiteral("League"), QStringLiteral("Teams"),
                                         QStringLiteral("Results"), QStringLiteral("Players")},
                                        access),
                 QString());
        QFile f(access);
        QVERIFY(f.open(QIODevice::ReadOnly));
        bytes = f.readAll();
        QVERIFY(f.remove());
        at += bytes.size() / 4096; // counted from the last page
    } else {
        QFile f(QStringLiteral(QUORVANE_TEST_DATA) + QStringLiteral("/jet/") + sample);
        if (!f.open(QIODevice::ReadOnly))
            QSKIP("The Jet sample databases are not present.");
        bytes = f.readAll();
    }
    QTemporaryDir dir;
    const QString damagedPath = dir.filePath(QStringLiteral("damaged.mdb"));
    {
        QFile f(damagedPath);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(damaged(bytes, Damage(damage), at, value));
    }

    m_messages.clear();
    TMainForm form;
    const auto windows = createAppWindows(form, [] {});
    QStringList paths = {leaguePath};
    form.setPathChooser([&paths](const QString &, bool, const QString &) {
        return paths.isEmpty() ? QString() : paths.takeFirst();
    });
    form.command(QStringLiteral("MenuOpen"))->trigger();
    QVERIFY(windows->dm->isLeagueOpen());

    // Open answered with a conversion, then Convert from its menu: both end in the message.
    const QString target = dir.filePath(QStringLiteral("converted.qvl"));
    paths << damagedPath << target;
    m_messages.queueAnswer(Messenger::Answer::Yes);
    form.command(QStringLiteral("MenuOpen"))->trigger();
    paths << damagedPath << target;
    form.command(QStringLiteral("MenuConvert"))->trigger();

    const QString error = QStringLiteral("Error: The file damaged.mdb cannot be read as an Access database.");
    QCOMPARE(m_messages.log().size(), 3);
    QVERIFY(m_messages.log().at(0).startsWith(QLatin1String("Question YesNo [Convert League File]")));
    QCOMPARE(m_messages.log().at(1), error);
    QCOMPARE(m_messages.log().at(2), error);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("damaged.mdb")});
    QCOMPARE(childProcesses(), QStringList());
    // The league that was open stays open and usable.
    QCOMPARE(ConnectedFileName(windows->dm->ADOConnection), QFileInfo(leaguePath).absoluteFilePath());
    QVERIFY(windows->dm->ADOTableTeams.locate(QStringLiteral("Team"), {QStringLiteral("Home")}));
}

QTEST_MAIN(TestOpenJet)
#include "tst_openjet.moc"

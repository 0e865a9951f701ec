// The download dialog on a real HTTP server on 127.0.0.1: the list and its warning, Toggle All, a run with
// its marks, the open league closed and reopened around it, and the Seasons page importing into a league
// file per division.

#include "data/Messenger.h"
#include "data/ui/GuiMessenger.h"
#include "entry/ResultsCsv.h"
#include "entry/ResultsImport.h"
#include "output/DownloadLimits.h"
#include "output/LeagueDownload.h"
#include "output/SeasonDownload.h"
#include "output/ui/TFormDownload.h"
#include "support/JetWriter.h"
#include "support/RecordingMessenger.h"
#include "support/TestHttpServer.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const QString kWarning = QStringLiteral(
    "Unable to download league list. One of the following could be causing the problem:\r\n1)No internet "
    "connection.\r\n2)You are probably behind a firewall.\r\n3)Server might be down.");

QByteArray seasonBytes(const QByteArray &home, const QByteArray &away)
{
    return "Div,Date,HomeTeam,AwayTeam,FTHG,FTAG,B365H,B365D,B365A\r\nE0,12/08/23," + home + "," + away +
           ",2,1,1.5,4,6\r\n";
}

QByteArray leagueFile(const QString &dir)
{
    const QString path = QDir(dir).filePath(QStringLiteral("served.qvl"));
    CollectingMessenger quiet;
    SeasonDownload::importSeasonInto(path, QStringLiteral("E0"), readResultsCsv(seasonBytes("Leeds", "Hull")),
                                     quiet);
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList texts(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}
} // namespace

class TestFormDownload : public QObject
{
    Q_OBJECT
private:
    RecordingMessenger m_messages;
    QTemporaryDir m_dir;
    QTemporaryDir m_settings;

    template <typename T> T *child(QWidget &w, const char *name)
    {
        T *c = w.findChild<T *>(QString::fromLatin1(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
        setMessenger(&m_messages);
    }
    void init() { m_messages.clear(); }

    void listRunAndMarks()
    {
        TestHttpServer server;
        const QByteArray league = leagueFile(m_dir.path());
        server.setRoute(QStringLiteral("/data/leagues.txt"), {QByteArray("Good\nBroken\nSkipped\n")});
        server.setRoute(QStringLiteral("/data/Good.mdb"), {league});
        server.setRoute(QStringLiteral("/data/Broken.mdb"), {league, {}, TestHttpServer::Fault::DropMidBody});

        TFormDownload form;
        form.setListPath(m_dir.filePath(QStringLiteral("program/data/leagues.txt")));
        auto *list = child<QListWidget>(form, "CheckListBox1");
        auto *ok = child<QPushButton>(form, "ButtonOK");
        auto *server1 = child<QLineEdit>(form, "EditServer");
        QVERIFY(!ok->isEnabled());

        // An unreachable server warns and leaves the dialog as it was.
        server1->setText(QStringLiteral("http://127.0.0.1:1/"));
        form.refreshList();
        QCOMPARE(m_messages.texts(), QStringList{kWarning});
        QVERIFY(!ok->isEnabled());

        server1->setText(server.baseUrl().toString());
        form.refreshList();
        form.refreshList(); // showing twice lists each league once
        QCOMPARE(texts(list),
                 QStringList({QStringLiteral("Good"), QStringLiteral("Broken"), QStringLiteral("Skipped")}));
        QVERIFY(ok->isEnabled());
        QCOMPARE(form.windowTitle(), QStringLiteral("Download League Data"));

        form.toggleAll();
        QCOMPARE(list->item(2)->checkState(), Qt::Checked);
        list->item(2)->setCheckState(Qt::Unchecked);
        const QString folder = m_dir.filePath(QStringLiteral("Data"));
        child<QLineEdit>(form, "EditFolder")->setText(QDir::toNativeSeparators(folder));

        QStringList hooks;
        form.setLeagueHooks({[&hooks] {
                                 hooks << QStringLiteral("close");
                                 return QStringLiteral("open.qvl");
                             },
                             [&hooks](const QString &path) { hooks << QStringLiteral("reopen ") + path; }});
        m_messages.clear();
        ok->click();
        QCOMPARE(texts(list), QStringList({QStringLiteral("Good ...OK"), QStringLiteral("Broken ...Fail"),
                                           QStringLiteral("Skipped")}));
        QCOMPARE(hooks, QStringList({QStringLiteral("close"), QStringLiteral("reopen open.qvl")}));
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Download Finished")});
        QVERIFY(QFile::exists(folder + QStringLiteral("/Good.mdb")));
        QVERIFY(!QFile::exists(folder + QStringLiteral("/Broken.mdb")));

        // Toggle All with the first entry ticked unticks every entry; the server address is remembered.
        form.toggleAll();
        for (int i = 0; i < list->count(); ++i)
            QCOMPARE(list->item(i)->checkState(), Qt::Unchecked);
        // With nothing ticked OK only closes and reopens the league and says it is done; the marks go.
        hooks.clear();
        m_messages.clear();
        ok->click();
        QCOMPARE(texts(list),
                 QStringList({QStringLiteral("Good"), QStringLiteral("Broken"), QStringLiteral("Skipped")}));
        QCOMPARE(hooks, QStringList({QStringLiteral("close"), QStringLiteral("reopen open.qvl")}));
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Download Finished")});
        TFormDownload again;
        QCOMPARE(child<QLineEdit>(again, "EditServer")->text(), server.baseUrl().toString());
    }

    // A league the server keeps as an Access database comes in converted, and its entry says so.
    void accessLeagueIsMarkedConverted()
    {
        leagueFile(m_dir.path());
        const QString access = m_dir.filePath(QStringLiteral("served.mdb"));
        QCOMPARE(JetWriter::writeCopyOf(m_dir.filePath(QStringLiteral("served.qvl")),
                                        {QStringLiteral("League"), QStringLiteral("Teams"),
                                         QStringLiteral("Results"), QStringLiteral("Players")},
                                        access),
                 QString());
        QFile f(access);
        QVERIFY(f.open(QIODevice::ReadOnly));
        TestHttpServer server;
        server.setRoute(QStringLiteral("/data/leagues.txt"), {QByteArray("Access\n")});
        server.setRoute(QStringLiteral("/data/Access.mdb"), {f.readAll()});
        TFormDownload form;
        form.setListPath(m_dir.filePath(QStringLiteral("access/data/leagues.txt")));
        child<QLineEdit>(form, "EditServer")->setText(server.baseUrl().toString());
        form.refreshList();
        form.toggleAll();
        const QString folder = m_dir.filePath(QStringLiteral("AccessData"));
        child<QLineEdit>(form, "EditFolder")->setText(QDir::toNativeSeparators(folder));
        child<QPushButton>(form, "ButtonOK")->click();
        QCOMPARE(texts(child<QListWidget>(form, "CheckListBox1")),
                 QStringList{QStringLiteral("Access ...OK (converted from Access)")});
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Download Finished")});
        QFile converted(folder + QStringLiteral("/Access.mdb"));
        QVERIFY(converted.open(QIODevice::ReadOnly));
        QVERIFY(converted.read(16).startsWith("SQLite format 3"));
    }

    void seasonsIntoLeaguePerDivision()
    {
        TestHttpServer server;
        server.setRoute(QStringLiteral("/mmz4281/2223/E0.csv"), {seasonBytes("Leeds", "Hull")});
        server.setRoute(QStringLiteral("/mmz4281/2324/E0.csv"),
                        {QByteArray(), {}, TestHttpServer::Fault::HtmlPage});
        TFormDownload form;
        child<QLineEdit>(form, "EditSeasonServer")->setText(server.baseUrl().toString());
        const QString folder = m_dir.filePath(QStringLiteral("Seasons"));
        child<QLineEdit>(form, "EditFolder")->setText(folder);
        auto *divisions = child<QListWidget>(form, "ListDivisions");
        auto *seasons = child<QListWidget>(form, "ListSeasons");
        divisions->item(0)->setCheckState(Qt::Checked); // E0
        for (int i = 0; i < seasons->count(); ++i)
            if (seasons->item(i)->text() == QLatin1String("2022-2023") ||
                seasons->item(i)->text() == QLatin1String("2023-2024"))
                seasons->item(i)->setCheckState(Qt::Checked);
        QVERIFY(child<QRadioButton>(form, "RadioLeaguePerDivision")->isChecked());
        form.fetchSeasons();
        QVERIFY(QFile::exists(folder + QStringLiteral("/E0.qvl")));
        QCOMPARE(m_messages.messages().size(), 1);
        QCOMPARE(m_messages.messages()[0].kind, Messenger::Kind::Warning);
        QVERIFY(m_messages.texts()[0].contains(QLatin1String("E0 2023-2024 is not a season file")));

        // Into the open league with none open: refused, nothing fetched.
        m_messages.clear();
        child<QRadioButton>(form, "RadioOpenLeague")->setChecked(true);
        form.fetchSeasons();
        QCOMPARE(m_messages.messages().size(), 1);
        QCOMPARE(server.gets(QStringLiteral("/mmz4281/2223/E0.csv")), 1);
    }

    // A list past its limit warns as any failed list does and says why below the list; a list with names
    // that cannot be file names lists the others and warns with those names escaped; a file past its
    // limit fails and its entry tells why.
    void limitsAndHostileNames()
    {
        const DownloadLimits::TestOverride smallList(DownloadLimits::Kind::LeagueList, 64 * 1024, 60000);
        const DownloadLimits::TestOverride smallFile(DownloadLimits::Kind::LeagueFile, 64 * 1024, 60000);
        TestHttpServer server;
        TestHttpServer::Route huge{{}, QDateTime::currentDateTimeUtc(), TestHttpServer::Fault::HugeNoLength};
        huge.size = qint64(8) << 20;
        server.setRoute(QStringLiteral("/data/leagues.txt"), huge);
        TFormDownload form;
        form.setListPath(m_dir.filePath(QStringLiteral("limits/data/leagues.txt")));
        child<QLineEdit>(form, "EditServer")->setText(server.baseUrl().toString());
        auto *list = child<QListWidget>(form, "CheckListBox1");
        auto *reason = child<QLabel>(form, "LabelListReason");
        form.refreshList();
        QCOMPARE(m_messages.texts(), QStringList{kWarning});
        QVERIFY(reason->isVisibleTo(&form));
        QCOMPARE(reason->text(),
                 QStringLiteral("Unable to download league list: The league list is larger than 64 KB."));
        QCOMPARE(list->count(), 0);

        m_messages.clear();
        server.setRoute(QStringLiteral("/data/leagues.txt"),
                        {QByteArray("Good\n\x1b[31mRed\n.hidden\nHuge\n")});
        server.setRoute(QStringLiteral("/data/Good.mdb"), {leagueFile(m_dir.path())});
        TestHttpServer::Route hugeFile = huge;
        hugeFile.fault = TestHttpServer::Fault::Huge;
        server.setRoute(QStringLiteral("/data/Huge.mdb"), hugeFile);
        form.refreshList();
        QCOMPARE(texts(list), QStringList({QStringLiteral("Good"), QStringLiteral("Huge")}));
        QVERIFY(!reason->isVisibleTo(&form));
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral(
                                         "Skipped the league name \"\\x1b[31mRed\": it holds the unprintable "
                                         "character U+001B.\nSkipped the league name \".hidden\": it starts "
                                         "with a dot.")});

        m_messages.clear();
        form.toggleAll();
        const QString folder = m_dir.filePath(QStringLiteral("LimitsData"));
        child<QLineEdit>(form, "EditFolder")->setText(QDir::toNativeSeparators(folder));
        child<QPushButton>(form, "ButtonOK")->click();
        QCOMPARE(texts(list), QStringList({QStringLiteral("Good ...OK"), QStringLiteral("Huge ...Fail")}));
        QCOMPARE(list->item(0)->toolTip(), QString());
        QCOMPARE(list->item(1)->toolTip(), QStringLiteral("The league file is larger than 64 KB."));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Good.mdb")});
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Download Finished")});
    }
};

QTEST_MAIN(TestFormDownload)
#include "tst_formdownload.moc"

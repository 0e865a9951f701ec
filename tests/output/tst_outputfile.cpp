// Where the writers put their bytes: the table export the windows run (with its overwrite question), the
// PDF of reports and the chart picture never write over the open league, also through a link, before
// anything is asked; a device is written to and stays a device, and one that fills up says so.

#include "output/ExportSource.h"
#include "output/MainReports.h"
#include "output/TableExport.h"
#include "output/report/PictureFiles.h"
#include "output/report/ReportPainter.h"

#include "data/Errors.h"
#include "data/GridColumns.h"
#include "data/TeamSort.h"
#include "support/LeagueFixture.h"

#include <QPainter>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace
{
QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool isCharacterDevice(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}
} // namespace

class TestOutputFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void openLeagueIsNoOutput_data();
    void openLeagueIsNoOutput();
    void devicesStayDevices_data();
    void devicesStayDevices();

private:
    // Writes with the named writer: "table" as the export menu does (Yes to any overwrite question),
    // "pdf" as "Save as PDF...", "picture" as the chart export.
    void write(const QString &writer, const QString &path);
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<LeagueFixture> m_league;
    RecordingMessenger m_messages;
};

void TestOutputFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_league = std::make_unique<LeagueFixture>(QStringLiteral("Football (Soccer)"),
                                               QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")});
    QVERIFY(m_league->addMatch(QStringLiteral("Alpha"), QStringLiteral("Beta"), 2, 1));
    m_messages.clear();
}

void TestOutputFile::cleanup()
{
    m_league.reset();
    m_dir.reset();
}

void TestOutputFile::write(const QString &writer, const QString &path)
{
    TDataMod &dm = m_league->dm();
    if (writer == QLatin1String("table")) {
        m_messages.queueAnswer(Messenger::Answer::Yes);
        const DatasetExportSource source(dm.ADOTableTeams, teamGridColumns(TeamTable::Home));
        exportTableFile(source, ExportType::Csv, path, {}, m_messages);
    } else if (writer == QLatin1String("pdf")) {
        writeJobsPdf({teamStatsReport(dm.ADOTableTeams, QStringLiteral("Liga"))}, path);
    } else {
        writePicture([](QPainter &p) { p.fillRect(0, 0, 40, 30, Qt::black); }, QSize(40, 30),
                     PictureType::Bmp, path);
    }
}

void TestOutputFile::openLeagueIsNoOutput_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("target");
    for (const char *writer : {"table", "pdf", "picture"})
        for (const char *target : {"the league", "a symbolic link to it", "a hard link to it"})
            QTest::addRow("%s onto %s", writer, target) << writer << target;
}

void TestOutputFile::openLeagueIsNoOutput()
{
    QFETCH(QString, writer);
    QFETCH(QString, target);
    const QString league = m_league->path();
    const QStringList teams = m_league->teamNames();
    const QByteArray before = bytesOf(league);
    QString output = league;
    if (target == QLatin1String("a symbolic link to it")) {
        output = m_dir->filePath(QStringLiteral("link.csv"));
        QVERIFY(QFile::link(league, output));
    } else if (target == QLatin1String("a hard link to it")) {
        output = m_dir->filePath(QStringLiteral("hard.csv"));
        QCOMPARE(::link(QFile::encodeName(league).constData(), QFile::encodeName(output).constData()), 0);
    }
    try {
        write(writer, output);
        QFAIL("the open league was taken as the output");
    } catch (const QuorvaneError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("it is the file being read")), qPrintable(e.message()));
    }
    QCOMPARE(m_messages.log(), QStringList()); // refused before the overwrite question
    QVERIFY(bytesOf(league) == before);
    m_league->reopen();
    QCOMPARE(m_league->teamNames(), teams);
}

void TestOutputFile::devicesStayDevices_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("failure");
    for (const char *writer : {"table", "pdf", "picture"}) {
        // Devices of the test's own, alike to /dev/null and /dev/full.
        QTest::addRow("%s to a null device", writer) << writer << 3 << QString();
        QTest::addRow("%s to a full device", writer) << writer << 7 << "No space left on device";
    }
}

void TestOutputFile::devicesStayDevices()
{
    QFETCH(QString, writer);
    QFETCH(int, minor);
    QFETCH(QString, failure);
    const QString device = m_dir->filePath(QStringLiteral("device"));
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, minor)) != 0)
        QSKIP("this machine makes no device nodes (mknod refused)");
    QString message;
    try {
        write(writer, device);
    } catch (const QuorvaneError &e) {
        message = e.message();
    }
    if (failure.isEmpty())
        QCOMPARE(message, QString());
    else
        QVERIFY2(message.contains(failure), qPrintable(message));
    QVERIFY(isCharacterDevice(device));
    QCOMPARE(entriesOf(m_dir->path()), QStringList{QStringLiteral("device")});
}

QTEST_MAIN(TestOutputFile)
#include "tst_outputfile.moc"

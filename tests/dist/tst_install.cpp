// Installing into a fresh prefix: the programs, the manual, the icon sizes, the desktop entry and the
// file types land where a Linux desktop looks for them and pass the desktop's own checks, and the
// installed programs run in an empty folder without a display.

#include "data/ProgramFolder.h"
#include "data/ProgramInfo.h"
#include "support/JetWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestInstall : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void installedFile_data();
    void installedFile();
    void iconSizes_data();
    void iconSizes();
    void desktopEntryValidates();
    void fileTypesRegister();
    void installedProgramFindsItsData();
    void versionAndHelpWithoutDisplay_data();
    void versionAndHelpWithoutDisplay();
    void cliMakesDemoInEmptyFolder();
    void cliConvertsAccessLeagueWithItsReader();
    void leagueFilesRecognised_data();
    void leagueFilesRecognised();

private:
    QString installed(const QString &relative) const { return m_prefix.filePath(relative); }
    // Runs a program to its end; its exit code, its output in out.
    int run(const QString &program, const QStringList &args, QByteArray *out = nullptr,
            const QString &workDir = QString(), bool withDisplay = true);
    QString tool(const QString &name) const { return QStandardPaths::findExecutable(name); }
    QTemporaryDir m_prefix;
    QTemporaryDir m_home;
};

namespace
{
// The keys of a desktop entry file (one group, no escapes needed here).
QHash<QString, QString> desktopEntry(const QString &path)
{
    QHash<QString, QString> keys;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n')) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && !line.startsWith(u'#'))
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}
} // namespace

int TestInstall::run(const QString &program, const QStringList &args, QByteArray *out, const QString &workDir,
                     bool withDisplay)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home.path()); // nothing of the test reaches the real home
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    if (!withDisplay) {
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
    }
    p.setProcessEnvironment(env);
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (out)
        *out = p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid() && m_home.isValid());
    QByteArray out;
    const int code = run(QStringLiteral(QUORVANE_CMAKE),
                         {QStringLiteral("--install"), QStringLiteral(QUORVANE_BUILD_DIR),
                          QStringLiteral("--prefix"), m_prefix.path()},
                         &out);
    QVERIFY2(code == 0, out.constData());
}

void TestInstall::installedFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    const std::pair<const char *, bool> files[] = {
        {"bin/quorvane", true},
        {"bin/quorvane-cli", true},
        {"bin/quorvane-cli-print", true},
        {"bin/quorvane-jet-reader", true},
        {"share/quorvane/manual/index.html", false},
        {"share/quorvane/manual/style.css", false},
        {"share/quorvane/manual/images/tab1-TabSheetHome.png", false},
        {"share/quorvane/installed", false},
        {"share/applications/quorvane.desktop", false},
        {"share/mime/packages/quorvane.xml", false},
        {"share/icons/hicolor/scalable/apps/quorvane.svg", false},
        {"share/doc/quorvane/copyright", false},
    };
    for (const auto &[path, executable] : files)
        QTest::newRow(path) << QString::fromLatin1(path) << executable;
}

void TestInstall::installedFile()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo f(installed(path));
    QVERIFY2(f.isFile() && f.size() > 0, qPrintable(f.filePath()));
    QCOMPARE(f.isExecutable(), executable);
}

void TestInstall::iconSizes_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void TestInstall::iconSizes()
{
    QFETCH(int, size);
    QFile png(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/quorvane.png").arg(size)));
    QVERIFY2(png.open(QIODevice::ReadOnly), qPrintable(png.fileName()));
    // The PNG signature, then the IHDR chunk with width and height as big-endian 32-bit numbers.
    const QByteArray head = png.read(24);
    QVERIFY(head.startsWith("\x89PNG\r\n\x1a\n"));
    const auto number = [&head](int at) {
        return (uchar(head[at]) << 24) | (uchar(head[at + 1]) << 16) | (uchar(head[at + 2]) << 8) |
               uchar(head[at + 3]);
    };
    QCOMPARE(number(16), size);
    QCOMPARE(number(20), size);
}

void TestInstall::desktopEntryValidates()
{
    const QString validate = tool(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validate.isEmpty(), "desktop-file-validate is missing: run scripts/install-deps");
    QByteArray out;
    const QString entry = installed(QStringLiteral("share/applications/quorvane.desktop"));
    QVERIFY2(run(validate, {entry}, &out) == 0 && out.trimmed().isEmpty(), out.constData());

    // It starts the installed program with the file, and the icon it names is installed.
    const auto desktop = desktopEntry(entry);
    QCOMPARE(desktop.value(QStringLiteral("Exec")), QStringLiteral("quorvane %f"));
    const QString icon = desktop.value(QStringLiteral("Icon"));
    QVERIFY(
        QFileInfo::exists(installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(icon))));
}

void TestInstall::fileTypesRegister()
{
    const QString xml = installed(QStringLiteral("share/mime/packages/quorvane.xml"));
    if (const QString lint = tool(QStringLiteral("xmllint")); !lint.isEmpty()) {
        QByteArray out;
        QVERIFY2(run(lint, {QStringLiteral("--noout"), xml}, &out) == 0, out.constData());
    }
    // The desktop's own tool builds its database from the installed description.
    const QString update = tool(QStringLiteral("update-mime-database"));
    QVERIFY2(!update.isEmpty(), "update-mime-database is missing: run scripts/install-deps");
    QByteArray out;
    const QString mime = installed(QStringLiteral("share/mime"));
    QVERIFY2(run(update, {mime}, &out) == 0, out.constData());
    const auto read = [&mime](const char *name) {
        QFile f(mime + u'/' + QString::fromLatin1(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    const QString globs = read("globs2");
    QVERIFY2(globs.contains(QStringLiteral(":application/x-quorvane-league:*.qvl")), qPrintable(globs));
    QVERIFY2(globs.contains(QStringLiteral(":application/x-quorvane-ticket:*.qvt")), qPrintable(globs));
    // Both are SQLite databases to the desktop, so SQLite tools are offered for them too.
    const QString parents = read("subclasses");
    QVERIFY(parents.contains(QStringLiteral("application/x-quorvane-league application/vnd.sqlite3")));
    QVERIFY(parents.contains(QStringLiteral("application/x-quorvane-ticket application/vnd.sqlite3")));
    const QString magic = read("magic");
    QVERIFY(magic.contains(QStringLiteral("[60:application/x-quorvane-league]")));

    // The desktop entry offers Quorvane for exactly these types.
    QStringList types = desktopEntry(installed(QStringLiteral("share/applications/quorvane.desktop")))
                            .value(QStringLiteral("MimeType"))
                            .split(u';', Qt::SkipEmptyParts);
    types.sort();
    QCOMPARE(types, (QStringList{QStringLiteral("application/x-quorvane-league"),
                                 QStringLiteral("application/x-quorvane-ticket")}));
}

void TestInstall::installedProgramFindsItsData()
{
    const QString bin = installed(QStringLiteral("bin"));
    QCOMPARE(QFileInfo(dataFolderFor(bin)).canonicalFilePath(),
             QFileInfo(installed(QStringLiteral("share/quorvane"))).canonicalFilePath());
    // Installed, it keeps the user's files out of its own folders.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(!programFolderFor(bin).startsWith(m_prefix.path()));
}

void TestInstall::versionAndHelpWithoutDisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("expected"); // a pattern the whole output must match
    QTest::newRow("--version") << QStringLiteral("--version")
                               << QStringLiteral("Quorvane %1 \\(Qt [0-9.]+, SQLite [0-9.]+\\)\n")
                                      .arg(QRegularExpression::escape(programVersion()));
    QTest::newRow("--help") << QStringLiteral("--help")
                            << QStringLiteral("Usage: quorvane \\[LEAGUE\\]\n(.|\n)*");
}

void TestInstall::versionAndHelpWithoutDisplay()
{
    QFETCH(QString, option);
    QFETCH(QString, expected);
    QByteArray out;
    const int code = run(installed(QStringLiteral("bin/quorvane")), {option}, &out, QString(), false);
    QVERIFY2(code == 0, out.constData());
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(expected));
    QVERIFY2(pattern.match(QString::fromLocal8Bit(out)).hasMatch(), out.constData());
}

void TestInstall::cliMakesDemoInEmptyFolder()
{
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const QString cli = installed(QStringLiteral("bin/quorvane-cli"));
    QByteArray out;
    QVERIFY2(run(cli, {QStringLiteral("demo"), QStringLiteral("demo.qvl")}, &out, empty.path()) == 0,
             out.constData());
    QFile league(empty.filePath(QStringLiteral("demo.qvl")));
    QVERIFY(league.open(QIODevice::ReadOnly));
    QCOMPARE(league.read(16), QByteArray("SQLite format 3\0", 16));
    league.close();
    QVERIFY2(run(cli, {QStringLiteral("table"), QStringLiteral("demo.qvl")}, &out, empty.path()) == 0,
             out.constData());
    QCOMPARE(out.count('\n') > 20, true); // a heading and the 20 teams
    // Printing is handed over to the printing program installed beside it.
    QVERIFY2(run(cli,
                 {QStringLiteral("print"), QStringLiteral("demo.qvl"), QStringLiteral("--report"),
                  QStringLiteral("team-stats"), QStringLiteral("--pdf"), QStringLiteral("teams.pdf")},
                 &out, empty.path()) == 0,
             out.constData());
    QFile pdf(empty.filePath(QStringLiteral("teams.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
}

// Access files are read by the reader program installed beside the programs.
void TestInstall::cliConvertsAccessLeagueWithItsReader()
{
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const QString cli = installed(QStringLiteral("bin/quorvane-cli"));
    QByteArray out;
    QVERIFY2(run(cli, {QStringLiteral("demo"), QStringLiteral("demo.qvl")}, &out, empty.path()) == 0,
             out.constData());
    QCOMPARE(JetWriter::writeCopyOf(empty.filePath(QStringLiteral("demo.qvl")),
                                    {QStringLiteral("League"), QStringLiteral("Teams"),
                                     QStringLiteral("Results"), QStringLiteral("Players")},
                                    empty.filePath(QStringLiteral("demo.mdb"))),
             QString());
    QVERIFY2(run(cli,
                 {QStringLiteral("convert"), QStringLiteral("demo.mdb"), QStringLiteral("converted.qvl")},
                 &out, empty.path()) == 0,
             out.constData());
    QVERIFY2(run(cli, {QStringLiteral("table"), QStringLiteral("converted.qvl")}, &out, empty.path()) == 0,
             out.constData());
    QCOMPARE(out.count('\n') > 20, true); // a heading and the 20 teams
}

void TestInstall::leagueFilesRecognised_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("league"); // a league file's content, or a SQLite file of another program
    QTest::addColumn<QString>("expected");
    const QString league = QStringLiteral("application/x-quorvane-league");
    QTest::newRow("league file") << QStringLiteral("spain.qvl") << true << league;
    QTest::newRow("league file under another name") << QStringLiteral("spain.db") << true << league;
    QTest::newRow("league file without extension") << QStringLiteral("spain") << true << league;
    QTest::newRow("another program's database")
        << QStringLiteral("notes.db") << false << QStringLiteral("application/vnd.sqlite3");
}

void TestInstall::leagueFilesRecognised()
{
    QFETCH(QString, name);
    QFETCH(bool, league);
    QFETCH(QString, expected);
    // The file types as the desktop sees them once the package is installed: from the prefix's database.
    if (!QFileInfo::exists(installed(QStringLiteral("share/mime/mime.cache")))) {
        const QString update = tool(QStringLiteral("update-mime-database"));
        QVERIFY(!update.isEmpty());
        QVERIFY(run(update, {installed(QStringLiteral("share/mime"))}) == 0);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QString cli = installed(QStringLiteral("bin/quorvane-cli"));
    if (league) {
        QVERIFY(run(cli, {QStringLiteral("demo"), QStringLiteral("demo.qvl")}, nullptr, dir.path()) == 0);
        QVERIFY(QFile::rename(dir.filePath(QStringLiteral("demo.qvl")), path));
    } else {
        const QString sqlite = tool(QStringLiteral("sqlite3"));
        QVERIFY2(!sqlite.isEmpty(), "sqlite3 is missing: run scripts/install-deps");
        QVERIFY(run(sqlite, {path, QStringLiteral("CREATE TABLE Notes (Text TEXT);")}) == 0);
    }
    // The desktop's own lookup, with the prefix among its data folders as an installed package would be.
    const QString gio = tool(QStringLiteral("gio"));
    QVERIFY2(!gio.isEmpty(), "gio is missing: run scripts/install-deps");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_DIRS"),
               installed(QStringLiteral("share")) + QStringLiteral(":/usr/share"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    p.setProcessEnvironment(env);
    p.start(gio,
            {QStringLiteral("info"), QStringLiteral("-a"), QStringLiteral("standard::content-type"), path});
    QVERIFY(p.waitForFinished(60000) && p.exitCode() == 0);
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(info.contains(QStringLiteral("standard::content-type: ") + expected + u'\n'), qPrintable(info));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"

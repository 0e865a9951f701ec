// Where the program finds its manual and shipped data: under the installed prefix (bin/ beside
// share/quorvane/) and in the build tree, which mirrors that layout.

#include "data/ProgramFolder.h"
#include "data/ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestProgramInfo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dataFolderForLayout_data();
    void dataFolderForLayout();
    void runningTestFindsBuildTreeManual();
    void installedProgramKeepsFilesPerUser();
};

void TestProgramInfo::dataFolderForLayout_data()
{
    QTest::addColumn<QStringList>("folders"); // made under a temporary root
    QTest::addColumn<QString>("exeDir");
    QTest::addColumn<QString>("expected"); // relative to the root, "" for none
    QTest::newRow("installed prefix")
        << QStringList{QStringLiteral("usr/bin"), QStringLiteral("usr/share/quorvane/manual")}
        << QStringLiteral("usr/bin") << QStringLiteral("usr/share/quorvane");
    QTest::newRow("build tree program")
        << QStringList{QStringLiteral("build/src"), QStringLiteral("build/share/quorvane/manual")}
        << QStringLiteral("build/src") << QStringLiteral("build/share/quorvane");
    QTest::newRow("executable path with ..")
        << QStringList{QStringLiteral("opt/q/bin"), QStringLiteral("opt/q/share/quorvane")}
        << QStringLiteral("opt/q/lib/../bin") << QStringLiteral("opt/q/share/quorvane");
    QTest::newRow("nothing installed beside it")
        << QStringList{QStringLiteral("usr/bin"), QStringLiteral("usr/share/other")}
        << QStringLiteral("usr/bin") << QString();
    QTest::newRow("share folder of another layout level")
        << QStringList{QStringLiteral("a/b/bin"), QStringLiteral("a/share/quorvane")}
        << QStringLiteral("a/b/bin") << QString();
}

void TestProgramInfo::dataFolderForLayout()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, exeDir);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    for (const QString &f : folders)
        QVERIFY(QDir(root.path()).mkpath(f));
    const QString found = dataFolderFor(root.filePath(exeDir));
    if (expected.isEmpty())
        QVERIFY2(found.isEmpty(), qPrintable(found));
    else
        QCOMPARE(QFileInfo(found).canonicalFilePath(),
                 QFileInfo(root.filePath(expected)).canonicalFilePath());
}

void TestProgramInfo::runningTestFindsBuildTreeManual()
{
    // This test runs from the build tree, like the program does before it is installed.
    const QString index = manualIndexPath();
    if (index.isEmpty())
        QSKIP("the manual is not built in this tree (a build without the desktop program)");
    QVERIFY(QFileInfo(index).isFile());
    QVERIFY(index.startsWith(programDataFolder() + QStringLiteral("/manual/")));
    QVERIFY(QFileInfo(programDataFolder())
                .canonicalFilePath()
                .startsWith(
                    QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).canonicalPath()));
}

void TestProgramInfo::installedProgramKeepsFilesPerUser()
{
    QStandardPaths::setTestModeEnabled(true); // the user folder under ~/.qttest, not the real one
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir top(root.path());
    QVERIFY(top.mkpath(QStringLiteral("build/src")) && top.mkpath(QStringLiteral("build/share/quorvane")));
    QVERIFY(top.mkpath(QStringLiteral("prefix/bin")) && top.mkpath(QStringLiteral("prefix/share/quorvane")));
    QFile marker(top.filePath(QStringLiteral("prefix/share/quorvane/installed")));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.close();

    // A build (or an unpacked copy) keeps its files beside the program ...
    QCOMPARE(programFolderFor(top.filePath(QStringLiteral("build/src"))),
             top.filePath(QStringLiteral("build/src")));
    // ... an installed program in the user's folder, though its bin folder is writable here.
    const QString user = programFolderFor(top.filePath(QStringLiteral("prefix/bin")));
    QCOMPARE(user, userDataFolder());
    QVERIFY(!user.startsWith(root.path()));
    QVERIFY(user.endsWith(QStringLiteral("/Quorvane")));
    QVERIFY(QFileInfo(user).isDir());
}

QTEST_GUILESS_MAIN(TestProgramInfo)
#include "tst_programinfo.moc"

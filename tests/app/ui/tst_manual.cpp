// The manual as built beside the programs: every page and picture it links exists, every page can be
// reached from the contents, and every menu command, tab, button and command-line command it names
// exists in this program (and works once a league is open).

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/ProgramInfo.h"
#include "data/ui/GuiMessenger.h"
#include "support/CliRun.h"
#include "support/RecordingMessenger.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTest>

namespace
{
QString readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The texts inside <span class="kind">...</span> or <code class="kind">...</code> of a page.
QStringList marked(const QString &html, const QString &kind)
{
    QStringList texts;
    const QRegularExpression re(QStringLiteral("<(span|code) class=\"%1\">(.*?)</\\1>").arg(kind));
    for (const auto &m : re.globalMatch(html))
        texts << m.captured(2).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return texts;
}

QString withoutAccelerator(QString caption)
{
    return caption.remove(u'&').trimmed();
}
} // namespace

class TestManual : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void linksLeadSomewhere();
    void everyPageReachableFromContents();
    void menuCommandsExist();
    void tabsAndButtonsExist();
    void commandLineCommandsExist();

private:
    QAction *menuCommand(const QStringList &path) const;
    QString m_folder;
    QStringList m_pages; // file names
    RecordingMessenger m_messages;
    TMainForm *m_form = nullptr;
    std::unique_ptr<AppWindows> m_windows;
};

void TestManual::initTestCase()
{
    setMessenger(&m_messages);
    const QString index = manualIndexPath();
    QVERIFY2(!index.isEmpty(), "the manual was not built beside the programs");
    m_folder = QFileInfo(index).absolutePath();
    m_pages = QDir(m_folder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    QVERIFY(m_pages.size() >= 8);
    m_form = new TMainForm;
    m_windows = createAppWindows(*m_form, [] {});
    m_form->EnableLeagueCommands(true); // a command that still is off is not built
}

void TestManual::cleanupTestCase()
{
    m_windows.reset();
    delete m_form;
}

void TestManual::linksLeadSomewhere()
{
    const QRegularExpression link(QStringLiteral("(href|src)=\"([^\"]*)\""));
    for (const QString &page : std::as_const(m_pages)) {
        const QString html = readText(m_folder + u'/' + page);
        for (const auto &m : link.globalMatch(html)) {
            const QString target = m.captured(2);
            QVERIFY2(!target.contains(QStringLiteral("://")) && !target.startsWith(QStringLiteral("mailto:")),
                     qPrintable(page + QStringLiteral(": links out of the manual: ") + target));
            const QString file = target.section(u'#', 0, 0);
            const QString anchor = target.section(u'#', 1);
            const QString path = file.isEmpty() ? m_folder + u'/' + page : m_folder + u'/' + file;
            QVERIFY2(QFileInfo(path).isFile() && QFileInfo(path).size() > 0,
                     qPrintable(page + QStringLiteral(": missing ") + target));
            if (!anchor.isEmpty())
                QVERIFY2(readText(path).contains(QStringLiteral("id=\"%1\"").arg(anchor)),
                         qPrintable(page + QStringLiteral(": no such place ") + target));
        }
    }
}

void TestManual::everyPageReachableFromContents()
{
    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList todo{QStringLiteral("index.html")};
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]+\\.html)"));
    while (!todo.isEmpty()) {
        const QString html = readText(m_folder + u'/' + todo.takeFirst());
        for (const auto &m : link.globalMatch(html)) {
            if (!reached.contains(m.captured(1))) {
                reached.insert(m.captured(1));
                todo << m.captured(1);
            }
        }
    }
    for (const QString &page : std::as_const(m_pages))
        QVERIFY2(reached.contains(page), qPrintable(page));
}

QAction *TestManual::menuCommand(const QStringList &path) const
{
    QList<QAction *> level = m_form->menuBar()->actions();
    QAction *found = nullptr;
    for (const QString &caption : path) {
        found = nullptr;
        for (QAction *a : std::as_const(level)) {
            if (withoutAccelerator(a->text()) == caption) {
                found = a;
                break;
            }
        }
        if (!found)
            return nullptr;
        level = found->menu() ? found->menu()->actions() : QList<QAction *>{};
    }
    return found;
}

void TestManual::menuCommandsExist()
{
    int named = 0;
    for (const QString &page : std::as_const(m_pages)) {
        for (const QString &text : marked(readText(m_folder + u'/' + page), QStringLiteral("menu"))) {
            const QStringList path = text.split(QStringLiteral(" › "));
            QVERIFY2(path.size() >= 2, qPrintable(page + QStringLiteral(": ") + text));
            QAction *a = menuCommand(path);
            QVERIFY2(a, qPrintable(page + QStringLiteral(": no menu command ") + text));
            QVERIFY2(a->isEnabled(), qPrintable(page + QStringLiteral(": not built yet: ") + text));
            ++named;
        }
    }
    QVERIFY(named > 0);
}

void TestManual::tabsAndButtonsExist()
{
    QStringList tabs;
    for (int i = 0; i < m_form->pages()->count(); ++i)
        tabs << m_form->pages()->tabText(i);
    QSet<QString> buttons;
    const auto actions = m_form->findChildren<QAction *>();
    for (QAction *a : actions) {
        if (a->isEnabled() && a->menu() == nullptr)
            buttons << withoutAccelerator(a->text()) << a->toolTip();
    }
    for (const QString &page : std::as_const(m_pages)) {
        const QString html = readText(m_folder + u'/' + page);
        for (const QString &tab : marked(html, QStringLiteral("tab")))
            QVERIFY2(tabs.contains(tab), qPrintable(page + QStringLiteral(": no tab ") + tab));
        for (const QString &button : marked(html, QStringLiteral("button")))
            QVERIFY2(buttons.contains(button), qPrintable(page + QStringLiteral(": no button ") + button));
    }
}

void TestManual::commandLineCommandsExist()
{
    QProcess cli;
    cli.start(quorvaneCli(), {QStringLiteral("--help")});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    QSet<QString> commands;
    const QRegularExpression usageLine(QStringLiteral("^  ([a-z-]+) "), QRegularExpression::MultilineOption);
    for (const auto &m : usageLine.globalMatch(QString::fromLocal8Bit(cli.readAllStandardOutput())))
        commands << m.captured(1);
    QVERIFY(commands.size() >= 5);

    const QRegularExpression use(QStringLiteral("quorvane-cli ([a-z][a-z-]*)"));
    for (const QString &page : std::as_const(m_pages)) {
        for (const auto &m : use.globalMatch(readText(m_folder + u'/' + page)))
            QVERIFY2(commands.contains(m.captured(1)),
                     qPrintable(page + QStringLiteral(": no command ") + m.captured(1)));
    }
    // The companion's page gives an example of every command.
    const QString companion = readText(m_folder + QStringLiteral("/command-line.html"));
    for (const QString &c : std::as_const(commands))
        QVERIFY2(companion.contains(QStringLiteral("<pre>quorvane-cli %1 ").arg(c)), qPrintable(c));
}

QTEST_MAIN(TestManual)
#include "tst_manual.moc"

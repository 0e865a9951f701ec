// The Help menu: the manual opens in the desktop's browser (menu item and toolbar button), the user is
// told when it cannot, and the About box shows what the program runs on and closes with its button.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/ProgramInfo.h"
#include "data/ui/GuiMessenger.h"
#include "support/RecordingMessenger.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <sqlite3.h>

class TestHelpAbout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setMessenger(&m_messages); }
    void init();
    void cleanup();
    void helpOpensManual_data();
    void helpOpensManual();
    void missingManualIsReported();
    void browserFailureIsReported();
    void aboutShowsVersionsAndCloses();
    void helpMenuHoldsNoWebAddress();

private:
    void runHelp(const QString &how);
    RecordingMessenger m_messages;
    TMainForm *m_form = nullptr;
    std::unique_ptr<AppWindows> m_windows;
    QList<QUrl> m_opened;
    bool m_browserWorks = true;
};

void TestHelpAbout::init()
{
    m_messages.clear();
    m_opened.clear();
    m_browserWorks = true;
    m_form = new TMainForm;
    m_windows = createAppWindows(*m_form, [] {});
    m_form->setUrlOpener([this](const QUrl &url) {
        m_opened << url;
        return m_browserWorks;
    });
    m_form->show();
}

void TestHelpAbout::cleanup()
{
    m_windows.reset();
    delete m_form;
}

void TestHelpAbout::runHelp(const QString &how)
{
    if (how == QLatin1String("menu")) {
        m_form->command(QStringLiteral("MenuContents"))->trigger();
        return;
    }
    auto *button = m_form->findChild<QToolButton *>(QStringLiteral("ToolButtonHelp"));
    QVERIFY(button);
    QVERIFY(button->isEnabled()); // also without a league
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestHelpAbout::helpOpensManual_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Help > Contents") << QStringLiteral("menu");
    QTest::newRow("toolbar Help") << QStringLiteral("button");
}

void TestHelpAbout::helpOpensManual()
{
    QFETCH(QString, how);
    // The manual the build put beside the programs, found the way the installed program finds its own.
    const QString manual = manualIndexPath();
    if (manual.isEmpty())
        QSKIP("the manual is not built in this tree");
    runHelp(how);
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(manual)});
    QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.log().join(u'\n')));
}

void TestHelpAbout::missingManualIsReported()
{
    m_form->setManualLocator([] { return QString(); });
    runHelp(QStringLiteral("menu"));
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages()[0].kind, Messenger::Kind::Error);
    QVERIFY(m_messages.messages()[0].text.contains(QStringLiteral("manual is missing")));
}

void TestHelpAbout::browserFailureIsReported()
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("index.html"));
    m_form->setManualLocator([page] { return page; });
    m_browserWorks = false;
    runHelp(QStringLiteral("button"));
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(page)});
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages()[0].kind, Messenger::Kind::Error);
    // The message names the page, so the user can open it by hand.
    QVERIFY(m_messages.messages()[0].text.contains(page));
}

void TestHelpAbout::aboutShowsVersionsAndCloses()
{
    QStringList shown;
    bool closed = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->objectName(), QStringLiteral("FormAbout"));
        QCOMPARE(box->windowTitle(), QStringLiteral("About Quorvane"));
        const auto labels = box->findChildren<QLabel *>();
        for (QLabel *l : labels)
            shown << l->text();
        auto *buttons = box->findChild<QDialogButtonBox *>();
        QVERIFY(buttons);
        QPushButton *close = buttons->button(QDialogButtonBox::Close);
        QVERIFY(close);
        QTest::mouseClick(close, Qt::LeftButton);
        closed = !box->isVisible();
    });
    m_form->command(QStringLiteral("MenuAbout"))->trigger(); // returns once the box is closed
    QVERIFY(closed);
    const QString all = shown.join(u'\n');
    QVERIFY2(shown.contains(QStringLiteral("Quorvane")), qPrintable(all));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+")).match(programVersion()).hasMatch());
    QVERIFY2(shown.contains(QStringLiteral("Version ") + programVersion()), qPrintable(all));
    // The libraries the program runs on now, not the ones it was built against.
    QVERIFY2(all.contains(QString::fromLatin1(qVersion())), qPrintable(all));
    QVERIFY2(all.contains(QString::fromLatin1(sqlite3_libversion())), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("Licence: ")), qPrintable(all));
    QVERIFY2(!all.contains(QStringLiteral("http")) && !all.contains(QStringLiteral("mailto")),
             qPrintable(all));
}

void TestHelpAbout::helpMenuHoldsNoWebAddress()
{
    // Only the manual and the About box: the program has no web site or e-mail address to offer.
    auto *menu = m_form->findChild<QMenu *>(QStringLiteral("MenuHelp"));
    QVERIFY(menu);
    QStringList items;
    const auto actions = menu->actions();
    for (QAction *a : actions)
        items << a->objectName();
    QCOMPARE(items, (QStringList{QStringLiteral("MenuContents"), QStringLiteral("MenuAbout")}));
    for (QAction *a : actions)
        QVERIFY(a->isEnabled());
}

QTEST_MAIN(TestHelpAbout)
#include "tst_helpabout.moc"

// The main window's print and export commands, offscreen: the print dialog created afresh with its
// boxes, the reports saved as one PDF, the export menu through the file chooser, the clipboard, the
// overwrite question, and chart pictures that LibreOffice Draw reads back.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "output/report/PictureFiles.h"
#include "output/ui/ExportDialogs.h"
#include "output/ui/PrinterSetup.h"
#include "output/ui/TFormPrint.h"
#include "support/LeagueFixture.h"
#include "support/PdfChecks.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

class TestPrintExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setMessenger(&m_messages); }
    void init();
    void cleanup();
    void commandsOnWithALeague();
    void printDialogStartsUntickedAndSavesOnePdf();
    void printWithoutPrinterPointsToPdf();
    void printingLeavesTheTabAsItWas_data();
    void printingLeavesTheTabAsItWas();
    void exportMenuWritesTheShownGrid();
    void clipboardGetsTextAndHtml();
    void overwriteDeclinedKeepsTheFile();
    void openLeagueIsNoOutput_data();
    void openLeagueIsNoOutput();
    void chartPicturesReadBack();

private:
    // Runs fn on the print dialog once it is shown, then closes it.
    void withPrintDialog(const std::function<void(TFormPrint &)> &fn);
    RecordingMessenger m_messages;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<LeagueFixture> m_league;
    TMainForm *m_form = nullptr;
    std::unique_ptr<AppWindows> m_windows;
    ChosenFile m_chosen;
};

void TestPrintExport::init()
{
    m_messages.clear();
    m_dir = std::make_unique<QTemporaryDir>();
    m_league = std::make_unique<LeagueFixture>(
        QStringLiteral("Football (Soccer)"),
        QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")});
    m_league->setLeague(QStringLiteral("League"), QStringLiteral("Serie A"));
    QVERIFY(m_league->addMatch(QStringLiteral("Alpha"), QStringLiteral("Beta"), 2, 1, false,
                               QDate(2005, 8, 1), 1));
    QVERIFY(m_league->addMatch(QStringLiteral("Beta"), QStringLiteral("Gamma"), 0, 0, false,
                               QDate(2005, 8, 8), 2));
    const QString path = m_league->path();
    m_league->dm().closeLeague();

    m_form = new TMainForm;
    m_windows = createAppWindows(*m_form, [] {});
    m_form->setPathChooser([path](const QString &, bool, const QString &) { return path; });
    m_form->show();
    m_form->command(QStringLiteral("MenuOpen"))->trigger();
    QVERIFY(m_windows->dm->isLeagueOpen());
    setExportFileChooser([this](QWidget *, const QString &title, const QString &, const QString &) {
        return title == QLatin1String("Export Data As") ? m_chosen : ChosenFile{};
    });
    m_messages.clear();
}

void TestPrintExport::cleanup()
{
    setExportFileChooser(nullptr);
    m_windows.reset();
    delete m_form;
    m_league.reset();
    m_dir.reset();
}

void TestPrintExport::withPrintDialog(const std::function<void(TFormPrint &)> &fn)
{
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<TFormPrint *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        fn(*dialog);
        dialog->reject();
    });
    m_form->command(QStringLiteral("MenuPrint"))->trigger();
    QVERIFY(seen);
}

void TestPrintExport::commandsOnWithALeague()
{
    for (const char *name :
         {"MenuPrint", "MenuPrintSetup", "MenuExport", "MenuExport1", "MenuExport2", "MenuExport3",
          "MenuExport4", "MenuExport5", "MenuExport6", "MenuExport7", "MenuExport8"})
        QVERIFY2(m_form->command(QString::fromLatin1(name))->isEnabled(), name);
}

void TestPrintExport::printDialogStartsUntickedAndSavesOnePdf()
{
    if (!popplerAvailable())
        QSKIP("pdftotext (poppler-utils) is not installed");
    // The pages are checked on Letter, the paper of this locale.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto restoreLocale = qScopeGuard([&before] { QLocale::setDefault(before); });
    const QString pdf = m_dir->filePath(QStringLiteral("all"));
    withPrintDialog([&](TFormPrint &d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("Print"));
        QVERIFY(d.tickedChoices().isEmpty());
        d.findChild<QCheckBox *>(QStringLiteral("CheckBoxAll"))->click();
        QCOMPARE(d.tickedChoices(), printChoices());
        d.setPdfPathChooser([&](const QString &) { return pdf; });
        d.findChild<QPushButton *>(QStringLiteral("ButtonPdf"))->click();
        QVERIFY(d.isVisible()); // the dialog stays open
    });
    QVERIFY(m_messages.messages().isEmpty());
    // Created afresh: unticked again.
    withPrintDialog([](TFormPrint &d) { QVERIFY(d.tickedChoices().isEmpty()); });
    const QStringList pages = pdfPages(pdf + QStringLiteral(".pdf"));
    const QString all = pages.join(QLatin1Char('\f'));
    qsizetype at = 0;
    for (const QString &title :
         {QStringLiteral("Serie A - Team Statistics"), QStringLiteral("Serie A - Scores"),
          QStringLiteral("Serie A - Fixtures"), QStringLiteral("Serie A - Odds"),
          QStringLiteral("Serie A - Predictions"), QStringLiteral("Serie A - Players")}) {
        const qsizetype next = all.indexOf(title, at);
        QVERIFY2(next >= at, qPrintable(title));
        at = next;
    }
    QCOMPARE(pages.size(), 8);
    // Letter: the team statistics across, the match and player reports upright, the drawn grids across.
    const QList<QSizeF> sizes = pdfPageSizes(pdf + QStringLiteral(".pdf"));
    QCOMPARE(sizes.size(), 8);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(sizes[i].toSize(), i == 0 ? QSize(792, 612) : QSize(612, 792));
    for (int i = 6; i < 8; ++i)
        QVERIFY(sizes[i].width() > sizes[i].height());
    QVERIFY(pages[6].contains(QStringLiteral("Gamma"))); // the cross table
    QVERIFY(pages[7].contains(QStringLiteral("Beta")));  // the streak table
    QVERIFY(pages[1].contains(QStringLiteral("2:1")));   // the played matches on the scores report
}

void TestPrintExport::printWithoutPrinterPointsToPdf()
{
    if (printerInstalled())
        QSKIP("a printer is installed here");
    withPrintDialog([](TFormPrint &d) {
        d.checkBox(PrintChoice::Odds)->setChecked(true);
        d.findChild<QPushButton *>(QStringLiteral("ButtonPrint"))->click();
    });
    QCOMPARE(m_messages.messages().size(), 1);
    QVERIFY(m_messages.texts().first().contains(QStringLiteral("Save as PDF...")));
}

void TestPrintExport::printingLeavesTheTabAsItWas_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("preview") << QStringLiteral("ButtonPreview");
    QTest::newRow("pdf") << QStringLiteral("ButtonPdf");
}

// The match reports bring their pages to the front while they are made, so that the shared table holds
// those pages' rows; then the tab the user was on comes back, also while the dialog stays open.
void TestPrintExport::printingLeavesTheTabAsItWas()
{
    QFETCH(QString, button);
    m_form->setCurrentTab(TMainForm::Tab::Players);
    bool previewed = false;
    QList<TMainForm::Tab> tabs;
    withPrintDialog([&](TFormPrint &d) {
        d.checkBox(PrintChoice::Scores)->setChecked(true);
        d.checkBox(PrintChoice::Odds)->setChecked(true);
        d.setPdfPathChooser([this](const QString &) { return m_dir->filePath(QStringLiteral("tab.pdf")); });
        QTimer::singleShot(0, this, [&] {
            if (auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
                previewed = true;
                tabs << m_form->currentTab();
                preview->reject();
            }
        });
        d.findChild<QPushButton *>(button)->click();
        tabs << m_form->currentTab();
        QVERIFY(d.isVisible());
    });
    QCOMPARE(previewed, button == QLatin1String("ButtonPreview"));
    tabs << m_form->currentTab();
    for (TMainForm::Tab tab : std::as_const(tabs))
        QCOMPARE(int(tab), int(TMainForm::Tab::Players));
    QVERIFY(m_messages.messages().isEmpty());
}

void TestPrintExport::exportMenuWritesTheShownGrid()
{
    m_chosen = {m_dir->filePath(QStringLiteral("scores")), QStringLiteral("Comma Separated Value (*.csv)")};
    m_form->command(QStringLiteral("MenuExport7"))->trigger();
    QCOMPARE(m_form->currentTab(), TMainForm::Tab::Scores);
    QFile f(m_dir->filePath(QStringLiteral("scores.csv")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[1].contains(QStringLiteral("\"Beta\",\"Gamma\",\"0:0\""))); // newest first
    QVERIFY(m_messages.messages().isEmpty());

    // The display mode's columns only: "Scores" hides the predictions and the odds.
    auto *mode = m_form->findChild<QComboBox *>(QStringLiteral("ComboBoxRMode"));
    mode->setCurrentIndex(1);
    m_chosen = {m_dir->filePath(QStringLiteral("scores-mode.tab")), QStringLiteral("Table (*.tab)")};
    m_form->command(QStringLiteral("MenuExport7"))->trigger();
    QFile tab(m_dir->filePath(QStringLiteral("scores-mode.tab")));
    QVERIFY(tab.open(QIODevice::ReadOnly));
    QCOMPARE(tab.readLine(), QByteArray("Date\tRnd\tMatch\tHome Team\tAway Team\tScore\r\n"));

    m_chosen = {m_dir->filePath(QStringLiteral("cross.xlsx")), QStringLiteral("Excel Workbook (*.xlsx)")};
    m_form->command(QStringLiteral("MenuExport4"))->trigger();
    QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("cross.xlsx"))).size() > 0);
}

void TestPrintExport::clipboardGetsTextAndHtml()
{
    m_chosen = {m_dir->filePath(QStringLiteral("x.clp")), QStringLiteral("Microsoft Clipboard (*.clp)")};
    m_form->command(QStringLiteral("MenuExport1"))->trigger();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Data was copied to clipboard!")});
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("x.clp"))));
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    QVERIFY(mime->hasHtml());
    QVERIFY(mime->text().startsWith(QStringLiteral("#\tTeam\tRtg")));
    QVERIFY(mime->html().contains(QStringLiteral(">Alpha</td>")));
}

void TestPrintExport::overwriteDeclinedKeepsTheFile()
{
    const QString path = m_dir->filePath(QStringLiteral("players.html"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    m_chosen = {path, QStringLiteral("Web Page (*.html)")};
    m_messages.queueAnswer(Messenger::Answer::No);
    m_form->command(QStringLiteral("MenuExport8"))->trigger();
    QCOMPARE(m_messages.log(), QStringList{QStringLiteral(
                                   "Question YesNoCancel [Overwrite]: File already exists. Overwrite?")});
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old"));
}

void TestPrintExport::openLeagueIsNoOutput_data()
{
    QTest::addColumn<QString>("command");
    QTest::addRow("export of the scores") << "MenuExport7";
    QTest::addRow("export of the cross table") << "MenuExport4";
    QTest::addRow("save as PDF") << "ButtonPdf";
}

void TestPrintExport::openLeagueIsNoOutput()
{
    QFETCH(QString, command);
    const QString league = m_league->path();
    QFile file(league);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    if (command == QLatin1String("ButtonPdf")) {
        withPrintDialog([&](TFormPrint &d) {
            d.checkBox(PrintChoice::Odds)->setChecked(true);
            d.setPdfPathChooser([&](const QString &) { return league; });
            d.findChild<QPushButton *>(QStringLiteral("ButtonPdf"))->click();
        });
    } else {
        m_chosen = {league, QStringLiteral("Comma Separated Value (*.csv)")};
        m_messages.queueAnswer(Messenger::Answer::Yes);
        m_form->command(command)->trigger();
    }
    // One error, and no overwrite question before it.
    QCOMPARE(m_messages.messages().size(), 1);
    QVERIFY2(m_messages.log().first().contains(QStringLiteral("it is the file being read")),
             qPrintable(m_messages.log().first()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == before);
    QVERIFY(m_windows->dm->isLeagueOpen());
}

void TestPrintExport::chartPicturesReadBack()
{
    // A stand-in chart: black above, white below, so that a picture upside down shows.
    const auto paint = [](QPainter &p) {
        p.fillRect(0, 0, 400, 300, Qt::white);
        p.fillRect(0, 0, 400, 150, Qt::black);
    };
    for (PictureType t : {PictureType::Bmp, PictureType::Emf, PictureType::Wmf, PictureType::Png,
                          PictureType::Svg, PictureType::Pdf})
        writePicture(paint, QSize(400, 300), t,
                     withPictureExtension(m_dir->filePath(QStringLiteral("chart_%1").arg(int(t))), t));
    const QImage bmp(m_dir->filePath(QStringLiteral("chart_0.bmp")));
    QCOMPARE(bmp.size(), QSize(400, 300));
    QCOMPARE(QColor(bmp.pixel(200, 100)), QColor(Qt::black));
    QCOMPARE(QColor(bmp.pixel(200, 200)), QColor(Qt::white));
    QVERIFY(QFile(m_dir->filePath(QStringLiteral("chart_4.svg"))).size() > 0);

    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice is not installed");
    // LibreOffice Draw opens both metafiles and shows the picture.
    const QString out = m_dir->filePath(QStringLiteral("out"));
    QProcess p;
    p.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + m_dir->filePath(QStringLiteral("lo")),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("png"),
                      QStringLiteral("--outdir"), out, m_dir->filePath(QStringLiteral("chart_1.emf")),
                      m_dir->filePath(QStringLiteral("chart_2.wmf"))});
    QVERIFY(p.waitForFinished(120000));
    for (const QString &name : {QStringLiteral("chart_1.png"), QStringLiteral("chart_2.png")}) {
        const QImage img(out + QLatin1Char('/') + name);
        QVERIFY2(!img.isNull(), qPrintable(name));
        // Draw puts the picture in the middle of its page.
        const int x = img.width() / 2, y = img.height() / 2;
        QVERIFY(QColor(img.pixel(x, y - 30)).lightness() < 40);
        QVERIFY(QColor(img.pixel(x, y + 30)).lightness() > 200);
        QVERIFY(QColor(img.pixel(img.width() / 20, img.height() / 20)).lightness() > 200);
    }
}

QTEST_MAIN(TestPrintExport)
#include "tst_printexport.moc"

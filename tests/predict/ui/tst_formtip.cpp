// The match prediction windows offscreen, opened from the main window's command: the options dialog's
// checks and line-ups, the result window's numbers and colours, a league table page renumbering Pos,
// and the main view's numbering back after the result window closes.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "predict/ui/TFormTip.h"
#include "predict/ui/TFormTipResult.h"
#include "support/RecordingMessenger.h"
#include "support/TipExample.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace
{

template <typename T> T *child(QObject *parent, const char *name)
{
    T *w = parent->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
}

// Runs `act` on the next modal dialog once it is open.
void onNextDialog(QObject *context, std::function<void(QDialog *)> act)
{
    QTimer::singleShot(0, context, [act] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(d);
        act(d);
    });
}

void choose(QDialog *d, const char *name, const QString &text)
{
    child<QComboBox>(d, name)->setEditText(text);
}

QString label(QObject *d, const char *name)
{
    return child<QLabel>(d, name)->text();
}

int storedPos(TDataMod &dm, const QString &team)
{
    return dm.ADOConnection.scalar(QStringLiteral("SELECT Pos FROM Teams WHERE Team = '%1'").arg(team))
        .toInt();
}

} // namespace

class TestFormTip : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setMessenger(&m_messages);
    }
    void init() { m_messages.clear(); }
    void commandOpensOptionsAndResult();
    void okChecksTeamsAndHandicaps();
    void lineupsMoveAndStore();

private:
    RecordingMessenger m_messages;
};

void TestFormTip::commandOpensOptionsAndResult()
{
    TipExampleLeague example;
    const QString path = example.league.path();
    example.league.dm().closeLeague();
    TMainForm form;
    const auto windows = createAppWindows(form, [] {});
    openLeagueAtStart(*windows, path);
    form.show();
    TDataMod &dm = *windows->dm;
    QCOMPARE(storedPos(dm, QStringLiteral("A")), 2); // the home table's order: H, A, B

    QAction *tip = form.command(QStringLiteral("MenuTip"));
    QVERIFY(tip->isEnabled());
    QCOMPARE(tip->shortcut(), QKeySequence(Qt::Key_F6));
    QVERIFY(child<QToolButton>(&form, "ToolButtonTip"));

    bool resultSeen = false;
    onNextDialog(&form, [&](QDialog *options) {
        QCOMPARE(options->windowTitle(), QStringLiteral("Match Prediction Options"));
        QCOMPARE(child<QComboBox>(options, "ComboBoxHome")->count(), 3);
        choose(options, "ComboBoxHome", QStringLiteral("H"));
        choose(options, "ComboBoxAway", QStringLiteral("A"));
        // The betting system of the example (the league's own differs in the last matches).
        child<QSpinBox>(options, "SpinEditLM")->setValue(6);
        child<QCheckBox>(options, "CheckBoxHandicap")->setChecked(true);
        child<QLineEdit>(options, "EditHCH")->setText(QStringLiteral("-1"));
        onNextDialog(options, [&](QDialog *result) {
            resultSeen = true;
            QCOMPARE(result->windowTitle(), QStringLiteral("Match Prediction"));
            QCOMPARE(label(result, "PanelHP"), QStringLiteral("36%"));
            QCOMPARE(label(result, "PanelDP"), QStringLiteral("24%"));
            QCOMPARE(label(result, "PanelAP"), QStringLiteral("40%"));
            QCOMPARE(label(result, "PanelCF"), QStringLiteral("57%"));
            QCOMPARE(label(result, "PanelScore"), QStringLiteral("2:1"));
            QCOMPARE(label(result, "PanelHandicap"), QStringLiteral("-1:0"));
            QCOMPARE(label(result, "PanelVerdict"), QStringLiteral("Verdict -> Risky <- Verdict"));
            QCOMPARE(label(result, "PanelStrengthHome"), QStringLiteral("Strength = 100%"));
            auto *titles = child<QTableWidget>(result, "StringGridStatistics");
            QCOMPARE(titles->item(int(TipStat::Losses), 0)->text(), QStringLiteral("Losses"));
            auto *grid = child<QTableWidget>(result, "StringGridHome");
            QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("1")); // H's place in the home table
            QCOMPARE(grid->item(1, 1)->background().color(), QColor(128, 255, 128));
            QCOMPARE(grid->item(3, 1)->background().color(), QColor(255, 255, 128)); // draws
            // The away table page renumbers Pos by that table: B first, A second.
            child<QTabWidget>(result, "PageControlResult")->setCurrentIndex(TFormTipResult::AwayStats);
            QCOMPARE(storedPos(dm, QStringLiteral("B")), 1);
            QCOMPARE(storedPos(dm, QStringLiteral("H")), 3);
            result->reject();
        });
        options->accept();
        // The options stay open for another try until Cancel.
        QVERIFY(options->isVisible());
        options->reject();
    });
    tip->trigger();
    QVERIFY(resultSeen);
    QVERIFY2(m_messages.texts().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('|'))));
    // Closing the result window brought back the main view's numbering.
    QCOMPARE(storedPos(dm, QStringLiteral("H")), 1);
    QCOMPARE(storedPos(dm, QStringLiteral("B")), 3);
    QVERIFY(dm.ADOTableTeams.locate(QStringLiteral("Team"), {QStringLiteral("H")}));
    QCOMPARE(dm.ADOTableTeams.field(QStringLiteral("Pos")).asInteger(), 1);
}

void TestFormTip::okChecksTeamsAndHandicaps()
{
    TipExampleLeague example;
    TFormTip options(example.league.dm());
    TFormTipResult result(example.league.dm());
    options.setResultWindow(&result);
    bool opened = false;
    QObject::connect(&result, &TFormTipResult::closed, &result, [&] { opened = true; });
    options.show();
    struct Case {
        QString home, away, handicap, warning;
    };
    const Case cases[] = {
        {QStringLiteral("H"), QStringLiteral("H"), QStringLiteral("0"),
         QStringLiteral("Home team cannot equal Away team")},
        {QStringLiteral("H"), QStringLiteral("h"), QStringLiteral("0"),
         QStringLiteral("Home team cannot equal Away team")},
        {QStringLiteral("Nobody"), QStringLiteral("A"), QStringLiteral("0"),
         QStringLiteral("Home team not selected")},
        {QStringLiteral("H"), QString(), QStringLiteral("0"), QStringLiteral("Away team not selected")},
        {QStringLiteral("H"), QStringLiteral("A"), QStringLiteral("-"),
         QStringLiteral("'-' is not a valid floating point value")},
    };
    child<QCheckBox>(&options, "CheckBoxHandicap")->setChecked(true);
    for (const Case &c : cases) {
        m_messages.clear();
        choose(&options, "ComboBoxHome", c.home);
        choose(&options, "ComboBoxAway", c.away);
        child<QLineEdit>(&options, "EditHCH")->setText(c.handicap);
        options.accept();
        QCOMPARE(m_messages.texts(), QStringList{c.warning});
        QVERIFY(options.isVisible());
    }
    QVERIFY(!opened);

    // The handicap field: an emptied field reads 0, letters and a second point are not typed.
    auto *field = child<QLineEdit>(&options, "EditHCH");
    field->clear();
    QCOMPARE(field->text(), QStringLiteral("0"));
    field->setText(QStringLiteral("1.5"));
    field->setCursorPosition(3);
    QTest::keyClicks(field, QStringLiteral("x.5"));
    QCOMPARE(field->text(), QStringLiteral("1.55"));
}

void TestFormTip::lineupsMoveAndStore()
{
    TipExampleLeague example;
    example.addPlayer(QStringLiteral("H"), QStringLiteral("Ann"), 70, QStringLiteral("IN"));
    example.addPlayer(QStringLiteral("H"), QStringLiteral("Bob"), 60, QStringLiteral("OUT"));
    TDataMod &dm = example.league.dm();
    TFormTip options(dm);
    options.show();
    auto *out = child<QPushButton>(&options, "ButtonOutHome");
    QVERIFY(!out->isEnabled());
    QCOMPARE(out->toolTip(), QStringLiteral("Move to Out list"));
    choose(&options, "ComboBoxHome", QStringLiteral("h"));
    QCOMPARE(child<QGroupBox>(&options, "PanelHomePlayers")->title(), QStringLiteral("h"));
    child<QCheckBox>(&options, "CheckBoxLineups")->setChecked(true);
    QVERIFY(out->isEnabled());
    auto *in = child<QListWidget>(&options, "ListBoxHomeIn");
    auto *outList = child<QListWidget>(&options, "ListBoxHomeOut");
    QCOMPARE(in->count(), 1);
    QCOMPARE(outList->count(), 1);

    out->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("No player selected in the IN list")});
    in->setCurrentRow(0);
    out->click();
    QCOMPARE(in->count(), 0);
    QCOMPARE(outList->count(), 2);
    // Stored at once, and cancelling keeps it.
    options.reject();
    QCOMPARE(
        dm.ADOConnection.scalar(QStringLiteral("SELECT IN_OUT FROM Players WHERE Player = 'Ann'")).toString(),
        QStringLiteral("OUT"));
    // "->>" with an empty In list: nothing, and no message.
    options.show();
    choose(&options, "ComboBoxHome", QStringLiteral("H"));
    m_messages.clear();
    child<QPushButton>(&options, "ButtonAllOutHome")->click();
    QVERIFY(m_messages.texts().isEmpty());
    child<QPushButton>(&options, "ButtonAllInHome")->click();
    QCOMPARE(in->count(), 2);
    QCOMPARE(
        dm.ADOConnection.scalar(QStringLiteral("SELECT count(*) FROM Players WHERE IN_OUT = 'IN'")).toInt(),
        2);
}

QTEST_MAIN(TestFormTip)
#include "tst_formtip.moc"

#include "data/Database.h"
#include "data/ui/GuiMessenger.h"
#include "entry/ui/TFormEditor.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace
{
template <typename T> T *control(QWidget &dialog, const char *name)
{
    T *w = dialog.findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

void click(QWidget &dialog, const char *button)
{
    QTest::mouseClick(control<QPushButton>(dialog, button), Qt::LeftButton);
}

QStringList resultRows(Database &db)
{
    QStringList out;
    Statement st = db.prepare(QStringLiteral("SELECT Home, Away, DateP, Rnd FROM Results ORDER BY rowid"));
    while (st.step())
        out << QStringLiteral("%1|%2|%3|%4")
                   .arg(st.value(0).toString(), st.value(1).toString(), st.value(2).toString(),
                        st.value(3).toString());
    return out;
}

const QStringList kTeams = {QStringLiteral("Manchester United"), QStringLiteral("Arsenal"),
                            QStringLiteral("Chelsea")};
} // namespace

class TestEditor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setMessenger(&m_messages); }
    void cleanupTestCase() { setMessenger(nullptr); }
    void init() { m_messages.clear(); }
    void controlsAtStart();
    void updateWithoutLeagueWarns();
    void replaceThenUpdate();
    void aStoppingLineIsToldAndChangesNothing();

private:
    RecordingMessenger m_messages;
};

void TestEditor::controlsAtStart()
{
    TDataMod dm;
    TFormEditor dlg(dm);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Editor"));
    for (const char *b : {"ButtonClear", "ButtonUpdate", "ButtonReplace"})
        QVERIFY(control<QPushButton>(dlg, b)->isEnabled());
    int checked = 0;
    for (const char *r :
         {"RadioButtonAFLFx", "RadioButtonTSNMLB", "RadioButtonSoccerway", "RadioButtonBetExplorer"})
        checked += control<QRadioButton>(dlg, r)->isChecked();
    QCOMPARE(checked, 1);
    QVERIFY(control<QRadioButton>(dlg, "RadioButtonBetExplorer")->isChecked());
    control<QPlainTextEdit>(dlg, "MemoData")->setPlainText(QStringLiteral("x"));
    click(dlg, "ButtonClear");
    QVERIFY(control<QPlainTextEdit>(dlg, "MemoData")->toPlainText().isEmpty());

    // The year takes the years of the program's dates; a longer one typed is brought back into them.
    auto *year = control<QSpinBox>(dlg, "SpinEditYear");
    QCOMPARE(year->value(), QDate::currentDate().year());
    QCOMPARE(year->minimum(), 1850);
    QCOMPARE(year->maximum(), 2100);
    year->selectAll();
    QTest::keyClicks(year, QStringLiteral("2200"));
    year->interpretText();
    QVERIFY2(year->value() >= 1850 && year->value() <= 2100, qPrintable(QString::number(year->value())));
}

void TestEditor::updateWithoutLeagueWarns()
{
    TDataMod dm;
    TFormEditor dlg(dm);
    control<QPlainTextEdit>(dlg, "MemoData")->setPlainText(QStringLiteral("12.08.2023\nArsenal-Chelsea"));
    click(dlg, "ButtonUpdate");
    QCOMPARE(m_messages.log(), QStringList{QStringLiteral("Warning: No league selected")});
}

void TestEditor::replaceThenUpdate()
{
    LeagueFixture league(QStringLiteral("Football (Soccer)"), kTeams);
    TFormEditor dlg(league.dm());
    auto *memo = control<QPlainTextEdit>(dlg, "MemoData");
    memo->setPlainText(QStringLiteral("Round 3\n12.08.2023 20:45 Man Utd-Arsenal\nChelsea-Man Utd\n"
                                      "Chelsea-Spurs"));
    // Shortened names are made the league's own before the update.
    QTest::keyClicks(control<QLineEdit>(dlg, "EditReplace"), QStringLiteral("Man Utd"));
    QTest::keyClicks(control<QLineEdit>(dlg, "EditWith"), QStringLiteral("Manchester United"));
    click(dlg, "ButtonReplace");
    QCOMPARE(memo->toPlainText(), QStringLiteral("Round 3\n12.08.2023 20:45 Manchester United-Arsenal\n"
                                                 "Chelsea-Manchester United\nChelsea-Spurs"));
    click(dlg, "ButtonUpdate");
    QCOMPARE(resultRows(league.dm().ADOConnection),
             (QStringList{QStringLiteral("Manchester United|Arsenal|2023-08-12|3"),
                          QStringLiteral("Chelsea|Manchester United|2023-08-12|3")}));
    QVERIFY(control<QLabel>(dlg, "LabelSummary")->text().startsWith(QStringLiteral("2 fixtures added")));
    QCOMPARE(m_messages.log().size(), 1);
    QVERIFY2(m_messages.log().first().contains(QStringLiteral("Line 4 (\"Chelsea-Spurs\")")),
             qPrintable(m_messages.log().first()));

    // Update again: the fixtures are in the league already, and the summary says so.
    const QStringList rows = resultRows(league.dm().ADOConnection);
    click(dlg, "ButtonUpdate");
    QCOMPARE(resultRows(league.dm().ADOConnection), rows);
    QCOMPARE(
        control<QLabel>(dlg, "LabelSummary")->text(),
        QStringLiteral("0 fixtures added, 0 results entered (0 of them into stored fixtures), 2 already in "
                       "the league, 1 lines skipped."));
}

void TestEditor::aStoppingLineIsToldAndChangesNothing()
{
    LeagueFixture league(QStringLiteral("Australian Football"),
                         {QStringLiteral("Carlton"), QStringLiteral("Geelong")});
    TFormEditor dlg(league.dm());
    control<QRadioButton>(dlg, "RadioButtonAFLFx")->setChecked(true);
    control<QSpinBox>(dlg, "SpinEditYear")->setValue(2006);
    control<QPlainTextEdit>(dlg, "MemoData")
        ->setPlainText(QStringLiteral("Saturday 25 Mar\nCarlton (90) def. Geelong (80)\nRnd seven"));
    const QString before =
        storedRows(league.dm().ADOConnection, {QStringLiteral("Teams"), QStringLiteral("Results")});
    click(dlg, "ButtonUpdate");
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages().first().kind, Messenger::Kind::Error);
    QVERIFY2(m_messages.texts().first().startsWith(QStringLiteral("Line 3 (\"Rnd seven\")")),
             qPrintable(m_messages.texts().first()));
    QCOMPARE(storedRows(league.dm().ADOConnection, {QStringLiteral("Teams"), QStringLiteral("Results")}),
             before);
    QCOMPARE(league.dm().ADOTableResults.recordCount(), 0);
}

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"

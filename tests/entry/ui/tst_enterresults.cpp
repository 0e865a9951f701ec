#include "data/Database.h"
#include "data/ui/GuiMessenger.h"
#include "entry/Odds.h"
#include "entry/ui/TFormEnterResults.h"
#include "support/DateTyping.h"
#include "support/LeagueFixture.h"
#include "support/StoredRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTest>

namespace
{
const QString A = QStringLiteral("Arsenal");
const QString B = QStringLiteral("Chelsea");
const QString C = QStringLiteral("Everton");
const QString D = QStringLiteral("Fulham");

// The whole stored state of the league, to show that a refused OK changed nothing.
QString snapshot(Database &db)
{
    return storedRows(db, {QStringLiteral("Teams"), QStringLiteral("Results")});
}

template <typename T> T *control(QWidget &dialog, const char *name)
{
    T *w = dialog.findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

QStringList itemsOf(QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// Types into a field as the user does, replacing what it held.
void retype(QLineEdit *field, const QString &text)
{
    field->clear();
    QTest::keyClicks(field, text);
}

// A notation chosen from the chooser's list, as a click on an entry does.
void chooseNotation(QComboBox *type, int notation)
{
    type->setCurrentIndex(notation);
    Q_EMIT type->activated(notation);
}
} // namespace

class TestEnterResults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setMessenger(&m_messages);
    }
    void init() { m_messages.clear(); }
    void addMatchThroughTheControls();
    void failedEditLeavesFileAndStandings_data();
    void failedEditLeavesFileAndStandings();
    void keyFilterOnTyping_data();
    void keyFilterOnTyping();
    void typedNotation();
    void addMatchStartsWithoutTheSelectedMatchsOdds();
    void dateFieldsFollowTheLocale_data();
    void dateFieldsFollowTheLocale();

private:
    RecordingMessenger m_messages;
};

void TestEnterResults::addMatchThroughTheControls()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {B, A, C});
    TFormEnterResults dlg(f.dm());
    dlg.setWindowTitle(QStringLiteral("Add Match"));
    dlg.show(); // showing loads the controls

    auto *home = control<QComboBox>(dlg, "ComboBoxHome");
    auto *away = control<QComboBox>(dlg, "ComboBoxAway");
    QCOMPARE(itemsOf(home), (QStringList{A, B, C}));
    QCOMPARE(itemsOf(away), itemsOf(home));
    QVERIFY(home->currentText().isEmpty());
    QCOMPARE(control<QComboBox>(dlg, "ComboBoxMatch")->currentText(), QStringLiteral("Regular Season"));
    QCOMPARE(control<QSpinBox>(dlg, "SpinEditHomeScore")->value(), -1);
    QCOMPARE(control<QLineEdit>(dlg, "EditUnderOver")->text(), QStringLiteral("2.5"));
    QCOMPARE(control<QLineEdit>(dlg, "EditOdds1")->text(), QStringLiteral("-"));
    const QDate shownDate(control<QSpinBox>(dlg, "SpinEditYear")->value(),
                          control<QSpinBox>(dlg, "SpinEditMonth")->value(),
                          control<QSpinBox>(dlg, "SpinEditDay")->value());
    QCOMPARE(shownDate, QDate::currentDate()); // a first match starts at today

    QTest::keyClicks(home->lineEdit(), QStringLiteral("arsenal")); // other letter case: stored as typed
    away->setCurrentIndex(away->findText(B));
    control<QSpinBox>(dlg, "SpinEditMonth")->setValue(9);
    control<QSpinBox>(dlg, "SpinEditDay")->setValue(17);
    control<QSpinBox>(dlg, "SpinEditYear")->setValue(2005);
    control<QSpinBox>(dlg, "SpinEditRound")->setValue(6);
    control<QSpinBox>(dlg, "SpinEditHomeScore")->setValue(2);
    control<QSpinBox>(dlg, "SpinEditAwayScore")->setValue(1);
    control<QCheckBox>(dlg, "CheckBoxOvertime")->setChecked(true);
    retype(control<QLineEdit>(dlg, "EditOdds1"), QStringLiteral("2.10"));
    retype(control<QLineEdit>(dlg, "EditOddsX"), QStringLiteral("3.20"));
    retype(control<QLineEdit>(dlg, "EditOdds2"), QStringLiteral("3.50"));
    QTest::keyClicks(control<QComboBox>(dlg, "ComboBoxBookmaker1")->lineEdit(), QStringLiteral("Northbet"));
    dlg.accept();

    QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('\n'))));
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
    f.reopen();
    Table &r = f.dm().ADOTableResults;
    r.first();
    auto text = [&r](const char *c) { return r.field(QString::fromLatin1(c)).asString(); };
    QCOMPARE(text("Home"), QStringLiteral("arsenal"));
    QCOMPARE(text("Away"), B);
    QCOMPARE(text("Result"), QStringLiteral("2:1 OT"));
    QCOMPARE(r.field(QStringLiteral("DateP")).asDate(), QDate(2005, 9, 17));
    QCOMPARE(r.field(QStringLiteral("Rnd")).asInteger(), 6);
    QCOMPARE(text("O1"), QStringLiteral("2.10"));
    QCOMPARE(text("O1B"), QStringLiteral("Northbet"));
    RecordingMessenger quiet;
    QCOMPARE(r.field(QStringLiteral("Retrn")).asFloat(),
             *Odds::OddsReturnPercent(QStringLiteral("2.10"), Odds::Decimal, QStringLiteral("3.20"),
                                      Odds::Decimal, QStringLiteral("3.50"), Odds::Decimal, quiet));
    QCOMPARE(f.team(A, QStringLiteral("TP")), 1);
    QCOMPARE(f.team(B, QStringLiteral("TP")), 1);

    // The next use: the date and the round as left, the rest set again; the stored match is current in
    // Results, but a new match starts without its odds and bookmakers.
    dlg.setWindowTitle(QStringLiteral("Add Match"));
    dlg.show();
    QCOMPARE(control<QSpinBox>(dlg, "SpinEditMonth")->value(), 9);
    QCOMPARE(control<QSpinBox>(dlg, "SpinEditDay")->value(), 17);
    QCOMPARE(control<QSpinBox>(dlg, "SpinEditRound")->value(), 6);
    QCOMPARE(control<QSpinBox>(dlg, "SpinEditHomeScore")->value(), -1);
    QVERIFY(!control<QCheckBox>(dlg, "CheckBoxOvertime")->isChecked());
    QVERIFY(home->currentText().isEmpty());
    QCOMPARE(control<QGroupBox>(dlg, "GroupBoxHomeOdds")->title(), QStringLiteral("Home"));
    QCOMPARE(control<QGroupBox>(dlg, "GroupBoxAwayOdds")->title(), QStringLiteral("Away"));
    for (const char *odds : {"EditOdds1", "EditOddsX", "EditOdds2"})
        QCOMPARE(control<QLineEdit>(dlg, odds)->text(), QStringLiteral("-"));
    QVERIFY(control<QComboBox>(dlg, "ComboBoxBookmaker1")->currentText().isEmpty());
    QCOMPARE(itemsOf(control<QComboBox>(dlg, "ComboBoxBookmaker2")), QStringList{QStringLiteral("Northbet")});
    dlg.reject();
}

// Adding a fixture while another match is selected: the odds rows are captioned with the teams as they
// are chosen, and an untouched odds box stores no price rather than the selected match's.  Editing shows
// the edited match's values.
void TestEnterResults::addMatchStartsWithoutTheSelectedMatchsOdds()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B, C, D});
    MatchEntryInput selected = f.input(B, A, -1, -1, false, QDate(2024, 8, 17));
    selected.odds[0] = QStringLiteral("2.60");
    selected.odds[1] = QStringLiteral("3.40");
    selected.odds[2] = QStringLiteral("2.70");
    selected.bookmaker[0] = QStringLiteral("Northbet");
    QVERIFY(SaveMatch(f.dm(), selected, f.messenger));
    f.dm().ADOTableResults.first(); // the match selected in the main window

    TFormEnterResults dlg(f.dm());
    dlg.setWindowTitle(QStringLiteral("Add Match"));
    dlg.show();
    auto *homeBox = control<QGroupBox>(dlg, "GroupBoxHomeOdds");
    auto *awayBox = control<QGroupBox>(dlg, "GroupBoxAwayOdds");
    QCOMPARE(homeBox->title(), QStringLiteral("Home"));
    QCOMPARE(awayBox->title(), QStringLiteral("Away"));
    QCOMPARE(control<QLineEdit>(dlg, "EditOdds1")->text(), QStringLiteral("-"));
    QCOMPARE(control<QComboBox>(dlg, "ComboBoxOddsType1")->currentIndex(), int(Odds::Decimal));
    auto *home = control<QComboBox>(dlg, "ComboBoxHome");
    auto *away = control<QComboBox>(dlg, "ComboBoxAway");
    home->setCurrentIndex(home->findText(C));
    QTest::keyClicks(away->lineEdit(), D);
    QCOMPARE(homeBox->title(), C);
    QCOMPARE(awayBox->title(), D);
    retype(control<QLineEdit>(dlg, "EditOdds1"), QStringLiteral("1.90")); // the draw and away boxes untouched
    dlg.accept();
    QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('\n'))));

    Table &r = f.dm().ADOTableResults;
    QVERIFY(r.locate(QStringLiteral("Home"), {C}));
    auto text = [&r](const char *c) { return r.field(QString::fromLatin1(c)).asString(); };
    QCOMPARE(text("O1"), QStringLiteral("1.90"));
    QCOMPARE(text("OX"), QStringLiteral("-"));
    QCOMPARE(text("O2"), QStringLiteral("-"));
    QCOMPARE(text("O1B"), QString());

    QVERIFY(r.locate(QStringLiteral("Home"), {B}));
    dlg.setWindowTitle(QStringLiteral("Edit Match"));
    dlg.show();
    QCOMPARE(homeBox->title(), B);
    QCOMPARE(awayBox->title(), A);
    QCOMPARE(control<QLineEdit>(dlg, "EditOddsX")->text(), QStringLiteral("3.40"));
    QCOMPARE(control<QComboBox>(dlg, "ComboBoxBookmaker1")->currentText(), QStringLiteral("Northbet"));
    dlg.reject();
}

void TestEnterResults::dateFieldsFollowTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("order"); // the fields' names from left to right
    QTest::addColumn<QStringList>("typed"); // 24 August 2024, field after field
    QTest::addColumn<QString>("label");
    const QString m = QStringLiteral("SpinEditMonth"), d = QStringLiteral("SpinEditDay"),
                  y = QStringLiteral("SpinEditYear");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringList{m, d, y}
                           << QStringList{QStringLiteral("8"), QStringLiteral("24"), QStringLiteral("2024")}
                           << QStringLiteral("Date (MM/DD/YYYY):");
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QStringList{d, m, y}
                           << QStringList{QStringLiteral("24"), QStringLiteral("8"), QStringLiteral("2024")}
                           << QStringLiteral("Date (DD.MM.YYYY):");
}

void TestEnterResults::dateFieldsFollowTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, order);
    QFETCH(QStringList, typed);
    QFETCH(QString, label);
    QLocale::setDefault(locale);
    const auto english =
        qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); });
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    TFormEnterResults dlg(f.dm());
    dlg.setWindowTitle(QStringLiteral("Add Match"));
    dlg.show();
    const QList<QSpinBox *> fields = DateTyping::onScreen(&dlg, order[0], order[1], order[2]);
    QCOMPARE(DateTyping::names(fields), order);
    QCOMPARE(DateTyping::labelOf(&dlg, fields[0]), label);

    control<QComboBox>(dlg, "ComboBoxHome")->setCurrentIndex(0);
    control<QComboBox>(dlg, "ComboBoxAway")->setCurrentIndex(1);
    control<QSpinBox>(dlg, "SpinEditHomeScore")->setValue(1);
    control<QSpinBox>(dlg, "SpinEditAwayScore")->setValue(0);
    const QList<QWidget *> visited = DateTyping::typeWithTab(&dlg, fields[0], typed);
    QCOMPARE(visited, (QList<QWidget *>{fields[0], fields[1], fields[2]}));
    dlg.accept();
    QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('\n'))));
    f.reopen();
    f.dm().ADOTableResults.first();
    QCOMPARE(f.dm().ADOTableResults.field(QStringLiteral("DateP")).asDate(), QDate(2024, 8, 24));
}

void TestEnterResults::failedEditLeavesFileAndStandings_data()
{
    QTest::addColumn<QString>("homeOdds");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("bookmaker");
    QTest::addColumn<QString>("message");

    QTest::newRow("odds text that does not convert")
        << QStringLiteral("1,5.0") << 17 << QString()
        << Odds::invalidValueMessage(QStringLiteral("1,5.0"), Odds::Decimal);
    QTest::newRow("date that does not exist")
        << QStringLiteral("2.10") << 31 << QString() << QStringLiteral("Invalid argument to date encode");
    QTest::newRow("bookmaker too long for its column")
        << QStringLiteral("2.10") << 17 << QStringLiteral("A bookmaker with a long name") << QString();
}

// Editing a played match: its old result is taken out before the row changes, so a stop half-way must
// put everything back.
void TestEnterResults::failedEditLeavesFileAndStandings()
{
    QFETCH(QString, homeOdds);
    QFETCH(int, day);
    QFETCH(QString, bookmaker);
    QFETCH(QString, message);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    QVERIFY(f.addMatch(A, B, 1, 0, false, QDate(2005, 4, 2)));
    const QString before = snapshot(f.dm().ADOConnection);
    const int pointsBefore = f.team(A, QStringLiteral("TPts"));

    TFormEnterResults dlg(f.dm());
    dlg.setWindowTitle(QStringLiteral("Edit Match"));
    dlg.show();
    QCOMPARE(control<QComboBox>(dlg, "ComboBoxHome")->currentText(), A);
    QCOMPARE(control<QSpinBox>(dlg, "SpinEditHomeScore")->value(), 1);
    QCOMPARE(control<QSpinBox>(dlg, "SpinEditMonth")->value(), 4);

    control<QSpinBox>(dlg, "SpinEditAwayScore")->setValue(1);
    control<QSpinBox>(dlg, "SpinEditDay")->setValue(day);
    chooseNotation(control<QComboBox>(dlg, "ComboBoxOddsType1"), Odds::Decimal);
    chooseNotation(control<QComboBox>(dlg, "ComboBoxOddsType2"), Odds::Decimal);
    control<QLineEdit>(dlg, "EditOdds1")->setText(homeOdds); // as pasted: the key filter is not asked
    control<QLineEdit>(dlg, "EditOdds2")->setText(QStringLiteral("3.50"));
    control<QComboBox>(dlg, "ComboBoxBookmaker2")->setEditText(bookmaker);
    dlg.accept();

    QCOMPARE(m_messages.messages().size(), 1);
    if (!message.isEmpty())
        QCOMPARE(m_messages.messages().first().text, message);
    // The dialog stays open with what was typed, ready to be mended.
    QVERIFY(dlg.isVisible());
    QCOMPARE(control<QSpinBox>(dlg, "SpinEditDay")->value(), day);
    QCOMPARE(control<QLineEdit>(dlg, "EditOdds1")->text(), homeOdds);
    QCOMPARE(control<QComboBox>(dlg, "ComboBoxBookmaker2")->currentText(), bookmaker);
    dlg.reject();
    QCOMPARE(snapshot(f.dm().ADOConnection), before);
    QCOMPARE(f.team(A, QStringLiteral("TPts")), pointsBefore); // the shared tables agree with the file
    f.reopen();
    QCOMPARE(snapshot(f.dm().ADOConnection), before);
}

void TestEnterResults::keyFilterOnTyping_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("notation");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("decimal: one point") << QStringLiteral("EditOdds1") << int(Odds::Decimal)
                                        << QStringLiteral("1.5.0") << QStringLiteral("1.50");
    QTest::newRow("decimal: a comma after a point passes")
        << QStringLiteral("EditOdds1") << int(Odds::Decimal) << QStringLiteral("1.5,")
        << QStringLiteral("1.5,");
    QTest::newRow("decimal: no letters or blanks") << QStringLiteral("EditOddsX") << int(Odds::Decimal)
                                                   << QStringLiteral("a2 5") << QStringLiteral("25");
    QTest::newRow("fractional: one slash") << QStringLiteral("EditOdds2") << int(Odds::Fractional)
                                           << QStringLiteral("4/5/1") << QStringLiteral("4/51");
    QTest::newRow("American: sign only at the start, once")
        << QStringLiteral("EditOdds1") << int(Odds::American) << QStringLiteral("+2+00-")
        << QStringLiteral("+200");
    QTest::newRow("under/over: decimal")
        << QStringLiteral("EditUnderOver") << -1 << QStringLiteral("2..5x") << QStringLiteral("2.5");
}

void TestEnterResults::keyFilterOnTyping()
{
    QFETCH(QString, field);
    QFETCH(int, notation);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    TFormEnterResults dlg(f.dm());
    dlg.setWindowTitle(QStringLiteral("Add Match"));
    dlg.loadForm();
    auto *edit = dlg.findChild<QLineEdit *>(field);
    QVERIFY(edit);
    if (notation >= 0) {
        const QString row = field.right(1);
        chooseNotation(dlg.findChild<QComboBox *>(QStringLiteral("ComboBoxOddsType") + row), notation);
        QVERIFY2(edit->text().isEmpty(), "choosing a notation empties the odds field");
    } else {
        edit->clear();
    }
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), shown);
    QVERIFY(m_messages.messages().isEmpty());
}

void TestEnterResults::typedNotation()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {A, B});
    TFormEnterResults dlg(f.dm());
    dlg.setWindowTitle(QStringLiteral("Add Match"));
    dlg.loadForm();
    auto *type = control<QComboBox>(dlg, "ComboBoxOddsType1");
    auto *odds = control<QLineEdit>(dlg, "EditOdds1");
    chooseNotation(type, Odds::American);
    odds->setText(QStringLiteral("+120"));

    // Leaving the chooser without typing is no choice.
    Q_EMIT type->lineEdit()->editingFinished();
    QCOMPARE(odds->text(), QStringLiteral("+120"));

    // A text that names no notation: back to decimal, the odds text kept.
    retype(type->lineEdit(), QStringLiteral("EU 2"));
    Q_EMIT type->lineEdit()->editingFinished();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Invalid odds type")});
    QCOMPARE(type->currentIndex(), int(Odds::Decimal));
    QCOMPARE(type->currentText(), Odds::notationItems().at(Odds::Decimal));
    QCOMPARE(odds->text(), QStringLiteral("+120"));

    // A notation typed in other letter case is chosen, and the price is typed anew.
    m_messages.clear();
    retype(type->lineEdit(), QStringLiteral("uk (E.G. 1/2)"));
    Q_EMIT type->lineEdit()->editingFinished();
    QVERIFY(m_messages.messages().isEmpty());
    QCOMPARE(type->currentIndex(), int(Odds::Fractional));
    QVERIFY(odds->text().isEmpty());
    QCOMPARE(dlg.input().oddsType[0], int(Odds::Fractional));
}

QTEST_MAIN(TestEnterResults)
#include "tst_enterresults.moc"

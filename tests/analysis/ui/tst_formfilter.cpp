// The filter and sort dialog's wiring: its named controls with their texts and defaults, the lists it
// fills when shown, sorts acting at once, OK applying the filter of the page in front, Cancel keeping the
// choices.  The texts themselves are tested headlessly with the core routines.

#include "analysis/FilterSort.h"
#include "analysis/ui/TFormFilter.h"
#include "data/Database.h"
#include "data/ui/GuiMessenger.h"
#include "support/DateTyping.h"
#include "support/LeagueFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace
{
QString l1(const char *text)
{
    return QString::fromLatin1(text);
}

// A list written as one text, items separated by "|".
QStringList words(const char *items)
{
    return QString::fromUtf8(items).split(QLatin1Char('|'));
}

QStringList itemsOf(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

const QString Alpha = QStringLiteral("Alpha");
const QString Beta = QStringLiteral("Beta");
const QString Rovers = QStringLiteral("O'Neill Rovers");

void fillLeague(LeagueFixture &f)
{
    QVERIFY(f.addMatch(Rovers, Alpha, 2, 1, false, QDate(2005, 8, 6), 1));
    QVERIFY(f.addMatch(Beta, Rovers, 0, 0, false, QDate(2005, 8, 13), 2));
    QVERIFY(f.addMatch(Alpha, Beta, 1, 3, false, QDate(2005, 8, 20), 3));
    QVERIFY(f.addMatch(Alpha, Rovers, -1, -1, false, QDate(2005, 8, 27), 4));
    QVERIFY(f.addMatch(Rovers, Beta, -1, -1, false, QDate(2005, 9, 3), 5));
    // Odd numbers play for Alpha, even ones for the Rovers.
    const char *positions[] = {"Goalkeeper", "", "Defender", "Goalkeeper", "goalkeeper", "Forward"};
    for (int n = 1; n <= 6; ++n)
        f.dm().ADOTablePlayers.appendRecord({n, QStringLiteral("Player %1").arg(n), n % 2 ? Alpha : Rovers,
                                             l1(positions[n - 1]), 1000 + n, 0, 0, QStringLiteral("IN"),
                                             QVariant(), QVariant(), QString(), QString()});
}

void typeInto(QComboBox *box, const QString &text)
{
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
}

int visibleRows(Table &table)
{
    return table.recordCount();
}
} // namespace

class TestFormFilter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Database::setDurableWrites(false);
        setMessenger(&m_messages);
    }
    void init()
    {
        m_messages.clear();
        filterChoices() = FilterChoices();
    }

    void pagesAndButtons();
    void choosers_data();
    void choosers();
    void spinFields_data();
    void spinFields();
    void radioButtons_data();
    void radioButtons();
    void showingFillsTheLists();
    void sortsActAtOnce();
    void typedOrdersAreChecked_data();
    void typedOrdersAreChecked();
    void okAppliesThePageInFront();
    void teamFilterFromTheDialog();
    void cancelKeepsTheChoices();
    void datesFollowTheLocaleAndTheSeason_data();
    void datesFollowTheLocaleAndTheSeason();

private:
    RecordingMessenger m_messages;
};

void TestFormFilter::pagesAndButtons()
{
    LeagueFixture f;
    TFormFilter dialog(f.dm());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Filter/Sort"));
    auto *pages = dialog.findChild<QTabWidget *>(QStringLiteral("PageControl"));
    QVERIFY(pages);
    QStringList titles;
    for (int i = 0; i < pages->count(); ++i)
        titles << pages->tabText(i);
    QCOMPARE(titles, words("Team Statistics|Fixtures / Predictions|Scores|Player Statistics"));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("BitBtnOK"))->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("BitBtnCancel"))->text(),
             QStringLiteral("Cancel"));

    for (TFormFilter::Page p : {TFormFilter::PlayerStatistics, TFormFilter::Scores,
                                TFormFilter::TeamStatistics, TFormFilter::FixturesPredictions}) {
        dialog.showPage(p);
        QCOMPARE(pages->currentIndex(), int(p));
        QCOMPARE(dialog.currentPage(), p);
    }

    // The labels the pages show.
    QStringList labels;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        labels << label->text();
    for (const char *text :
         {"Home Statistics:", "Away Statistics:", "Overall Statistics:", "Start Date:", "End Date:",
          "From Round:", "To Round:", "home and away matches.", "Sort By:", "Min:", "Max:"})
        QVERIFY2(labels.contains(l1(text)), text);
    for (const QGroupBox *box : dialog.findChildren<QGroupBox *>())
        QVERIFY(box->title() == QLatin1String("Sort") || box->title() == QLatin1String("Filter"));
}

void TestFormFilter::choosers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("text");
    const QStringList team = words("Team|Rtg|P|W|D|L|F|A|Dif|Pts");
    const QStringList order = words("Ascending|Descending");
    for (const char *t : {"H", "A", "T"}) {
        QTest::addRow("ComboBox%sSort", t) << l1("ComboBox") + l1(t) + l1("Sort") << team << "Pts";
        QTest::addRow("ComboBox%sOrder", t) << l1("ComboBox") + l1(t) + l1("Order") << order << "Descending";
    }
    QTest::newRow("ComboBoxMatch")
        << "ComboBoxMatch"
        << words("All|Pre-Season|Regular Season|Relegation|1/8 Finals|1/4 Finals|1/2 Finals|Finals") << "All";
    QTest::newRow("ComboBoxFSort")
        << "ComboBoxFSort"
        << words("Date|Rnd|Home Team|Away Team|H%|D%|A%|C%|Verdict|PScore|Total|Under/Over|1|X|2|Return (%)")
        << "Date";
    QTest::newRow("ComboBoxFOrder") << "ComboBoxFOrder" << order << "Ascending";
    QTest::newRow("ComboBoxRSort")
        << "ComboBoxRSort"
        << words("Date|Rnd|Match|Home Team|Away Team|Score|H%|D%|A%|C%|Verdict|PScore|"
                 "Total|Under/Over|1|X|2|Return (%)")
        << "Date";
    QTest::newRow("ComboBoxROrder") << "ComboBoxROrder" << order << "Descending";
    QTest::newRow("ComboBoxPSort") << "ComboBoxPSort"
                                   << words("N|Player|Team|Position|DOB|Height|Weight|PR|IN/OUT") << "Player";
    QTest::newRow("ComboBoxPOrder") << "ComboBoxPOrder" << order << "Descending";
}

void TestFormFilter::choosers()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    QFETCH(QString, text);
    LeagueFixture f;
    TFormFilter dialog(f.dm());
    auto *box = dialog.findChild<QComboBox *>(name);
    QVERIFY(box);
    QCOMPARE(itemsOf(box), items);
    QCOMPARE(box->currentText(), text);
    QVERIFY(box->isEditable());
}

void TestFormFilter::spinFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("value");
    for (const char *p : {"T", "F", "R"})
        for (const char *end : {"S", "E"}) {
            QTest::addRow("%sM%s", p, end)
                << QStringLiteral("SpinEdit%1M%2").arg(l1(p), l1(end)) << 1 << 12 << 1;
            QTest::addRow("%sD%s", p, end)
                << QStringLiteral("SpinEdit%1D%2").arg(l1(p), l1(end)) << 1 << 31 << 1;
            QTest::addRow("%sY%s", p, end)
                << QStringLiteral("SpinEdit%1Y%2").arg(l1(p), l1(end)) << 1850 << 2100 << 2005;
        }
    QTest::newRow("TRS") << "SpinEditTRS" << 1 << 999 << 1;
    QTest::newRow("TRE") << "SpinEditTRE" << 1 << 999 << 1;
    QTest::newRow("LM") << "SpinEditLM" << 1 << 999 << 5;
    QTest::newRow("FRound") << "SpinEditFRound" << 1 << 999 << 1;
    QTest::newRow("RRound") << "SpinEditRRound" << 1 << 999 << 1;
    QTest::newRow("N") << "SpinEditN" << 0 << 999 << 0;
    QTest::newRow("PMin") << "SpinEditPMin" << 1 << 5000 << 1;
    QTest::newRow("PMax") << "SpinEditPMax" << 1 << 5000 << 1;
}

void TestFormFilter::spinFields()
{
    QFETCH(QString, name);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, value);
    LeagueFixture f;
    TFormFilter dialog(f.dm());
    auto *box = dialog.findChild<QSpinBox *>(name);
    QVERIFY(box);
    QCOMPARE(box->minimum(), min);
    QCOMPARE(box->maximum(), max);
    QCOMPARE(box->value(), value);
}

void TestFormFilter::radioButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("checked");
    QTest::newRow("TDate") << "RadioButtonTDate"
                           << "Date (month/day/year)" << false;
    QTest::newRow("TRound") << "RadioButtonTRound"
                            << "Round" << false;
    QTest::newRow("LM") << "RadioButtonLM"
                        << "Last" << false;
    QTest::newRow("Matches") << "RadioButtonMatches"
                             << "Matches" << true;
    QTest::newRow("FNone") << "RadioButtonFNone"
                           << "None" << false;
    QTest::newRow("FUp") << "RadioButtonFUp"
                         << "All upcoming matches" << true;
    QTest::newRow("FThis") << "RadioButtonFThis"
                           << "Upcoming matches (next 7 days)" << false;
    QTest::newRow("FDate") << "RadioButtonFDate"
                           << "Date (month/day/year)" << false;
    QTest::newRow("FRound") << "RadioButtonFRound"
                            << "Round" << false;
    QTest::newRow("FTeam") << "RadioButtonFTeam"
                           << "Team" << false;
    QTest::newRow("RNone") << "RadioButtonRNone"
                           << "None" << true;
    QTest::newRow("RDate") << "RadioButtonRDate"
                           << "Date (month/day/year)" << false;
    QTest::newRow("RRound") << "RadioButtonRRound"
                            << "Round" << false;
    QTest::newRow("RTeam") << "RadioButtonRTeam"
                           << "Team" << false;
    QTest::newRow("PNone") << "RadioButtonPNone"
                           << "None" << true;
    QTest::newRow("PNumber") << "RadioButtonPNumber"
                             << "Number" << false;
    QTest::newRow("PPosition") << "RadioButtonPPosition"
                               << "Position" << false;
    QTest::newRow("PStatistic") << "RadioButtonPStatistic"
                                << "Player Rating" << false;
}

void TestFormFilter::radioButtons()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, checked);
    LeagueFixture f;
    TFormFilter dialog(f.dm());
    auto *button = dialog.findChild<QRadioButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->isChecked(), checked);
}

void TestFormFilter::showingFillsTheLists()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Beta, Alpha});
    fillLeague(f);
    TFormFilter dialog(f.dm());
    auto *fixtureTeams = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxFTeam"));
    auto *scoreTeams = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxRTeam"));
    auto *positions = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxPPos"));
    auto *matchType = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxMatch"));
    QCOMPARE(fixtureTeams->count(), 0);
    QCOMPARE(fixtureTeams->maxVisibleItems(), 15);
    QCOMPARE(matchType->maxVisibleItems(), 15);
    QCOMPARE(matchType->lineEdit()->maxLength(), 25);

    filterChoices().scores.team = Rovers;
    dialog.show();
    const QStringList teams = {Alpha, Beta, Rovers};
    QCOMPARE(itemsOf(fixtureTeams), teams);
    QCOMPARE(itemsOf(scoreTeams), teams);
    QCOMPARE(scoreTeams->currentText(), Rovers); // the stored choice stays chosen
    QCOMPARE(itemsOf(positions), words("Goalkeeper|Defender|Forward"));
    dialog.hide();

    // Refilled at each showing.
    f.addTeam(QStringLiteral("Zeta"));
    dialog.show();
    QCOMPARE(itemsOf(fixtureTeams), (QStringList{Alpha, Beta, Rovers, QStringLiteral("Zeta")}));
    dialog.hide();
    QVERIFY(m_messages.messages().isEmpty());
}

void TestFormFilter::sortsActAtOnce()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Beta, Alpha});
    fillLeague(f);
    TDataMod &dm = f.dm();
    TFormFilter dialog(dm);

    auto *homeSort = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxHSort"));
    homeSort->setCurrentIndex(homeSort->findText(QStringLiteral("Team")));
    QCOMPARE(dm.ADOTableTeams.sort(), QStringLiteral("Team DESC, HDif DESC, HW DESC"));
    QCOMPARE(filterChoices().teamSorts.home.sort, QStringLiteral("Team"));
    dm.ADOTableTeams.first();
    QCOMPARE(dm.ADOTableTeams.field(QStringLiteral("Team")).asString(), Rovers);
    QCOMPARE(dm.ADOTableTeams.field(QStringLiteral("Pos")).asInteger(), 1);

    auto *overallOrder = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxTOrder"));
    overallOrder->setCurrentIndex(0);
    QCOMPARE(dm.ADOTableTeams.sort(), QStringLiteral("TPts, TDif, TW"));

    auto *fixtureSort = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxFSort"));
    fixtureSort->setCurrentIndex(fixtureSort->findText(QStringLiteral("Away Team")));
    QCOMPARE(dm.ADOTableResults.sort(), QStringLiteral("Away"));
    auto *scoreOrder = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxROrder"));
    scoreOrder->setCurrentIndex(0);
    QCOMPARE(dm.ADOTableResults.sort(), QStringLiteral("DateP"));
    QCOMPARE(filterChoices().scores.order, QStringLiteral("Ascending"));

    auto *playerSort = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxPSort"));
    typeInto(playerSort, QStringLiteral("Weight"));
    QCOMPARE(dm.ADOTablePlayers.sort(), QStringLiteral("Wt DESC"));
    typeInto(playerSort, QStringLiteral("Goals"));
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Invalid option")});
    QCOMPARE(dm.ADOTablePlayers.sort(), QStringLiteral("Wt DESC"));
    // A typed fixture sort that is no item does nothing, without a message.
    typeInto(fixtureSort, QStringLiteral("Goals"));
    QCOMPARE(dm.ADOTableResults.sort(), QStringLiteral("DateP"));
    QCOMPARE(m_messages.texts().size(), 1);
}

void TestFormFilter::typedOrdersAreChecked_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("textAfter");
    QTest::newRow("home") << "ComboBoxHOrder"
                          << "Invalid option"
                          << "Ascending";
    QTest::newRow("away") << "ComboBoxAOrder"
                          << "Invalid option"
                          << "Ascending";
    QTest::newRow("overall") << "ComboBoxTOrder"
                             << "Invalid value"
                             << "Ascending";
    QTest::newRow("fixtures") << "ComboBoxFOrder"
                              << "Invalid option"
                              << "Ascending";
    QTest::newRow("scores") << "ComboBoxROrder"
                            << "Invalid option"
                            << "Ascending";
    QTest::newRow("players") << "ComboBoxPOrder"
                             << "Invalid option"
                             << "Sideways";
}

void TestFormFilter::typedOrdersAreChecked()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, textAfter);
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Beta, Alpha});
    fillLeague(f);
    TDataMod &dm = f.dm();
    dm.ADOTableTeams.setSort(QStringLiteral("Team"));
    dm.ADOTableResults.setSort(QStringLiteral("Rnd"));
    dm.ADOTablePlayers.setSort(QStringLiteral("N"));
    TFormFilter dialog(dm);
    dialog.show();
    auto *box = dialog.findChild<QComboBox *>(name);
    typeInto(box, QStringLiteral("Sideways"));
    QCOMPARE(m_messages.texts(), QStringList{message});
    QCOMPARE(box->currentText(), textAfter);
    // Nothing is sorted, and Enter in the chooser does not close the dialog.
    QCOMPARE(dm.ADOTableTeams.sort(), QStringLiteral("Team"));
    QCOMPARE(dm.ADOTableResults.sort(), QStringLiteral("Rnd"));
    QCOMPARE(dm.ADOTablePlayers.sort(), QStringLiteral("N"));
    QVERIFY(dialog.isVisible());
    // Leaving the chooser afterwards does not warn again.
    Q_EMIT box->lineEdit()->editingFinished();
    QCOMPARE(m_messages.texts().size(), 1);
    dialog.hide();
}

void TestFormFilter::okAppliesThePageInFront()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Beta, Alpha});
    fillLeague(f);
    TDataMod &dm = f.dm();
    TFormFilter dialog(dm);
    dialog.FormShow();
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("BitBtnOK"));

    // Fixtures: every row with "None", a team's fixtures with "Team".
    dialog.showPage(TFormFilter::FixturesPredictions);
    dialog.findChild<QRadioButton *>(QStringLiteral("RadioButtonFNone"))->click();
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dm.ADOTableResults.filtered());
    QCOMPARE(visibleRows(dm.ADOTableResults), 5);
    dialog.findChild<QRadioButton *>(QStringLiteral("RadioButtonFTeam"))->click();
    auto *team = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxFTeam"));
    team->setCurrentIndex(team->findText(Rovers));
    ok->click();
    QCOMPARE(
        dm.ADOTableResults.filter(),
        QStringLiteral(
            "(Result = ':' AND Home = 'O''Neill Rovers') OR (Result = ':' AND Away = 'O''Neill Rovers')"));
    QCOMPARE(visibleRows(dm.ADOTableResults), 2);

    // Scores: a round, from the spin field.
    dialog.showPage(TFormFilter::Scores);
    dialog.findChild<QRadioButton *>(QStringLiteral("RadioButtonRRound"))->click();
    dialog.findChild<QSpinBox *>(QStringLiteral("SpinEditRRound"))->setValue(2);
    ok->click();
    QCOMPARE(dm.ADOTableResults.filter(), QStringLiteral("Result <> ':' AND Rnd = 2"));
    QCOMPARE(visibleRows(dm.ADOTableResults), 1);

    // Players: restricted to the team chosen in the players view's list.
    dialog.setPlayersTeamSelection([] { return Alpha; });
    dialog.showPage(TFormFilter::PlayerStatistics);
    dialog.findChild<QRadioButton *>(QStringLiteral("RadioButtonPPosition"))->click();
    auto *position = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxPPos"));
    position->setCurrentIndex(position->findText(QStringLiteral("Goalkeeper")));
    ok->click();
    QCOMPARE(dm.ADOTablePlayers.filter(), QStringLiteral("Pos = 'Goalkeeper' AND Team = 'Alpha'"));
    QCOMPARE(visibleRows(dm.ADOTablePlayers), 2); // players 1 and 5; 4 plays for the Rovers

    // A date that does not exist: the dataset's error is shown and the dialog still closes.
    dialog.showPage(TFormFilter::Scores);
    dialog.findChild<QRadioButton *>(QStringLiteral("RadioButtonRDate"))->click();
    dialog.findChild<QSpinBox *>(QStringLiteral("SpinEditRMS"))->setValue(2);
    dialog.findChild<QSpinBox *>(QStringLiteral("SpinEditRDS"))->setValue(30);
    dialog.setResult(QDialog::Rejected);
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_messages.messages().size(), 1);
    QCOMPARE(m_messages.messages().first().kind, Messenger::Kind::Error);
}

void TestFormFilter::teamFilterFromTheDialog()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Beta, Alpha});
    fillLeague(f);
    TDataMod &dm = f.dm();
    const int ratingBefore = f.team(Beta, QStringLiteral("TRT"));
    TFormFilter dialog(dm);
    dialog.showPage(TFormFilter::TeamStatistics);

    // A typed match type that is no item: warned, nothing recomputed, the dialog closes all the same.
    auto *matchType = dialog.findChild<QComboBox *>(QStringLiteral("ComboBoxMatch"));
    matchType->setEditText(QStringLiteral("Cup"));
    QCOMPARE(filterChoices().teams.matchType, QStringLiteral("Cup"));
    dialog.findChild<QPushButton *>(QStringLiteral("BitBtnOK"))->click();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Invalid option")});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(f.team(Beta, QStringLiteral("TP")), 2);

    // Rounds 2 to 3: Beta's draw and win count, the Rovers' home win of round 1 not.
    m_messages.clear();
    dialog.findChild<QRadioButton *>(QStringLiteral("RadioButtonTRound"))->click();
    dialog.findChild<QSpinBox *>(QStringLiteral("SpinEditTRS"))->setValue(2);
    dialog.findChild<QSpinBox *>(QStringLiteral("SpinEditTRE"))->setValue(3);
    dialog.accept();
    QVERIFY(m_messages.messages().isEmpty());
    QCOMPARE(f.team(Rovers, QStringLiteral("TP")), 1);
    QCOMPARE(f.team(Rovers, QStringLiteral("HP")), 0);
    QCOMPARE(f.team(Beta, QStringLiteral("TPts")), 4);
    QCOMPARE(f.team(Beta, QStringLiteral("TRT")), ratingBefore);
}

void TestFormFilter::cancelKeepsTheChoices()
{
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Beta, Alpha});
    fillLeague(f);
    {
        TFormFilter dialog(f.dm());
        dialog.showPage(TFormFilter::FixturesPredictions);
        dialog.findChild<QRadioButton *>(QStringLiteral("RadioButtonFRound"))->click();
        dialog.findChild<QSpinBox *>(QStringLiteral("SpinEditFRound"))->setValue(4);
        dialog.findChild<QPushButton *>(QStringLiteral("BitBtnCancel"))->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(f.dm().ADOTableResults.filter().isEmpty()); // no filter applied
    }
    QCOMPARE(filterChoices().fixtures.filter, FixtureFilterKind::Round);
    QCOMPARE(filterChoices().fixtures.round, 4);

    // A later showing shows the stored choices, also those the team grids changed meanwhile (a click on
    // the "#" title leaves the sort with nothing selected), without sorting anything.
    filterChoices().teamSorts.home = {QStringLiteral("Ascending"), QString()};
    f.dm().ADOTableTeams.setSort(QStringLiteral("Team"));
    TFormFilter again(f.dm());
    again.show();
    QVERIFY(again.findChild<QRadioButton *>(QStringLiteral("RadioButtonFRound"))->isChecked());
    QCOMPARE(again.findChild<QSpinBox *>(QStringLiteral("SpinEditFRound"))->value(), 4);
    QCOMPARE(again.findChild<QComboBox *>(QStringLiteral("ComboBoxHSort"))->currentText(), QString());
    QCOMPARE(again.findChild<QComboBox *>(QStringLiteral("ComboBoxHOrder"))->currentText(),
             QStringLiteral("Ascending"));
    QCOMPARE(f.dm().ADOTableTeams.sort(), QStringLiteral("Team"));
    again.hide();
    QVERIFY(m_messages.messages().isEmpty());
}

void TestFormFilter::datesFollowTheLocaleAndTheSeason_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("order"); // M, D and Y from left to right
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("start"); // 24 August 2024, field after field
    QTest::addColumn<QStringList>("end");   // 31 August 2024
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "MDY"
                           << "Date (month/day/year)" << words("8|24|2024") << words("8|31|2024");
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "DMY"
                           << "Date (day/month/year)" << words("24|8|2024") << words("31|8|2024");
}

// The score filter's dates: they start at the league's season, stand in the locale's order, and what is
// typed field after field is the range filtered.
void TestFormFilter::datesFollowTheLocaleAndTheSeason()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, order);
    QFETCH(QString, caption);
    QFETCH(QStringList, start);
    QFETCH(QStringList, end);
    QLocale::setDefault(locale);
    const auto english =
        qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); });
    LeagueFixture f(QStringLiteral("Football (Soccer)"), {Rovers, Beta, Alpha});
    f.setLeague(QStringLiteral("SS"), 2024);
    f.setLeague(QStringLiteral("SE"), 2025);
    TDataMod &dm = f.dm();
    TFormFilter dialog(dm);
    dialog.showPage(TFormFilter::Scores);
    dialog.show();
    auto value = [&dialog](const QString &name) { return dialog.findChild<QSpinBox *>(name)->value(); };
    QCOMPARE(QDate(value(l1("SpinEditRYS")), value(l1("SpinEditRMS")), value(l1("SpinEditRDS"))),
             QDate(2024, 7, 1));
    QCOMPARE(QDate(value(l1("SpinEditTYE")), value(l1("SpinEditTME")), value(l1("SpinEditTDE"))),
             QDate(2025, 6, 30));

    auto *radio = dialog.findChild<QRadioButton *>(QStringLiteral("RadioButtonRDate"));
    QCOMPARE(radio->text(), caption);
    radio->click();
    const std::pair<const char *, QStringList> ends[] = {{"S", start}, {"E", end}};
    for (const auto &[e, typed] : ends) {
        QStringList names;
        for (const QChar c : order)
            names << QStringLiteral("SpinEditR") + c + QString::fromLatin1(e);
        const QList<QSpinBox *> fields = DateTyping::onScreen(&dialog, names[0], names[1], names[2]);
        QCOMPARE(DateTyping::names(fields), names);
        QCOMPARE(DateTyping::labelOf(&dialog, fields[0]),
                 QString::fromLatin1(*e == 'S' ? "Start Date:" : "End Date:"));
        QCOMPARE(DateTyping::typeWithTab(&dialog, fields[0], typed),
                 (QList<QWidget *>{fields[0], fields[1], fields[2]}));
    }
    dialog.findChild<QPushButton *>(QStringLiteral("BitBtnOK"))->click();
    QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('|'))));
    QCOMPARE(dm.ADOTableResults.filter(),
             QStringLiteral("Result <> ':' AND DateP >= 8/24/2024 AND DateP <= 8/31/2024"));
}

QTEST_MAIN(TestFormFilter)
#include "tst_formfilter.moc"

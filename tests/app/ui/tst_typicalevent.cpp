// The typical event, end to end through the windows: a played match added through the match dialog
// changes both teams' rows in the team grids; recalculating the predictions colours the match's verdict
// in the scores grid.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "data/Colours.h"
#include "data/TDataMod.h"
#include "data/ui/DataGrid.h"
#include "data/ui/GuiMessenger.h"
#include "support/LeagueFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace
{
// Runs `fill` on the next modal dialog that opens, then presses its OK.
void answerNextDialog(QObject *context, std::function<void(QDialog *)> fill)
{
    QTimer::singleShot(0, context, [fill] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(d);
        fill(d);
        d->accept();
    });
}

// The text of a grid's cell in the row whose column `keyColumn` shows `key`.
int rowOf(DataGrid *grid, const QString &title, const QString &value)
{
    QAbstractItemModel *m = grid->model();
    for (int c = 0; c < m->columnCount(); ++c) {
        if (m->headerData(c, Qt::Horizontal).toString() != title)
            continue;
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, c).data().toString() == value)
                return r;
    }
    return -1;
}

QVariant cell(DataGrid *grid, int row, const QString &title, int role = Qt::DisplayRole)
{
    QAbstractItemModel *m = grid->model();
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal).toString() == title)
            return m->index(row, c).data(role);
    return QVariant();
}
} // namespace

class TestTypicalEvent : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setMessenger(&m_messages);
    }
    void addMatchThenRecalculate();

private:
    RecordingMessenger m_messages;
};

void TestTypicalEvent::addMatchThenRecalculate()
{
    const QString alpha = QStringLiteral("Alpha"), beta = QStringLiteral("Beta"),
                  gamma = QStringLiteral("Gamma");
    LeagueFixture league(QStringLiteral("Football (Soccer)"), {alpha, beta, gamma});
    QVERIFY(league.addMatch(alpha, gamma, 3, 0, false, QDate(2005, 8, 1)));
    QVERIFY(league.addMatch(gamma, beta, 1, 1, false, QDate(2005, 8, 8)));
    // Thresholds low enough that the prediction gives a tip.
    for (const char *c : {"HP", "DP", "AP", "CF"})
        league.setLeague(QString::fromLatin1(c), 10);
    league.setLeague(QStringLiteral("DR"), true);
    const QString path = league.path();
    league.dm().closeLeague();

    TMainForm form;
    const auto windows = createAppWindows(form, [] {});
    form.show();
    openLeagueAtStart(*windows, path);
    QVERIFY(windows->dm->isLeagueOpen());

    auto *home = form.findChild<DataGrid *>(QStringLiteral("DBGridHome"));
    auto *away = form.findChild<DataGrid *>(QStringLiteral("DBGridAway"));
    QVERIFY(home && away);
    const int alphaRow = rowOf(home, QStringLiteral("Team"), alpha);
    QCOMPARE(cell(home, alphaRow, QStringLiteral("W")).toString(), QStringLiteral("1"));

    // Add Match from the Scores menu: Alpha 2:0 Beta on 15 August.
    answerNextDialog(this, [&](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Add Match"));
        d->findChild<QComboBox *>(QStringLiteral("ComboBoxHome"))->setCurrentText(alpha);
        d->findChild<QComboBox *>(QStringLiteral("ComboBoxAway"))->setCurrentText(beta);
        d->findChild<QSpinBox *>(QStringLiteral("SpinEditMonth"))->setValue(8);
        d->findChild<QSpinBox *>(QStringLiteral("SpinEditDay"))->setValue(15);
        d->findChild<QSpinBox *>(QStringLiteral("SpinEditYear"))->setValue(2005);
        d->findChild<QSpinBox *>(QStringLiteral("SpinEditHomeScore"))->setValue(2);
        d->findChild<QSpinBox *>(QStringLiteral("SpinEditAwayScore"))->setValue(0);
    });
    form.command(QStringLiteral("MenuRAddMatch"))->trigger();
    QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('|'))));

    // Both teams' rows changed at once in the team grids.
    form.setCurrentTab(TMainForm::Tab::HomeStats);
    QCOMPARE(cell(home, rowOf(home, QStringLiteral("Team"), alpha), QStringLiteral("W")).toString(),
             QStringLiteral("2"));
    QCOMPARE(cell(home, rowOf(home, QStringLiteral("Team"), alpha), QStringLiteral("Pts")).toString(),
             QStringLiteral("6"));
    form.setCurrentTab(TMainForm::Tab::AwayStats);
    QCOMPARE(cell(away, rowOf(away, QStringLiteral("Team"), beta), QStringLiteral("L")).toString(),
             QStringLiteral("1"));
    QCOMPARE(cell(away, rowOf(away, QStringLiteral("Team"), beta), QStringLiteral("A")).toString(),
             QStringLiteral("3")); // 1 at Gamma, 2 now

    // Recalculate: the match gets a verdict, which the scores grid colours green or red.
    answerNextDialog(
        this, [](QDialog *d) { QCOMPARE(d->windowTitle(), QStringLiteral("Recalculate Predictions")); });
    form.command(QStringLiteral("MenuRecalc"))->trigger();
    QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("Recalculate predictions complete.")});
    QCOMPARE(form.currentTab(), TMainForm::Tab::Scores);
    auto *scores = form.findChild<DataGrid *>(QStringLiteral("DBGridResults"));
    QVERIFY(scores);
    const int matchRow = rowOf(scores, QStringLiteral("Score"), QStringLiteral("2:0"));
    QVERIFY(matchRow >= 0);
    const QString verdict = cell(scores, matchRow, QStringLiteral("Verdict")).toString();
    QVERIFY2(verdict == QLatin1String("1") || verdict == QLatin1String("X") || verdict == QLatin1String("2"),
             qPrintable(verdict));
    const QColor colour =
        cell(scores, matchRow, QStringLiteral("Verdict"), Qt::BackgroundRole).value<QBrush>().color();
    const QColor expected =
        verdict == QLatin1String("1")
            ? QColor(Colours::LightGreen.red, Colours::LightGreen.green, Colours::LightGreen.blue)
            : QColor(Colours::LightRed.red, Colours::LightRed.green, Colours::LightRed.blue);
    QCOMPARE(colour, expected); // Alpha won: only a "1" came true
}

QTEST_MAIN(TestTypicalEvent)
#include "tst_typicalevent.moc"

// The arbitrage finder, offscreen, opened from the main window's command: the match list with its
// return colours, the stake grid and panels of the selected match, the multiplier read at every
// keystroke, a match without a draw, a match without odds, an odds text that does not convert, the
// stake grid's column widths, the two filters of the list, and the sort by a click on a column title.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "betting/ui/TFormSureProfit.h"
#include "data/Database.h"
#include "data/ui/GuiMessenger.h"
#include "support/LeagueFixture.h"
#include "support/MatchRows.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace
{
template <typename T> T *child(QObject *parent, const char *name)
{
    T *w = parent->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
}

QStringList gridRow(QTableWidget *grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells << grid->item(row, c)->text();
    return cells;
}

QStringList words(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *w : list)
        out << QString::fromUtf8(w);
    return out;
}

QColor background(QLabel *l)
{
    return l->palette().color(QPalette::Window);
}

QStringList columnTexts(const QAbstractItemModel *model, int column)
{
    QStringList texts;
    for (int r = 0; r < model->rowCount(); ++r)
        texts << model->index(r, column).data().toString();
    return texts;
}

void clickTitle(QTableView *grid, int column)
{
    QHeaderView *titles = grid->horizontalHeader();
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2,
                             titles->height() / 2));
}
} // namespace

class TestSureProfit : public QObject
{
    Q_OBJECT

private:
    RecordingMessenger m_messages;

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setMessenger(&m_messages);
    }

    void finderFromTheMainWindow()
    {
        LeagueFixture league(QStringLiteral("Football (Soccer)"), {QStringLiteral("A"), QStringLiteral("B")});
        Database &db = league.dm().ADOConnection;
        struct Odds {
            const char *o1, *ox, *o2;
        };
        // By date: a sure profit, a sure loss, no draw, no odds, an odds text that does not convert.
        const Odds odds[] = {{"2.20", "3.80", "4.50"},
                             {"2.10", "3.20", "3.50"},
                             {"1.80", "-", "2.10"},
                             {"-", "-", "-"},
                             {"1.5x", "3.00", "2.00"}};
        for (int i = 4; i >= 0; --i) { // stored newest first: the list orders them by date
            MatchRow m;
            m.home = QStringLiteral("A");
            m.away = QStringLiteral("B");
            m.date = QDate(2024, 5, 1 + i);
            m.O1 = QString::fromLatin1(odds[i].o1);
            m.OX = QString::fromLatin1(odds[i].ox);
            m.O2 = QString::fromLatin1(odds[i].o2);
            const qint64 rowid = insertMatch(db, m);
            db.execute(QStringLiteral("UPDATE Results SET O1B = 'Bk1', Retrn = ?1 WHERE rowid = ?2"),
                       {i == 0 ? 6.01 : -7.44, rowid});
        }
        // Played before all of them, with a positive return: listed once "Upcoming only" is off.
        MatchRow played = playedRow(QStringLiteral("B-A 1:0"), QDate(2024, 4, 30));
        played.O1 = QStringLiteral("1.90");
        played.OX = QStringLiteral("3.50");
        played.O2 = QStringLiteral("5.00");
        db.execute(QStringLiteral("UPDATE Results SET Retrn = 3 WHERE rowid = ?1"),
                   {insertMatch(db, played)});

        TMainForm form;
        const auto windows = createAppWindows(form, [] {});
        form.show();
        openLeagueAtStart(*windows, league.path());
        QAction *open = form.command(QStringLiteral("MenuArbFinder"));
        QVERIFY(open->isEnabled());
        QCOMPARE(open->shortcut(), QKeySequence(Qt::Key_F5));
        bool ran = false;
        QTimer::singleShot(0, &form, [this, &ran] {
            auto *f = qobject_cast<TFormSureProfit *>(QApplication::activeModalWidget());
            QVERIFY(f);
            check(f);
            ran = true;
            f->reject();
        });
        open->trigger();
        QVERIFY(ran);
    }

private:
    void check(TFormSureProfit *f)
    {
        QCOMPARE(f->windowTitle(), QStringLiteral("Arbitrage Finder"));
        QVERIFY(f->windowState() & Qt::WindowMaximized);
        QTableView *matches = f->matchGrid();
        QAbstractItemModel *model = matches->model();
        // Every change below (filters, sorts) keeps the model sound.
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model->rowCount(), 5);
        QCOMPARE(model->headerData(7, Qt::Horizontal).toString(), QStringLiteral("Return (%)"));
        QCOMPARE(model->index(0, 4).data().toString(), QStringLiteral("2.20"));
        QCOMPARE(model->index(0, 7).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(128, 255, 128));
        QCOMPARE(model->index(1, 7).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 128, 128));

        QTableWidget *stakes = f->stakeGrid();
        auto *total = child<QLabel>(f, "PanelTotalStake");
        auto *profit = child<QLabel>(f, "PanelSureProfit");
        auto *multiplier = child<QSpinBox>(f, "SpinEditMultiplier");
        QCOMPARE(multiplier->value(), 100);
        auto *multiplierText = multiplier->findChild<QLineEdit *>();
        // The first match is selected on show.
        QCOMPARE(gridRow(stakes, 0), words({"", "A", "Draw", "B"}));
        QCOMPARE(gridRow(stakes, 1), words({"Bookmaker", "Bk1", "", ""}));
        QCOMPARE(gridRow(stakes, 2), words({"Odds", "2.20", "3.80", "4.50"}));
        QCOMPARE(gridRow(stakes, 3), words({"Stake", "42.72", "24.73", "20.89"}));
        QCOMPARE(gridRow(stakes, 4), words({"Winnings", "93.99", "93.99", "93.99"}));
        QCOMPARE(total->text(), QStringLiteral("88.35 "));
        QCOMPARE(profit->text(), QStringLiteral("5.65 "));
        QCOMPARE(background(profit), QColor(128, 255, 128));

        // Every keystroke counts: the empty text reads 1, "0" gives zeros on red, 200 doubles.
        multiplierText->selectAll();
        QTest::keyClick(multiplier, Qt::Key_Backspace);
        QCOMPARE(total->text(), QStringLiteral("0.88 "));
        QTest::keyClicks(multiplier, QStringLiteral("0"));
        QCOMPARE(multiplierText->text(), QStringLiteral("0"));
        QCOMPARE(gridRow(stakes, 3), words({"Stake", "0", "0", "0"}));
        QCOMPARE(profit->text(), QStringLiteral("0 "));
        QCOMPARE(background(profit), QColor(255, 128, 128));
        QTest::keyClick(multiplier, Qt::Key_Backspace);
        QTest::keyClicks(multiplier, QStringLiteral("200"));
        QCOMPARE(total->text(), QStringLiteral("176.69 "));
        QCOMPARE(profit->text(), QStringLiteral("11.29 "));
        // Leaving the field clamps what it holds to the range; "0" becomes 1.
        multiplierText->selectAll();
        QTest::keyClicks(multiplier, QStringLiteral("0"));
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(multiplier, &leave);
        QCOMPARE(multiplierText->text(), QStringLiteral("1"));
        QCOMPARE(total->text(), QStringLiteral("0.88 "));
        multiplier->setValue(100);

        // Selecting another row refreshes: a sure loss, then a match without a draw.
        matches->setCurrentIndex(model->index(1, 0));
        QCOMPARE(total->text(), QStringLiteral("115.43 "));
        QCOMPARE(background(profit), QColor(255, 128, 128));
        matches->setCurrentIndex(model->index(2, 0));
        QCOMPARE(gridRow(stakes, 3), words({"Stake", "57.32", "0", "49.13"}));
        QCOMPARE(gridRow(stakes, 4), words({"Winnings", "103.17", "0", "103.17"}));
        QCOMPARE(total->text(), QStringLiteral("106.45 "));

        // No odds: headings and texts only, the panels at "0 ".
        matches->setCurrentIndex(model->index(3, 0));
        QCOMPARE(gridRow(stakes, 2), words({"Odds", "-", "-", "-"}));
        QCOMPARE(gridRow(stakes, 3), words({"Stake", "", "", ""}));
        QCOMPARE(total->text(), QStringLiteral("0 "));
        QVERIFY(m_messages.messages().isEmpty());

        // An odds text that does not convert: its warning, the odds shown, nothing computed.
        matches->setCurrentIndex(model->index(4, 0));
        QCOMPARE(m_messages.messages().size(), 1);
        QVERIFY2(m_messages.texts().value(0).startsWith(QStringLiteral("1.5x is an invalid value")),
                 qPrintable(m_messages.texts().value(0)));
        QCOMPARE(gridRow(stakes, 2), words({"Odds", "1.5x", "3.00", "2.00"}));
        QCOMPARE(gridRow(stakes, 4), words({"Winnings", "", "", ""}));
        QCOMPARE(total->text(), QStringLiteral("0 "));
        QCOMPARE(profit->text(), QStringLiteral("0 "));

        // Column widths follow the grid's width.
        const int w = stakes->width();
        QCOMPARE(stakes->columnWidth(0), 100);
        QCOMPARE(stakes->columnWidth(3), (w - 108) / 3);

        // The filters: the played match too, then only positive returns; the selected match stays
        // selected while it is listed.
        auto *upcoming = child<QCheckBox>(f, "CheckBoxUpcoming");
        auto *positive = child<QCheckBox>(f, "CheckBoxPositive");
        QVERIFY(upcoming->isChecked());
        QVERIFY(!positive->isChecked());
        matches->setCurrentIndex(model->index(0, 0)); // the sure profit
        upcoming->setChecked(false);
        QCOMPARE(columnTexts(model, 4), words({"1.90", "2.20", "2.10", "1.80", "-", "1.5x"}));
        QCOMPARE(matches->currentIndex().row(), 1);
        QCOMPARE(gridRow(stakes, 2), words({"Odds", "2.20", "3.80", "4.50"}));
        positive->setChecked(true);
        QCOMPARE(columnTexts(model, 4), words({"1.90", "2.20"}));
        upcoming->setChecked(true);
        QCOMPARE(columnTexts(model, 4), words({"2.20"}));
        positive->setChecked(false);
        QCOMPARE(model->rowCount(), 5);
        QCOMPARE(total->text(), QStringLiteral("88.35 "));

        // A click on a title sorts the rows by its column, prices as numbers (no price lowest), and a
        // second click turns the order round; the selected match stays selected and is not refreshed
        // again.
        matches->setCurrentIndex(model->index(1, 0)); // the sure loss
        const qsizetype warnings = m_messages.messages().size();
        clickTitle(matches, 4);
        QCOMPARE(columnTexts(model, 4), words({"-", "1.5x", "1.80", "2.10", "2.20"}));
        QCOMPARE(matches->horizontalHeader()->sortIndicatorSection(), 4);
        QCOMPARE(matches->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
        QCOMPARE(matches->currentIndex().row(), 3);
        QCOMPARE(total->text(), QStringLiteral("115.43 "));
        clickTitle(matches, 4);
        QCOMPARE(columnTexts(model, 4), words({"2.20", "2.10", "1.80", "-", "1.5x"}));
        QCOMPARE(matches->currentIndex().row(), 1);
        // Sorted rows keep their colours: the return on green stays with its match.
        QCOMPARE(model->index(0, 7).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(128, 255, 128));
        // Ties keep the order by date.
        clickTitle(matches, 2);
        QCOMPARE(columnTexts(model, 4), words({"2.20", "2.10", "1.80", "-", "1.5x"}));
        QCOMPARE(m_messages.messages().size(), warnings);
    }
};

QTEST_MAIN(TestSureProfit)
#include "tst_sureprofit.moc"

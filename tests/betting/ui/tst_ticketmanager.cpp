// The ticket manager through its windows, offscreen: a new list, a ticket with two bets, the payout and
// profit calculation, the total profit and the tables changing; the bet dialog's checks; the command of
// the main window that opens it beside an open league.

#include "app/ui/AppWindows.h"
#include "app/ui/TMainForm.h"
#include "betting/TicketSchema.h"
#include "betting/Tickets.h"
#include "betting/ui/StatsGrid.h"
#include "betting/ui/TFormBet.h"
#include "betting/ui/TFormTicket.h"
#include "betting/ui/TFormTicketMgr.h"
#include "data/Database.h"
#include "data/Dates.h"
#include "data/ui/DataGrid.h"
#include "data/ui/GuiMessenger.h"
#include "output/ui/ExportDialogs.h"
#include "output/ui/PrinterSetup.h"
#include "support/DateTyping.h"
#include "support/PdfChecks.h"
#include "support/RecordingMessenger.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace
{
// Runs `act` on the next modal dialog once it is open.
void onNextDialog(QObject *context, std::function<void(QDialog *)> act)
{
    QTimer::singleShot(0, context, [act] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(d);
        act(d);
    });
}

template <typename T> T *child(QObject *parent, const char *name)
{
    T *w = parent->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
}

void setField(QDialog *d, const char *name, const QString &text)
{
    auto *edit = child<QLineEdit>(d, name);
    edit->setText(text);
    edit->setModified(true);
    Q_EMIT edit->editingFinished();
}

// Fills the bet dialog and presses OK.
void fillBet(QDialog *d, const QString &event, const QString &home, const QString &price,
             const QString &result)
{
    child<QComboBox>(d, "ComboBoxEvent")->setEditText(event);
    child<QComboBox>(d, "ComboBoxHome")->setEditText(home);
    child<QLineEdit>(d, "EditPrice")->setText(price);
    child<QComboBox>(d, "ComboBoxResult")->setEditText(result);
    d->accept();
}

QString gridCell(DataGrid *grid, int row, const QString &title, int role = Qt::DisplayRole)
{
    QAbstractItemModel *m = grid->model();
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal).toString() == title)
            return role == Qt::DisplayRole ? m->index(row, c).data(role).toString()
                                           : m->index(row, c).data(role).value<QColor>().name();
    return QStringLiteral("no column");
}
} // namespace

class TestTicketManager : public QObject
{
    Q_OBJECT

private:
    RecordingMessenger m_messages;
    QTemporaryDir m_dir;
    std::unique_ptr<QTemporaryDir> m_settings;

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setMessenger(&m_messages);
    }
    void init()
    {
        m_messages.clear();
        // Settings of each test's own: no ticket file is remembered from another test.
        m_settings = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings->path());
    }

    void newListTicketWithTwoBets()
    {
        TFormTicketMgr mgr;
        const QString path = m_dir.filePath(QStringLiteral("walk.qvt"));
        mgr.setPathChooser([&](const QString &title, bool save, const QString &) {
            return title == QLatin1String("New List") && save ? path : QString();
        });
        mgr.show();
        QVERIFY(!child<QPushButton>(&mgr, "ToolButtonNewT")->isEnabled());
        QVERIFY(!child<QMenu>(&mgr, "MenuPrint")->menuAction()->isEnabled());
        QVERIFY(mgr.statusBar()->currentMessage().isEmpty());

        child<QAction>(&mgr, "MenuNew")->trigger();
        QCOMPARE(mgr.statusBar()->currentMessage(), path);
        QVERIFY(child<QPushButton>(&mgr, "ToolButtonNewT")->isEnabled());
        QVERIFY(child<QAction>(&mgr, "MenuPrintTable")->isEnabled());
        auto *total = child<QLabel>(&mgr, "PanelTotalProfit");
        QCOMPARE(total->text(), QStringLiteral("0  "));

        // New Ticket: stake 10, fee 1, the total price left empty, with two won bets; then calculate: the
        // total price is the bets' product and the ticket is won with them.
        onNextDialog(this, [this](QDialog *ticket) {
            QCOMPARE(ticket->windowTitle(), QStringLiteral("New Ticket"));
            QCOMPARE(child<QLineEdit>(ticket, "DBEditTPrice")->text(), QStringLiteral("0"));
            setField(ticket, "DBEditTPrice", QString()); // emptied: no total price given
            setField(ticket, "DBEditStake", QStringLiteral("10"));
            setField(ticket, "DBEditFee", QStringLiteral("1"));
            onNextDialog(this, [](QDialog *bet) {
                QCOMPARE(bet->windowTitle(), QStringLiteral("Add Bet"));
                fillBet(bet, QStringLiteral("Cup"), QStringLiteral("Ajax"), QStringLiteral("2.00"),
                        QStringLiteral("Won"));
            });
            child<QPushButton>(ticket, "ButtonAddBet")->click();
            onNextDialog(this, [](QDialog *bet) {
                fillBet(bet, QStringLiteral("Cup"), QStringLiteral("PSV"), QStringLiteral("1.25"),
                        QStringLiteral("Won"));
            });
            child<QPushButton>(ticket, "ButtonAddBet")->click();
            child<QPushButton>(ticket, "ButtonCalculate")->click();
            QCOMPARE(child<QLineEdit>(ticket, "DBEditTPrice")->text(), QStringLiteral("2.5"));
            QCOMPARE(child<QComboBox>(ticket, "ComboBoxStatus")->currentText(), QStringLiteral("Won"));
            QCOMPARE(child<QLineEdit>(ticket, "DBEditPayout")->text(), QStringLiteral("25"));
            QCOMPARE(child<QLineEdit>(ticket, "DBEditProfit")->text(), QStringLiteral("14"));
            ticket->accept();
        });
        child<QPushButton>(&mgr, "ToolButtonNewT")->click();
        QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('|'))));

        auto *tickets = child<DataGrid>(&mgr, "DBGridTs");
        auto *bets = child<DataGrid>(&mgr, "DBGridBets");
        QCOMPARE(tickets->model()->rowCount(), 1);
        QCOMPARE(gridCell(tickets, 0, QStringLiteral("N")), QStringLiteral("1"));
        QCOMPARE(gridCell(tickets, 0, QStringLiteral("Payout")), QStringLiteral("25"));
        QCOMPARE(gridCell(tickets, 0, QStringLiteral("Status"), Qt::BackgroundRole),
                 QStringLiteral("#80ff80"));
        QCOMPARE(bets->model()->rowCount(), 2);
        QCOMPARE(gridCell(bets, 1, QStringLiteral("Result"), Qt::BackgroundRole), QStringLiteral("#80ff80"));
        QCOMPARE(child<QLineEdit>(&mgr, "DBEditProfit")->text(), QStringLiteral("14"));
        QCOMPARE(total->text(), QStringLiteral("14  "));

        // The tables: tickets, then all bets (9 for the won bet at 2.00, 1.5 for the one at 1.25).
        auto *table = child<StatsGrid>(&mgr, "StringGridStats");
        QCOMPARE(table->shownGrid().last(),
                 (QStringList{QStringLiteral("Profit"), QStringLiteral("14"), QStringLiteral("14")}));
        child<QRadioButton>(&mgr, "RadioButtonTBets")->setChecked(true);
        QCOMPARE(table->shownGrid().last(),
                 (QStringList{QStringLiteral("Profit"), QStringLiteral("10.5"), QStringLiteral("10.5")}));
        child<QComboBox>(&mgr, "ComboBoxTBets")->setCurrentIndex(1); // Single Chance
        QCOMPARE(table->shownGrid().size(), 19);

        // Deleting the ticket takes its bets and its profit away.
        m_messages.queueAnswer(Messenger::Answer::Yes);
        child<QPushButton>(&mgr, "ToolButtonDelT")->click();
        QCOMPARE(tickets->model()->rowCount(), 0);
        QCOMPARE(bets->model()->rowCount(), 0);
        QCOMPARE(total->text(), QStringLiteral("0  "));
    }

    void betDialogStaysOpenAfterAWarning_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("warning");
        QTest::newRow("no event") << QString() << "A"
                                  << ""
                                  << "No league entered / selected";
        QTest::newRow("no competitor") << "Cup" << QString() << ""
                                       << "Competitor 1 not entered / selected";
        QTest::newRow("price") << "Cup"
                               << "A"
                               << "1.2.3"
                               << "1.2.3 is an invalid value.\rExample: 1.50 or 3.00";
        QTest::newRow("price above the largest") << "Cup"
                                                 << "A"
                                                 << "20000"
                                                 << "Price cannot be more than 10000 (20000).";
        QTest::newRow("stored") << "Cup"
                                << "A"
                                << "2.00" << QString();
    }
    void betDialogStaysOpenAfterAWarning()
    {
        QFETCH(QString, event);
        QFETCH(QString, home);
        QFETCH(QString, price);
        QFETCH(QString, warning);
        TFormTicketMgr mgr;
        const QString path =
            m_dir.filePath(QStringLiteral("checks%1.qvt")
                               .arg(QString::fromLatin1(QTest::currentDataTag()).remove(QLatin1Char(' '))));
        mgr.setPathChooser([&](const QString &, bool, const QString &) { return path; });
        mgr.show();
        child<QAction>(&mgr, "MenuNew")->trigger();
        bool stayedOpen = false;
        onNextDialog(this, [&](QDialog *ticket) {
            onNextDialog(this, [&](QDialog *bet) {
                child<QComboBox>(bet, "ComboBoxEvent")->setEditText(event);
                child<QComboBox>(bet, "ComboBoxHome")->setEditText(home);
                child<QLineEdit>(bet, "EditPrice")->setText(price);
                bet->accept();
                stayedOpen = bet->isVisible();
                bet->reject();
            });
            child<QPushButton>(ticket, "ButtonAddBet")->click();
            ticket->reject();
        });
        child<QPushButton>(&mgr, "ToolButtonNewT")->click();
        QCOMPARE(stayedOpen, !warning.isEmpty());
        QCOMPARE(m_messages.texts(), warning.isEmpty() ? QStringList() : QStringList{warning});
    }

    // An amount its field cannot take is warned about, and the field shows what the ticket still holds.
    void ticketDialogRefusesAmountsItsFieldsCannotTake()
    {
        TFormTicketMgr mgr;
        const QString path = m_dir.filePath(QStringLiteral("amounts.qvt"));
        mgr.setPathChooser([&](const QString &, bool, const QString &) { return path; });
        mgr.show();
        child<QAction>(&mgr, "MenuNew")->trigger();
        onNextDialog(this, [this](QDialog *ticket) {
            setField(ticket, "DBEditStake", QStringLiteral("-5"));
            QCOMPARE(child<QLineEdit>(ticket, "DBEditStake")->text(), QStringLiteral("1"));
            setField(ticket, "DBEditTPrice", QStringLiteral("1e308"));
            QCOMPARE(child<QLineEdit>(ticket, "DBEditTPrice")->text(), QStringLiteral("0"));
            setField(ticket, "DBEditFee", QStringLiteral("-1"));
            QCOMPARE(m_messages.log(),
                     (QStringList{QStringLiteral("Warning: Stake cannot be negative (-5)."),
                                  QStringLiteral("Warning: Total Price cannot be more than 10000 (1E308)."),
                                  QStringLiteral("Warning: Fee cannot be negative (-1).")}));
            m_messages.clear();
            setField(ticket, "DBEditStake", QStringLiteral("10"));
            setField(ticket, "DBEditTPrice", QStringLiteral("2.5"));
            child<QComboBox>(ticket, "ComboBoxStatus")->setEditText(QStringLiteral("Won"));
            child<QPushButton>(ticket, "ButtonCalculate")->click();
            QCOMPARE(child<QLineEdit>(ticket, "DBEditPayout")->text(), QStringLiteral("25"));
            QCOMPARE(child<QLineEdit>(ticket, "DBEditProfit")->text(), QStringLiteral("15"));
            ticket->accept();
        });
        child<QPushButton>(&mgr, "ToolButtonNewT")->click();
        QCOMPARE(m_messages.log(), QStringList());
        QCOMPARE(child<QLabel>(&mgr, "PanelTotalProfit")->text(), QStringLiteral("15  "));
    }

    void priceFieldRefusesASecondDecimalMark()
    {
        TFormTicketMgr mgr;
        TFormBet *bet = mgr.ticketDialog()->betDialog();
        auto *price = child<QLineEdit>(bet, "EditPrice");
        price->setText(QStringLiteral("1,"));
        price->setCursorPosition(2);
        QTest::keyClicks(price, QStringLiteral(".5x+"));
        QCOMPARE(price->text(), QStringLiteral("1,5"));
    }

    void sortAndDateFilter()
    {
        const QString path = m_dir.filePath(QStringLiteral("sort.qvt"));
        {
            TicketSchema::createFile(path);
            TicketBook book;
            book.openFile(path);
            const std::tuple<int, int, double, double, const char *> rows[] = {
                {2004, 3, 5, 4.5, "Won"}, {2005, 1, 20, -21, "Lost"}, {2004, 12, 10, -11, "Lost"}};
            for (const auto &[year, month, stake, profit, status] : rows) {
                NewTicket(book, QDate(year, month, 1));
                book.ADOTableTs.edit();
                book.ADOTableTs.field(QStringLiteral("Stake")).setFloat(stake);
                book.ADOTableTs.field(QStringLiteral("Profit")).setFloat(profit);
                book.ADOTableTs.field(QStringLiteral("Status")).setString(QString::fromLatin1(status));
                book.ADOTableTs.post();
            }
        }
        TFormTicketMgr mgr;
        mgr.setPathChooser([&](const QString &, bool, const QString &) { return path; });
        mgr.show();
        child<QAction>(&mgr, "MenuOpen")->trigger();
        auto *tickets = child<DataGrid>(&mgr, "DBGridTs");
        auto *total = child<QLabel>(&mgr, "PanelTotalProfit");
        QCOMPARE(total->text(), QStringLiteral("-27.5  "));
        auto column = [&](const QString &title) {
            QStringList out;
            for (int r = 0; r < tickets->model()->rowCount(); ++r)
                out << gridCell(tickets, r, title);
            return out;
        };
        // The first title click sorts descending, the next one (on any title) ascending.
        Q_EMIT tickets->horizontalHeader()->sectionClicked(2); // Stake
        QCOMPARE(column(QStringLiteral("Stake")),
                 (QStringList{QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("5")}));
        Q_EMIT tickets->horizontalHeader()->sectionClicked(1); // Date
        QCOMPARE(column(QStringLiteral("N")),
                 (QStringList{QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("2")}));

        // The date filter starts at the season of today.
        const Dates::Span season = Dates::seasonAround(QDate::currentDate());
        const QDate shownStart(child<QSpinBox>(&mgr, "SpinEditFYS")->value(),
                               child<QSpinBox>(&mgr, "SpinEditFMS")->value(),
                               child<QSpinBox>(&mgr, "SpinEditFDS")->value());
        const QDate shownEnd(child<QSpinBox>(&mgr, "SpinEditFYE")->value(),
                             child<QSpinBox>(&mgr, "SpinEditFME")->value(),
                             child<QSpinBox>(&mgr, "SpinEditFDE")->value());
        QCOMPARE(shownStart, season.first);
        QCOMPARE(shownEnd, season.last);

        // 1/1/2004 to 12/31/2004: the tickets of 2004 only, and their profit.
        const std::pair<const char *, int> range[] = {{"SpinEditFMS", 1},    {"SpinEditFDS", 1},
                                                      {"SpinEditFYS", 2004}, {"SpinEditFME", 12},
                                                      {"SpinEditFDE", 31},   {"SpinEditFYE", 2004}};
        for (const auto &[name, value] : range)
            child<QSpinBox>(&mgr, name)->setValue(value);
        QCOMPARE(tickets->model()->rowCount(), 3); // not filtered until the box is checked
        child<QCheckBox>(&mgr, "CheckBoxFilter")->setChecked(true);
        QCOMPARE(column(QStringLiteral("N")), (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
        QCOMPARE(total->text(), QStringLiteral("-6.5  "));
        auto *table = child<StatsGrid>(&mgr, "StringGridStats");
        QCOMPARE(table->shownGrid()[0], (QStringList{QString(), QStringLiteral("3/2004"),
                                                     QStringLiteral("12/2004"), QStringLiteral("Total")}));
        child<QCheckBox>(&mgr, "CheckBoxFilter")->setChecked(false);
        QCOMPARE(tickets->model()->rowCount(), 3);
        QCOMPARE(total->text(), QStringLiteral("-27.5  "));
        QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('|'))));
    }

    // Cancel on New Ticket leaves no ticket behind: not in the file, the list, the tables or the total.
    void cancelledNewTicketLeavesNothing()
    {
        TFormTicketMgr mgr;
        const QString path = m_dir.filePath(QStringLiteral("cancel.qvt"));
        mgr.setPathChooser([&](const QString &, bool, const QString &) { return path; });
        mgr.show();
        child<QAction>(&mgr, "MenuNew")->trigger();
        onNextDialog(this, [this](QDialog *ticket) {
            setField(ticket, "DBEditStake", QStringLiteral("10"));
            onNextDialog(this, [](QDialog *bet) {
                fillBet(bet, QStringLiteral("Cup"), QStringLiteral("Ajax"), QStringLiteral("2.00"),
                        QStringLiteral("Won"));
            });
            child<QPushButton>(ticket, "ButtonAddBet")->click();
            ticket->reject();
        });
        child<QPushButton>(&mgr, "ToolButtonNewT")->click();
        QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(child<DataGrid>(&mgr, "DBGridTs")->model()->rowCount(), 0);
        QCOMPARE(child<DataGrid>(&mgr, "DBGridBets")->model()->rowCount(), 0);
        QCOMPARE(child<StatsGrid>(&mgr, "StringGridStats")->shownGrid()[0],
                 (QStringList{QString(), QStringLiteral("Total")}));
        QCOMPARE(child<QLabel>(&mgr, "PanelTotalProfit")->text(), QStringLiteral("0  "));
        Database db;
        db.open(path);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Tickets")).toInt(), 0);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Bets")).toInt(), 0);

        // Editing a ticket and cancelling keeps it.
        onNextDialog(this, [](QDialog *ticket) { ticket->accept(); });
        child<QPushButton>(&mgr, "ToolButtonNewT")->click();
        onNextDialog(this, [](QDialog *ticket) {
            QCOMPARE(ticket->windowTitle(), QStringLiteral("Edit Ticket"));
            ticket->reject();
        });
        child<QPushButton>(&mgr, "ToolButtonEditT")->click();
        QCOMPARE(db.scalar(QStringLiteral("SELECT TN FROM Tickets")).toInt(), 1);
    }

    // Shown with no file open, the ticket manager opens the file it had open last.
    void reopensTheLastTicketFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("last.qvt"));
        {
            TFormTicketMgr first;
            first.setPathChooser([&](const QString &, bool, const QString &) { return path; });
            first.show();
            child<QAction>(&first, "MenuNew")->trigger();
            NewTicket(first.book(), QDate(2005, 3, 14));
            first.close();
            QVERIFY(!first.book().isOpen());
            first.show(); // shown again: the same file
            QCOMPARE(first.statusBar()->currentMessage(), QDir::toNativeSeparators(path));
            first.close();
        }
        TFormTicketMgr mgr;
        mgr.show();
        QVERIFY(mgr.book().isOpen());
        QCOMPARE(mgr.statusBar()->currentMessage(), QDir::toNativeSeparators(path));
        QVERIFY(child<QPushButton>(&mgr, "ToolButtonNewT")->isEnabled());
        QCOMPARE(child<DataGrid>(&mgr, "DBGridTs")->model()->rowCount(), 1);
        QVERIFY(m_messages.messages().isEmpty());
    }

    // The date fields of the ticket dialog, the bet dialog and the date filter stand, and are typed
    // into, in the locale's order; what is typed field after field is the date stored.
    void dateFieldsFollowTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("order"); // M, D and Y from left to right
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("label");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "MDY"
                               << QStringList{QStringLiteral("8"), QStringLiteral("24"),
                                              QStringLiteral("2024")}
                               << "Date (MM/DD/YYYY):";
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "DMY"
                               << QStringList{QStringLiteral("24"), QStringLiteral("8"),
                                              QStringLiteral("2024")}
                               << "Date (DD.MM.YYYY):";
    }
    void dateFieldsFollowTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, order);
        QFETCH(QStringList, typed);
        QFETCH(QString, label);
        QLocale::setDefault(locale);
        const auto english =
            qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); });
        // The names of a dialog's three fields, left to right as order says.
        auto expected = [&order](const QString &m, const QString &d, const QString &y) {
            QStringList out;
            for (const QChar c : order)
                out << (c == QLatin1Char('M') ? m : c == QLatin1Char('D') ? d : y);
            return out;
        };
        const QString path = m_dir.filePath(QStringLiteral("dates-%1.qvt").arg(locale.name()));
        TicketSchema::createFile(path);
        TicketBook book;
        book.openFile(path);
        NewTicket(book, QDate(2005, 3, 14));

        {
            TFormTicket ticket(book);
            ticket.setWindowTitle(TFormTicket::editCaption());
            ticket.show();
            const QStringList names = expected(QStringLiteral("SpinEditM"), QStringLiteral("SpinEditD"),
                                               QStringLiteral("SpinEditY"));
            const QList<QSpinBox *> fields = DateTyping::onScreen(&ticket, names[0], names[1], names[2]);
            QCOMPARE(DateTyping::names(fields), names);
            QCOMPARE(DateTyping::labelOf(&ticket, fields[0]), label);
            QCOMPARE(DateTyping::typeWithTab(&ticket, fields[0], typed),
                     (QList<QWidget *>{fields[0], fields[1], fields[2]}));
            ticket.accept();
            QCOMPARE(book.ADOConnection.scalar(QStringLiteral("SELECT DateP FROM Tickets")).toString(),
                     QStringLiteral("2024-08-24"));
        }
        {
            TFormBet bet(book);
            bet.setWindowTitle(TFormBet::addCaption());
            bet.show();
            const QStringList names = expected(QStringLiteral("SpinEditM"), QStringLiteral("SpinEditD"),
                                               QStringLiteral("SpinEditY"));
            const QList<QSpinBox *> fields = DateTyping::onScreen(&bet, names[0], names[1], names[2]);
            QCOMPARE(DateTyping::names(fields), names);
            QCOMPARE(DateTyping::labelOf(&bet, fields[0]), label);
            QCOMPARE(DateTyping::typeWithTab(&bet, fields[0], typed),
                     (QList<QWidget *>{fields[0], fields[1], fields[2]}));
            child<QComboBox>(&bet, "ComboBoxEvent")->setEditText(QStringLiteral("Cup"));
            child<QComboBox>(&bet, "ComboBoxHome")->setEditText(QStringLiteral("Ajax"));
            bet.accept();
            QCOMPARE(book.ADOConnection.scalar(QStringLiteral("SELECT DateP FROM Bets")).toString(),
                     QStringLiteral("2024-08-24"));
        }
        book.closeFile();

        // The date filter, from 24 August 2024 to the same day.
        {
            TicketBook other;
            other.openFile(path);
            NewTicket(other, QDate(2024, 8, 25));
        }
        TFormTicketMgr mgr;
        mgr.setPathChooser([&](const QString &, bool, const QString &) { return path; });
        mgr.show();
        child<QAction>(&mgr, "MenuOpen")->trigger();
        child<QCheckBox>(&mgr, "CheckBoxFilter")->setChecked(true);
        for (const char *end : {"S", "E"}) {
            const QString e = QString::fromLatin1(end);
            const QStringList names =
                expected(QStringLiteral("SpinEditFM") + e, QStringLiteral("SpinEditFD") + e,
                         QStringLiteral("SpinEditFY") + e);
            const QList<QSpinBox *> fields = DateTyping::onScreen(&mgr, names[0], names[1], names[2]);
            QCOMPARE(DateTyping::names(fields), names);
            QCOMPARE(DateTyping::typeWithTab(&mgr, fields[0], typed),
                     (QList<QWidget *>{fields[0], fields[1], fields[2]}));
        }
        QCOMPARE(mgr.book().ADOTableTs.filter(), QStringLiteral("DateP >= 8/24/2024 AND DateP <= 8/24/2024"));
        QCOMPARE(child<DataGrid>(&mgr, "DBGridTs")->model()->rowCount(), 1);
        QVERIFY2(m_messages.messages().isEmpty(), qPrintable(m_messages.texts().join(QLatin1Char('|'))));
    }

    void mainWindowOpensItBesideTheLeague()
    {
        TMainForm form;
        const auto windows = createAppWindows(form, [] {});
        form.show();
        QAction *open = form.command(QStringLiteral("MenuTicketMgr"));
        QVERIFY(open->isEnabled());
        QCOMPARE(open->shortcut(), QKeySequence(Qt::Key_F9));
        open->trigger();
        auto *mgr = form.findChild<TFormTicketMgr *>();
        QVERIFY(mgr && mgr->isVisible());
        QCOMPARE(mgr->windowTitle(), QStringLiteral("Ticket Manager"));
        mgr->close();
    }

    // Without a printer the Print menu's tickets and table go to a PDF file once the user agrees; the
    // chart opens the print preview.
    void printMenuWithoutAPrinter()
    {
        if (printerInstalled())
            QSKIP("a printer is installed: the printouts would go to it");
        if (!popplerAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
        TMainForm form;
        const auto windows = createAppWindows(form, [] {});
        form.command(QStringLiteral("MenuTicketMgr"))->trigger();
        auto *mgr = form.findChild<TFormTicketMgr *>();
        const QString file = m_dir.filePath(QStringLiteral("print.qvt"));
        mgr->setPathChooser([&](const QString &, bool, const QString &) { return file; });
        child<QAction>(mgr, "MenuNew")->trigger();
        NewTicket(mgr->book(), QDate(2005, 3, 14));
        mgr->RefreshTicketStatistics();

        QString pdf;
        setExportFileChooser([&pdf](QWidget *, const QString &, const QString &, const QString &) {
            return ChosenFile{pdf, QString()};
        });
        const std::pair<const char *, const char *> printouts[] = {{"MenuPrintTickets", "Competitor 1"},
                                                                   {"MenuPrintTable", "Betting Statistics"}};
        for (const auto &[action, heading] : printouts) {
            pdf = m_dir.filePath(QString::fromLatin1(action));
            m_messages.queueAnswer(Messenger::Answer::Yes);
            child<QAction>(mgr, action)->trigger();
            QCOMPARE(m_messages.texts().value(0),
                     QStringLiteral("No printer is installed. Save the printout as a PDF file?"));
            m_messages.clear();
            QVERIFY2(pdfPages(pdf + QStringLiteral(".pdf")).join(QString()).contains(QLatin1String(heading)),
                     heading);
        }
        setExportFileChooser({});

        bool previewed = false;
        onNextDialog(this, [&previewed](QDialog *d) {
            previewed = d->objectName() == QLatin1String("PrintPreview");
            d->reject();
        });
        child<QAction>(mgr, "MenuPrintChart")->trigger();
        QVERIFY(previewed);
        mgr->close();
    }
};

QTEST_MAIN(TestTicketManager)
#include "tst_ticketmanager.moc"

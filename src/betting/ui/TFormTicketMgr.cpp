#include "betting/ui/TFormTicketMgr.h"

#include "betting/TicketFiles.h"
#include "betting/TicketGrids.h"
#include "betting/TicketStatistics.h"
#include "betting/Tickets.h"
#include "betting/ui/SettlementGrid.h"
#include "betting/ui/StatsGrid.h"
#include "betting/ui/TFormTicket.h"
#include "betting/ui/TicketChartView.h"
#include "data/BusyCursor.h"
#include "data/CommandBoundary.h"
#include "data/Dates.h"
#include "data/GridCommands.h"
#include "data/Numbers.h"
#include "data/ProgramFolder.h"
#include "data/ProgramInfo.h"
#include "data/ui/DateFields.h"
#include "data/ui/GuiMessenger.h"
#include "data/ui/ShowManual.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <tuple>

namespace
{
QPushButton *button(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QComboBox *choice(QWidget *parent, const char *name, const QStringList &items)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(items);
    return c;
}

QRadioButton *option(QWidget *parent, const char *name, const char *caption)
{
    auto *r = new QRadioButton(QString::fromLatin1(caption), parent);
    r->setObjectName(QString::fromLatin1(name));
    return r;
}

QAction *action(QObject *parent, const char *name, const char *caption)
{
    auto *a = new QAction(QString::fromLatin1(caption), parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

const QString kFileFilter = QStringLiteral("Ticket Files (*.qvt);;MS Access Databases (*.mdb)");
} // namespace

TFormTicketMgr::TFormTicketMgr(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FormTicketMgr"));
    setWindowTitle(QStringLiteral("Ticket Manager"));
    setWindowFlag(Qt::Window);
    m_ticketDialog = new TFormTicket(m_book, this);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl"));
    m_pages->addTab(buildTicketsPage(), QStringLiteral("Tickets"));
    m_pages->addTab(buildChartPage(), QStringLiteral("Chart"));
    m_pages->addTab(buildTablePage(), QStringLiteral("Table"));
    setCentralWidget(m_pages);
    buildMenus();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));

    connect(m_ticketDialog, &TFormTicket::statisticsChanged, this, &TFormTicketMgr::RefreshTicketStatistics);
    connect(&m_book.ADOTableTs, &Dataset::currentChanged, this, &TFormTicketMgr::showCurrentTicket);
    connect(&m_book.ADOTableTs, &Dataset::rowChanged, this, &TFormTicketMgr::showCurrentTicket);
    connect(&m_book.ADOTableTs, &Dataset::layoutChanged, this, &TFormTicketMgr::showCurrentTicket);
    enableFileControls(false);
}

TFormTicketMgr::~TFormTicketMgr()
{
    // The views go before the tables they show.
    disconnect(&m_book.ADOTableTs, nullptr, this, nullptr);
    delete m_ticketDialog;
    delete m_pages;
    m_book.closeFile();
}

QWidget *TFormTicketMgr::buildTicketsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetTickets"));
    auto *layout = new QGridLayout(page);

    auto *list = new QGroupBox(QStringLiteral("Ticket List"), page);
    auto *listLayout = new QVBoxLayout(list);
    m_tickets = settlementGrid(m_book.ADOTableTs, ticketGridColumns(), QStringLiteral("DBGridTs"), list);
    listLayout->addWidget(m_tickets);
    auto *buttons = new QHBoxLayout;
    auto *newT = button(list, "ToolButtonNewT", "New Ticket");
    auto *editT = button(list, "ToolButtonEditT", "Edit Ticket");
    auto *delT = button(list, "ToolButtonDelT", "Delete Ticket");
    for (QPushButton *b : {newT, editT, delT})
        buttons->addWidget(b);
    listLayout->addLayout(buttons);
    m_filter = new QCheckBox(QStringLiteral("Filter By Date"), list);
    m_filter->setObjectName(QStringLiteral("CheckBoxFilter"));
    listLayout->addWidget(m_filter);
    // The date filter starts at the season of today.
    const Dates::Span season = Dates::seasonAround(QDate::currentDate());
    m_start = new DateFields(
        {QStringLiteral("SpinEditFMS"), QStringLiteral("SpinEditFDS"), QStringLiteral("SpinEditFYS")},
        season.first, list);
    m_end = new DateFields(
        {QStringLiteral("SpinEditFME"), QStringLiteral("SpinEditFDE"), QStringLiteral("SpinEditFYE")},
        season.last, list);
    auto *dates = new QFormLayout;
    dates->addRow(QStringLiteral("Start Date:"), m_start);
    dates->addRow(QStringLiteral("End Date:"), m_end);
    for (DateFields *fields : {m_start, m_end}) {
        for (QSpinBox *s : {fields->month(), fields->day(), fields->year()})
            connect(s, &QSpinBox::valueChanged, this, [this] {
                if (m_filter->isChecked())
                    dateFilterChanged();
            });
        m_fileControls << fields;
    }
    listLayout->addLayout(dates);
    layout->addWidget(list, 0, 0);

    auto *ticket = new QGroupBox(QStringLiteral("Ticket"), page);
    auto *ticketLayout = new QVBoxLayout(ticket);
    m_bets = settlementGrid(m_book.ADOTableBets, betGridColumns(), QStringLiteral("DBGridBets"), ticket);
    ticketLayout->addWidget(m_bets);
    auto *fields = new QHBoxLayout;
    const std::pair<const char *, const char *> shown[] = {{"Stake:", "Stake"},
                                                           {"Total Price:", "TPrice"},
                                                           {"Payout:", "Payout"},
                                                           {"Fee:", "Fee"},
                                                           {"Profit:", "Profit"}};
    for (const auto &[caption, column] : shown) {
        auto *edit = new QLineEdit(ticket);
        edit->setObjectName(QStringLiteral("DBEdit") + QString::fromLatin1(column));
        edit->setReadOnly(true);
        fields->addWidget(new QLabel(QString::fromLatin1(caption), ticket));
        fields->addWidget(edit);
        m_ticketFields.append({edit, QString::fromLatin1(column)});
    }
    ticketLayout->addLayout(fields);
    layout->addWidget(ticket, 0, 1);
    layout->setColumnStretch(0, 2);
    layout->setColumnStretch(1, 3);

    auto *panel = new QHBoxLayout;
    panel->addStretch();
    panel->addWidget(new QLabel(QStringLiteral(" Total Profit"), page));
    m_totalProfit = new QLabel(QStringLiteral("0.00 "), page);
    m_totalProfit->setObjectName(QStringLiteral("PanelTotalProfit"));
    m_totalProfit->setFrameShape(QFrame::Panel);
    m_totalProfit->setFrameShadow(QFrame::Sunken);
    m_totalProfit->setMinimumWidth(100);
    m_totalProfit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel->addWidget(m_totalProfit);
    layout->addLayout(panel, 1, 0, 1, 2);

    m_fileControls << newT << editT << delT << m_filter << m_tickets << m_bets;
    connect(newT, &QPushButton::clicked, this, &TFormTicketMgr::ToolButtonNewTClick);
    connect(editT, &QPushButton::clicked, this, &TFormTicketMgr::ToolButtonEditTClick);
    connect(delT, &QPushButton::clicked, this, &TFormTicketMgr::ToolButtonDelTClick);
    connect(m_tickets, &DataGrid::insertPressed, this, &TFormTicketMgr::ToolButtonNewTClick);
    connect(m_tickets, &DataGrid::editRequested, this, &TFormTicketMgr::ToolButtonEditTClick);
    connect(m_tickets, &DataGrid::titleClicked, this, [this](int c) { titleClicked(m_tickets, c); });
    connect(m_bets, &DataGrid::titleClicked, this, [this](int c) { titleClicked(m_bets, c); });
    connect(m_filter, &QCheckBox::toggled, this, &TFormTicketMgr::dateFilterChanged);
    return page;
}

QWidget *TFormTicketMgr::buildChartPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetChart"));
    auto *layout = new QVBoxLayout(page);
    m_chart = new TicketChartView(page);
    layout->addWidget(m_chart, 1);
    auto *choices = new QGroupBox(page);
    choices->setObjectName(QStringLiteral("PanelChart"));
    auto *row = new QHBoxLayout(choices);
    m_chartTickets = option(choices, "RadioButtonTickets", "Tickets");
    m_chartTicketsChoice = choice(choices, "ComboBoxTickets", chartValueItems());
    m_chartBets = option(choices, "RadioButtonBets", "Bets");
    m_chartBetsChoice = choice(choices, "ComboBoxBets", chartValueItems());
    m_chartTickets->setChecked(true);
    for (QWidget *w : std::initializer_list<QWidget *>{m_chartTickets, m_chartTicketsChoice, m_chartBets,
                                                       m_chartBetsChoice})
        row->addWidget(w);
    row->addStretch();
    layout->addWidget(choices);
    m_fileControls << choices;
    for (QRadioButton *r : {m_chartTickets, m_chartBets})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                buildChart();
        });
    for (QComboBox *c : {m_chartTicketsChoice, m_chartBetsChoice})
        connect(c, &QComboBox::currentIndexChanged, this, &TFormTicketMgr::buildChart);
    return page;
}

QWidget *TFormTicketMgr::buildTablePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheetTable"));
    auto *layout = new QVBoxLayout(page);
    m_table = new StatsGrid(page);
    layout->addWidget(m_table, 1);
    auto *choices = new QGroupBox(page);
    choices->setObjectName(QStringLiteral("PanelTable"));
    auto *row = new QHBoxLayout(choices);
    m_tableBets = option(choices, "RadioButtonTBets", "Bets");
    m_tableBetsChoice = choice(choices, "ComboBoxTBets", betsViewItems());
    m_tablePrices = option(choices, "RadioButtonPriceRange", "Price Range");
    m_tablePricesChoice = choice(choices, "ComboBoxPriceRange", priceLabelItems());
    m_tableTickets = option(choices, "RadioButtonTTickets", "Tickets");
    m_tableTickets->setChecked(true);
    for (QWidget *w : std::initializer_list<QWidget *>{m_tableBets, m_tableBetsChoice, m_tablePrices,
                                                       m_tablePricesChoice, m_tableTickets})
        row->addWidget(w);
    row->addStretch();
    layout->addWidget(choices);
    m_fileControls << choices;
    for (QRadioButton *r : {m_tableBets, m_tablePrices, m_tableTickets})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                buildTable();
        });
    for (QComboBox *c : {m_tableBetsChoice, m_tablePricesChoice})
        connect(c, &QComboBox::currentIndexChanged, this, &TFormTicketMgr::buildTable);
    return page;
}

void TFormTicketMgr::buildMenus()
{
    QMenuBar *bar = menuBar();
    auto *newList = action(this, "MenuNew", "New List");
    auto *open = action(this, "MenuOpen", "Open");
    auto *save = action(this, "MenuSave", "Save");
    auto *saveAs = action(this, "MenuSaveAs", "Save As...");
    bar->addAction(newList);
    bar->addAction(open);
    bar->addAction(save);
    bar->addAction(saveAs);
    QMenu *print = bar->addMenu(QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("MenuPrint"));
    for (const auto &[name, caption, printout] :
         {std::tuple{"MenuPrintTickets", "Tickets", Printout::Tickets},
          std::tuple{"MenuPrintTable", "Table", Printout::Table},
          std::tuple{"MenuPrintChart", "Chart", Printout::Chart}}) {
        QAction *a = action(this, name, caption);
        print->addAction(a);
        connect(a, &QAction::triggered, this, [this, printout] { Q_EMIT printoutRequested(printout); });
    }
    QMenu *ticket = bar->addMenu(QStringLiteral("Ticket"));
    ticket->setObjectName(QStringLiteral("MenuTicket"));
    auto *newT = action(this, "MenuNewTicket", "New Ticket...");
    auto *editT = action(this, "MenuEditTicket", "Edit Ticket...");
    auto *delT = action(this, "MenuDeleteTicket", "Delete Ticket");
    ticket->addAction(newT);
    ticket->addAction(editT);
    ticket->addAction(delT);
    auto *help = action(this, "MenuHelp", "Help");
    auto *exit = action(this, "MenuExit", "Exit");
    bar->addAction(help);
    bar->addAction(exit);
    m_fileActions << save << saveAs << print->menuAction() << ticket->menuAction();

    connect(newList, &QAction::triggered, this, &TFormTicketMgr::MenuNewClick);
    connect(open, &QAction::triggered, this, &TFormTicketMgr::MenuOpenClick);
    connect(save, &QAction::triggered, this, &TFormTicketMgr::MenuSaveClick);
    connect(saveAs, &QAction::triggered, this, &TFormTicketMgr::MenuSaveAsClick);
    connect(newT, &QAction::triggered, this, &TFormTicketMgr::ToolButtonNewTClick);
    connect(editT, &QAction::triggered, this, &TFormTicketMgr::ToolButtonEditTClick);
    connect(delT, &QAction::triggered, this, &TFormTicketMgr::ToolButtonDelTClick);
    connect(help, &QAction::triggered, this, [] { ShowManual(manualIndexPath()); });
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

QString TFormTicketMgr::choosePath(const QString &title, bool save, const QString &folder)
{
    if (m_choosePath)
        return m_choosePath(title, save, folder);
    return save ? QFileDialog::getSaveFileName(this, title, folder, kFileFilter)
                : QFileDialog::getOpenFileName(this, title, folder, kFileFilter);
}

// ---------------------------------------------------------------- file commands

void TFormTicketMgr::MenuNewClick()
{
    QString path = choosePath(QStringLiteral("New List"), true, ticketsFolder());
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".qvt");
    if (NewTicketList(m_book, path, messenger()) == FileCommandResult::Done)
        fileChanged();
}

void TFormTicketMgr::MenuOpenClick()
{
    const QString path = choosePath(QStringLiteral("Open"), false, ticketsFolder());
    if (OpenTicketList(m_book, path, messenger()) != FileCommandResult::Cancelled)
        fileChanged();
}

void TFormTicketMgr::MenuSaveClick()
{
    SaveTicketList(m_book, messenger());
}

void TFormTicketMgr::MenuSaveAsClick()
{
    QString path = choosePath(QStringLiteral("Save As"), true, picksFolder());
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".qvt");
    if (SaveTicketListAs(m_book, path, messenger()) != FileCommandResult::Cancelled)
        fileChanged();
}

// The window shows the file open now (or none): its path, its controls, its filter and statistics.
void TFormTicketMgr::fileChanged()
{
    statusBar()->showMessage(QDir::toNativeSeparators(m_book.path()));
    enableFileControls(m_book.isOpen());
    if (!m_book.isOpen()) {
        m_chart->clearBars();
        return;
    }
    if (m_filter->isChecked())
        runCommand(messenger(), [this] {
            const TicketDateFilter f = dateFilter();
            ApplyTicketDateFilter(m_book, &f);
        });
    showCurrentTicket();
    RefreshTicketStatistics();
}

void TFormTicketMgr::enableFileControls(bool on)
{
    for (QWidget *w : m_fileControls)
        w->setEnabled(on);
    for (QAction *a : m_fileActions)
        a->setEnabled(on);
}

void TFormTicketMgr::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous() || m_book.isOpen())
        return;
    // The ticket file of the last use opens again, as long as it is there.
    ReopenLastTicketList(m_book, messenger());
    fileChanged();
}

void TFormTicketMgr::closeEvent(QCloseEvent *event)
{
    m_book.closeFile();
    fileChanged();
    QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------- tickets

void TFormTicketMgr::showCurrentTicket()
{
    Table &t = m_book.ADOTableTs;
    const bool any = m_book.isOpen() && t.isActive() && !t.isEmpty();
    for (const auto &[field, column] : m_ticketFields)
        field->setText(any ? t.field(column).asString() : QString());
}

void TFormTicketMgr::ToolButtonNewTClick()
{
    if (!m_book.isOpen())
        return;
    const auto number = runCommand(messenger(), [this] { return NewTicket(m_book, QDate::currentDate()); });
    if (!number)
        return;
    m_ticketDialog->setWindowTitle(TFormTicket::newCaption());
    if (m_ticketDialog->exec() == QDialog::Accepted)
        return;
    // Cancelled: the new ticket goes again, with any bet added to it meanwhile.
    runCommand(messenger(), [this, &number] { DiscardTicket(m_book, *number); });
    RefreshTicketStatistics();
}

void TFormTicketMgr::ToolButtonEditTClick()
{
    if (!m_book.isOpen() || m_book.ADOTableTs.isEmpty())
        return;
    m_ticketDialog->setWindowTitle(TFormTicket::editCaption());
    m_ticketDialog->exec();
}

void TFormTicketMgr::ToolButtonDelTClick()
{
    if (m_book.isOpen() && DeleteTicket(m_book, messenger()))
        RefreshTicketStatistics();
}

void TFormTicketMgr::titleClicked(DataGrid *grid, int column)
{
    runCommand(messenger(),
               [&] { ToggleColumnSort(grid->fieldOf(column), static_cast<Table &>(grid->dataset())); });
}

// ---------------------------------------------------------------- date filter and statistics

TicketDateFilter TFormTicketMgr::dateFilter() const
{
    return TicketDateFilter{m_start->month()->value(), m_start->day()->value(), m_start->year()->value(),
                            m_end->month()->value(),   m_end->day()->value(),   m_end->year()->value()};
}

void TFormTicketMgr::dateFilterChanged()
{
    if (!m_book.isOpen())
        return;
    runCommand(messenger(), [this] {
        const TicketDateFilter f = dateFilter();
        ApplyTicketDateFilter(m_book, m_filter->isChecked() ? &f : nullptr);
    });
    RefreshTicketStatistics();
}

void TFormTicketMgr::RefreshTicketStatistics()
{
    if (!m_book.isOpen())
        return;
    BusyCursor busy;
    runCommand(messenger(), [this] {
        const StatsRows rows = shownRows();
        showChart(rows);
        showTable(rows);
        m_totalProfit->setText(TotalProfitText(rows));
    });
    showCurrentTicket();
}

StatsRows TFormTicketMgr::shownRows()
{
    // The statistics see the tickets the list shows: with the date filter, those of its range.
    std::optional<DateRange> range;
    if (m_book.ADOTableTs.filtered())
        range = DateRange{dateFilter().first(), dateFilter().last()};
    return ReadStatsRows(m_book.ADOConnection, range);
}

void TFormTicketMgr::buildChart()
{
    if (!m_book.isOpen())
        return;
    BusyCursor busy;
    runCommand(messenger(), [this] { showChart(shownRows()); });
}

void TFormTicketMgr::buildTable()
{
    if (!m_book.isOpen())
        return;
    BusyCursor busy;
    runCommand(messenger(), [this] { showTable(shownRows()); });
}

void TFormTicketMgr::showChart(const StatsRows &rows)
{
    const bool tickets = m_chartTickets->isChecked();
    const ChartSubject subject = tickets ? ChartSubject::Tickets : ChartSubject::Bets;
    const auto value =
        static_cast<ChartValue>((tickets ? m_chartTicketsChoice : m_chartBetsChoice)->currentIndex());
    m_chart->showBars(BuildChart(rows, subject, value), chartTitles(subject, value));
}

void TFormTicketMgr::showTable(const StatsRows &rows)
{
    if (m_tableBets->isChecked())
        m_table->showGrid(BetsTable(rows, static_cast<BetsView>(m_tableBetsChoice->currentIndex())));
    else if (m_tablePrices->isChecked())
        m_table->showGrid(
            PriceRangeTable(rows, static_cast<PriceLabels>(m_tablePricesChoice->currentIndex())));
    else
        m_table->showGrid(TicketsTable(rows));
}

#pragma once
// The ticket manager: a window beside the main window with its own connection to a ticket file.  The
// Tickets page lists the tickets (with the date filter), the bets of the current ticket and the total
// profit; the Chart and Table pages show the betting statistics.  The file dialogs only choose a path;
// the commands are the routines of TicketFiles.h, Tickets.h and TicketStatistics.h.

#include "betting/TicketBook.h"
#include "betting/TicketStatistics.h"

#include <QMainWindow>
#include <functional>

class DataGrid;
class DateFields;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QTabWidget;
class StatsGrid;
class TFormTicket;
class TicketChartView;
struct TicketDateFilter;

class TFormTicketMgr final : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFormTicketMgr(QWidget *parent = nullptr);
    ~TFormTicketMgr() override;

    TicketBook &book() { return m_book; }
    TFormTicket *ticketDialog() const { return m_ticketDialog; }

    // Chooses the path of New List, Open and Save As (the file dialog by default; tests answer here).
    using PathChooser = std::function<QString(const QString &title, bool save, const QString &folder)>;
    void setPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }

    // Rebuilds the chosen chart, the chosen table and the total profit from the file.
    void RefreshTicketStatistics();

    // The Print menu's three printouts; the program's printing answers printoutRequested.
    enum class Printout { Tickets, Table, Chart };
    StatsGrid *statisticsTable() const { return m_table; }
    TicketChartView *chartView() const { return m_chart; }

Q_SIGNALS:
    void printoutRequested(TFormTicketMgr::Printout printout);

public Q_SLOTS:
    void MenuNewClick();
    void MenuOpenClick();
    void MenuSaveClick();
    void MenuSaveAsClick();
    void ToolButtonNewTClick();
    void ToolButtonEditTClick();
    void ToolButtonDelTClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildTicketsPage();
    QWidget *buildChartPage();
    QWidget *buildTablePage();
    void buildMenus();
    QString choosePath(const QString &title, bool save, const QString &folder);
    void fileChanged();
    void enableFileControls(bool on);
    void showCurrentTicket();
    void dateFilterChanged();
    TicketDateFilter dateFilter() const;
    void buildChart(); // the chosen chart, the rows read afresh
    void buildTable();
    StatsRows shownRows();
    void showChart(const StatsRows &rows);
    void showTable(const StatsRows &rows);
    void titleClicked(DataGrid *grid, int column);

    TicketBook m_book;
    PathChooser m_choosePath;
    TFormTicket *m_ticketDialog = nullptr;
    QTabWidget *m_pages = nullptr;
    DataGrid *m_tickets = nullptr;
    DataGrid *m_bets = nullptr;
    QCheckBox *m_filter = nullptr;
    DateFields *m_start = nullptr, *m_end = nullptr; // the date filter
    QList<std::pair<QLineEdit *, QString>> m_ticketFields;
    QLabel *m_totalProfit = nullptr;
    QList<QWidget *> m_fileControls;
    QList<QAction *> m_fileActions;
    QRadioButton *m_chartTickets = nullptr, *m_chartBets = nullptr;
    QComboBox *m_chartTicketsChoice = nullptr, *m_chartBetsChoice = nullptr;
    TicketChartView *m_chart = nullptr;
    QRadioButton *m_tableBets = nullptr, *m_tablePrices = nullptr, *m_tableTickets = nullptr;
    QComboBox *m_tableBetsChoice = nullptr, *m_tablePricesChoice = nullptr;
    StatsGrid *m_table = nullptr;
};

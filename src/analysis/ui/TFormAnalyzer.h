#pragma once
// The betting system analyzer: beside the main window, with its own connection to the betting systems
// file.  The history of tested systems, the betting system loaded from the open league, and the matches
// of the last test with their judging colours; "Test Betting System" runs the back-test with its
// progress in the status bar.  Beside the specified parts: the staking plan of the test, the money
// metrics of the selected history row and the balance curve of the last test.  Printing and export belong to
// the output layer: the window asks for them through signals that the main window connects.

#include "analysis/BackTest.h"
#include "data/Database.h"
#include "data/Table.h"
#include "predict/ui/SystemControls.h"

#include <QMainWindow>
#include <functional>

class DataGrid;
class MetricsPanel;
class QChartView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSplitter;
class QPushButton;
class QSpinBox;
class QToolButton;
class TDataMod;

class TFormAnalyzer final : public QMainWindow
{
    Q_OBJECT
public:
    enum class Report { History, Matches };
    enum class ReportTarget { Printer, Preview, Pdf };

    explicit TFormAnalyzer(TDataMod &dm, QWidget *parent = nullptr);
    ~TFormAnalyzer() override;

    // The betting systems file; the program's own by default.
    void setSystemsFilePath(const QString &path) { m_systemsPath = path; }
    QString systemsFilePath() const { return m_systemsPath; }

    Table &methodsTable() { return m_methods; }
    Table &resultsTable() { return m_results; }
    DataGrid *historyGrid() const { return m_historyGrid; }
    DataGrid *matchesGrid() const { return m_matchesGrid; }
    // The texts of the status bar's five panels.
    QString statusText(int panel) const;

    // Chooses the path of a report saved as PDF; unset, the output layer's save dialog asks.  Tests
    // answer here.
    using PathChooser = std::function<QString(const QString &proposed)>;
    void setPdfPathChooser(PathChooser chooser) { m_choosePdf = std::move(chooser); }
    const PathChooser &pdfPathChooser() const { return m_choosePdf; }

    // The betting system as the panel holds it.
    BettingSystem bettingSystem() const;
    // The money metrics of the selected history row as shown, a line each.
    QStringList metricsShown() const;
    // The balance after each match of the last test, as drawn.
    QList<QPointF> balanceShown() const;

public Q_SLOTS:
    void BitBtnPAPredictClick(); // "Test Betting System"
    void BitBtnDelClick();       // "Delete System"

Q_SIGNALS:
    void reportRequested(TFormAnalyzer::Report report, TFormAnalyzer::ReportTarget target);
    void exportRequested(TFormAnalyzer::Report report);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildHistoryPanel();
    QWidget *buildSystemPanel();
    QWidget *buildMatchesPanel();
    QWidget *buildMoneyPanel();
    void stakingChanged();
    void showSelectedMetrics();
    void showBalanceCurve(const QList<QPointF> &curve);
    void buildStatusBar();
    QToolButton *reportButton(QWidget *parent, Report report, const char *name, const QString &caption);
    void FormShow();
    void loadSystem();
    void openSystemsFile();
    void reloadTables();
    void showProgress(int position, int total);

    TDataMod &m_dm;
    QString m_systemsPath;
    Database m_systems;
    Table m_methods;
    Table m_results;
    DataGrid *m_historyGrid = nullptr;
    DataGrid *m_matchesGrid = nullptr;
    SystemControls m_system;
    QSpinBox *m_startingBalance = nullptr, *m_wager = nullptr;
    QComboBox *m_staking = nullptr;
    QDoubleSpinBox *m_stakingValue = nullptr;
    MetricsPanel *m_metrics = nullptr;
    QChartView *m_balance = nullptr;
    QList<QSplitter *> m_splitters;
    QList<QLabel *> m_status;
    PathChooser m_choosePdf;
};

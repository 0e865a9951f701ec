#pragma once
// The prediction history: on "Bet Types" the league's played matches that carry a prediction, coloured
// as the analyzer colours them, with the month table and the options below; on "Teams" the team table.
// "Update" judges the stored predictions again with the chosen view, balance and wager.  On
// "Calibration" the stored percentages' scores beside the market's, the money of a flat wager on every
// verdict, and the reliability chart.

#include "analysis/Calibration.h"
#include "data/Query.h"

#include <QStringList>
#include <QWidget>

class DataGrid;
struct HistoryTables;
class MetricsPanel;
class QChartView;
class QGridLayout;
class QLabel;
class QComboBox;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class TDataMod;

class TFormPHistory final : public QWidget
{
    Q_OBJECT
public:
    explicit TFormPHistory(TDataMod &dm, QWidget *parent = nullptr);
    ~TFormPHistory() override;

    DataGrid *sourceGrid() const { return m_grid; }
    QTableWidget *monthTable() const { return m_months; }
    QTableWidget *teamTable() const { return m_teams; }
    // A table's cells as shown, titles included.
    static QList<QStringList> cellsOf(const QTableWidget *table);
    // The calibration page as shown: the score rows (titles first), the money lines, and per outcome
    // (home, draw, away) the reliability points (predicted %, observed %).
    QList<QStringList> calibrationScoresShown() const;
    QStringList calibrationMetricsShown() const;
    QList<QPointF> reliabilityShown(int outcome) const;

public Q_SLOTS:
    void ButtonUpdateClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildBetTypesPage();
    QWidget *buildCalibrationPage();
    void showCalibration(const CalibrationReport &report);
    void FormShow();
    void showTables(const HistoryTables &tables);
    void showCells(QTableWidget *table, const QList<QStringList> &cells);

    TDataMod &m_dm;
    Query m_source;
    QStringList m_teamNames;
    QTabWidget *m_pages = nullptr;
    DataGrid *m_grid = nullptr;
    QTableWidget *m_months = nullptr;
    QTableWidget *m_teams = nullptr;
    QComboBox *m_view = nullptr;
    QSpinBox *m_startingBalance = nullptr;
    QSpinBox *m_wager = nullptr;
    QLabel *m_calibrationMatches = nullptr;
    QGridLayout *m_scores = nullptr;
    MetricsPanel *m_historyMetrics = nullptr;
    QChartView *m_reliability = nullptr;
};

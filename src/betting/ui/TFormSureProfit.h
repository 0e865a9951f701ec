#pragma once
// The arbitrage finder: every match of the open league with its odds and return, and for the selected
// one how to split a stake so that every outcome pays the same.  It reads the league and writes
// nothing; the computation is computeArbitrage (Arbitrage.h).

#include "betting/Arbitrage.h"
#include "data/Query.h"

#include <QDialog>

class DataGrid;
class QLabel;
class QSpinBox;
class QTableWidget;
class TDataMod;

class TFormSureProfit final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSureProfit(TDataMod &dm, QWidget *parent = nullptr);

    DataGrid *matchGrid() const { return m_matches; }
    QTableWidget *stakeGrid() const { return m_stakes; }
    Query &matchQuery() { return m_query; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void refresh(); // the stake grid and the panels for the selected match
    void showResult(const ArbitrageResult &result);
    void sizeStakeColumns();

    TDataMod &m_dm;
    Query m_query; // the finder's own list, so other windows' queries never move it
    DataGrid *m_matches = nullptr;
    QTableWidget *m_stakes = nullptr;
    QSpinBox *m_multiplier = nullptr;
    QLabel *m_total = nullptr;
    QLabel *m_profit = nullptr;
    QString m_shownKey; // the row and multiplier text the panels show
};

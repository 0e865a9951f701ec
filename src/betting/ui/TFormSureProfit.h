#pragma once
// The arbitrage finder: the matches of the open league with their odds and return (those not yet played
// at first, or only those with a positive return, sorted by any column), and for the selected one how
// to split a stake so that every outcome pays the same.  It reads the league and writes nothing; the
// list is readArbitrageRows (ArbitrageList.h), the computation computeArbitrage (Arbitrage.h).

#include "betting/Arbitrage.h"
#include "betting/ArbitrageList.h"

#include <QDialog>

class ArbitrageListModel;
class QCheckBox;
class QLabel;
class QSpinBox;
class QTableView;
class QTableWidget;
class TDataMod;

class TFormSureProfit final : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSureProfit(TDataMod &dm, QWidget *parent = nullptr);

    QTableView *matchGrid() const { return m_matches; }
    QTableWidget *stakeGrid() const { return m_stakes; }
    // The list's filter as the two check boxes hold it.
    ArbitrageFilter filter() const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    // Reads the list again for the filter; the selected match stays selected when it is still listed,
    // otherwise the first one is.
    void loadMatches();
    const ArbitrageRow *selectedMatch() const;
    void refresh(); // the stake grid and the panels for the selected match
    void showResult(const ArbitrageResult &result);
    void sizeStakeColumns();

    TDataMod &m_dm;
    ArbitrageListModel *m_list = nullptr;
    QTableView *m_matches = nullptr;
    QCheckBox *m_upcoming = nullptr;
    QCheckBox *m_positive = nullptr;
    QTableWidget *m_stakes = nullptr;
    QSpinBox *m_multiplier = nullptr;
    QLabel *m_total = nullptr;
    QLabel *m_profit = nullptr;
    QString m_shownKey; // the row and multiplier text the panels show
};

#pragma once
// The match prediction: percentages, confidence, full-time score, total, handicap, strengths and the
// verdict, the two teams' statistics side by side, their results, the league tables and their players.
// Everything is computed when it is prepared for showing; nothing is kept after it closes.

#include "data/Query.h"
#include "data/Table.h"
#include "predict/MatchTip.h"

#include <QDialog>

class DataGrid;
class QLabel;
class QTableWidget;
class QTabWidget;
class TDataMod;

class TFormTipResult final : public QDialog
{
    Q_OBJECT
public:
    enum Page {
        HeadToHead,
        HomeScores,
        AwayScores,
        HomeStats,
        AwayStats,
        OverallStats,
        PlayersIn,
        PlayersOut
    };
    Q_ENUM(Page)

    explicit TFormTipResult(TDataMod &dm, QWidget *parent = nullptr);

    // Computes everything for the choice and fills the window, with the busy cursor; false (after its
    // message) when the computation stopped, and the window is then not to be shown.
    bool prepare(const TipChoice &choice);
    const MatchTip &tip() const { return m_tip; }

public Q_SLOTS:
    void done(int result) override;

Q_SIGNALS:
    // The window closed: the league tables it renumbered want the main view's numbering again.
    void closed();

private:
    QWidget *buildTop();
    QTableWidget *buildStatsGrid(const QString &name, const QStringList &columns);
    void fill();
    void fillStatsGrid(QTableWidget *grid, const TipStatColumn &first, const TipStatColumn &firstFacing,
                       const TipStatColumn &second, const TipStatColumn &secondFacing);
    void pageShown(int page);
    void closeDatasets();

    TDataMod &m_dm;
    MatchTip m_tip;
    TipChoice m_choice;
    Query m_homeScores, m_awayScores;
    Query m_homeIn, m_awayIn, m_homeOut, m_awayOut;
    Table m_teams;
    QTabWidget *m_pages = nullptr;
    QLabel *m_homeName = nullptr, *m_awayName = nullptr;
    QLabel *m_homePicture = nullptr, *m_awayPicture = nullptr;
    QLabel *m_homeStrength = nullptr, *m_awayStrength = nullptr;
    QLabel *m_hp = nullptr, *m_dp = nullptr, *m_ap = nullptr;
    QLabel *m_cf = nullptr, *m_score = nullptr, *m_total = nullptr, *m_handicap = nullptr;
    QLabel *m_verdict = nullptr;
    QTableWidget *m_homeGrid = nullptr, *m_awayGrid = nullptr;
    DataGrid *m_tables[3] = {nullptr, nullptr, nullptr};
};

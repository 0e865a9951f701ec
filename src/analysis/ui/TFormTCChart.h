#pragma once
// The team comparison chart window: one or two teams of the open league, each over its home, away or
// all matches, one of nine quantities in one of four styles.  It stays open beside the main window.
// The point lists come from TeamComparison.h; printing and export are the output's, reached through
// the two signals.

#include "analysis/TeamComparison.h"

#include <QWidget>

class ComparisonChartView;
class QCheckBox;
class QComboBox;
class QPushButton;
class TDataMod;

class TFormTCChart final : public QWidget
{
    Q_OBJECT
public:
    explicit TFormTCChart(TDataMod &dm, QWidget *parent = nullptr);

    ComparisonChartView *chartView() const { return m_chart; }
    // Another league was opened, created or saved: both series empty, both team choices empty (or, while
    // the window is open, holding the new league's teams).
    void leagueChanged();

Q_SIGNALS:
    void printRequested();  // "Print": a print preview of the chart
    void exportRequested(); // "Export": the chart as a picture file

protected:
    void showEvent(QShowEvent *event) override;

private:
    QComboBox *chooser(const char *name, const QStringList &items, const QString &preset);
    void FormShow();
    void choiceChanged(QComboBox *box); // a team, a venue or the view
    void ComboBoxChartChange();
    void ComboBoxStyleChange();
    void redraw();
    void fillTeams();
    void emptyChoices();

    TDataMod &m_dm;
    QComboBox *m_team1 = nullptr, *m_team2 = nullptr;
    QComboBox *m_venue1 = nullptr, *m_venue2 = nullptr;
    QComboBox *m_view = nullptr, *m_type = nullptr, *m_style = nullptr;
    QCheckBox *m_3d = nullptr, *m_labels = nullptr;
    ComparisonChartView *m_chart = nullptr;
    ComparisonType m_shownType = ComparisonType::Points; // the last valid type
};

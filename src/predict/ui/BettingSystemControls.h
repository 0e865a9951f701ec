#pragma once
// The betting system's controls as the prediction dialogs show them: the three verdict check boxes
// with their percentages, the confidence, the statistics mode and the last matches.

#include "predict/PredictionEngine.h"

#include <QWidget>

class QCheckBox;
class QRadioButton;
class QSpinBox;

class BettingSystemControls final : public QWidget
{
    Q_OBJECT
public:
    // The captions of the home win, draw and away win check boxes.
    BettingSystemControls(const QStringList &verdictCaptions, QWidget *parent = nullptr);

    void setOptions(const PredictionOptions &o);
    PredictionOptions options() const; // clamped to the fields' ranges

private:
    QCheckBox *m_homeWin = nullptr;
    QCheckBox *m_draw = nullptr;
    QCheckBox *m_awayWin = nullptr;
    QSpinBox *m_homePct = nullptr;
    QSpinBox *m_drawPct = nullptr;
    QSpinBox *m_awayPct = nullptr;
    QSpinBox *m_confidence = nullptr;
    QRadioButton *m_venue = nullptr;
    QRadioButton *m_overall = nullptr;
    QSpinBox *m_lastMatches = nullptr;
};

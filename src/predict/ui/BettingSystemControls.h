#pragma once
// The betting system's controls as the prediction dialogs show them: the three verdict check boxes
// with their percentages, the confidence, the statistics mode and the last matches.

#include "predict/PredictionEngine.h"
#include "predict/ui/SystemControls.h"

#include <QWidget>

class BettingSystemControls final : public QWidget
{
    Q_OBJECT
public:
    // The captions of the home win, draw and away win check boxes.
    BettingSystemControls(const QStringList &verdictCaptions, QWidget *parent = nullptr);

    void setOptions(const PredictionOptions &o);
    PredictionOptions options() const; // clamped to the fields' ranges

private:
    SystemControls m_controls;
};

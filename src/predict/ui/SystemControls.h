#pragma once
// The controls of a betting system as the windows that show one hold them (the prediction dialog, the
// analyzer): three outcome boxes with their thresholds, the confidence, the statistics mode and the
// last-matches count.  Reading and showing them is one rule wherever they sit.

#include "predict/PredictionEngine.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

struct SystemControls {
    QCheckBox *homeWin = nullptr, *draw = nullptr, *awayWin = nullptr;
    QSpinBox *homePct = nullptr, *drawPct = nullptr, *awayPct = nullptr, *confidence = nullptr;
    QRadioButton *venue = nullptr, *overall = nullptr;
    QSpinBox *lastMatches = nullptr;

    // The options as the controls hold them (their ranges keep every number in bounds).
    PredictionOptions read() const;
    // Sets every control; a number beyond a field's range is brought to its nearest bound.
    void show(const PredictionOptions &o) const;
};

#include "predict/ui/SystemControls.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>

PredictionOptions SystemControls::read() const
{
    PredictionOptions o;
    o.homeWin = homeWin->isChecked();
    o.draw = draw->isChecked();
    o.awayWin = awayWin->isChecked();
    o.homePct = homePct->value();
    o.drawPct = drawPct->value();
    o.awayPct = awayPct->value();
    o.confidence = confidence->value();
    o.venueStats = venue->isChecked();
    o.lastMatches = lastMatches->value();
    return o;
}

void SystemControls::show(const PredictionOptions &o) const
{
    homeWin->setChecked(o.homeWin);
    draw->setChecked(o.draw);
    awayWin->setChecked(o.awayWin);
    homePct->setValue(o.homePct);
    drawPct->setValue(o.drawPct);
    awayPct->setValue(o.awayPct);
    confidence->setValue(o.confidence);
    (o.venueStats ? venue : overall)->setChecked(true);
    lastMatches->setValue(o.lastMatches);
}

#include "predict/ui/BettingSystemControls.h"

#include "data/ui/SpinField.h"
#include "predict/PredictionCommands.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace
{

QCheckBox *checkBox(QWidget *parent, const QString &name, const QString &caption, bool checked)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setChecked(checked);
    return c;
}

} // namespace

BettingSystemControls::BettingSystemControls(const QStringList &verdictCaptions, QWidget *parent)
    : QWidget(parent)
{
    // The defaults are those of a new league; the dialogs load the League row over them.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    m_homeWin = checkBox(this, QStringLiteral("CheckBoxHP"), verdictCaptions.value(0), true);
    m_homePct = spinField(this, QStringLiteral("SpinEditHP"), 10, 90, 50);
    m_draw = checkBox(this, QStringLiteral("CheckBoxDP"), verdictCaptions.value(1), false);
    m_drawPct = spinField(this, QStringLiteral("SpinEditDP"), 10, 90, 35);
    m_awayWin = checkBox(this, QStringLiteral("CheckBoxAP"), verdictCaptions.value(2), true);
    m_awayPct = spinField(this, QStringLiteral("SpinEditAP"), 10, 90, 50);
    m_confidence = spinField(this, QStringLiteral("SpinEditCF"), 10, 90, 50);
    auto *confidenceLabel = new QLabel(QStringLiteral("Confidence level larger than"), this);
    confidenceLabel->setBuddy(m_confidence);
    m_venue = new QRadioButton(QStringLiteral("Home/Away Statistics "), this);
    m_venue->setObjectName(QStringLiteral("RadioButtonHA"));
    m_venue->setChecked(true);
    m_overall = new QRadioButton(QStringLiteral("Overall Statistics "), this);
    m_overall->setObjectName(QStringLiteral("RadioButtonOV"));
    m_lastMatches = spinField(this, QStringLiteral("SpinEditLM"), 2, 10, 5);
    auto *lastLabel = new QLabel(QStringLiteral("Last Matches"), this);
    lastLabel->setBuddy(m_lastMatches);

    grid->addWidget(m_homeWin, 0, 0);
    grid->addWidget(m_homePct, 0, 1);
    grid->addWidget(m_draw, 1, 0);
    grid->addWidget(m_drawPct, 1, 1);
    grid->addWidget(m_awayWin, 2, 0);
    grid->addWidget(m_awayPct, 2, 1);
    grid->addWidget(confidenceLabel, 3, 0);
    grid->addWidget(m_confidence, 3, 1);
    grid->addWidget(m_venue, 4, 0);
    grid->addWidget(m_overall, 5, 0);
    grid->addWidget(lastLabel, 6, 0);
    grid->addWidget(m_lastMatches, 6, 1);
}

void BettingSystemControls::setOptions(const PredictionOptions &o)
{
    m_homeWin->setChecked(o.homeWin);
    m_draw->setChecked(o.draw);
    m_awayWin->setChecked(o.awayWin);
    m_homePct->setValue(o.homePct);
    m_drawPct->setValue(o.drawPct);
    m_awayPct->setValue(o.awayPct);
    m_confidence->setValue(o.confidence);
    (o.venueStats ? m_venue : m_overall)->setChecked(true);
    m_lastMatches->setValue(o.lastMatches);
}

PredictionOptions BettingSystemControls::options() const
{
    PredictionOptions o;
    o.homeWin = m_homeWin->isChecked();
    o.draw = m_draw->isChecked();
    o.awayWin = m_awayWin->isChecked();
    o.homePct = m_homePct->value();
    o.drawPct = m_drawPct->value();
    o.awayPct = m_awayPct->value();
    o.confidence = m_confidence->value();
    o.venueStats = m_venue->isChecked();
    o.lastMatches = m_lastMatches->value();
    return clampPredictionOptions(o);
}

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
    m_controls.homeWin = checkBox(this, QStringLiteral("CheckBoxHP"), verdictCaptions.value(0), true);
    m_controls.homePct = spinField(this, QStringLiteral("SpinEditHP"), 10, 90, 50);
    m_controls.draw = checkBox(this, QStringLiteral("CheckBoxDP"), verdictCaptions.value(1), false);
    m_controls.drawPct = spinField(this, QStringLiteral("SpinEditDP"), 10, 90, 35);
    m_controls.awayWin = checkBox(this, QStringLiteral("CheckBoxAP"), verdictCaptions.value(2), true);
    m_controls.awayPct = spinField(this, QStringLiteral("SpinEditAP"), 10, 90, 50);
    m_controls.confidence = spinField(this, QStringLiteral("SpinEditCF"), 10, 90, 50);
    auto *confidenceLabel = new QLabel(QStringLiteral("Confidence level larger than"), this);
    confidenceLabel->setBuddy(m_controls.confidence);
    m_controls.venue = new QRadioButton(QStringLiteral("Home/Away Statistics "), this);
    m_controls.venue->setObjectName(QStringLiteral("RadioButtonHA"));
    m_controls.venue->setChecked(true);
    m_controls.overall = new QRadioButton(QStringLiteral("Overall Statistics "), this);
    m_controls.overall->setObjectName(QStringLiteral("RadioButtonOV"));
    m_controls.lastMatches = spinField(this, QStringLiteral("SpinEditLM"), 2, 10, 5);
    auto *lastLabel = new QLabel(QStringLiteral("Last Matches"), this);
    lastLabel->setBuddy(m_controls.lastMatches);

    grid->addWidget(m_controls.homeWin, 0, 0);
    grid->addWidget(m_controls.homePct, 0, 1);
    grid->addWidget(m_controls.draw, 1, 0);
    grid->addWidget(m_controls.drawPct, 1, 1);
    grid->addWidget(m_controls.awayWin, 2, 0);
    grid->addWidget(m_controls.awayPct, 2, 1);
    grid->addWidget(confidenceLabel, 3, 0);
    grid->addWidget(m_controls.confidence, 3, 1);
    grid->addWidget(m_controls.venue, 4, 0);
    grid->addWidget(m_controls.overall, 5, 0);
    grid->addWidget(lastLabel, 6, 0);
    grid->addWidget(m_controls.lastMatches, 6, 1);
}

void BettingSystemControls::setOptions(const PredictionOptions &o)
{
    m_controls.show(o);
}

PredictionOptions BettingSystemControls::options() const
{
    return clampPredictionOptions(m_controls.read());
}

#include "predict/ui/TFormPredict.h"
#include "data/ui/DialogParts.h"

#include "data/ui/SpinField.h"

#include "data/CommandBoundary.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "predict/PredictionCommands.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

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

TFormPredict::TFormPredict(TDataMod &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FormPredict"));
    setWindowTitle(predictUpcomingCaption());
    auto *layout = new QVBoxLayout(this);

    auto *title = new QLabel(QStringLiteral("Betting System"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    // The defaults are those of a new league; every show loads the League row over them.
    auto *grid = new QGridLayout;
    m_homeWin = checkBox(this, QStringLiteral("CheckBoxHP"),
                         QStringLiteral("Home Win percentage probability larger than"), true);
    m_homePct = spinField(this, QStringLiteral("SpinEditHP"), 10, 90, 50);
    m_draw = checkBox(this, QStringLiteral("CheckBoxDP"),
                      QStringLiteral("Draw percentage probability larger than"), false);
    m_drawPct = spinField(this, QStringLiteral("SpinEditDP"), 10, 90, 35);
    m_awayWin = checkBox(this, QStringLiteral("CheckBoxAP"),
                         QStringLiteral("Away Win percentage probability larger than"), true);
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
    layout->addLayout(grid);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    layout->addWidget(m_progress);

    auto *buttons = okCancelButtons(this, true);
    layout->addWidget(buttons);
}

QString TFormPredict::predictUpcomingCaption()
{
    return QStringLiteral("Predict Upcoming Matches");
}

QString TFormPredict::recalculateCaption()
{
    return QStringLiteral("Recalculate Predictions");
}

TFormPredict::Command TFormPredict::commandOf(const QString &caption)
{
    return caption == predictUpcomingCaption() ? Command::PredictUpcoming : Command::Recalculate;
}

void TFormPredict::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        loadOptions();
}

void TFormPredict::loadOptions()
{
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    if (!m_dm.isLeagueOpen())
        return;
    const auto loaded = runCommand(messenger(), [this] { return loadPredictionOptions(m_dm); });
    if (!loaded)
        return;
    controls().show(*loaded);
}

PredictionOptions TFormPredict::options() const
{
    return clampPredictionOptions(controls().read());
}

SystemControls TFormPredict::controls() const
{
    return {m_homeWin, m_draw,       m_awayWin, m_homePct, m_drawPct,
            m_awayPct, m_confidence, m_venue,   m_overall, m_lastMatches};
}

void TFormPredict::showProgress(int done, int total)
{
    Q_EMIT progressed(done, total);
    if (!m_pacer.due(done, total))
        return;
    m_progress->setRange(0, std::max(total, 1));
    m_progress->setValue(done);
    m_progress->repaint();
    // The rest of the program (the match grids behind the dialog) repaints too; no input is taken meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFormPredict::accept()
{
    if (!m_dm.isLeagueOpen()) {
        QDialog::accept();
        return;
    }
    const Command command = commandOf(windowTitle());
    const PredictionOptions o = options();
    Q_EMIT aboutToRun(command);
    m_pacer = ProgressPacer();
    const ProgressFn progress = [this](int done, int total) { showProgress(done, total); };
    runCommand(messenger(), [&] {
        if (command == Command::PredictUpcoming)
            PredictUpcomingMatches(m_dm, o, messenger(), progress);
        else
            RecalculatePredictions(m_dm, o, messenger(), progress);
    });
    QDialog::accept();
}

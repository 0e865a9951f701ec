#include "predict/ui/TFormPredict.h"
#include "data/ui/DialogParts.h"

#include "data/CommandBoundary.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"
#include "predict/PredictionCommands.h"
#include "predict/ui/BettingSystemControls.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

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
    m_system = new BettingSystemControls({QStringLiteral("Home Win percentage probability larger than"),
                                          QStringLiteral("Draw percentage probability larger than"),
                                          QStringLiteral("Away Win percentage probability larger than")},
                                         this);
    layout->addWidget(m_system);

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
    m_system->setOptions(*loaded);
}

PredictionOptions TFormPredict::options() const
{
    return m_system->options();
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

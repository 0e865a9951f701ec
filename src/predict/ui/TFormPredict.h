#pragma once
// The prediction dialog: shows the league's betting system, lets the user change it for one run, and on
// OK runs the command its caption names ("Predict Upcoming Matches"; any other caption, normally
// "Recalculate Predictions", recalculates), with a progress bar repainted after every match.  The options
// are loaded from the League row on every show and never written back.

#include "data/ProgressPacer.h"
#include "predict/PredictionEngine.h"

#include <QDialog>

class BettingSystemControls;
class QProgressBar;
class TDataMod;

class TFormPredict final : public QDialog
{
    Q_OBJECT
public:
    enum class Command { PredictUpcoming, Recalculate };
    Q_ENUM(Command)

    explicit TFormPredict(TDataMod &dm, QWidget *parent = nullptr);

    static QString predictUpcomingCaption(); // "Predict Upcoming Matches"
    static QString recalculateCaption();     // "Recalculate Predictions"
    // The command a caption selects.
    static Command commandOf(const QString &caption);

    // What showing the dialog does: the controls loaded from the League row.  Tests call it directly.
    void loadOptions();
    // The betting system as the controls show it.
    PredictionOptions options() const;

public Q_SLOTS:
    // OK: runs the command with the controls' options, then closes (also when the command stopped).
    void accept() override;

Q_SIGNALS:
    // Emitted before a run, while the dialog is still open: the main window shows the page whose view
    // the command walks ("Fixtures / Predictions" for predicting, "Scores" for recalculating), which
    // applies that page's filter and sort to Results.
    void aboutToRun(TFormPredict::Command command);
    // After every match, once the progress bar is repainted.
    void progressed(int done, int total);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showProgress(int done, int total);

    TDataMod &m_dm;
    BettingSystemControls *m_system = nullptr;
    QProgressBar *m_progress = nullptr;
    ProgressPacer m_pacer;
};

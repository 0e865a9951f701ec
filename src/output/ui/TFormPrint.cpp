#include "output/ui/TFormPrint.h"

#include "output/ui/ReportOutput.h"

#include "data/CommandBoundary.h"
#include "data/TDataMod.h"
#include "data/ui/GuiMessenger.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace
{
QString boxName(PrintChoice choice)
{
    return QStringLiteral("CheckBox") + printChoiceCaption(choice).remove(QLatin1Char(' '));
}

} // namespace

TFormPrint::TFormPrint(TDataMod &dm, PrintSources sources, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_sources(std::move(sources))
{
    setObjectName(QStringLiteral("FormPrint"));
    setWindowTitle(QStringLiteral("Print"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    const QList<PrintChoice> &choices = printChoices();
    for (int i = 0; i < choices.size(); ++i) {
        auto *box = new QCheckBox(printChoiceCaption(choices[i]), this);
        box->setObjectName(boxName(choices[i]));
        grid->addWidget(box, i % 4, i / 4);
        m_boxes.insert(choices[i], box);
    }
    layout->addLayout(grid);
    m_all = new QCheckBox(QStringLiteral("Check All"), this);
    m_all->setObjectName(QStringLiteral("CheckBoxAll"));
    layout->addWidget(m_all);
    connect(m_all, &QCheckBox::toggled, this, [this](bool on) {
        for (QCheckBox *b : std::as_const(m_boxes))
            b->setChecked(on);
    });

    auto *buttons = new QDialogButtonBox(this);
    auto add = [&](const QString &name, const QString &caption, void (TFormPrint::*fn)()) {
        QPushButton *b = buttons->addButton(caption, QDialogButtonBox::ActionRole);
        b->setObjectName(name);
        b->setAutoDefault(false);
        // "Print" and its companions leave the dialog open.
        connect(b, &QPushButton::clicked, this, fn);
    };
    add(QStringLiteral("ButtonPrint"), QStringLiteral("Print"), &TFormPrint::printToPrinter);
    add(QStringLiteral("ButtonPreview"), QStringLiteral("Print Preview"), &TFormPrint::showPreview);
    add(QStringLiteral("ButtonPdf"), QStringLiteral("Save as PDF..."), &TFormPrint::saveAsPdf);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);

    m_choosePdf = pdfSaveDialog(this);
}

QList<PrintChoice> TFormPrint::tickedChoices() const
{
    QList<PrintChoice> out;
    for (PrintChoice c : printChoices())
        if (m_boxes.value(c)->isChecked())
            out << c;
    return out;
}

PrintJob TFormPrint::jobOf(PrintChoice choice)
{
    if (m_sources.showPageOf)
        m_sources.showPageOf(choice);
    const QString league = m_sources.leagueName ? m_sources.leagueName() : QString();
    switch (choice) {
    case PrintChoice::TeamStats: {
        ControlsDisabled quiet(m_dm.ADOTableTeams);
        return teamStatsReport(m_dm.ADOTableTeams, league);
    }
    case PrintChoice::Scores:
    case PrintChoice::Fixtures:
    case PrintChoice::Odds:
    case PrintChoice::Predictions: {
        ControlsDisabled quiet(m_dm.ADOTableResults);
        return matchReport(choice, m_dm.ADOTableResults, league);
    }
    case PrintChoice::Players: {
        ControlsDisabled quiet(m_dm.ADOTablePlayers);
        return playersReport(m_dm.ADOTablePlayers, league);
    }
    case PrintChoice::CrossTable:
    case PrintChoice::StreakTable:
        break;
    }
    const GridPrintout shown = m_sources.drawnGrid ? m_sources.drawnGrid(choice) : GridPrintout{};
    return gridTablePrintout(choice, shown.cells, league, shown.gridRowHeight);
}

QList<PrintJob> TFormPrint::jobsOfTicked()
{
    // Making the match reports brings their pages to the front; the user's page comes back after.
    const std::function<void()> back = m_sources.rememberPage ? m_sources.rememberPage() : nullptr;
    const auto restore = qScopeGuard([&back] {
        if (back)
            back();
    });
    QList<PrintJob> jobs;
    for (PrintChoice c : tickedChoices()) {
        PrintJob job = jobOf(c);
        const auto *report = std::get_if<BandedReport>(&job);
        if (c == PrintChoice::TeamStats && report && report->rows.isEmpty())
            continue; // nothing to print without teams
        jobs << std::move(job);
    }
    return jobs;
}

void TFormPrint::printToPrinter()
{
    std::optional<QList<PrintJob>> jobs = runCommand(messenger(), [this] { return jobsOfTicked(); });
    if (jobs)
        printReportJobs(*jobs, this);
}

void TFormPrint::showPreview()
{
    std::optional<QList<PrintJob>> jobs = runCommand(messenger(), [this] { return jobsOfTicked(); });
    if (jobs)
        previewReportJobs(*jobs, this);
}

void TFormPrint::saveAsPdf()
{
    std::optional<QList<PrintJob>> jobs = runCommand(messenger(), [this] { return jobsOfTicked(); });
    if (jobs)
        saveReportJobsAsPdf(*jobs, m_sources.leagueName ? m_sources.leagueName() : QString(), m_choosePdf,
                            this);
}

#pragma once
// The print dialog of the main window: eight check boxes, "Check All", "Print", and beyond those the
// platform's preview and a PDF file.  Created afresh for every use, so every box starts unticked.

#include "output/MainReports.h"
#include "output/report/ReportPainter.h"

#include <QDialog>
#include <QMap>
#include <functional>

class QCheckBox;
class TDataMod;

// What the dialog needs from the main window.
struct PrintSources {
    std::function<QString()> leagueName;         // the league panel's text
    std::function<void(PrintChoice)> showPageOf; // brings the page whose rows a report prints to front
    // Notes the page in front; what it returns brings that page back once the reports are made.
    std::function<std::function<void()>()> rememberPage;
    std::function<GridPrintout(PrintChoice)> drawnGrid; // the cross or streak table as shown
};

class TFormPrint final : public QDialog
{
    Q_OBJECT
public:
    TFormPrint(TDataMod &dm, PrintSources sources, QWidget *parent = nullptr);

    QCheckBox *checkBox(PrintChoice choice) const { return m_boxes.value(choice); }
    QList<PrintChoice> tickedChoices() const;
    // The jobs of the ticked choices in print order; "Team Stats" without teams gives none.  The main
    // window shows the page it showed before.
    QList<PrintJob> jobsOfTicked();

    // The PDF path asked for by "Save as PDF..."; tests replace it.  Empty: cancelled.
    using PathChooser = std::function<QString(const QString &proposed)>;
    void setPdfPathChooser(PathChooser chooser) { m_choosePdf = std::move(chooser); }

    void printToPrinter();
    void showPreview();
    void saveAsPdf();

private:
    PrintJob jobOf(PrintChoice choice);
    TDataMod &m_dm;
    PrintSources m_sources;
    QMap<PrintChoice, QCheckBox *> m_boxes;
    QCheckBox *m_all = nullptr;
    PathChooser m_choosePdf;
};

#pragma once
// The printer every print uses, kept for the whole run: "P&rint Setup..." chooses it and its paper, and
// later prints go to it.

#include <QPageSize>

class QPrinter;
class QWidget;

QPrinter &sharedPrinter();
// Whether the system knows any printer at all.
bool printerInstalled();
// The platform's printer set-up; what is chosen stays with the shared printer.
void PrinterSetup(QWidget *parent);
// The paper every printout and PDF takes: the one chosen in the print set-up, or before any choice the
// locale's.
QPageSize reportPaper();

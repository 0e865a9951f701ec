#pragma once
// The printer every print uses, kept for the whole run: "P&rint Setup..." chooses it and its paper, and
// later prints go to it.

class QPrinter;
class QWidget;

QPrinter &sharedPrinter();
// Whether the system knows any printer at all.
bool printerInstalled();
// The platform's printer set-up; what is chosen stays with the shared printer.
void PrinterSetup(QWidget *parent);

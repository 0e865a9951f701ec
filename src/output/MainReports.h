#pragma once
// The reports of the main window's print dialog, filled from the shared tables as the main window shows
// them: the rows its current filter lets through, in its current order.

#include "output/ReportLayout.h"

#include <QList>

class Dataset;

enum class PrintChoice { TeamStats, Scores, Fixtures, Odds, Predictions, Players, CrossTable, StreakTable };

// All eight, in the order they print.
const QList<PrintChoice> &printChoices();
// The check box captions: "Team Stats", "Scores", ... "Streak Table".
QString printChoiceCaption(PrintChoice choice);
bool isBandedReport(PrintChoice choice);

// The banded reports; the league name heads each title.  The teams report is empty (no rows) without teams.
BandedReport teamStatsReport(const Dataset &teams, const QString &league);
// Scores, Fixtures, Odds or Predictions over Results.
BandedReport matchReport(PrintChoice choice, const Dataset &results, const QString &league);
BandedReport playersReport(const Dataset &players, const QString &league);
// The cross table or the streak table as the main window shows it (cells[row][column], headers in row 0
// and column 0), titled with the league name alone.  The streak table's team column is as much wider than
// its match columns as on the screen, so that the names have room.
GridPrintout gridTablePrintout(PrintChoice choice, const QList<QStringList> &cells, const QString &league,
                               int gridRowHeight = 20);

#pragma once
// The two match grids of the main window, fixtures and scores, both over the shared Results table: the
// colours of their cells as functions of the row, and the match command that needs no dialog (switch teams).

#include "analysis/PredictionColours.h"
#include "data/Colours.h"
#include "data/GridColumns.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Dataset;
class Messenger;
class TDataMod;
class Table;

// The background of a grid cell, by the cell's field, painted over the striped rows; nothing keeps the
// stripe.  Fixtures: the predicted outcome's percentage and a positive return green.  Scores: the rules of
// scoreCellColour (PredictionColours.h).
std::optional<Rgb> fixtureCellColour(const QString &field, const MatchColourRow &row);
std::optional<Rgb> matchCellColour(MatchPage page, const QString &field, const MatchColourRow &row);

// The teams of the match a match grid has selected (the current row of Results), home first; nothing when
// Results is closed or has no rows in view.
struct MatchTeams {
    QString home, away;
};
std::optional<MatchTeams> selectedMatchTeams(Table &results);

// Exchanges the sides of the current Results row: the teams, the scores (the result text written anew,
// keeping " OT"), the odds and their bookmakers; the predictions stay.  A played match is first taken out
// of the standings under its old sides, its rating snapshot taken again from the new sides, and it is
// applied under the new sides, so the standings are those of entering the switched match afresh.  One
// transaction; a failure is told through the messenger and changes nothing.  Returns whether a row was
// switched (false too when Results has no rows).
bool SwitchTeams(TDataMod &dm, Messenger &messenger);

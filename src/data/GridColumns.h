#pragma once
// The columns of the data grids: what each shows, how it is aligned and how wide it starts.  One
// description per grid, read by the grids, the filter and sort choices, printing and export alike.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct GridColumn {
    QString title;
    QString field;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    int width = 64;
};

constexpr Qt::Alignment AlignNumber = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment AlignText = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment AlignCentre = Qt::AlignCenter;

QStringList gridFields(const QList<GridColumn> &columns);
QStringList gridTitles(const QList<GridColumn> &columns);

// ---- the match grids of the main window, fixtures and scores, both over Results

enum class MatchPage { Fixtures, Scores };

// The columns of a page's grid, left to right ("Date", "Rnd", ... "Return (%)"; the scores grid also has
// "Match" and "Score").  Numbers are right-aligned; dates, teams, texts and odds centred.
const QList<GridColumn> &matchGridColumns(MatchPage page);

// The display modes of a page in their chooser's order: "All", "Fixtures" (or "Scores"), "Odds",
// "Predictions".
const QStringList &matchModeItems(MatchPage page);

// Which grid columns a mode shows, one flag per column; nothing when the text is not one of the modes
// (letter case ignored, as the chooser accepts typing).
std::optional<QList<bool>> matchColumnsShown(MatchPage page, const QString &modeText);

// ---- the players grid: "N", "Player", "Team", "Position", ... "IN/OUT"

const QList<GridColumn> &playerGridColumns();

#include "data/StreakTable.h"

#include "data/TDataMod.h"

#include <QSet>

#include <algorithm>

namespace
{
const QChar CR(u'\r');

QString matchHint(const GridMatch &m)
{
    return m.home + QStringLiteral(" - ") + m.away + CR + QStringLiteral("Score: ") + m.result + CR +
           QStringLiteral("Date: ") + m.date + CR + QStringLiteral("Round: ") + m.round;
}

// Writes the letter into the first empty cell of the row from column 1 on; a full row takes no more.
void appendLetter(TextGrid &grid, int row, const QString &letter)
{
    for (int column = 1; column < grid.columnCount(); ++column) {
        if (grid.text(column, row).isEmpty()) {
            grid.setText(column, row, letter);
            return;
        }
    }
}
} // namespace

int readMostMatchesPlayed(TDataMod &dm)
{
    Query &q = dm.ADOQuery;
    q.setSql(QStringLiteral("SELECT TP FROM Teams ORDER BY TP"));
    q.open();
    if (q.isEmpty())
        return 0;
    q.last();
    return q.field(QStringLiteral("TP")).asInteger();
}

StreakLetters streakLetters(const GridMatch &match)
{
    if (match.result.contains(QLatin1Char('O')))
        return {QStringLiteral("D"), QStringLiteral("D")};
    if (match.F > match.A)
        return {QStringLiteral("W"), QStringLiteral("L")};
    if (match.F < match.A)
        return {QStringLiteral("L"), QStringLiteral("W")};
    return {QStringLiteral("D"), QStringLiteral("D")};
}

TextGrid BuildStreakTable(const QStringList &teams, int mostPlayed,
                          const std::vector<GridMatch> &playedByDate)
{
    const int n = static_cast<int>(teams.size());
    // A match with a team that is not in the list (deleted, or renamed) is left out.
    const QSet<QString> listed(teams.cbegin(), teams.cend());
    std::vector<const GridMatch *> shown;
    for (const GridMatch &m : playedByDate)
        if (listed.contains(m.home) && listed.contains(m.away))
            shown.push_back(&m);
    // TP may lag behind the matches stored (a file edited elsewhere): the grid is then as wide as the
    // busiest team's letters, so that no team's newest results are dropped.
    std::vector<int> letters(static_cast<size_t>(n), 0);
    for (const GridMatch *m : shown)
        for (int i = 0; i < n; ++i)
            letters[static_cast<size_t>(i)] += int(teams[i] == m->home) + int(teams[i] == m->away);
    const int widest = letters.empty() ? 0 : *std::max_element(letters.cbegin(), letters.cend());
    TextGrid grid(std::max({mostPlayed + 1, widest + 1, 2}), n + 1);
    for (int column = 1; column < grid.columnCount(); ++column)
        grid.setText(column, 0, QString::number(column));
    for (int i = 0; i < n; ++i)
        grid.setText(0, i + 1, teams[i]);

    std::vector<int> counted(static_cast<size_t>(n), 0); // matches of the row's team seen so far
    for (const GridMatch *shownMatch : shown) {
        const GridMatch &m = *shownMatch;
        const StreakLetters letters = streakLetters(m);
        for (int i = 0; i < n; ++i) {
            const int row = i + 1;
            const bool home = teams[i] == m.home;
            const bool away = teams[i] == m.away;
            if (home)
                appendLetter(grid, row, letters.home);
            if (away)
                appendLetter(grid, row, letters.away);
            // The hint of column j is the team's j-th match, counted once even if it played itself.
            if (home || away) {
                const int column = ++counted[static_cast<size_t>(i)];
                grid.setHint(column, row, matchHint(m));
            }
        }
    }
    return grid;
}

GridCellLook streakTableCellLook(const TextGrid &grid, int column, int row, int selectedColumn,
                                 int selectedRow)
{
    if (column == 0 || row == 0)
        return headerCellLook(column, row, selectedColumn, selectedRow);
    const QString text = grid.text(column, row);
    if (text.contains(QLatin1Char('W')))
        return {Colours::LightGreen, Colours::Black};
    if (text.contains(QLatin1Char('D')))
        return {Colours::LightYellow, Colours::Black};
    if (text.contains(QLatin1Char('L')))
        return {Colours::LightRed, Colours::Black};
    return {Colours::White, Colours::Black};
}

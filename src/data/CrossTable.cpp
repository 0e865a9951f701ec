#include "data/CrossTable.h"

#include "data/MatchStore.h"
#include "data/TDataMod.h"

#include <QHash>

#include <algorithm>

namespace
{
const QChar CR(u'\r');
} // namespace

TextGrid::TextGrid(int columns, int rows)
    : m_columns(std::max(columns, 0)), m_rows(std::max(rows, 0)),
      m_texts(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows)), m_hints(m_texts.size())
{
}

int TextGrid::index(int column, int row) const
{
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows)
        return -1;
    return row * m_columns + column;
}

QString TextGrid::text(int column, int row) const
{
    const int i = index(column, row);
    return i < 0 ? QString() : m_texts[static_cast<size_t>(i)];
}

void TextGrid::setText(int column, int row, const QString &text)
{
    const int i = index(column, row);
    if (i >= 0)
        m_texts[static_cast<size_t>(i)] = text;
}

QString TextGrid::hint(int column, int row) const
{
    const int i = index(column, row);
    return i < 0 ? QString() : m_hints[static_cast<size_t>(i)];
}

void TextGrid::setHint(int column, int row, const QString &hint)
{
    const int i = index(column, row);
    if (i >= 0)
        m_hints[static_cast<size_t>(i)] = hint;
}

QList<QStringList> TextGrid::cells() const
{
    QList<QStringList> rows;
    for (int r = 0; r < m_rows; ++r) {
        QStringList row;
        for (int c = 0; c < m_columns; ++c)
            row << text(c, r);
        rows << row;
    }
    return rows;
}

std::vector<GridMatch> readGridMatches(TDataMod &dm, GridMatches which)
{
    MatchSelection s;
    s.which = which == GridMatches::AllStored ? MatchChoice::All : MatchChoice::Played;
    s.order = which == GridMatches::PlayedByDate ? MatchOrder::ByDate : MatchOrder::Stored;
    s.fields = MatchTeams | MatchResult | MatchScores | MatchDate | MatchRound;
    // Through the shared query: the date and round read as the grids show them (the locale's short
    // date, the round as typed).
    Query &q = dm.ADOQuery;
    q.setSql(MatchStore::selectSql(s), {});
    q.open();
    std::vector<GridMatch> out;
    out.reserve(static_cast<size_t>(q.recordCount()));
    for (q.first(); !q.eof(); q.next()) {
        GridMatch m;
        m.home = q.field(QStringLiteral("Home")).asString();
        m.away = q.field(QStringLiteral("Away")).asString();
        m.result = q.field(QStringLiteral("Result")).asString();
        m.F = q.field(QStringLiteral("F")).asFloat();
        m.A = q.field(QStringLiteral("A")).asFloat();
        m.date = q.field(QStringLiteral("DateP")).asString();
        m.round = q.field(QStringLiteral("Rnd")).asString();
        out.push_back(std::move(m));
    }
    return out;
}

TextGrid BuildCrossTable(const QStringList &teams, const std::vector<GridMatch> &playedMatches,
                         const std::vector<GridMatch> &allMatches)
{
    const int n = static_cast<int>(teams.size());
    const int size = std::max(n + 1, 2);
    TextGrid grid(size, size);
    for (int i = 0; i < n; ++i) {
        grid.setText(0, i + 1, teams[i]);
        grid.setText(i + 1, 0, teams[i]);
    }
    for (const GridMatch &m : playedMatches) {
        // The last row and column of the name, letter case counting; a name that occurs twice is not
        // told apart, and a team no longer in Teams is left out.
        const qsizetype i = teams.lastIndexOf(m.home);
        const qsizetype j = teams.lastIndexOf(m.away);
        if (i < 0 || j < 0)
            continue;
        const int row = static_cast<int>(i) + 1;
        const int column = static_cast<int>(j) + 1;
        grid.setText(column, row, m.result + QStringLiteral("  ") + grid.text(column, row));
    }
    // The hints look the pair up by name: every row and column of that name carries them.
    QHash<QString, QList<int>> places;
    for (int i = 0; i < n; ++i)
        places[teams[i]] << i + 1;
    for (const GridMatch &m : allMatches) {
        const auto rows = places.constFind(m.home);
        const auto columns = places.constFind(m.away);
        if (rows == places.cend() || columns == places.cend())
            continue;
        const QString hint = QStringLiteral("Score: ") + m.result + CR + QStringLiteral("Date: ") + m.date +
                             CR + QStringLiteral("Round: ") + m.round + CR + CR;
        for (int row : *rows)
            for (int column : *columns)
                grid.setHint(column, row, hint + grid.hint(column, row));
    }
    return grid;
}

QString hintWithin(const QString &hint, int maxLines)
{
    static const QString kEnd = QString(CR) + CR;
    const QStringList matches = hint.split(kEnd, Qt::SkipEmptyParts);
    constexpr int kLinesPerMatch = 4;
    if (matches.size() * kLinesPerMatch <= maxLines)
        return hint;
    const qsizetype shown = std::max<qsizetype>(1, (maxLines - 1) / kLinesPerMatch);
    QString out;
    for (qsizetype i = 0; i < shown; ++i)
        out += matches[i] + kEnd;
    return out + QStringLiteral("\u2026 and %1 more").arg(matches.size() - shown);
}

GridCellLook headerCellLook(int column, int row, int selectedColumn, int selectedRow)
{
    const bool selectedRowHeader = column == 0 && row > 0 && row == selectedRow;
    const bool selectedColumnHeader = row == 0 && column > 0 && column == selectedColumn;
    if (selectedRowHeader || selectedColumnHeader)
        return {Colours::Navy, Colours::White};
    return {};
}

GridCellLook crossTableCellLook(const TextGrid &grid, int column, int row, int selectedColumn,
                                int selectedRow)
{
    if (column == 0 || row == 0)
        return headerCellLook(column, row, selectedColumn, selectedRow);
    if (column == row)
        return {Colours::Black, Colours::Black};
    if (!grid.text(column, row).isEmpty())
        return {Colours::White, Colours::Black};
    return {};
}

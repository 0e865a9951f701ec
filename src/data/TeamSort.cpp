#include "data/TeamSort.h"

#include "data/Database.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"

namespace
{
QList<GridColumn> columnsOf(QChar side)
{
    const QString s(side);
    return {
        {QStringLiteral("#"), QStringLiteral("Pos"), AlignNumber, 30},
        {QStringLiteral("Team"), QStringLiteral("Team"), AlignText, 200},
        {QStringLiteral("Rtg"), QStringLiteral("TR") + s, AlignNumber, 40},
        {QStringLiteral("P"), s + QStringLiteral("P"), AlignNumber, 40},
        {QStringLiteral("W"), s + QStringLiteral("W"), AlignNumber, 40},
        {QStringLiteral("D"), s + QStringLiteral("D"), AlignNumber, 40},
        {QStringLiteral("L"), s + QStringLiteral("L"), AlignNumber, 40},
        {QStringLiteral("F"), s + QStringLiteral("F"), AlignNumber, 40},
        {QStringLiteral("A"), s + QStringLiteral("A"), AlignNumber, 40},
        {QStringLiteral("Dif"), s + QStringLiteral("Dif"), AlignNumber, 40},
        {QStringLiteral("Pts"), s + QStringLiteral("Pts"), AlignNumber, 40},
    };
}

// The further keys always come from these grid columns, whatever the first key is.
constexpr int kDifColumn = 9;
constexpr int kWinsColumn = 4;
constexpr int kPositionColumn = 0;
constexpr int kTeamItem = 0; // "Team" among the sort items
const QString kPositionTitle = QStringLiteral("#");

// The team table whose grid shows these fields; nothing for other fields.
std::optional<TeamTable> teamTableOf(const QStringList &gridFields)
{
    for (TeamTable t : {TeamTable::Home, TeamTable::Away, TeamTable::Overall})
        if (gridFields == teamGridFields(t))
            return t;
    return std::nullopt;
}
} // namespace

const QList<GridColumn> &teamGridColumns(TeamTable table)
{
    static const QList<GridColumn> home = columnsOf(QLatin1Char('H'));
    static const QList<GridColumn> away = columnsOf(QLatin1Char('A'));
    static const QList<GridColumn> overall = columnsOf(QLatin1Char('T'));
    switch (table) {
    case TeamTable::Home:
        return home;
    case TeamTable::Away:
        return away;
    case TeamTable::Overall:
        break;
    }
    return overall;
}

QStringList teamGridFields(TeamTable table)
{
    return gridFields(teamGridColumns(table));
}

const QStringList &teamSortItems()
{
    static const QStringList items = {QStringLiteral("Team"), QStringLiteral("Rtg"), QStringLiteral("P"),
                                      QStringLiteral("W"),    QStringLiteral("D"),   QStringLiteral("L"),
                                      QStringLiteral("F"),    QStringLiteral("A"),   QStringLiteral("Dif"),
                                      QStringLiteral("Pts")};
    return items;
}

const QStringList &teamOrderItems()
{
    static const QStringList items = {QStringLiteral("Ascending"), QStringLiteral("Descending")};
    return items;
}

TeamSortChoice &TeamSortChoices::operator[](TeamTable table)
{
    return table == TeamTable::Home ? home : table == TeamTable::Away ? away : overall;
}

const TeamSortChoice &TeamSortChoices::operator[](TeamTable table) const
{
    return table == TeamTable::Home ? home : table == TeamTable::Away ? away : overall;
}

std::optional<QString> teamSortText(const TeamSortChoice &choice, const QStringList &gridFields)
{
    // Only the first entry sorts upwards; "Descending" and a chooser with nothing selected sort downwards.
    const QString direction =
        TextCompare::indexOfNoCase(teamOrderItems(), choice.order) == 0 ? QString() : QStringLiteral(" DESC");
    if (choice.sort == kPositionTitle && !gridFields.isEmpty())
        return gridFields[kPositionColumn] + direction;
    const int i = TextCompare::indexOfNoCase(teamSortItems(), choice.sort);
    if (i < 0 || gridFields.size() <= qMax(i + 1, kDifColumn))
        return std::nullopt;
    return gridFields[i + 1] + direction + QStringLiteral(", ") + gridFields[kDifColumn] + direction +
           QStringLiteral(", ") + gridFields[kWinsColumn] + direction;
}

void ApplyTeamSort(TDataMod &dm, const TeamSortChoice &choice, const QStringList &gridFields)
{
    if (!dm.isLeagueOpen())
        return;
    Table &teams = dm.ADOTableTeams;
    // One transaction for the positions and the sort.
    Transaction tx(dm.ADOConnection);
    if (const std::optional<TeamTable> table = teamTableOf(gridFields))
        dm.setPositionsTable(*table);
    if (teams.isActive() && !teams.isEmpty()) {
        teams.edit();
        teams.post();
    }
    dm.RenumberPositions();
    const std::optional<QString> sortText = teamSortText(choice, gridFields);
    if (sortText && teams.isActive() && !teams.isEmpty()) {
        teams.setSort(*sortText);
        teams.first();
    }
    tx.commit();
}

TeamSortChoice afterTitleClick(const TeamSortChoice &choice, const QString &title)
{
    const bool position = title == kPositionTitle;
    const int i = TextCompare::indexOfNoCase(teamSortItems(), title);
    TeamSortChoice next;
    next.sort = position ? kPositionTitle : i < 0 ? QString() : teamSortItems()[i];
    const bool sameColumn = !next.sort.isEmpty() && TextCompare::equalNoCase(next.sort, choice.sort);
    bool ascending = position || i == kTeamItem;
    if (sameColumn)
        ascending = TextCompare::indexOfNoCase(teamOrderItems(), choice.order) != 0;
    next.order = ascending ? teamOrderItems()[0] : teamOrderItems()[1];
    return next;
}

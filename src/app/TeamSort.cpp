#include "app/TeamSort.h"

#include "data/Database.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"

namespace {
// Where the chosen text stands among the entries, letter case ignored as the choosers compare; -1 if absent.
int entryIndex(const QStringList &entries, const QString &text)
{
    for (int i = 0; i < entries.size(); ++i)
        if (TextCompare::equalNoCase(entries[i], text))
            return i;
    return -1;
}

QList<TeamGridColumn> columnsOf(QChar side)
{
    const QString s(side);
    return {
        {QStringLiteral("#"), QStringLiteral("Pos"), 30, true},
        {QStringLiteral("Team"), QStringLiteral("Team"), 200, false},
        {QStringLiteral("Rtg"), QStringLiteral("TR") + s, 40, true},
        {QStringLiteral("P"), s + QStringLiteral("P"), 40, true},
        {QStringLiteral("W"), s + QStringLiteral("W"), 40, true},
        {QStringLiteral("D"), s + QStringLiteral("D"), 40, true},
        {QStringLiteral("L"), s + QStringLiteral("L"), 40, true},
        {QStringLiteral("F"), s + QStringLiteral("F"), 40, true},
        {QStringLiteral("A"), s + QStringLiteral("A"), 40, true},
        {QStringLiteral("Dif"), s + QStringLiteral("Dif"), 40, true},
        {QStringLiteral("Pts"), s + QStringLiteral("Pts"), 40, true},
    };
}

// The further keys always come from these grid columns, whatever the first key is.
constexpr int kDifColumn = 9;
constexpr int kWinsColumn = 4;
} // namespace

const QList<TeamGridColumn> &teamGridColumns(TeamTable table)
{
    static const QList<TeamGridColumn> home = columnsOf(QLatin1Char('H'));
    static const QList<TeamGridColumn> away = columnsOf(QLatin1Char('A'));
    static const QList<TeamGridColumn> overall = columnsOf(QLatin1Char('T'));
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
    QStringList out;
    for (const TeamGridColumn &c : teamGridColumns(table))
        out << c.field;
    return out;
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
    const int i = entryIndex(teamSortItems(), choice.sort);
    if (i < 0 || gridFields.size() <= qMax(i + 1, kDifColumn))
        return std::nullopt;
    // Only the first entry sorts upwards; "Descending" and a chooser with nothing selected sort downwards.
    const QString direction =
        entryIndex(teamOrderItems(), choice.order) == 0 ? QString() : QStringLiteral(" DESC");
    return gridFields[i + 1] + direction + QStringLiteral(", ") + gridFields[kDifColumn] + direction +
           QStringLiteral(", ") + gridFields[kWinsColumn] + direction;
}

void ApplyTeamSort(TDataMod &dm, const TeamSortChoice &choice, const QStringList &gridFields)
{
    if (!dm.isLeagueOpen())
        return;
    Table &teams = dm.ADOTableTeams;
    // One transaction for the sort and every position written after it.
    Transaction tx(dm.ADOConnection);
    const std::optional<QString> sortText = teamSortText(choice, gridFields);
    if (sortText && teams.isActive() && !teams.isEmpty()) {
        teams.edit();
        teams.post();
        teams.setSort(*sortText);
    }
    dm.RenumberPositions();
    tx.commit();
}

TeamSortChoice afterTitleClick(const TeamSortChoice &choice, const QString &title)
{
    TeamSortChoice next;
    next.order = entryIndex(teamOrderItems(), choice.order) == 0 ? teamOrderItems()[1] : teamOrderItems()[0];
    const int i = entryIndex(teamSortItems(), title);
    next.sort = i < 0 ? QString() : teamSortItems()[i];
    return next;
}

#include "data/GridCommands.h"

#include "data/BusyCursor.h"
#include "data/CommandBoundary.h"
#include "data/Table.h"

QString quotedFilterText(const QString &text)
{
    QString inner = text;
    inner.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

void SetTableFilter(Table &table, const QString &filterText)
{
    ControlsDisabled quiet(table);
    table.setFiltered(false);
    table.setFilter(filterText);
    table.setFiltered(true);
}

QString toggledSortText(const QString &currentSort, const QString &field)
{
    return currentSort.contains(QLatin1String("DESC")) ? field : field + QStringLiteral(" DESC");
}

void ToggleColumnSort(const QString &field, Table &table)
{
    BusyCursor busy;
    if (!table.isActive() || table.isEmpty())
        return;
    table.edit();
    table.post();
    table.setSort(toggledSortText(table.sort(), field));
}

bool ConfirmDeleteRow(Table &table, Messenger &messenger)
{
    if (!table.isActive() || table.isEmpty())
        return false;
    if (messenger.question(QStringLiteral("Do you really want to delete this record?"),
                           QStringLiteral("Delete"), Messenger::Buttons::YesNo,
                           Messenger::Kind::Question) != Messenger::Answer::Yes)
        return false;
    // The delete is its own transaction, with the table's before- and after-delete events inside it.
    return runCommand(messenger, [&table] { table.deleteRecord(); });
}

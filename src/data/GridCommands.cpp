#include "data/GridCommands.h"

#include "data/BusyCursor.h"
#include "data/CommandBoundary.h"
#include "data/Dates.h"
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
    QString text = QStringLiteral("Do you really want to delete this record?");
    if (const QString name = currentRowName(table); !name.isEmpty())
        text += QLatin1Char('\n') + name;
    if (messenger.question(text, QStringLiteral("Delete"), Messenger::Buttons::YesNoDefaultNo,
                           Messenger::Kind::Question) != Messenger::Answer::Yes)
        return false;
    // The delete is its own transaction, with the table's before- and after-delete events inside it.
    return runCommand(messenger, [&table] { table.deleteRecord(); });
}

QString currentRowName(Table &table)
{
    const auto has = [&table](const char *field) {
        return columnIndex(table.columns(), QString::fromLatin1(field)) >= 0;
    };
    const auto text = [&table](const char *field) {
        return table.field(QString::fromLatin1(field)).asString();
    };
    if (has("Home") && has("Away")) {
        QString name = text("Home") + QStringLiteral(" - ") + text("Away");
        if (has("DateP"))
            if (const QDate date = table.field(QStringLiteral("DateP")).asDate(); date.isValid())
                name += QStringLiteral(", ") + Dates::toShortDate(date);
        return name;
    }
    if (has("Player"))
        return has("Team") ? text("Player") + QStringLiteral(" (") + text("Team") + QLatin1Char(')')
                           : text("Player");
    return has("Team") ? text("Team") : QString();
}

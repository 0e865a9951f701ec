#include "data/GridCommands.h"

#include "data/BusyCursor.h"
#include "data/CellText.h"
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

QString toggledSortText(const QString &currentSort, const QString &field, bool numeric)
{
    // The first key: a column name, possibly in brackets, and its direction.
    const QStringList firstKey =
        currentSort.section(QLatin1Char(','), 0, 0).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString sorted = firstKey.value(0);
    if (sorted.startsWith(QLatin1Char('[')) && sorted.endsWith(QLatin1Char(']')))
        sorted = sorted.mid(1, sorted.size() - 2);
    const bool descending = firstKey.value(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
    const bool sameColumn = sorted.compare(field, Qt::CaseInsensitive) == 0;
    const bool downwards = sameColumn ? !descending : numeric;
    return downwards ? field + QStringLiteral(" DESC") : field;
}

bool sortsAsNumber(const Table &table, const QString &field)
{
    const int column = columnIndex(table.columns(), field);
    if (column < 0)
        return false;
    return table.columns()[column].kind == ColumnKind::Real || isPriceColumn(field);
}

void ToggleColumnSort(const QString &field, Table &table)
{
    BusyCursor busy;
    if (!table.isActive() || table.isEmpty())
        return;
    table.edit();
    table.post();
    table.setSort(toggledSortText(table.sort(), field, sortsAsNumber(table, field)));
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

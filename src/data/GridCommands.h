#pragma once
// What the data grids do to the table they show, whichever window they sit in: filter it, sort it by a
// click on a column title, delete its current row after asking.

#include <QString>

class Messenger;
class Table;

// A text as a quoted value of a filter text: between single quotes, an inner quote doubled.
QString quotedFilterText(const QString &text);

// The filter text set on a table: with display updates suspended, filtering off, the text set, filtering
// on again.  A text that does not parse raises DatabaseError and leaves filtering off.
void SetTableFilter(Table &table, const QString &filterText);

// The sort text after a click on a column title.  A click on the column the rows are sorted by (the first
// key) reverses its direction; a click on another column sorts by it alone, numbers largest first and
// texts and dates from the start of the alphabet and the calendar.
QString toggledSortText(const QString &currentSort, const QString &field, bool numeric);
// Whether a column of the table sorts as numbers: reals, and the texts that hold prices.
bool sortsAsNumber(const Table &table, const QString &field);
// The title-click sort of the data grids: when the table has rows, stores any pending edit and sorts by
// toggledSortText.  Busy cursor meanwhile.
void ToggleColumnSort(const QString &field, Table &table);

// When the table has rows, asks "Do you really want to delete this record?" (caption "Delete", Yes and No,
// No the default), naming the row on a second line; on Yes deletes the current row, with the table's own
// delete events.  Returns whether a row was deleted.  A failure is told through the messenger with the
// engine's message and leaves everything as it was.
bool ConfirmDeleteRow(Table &table, Messenger &messenger);

// The current row as a user knows it: "Home - Away, date" for a match, "Player (Team)" for a player, the
// team's name for a team; empty for other tables.
QString currentRowName(Table &table);

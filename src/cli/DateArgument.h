#pragma once
// A date given on the command line, written YYYY-MM-DD.

#include <QDate>
#include <QString>

// QuorvaneError for a text of another form, a year outside the date fields' range, or numbers that form
// no date ("2015-02-30 is not a date.").
QDate dateOf(const QString &text);

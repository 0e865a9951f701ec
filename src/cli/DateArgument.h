#pragma once
// A date given on the command line, written YYYY-MM-DD.

#include <QDate>
#include <QString>

// QuorvaneError for a text of another form or a year outside the date fields' range; DateError for
// numbers that form no date.
QDate dateOf(const QString &text);

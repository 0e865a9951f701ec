#pragma once
// Where the prediction commands and the back-test get a team's history from.

#include "predict/PredictionEngine.h"

#include <QDate>

class HistorySource
{
public:
    virtual ~HistorySource() = default;
    // All played matches of the team (Home or Away equal to its name, letter case ignored), newest first.
    virtual History current(const QString &team) = 0;
    // The same, dated strictly before the date.
    virtual History before(const QString &team, const QDate &date) = 0;
};

#include "data/ResultsViews.h"

#include "data/Table.h"

QString fixturesFilterText()
{
    return QStringLiteral("Result = ':'");
}

QString scoresFilterText()
{
    return QStringLiteral("Result <> ':'");
}

void applyDefaultFixtureView(Table &results)
{
    results.setFilter(fixturesFilterText());
    results.setFiltered(true);
    results.setSort(QStringLiteral("DateP"));
}

void applyDefaultScoreView(Table &results)
{
    results.setFilter(scoresFilterText());
    results.setFiltered(true);
    results.setSort(QStringLiteral("DateP DESC"));
}

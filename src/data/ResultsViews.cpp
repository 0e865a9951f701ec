#include "data/ResultsViews.h"

#include "data/Table.h"

void applyDefaultFixtureView(Table &results)
{
    results.setFilter(QStringLiteral("Result = ':'"));
    results.setFiltered(true);
    results.setSort(QStringLiteral("DateP"));
}

void applyDefaultScoreView(Table &results)
{
    results.setFilter(QStringLiteral("Result <> ':'"));
    results.setFiltered(true);
    results.setSort(QStringLiteral("DateP DESC"));
}

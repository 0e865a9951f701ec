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

QString filterNotice(const Dataset &table, const QString &ownFilter)
{
    const QString text = table.filter().trimmed();
    if (!table.isActive() || !table.filtered() || text.isEmpty() || text == ownFilter)
        return QString();
    return QStringLiteral("Filter: ") + text;
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

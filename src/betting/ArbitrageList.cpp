#include "betting/ArbitrageList.h"

#include "data/Database.h"
#include "data/Dates.h"
#include "data/MatchOutcome.h"
#include "data/TextCompare.h"
#include "entry/Odds.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace
{

// rowid keeps one day's matches in stored order.
const char *const kListSql = "SELECT ID, DateP, Rnd, Home, Away, Result, Retrn, O1, OX, O2, O1B, OXB, O2B, "
                             "rowid FROM Results ORDER BY DateP, rowid";

ArbitrageRow rowOf(const Statement &s)
{
    ArbitrageRow r;
    r.ID = s.value(0);
    r.DateP = s.value(1);
    r.Rnd = s.value(2);
    r.input.homeTeam = s.value(3).toString();
    r.input.awayTeam = s.value(4).toString();
    r.result = s.value(5).toString();
    r.Retrn = s.value(6);
    for (int i = 0; i < 3; ++i) {
        r.input.odds[i] = s.value(7 + i).toString();
        r.input.bookmakers[i] = s.value(10 + i).toString();
    }
    r.rowid = s.value(13).toLongLong();
    return r;
}

std::optional<double> numberOf(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

// What a row is sorted by in one column: a number, or a text compared ignoring letter case.
struct SortKey {
    std::optional<double> number;
    QString text;
};

SortKey keyOf(const ArbitrageRow &r, ArbitrageColumn column, const QLocale &locale)
{
    switch (column) {
    case ArbitrageColumn::Date: {
        const QDate d = Dates::fromStored(r.DateP.toString());
        return {d.isValid() ? std::optional<double>(double(d.toJulianDay())) : std::nullopt, {}};
    }
    case ArbitrageColumn::Round:
        return {numberOf(r.Rnd), {}};
    case ArbitrageColumn::Home:
        return {std::nullopt, r.input.homeTeam};
    case ArbitrageColumn::Away:
        return {std::nullopt, r.input.awayTeam};
    case ArbitrageColumn::HomeOdds:
    case ArbitrageColumn::DrawOdds:
    case ArbitrageColumn::AwayOdds: {
        const QString &odds = r.input.odds[size_t(int(column) - int(ArbitrageColumn::HomeOdds))];
        double price = 0;
        if (Odds::hasOdds(odds) && Odds::tryParseOdds(odds, Odds::DetectOddsType(odds), &price, locale))
            return {price, {}};
        return {};
    }
    case ArbitrageColumn::Return:
    case ArbitrageColumn::Count:
        break;
    }
    return {numberOf(r.Retrn), {}};
}

bool isTextColumn(ArbitrageColumn column)
{
    return column == ArbitrageColumn::Home || column == ArbitrageColumn::Away;
}

// a before b in ascending order; a missing number before every number.
bool less(const SortKey &a, const SortKey &b, bool text)
{
    if (text)
        return TextCompare::compareNoCase(a.text, b.text) < 0;
    if (!a.number || !b.number)
        return !a.number && b.number;
    return *a.number < *b.number;
}

} // namespace

bool passesArbitrageFilter(const ArbitrageRow &row, const ArbitrageFilter &filter)
{
    if (filter.upcomingOnly && isPlayed(row.result))
        return false;
    if (filter.positiveOnly) {
        const std::optional<double> retrn = numberOf(row.Retrn);
        if (!retrn || *retrn <= 0)
            return false;
    }
    return true;
}

void forEachArbitrageRow(Database &league, const ArbitrageFilter &filter,
                         const std::function<void(const ArbitrageRow &)> &visit)
{
    Statement query = league.prepare(QString::fromLatin1(kListSql));
    while (query.step()) {
        const ArbitrageRow row = rowOf(query);
        if (passesArbitrageFilter(row, filter))
            visit(row);
    }
}

QList<ArbitrageRow> readArbitrageRows(Database &league, const ArbitrageFilter &filter)
{
    QList<ArbitrageRow> rows;
    forEachArbitrageRow(league, filter, [&rows](const ArbitrageRow &r) { rows.append(r); });
    return rows;
}

void sortArbitrageRows(QList<ArbitrageRow> &rows, ArbitrageColumn column, Qt::SortOrder order,
                       const QLocale &locale)
{
    // Each key once, then a stable sort of the places.
    std::vector<std::pair<SortKey, qsizetype>> keyed;
    keyed.reserve(size_t(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i)
        keyed.emplace_back(keyOf(rows[i], column, locale), i);
    const bool text = isTextColumn(column);
    const bool descending = order == Qt::DescendingOrder;
    std::stable_sort(keyed.begin(), keyed.end(), [text, descending](const auto &a, const auto &b) {
        return descending ? less(b.first, a.first, text) : less(a.first, b.first, text);
    });
    QList<ArbitrageRow> sorted;
    sorted.reserve(rows.size());
    for (const auto &k : keyed)
        sorted.append(std::move(rows[k.second]));
    rows = std::move(sorted);
}

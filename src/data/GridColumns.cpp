#include "data/GridColumns.h"

#include "data/TextCompare.h"

namespace
{
QString s(const char *text)
{
    return QString::fromLatin1(text);
}

// The first column that a display mode can hide: the predictions come first, then the four odds columns.
int firstModeColumn(MatchPage page)
{
    return page == MatchPage::Fixtures ? 4 : 6;
}
constexpr int kPredictionColumns = 8;
} // namespace

QStringList gridFields(const QList<GridColumn> &columns)
{
    QStringList out;
    for (const GridColumn &c : columns)
        out << c.field;
    return out;
}

QStringList gridTitles(const QList<GridColumn> &columns)
{
    QStringList out;
    for (const GridColumn &c : columns)
        out << c.title;
    return out;
}

const QList<GridColumn> &matchGridColumns(MatchPage page)
{
    static const QList<GridColumn> fixtures = {
        {s("Date"), s("DateP"), AlignCentre, 70},
        {s("Rnd"), s("Rnd"), AlignNumber, 30},
        {s("Home Team"), s("Home"), AlignCentre, 200},
        {s("Away Team"), s("Away"), AlignCentre, 200},
        {s("H%"), s("HP"), AlignNumber, 35},
        {s("D%"), s("DP"), AlignNumber, 35},
        {s("A%"), s("AP"), AlignNumber, 35},
        {s("C%"), s("CF"), AlignNumber, 35},
        {s("Verdict"), s("Verdict"), AlignCentre, 40},
        {s("PScore"), s("PResult"), AlignCentre, 50},
        {s("Total"), s("Ttl"), AlignNumber, 35},
        {s("Under/Over"), s("UOP"), AlignCentre, 65},
        {s("1"), s("O1"), AlignCentre, 55},
        {s("X"), s("OX"), AlignCentre, 55},
        {s("2"), s("O2"), AlignCentre, 55},
        {s("Return (%)"), s("Retrn"), AlignNumber, 55},
    };
    static const QList<GridColumn> scores = [] {
        QList<GridColumn> c = fixtures;
        c.insert(2, {s("Match"), s("MatchT"), AlignCentre, 85});
        c.insert(5, {s("Score"), s("Result"), AlignCentre, 60});
        return c;
    }();
    return page == MatchPage::Fixtures ? fixtures : scores;
}

const QStringList &matchModeItems(MatchPage page)
{
    static const QStringList fixtures = {s("All"), s("Fixtures"), s("Odds"), s("Predictions")};
    static const QStringList scores = {s("All"), s("Scores"), s("Odds"), s("Predictions")};
    return page == MatchPage::Fixtures ? fixtures : scores;
}

std::optional<QList<bool>> matchColumnsShown(MatchPage page, const QString &modeText)
{
    const int mode = TextCompare::indexOfNoCase(matchModeItems(page), modeText);
    if (mode < 0)
        return std::nullopt;
    const bool predictions = mode == 0 || mode == 3;
    const bool odds = mode == 0 || mode == 2;
    const int first = firstModeColumn(page);
    const int count = static_cast<int>(matchGridColumns(page).size());
    QList<bool> shown(count, true);
    for (int c = first; c < count; ++c)
        shown[c] = c < first + kPredictionColumns ? predictions : odds;
    return shown;
}

const QList<GridColumn> &playerGridColumns()
{
    static const QList<GridColumn> columns = {
        {s("N"), s("N"), AlignNumber, 30},           {s("Player"), s("Player"), AlignText, 180},
        {s("Team"), s("Team"), AlignText, 180},      {s("Position"), s("Pos"), AlignText, 120},
        {s("DOB"), s("DOB"), AlignCentre, 70},       {s("Height"), s("Ht"), AlignCentre, 60},
        {s("Weight"), s("Wt"), AlignCentre, 60},     {s("PR"), s("PR"), AlignNumber, 40},
        {s("IN/OUT"), s("IN_OUT"), AlignCentre, 50},
    };
    return columns;
}

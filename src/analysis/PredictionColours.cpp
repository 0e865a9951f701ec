#include "analysis/PredictionColours.h"

#include "data/Dataset.h"
#include "data/Numbers.h"

namespace
{
// The outcome a percentage or odds column stands for.
std::optional<MatchOutcome> outcomeColumn(const QString &field, const char *home, const char *draw,
                                          const char *away)
{
    if (field == QLatin1String(home))
        return MatchOutcome::HomeWin;
    if (field == QLatin1String(draw))
        return MatchOutcome::Draw;
    if (field == QLatin1String(away))
        return MatchOutcome::AwayWin;
    return std::nullopt;
}

Rgb trueOrFalse(bool cameTrue)
{
    return cameTrue ? Colours::LightGreen : Colours::LightRed;
}

// The under/over cell holds a call ("Over 2.5", "Under 2.5") only when it has an "r"; a bare line is no call.
std::optional<Rgb> underOverColour(const MatchColourRow &row)
{
    if (!row.uop.contains(QLatin1Char('r')))
        return std::nullopt;
    const int total = row.F + row.A;
    const bool cameTrue = (total > row.uov && row.uop.contains(QLatin1String("Over"))) ||
                          (total < row.uov && row.uop.contains(QLatin1String("Under")));
    return trueOrFalse(cameTrue);
}

// A column the dataset lacks (the systems file's Results has no Retrn) reads as NULL.
QVariant valueAt(const Dataset &ds, int viewRow, const char *field)
{
    const int c = columnIndex(ds.columns(), QString::fromLatin1(field));
    return c < 0 ? QVariant() : ds.valueAt(viewRow, c);
}
} // namespace

MatchColourRow matchColourRowAt(const Dataset &results, int viewRow)
{
    MatchColourRow row;
    row.result = valueAt(results, viewRow, "Result").toString();
    row.F = Numbers::wholeNumber(valueAt(results, viewRow, "F"));
    row.A = Numbers::wholeNumber(valueAt(results, viewRow, "A"));
    row.verdict = valueAt(results, viewRow, "Verdict").toString();
    row.uop = valueAt(results, viewRow, "UOP").toString();
    row.uov = valueAt(results, viewRow, "UOV").toDouble();
    row.retrn = valueAt(results, viewRow, "Retrn").toDouble();
    return row;
}

std::optional<MatchOutcome> verdictOutcome(const QString &verdict)
{
    return outcomeColumn(verdict, "1", "X", "2"); // "?": no prediction
}

std::optional<MatchOutcome> percentColumnOutcome(const QString &field)
{
    return outcomeColumn(field, "HP", "DP", "AP");
}

std::optional<Rgb> scoreCellColour(const QString &field, const MatchColourRow &row)
{
    const MatchOutcome happened = matchOutcome(row.F, row.A, row.result);
    if (const std::optional<MatchOutcome> odds = outcomeColumn(field, "O1", "OX", "O2"))
        return *odds == happened ? std::optional<Rgb>(Colours::LightCyan) : std::nullopt;
    if (field == QLatin1String("UOP"))
        return underOverColour(row);
    const std::optional<MatchOutcome> call = verdictOutcome(row.verdict);
    if (!call)
        return std::nullopt;
    if (field == QLatin1String("Verdict") || percentColumnOutcome(field) == call)
        return trueOrFalse(*call == happened);
    return std::nullopt;
}

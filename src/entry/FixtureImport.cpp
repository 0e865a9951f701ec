#include "entry/FixtureImport.h"

#include "data/BusyCursor.h"
#include "data/Database.h"
#include "data/Excerpt.h"
#include "data/TDataMod.h"
#include "entry/FixtureLayouts.h"

namespace
{
struct LayoutName {
    FixtureLayout layout;
    const char *name;
};
const LayoutName kLayoutNames[] = {{FixtureLayout::FixturePage, "afl"},
                                   {FixtureLayout::BaseballSchedule, "mlb"},
                                   {FixtureLayout::SoccerA, "soccer-a"},
                                   {FixtureLayout::SoccerB, "soccer-b"}};
} // namespace

QString fixtureLayoutName(FixtureLayout layout)
{
    for (const LayoutName &l : kLayoutNames)
        if (l.layout == layout)
            return QString::fromLatin1(l.name);
    return {};
}

std::optional<FixtureLayout> fixtureLayoutOf(const QString &name)
{
    for (const LayoutName &l : kLayoutNames)
        if (name == QLatin1String(l.name))
            return l.layout;
    return std::nullopt;
}

FixtureLineError::FixtureLineError(int line, const QString &text, const QString &reason)
    : QuorvaneError(
          QStringLiteral("Line %1 (\"%2\"): %3\nNothing was imported.").arg(line).arg(excerpt(text), reason))
{
}

FixtureImportSummary ImportFixtures(TDataMod &dm, FixtureLayout layout, const QStringList &lines, int year)
{
    BusyCursor busy;
    Transaction tx(dm.ADOConnection);
    FixtureImportSummary summary;
    {
        Table &results = dm.ADOTableResults;
        ControlsDisabled quietResults(results);
        ControlsDisabled quietTeams(dm.ADOTableTeams);
        FilterOff allResults(results); // a fixture to fill in may be hidden by the view's filter
        FixtureLeague league(dm);
        switch (layout) {
        case FixtureLayout::FixturePage:
            readFixturePage(lines, league, year);
            break;
        case FixtureLayout::BaseballSchedule:
            readBaseballSchedule(lines, league, year);
            break;
        case FixtureLayout::SoccerA:
            readSoccerA(lines, league);
            break;
        case FixtureLayout::SoccerB:
            readSoccerB(lines, league);
            break;
        }
        summary = league.summary;
    }
    tx.commit();
    return summary;
}

QStringList ReplaceFirstInLines(const QStringList &lines, const QString &oldText, const QString &newText)
{
    QStringList out = lines;
    if (oldText.isEmpty())
        return out;
    for (QString &line : out) {
        const qsizetype at = line.indexOf(oldText);
        if (at < 0)
            continue;
        // In place, so that a new text holding the old one ("Man" by "Manchester") comes out whole.
        line.replace(at, oldText.size(), newText);
    }
    return out;
}

QString describeImport(const FixtureImportSummary &s)
{
    return QStringLiteral("%1 fixtures added, %2 results entered (%3 of them into stored fixtures), "
                          "%4 already in the league, %5 lines skipped.")
        .arg(s.fixturesAdded)
        .arg(s.resultsAdded + s.fixturesFilled)
        .arg(s.fixturesFilled)
        .arg(s.alreadyStored)
        .arg(s.skipped.size());
}

QString describeSkipped(const FixtureImportSummary &s, int maxLines)
{
    QStringList lines;
    for (const FixtureImportSummary::Skipped &k : s.skipped) {
        if (maxLines >= 0 && lines.size() == maxLines) {
            lines << QStringLiteral("... and %1 more.").arg(s.skipped.size() - maxLines);
            break;
        }
        lines << QStringLiteral("Line %1 (\"%2\"): %3").arg(k.line).arg(excerpt(k.text), k.reason);
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList fixtureLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line break ending the text starts no line
    return lines;
}

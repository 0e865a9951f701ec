#include "entry/FixtureLayouts.h"

#include "data/Dates.h"
#include "data/Numbers.h"
#include "data/TextCompare.h"
#include "entry/FixtureImport.h"
#include "entry/FixtureLeague.h"

#include <QRegularExpression>
#include <optional>

namespace
{

using Skip = std::optional<QString>;

const char *const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Runs one layout's reading over every line.  Whatever stops a line stops the import with the line's
// number and text; a skipped line is listed with its reason.
template <typename Read> void eachLine(const QStringList &lines, FixtureLeague &league, Read read)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        Skip skipped;
        try {
            skipped = read(lines[i]);
        } catch (const WriteError &) {
            throw; // the file system's refusal has nothing to do with the line
        } catch (const Abort &) {
            throw;
        } catch (const QuorvaneError &e) {
            throw FixtureLineError(number, lines[i], e.message());
        }
        if (skipped)
            league.summary.skipped.append({number, lines[i], *skipped});
    }
}

// The number before x: the text from the start of the line up to the first x, or the whole line when it
// holds no x ("Rnd 7" and a bare date line end with the number they give).
int numberBefore(const QString &line, QStringView x)
{
    const qsizetype i = line.indexOf(x);
    return Numbers::parseInt(i < 0 ? line : line.left(i));
}

// Removes the line's text up to and including the first x; a line without x stays as it is.
void deleteThrough(QString &line, QStringView x)
{
    const qsizetype i = line.indexOf(x);
    if (i >= 0)
        line.remove(0, i + x.size());
}

// Reads the number between the first "(" and the ")" after it and removes that part, brackets included;
// without a closing bracket the rest of the line is the number.
int takeBracketed(QString &line)
{
    const qsizetype open = line.indexOf(QLatin1Char('('));
    const qsizetype close = line.indexOf(QLatin1Char(')'), open + 1);
    const qsizetype end = close < 0 ? line.size() : close + 1;
    const int value = Numbers::parseInt(line.mid(open + 1, (close < 0 ? line.size() : close) - open - 1));
    line.remove(open, end - open);
    return value;
}

// Why a line's two teams cannot make a match, if they cannot.
Skip refuseTeams(const TeamsInLine &teams)
{
    if (!teams.before.found() || !teams.after.found())
        return QStringLiteral("it does not name two teams of the league");
    if (TextCompare::equalNoCase(teams.before.name, teams.after.name))
        return QStringLiteral("it names the same team on both sides");
    return std::nullopt;
}

// A day of the month right after a month token: two digits, or one digit not followed by another
// ("Apr 5, 2005" gives 5).
int dayAfter(const QString &line, qsizetype at)
{
    const QString two = line.mid(at, 2);
    if (two.size() == 2 && two[0].isDigit() && two[1].isDigit())
        return Numbers::parseInt(two);
    if (!two.isEmpty() && two[0].isDigit())
        return Numbers::parseInt(two.left(1));
    throw ConversionError::notInteger(two);
}

// A baseball team's score: the two characters one after the end of its name, spaces removed.
std::optional<int> scoreAfter(const QString &line, const TeamInLine &team)
{
    int score = -1;
    const QString text = line.mid(team.position + team.name.size() + 1, 2).remove(QLatin1Char(' '));
    if (!Numbers::tryParseInt(text, &score) || score < 0)
        return std::nullopt;
    return score;
}

// A soccer layout B date line: one holding "200", as the site's dates of that decade do, or one that
// starts with a day.month.year date of any later year.
bool isDottedDateLine(const QString &line)
{
    static const QRegularExpression date(QStringLiteral("^\\s*\\d{1,2}\\.\\d{1,2}\\.\\d{4}(\\s|$)"));
    return line.contains(QStringLiteral("200")) || date.match(line).hasMatch();
}

// Whether a soccer line gives a score beside its teams ("Liverpool-Man United 2:1", "Liverpool 2 - 1
// Man United"): it then tells a played match, not a fixture.  A kick-off time ("20:45") is no score, and
// digits in the teams' own names do not count.
bool givesScore(const QString &line, const TeamsInLine &teams)
{
    QString rest = line.mid(qMin(teams.before.position, teams.after.position));
    rest.remove(teams.before.name);
    rest.remove(teams.after.name);
    static const QRegularExpression score(
        QStringLiteral("(?<!\\d)(\\d{1,3})\\s*([:-])\\s*(\\d{1,3})(?!\\d)"));
    for (auto it = score.globalMatch(rest); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const bool kickOff = m.captured(0).size() == m.captured(1).size() + 3 &&
                             m.captured(2) == QLatin1String(":") && m.captured(3).size() == 2 &&
                             m.captured(1).toInt() <= 23 && m.captured(3).toInt() <= 59;
        if (!kickOff)
            return true;
    }
    return false;
}

// A year of the program's dates.  A page's typo ("12.08.20055") or a wrong year typed for the page would
// give a date no league can store: the import stops at the line instead.
int checkedYear(int year)
{
    if (year < Dates::FirstYear || year > Dates::LastYear)
        throw QuorvaneError(QStringLiteral("the year %1 lies outside %2 to %3.")
                                .arg(year)
                                .arg(Dates::FirstYear)
                                .arg(Dates::LastYear));
    return year;
}

// The date a line's fixture or result is stored with.
QDate lineDate(int year, int month, int day)
{
    return Dates::encode(checkedYear(year), month, day);
}

const QString kResultNotFixture = QStringLiteral("it gives a score: a played match, not a fixture");

} // namespace

void readFixturePage(const QStringList &lines, FixtureLeague &league, int year)
{
    int day = 1, month = 1, round = 1;
    eachLine(lines, league, [&](QString line) -> Skip {
        if (line.contains(QStringLiteral("Rnd"))) {
            deleteThrough(line, u" ");
            round = numberBefore(line, u" ");
        }
        for (int m = 0; m < 12; ++m) {
            // The end of the line ends a month as a space does: "Sunday 26 Mar" is a day line.
            const QString token = QLatin1Char(' ') + QLatin1String(kMonths[m]) + QLatin1Char(' ');
            if (QString(line + QLatin1Char(' ')).contains(token)) {
                month = m + 1;
                deleteThrough(line, u" "); // the weekday
                day = numberBefore(line, u" ");
            }
        }
        int homeScore = -1, awayScore = -1;
        if (line.contains(QLatin1Char('('))) {
            homeScore = takeBracketed(line);
            if (line.contains(QLatin1Char('(')))
                awayScore = takeBracketed(line);
        }
        if (line.contains(QStringLiteral(" vs "))) {
            const TeamsInLine teams = league.recognise(line, QStringLiteral(" vs "));
            if (Skip refused = refuseTeams(teams))
                return refused;
            league.appendFixture(teams.before.name, teams.after.name, lineDate(year, month, day), round);
        }
        if (line.contains(QStringLiteral("def."))) {
            const TeamsInLine teams = league.recognise(line, QStringLiteral("def."));
            if (Skip refused = refuseTeams(teams))
                return refused;
            // A result without both scores would count a match that was never played as 0:0.
            if (homeScore < 0 || awayScore < 0)
                return QStringLiteral("it does not give both scores in brackets");
            league.enterResult(teams.before.name, teams.after.name, homeScore, awayScore,
                               lineDate(year, month, day), round);
        }
        return std::nullopt;
    });
}

void readBaseballSchedule(const QStringList &lines, FixtureLeague &league, int year)
{
    int day = 1, month = 1, round = league.largestRound();
    const QString at = QStringLiteral(" at ");
    eachLine(lines, league, [&](const QString &line) -> Skip {
        for (int m = 0; m < 12; ++m) {
            const QString token = QLatin1String(kMonths[m]) + QLatin1Char(' ');
            const qsizetype i = line.indexOf(token);
            if (i < 0)
                continue;
            month = m + 1;
            day = dayAfter(line, i + token.size());
            ++round; // every day is a round of its own
        }
        if (!line.contains(at))
            return std::nullopt;
        // The names come from this line only: a line naming one known team must not borrow the other
        // from an earlier line.
        const TeamsInLine teams = league.recognise(line, at);
        if (Skip refused = refuseTeams(teams))
            return refused;
        const TeamInLine &home = teams.after, &away = teams.before;
        if (line.contains(QLatin1Char('@'))) {
            league.appendFixture(home.name, away.name, lineDate(year, month, day), round);
            return std::nullopt;
        }
        const std::optional<int> homeScore = scoreAfter(line, home), awayScore = scoreAfter(line, away);
        if (!homeScore || !awayScore)
            return QStringLiteral("it does not give both scores");
        league.enterResult(home.name, away.name, *homeScore, *awayScore, lineDate(year, month, day), round);
        return std::nullopt;
    });
}

void readSoccerA(const QStringList &lines, FixtureLeague &league)
{
    int day = 1, month = 1, year = 2005;
    eachLine(lines, league, [&](QString line) -> Skip {
        if (line.contains(QStringLiteral("20"))) {
            day = numberBefore(line, u"-");
            deleteThrough(line, u"-");
            month = numberBefore(line, u"-");
            deleteThrough(line, u"-");
            year = checkedYear(numberBefore(line, u" "));
        }
        if (line.contains(QStringLiteral(" - "))) {
            const TeamsInLine teams = league.recognise(line, QStringLiteral(" - "));
            if (Skip refused = refuseTeams(teams))
                return refused;
            if (givesScore(line, teams))
                return kResultNotFixture;
            league.appendFixture(teams.before.name, teams.after.name, lineDate(year, month, day), 0);
        }
        return std::nullopt;
    });
}

void readSoccerB(const QStringList &lines, FixtureLeague &league)
{
    int round = 0, day = 0, month = 0, year = 0;
    bool dated = false;
    eachLine(lines, league, [&](QString line) -> Skip {
        if (line.contains(QStringLiteral("Round"))) {
            deleteThrough(line, u" ");
            round = numberBefore(line, u" ");
        }
        if (isDottedDateLine(line)) {
            day = numberBefore(line, u".");
            deleteThrough(line, u".");
            month = numberBefore(line, u".");
            deleteThrough(line, u".");
            year = checkedYear(numberBefore(line, u" "));
            deleteThrough(line, u" "); // the kick-off time and the teams stay
            dated = true;
        }
        if (line.contains(QLatin1Char('-'))) {
            if (!dated)
                return QStringLiteral("it comes before the first date line");
            const TeamsInLine teams = league.recognise(line, QStringLiteral("-"));
            if (Skip refused = refuseTeams(teams))
                return refused;
            if (givesScore(line, teams))
                return kResultNotFixture;
            league.appendFixture(teams.before.name, teams.after.name, lineDate(year, month, day), round);
        }
        return std::nullopt;
    });
}

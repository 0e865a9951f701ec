#include "cli/Commands.h"

#include "cli/AnalysisCommands.h"
#include "cli/DateArgument.h"
#include "cli/DownloadCommands.h"
#include "cli/FixtureCommands.h"
#include "cli/LeagueFile.h"
#include "cli/Output.h"
#include "cli/OutputCommands.h"
#include "cli/PredictCommands.h"
#include "cli/TeamCommands.h"
#include "cli/TicketCommands.h"
#include "data/Database.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/LeagueDocument.h"
#include "data/MatchStore.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "data/Sports.h"
#include "data/TDataMod.h"
#include "data/TeamEditing.h"
#include "data/TextCompare.h"
#include "entry/ConvertLeague.h"
#include "entry/DemoLeague.h"
#include "entry/MatchEntry.h"
#include "entry/Odds.h"
#include "entry/ResultsCsv.h"
#include "entry/ResultsImport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

namespace
{

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

int wholeNumber(const QString &text, int low, int high, const QString &what)
{
    int v = 0;
    if (!Numbers::tryParseInt(text, &v) || v < low || v > high)
        throw QuorvaneError(QStringLiteral("%1 must be a whole number from %2 to %3, not '%4'.")
                                .arg(what)
                                .arg(low)
                                .arg(high)
                                .arg(excerpt(text)));
    return v;
}

OutputFormat formatOf(const Arguments &a)
{
    const auto format = outputFormatOf(a.value(QStringLiteral("--format"), QStringLiteral("text")));
    if (!format)
        throw UsageError{QStringLiteral("The format must be text, csv or json.")};
    return *format;
}

// ---------------------------------------------------------------- new

void setLeagueSettings(Table &league, const Arguments &a, int sport, int firstYear, int lastYear)
{
    league.first();
    league.edit();
    if (sport >= 0) {
        // Stored in the list's spelling: the sport tables know the exact names only.
        league.field(QStringLiteral("Sport")).setString(sportNames()[sport]);
        const SportDefaults &d = *sportDefaults(sport);
        const std::pair<const char *, int> presets[] = {{"PW", d.PW},   {"PD", d.PD},   {"PL", d.PL},
                                                        {"PWO", d.PWO}, {"PDO", d.PDO}, {"PLO", d.PLO},
                                                        {"HP", d.HP},   {"DP", d.DP},   {"AP", d.AP}};
        for (const auto &[column, value] : presets)
            league.field(QString::fromLatin1(column)).setInteger(value);
    }
    if (a.has(QStringLiteral("--name")))
        league.field(QStringLiteral("League")).setString(a.value(QStringLiteral("--name")));
    if (a.has(QStringLiteral("--season"))) {
        league.field(QStringLiteral("SS")).setInteger(firstYear);
        league.field(QStringLiteral("SE")).setInteger(lastYear);
    }
    league.post();
}

void runNew(const Arguments &a, Messenger &)
{
    const QString path = a.positional(0);
    int sport = -1;
    if (a.has(QStringLiteral("--sport"))) {
        sport = typedSportPosition(a.value(QStringLiteral("--sport")));
        if (sport < 0)
            throw QuorvaneError(QStringLiteral("No sport selected or invalid sport"));
    }
    int firstYear = 0, lastYear = 0;
    if (a.has(QStringLiteral("--season"))) {
        const QStringList years = a.values(QStringLiteral("--season"));
        firstYear = wholeNumber(years[0], Dates::FirstYear, Dates::LastYear,
                                QStringLiteral("The season's first year"));
        lastYear = wholeNumber(years[1], Dates::FirstYear, Dates::LastYear,
                               QStringLiteral("The season's last year"));
    }

    // A league with settings it refused is no use: it takes its place only with them.
    buildLeagueFile(path, ExistingFile::Refuse, [&](TDataMod &dm) {
        Transaction tx(dm.ADOConnection);
        setLeagueSettings(dm.ADOTableLeague, a, sport, firstYear, lastYear);
        tx.commit();
    });
}

// ---------------------------------------------------------------- add-match

// The stored spelling of a team name, or the name as given when the league has no such team.
QString storedSpelling(const QStringList &teams, const QString &name)
{
    const int i = TextCompare::indexOfNoCase(teams, name);
    return i < 0 ? name : teams[i];
}

// Adds the teams the league lacks as the team dialog adds them, or refuses the first one.
void provideTeams(TDataMod &dm, QStringList &teams, const QStringList &wanted, bool create)
{
    bool added = false;
    for (const QString &name : wanted) {
        if (TextCompare::containsNoCase(teams, name))
            continue;
        if (!create)
            throw QuorvaneError(
                QStringLiteral("The league has no team '%1'; add it first or use --create-teams.")
                    .arg(excerpt(name)));
        if (name.isEmpty())
            throw QuorvaneError(QStringLiteral("No team entered"));
        dm.ADOTableTeams.appendRecord(newTeamValues(name, dm.ADOTableTeams.recordCount() + 1));
        teams << name;
        added = true;
    }
    if (added)
        RenumberInHomeOrder(dm);
}

void setScore(MatchEntryInput &in, const QString &text)
{
    static const QRegularExpression score(QStringLiteral("^(\\d{1,3}):(\\d{1,3})$"));
    const auto m = score.match(text);
    if (!m.hasMatch())
        throw QuorvaneError(
            QStringLiteral("'%1' is not a score written F:A, such as 2:1.").arg(excerpt(text)));
    in.homeScore = m.captured(1).toInt();
    in.awayScore = m.captured(2).toInt();
}

// Whether the dialog's field could have taken the text, key by key through its key filter.
bool typeable(const QString &text, int notation)
{
    QString typed;
    for (const QChar key : text) {
        if (!Odds::FilterOddsKey(notation, typed, static_cast<int>(typed.size()), key))
            return false;
        typed += key;
    }
    return true;
}

void runAddMatch(const Arguments &a, Messenger &messenger)
{
    for (const char *required : {"--home", "--away", "--date"})
        if (!a.has(QString::fromLatin1(required)))
            throw UsageError{QStringLiteral("add-match needs %1.").arg(QString::fromLatin1(required))};

    MatchEntryInput in;
    in.mode = MatchEntryMode::Add;
    in.home = a.value(QStringLiteral("--home"));
    in.away = a.value(QStringLiteral("--away"));
    const QDate date = dateOf(a.value(QStringLiteral("--date")));
    in.year = date.year();
    in.month = date.month();
    in.day = date.day();
    in.round = wholeNumber(a.value(QStringLiteral("--round"), QStringLiteral("1")), 1, CsvMatch::MaxRound,
                           QStringLiteral("The round"));
    in.matchKind = a.value(QStringLiteral("--type"), in.matchKind);
    if (a.has(QStringLiteral("--score")))
        setScore(in, a.value(QStringLiteral("--score")));
    in.overtime = a.has(QStringLiteral("--ot"));
    if (a.has(QStringLiteral("--odds"))) {
        const QStringList odds = a.values(QStringLiteral("--odds"));
        for (int i = 0; i < 3; ++i) {
            in.odds[i] = odds[i];
            in.oddsType[i] = Odds::DetectOddsType(odds[i]);
            if (!typeable(odds[i], in.oddsType[i]))
                throw QuorvaneError(Odds::invalidValueMessage(odds[i], in.oddsType[i]));
        }
    }
    if (a.has(QStringLiteral("--bookmakers"))) {
        const QStringList names = a.values(QStringLiteral("--bookmakers"));
        for (int i = 0; i < 3; ++i)
            in.bookmaker[i] = names[i];
    }

    // The dialog warns about a line it cannot read and stores the default; a command line that gave one
    // means it, so it is refused before anything is written.
    double line = 0;
    if (a.has(QStringLiteral("--line")) && (!typeable(a.value(QStringLiteral("--line")), Odds::Decimal) ||
                                            !tryRealArgument(a.value(QStringLiteral("--line")), &line)))
        throw QuorvaneError(QStringLiteral("Invalid Under/Over Value"));
    // One team in two spellings is still one team.
    if (TextCompare::equalNoCase(in.home, in.away))
        throw QuorvaneError(QStringLiteral("Home team cannot equal Away team"));

    TDataMod dm;
    // Adding a match reads no stored match: Results is opened without its rows.
    LeagueTables tables;
    tables.players = false;
    tables.resultsCondition = QStringLiteral("0");
    openLeagueFile(dm, a.positional(0), tables);
    in.underOver = a.has(QStringLiteral("--line")) ? inLocaleNotation(a.value(QStringLiteral("--line")))
                                                   : Numbers::formatGeneral(DefaultTotalLine(dm.sport()));
    Transaction tx(dm.ADOConnection); // new teams go again when the match is refused
    in.teamEntries = teamNames(dm.ADOTableTeams);
    in.home = storedSpelling(in.teamEntries, in.home);
    in.away = storedSpelling(in.teamEntries, in.away);
    provideTeams(dm, in.teamEntries, {in.home, in.away}, a.has(QStringLiteral("--create-teams")));
    if (!SaveMatch(dm, in, messenger))
        throw Abort();
    tx.commit();
}

// ---------------------------------------------------------------- import

void runImport(const Arguments &a, Messenger &messenger)
{
    TDataMod dm;
    LeagueTables tables;
    tables.players = false;
    tables.results = false;
    openLeagueFile(dm, a.positional(0), tables);
    const CsvSeason season =
        readResultsCsvFile(a.positional(1), a.value(QStringLiteral("--bookmaker"), QStringLiteral("best")));
    openResultsOfSeason(dm, season);
    const ImportSummary s = ImportResults(dm, season, messenger);
    if (s.added == 0 && s.updated == 0) {
        writeOut(QStringLiteral(
                     "Nothing imported: the league already holds all %1 matches of the file as they are.\n")
                     .arg(s.unchanged)
                     .toUtf8());
        return;
    }
    QString summary = QStringLiteral("%1 matches added, %2 updated, %3 unchanged; %4 new teams")
                          .arg(s.added)
                          .arg(s.updated)
                          .arg(s.unchanged)
                          .arg(s.teamsAdded);
    if (season.roundedPrices > 0)
        summary += QStringLiteral("; %1 prices rounded to two decimals").arg(season.roundedPrices);
    writeOut((summary + QStringLiteral(".\n")).toUtf8());
}

// ---------------------------------------------------------------- table, matches

int columnOf(const Grid &grid, const QString &name)
{
    return static_cast<int>(columnIndex(grid.columns, name));
}

void runTable(const Arguments &a, Messenger &)
{
    const QString which = a.positional(1, QStringLiteral("home"));
    TeamTable table;
    if (which == QLatin1String("home"))
        table = TeamTable::Home;
    else if (which == QLatin1String("away"))
        table = TeamTable::Away;
    else if (which == QLatin1String("overall"))
        table = TeamTable::Overall;
    else
        throw UsageError{
            QStringLiteral("The table must be home, away or overall, not '%1'.").arg(excerpt(which))};
    const OutputFormat format = formatOf(a);

    TDataMod dm;
    LeagueTables tables = LeagueTables::leagueRowOnly();
    tables.teams = true;
    // The standings were counted from the played matches.
    openLeagueFile(dm, a.positional(0), tables, PlayedRowsUse::Counted);
    dm.ADOTableTeams.setSort(defaultTeamSort(table));
    Grid grid = gridOf(dm.ADOTableTeams);
    // Pos as the view shows it: the place in this table's order (the file holds the places of the
    // table the program showed last).
    const int pos = columnOf(grid, QStringLiteral("Pos"));
    for (qsizetype r = 0; r < grid.rows.size(); ++r)
        grid.rows[r][pos] = QVariant(static_cast<double>(r + 1));
    writeOut(render(grid, format));
}

// The columns of Results as the file declares them, pictures left out, each quoted for SQL.
ColumnList shownColumns(Database &db, const QString &table, QStringList *quoted)
{
    ColumnList columns;
    for (const auto &[name, type] : db.tableColumns(table)) {
        const ColumnInfo info = ColumnInfo::fromDeclared(name, type);
        if (info.kind == ColumnKind::Blob)
            continue;
        columns << info;
        *quoted << quoteIdentifier(name);
    }
    return columns;
}

void runMatches(const Arguments &a, Messenger &)
{
    const bool played = a.has(QStringLiteral("--played"));
    const bool fixtures = a.has(QStringLiteral("--fixtures"));
    if (played && fixtures)
        throw UsageError{QStringLiteral("Give --played or --fixtures, not both.")};
    const OutputFormat format = formatOf(a);

    TDataMod dm;
    openLeagueFile(dm, a.positional(0), LeagueTables::leagueRowOnly());
    // Streamed from the file in date order (equal dates in stored order), never held whole.
    QStringList names;
    const ColumnList columns = shownColumns(dm.ADOConnection, QStringLiteral("Results"), &names);
    const QString where = played     ? QStringLiteral(" WHERE ") + MatchStore::playedCondition()
                          : fixtures ? QStringLiteral(" WHERE ") + MatchStore::fixtureCondition()
                                     : QString();
    QueryRows rows(dm.ADOConnection, columns,
                   QStringLiteral("SELECT %1 FROM Results%2 ORDER BY DateP, rowid")
                       .arg(names.join(QLatin1Char(',')), where));
    renderTo(rows, format, writeOut);
}

// ---------------------------------------------------------------- demo

void runDemo(const Arguments &a, Messenger &messenger)
{
    BuildDemoLeague(a.positional(0), messenger);
}

// ---------------------------------------------------------------- convert

// Converts a league file of the older layout, or one kept in an Access/Jet file, into a new league file.
void runConvert(const Arguments &a, Messenger &messenger)
{
    const QString target = a.positional(1);
    // Nobody is there to answer the overwrite question.
    if (QFileInfo::exists(target))
        throw QuorvaneError(QStringLiteral("%1 already exists; choose a new file for the converted league.")
                                .arg(QDir::toNativeSeparators(target)));
    if (ConvertLeagueFile(a.positional(0), target, messenger) != FileCommandResult::Done)
        throw Abort();
}

const QString kFormatUsage = QStringLiteral("[--format text|csv|json]");

// The sports new takes, wrapped as the usage text's lines are, a name never split.
QString sportsUsage()
{
    QStringList items = sportNames();
    items.last() += QStringLiteral(";");
    items.first().prepend(QStringLiteral("SPORT: "));
    for (const auto &[shortName, listName] : sportShortNames())
        items << shortName;
    items[sportNames().size()].prepend(QStringLiteral("or "));
    const QString indent(12, QLatin1Char(' '));
    QString text, line;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString item =
            items[i] +
            (i + 1 < items.size() && !items[i].endsWith(QLatin1Char(';')) ? QStringLiteral(",") : QString());
        if (!line.isEmpty() && indent.size() + line.size() + 1 + item.size() > 100) {
            text += indent + line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + item;
    }
    return text + indent + line;
}

} // namespace

const QList<Command> &commands()
{
    static const QList<Command> all =
        QList<Command>{
            {QStringLiteral("new"),
             QStringLiteral("new FILE [--sport SPORT] [--name TEXT] [--season SS SE]\n") + sportsUsage(),
             {{QStringLiteral("--sport"), 1}, {QStringLiteral("--name"), 1}, {QStringLiteral("--season"), 2}},
             1,
             1,
             runNew},
            {QStringLiteral("add-match"),
             QStringLiteral(
                 "add-match FILE --home H --away A --date YYYY-MM-DD [--round N] [--type TEXT]\n"
                 "            [--score F:A] [--ot] [--line L] [--odds O1 OX O2] [--bookmakers B1 BX B2]\n"
                 "            [--create-teams]"),
             {{QStringLiteral("--home"), 1},
              {QStringLiteral("--away"), 1},
              {QStringLiteral("--date"), 1},
              {QStringLiteral("--round"), 1},
              {QStringLiteral("--type"), 1},
              {QStringLiteral("--score"), 1},
              {QStringLiteral("--ot"), 0},
              {QStringLiteral("--line"), 1},
              {QStringLiteral("--odds"), 3},
              {QStringLiteral("--bookmakers"), 3},
              {QStringLiteral("--create-teams"), 0}},
             1,
             1,
             runAddMatch},
            {QStringLiteral("import"),
             QStringLiteral("import FILE CSV [--bookmaker PREFIX|best]"),
             {{QStringLiteral("--bookmaker"), 1}},
             2,
             2,
             runImport},
            {QStringLiteral("table"),
             QStringLiteral("table FILE [home|away|overall] ") + kFormatUsage,
             {{QStringLiteral("--format"), 1}},
             1,
             2,
             runTable},
            {QStringLiteral("matches"),
             QStringLiteral("matches FILE [--played|--fixtures] ") + kFormatUsage,
             {{QStringLiteral("--played"), 0},
              {QStringLiteral("--fixtures"), 0},
              {QStringLiteral("--format"), 1}},
             1,
             1,
             runMatches},
            {QStringLiteral("demo"), QStringLiteral("demo FILE"), {}, 1, 1, runDemo},
            {QStringLiteral("convert"), QStringLiteral("convert FILE NEWFILE"), {}, 2, 2, runConvert},
        } +
        predictionCommands() + analysisCommands() + outputCommands() + ticketCommands() + downloadCommands() +
        fixtureCommands() + teamCommands();
    return all;
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : commands())
        if (c.name == name)
            return &c;
    return nullptr;
}

QString usageText()
{
    QString text = QStringLiteral("Usage: quorvane-cli COMMAND FILE [arguments]\n\nCommands:\n");
    for (const Command &c : commands())
        text += QStringLiteral("  ") + c.usage + QLatin1Char('\n');
    return text;
}

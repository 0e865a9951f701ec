#include "cli/OutputCommands.h"

#include "cli/LeagueFile.h"
#include "cli/PdfOutput.h"
#include "output/DocumentWriters.h"
#include "output/ExportSource.h"
#include "output/MainReports.h"

#include "data/CrossTable.h"
#include "data/Errors.h"
#include "data/GridColumns.h"
#include "data/ResultsViews.h"
#include "data/StreakTable.h"
#include "data/TDataMod.h"
#include "data/TeamSort.h"
#include "data/TeamTables.h"

#include <QFileInfo>
#include <memory>

namespace
{
const QStringList kGrids = {QStringLiteral("home"),     QStringLiteral("away"),   QStringLiteral("overall"),
                            QStringLiteral("fixtures"), QStringLiteral("scores"), QStringLiteral("players"),
                            QStringLiteral("cross"),    QStringLiteral("streak")};
const QStringList kFormats = {QStringLiteral("csv"),  QStringLiteral("dif"),  QStringLiteral("xls"),
                              QStringLiteral("xlsx"), QStringLiteral("html"), QStringLiteral("rtf"),
                              QStringLiteral("slk"),  QStringLiteral("tab"),  QStringLiteral("txt"),
                              QStringLiteral("doc")};
const QStringList kReports = {QStringLiteral("team-stats"),  QStringLiteral("scores"),
                              QStringLiteral("fixtures"),    QStringLiteral("odds"),
                              QStringLiteral("predictions"), QStringLiteral("players"),
                              QStringLiteral("cross"),       QStringLiteral("streak")};

// The value of a required option, which must be one of the choices.
QString choiceOf(const Arguments &a, const QString &option, const QStringList &choices)
{
    const QString v = a.value(option);
    if (v.isEmpty())
        throw QuorvaneError(QStringLiteral("Give %1 %2.").arg(option, choices.join(QLatin1Char('|'))));
    if (!choices.contains(v))
        throw QuorvaneError(QStringLiteral("%1 must be one of %2, not '%3'.")
                                .arg(option, choices.join(QStringLiteral(", ")), v));
    return v;
}

QString requiredPath(const Arguments &a, const QString &option)
{
    const QString v = a.value(option);
    if (v.isEmpty())
        throw QuorvaneError(QStringLiteral("Give %1 with the file to write.").arg(option));
    return v;
}

void openLeague(TDataMod &dm, const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw QuorvaneError(QStringLiteral("The league file \"%1\" does not exist.").arg(path));
    openLeagueFile(dm, path);
}

// A team grid as the program shows it: "#" is the place in the shown order.
class TeamGridSource final : public ExportSource
{
public:
    TeamGridSource(const Dataset &teams, TeamTable table) : m_inner(teams, teamGridColumns(table)) {}
    int columnCount() const override { return m_inner.columnCount(); }
    QString columnTitle(int c) const override { return m_inner.columnTitle(c); }
    Qt::Alignment alignment(int c) const override { return m_inner.alignment(c); }
    int rowCount() const override { return m_inner.rowCount(); }
    ExportCell cell(int r, int c) const override
    {
        return c == 0 ? ExportCell::ofNumber(r + 1, QString::number(r + 1)) : m_inner.cell(r, c);
    }

private:
    DatasetExportSource m_inner;
};

TeamTable teamTableOf(const QString &grid)
{
    return grid == QLatin1String("home")   ? TeamTable::Home
           : grid == QLatin1String("away") ? TeamTable::Away
                                           : TeamTable::Overall;
}

QList<QStringList> crossCells(TDataMod &dm)
{
    return BuildCrossTable(readTeamNamesByName(dm.ADOConnection),
                           readGridMatches(dm, GridMatches::PlayedStored),
                           readGridMatches(dm, GridMatches::AllStored))
        .cells();
}

QList<QStringList> streakCells(TDataMod &dm)
{
    return BuildStreakTable(readTeamNamesByName(dm.ADOConnection), readMostMatchesPlayed(dm),
                            readGridMatches(dm, GridMatches::PlayedByDate))
        .cells();
}

// The grid as the main window shows it on opening the league: its default sort and filter.
std::unique_ptr<ExportSource> gridSource(TDataMod &dm, const QString &grid)
{
    if (grid == QLatin1String("home") || grid == QLatin1String("away") || grid == QLatin1String("overall")) {
        const TeamTable table = teamTableOf(grid);
        dm.ADOTableTeams.setSort(defaultTeamSort(table));
        return std::make_unique<TeamGridSource>(dm.ADOTableTeams, table);
    }
    if (grid == QLatin1String("fixtures")) {
        applyDefaultFixtureView(dm.ADOTableResults);
        return std::make_unique<DatasetExportSource>(dm.ADOTableResults,
                                                     matchGridColumns(MatchPage::Fixtures));
    }
    if (grid == QLatin1String("scores")) {
        applyDefaultScoreView(dm.ADOTableResults);
        return std::make_unique<DatasetExportSource>(dm.ADOTableResults, matchGridColumns(MatchPage::Scores));
    }
    if (grid == QLatin1String("players"))
        return std::make_unique<DatasetExportSource>(dm.ADOTablePlayers, playerGridColumns());
    return std::make_unique<TextExportSource>(grid == QLatin1String("cross") ? crossCells(dm)
                                                                             : streakCells(dm));
}

QString leagueNameOf(TDataMod &dm)
{
    dm.ADOTableLeague.first();
    return dm.ADOTableLeague.isEmpty() ? QString()
                                       : dm.ADOTableLeague.field(QStringLiteral("League")).asString();
}

PrintJob reportJob(TDataMod &dm, const QString &report)
{
    const QString league = leagueNameOf(dm);
    if (report == QLatin1String("team-stats")) {
        dm.ADOTableTeams.setSort(defaultTeamSort(TeamTable::Home));
        return teamStatsReport(dm.ADOTableTeams, league);
    }
    if (report == QLatin1String("scores")) {
        applyDefaultScoreView(dm.ADOTableResults);
        return matchReport(PrintChoice::Scores, dm.ADOTableResults, league);
    }
    if (report == QLatin1String("fixtures") || report == QLatin1String("odds") ||
        report == QLatin1String("predictions")) {
        applyDefaultFixtureView(dm.ADOTableResults);
        const PrintChoice choice = report == QLatin1String("fixtures") ? PrintChoice::Fixtures
                                   : report == QLatin1String("odds")   ? PrintChoice::Odds
                                                                       : PrintChoice::Predictions;
        return matchReport(choice, dm.ADOTableResults, league);
    }
    if (report == QLatin1String("players"))
        return playersReport(dm.ADOTablePlayers, league);
    if (report == QLatin1String("cross"))
        return gridTablePrintout(PrintChoice::CrossTable, crossCells(dm), league);
    return gridTablePrintout(PrintChoice::StreakTable, streakCells(dm), league);
}

void runExport(const Arguments &a, Messenger &)
{
    const QString grid = choiceOf(a, QStringLiteral("--grid"), kGrids);
    const QString format = choiceOf(a, QStringLiteral("--format"), kFormats);
    const QString out = requiredPath(a, QStringLiteral("--output"));
    TDataMod dm;
    openLeague(dm, a.positional(0));
    const std::unique_ptr<ExportSource> source = gridSource(dm, grid);
    ExportOptions options;
    options.title = leagueNameOf(dm);
    exportTableToFile(*source, *exportTypeOfExtension(format), out, options);
}

void runPrint(const Arguments &a, Messenger &)
{
    const QString report = choiceOf(a, QStringLiteral("--report"), kReports);
    const QString out = requiredPath(a, QStringLiteral("--pdf"));
    TDataMod dm;
    openLeague(dm, a.positional(0));
    writePdf({reportJob(dm, report)}, out);
}
} // namespace

QList<Command> outputCommands()
{
    return {
        {QStringLiteral("export"),
         QStringLiteral("export FILE --grid home|away|overall|fixtures|scores|players|cross|streak\n"
                        "            --format csv|dif|xls|xlsx|html|rtf|slk|tab|txt|doc --output OUT"),
         {{QStringLiteral("--grid"), 1}, {QStringLiteral("--format"), 1}, {QStringLiteral("--output"), 1}},
         1,
         1,
         runExport},
        {QStringLiteral("print"),
         QStringLiteral(
             "print FILE --report team-stats|scores|fixtures|odds|predictions|players|cross|streak\n"
             "            --pdf OUT.pdf"),
         {{QStringLiteral("--report"), 1}, {QStringLiteral("--pdf"), 1}},
         1,
         1,
         runPrint}};
}

bool commandNeedsGui(const QStringList &arguments)
{
    const QString name = arguments.value(0);
    return name == QLatin1String("print") ||
           (name == QLatin1String("tickets") && arguments.value(2) == QLatin1String("print"));
}

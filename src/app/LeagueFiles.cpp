#include "app/LeagueFiles.h"

#include "data/BusyCursor.h"
#include "data/LeagueDocument.h"
#include "data/PlayedRowsCheck.h"
#include "data/TDataMod.h"

using namespace FileSteps;

namespace
{

FileCommandOutcome outcome(TDataMod &dm, FileCommandResult result, bool leagueChanged)
{
    return {result, leagueChanged, ConnectedFileName(dm.ADOConnection)};
}

// The way for a new league file at path: the open league's own file is in use.
WayToFile leagueWay(TDataMod &dm, const QString &path, Messenger &messenger, Messenger::Buttons buttons)
{
    return makeWay(path, {ConnectedFileName(dm.ADOConnection)}, messenger, buttons);
}

} // namespace

FileCommandOutcome NewLeague(TDataMod &dm, const QString &path, Messenger &messenger)
{
    if (path.isEmpty())
        return outcome(dm, FileCommandResult::Cancelled, false);
    const WayToFile way = leagueWay(dm, path, messenger, Messenger::Buttons::YesNo);
    if (way.stop)
        return outcome(dm, *way.stop, false);

    LeagueDocument league(dm);
    const FileCommandResult result = runStep(messenger, [&] {
        newDocument(league, path, way.existing, [](const QString &file) { writeLeagueFile(file); });
    });
    return outcome(dm, result, result == FileCommandResult::Done || league.closed());
}

FileCommandOutcome OpenLeague(TDataMod &dm, const QString &path, Messenger &messenger, const ShowLeague &show)
{
    if (path.isEmpty())
        return outcome(dm, FileCommandResult::Cancelled, false);
    const bool wasOpen = dm.isLeagueOpen();
    bool failed = false;
    PlayedRowsReport rows;
    {
        BusyCursor busy;
        try {
            // Checked as part of opening: Results that cannot be read make the file one that does not open.
            LeagueDocument league(dm);
            switchDocument(league, path, [&](const QString &opened) {
                rows = checkPlayedRows(dm.ADOConnection);
                if (show)
                    show(opened);
            });
        } catch (const std::exception &) {
            failed = true;
        }
    }
    if (failed) {
        messenger.error(QStringLiteral("Error opening league file."));
        return outcome(dm, FileCommandResult::Refused, wasOpen);
    }
    // The league stays open, so that the rows can be mended in the Scores view.
    if (!rows.consistent())
        messenger.warning(playedRowsMessage(rows));
    return outcome(dm, FileCommandResult::Done, true);
}

FileCommandResult SaveLeague(TDataMod &dm, Messenger &messenger)
{
    if (!dm.isLeagueOpen())
        return FileCommandResult::Cancelled;
    LeagueDocument league(dm);
    return runStep(messenger, [&] { league.storePendingEdits(); });
}

FileCommandOutcome SaveLeagueAs(TDataMod &dm, const QString &path, Messenger &messenger)
{
    if (path.isEmpty() || !dm.isLeagueOpen())
        return outcome(dm, FileCommandResult::Cancelled, false);
    const WayToFile way = leagueWay(dm, path, messenger, Messenger::Buttons::YesNoCancel);
    if (way.stop)
        return outcome(dm, *way.stop, false);

    LeagueDocument league(dm);
    const FileCommandResult result = runStep(messenger, [&] { saveDocumentAs(league, path, way.existing); });
    return outcome(dm, result, result == FileCommandResult::Done || league.closed());
}

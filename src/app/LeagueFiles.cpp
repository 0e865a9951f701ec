#include "app/LeagueFiles.h"

#include "data/BusyCursor.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/PlayedRowsCheck.h"
#include "data/TDataMod.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

using namespace LeagueFileSteps;

namespace
{

FileCommandOutcome outcome(TDataMod &dm, FileCommandResult result, bool leagueChanged)
{
    return {result, leagueChanged, ConnectedFileName(dm.ADOConnection)};
}

// Makes way for a new file at path: refuses the open league's own file, asks before replacing another
// one and deletes it on Yes.  Returns how the command ends when it must stop here.
std::optional<FileCommandResult> makeWay(TDataMod &dm, const QString &path, Messenger &messenger,
                                         Messenger::Buttons buttons)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    if (sameFile(path, ConnectedFileName(dm.ADOConnection))) {
        warnInUse(messenger);
        return FileCommandResult::Refused;
    }
    if (!confirmOverwrite(messenger, buttons))
        return FileCommandResult::Cancelled;
    if (!QFile::remove(path)) {
        warnInUse(messenger);
        return FileCommandResult::Refused;
    }
    return std::nullopt;
}

// Opens the league at path again after a failed switch, and shows it; leaves no league open when even
// that fails (or when path is empty: there was none).
void reopen(TDataMod &dm, const QString &path, const ShowLeague &show)
{
    dm.closeLeague();
    if (path.isEmpty())
        return;
    try {
        dm.openLeague(path);
        if (show)
            show(ConnectedFileName(dm.ADOConnection));
    } catch (const std::exception &) {
        dm.closeLeague();
    }
}

// Closes the open league and opens the file at path in its place, showing it.  When either fails the
// league that was open before is opened and shown again, and the failure is passed on.
void switchLeague(TDataMod &dm, const QString &path, const ShowLeague &show)
{
    const QString previous = ConnectedFileName(dm.ADOConnection);
    dm.closeLeague();
    try {
        dm.openLeague(path);
        if (show)
            show(ConnectedFileName(dm.ADOConnection));
    } catch (...) {
        reopen(dm, previous, show);
        throw;
    }
}

void buildEmptyLeague(const QString &path)
{
    Database db;
    Table league(&db);
    CreateLeagueFile(db, league, path);
}

void postPendingEdits(TDataMod &dm)
{
    Transaction tx(dm.ADOConnection);
    for (Table *t : {&dm.ADOTableTeams, &dm.ADOTablePlayers})
        if (t->isActive() && !t->isEmpty())
            t->post();
    tx.commit();
}

void copyFile(const QString &source, const QString &target)
{
    QFile file(source);
    if (!file.copy(target))
        throw DatabaseError(
            QStringLiteral("Cannot copy the league file to '%1': %2").arg(target, file.errorString()));
}

} // namespace

FileCommandOutcome NewLeague(TDataMod &dm, const QString &path, Messenger &messenger)
{
    if (path.isEmpty())
        return outcome(dm, FileCommandResult::Cancelled, false);
    if (const auto stop = makeWay(dm, path, messenger, Messenger::Buttons::YesNo))
        return outcome(dm, *stop, false);

    QString failure;
    bool switched = false;
    {
        BusyCursor busy;
        try {
            // The open league stays open until the new file is whole, so a failure changes nothing.
            StagedFile staged(path);
            buildEmptyLeague(staged.path());
            staged.commit();
            switched = true;
            switchLeague(dm, path, {});
        } catch (const std::exception &e) {
            failure = messageOf(e);
        }
    }
    if (!failure.isEmpty()) {
        messenger.error(failure);
        return outcome(dm, FileCommandResult::Refused, switched);
    }
    return outcome(dm, FileCommandResult::Done, true);
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
            switchLeague(dm, path, [&](const QString &opened) {
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
    QString failure;
    {
        BusyCursor busy;
        try {
            postPendingEdits(dm);
        } catch (const std::exception &e) {
            failure = messageOf(e);
        }
    }
    if (!failure.isEmpty()) {
        messenger.error(failure);
        return FileCommandResult::Refused;
    }
    return FileCommandResult::Done;
}

FileCommandOutcome SaveLeagueAs(TDataMod &dm, const QString &path, Messenger &messenger)
{
    if (path.isEmpty() || !dm.isLeagueOpen())
        return outcome(dm, FileCommandResult::Cancelled, false);
    if (const auto stop = makeWay(dm, path, messenger, Messenger::Buttons::YesNoCancel))
        return outcome(dm, *stop, false);

    const QString source = ConnectedFileName(dm.ADOConnection);
    QString failure;
    bool closed = false;
    {
        BusyCursor busy;
        try {
            StagedFile staged(path);
            postPendingEdits(dm); // the copy holds what the window shows
            closed = true;
            dm.closeLeague(); // a closed file is complete on disk
            copyFile(source, staged.path());
            staged.commit();
            dm.openLeague(path);
        } catch (const std::exception &e) {
            failure = messageOf(e);
            if (closed)
                reopen(dm, source, {});
        }
    }
    if (!failure.isEmpty()) {
        messenger.error(failure);
        return outcome(dm, FileCommandResult::Refused, closed);
    }
    return outcome(dm, FileCommandResult::Done, true);
}

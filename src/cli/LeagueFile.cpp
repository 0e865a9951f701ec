#include "cli/LeagueFile.h"

#include "data/Errors.h"
#include "data/Messenger.h"
#include "data/PlayedRowsCheck.h"
#include "entry/AccessConversion.h"

#include <QDir>
#include <QRegularExpression>

namespace
{
// The path as a shell takes it back: in single quotes when it holds anything but plain characters.
QString shellWord(const QString &path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+,:=@%-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    return QLatin1Char('\'') + QString(path).replace(QLatin1Char('\''), QStringLiteral("'\\''")) +
           QLatin1Char('\'');
}
} // namespace

void refuseAccessFile(const QString &path)
{
    if (!AccessConversion::isAccessFile(path))
        return;
    const QString shown = QDir::toNativeSeparators(path);
    throw QuorvaneError(
        QStringLiteral("%1 is an Access database, not a league file; convert it into one first:\n"
                       "  quorvane-cli convert %2 NEWFILE.qvl")
            .arg(shown, shellWord(shown)));
}

void openLeagueFile(TDataMod &dm, const QString &path, const LeagueTables &tables, PlayedRowsUse use)
{
    refuseAccessFile(path);
    dm.openLeague(path, tables);
    const PlayedRowsReport rows = checkPlayedRows(dm.ADOConnection);
    if (rows.consistent())
        return;
    if (use == PlayedRowsUse::Counted)
        throw QuorvaneError(playedRowsMessage(rows));
    CollectingMessenger(true).warning(playedRowsMessage(rows)); // on stderr, as every message of ours
}

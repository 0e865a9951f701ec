#include "cli/DownloadCommands.h"

#include "cli/LeagueFile.h"
#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/Messenger.h"
#include "entry/ResultsImport.h"
#include "output/HttpFetch.h"
#include "output/LeagueDownload.h"
#include "output/SeasonDownload.h"
#include "output/ServerText.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace
{
void printLine(const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QUrl serverOf(const Arguments &a, const QString &fallback)
{
    const QString text = a.value(QStringLiteral("--server"), fallback);
    const QUrl base = LeagueDownload::baseUrl(text);
    if (!base.isValid())
        throw QuorvaneError(QStringLiteral("'%1' is not an http or https address.").arg(text));
    return base;
}

void runDownload(const Arguments &a, Messenger &messenger)
{
    if (!a.has(QStringLiteral("--server")) || !a.has(QStringLiteral("--to")))
        throw UsageError{QStringLiteral("download needs --server URL and --to DIR.")};
    const bool all = a.has(QStringLiteral("--all"));
    if (all == !a.positional().isEmpty())
        throw UsageError{QStringLiteral("Name the leagues to download, or give --all.")};
    const QUrl base = serverOf(a, QString());
    HttpFetch http;
    QStringList entries = a.positional();
    if (all) {
        QTemporaryDir listDir; // the command line keeps no list of its own
        LeagueDownload::LeagueList list;
        try {
            list = LeagueDownload::fetchList(http, base, listDir.filePath(QStringLiteral("leagues.txt")));
        } catch (const QuorvaneError &e) {
            throw QuorvaneError(QStringLiteral("Unable to download league list: %1").arg(e.message()));
        }
        if (!list.skipped.isEmpty())
            messenger.warning(LeagueDownload::skippedText(list.skipped));
        entries = list.names;
    }
    const QList<bool> ticked(entries.size(), true);
    LeagueDownload::RunCallbacks callbacks;
    // Names come from the server (or a script): printed escaped, they show and never act.
    callbacks.finished = [&entries, &messenger](int i, const LeagueDownload::FileOutcome &o) {
        printLine(ServerText::escaped(entries[i]));
        if (o.result == LeagueDownload::FileResult::Failed)
            messenger.error(QStringLiteral("%1: %2").arg(
                ServerText::escaped(excerpt(LeagueDownload::bareName(entries[i]))), o.reason));
    };
    if (!LeagueDownload::runDownloads(http, base, a.value(QStringLiteral("--to")), entries, ticked,
                                      callbacks))
        throw Abort();
}

void runPublish(const Arguments &a, Messenger &messenger)
{
    const LeagueDownload::PublishOutcome o = LeagueDownload::publish(a.positional(0));
    for (const QString &skipped : o.skipped)
        messenger.warning(QStringLiteral("Not listed: ") + skipped);
    printLine(QStringLiteral("%1 leagues listed in %2")
                  .arg(o.listed.size())
                  .arg(QDir::toNativeSeparators(
                      QDir(a.positional(0)).filePath(QStringLiteral("data/leagues.txt")))));
}

void runFetchSeason(const Arguments &a, Messenger &messenger)
{
    if (!a.has(QStringLiteral("--div")) || !a.has(QStringLiteral("--season")))
        throw UsageError{QStringLiteral("fetch-season needs --div CODE and --season YYYY-YYYY.")};
    const QString division = a.value(QStringLiteral("--div")).trimmed();
    if (!ServerText::acceptableName(division))
        throw QuorvaneError(
            QStringLiteral("'%1' is not a division code.").arg(ServerText::escaped(excerpt(division))));
    refuseAccessFile(a.positional(0)); // before anything is downloaded
    const int first = SeasonDownload::seasonFirstYear(a.value(QStringLiteral("--season")));
    if (first == 0)
        throw QuorvaneError(QStringLiteral("'%1' is not a season; write it like 2023-2024.")
                                .arg(a.value(QStringLiteral("--season"))));
    const QUrl base = serverOf(a, SeasonDownload::DefaultServer);
    HttpFetch http;
    const CsvSeason season = SeasonDownload::fetchSeason(
        http, base, division, first, a.value(QStringLiteral("--bookmaker"), QStringLiteral("best")));
    const ImportSummary s = SeasonDownload::importSeasonInto(a.positional(0), division, season, messenger);
    printLine(SeasonDownload::summaryText(division, first, s) + QLatin1Char('.'));
}
} // namespace

QList<Command> downloadCommands()
{
    return {
        {QStringLiteral("download"),
         QStringLiteral("download --server URL --to DIR [--all | NAME...]"),
         {{QStringLiteral("--server"), 1}, {QStringLiteral("--to"), 1}, {QStringLiteral("--all"), 0}},
         0,
         100000,
         runDownload},
        {QStringLiteral("publish"), QStringLiteral("publish DIR"), {}, 1, 1, runPublish},
        {QStringLiteral("fetch-season"),
         QStringLiteral(
             "fetch-season FILE --div E0 --season 2023-2024 [--server URL] [--bookmaker PREFIX|best]"),
         {{QStringLiteral("--div"), 1},
          {QStringLiteral("--season"), 1},
          {QStringLiteral("--server"), 1},
          {QStringLiteral("--bookmaker"), 1}},
         1,
         1,
         runFetchSeason},
    };
}

#pragma once
// Downloading league files from a data server: the list "data/leagues.txt" and the files
// "data/NAME.mdb" below one base address.  Every file comes into a temporary file in the target folder,
// is checked (its whole body within its limits, and that it is a league file) and only then replaces
// the old one, with the mode the user's umask gives new files, so a failed, cut-off, oversized, late or
// wrong download leaves the local file exactly as it was.  Only names that ServerText accepts become
// files.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <atomic>
#include <functional>

class HttpFetch;

namespace LeagueDownload
{
inline const QString OkMark = QStringLiteral(" ...OK");
inline const QString FailMark = QStringLiteral(" ...Fail");
// A league file the server published as an Access database, converted on its way in.
inline const QString ConvertedMark = QStringLiteral(" ...OK (converted from Access)");

// The base address with the final "/" that relative paths need; invalid when text is no http(s) address.
QUrl baseUrl(const QString &text);
QUrl listUrl(const QUrl &base);
QUrl leagueUrl(const QUrl &base, const QString &name);
// The entry text without the mark of an earlier run.
QString bareName(const QString &entry);

// Where the list is kept (data/leagues.txt under the program's folder) and the folder league files go
// to by default (the league folder Data/).
QString listPath();
QString defaultFolder();

// The lines of a list, exactly as written (no trimming, empty lines kept; the line break after the last
// line does not make another).  A byte-order mark that starts the text (as some editors write UTF-8)
// marks the encoding and is no part of the first name.
QStringList listLines(const QByteArray &bytes);

// A line of the list that cannot be a league's file name, and why.
struct SkippedName {
    QString name;
    QString why;
};
struct LeagueList {
    QStringList names; // the acceptable lines, in list order
    QList<SkippedName> skipped;
};

// Downloads the list to listFile (replacing it only when the download is complete and is a list) and
// returns its lines, the acceptable ones apart from the others.  Throws QuorvaneError with the reason
// when it fails ("The league list is larger than 1 MB.").
LeagueList fetchList(HttpFetch &http, const QUrl &base, const QString &listFile);
// The warning for skipped names, one line each, every name escaped:
// Skipped the league name "\x1b[31mRed": it holds the unprintable character U+001B.
// A long list of them ends after a few with how many more there are.
QString skippedText(const QList<SkippedName> &skipped);

// Whether path is a league file, by its content; the reason in *why when not.  An Access database
// holding a league counts: it is converted into a temporary file to see.
bool isLeagueFile(const QString &path, QString *why = nullptr);

enum class FileResult { Downloaded, UpToDate, Failed, Cancelled };
struct FileOutcome {
    FileResult result = FileResult::Failed;
    QString reason;         // why it failed
    bool converted = false; // the server sent an Access database, converted into a league file
};

// One league file: HEAD for its length and date; a local file not older than the server's copy (or any
// local file when the server gives no date) is up to date; otherwise GET into a temporary file, check
// it, and move it over the local one, dated with the server's date.  An Access database is converted
// into a league file first (checked the same way), so the local file is always one of ours.
// block(received, total) as in HttpFetch::get; returning false cancels and leaves the local file as it
// was.
FileOutcome fetchLeagueFile(HttpFetch &http, const QUrl &base, const QString &name, const QString &folder,
                            const std::function<bool(qint64, qint64)> &block = {});

struct RunCallbacks {
    std::function<void(int index)> starting;                      // the entry about to be fetched
    std::function<void(int index, const FileOutcome &)> finished; // its outcome
    std::function<void(qint64 received, qint64 total)> progress;  // per block
};

// Runs the ticked entries in order: strips every entry's old mark, fetches each ticked one and marks
// it (ConvertedMark for a converted Access file).  *cancel set (from a callback or a window) stops the run:
// the file in progress is abandoned (left as it was, its entry unmarked) and the entries after it are not
// touched.  Returns whether every ticked file came through.
bool runDownloads(HttpFetch &http, const QUrl &base, const QString &folder, QStringList &entries,
                  const QList<bool> &ticked, const RunCallbacks &callbacks = {},
                  const std::atomic<bool> *cancel = nullptr);

struct PublishOutcome {
    QStringList listed;  // league names written to the list
    QStringList skipped; // files of the folder that are no league files or have names no client takes,
                         // with the reason, escaped
};
// Writes DIR/data/leagues.txt naming every league file DIR/data/*.mdb (sorted by name), so that any
// static web server serving DIR is a data server.  Throws QuorvaneError when DIR/data is missing or the
// list cannot be written.
PublishOutcome publish(const QString &dir);
} // namespace LeagueDownload

#pragma once
// Several season files entered into the open league in one command: all are read before anything is
// written, and they go in oldest season first, by the dates they hold rather than by their names, so the
// standings grow in the order the matches were played.

#include "entry/ResultsImport.h"

#include <QList>
#include <QStringList>
#include <functional>

struct SeasonFile {
    QString path;
    CsvSeason season;
};

// Reads every file with the prices of bookmaker ("best" or a column code, as readResultsCsv takes it) and
// orders them by the first date each holds; files starting on the same date keep the order given.  A
// file that cannot be read stops it with its reason (named after the file when there are several).
QList<SeasonFile> readSeasonFiles(const QStringList &paths,
                                  const QString &bookmaker = QStringLiteral("best"));

// The bookmaker codes every one of the files has prices of, in the first file's column order: the
// choices that mean the same for all of them.
QStringList commonBookmakers(const QList<SeasonFile> &files);

// The matches of all the files together.
int matchCount(const QList<SeasonFile> &files);

// Enters the files in their order, each as ImportResults does, in one transaction: when a file is
// refused, nothing of any of them stays.  progress(done, total) counts the matches of all the files.
// The summary adds up the files'.
ImportSummary ImportSeasonFiles(TDataMod &dm, const QList<SeasonFile> &files, Messenger &messenger,
                                const std::function<void(int done, int total)> &progress = {});

// What the import did, one line: "380 matches added, 0 updated." for one file, "3 season files: 1140
// matches added, 0 updated." for several.
QString describeSeasonImport(const ImportSummary &summary, int files);

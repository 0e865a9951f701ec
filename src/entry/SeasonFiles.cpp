#include "entry/SeasonFiles.h"

#include "data/Database.h"
#include "data/TDataMod.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace
{

// A file's reason, named after the file when several are read, so the user knows which one to mend.
CsvImportError inFile(const CsvImportError &e, const QString &path, bool several)
{
    if (!several)
        return e;
    CsvImportError named(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), e.message()));
    named.line = e.line;
    return named;
}

QDate firstDate(const CsvSeason &season)
{
    QDate first;
    for (const CsvMatch &m : season.matches)
        if (m.date.isValid() && (!first.isValid() || m.date < first))
            first = m.date;
    return first;
}

} // namespace

QList<SeasonFile> readSeasonFiles(const QStringList &paths, const QString &bookmaker)
{
    QList<SeasonFile> files;
    for (const QString &path : paths) {
        try {
            files.append({path, readResultsCsvFile(path, bookmaker)});
        } catch (const CsvImportError &e) {
            throw inFile(e, path, paths.size() > 1);
        }
    }
    std::stable_sort(files.begin(), files.end(), [](const SeasonFile &a, const SeasonFile &b) {
        return firstDate(a.season) < firstDate(b.season);
    });
    return files;
}

QStringList commonBookmakers(const QList<SeasonFile> &files)
{
    if (files.isEmpty())
        return {};
    QStringList common = files.first().season.bookmakers;
    for (const SeasonFile &f : files)
        common.removeIf([&f](const QString &code) { return !f.season.bookmakers.contains(code); });
    return common;
}

int matchCount(const QList<SeasonFile> &files)
{
    int total = 0;
    for (const SeasonFile &f : files)
        total += static_cast<int>(f.season.matches.size());
    return total;
}

ImportSummary ImportSeasonFiles(TDataMod &dm, const QList<SeasonFile> &files, Messenger &messenger,
                                const std::function<void(int, int)> &progress)
{
    const int total = matchCount(files);
    ImportSummary sum;
    Transaction tx(dm.ADOConnection); // each file's own import is a part of this one
    int before = 0;
    for (const SeasonFile &f : files) {
        ImportSummary s;
        try {
            s = ImportResults(dm, f.season, messenger, [&](int done, int) {
                if (progress)
                    progress(before + done, total);
            });
        } catch (const CsvImportError &e) {
            throw inFile(e, f.path, files.size() > 1);
        }
        before += static_cast<int>(f.season.matches.size());
        sum.added += s.added;
        sum.updated += s.updated;
        sum.unchanged += s.unchanged;
        sum.teamsAdded += s.teamsAdded;
    }
    tx.commit();
    return sum;
}

QString describeSeasonImport(const ImportSummary &s, int files)
{
    const QString counts = QStringLiteral("%1 matches added, %2 updated.").arg(s.added).arg(s.updated);
    return files > 1 ? QStringLiteral("%1 season files: %2").arg(files).arg(counts) : counts;
}

#pragma once
// Season files of the public football results archive: BASE/mmz4281/YYZZ/DIV.csv (2023-2024 of the
// English Premier League is mmz4281/2324/E0.csv).  A season is downloaded like a league file (whole
// body or nothing), read as a season file, and only then entered into a league.

#include "entry/ResultsCsv.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

class HttpFetch;
class Messenger;
struct ImportSummary;

namespace SeasonDownload
{
inline const QString DefaultServer = QStringLiteral("https://www.football-data.co.uk/");

struct Division {
    QString code;
    QString name;
};
// The common division codes of the archive, in its order.
const QList<Division> &commonDivisions();

// The first year of a season written "2023-2024", "2023/24" or "2023"; 0 when it is none or when either
// of its years lies outside the years of dates.
int seasonFirstYear(const QString &text);
// "2023-2024" for 2023.
QString seasonText(int firstYear);
// "2324" for 2023; "9900" for 1999.
QString seasonCode(int firstYear);
QUrl seasonUrl(const QUrl &base, const QString &division, int firstYear);

// Downloads and reads one season; throws QuorvaneError with the reason (an unreachable server, a cut-off,
// oversized or late body, or a file that is no season file: "... is not a season file ...") and then
// nothing is entered.
CsvSeason fetchSeason(HttpFetch &http, const QUrl &base, const QString &division, int firstYear,
                      const QString &bookmaker, const std::function<bool(qint64, qint64)> &block = {});

// Enters a season into the league file at path, creating it as a soccer league named after the division
// when it does not exist.  One transaction: a refused row leaves the file as it was; a new league takes
// its place only with the season in it (see StagedFile), so a failure leaves none.
ImportSummary importSeasonInto(const QString &path, const QString &division, const CsvSeason &season,
                               Messenger &messenger);

// "E0 2023-2024: 380 matches added, 0 updated, 0 unchanged; 20 new teams"
QString summaryText(const QString &division, int firstYear, const ImportSummary &s);
} // namespace SeasonDownload

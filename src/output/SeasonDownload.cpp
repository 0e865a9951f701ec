#include "output/SeasonDownload.h"

#include "data/Dates.h"
#include "data/Errors.h"
#include "data/LeagueDocument.h"
#include "data/LeagueSettings.h"
#include "data/Messenger.h"
#include "data/Sports.h"
#include "data/TDataMod.h"
#include "entry/ResultsImport.h"
#include "output/HttpFetch.h"
#include "output/ServerText.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>

namespace SeasonDownload
{

const QList<Division> &commonDivisions()
{
    static const QList<Division> all = {
        {QStringLiteral("E0"), QStringLiteral("England Premier League")},
        {QStringLiteral("E1"), QStringLiteral("England Championship")},
        {QStringLiteral("E2"), QStringLiteral("England League 1")},
        {QStringLiteral("E3"), QStringLiteral("England League 2")},
        {QStringLiteral("EC"), QStringLiteral("England Conference")},
        {QStringLiteral("SC0"), QStringLiteral("Scotland Premiership")},
        {QStringLiteral("SC1"), QStringLiteral("Scotland Championship")},
        {QStringLiteral("SC2"), QStringLiteral("Scotland League 1")},
        {QStringLiteral("SC3"), QStringLiteral("Scotland League 2")},
        {QStringLiteral("D1"), QStringLiteral("Germany Bundesliga 1")},
        {QStringLiteral("D2"), QStringLiteral("Germany Bundesliga 2")},
        {QStringLiteral("I1"), QStringLiteral("Italy Serie A")},
        {QStringLiteral("I2"), QStringLiteral("Italy Serie B")},
        {QStringLiteral("SP1"), QStringLiteral("Spain La Liga")},
        {QStringLiteral("SP2"), QStringLiteral("Spain Segunda")},
        {QStringLiteral("F1"), QStringLiteral("France Ligue 1")},
        {QStringLiteral("F2"), QStringLiteral("France Ligue 2")},
        {QStringLiteral("N1"), QStringLiteral("Netherlands Eredivisie")},
        {QStringLiteral("B1"), QStringLiteral("Belgium First Division")},
        {QStringLiteral("P1"), QStringLiteral("Portugal Primeira Liga")},
        {QStringLiteral("T1"), QStringLiteral("Turkey Super Lig")},
        {QStringLiteral("G1"), QStringLiteral("Greece Super League")},
    };
    return all;
}

int seasonFirstYear(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{4})(?:[-/](\\d{2}|\\d{4}))?$"));
    const QRegularExpressionMatch m = re.match(text.trimmed());
    if (!m.hasMatch())
        return 0;
    const int first = m.captured(1).toInt();
    if (first < Dates::FirstYear || first + 1 > Dates::LastYear) // both years of the season are dates
        return 0;
    if (m.hasCaptured(2)) {
        const QString second = m.captured(2);
        const int expected = first + 1;
        if (second.size() == 4 ? second.toInt() != expected : second.toInt() != expected % 100)
            return 0;
    }
    return first;
}

QString seasonText(int firstYear)
{
    return QStringLiteral("%1-%2").arg(firstYear).arg(firstYear + 1);
}

QString seasonCode(int firstYear)
{
    return QStringLiteral("%1%2")
        .arg(firstYear % 100, 2, 10, QLatin1Char('0'))
        .arg((firstYear + 1) % 100, 2, 10, QLatin1Char('0'));
}

QUrl seasonUrl(const QUrl &base, const QString &division, int firstYear)
{
    const QByteArray file = QUrl::toPercentEncoding(division + QStringLiteral(".csv"));
    return base.resolved(QUrl(QStringLiteral("mmz4281/") + seasonCode(firstYear) + QLatin1Char('/') +
                                  QString::fromLatin1(file),
                              QUrl::StrictMode));
}

CsvSeason fetchSeason(HttpFetch &http, const QUrl &base, const QString &division, int firstYear,
                      const QString &bookmaker, const std::function<bool(qint64, qint64)> &block)
{
    const QUrl url = seasonUrl(base, division, firstYear);
    QBuffer body; // held whole, which the season file's limit keeps small
    body.open(QIODevice::WriteOnly);
    const HttpReply got = http.get(url, body, FetchBudget(DownloadLimits::Kind::Season), block);
    if (got.cancelled)
        throw Abort();
    if (!got.ok)
        throw QuorvaneError(QStringLiteral("%1 %2 could not be downloaded from %3: %4")
                                .arg(division, seasonText(firstYear), url.toString(), got.error));
    try {
        return readResultsCsv(body.data(), bookmaker);
    } catch (const CsvImportError &e) {
        throw QuorvaneError(QStringLiteral("%1 %2 is not a season file; nothing was imported. %3")
                                .arg(division, seasonText(firstYear), ServerText::escaped(e.message())));
    }
}

namespace
{
// A new soccer league named after the division.
void makeSoccerLeague(TDataMod &dm, const QString &division)
{
    LeagueSettings settings = ReadLeagueSettings(dm.ADOTableLeague);
    const QString sport = QStringLiteral("Football (Soccer)");
    CollectingMessenger quiet;
    ApplySportChoice(settings, sport, sportPosition(sport), quiet);
    settings.league = division;
    if (!SaveLeagueSettings(dm, settings, quiet))
        throw QuorvaneError(quiet.texts().join(QLatin1Char(' ')));
}

ImportSummary importInto(const QString &path, const CsvSeason &season, Messenger &messenger)
{
    TDataMod dm;
    LeagueTables tables;
    tables.players = false;
    tables.results = false;
    dm.openLeague(path, tables);
    openResultsOfSeason(dm, season);
    return ImportResults(dm, season, messenger);
}
} // namespace

ImportSummary importSeasonInto(const QString &path, const QString &division, const CsvSeason &season,
                               Messenger &messenger)
{
    if (QFile::exists(path))
        return importInto(path, season, messenger);
    // A new league that got nothing is no use: it takes its place only with the season in it.
    ImportSummary summary;
    buildFile(path, ExistingFile::Refuse, [&](const QString &file) {
        writeLeagueFile(file, [&](TDataMod &dm) { makeSoccerLeague(dm, division); });
        summary = importInto(file, season, messenger);
    });
    return summary;
}

QString summaryText(const QString &division, int firstYear, const ImportSummary &s)
{
    return QStringLiteral("%1 %2: %3 matches added, %4 updated, %5 unchanged; %6 new teams")
        .arg(division, seasonText(firstYear))
        .arg(s.added)
        .arg(s.updated)
        .arg(s.unchanged)
        .arg(s.teamsAdded);
}
} // namespace SeasonDownload

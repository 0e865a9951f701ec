#pragma once
// Reads a season file in the common football results CSV layout (Div, Date, HomeTeam, AwayTeam,
// FTHG, FTAG, ... and the bookmakers' 1X2 prices) into match records.  Pure parsing: nothing is
// written anywhere, so a file that stops on a bad row leaves no trace.

#include "data/Errors.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

struct CsvMatch {
    int line = 0; // physical line of the row, the header being line 1
    QDate date;
    QString home, away;  // trimmed
    bool played = false; // both scores present
    int homeGoals = -1, awayGoals = -1;
    int round = 1; // reconstructed match day, at most MaxRound
    // Home, draw and away odds as texts ready to store, "-" when there is no price ...
    QString odds[3] = {QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")};
    // ... and the prefix of the bookmaker that gave each, empty (not null) when none.
    QString bookmakers[3] = {QStringLiteral(""), QStringLiteral(""), QStringLiteral("")};
    // The closing prices of the same bookmakers (the highest of them for "best"), 0 when the file has none.
    double closing[3] = {0, 0, 0};

    static constexpr int MaxRound = 999;
};

struct CsvSeason {
    QStringList bookmakers;  // every bookmaker prefix of the file, in column order
    QList<CsvMatch> matches; // in file order, never empty
    int roundedPrices = 0;   // prices with more digits than the league stores, rounded to two decimals
};

// A file that cannot be imported.  Row problems carry the physical line and read
// "Line 12: the date '31/02/05' does not exist."; file-wide problems have line 0.
class CsvImportError : public QuorvaneError
{
public:
    using QuorvaneError::QuorvaneError;
    CsvImportError(int line, const QString &reason);

    int line = 0;
};

// The file is UTF-16 when it starts with a byte-order mark, otherwise UTF-8 with any stray byte read
// as Windows-1252 (Windows-1252 throughout when it has no multi-byte UTF-8 sequence).  Rows end in
// LF, CRLF or a lone CR; fields are separated by "," or, when that makes the header's Date column,
// by ";".  A price's decimal mark is "." or ",", whatever the separator.  A file without match rows
// is refused.
// bookmaker: "best" (per outcome the highest price of any bookmaker on the row) or one bookmaker's
// prefix, in its exact letter case.  Odds texts use the decimal separator of locale.
CsvSeason readResultsCsv(const QByteArray &bytes, const QString &bookmaker = QStringLiteral("best"),
                         const QLocale &locale = QLocale());
CsvSeason readResultsCsvFile(const QString &path, const QString &bookmaker = QStringLiteral("best"),
                             const QLocale &locale = QLocale());

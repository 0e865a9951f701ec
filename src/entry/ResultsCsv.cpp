#include "entry/ResultsCsv.h"

#include "data/Dates.h"
#include "data/Excerpt.h"
#include "data/LeagueSchema.h"
#include "data/Numbers.h"
#include "data/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <array>

CsvImportError::CsvImportError(int line, const QString &reason)
    : QuorvaneError(QStringLiteral("Line %1: %2").arg(line).arg(reason)), line(line)
{
}

namespace
{

const QString Best = QStringLiteral("best");

// --- Text ------------------------------------------------------------------------------------

// The length of the UTF-8 sequence at bytes[i], or 0 when none starts there (a stray byte, an
// overlong form, a surrogate or a code point past U+10FFFF).  *code receives the code point.
int utf8SequenceAt(const QByteArray &bytes, qsizetype i, char32_t *code)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes.at(k)); };
    const unsigned char lead = at(i);
    int length = 0;
    char32_t c = 0, least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char b = at(i + k);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    *code = c;
    return length;
}

// UTF-8 wherever the bytes form UTF-8 sequences, Windows-1252 for each stray byte between them:
// a UTF-8 file with one mistyped byte keeps its accented names.  A file without a single multi-byte
// sequence is Windows-1252 throughout, as old spreadsheets write it.
QString decodeUtf8OrWindows1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    bool multiByte = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        char32_t code = 0;
        const int length = b < 0x80 ? 0 : utf8SequenceAt(bytes, i, &code);
        if (b < 0x80) {
            text += QChar(char16_t(b));
            ++i;
        } else if (length > 0) {
            const char32_t one[1] = {code};
            text += QString::fromUcs4(one, 1);
            multiByte = true;
            i += length;
        } else {
            text += Windows1252::toChar(b);
            ++i;
        }
    }
    return multiByte ? text : Windows1252::decode(bytes);
}

// UTF-16 when a byte-order mark says so; otherwise UTF-8 mixed with stray Windows-1252 bytes.  A BOM
// goes first, so the first header name never carries it.
QString decodeText(QByteArray bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        QStringDecoder utf16(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                             QStringConverter::Flag::Stateless);
        return utf16.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return decodeUtf8OrWindows1252(bytes);
}

// Physical lines.  LF, CRLF and a lone CR (the line end of old Macintosh spreadsheets) each end a
// line; CRs right before an LF belong to that line end, so the CR CR LF of files saved twice through
// a text-mode writer reads as one.
QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            start = i + 1;
        } else if (c == QLatin1Char('\r')) {
            qsizetype end = i;
            while (end < n && text.at(end) == QLatin1Char('\r'))
                ++end;
            if (end < n && text.at(end) == QLatin1Char('\n')) {
                lines.append(text.mid(start, i - start));
                i = end;
                start = end + 1;
            } else {
                lines.append(text.mid(start, i - start));
                start = i + 1;
            }
        }
    }
    lines.append(text.mid(start));
    return lines;
}

// One line's fields: separated by `separator`; a field that starts with a double quote runs to the
// closing quote, with a doubled quote standing for one.  A row never spans lines.
QStringList splitFields(const QString &line, QChar separator)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    bool atFieldStart = true;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c != QLatin1Char('"')) {
                field += c;
            } else if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == separator) {
            fields.append(field);
            field.clear();
            atFieldStart = true;
            continue;
        } else if (c == QLatin1Char('"') && atFieldStart) {
            quoted = true;
        } else {
            field += c;
        }
        atFieldStart = false;
    }
    fields.append(field);
    return fields;
}

bool isBlankRow(const QStringList &fields)
{
    return std::all_of(fields.cbegin(), fields.cend(),
                       [](const QString &f) { return f.trimmed().isEmpty(); });
}

// A field of a row, trimmed; short rows simply lack their last fields.
QString fieldAt(const QStringList &fields, int column)
{
    return column >= 0 && column < fields.size() ? fields.at(column).trimmed() : QString();
}

// --- Header ----------------------------------------------------------------------------------

class Header
{
public:
    explicit Header(const QStringList &names)
    {
        for (int i = 0; i < names.size(); ++i) {
            const QString name = names.at(i).trimmed();
            m_names.append(name);
            if (!name.isEmpty() && !m_index.contains(name))
                m_index.insert(name, i); // the first of two equal names counts
        }
    }

    int column(const QString &name) const { return m_index.value(name, -1); }
    const QStringList &names() const { return m_names; }

    // The column of the first name that exists; CsvImportError naming the first when none does.
    int required(const QString &name, const QString &alternative = QString()) const
    {
        int c = column(name);
        if (c < 0 && !alternative.isEmpty())
            c = column(alternative);
        if (c < 0)
            throw CsvImportError(QStringLiteral("The file has no %1 column.").arg(name));
        return c;
    }

private:
    QStringList m_names;
    QHash<QString, int> m_index;
};

struct ResultColumns {
    int date, home, away, homeGoals, awayGoals;
};

// What a header without a date column shows, so that the user sees why the file was not understood.
QString describeHeader(const QString &line, const Header &header)
{
    const qsizetype count = header.names().size();
    const QString columns = count == 1 ? QStringLiteral("1 column") : QStringLiteral("%1 columns").arg(count);
    if (count == 1 && line.contains(QLatin1Char('\t')))
        return QStringLiteral(
                   "The file has no Date column: the header has %1; is the file separated by tabs?")
            .arg(columns);
    return QStringLiteral("The file has no Date column: the header has %1, '%2'.")
        .arg(columns, excerpt(line.trimmed()));
}

ResultColumns resultColumns(const Header &header, const QString &line)
{
    if (header.column(QStringLiteral("Date")) < 0)
        throw CsvImportError(describeHeader(line, header));
    return {header.required(QStringLiteral("Date")),
            header.required(QStringLiteral("HomeTeam"), QStringLiteral("Home")),
            header.required(QStringLiteral("AwayTeam"), QStringLiteral("Away")),
            header.required(QStringLiteral("FTHG"), QStringLiteral("HG")),
            header.required(QStringLiteral("FTAG"), QStringLiteral("AG"))};
}

// Commas, or the semicolons that spreadsheets of locales with a decimal comma write: whichever makes
// a Date column of the header.
QChar separatorOf(const QString &headerLine)
{
    const QChar semicolon = QLatin1Char(';');
    if (Header(splitFields(headerLine, QLatin1Char(','))).column(QStringLiteral("Date")) < 0 &&
        Header(splitFields(headerLine, semicolon)).column(QStringLiteral("Date")) >= 0)
        return semicolon;
    return QLatin1Char(',');
}

// A prefix P with all of PH, PD and PA: a bookmaker, a market aggregate or a closing price.
struct PriceColumns {
    QString prefix;
    std::array<int, 3> columns; // home, draw, away
};

QList<PriceColumns> priceColumns(const Header &header)
{
    QList<PriceColumns> found;
    QSet<QString> known;
    for (const QString &name : header.names()) {
        if (name.size() < 2 || !name.endsWith(QLatin1Char('H')))
            continue;
        const QString prefix = name.chopped(1);
        const std::array<int, 3> columns = {header.column(name), header.column(prefix + QLatin1Char('D')),
                                            header.column(prefix + QLatin1Char('A'))};
        const bool complete = std::none_of(columns.cbegin(), columns.cend(), [](int c) { return c < 0; });
        if (complete && !known.contains(prefix)) {
            known.insert(prefix);
            found.append({prefix, columns});
        }
    }
    // Equal prices go to the bookmaker whose columns come first: order by the first of its three.
    const auto first = [](const PriceColumns &p) {
        return *std::min_element(p.columns.cbegin(), p.columns.cend());
    };
    std::stable_sort(found.begin(), found.end(),
                     [&](const PriceColumns &a, const PriceColumns &b) { return first(a) < first(b); });
    return found;
}

// The price sets that belong to single bookmakers: neither market aggregates nor closing prices
// (a prefix ending in C whose prefix without it has prices of its own: PSC, B365C, VCC, MaxC;
// VC itself stays a bookmaker unless the file also has V prices).
QList<PriceColumns> bookmakerColumns(const QList<PriceColumns> &all)
{
    static const QSet<QString> aggregates = {QStringLiteral("Max"),  QStringLiteral("Avg"),
                                             QStringLiteral("BbMx"), QStringLiteral("BbAv"),
                                             QStringLiteral("MaxC"), QStringLiteral("AvgC")};
    QSet<QString> prefixes;
    for (const PriceColumns &p : all)
        prefixes.insert(p.prefix);
    QList<PriceColumns> bookmakers;
    for (const PriceColumns &p : all) {
        const bool closing = p.prefix.size() > 1 && p.prefix.endsWith(QLatin1Char('C')) &&
                             prefixes.contains(p.prefix.chopped(1));
        if (!aggregates.contains(p.prefix) && !closing)
            bookmakers.append(p);
    }
    return bookmakers;
}

QStringList prefixesOf(const QList<PriceColumns> &columns)
{
    QStringList prefixes;
    for (const PriceColumns &p : columns)
        prefixes.append(p.prefix);
    return prefixes;
}

// The bookmakers whose prices the import takes: all of them for "best", else the one named.
QList<PriceColumns> chosenColumns(const QList<PriceColumns> &bookmakers, const QString &choice)
{
    if (choice == Best)
        return bookmakers;
    for (const PriceColumns &p : bookmakers) {
        if (p.prefix == choice)
            return {p};
    }
    const QString found =
        bookmakers.isEmpty()
            ? QStringLiteral("it has no bookmaker prices")
            : QStringLiteral("its bookmakers are %1").arg(prefixesOf(bookmakers).join(QStringLiteral(", ")));
    throw CsvImportError(QStringLiteral("The file has no bookmaker '%1'; %2.").arg(excerpt(choice), found));
}

// The closing prices of the chosen bookmakers (prefix + "C": B365CH, PSCH, ...).  A file whose chosen
// bookmakers have none may still have the market's best closing price (MaxCH), which "best" then takes.
QList<PriceColumns> closingColumns(const QList<PriceColumns> &all, const QList<PriceColumns> &chosen,
                                   const QString &choice)
{
    // Looked up by prefix, so that a header of many bookmakers costs one pass, not one pass per bookmaker.
    QHash<QString, const PriceColumns *> byPrefix;
    byPrefix.reserve(all.size());
    for (const PriceColumns &p : all)
        if (!byPrefix.contains(p.prefix))
            byPrefix.insert(p.prefix, &p); // the first of a prefix, as a scan from the front finds
    const auto find = [&byPrefix](const QString &prefix) { return byPrefix.value(prefix, nullptr); };
    QList<PriceColumns> closing;
    for (const PriceColumns &p : chosen)
        if (const PriceColumns *c = find(p.prefix + QLatin1Char('C')))
            closing.append(*c);
    if (closing.isEmpty() && choice == Best)
        if (const PriceColumns *c = find(QStringLiteral("MaxC")))
            closing.append(*c);
    return closing;
}

// --- Rows ------------------------------------------------------------------------------------

// dd/mm/yy or dd/mm/yyyy; two-digit years 00-49 are 20yy, 50-99 are 19yy (Dates::fullYear).
QDate readDate(const QString &text, int line)
{
    if (text.isEmpty())
        throw CsvImportError(line, QStringLiteral("no date."));
    static const QRegularExpression dmy(QStringLiteral("^([0-9]{1,2})/([0-9]{1,2})/([0-9]{2}|[0-9]{4})$"));
    const auto m = dmy.match(text);
    if (!m.hasMatch())
        throw CsvImportError(
            line, QStringLiteral("the date '%1' is not written dd/mm/yy or dd/mm/yyyy.").arg(excerpt(text)));
    int year = m.captured(3).toInt();
    if (m.capturedLength(3) == 2)
        year = Dates::fullYear(year);
    if (year < Dates::FirstYear || year > Dates::LastYear)
        throw CsvImportError(line, QStringLiteral("the year of '%1' lies outside %2 to %3.")
                                       .arg(text)
                                       .arg(Dates::FirstYear)
                                       .arg(Dates::LastYear));
    try {
        return Dates::encode(year, m.captured(2).toInt(), m.captured(1).toInt());
    } catch (const DateError &) {
        throw CsvImportError(line, QStringLiteral("the date '%1' does not exist.").arg(excerpt(text)));
    }
}

int readGoals(const QString &text, int line)
{
    int goals = 0;
    if (!Numbers::tryParseInt(text, &goals))
        throw CsvImportError(line,
                             QStringLiteral("the score '%1' is not a whole number.").arg(excerpt(text)));
    if (goals < 0)
        throw CsvImportError(line, QStringLiteral("the score '%1' is below 0.").arg(excerpt(text)));
    return goals;
}

void readScores(CsvMatch &match, const QString &home, const QString &away)
{
    if (home.isEmpty() && away.isEmpty())
        return; // a fixture
    if (home.isEmpty() || away.isEmpty())
        throw CsvImportError(match.line, home.isEmpty() ? QStringLiteral("the home score is missing.")
                                                        : QStringLiteral("the away score is missing."));
    match.homeGoals = readGoals(home, match.line);
    match.awayGoals = readGoals(away, match.line);
    match.played = true;
}

// How the league stores odds texts.
struct StoredOdds {
    QChar separator;    // of the locale the odds texts are stored for
    int width;          // the longest odds text the league stores
    int *roundedPrices; // counts the prices stored rounded
};

// The position of a price's decimal mark, "." or ",", or -1 when it has none.  A file separated by ";"
// may come from a spreadsheet of a decimal-comma locale or from a script that writes "."; a price never
// has group separators, so either mark is the decimal mark.
qsizetype decimalMarkAt(const QString &text)
{
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    return point >= 0 ? point : text.indexOf(QLatin1Char(','));
}

// A price as the file writes it: digits with at most one decimal mark and above 0.  Anything else
// (empty, text, a sign, an exponent, two marks) is no price.
bool readPrice(const QString &text, double *price)
{
    static const QRegularExpression decimal(QStringLiteral("^([0-9]+[.,]?[0-9]*|[.,][0-9]+)$"));
    if (!decimal.match(text).hasMatch())
        return false;
    *price = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(); // C notation
    return *price > 0;
}

// The stored odds text reads back as the same decimal price: the file's digits with the locale's
// separator in place of the file's decimal mark, and a separator and "00" after a whole number, which
// would otherwise read as an American price.  A price with more digits than the column holds
// (1.909091) is stored rounded to two decimals; one that does not fit even then refuses the row.
QString oddsText(QString fileText, double price, const StoredOdds &numbers, int line)
{
    const qsizetype mark = decimalMarkAt(fileText);
    QString text = mark >= 0 ? fileText.replace(mark, 1, numbers.separator)
                             : fileText + numbers.separator + QStringLiteral("00");
    if (text.size() <= numbers.width)
        return text;
    text = QString::number(Numbers::round2(price), 'f', 2).replace(QLatin1Char('.'), numbers.separator);
    if (text.size() > numbers.width)
        throw CsvImportError(line, QStringLiteral("the price '%1' is too large.").arg(excerpt(fileText)));
    ++*numbers.roundedPrices;
    return text;
}

// Per outcome the highest price among the given bookmakers, the first of equal ones.
void takeOdds(CsvMatch &match, const QStringList &fields, const QList<PriceColumns> &bookmakers,
              const StoredOdds &numbers)
{
    for (int outcome = 0; outcome < 3; ++outcome) {
        double best = 0;
        const PriceColumns *from = nullptr;
        QString text;
        for (const PriceColumns &p : bookmakers) {
            const QString candidate = fieldAt(fields, p.columns[outcome]);
            double price = 0;
            if (readPrice(candidate, &price) && (!from || price > best)) {
                best = price;
                from = &p;
                text = candidate;
            }
        }
        if (from) {
            match.odds[outcome] = oddsText(text, best, numbers, match.line);
            match.bookmakers[outcome] = from->prefix;
        }
    }
}

// Per outcome the highest closing price among the given columns; a field that is no price is none.
void takeClosing(CsvMatch &match, const QStringList &fields, const QList<PriceColumns> &closing)
{
    for (int outcome = 0; outcome < 3; ++outcome) {
        for (const PriceColumns &p : closing) {
            double price = 0;
            if (readPrice(fieldAt(fields, p.columns[outcome]), &price))
                match.closing[outcome] = std::max(match.closing[outcome], price);
        }
    }
}

// Match days: a row's round is one more than the rows either of its teams had before it, so that a
// double round robin gets rounds 1 to 2(n-1) and a postponed match a round near its place in the
// schedule, not a new round of its own.
class MatchDays
{
public:
    int place(const QString &home, const QString &away)
    {
        const QString h = home.toCaseFolded();
        const QString a = away.toCaseFolded();
        const int round = std::max(m_rows.value(h), m_rows.value(a)) + 1;
        ++m_rows[h];
        ++m_rows[a];
        return std::min(round, CsvMatch::MaxRound);
    }

private:
    QHash<QString, int> m_rows; // rows so far, by folded team name
};

} // namespace

CsvSeason readResultsCsv(const QByteArray &bytes, const QString &bookmaker, const QLocale &locale)
{
    const QString text = decodeText(bytes);
    if (text.trimmed().isEmpty())
        throw CsvImportError(QStringLiteral("The file is empty."));
    const QStringList lines = splitLines(text);
    const QChar fieldSeparator = separatorOf(lines.constFirst());
    const Header header(splitFields(lines.constFirst(), fieldSeparator));
    const ResultColumns columns = resultColumns(header, lines.constFirst());
    const QList<PriceColumns> allPrices = priceColumns(header);
    const QList<PriceColumns> bookmakers = bookmakerColumns(allPrices);
    const QList<PriceColumns> chosen = chosenColumns(bookmakers, bookmaker);
    const QList<PriceColumns> closing = closingColumns(allPrices, chosen, bookmaker);

    CsvSeason season;
    const ColumnList &stored = LeagueSchema::resultsColumns();
    const StoredOdds numbers = {Numbers::decimalSeparator(locale),
                                stored.at(columnIndex(stored, QStringLiteral("O1"))).width,
                                &season.roundedPrices};
    season.bookmakers = prefixesOf(bookmakers);
    MatchDays days;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList fields = splitFields(lines.at(i), fieldSeparator);
        if (isBlankRow(fields))
            continue;
        CsvMatch match;
        match.line = i + 1;
        match.date = readDate(fieldAt(fields, columns.date), match.line);
        match.home = fieldAt(fields, columns.home);
        match.away = fieldAt(fields, columns.away);
        if (match.home.isEmpty())
            throw CsvImportError(match.line, QStringLiteral("no home team."));
        if (match.away.isEmpty())
            throw CsvImportError(match.line, QStringLiteral("no away team."));
        readScores(match, fieldAt(fields, columns.homeGoals), fieldAt(fields, columns.awayGoals));
        takeOdds(match, fields, chosen, numbers);
        takeClosing(match, fields, closing);
        match.round = days.place(match.home, match.away);
        season.matches.append(match);
    }
    if (season.matches.isEmpty())
        throw CsvImportError(QStringLiteral("The file has no matches: every row after the header is blank."));
    return season;
}

CsvSeason readResultsCsvFile(const QString &path, const QString &bookmaker, const QLocale &locale)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CsvImportError(QStringLiteral("The file %1 cannot be read: %2.")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()));
    return readResultsCsv(file.readAll(), bookmaker, locale);
}

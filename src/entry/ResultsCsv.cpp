#include "entry/ResultsCsv.h"

#include "data/Dates.h"
#include "data/Numbers.h"

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

// Windows-1252 differs from Latin-1 only in 0x80-0x9F.  The five bytes Windows leaves undefined
// keep their C1 code points, as Windows itself decodes them.
QString decodeWindows1252(const QByteArray &bytes)
{
    static constexpr std::array<char16_t, 32> high = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        text[i] = (b >= 0x80 && b <= 0x9F) ? QChar(high[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

// UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252, which every byte sequence is.
// A BOM goes first, so the first header name never carries it.
QString decodeText(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? decodeWindows1252(bytes) : text;
}

// Physical lines.  Lines end in LF; every CR before it goes too, so CRLF and the CR CR LF of
// files saved twice through a text-mode writer read alike.
QStringList splitLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        while (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

// One line's fields: separated by commas; a field that starts with a double quote runs to the
// closing quote, with a doubled quote standing for one.  A row never spans lines.
QStringList splitFields(const QString &line)
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
        } else if (c == QLatin1Char(',')) {
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

ResultColumns resultColumns(const Header &header)
{
    return {header.required(QStringLiteral("Date")),
            header.required(QStringLiteral("HomeTeam"), QStringLiteral("Home")),
            header.required(QStringLiteral("AwayTeam"), QStringLiteral("Away")),
            header.required(QStringLiteral("FTHG"), QStringLiteral("HG")),
            header.required(QStringLiteral("FTAG"), QStringLiteral("AG"))};
}

// A prefix P with all of PH, PD and PA: a bookmaker, a market aggregate or a closing price.
struct PriceColumns {
    QString prefix;
    std::array<int, 3> columns; // home, draw, away
};

QList<PriceColumns> priceColumns(const Header &header)
{
    QList<PriceColumns> found;
    for (const QString &name : header.names()) {
        if (name.size() < 2 || !name.endsWith(QLatin1Char('H')))
            continue;
        const QString prefix = name.chopped(1);
        const std::array<int, 3> columns = {header.column(name), header.column(prefix + QLatin1Char('D')),
                                            header.column(prefix + QLatin1Char('A'))};
        const bool complete = std::none_of(columns.cbegin(), columns.cend(), [](int c) { return c < 0; });
        const bool known = std::any_of(found.cbegin(), found.cend(),
                                       [&](const PriceColumns &p) { return p.prefix == prefix; });
        if (complete && !known)
            found.append({prefix, columns});
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
    static const QSet<QString> aggregates = {QStringLiteral("Max"), QStringLiteral("Avg"),
                                             QStringLiteral("BbMx"), QStringLiteral("BbAv")};
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
    throw CsvImportError(QStringLiteral("The file has no bookmaker '%1'; %2.").arg(choice, found));
}

// --- Rows ------------------------------------------------------------------------------------

// dd/mm/yy or dd/mm/yyyy; two-digit years 00-49 are 20yy, 50-99 are 19yy.
QDate readDate(const QString &text, int line)
{
    if (text.isEmpty())
        throw CsvImportError(line, QStringLiteral("no date."));
    static const QRegularExpression dmy(QStringLiteral("^([0-9]{1,2})/([0-9]{1,2})/([0-9]{2}|[0-9]{4})$"));
    const auto m = dmy.match(text);
    if (!m.hasMatch())
        throw CsvImportError(
            line, QStringLiteral("the date '%1' is not written dd/mm/yy or dd/mm/yyyy.").arg(text));
    int year = m.captured(3).toInt();
    if (m.capturedLength(3) == 2)
        year += year < 50 ? 2000 : 1900;
    try {
        return Dates::encode(year, m.captured(2).toInt(), m.captured(1).toInt());
    } catch (const DateError &) {
        throw CsvImportError(line, QStringLiteral("the date '%1' does not exist.").arg(text));
    }
}

int readGoals(const QString &text, int line)
{
    int goals = 0;
    if (!Numbers::tryParseInt(text, &goals))
        throw CsvImportError(line, QStringLiteral("the score '%1' is not a whole number.").arg(text));
    if (goals < 0)
        throw CsvImportError(line, QStringLiteral("the score '%1' is below 0.").arg(text));
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

// A price as the file writes it: digits with at most one "." and above 0.  Anything else
// (empty, text, a sign, an exponent) is no price.
bool readPrice(const QString &text, double *price)
{
    static const QRegularExpression decimal(QStringLiteral("^([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    if (!decimal.match(text).hasMatch())
        return false;
    *price = text.toDouble(); // the C notation, whatever the locale
    return *price > 0;
}

// The stored odds text reads back as the same decimal price: the file's digits with the locale's
// separator, and a separator and "00" after a whole number, which would otherwise read as an
// American price.
QString oddsText(QString fileText, QChar separator)
{
    if (!fileText.contains(QLatin1Char('.')))
        return fileText + separator + QStringLiteral("00");
    return fileText.replace(QLatin1Char('.'), separator);
}

// Per outcome the highest price among the given bookmakers, the first of equal ones.
void takeOdds(CsvMatch &match, const QStringList &fields, const QList<PriceColumns> &bookmakers,
              QChar separator)
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
            match.odds[outcome] = oddsText(text, separator);
            match.bookmakers[outcome] = from->prefix;
        }
    }
}

// Match days: a new one begins at the first row with a team already seen in the current one.
class MatchDays
{
public:
    int place(const QString &home, const QString &away)
    {
        const QString h = home.toCaseFolded();
        const QString a = away.toCaseFolded();
        if (m_teams.contains(h) || m_teams.contains(a)) {
            ++m_round;
            m_teams.clear();
        }
        m_teams.insert(h);
        m_teams.insert(a);
        return std::min(m_round, CsvMatch::MaxRound);
    }

private:
    int m_round = 1;
    QSet<QString> m_teams;
};

} // namespace

CsvSeason readResultsCsv(const QByteArray &bytes, const QString &bookmaker, const QLocale &locale)
{
    const QString text = decodeText(bytes);
    if (text.trimmed().isEmpty())
        throw CsvImportError(QStringLiteral("The file is empty."));
    const QStringList lines = splitLines(text);
    const Header header(splitFields(lines.constFirst()));
    const ResultColumns columns = resultColumns(header);
    const QList<PriceColumns> bookmakers = bookmakerColumns(priceColumns(header));
    const QList<PriceColumns> chosen = chosenColumns(bookmakers, bookmaker);
    const QChar separator = Numbers::decimalSeparator(locale);

    CsvSeason season;
    season.bookmakers = prefixesOf(bookmakers);
    MatchDays days;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList fields = splitFields(lines.at(i));
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
        takeOdds(match, fields, chosen, separator);
        match.round = days.place(match.home, match.away);
        season.matches.append(match);
    }
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

#include "data/MatchStore.h"

#include "data/Database.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Numbers.h"

#include <QStringList>
#include <QVariantList>
#include <algorithm>
#include <climits>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <unordered_map>

namespace
{

// The columns read for each field, in the order of MatchField's bits.
const char *const kFieldColumns[] = {"ID",
                                     "Home, Away",
                                     "Result",
                                     "DateP",
                                     "Rnd",
                                     "MatchT, Season",
                                     "PtsH, PtsHT, PtsA, PtsAT",
                                     "TRH, TRHT, TRA, TRAT",
                                     "F, A",
                                     "HP, DP, AP, CF",
                                     "PResult, Ttl, Verdict, UOP",
                                     "UOV",
                                     "O1, OX, O2",
                                     "O1B, OXB, O2B",
                                     "Retrn"};
constexpr int kFieldCount = int(std::size(kFieldColumns));

QString textOf(sqlite3_stmt *st, int c)
{
    if (sqlite3_column_type(st, c) == SQLITE_TEXT)
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                 sqlite3_column_bytes(st, c));
    return columnValue(st, c).toString();
}

// As Numbers::wholeNumber reads the value.
int wholeOf(sqlite3_stmt *st, int c)
{
    switch (sqlite3_column_type(st, c)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
        return static_cast<int>(std::clamp<qint64>(sqlite3_column_int64(st, c), INT_MIN, INT_MAX));
    case SQLITE_FLOAT: {
        // Whole numbers, nearly all of them, need no rounding.
        const double d = sqlite3_column_double(st, c);
        if (d >= INT_MIN && d <= INT_MAX && d == static_cast<double>(static_cast<int>(d)))
            return static_cast<int>(d);
        return static_cast<int>(std::clamp<qint64>(Numbers::roundHalfEven(d), INT_MIN, INT_MAX));
    }
    default:
        return Numbers::wholeNumber(columnValue(st, c));
    }
}

// As QVariant::toDouble reads the value.
double realOf(sqlite3_stmt *st, int c)
{
    switch (sqlite3_column_type(st, c)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_column_double(st, c);
    default:
        return columnValue(st, c).toDouble();
    }
}

std::optional<double> numberOf(sqlite3_stmt *st, int c)
{
    if (sqlite3_column_type(st, c) == SQLITE_NULL)
        return std::nullopt;
    bool ok = false;
    const double d = columnValue(st, c).toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

// As Dates::fromStored reads the value; a plain ISO date without the text in between.
QDate dateOf(sqlite3_stmt *st, int c)
{
    const int type = sqlite3_column_type(st, c);
    if (type == SQLITE_NULL)
        return QDate();
    if (type == SQLITE_TEXT && sqlite3_column_bytes(st, c) == 10) {
        const auto *t = sqlite3_column_text(st, c);
        const bool plain = isDigit(t[0]) && isDigit(t[1]) && isDigit(t[2]) && isDigit(t[3]) && t[4] == '-' &&
                           isDigit(t[5]) && isDigit(t[6]) && t[7] == '-' && isDigit(t[8]) && isDigit(t[9]);
        if (plain && t[0] != '0') {
            const auto n = [t](int at, int digits) {
                int v = 0;
                for (int i = 0; i < digits; ++i)
                    v = v * 10 + (t[at + i] - '0');
                return v;
            };
            return QDate(n(0, 4), n(5, 2), n(8, 2));
        }
    }
    return Dates::fromStored(columnValue(st, c).toString());
}

// The texts that repeat from row to row (team names, results), each made once and then shared: a long
// scan then neither decodes nor allocates them again, and equal names share one copy.
class SharedTexts
{
public:
    QString of(sqlite3_stmt *st, int c)
    {
        if (sqlite3_column_type(st, c) != SQLITE_TEXT)
            return textOf(st, c);
        const std::string_view bytes(reinterpret_cast<const char *>(sqlite3_column_text(st, c)),
                                     static_cast<size_t>(sqlite3_column_bytes(st, c)));
        const auto it = m_texts.find(bytes);
        if (it != m_texts.end())
            return it->second;
        if (m_texts.size() >= kLimit) // a column of texts that do not repeat: keep the memory bounded
            m_texts.clear();
        const QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
        m_texts.emplace(std::string(bytes), text);
        return text;
    }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view v) const { return std::hash<std::string_view>()(v); }
    };
    static constexpr size_t kLimit = 20000;
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> m_texts;
};

// An owned prepared statement, finalised when it goes.
sqlite3_stmt *prepareOn(Database &league, const QString &sql)
{
    sqlite3_stmt *st = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(league.handle(), text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        league.fail();
    }
    return st;
}

void bindText(Database &league, sqlite3_stmt *st, int index, const QString &value)
{
    const QByteArray s = value.toUtf8();
    if (sqlite3_bind_text64(st, index, s.constData(), sqlite3_uint64(s.size()), SQLITE_TRANSIENT,
                            SQLITE_UTF8) != SQLITE_OK)
        league.fail();
}

} // namespace

namespace MatchStore
{

QString playedCondition()
{
    // length() of NULL is NULL: a row without a Result is no played match, as isPlayed says of an
    // empty text.
    return QStringLiteral("length(Result) > 1");
}

QString fixtureCondition()
{
    return QStringLiteral("NOT coalesce(%1, 0)").arg(playedCondition());
}

QString selectSql(const MatchSelection &s)
{
    QStringList columns{QStringLiteral("rowid")};
    for (int f = 0; f < kFieldCount; ++f)
        if (s.fields & (quint64(1) << f))
            columns << QString::fromLatin1(kFieldColumns[f]);
    QStringList where;
    int parameter = 0;
    if (s.which == MatchChoice::Played)
        where << playedCondition();
    else if (s.which == MatchChoice::Fixtures)
        where << fixtureCondition();
    if (s.predictedOnly)
        where << QStringLiteral("PResult <> ':'");
    if (s.from.isValid())
        where << QStringLiteral("DateP >= ?%1").arg(++parameter);
    if (s.to.isValid())
        where << QStringLiteral("DateP <= ?%1").arg(++parameter);
    if (s.team) {
        const int t = ++parameter;
        const QString home = QStringLiteral("Home = ?%1 COLLATE UNOCASE").arg(t);
        const QString away = QStringLiteral("Away = ?%1 COLLATE UNOCASE").arg(t);
        where << (s.side == TeamSide::Home   ? home
                  : s.side == TeamSide::Away ? away
                                             : QStringLiteral("(%1 OR %2)").arg(home, away));
    }
    QString sql = QStringLiteral("SELECT %1 FROM Results").arg(columns.join(QStringLiteral(", ")));
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    switch (s.order) {
    case MatchOrder::Stored:
        return sql + QStringLiteral(" ORDER BY rowid");
    case MatchOrder::ByDate:
        return sql + QStringLiteral(" ORDER BY DateP, rowid");
    case MatchOrder::NewestFirst:
        break;
    }
    return sql + QStringLiteral(" ORDER BY DateP DESC, rowid");
}

} // namespace MatchStore

struct MatchReader::Impl {
    Impl(Database &l, MatchFields f, sqlite3_stmt *s) : league(l), fields(f), st(s) {}
    ~Impl() { sqlite3_finalize(st); }
    Database &league;
    MatchFields fields;
    sqlite3_stmt *st;
    SharedTexts shared;
};

MatchReader::MatchReader(Database &league, const MatchSelection &s)
    : d(new Impl{league, s.fields, prepareOn(league, MatchStore::selectSql(s))})
{
    int parameter = 0;
    if (s.from.isValid())
        bindText(league, d->st, ++parameter, Dates::toStored(s.from));
    if (s.to.isValid())
        bindText(league, d->st, ++parameter, Dates::toStored(s.to));
    if (s.team)
        bindText(league, d->st, ++parameter, *s.team);
}

MatchReader::~MatchReader() = default;

bool MatchReader::next(Match &m)
{
    sqlite3_stmt *st = d->st;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        d->league.fail();
    int c = 0;
    m.rowid = sqlite3_column_int64(st, c++);
    const MatchFields f = d->fields;
    if (f & MatchId)
        m.id = wholeOf(st, c++);
    if (f & MatchTeams) {
        m.homeTeam = d->shared.of(st, c++);
        m.awayTeam = d->shared.of(st, c++);
    }
    if (f & MatchResult)
        m.result = d->shared.of(st, c++);
    if (f & MatchDate)
        m.date = dateOf(st, c++);
    if (f & MatchRound)
        m.round = wholeOf(st, c++);
    if (f & MatchKind) {
        m.matchType = textOf(st, c++);
        m.season = textOf(st, c++);
    }
    if (f & MatchPoints) {
        m.homePoints = wholeOf(st, c++);
        m.homeTotalPoints = wholeOf(st, c++);
        m.awayPoints = wholeOf(st, c++);
        m.awayTotalPoints = wholeOf(st, c++);
    }
    if (f & MatchRatings) {
        m.homeRating = wholeOf(st, c++);
        m.homeTotalRating = wholeOf(st, c++);
        m.awayRating = wholeOf(st, c++);
        m.awayTotalRating = wholeOf(st, c++);
    }
    if (f & MatchScores) {
        m.homeScore = wholeOf(st, c++);
        m.awayScore = wholeOf(st, c++);
    }
    if (f & MatchPercents) {
        m.prediction.homePercent = wholeOf(st, c++);
        m.prediction.drawPercent = wholeOf(st, c++);
        m.prediction.awayPercent = wholeOf(st, c++);
        m.prediction.confidence = wholeOf(st, c++);
    }
    if (f & MatchPredicted) {
        m.prediction.predictedScore = textOf(st, c++);
        m.prediction.predictedTotal = wholeOf(st, c++);
        m.prediction.verdict = textOf(st, c++);
        m.prediction.underOver = textOf(st, c++);
    }
    if (f & MatchLine)
        m.line = realOf(st, c++);
    if (f & MatchPrices) {
        m.homePrice = textOf(st, c++);
        m.drawPrice = textOf(st, c++);
        m.awayPrice = textOf(st, c++);
    }
    if (f & MatchBookmakers) {
        m.homeBookmaker = textOf(st, c++);
        m.drawBookmaker = textOf(st, c++);
        m.awayBookmaker = textOf(st, c++);
    }
    if (f & MatchReturn)
        m.arbitrageReturn = numberOf(st, c++);
    return true;
}

void forEachMatch(Database &league, const MatchSelection &selection,
                  const std::function<void(const Match &)> &visit)
{
    MatchReader reader(league, selection);
    Match m;
    while (reader.next(m))
        visit(m);
}

std::vector<Match> readMatches(Database &league, const MatchSelection &selection)
{
    MatchReader reader(league, selection);
    std::vector<Match> out;
    Match m;
    while (reader.next(m))
        out.push_back(m);
    return out;
}

MatchWriter::MatchWriter(Database &league)
    : m_league(league),
      m_update(prepareOn(league,
                         QStringLiteral("UPDATE Results SET HP = ?1, DP = ?2, AP = ?3, CF = ?4, "
                                        "Verdict = ?5, PResult = ?6, Ttl = ?7, UOP = ?8 WHERE rowid = ?9")))
{
}

MatchWriter::~MatchWriter()
{
    sqlite3_finalize(m_update);
}

void MatchWriter::writePrediction(qint64 rowid, const StoredPrediction &p)
{
    sqlite3_stmt *st = m_update;
    // The texts stay alive until the statement has run: bound without a copy.
    const QByteArray texts[] = {p.verdict.toUtf8(), p.predictedScore.toUtf8(), p.underOver.toUtf8()};
    const int textColumns[] = {5, 6, 8};
    for (int i = 0; i < 3; ++i)
        sqlite3_bind_text64(st, textColumns[i], texts[i].constData(), sqlite3_uint64(texts[i].size()),
                            SQLITE_STATIC, SQLITE_UTF8);
    sqlite3_bind_int64(st, 1, p.homePercent);
    sqlite3_bind_int64(st, 2, p.drawPercent);
    sqlite3_bind_int64(st, 3, p.awayPercent);
    sqlite3_bind_int64(st, 4, p.confidence);
    sqlite3_bind_int64(st, 7, p.predictedTotal);
    sqlite3_bind_int64(st, 9, rowid);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        m_league.fail();
}

#include "data/PlayedRowsCheck.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/MatchStore.h"
#include "data/Numbers.h"

#include <QHash>
#include <QMutex>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <optional>
#include <sqlite3.h>

namespace
{

// The columns of a played row that the computations read as whole numbers, after ID, Home, Away and
// Result in the query below, and last whether the two teams are one (UNOCASE is the program's own
// comparison ignoring letter case, made by the engine without building texts for every row).
const char *const kWholeNumberColumns[] = {"F",    "A",  "Rnd", "TRH", "TRHT", "TRA",
                                           "TRAT", "HP", "DP",  "AP",  "CF",   "Ttl"};
constexpr int kFirstNumber = 4;
constexpr int kSameTeam = kFirstNumber + int(std::size(kWholeNumberColumns));

QString playedRowsSql()
{
    QStringList numbers;
    for (const char *c : kWholeNumberColumns)
        numbers << QString::fromLatin1(c);
    // Every row not stored as a fixture, also those whose Result is too short to be a score: the scores
    // view shows them, so they can be mended there.  Names equal but for letter case have as many
    // characters (case folding maps one character to one), so only those are compared ignoring case.
    return QStringLiteral("SELECT ID, Home, Away, Result, %1, "
                          "CASE WHEN length(coalesce(Home, '')) = length(coalesce(Away, '')) "
                          "THEN coalesce(Home, '') = coalesce(Away, '') COLLATE UNOCASE ELSE 0 END "
                          "FROM Results WHERE Result <> ':' ORDER BY rowid")
        .arg(numbers.join(QStringLiteral(", ")));
}

// A number column's value as the computations read it; only a text can fail.  Numbers stored as numbers,
// nearly all of them, are read without building a value unless it is needed.
// The current row of the check's statement.
struct Row {
    sqlite3_stmt *st;
    QVariant value(int column) const { return columnValue(st, column); }
    bool holdsText(int column) const { return sqlite3_column_type(st, column) == SQLITE_TEXT; }
};

bool readsAsWholeNumber(const Row &st, int column, int *value)
{
    if (!st.holdsText(column) && !value)
        return true;
    int ignored = 0;
    return Numbers::tryWholeNumber(st.value(column), value ? value : &ignored);
}

QString quoted(const QVariant &value)
{
    return QLatin1Char('\'') + excerpt(value.toString()) + QLatin1Char('\'');
}

struct Score {
    int home = 0, away = 0;
};

// The digits of a score from pos on as a whole number (nothing when there are none, or too many for
// one); pos ends after them.
std::optional<int> digitsAt(const QString &text, qsizetype &pos)
{
    const qsizetype start = pos;
    qint64 v = 0;
    for (; pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128; ++pos) {
        v = v * 10 + (text[pos].unicode() - '0');
        if (v > INT_MAX)
            return std::nullopt;
    }
    if (pos == start)
        return std::nullopt;
    return static_cast<int>(v);
}

// The two numbers of "F:A" or "F:A OT"; nothing for any other text.
std::optional<Score> scoreOf(const QString &result)
{
    qsizetype pos = 0;
    const std::optional<int> home = digitsAt(result, pos);
    if (!home || pos >= result.size() || result[pos] != QLatin1Char(':'))
        return std::nullopt;
    ++pos;
    const std::optional<int> away = digitsAt(result, pos);
    if (!away)
        return std::nullopt;
    const QStringView rest = QStringView(result).mid(pos);
    if (!rest.isEmpty() && rest != QLatin1String(" OT"))
        return std::nullopt;
    return Score{*home, *away};
}

// A stored number as a whole number, as Numbers::wholeNumber reads it; nothing for a text or a blob.
std::optional<int> storedWholeNumber(sqlite3_stmt *st, int column)
{
    switch (sqlite3_column_type(st, column)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER:
        return static_cast<int>(std::clamp<qint64>(sqlite3_column_int64(st, column), INT_MIN, INT_MAX));
    case SQLITE_FLOAT:
        return static_cast<int>(
            std::clamp<qint64>(Numbers::roundHalfEven(sqlite3_column_double(st, column)), INT_MIN, INT_MAX));
    default:
        return std::nullopt;
    }
}

// The digits from pos on as a whole number (nothing when there are none, or too many for one).
std::optional<int> digitsIn(const unsigned char *text, int size, int &pos)
{
    const int start = pos;
    qint64 v = 0;
    for (; pos < size && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        v = v * 10 + (text[pos] - '0');
        if (v > INT_MAX)
            return std::nullopt;
    }
    if (pos == start)
        return std::nullopt;
    return static_cast<int>(v);
}

// Whether the row plainly adds up, read from the engine's values without making any of them a Qt value:
// numbers stored as numbers, a Result text that is the score of F and A, two teams.  Nearly every row
// is; the others are judged in full by problemOf.
bool plainlyFine(sqlite3_stmt *st)
{
    if (sqlite3_column_type(st, 0) == SQLITE_TEXT)
        return false;
    for (int c = kFirstNumber + 2; c < kSameTeam; ++c)
        if (sqlite3_column_type(st, c) == SQLITE_TEXT)
            return false;
    const std::optional<int> F = storedWholeNumber(st, kFirstNumber);
    const std::optional<int> A = storedWholeNumber(st, kFirstNumber + 1);
    if (!F || !A || sqlite3_column_type(st, 3) != SQLITE_TEXT || sqlite3_column_int(st, kSameTeam) != 0)
        return false;
    const unsigned char *result = sqlite3_column_text(st, 3);
    const int size = sqlite3_column_bytes(st, 3);
    int pos = 0;
    const std::optional<int> home = digitsIn(result, size, pos);
    if (!home || pos >= size || result[pos] != ':')
        return false;
    ++pos;
    const std::optional<int> away = digitsIn(result, size, pos);
    const bool rest = pos == size || (size - pos == 3 && std::memcmp(result + pos, " OT", 3) == 0);
    return away && rest && *home == *F && *away == *A;
}

// The row as the grid shows its ID: the whole number, or the stored text when it is none.
QString idOf(const QVariant &id)
{
    int v = 0;
    return Numbers::tryWholeNumber(id, &v) ? QString::number(v) : quoted(id);
}

// The first thing wrong with the row of the statement's current position; nothing when it adds up.
std::optional<PlayedRowProblem> problemOf(const Row &st)
{
    const auto problem = [&st](const QString &column, const QVariant &value, const QString &reason) {
        return PlayedRowProblem{idOf(st.value(0)), column, quoted(value), reason};
    };
    const QString unread = QStringLiteral("is not a valid integer value");
    if (!readsAsWholeNumber(st, 0, nullptr))
        return problem(QStringLiteral("ID"), st.value(0), unread);
    int F = 0, A = 0;
    for (int c = 0; c < int(std::size(kWholeNumberColumns)); ++c) {
        int *wanted = c == 0 ? &F : c == 1 ? &A : nullptr;
        if (!readsAsWholeNumber(st, kFirstNumber + c, wanted))
            return problem(QString::fromLatin1(kWholeNumberColumns[c]), st.value(kFirstNumber + c), unread);
    }

    const QString result = st.value(3).toString();
    const std::optional<Score> score = scoreOf(result);
    if (!score)
        return problem(QStringLiteral("Result"), result,
                       QStringLiteral("is not a score such as 2:1 or 3:2 OT"));
    if (score->home != F || score->away != A)
        return problem(QStringLiteral("Result"), result,
                       QStringLiteral("does not agree with F %1 and A %2").arg(F).arg(A));

    if (st.value(kSameTeam).toBool())
        return problem(QStringLiteral("Away"), st.value(2), QStringLiteral("is the home team as well"));
    return std::nullopt;
}

PlayedRowsReport scanPlayedRows(Database &league)
{
    PlayedRowsReport report;
    static const QByteArray sql = playedRowsSql().toUtf8();
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(league.handle(), sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        league.fail();
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> owned(st, sqlite3_finalize);
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        ++report.rows;
        if (plainlyFine(st))
            continue;
        const std::optional<PlayedRowProblem> problem = problemOf(Row{st});
        if (!problem)
            continue;
        ++report.faulty;
        if (report.shown.size() < PlayedRowsReport::kShown)
            report.shown << *problem;
    }
    if (rc != SQLITE_DONE)
        league.fail();
    return report;
}

// The last report of each open connection, good while the file holds what it held then: no row written
// on the connection since (its count of changes) and none by another program (the data version).  A
// command that checks on opening and again where it reads the matches then scans them once.  The
// entry goes when the connection closes (the engine drops the marker function it hangs on).
struct CheckedFile {
    qint64 dataVersion = 0;
    sqlite3_int64 changes = 0;
    PlayedRowsReport report;
};

QMutex g_checkedMutex;
QHash<sqlite3 *, CheckedFile> g_checked;

void forgetConnection(void *handle)
{
    const QMutexLocker lock(&g_checkedMutex);
    g_checked.remove(static_cast<sqlite3 *>(handle));
}

void unusedMarker(sqlite3_context *context, int, sqlite3_value **)
{
    sqlite3_result_null(context);
}

} // namespace

QString PlayedRowProblem::text() const
{
    return QStringLiteral("Results row ID %1, column %2: %3 %4").arg(id, column, value, reason);
}

PlayedRowsReport checkPlayedRows(Database &league)
{
    sqlite3 *handle = league.handle();
    const qint64 version = league.scalar(QStringLiteral("PRAGMA data_version")).toLongLong();
    const sqlite3_int64 changes = sqlite3_total_changes64(handle);
    {
        const QMutexLocker lock(&g_checkedMutex);
        const auto it = g_checked.constFind(handle);
        if (it != g_checked.cend() && it->dataVersion == version && it->changes == changes)
            return it->report;
    }
    const PlayedRowsReport report = scanPlayedRows(league);
    bool known = false;
    {
        const QMutexLocker lock(&g_checkedMutex);
        known = g_checked.contains(handle);
    }
    // The marker's destructor (which takes the lock) also runs when it cannot be made.
    if (!known && sqlite3_create_function_v2(handle, "quorvane_played_rows_checked", 0, SQLITE_UTF8, handle,
                                             unusedMarker, nullptr, nullptr, forgetConnection) != SQLITE_OK)
        return report; // not remembered: the next check scans again
    const QMutexLocker lock(&g_checkedMutex);
    g_checked.insert(handle, {version, changes, report});
    return report;
}

QString playedRowsMessage(const PlayedRowsReport &report)
{
    QStringList lines;
    lines << (report.faulty == 1 ? QStringLiteral("1 played match does not add up:")
                                 : QStringLiteral("%1 played matches do not add up:").arg(report.faulty));
    for (const PlayedRowProblem &p : report.shown)
        lines << p.text();
    if (report.faulty > report.shown.size())
        lines << QStringLiteral("and %1 more.").arg(report.faulty - report.shown.size());
    lines << QStringLiteral("Predictions, back-tests, the prediction history, calibration and the league "
                            "table refuse this league until these rows are mended in the Scores view.");
    return lines.join(QLatin1Char('\n'));
}

void requireConsistentPlayedRows(Database &league)
{
    const PlayedRowsReport report = checkPlayedRows(league);
    if (!report.consistent())
        throw QuorvaneError(playedRowsMessage(report));
}

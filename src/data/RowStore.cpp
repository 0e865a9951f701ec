#include "data/RowStore.h"

#include "data/Database.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <sqlite3.h>

namespace
{
// NULL among doubles: a NaN with a payload that no arithmetic makes; a double with these very bits
// sends the column to QVariants rather than read back as NULL.
constexpr quint64 kNullDoubleBits = 0x7ff8'5155'4f52'4e55ULL;
constexpr qint64 kNullInteger = std::numeric_limits<qint64>::min();
constexpr qint32 kNullWhole = std::numeric_limits<qint32>::min();
constexpr quint32 kNullText = 0;
constexpr quint32 kNullQString = 1;
constexpr quint32 kFirstText = 2;

double nullDouble()
{
    double d;
    std::memcpy(&d, &kNullDoubleBits, sizeof d);
    return d;
}

bool isNullDouble(double d)
{
    quint64 bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits == kNullDoubleBits;
}

bool isNullVariant(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

// A double that four bytes hold exactly (not -0, which reads back as 0 otherwise).
bool toWhole(double d, qint32 *whole)
{
    if (!(d > kNullWhole && d <= std::numeric_limits<qint32>::max()))
        return false;
    const auto w = static_cast<qint32>(d);
    if (static_cast<double>(w) != d || (w == 0 && std::signbit(d)))
        return false;
    *whole = w;
    return true;
}
} // namespace

void RowStore::reset(int columnCount)
{
    m_columns.clear();
    m_columns.resize(static_cast<size_t>(columnCount));
    m_rows = 0;
    m_reserved = 0;
}

void RowStore::reserve(size_t rows)
{
    m_reserved = rows;
    for (Column &c : m_columns) {
        switch (c.form) {
        case Form::Empty:
            break;
        case Form::WholeDoubles:
            c.wholes.reserve(rows);
            break;
        case Form::Doubles:
            c.doubles.reserve(rows);
            break;
        case Form::Integers:
            c.integers.reserve(rows);
            break;
        case Form::Texts:
            c.texts.reserve(rows);
            break;
        case Form::Variants:
            c.variants.reserve(rows);
            break;
        }
    }
}

void RowStore::pushNull(Column &c)
{
    switch (c.form) {
    case Form::Empty:
        break;
    case Form::WholeDoubles:
        c.wholes.push_back(kNullWhole);
        break;
    case Form::Doubles:
        c.doubles.push_back(nullDouble());
        break;
    case Form::Integers:
        c.integers.push_back(kNullInteger);
        break;
    case Form::Texts:
        c.texts.push_back(kNullText);
        break;
    case Form::Variants:
        c.variants.emplace_back();
        break;
    }
}

int RowStore::appendRow()
{
    for (Column &c : m_columns)
        pushNull(c);
    return static_cast<int>(m_rows++);
}

RowStore::Form RowStore::formFor(const QVariant &value)
{
    qint32 whole = 0;
    switch (value.typeId()) {
    case QMetaType::Double:
        return toWhole(value.toDouble(), &whole) ? Form::WholeDoubles : Form::Doubles;
    case QMetaType::LongLong:
        return Form::Integers;
    case QMetaType::QString:
        return Form::Texts;
    default:
        return Form::Variants;
    }
}

void RowStore::becomeForm(Column &c, Form form)
{
    // Only from Empty: every row so far is NULL.
    c.form = form;
    const size_t capacity = std::max(m_reserved, m_rows);
    switch (form) {
    case Form::Empty:
        break;
    case Form::WholeDoubles:
        c.wholes.reserve(capacity);
        c.wholes.assign(m_rows, kNullWhole);
        break;
    case Form::Doubles:
        c.doubles.reserve(capacity);
        c.doubles.assign(m_rows, nullDouble());
        break;
    case Form::Integers:
        c.integers.reserve(capacity);
        c.integers.assign(m_rows, kNullInteger);
        break;
    case Form::Texts:
        c.texts.reserve(capacity);
        c.texts.assign(m_rows, kNullText);
        break;
    case Form::Variants:
        c.variants.reserve(capacity);
        c.variants.assign(m_rows, QVariant());
        break;
    }
}

void RowStore::wholesToDoubles(Column &c)
{
    std::vector<double> values;
    values.reserve(std::max(m_reserved, c.wholes.size()));
    for (const qint32 w : c.wholes)
        values.push_back(w == kNullWhole ? nullDouble() : static_cast<double>(w));
    c.doubles = std::move(values);
    c.wholes = {};
    c.form = Form::Doubles;
}

void RowStore::makeVariants(Column &c)
{
    std::vector<QVariant> values;
    values.reserve(std::max(m_reserved, m_rows));
    for (size_t r = 0; r < m_rows; ++r)
        values.push_back(variantAt(c, r));
    c = Column();
    c.form = Form::Variants;
    c.variants = std::move(values);
}

quint32 RowStore::textId(Column &c, const QString &text)
{
    if (text.isNull())
        return kNullQString;
    const auto it = c.ids.constFind(text);
    if (it != c.ids.constEnd())
        return *it;
    const quint32 id = kFirstText + static_cast<quint32>(c.pool.size());
    c.pool.append(text);
    c.ids.insert(text, id);
    return id;
}

quint32 RowStore::utf8TextId(Column &c, const char *data, int size)
{
    const std::string_view bytes(data ? data : "", static_cast<size_t>(size));
    // Neighbouring rows often hold the same text (a date, a season): no lookup for those.
    if (c.lastId != 0 && bytes == std::string_view(c.lastBytes))
        return c.lastId;
    quint32 id = 0;
    const auto it = c.utf8Ids.find(bytes);
    if (it != c.utf8Ids.end()) {
        id = it->second;
    } else {
        id = textId(c, QString::fromUtf8(data, size));
        c.utf8Ids.emplace(std::string(bytes), id);
    }
    c.lastBytes.assign(bytes);
    c.lastId = id;
    return id;
}

void RowStore::set(int row, int column, const QVariant &value)
{
    Column &c = m_columns[static_cast<size_t>(column)];
    const auto r = static_cast<size_t>(row);
    if (isNullVariant(value)) {
        switch (c.form) {
        case Form::Empty:
            break;
        case Form::WholeDoubles:
            c.wholes[r] = kNullWhole;
            break;
        case Form::Doubles:
            c.doubles[r] = nullDouble();
            break;
        case Form::Integers:
            c.integers[r] = kNullInteger;
            break;
        case Form::Texts:
            c.texts[r] = kNullText;
            break;
        case Form::Variants:
            c.variants[r] = QVariant();
            break;
        }
        return;
    }
    const Form wanted = formFor(value);
    if (c.form == Form::Empty)
        becomeForm(c, wanted);
    if (c.form == Form::WholeDoubles && wanted == Form::Doubles)
        wholesToDoubles(c);
    const bool fits = c.form == wanted || (c.form == Form::Doubles && wanted == Form::WholeDoubles);
    if (!fits && c.form != Form::Variants)
        makeVariants(c);
    switch (c.form) {
    case Form::Empty:
        break;
    case Form::WholeDoubles: {
        qint32 w = 0;
        toWhole(value.toDouble(), &w);
        c.wholes[r] = w;
        break;
    }
    case Form::Doubles: {
        const double d = value.toDouble();
        if (isNullDouble(d)) {
            makeVariants(c);
            c.variants[r] = value;
        } else {
            c.doubles[r] = d;
        }
        break;
    }
    case Form::Integers: {
        const qint64 i = value.toLongLong();
        if (i == kNullInteger) {
            makeVariants(c);
            c.variants[r] = value;
        } else {
            c.integers[r] = i;
        }
        break;
    }
    case Form::Texts:
        c.texts[r] = textId(c, *static_cast<const QString *>(value.constData()));
        break;
    case Form::Variants:
        c.variants[r] = value;
        break;
    }
}

QVariant RowStore::variantAt(const Column &c, size_t r) const
{
    switch (c.form) {
    case Form::Empty:
        return QVariant();
    case Form::WholeDoubles: {
        const qint32 w = c.wholes[r];
        return w == kNullWhole ? QVariant() : QVariant(static_cast<double>(w));
    }
    case Form::Doubles: {
        const double d = c.doubles[r];
        return isNullDouble(d) ? QVariant() : QVariant(d);
    }
    case Form::Integers: {
        const qint64 i = c.integers[r];
        return i == kNullInteger ? QVariant() : QVariant(i);
    }
    case Form::Texts: {
        const quint32 id = c.texts[r];
        if (id == kNullText)
            return QVariant();
        if (id == kNullQString)
            return QVariant(QString());
        return QVariant(c.pool[id - kFirstText]);
    }
    case Form::Variants:
        return c.variants[r];
    }
    return QVariant();
}

QVariant RowStore::value(int row, int column) const
{
    return variantAt(m_columns[static_cast<size_t>(column)], static_cast<size_t>(row));
}

bool RowStore::isNull(int row, int column) const
{
    const Column &c = m_columns[static_cast<size_t>(column)];
    const auto r = static_cast<size_t>(row);
    switch (c.form) {
    case Form::Empty:
        return true;
    case Form::WholeDoubles:
        return c.wholes[r] == kNullWhole;
    case Form::Doubles:
        return isNullDouble(c.doubles[r]);
    case Form::Integers:
        return c.integers[r] == kNullInteger;
    case Form::Texts:
        return c.texts[r] == kNullText;
    case Form::Variants:
        return isNullVariant(c.variants[r]);
    }
    return true;
}

bool RowStore::number(int row, int column, double *value) const
{
    const Column &c = m_columns[static_cast<size_t>(column)];
    const auto r = static_cast<size_t>(row);
    switch (c.form) {
    case Form::WholeDoubles:
        if (c.wholes[r] == kNullWhole)
            return false;
        *value = c.wholes[r];
        return true;
    case Form::Doubles:
        if (isNullDouble(c.doubles[r]))
            return false;
        *value = c.doubles[r];
        return true;
    case Form::Integers:
        if (c.integers[r] == kNullInteger)
            return false;
        *value = static_cast<double>(c.integers[r]);
        return true;
    default:
        return false;
    }
}

QList<QVariant> RowStore::row(int row) const
{
    QList<QVariant> values;
    values.reserve(columnCount());
    for (const Column &c : m_columns)
        values << variantAt(c, static_cast<size_t>(row));
    return values;
}

void RowStore::setRow(int row, const QList<QVariant> &values)
{
    for (int c = 0; c < columnCount() && c < values.size(); ++c)
        set(row, c, values[c]);
}

void RowStore::appendFromStatement(sqlite3_stmt *stmt, int firstColumn)
{
    // Each cell that fits its column's form goes straight in; the others (the first value of a column,
    // a value of another type) go in as a NULL first and through set() once the row is complete.
    int later[64];
    int laterCount = 0;
    std::vector<int> more;
    for (int i = 0; i < columnCount(); ++i) {
        Column &c = m_columns[static_cast<size_t>(i)];
        const int at = firstColumn + i;
        bool done = false;
        switch (sqlite3_column_type(stmt, at)) {
        case SQLITE_FLOAT: {
            const double v = sqlite3_column_double(stmt, at);
            qint32 w = 0;
            if (c.form == Form::WholeDoubles && toWhole(v, &w)) {
                c.wholes.push_back(w);
                done = true;
            } else if (c.form == Form::Doubles && !isNullDouble(v)) {
                c.doubles.push_back(v);
                done = true;
            }
            break;
        }
        case SQLITE_INTEGER: {
            const qint64 v = sqlite3_column_int64(stmt, at);
            if (c.form == Form::Integers && v != kNullInteger) {
                c.integers.push_back(v);
                done = true;
            }
            break;
        }
        case SQLITE_TEXT:
            if (c.form == Form::Empty)
                becomeForm(c, Form::Texts);
            if (c.form == Form::Texts) {
                c.texts.push_back(utf8TextId(c, reinterpret_cast<const char *>(sqlite3_column_text(stmt, at)),
                                             sqlite3_column_bytes(stmt, at)));
                done = true;
            }
            break;
        case SQLITE_NULL:
            pushNull(c);
            done = true;
            break;
        default:
            break;
        }
        if (!done) {
            pushNull(c);
            if (laterCount < 64)
                later[laterCount++] = i;
            else
                more.push_back(i);
        }
    }
    const int row = static_cast<int>(m_rows++);
    for (int k = 0; k < laterCount; ++k)
        set(row, later[k], columnValue(stmt, firstColumn + later[k]));
    for (int i : more)
        set(row, i, columnValue(stmt, firstColumn + i));
}

void RowStore::finishLoading()
{
    for (Column &c : m_columns) {
        c.utf8Ids = {};
        c.lastBytes = {};
        c.lastId = 0;
    }
}

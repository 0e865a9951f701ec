#include "data/SortSpec.h"

#include "data/CellText.h"
#include "data/Errors.h"
#include "data/FilterExpression.h"
#include "data/TextCompare.h"

namespace
{

[[noreturn]] void fail(const QString &text, const QString &reason)
{
    throw DatabaseError(QStringLiteral("The sort order \"%1\" cannot be used: %2.").arg(text, reason));
}

// Order of two values that read (or not) as the same kind; one that does not read sorts like NULL.
template <typename T, typename Read> int compareRead(const QVariant &a, const QVariant &b, Read read)
{
    T x{}, y{};
    const bool hasX = read(a, &x);
    const bool hasY = read(b, &y);
    if (!hasX || !hasY)
        return int(hasX) - int(hasY);
    return x < y ? -1 : (y < x ? 1 : 0);
}

int compareValues(ColumnKind kind, const QVariant &a, const QVariant &b)
{
    switch (kind) {
    case ColumnKind::Text: {
        const bool hasA = !CellValue::isNull(a);
        const bool hasB = !CellValue::isNull(b);
        if (!hasA || !hasB)
            return int(hasA) - int(hasB);
        QString storageA, storageB;
        return TextCompare::compareNoCase(CellValue::toText(a, &storageA), CellValue::toText(b, &storageB));
    }
    case ColumnKind::Real:
        return compareRead<double>(a, b, CellValue::toReal);
    case ColumnKind::Date:
        return compareRead<int>(a, b, CellValue::toDateKey);
    case ColumnKind::Bit:
        return compareRead<bool>(a, b, CellValue::toBit);
    case ColumnKind::Blob:
        break;
    }
    return 0;
}

// A price's place in the order: 0 no value, 1 a text that is no decimal price, 2 a decimal price.
int priceClass(const QVariant &v, double *price)
{
    if (CellValue::isNull(v))
        return 0;
    const std::optional<double> p = decimalPrice(v);
    if (!p)
        return 1;
    *price = *p;
    return 2;
}

int comparePrices(const QVariant &a, const QVariant &b)
{
    double x = 0, y = 0;
    const int classA = priceClass(a, &x);
    const int classB = priceClass(b, &y);
    if (classA != classB)
        return classA - classB;
    if (classA == 1)
        return compareValues(ColumnKind::Text, a, b);
    return x < y ? -1 : (y < x ? 1 : 0);
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// One key: "Name", "Name ASC", "Name DESC" or the same with [Name].
SortKey parseKey(const QString &text, const QString &part, const ColumnList &columns)
{
    QString name;
    qsizetype end = 0;
    if (part.startsWith(QLatin1Char('['))) {
        end = part.indexOf(QLatin1Char(']'));
        if (end < 0)
            fail(text, QStringLiteral("a column name in brackets is not closed"));
        name = part.mid(1, end - 1).trimmed();
        ++end;
    } else {
        while (end < part.size() && isNameChar(part.at(end)))
            ++end;
        name = part.left(end);
    }
    if (name.isEmpty())
        fail(text, QStringLiteral("a column name is expected at \"%1\"").arg(part));
    const int column = columnIndex(columns, name);
    if (column < 0)
        fail(text, QStringLiteral("there is no column named %1").arg(name));

    const QString direction = part.mid(end).trimmed();
    const bool separated = end == part.size() || part.at(end).isSpace();
    if (direction.isEmpty() ||
        (separated && direction.compare(QLatin1String("ASC"), Qt::CaseInsensitive) == 0))
        return SortKey{column, false};
    if (separated && direction.compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0)
        return SortKey{column, true};
    fail(text, QStringLiteral("ASC or DESC is expected after %1 instead of \"%2\"").arg(name, direction));
}

} // namespace

SortSpec SortSpec::parse(const QString &text, const ColumnList &columns)
{
    SortSpec spec;
    if (text.trimmed().isEmpty())
        return spec;
    const QStringList parts = text.split(QLatin1Char(','));
    for (const QString &part : parts) {
        const QString key = part.trimmed();
        if (key.isEmpty())
            fail(text, QStringLiteral("a column name is missing between commas"));
        const SortKey k = parseKey(text, key, columns);
        spec.m_keys.append(k);
        spec.m_kinds.append(columns.at(k.column).kind);
        spec.m_prices.append(columns.at(k.column).kind == ColumnKind::Text &&
                             isPriceColumn(columns.at(k.column).name));
    }
    return spec;
}

bool SortSpec::isEmpty() const
{
    return m_keys.isEmpty();
}

const QList<SortKey> &SortSpec::keys() const
{
    return m_keys;
}

int SortSpec::compare(const QVariant *a, const QVariant *b) const
{
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        const SortKey &k = m_keys.at(i);
        const int order = m_prices.at(i) ? comparePrices(a[k.column], b[k.column])
                                         : compareValues(m_kinds.at(i), a[k.column], b[k.column]);
        if (order != 0)
            return k.descending ? -order : order;
    }
    return 0;
}

SortSpec::Prepared SortSpec::prepare(const std::vector<const QVariant *> &rows,
                                     const std::vector<int> &indices) const
{
    return prepare([&rows](int row, int column) { return rows[row][column]; }, rows.size(), indices);
}

SortSpec::Prepared SortSpec::prepare(const std::function<QVariant(int row, int column)> &cell,
                                     size_t rowCount, const std::vector<int> &indices) const
{
    Prepared p;
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        Prepared::Key key;
        key.kind = m_kinds.at(i);
        key.descending = m_keys.at(i).descending;
        key.price = m_prices.at(i);
        key.present.assign(rowCount, 0);
        if (key.price)
            key.number.assign(rowCount, 0.0);
        if (key.kind == ColumnKind::Text)
            key.text.resize(rowCount);
        else
            key.number.assign(rowCount, 0.0);
        const int column = m_keys.at(i).column;
        for (int r : indices) {
            const QVariant v = cell(r, column);
            if (key.price) {
                key.present[r] = static_cast<char>(priceClass(v, &key.number[r]));
                if (key.present[r] == 1) {
                    QString storage;
                    key.text[r] = CellValue::toText(v, &storage).toString();
                }
                continue;
            }
            switch (key.kind) {
            case ColumnKind::Text:
                if (!CellValue::isNull(v)) {
                    // A text cell shares its text rather than copy it for every row.
                    QString storage;
                    key.text[r] = v.typeId() == QMetaType::QString
                                      ? v.toString()
                                      : CellValue::toText(v, &storage).toString();
                    key.present[r] = 1;
                }
                break;
            case ColumnKind::Real: {
                double x = 0;
                key.present[r] = CellValue::toReal(v, &x);
                key.number[r] = x;
                break;
            }
            case ColumnKind::Date: {
                int x = 0;
                key.present[r] = CellValue::toDateKey(v, &x);
                key.number[r] = x;
                break;
            }
            case ColumnKind::Bit: {
                bool x = false;
                key.present[r] = CellValue::toBit(v, &x);
                key.number[r] = x ? 1 : 0;
                break;
            }
            case ColumnKind::Blob:
                break; // pictures never decide the order
            }
        }
        p.m_keys.push_back(std::move(key));
    }
    return p;
}

int SortSpec::Prepared::compare(int a, int b) const
{
    for (const Key &k : m_keys) {
        if (k.kind == ColumnKind::Blob)
            continue;
        int order = 0;
        if (k.price) {
            if (k.present[a] != k.present[b])
                order = int(k.present[a]) - int(k.present[b]);
            else if (k.present[a] == 1)
                order = TextCompare::compareNoCase(k.text[a], k.text[b]);
            else if (k.present[a] == 2)
                order = k.number[a] < k.number[b] ? -1 : (k.number[b] < k.number[a] ? 1 : 0);
        } else if (!k.present[a] || !k.present[b])
            order = int(k.present[a]) - int(k.present[b]);
        else if (k.kind == ColumnKind::Text)
            order = TextCompare::compareNoCase(k.text[a], k.text[b]);
        else
            order = k.number[a] < k.number[b] ? -1 : (k.number[b] < k.number[a] ? 1 : 0);
        if (order != 0)
            return k.descending ? -order : order;
    }
    return 0;
}

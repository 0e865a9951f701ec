#include "support/JetWriter.h"

#include "data/ColumnInfo.h"
#include "data/Database.h"
#include "data/Errors.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QtEndian>

#include <array>

namespace JetWriter
{

namespace
{

constexpr int kPage = 4096;       // Jet 4 page size
constexpr int kDataHeader = 14;   // data page: type, free space, owner, row count
constexpr int kColumnEntry = 25;  // one column's entry in a table definition
constexpr int kColumnsStart = 63; // where the column entries start (no indexes)
constexpr int kCatalogPage = 2;   // the catalogue's table definition, where readers look for it
constexpr int kMapPage = 3;       // usage maps of every table
constexpr quint8 kTypeBool = 0x01, kTypeInt = 0x03, kTypeLong = 0x04, kTypeDouble = 0x07, kTypeDate = 0x08,
                 kTypeText = 0x0a, kTypeOle = 0x0b;

void put16(QByteArray &b, int at, int v)
{
    qToLittleEndian<quint16>(quint16(v), b.data() + at);
}
void put32(QByteArray &b, int at, qint64 v)
{
    qToLittleEndian<quint32>(quint32(v), b.data() + at);
}
void append16(QByteArray &b, int v)
{
    b.append(2, '\0');
    put16(b, int(b.size()) - 2, v);
}

QByteArray ucs2(const QString &s)
{
    QByteArray out;
    for (const QChar c : s)
        append16(out, c.unicode());
    return out;
}

// The header page keeps its settings behind a fixed RC4 key; all-zero settings (no page encryption,
// no password) are the key stream itself.
QByteArray rc4Stream(int length)
{
    const std::array<quint8, 4> key = {0xc7, 0xda, 0x39, 0x6b};
    std::array<quint8, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[i] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % 4]) % 256;
        std::swap(s[i], s[j]);
    }
    QByteArray out(length, '\0');
    for (int n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) % 256;
        j = (j + s[i]) % 256;
        std::swap(s[i], s[j]);
        out[n] = char(s[(s[i] + s[j]) % 256]);
    }
    return out;
}

struct RawColumn {
    QString name;
    quint8 type;
    int size; // bytes: fixed size, or the most a variable value may take
    bool fixed;
};

struct RawTable {
    QString name;
    QList<RawColumn> columns;
    QList<QByteArray> rows; // packed
    int definitionPage = 0;
    QList<QList<int>> pages; // row numbers on each data page
    int firstDataPage = 0;
};

RawColumn rawOf(const Column &c)
{
    switch (c.type) {
    case Type::Text:
        return {c.name, kTypeText, c.width * 2, false};
    case Type::Long:
        return {c.name, kTypeLong, 4, true};
    case Type::Double:
        return {c.name, kTypeDouble, 8, true};
    case Type::Date:
        return {c.name, kTypeDate, 8, true};
    case Type::Bool:
        return {c.name, kTypeBool, 0, true};
    case Type::Binary:
        break;
    }
    return {c.name, kTypeOle, 0, false};
}

double dateValue(const QVariant &v)
{
    static const QDate epoch(1899, 12, 30);
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime t = v.toDateTime();
        return double(epoch.daysTo(t.date())) + t.time().msecsSinceStartOfDay() / 86400000.0;
    }
    const QDate d =
        v.typeId() == QMetaType::QDate ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
    if (!d.isValid())
        throw QuorvaneError(QStringLiteral("'%1' is not a date").arg(v.toString()));
    return double(epoch.daysTo(d));
}

// One row in the file's layout: the column count, the fixed-size values, the variable ones, the end of
// the data, the variable values' offsets (last column first) and their count, then the null mask, whose
// bit for a yes/no column is its value.
QByteArray packRow(const QList<RawColumn> &columns, const QVariantList &values)
{
    if (values.size() != columns.size())
        throw QuorvaneError(
            QStringLiteral("a row has %1 values for %2 columns").arg(values.size()).arg(columns.size()));
    int fixedSize = 0, varCount = 0;
    for (const RawColumn &c : columns) {
        if (c.fixed)
            fixedSize += c.size;
        else
            ++varCount;
    }
    QByteArray row;
    append16(row, int(columns.size()));
    row.append(fixedSize, '\0');
    QByteArray mask((columns.size() + 7) / 8, '\0');
    QList<int> offsets;
    int fixedAt = 2;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const RawColumn &c = columns[i];
        const QVariant &v = values[i];
        const bool empty = !v.isValid() || v.isNull();
        bool bit = !empty;
        if (c.fixed) {
            if (!empty) {
                switch (c.type) {
                case kTypeLong:
                    put32(row, fixedAt, v.toLongLong());
                    break;
                case kTypeInt:
                    put16(row, fixedAt, v.toInt());
                    break;
                case kTypeDouble:
                case kTypeDate: {
                    const double d = c.type == kTypeDate ? dateValue(v) : v.toDouble();
                    qToLittleEndian<double>(d, row.data() + fixedAt);
                    break;
                }
                case kTypeBool:
                    bit = v.toBool();
                    break;
                }
            }
            fixedAt += c.size;
        } else {
            offsets << int(row.size());
            if (!empty && c.type == kTypeOle)
                throw QuorvaneError(QStringLiteral("long binary values are not written"));
            if (!empty) {
                const QByteArray text = ucs2(v.toString());
                if (text.size() > c.size)
                    throw QuorvaneError(QStringLiteral("'%1' is too long for %2").arg(v.toString(), c.name));
                row += text;
            }
        }
        if (bit)
            mask[i / 8] = char(mask[i / 8] | (1 << (i % 8)));
    }
    if (varCount > 0) {
        append16(row, int(row.size())); // end of the variable data
        for (qsizetype i = offsets.size(); i > 0; --i)
            append16(row, offsets[i - 1]);
        append16(row, varCount);
    }
    return row + mask;
}

// Puts rows onto pages from the end of the page down, each page's row offsets after its header.
QList<QList<int>> layOut(const QList<QByteArray> &rows)
{
    QList<QList<int>> pages;
    int used = kPage; // a new page is started at once
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const int cost = int(rows[r].size()) + 2;
        if (cost + kDataHeader > kPage)
            throw QuorvaneError(QStringLiteral("a row of %1 bytes fits no page").arg(rows[r].size()));
        if (used + cost > kPage) {
            pages.append(QList<int>());
            used = kDataHeader;
        }
        pages.last() << int(r);
        used += cost;
    }
    return pages;
}

QByteArray rowsPage(const QList<QByteArray> &rows, quint8 type, int owner)
{
    QByteArray page(kPage, '\0');
    page[0] = char(type);
    page[1] = 0x01;
    put32(page, 4, owner);
    put16(page, 12, int(rows.size()));
    int end = kPage;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        end -= int(rows[i].size());
        page.replace(end, rows[i].size(), rows[i]);
        put16(page, kDataHeader + 2 * int(i), end);
    }
    put16(page, 2, end - (kDataHeader + 2 * int(rows.size())));
    return page;
}

// A table's definition page: counts, where its usage maps are, its column entries and their names.
QByteArray definitionPage(const RawTable &t, int mapRow)
{
    QByteArray page(kColumnsStart, '\0');
    page[0] = 0x02;
    page[1] = 0x01;
    put32(page, 16, t.rows.size());
    page[40] = 0x4e; // a user table
    int varCount = 0;
    for (const RawColumn &c : t.columns)
        varCount += c.fixed ? 0 : 1;
    put16(page, 41, int(t.columns.size()));
    put16(page, 43, varCount);
    put16(page, 45, int(t.columns.size()));
    put32(page, 55, (kMapPage << 8) | mapRow);       // the pages holding its rows
    put32(page, 59, (kMapPage << 8) | (mapRow + 1)); // and those with free space
    int fixedAt = 0, varIndex = 0;
    for (qsizetype i = 0; i < t.columns.size(); ++i) {
        const RawColumn &c = t.columns[i];
        QByteArray entry(kColumnEntry, '\0');
        entry[0] = char(c.type);
        put16(entry, 5, int(i));
        put16(entry, 7, c.fixed ? 0 : varIndex);
        put16(entry, 9, int(i));
        if (c.type == kTypeText)
            put16(entry, 11, 0x0409); // the sort order of the text
        entry[15] = char(c.fixed ? 0x03 : 0x02);
        put16(entry, 21, c.fixed ? fixedAt : 0);
        put16(entry, 23, c.size);
        page += entry;
        if (c.fixed)
            fixedAt += c.size;
        else
            ++varIndex;
    }
    for (const RawColumn &c : t.columns) {
        const QByteArray name = ucs2(c.name);
        append16(page, int(name.size()));
        page += name;
    }
    if (page.size() > kPage)
        throw QuorvaneError(QStringLiteral("the definition of %1 fits no page").arg(t.name));
    put32(page, 8, page.size());
    page.append(kPage - page.size(), '\0');
    return page;
}

// The usage map of a table: type 0, the first page it covers, one bit per page from there.
QByteArray usageMap(const RawTable &t)
{
    QByteArray map(5, '\0');
    put32(map, 1, t.firstDataPage);
    QByteArray bits(qMax<qsizetype>(1, (t.pages.size() + 7) / 8), '\0');
    for (qsizetype p = 0; p < t.pages.size(); ++p)
        bits[p / 8] = char(bits[p / 8] | (1 << (p % 8)));
    return map + bits;
}

QByteArray headerPage()
{
    QByteArray page(kPage, '\0');
    page[1] = 0x01;
    page.replace(4, 15, "Standard Jet DB");
    put32(page, 0x14, 1); // Jet 4
    page.replace(0x18, 128, rc4Stream(128));
    return page;
}

} // namespace

QString write(const QString &path, const QList<Table> &tables)
{
    try {
        RawTable catalog{QStringLiteral("MSysObjects"),
                         {{QStringLiteral("Id"), kTypeLong, 4, true},
                          {QStringLiteral("ParentId"), kTypeLong, 4, true},
                          {QStringLiteral("Name"), kTypeText, 256, false},
                          {QStringLiteral("Type"), kTypeInt, 2, true},
                          {QStringLiteral("Flags"), kTypeLong, 4, true},
                          {QStringLiteral("LvProp"), kTypeOle, 0, false}},
                         {},
                         kCatalogPage,
                         {},
                         0};
        QList<RawTable> user;
        int next = kMapPage + 1;
        for (const Table &t : tables) {
            RawTable raw{t.name, {}, {}, 0, {}, 0};
            for (const Column &c : t.columns)
                raw.columns << rawOf(c);
            for (const QVariantList &values : t.rows)
                raw.rows << packRow(raw.columns, values);
            raw.pages = layOut(raw.rows);
            raw.definitionPage = next++;
            raw.firstDataPage = next;
            next += int(raw.pages.size());
            user << raw;
        }
        for (const RawTable &t : std::as_const(user))
            catalog.rows << packRow(catalog.columns,
                                    {t.definitionPage, 0x0F000001, t.name, 1, 0, QVariant()});
        catalog.pages = layOut(catalog.rows);
        catalog.firstDataPage = next;

        QList<QByteArray> maps;
        QByteArray file = headerPage() + QByteArray(kPage, '\0');
        file += definitionPage(catalog, 0);
        maps << usageMap(catalog) << usageMap(catalog);
        QByteArray rest;
        for (qsizetype i = 0; i < user.size(); ++i) {
            const RawTable &t = user[i];
            rest += definitionPage(t, int(maps.size()));
            maps << usageMap(t) << usageMap(t);
            for (const QList<int> &rowsOnPage : t.pages) {
                QList<QByteArray> rows;
                for (const int r : rowsOnPage)
                    rows << t.rows[r];
                rest += rowsPage(rows, 0x01, t.definitionPage);
            }
        }
        for (const QList<int> &rowsOnPage : std::as_const(catalog.pages)) {
            QList<QByteArray> rows;
            for (const int r : rowsOnPage)
                rows << catalog.rows[r];
            rest += rowsPage(rows, 0x01, kCatalogPage);
        }
        file += rowsPage(maps, 0x01, 0) + rest;

        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
            return out.errorString();
        return QString();
    } catch (const QuorvaneError &e) {
        return e.message();
    }
}

QString writeCopyOf(const QString &databasePath, const QStringList &tables, const QString &jetPath)
{
    QList<Table> out;
    try {
        Database db;
        db.open(databasePath);
        for (const QString &name : tables) {
            Table t{name, {}, {}};
            QList<ColumnKind> kinds;
            for (const auto &[column, declared] : db.tableColumns(name)) {
                const ColumnInfo info = ColumnInfo::fromDeclared(column, declared);
                const Type type = info.kind == ColumnKind::Real   ? Type::Double
                                  : info.kind == ColumnKind::Date ? Type::Date
                                  : info.kind == ColumnKind::Bit  ? Type::Bool
                                  : info.kind == ColumnKind::Blob ? Type::Binary
                                                                  : Type::Text;
                t.columns << Column{column, type, info.width > 0 ? info.width : 255};
                kinds << info.kind;
            }
            Statement rows = db.prepare(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(name));
            while (rows.step()) {
                QVariantList values;
                for (int i = 0; i < rows.columnCount(); ++i)
                    values << (kinds.value(i) == ColumnKind::Blob ? QVariant() : rows.value(i));
                t.rows << values;
            }
            out << t;
        }
    } catch (const QuorvaneError &e) {
        return e.message();
    }
    return write(jetPath, out);
}

} // namespace JetWriter

#include "entry/jetreader/JetFile.h"

#include "data/Errors.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <clocale>
#include <locale.h>
#include <mdbtools.h>
#include <vector>

namespace
{

// libmdb formats numbers with the C library; while it reads, the decimal point is "." whatever the
// program's locale, so that the text it hands back reads as a number.
class CNumericLocale
{
public:
    CNumericLocale() : m_c(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr)))
    {
        if (m_c)
            m_previous = uselocale(m_c);
    }
    ~CNumericLocale()
    {
        if (m_c) {
            uselocale(m_previous);
            freelocale(m_c);
        }
    }
    CNumericLocale(const CNumericLocale &) = delete;
    CNumericLocale &operator=(const CNumericLocale &) = delete;

private:
    locale_t m_c;
    locale_t m_previous = LC_GLOBAL_LOCALE;
};

// The format libmdb writes dates and times in, and how they are read back.
const char *const kDateFormat = "%Y-%m-%d %H:%M:%S";
const QString kQtDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

SourceType typeOf(int mdbType)
{
    switch (mdbType) {
    case MDB_BOOL:
        return SourceType::Boolean;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return SourceType::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return SourceType::Real;
    case MDB_DATETIME:
        return SourceType::DateTime;
    case MDB_BINARY:
    case MDB_OLE:
        return SourceType::Binary;
    default: // text, memo, replication ids, attachments
        return SourceType::Text;
    }
}

QVariant valueOf(SourceType type, const char *text, int length)
{
    const QString s = QString::fromUtf8(text, length);
    switch (type) {
    case SourceType::Boolean:
        return QVariant(s != QLatin1String("0"));
    case SourceType::Integer: {
        bool ok = false;
        const qint64 v = s.toLongLong(&ok);
        return ok ? QVariant(v) : QVariant(s);
    }
    case SourceType::Real: {
        bool ok = false;
        const double v = s.toDouble(&ok);
        return ok ? QVariant(v) : QVariant(s);
    }
    case SourceType::DateTime: {
        const QDateTime d = QDateTime::fromString(s, kQtDateFormat);
        return d.isValid() ? QVariant(d) : QVariant(s);
    }
    case SourceType::Binary:
        return QByteArray(text, length);
    case SourceType::Text:
        break;
    }
    return s;
}

// A table definition that frees itself.
struct TableDef {
    MdbTableDef *def = nullptr;
    explicit TableDef(MdbCatalogEntry *entry) : def(mdb_read_table(entry))
    {
        if (def)
            mdb_read_columns(def);
    }
    ~TableDef()
    {
        if (def)
            mdb_free_tabledef(def);
    }
    TableDef(const TableDef &) = delete;
    TableDef &operator=(const TableDef &) = delete;
    MdbColumn *column(unsigned i) const
    {
        return static_cast<MdbColumn *>(g_ptr_array_index(def->columns, i));
    }
};

} // namespace

struct JetFile::Handle {
    MdbHandle *mdb = nullptr;
    QString path;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }

    MdbCatalogEntry *entry(const QString &table) const
    {
        for (guint i = 0; i < mdb->num_catalog; ++i) {
            auto *e = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
            if (e->object_type == MDB_TABLE && mdb_is_user_table(e) &&
                QString::fromUtf8(e->object_name).compare(table, Qt::CaseInsensitive) == 0)
                return e;
        }
        throw DatabaseError(QStringLiteral("The file %1 has no table %2.").arg(path, table));
    }
};

JetFile::JetFile(const QString &path) : m(std::make_unique<Handle>())
{
    m->path = QFileInfo(path).fileName();
    // libmdb reports a missing file on the terminal itself; this message is the one the user needs.
    if (!QFileInfo(path).isFile())
        throw DatabaseError(QStringLiteral("The file %1 does not exist.").arg(m->path));
    const QByteArray name = QFile::encodeName(path);
    CNumericLocale c;
    m->mdb = mdb_open(name.constData(), MDB_NOFLAGS);
    if (!m->mdb || !mdb_read_catalog(m->mdb, MDB_TABLE))
        throw DatabaseError(QStringLiteral("The file %1 cannot be read as an Access database.").arg(m->path));
    mdb_set_date_fmt(m->mdb, kDateFormat);
    mdb_set_shortdate_fmt(m->mdb, kDateFormat);
    mdb_set_boolean_fmt_numbers(m->mdb);
}

JetFile::~JetFile() = default;

QStringList JetFile::tables() const
{
    QStringList out;
    for (guint i = 0; i < m->mdb->num_catalog; ++i) {
        auto *e = static_cast<MdbCatalogEntry *>(g_ptr_array_index(m->mdb->catalog, i));
        if (e->object_type == MDB_TABLE && mdb_is_user_table(e))
            out << QString::fromUtf8(e->object_name);
    }
    return out;
}

QList<SourceColumn> JetFile::columns(const QString &table) const
{
    CNumericLocale c;
    const TableDef t(m->entry(table));
    if (!t.def)
        throw DatabaseError(QStringLiteral("The table %1 of %2 cannot be read.").arg(table, m->path));
    QList<SourceColumn> out;
    for (unsigned i = 0; i < t.def->num_cols; ++i)
        out << SourceColumn{QString::fromUtf8(t.column(i)->name), typeOf(t.column(i)->col_type)};
    return out;
}

QList<SourceRow> JetFile::rows(const QString &table) const
{
    CNumericLocale c;
    const TableDef t(m->entry(table));
    if (!t.def)
        throw DatabaseError(QStringLiteral("The table %1 of %2 cannot be read.").arg(table, m->path));
    const unsigned count = t.def->num_cols;
    const size_t bindSize = m->mdb->bind_size;
    std::vector<std::vector<char>> buffers(count, std::vector<char>(bindSize + 1));
    std::vector<int> lengths(count, 0);
    std::vector<SourceType> types(count);
    for (unsigned i = 0; i < count; ++i) {
        mdb_bind_column(t.def, int(i) + 1, buffers[i].data(), &lengths[i]);
        types[i] = typeOf(t.column(i)->col_type);
    }
    mdb_rewind_table(t.def);
    QList<SourceRow> out;
    while (mdb_fetch_row(t.def)) {
        SourceRow row;
        row.reserve(count);
        for (unsigned i = 0; i < count; ++i) {
            // An empty value and NULL both come back with length 0.
            if (lengths[i] <= 0) {
                row << QVariant();
            } else if (t.column(i)->col_type == MDB_OLE) {
                size_t size = 0;
                void *data = mdb_ole_read_full(m->mdb, t.column(i), &size);
                row << QByteArray(static_cast<const char *>(data), qsizetype(size));
                free(data);
            } else {
                row << valueOf(types[i], buffers[i].data(), lengths[i]);
            }
        }
        out << row;
    }
    return out;
}

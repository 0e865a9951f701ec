#include "data/Database.h"

#include "data/Dataset.h"
#include "data/Errors.h"
#include "data/TextCompare.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <cerrno>
#include <sqlite3.h>

namespace
{
int g_busyTimeout = 5000;
bool g_fullSync = true;

// Every connection of the program, for openFilePaths.
QMutex g_connectionsMutex;
QList<const Database *> g_connections;

int unicodeNoCase(void *, int la, const void *a, int lb, const void *b)
{
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), la);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), lb);
    return TextCompare::compareNoCase(sa, sb);
}
} // namespace

// ---------------------------------------------------------------- Statement

Statement::Statement(Database *db, sqlite3_stmt *stmt, bool cached) : m_db(db), m_stmt(stmt), m_cached(cached)
{
}

Statement::Statement(Statement &&other) noexcept
    : m_db(other.m_db), m_stmt(other.m_stmt), m_cached(other.m_cached)
{
    other.m_stmt = nullptr;
}

Statement::~Statement()
{
    if (m_stmt)
        m_db->releaseStatement(m_stmt, m_cached);
}

Statement &Statement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, b.constData(), static_cast<sqlite3_uint64>(b.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray s = value.toString().toUtf8();
            rc = sqlite3_bind_text64(m_stmt, index, s.constData(), static_cast<sqlite3_uint64>(s.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        }
    }
    if (rc != SQLITE_OK)
        m_db->fail();
    return *this;
}

Statement &Statement::bindAll(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values[i]);
    return *this;
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    m_db->fail();
}

void Statement::run()
{
    while (step()) {
    }
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QString Statement::declaredType(int column) const
{
    const char *t = sqlite3_column_decltype(m_stmt, column);
    return t ? QString::fromUtf8(t) : QString();
}

QVariant columnValue(sqlite3_stmt *stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qint64>(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                          sqlite3_column_bytes(stmt, column)));
    case SQLITE_BLOB: {
        const void *p = sqlite3_column_blob(stmt, column);
        return QVariant(QByteArray(static_cast<const char *>(p), sqlite3_column_bytes(stmt, column)));
    }
    default:
        return QVariant();
    }
}

QVariant Statement::value(int column) const
{
    return columnValue(m_stmt, column);
}

bool Statement::holdsText(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_TEXT;
}

// ---------------------------------------------------------------- Database

Database::Database(QObject *parent) : QObject(parent)
{
    const QMutexLocker lock(&g_connectionsMutex);
    g_connections.append(this);
}

Database::~Database()
{
    close();
    const QMutexLocker lock(&g_connectionsMutex);
    g_connections.removeOne(this);
}

QStringList Database::openFilePaths()
{
    const QMutexLocker lock(&g_connectionsMutex);
    QStringList paths;
    for (const Database *db : std::as_const(g_connections))
        if (db->isOpen())
            paths << db->path();
    return paths;
}

void Database::setDefaultBusyTimeout(int milliseconds)
{
    g_busyTimeout = milliseconds;
}

void Database::setDurableWrites(bool durable)
{
    g_fullSync = durable;
}

namespace
{
// The cause of a write the file system refused, in words, or an empty text for other failures.
QString writeFailureCause(sqlite3 *db)
{
    const int code = sqlite3_errcode(db);
    if (code != SQLITE_FULL && code != SQLITE_IOERR)
        return QString();
    switch (sqlite3_system_errno(db)) {
    case ENOSPC:
        return QStringLiteral("disk full");
    case EFBIG:
        return QStringLiteral("file too large");
    case EDQUOT:
        return QStringLiteral("disk quota exceeded");
    case EROFS:
        return QStringLiteral("read-only file system");
    default:
        return code == SQLITE_FULL ? QStringLiteral("disk full") : QString::fromUtf8(sqlite3_errmsg(db));
    }
}
} // namespace

void Database::fail(const QString &context) const
{
    if (m_db) {
        const QString cause = writeFailureCause(m_db);
        if (!cause.isEmpty())
            throw WriteError(QStringLiteral("The league file %1 cannot be written: %2.")
                                 .arg(QDir::toNativeSeparators(m_path), cause));
    }
    QString msg =
        m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("The database is not open.");
    if (!context.isEmpty())
        msg = context + QStringLiteral(": ") + msg;
    throw DatabaseError(msg);
}

void Database::create(const QString &path)
{
    if (QFileInfo::exists(path))
        throw DatabaseError(QStringLiteral("Database '%1' already exists.").arg(path));
    sqlite3 *db = nullptr;
    const int rc =
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString msg;
    if (rc != SQLITE_OK)
        msg = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
    else if (sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA user_version=1;", nullptr, nullptr,
                          nullptr) != SQLITE_OK)
        msg = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    if (!msg.isEmpty())
        throw DatabaseError(QStringLiteral("Cannot create '%1': %2").arg(path, msg));
}

void Database::open(const QString &path)
{
    close();
    if (!QFileInfo(path).isFile())
        throw DatabaseError(QStringLiteral("Could not find file '%1'.").arg(path));
    sqlite3 *db = nullptr;
    // One thread uses a connection: no mutex on every call.
    const int rc =
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        throw DatabaseError(QStringLiteral("Cannot open '%1': %2").arg(path, msg));
    }
    m_db = db;
    m_path = QFileInfo(path).absoluteFilePath();
    sqlite3_busy_timeout(m_db, g_busyTimeout);
    sqlite3_extended_result_codes(m_db, 0);
    sqlite3_create_collation_v2(m_db, "UNOCASE", SQLITE_UTF8, nullptr, unicodeNoCase, nullptr);
    try {
        // Reading the schema is the first touch of the file: it refuses what is not a database and
        // rolls back a journal that a crash left behind.
        scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        // A rollback journal, so that a byte copy of a closed file is complete.
        if (scalar(QStringLiteral("PRAGMA journal_mode"))
                .toString()
                .compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0)
            execute(QStringLiteral("PRAGMA journal_mode=DELETE"));
        execute(g_fullSync ? QStringLiteral("PRAGMA synchronous=FULL")
                           : QStringLiteral("PRAGMA synchronous=OFF"));
        // Reads through a memory map: the scans over a big Results table (the next ID, the matches of a
        // season's days) then copy nothing.  Writes still go through the journal as before.
        execute(QStringLiteral("PRAGMA mmap_size=1073741824"));
        m_seenVersion = dataVersion();
    } catch (const DatabaseError &e) {
        close();
        throw DatabaseError(QStringLiteral("Cannot open '%1': %2").arg(path, e.message()));
    }
}

void Database::close()
{
    const QList<Dataset *> datasets = m_datasets;
    for (Dataset *ds : datasets)
        ds->close();
    for (sqlite3_stmt *s : std::as_const(m_cache))
        sqlite3_finalize(s);
    m_cache.clear();
    m_inUse.clear();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_path.clear();
    m_transactionDepth = 0;
    m_seenVersion = -1;
}

Statement Database::prepare(const QString &sql)
{
    if (!m_db)
        fail();
    auto it = m_cache.constFind(sql);
    if (it != m_cache.constEnd() && !m_inUse.value(it.value())) {
        m_inUse[it.value()] = true;
        return Statement(this, it.value(), true);
    }
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, utf8.constData(), static_cast<int>(utf8.size()), &stmt, nullptr) !=
        SQLITE_OK)
        fail();
    if (it == m_cache.constEnd()) {
        m_cache.insert(sql, stmt);
        m_inUse[stmt] = true;
        return Statement(this, stmt, true);
    }
    return Statement(this, stmt, false); // the cached one is busy (a nested use): a private copy
}

void Database::releaseStatement(sqlite3_stmt *stmt, bool cached)
{
    if (!cached) {
        sqlite3_finalize(stmt);
        return;
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    m_inUse[stmt] = false;
}

void Database::execute(const QString &sql, const QVariantList &params)
{
    if (params.isEmpty() && sql.contains(QLatin1Char(';'))) {
        if (!m_db)
            fail();
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail();
        return;
    }
    Statement st = prepare(sql);
    st.bindAll(params);
    st.run();
}

QVariant Database::scalar(const QString &sql, const QVariantList &params)
{
    Statement st = prepare(sql);
    st.bindAll(params);
    return st.step() ? st.value(0) : QVariant();
}

qint64 Database::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

QStringList Database::tableNames()
{
    QStringList out;
    Statement st =
        prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid"));
    while (st.step())
        out << st.value(0).toString();
    return out;
}

QList<QPair<QString, QString>> Database::tableColumns(const QString &table)
{
    QList<QPair<QString, QString>> out;
    Statement st = prepare(QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"));
    st.bind(1, table);
    while (st.step())
        out.append({st.value(0).toString(), st.value(1).toString()});
    return out;
}

qint64 Database::dataVersion()
{
    return scalar(QStringLiteral("PRAGMA data_version")).toLongLong();
}

void Database::registerDataset(Dataset *ds)
{
    if (!m_datasets.contains(ds))
        m_datasets.append(ds);
}

void Database::unregisterDataset(Dataset *ds)
{
    m_datasets.removeAll(ds);
}

void Database::reloadDatasets(bool cancelEdits)
{
    for (Dataset *ds : std::as_const(m_datasets))
        if (ds->isActive())
            ds->reload(cancelEdits);
    markDatasetsFresh();
}

void Database::markDatasetsFresh()
{
    if (m_db)
        m_seenVersion = dataVersion();
}

// ---------------------------------------------------------------- Transaction

Transaction::Transaction(Database &db) : m_db(db), m_level(db.m_transactionDepth)
{
    if (m_level == 0) {
        m_db.execute(QStringLiteral("BEGIN IMMEDIATE"));
        try {
            if (m_db.dataVersion() != m_db.m_seenVersion)
                m_db.reloadDatasets();
        } catch (...) {
            m_db.execute(QStringLiteral("ROLLBACK"));
            throw;
        }
    } else {
        m_db.execute(QStringLiteral("SAVEPOINT sp%1").arg(m_level));
    }
    ++m_db.m_transactionDepth;
}

void Transaction::commit()
{
    if (m_done)
        return;
    if (m_level == 0)
        m_db.execute(QStringLiteral("COMMIT"));
    else
        m_db.execute(QStringLiteral("RELEASE sp%1").arg(m_level));
    m_done = true;
    --m_db.m_transactionDepth;
}

void Transaction::rollback()
{
    m_done = true;
    --m_db.m_transactionDepth;
    if (!m_db.isOpen())
        return;
    if (m_level == 0)
        sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    else
        sqlite3_exec(m_db.handle(),
                     QStringLiteral("ROLLBACK TO sp%1; RELEASE sp%1").arg(m_level).toUtf8().constData(),
                     nullptr, nullptr, nullptr);
    // The in-memory rows took writes the file no longer has.
    try {
        m_db.reloadDatasets(true);
    } catch (...) {
    }
}

Transaction::~Transaction()
{
    if (!m_done)
        rollback();
}

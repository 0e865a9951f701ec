#pragma once
// One connection to one SQLite file, with the statement cache and the datasets opened on it.

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// A value of a statement's current row as the engine holds it: integer, double, text, blob or NULL.
QVariant columnValue(sqlite3_stmt *stmt, int column);
class Dataset;
class Database;

// A prepared statement borrowed from the connection's cache; reset and unbound when it goes.
class Statement
{
public:
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&) = delete;
    ~Statement();

    Statement &bind(int index, const QVariant &value); // 1-based, as SQLite counts
    Statement &bindAll(const QVariantList &values);
    bool step();  // true while a row is ready
    void run();   // steps to the end
    void reset(); // ready to run again; the values bound stay until bound anew
    int columnCount() const;
    QString columnName(int column) const;
    QString declaredType(int column) const;
    QVariant value(int column) const;
    // Whether the value is a text, without making it one: for scans that look closer only at texts.
    bool holdsText(int column) const;
    // The engine's statement, for readers that decode the columns themselves.
    sqlite3_stmt *handle() const { return m_stmt; }

private:
    friend class Database;
    Statement(Database *db, sqlite3_stmt *stmt, bool cached);
    Database *m_db;
    sqlite3_stmt *m_stmt;
    bool m_cached;
};

class Database : public QObject
{
    Q_OBJECT
public:
    explicit Database(QObject *parent = nullptr);
    ~Database() override;

    // Opens an existing file for reading and writing; a journal left by a crash is rolled back.
    void open(const QString &path);
    // Creates a new empty database file; refuses when the file exists.
    static void create(const QString &path);
    void close(); // closes every dataset opened on this connection
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }
    // The files open on any connection of the program (the league, the ticket file...): an output must
    // never be written over one of them.
    static QStringList openFilePaths();

    // How long a statement waits for another program's lock before it fails.
    static void setDefaultBusyTimeout(int milliseconds);
    // Whether commits wait until the data is on disk (the default).  Only tests that check results rather
    // than durability switch it off, to run faster on slow disks.
    static void setDurableWrites(bool durable);

    // Statements run here beside the datasets are not seen by the open datasets until they are read
    // again (Dataset::reload, or the reload a transaction does after another program's change).
    void execute(const QString &sql, const QVariantList &params = {});
    QVariant scalar(const QString &sql, const QVariantList &params = {});
    Statement prepare(const QString &sql);
    qint64 lastInsertRowId() const;
    QStringList tableNames();
    QList<QPair<QString, QString>> tableColumns(const QString &table); // name, declared type

    int transactionDepth() const { return m_transactionDepth; }

    // Engine error as a DatabaseError with the engine's message.
    [[noreturn]] void fail(const QString &context = QString()) const;
    sqlite3 *handle() const { return m_db; }

private:
    friend class Transaction;
    friend class Dataset;
    friend class Statement;
    void registerDataset(Dataset *ds);
    void unregisterDataset(Dataset *ds);
    void reloadDatasets(bool cancelEdits = false);
    void markDatasetsFresh();
    qint64 dataVersion();
    void releaseStatement(sqlite3_stmt *stmt, bool cached);

    sqlite3 *m_db = nullptr;
    QString m_path;
    QList<Dataset *> m_datasets;
    QHash<QString, sqlite3_stmt *> m_cache;
    QHash<sqlite3_stmt *, bool> m_inUse;
    int m_transactionDepth = 0;
    qint64 m_seenVersion = -1;
};

// One unit of work.  The outermost transaction takes the write lock at once (waiting for another
// program's transaction up to the busy timeout) and, when another program changed the file since the
// datasets were loaded, reloads them first so no write is based on stale rows.  Inner ones are
// savepoints.  Anything not committed is rolled back, and the datasets are reloaded to match the file,
// pending edits cancelled.
class Transaction
{
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    void rollback();
    Database &m_db;
    int m_level;
    bool m_done = false;
};

#pragma once
// Table and query datasets: a client-side copy of the rows with a current row, sort and filter texts,
// bookmarks and edits that write through to the file at once.  The rows are held column by column in
// typed form (RowStore); a QVariant is made only for the value a caller reads.

#include "data/ColumnInfo.h"
#include "data/FilterExpression.h"
#include "data/RowStore.h"
#include "data/SortSpec.h"
#include "data/TextCompare.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QVariant>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

class Database;
class Dataset;

// A column of the current row (or of the pending edit), read and written by type.
class Field
{
public:
    Field(Dataset *dataset, int column) : m_ds(dataset), m_col(column) {}

    const QString &name() const;
    ColumnKind kind() const;
    bool isNull() const;
    QVariant value() const;
    int asInteger() const;    // reals round half to even; NULL reads 0
    double asFloat() const;   // NULL reads 0
    QString asString() const; // reals in general number format, dates as the locale's short date
    QDate asDate() const;     // NULL reads as an invalid date
    bool asBoolean() const;
    QByteArray asBlob() const;

    void setValue(const QVariant &value); // converts to the column's kind
    void setInteger(qint64 v) { setValue(QVariant(v)); }
    void setFloat(double v) { setValue(QVariant(v)); }
    void setString(const QString &v) { setValue(QVariant(v)); }
    void setDate(const QDate &v) { setValue(QVariant(v)); }
    void setBoolean(bool v) { setValue(QVariant(v)); }
    void setBlob(const QByteArray &v) { setValue(QVariant(v)); }
    void clear() { setValue(QVariant()); }

private:
    Dataset *m_ds;
    int m_col;
};

class Dataset : public QObject
{
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum LocateOption { CaseInsensitive = 1, PartialKey = 2 };
    using Bookmark = qint64; // the row's place in stored order; -1 for none
    using Hook = std::function<void(Dataset &)>;

    explicit Dataset(Database *db, QObject *parent = nullptr);
    ~Dataset() override;

    Database *database() const { return m_db; }
    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    // Reads the rows again, keeping sort, filter and current row; a pending edit is kept or cancelled.
    void reload(bool cancelEdit = false);
    virtual bool isReadOnly() const { return false; }

    const ColumnList &columns() const { return m_columns; }
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    int fieldIndex(const QString &name) const; // DatabaseError when absent
    // The same for a name written as a string literal in the code, whose address is remembered until
    // the next open: for loops that touch many columns per row.  Never pass a text that may go away.
    int literalFieldIndex(const char *name) const;
    Field field(const QString &name) { return Field(this, fieldIndex(name)); }
    Field field(int column) { return Field(this, column); }

    // Navigation in the current order.
    void first();
    void last();
    void next();  // at the last row: Eof
    void prior(); // at the first row: Bof
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_view.empty(); }
    int recordCount() const { return static_cast<int>(m_view.size()); }
    int recNo() const { return m_pos + 1; } // 1-based; 0 when empty
    void setRecNo(int recNo);

    // Editing.  Moving, appending or closing while an edit is pending posts it.
    void edit();
    void append();
    void post();
    void cancel();
    void deleteRecord();
    void appendRecord(const QVariantList &values);    // in column order
    void overwriteRecord(const QVariantList &values); // the current row, in column order

    bool locate(const QString &fields, const QVariantList &values, int options = 0);

    // The largest value of a number column over all rows, whatever the filter; NULL rows are skipped.
    // Kept up to date as rows are posted, so asking per new row stays cheap on big tables.
    std::optional<double> maxOf(const QString &column);

    void setSort(const QString &sortText);
    QString sort() const { return m_sortText; }
    void setFilter(const QString &filterText); // DatabaseError for a text that does not parse
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    Bookmark bookmark() const;
    bool bookmarkValid(Bookmark b) const;
    void gotoBookmark(Bookmark b); // DatabaseError when the row is not in the current view

    // While writes are deferred, posting an edited row changes it here only and remembers which columns
    // changed; flushWrites then writes each such row once (a long walk that edits a few rows many times
    // writes them once).  Appends and deletes still write at once.  What is not flushed is forgotten by
    // the next reload, as a rolled-back transaction does.
    void deferWrites();
    void flushWrites();
    void stopDeferring(); // without writing: only where the transaction is rolled back anyway

    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

    void setBeforeDelete(Hook hook) { m_beforeDelete = std::move(hook); }
    void setAfterDelete(Hook hook) { m_afterDelete = std::move(hook); }

    // For views: the value of a column at a row of the current order, made on demand from the stored row.
    QVariant valueAt(int viewRow, int column) const;

Q_SIGNALS:
    // Rows are about to come, go or move, and now they have: a view stops reading between the two.
    // While display updates are suspended the pair brackets the whole suspension.
    void layoutAboutToChange();
    void layoutChanged();
    void rowChanged(int row); // a row's values changed in place (0-based in the current order)
    void currentChanged();

protected:
    struct LoadedRows {
        ColumnList columns;
        std::vector<qint64> rowids;
        RowStore rows; // in the order of rowids
    };
    virtual LoadedRows load() = 0;
    virtual qint64 insertRow(const QList<QVariant> &values) = 0;
    virtual void updateRow(qint64 rowid, const QList<QVariant> &values,
                           const std::vector<bool> &modified) = 0;
    virtual void deleteRow(qint64 rowid) = 0;
    // Whether load() gives every row of the source; when not, maxOf asks fileMax.
    virtual bool loadsEveryRow() const { return true; }
    virtual std::optional<double> fileMax(int) { return std::nullopt; }

private:
    friend class Field;

    QVariant current(int column) const;
    void setBuffer(int column, const QVariant &value);
    void requireActive() const;
    void requireRow() const;
    void postIfEditing();
    void rebuildView();
    bool visible(int rowIndex) const;
    bool before(int a, int b) const; // order of two rows in the view
    // The cells of a row that these columns name, put into a scratch row for the filter and the sort,
    // which read rows as arrays of values.
    const QVariant *cellsOf(int rowIndex, const std::vector<int> &columns, QList<QVariant> &scratch) const;
    void adoptSortAndFilter(SortSpec &&sort, FilterExpression &&filter);
    int placeOf(int rowIndex) const; // where a row belongs in the view (it must not be in it)
    void placeRow(int rowIndex);     // puts a row that is not in the view into it, if it passes the filter
    void setPos(int pos);
    // Brackets a change of the rows or their order, so that views hear of it before and after.
    class LayoutChange
    {
    public:
        explicit LayoutChange(Dataset &ds);
        ~LayoutChange();
        LayoutChange(const LayoutChange &) = delete;
        LayoutChange &operator=(const LayoutChange &) = delete;

    private:
        Dataset &m_ds;
    };
    void announceLayoutChange();
    void adoptRows(LoadedRows &&loaded); // the loaded rows become the dataset's, in stored order
    void notifyRow(int pos);
    void notifyCurrent();
    bool touchesOrder(const std::vector<bool> &modified) const;
    int viewPosOf(Bookmark b) const;      // -1 when the row is not in the view
    int storeIndexOf(qint64 rowid) const; // -1 when no row has it
    // A case-blind Locate on one text column through an index from the folded text to the rows, so that
    // finding a team costs the same among 20 or 2,000.  Returns the place in the view, or -1.
    int locateByKey(int column, const QString &text) const;
    void dropKeyIndex() const { m_keyColumn = -1; }

    Database *m_db;
    State m_state = State::Inactive;
    ColumnList m_columns;
    QHash<QString, int> m_columnByName;      // case-folded name -> index, for the many lookups by name
    QHash<QString, int> m_columnByExactName; // the stored spelling -> index: most lookups need no folding
    mutable std::unordered_map<const char *, int> m_columnByLiteral;
    mutable std::unordered_map<const QChar *, int> m_columnByLiteralText; // QStringLiteral names
    RowStore m_store;                      // the values of every row read or added, in stored order
    std::vector<qint64> m_rowids;          // of each row of m_store
    std::vector<bool> m_deleted;           // of each row of m_store
    std::vector<int> m_view;               // indices into m_store, in the current order
    mutable std::vector<int> m_posOfIndex; // index into m_store -> place in m_view (-1: none), on demand
    bool m_ascending = true;               // whether m_rowids ascend, as they nearly always do
    mutable std::unordered_map<qint64, int> m_indexOfRowid; // when they do not: rowid -> index, on demand
    bool m_deferred = false;
    std::unordered_map<int, std::vector<bool>> m_unwritten; // row index -> columns posted, not yet written
    mutable int m_keyColumn = -1;                           // the column m_keyIndex covers; -1: none
    mutable QHash<QString, std::vector<int>> m_keyIndex;    // folded text -> indices into m_store
    mutable TextCompare::FoldedKeys m_wantedKeys;           // the texts Locate was asked for, folded
    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;

    QList<QVariant> m_buffer;
    std::vector<bool> m_modified;

    QString m_sortText;
    SortSpec m_sortSpec;
    std::vector<int> m_sortColumns; // the columns m_sortSpec reads
    QString m_filterText;
    FilterExpression m_filterExpr;
    std::vector<int> m_filterColumns; // the columns m_filterExpr reads
    bool m_filtered = false;
    mutable QList<QVariant> m_scratchA, m_scratchB;

    struct MaxCache {
        bool valid = false;
        std::optional<double> value;
    };
    std::vector<MaxCache> m_max; // per column
    void noteMax(const QList<QVariant> &values);

    int m_disabled = 0;
    bool m_pendingLayout = false;
    Hook m_beforeDelete;
    Hook m_afterDelete;
};

// RAII guards for the suspensions that long walks need.
class ControlsDisabled
{
public:
    explicit ControlsDisabled(Dataset &ds) : m_ds(ds) { m_ds.disableControls(); }
    ~ControlsDisabled() { m_ds.enableControls(); }
    ControlsDisabled(const ControlsDisabled &) = delete;
    ControlsDisabled &operator=(const ControlsDisabled &) = delete;

private:
    Dataset &m_ds;
};

// Defers the writes of edited rows (see Dataset::deferWrites) until flush(); unflushed writes are
// dropped when it goes, for the enclosing transaction rolls back.
class DeferredWrites
{
public:
    explicit DeferredWrites(Dataset &ds) : m_ds(ds) { m_ds.deferWrites(); }
    ~DeferredWrites() { m_ds.stopDeferring(); }
    DeferredWrites(const DeferredWrites &) = delete;
    DeferredWrites &operator=(const DeferredWrites &) = delete;
    void flush() { m_ds.flushWrites(); }

private:
    Dataset &m_ds;
};

// Switches the filter off for a walk over all rows and on again (when it was on) afterwards.
class FilterOff
{
public:
    explicit FilterOff(Dataset &ds) : m_ds(ds), m_was(ds.filtered())
    {
        if (m_was)
            m_ds.setFiltered(false);
    }
    ~FilterOff()
    {
        if (m_was && m_ds.isActive())
            m_ds.setFiltered(true);
    }
    FilterOff(const FilterOff &) = delete;
    FilterOff &operator=(const FilterOff &) = delete;

private:
    Dataset &m_ds;
    bool m_was;
};

// Restores a table's sort text when it goes.
class SortKept
{
public:
    explicit SortKept(Dataset &ds) : m_ds(ds), m_sort(ds.sort()) {}
    ~SortKept()
    {
        try {
            if (m_ds.isActive())
                m_ds.setSort(m_sort);
        } catch (...) {
            // The text was the table's own a moment ago; nothing sensible is left to do.
        }
    }
    SortKept(const SortKept &) = delete;
    SortKept &operator=(const SortKept &) = delete;

private:
    Dataset &m_ds;
    QString m_sort;
};

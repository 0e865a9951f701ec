#include "data/Dataset.h"

#include "data/Database.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Excerpt.h"
#include "data/Numbers.h"
#include "data/TextCompare.h"

#include <QLocale>
#include <algorithm>
#include <optional>

namespace
{
// The key of a text cell in the case-blind index.
QString keyOf(const QVariant &v)
{
    QString storage;
    return TextCompare::foldedKey(CellValue::toText(v, &storage));
}
} // namespace

namespace
{
bool isNullValue(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

// A value converted to the form rows hold for the column's kind.
QVariant toColumnValue(const ColumnInfo &c, const QVariant &v)
{
    if (isNullValue(v))
        return QVariant();
    const bool isText = v.typeId() == QMetaType::QString;
    switch (c.kind) {
    case ColumnKind::Real:
        if (isText) {
            const QString s = v.toString();
            if (s.trimmed().isEmpty())
                return QVariant();
            return QVariant(Numbers::parseReal(s));
        }
        if (v.typeId() == QMetaType::QDate)
            throw ConversionError::notFloat(v.toDate().toString(Qt::ISODate));
        return QVariant(v.toDouble());
    case ColumnKind::Text: {
        QString s;
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
            s = Numbers::formatGeneral(v.toDouble());
        else if (v.typeId() == QMetaType::QDate)
            s = Dates::toShortDate(v.toDate());
        else
            s = v.toString();
        if (c.width > 0 && s.size() > c.width)
            throw DatabaseError(
                QStringLiteral("The value '%1' is too long for the column %2 (at most %3 characters).")
                    .arg(excerpt(s), c.name)
                    .arg(c.width));
        return QVariant(s);
    }
    case ColumnKind::Date: {
        QDate d;
        if (v.typeId() == QMetaType::QDate) {
            d = v.toDate();
        } else if (v.typeId() == QMetaType::QDateTime) {
            d = v.toDateTime().date();
        } else {
            const QString s = v.toString();
            if (s.trimmed().isEmpty())
                return QVariant();
            d = Dates::fromStored(s);
            if (!d.isValid())
                d = Dates::parseFilterDate(s);
            if (!d.isValid())
                throw ConversionError(QStringLiteral("'%1' is not a valid date").arg(s));
        }
        return d.isValid() ? QVariant(Dates::toStored(d)) : QVariant();
    }
    case ColumnKind::Bit:
        if (isText) {
            const QString s = v.toString().trimmed();
            if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                s.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0)
                return QVariant(qint64(1));
            if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 ||
                s.compare(QLatin1String("no"), Qt::CaseInsensitive) == 0)
                return QVariant(qint64(0));
            return QVariant(qint64(Numbers::parseInt(s) != 0));
        }
        return QVariant(qint64(v.toDouble() != 0.0));
    case ColumnKind::Blob:
        return QVariant(v.toByteArray());
    }
    return v;
}
} // namespace

// ---------------------------------------------------------------- Field

const QString &Field::name() const
{
    return m_ds->m_columns[m_col].name;
}

ColumnKind Field::kind() const
{
    return m_ds->m_columns[m_col].kind;
}

QVariant Field::value() const
{
    return m_ds->current(m_col);
}

bool Field::isNull() const
{
    return isNullValue(m_ds->current(m_col));
}

double Field::asFloat() const
{
    const QVariant v = m_ds->current(m_col);
    if (isNullValue(v))
        return 0.0;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        return s.trimmed().isEmpty() ? 0.0 : Numbers::parseReal(s);
    }
    return v.toDouble();
}

int Field::asInteger() const
{
    const QVariant v = m_ds->current(m_col);
    return isNullValue(v) ? 0 : Numbers::wholeNumber(v);
}

QString Field::asString() const
{
    const QVariant v = m_ds->current(m_col);
    if (isNullValue(v))
        return QString();
    switch (kind()) {
    case ColumnKind::Real:
        return v.typeId() == QMetaType::QString ? v.toString() : Numbers::formatGeneral(v.toDouble());
    case ColumnKind::Date: {
        const QDate d = Dates::fromStored(v.toString());
        return d.isValid() ? Dates::toShortDate(d) : v.toString();
    }
    case ColumnKind::Bit:
        return v.toDouble() != 0.0 ? QStringLiteral("True") : QStringLiteral("False");
    case ColumnKind::Blob:
        return QString();
    case ColumnKind::Text:
        break;
    }
    return v.toString();
}

QDate Field::asDate() const
{
    const QVariant v = m_ds->current(m_col);
    return isNullValue(v) ? QDate() : Dates::fromStored(v.toString());
}

bool Field::asBoolean() const
{
    const QVariant v = m_ds->current(m_col);
    if (isNullValue(v))
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
               s.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 || s == QLatin1String("-1") ||
               s == QLatin1String("1");
    }
    return v.toDouble() != 0.0;
}

QByteArray Field::asBlob() const
{
    return m_ds->current(m_col).toByteArray();
}

void Field::setValue(const QVariant &value)
{
    m_ds->setBuffer(m_col, toColumnValue(m_ds->m_columns[m_col], value));
}

// ---------------------------------------------------------------- Dataset

Dataset::Dataset(Database *db, QObject *parent) : QObject(parent), m_db(db) {}

Dataset::~Dataset()
{
    if (m_db)
        m_db->unregisterDataset(this);
}

void Dataset::open()
{
    if (isActive())
        return;
    if (!m_db || !m_db->isOpen())
        throw DatabaseError(QStringLiteral("The database is not open."));
    LoadedRows loaded = load();
    m_columns = std::move(loaded.columns);
    m_columnByName.clear();
    m_columnByExactName.clear();
    m_columnByLiteral.clear();
    m_columnByLiteralText.clear();
    for (int i = 0; i < m_columns.size(); ++i) {
        m_columnByName.insert(m_columns[i].name.toCaseFolded(), i);
        m_columnByExactName.insert(m_columns[i].name, i);
    }
    dropKeyIndex();
    // Parse before anything changes, so a bad text leaves the dataset closed.
    SortSpec sortSpec = SortSpec::parse(m_sortText, m_columns);
    FilterExpression filterExpr = FilterExpression::parse(m_filterText, m_columns);
    LayoutChange change(*this);
    adoptSortAndFilter(std::move(sortSpec), std::move(filterExpr));
    m_state = State::Browse;
    adoptRows(std::move(loaded));
    m_db->registerDataset(this);
    m_pos = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
}

void Dataset::adoptRows(LoadedRows &&loaded)
{
    m_unwritten.clear();
    dropKeyIndex();
    m_store = std::move(loaded.rows);
    m_store.finishLoading();
    m_rowids = std::move(loaded.rowids);
    m_ascending =
        std::adjacent_find(m_rowids.begin(), m_rowids.end(), std::greater_equal<>()) == m_rowids.end();
    m_indexOfRowid.clear();
    m_deleted.assign(m_rowids.size(), false);
    m_max.assign(m_columns.size(), MaxCache{});
    rebuildView();
}

void Dataset::adoptSortAndFilter(SortSpec &&sort, FilterExpression &&filter)
{
    m_sortSpec = std::move(sort);
    m_filterExpr = std::move(filter);
    m_sortColumns.clear();
    for (const SortKey &k : m_sortSpec.keys())
        m_sortColumns.push_back(k.column);
    m_filterColumns.clear();
    for (int c = 0; c < columnCount(); ++c)
        if (m_filterExpr.usesColumn(c))
            m_filterColumns.push_back(c);
}

void Dataset::close()
{
    if (!isActive())
        return;
    LayoutChange change(*this);
    m_state = State::Inactive;
    m_buffer.clear();
    m_store = RowStore();
    m_rowids.clear();
    m_indexOfRowid.clear();
    m_deleted.clear();
    m_unwritten.clear();
    dropKeyIndex();
    m_view.clear();
    m_posOfIndex.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    if (m_db)
        m_db->unregisterDataset(this);
}

void Dataset::reload(bool cancelEdit)
{
    if (!isActive())
        return;
    if (cancelEdit && (m_state == State::Edit || m_state == State::Insert)) {
        m_state = State::Browse;
        m_buffer.clear();
    }
    const qint64 currentRowid = m_pos >= 0 ? m_rowids[m_view[m_pos]] : -1;
    LoadedRows loaded = load();
    LayoutChange change(*this);
    adoptRows(std::move(loaded));
    m_pos = m_view.empty() ? -1 : 0;
    for (size_t i = 0; i < m_view.size(); ++i) {
        if (m_rowids[m_view[i]] == currentRowid) {
            m_pos = static_cast<int>(i);
            break;
        }
    }
    m_eof = m_view.empty();
    m_bof = m_view.empty();
    // A pending edit of a row that is gone cannot be posted any more.
    if (m_state == State::Edit && (m_pos < 0 || m_rowids[m_view[m_pos]] != currentRowid))
        m_state = State::Browse;
}

int Dataset::fieldIndex(const QString &name) const
{
    // Most names are literals of the code, whose text never moves: its address finds the column
    // without hashing the text.  The name is still compared, so a reused address cannot mislead.
    const bool literal = !name.data_ptr().isMutable();
    if (literal) {
        const auto known = m_columnByLiteralText.find(name.constData());
        if (known != m_columnByLiteralText.end() && m_columns[known->second].name == name)
            return known->second;
    }
    const auto exact = m_columnByExactName.constFind(name);
    if (exact != m_columnByExactName.constEnd()) {
        if (literal)
            m_columnByLiteralText[name.constData()] = exact.value();
        return exact.value();
    }
    const auto it = m_columnByName.constFind(name.toCaseFolded());
    if (it == m_columnByName.constEnd())
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return it.value();
}

int Dataset::literalFieldIndex(const char *name) const
{
    const auto it = m_columnByLiteral.find(name);
    if (it != m_columnByLiteral.end())
        return it->second;
    const int column = fieldIndex(QString::fromLatin1(name));
    m_columnByLiteral.emplace(name, column);
    return column;
}

void Dataset::requireActive() const
{
    if (!isActive())
        throw DatabaseError(QStringLiteral("Operation not allowed on a closed dataset"));
}

void Dataset::requireRow() const
{
    requireActive();
    if (m_pos < 0)
        throw DatabaseError(
            QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
}

QVariant Dataset::current(int column) const
{
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer[column];
    if (m_pos < 0)
        return QVariant();
    return m_store.value(m_view[m_pos], column);
}

void Dataset::setBuffer(int column, const QVariant &value)
{
    if (m_state != State::Edit && m_state != State::Insert)
        throw DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    m_buffer[column] = value;
    m_modified[column] = true;
}

// ---- navigation

void Dataset::setPos(int pos)
{
    m_pos = pos;
    m_eof = m_bof = false;
    notifyCurrent();
}

void Dataset::first()
{
    requireActive();
    postIfEditing();
    m_pos = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    notifyCurrent();
}

void Dataset::last()
{
    requireActive();
    postIfEditing();
    m_pos = static_cast<int>(m_view.size()) - 1;
    m_eof = true;
    m_bof = m_view.empty();
    notifyCurrent();
}

void Dataset::next()
{
    requireActive();
    postIfEditing();
    if (m_pos + 1 < static_cast<int>(m_view.size())) {
        setPos(m_pos + 1);
    } else {
        m_eof = true;
    }
}

void Dataset::prior()
{
    requireActive();
    postIfEditing();
    if (m_pos > 0) {
        setPos(m_pos - 1);
    } else {
        m_bof = true;
    }
}

void Dataset::setRecNo(int recNo)
{
    requireActive();
    postIfEditing();
    if (recNo < 1 || recNo > recordCount())
        throw DatabaseError(QStringLiteral("Record number %1 out of range").arg(recNo));
    setPos(recNo - 1);
}

// ---- editing

void Dataset::postIfEditing()
{
    if (m_state == State::Edit || m_state == State::Insert)
        post();
}

void Dataset::edit()
{
    requireRow();
    if (isReadOnly())
        throw DatabaseError(QStringLiteral("The query is read-only."));
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    m_buffer = m_store.row(m_view[m_pos]);
    m_modified.assign(m_columns.size(), false);
    m_state = State::Edit;
}

void Dataset::append()
{
    requireActive();
    if (isReadOnly())
        throw DatabaseError(QStringLiteral("The query is read-only."));
    postIfEditing();
    m_buffer = QList<QVariant>(m_columns.size());
    m_modified.assign(m_columns.size(), false);
    m_state = State::Insert;
}

void Dataset::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_state = State::Browse;
    m_buffer.clear();
    if (m_pos >= 0)
        notifyRow(m_pos);
}

bool Dataset::touchesOrder(const std::vector<bool> &modified) const
{
    for (size_t c = 0; c < modified.size(); ++c)
        if (modified[c] && m_filtered && m_filterExpr.usesColumn(static_cast<int>(c)))
            return true;
    for (const SortKey &k : m_sortSpec.keys())
        if (modified[k.column])
            return true;
    return false;
}

void Dataset::post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    std::optional<Transaction> tx;
    if (m_db->transactionDepth() == 0)
        tx.emplace(*m_db); // may reload the rows; the pending edit survives it
    if (m_state == State::Insert) {
        const qint64 rowid = insertRow(m_buffer);
        LayoutChange change(*this);
        noteMax(m_buffer);
        const int index = m_store.appendRow();
        m_store.setRow(index, m_buffer);
        m_ascending = m_ascending && (m_rowids.empty() || rowid > m_rowids.back());
        if (!m_indexOfRowid.empty())
            m_indexOfRowid.emplace(rowid, index);
        m_rowids.push_back(rowid);
        m_deleted.push_back(false);
        if (m_keyColumn >= 0)
            m_keyIndex[keyOf(m_buffer[m_keyColumn])].push_back(index);
        m_state = State::Browse;
        m_buffer.clear();
        placeRow(index);
        if (tx)
            tx->commit();
        return;
    }
    const int index = m_view[m_pos];
    const bool anyChange = std::find(m_modified.begin(), m_modified.end(), true) != m_modified.end();
    if (anyChange && m_deferred) {
        std::vector<bool> &columns = m_unwritten[index];
        columns.resize(m_modified.size(), false);
        for (size_t c = 0; c < m_modified.size(); ++c)
            columns[c] = columns[c] || m_modified[c];
    } else if (anyChange) {
        updateRow(m_rowids[index], m_buffer, m_modified);
    }
    if (anyChange) {
        for (size_t c = 0; c < m_max.size(); ++c) { // a maximum that was lowered must be found again
            if (!m_modified[c] || !m_max[c].valid || !m_max[c].value)
                continue;
            const QVariant old = m_store.value(index, static_cast<int>(c));
            if (!isNullValue(old) && old.toDouble() >= *m_max[c].value)
                m_max[c].valid = false;
        }
        noteMax(m_buffer);
    }
    if (m_keyColumn >= 0 && m_modified[m_keyColumn])
        dropKeyIndex();
    for (size_t c = 0; c < m_modified.size(); ++c)
        if (m_modified[c])
            m_store.set(index, static_cast<int>(c), m_buffer[c]);
    m_state = State::Browse;
    m_buffer.clear();
    if (tx)
        tx->commit();
    if (anyChange && touchesOrder(m_modified)) {
        LayoutChange change(*this);
        m_view.erase(m_view.begin() + m_pos);
        m_posOfIndex.clear();
        placeRow(index);
    } else {
        notifyRow(m_pos);
    }
}

void Dataset::deleteRecord()
{
    requireActive();
    if (isReadOnly())
        throw DatabaseError(QStringLiteral("The query is read-only."));
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    requireRow();
    std::optional<Transaction> tx;
    if (m_db->transactionDepth() == 0)
        tx.emplace(*m_db);
    requireRow(); // the reload of a fresh transaction may have found the row gone
    if (m_beforeDelete)
        m_beforeDelete(*this); // throwing cancels the delete
    const int index = m_view[m_pos];
    deleteRow(m_rowids[index]);
    {
        LayoutChange change(*this);
        m_deleted[index] = true;
        m_max.assign(m_columns.size(), MaxCache{});
        m_view.erase(m_view.begin() + m_pos);
        m_posOfIndex.clear();
        if (m_pos >= static_cast<int>(m_view.size()))
            m_pos = static_cast<int>(m_view.size()) - 1;
        m_eof = m_bof = m_view.empty();
        if (tx)
            tx->commit();
    }
    if (m_afterDelete)
        m_afterDelete(*this);
}

void Dataset::appendRecord(const QVariantList &values)
{
    append();
    for (int i = 0; i < values.size() && i < columnCount(); ++i)
        field(i).setValue(values[i]);
    post();
}

void Dataset::overwriteRecord(const QVariantList &values)
{
    edit();
    for (int i = 0; i < values.size() && i < columnCount(); ++i)
        field(i).setValue(values[i]);
    post();
}

// ---- locate, sort, filter

bool Dataset::locate(const QString &fields, const QVariantList &values, int options)
{
    requireActive();
    postIfEditing();
    const QStringList names = fields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (names.size() != values.size())
        throw DatabaseError(
            QStringLiteral("Locate: %1 fields but %2 values").arg(names.size()).arg(values.size()));
    QList<int> cols;
    QList<QVariant> wanted;
    for (int i = 0; i < names.size(); ++i) {
        const int c = fieldIndex(names[i].trimmed());
        cols << c;
        wanted << toColumnValue(m_columns[c], values[i]);
    }
    const bool noCase = options & CaseInsensitive;
    const bool partial = options & PartialKey;
    if (cols.size() == 1 && noCase && !partial && m_columns[cols[0]].kind == ColumnKind::Text &&
        !isNullValue(wanted[0])) {
        const int p = locateByKey(cols[0], wanted[0].toString());
        if (p >= 0)
            setPos(p);
        return p >= 0;
    }
    auto fieldMatches = [&](const QVariant &have, const QVariant &want, const ColumnInfo &c) {
        if (isNullValue(want) || isNullValue(have))
            return isNullValue(want) && isNullValue(have);
        if (c.kind == ColumnKind::Real || c.kind == ColumnKind::Bit)
            return have.toDouble() == want.toDouble();
        if (c.kind == ColumnKind::Blob)
            return have.toByteArray() == want.toByteArray();
        QString storageH, storageW;
        const QStringView h = CellValue::toText(have, &storageH);
        const QStringView w = CellValue::toText(want, &storageW);
        if (partial)
            return noCase ? TextCompare::startsWithNoCase(h, w) : h.startsWith(w);
        return noCase ? TextCompare::equalNoCase(h, w) : h == w;
    };
    for (size_t p = 0; p < m_view.size(); ++p) {
        const int index = m_view[p];
        bool all = true;
        for (int i = 0; i < cols.size() && all; ++i)
            all = fieldMatches(m_store.value(index, cols[i]), wanted[i], m_columns[cols[i]]);
        if (all) {
            setPos(static_cast<int>(p));
            return true;
        }
    }
    return false;
}

std::optional<double> Dataset::maxOf(const QString &column)
{
    requireActive();
    const int c = fieldIndex(column);
    MaxCache &cache = m_max[c];
    if (!cache.valid && !loadsEveryRow()) {
        cache.value = fileMax(c);
        cache.valid = true;
    }
    if (!cache.valid) {
        cache.value.reset();
        for (size_t i = 0; i < m_rowids.size(); ++i) {
            const int index = static_cast<int>(i);
            if (m_deleted[i] || m_store.isNull(index, c))
                continue;
            double v = 0;
            if (!m_store.number(index, c, &v))
                v = m_store.value(index, c).toDouble();
            if (!cache.value || v > *cache.value)
                cache.value = v;
        }
        cache.valid = true;
    }
    return cache.value;
}

void Dataset::noteMax(const QList<QVariant> &values)
{
    for (size_t c = 0; c < m_max.size(); ++c) {
        MaxCache &cache = m_max[c];
        if (!cache.valid || isNullValue(values[c]))
            continue;
        const double v = values[c].toDouble();
        if (!cache.value || v > *cache.value)
            cache.value = v;
    }
}

void Dataset::setSort(const QString &sortText)
{
    if (!isActive()) {
        m_sortText = sortText;
        return;
    }
    SortSpec spec = SortSpec::parse(sortText, m_columns);
    postIfEditing();
    const Bookmark keep = bookmark();
    LayoutChange change(*this);
    m_sortText = sortText;
    adoptSortAndFilter(std::move(spec), FilterExpression(m_filterExpr));
    rebuildView();
    if (keep >= 0 && bookmarkValid(keep))
        gotoBookmark(keep);
    else
        first();
}

void Dataset::setFilter(const QString &filterText)
{
    if (!isActive()) {
        m_filterText = filterText;
        return;
    }
    FilterExpression expr = FilterExpression::parse(filterText, m_columns);
    postIfEditing();
    if (!m_filtered) {
        m_filterText = filterText;
        adoptSortAndFilter(SortSpec(m_sortSpec), std::move(expr));
        return;
    }
    LayoutChange change(*this);
    m_filterText = filterText;
    adoptSortAndFilter(SortSpec(m_sortSpec), std::move(expr));
    rebuildView();
    first();
}

void Dataset::setFiltered(bool on)
{
    if (m_filtered == on)
        return;
    if (!isActive()) {
        m_filtered = on;
        return;
    }
    postIfEditing();
    LayoutChange change(*this);
    m_filtered = on;
    rebuildView();
    first();
}

const QVariant *Dataset::cellsOf(int rowIndex, const std::vector<int> &columns,
                                 QList<QVariant> &scratch) const
{
    if (scratch.size() != columnCount())
        scratch = QList<QVariant>(columnCount());
    for (int c : columns)
        scratch[c] = m_store.value(rowIndex, c);
    return scratch.constData();
}

bool Dataset::visible(int rowIndex) const
{
    if (m_deleted[rowIndex])
        return false;
    return !m_filtered || m_filterExpr.isEmpty() ||
           m_filterExpr.matches(cellsOf(rowIndex, m_filterColumns, m_scratchA));
}

bool Dataset::before(int a, int b) const
{
    if (!m_sortSpec.isEmpty()) {
        const int c =
            m_sortSpec.compare(cellsOf(a, m_sortColumns, m_scratchA), cellsOf(b, m_sortColumns, m_scratchB));
        if (c != 0)
            return c < 0;
    }
    return a < b; // equal rows keep their stored order
}

void Dataset::placeRow(int index)
{
    // A row that is not in the view (new, or just taken out) goes where the sort puts it, or stays out
    // when the filter rejects it; the cursor follows it, or keeps its place when it left the view.
    if (visible(index)) {
        const int place = placeOf(index);
        m_view.insert(m_view.begin() + place, index);
        m_posOfIndex.clear();
        m_pos = place;
    } else if (m_pos >= static_cast<int>(m_view.size())) {
        m_pos = static_cast<int>(m_view.size()) - 1;
    }
    m_eof = m_bof = m_view.empty();
}

int Dataset::placeOf(int rowIndex) const
{
    const auto it = std::lower_bound(m_view.begin(), m_view.end(), rowIndex,
                                     [this](int a, int b) { return before(a, b); });
    return static_cast<int>(it - m_view.begin());
}

void Dataset::rebuildView()
{
    m_posOfIndex.clear();
    m_view.clear();
    m_view.reserve(m_rowids.size());
    for (int i = 0; i < static_cast<int>(m_rowids.size()); ++i)
        if (visible(i))
            m_view.push_back(i);
    if (!m_sortSpec.isEmpty()) {
        const SortSpec::Prepared keys = m_sortSpec.prepare(
            [this](int row, int column) { return m_store.value(row, column); }, m_rowids.size(), m_view);
        std::stable_sort(m_view.begin(), m_view.end(),
                         [&keys](int a, int b) { return keys.compare(a, b) < 0; });
    }
}

// ---- bookmarks

Dataset::Bookmark Dataset::bookmark() const
{
    return m_pos >= 0 ? m_rowids[m_view[m_pos]] : -1;
}

int Dataset::locateByKey(int column, const QString &text) const
{
    if (m_keyColumn != column) {
        m_keyIndex.clear();
        for (size_t i = 0; i < m_rowids.size(); ++i)
            if (!m_store.isNull(static_cast<int>(i), column))
                m_keyIndex[keyOf(m_store.value(static_cast<int>(i), column))].push_back(static_cast<int>(i));
        m_keyColumn = column;
    }
    const auto it = m_keyIndex.constFind(m_wantedKeys.of(text));
    if (it == m_keyIndex.constEnd())
        return -1;
    // Of equal keys, the first in the view's order, as the plain walk finds it.
    int best = -1;
    for (int index : *it) {
        if (m_deleted[index])
            continue;
        const QVariant value = m_store.value(index, column);
        QString storage;
        if (!TextCompare::equalNoCase(CellValue::toText(value, &storage), text))
            continue;
        const int p = viewPosOf(m_rowids[index]);
        if (p >= 0 && (best < 0 || p < best))
            best = p;
    }
    return best;
}

int Dataset::viewPosOf(Bookmark b) const
{
    // Built on demand and dropped whenever rows come, go or move, so walks that jump from row to row
    // by bookmark stay linear.
    if (m_posOfIndex.empty() && !m_view.empty()) {
        m_posOfIndex.assign(m_rowids.size(), -1);
        for (size_t p = 0; p < m_view.size(); ++p)
            m_posOfIndex[m_view[p]] = static_cast<int>(p);
    }
    const int index = storeIndexOf(b);
    return index < 0 || index >= static_cast<int>(m_posOfIndex.size()) ? -1 : m_posOfIndex[index];
}

int Dataset::storeIndexOf(qint64 rowid) const
{
    // Rows are read in rowid order and the file gives a new row a rowid above all others, so the rowids
    // are nearly always ascending and a binary search finds a row; otherwise a map built once does.
    if (m_ascending) {
        const auto it = std::lower_bound(m_rowids.begin(), m_rowids.end(), rowid);
        return it != m_rowids.end() && *it == rowid ? static_cast<int>(it - m_rowids.begin()) : -1;
    }
    if (m_indexOfRowid.empty())
        for (size_t i = 0; i < m_rowids.size(); ++i)
            m_indexOfRowid.emplace(m_rowids[i], static_cast<int>(i));
    const auto it = m_indexOfRowid.find(rowid);
    return it == m_indexOfRowid.end() ? -1 : it->second;
}

bool Dataset::bookmarkValid(Bookmark b) const
{
    return viewPosOf(b) >= 0;
}

void Dataset::gotoBookmark(Bookmark b)
{
    requireActive();
    postIfEditing();
    const int p = viewPosOf(b);
    if (p < 0)
        throw DatabaseError(QStringLiteral("Record not found"));
    setPos(p);
}

// ---- display updates

void Dataset::disableControls()
{
    ++m_disabled;
}

void Dataset::enableControls()
{
    if (m_disabled == 0)
        return;
    if (--m_disabled == 0 && m_pendingLayout) {
        m_pendingLayout = false;
        Q_EMIT layoutChanged();
        Q_EMIT currentChanged();
    }
}

// While display updates are suspended, the first change announces itself and the resumption ends it.
void Dataset::announceLayoutChange()
{
    if (m_disabled == 0) {
        Q_EMIT layoutAboutToChange();
    } else if (!m_pendingLayout) {
        m_pendingLayout = true;
        Q_EMIT layoutAboutToChange();
    }
}

Dataset::LayoutChange::LayoutChange(Dataset &ds) : m_ds(ds)
{
    m_ds.announceLayoutChange();
}

Dataset::LayoutChange::~LayoutChange()
{
    if (m_ds.m_disabled == 0)
        Q_EMIT m_ds.layoutChanged();
}

void Dataset::notifyRow(int pos)
{
    if (m_disabled > 0)
        announceLayoutChange(); // the values changed in place; the views hear of it with the rest
    else
        Q_EMIT rowChanged(pos);
}

void Dataset::notifyCurrent()
{
    if (m_disabled == 0)
        Q_EMIT currentChanged();
}

QVariant Dataset::valueAt(int viewRow, int column) const
{
    if (viewRow == m_pos && (m_state == State::Edit))
        return m_buffer[column];
    return m_store.value(m_view[viewRow], column);
}

void Dataset::deferWrites()
{
    m_deferred = true;
}

void Dataset::flushWrites()
{
    requireActive();
    // In stored order, so that the file sees the same sequence of writes whatever the hash order.
    std::vector<int> rows;
    for (const auto &entry : m_unwritten)
        rows.push_back(entry.first);
    std::sort(rows.begin(), rows.end());
    for (int index : rows) {
        if (!m_deleted[index])
            updateRow(m_rowids[index], m_store.row(index), m_unwritten[index]);
        m_unwritten.erase(index);
    }
}

void Dataset::stopDeferring()
{
    m_deferred = false;
    m_unwritten.clear();
}

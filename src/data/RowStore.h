#pragma once
// The rows of a dataset held column by column in typed vectors, so that a big table costs a few bytes per
// cell instead of a QVariant and a separately allocated text for each.  A column takes its form from the
// first value it holds: doubles (four bytes each while they are all whole numbers, as goals, points and
// ratings mostly are), whole numbers, or texts kept once per distinct text (a team name stored 10,000
// times is held once).  A column of NULLs holds nothing.  A value that does not fit the form (a text in a
// number column of an old file, a picture) turns that column into a list of QVariants, so every value still
// reads back exactly as it was put in, type included.  QVariants are made only when a caller asks for one
// value.

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3_stmt;

class RowStore
{
public:
    // Empty, with this many columns.
    void reset(int columnCount);
    void reserve(size_t rows);
    size_t rowCount() const { return m_rows; }
    int columnCount() const { return static_cast<int>(m_columns.size()); }

    // Appends a row of NULLs and returns its index.
    int appendRow();
    void set(int row, int column, const QVariant &value);
    QVariant value(int row, int column) const;
    bool isNull(int row, int column) const;
    // The value as a number when the cell holds a double or a whole number (no conversion of texts).
    bool number(int row, int column, double *value) const;
    QList<QVariant> row(int row) const;
    void setRow(int row, const QList<QVariant> &values);

    // Appends the current row of a statement, its columns from firstColumn on, decoded straight into the
    // columns without a QVariant for each cell.
    void appendFromStatement(sqlite3_stmt *stmt, int firstColumn);
    // Drops what only loading needs (the texts by their bytes in the file).
    void finishLoading();

private:
    enum class Form : quint8 { Empty, WholeDoubles, Doubles, Integers, Texts, Variants };
    struct TransparentHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    struct Column {
        Form form = Form::Empty;
        std::vector<qint32> wholes;   // doubles that are whole numbers; NULL as the smallest value
        std::vector<double> doubles;  // NULL as a NaN of its own
        std::vector<qint64> integers; // NULL as the smallest value
        std::vector<quint32> texts;   // 0 NULL, 1 a null QString, else 2 + place in pool
        QList<QString> pool;          // each distinct text once
        QHash<QString, quint32> ids;  // text -> id, for values put in
        std::unordered_map<std::string, quint32, TransparentHash, std::equal_to<>> utf8Ids; // while loading
        std::vector<QVariant> variants;
        std::string lastBytes; // the text read last while loading, and its id (0: none yet)
        quint32 lastId = 0;
    };

    static Form formFor(const QVariant &value);
    void becomeForm(Column &c, Form form);
    void wholesToDoubles(Column &c);
    static void pushNull(Column &c);
    void makeVariants(Column &c);
    quint32 textId(Column &c, const QString &text);
    quint32 utf8TextId(Column &c, const char *data, int size);
    QVariant variantAt(const Column &c, size_t row) const;

    std::vector<Column> m_columns;
    size_t m_rows = 0;
    size_t m_reserved = 0;
};

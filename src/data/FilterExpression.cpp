#include "data/FilterExpression.h"

#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Numbers.h"
#include "data/TextCompare.h"

#include <QDate>
#include <QDateTime>
#include <cmath>
#include <vector>

// ---------------------------------------------------------------- CellValue

namespace
{

int dateKey(int year, int month, int day)
{
    return year * 10000 + month * 100 + day;
}

int dateKey(const QDate &d)
{
    return dateKey(d.year(), d.month(), d.day());
}

// The stored form "YYYY-MM-DD" (perhaps with a time of day after it) read without building a QDate:
// filters run over every row of a league at each change.
bool storedDateKey(QStringView s, int *key)
{
    if (s.size() < 10 || s[4] != QLatin1Char('-') || s[7] != QLatin1Char('-'))
        return false;
    const auto number = [s](qsizetype from, qsizetype count, int *out) {
        int n = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            const char16_t c = s[i].unicode();
            if (c < u'0' || c > u'9')
                return false;
            n = n * 10 + (c - u'0');
        }
        *out = n;
        return true;
    };
    int y = 0, m = 0, d = 0;
    if (!number(0, 4, &y) || !number(5, 2, &m) || !number(8, 2, &d) || !QDate::isValid(y, m, d))
        return false;
    *key = dateKey(y, m, d);
    return true;
}

} // namespace

namespace CellValue
{

bool isNull(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

bool toReal(const QVariant &v, double *value)
{
    if (isNull(v))
        return false;
    double x = 0;
    switch (v.typeId()) {
    case QMetaType::Double:
        x = v.value<double>();
        break;
    case QMetaType::LongLong:
        x = static_cast<double>(v.value<qlonglong>());
        break;
    case QMetaType::Int:
        x = v.value<int>();
        break;
    case QMetaType::Bool:
        x = v.value<bool>() ? 1 : 0;
        break;
    default: {
        bool ok = false;
        x = v.toDouble(&ok); // a number stored as text reads in C notation, as SQLite writes it
        if (!ok)
            return false;
    }
    }
    if (std::isnan(x))
        return false;
    *value = x;
    return true;
}

bool toDateKey(const QVariant &v, int *key)
{
    if (isNull(v))
        return false;
    QDate d;
    switch (v.typeId()) {
    case QMetaType::QString: {
        const QString &s = *static_cast<const QString *>(v.constData());
        if (storedDateKey(s, key))
            return true;
        d = Dates::fromStored(s);
        break;
    }
    case QMetaType::QDate:
        d = v.value<QDate>();
        break;
    case QMetaType::QDateTime:
        d = v.value<QDateTime>().date();
        break;
    default:
        return false;
    }
    if (!d.isValid())
        return false;
    *key = dateKey(d);
    return true;
}

bool toBit(const QVariant &v, bool *value)
{
    double x = 0;
    if (!toReal(v, &x))
        return false;
    *value = x != 0;
    return true;
}

QStringView toText(const QVariant &v, QString *storage)
{
    if (v.typeId() == QMetaType::QString)
        return *static_cast<const QString *>(v.constData());
    *storage = v.toString();
    return *storage;
}

} // namespace CellValue

// ---------------------------------------------------------------- Program

struct FilterExpression::Program {
    enum class Op { Eq, Ne, Lt, Gt, Le, Ge };

    // One comparison with its column and its value already in the column's kind.
    struct Comparison {
        int column = 0;
        ColumnKind kind = ColumnKind::Text;
        Op op = Op::Eq;
        double number = 0; // Real
        int date = 0;      // Date, as dateKey
        bool flag = false; // Bit
        QString text;      // Text
    };

    // A comparison, or all / any of the child nodes.
    struct Node {
        enum class Type { Compare, All, Any };
        Type type = Type::Compare;
        int comparison = -1;
        std::vector<int> children;
    };

    std::vector<Comparison> comparisons;
    std::vector<Node> nodes;
    int root = -1;

    bool evaluate(int node, const QVariant *row) const;
    bool test(const Comparison &c, const QVariant *row) const;
};

namespace
{

using Op = FilterExpression::Program::Op;

template <typename T> int threeWay(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool holds(Op op, int order)
{
    switch (op) {
    case Op::Eq:
        return order == 0;
    case Op::Ne:
        return order != 0;
    case Op::Lt:
        return order < 0;
    case Op::Gt:
        return order > 0;
    case Op::Le:
        return order <= 0;
    case Op::Ge:
        return order >= 0;
    }
    return false;
}

} // namespace

bool FilterExpression::Program::evaluate(int node, const QVariant *row) const
{
    const Node &n = nodes[node];
    switch (n.type) {
    case Node::Type::Compare:
        return test(comparisons[n.comparison], row);
    case Node::Type::All:
        for (int child : n.children)
            if (!evaluate(child, row))
                return false;
        return true;
    case Node::Type::Any:
        for (int child : n.children)
            if (evaluate(child, row))
                return true;
        return false;
    }
    return false;
}

bool FilterExpression::Program::test(const Comparison &c, const QVariant *row) const
{
    const QVariant &v = row[c.column];
    switch (c.kind) {
    case ColumnKind::Text: {
        if (CellValue::isNull(v))
            return false;
        QString storage;
        const QStringView value = CellValue::toText(v, &storage);
        return holds(c.op, TextCompare::compareNoCase(value, c.text));
    }
    case ColumnKind::Real: {
        double x = 0;
        return CellValue::toReal(v, &x) && holds(c.op, threeWay(x, c.number));
    }
    case ColumnKind::Date: {
        int key = 0;
        return CellValue::toDateKey(v, &key) && holds(c.op, threeWay(key, c.date));
    }
    case ColumnKind::Bit: {
        bool b = false;
        return CellValue::toBit(v, &b) && holds(c.op, b == c.flag ? 0 : 1);
    }
    case ColumnKind::Blob:
        break;
    }
    return false;
}

// ---------------------------------------------------------------- Parser

namespace
{

// How a value was written: 'quoted', or bare up to the next AND / OR.
struct Literal {
    enum class Form { Quoted, Bare };
    Form form = Form::Bare;
    QString text;
};

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// A number in the locale's notation or with ".", whatever the locale.
bool readNumber(const QString &text, double *value, const QLocale &locale)
{
    return Numbers::tryParseReal(text, value, locale) || Numbers::tryParseReal(text, value, QLocale::c());
}

// Dates in filters: m/d/yyyy or the locale's short date.  Where the locale's short date has a
// two-digit year, the same date with all four digits is read too (31.12.2004 beside 31.12.04).
QDate readDate(const QString &text, const QLocale &locale)
{
    const QDate d = Dates::parseFilterDate(text, locale);
    if (d.isValid())
        return d;
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (format.contains(QLatin1String("yyyy")) || !format.contains(QLatin1String("yy")))
        return QDate();
    format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return locale.toDate(text.trimmed(), format);
}

// A yes/no column compares with 0 or 1, and with -1, the yes of older files.
bool readBit(const QString &text, bool *value, const QLocale &locale)
{
    double x = 0;
    if (!readNumber(text, &x, locale) || (x != 0 && x != 1 && x != -1))
        return false;
    *value = x != 0;
    return true;
}

class Parser
{
public:
    using Program = FilterExpression::Program;

    Parser(const QString &text, const ColumnList &columns, const QLocale &locale, Program &program)
        : m_text(text), m_columns(columns), m_locale(locale), m_program(program)
    {
    }

    void run()
    {
        m_program.root = parseAny(0);
        skipSpace();
        if (atEnd())
            return;
        if (peek() == QLatin1Char(')'))
            fail(QStringLiteral("there is a \")\" without a matching \"(\""));
        fail(QStringLiteral("unexpected text \"%1\"").arg(rest()));
    }

private:
    static constexpr int MaxDepth = 100; // parentheses nested deeper are refused, not followed

    [[noreturn]] void fail(const QString &reason) const
    {
        throw DatabaseError(QStringLiteral("The filter \"%1\" cannot be used: %2.").arg(m_text, reason));
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return m_text.at(m_pos); }
    QString rest() const { return m_text.mid(m_pos).trimmed(); }

    void skipSpace()
    {
        while (!atEnd() && peek().isSpace())
            ++m_pos;
    }

    // A keyword stands at i on its own: no letter, digit or "_" right after it.
    bool keywordAt(qsizetype i, QLatin1StringView word) const
    {
        if (i + word.size() > m_text.size())
            return false;
        if (QStringView(m_text).mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        return i + word.size() == m_text.size() || !isNameChar(m_text.at(i + word.size()));
    }

    bool takeKeyword(QLatin1StringView word)
    {
        skipSpace();
        if (!keywordAt(m_pos, word))
            return false;
        m_pos += word.size();
        return true;
    }

    int addNode(Program::Node node)
    {
        m_program.nodes.push_back(std::move(node));
        return static_cast<int>(m_program.nodes.size()) - 1;
    }

    // Operands joined by one connective become one node with all of them as children.
    template <typename Operand>
    int parseJoined(Program::Node::Type type, QLatin1StringView word, Operand operand)
    {
        const int first = operand();
        if (!takeKeyword(word))
            return first;
        Program::Node node;
        node.type = type;
        node.children.push_back(first);
        do
            node.children.push_back(operand());
        while (takeKeyword(word));
        return addNode(std::move(node));
    }

    int parseAny(int depth)
    {
        return parseJoined(Program::Node::Type::Any, QLatin1StringView("OR"),
                           [&] { return parseAll(depth); });
    }

    int parseAll(int depth)
    {
        return parseJoined(Program::Node::Type::All, QLatin1StringView("AND"),
                           [&] { return parsePrimary(depth); });
    }

    int parsePrimary(int depth)
    {
        skipSpace();
        if (atEnd())
            fail(m_program.nodes.empty() ? QStringLiteral("a comparison is expected")
                                         : QStringLiteral("a comparison is missing at the end"));
        if (peek() != QLatin1Char('('))
            return parseComparison();
        if (depth >= MaxDepth)
            fail(QStringLiteral("parentheses are nested too deeply"));
        ++m_pos;
        const int inner = parseAny(depth + 1);
        skipSpace();
        if (atEnd() || peek() != QLatin1Char(')'))
            fail(atEnd() ? QStringLiteral("a closing \")\" is missing")
                         : QStringLiteral("\")\" is expected before \"%1\"").arg(rest()));
        ++m_pos;
        return inner;
    }

    QString readName()
    {
        skipSpace();
        if (!atEnd() && peek() == QLatin1Char('[')) {
            const qsizetype close = m_text.indexOf(QLatin1Char(']'), m_pos + 1);
            if (close < 0)
                fail(QStringLiteral("a column name in brackets is not closed"));
            const QString name = m_text.mid(m_pos + 1, close - m_pos - 1).trimmed();
            m_pos = close + 1;
            return name;
        }
        const qsizetype start = m_pos;
        while (!atEnd() && isNameChar(peek()))
            ++m_pos;
        if (m_pos == start)
            fail(atEnd() ? QStringLiteral("a column name is expected at the end")
                         : QStringLiteral("a column name is expected at \"%1\"").arg(rest()));
        return m_text.mid(start, m_pos - start);
    }

    Op readOperator(const QString &field)
    {
        skipSpace();
        static const struct {
            const char *symbol;
            Op op;
        } symbols[] = {{"<>", Op::Ne}, {"<=", Op::Le}, {">=", Op::Ge},
                       {"<", Op::Lt},  {">", Op::Gt},  {"=", Op::Eq}};
        for (const auto &s : symbols) {
            const QLatin1StringView symbol(s.symbol);
            if (QStringView(m_text).mid(m_pos).startsWith(symbol)) {
                m_pos += symbol.size();
                return s.op;
            }
        }
        fail(QStringLiteral("a comparison operator (=, <>, <, >, <=, >=) is expected after %1").arg(field));
    }

    // Inside quotes a doubled quote stands for one.
    QString readQuoted()
    {
        const QChar quote = QLatin1Char('\'');
        QString value;
        for (qsizetype i = m_pos + 1; i < m_text.size(); ++i) {
            if (m_text.at(i) != quote) {
                value += m_text.at(i);
                continue;
            }
            if (i + 1 < m_text.size() && m_text.at(i + 1) == quote) {
                value += quote;
                ++i;
                continue;
            }
            m_pos = i + 1;
            return value;
        }
        fail(QStringLiteral("a quoted text is not closed"));
    }

    // Unquoted values run up to the next AND / OR, ")" or the end: short dates may hold blanks.
    QString readBare()
    {
        const qsizetype start = m_pos;
        qsizetype i = start;
        for (; i < m_text.size(); ++i) {
            if (m_text.at(i) == QLatin1Char(')'))
                break;
            if ((i == start || m_text.at(i - 1).isSpace()) &&
                (keywordAt(i, QLatin1StringView("AND")) || keywordAt(i, QLatin1StringView("OR"))))
                break;
        }
        m_pos = i;
        return m_text.mid(start, i - start).trimmed();
    }

    Literal readLiteral(const QString &what)
    {
        skipSpace();
        Literal literal;
        if (!atEnd() && peek() == QLatin1Char('\'')) {
            literal.form = Literal::Form::Quoted;
            literal.text = readQuoted();
        } else {
            literal.text = readBare();
            if (literal.text.isEmpty())
                fail(QStringLiteral("a value is expected after \"%1\"").arg(what));
        }
        return literal;
    }

    int parseComparison()
    {
        skipSpace();
        const qsizetype start = m_pos;
        const QString name = readName();
        const int column = columnIndex(m_columns, name);
        if (column < 0)
            fail(QStringLiteral("there is no column named %1").arg(name));
        const ColumnInfo &info = m_columns.at(column);
        Program::Comparison c;
        c.column = column;
        c.kind = info.kind;
        c.op = readOperator(info.name);
        const Literal literal = readLiteral(m_text.mid(start, m_pos - start));
        typeValue(info, literal, c);
        m_program.comparisons.push_back(std::move(c));
        Program::Node node;
        node.comparison = static_cast<int>(m_program.comparisons.size()) - 1;
        return addNode(std::move(node));
    }

    // The literal as a value of the column's kind, or the reason it is none.
    void typeValue(const ColumnInfo &info, const Literal &literal, Program::Comparison &c) const
    {
        const QString shown = quoted(literal);
        switch (info.kind) {
        case ColumnKind::Text: {
            double unused = 0;
            if (literal.form == Literal::Form::Quoted)
                c.text = literal.text;
            else if (readNumber(literal.text, &unused, m_locale))
                c.text = literal.text; // a number compares as the text it is written as
            else
                fail(QStringLiteral("%1 is not a text for the column %2; texts stand in quotes")
                         .arg(shown, info.name));
            return;
        }
        case ColumnKind::Real:
            if (!readNumber(literal.text, &c.number, m_locale))
                fail(QStringLiteral("%1 is not a number for the column %2").arg(shown, info.name));
            return;
        case ColumnKind::Date: {
            const QDate d = readDate(literal.text, m_locale);
            if (!d.isValid())
                fail(QStringLiteral("%1 is not a date for the column %2").arg(shown, info.name));
            c.date = dateKey(d);
            return;
        }
        case ColumnKind::Bit:
            if (c.op != Op::Eq && c.op != Op::Ne)
                fail(QStringLiteral("the yes/no column %1 can only be compared with = or <>").arg(info.name));
            if (!readBit(literal.text, &c.flag, m_locale))
                fail(QStringLiteral("%1 is not a yes/no value for the column %2").arg(shown, info.name));
            return;
        case ColumnKind::Blob:
            break;
        }
        fail(QStringLiteral("the column %1 holds pictures, which cannot be compared").arg(info.name));
    }

    static QString quoted(const Literal &literal)
    {
        if (literal.form == Literal::Form::Quoted)
            return QLatin1Char('\'') + literal.text + QLatin1Char('\'');
        return QLatin1Char('"') + literal.text + QLatin1Char('"');
    }

    const QString &m_text;
    const ColumnList &m_columns;
    const QLocale &m_locale;
    Program &m_program;
    qsizetype m_pos = 0;
};

} // namespace

// ---------------------------------------------------------------- FilterExpression

FilterExpression::FilterExpression() = default;

FilterExpression FilterExpression::parse(const QString &text, const ColumnList &columns,
                                         const QLocale &locale)
{
    FilterExpression filter;
    if (text.trimmed().isEmpty())
        return filter;
    auto program = std::make_shared<Program>();
    Parser(text, columns, locale, *program).run();
    filter.m_program = std::move(program);
    return filter;
}

bool FilterExpression::isEmpty() const
{
    return !m_program;
}

bool FilterExpression::usesColumn(int column) const
{
    if (!m_program)
        return false;
    for (const Program::Comparison &c : m_program->comparisons)
        if (c.column == column)
            return true;
    return false;
}

bool FilterExpression::matches(const QVariant *row) const
{
    return !m_program || m_program->evaluate(m_program->root, row);
}

// Filter texts, sort texts and the case-insensitive text comparison of the dataset layer, run over a
// small hand-made set of rows in the form the datasets hold them.

#include "data/ColumnInfo.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/FilterExpression.h"
#include "data/SortSpec.h"
#include "data/TextCompare.h"

#include <QTest>
#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

namespace
{

enum Col { TN, Home, Away, Result, DateP, Rnd, UOV, N, Team, Pos, PR, HA, TPic, ColCount };

ColumnList testColumns()
{
    const std::pair<const char *, const char *> declared[] = {
        {"TN", "NUMBER"},      {"Home", "TEXT(30)"}, {"Away", "TEXT(30)"}, {"Result", "TEXT(10)"},
        {"DateP", "DATE"},     {"Rnd", "NUMBER"},    {"UOV", "FLOAT"},     {"N", "NUMBER"},
        {"Team", "TEXT(30)"},  {"Pos", "TEXT(20)"},  {"PR", "NUMBER"},     {"HA", "BIT"},
        {"TPic", "LONGBINARY"}};
    ColumnList columns;
    for (const auto &[name, type] : declared)
        columns.append(ColumnInfo::fromDeclared(QString::fromUtf8(name), QString::fromUtf8(type)));
    return columns;
}

const QVariant Null;

QVariant text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QVariant real(double x)
{
    return x;
}

QVariant date(int y, int m, int d)
{
    return Dates::toStored(QDate(y, m, d));
}

QVariant bit(bool b)
{
    return qint64(b ? 1 : 0);
}

// Row i of the expected lists below is entry i here.
std::vector<QVariantList> testRows()
{
    return {
        // TN, Home, Away, Result, DateP, Rnd, UOV, N, Team, Pos, PR, HA, TPic
        {real(12), text("O'Neill Town"), text("Östersund"), text(":"), date(2004, 12, 31), real(3), real(2.5),
         real(7), text("A"), text("Goalkeeper"), real(100), bit(true), QByteArray("BM1")},
        {real(-1), text("Östersund"), text("O'Neill Town"), text("2:1"), date(2004, 1, 1), real(1), real(2.5),
         real(7), text("B"), text("goalkeeper"), real(3000), bit(false), QByteArray()},
        {real(7), text("Élan \"Stars\""), text("Semi;Colon"), text("1:1 OT"), date(2005, 1, 1), real(5),
         real(44.5), real(10), text("a"), text("Defender"), real(99.5), bit(true), Null},
        {real(12), text("100% Club"), text("Minus--Minus"), text(":"), date(2003, 12, 31), real(6),
         real(180.5), real(-1), text("A"), Null, real(3000.5), Null, Null},
        {Null, text("ÖSTERSUND"), Null, Null, Null, Null, Null, Null, Null, text(""), Null, Null, Null},
        {real(0), text("Zeta"), text("alpha"), text("0:0"), date(2004, 6, 15), real(3), real(-1.5), real(0),
         text("b"), text("Forward"), real(1500), bit(false), Null},
    };
}

QList<int> matchingRows(const FilterExpression &filter)
{
    const std::vector<QVariantList> rows = testRows();
    QList<int> matched;
    for (int i = 0; i < int(rows.size()); ++i)
        if (filter.matches(rows[i].constData()))
            matched.append(i);
    return matched;
}

int sign(int x)
{
    return (x > 0) - (x < 0);
}

} // namespace

class TestFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filterMatches_data();
    void filterMatches();
    void filterInLocale_data();
    void filterInLocale();
    void emptyFilterMatchesEverything();
    void cellsInOtherForms();
    void badFilterNamesItsText_data();
    void badFilterNamesItsText();

    void sortParses();
    void badSortNamesItsText_data();
    void badSortNamesItsText();
    void sortComparesByKind_data();
    void sortComparesByKind();
    void sortIsStableOnSeveralKeys();

    void textCompareIgnoresCase_data();
    void textCompareIgnoresCase();
};

void TestFilter::filterMatches_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<int>>("expected");

    // The texts the program builds.
    QTest::newRow("ticket number") << "TN = 12" << QList<int>{0, 3};
    QTest::newRow("negative number") << "TN = -1" << QList<int>{1};
    QTest::newRow("date range, both ends included")
        << "DateP >= 1/1/2004 AND DateP <= 12/31/2004" << QList<int>{0, 1, 5};
    QTest::newRow("upcoming") << "Result = ':'" << QList<int>{0, 3};
    QTest::newRow("played in a round") << "Result <> ':' AND Rnd = 3" << QList<int>{5};
    QTest::newRow("team with apostrophe")
        << "(Result = ':' AND Home = 'O''Neill Town') OR (Result = ':' AND Away = 'O''Neill Town')"
        << QList<int>{0};
    QTest::newRow("scores of a team")
        << "(Home = 'O''Neill Town' AND Result <> ':') OR (Away = 'O''Neill Town' AND Result <> ':')"
        << QList<int>{1};
    QTest::newRow("quoted number on a number column") << "N = '7' AND Team = 'A'" << QList<int>{0};
    QTest::newRow("rating range") << "PR >= 100 AND PR <= 3000" << QList<int>{0, 1, 5};
    QTest::newRow("round range") << "Rnd >= 1 AND Rnd <= 5" << QList<int>{0, 1, 2, 5};
    QTest::newRow("position, case ignored") << "Pos = 'Goalkeeper'" << QList<int>{0, 1};
    QTest::newRow("empty text is a value") << "Pos = ''" << QList<int>{4};

    // Names with characters that mean something elsewhere, and letters beyond ASCII.
    QTest::newRow("umlaut, case ignored") << "Home = 'östersund'" << QList<int>{1, 4};
    QTest::newRow("double quote inside single quotes") << "Home = 'élan \"stars\"'" << QList<int>{2};
    QTest::newRow("semicolon") << "Away = 'Semi;Colon'" << QList<int>{2};
    QTest::newRow("percent") << "Home = '100% Club'" << QList<int>{3};
    QTest::newRow("double dash") << "Away = 'Minus--Minus'" << QList<int>{3};
    QTest::newRow("keywords inside a text") << "Home = 'x AND y' OR Away = 'ALPHA'" << QList<int>{5};

    // Grammar: AND before OR, parentheses, letter case of keywords and names.
    QTest::newRow("AND binds tighter") << "Rnd = 3 OR Rnd = 5 AND Result = ':'" << QList<int>{0, 5};
    QTest::newRow("parentheses") << "(Rnd = 3 OR Rnd = 5) AND Result = ':'" << QList<int>{0};
    QTest::newRow("nested parentheses") << "((Rnd = 6) OR ((TN = -1)))" << QList<int>{1, 3};
    QTest::newRow("lower-case keywords and names")
        << "result = ':' and rnd = 3 or tn = -1" << QList<int>{0, 1};
    QTest::newRow("no blanks around operators") << "Rnd>=5 AND Result<>':'" << QList<int>{2};
    QTest::newRow("bracketed name") << "[Rnd] = 6" << QList<int>{3};
    QTest::newRow("deep but allowed nesting")
        << QString(QString(50, QLatin1Char('(')) + QStringLiteral("TN = -1") + QString(50, QLatin1Char(')')))
        << QList<int>{1};

    // Each kind compares as its kind.
    QTest::newRow("reals numerically, not as text") << "UOV < 10" << QList<int>{0, 1, 5};
    QTest::newRow("decimal value") << "UOV = 2.5" << QList<int>{0, 1};
    QTest::newRow("dates as dates") << "DateP > 6/1/2004" << QList<int>{0, 2, 5};
    QTest::newRow("quoted date") << "DateP = '1/1/2004'" << QList<int>{1};
    QTest::newRow("text order ignores case") << "Team < 'B'" << QList<int>{0, 2, 3};
    QTest::newRow("text order, greater") << "Team >= 'b'" << QList<int>{1, 5};
    QTest::newRow("bare number on a text column") << "Team <> 1" << QList<int>{0, 1, 2, 3, 5};
    QTest::newRow("yes/no as number") << "HA = 0" << QList<int>{1, 5};
    QTest::newRow("yes/no not equal") << "HA <> 1" << QList<int>{1, 5};
    QTest::newRow("yes/no as -1, older files' yes") << "HA = -1" << QList<int>{0, 2};

    // A NULL field makes every comparison false.
    QTest::newRow("NULL is not equal") << "Rnd = 3 OR Rnd <> 3" << QList<int>{0, 1, 2, 3, 5};
    QTest::newRow("NULL text is not unequal") << "Result <> 'x'" << QList<int>{0, 1, 2, 3, 5};
    QTest::newRow("NULL date is not earlier") << "DateP < 1/1/2100" << QList<int>{0, 1, 2, 3, 5};
}

void TestFilter::filterMatches()
{
    QFETCH(QString, filter);
    QFETCH(QList<int>, expected);
    const FilterExpression f =
        FilterExpression::parse(filter, testColumns(), QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(!f.isEmpty());
    QCOMPARE(matchingRows(f), expected);
}

void TestFilter::filterInLocale_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<int>>("expected");

    const QDate lastDay(2004, 12, 31);
    for (const char *name : {"en_US", "de_DE"}) {
        const QString localeName = QString::fromLatin1(name);
        const QLocale locale(localeName);
        // As the history and next-days filters build it.
        QTest::addRow("%s short date", name)
            << localeName << QString(QStringLiteral("DateP < ") + Dates::toShortDate(lastDay, locale))
            << QList<int>{1, 3, 5};
        QTest::addRow("%s m/d/yyyy", name)
            << localeName << "DateP >= 1/1/2004 AND DateP <= 12/31/2004" << QList<int>{0, 1, 5};
        QTest::addRow("%s point", name) << localeName << "UOV = 2.5" << QList<int>{0, 1};
        QTest::addRow("%s negative decimal", name) << localeName << "UOV > -2 AND UOV < -1" << QList<int>{5};
    }
    QTest::newRow("en_US two-digit year") << "en_US"
                                          << "DateP < 12/31/04" << QList<int>{1, 3, 5};
    QTest::newRow("de_DE four-digit year") << "de_DE"
                                           << "DateP < 31.12.2004" << QList<int>{1, 3, 5};
    QTest::newRow("de_DE two-digit year") << "de_DE"
                                          << "DateP <= 31.12.04 AND Rnd = 3" << QList<int>{0, 5};
    QTest::newRow("de_DE comma") << "de_DE"
                                 << "UOV = 2,5" << QList<int>{0, 1};
    QTest::newRow("de_DE quoted comma") << "de_DE"
                                        << "UOV = '44,5'" << QList<int>{2};
    QTest::newRow("sk_SK date with blanks")
        << "sk_SK"
        << "DateP >= 1. 1. 2004 AND DateP < 31. 12. 2004" << QList<int>{1, 5};
}

void TestFilter::filterInLocale()
{
    QFETCH(QString, localeName);
    QFETCH(QString, filter);
    QFETCH(QList<int>, expected);
    const FilterExpression f = FilterExpression::parse(filter, testColumns(), QLocale(localeName));
    QCOMPARE(matchingRows(f), expected);
}

void TestFilter::emptyFilterMatchesEverything()
{
    for (const QString &blank : {QString(), QStringLiteral("  ")}) {
        const FilterExpression f = FilterExpression::parse(blank, testColumns());
        QVERIFY(f.isEmpty());
        QCOMPARE(matchingRows(f), (QList<int>{0, 1, 2, 3, 4, 5}));
    }
    QVERIFY(FilterExpression().isEmpty());
}

// Values written by other tools may reach a row as integers, texts or dates; they compare alike.
void TestFilter::cellsInOtherForms()
{
    const ColumnList columns = testColumns();
    QVariantList row(ColCount);
    row[TN] = qint64(12);
    row[Rnd] = QStringLiteral("3");
    row[DateP] = QDate(2004, 12, 31);
    row[PR] = std::numeric_limits<double>::quiet_NaN();
    row[HA] = true;
    const QLocale c = QLocale::c();
    QVERIFY(FilterExpression::parse(QStringLiteral("TN = 12 AND Rnd = 3 AND HA = 1"), columns, c)
                .matches(row.constData()));
    QVERIFY(
        FilterExpression::parse(QStringLiteral("DateP = 12/31/2004"), columns, c).matches(row.constData()));
    QVERIFY(
        !FilterExpression::parse(QStringLiteral("PR = 0 OR PR <> 0"), columns, c).matches(row.constData()));
    row[DateP] = QStringLiteral("2004-12-31 00:00:00");
    QVERIFY(
        FilterExpression::parse(QStringLiteral("DateP = 12/31/2004"), columns, c).matches(row.constData()));
    row[DateP] = QStringLiteral("not a date");
    QVERIFY(
        !FilterExpression::parse(QStringLiteral("DateP <> 12/31/2004"), columns, c).matches(row.constData()));
}

void TestFilter::badFilterNamesItsText_data()
{
    QTest::addColumn<QString>("filter");

    QTest::newRow("open parenthesis") << "(Result = ':' AND Rnd = 3";
    QTest::newRow("close parenthesis") << "Result = ':')";
    QTest::newRow("empty parentheses") << "()";
    QTest::newRow("open quote") << "Result = ':";
    QTest::newRow("open double quote") << "Home = \"x";
    QTest::newRow("open #") << "DateP = #1/1/2004";
    QTest::newRow("missing operator") << "Result ':'";
    QTest::newRow("unknown operator") << "Rnd != 3";
    QTest::newRow("missing value") << "Result =";
    QTest::newRow("missing value before AND") << "Rnd = AND Result = ':'";
    QTest::newRow("missing comparison after AND") << "Rnd = 1 AND";
    QTest::newRow("missing AND") << "Rnd = 3 Result = ':'";
    QTest::newRow("trailing garbage") << "Result = ':' xyz";
    QTest::newRow("unknown column") << "Nope = 1";
    QTest::newRow("keyword first") << "AND Rnd = 1";
    QTest::newRow("word for a number") << "Rnd = abc";
    QTest::newRow("quoted word for a number") << "TN = 'seven'";
    QTest::newRow("comma in a point locale") << "UOV = 2,5";
    QTest::newRow("no such day") << "DateP < 2/31/2005";
    QTest::newRow("number for a date") << "DateP = 5";
    QTest::newRow("unquoted word for a text") << "Home = Zeta";
    QTest::newRow("date between # for a number") << "Rnd = #1/1/2004#";
    QTest::newRow("order on yes/no") << "HA < 1";
    QTest::newRow("word for yes/no") << "HA = maybe";
    QTest::newRow("picture column") << "TPic = 1";
    QTest::newRow("LIKE on a number") << "Rnd LIKE '1*'";
    // The program writes only single-quoted texts and bare dates; other notations are refused.
    QTest::newRow("LIKE is no operator") << "Home LIKE 'A*'";
    QTest::newRow("date between #") << "DateP = #12/31/2004#";
    QTest::newRow("yes/no as word") << "HA = True";
    QTest::newRow("double-quoted text") << "Home = \"Alpha\"";
    QTest::newRow("too deep nesting") << QString(QString(500, QLatin1Char('(')) + QStringLiteral("Rnd = 1") +
                                                 QString(500, QLatin1Char(')')));
    QTest::newRow("percent and placeholders in the text") << "Home = '%1' AND %2";
}

void TestFilter::badFilterNamesItsText()
{
    QFETCH(QString, filter);
    try {
        FilterExpression::parse(filter, testColumns(), QLocale(QLocale::English, QLocale::UnitedStates));
        QFAIL("no error for a text that does not parse");
    } catch (const DatabaseError &e) {
        QVERIFY2(e.message().contains(filter), qPrintable(e.message()));
    }
}

void TestFilter::sortParses()
{
    const ColumnList columns = testColumns();
    const SortSpec three = SortSpec::parse(QStringLiteral("Rnd DESC, UOV desc,Home"), columns);
    QCOMPARE(three.keys().size(), 3);
    QCOMPARE(three.keys()[0].column, int(Rnd));
    QVERIFY(three.keys()[0].descending);
    QCOMPARE(three.keys()[1].column, int(UOV));
    QVERIFY(three.keys()[1].descending);
    QCOMPARE(three.keys()[2].column, int(Home));
    QVERIFY(!three.keys()[2].descending);

    const SortSpec asc = SortSpec::parse(QStringLiteral(" datep ASC "), columns);
    QCOMPARE(asc.keys().size(), 1);
    QCOMPARE(asc.keys()[0].column, int(DateP));
    QVERIFY(!asc.keys()[0].descending);

    const SortSpec bracketed = SortSpec::parse(QStringLiteral("[Team] DESC"), columns);
    QCOMPARE(bracketed.keys()[0].column, int(Team));
    QVERIFY(bracketed.keys()[0].descending);

    QVERIFY(SortSpec::parse(QString(), columns).isEmpty());
    QVERIFY(SortSpec::parse(QStringLiteral("  "), columns).isEmpty());
}

void TestFilter::badSortNamesItsText_data()
{
    QTest::addColumn<QString>("sort");
    QTest::newRow("unknown column") << "Nope DESC";
    QTest::newRow("glued direction") << "TeamDESC";
    QTest::newRow("unknown direction") << "Team DOWN";
    QTest::newRow("two directions") << "Team DESC DESC";
    QTest::newRow("trailing comma") << "Team,";
    QTest::newRow("leading comma") << ", Team";
    QTest::newRow("open bracket") << "[Team DESC";
}

void TestFilter::badSortNamesItsText()
{
    QFETCH(QString, sort);
    try {
        SortSpec::parse(sort, testColumns());
        QFAIL("no error for a sort text that does not parse");
    } catch (const DatabaseError &e) {
        QVERIFY2(e.message().contains(sort), qPrintable(e.message()));
    }
}

void TestFilter::sortComparesByKind_data()
{
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QVariant>("a");
    QTest::addColumn<QVariant>("b");
    QTest::addColumn<int>("expected");

    QTest::newRow("text, case ignored") << "Home" << text("Öl") << text("öl") << 0;
    QTest::newRow("text, not in code order of cases") << "Home" << text("b") << text("C") << -1;
    QTest::newRow("text, accented capitals") << "Home" << text("ÉB") << text("éa") << 1;
    QTest::newRow("NULL before empty text") << "Home" << Null << text("") << -1;
    QTest::newRow("NULL equals NULL") << "Home" << Null << Null << 0;
    QTest::newRow("NULL last when descending") << "Home DESC" << Null << text("a") << 1;
    QTest::newRow("reals as numbers") << "UOV" << real(2.5) << real(10) << -1;
    QTest::newRow("negative reals") << "UOV" << real(-1.5) << real(0) << -1;
    QTest::newRow("reals descending") << "UOV DESC" << real(2.5) << real(10) << 1;
    QTest::newRow("NULL before a negative real") << "UOV" << Null << real(-1e9) << -1;
    QTest::newRow("dates as dates") << "DateP" << date(2004, 12, 31) << date(2005, 1, 1) << -1;
    QTest::newRow("NULL before a date") << "DateP" << Null << date(1950, 1, 1) << -1;
    QTest::newRow("yes after no") << "HA" << bit(true) << bit(false) << 1;
    QTest::newRow("pictures are not compared")
        << "TPic" << QVariant(QByteArray("B")) << QVariant(QByteArray("A")) << 0;
    QTest::newRow("pictures, NULL neither") << "TPic" << Null << QVariant(QByteArray("A")) << 0;
}

void TestFilter::sortComparesByKind()
{
    QFETCH(QString, sort);
    QFETCH(QVariant, a);
    QFETCH(QVariant, b);
    QFETCH(int, expected);
    const SortSpec spec = SortSpec::parse(sort, testColumns());
    const int column = spec.keys().first().column;
    QVariantList rowA(ColCount), rowB(ColCount);
    rowA[column] = a;
    rowB[column] = b;
    QCOMPARE(sign(spec.compare(rowA.constData(), rowB.constData())), expected);
    QCOMPARE(sign(spec.compare(rowB.constData(), rowA.constData())), -expected);
}

// As the datasets sort: std::stable_sort of row indices, so rows equal on every key keep their order.
void TestFilter::sortIsStableOnSeveralKeys()
{
    const ColumnList columns = testColumns();
    std::vector<QVariantList> rows = testRows();
    const auto sorted = [&](const QString &text) {
        const SortSpec spec = SortSpec::parse(text, columns);
        std::vector<int> order(rows.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return spec.compare(rows[a].constData(), rows[b].constData()) < 0;
        });
        return QList<int>(order.begin(), order.end());
    };
    // Rnd: NULL, 1, 3, 3, 5, 6 descending; rows 0 and 5 tie on Rnd and are split by UOV.
    QCOMPARE(sorted(QStringLiteral("Rnd DESC, UOV DESC")), (QList<int>{3, 2, 0, 5, 1, 4}));
    // Rows 0 and 1 tie on UOV 2.5, and both have a picture key that never decides: stored order stays.
    QCOMPARE(sorted(QStringLiteral("UOV, TPic")), (QList<int>{4, 5, 0, 1, 2, 3}));
    // Team: "A" "a" "A" tie and keep their order, "B" "b" too.
    QCOMPARE(sorted(QStringLiteral("Team")), (QList<int>{4, 0, 2, 3, 1, 5}));
    QCOMPARE(sorted(QStringLiteral("Team DESC")), (QList<int>{1, 5, 0, 2, 3, 4}));
    // Home ignoring case: "Östersund" and "ÖSTERSUND" tie.
    const QList<int> byHome = sorted(QStringLiteral("Home"));
    QCOMPARE(byHome.indexOf(4), byHome.indexOf(1) + 1);
}

void TestFilter::textCompareIgnoresCase_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("equal");

    QTest::newRow("ASCII") << "Team A"
                           << "tEAM a" << true;
    QTest::newRow("umlaut") << "Ö"
                            << "ö" << true;
    QTest::newRow("acute") << "ÉLAN"
                           << "élan" << true;
    QTest::newRow("Greek final sigma") << "ΣΟΦΟΣ"
                                       << "σοφος" << true;
    QTest::newRow("Cyrillic") << "ДИНАМО"
                              << "динамо" << true;
    QTest::newRow("beyond the BMP") << QString::fromUtf16(u"\U00010400x")
                                    << QString::fromUtf16(u"\U00010428X") << true;
    QTest::newRow("different letters") << "Ö"
                                       << "o" << false;
    QTest::newRow("prefix only") << "Öster"
                                 << "Östersund" << false;
}

void TestFilter::textCompareIgnoresCase()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, equal);
    QCOMPARE(TextCompare::equalNoCase(a, b), equal);
    QCOMPARE(TextCompare::compareNoCase(a, b) == 0, equal);
    QCOMPARE(sign(TextCompare::compareNoCase(a, b)), -sign(TextCompare::compareNoCase(b, a)));
    QCOMPARE(TextCompare::startsWithNoCase(QString(a + QStringLiteral("suffix")), b), equal);
    QVERIFY(TextCompare::startsWithNoCase(QString(b + QStringLiteral("!")), b.toUpper()));
}

QTEST_GUILESS_MAIN(TestFilter)
#include "tst_filter.moc"

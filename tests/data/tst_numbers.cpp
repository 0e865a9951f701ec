#include "data/CellText.h"
#include "data/Dates.h"
#include "data/Errors.h"
#include "data/Numbers.h"
#include "support/CLibraryLocale.h"

#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <cstdio>

class TestNumbers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundHalfEven_data();
    void roundHalfEven();
    void round2_data();
    void round2();
    void formatGeneral_data();
    void formatGeneral();
    void parseReal_data();
    void parseReal();
    void parseInt_data();
    void parseInt();
    void priceCells_data();
    void priceCells();
    void dates();
    void sameDigitsWhateverTheCLibraryLocale();
    void dateFieldOrder_data();
    void dateFieldOrder();
    void seasons_data();
    void seasons();
};

void TestNumbers::roundHalfEven_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("0.5") << 0.5 << qint64(0);
    QTest::newRow("1.5") << 1.5 << qint64(2);
    QTest::newRow("2.5") << 2.5 << qint64(2);
    QTest::newRow("-0.5") << -0.5 << qint64(0);
    QTest::newRow("-1.5") << -1.5 << qint64(-2);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("1673.97") << 1673.97 << qint64(1674);
    QTest::newRow("1526.03") << 1526.03 << qint64(1526);
}

void TestNumbers::roundHalfEven()
{
    QFETCH(double, x);
    QFETCH(qint64, expected);
    QCOMPARE(Numbers::roundHalfEven(x), expected);
    QCOMPARE(Numbers::roundHalfEven(static_cast<long double>(x)), expected);
}

void TestNumbers::round2_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");
    QTest::newRow("7.126") << 7.126 << 7.13;
    QTest::newRow("1.005 (binary 1.00499...)") << 1.005 << 1.01;
    QTest::newRow("2.675 (binary 2.67499...)") << 2.675 << 2.68;
    QTest::newRow("-20 exact loss") << -20.0 << -20.0;
    QTest::newRow("-7.4405") << -7.4405 << -7.44;
    QTest::newRow("-7.994") << -7.994 << -7.99;
    QTest::newRow("-5.504") << -5.504 << -5.5;
    QTest::newRow("-12.346") << -12.346 << -12.35;
    QTest::newRow("-0.005 half away from zero") << -0.005 << -0.01;
    QTest::newRow("0.004") << 0.004 << 0.0;
    QTest::newRow("6.0074") << 6.0074 << 6.01;
    QTest::newRow("computed return 2.10/3.20/3.50")
        << (1.0 / 2.10 + 1.0 / 3.20 + 1.0 / 3.50 - 1.0) * -100.0 << -7.44;
    QTest::newRow("large") << 123456789.125 << 123456789.13;
    QTest::newRow("zero") << 0.0 << 0.0;
}

void TestNumbers::round2()
{
    QFETCH(double, x);
    QFETCH(double, expected);
    QCOMPARE(Numbers::round2(x), expected);
}

void TestNumbers::formatGeneral_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("dot");
    QTest::addColumn<QString>("comma");
    QTest::newRow("2.5") << 2.5 << QStringLiteral("2.5") << QStringLiteral("2,5");
    QTest::newRow("180.5") << 180.5 << QStringLiteral("180.5") << QStringLiteral("180,5");
    QTest::newRow("3") << 3.0 << QStringLiteral("3") << QStringLiteral("3");
    QTest::newRow("-1") << -1.0 << QStringLiteral("-1") << QStringLiteral("-1");
    QTest::newRow("0.1+0.2 shows 15 digits") << 0.1 + 0.2 << QStringLiteral("0.3") << QStringLiteral("0,3");
    QTest::newRow("-7.44") << -7.44 << QStringLiteral("-7.44") << QStringLiteral("-7,44");
    QTest::newRow("1500") << 1500.0 << QStringLiteral("1500") << QStringLiteral("1500");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0") << QStringLiteral("0");
}

void TestNumbers::formatGeneral()
{
    QFETCH(double, x);
    QFETCH(QString, dot);
    QFETCH(QString, comma);
    QCOMPARE(Numbers::formatGeneral(x, QLocale(QLocale::English, QLocale::UnitedStates)), dot);
    QCOMPARE(Numbers::formatGeneral(x, QLocale(QLocale::German, QLocale::Germany)), comma);
}

void TestNumbers::parseReal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("commaLocale");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("dot 2.5") << QStringLiteral("2.5") << false << true << 2.5;
    QTest::newRow("dot 3,00 refused") << QStringLiteral("3,00") << false << false << 0.0;
    QTest::newRow("comma 3,00") << QStringLiteral("3,00") << true << true << 3.0;
    QTest::newRow("comma 1.50 refused") << QStringLiteral("1.50") << true << false << 0.0;
    QTest::newRow("whole") << QStringLiteral("7") << false << true << 7.0;
    QTest::newRow("signed") << QStringLiteral("-1.25") << false << true << -1.25;
    QTest::newRow("blanks around") << QStringLiteral(" 2.5 ") << false << true << 2.5;
    QTest::newRow("empty") << QString() << false << false << 0.0;
    QTest::newRow("letters") << QStringLiteral("abc") << false << false << 0.0;
    QTest::newRow("two separators") << QStringLiteral("1.2.3") << false << false << 0.0;
    QTest::newRow("thousands group refused") << QStringLiteral("1,500.5") << false << false << 0.0;
}

void TestNumbers::parseReal()
{
    QFETCH(QString, text);
    QFETCH(bool, commaLocale);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const QLocale locale = commaLocale ? QLocale(QLocale::German, QLocale::Germany)
                                       : QLocale(QLocale::English, QLocale::UnitedStates);
    if (ok) {
        QCOMPARE(Numbers::parseReal(text, locale), value);
        return;
    }
    try {
        Numbers::parseReal(text, locale);
        QFAIL("accepted");
    } catch (const ConversionError &e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
}

void TestNumbers::parseInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("+200") << QStringLiteral("+200") << true << 200;
    QTest::newRow("-150") << QStringLiteral("-150") << true << -150;
    QTest::newRow("0") << QStringLiteral("0") << true << 0;
    QTest::newRow("2.5") << QStringLiteral("2.5") << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("sign only") << QStringLiteral("-") << false << 0;
    QTest::newRow("too large") << QStringLiteral("99999999999") << false << 0;
}

void TestNumbers::parseInt()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    if (ok) {
        QCOMPARE(Numbers::parseInt(text), value);
        return;
    }
    try {
        Numbers::parseInt(text);
        QFAIL("accepted");
    } catch (const ConversionError &e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void TestNumbers::priceCells_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("dot");
    QTest::addColumn<QString>("comma");
    const QString O1 = QStringLiteral("O1");
    QTest::newRow("one decimal") << O1 << QVariant(QStringLiteral("15.6")) << "15.60"
                                 << "15,60";
    QTest::newRow("two decimals") << O1 << QVariant(QStringLiteral("3.40")) << "3.40"
                                  << "3,40";
    QTest::newRow("typed with a comma") << QStringLiteral("OX") << QVariant(QStringLiteral("2,1")) << "2.10"
                                        << "2,10";
    QTest::newRow("three decimals round")
        << QStringLiteral("O2") << QVariant(QStringLiteral("1.005")) << "1.01"
        << "1,01";
    QTest::newRow("a bet's price") << QStringLiteral("Price") << QVariant(QStringLiteral("6.00")) << "6.00"
                                   << "6,00";
    QTest::newRow("a thousand, no group separator") << O1 << QVariant(QStringLiteral("1000.5")) << "1000.50"
                                                    << "1000,50";
    QTest::newRow("fractional as typed") << O1 << QVariant(QStringLiteral("5/2")) << "5/2"
                                         << "5/2";
    QTest::newRow("American as typed") << O1 << QVariant(QStringLiteral("+150")) << "+150"
                                       << "+150";
    QTest::newRow("no odds") << O1 << QVariant(QStringLiteral("-")) << "-"
                             << "-";
    QTest::newRow("nothing stored") << O1 << QVariant() << ""
                                    << "";
    QTest::newRow("not a price column")
        << QStringLiteral("PResult") << QVariant(QStringLiteral("2.1")) << "2.1"
        << "2.1";
}

void TestNumbers::priceCells()
{
    QFETCH(QString, column);
    QFETCH(QVariant, stored);
    QFETCH(QString, dot);
    QFETCH(QString, comma);
    const ColumnInfo info{column, ColumnKind::Text, 7};
    for (const auto &[locale, expected] : {std::pair{QLocale(QLocale::English, QLocale::UnitedStates), dot},
                                           std::pair{QLocale(QLocale::German, QLocale::Germany), comma}}) {
        QLocale::setDefault(locale);
        QCOMPARE(cellText(stored, info), expected);
    }
    QLocale::setDefault(QLocale::c());
    QCOMPARE(Numbers::formatPrice(2.1, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("2,10"));
}

void TestNumbers::dates()
{
    QCOMPARE(Dates::encode(2004, 2, 29), QDate(2004, 2, 29));
    try {
        Dates::encode(2005, 4, 31);
        QFAIL("31 April accepted");
    } catch (const DateError &e) {
        QCOMPARE(e.message(), QStringLiteral("Invalid argument to date encode"));
    }
    QVERIFY_THROWS_EXCEPTION(DateError, Dates::encode(2005, 2, 29));
    QCOMPARE(Dates::toStored(QDate(2005, 8, 1)), QStringLiteral("2005-08-01"));
    QCOMPARE(Dates::fromStored(QStringLiteral("2005-08-01")), QDate(2005, 8, 1));
    QCOMPARE(Dates::toFilterText(QDate(2004, 12, 31)), QStringLiteral("12/31/2004"));
    QCOMPARE(Dates::parseFilterDate(QStringLiteral("12/31/2004")), QDate(2004, 12, 31));
    const QLocale de(QLocale::German, QLocale::Germany);
    QCOMPARE(Dates::parseFilterDate(Dates::toShortDate(QDate(2004, 12, 31), de), de), QDate(2004, 12, 31));
    // The years of dates reach back to 1850, but a two-digit year still reads as 19yy or 20yy.
    QCOMPARE(Dates::parseFilterDate(QStringLiteral("14.08.49"), de), QDate(2049, 8, 14));
    QCOMPARE(Dates::parseFilterDate(QStringLiteral("14.08.50"), de), QDate(1950, 8, 14));
    QCOMPARE(Dates::parseFilterDate(QStringLiteral("8/9/1888"), de), QDate(1888, 8, 9));
    QCOMPARE(Dates::fullYear(0), 2000);
    QCOMPARE(Dates::fullYear(49), 2049);
    QCOMPARE(Dates::fullYear(50), 1950);
    QCOMPARE(Dates::fullYear(99), 1999);
    // Four-digit years in the locale's order.
    QCOMPARE(Dates::toShortDateLongYear(QDate(2024, 8, 4), de), QStringLiteral("04.08.2024"));
    QCOMPARE(Dates::toShortDateLongYear(QDate(2024, 8, 4), QLocale(QLocale::English, QLocale::UnitedStates)),
             QStringLiteral("8/4/2024"));
    QCOMPARE(Dates::toShortDateLongYear(QDate(2024, 8, 4), QLocale(QLocale::English, QLocale::UnitedKingdom)),
             QStringLiteral("04/08/2024"));

    // The season around a day: from 1 July the next season has begun.
    for (const auto &[day, start] :
         {std::pair{QDate(2024, 6, 30), QDate(2023, 7, 1)}, std::pair{QDate(2024, 7, 1), QDate(2024, 7, 1)},
          std::pair{QDate(2025, 1, 15), QDate(2024, 7, 1)}}) {
        QCOMPARE(Dates::seasonAround(day).first, start);
        QCOMPARE(Dates::seasonAround(day).last, start.addYears(1).addDays(-1));
    }
}

// The program's own QCoreApplication hands the user's locale to the C library, whose printf then writes
// "2,5" in a decimal-comma locale; the number rules never go through it.
void TestNumbers::sameDigitsWhateverTheCLibraryLocale()
{
    QTemporaryDir dir;
    const QString locpath = compileCLibraryLocale(dir.path(), QStringLiteral("de_DE.UTF-8"));
    if (locpath.isEmpty())
        QSKIP("localedef or the de_DE locale sources are missing");
    qputenv("LOCPATH", QFile::encodeName(locpath));
    struct Restore {
        ~Restore()
        {
            std::setlocale(LC_NUMERIC, "C");
            qunsetenv("LOCPATH");
        }
    } restore;
    QVERIFY(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"));
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 2.5);
    QCOMPARE(QByteArray(printed), QByteArray("2,5")); // the C library now writes a decimal comma

    QCOMPARE(Numbers::formatGeneral(2.5, QLocale::c()), QStringLiteral("2.5"));
    QCOMPARE(Numbers::formatGeneral(-0.000012345, QLocale::c()), QStringLiteral("-1.2345E-5"));
    QCOMPARE(Numbers::formatGeneral(2.5, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("2,5"));
    QCOMPARE(Numbers::round2(1.005), 1.01);
    QCOMPARE(Numbers::round2(-7.4405), -7.44);
    QCOMPARE(Numbers::round2(123456.785), 123456.79);
}

void TestNumbers::dateFieldOrder_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("order"); // the fields, M, D and Y
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "MDY"
                           << "Date (MM/DD/YYYY):"
                           << "Date (month/day/year)";
    // The C locale writes its short date "24 Aug 2024"; its fields keep the program's order.
    QTest::newRow("C") << QLocale::c() << "MDY"
                       << "Date (MM/DD/YYYY):"
                       << "Date (month/day/year)";
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "DMY"
                           << "Date (DD.MM.YYYY):"
                           << "Date (day/month/year)";
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "DMY"
                           << "Date (DD/MM/YYYY):"
                           << "Date (day/month/year)";
    QTest::newRow("nl_NL") << QLocale(QLocale::Dutch, QLocale::Netherlands) << "DMY"
                           << "Date (DD-MM-YYYY):"
                           << "Date (day/month/year)";
    QTest::newRow("ja_JP") << QLocale(QLocale::Japanese, QLocale::Japan) << "YMD"
                           << "Date (YYYY/MM/DD):"
                           << "Date (year/month/day)";
    // "yyyy. MM. dd.": the mark without its space.
    QTest::newRow("hu_HU") << QLocale(QLocale::Hungarian, QLocale::Hungary) << "YMD"
                           << "Date (YYYY.MM.DD):"
                           << "Date (year/month/day)";
}

void TestNumbers::dateFieldOrder()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, order);
    QFETCH(QString, label);
    QFETCH(QString, caption);
    QString letters;
    for (const Dates::Field f : Dates::fieldOrder(locale))
        letters += QLatin1Char(f == Dates::Field::Month ? 'M' : f == Dates::Field::Day ? 'D' : 'Y');
    QCOMPARE(letters, order);
    QCOMPARE(Dates::fieldsLabel(locale), label);
    QCOMPARE(Dates::rangeCaption(locale), caption);
}

void TestNumbers::seasons_data()
{
    QTest::addColumn<int>("firstYear");
    QTest::addColumn<int>("lastYear");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::newRow("across two years") << 2023 << 2024 << QDate(2023, 7, 1) << QDate(2024, 6, 30);
    QTest::newRow("within one year") << 2024 << 2024 << QDate(2024, 1, 1) << QDate(2024, 12, 31);
    QTest::newRow("years given the wrong way round")
        << 2006 << 2005 << QDate(2005, 7, 1) << QDate(2006, 6, 30);
}

void TestNumbers::seasons()
{
    QFETCH(int, firstYear);
    QFETCH(int, lastYear);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    const Dates::Span season = Dates::season(firstYear, lastYear);
    QCOMPARE(season.first, first);
    QCOMPARE(season.last, last);
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"

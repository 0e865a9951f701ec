#include "data/Errors.h"
#include "entry/Odds.h"
#include "support/RecordingMessenger.h"

#include <QTest>
#include <cmath>

namespace
{

const QLocale kDot(QLocale::English, QLocale::UnitedStates);
const QLocale kComma(QLocale::German, QLocale::Germany);
const QChar kBackspace(u'\b');

// The texts shown with four decimals (1.6667) are compared at that precision.
bool samePrice(double actual, double expected)
{
    return std::fabs(actual - expected) < 5e-5;
}

} // namespace

class TestOdds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void notationChooser_data();
    void notationChooser();
    void detectOddsType_data();
    void detectOddsType();
    void filterOddsKey_data();
    void filterOddsKey();
    void invalidValueMessage_data();
    void invalidValueMessage();
    void parseOddsAccepted_data();
    void parseOddsAccepted();
    void parseOddsRefused_data();
    void parseOddsRefused();
    void parseOddsAutoType_data();
    void parseOddsAutoType();
    void oddsToDecimal_data();
    void oddsToDecimal();
    void oddsToDecimalRaises_data();
    void oddsToDecimalRaises();
    void oddsReturnPercent_data();
    void oddsReturnPercent();
    void oddsReturnPercentRefused_data();
    void oddsReturnPercentRefused();
};

void TestOdds::notationChooser_data()
{
    QTest::addColumn<QString>("chooserText");
    QTest::addColumn<int>("position");

    QTest::newRow("decimal item") << QStringLiteral("EU (e.g. 2.00)") << int(Odds::Decimal);
    QTest::newRow("fractional item") << QStringLiteral("UK (e.g. 1/2)") << int(Odds::Fractional);
    QTest::newRow("american item") << QStringLiteral("US (e.g. +200)") << int(Odds::American);
    QTest::newRow("letter case ignored") << QStringLiteral("us (E.G. +200)") << int(Odds::American);
    QTest::newRow("part of an item") << QStringLiteral("EU") << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestOdds::notationChooser()
{
    QFETCH(QString, chooserText);
    QFETCH(int, position);

    QCOMPARE(Odds::notationOfItem(chooserText), position);
    if (position >= 0)
        QCOMPARE(Odds::notationItems().at(position).toLower(), chooserText.toLower());
    QCOMPARE(Odds::notationItems().size(), 3);
    QCOMPARE(Odds::invalidOddsTypeMessage(), QStringLiteral("Invalid odds type"));
}

void TestOdds::detectOddsType_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("notation");

    QTest::newRow("1.85") << QStringLiteral("1.85") << int(Odds::Decimal);
    QTest::newRow("1,85") << QStringLiteral("1,85") << int(Odds::Decimal);
    QTest::newRow("4/5") << QStringLiteral("4/5") << int(Odds::Fractional);
    QTest::newRow("+120") << QStringLiteral("+120") << int(Odds::American);
    QTest::newRow("-150") << QStringLiteral("-150") << int(Odds::American);
    QTest::newRow("minus alone") << QStringLiteral("-") << int(Odds::American);
    QTest::newRow("2") << QStringLiteral("2") << int(Odds::American);
    QTest::newRow("empty") << QString() << int(Odds::American);
    // The decimal marks are tested before the slash (the lenient conversion does the opposite).
    QTest::newRow("slash and dot") << QStringLiteral("2/1.5") << int(Odds::Decimal);
}

void TestOdds::detectOddsType()
{
    QFETCH(QString, text);
    QFETCH(int, notation);

    QCOMPARE(Odds::DetectOddsType(text), notation);
}

void TestOdds::filterOddsKey_data()
{
    QTest::addColumn<Odds::Filter>("variant");
    QTest::addColumn<int>("notation");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("accepted");

    const auto me = Odds::Filter::MatchEntry;
    const auto bet = Odds::Filter::BetDialog;
    const QChar dot(u'.'), comma(u','), slash(u'/'), plus(u'+'), minus(u'-');

    // Rows that both filters answer alike.
    struct Shared {
        const char *name;
        int notation;
        const char *text;
        int caret;
        QChar key;
        bool accepted;
    };
    const Shared shared[] = {
        {"backspace decimal", Odds::Decimal, "1.5,", 4, kBackspace, true},
        {"backspace fractional", Odds::Fractional, "4/5", 3, kBackspace, true},
        {"backspace american", Odds::American, "+200", 2, kBackspace, true},
        {"backspace without notation", -1, "2", 1, kBackspace, true},
        {"digit without notation", -1, "", 0, QChar(u'2'), false},
        {"decimal digit", Odds::Decimal, "1.", 2, QChar(u'5'), true},
        {"decimal first dot", Odds::Decimal, "1", 1, dot, true},
        {"decimal first comma", Odds::Decimal, "1", 1, comma, true},
        {"decimal second dot", Odds::Decimal, "1.5", 3, dot, false},
        {"decimal second comma", Odds::Decimal, "1,5", 3, comma, false},
        {"decimal sign", Odds::Decimal, "", 0, minus, false},
        {"decimal slash", Odds::Decimal, "1", 1, slash, false},
        {"decimal letter", Odds::Decimal, "1", 1, QChar(u'e'), false},
        {"decimal space", Odds::Decimal, "1", 1, QChar(u' '), false},
        {"decimal non-ascii digit", Odds::Decimal, "1", 1, QChar(u'\u0663'), false},
        {"fractional digit", Odds::Fractional, "4/", 2, QChar(u'5'), true},
        {"fractional first slash", Odds::Fractional, "4", 1, slash, true},
        {"fractional second slash", Odds::Fractional, "4/5", 3, slash, false},
        {"fractional slash at start", Odds::Fractional, "/5", 0, slash, false},
        {"fractional dot", Odds::Fractional, "4", 1, dot, false},
        {"fractional sign", Odds::Fractional, "", 0, minus, false},
        {"american digit", Odds::American, "+", 1, QChar(u'2'), true},
        {"american plus at start", Odds::American, "200", 0, plus, true},
        {"american plus after the 2", Odds::American, "200", 1, plus, false},
        {"american minus at end", Odds::American, "150", 3, minus, false},
        {"american plus into empty", Odds::American, "", 0, plus, true},
        {"american same sign again", Odds::American, "+200", 0, plus, false},
        {"american minus again", Odds::American, "-150", 0, minus, false},
        {"american dot", Odds::American, "200", 3, dot, false},
        {"american slash", Odds::American, "2", 1, slash, false},
    };
    for (const Shared &r : shared) {
        const QString text = QString::fromLatin1(r.text);
        QTest::addRow("match entry: %s", r.name)
            << me << r.notation << text << r.caret << r.key << r.accepted;
        QTest::addRow("bet dialog: %s", r.name)
            << bet << r.notation << text << r.caret << r.key << r.accepted;
    }

    // The two rows where the bet dialog is stricter.
    QTest::newRow("match entry: comma after a dot")
        << me << int(Odds::Decimal) << QStringLiteral("1.5") << 3 << comma << true;
    QTest::newRow("bet dialog: comma after a dot")
        << bet << int(Odds::Decimal) << QStringLiteral("1.5") << 3 << comma << false;
    QTest::newRow("match entry: dot after a comma")
        << me << int(Odds::Decimal) << QStringLiteral("1,5") << 3 << dot << true;
    QTest::newRow("bet dialog: dot after a comma")
        << bet << int(Odds::Decimal) << QStringLiteral("1,5") << 3 << dot << false;
    QTest::newRow("match entry: minus before a plus")
        << me << int(Odds::American) << QStringLiteral("+200") << 0 << minus << true;
    QTest::newRow("bet dialog: minus before a plus")
        << bet << int(Odds::American) << QStringLiteral("+200") << 0 << minus << false;
    QTest::newRow("match entry: plus before a minus")
        << me << int(Odds::American) << QStringLiteral("-150") << 0 << plus << true;
    QTest::newRow("bet dialog: plus before a minus")
        << bet << int(Odds::American) << QStringLiteral("-150") << 0 << plus << false;
}

void TestOdds::filterOddsKey()
{
    QFETCH(Odds::Filter, variant);
    QFETCH(int, notation);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QChar, key);
    QFETCH(bool, accepted);

    const std::optional<QChar> result = Odds::FilterOddsKey(notation, text, caret, key, variant);
    QCOMPARE(result.has_value(), accepted);
    if (accepted)
        QCOMPARE(*result, key);
}

void TestOdds::invalidValueMessage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("notation");
    QTest::addColumn<Odds::Filter>("variant");
    QTest::addColumn<QString>("message");

    const auto me = Odds::Filter::MatchEntry;
    const auto bet = Odds::Filter::BetDialog;
    QTest::newRow("match entry decimal") << QStringLiteral("3,00") << int(Odds::Decimal) << me
                                         << QStringLiteral("3,00 is an invalid value\rExample: 1.50 or 3,00");
    QTest::newRow("match entry fractional") << QStringLiteral("4/0") << int(Odds::Fractional) << me
                                            << QStringLiteral("4/0 is an invalid value\rExample: 4/5 or 2/1");
    QTest::newRow("match entry american") << QStringLiteral("+") << int(Odds::American) << me
                                          << QStringLiteral("+ is an invalid value\rExample: +200 or -150");
    QTest::newRow("bet dialog decimal") << QStringLiteral("1.5,") << int(Odds::Decimal) << bet
                                        << QStringLiteral("1.5, is an invalid value.\rExample: 1.50 or 3.00");
    QTest::newRow("bet dialog fractional") << QStringLiteral("4/") << int(Odds::Fractional) << bet
                                           << QStringLiteral("4/ is an invalid value.\rExample: 4/5 or 2/1");
    QTest::newRow("bet dialog american") << QStringLiteral("-") << int(Odds::American) << bet
                                         << QStringLiteral("- is an invalid value.\rExample: +200 or -150");
}

void TestOdds::invalidValueMessage()
{
    QFETCH(QString, text);
    QFETCH(int, notation);
    QFETCH(Odds::Filter, variant);
    QFETCH(QString, message);

    QCOMPARE(Odds::invalidValueMessage(text, notation, variant), message);
}

void TestOdds::parseOddsAccepted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("notation");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("price");

    QTest::newRow("4/5") << QStringLiteral("4/5") << int(Odds::Fractional) << kDot << 1.8;
    QTest::newRow("2/1") << QStringLiteral("2/1") << int(Odds::Fractional) << kDot << 3.0;
    QTest::newRow("+200") << QStringLiteral("+200") << int(Odds::American) << kDot << 3.0;
    QTest::newRow("-150") << QStringLiteral("-150") << int(Odds::American) << kDot << 1.6667;
    QTest::newRow("100") << QStringLiteral("100") << int(Odds::American) << kDot << 2.0;
    QTest::newRow("american 0") << QStringLiteral("0") << int(Odds::American) << kDot << 1.0;
    QTest::newRow("1.50 dot locale") << QStringLiteral("1.50") << int(Odds::Decimal) << kDot << 1.5;
    QTest::newRow("3,00 comma locale") << QStringLiteral("3,00") << int(Odds::Decimal) << kComma << 3.0;
    // A price written on a machine of the other decimal mark reads the same.
    QTest::newRow("3,00 dot locale") << QStringLiteral("3,00") << int(Odds::Decimal) << kDot << 3.0;
    QTest::newRow("2.48 comma locale") << QStringLiteral("2.48") << int(Odds::Decimal) << kComma << 2.48;
    QTest::newRow("whole decimal") << QStringLiteral("3") << int(Odds::Decimal) << kDot << 3.0;
    QTest::newRow("price below 1") << QStringLiteral("0.50") << int(Odds::Decimal) << kDot << 0.5;
    // The largest 32-bit whole numbers convert without overflowing.
    QTest::newRow("american max") << QStringLiteral("2147483647") << int(Odds::American) << kDot
                                  << 21474837.47;
    QTest::newRow("american min") << QStringLiteral("-2147483648") << int(Odds::American) << kDot
                                  << (2147483648.0 + 100.0) / 2147483648.0;
    // No notation chosen: 0 without reading the text.
    QTest::newRow("no notation") << QStringLiteral("abc") << -1 << kDot << 0.0;
}

void TestOdds::parseOddsAccepted()
{
    QFETCH(QString, text);
    QFETCH(int, notation);
    QFETCH(QLocale, locale);
    QFETCH(double, price);

    RecordingMessenger messenger;
    const double parsed = Odds::ParseOdds(text, notation, messenger, locale);
    QVERIFY2(samePrice(parsed, price), qPrintable(QString::number(parsed, 'g', 17)));
    QVERIFY(messenger.messages().isEmpty());

    double quiet = -1;
    QVERIFY(Odds::tryParseOdds(text, notation, &quiet, locale));
    QCOMPARE(quiet, parsed);
}

void TestOdds::parseOddsRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("notation");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("message");

    const QString decimal = QStringLiteral(" is an invalid value\rExample: 1.50 or 3,00");
    const QString fractional = QStringLiteral(" is an invalid value\rExample: 4/5 or 2/1");
    const QString american = QStringLiteral(" is an invalid value\rExample: +200 or -150");

    QTest::newRow("zero denominator")
        << QStringLiteral("4/0") << int(Odds::Fractional) << kDot << QStringLiteral("4/0") + fractional;
    QTest::newRow("both marks dot locale")
        << QStringLiteral("1.5,") << int(Odds::Decimal) << kDot << QStringLiteral("1.5,") + decimal;
    QTest::newRow("both marks comma locale")
        << QStringLiteral("1.5,") << int(Odds::Decimal) << kComma << QStringLiteral("1.5,") + decimal;
    QTest::newRow("decimal 0.00") << QStringLiteral("0.00") << int(Odds::Decimal) << kDot
                                  << QStringLiteral("0.00") + decimal;
    QTest::newRow("decimal 0,00 comma locale")
        << QStringLiteral("0,00") << int(Odds::Decimal) << kComma << QStringLiteral("0,00") + decimal;
    QTest::newRow("decimal 0") << QStringLiteral("0") << int(Odds::Decimal) << kDot
                               << QStringLiteral("0") + decimal;
    QTest::newRow("decimal empty") << QString() << int(Odds::Decimal) << kDot << decimal;
    QTest::newRow("fraction giving 0")
        << QStringLiteral("-1/1") << int(Odds::Fractional) << kDot << QStringLiteral("-1/1") + fractional;
    QTest::newRow("no denominator") << QStringLiteral("4/") << int(Odds::Fractional) << kDot
                                    << QStringLiteral("4/") + fractional;
    QTest::newRow("no slash") << QStringLiteral("45") << int(Odds::Fractional) << kDot
                              << QStringLiteral("45") + fractional;
    QTest::newRow("two slashes") << QStringLiteral("2/1/2") << int(Odds::Fractional) << kDot
                                 << QStringLiteral("2/1/2") + fractional;
    QTest::newRow("decimal numerator")
        << QStringLiteral("1.5/2") << int(Odds::Fractional) << kDot << QStringLiteral("1.5/2") + fractional;
    QTest::newRow("minus alone") << QStringLiteral("-") << int(Odds::American) << kDot
                                 << QStringLiteral("-") + american;
    QTest::newRow("plus alone") << QStringLiteral("+") << int(Odds::American) << kDot
                                << QStringLiteral("+") + american;
    QTest::newRow("american fraction")
        << QStringLiteral("1.5") << int(Odds::American) << kDot << QStringLiteral("1.5") + american;
    QTest::newRow("beyond 32 bits") << QStringLiteral("2147483648") << int(Odds::American) << kDot
                                    << QStringLiteral("2147483648") + american;
}

void TestOdds::parseOddsRefused()
{
    QFETCH(QString, text);
    QFETCH(int, notation);
    QFETCH(QLocale, locale);
    QFETCH(QString, message);

    RecordingMessenger messenger;
    QVERIFY_THROWS_EXCEPTION(Abort, Odds::ParseOdds(text, notation, messenger, locale));
    QCOMPARE(messenger.messages().size(), 1);
    QCOMPARE(messenger.messages().first().kind, Messenger::Kind::Warning);
    QCOMPARE(messenger.messages().first().text, message);
    QCOMPARE(Odds::invalidValueMessage(text, notation), message);

    double untouched = -99;
    QVERIFY(!Odds::tryParseOdds(text, notation, &untouched, locale));
    QCOMPARE(untouched, -99.0);
}

void TestOdds::parseOddsAutoType_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("notation");
    QTest::addColumn<double>("price");
    QTest::addColumn<QString>("message"); // empty when it converts

    QTest::newRow("1.85 dot locale") << QStringLiteral("1.85") << kDot << int(Odds::Decimal) << 1.85
                                     << QString();
    QTest::newRow("1,85 comma locale")
        << QStringLiteral("1,85") << kComma << int(Odds::Decimal) << 1.85 << QString();
    QTest::newRow("4/5") << QStringLiteral("4/5") << kDot << int(Odds::Fractional) << 1.8 << QString();
    QTest::newRow("+120") << QStringLiteral("+120") << kDot << int(Odds::American) << 2.2 << QString();
    QTest::newRow("-150") << QStringLiteral("-150") << kDot << int(Odds::American) << 1.6667 << QString();
    QTest::newRow("1,85 dot locale") << QStringLiteral("1,85") << kDot << int(Odds::Decimal) << 1.85
                                     << QString();
    QTest::newRow("both marks") << QStringLiteral("1.8,5") << kDot << int(Odds::Decimal) << 0.0
                                << QStringLiteral("1.8,5 is an invalid value\rExample: 1.50 or 3,00");
    QTest::newRow("minus alone") << QStringLiteral("-") << kDot << int(Odds::American) << 0.0
                                 << QStringLiteral("- is an invalid value\rExample: +200 or -150");
}

void TestOdds::parseOddsAutoType()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(int, notation);
    QFETCH(double, price);
    QFETCH(QString, message);

    RecordingMessenger messenger;
    if (!message.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(Abort, Odds::ParseOddsAutoType(text, messenger, locale));
        QCOMPARE(messenger.texts(), QStringList{message});
        return;
    }
    const Odds::AutoTyped result = Odds::ParseOddsAutoType(text, messenger, locale);
    QCOMPARE(result.notation, notation);
    QVERIFY2(samePrice(result.price, price), qPrintable(QString::number(result.price, 'g', 17)));
    QVERIFY(messenger.messages().isEmpty());
}

void TestOdds::oddsToDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("price");

    QTest::newRow("minus alone") << QStringLiteral("-") << kDot << 0.0;
    QTest::newRow("empty") << QString() << kDot << 0.0;
    QTest::newRow("one digit") << QStringLiteral("3") << kDot << 0.0;
    QTest::newRow("one letter") << QStringLiteral("x") << kDot << 0.0;
    QTest::newRow("2/1") << QStringLiteral("2/1") << kDot << 3.0;
    QTest::newRow("4/5") << QStringLiteral("4/5") << kComma << 1.8;
    QTest::newRow("1.75 dot locale") << QStringLiteral("1.75") << kDot << 1.75;
    QTest::newRow("1,75 comma locale") << QStringLiteral("1,75") << kComma << 1.75;
    QTest::newRow("1,75 dot locale") << QStringLiteral("1,75") << kDot << 1.75;
    QTest::newRow("1.75 comma locale") << QStringLiteral("1.75") << kComma << 1.75;
    QTest::newRow("+300") << QStringLiteral("+300") << kDot << 4.0;
    QTest::newRow("-150") << QStringLiteral("-150") << kDot << 1.6667;
    QTest::newRow("two digits american") << QStringLiteral("25") << kDot << 1.25;
}

void TestOdds::oddsToDecimal()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(double, price);

    const double parsed = Odds::OddsToDecimal(text, locale);
    QVERIFY2(samePrice(parsed, price), qPrintable(QString::number(parsed, 'g', 17)));
}

void TestOdds::oddsToDecimalRaises_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("message");

    QTest::newRow("zero denominator")
        << QStringLiteral("4/0") << kDot << QStringLiteral("'4/0' is not a valid floating point value");
    QTest::newRow("bad numerator") << QStringLiteral("x/2") << kDot
                                   << QStringLiteral("'x' is not a valid integer value");
    // "/" is tested before the decimal marks, so the dotted part is read as a whole number.
    QTest::newRow("slash before dot")
        << QStringLiteral("2/1.5") << kDot << QStringLiteral("'1.5' is not a valid integer value");
    QTest::newRow("both marks") << QStringLiteral("1.7,5") << kComma
                                << QStringLiteral("'1.7,5' is not a valid floating point value");
    QTest::newRow("american letters")
        << QStringLiteral("ab") << kDot << QStringLiteral("'ab' is not a valid integer value");
}

void TestOdds::oddsToDecimalRaises()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(QString, message);

    try {
        Odds::OddsToDecimal(text, locale);
        QFAIL("no ConversionError");
    } catch (const ConversionError &e) {
        QCOMPARE(e.message(), message);
    }
}

void TestOdds::oddsReturnPercent_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("home");
    QTest::addColumn<int>("homeNotation");
    QTest::addColumn<QString>("draw");
    QTest::addColumn<int>("drawNotation");
    QTest::addColumn<QString>("away");
    QTest::addColumn<int>("awayNotation");
    QTest::addColumn<bool>("computed");
    QTest::addColumn<double>("retrn");

    const int D = Odds::Decimal, F = Odds::Fractional, A = Odds::American;
    const auto s = [](const char *t) { return QString::fromLatin1(t); };

    // -7.4405 rounds half away from zero to -7.44; -3.1746 to -3.17.
    QTest::newRow("margin dot locale")
        << kDot << s("2.10") << D << s("3.20") << D << s("3.50") << D << true << -7.44;
    QTest::newRow("margin comma locale")
        << kComma << s("2,10") << D << s("3,20") << D << s("3,50") << D << true << -7.44;
    QTest::newRow("profit dot locale")
        << kDot << s("2.20") << D << s("3.80") << D << s("4.50") << D << true << 6.01;
    QTest::newRow("profit comma locale")
        << kComma << s("2,20") << D << s("3,80") << D << s("4,50") << D << true << 6.01;
    QTest::newRow("profit mixed notations")
        << kDot << s("6/5") << F << s("+280") << A << s("7/2") << F << true << 6.01;
    QTest::newRow("no draw dot locale")
        << kDot << s("1.80") << D << s("-") << D << s("2.10") << D << true << -3.17;
    QTest::newRow("no draw comma locale")
        << kComma << s("1,80") << D << s("-") << D << s("2,10") << D << true << -3.17;
    QTest::newRow("empty draw") << kDot << s("1.80") << D << QString() << D << s("2.10") << D << true
                                << -3.17;
    QTest::newRow("one-digit draw") << kDot << s("1.80") << D << s("3") << A << s("2.10") << D << true
                                    << -3.17;
    QTest::newRow("even two-way") << kDot << s("+100") << A << s("-") << A << s("1/1") << F << true << 0.0;
    QTest::newRow("one-character home")
        << kDot << s("2") << A << s("3.20") << D << s("3.50") << D << false << 0.0;
    QTest::newRow("no odds away") << kDot << s("2.10") << D << s("3.20") << D << s("-") << A << false << 0.0;
    QTest::newRow("empty home") << kDot << QString() << D << s("3.20") << D << s("3.50") << D << false << 0.0;
    // Nothing is read when there is no return, even a text that would fail.
    QTest::newRow("no return, bad draw")
        << kDot << s("2.10") << D << s("abc") << D << s("") << D << false << 0.0;
}

void TestOdds::oddsReturnPercent()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, home);
    QFETCH(int, homeNotation);
    QFETCH(QString, draw);
    QFETCH(int, drawNotation);
    QFETCH(QString, away);
    QFETCH(int, awayNotation);
    QFETCH(bool, computed);
    QFETCH(double, retrn);

    RecordingMessenger messenger;
    const std::optional<double> result = Odds::OddsReturnPercent(home, homeNotation, draw, drawNotation, away,
                                                                 awayNotation, messenger, locale);
    QVERIFY(messenger.messages().isEmpty());
    QCOMPARE(result.has_value(), computed);
    if (computed)
        QCOMPARE(*result, retrn);
}

void TestOdds::oddsReturnPercentRefused_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("home");
    QTest::addColumn<int>("homeNotation");
    QTest::addColumn<QString>("draw");
    QTest::addColumn<int>("drawNotation");
    QTest::addColumn<QString>("away");
    QTest::addColumn<int>("awayNotation");
    QTest::addColumn<QString>("message");

    const int D = Odds::Decimal, F = Odds::Fractional, A = Odds::American;
    const auto s = [](const char *t) { return QString::fromLatin1(t); };

    QTest::newRow("zero home price") << kDot << s("0.00") << D << s("3.20") << D << s("3.50") << D
                                     << s("0.00 is an invalid value\rExample: 1.50 or 3,00");
    QTest::newRow("zero denominator away") << kDot << s("2.10") << D << s("3.20") << D << s("4/0") << F
                                           << s("4/0 is an invalid value\rExample: 4/5 or 2/1");
    QTest::newRow("both marks in the draw") << kDot << s("2.10") << D << s("3,2.0") << D << s("3.50") << D
                                            << s("3,2.0 is an invalid value\rExample: 1.50 or 3,00");
    // The first failure stops the command: the away text is never read.
    QTest::newRow("home and away both bad") << kDot << s("ab") << A << s("-") << D << s("cd") << A
                                            << s("ab is an invalid value\rExample: +200 or -150");
    // A position outside the notations would give 0 and divide the sum by zero.
    QTest::newRow("no notation") << kDot << s("2.10") << -1 << s("3.20") << D << s("3.50") << D
                                 << s("Invalid odds type");
}

void TestOdds::oddsReturnPercentRefused()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, home);
    QFETCH(int, homeNotation);
    QFETCH(QString, draw);
    QFETCH(int, drawNotation);
    QFETCH(QString, away);
    QFETCH(int, awayNotation);
    QFETCH(QString, message);

    RecordingMessenger messenger;
    QVERIFY_THROWS_EXCEPTION(Abort, Odds::OddsReturnPercent(home, homeNotation, draw, drawNotation, away,
                                                            awayNotation, messenger, locale));
    QCOMPARE(messenger.messages().size(), 1);
    QCOMPARE(messenger.messages().first().kind, Messenger::Kind::Warning);
    QCOMPARE(messenger.messages().first().text, message);
}

QTEST_GUILESS_MAIN(TestOdds)
#include "tst_odds.moc"

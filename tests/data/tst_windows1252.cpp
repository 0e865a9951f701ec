// The Windows code page both ways: every byte comes back as itself, the letters of 0x80-0x9F are the
// ones Windows defines, the five bytes it leaves undefined keep their C1 code points both ways, and
// characters outside the page become "?".

#include "data/Windows1252.h"

#include <QSet>
#include <QTest>

class TestWindows1252 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyByteComesBackAsItself();
    void highRange_data();
    void highRange();
    void charactersOutsideThePage_data();
    void charactersOutsideThePage();
};

void TestWindows1252::everyByteComesBackAsItself()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = Windows1252::decode(all);
    QCOMPARE(text.size(), 256);
    // 256 different characters: no two bytes read as the same one.
    QCOMPARE(QSet<QChar>(text.cbegin(), text.cend()).size(), 256);
    QCOMPARE(Windows1252::encode(text), all);
    for (int b = 0; b < 256; ++b) {
        QCOMPARE(Windows1252::toChar(static_cast<unsigned char>(b)), text.at(b));
        QCOMPARE(Windows1252::toByte(text.at(b)),
                 std::optional<unsigned char>(static_cast<unsigned char>(b)));
    }
}

void TestWindows1252::highRange_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");
    QTest::newRow("euro sign") << 0x80 << 0x20AC;
    QTest::newRow("low quote") << 0x82 << 0x201A;
    QTest::newRow("ellipsis") << 0x85 << 0x2026;
    QTest::newRow("S caron") << 0x8A << 0x0160;
    QTest::newRow("Z caron") << 0x8E << 0x017D;
    QTest::newRow("left single quote") << 0x91 << 0x2018;
    QTest::newRow("en dash") << 0x96 << 0x2013;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("no-break space") << 0xA0 << 0x00A0;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
    // The five bytes Windows leaves undefined.
    for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QTest::addRow("undefined 0x%X", b) << b << b;
}

void TestWindows1252::highRange()
{
    QFETCH(int, byte);
    QFETCH(int, unicode);
    const QByteArray one(1, char(byte));
    QCOMPARE(Windows1252::decode(one), QString(QChar(char16_t(unicode))));
    QCOMPARE(Windows1252::encode(QString(QChar(char16_t(unicode)))), one);
}

void TestWindows1252::charactersOutsideThePage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    // U+0080 is a C1 control character, but 0x80 is the euro sign.
    QTest::newRow("C1 control of the euro sign's byte") << QStringLiteral("a\u0080b") << QByteArray("a?b");
    QTest::newRow("Latin Extended-A beside Latin-1")
        << QStringLiteral("\u0141\u00F3\u017A") << QByteArray("?\xF3?");
    QTest::newRow("arrow") << QStringLiteral("1\u21922") << QByteArray("1?2");
    QTest::newRow("surrogate pair") << QString::fromUtf8("\xF0\x9F\x8F\x86") << QByteArray("??");
}

void TestWindows1252::charactersOutsideThePage()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Windows1252::encode(text), bytes);
}

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"

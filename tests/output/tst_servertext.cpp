// The rules for texts from a server, headless: which names may become file names, how any text is
// printed so that it shows and does nothing, and how the download limits are worded.

#include "output/DownloadLimits.h"
#include "output/ServerText.h"

#include <QtTest>

class TestServerText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Which names may become file names, and why the others may not.
    void acceptableNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why"); // empty when accepted
        QTest::newRow("plain") << "Premier League"
                               << "";
        QTest::newRow("spaces around, #") << " Serie A #1 "
                                          << "";
        QTest::newRow("letters of any script") << "Süper Lig Ελλάδα 日本"
                                               << "";
        QTest::newRow("a character beyond the BMP") << QStringLiteral("Liga \U0001F3C6") << "";
        QTest::newRow("100 characters") << QString(100, QLatin1Char('a')) << "";
        QTest::newRow("101 characters")
            << QString(101, QLatin1Char('a')) << "it is longer than 100 characters";
        QTest::newRow("empty") << ""
                               << "it is empty";
        QTest::newRow("hidden") << ".hidden"
                                << "it starts with a dot";
        QTest::newRow("..") << ".."
                            << "it starts with a dot";
        QTest::newRow("slash") << "sub/escape"
                               << "it holds a path separator";
        QTest::newRow("backslash") << "sub\\escape"
                                   << "it holds a path separator";
        QTest::newRow("escape sequence") << "\x1b[31mRed"
                                         << "it holds the unprintable character U+001B";
        QTest::newRow("tab") << "Tab\there"
                             << "it holds the unprintable character U+0009";
        QTest::newRow("carriage return") << "CR\rhere"
                                         << "it holds the unprintable character U+000D";
        QTest::newRow("NUL") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"))
                             << "it holds the unprintable character U+0000";
        QTest::newRow("DEL") << "a\x7f"
                             << "it holds the unprintable character U+007F";
        QTest::newRow("C1 control") << QStringLiteral("a\u009bb")
                                    << "it holds the unprintable character U+009B";
        QTest::newRow("right-to-left override")
            << QStringLiteral("\u202Eevil") << "it holds the unprintable character U+202E";
        QTest::newRow("right-to-left isolate")
            << QStringLiteral("a\u2067b") << "it holds the unprintable character U+2067";
        QTest::newRow("byte-order mark")
            << QStringLiteral("\uFEFFBOM") << "it holds the unprintable character U+FEFF";
        QTest::newRow("line separator")
            << QStringLiteral("a\u2028b") << "it holds the unprintable character U+2028";
        QTest::newRow("not UTF-8") << QString::fromUtf8("bad\xff") << "it is not UTF-8 text";
        QTest::newRow("lone surrogate")
            << QString(QStringLiteral("a") + QChar(0xd800)) << "it is not UTF-8 text";
    }
    void acceptableNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, why);
        QString reason;
        QCOMPARE(ServerText::acceptableName(name, &reason), why.isEmpty());
        QCOMPARE(reason, why);
    }

    void escapedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "Serie A #1 ...OK"
                               << "Serie A #1 ...OK";
        QTest::newRow("letters of any script") << "Süper Lig 日本"
                                               << "Süper Lig 日本";
        QTest::newRow("escape sequence") << "\x1b[31mRed\x1b[0m"
                                         << "\\x1b[31mRed\\x1b[0m";
        QTest::newRow("C names") << "\a\b\t\n\v\f\r"
                                 << "\\a\\b\\t\\n\\v\\f\\r";
        QTest::newRow("backslash doubled") << "a\\x1b"
                                           << "a\\\\x1b";
        QTest::newRow("NUL, DEL, C1")
            << QString(QChar(0) + QStringLiteral("\x7f\u0085")) << "\\x00\\x7f\\x85";
        QTest::newRow("bidirectional and byte-order marks")
            << QStringLiteral("\u202Eevil\u200F\uFEFF") << "\\u202eevil\\u200f\\ufeff";
        QTest::newRow("a tag character") << QStringLiteral("a\U000E0001") << "a\\U000e0001";
    }
    void escapedTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(ServerText::escaped(text), shown);
    }

    // The refusals say their limit in words a user reads.
    void limitTexts_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<int>("ms");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("duration");
        QTest::newRow("the list's") << (qint64(1) << 20) << 30000 << "1 MB"
                                    << "30 s";
        QTest::newRow("the league file's") << (qint64(500) << 20) << 30 * 60000 << "500 MB"
                                           << "30 min";
        QTest::newRow("test values") << qint64(4096) << 1500 << "4 KB"
                                     << "1.5 s";
        QTest::newRow("odd values") << qint64(1000) << 90000 << "1000 bytes"
                                    << "90 s";
    }
    void limitTexts()
    {
        QFETCH(qint64, bytes);
        QFETCH(int, ms);
        QFETCH(QString, size);
        QFETCH(QString, duration);
        const QLocale before;
        QLocale::setDefault(QLocale::c());
        const QString sizeShown = DownloadLimits::sizeText(bytes);
        const QString durationShown = DownloadLimits::durationText(ms);
        QLocale::setDefault(before);
        QCOMPARE(sizeShown, size);
        QCOMPARE(durationShown, duration);
    }
};

QTEST_GUILESS_MAIN(TestServerText)
#include "tst_servertext.moc"

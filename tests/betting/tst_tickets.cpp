// Ticket files, tickets and bets: the file's tables, the file commands, numbering, deleting with the
// bets, the payout and profit calculation, the date filter and the bet dialog's checks.

#include "betting/Bets.h"
#include "betting/DemoTickets.h"
#include "betting/TicketAmounts.h"
#include "betting/TicketBook.h"
#include "betting/TicketFiles.h"
#include "betting/TicketGrids.h"
#include "betting/TicketSchema.h"
#include "betting/Tickets.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "support/JetWriter.h"
#include "support/RecordingMessenger.h"
#include "support/StoredRows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

namespace
{
using Answer = Messenger::Answer;

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

int count(Database &db, const QString &sql, const QVariantList &params = {})
{
    return db.scalar(sql, params).toInt();
}

// A ticket appended and stored with the given values.
int addTicket(TicketBook &book, const QDate &date, double stake = 1,
              const QString &status = QStringLiteral("Undecided"))
{
    const int n = NewTicket(book, date);
    book.ADOTableTs.edit();
    book.ADOTableTs.field(QStringLiteral("Stake")).setFloat(stake);
    book.ADOTableTs.field(QStringLiteral("Status")).setString(status);
    book.ADOTableTs.post();
    return n;
}

// Bets written "price:result", separated by blanks.
QStringList legs(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

BetInput bet(const QString &event, const QString &home, const QString &away = QString(),
             const QString &price = QString())
{
    BetInput in;
    in.event = event;
    in.home = home;
    in.away = away;
    in.price = price;
    in.notation = Odds::DetectOddsType(price);
    in.month = 3;
    in.day = 14;
    in.year = 2005;
    return in;
}
} // namespace

class TestTickets : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    QTemporaryDir *m_dir = nullptr;
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // A new ticket file, open in book.
    void newList(TicketBook &book, const QString &name = QStringLiteral("t.qvt"))
    {
        RecordingMessenger m;
        QCOMPARE(NewTicketList(book, path(name), m), FileCommandResult::Done);
        QVERIFY(m.log().isEmpty());
    }

private Q_SLOTS:
    void initTestCase()
    {
        Database::setDurableWrites(false);
        QLocale::setDefault(QLocale::c());
        // The remembered ticket file goes to settings of this test's own.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }
    void init() { m_dir = new QTemporaryDir; }
    void cleanup()
    {
        delete m_dir;
        m_dir = nullptr;
    }

    void fileHoldsExactlyTheThreeTables()
    {
        TicketBook book;
        newList(book);
        QCOMPARE(book.ADOConnection.tableNames(),
                 (QStringList{QStringLiteral("Tickets"), QStringLiteral("Bets"), QStringLiteral("Teams")}));
        auto names = [&](const QString &table) {
            QStringList out;
            for (const auto &c : book.ADOConnection.tableColumns(table))
                out << c.first + QLatin1Char(' ') + c.second;
            return out.join(QStringLiteral(", "));
        };
        QCOMPARE(names(QStringLiteral("Tickets")),
                 QStringLiteral(
                     "TN REAL, DateP DATE, Stake REAL, Fee REAL, TPrice REAL, PayOut REAL, Profit REAL, "
                     "Status TEXT(9)"));
        QCOMPARE(
            names(QStringLiteral("Bets")),
            QStringLiteral("TN REAL, DateP DATE, League TEXT(30), Home TEXT(30), Away TEXT(30), Bet TEXT(2), "
                           "Price TEXT(6), Result TEXT(9)"));
        QCOMPARE(names(QStringLiteral("Teams")), QStringLiteral("League TEXT(30), Team TEXT(30)"));
        // No temporary file is left beside the new one.
        QCOMPARE(entries(m_dir->path()), QStringList{QStringLiteral("t.qvt")});
    }

    void payoutIsReachedWhateverItsLetterCase()
    {
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 3, 1), 10);
        book.ADOTableTs.edit();
        book.ADOTableTs.field(QStringLiteral("TPrice")).setFloat(2.5);
        book.ADOTableTs.field(QStringLiteral("Status")).setString(QStringLiteral("Won"));
        book.ADOTableTs.post();
        CalculatePayoutAndProfit(book.ADOTableTs);
        QCOMPARE(book.ADOConnection.scalar(QStringLiteral("SELECT PayOut FROM Tickets")).toDouble(), 25.0);
        QCOMPARE(book.ADOTableTs.field(QStringLiteral("PAYOUT")).asFloat(), 25.0);
    }

    void openRefusesWhatIsNotATicketFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("league file") << "league";
        QTest::newRow("not a database") << "text";
        QTest::newRow("missing") << "missing";
    }
    void openRefusesWhatIsNotATicketFile()
    {
        QFETCH(QString, kind);
        const QString other = path(QStringLiteral("other.qvt"));
        if (kind == QLatin1String("league")) {
            TDataMod dm;
            CreateLeagueFile(dm.ADOConnection, dm.ADOTableLeague, other);
        } else if (kind == QLatin1String("text")) {
            QFile f(other);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a ticket file at all, just some text that is long enough to be a header........");
        }
        const QByteArray before = fileHash(other);
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1));
        RecordingMessenger m;
        QCOMPARE(OpenTicketList(book, other, m), FileCommandResult::Refused);
        QCOMPARE(m.messages().size(), 1);
        QCOMPARE(m.messages()[0].kind, Messenger::Kind::Error);
        if (kind == QLatin1String("league"))
            QCOMPARE(m.texts()[0],
                     QStringLiteral("This is not a ticket file: the table Tickets is missing."));
        // The open file stays open, with its ticket; the refused one is untouched.
        QCOMPARE(QFileInfo(book.path()), QFileInfo(path(QStringLiteral("t.qvt"))));
        QCOMPARE(book.ADOTableTs.recordCount(), 1);
        QCOMPARE(fileHash(other), before);
    }

    // An Access ticket file opens through its conversion into a ticket file beside it, rows as they were;
    // opening it again asks before replacing that file; an Access file without tickets is refused.
    void accessTicketFileOpensThroughConversion()
    {
        {
            TicketBook made;
            newList(made, QStringLiteral("made.qvt"));
            addTicket(made, QDate(2005, 3, 1), 5, QStringLiteral("Won"));
            RecordingMessenger quiet;
            QVERIFY(StoreBet(made,
                             bet(QStringLiteral("Cup"), QStringLiteral("Ajax"), QStringLiteral("PSV"),
                                 QStringLiteral("2.5")),
                             quiet));
            addTicket(made, QDate(2005, 3, 2), 7.5, QStringLiteral("Lost"));
        }
        const QString access = path(QStringLiteral("old tickets.mdb"));
        QCOMPARE(JetWriter::writeCopyOf(path(QStringLiteral("made.qvt")), TicketSchema::tableNames(), access),
                 QString());
        QVERIFY(QFile::remove(path(QStringLiteral("made.qvt"))));
        const QString converted = path(QStringLiteral("old tickets.qvt"));

        TicketBook book;
        newList(book);
        RecordingMessenger m;
        QCOMPARE(OpenTicketList(book, access, m), FileCommandResult::Done);
        QCOMPARE(m.log(), QStringList{QStringLiteral("Information: The Access ticket file was converted into "
                                                     "the ticket file %1, which is now open.")
                                          .arg(QDir::toNativeSeparators(converted))});
        QCOMPARE(QFileInfo(book.path()), QFileInfo(converted));
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Tickets")), 2);
        QCOMPARE(book.ADOConnection.scalar(QStringLiteral("SELECT SUM(Stake) FROM Tickets")).toDouble(),
                 12.5);
        QCOMPARE(
            book.ADOConnection.scalar(QStringLiteral("SELECT DateP FROM Tickets WHERE TN = 2")).toString(),
            QStringLiteral("2005-03-02"));
        QCOMPARE(book.ADOConnection.scalar(QStringLiteral("SELECT Price FROM Bets WHERE Home = 'Ajax'")),
                 QVariant(QStringLiteral("2.5")));
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Teams")), 2);
        QCOMPARE(entries(m_dir->path()),
                 (QStringList{QStringLiteral("old tickets.mdb"), QStringLiteral("old tickets.qvt"),
                              QStringLiteral("t.qvt")}));

        // Again while the converted file is open: it is in use.  With another one open: the question.
        m.clear();
        QCOMPARE(OpenTicketList(book, access, m), FileCommandResult::Refused);
        QCOMPARE(m.log(), QStringList{QStringLiteral("Warning: Can not create file. File is still in use.")});
        addTicket(book, QDate(2005, 3, 3));
        QCOMPARE(OpenTicketList(book, path(QStringLiteral("t.qvt")), m), FileCommandResult::Done);
        m.clear();
        m.queueAnswer(Answer::No);
        QCOMPARE(OpenTicketList(book, access, m), FileCommandResult::Cancelled);
        QCOMPARE(QFileInfo(book.path()), QFileInfo(path(QStringLiteral("t.qvt"))));
        {
            Database kept;
            kept.open(converted);
            QCOMPARE(count(kept, QStringLiteral("SELECT COUNT(*) FROM Tickets")), 3);
        }

        const QString other = path(QStringLiteral("other.mdb"));
        QCOMPARE(JetWriter::write(other, {{QStringLiteral("Things"),
                                           {{QStringLiteral("Name"), JetWriter::Type::Text, 20}},
                                           {{QStringLiteral("one")}}}}),
                 QString());
        m.clear();
        QCOMPARE(OpenTicketList(book, other, m), FileCommandResult::Refused);
        QCOMPARE(m.log(),
                 QStringList{QStringLiteral("Error: This is not a ticket file: it has no table Tickets.")});
        QVERIFY(!QFile::exists(path(QStringLiteral("other.qvt"))));
        QCOMPARE(QFileInfo(book.path()), QFileInfo(path(QStringLiteral("t.qvt"))));
    }

    void newListAndSaveAsRefuseTheOpenFile_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::newRow("New List") << false;
        QTest::newRow("Save As") << true;
    }
    void newListAndSaveAsRefuseTheOpenFile()
    {
        QFETCH(bool, saveAs);
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1));
        const QByteArray before = fileHash(path(QStringLiteral("t.qvt")));
        RecordingMessenger m({Answer::Yes});
        const FileCommandResult r = saveAs ? SaveTicketListAs(book, path(QStringLiteral("t.qvt")), m)
                                           : NewTicketList(book, path(QStringLiteral("t.qvt")), m);
        QCOMPARE(r, FileCommandResult::Refused);
        QCOMPARE(m.log(), QStringList{QStringLiteral("Warning: Can not create file. File is still in use.")});
        QCOMPARE(fileHash(path(QStringLiteral("t.qvt"))), before);
        QCOMPARE(book.ADOTableTs.recordCount(), 1);
    }

    void overwriteAsksAndOnlyYesReplaces_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("Yes") << int(Answer::Yes) << true;
        QTest::newRow("No") << int(Answer::No) << false;
        QTest::newRow("Cancel") << int(Answer::Cancel) << false;
    }
    void overwriteAsksAndOnlyYesReplaces()
    {
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        {
            TicketBook other;
            newList(other, QStringLiteral("old.qvt"));
            addTicket(other, QDate(2005, 1, 1));
        }
        TicketBook book;
        newList(book);
        RecordingMessenger m({Answer(answer)});
        QCOMPARE(NewTicketList(book, path(QStringLiteral("old.qvt")), m),
                 replaced ? FileCommandResult::Done : FileCommandResult::Cancelled);
        QCOMPARE(m.log(), QStringList{QStringLiteral(
                              "Question YesNoCancel [Overwrite]: File already exists. Overwrite?")});
        Database db;
        db.open(path(QStringLiteral("old.qvt")));
        QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM Tickets")), replaced ? 0 : 1);
    }

    // A command that fails half-way onto a file the user agreed to replace leaves that file as it was:
    // Save As whose pending edit the file refuses (by a trigger), an Access file converted that holds no
    // tickets.
    void failureKeepsTheFileToReplace_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("error");
        QTest::newRow("Save As") << "save as"
                                 << "the change was refused";
        QTest::newRow("Access conversion") << "convert"
                                           << "This is not a ticket file: it has no table Tickets.";
    }
    void failureKeepsTheFileToReplace()
    {
        QFETCH(QString, command);
        QFETCH(QString, error);
        const QString target = path(QStringLiteral("old.qvt"));
        {
            TicketBook other;
            newList(other, QStringLiteral("old.qvt"));
            addTicket(other, QDate(2005, 1, 1));
        }
        const QByteArray before = fileHash(target);
        TicketBook book;
        newList(book);
        RecordingMessenger m({Answer::Yes});
        FileCommandResult r = FileCommandResult::Done;
        if (command == QLatin1String("save as")) {
            addTicket(book, QDate(2005, 1, 2));
            {
                // The file refuses the change, as a database refuses a write it cannot do.
                Database db;
                db.open(path(QStringLiteral("t.qvt")));
                db.execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Tickets BEGIN SELECT "
                                          "RAISE(ABORT, 'the change was refused'); END"));
            }
            book.ADOTableTs.edit();
            book.ADOTableTs.field(QStringLiteral("Fee")).setFloat(0.5);
            r = SaveTicketListAs(book, target, m);
        } else {
            const QString access = path(QStringLiteral("old.mdb"));
            QCOMPARE(JetWriter::write(access, {{QStringLiteral("Things"),
                                                {{QStringLiteral("Name"), JetWriter::Type::Text, 20}},
                                                {{QStringLiteral("one")}}}}),
                     QString());
            r = OpenTicketList(book, access, m);
        }
        QCOMPARE(r, FileCommandResult::Refused);
        QCOMPARE(m.log().size(), 2);
        QCOMPARE(m.log().first(),
                 QStringLiteral("Question YesNoCancel [Overwrite]: File already exists. Overwrite?"));
        QVERIFY2(m.log().last().startsWith(QLatin1String("Error: ")) && m.log().last().contains(error),
                 qPrintable(m.log().last()));
        QVERIFY(QFileInfo::exists(target));
        QCOMPARE(fileHash(target), before);
        QCOMPARE(QFileInfo(book.path()), QFileInfo(path(QStringLiteral("t.qvt"))));
    }

    void saveAsWorksOnTheCopy()
    {
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1), 5);
        // A change typed into the ticket and left pending goes into the copy.
        book.ADOTableTs.edit();
        book.ADOTableTs.field(QStringLiteral("Fee")).setFloat(0.5);
        RecordingMessenger m;
        QCOMPARE(SaveTicketListAs(book, path(QStringLiteral("copy.qvt")), m), FileCommandResult::Done);
        QVERIFY(m.log().isEmpty());
        QCOMPARE(QFileInfo(book.path()), QFileInfo(path(QStringLiteral("copy.qvt"))));
        QCOMPARE(book.ADOTableTs.field(QStringLiteral("Fee")).asFloat(), 0.5);
        addTicket(book, QDate(2005, 1, 2));
        Database original;
        original.open(path(QStringLiteral("t.qvt")));
        QCOMPARE(count(original, QStringLiteral("SELECT COUNT(*) FROM Tickets")), 1);
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Tickets")), 2);
        QCOMPARE(entries(m_dir->path()), (QStringList{QStringLiteral("copy.qvt"), QStringLiteral("t.qvt")}));
    }

    void saveStoresPendingEdits()
    {
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1));
        book.ADOTableTs.edit();
        book.ADOTableTs.field(QStringLiteral("Stake")).setFloat(7);
        RecordingMessenger m;
        QCOMPARE(SaveTicketList(book, m), FileCommandResult::Done);
        QCOMPARE(book.ADOConnection.scalar(QStringLiteral("SELECT Stake FROM Tickets")).toDouble(), 7.0);
    }

    void ticketNumbersIgnoreTheDateFilter()
    {
        TicketBook book;
        newList(book);
        QCOMPARE(addTicket(book, QDate(2004, 5, 1)), 1); // the first ticket of a file is number 1
        QCOMPARE(addTicket(book, QDate(2005, 5, 1)), 2);
        TicketDateFilter f; // 1/1/2004 to 1/1/2004 ...
        f.endMonth = 12;
        f.endDay = 31; // ... to 12/31/2004: ticket 1 is hidden
        ApplyTicketDateFilter(book, &f);
        QCOMPARE(book.ADOTableTs.recordCount(), 1);
        QCOMPARE(NewTicket(book, QDate(2004, 6, 1)), 3);

        // A file whose tickets were counted from 0 goes on above its largest number.
        TicketBook older;
        newList(older, QStringLiteral("older.qvt"));
        older.ADOConnection.execute(
            QStringLiteral("INSERT INTO Tickets VALUES (0, '2004-01-01', 1, 0, 0, 0, 0, 'Undecided')"));
        older.ADOTableTs.reload();
        QCOMPARE(NewTicket(older, QDate(2004, 6, 1)), 1);
    }

    void dateFilterIncludesBothEnds()
    {
        TicketBook book;
        newList(book);
        for (const QDate &d : {QDate(2003, 12, 31), QDate(2004, 1, 1), QDate(2004, 7, 9), QDate(2004, 12, 31),
                               QDate(2005, 1, 1)})
            addTicket(book, d);
        TicketDateFilter f;
        f.endMonth = 12;
        f.endDay = 31;
        QCOMPARE(f.text(), QStringLiteral("DateP >= 1/1/2004 AND DateP <= 12/31/2004"));
        ApplyTicketDateFilter(book, &f);
        QStringList shown;
        for (book.ADOTableTs.first(); !book.ADOTableTs.eof(); book.ADOTableTs.next())
            shown << book.ADOTableTs.field(QStringLiteral("DateP")).asDate().toString(Qt::ISODate);
        QCOMPARE(shown, (QStringList{QStringLiteral("2004-01-01"), QStringLiteral("2004-07-09"),
                                     QStringLiteral("2004-12-31")}));
        ApplyTicketDateFilter(book, nullptr);
        QCOMPARE(book.ADOTableTs.recordCount(), 5);
        // A day that does not exist makes the filter unreadable; the list is then unfiltered.
        f.endMonth = 2;
        f.endDay = 31;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, ApplyTicketDateFilter(book, &f));
        QCOMPARE(book.ADOTableTs.recordCount(), 5);
    }

    void betGridFollowsTheCurrentTicket()
    {
        TicketBook book;
        newList(book);
        RecordingMessenger m;
        addTicket(book, QDate(2005, 1, 1));
        QVERIFY(StoreBet(book, bet(QStringLiteral("Cup"), QStringLiteral("A")), m));
        addTicket(book, QDate(2005, 1, 2));
        QCOMPARE(book.ADOTableBets.filter(), QStringLiteral("TN = 2"));
        QCOMPARE(book.ADOTableBets.recordCount(), 0);
        book.ADOTableTs.first();
        QCOMPARE(book.ADOTableBets.filter(), QStringLiteral("TN = 1"));
        QCOMPARE(book.ADOTableBets.recordCount(), 1);
    }

    void deletingATicketDeletesItsBets_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("Yes") << int(Answer::Yes) << true;
        QTest::newRow("No") << int(Answer::No) << false;
        QTest::newRow("Cancel") << int(Answer::Cancel) << false;
    }
    void deletingATicketDeletesItsBets()
    {
        QFETCH(int, answer);
        QFETCH(bool, deleted);
        TicketBook book;
        newList(book);
        RecordingMessenger m;
        addTicket(book, QDate(2005, 1, 1));
        QVERIFY(StoreBet(book, bet(QStringLiteral("Cup"), QStringLiteral("Other")), m));
        addTicket(book, QDate(2005, 1, 2));
        for (const char *home : {"A", "B", "C"})
            QVERIFY(StoreBet(book, bet(QStringLiteral("Cup"), QString::fromLatin1(home)), m));
        RecordingMessenger ask({Answer(answer)});
        QCOMPARE(DeleteTicket(book, ask), deleted);
        QCOMPARE(ask.log(), QStringList{QStringLiteral("Question YesNoCancel [Delete]: Delete ticket?")});
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Bets WHERE TN = 2")),
                 deleted ? 0 : 3);
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Bets WHERE TN = 1")), 1);
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Tickets")), deleted ? 1 : 2);
        QCOMPARE(book.ADOTableBets.recordCount(), deleted ? 1 : 3); // the bets of the ticket now current
    }

    // A new ticket whose dialog was cancelled goes, with the bets added meanwhile and what was left
    // pending on it; the other tickets and their bets stay, also those the date filter hides.
    void discardedTicketLeavesNothing()
    {
        TicketBook book;
        newList(book);
        RecordingMessenger m;
        addTicket(book, QDate(2004, 3, 1));
        QVERIFY(StoreBet(book, bet(QStringLiteral("Cup"), QStringLiteral("A")), m));
        const int added = NewTicket(book, QDate(2005, 3, 1));
        for (const char *home : {"B", "C"})
            QVERIFY(StoreBet(book, bet(QStringLiteral("Cup"), QString::fromLatin1(home)), m));
        TicketDateFilter only2005;
        only2005.startYear = only2005.endYear = 2005;
        only2005.endMonth = 12;
        only2005.endDay = 31;
        ApplyTicketDateFilter(book, &only2005);
        QCOMPARE(book.currentTicket(), added);
        book.ADOTableTs.edit();
        book.ADOTableTs.field(QStringLiteral("Stake")).setFloat(50);
        DiscardTicket(book, added);
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Tickets")), 1);
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Bets")), 1);
        QCOMPARE(
            count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Bets WHERE TN = ?1"), {added}), 0);
        QCOMPARE(book.ADOTableTs.recordCount(), 0); // the filter still shows 2005 only
        QCOMPARE(book.ADOTableBets.recordCount(), 0);
        ApplyTicketDateFilter(book, nullptr);
        QCOMPARE(book.currentTicket(), 1);
        QCOMPARE(book.ADOTableBets.recordCount(), 1);
        DiscardTicket(book, 7); // no such ticket: nothing happens
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Tickets")), 1);
        QCOMPARE(NewTicket(book, QDate(2005, 3, 2)), added); // its number is free again
    }

    void judgeLegs_data()
    {
        QTest::addColumn<QStringList>("legs"); // price:result
        QTest::addColumn<double>("price");     // 0: none
        QTest::addColumn<QString>("status");   // empty: none
        QTest::newRow("no bets") << legs("") << 0.0 << QString();
        QTest::newRow("all won") << legs("1.85:Won 1.40:Won") << 2.59 << "Won";
        QTest::newRow("every notation converts") << legs("2.00:Won 5/4:Won +150:Won") << 11.25 << "Won";
        QTest::newRow("one lost decides at once") << legs("1.85:Lost 1.40:Undecided") << 2.59 << "Lost";
        QTest::newRow("one undecided: the status stays")
            << legs("1.85:Won 1.40:Undecided") << 2.59 << QString();
        QTest::newRow("a cancelled bet stands at 1") << legs("1.85:Won 3.00:Cancelled") << 1.85 << "Won";
        QTest::newRow("all cancelled") << legs("1.85:Cancelled 3.00:Cancelled") << 1.0 << "Cancelled";
        QTest::newRow("small letters are no settlement") << legs("1.85:won") << 1.85 << QString();
        QTest::newRow("a bet without a price: no total price") << legs("1.85:Won :Won") << 0.0 << "Won";
        QTest::newRow("the price of a cancelled bet does not matter")
            << legs("2,50:Won :Cancelled") << 2.5 << "Won";
        QTest::newRow("rounded to two decimals") << legs("1.7:Won 2.1:Won 1.85:Won") << 6.6 << "Won";
    }
    void judgeLegs()
    {
        QFETCH(QStringList, legs);
        QFETCH(double, price);
        QFETCH(QString, status);
        QList<TicketLeg> in;
        for (const QString &leg : legs)
            in.append({leg.section(QLatin1Char(':'), 0, 0), leg.section(QLatin1Char(':'), 1)});
        const LegsVerdict v = JudgeLegs(in);
        QCOMPARE(v.totalPrice.value_or(0), price);
        QCOMPARE(v.status.value_or(QString()), status);
    }

    // "Calculate Payout and Profit" on a ticket: an empty total price comes from the bets, a typed one
    // stays; the status follows the bets once they decide it.
    void calculateWithTheBets_data()
    {
        QTest::addColumn<double>("typedPrice");
        QTest::addColumn<QString>("secondResult");
        QTest::addColumn<double>("price");
        QTest::addColumn<QString>("status");
        QTest::addColumn<double>("payout");
        QTest::addColumn<double>("profit");
        // stake 10, fee 1; bets at 2.00 (won) and 1.50
        QTest::newRow("accumulator won") << 0.0 << "Won" << 3.0 << "Won" << 30.0 << 19.0;
        QTest::newRow("one bet lost") << 0.0 << "Lost" << 3.0 << "Lost" << 30.0 << -11.0;
        QTest::newRow("still open: the status as set") << 0.0 << "Undecided" << 3.0 << "Won" << 30.0 << 19.0;
        QTest::newRow("a typed total price stays") << 2.8 << "Won" << 2.8 << "Won" << 28.0 << 17.0;
    }
    void calculateWithTheBets()
    {
        QFETCH(double, typedPrice);
        QFETCH(QString, secondResult);
        QFETCH(double, price);
        QFETCH(QString, status);
        QFETCH(double, payout);
        QFETCH(double, profit);
        TicketBook book;
        newList(book);
        RecordingMessenger m;
        addTicket(book, QDate(2005, 3, 1), 10, QStringLiteral("Won"));
        BetInput first = bet(QStringLiteral("Cup"), QStringLiteral("A"), QString(), QStringLiteral("2.00"));
        first.result = QStringLiteral("Won");
        QVERIFY(StoreBet(book, first, m));
        BetInput second = bet(QStringLiteral("Cup"), QStringLiteral("B"), QString(), QStringLiteral("1.50"));
        second.result = secondResult;
        QVERIFY(StoreBet(book, second, m));
        // As the ticket dialog leaves them: typed into the row, not stored yet.
        book.ADOTableTs.edit();
        book.ADOTableTs.field(QStringLiteral("Fee")).setFloat(1);
        book.ADOTableTs.field(QStringLiteral("TPrice")).setFloat(typedPrice);
        CalculatePayoutAndProfit(book);
        Database check;
        check.open(book.path());
        auto stored = [&check](const char *column) {
            return check.scalar(QStringLiteral("SELECT %1 FROM Tickets").arg(QString::fromLatin1(column)));
        };
        QCOMPARE(stored("TPrice").toDouble(), price);
        QCOMPARE(stored("Status").toString(), status);
        QCOMPARE(stored("PayOut").toDouble(), payout);
        QCOMPARE(stored("Profit").toDouble(), profit);
        QCOMPARE(stored("Fee").toDouble(), 1.0);
    }

    void calculateStopsAtAPriceThatDoesNotRead()
    {
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 3, 1), 10);
        book.ADOConnection.execute(
            QStringLiteral("INSERT INTO Bets VALUES (1, '2005-03-01', 'Cup', 'A', '', '1', '1.2.3', 'Won')"));
        const QString before = storedRows(book.ADOConnection, {QStringLiteral("Tickets")});
        QVERIFY_THROWS_EXCEPTION(ConversionError, CalculatePayoutAndProfit(book));
        QCOMPARE(storedRows(book.ADOConnection, {QStringLiteral("Tickets")}), before);
    }

    // The file of the last New List, Open or Save As opens again; one that is gone or no longer a ticket
    // file is forgotten.
    void lastTicketFileOpensAgain()
    {
        {
            TicketBook book;
            newList(book, QStringLiteral("first.qvt"));
            newList(book, QStringLiteral("kept.qvt"));
            addTicket(book, QDate(2005, 3, 1));
        }
        QCOMPARE(QFileInfo(lastTicketList()), QFileInfo(path(QStringLiteral("kept.qvt"))));
        TicketBook book;
        RecordingMessenger m;
        QCOMPARE(ReopenLastTicketList(book, m), FileCommandResult::Done);
        QVERIFY(m.log().isEmpty());
        QCOMPARE(QFileInfo(book.path()), QFileInfo(path(QStringLiteral("kept.qvt"))));
        QCOMPARE(book.ADOTableTs.recordCount(), 1);
        QCOMPARE(SaveTicketListAs(book, path(QStringLiteral("copy.qvt")), m), FileCommandResult::Done);
        QCOMPARE(QFileInfo(lastTicketList()), QFileInfo(path(QStringLiteral("copy.qvt"))));
        book.closeFile();

        QVERIFY(QFile::remove(path(QStringLiteral("copy.qvt"))));
        QCOMPARE(ReopenLastTicketList(book, m), FileCommandResult::Cancelled);
        QVERIFY(m.log().isEmpty());
        QVERIFY(lastTicketList().isEmpty());
        QVERIFY(!book.isOpen());

        RecordingMessenger open;
        QCOMPARE(OpenTicketList(book, path(QStringLiteral("first.qvt")), open), FileCommandResult::Done);
        book.closeFile();
        QFile replaced(path(QStringLiteral("first.qvt")));
        QVERIFY(replaced.open(QIODevice::WriteOnly | QIODevice::Truncate));
        replaced.write("not a database");
        replaced.close();
        QCOMPARE(ReopenLastTicketList(book, m), FileCommandResult::Refused);
        QCOMPARE(m.messages().size(), 1);
        QVERIFY(lastTicketList().isEmpty());
        QVERIFY(!book.isOpen());
    }

    // The demonstration file holds every bet whatever the locale's decimal mark, and so the same totals.
    void demoFileIsTheSameInEveryLocale()
    {
        auto contents = [this](const QLocale &locale, const QString &name) {
            QLocale::setDefault(locale);
            CreateDemoTicketFile(path(name));
            Database db;
            db.open(path(name));
            return storedRowList(db, QStringLiteral("Tickets")) +
                   QStringList{db.scalar(QStringLiteral("SELECT COUNT(*) FROM Bets")).toString()};
        };
        const QStringList points = contents(QLocale::c(), QStringLiteral("c.qvt"));
        const QStringList commas =
            contents(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("de.qvt"));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(commas, points);
        QVERIFY(points.last().toInt() > points.size() - 1); // more bets than tickets
    }

    // The one check of every amount of a ticket or a bet, wherever it comes in.
    void amountRefusals_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("refusal"); // empty: taken
        const double inf = std::numeric_limits<double>::infinity();
        const auto row = [](const char *name, const char *column, double value, const char *refusal) {
            QTest::newRow(name) << QString::fromLatin1(column) << value << QString::fromUtf8(refusal);
        };
        row("stake", "Stake", 10, "");
        row("no stake", "Stake", 0, "");
        row("negative stake", "Stake", -5, "Stake cannot be negative (-5).");
        row("a cent below nothing", "Stake", -0.01, "Stake cannot be negative (-0.01).");
        row("largest stake", "Stake", 1e8, "");
        row("stake beyond", "Stake", 1e8 + 1, "Stake cannot be more than 100000000 (100000001).");
        row("huge stake", "Stake", 1e308, "Stake cannot be more than 100000000 (1E308).");
        row("infinite stake", "Stake", inf, "Stake must be a finite number (inf).");
        row("no number", "Stake", std::nan(""), "Stake must be a finite number (nan).");
        row("negative fee", "Fee", -1, "Fee cannot be negative (-1).");
        row("fee", "Fee", 0.5, "");
        row("no total price", "TPrice", 0, "");
        row("largest total price", "TPrice", 10000, "");
        row("total price beyond", "TPrice", 10000.01, "Total Price cannot be more than 10000 (10000.01).");
        row("total price of 1e308", "TPrice", 1e308, "Total Price cannot be more than 10000 (1E308).");
        row("negative total price", "TPrice", -2, "Total Price cannot be negative (-2).");
        row("bet price beyond", "Price", 20000, "Price cannot be more than 10000 (20000).");
        row("payout", "Payout", 1e12, "");
        row("negative payout", "Payout", -1, "Payout cannot be negative (-1).");
        row("a loss", "Profit", -11, "");
        row("largest loss", "Profit", -1e12, "");
        row("loss beyond", "Profit", -2e12, "Profit cannot be less than -1000000000000 (-2000000000000).");
        row("infinite loss", "Profit", -inf, "Profit must be a finite number (-inf).");
        row("gain beyond", "Profit", 1e13, "Profit cannot be more than 1000000000000 (10000000000000).");
    }
    void amountRefusals()
    {
        QFETCH(QString, column);
        QFETCH(double, value);
        QFETCH(QString, refusal);
        QCOMPARE(TicketAmounts::refusal(column, value).value_or(QString()), refusal);
        if (refusal.isEmpty()) {
            QCOMPARE(TicketAmounts::checked(column, value), value);
        } else {
            QVERIFY_THROWS_EXCEPTION(QuorvaneError, TicketAmounts::checked(column, value));
        }
    }

    // What the ticket dialog's money fields take: a refused amount is warned about and leaves the row as
    // it was.
    void typedAmounts_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored"); // the row's value afterwards; the stake was 1
        QTest::addColumn<QString>("warning");
        QTest::newRow("stake") << "Stake"
                               << "12.5" << 12.5 << QString();
        QTest::newRow("emptied stake") << "Stake"
                                       << "" << 0.0 << QString();
        QTest::newRow("negative stake") << "Stake"
                                        << "-5" << 1.0 << "Stake cannot be negative (-5).";
        QTest::newRow("negative fee") << "Fee"
                                      << "-0.5" << 0.0 << "Fee cannot be negative (-0.5).";
        QTest::newRow("total price of 1e308")
            << "TPrice"
            << "1e308" << 0.0 << "Total Price cannot be more than 10000 (1E308).";
        QTest::newRow("profit") << "Profit"
                                << "-3" << -3.0 << QString();
    }
    void typedAmounts()
    {
        QFETCH(QString, column);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        QFETCH(QString, warning);
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1));
        RecordingMessenger m;
        QCOMPARE(SetTicketAmount(book.ADOTableTs, column, typed, m), warning.isEmpty());
        QCOMPARE(m.log(),
                 warning.isEmpty() ? QStringList() : QStringList{QStringLiteral("Warning: ") + warning});
        QCOMPARE(book.ADOTableTs.field(column).asFloat(), stored);
        QCOMPARE(book.ADOTableTs.field(QStringLiteral("Stake")).asFloat(),
                 column == QLatin1String("Stake") ? stored : 1.0);
        QVERIFY_THROWS_EXCEPTION(ConversionError,
                                 SetTicketAmount(book.ADOTableTs, column, QStringLiteral("ten"), m));
    }

    // A file written before the amounts were checked: the calculation refuses what the fields would, and
    // stores nothing.
    void calculateRefusesWhatTheFieldsWould_data()
    {
        QTest::addColumn<QString>("spoil");
        QTest::addColumn<QString>("bets"); // price:result
        QTest::addColumn<QString>("refusal");
        QTest::newRow("negative stake") << "Stake = -10"
                                        << ""
                                        << "Stake cannot be negative (-10).";
        QTest::newRow("negative fee") << "Fee = -1"
                                      << ""
                                      << "Fee cannot be negative (-1).";
        QTest::newRow("price of 1e308") << "TPrice = 1e308"
                                        << ""
                                        << "Total Price cannot be more than 10000 (1E308).";
        QTest::newRow("stake of 1e308 (a payout of infinity)")
            << "Stake = 1e308, TPrice = 10"
            << ""
            << "Stake cannot be more than 100000000 (1E308).";
        QTest::newRow("bets multiplying beyond the largest price")
            << "TPrice = 0"
            << "200.0:Won 60.00:Won"
            << "Total Price cannot be more than 10000 (12000).";
    }
    void calculateRefusesWhatTheFieldsWould()
    {
        QFETCH(QString, spoil);
        QFETCH(QString, bets);
        QFETCH(QString, refusal);
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 3, 1), 10, QStringLiteral("Won"));
        RecordingMessenger m;
        for (const QString &leg : legs(bets.toLatin1().constData())) {
            BetInput in = bet(QStringLiteral("Cup"), QStringLiteral("A"), QString(),
                              leg.section(QLatin1Char(':'), 0, 0));
            in.result = leg.section(QLatin1Char(':'), 1);
            QVERIFY(StoreBet(book, in, m));
        }
        book.ADOConnection.execute(QStringLiteral("UPDATE Tickets SET %1").arg(spoil));
        book.ADOTableTs.reload();
        const QString before = storedRows(book.ADOConnection, {QStringLiteral("Tickets")});
        for (const bool withBets : {true, false}) {
            try {
                withBets ? CalculatePayoutAndProfit(book) : CalculatePayoutAndProfit(book.ADOTableTs);
                QFAIL("calculated");
            } catch (const QuorvaneError &e) {
                QCOMPARE(e.message(), refusal);
            }
            QCOMPARE(storedRows(book.ADOConnection, {QStringLiteral("Tickets")}), before);
            if (!bets.isEmpty())
                break; // without its bets the ticket has no total price to refuse
        }
    }

    void payoutAndProfitByStatus_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<double>("payout");
        QTest::addColumn<double>("profit");
        // stake 10, total price 2.5, fee 1, the profit stored before 3
        QTest::newRow("Won") << "Won" << 25.0 << 14.0;
        QTest::newRow("Lost") << "Lost" << 25.0 << -11.0;
        QTest::newRow("Undecided") << "Undecided" << 25.0 << -11.0;
        QTest::newRow("Cancelled") << "Cancelled" << 25.0 << -1.0;
        QTest::newRow("small letters keep the profit") << "won" << 25.0 << 3.0;
    }
    void payoutAndProfitByStatus()
    {
        QFETCH(QString, status);
        QFETCH(double, payout);
        QFETCH(double, profit);
        const TicketMoney m = PayoutAndProfit(status, 10, 2.5, 1, 3);
        QCOMPARE(m.payout, payout);
        QCOMPARE(m.profit, profit);
    }

    void ticketDateThatDoesNotExistIsNotStored()
    {
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1));
        QVERIFY_THROWS_EXCEPTION(DateError, StoreTicketDate(book.ADOTableTs, 4, 31, 2005));
        QCOMPARE(book.ADOConnection.scalar(QStringLiteral("SELECT DateP FROM Tickets")).toString(),
                 QStringLiteral("2005-01-01"));
        StoreTicketDate(book.ADOTableTs, 4, 30, 2005);
        QCOMPARE(book.ADOConnection.scalar(QStringLiteral("SELECT DateP FROM Tickets")).toString(),
                 QStringLiteral("2005-04-30"));
    }

    void betChecks_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<QString>("home");
        QTest::addColumn<int>("notation");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("message"); // empty: stored

        const QString cup = QStringLiteral("Cup"), a = QStringLiteral("A");
        QTest::newRow("no event") << QString() << a << int(Odds::Decimal) << QString()
                                  << "No league entered / selected";
        QTest::newRow("no competitor")
            << cup << QString() << int(Odds::Decimal) << QString() << "Competitor 1 not entered / selected";
        QTest::newRow("empty price") << cup << a << int(Odds::Decimal) << QString() << QString();
        QTest::newRow("decimal") << cup << a << int(Odds::Decimal) << "1.85" << QString();
        QTest::newRow("comma in a locale of points") << cup << a << int(Odds::Decimal) << "1,85"
                                                     << "1,85 is an invalid value.\rExample: 1.50 or 3.00";
        QTest::newRow("one character") << cup << a << int(Odds::Decimal) << "3" << QString();
        QTest::newRow("decimal unread") << cup << a << int(Odds::Decimal) << "1.2.3"
                                        << "1.2.3 is an invalid value.\rExample: 1.50 or 3.00";
        QTest::newRow("fraction") << cup << a << int(Odds::Fractional) << "4/5" << QString();
        QTest::newRow("fraction without slash") << cup << a << int(Odds::Fractional) << "45"
                                                << "45 is an invalid value.\rExample: 4/5 or 2/1";
        QTest::newRow("fraction over 0") << cup << a << int(Odds::Fractional) << "4/0"
                                         << "4/0 is an invalid value.\rExample: 4/5 or 2/1";
        QTest::newRow("american") << cup << a << int(Odds::American) << "+200" << QString();
        QTest::newRow("american unread") << cup << a << int(Odds::American) << "2.5"
                                         << "2.5 is an invalid value.\rExample: +200 or -150";
        QTest::newRow("the largest price") << cup << a << int(Odds::Decimal) << "10000." << QString();
        QTest::newRow("decimal above the largest price") << cup << a << int(Odds::Decimal) << "10001"
                                                         << "Price cannot be more than 10000 (10001).";
        QTest::newRow("american above the largest price") << cup << a << int(Odds::American) << "999999"
                                                          << "Price cannot be more than 10000 (10000.99).";
        QTest::newRow("fraction at the largest price")
            << cup << a << int(Odds::Fractional) << "9999/1" << QString();
        QTest::newRow("negative decimal") << cup << a << int(Odds::Decimal) << "-2.5"
                                          << "Price cannot be negative (-2.5).";
        QTest::newRow("far beyond") << cup << a << int(Odds::Decimal) << "1e308"
                                    << "Price cannot be more than 10000 (1E308).";
    }
    void betChecks()
    {
        QFETCH(QString, event);
        QFETCH(QString, home);
        QFETCH(int, notation);
        QFETCH(QString, price);
        QFETCH(QString, message);
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1));
        BetInput in = bet(event, home, QString(), price);
        in.notation = notation;
        RecordingMessenger m;
        QCOMPARE(StoreBet(book, in, m), message.isEmpty());
        QCOMPARE(m.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Bets")),
                 message.isEmpty() ? 1 : 0);
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Teams")),
                 message.isEmpty() ? 1 : 0);
    }

    void betDateThatDoesNotExistWritesNothing()
    {
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1));
        BetInput in = bet(QStringLiteral("Cup"), QStringLiteral("A"), QStringLiteral("B"));
        in.month = 2;
        in.day = 30;
        RecordingMessenger m;
        QVERIFY_THROWS_EXCEPTION(DateError, StoreBet(book, in, m));
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Bets")) +
                     count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Teams")),
                 0);
    }

    void competitorsAreRememberedUnderTheirLatestEvent()
    {
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1));
        RecordingMessenger m;
        QVERIFY(StoreBet(book, bet(QStringLiteral("Cup"), QStringLiteral("Ajax"), QStringLiteral("PSV")), m));
        QVERIFY(StoreBet(book, bet(QStringLiteral("League"), QStringLiteral("ajax")), m));
        QVERIFY(StoreBet(book, bet(QStringLiteral("cup"), QStringLiteral("Zwolle")), m));
        QCOMPARE(rememberedEvents(book), (QStringList{QStringLiteral("Cup"), QStringLiteral("League")}));
        QCOMPARE(rememberedCompetitors(book, QStringLiteral("Cup")), QStringList{QStringLiteral("PSV")});
        QCOMPARE(rememberedCompetitors(book, QStringLiteral("League")), QStringList{QStringLiteral("ajax")});
        QCOMPARE(rememberedCompetitors(book, QStringLiteral("CUP")), QStringList()); // compared exactly
        QCOMPARE(rememberedCompetitors(book, QStringLiteral("Friendly")), QStringList());
        // An empty Competitor 2 is stored empty and not remembered.
        QCOMPARE(count(book.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Teams")), 3);
        QCOMPARE(book.ADOConnection.scalar(QStringLiteral("SELECT Away FROM Bets WHERE Home = 'Zwolle'"))
                     .toString(),
                 QString());
    }

    void editBetLoadsAndOverwritesTheCurrentBet()
    {
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1));
        RecordingMessenger m;
        // Stored by a program running with "," as its decimal mark.
        book.ADOTableBets.appendRecord({1, QDate(2005, 3, 14), QStringLiteral("Cup"), QStringLiteral("A"),
                                        QString(), QStringLiteral("1"), QStringLiteral("1,85"),
                                        QStringLiteral("Undecided")});
        BetInput loaded = currentBet(book);
        QCOMPARE(loaded.notation, int(Odds::Decimal));
        QCOMPARE(loaded.price, QStringLiteral("1,85"));
        QCOMPARE(QDate(loaded.year, loaded.month, loaded.day), QDate(2005, 3, 14));
        loaded.result = QStringLiteral("Won");
        loaded.price = QStringLiteral("5/4");
        loaded.notation = Odds::Fractional;
        QVERIFY(StoreBet(book, loaded, m));
        QCOMPARE(storedRowList(book.ADOConnection, QStringLiteral("Bets")),
                 QStringList{QStringLiteral("1|2005-03-14|Cup|A||1|5/4|Won|")});
    }

    void settlementColours_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::newRow("Won") << "Won" << 128 << 255;
        QTest::newRow("Lost") << "Lost" << 255 << 128;
        QTest::newRow("won in small letters") << "won" << 255 << 255;
        QTest::newRow("Undecided") << "Undecided" << 255 << 255;
    }
    void settlementColours()
    {
        QFETCH(QString, value);
        QFETCH(int, red);
        QFETCH(int, green);
        const Rgb c = settlementColour(value);
        QCOMPARE(c.red, red);
        QCOMPARE(c.green, green);
    }

    void ticketAndLeagueFilesStayApart()
    {
        TDataMod dm;
        CreateLeagueFile(dm.ADOConnection, dm.ADOTableLeague, path(QStringLiteral("l.qvl")));
        dm.OpenLeagueTables();
        TicketBook book;
        newList(book);
        addTicket(book, QDate(2005, 1, 1));
        RecordingMessenger m;
        QVERIFY(StoreBet(book, bet(QStringLiteral("Cup"), QStringLiteral("Ticket Team")), m));
        dm.ADOTableTeams.appendRecord(newTeamValues(QStringLiteral("League Team"), 1));
        QCOMPARE(storedRowList(book.ADOConnection, QStringLiteral("Teams")),
                 QStringList{QStringLiteral("Cup|Ticket Team|")});
        QCOMPARE(count(dm.ADOConnection, QStringLiteral("SELECT COUNT(*) FROM Teams")), 1);
        QCOMPARE(dm.ADOConnection.scalar(QStringLiteral("SELECT Team FROM Teams")).toString(),
                 QStringLiteral("League Team"));
        QVERIFY(dm.isLeagueOpen());
        QVERIFY(book.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestTickets)
#include "tst_tickets.moc"

#include "betting/TicketFiles.h"

#include "betting/TicketBook.h"
#include "betting/TicketSchema.h"
#include "data/Database.h"
#include "data/DocumentFile.h"
#include "data/ProgramFolder.h"
#include "data/ProgramSettings.h"
#include "entry/AccessConversion.h"

#include <QDir>
#include <QFileInfo>

using namespace FileSteps;

namespace
{

QString folderUnderProgram(const char *name)
{
    const QString path = QDir(programFolder()).filePath(QString::fromLatin1(name));
    QDir().mkpath(path);
    return path;
}

// The ticket book as the document of the file commands.
class TicketDocument final : public Document
{
public:
    explicit TicketDocument(TicketBook &book) : m_book(book) {}
    QString kind() const override { return QStringLiteral("ticket file"); }
    QString path() const override { return m_book.path(); }
    void open(const QString &path) override { m_book.openFile(path); }
    void close() override { m_book.closeFile(); }
    void storePendingEdits() override
    {
        ::storePendingEdits(m_book.ADOConnection,
                            {&m_book.ADOTableTs, &m_book.ADOTableBets, &m_book.ADOTableTeams});
    }

private:
    TicketBook &m_book;
};

// The way for a new ticket file at path: the open file itself is in use.
WayToFile ticketWay(TicketBook &book, const QString &path, Messenger &messenger)
{
    return makeWay(path, {book.path()}, messenger, Messenger::Buttons::YesNoCancel);
}

const QString kLastTicketList = QStringLiteral("ticketManager/lastFile");

// The file open after a command that succeeded is the one to open again next time.
FileCommandResult remembered(TicketBook &book, FileCommandResult result)
{
    if (result == FileCommandResult::Done && book.isOpen())
        ProgramSettings::storeText(kLastTicketList, book.path());
    return result;
}

// The ticket file an Access ticket file is converted into: beside it, under its name with the ticket
// files' extension (another name when that would be the Access file itself).
QString convertedTicketPath(const QString &accessPath)
{
    const QFileInfo info(accessPath);
    QString path = info.dir().filePath(info.completeBaseName() + QStringLiteral(".qvt"));
    if (sameFile(path, accessPath))
        path = info.dir().filePath(info.completeBaseName() + QStringLiteral(" (converted).qvt"));
    return path;
}

// A ticket file from the work file of an Access conversion: the three tables carried over column by column.
void buildTicketFile(const QString &workPath, const QString &newFile)
{
    TicketSchema::createFile(newFile);
    Database from, to;
    from.open(workPath);
    to.open(newFile);
    AccessConversion::carryOver(from, to, TicketSchema::tableNames());
}

const AccessConversion::Kind &ticketKind()
{
    static const AccessConversion::Kind kind{QStringLiteral("ticket file"), TicketSchema::tableNames(),
                                             buildTicketFile, [](Database &db) { TicketSchema::check(db); }};
    return kind;
}

// An Access ticket file opens through its conversion into a ticket file beside it.
FileCommandResult openAccessTicketList(TicketBook &book, const QString &accessPath, Messenger &messenger)
{
    const QString path = convertedTicketPath(accessPath);
    const WayToFile way = ticketWay(book, path, messenger);
    if (way.stop)
        return *way.stop;
    TicketDocument tickets(book);
    const FileCommandResult result = runStep(messenger, [&] {
        AccessConversion::convert(accessPath, path, ticketKind(), way.existing);
        switchDocument(tickets, path);
    });
    if (result == FileCommandResult::Done)
        messenger.information(QStringLiteral("The Access ticket file was converted into the ticket file %1, "
                                             "which is now open.")
                                  .arg(QDir::toNativeSeparators(path)));
    return result;
}

} // namespace

QString lastTicketList()
{
    return ProgramSettings::text(kLastTicketList, QString());
}

FileCommandResult ReopenLastTicketList(TicketBook &book, Messenger &messenger)
{
    const QString path = lastTicketList();
    if (path.isEmpty())
        return FileCommandResult::Cancelled;
    if (!QFileInfo(path).isFile()) {
        ProgramSettings::storeText(kLastTicketList, QString());
        return FileCommandResult::Cancelled;
    }
    const FileCommandResult result = OpenTicketList(book, path, messenger);
    if (result != FileCommandResult::Done)
        ProgramSettings::storeText(kLastTicketList, QString());
    return result;
}

QString ticketsFolder()
{
    return folderUnderProgram("Tickets");
}

QString picksFolder()
{
    return folderUnderProgram("Picks");
}

FileCommandResult NewTicketList(TicketBook &book, const QString &path, Messenger &messenger)
{
    if (path.isEmpty())
        return FileCommandResult::Cancelled;
    const WayToFile way = ticketWay(book, path, messenger);
    if (way.stop)
        return *way.stop;
    TicketDocument tickets(book);
    return remembered(book, runStep(messenger, [&] {
                          newDocument(tickets, path, way.existing, TicketSchema::createFile);
                      }));
}

FileCommandResult OpenTicketList(TicketBook &book, const QString &path, Messenger &messenger)
{
    if (path.isEmpty())
        return FileCommandResult::Cancelled;
    if (AccessConversion::isAccessFile(path))
        return remembered(book, openAccessTicketList(book, path, messenger));
    TicketDocument tickets(book);
    return remembered(book, runStep(messenger, [&] { switchDocument(tickets, path); }));
}

FileCommandResult SaveTicketList(TicketBook &book, Messenger &messenger)
{
    if (!book.isOpen())
        return FileCommandResult::Cancelled;
    TicketDocument tickets(book);
    return runStep(messenger, [&] { tickets.storePendingEdits(); });
}

FileCommandResult SaveTicketListAs(TicketBook &book, const QString &path, Messenger &messenger)
{
    if (path.isEmpty() || !book.isOpen())
        return FileCommandResult::Cancelled;
    const WayToFile way = ticketWay(book, path, messenger);
    if (way.stop)
        return *way.stop;
    TicketDocument tickets(book);
    return remembered(book, runStep(messenger, [&] { saveDocumentAs(tickets, path, way.existing); }));
}

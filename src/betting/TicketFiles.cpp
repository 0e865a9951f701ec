#include "betting/TicketFiles.h"

#include "betting/TicketBook.h"
#include "betting/TicketSchema.h"
#include "data/BusyCursor.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/ProgramFolder.h"
#include "data/ProgramSettings.h"
#include "entry/AccessConversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

using namespace FileSteps;

namespace
{

QString folderUnderProgram(const char *name)
{
    const QString path = QDir(programFolder()).filePath(QString::fromLatin1(name));
    QDir().mkpath(path);
    return path;
}

// Makes way for a new file at path: refuses the open file itself, asks before replacing another one
// and deletes it on Yes.  Returns how the command ends when it must stop here.
std::optional<FileCommandResult> makeWay(TicketBook &book, const QString &path, Messenger &messenger)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    if (sameFile(path, book.path())) {
        warnInUse(messenger);
        return FileCommandResult::Refused;
    }
    if (!confirmOverwrite(messenger, Messenger::Buttons::YesNoCancel))
        return FileCommandResult::Cancelled;
    if (!QFile::remove(path)) {
        warnInUse(messenger);
        return FileCommandResult::Refused;
    }
    return std::nullopt;
}

// Opens path in place of the open file; when that fails the file open before is opened again.
void switchFile(TicketBook &book, const QString &path)
{
    const QString previous = book.path();
    try {
        book.openFile(path);
    } catch (...) {
        book.closeFile();
        if (!previous.isEmpty()) {
            try {
                book.openFile(previous);
            } catch (const std::exception &) {
                book.closeFile();
            }
        }
        throw;
    }
}

void postPendingEdits(TicketBook &book)
{
    Transaction tx(book.ADOConnection);
    for (Table *t : {&book.ADOTableTs, &book.ADOTableBets, &book.ADOTableTeams})
        if (t->isActive() && !t->isEmpty())
            t->post();
    tx.commit();
}

const QString kLastTicketList = QStringLiteral("ticketManager/lastFile");

// The file open after a command that succeeded is the one to open again next time.
FileCommandResult remembered(TicketBook &book, FileCommandResult result)
{
    if (result == FileCommandResult::Done && book.isOpen())
        ProgramSettings::storeText(kLastTicketList, book.path());
    return result;
}

// Runs a step with the busy cursor; a failure is told through the messenger.
template <typename F> FileCommandResult runStep(Messenger &messenger, F &&step)
{
    QString failure;
    {
        BusyCursor busy;
        try {
            step();
        } catch (const std::exception &e) {
            failure = messageOf(e);
        }
    }
    if (failure.isEmpty())
        return FileCommandResult::Done;
    messenger.error(failure);
    return FileCommandResult::Refused;
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
    if (const auto stop = makeWay(book, path, messenger))
        return *stop;
    const FileCommandResult result = runStep(messenger, [&] {
        AccessConversion::convert(accessPath, path, ticketKind());
        switchFile(book, path);
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
    if (const auto stop = makeWay(book, path, messenger))
        return *stop;
    const FileCommandResult result = runStep(messenger, [&] {
        // The open file stays open until the new one is whole, so a failure changes nothing.
        StagedFile staged(path);
        TicketSchema::createFile(staged.path());
        staged.commit();
        switchFile(book, path);
    });
    return remembered(book, result);
}

FileCommandResult OpenTicketList(TicketBook &book, const QString &path, Messenger &messenger)
{
    if (path.isEmpty())
        return FileCommandResult::Cancelled;
    if (AccessConversion::isAccessFile(path))
        return remembered(book, openAccessTicketList(book, path, messenger));
    return remembered(book, runStep(messenger, [&] { switchFile(book, path); }));
}

FileCommandResult SaveTicketList(TicketBook &book, Messenger &messenger)
{
    if (!book.isOpen())
        return FileCommandResult::Cancelled;
    return runStep(messenger, [&] { postPendingEdits(book); });
}

FileCommandResult SaveTicketListAs(TicketBook &book, const QString &path, Messenger &messenger)
{
    if (path.isEmpty() || !book.isOpen())
        return FileCommandResult::Cancelled;
    if (const auto stop = makeWay(book, path, messenger))
        return *stop;
    const QString source = book.path();
    const FileCommandResult result = runStep(messenger, [&] {
        StagedFile staged(path);
        postPendingEdits(book); // the copy holds what the window shows
        book.closeFile();       // a closed file is complete on disk
        try {
            QFile file(source);
            if (!file.copy(staged.path()))
                throw DatabaseError(
                    QStringLiteral("Cannot copy the ticket file to '%1': %2").arg(path, file.errorString()));
            staged.commit();
            book.openFile(path);
        } catch (...) {
            try {
                book.openFile(source);
            } catch (const std::exception &) {
                book.closeFile();
            }
            throw;
        }
    });
    return remembered(book, result);
}

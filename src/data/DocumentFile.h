#pragma once
// The life of a document file (a league file, a ticket file, a downloaded file): a new one is built under
// a temporary name beside its target and moved into place only when it is complete; opening one in place
// of another opens the other again when it fails; Save As copies the closed file the same way; a
// conversion is a new file built from another.  Whatever fails on the way leaves no half-made file behind
// and leaves a file already at the target as it was: one that is to be replaced is replaced in one step,
// by the complete new file.

#include "data/FileSteps.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <initializer_list>
#include <optional>

class Database;
class Table;

// What becomes of a file that is already at the target of a new one.
enum class ExistingFile {
    Refuse,  // nothing is built: DatabaseError "Database '...' already exists."
    Replace, // replaced by the new file once that is complete
};

// A file built under a temporary name beside its target and moved into place by commit().  It is built in
// a hidden folder of the target's folder, under the target's own file name (a new league takes its name
// from it); that folder goes with the object, whatever it holds, so a failure leaves nothing behind.
class StagedFile
{
public:
    // DatabaseError when the target's folder takes no file, or when a file is at the target and existing
    // says Refuse.
    explicit StagedFile(const QString &target, ExistingFile existing = ExistingFile::Refuse);
    StagedFile(const StagedFile &) = delete;
    StagedFile &operator=(const StagedFile &) = delete;

    // The file to build.
    QString path() const { return m_path; }
    // Another file in the staging folder (a work file of the build), gone with it.
    QString scratchPath(const QString &name) const { return m_dir.filePath(name); }
    // Moves the built file to the target (over a file there only when it was to be replaced);
    // DatabaseError when it cannot.
    void commit();

private:
    QString m_target;
    ExistingFile m_existing;
    QTemporaryDir m_dir;
    QString m_path;
};

// Builds a new file at target: build writes it, complete and closed, at the path it is given, which then
// moves into place.  New files and conversions alike.
void buildFile(const QString &target, ExistingFile existing,
               const std::function<void(const QString &)> &build);

// A document file that a window keeps open: a league's data module, the ticket book.
class Document
{
public:
    virtual ~Document() = default;
    // What the file is, for messages: "league file", "ticket file".
    virtual QString kind() const = 0;
    // The open file; empty when none is.
    virtual QString path() const = 0;
    // Opens the file at path (none is open then); throws when it is not a file of this kind.
    virtual void open(const QString &path) = 0;
    // Does not throw: it also runs while a failure is on its way out.
    virtual void close() = 0;
    // Stores what the window shows and has not stored yet (a pending edit) in the open file.
    virtual void storePendingEdits() = 0;
};

// Stores a pending edit of the current row of each open table, in one transaction.
void storePendingEdits(Database &connection, std::initializer_list<Table *> tables);

// Shows a document just opened; a throw counts as a failed open.
using ShowDocument = std::function<void(const QString &path)>;

// Opens the file at path in place of the open one (closed first) and shows it.  When either fails, the
// file that was open before is opened and shown again (none stays open when even that fails, or when
// none was open) and the failure passes on.
void switchDocument(Document &document, const QString &path, const ShowDocument &show = {});

// Builds a new file at target (buildFile) and opens it in place of the open one (switchDocument).  The
// open file stays open until the new one is complete, so a failure in the build changes nothing.
void newDocument(Document &document, const QString &target, ExistingFile existing,
                 const std::function<void(const QString &)> &build);

// Copies the open file to target and opens the copy in its place: afterwards the copy is the open file,
// and later changes go to it.  Pending edits go into the copy; the file is closed for the copy (a closed
// file is complete on disk).  A failure after that opens the original again and passes on.
void saveDocumentAs(Document &document, const QString &target, ExistingFile existing);

// The way for a new file at target, as the file commands of the windows make it: a file there that is in
// use (one of inUse: the open file, the file converted) is refused with a warning; any other file is
// replaced only after Yes to the overwrite question.  askFirst: the question comes before the test for a
// file in use.
struct WayToFile {
    std::optional<FileCommandResult> stop; // how the command ends when it must stop here
    ExistingFile existing = ExistingFile::Refuse;
};
enum class InUseTest { BeforeQuestion, AfterQuestion };
WayToFile makeWay(const QString &target, const QStringList &inUse, Messenger &messenger,
                  Messenger::Buttons buttons, InUseTest order = InUseTest::BeforeQuestion);

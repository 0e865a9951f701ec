#include "data/DocumentFile.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/Table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

StagedFile::StagedFile(const QString &target, ExistingFile existing)
    : m_target(QFileInfo(target).absoluteFilePath()), m_existing(existing),
      m_dir(QFileInfo(target).absoluteDir().filePath(QStringLiteral(".quorvane-new-XXXXXX")))
{
    if (existing == ExistingFile::Refuse && QFileInfo::exists(target))
        throw DatabaseError(QStringLiteral("Database '%1' already exists.").arg(target));
    if (!m_dir.isValid())
        throw DatabaseError(
            QStringLiteral("Cannot create the file '%1': %2").arg(m_target, m_dir.errorString()));
    m_path = m_dir.filePath(QFileInfo(target).fileName());
}

void StagedFile::commit()
{
    if (m_existing == ExistingFile::Replace) {
        // One step: whoever looks finds the old file or the new one, never none or half of one.
        if (std::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(m_target).constData()) != 0)
            throw DatabaseError(QStringLiteral("Cannot create the file '%1': %2")
                                    .arg(m_target, QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    QFile built(m_path);
    if (!built.rename(m_target)) // refuses a file that came to the target meanwhile
        throw DatabaseError(
            QStringLiteral("Cannot create the file '%1': %2").arg(m_target, built.errorString()));
}

void buildFile(const QString &target, ExistingFile existing,
               const std::function<void(const QString &)> &build)
{
    StagedFile staged(target, existing);
    build(staged.path());
    staged.commit();
}

void storePendingEdits(Database &connection, std::initializer_list<Table *> tables)
{
    Transaction tx(connection);
    for (Table *t : tables)
        if (t->isActive() && !t->isEmpty())
            t->post();
    tx.commit();
}

namespace
{

// Opens the document that was open when it was made again, unless dismissed: a switch that fails goes
// back to where it started.
class PreviousDocument
{
public:
    PreviousDocument(Document &document, ShowDocument show)
        : m_document(document), m_path(document.path()), m_show(std::move(show))
    {
    }
    PreviousDocument(const PreviousDocument &) = delete;
    PreviousDocument &operator=(const PreviousDocument &) = delete;
    ~PreviousDocument()
    {
        if (!m_dismissed)
            reopen();
    }
    void dismiss() { m_dismissed = true; }

private:
    void reopen() noexcept
    {
        m_document.close();
        if (m_path.isEmpty())
            return;
        // The failure that brought us here is the one to tell; when even the old file no longer opens,
        // none stays open.
        try {
            m_document.open(m_path);
            if (m_show)
                m_show(m_document.path());
        } catch (...) {
            m_document.close();
        }
    }

    Document &m_document;
    QString m_path;
    ShowDocument m_show;
    bool m_dismissed = false;
};

void copyFile(const QString &source, const QString &copy, const QString &target, const QString &kind)
{
    QFile file(source);
    if (!file.copy(copy))
        throw DatabaseError(
            QStringLiteral("Cannot copy the %1 to '%2': %3").arg(kind, target, file.errorString()));
}

} // namespace

void switchDocument(Document &document, const QString &path, const ShowDocument &show)
{
    PreviousDocument previous(document, show);
    document.close();
    document.open(path);
    if (show)
        show(document.path());
    previous.dismiss();
}

void newDocument(Document &document, const QString &target, ExistingFile existing,
                 const std::function<void(const QString &)> &build)
{
    buildFile(target, existing, build);
    switchDocument(document, target);
}

void saveDocumentAs(Document &document, const QString &target, ExistingFile existing)
{
    const QString source = document.path();
    StagedFile staged(target, existing);
    document.storePendingEdits(); // the copy holds what the window shows
    PreviousDocument original(document, {});
    document.close(); // a closed file is complete on disk
    copyFile(source, staged.path(), target, document.kind());
    staged.commit();
    document.open(target);
    original.dismiss();
}

WayToFile makeWay(const QString &target, const QStringList &inUse, Messenger &messenger,
                  Messenger::Buttons buttons, InUseTest order)
{
    if (!QFileInfo::exists(target))
        return {};
    const bool used = std::any_of(inUse.begin(), inUse.end(),
                                  [&](const QString &file) { return FileSteps::sameFile(target, file); });
    if (used && order == InUseTest::BeforeQuestion) {
        FileSteps::warnInUse(messenger);
        return {FileCommandResult::Refused};
    }
    if (!FileSteps::confirmOverwrite(messenger, buttons))
        return {FileCommandResult::Cancelled};
    if (used) {
        FileSteps::warnInUse(messenger);
        return {FileCommandResult::Refused};
    }
    return {std::nullopt, ExistingFile::Replace};
}

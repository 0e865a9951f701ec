#include "entry/AccessConversion.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/FileSteps.h"
#include "data/Table.h"
#include "entry/JetReader.h"
#include "entry/SourceLeague.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>

namespace AccessConversion
{

bool isAccessFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(19);
    return head.startsWith(QByteArray("\x00\x01\x00\x00", 4)) &&
           (head.mid(4) == "Standard Jet DB" || head.mid(4) == "Standard ACE DB");
}

namespace
{

// The work file sits in the staged file's own folder, so it goes with it whatever happens.
QString workPathBeside(const FileSteps::StagedFile &staged)
{
    return QFileInfo(staged.path()).dir().filePath(QStringLiteral("source-tables.db"));
}

// Builds the new file from the work file, checks it and moves it into place.
void finish(FileSteps::StagedFile &staged, const QString &workPath, const QString &target, const Kind &kind,
            bool replace)
{
    kind.build(workPath, staged.path());
    {
        Database built;
        built.open(staged.path());
        kind.check(built);
    }
    if (!replace) {
        staged.commit();
        return;
    }
    std::error_code ec;
    std::filesystem::rename(staged.path().toStdString(), target.toStdString(), ec); // replaces at once
    if (ec)
        throw DatabaseError(QStringLiteral("Cannot create the file '%1': %2")
                                .arg(QDir::toNativeSeparators(target), QString::fromLocal8Bit(ec.message())));
}

} // namespace

void convert(const QString &accessPath, const QString &target, const Kind &kind, bool replace)
{
    FileSteps::StagedFile staged(target);
    const QString workPath = workPathBeside(staged);
    JetReader::readTables(accessPath, kind.tables, workPath);
    {
        Database work;
        work.open(workPath);
        const QStringList held = work.tableNames();
        for (const QString &table : kind.tables)
            if (!held.contains(table, Qt::CaseInsensitive))
                throw SourceLeague::missingTable(kind.name, table);
    }
    finish(staged, workPath, target, kind, replace);
}

void convert(const TableSource &source, const QString &target, const Kind &kind, bool replace)
{
    FileSteps::StagedFile staged(target);
    const QString workPath = workPathBeside(staged);
    {
        Database::create(workPath);
        Database work;
        work.open(workPath);
        SourceLeague::copyTables(source, kind.tables, work, kind.name);
    }
    finish(staged, workPath, target, kind, replace);
}

void carryOver(Database &from, Database &to, const QStringList &tables, const QString &oneRowTable)
{
    Transaction tx(to);
    for (const QString &table : tables) {
        Table source{&from, table};
        Table target{&to, table};
        source.open();
        target.open();
        const bool oneRow = table.compare(oneRowTable, Qt::CaseInsensitive) == 0;
        for (source.first(); !source.eof(); source.next()) {
            if (oneRow) {
                target.first();
                target.edit();
            } else {
                target.append();
            }
            for (const ColumnInfo &c : target.columns())
                if (columnIndex(source.columns(), c.name) >= 0)
                    target.field(c.name).setValue(source.field(c.name).value());
            target.post();
            if (oneRow)
                break;
        }
    }
    tx.commit();
}

} // namespace AccessConversion

#include "entry/AccessConversion.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/FileSteps.h"
#include "data/Table.h"
#include "entry/JetFile.h"
#include "entry/SourceLeague.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>

namespace AccessConversion
{

bool isAccessFile(const QString &path)
{
    return JetFile::looksLikeJet(path);
}

void convert(const QString &accessPath, const QString &target, const Kind &kind, bool replace)
{
    const JetFile source(accessPath);
    convert(source, target, kind, replace);
}

void convert(const TableSource &source, const QString &target, const Kind &kind, bool replace)
{
    FileSteps::StagedFile staged(target);
    // The work file sits in the staged file's own folder, so it goes with it whatever happens.
    const QString workPath = QFileInfo(staged.path()).dir().filePath(QStringLiteral("source-tables.db"));
    {
        Database::create(workPath);
        Database work;
        work.open(workPath);
        SourceLeague::copyTables(source, kind.tables, work, kind.name);
    }
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

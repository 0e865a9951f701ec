#include "entry/AccessConversion.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/Table.h"
#include "entry/JetReader.h"
#include "entry/SourceLeague.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// The work file sits in the staging folder, so it goes with it whatever happens.
const QString WorkFile = QStringLiteral("source-tables.db");

// Builds the new file from the work file, checks it and moves it into place.
void finish(StagedFile &staged, const Kind &kind)
{
    kind.build(staged.scratchPath(WorkFile), staged.path());
    {
        Database built;
        built.open(staged.path());
        kind.check(built);
    }
    staged.commit();
}

} // namespace

void convert(const QString &accessPath, const QString &target, const Kind &kind, ExistingFile existing)
{
    StagedFile staged(target, existing);
    const QString workPath = staged.scratchPath(WorkFile);
    JetReader::readTables(accessPath, kind.tables, workPath);
    {
        Database work;
        work.open(workPath);
        const QStringList held = work.tableNames();
        for (const QString &table : kind.tables)
            if (!held.contains(table, Qt::CaseInsensitive))
                throw SourceLeague::missingTable(kind.name, table);
    }
    finish(staged, kind);
}

void convert(const TableSource &source, const QString &target, const Kind &kind, ExistingFile existing)
{
    StagedFile staged(target, existing);
    const QString workPath = staged.scratchPath(WorkFile);
    {
        Database::create(workPath);
        Database work;
        work.open(workPath);
        SourceLeague::copyTables(source, kind.tables, work, kind.name);
    }
    finish(staged, kind);
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

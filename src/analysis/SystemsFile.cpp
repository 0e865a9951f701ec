#include "analysis/SystemsFile.h"

#include "analysis/SystemMetrics.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/LeagueSchema.h"

#include <QDir>
#include <QFileInfo>

namespace
{
ColumnInfo col(const char *name, ColumnKind kind, int width = 0)
{
    ColumnInfo c;
    c.name = QString::fromLatin1(name);
    c.kind = kind;
    c.width = width;
    return c;
}
constexpr ColumnKind R = ColumnKind::Real;
constexpr ColumnKind T = ColumnKind::Text;
} // namespace

namespace SystemsFile
{

const ColumnList &methodsColumns()
{
    static const ColumnList c = {col("ID", R),    col("League", T, 35), col("Crt", R),     col("Ict", R),
                                 col("Tot", R),   col("CrtP", R),       col("Profit", R),  col("UOP", R),
                                 col("SCP", R),   col("HP", R),         col("DP", R),      col("AP", R),
                                 col("CF", R),    col("Home", T, 3),    col("Draw", T, 3), col("Away", T, 3),
                                 col("TS", T, 2), col("LM", R)};
    return c;
}

const ColumnList &resultsColumns()
{
    static const ColumnList c = {col("ID", R),
                                 col("Home", T, 30),
                                 col("Away", T, 30),
                                 col("Result", T, 10),
                                 col("DateP", ColumnKind::Date),
                                 col("Rnd", R),
                                 col("F", R),
                                 col("A", R),
                                 col("HP", R),
                                 col("DP", R),
                                 col("AP", R),
                                 col("CF", R),
                                 col("PResult", T, 7),
                                 col("Ttl", R),
                                 col("Verdict", T, 2),
                                 col("UOV", R),
                                 col("UOP", T, 11),
                                 col("O1", T, 7),
                                 col("OX", T, 7),
                                 col("O2", T, 7),
                                 col("Balance", R)};
    return c;
}

void open(Database &db, const QString &path)
{
    const bool exists = QFileInfo::exists(path);
    if (!exists) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        Database::create(path);
    }
    db.open(path);
    if (!exists) {
        Transaction tx(db);
        db.execute(LeagueSchema::createTableSql(QStringLiteral("Methods"), methodsColumns()));
        db.execute(LeagueSchema::createTableSql(QStringLiteral("Results"), resultsColumns()));
        tx.commit();
    }
    const QStringList tables = db.tableNames();
    if (!tables.contains(QStringLiteral("Methods"), Qt::CaseInsensitive) ||
        !tables.contains(QStringLiteral("Results"), Qt::CaseInsensitive)) {
        db.close();
        throw DatabaseError(QStringLiteral("'%1' is not a betting systems file.").arg(path));
    }
    if (!tables.contains(QStringLiteral("MethodMetrics"), Qt::CaseInsensitive)) {
        Transaction tx(db);
        SystemMetrics::ensureTable(db);
        tx.commit();
    }
}

} // namespace SystemsFile

#include "data/LeagueSchema.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/Table.h"

namespace
{
ColumnList build(std::initializer_list<const char *> spec)
{
    // Each entry: "Name kind" with kind R (real), T<n> (text of n), D (date), B (bit), L (binary).
    ColumnList out;
    for (const char *entry : spec) {
        const QString e = QString::fromLatin1(entry);
        const qsizetype space = e.indexOf(QLatin1Char(' '));
        ColumnInfo c;
        c.name = e.left(space);
        const QString k = e.mid(space + 1);
        switch (k.at(0).toLatin1()) {
        case 'R':
            c.kind = ColumnKind::Real;
            break;
        case 'T':
            c.kind = ColumnKind::Text;
            c.width = k.mid(1).toInt();
            break;
        case 'D':
            c.kind = ColumnKind::Date;
            break;
        case 'B':
            c.kind = ColumnKind::Bit;
            break;
        default:
            c.kind = ColumnKind::Blob;
        }
        out << c;
    }
    return out;
}
} // namespace

namespace LeagueSchema
{

const ColumnList &leagueColumns()
{
    static const ColumnList c =
        build({"Sport T20", "League T35", "SS R", "SE R", "PW R", "PD R", "PL R", "PWO R", "PDO R", "PLO R",
               "PB R",      "HW B",       "DR B", "AW B", "HP R", "DP R", "AP R", "CF R",  "HA B",  "LM R"});
    return c;
}

const ColumnList &teamsColumns()
{
    static const ColumnList c =
        build({"Pos R",  "Team T30", "TRH R", "HP R", "HW R", "HD R", "HL R", "HF R",   "HA R",   "HDif R",
               "HPts R", "TRA R",    "AP R",  "AW R", "AD R", "AL R", "AF R", "AA R",   "ADif R", "APts R",
               "TRT R",  "TP R",     "TW R",  "TD R", "TL R", "TF R", "TA R", "TDif R", "TPts R", "TPic L"});
    return c;
}

const ColumnList &resultsColumns()
{
    static const ColumnList c =
        build({"ID R",      "Home T30",   "Away T30", "Result T10", "DateP D", "Rnd R",   "MatchT T14",
               "Season T9", "PtsH R",     "PtsHT R",  "PtsA R",     "PtsAT R", "TRH R",   "TRHT R",
               "TRA R",     "TRAT R",     "F R",      "A R",        "HP R",    "DP R",    "AP R",
               "CF R",      "PResult T7", "Ttl R",    "Verdict T2", "UOV R",   "UOP T11", "O1 T7",
               "O1B T20",   "OX T7",      "OXB T20",  "O2 T7",      "O2B T20", "Retrn R"});
    return c;
}

const ColumnList &playersColumns()
{
    static const ColumnList c = build({"N R", "Player T30", "Team T30", "Pos T20", "PR R", "Atk R", "Def R",
                                       "IN_OUT T3", "PPic L", "DOB D", "Wt T6", "Ht T6"});
    return c;
}

QString createTableSql(const QString &table, const ColumnList &columns)
{
    QStringList defs;
    for (const ColumnInfo &c : columns)
        defs << quoteIdentifier(c.name) + QLatin1Char(' ') + c.declaredType();
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(quoteIdentifier(table), defs.join(QStringLiteral(", ")));
}

// The first League row holds the sport and the points of a win, draw and loss; without them every
// match would count 0 points, so a file lacking them is no league.
void checkSettings(Database &db)
{
    Statement row = db.prepare(
        QStringLiteral("SELECT Sport, PW, PD, PL, PWO, PDO, PLO FROM League ORDER BY rowid LIMIT 1"));
    if (!row.step())
        throw DatabaseError(
            QStringLiteral("This is not a league file: the table League has no settings row."));
    bool complete = !row.value(0).toString().trimmed().isEmpty();
    for (int c = 1; c < row.columnCount(); ++c)
        complete = complete && !row.value(c).isNull() && row.value(c).isValid();
    if (!complete)
        throw DatabaseError(
            QStringLiteral("This is not a league file: the League row lacks its sport or its points."));
}

void check(Database &db)
{
    const QStringList tables = db.tableNames();
    const std::pair<const char *, const ColumnList *> wanted[] = {{"League", &leagueColumns()},
                                                                  {"Teams", &teamsColumns()},
                                                                  {"Results", &resultsColumns()},
                                                                  {"Players", &playersColumns()}};
    for (const auto &[name, columns] : wanted) {
        const QString table = QString::fromLatin1(name);
        if (!tables.contains(table, Qt::CaseInsensitive))
            throw DatabaseError(
                QStringLiteral("This is not a league file: the table %1 is missing.").arg(table));
        const auto present = db.tableColumns(table);
        for (const ColumnInfo &c : *columns) {
            bool found = false;
            for (const auto &p : present)
                found = found || p.first.compare(c.name, Qt::CaseInsensitive) == 0;
            if (!found)
                throw DatabaseError(
                    QStringLiteral("This is not a league file: the table %1 has no column %2.")
                        .arg(table, c.name));
        }
    }
    checkSettings(db);
}

} // namespace LeagueSchema

#include "entry/ConvertLeague.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/LeagueSchema.h"
#include "data/MatchOutcome.h"
#include "data/Numbers.h"
#include "data/Sports.h"
#include "data/Standings.h"
#include "data/TDataMod.h"
#include "entry/AccessConversion.h"

#include <functional>

namespace
{

QString name(const char *column)
{
    return QString::fromLatin1(column);
}

// The columns the conversion reads from each table of an older file.
void checkOldLayout(Database &db)
{
    struct OldTable {
        const char *table;
        QList<const char *> columns;
    };
    const OldTable wanted[] = {
        {"League",
         {"Sport", "League", "SS", "SE", "PW", "PD", "PL", "PWO", "PDO", "PLO", "HW", "DR", "AW", "HP", "DP",
          "AP", "CF"}},
        {"Teams", {"Team"}},
        {"Results", {"ID",    "Home", "Away", "Result", "DateP", "Round", "HQVR",  "HTQVR",   "AQVR",
                     "ATQVR", "F",    "A",    "HP",     "DP",    "AP",    "CF",    "PResult", "Verdict",
                     "O1",    "O1B",  "OX",   "OXB",    "O2",    "O2B",   "Margin"}},
        {"Players", {"N", "Player", "Team", "Pos", "PR", "IN_OUT", "PPic", "Wt", "Ht"}}};
    for (const auto &[table, columns] : wanted) {
        const auto present = db.tableColumns(name(table));
        for (const char *c : columns) {
            bool found = false;
            for (const auto &p : present)
                found = found || p.first.compare(name(c), Qt::CaseInsensitive) == 0;
            if (!found)
                throw DatabaseError(
                    QStringLiteral(
                        "This is not a league file of the older layout: the table %1 has no column %2.")
                        .arg(name(table), name(c)));
        }
    }
}

// Ttl of a converted match: the two numbers of its prediction added up, an overtime mark (" OT") taken
// out first.  A text shorter than two characters counts 0; anything else that is not two whole numbers
// around ":" raises the conversion error.
int predictedTotal(const QString &prediction)
{
    if (prediction.size() < 2)
        return 0;
    QString p = prediction;
    if (isOvertime(p)) {
        const qsizetype blank = p.indexOf(QLatin1Char(' '));
        if (blank >= 0)
            p.remove(blank, 3);
    }
    const qsizetype colon = p.indexOf(QLatin1Char(':'));
    const QString before = colon < 0 ? QString() : p.left(colon);
    const QString after = p.mid(colon + 1);
    return Numbers::parseInt(before) + Numbers::parseInt(after);
}

// UOP: the predicted side of the total line and the line, or the line alone when there is no prediction.
QString underOverText(const QString &prediction, int total, double line)
{
    const QString lineText = Numbers::formatGeneral(line);
    if (prediction == QLatin1String(":"))
        return lineText;
    return (total > line ? QStringLiteral("Over ") : QStringLiteral("Under ")) + lineText;
}

// The two connections and eight table objects of one conversion; going out of scope closes them all.
class LeagueConversion
{
public:
    void run(const QString &oldPath, const QString &newFile);

private:
    void copyLeagueRow();
    void copyTeams();
    void replayResults(const QString &sport);
    void copyPlayers();
    void takePointsSnapshot(const QString &team, const char *pointsColumn, const char *snapshotColumn,
                            const char *totalSnapshotColumn);

    Database ADOConOld;
    Database ADOConNew;
    Table ADOTblLeagueOld{&ADOConOld, QStringLiteral("League")};
    Table ADOTblTeamsOld{&ADOConOld, QStringLiteral("Teams")};
    Table ADOTblResultsOld{&ADOConOld, QStringLiteral("Results")};
    Table ADOTblPlayersOld{&ADOConOld, QStringLiteral("Players")};
    Table ADOTblLeagueNew{&ADOConNew, QStringLiteral("League")};
    Table ADOTblTeamsNew{&ADOConNew, QStringLiteral("Teams")};
    Table ADOTblResultsNew{&ADOConNew, QStringLiteral("Results")};
    Table ADOTblPlayersNew{&ADOConNew, QStringLiteral("Players")};
};

// A value carried over unchanged; the new column's kind decides how it is stored.
void copy(Table &from, const char *fromColumn, Table &to, const char *toColumn)
{
    to.field(name(toColumn)).setValue(from.field(name(fromColumn)).value());
}

void copy(Table &from, Table &to, std::initializer_list<const char *> columns)
{
    for (const char *c : columns)
        copy(from, c, to, c);
}

void LeagueConversion::run(const QString &oldPath, const QString &newFile)
{
    ADOConOld.open(oldPath);
    checkOldLayout(ADOConOld);
    CreateLeagueFile(ADOConNew, ADOTblLeagueNew, newFile);
    ADOTblTeamsNew.open();
    ADOTblResultsNew.open();
    ADOTblPlayersNew.open();
    ADOTblLeagueOld.open();
    ADOTblLeagueOld.first();
    ADOTblLeagueNew.first();

    // One transaction for the whole file: a commit per row would make big leagues slow.
    Transaction tx(ADOConNew);
    copyLeagueRow();
    copyTeams();
    replayResults(ADOTblLeagueOld.field(QStringLiteral("Sport")).asString());
    copyPlayers();
    tx.commit();
    ADOConNew.close();
    ADOConOld.close();
}

void LeagueConversion::copyLeagueRow()
{
    Table &from = ADOTblLeagueOld;
    Table &to = ADOTblLeagueNew;
    to.edit();
    for (const char *c : {"Sport", "League"})
        to.field(name(c)).setString(from.field(name(c)).asString());
    for (const char *c : {"SS", "SE", "PW", "PD", "PL", "PWO", "PDO", "PLO"})
        to.field(name(c)).setInteger(from.field(name(c)).asInteger());
    to.field(QStringLiteral("PB")).setInteger(0);
    for (const char *c : {"HW", "DR", "AW"})
        to.field(name(c)).setBoolean(from.field(name(c)).asBoolean());
    for (const char *c : {"HP", "DP", "AP", "CF"})
        to.field(name(c)).setInteger(from.field(name(c)).asInteger());
    // The older files had no statistics choice or match count: a converted league uses both sides'
    // home/away statistics over 6 matches.
    to.field(QStringLiteral("HA")).setBoolean(true);
    to.field(QStringLiteral("LM")).setInteger(6);
    to.post();
}

void LeagueConversion::copyTeams()
{
    // Fresh rows: counts 0 and ratings 1500, rebuilt by the replay; old pictures are not carried over.
    int pos = 0;
    for (ADOTblTeamsOld.open(), ADOTblTeamsOld.first(); !ADOTblTeamsOld.eof(); ADOTblTeamsOld.next())
        ADOTblTeamsNew.appendRecord(
            newTeamValues(ADOTblTeamsOld.field(QStringLiteral("Team")).asString(), ++pos));
}

void LeagueConversion::takePointsSnapshot(const QString &team, const char *pointsColumn,
                                          const char *snapshotColumn, const char *totalSnapshotColumn)
{
    // A team without a row leaves its snapshot columns empty.
    if (!ADOTblTeamsNew.locate(QStringLiteral("Team"), {team}, Dataset::CaseInsensitive))
        return;
    ADOTblResultsNew.field(name(snapshotColumn))
        .setInteger(ADOTblTeamsNew.field(name(pointsColumn)).asInteger());
    ADOTblResultsNew.field(name(totalSnapshotColumn))
        .setInteger(ADOTblTeamsNew.field(QStringLiteral("TPts")).asInteger());
}

void LeagueConversion::replayResults(const QString &sport)
{
    const double line = DefaultTotalLine(sport);
    Table &from = ADOTblResultsOld;
    Table &to = ADOTblResultsNew;
    from.open();
    from.setSort(QStringLiteral("DateP ASC")); // stable: matches of one day keep their stored order
    for (from.first(); !from.eof(); from.next()) {
        const int total = predictedTotal(from.field(QStringLiteral("PResult")).asString());
        to.append();
        to.field(QStringLiteral("Ttl")).setInteger(total);
        copy(from, to, {"ID", "Home", "Away", "Result"});
        to.field(QStringLiteral("MatchT")).setString(QStringLiteral("Regular Season"));
        copy(from, "DateP", to, "DateP");
        copy(from, "Round", to, "Rnd");
        copy(from, "HQVR", to, "TRH");
        copy(from, "HTQVR", to, "TRHT");
        copy(from, "AQVR", to, "TRA");
        copy(from, "ATQVR", to, "TRAT");
        copy(from, to, {"F", "A", "HP", "DP", "AP", "CF", "PResult", "Verdict"});
        to.field(QStringLiteral("UOV")).setFloat(line);
        to.field(QStringLiteral("UOP"))
            .setString(underOverText(to.field(QStringLiteral("PResult")).asString(), total, line));
        copy(from, to, {"O1B", "O1", "OX", "OXB", "O2", "O2B"});
        to.field(QStringLiteral("Retrn")).setFloat(from.field(QStringLiteral("Margin")).asFloat());

        // Points of both teams as they stand before this match.
        const QString home = from.field(QStringLiteral("Home")).asString();
        const QString away = from.field(QStringLiteral("Away")).asString();
        takePointsSnapshot(home, "HPts", "PtsH", "PtsHT");
        takePointsSnapshot(away, "APts", "PtsA", "PtsAT");
        to.post();

        // A played match has a score on both sides of ":"; an unplayed one is ":" (or nothing).
        const QString result = from.field(QStringLiteral("Result")).asString();
        if (isPlayed(result))
            Standings::ApplyResult(ADOTblTeamsNew, ADOTblLeagueNew, isOvertime(result),
                                   from.field(QStringLiteral("A")).asInteger(),
                                   from.field(QStringLiteral("F")).asInteger(), away, home);
    }
}

void LeagueConversion::copyPlayers()
{
    Table &from = ADOTblPlayersOld;
    Table &to = ADOTblPlayersNew;
    for (from.open(), from.first(); !from.eof(); from.next()) {
        to.append();
        copy(from, to, {"N", "Player", "Team", "Pos", "Wt", "Ht", "IN_OUT"});
        to.field(QStringLiteral("Atk")).setInteger(5);
        to.field(QStringLiteral("Def")).setInteger(5);
        copy(from, to, {"PR", "PPic"});
        to.post();
    }
}

// Whether a league read from another database follows the current layout: its Results name the round
// column "Rnd", the older layout "Round".
bool currentLayout(Database &db)
{
    for (const auto &column : db.tableColumns(QStringLiteral("Results")))
        if (column.first.compare(QLatin1String("Rnd"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A league of either layout read from another database (the work file of an Access conversion) written
// into newFile: one of the current layout carries every column over as it stands (its standings and
// ratings are its own, so nothing is replayed); one of the older layout is converted.
void buildFromWorkFile(const QString &workPath, const QString &newFile)
{
    Database from;
    from.open(workPath);
    if (!currentLayout(from)) {
        from.close();
        LeagueConversion conversion;
        conversion.run(workPath, newFile);
        return;
    }
    LeagueSchema::check(from);
    Database to;
    Table league{&to, QStringLiteral("League")};
    CreateLeagueFile(to, league, newFile);
    AccessConversion::carryOver(from, to,
                                {QStringLiteral("League"), QStringLiteral("Teams"), QStringLiteral("Results"),
                                 QStringLiteral("Players")},
                                QStringLiteral("League"));
}

const AccessConversion::Kind &leagueKind()
{
    static const AccessConversion::Kind kind{QStringLiteral("league file"),
                                             {QStringLiteral("League"), QStringLiteral("Teams"),
                                              QStringLiteral("Results"), QStringLiteral("Players")},
                                             buildFromWorkFile,
                                             [](Database &db) { LeagueSchema::check(db); }};
    return kind;
}

// Makes the new file (make builds it at newPath, staged as existing says) after the questions about an
// existing one, and reports how it went.
FileCommandResult convertInto(const QString &newPath, Messenger &messenger, const QString &openLeaguePath,
                              const QString &sourcePath, const std::function<void(ExistingFile)> &make)
{
    if (newPath.isEmpty())
        return FileCommandResult::Cancelled;
    // The open league and the file being converted are in use whatever the file system allows.
    const WayToFile way = makeWay(newPath, {openLeaguePath, sourcePath}, messenger, Messenger::Buttons::YesNo,
                                  InUseTest::AfterQuestion);
    if (way.stop)
        return *way.stop;
    if (FileSteps::runStep(messenger, [&] { make(way.existing); }) != FileCommandResult::Done)
        return FileCommandResult::Refused;
    messenger.information(QStringLiteral("File convertion complete"));
    return FileCommandResult::Done;
}

} // namespace

void ConvertAccessLeague(const QString &accessPath, const QString &target, ExistingFile existing)
{
    AccessConversion::convert(accessPath, target, leagueKind(), existing);
}

FileCommandResult ConvertLeagueSource(const TableSource &source, const QString &newPath, Messenger &messenger,
                                      const QString &openLeaguePath)
{
    return convertInto(newPath, messenger, openLeaguePath, QString(), [&](ExistingFile existing) {
        AccessConversion::convert(source, newPath, leagueKind(), existing);
    });
}

FileCommandResult ConvertLeagueFile(const QString &oldPath, const QString &newPath, Messenger &messenger,
                                    const QString &openLeaguePath)
{
    if (oldPath.isEmpty())
        return FileCommandResult::Cancelled;
    return convertInto(newPath, messenger, openLeaguePath, oldPath, [&](ExistingFile existing) {
        if (AccessConversion::isAccessFile(oldPath)) {
            ConvertAccessLeague(oldPath, newPath, existing);
            return;
        }
        buildFile(newPath, existing, [&](const QString &file) {
            LeagueConversion conversion;
            conversion.run(oldPath, file);
        });
    });
}

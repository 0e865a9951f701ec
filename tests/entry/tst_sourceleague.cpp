// Leagues read from another database (an Access/Jet file) through the TableSource interface: the tables
// as the reader hands them out, mapped into a new league file by the conversion.

#include "data/Database.h"
#include "data/Errors.h"
#include "data/FileSteps.h"
#include "data/TDataMod.h"
#include "data/Table.h"
#include "entry/ConvertLeague.h"
#include "entry/SourceLeague.h"
#include "support/JetWriter.h"
#include "support/LeagueFixture.h"
#include "support/RecordingMessenger.h"
#include "support/StoredRows.h"

#include <QBuffer>
#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace
{

struct FixtureTable {
    QString name;
    QList<SourceColumn> columns;
    QList<SourceRow> rows;
};

// Tables held in memory, as a reader would hand them out.
class FixtureSource final : public TableSource
{
public:
    QList<FixtureTable> tablesHeld;

    QStringList tables() const override
    {
        QStringList out;
        for (const FixtureTable &t : tablesHeld)
            out << t.name;
        return out;
    }
    QList<SourceColumn> columns(const QString &table) const override { return find(table).columns; }
    QList<SourceRow> rows(const QString &table) const override { return find(table).rows; }

    FixtureTable &table(const QString &name)
    {
        for (FixtureTable &t : tablesHeld)
            if (t.name.compare(name, Qt::CaseInsensitive) == 0)
                return t;
        Q_UNREACHABLE();
    }

private:
    const FixtureTable &find(const QString &name) const
    {
        for (const FixtureTable &t : tablesHeld)
            if (t.name.compare(name, Qt::CaseInsensitive) == 0)
                return t;
        throw DatabaseError(QStringLiteral("no table ") + name);
    }
};

// A small real BMP picture.
QByteArray bmpPicture(const QColor &colour)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A picture as Access keeps it in an embedded-object field: a header naming the object, the BMP, and a
// trailer.
QByteArray wrapped(const QByteArray &bmp)
{
    return QByteArray("\x15\x1c\x2f\x00\x02\x00\x00\x00\x0d\x00", 10) +
           QByteArray("Bitmap Image\0Paint.Picture\0", 27) + QByteArray("\x01\x05\x00\x00BMx", 7) + bmp +
           QByteArray(12, '\xee');
}

// An open league file seen through the interface, the way a Jet file of the current layout reads:
// dates as date and time, yes/no as booleans, pictures wrapped, table names in another letter case.
FixtureSource sourceOf(Database &db)
{
    FixtureSource source;
    for (const QString &table : {QStringLiteral("League"), QStringLiteral("Teams"), QStringLiteral("Results"),
                                 QStringLiteral("Players")}) {
        FixtureTable t{table.toUpper(), {}, {}};
        const auto columns = db.tableColumns(table);
        for (const auto &[name, declared] : columns) {
            SourceType type = SourceType::Real;
            if (declared.startsWith(QLatin1String("TEXT")))
                type = SourceType::Text;
            else if (declared == QLatin1String("DATE"))
                type = SourceType::DateTime;
            else if (declared == QLatin1String("BIT"))
                type = SourceType::Boolean;
            else if (declared == QLatin1String("BLOB") || declared == QLatin1String("LONGBINARY"))
                type = SourceType::Binary;
            t.columns << SourceColumn{name, type};
        }
        Statement st = db.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
        while (st.step()) {
            SourceRow row;
            for (int i = 0; i < st.columnCount(); ++i) {
                const QVariant v = st.value(i);
                if (v.isNull())
                    row << QVariant();
                else if (t.columns[i].type == SourceType::DateTime)
                    row << QVariant(QDateTime(QDate::fromString(v.toString(), Qt::ISODate), QTime(0, 0)));
                else if (t.columns[i].type == SourceType::Boolean)
                    row << QVariant(v.toInt() != 0);
                else if (t.columns[i].type == SourceType::Binary)
                    row << QVariant(wrapped(v.toByteArray()));
                else
                    row << v;
            }
            t.rows << row;
        }
        source.tablesHeld << t;
    }
    return source;
}

// A league of the older layout as a Jet file holds it: whole-number, currency and date-and-time columns.
FixtureSource olderLeague(const QByteArray &picture)
{
    using T = SourceType;
    const auto cols = [](std::initializer_list<std::pair<const char *, T>> list) {
        QList<SourceColumn> out;
        for (const auto &[n, t] : list)
            out << SourceColumn{QString::fromLatin1(n), t};
        return out;
    };
    FixtureSource s;
    s.tablesHeld << FixtureTable{QStringLiteral("League"),
                                 cols({{"Sport", T::Text},
                                       {"League", T::Text},
                                       {"SS", T::Integer},
                                       {"SE", T::Integer},
                                       {"PW", T::Integer},
                                       {"PD", T::Integer},
                                       {"PL", T::Integer},
                                       {"PWO", T::Integer},
                                       {"PDO", T::Integer},
                                       {"PLO", T::Integer},
                                       {"HW", T::Boolean},
                                       {"DR", T::Boolean},
                                       {"AW", T::Boolean},
                                       {"HP", T::Integer},
                                       {"DP", T::Integer},
                                       {"AP", T::Integer},
                                       {"CF", T::Integer}}),
                                 {{QStringLiteral("Football (Soccer)"), QStringLiteral("Old League"), 2001,
                                   2002, 3, 1, 0, 3, 1, 0, true, false, true, 50, 30, 40, 55}}};
    s.tablesHeld << FixtureTable{QStringLiteral("teams"),
                                 cols({{"Team", T::Text}, {"TR", T::Integer}}),
                                 {{QStringLiteral("Reds"), 1700}, {QStringLiteral("Blues"), 1300}}};
    const auto match = [](int id, const QString &result, const QDateTime &when, int f, int a) {
        return SourceRow{id,
                         QStringLiteral("Reds"),
                         QStringLiteral("Blues"),
                         result,
                         when,
                         id,
                         1500,
                         1500,
                         1500,
                         1500,
                         f,
                         a,
                         40,
                         30,
                         30,
                         55,
                         QStringLiteral("2:1"),
                         QStringLiteral("1"),
                         QStringLiteral("1.9"),
                         QStringLiteral("Book"),
                         QStringLiteral("3.3"),
                         QStringLiteral("Book"),
                         QStringLiteral("4.2"),
                         QStringLiteral("Book"),
                         2.25};
    };
    s.tablesHeld << FixtureTable{
        QStringLiteral("Results"),
        cols({{"ID", T::Integer},     {"Home", T::Text},     {"Away", T::Text},    {"Result", T::Text},
              {"dateP", T::DateTime}, {"Round", T::Integer}, {"HQVR", T::Integer}, {"HTQVR", T::Integer},
              {"AQVR", T::Integer},   {"ATQVR", T::Integer}, {"F", T::Integer},    {"A", T::Integer},
              {"HP", T::Integer},     {"DP", T::Integer},    {"AP", T::Integer},   {"CF", T::Integer},
              {"PResult", T::Text},   {"Verdict", T::Text},  {"O1", T::Text},      {"O1B", T::Text},
              {"OX", T::Text},        {"OXB", T::Text},      {"O2", T::Text},      {"O2B", T::Text},
              {"Margin", T::Real}}),
        // Stored out of date order; the later match has a time of day, as Access dates may.
        {match(1, QStringLiteral("0:2"), QDateTime(QDate(2001, 9, 8), QTime(19, 45)), 0, 2),
         match(0, QStringLiteral("2:1"), QDateTime(QDate(2001, 9, 1), QTime(0, 0)), 2, 1)}};
    s.tablesHeld << FixtureTable{
        QStringLiteral("Players"),
        cols({{"N", T::Integer},
              {"Player", T::Text},
              {"Team", T::Text},
              {"Pos", T::Text},
              {"PR", T::Integer},
              {"IN_OUT", T::Text},
              {"PPic", T::Binary},
              {"Wt", T::Text},
              {"Ht", T::Text}}),
        {{9, QStringLiteral("Keeper"), QStringLiteral("Reds"), QStringLiteral("GK"), 1900,
          QStringLiteral("IN"), wrapped(picture), QStringLiteral("80"), QVariant()}}};
    return s;
}

QVariant scalar(Database &db, const QString &sql)
{
    return db.scalar(sql);
}

} // namespace

class TestSourceLeague : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void currentLayoutCarriesEveryColumnOver();
    void olderLayoutIsReplayed();
    void refusedSourcesLeaveNoFile_data();
    void refusedSourcesLeaveNoFile();
    void picturesAreFoundInsideTheirWrapper_data();
    void picturesAreFoundInsideTheirWrapper();
    void convertsOnlyLeaguesFromJetFiles();
    void accessFilesOfEitherLayoutConvert();

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSourceLeague::currentLayoutCarriesEveryColumnOver()
{
    // A league with played matches, a fixture, a player and a picture, and ratings that a replay would
    // not give back (the standings are the file's own and must not be rebuilt).
    LeagueFixture original(QStringLiteral("Ice Hockey"),
                           {QStringLiteral("Wolves"), QStringLiteral("Bears"), QStringLiteral("Cats")});
    QVERIFY(
        original.addMatch(QStringLiteral("Wolves"), QStringLiteral("Bears"), 3, 2, true, QDate(2005, 10, 1)));
    QVERIFY(
        original.addMatch(QStringLiteral("Cats"), QStringLiteral("Wolves"), 1, 4, false, QDate(2005, 10, 3)));
    QVERIFY(original.addMatch(QStringLiteral("Bears"), QStringLiteral("Cats"), -1, -1, false,
                              QDate(2005, 10, 9)));
    Database &db = original.dm().ADOConnection;
    db.execute(QStringLiteral("UPDATE Teams SET TRH = 1777, TPic = ?1 WHERE Team = 'Bears'"),
               {bmpPicture(Qt::red)});
    db.execute(
        QStringLiteral("INSERT INTO Players (N, Player, Team, Pos, PR, Atk, Def, IN_OUT, PPic, DOB, Wt, "
                       "Ht) VALUES (30, 'Brodeur', 'Wolves', 'G', 2300, 5, 5, 'IN', ?1, '1972-05-06', "
                       "'-', '188')"),
        {bmpPicture(Qt::blue)});
    const QStringList tables = {QStringLiteral("League"), QStringLiteral("Teams"), QStringLiteral("Results"),
                                QStringLiteral("Players")};
    const QString before = storedRows(db, tables);
    const FixtureSource source = sourceOf(db);

    const QString newPath = file(QStringLiteral("copy.qvl"));
    RecordingMessenger m;
    QCOMPARE(ConvertLeagueSource(source, newPath, m), FileCommandResult::Done);
    QCOMPARE(m.log(), QStringList{QStringLiteral("Information: File convertion complete")});

    TDataMod converted;
    converted.openLeague(newPath); // a whole league file of the current layout
    QCOMPARE(storedRows(converted.ADOConnection, tables), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("copy.qvl")});
}

void TestSourceLeague::olderLayoutIsReplayed()
{
    const QByteArray picture = bmpPicture(Qt::green);
    const QString newPath = file(QStringLiteral("old.qvl"));
    RecordingMessenger m;
    QCOMPARE(ConvertLeagueSource(olderLeague(picture), newPath, m), FileCommandResult::Done);

    TDataMod dm;
    dm.openLeague(newPath);
    Database &db = dm.ADOConnection;
    QCOMPARE(scalar(db, QStringLiteral(
                            "SELECT League || '|' || LM || '|' || HA || '|' || HW || DR || AW FROM League"))
                 .toString(),
             QStringLiteral("Old League|6.0|1|101"));
    // Matches in date order with the date alone; the round and the snapshot come from the old columns.
    QCOMPARE(storedRowList(db, QStringLiteral("Results")).size(), 2);
    QCOMPARE(scalar(db, QStringLiteral("SELECT group_concat(DateP || '/' || Rnd || '/' || Retrn, ' ') FROM "
                                       "(SELECT * FROM Results ORDER BY rowid)"))
                 .toString(),
             QStringLiteral("2001-09-01/0.0/2.25 2001-09-08/1.0/2.25"));
    // Standings rebuilt from the matches, the old rating column ignored: Reds won at home, Blues away.
    QCOMPARE(
        scalar(db, QStringLiteral("SELECT group_concat(Team || ':' || HPts || ':' || APts || ':' || TP, ' ') "
                                  "FROM (SELECT * FROM Teams ORDER BY rowid)"))
            .toString(),
        QStringLiteral("Reds:3.0:0.0:2.0 Blues:0.0:3.0:2.0"));
    QCOMPARE(scalar(db, QStringLiteral("SELECT PPic FROM Players")).toByteArray(), picture);
    QVERIFY(scalar(db, QStringLiteral("SELECT Ht FROM Players")).isNull() ||
            scalar(db, QStringLiteral("SELECT Ht FROM Players")).toString().isEmpty());
}

void TestSourceLeague::refusedSourcesLeaveNoFile_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");
    QTest::newRow("no players table") << "drop Players"
                                      << "it has no table Players";
    QTest::newRow("older layout without a column") << "drop Margin"
                                                   << "has no column Margin";
    QTest::newRow("prediction that is no score") << "prediction x:1"
                                                 << "'x' is not a valid integer value";
}

void TestSourceLeague::refusedSourcesLeaveNoFile()
{
    QFETCH(QString, change);
    QFETCH(QString, message);
    FixtureSource source = olderLeague(bmpPicture(Qt::black));
    if (change == QLatin1String("drop Players")) {
        source.tablesHeld.removeLast();
    } else if (change == QLatin1String("drop Margin")) {
        FixtureTable &r = source.table(QStringLiteral("Results"));
        r.columns.removeLast();
        for (SourceRow &row : r.rows)
            row.removeLast();
    } else {
        source.table(QStringLiteral("Results")).rows[1][16] = QStringLiteral("x:1");
    }
    const QString newPath = file(QStringLiteral("refused.qvl"));
    RecordingMessenger m;
    QCOMPARE(ConvertLeagueSource(source, newPath, m), FileCommandResult::Refused);
    QCOMPARE(m.log().size(), 1);
    QVERIFY2(m.log().first().startsWith(QLatin1String("Error: ")) && m.log().first().contains(message),
             qPrintable(m.log().first()));
    QVERIFY(QDir(m_dir->path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    // Onto a file the user agreed to replace: that file stays as it was.
    {
        QFile kept(newPath);
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("a file to replace");
    }
    RecordingMessenger yes({Messenger::Answer::Yes});
    QCOMPARE(ConvertLeagueSource(source, newPath, yes), FileCommandResult::Refused);
    QCOMPARE(yes.log().size(), 2);
    QVERIFY2(yes.log().last().contains(message), qPrintable(yes.log().last()));
    QFile kept(newPath);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("a file to replace"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("refused.qvl")});
}

void TestSourceLeague::picturesAreFoundInsideTheirWrapper_data()
{
    const QByteArray bmp = bmpPicture(Qt::yellow);
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("picture");
    QTest::newRow("bare picture") << bmp << bmp;
    QTest::newRow("wrapped picture") << wrapped(bmp) << bmp;
    QTest::newRow("no picture") << QByteArray("Package\0some.doc\0", 17) << QByteArray();
    QTest::newRow("cut picture") << bmp.left(bmp.size() - 1) << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestSourceLeague::picturesAreFoundInsideTheirWrapper()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, picture);
    QCOMPARE(SourceLeague::pictureIn(stored), picture);
}

void TestSourceLeague::convertsOnlyLeaguesFromJetFiles()
{
    // A real Jet database that holds no league: refused with the reason, nothing written.
    const QString sample = QStringLiteral(QUORVANE_TEST_DATA) + QStringLiteral("/jet/nwind_jet3.mdb");
    if (!QFile::exists(sample))
        QSKIP("The Jet sample databases are not present.");
    const QString newPath = file(QStringLiteral("nwind.qvl"));
    RecordingMessenger m;
    QCOMPARE(ConvertLeagueFile(sample, newPath, m), FileCommandResult::Refused);
    QCOMPARE(m.log(),
             QStringList{QStringLiteral("Error: This is not a league file: it has no table League.")});
    QVERIFY(QDir(m_dir->path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

// Real Access files, as libmdb reads them: one of the current layout carries its rows over as they stand,
// one of the older layout is replayed; the new file takes the place of an existing one only when asked.
void TestSourceLeague::accessFilesOfEitherLayoutConvert()
{
    LeagueFixture original(QStringLiteral("Ice Hockey"), {QStringLiteral("Wolves"), QStringLiteral("Bears")});
    QVERIFY(
        original.addMatch(QStringLiteral("Wolves"), QStringLiteral("Bears"), 3, 2, true, QDate(2005, 10, 1)));
    QVERIFY(original.addMatch(QStringLiteral("Bears"), QStringLiteral("Wolves"), -1, -1, false,
                              QDate(2005, 10, 9)));
    const QStringList tables = {QStringLiteral("League"), QStringLiteral("Teams"), QStringLiteral("Results"),
                                QStringLiteral("Players")};
    const QString before = storedRows(original.dm().ADOConnection, tables);
    const QString current = file(QStringLiteral("current.mdb"));
    QCOMPARE(JetWriter::writeCopyOf(original.path(), tables, current), QString());

    const QString newPath = file(QStringLiteral("current.qvl"));
    RecordingMessenger m;
    QCOMPARE(ConvertLeagueFile(current, newPath, m), FileCommandResult::Done);
    QCOMPARE(m.log(), QStringList{QStringLiteral("Information: File convertion complete")});
    {
        TDataMod converted;
        converted.openLeague(newPath);
        QCOMPARE(storedRows(converted.ADOConnection, tables), before);
    }

    using T = JetWriter::Type;
    const QList<JetWriter::Column> resultColumns = {
        {QStringLiteral("ID"), T::Long},      {QStringLiteral("Home"), T::Text},
        {QStringLiteral("Away"), T::Text},    {QStringLiteral("Result"), T::Text},
        {QStringLiteral("DateP"), T::Date},   {QStringLiteral("Round"), T::Long},
        {QStringLiteral("HQVR"), T::Long},    {QStringLiteral("HTQVR"), T::Long},
        {QStringLiteral("AQVR"), T::Long},    {QStringLiteral("ATQVR"), T::Long},
        {QStringLiteral("F"), T::Long},       {QStringLiteral("A"), T::Long},
        {QStringLiteral("HP"), T::Long},      {QStringLiteral("DP"), T::Long},
        {QStringLiteral("AP"), T::Long},      {QStringLiteral("CF"), T::Long},
        {QStringLiteral("PResult"), T::Text}, {QStringLiteral("Verdict"), T::Text},
        {QStringLiteral("O1"), T::Text},      {QStringLiteral("O1B"), T::Text},
        {QStringLiteral("OX"), T::Text},      {QStringLiteral("OXB"), T::Text},
        {QStringLiteral("O2"), T::Text},      {QStringLiteral("O2B"), T::Text},
        {QStringLiteral("Margin"), T::Double}};
    QList<JetWriter::Column> leagueColumns = {{QStringLiteral("Sport"), T::Text},
                                              {QStringLiteral("League"), T::Text}};
    for (const char *c : {"SS", "SE", "PW", "PD", "PL", "PWO", "PDO", "PLO"})
        leagueColumns << JetWriter::Column{QString::fromLatin1(c), T::Long};
    for (const char *c : {"HW", "DR", "AW"})
        leagueColumns << JetWriter::Column{QString::fromLatin1(c), T::Bool};
    for (const char *c : {"HP", "DP", "AP", "CF"})
        leagueColumns << JetWriter::Column{QString::fromLatin1(c), T::Long};
    const auto match = [](int id, const char *result, const QDate &date, int f, int a) {
        return QVariantList{id,
                            QStringLiteral("Reds"),
                            QStringLiteral("Blues"),
                            QString::fromLatin1(result),
                            date,
                            id + 1,
                            1500,
                            1500,
                            1500,
                            1500,
                            f,
                            a,
                            40,
                            30,
                            30,
                            55,
                            QStringLiteral("2:1"),
                            QStringLiteral("1"),
                            QStringLiteral("1.9"),
                            QStringLiteral("Book"),
                            QStringLiteral("3.3"),
                            QStringLiteral("Book"),
                            QStringLiteral("4.2"),
                            QStringLiteral("Book"),
                            2.25};
    };
    const QString older = file(QStringLiteral("older.mdb"));
    QCOMPARE(
        JetWriter::write(
            older, {{QStringLiteral("League"),
                     leagueColumns,
                     {{QStringLiteral("Football (Soccer)"), QStringLiteral("Old League"), 2001, 2002, 3, 1, 0,
                       3, 1, 0, true, false, true, 50, 30, 40, 55}}},
                    {QStringLiteral("Teams"),
                     {{QStringLiteral("Team"), T::Text}},
                     {{QStringLiteral("Reds")}, {QStringLiteral("Blues")}}},
                    // Stored out of date order: the replay goes by date.
                    {QStringLiteral("Results"),
                     resultColumns,
                     {match(1, "0:2", QDate(2001, 9, 8), 0, 2), match(0, "2:2 OT", QDate(2001, 9, 1), 2, 2)}},
                    {QStringLiteral("Players"),
                     {{QStringLiteral("N"), T::Long},
                      {QStringLiteral("Player"), T::Text},
                      {QStringLiteral("Team"), T::Text},
                      {QStringLiteral("Pos"), T::Text},
                      {QStringLiteral("PR"), T::Long},
                      {QStringLiteral("IN_OUT"), T::Text},
                      {QStringLiteral("PPic"), T::Binary},
                      {QStringLiteral("Wt"), T::Text},
                      {QStringLiteral("Ht"), T::Text}},
                     {{9, QStringLiteral("Keeper"), QStringLiteral("Reds"), QStringLiteral("GK"), 1900,
                       QStringLiteral("IN"), QVariant(), QStringLiteral("80"), QVariant()}}}}),
        QString());
    // Onto the converted file of the current layout: asked first, then replaced.
    m.clear();
    m.queueAnswer(Messenger::Answer::Yes);
    QCOMPARE(ConvertLeagueFile(older, newPath, m), FileCommandResult::Done);
    TDataMod dm;
    dm.openLeague(newPath);
    Database &db = dm.ADOConnection;
    QCOMPARE(scalar(db, QStringLiteral("SELECT League || '|' || LM || '|' || HA FROM League")).toString(),
             QStringLiteral("Old League|6.0|1"));
    QCOMPARE(scalar(db, QStringLiteral("SELECT group_concat(DateP || '/' || Rnd || '/' || Result, ' ') FROM "
                                       "(SELECT * FROM Results ORDER BY rowid)"))
                 .toString(),
             QStringLiteral("2001-09-01/1.0/2:2 OT 2001-09-08/2.0/0:2"));
    // The overtime draw counts one point each, the later win three for Blues.
    QCOMPARE(
        scalar(db, QStringLiteral("SELECT group_concat(Team || ':' || TPts, ' ') FROM Teams")).toString(),
        QStringLiteral("Reds:1.0 Blues:4.0"));
    QCOMPARE(scalar(db, QStringLiteral("SELECT Player || '/' || Atk FROM Players")).toString(),
             QStringLiteral("Keeper/5.0"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("current.mdb"), QStringLiteral("current.qvl"),
                          QStringLiteral("older.mdb")}));
}

QTEST_GUILESS_MAIN(TestSourceLeague)
#include "tst_sourceleague.moc"

// The Access/Jet reader against mdbtools' own programs on the generic sample databases: the same tables,
// the same column types, the same number of rows and the same values as mdb-schema and mdb-export print.
// Then the reader program on the samples and on damaged copies of them: whole files read as in this
// process, damaged ones end in a converted file or a message, never in a crash, a hang or a file left
// behind.

#include "data/Database.h"
#include "data/Errors.h"
#include "entry/AccessConversion.h"
#include "entry/JetReader.h"
#include "entry/jetreader/JetFile.h"
#include "support/DamagedFiles.h"
#include "support/StoredRows.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace
{

QString jetFolder()
{
    return QStringLiteral(QUORVANE_TEST_DATA) + QStringLiteral("/jet");
}

QByteArray runTool(const QString &tool, const QStringList &args)
{
    // The tools print in a known locale, whatever the test runs in.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(tool, args);
    p.waitForFinished(120000);
    return p.readAllStandardOutput();
}

// mdb-export's CSV: fields in double quotes may hold commas, doubled quotes and line breaks.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows << (row << field);
    return rows;
}

// The reader's type for each Access type name that mdb-schema prints.
SourceType typeOfAccessName(const QString &name, bool &known)
{
    known = true;
    const struct {
        const char *prefix;
        SourceType type;
    } types[] = {{"Text", SourceType::Text},           {"Memo", SourceType::Text},
                 {"Replication ID", SourceType::Text}, {"Byte", SourceType::Integer},
                 {"Integer", SourceType::Integer},     {"Long Integer", SourceType::Integer},
                 {"Double", SourceType::Real},         {"Single", SourceType::Real},
                 {"Currency", SourceType::Real},       {"Numeric", SourceType::Real},
                 {"DateTime", SourceType::DateTime},   {"Boolean", SourceType::Boolean},
                 {"OLE", SourceType::Binary},          {"Binary", SourceType::Binary}};
    for (const auto &t : types)
        if (name.startsWith(QLatin1String(t.prefix)))
            return t.type;
    known = false;
    return SourceType::Text;
}

// A value as mdb-export prints it with the formats the test asks for.
QString exported(const QVariant &v)
{
    if (!v.isValid())
        return QString();
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QByteArray:
        return QString::fromLatin1(v.toByteArray().toHex().toUpper());
    default:
        return v.toString();
    }
}

bool sameValue(const QVariant &mine, const QString &theirs)
{
    if (mine.typeId() == QMetaType::Double || mine.typeId() == QMetaType::LongLong) {
        bool ok = false;
        const double t = theirs.toDouble(&ok);
        const double m = mine.toDouble();
        return ok && std::abs(m - t) <= 1e-9 * std::max(1.0, std::abs(t));
    }
    return exported(mine) == theirs;
}

QByteArray sampleBytes(const QString &name)
{
    QFile f(jetFolder() + u'/' + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The user tables of an intact sample, read in this process.
QStringList tablesOf(const QString &sample)
{
    return JetFile(jetFolder() + u'/' + sample).tables();
}

// How a test row names its damage.
QString damageName(Damage damage, qint64 at, qint64 value)
{
    switch (damage) {
    case Damage::None:
        break;
    case Damage::Cut:
        return QStringLiteral("cut at %1").arg(at);
    case Damage::Byte:
        return QStringLiteral("byte at %1 set to %2").arg(at).arg(value, 0, 16);
    case Damage::Put16:
        return QStringLiteral("16 bits at %1 set to %2").arg(at).arg(value, 0, 16);
    case Damage::Put32:
        return QStringLiteral("32 bits at %1 set to %2").arg(at).arg(value, 0, 16);
    case Damage::CopyPage:
        return QStringLiteral("page %1 over page %2").arg(at).arg(value);
    }
    return QStringLiteral("intact");
}

// A conversion that keeps the work file as it is, for any set of tables.
AccessConversion::Kind copyKind(const QStringList &tables)
{
    return {QStringLiteral("sample database"), tables,
            [](const QString &workPath, const QString &newFile) {
                if (!QFile::copy(workPath, newFile))
                    throw DatabaseError(QStringLiteral("Cannot copy the work file."));
            },
            [](Database &) {}};
}

} // namespace

class TestJetFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesMdbtools_data();
    void matchesMdbtools();
    void refusesWhatIsNoJetFile();
    void readerReadsAsThisProcessDoes_data();
    void readerReadsAsThisProcessDoes();
    void damagedFilesEndInAMessage_data();
    void damagedFilesEndInAMessage();
    void cleanupTestCase();

private:
    int m_converted = 0, m_unreadable = 0, m_timedOut = 0, m_missingTable = 0;
};

void TestJetFile::matchesMdbtools_data()
{
    QTest::addColumn<QString>("path");
    const QStringList files =
        QDir(jetFolder()).entryList({QStringLiteral("*.mdb"), QStringLiteral("*.accdb")});
    if (files.isEmpty())
        QTest::newRow("none") << QString();
    for (const QString &f : files)
        QTest::newRow(qPrintable(f)) << QDir(jetFolder()).filePath(f);
}

void TestJetFile::matchesMdbtools()
{
    QFETCH(QString, path);
    if (path.isEmpty())
        QSKIP("The Jet sample databases are not present.");
    const QString exportTool = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    const QString schemaTool = QStandardPaths::findExecutable(QStringLiteral("mdb-schema"));
    const QString tablesTool = QStandardPaths::findExecutable(QStringLiteral("mdb-tables"));
    if (exportTool.isEmpty() || schemaTool.isEmpty() || tablesTool.isEmpty())
        QSKIP("mdbtools' programs are not installed.");

    QVERIFY(AccessConversion::isAccessFile(path));
    const JetFile jet(path);
    const QStringList expectedTables = QString::fromUtf8(runTool(tablesTool, {QStringLiteral("-1"), path}))
                                           .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(jet.tables(), expectedTables);

    const QRegularExpression columnLine(QStringLiteral(R"(^\s*\[(.+)\]\s+(.+?)(\s+NOT NULL)?,?\s*$)"));
    const QString format = QStringLiteral("%Y-%m-%d %H:%M:%S");
    for (const QString &table : expectedTables) {
        // Column names and types.
        QList<QPair<QString, SourceType>> expectedColumns;
        const QString schema = QString::fromUtf8(
            runTool(schemaTool, {QStringLiteral("-T"), table, path, QStringLiteral("access")}));
        for (const QString &line : schema.split(QLatin1Char('\n'))) {
            const auto m = columnLine.match(line);
            if (!m.hasMatch())
                continue;
            bool known = false;
            const SourceType type = typeOfAccessName(m.captured(2), known);
            QVERIFY2(known, qPrintable(QStringLiteral("unknown type %1").arg(m.captured(2))));
            expectedColumns.append({m.captured(1), type});
        }
        const QList<SourceColumn> columns = jet.columns(table);
        QCOMPARE(columns.size(), expectedColumns.size());
        for (qsizetype i = 0; i < columns.size(); ++i) {
            QCOMPARE(columns[i].name, expectedColumns[i].first);
            QCOMPARE(int(columns[i].type), int(expectedColumns[i].second));
        }

        // Rows and values.
        const QList<QStringList> csv = parseCsv(QString::fromUtf8(
            runTool(exportTool, {QStringLiteral("-D"), format, QStringLiteral("-T"), format,
                                 QStringLiteral("-b"), QStringLiteral("hex"), path, table})));
        QVERIFY(!csv.isEmpty());
        const QList<SourceRow> rows = jet.rows(table);
        QCOMPARE(rows.size(), csv.size() - 1);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            QCOMPARE(rows[r].size(), columns.size());
            for (qsizetype c = 0; c < columns.size(); ++c)
                QVERIFY2(sameValue(rows[r][c], csv[r + 1][c]),
                         qPrintable(QStringLiteral("%1 row %2 %3: %4 against %5")
                                        .arg(table)
                                        .arg(r + 1)
                                        .arg(columns[c].name, exported(rows[r][c]).left(60),
                                             csv[r + 1][c].left(60))));
        }
    }
}

void TestJetFile::refusesWhatIsNoJetFile()
{
    QTemporaryDir dir;
    const auto write = [&dir](const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    };
    const QString text = write(QStringLiteral("text.mdb"), "Sport,League\nBaseball,Test\n");
    QVERIFY(!AccessConversion::isAccessFile(text));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, JetFile{text});
    QVERIFY(!AccessConversion::isAccessFile(dir.filePath(QStringLiteral("missing.mdb"))));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, JetFile{dir.filePath(QStringLiteral("missing.mdb"))});

    // A Jet file cut after its header page looks like one but has no catalogue to read.
    QFile sample(jetFolder() + QStringLiteral("/testV1997_jet3.mdb"));
    if (!sample.open(QIODevice::ReadOnly))
        QSKIP("The Jet sample databases are not present.");
    const QString cut = write(QStringLiteral("cut.mdb"), sample.read(2048));
    QVERIFY(AccessConversion::isAccessFile(cut));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, JetFile{cut});
}

void TestJetFile::readerReadsAsThisProcessDoes_data()
{
    QTest::addColumn<QString>("sample");
    const QStringList files =
        QDir(jetFolder()).entryList({QStringLiteral("*.mdb"), QStringLiteral("*.accdb")});
    if (files.isEmpty())
        QTest::newRow("none") << QString();
    for (const QString &f : files)
        QTest::newRow(qPrintable(f)) << f;
}

// Every table of each sample, read by the reader program under its usual limits, arrives as the same
// rows that this process reads and writes itself.
void TestJetFile::readerReadsAsThisProcessDoes()
{
    QFETCH(QString, sample);
    if (sample.isEmpty())
        QSKIP("The Jet sample databases are not present.");
    QTemporaryDir dir;
    const QStringList tables = tablesOf(sample);
    const QString expected = dir.filePath(QStringLiteral("expected.db"));
    JetReader::writeWorkFile(JetFile(jetFolder() + u'/' + sample), tables, expected);
    const QString target = dir.filePath(QStringLiteral("read.db"));
    AccessConversion::convert(jetFolder() + u'/' + sample, target, copyKind(tables));

    Database mine, theirs;
    mine.open(expected);
    theirs.open(target);
    QCOMPARE(theirs.tableNames(), mine.tableNames());
    QCOMPARE(storedRows(theirs, tables), storedRows(mine, tables));
    QCOMPARE(childProcesses(), QStringList());
}

void TestJetFile::damagedFilesEndInAMessage_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("damage");
    QTest::addColumn<qint64>("at");
    QTest::addColumn<qint64>("value");
    const QStringList files =
        QDir(jetFolder()).entryList({QStringLiteral("*.mdb"), QStringLiteral("*.accdb")});
    if (files.isEmpty())
        QTest::newRow("none") << QString() << 0 << qint64(0) << qint64(0);
    QSet<QString> added;
    const auto add = [&added](const QString &sample, Damage damage, qint64 at, qint64 value) {
        const QString key = QStringLiteral("%1 %2 %3 %4").arg(sample).arg(int(damage)).arg(at).arg(value);
        if (added.contains(key))
            return;
        added.insert(key);
        QTest::addRow("%s: %s", qPrintable(sample), qPrintable(damageName(damage, at, value)))
            << sample << int(damage) << at << value;
    };
    // The cases users met: one byte changed in a catalogue page, which crashed the library, and Jet 3
    // and Jet 4 files cut short or with a page copied over another, which made it loop and grow.
    if (files.contains(QStringLiteral("test2V1997_jet3.mdb")))
        add(QStringLiteral("test2V1997_jet3.mdb"), Damage::Byte, 4131, 0xe7);
    if (files.contains(QStringLiteral("testV1997_jet3.mdb")))
        for (qint64 kib : {92, 94, 96, 98})
            add(QStringLiteral("testV1997_jet3.mdb"), Damage::Cut, kib * 1024, 0);
    if (files.contains(QStringLiteral("test2V2000_jet4.mdb"))) {
        add(QStringLiteral("test2V2000_jet4.mdb"), Damage::CopyPage, 30, 31);
        add(QStringLiteral("test2V2000_jet4.mdb"), Damage::CopyPage, 55, 56);
    }

    // The same kinds of damage over every sample, at fixed places and at places drawn from a fixed seed:
    // the catalogue's definition is on page 2, the usage maps and the first tables just after it.
    QRandomGenerator random(20240611);
    for (const QString &sample : files) {
        const QByteArray bytes = sampleBytes(sample);
        const qint64 size = bytes.size();
        const qint64 page = bytes.at(0x14) == 0 ? 2048 : 4096;
        const qint64 pages = size / page;
        // The largest sample gets fewer cases, since each reading of it takes longest.
        const bool large = size > 1000000;
        for (qint64 at : {page, 3 * page, size / 4, size / 2 + page / 2, size - page, size - 1})
            if (!large || at == page || at == size - 1)
                add(sample, Damage::Cut, at, 0);
        for (int i = 0; i < (large ? 2 : 5); ++i) {
            const qint64 at = 2 * page + qint64(random.bounded(int(8 * page)));
            add(sample, Damage::Byte, at, quint8(bytes.at(at)) ^ (1 << random.bounded(8)));
        }
        for (qint64 onPage : {qint64(2), qint64(3), pages / 2}) {
            if (large && onPage != 2)
                continue;
            for (qint64 offset : {2, 8, 12})
                add(sample, Damage::Put16, onPage * page + offset, 0xffff);
            if (onPage != 3)
                for (qint64 offset : {4, 8})
                    add(sample, Damage::Put32, onPage * page + offset, 0x7fffffff);
        }
        add(sample, Damage::Put32, 2 * page + 45, 0xffffffff);
        for (int i = 0; i < (large ? 1 : 5); ++i) {
            const qint64 from = 1 + random.bounded(int(pages - 1));
            const qint64 to = 2 + random.bounded(int(qMin<qint64>(pages, 16) - 2));
            if (from != to)
                add(sample, Damage::CopyPage, from, to);
        }
        add(sample, Damage::CopyPage, 0, 2);
    }
}

// Each damaged copy of a sample ends, within the reader's time limit, either in a whole converted file or
// in a message, with nothing left beside it and no reader left running.
void TestJetFile::damagedFilesEndInAMessage()
{
    QFETCH(QString, sample);
    QFETCH(int, damage);
    QFETCH(qint64, at);
    QFETCH(qint64, value);
    if (sample.isEmpty())
        QSKIP("The Jet sample databases are not present.");
    // A reader caught in a loop is stopped after a second, so that the cases that hang cost little.
    qputenv("QUORVANE_JET_READER_SECONDS", "1");
    const auto restore = qScopeGuard([] { qunsetenv("QUORVANE_JET_READER_SECONDS"); });
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("damaged.mdb"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(damaged(sampleBytes(sample), Damage(damage), at, value));
    }
    const QString target = dir.filePath(QStringLiteral("read.db"));
    QStringList left = {QStringLiteral("damaged.mdb")};
    QStringList tables = tablesOf(sample);
    try {
        AccessConversion::convert(file, target, copyKind(tables));
        Database read;
        read.open(target);
        QStringList held = read.tableNames();
        held.sort();
        tables.sort();
        QCOMPARE(held, tables);
        left << QStringLiteral("read.db");
        ++m_converted;
    } catch (const DatabaseError &e) {
        const QString message = e.message();
        if (message == QLatin1String("The file damaged.mdb cannot be read as an Access database."))
            ++m_unreadable;
        else if (message ==
                 QLatin1String("The file damaged.mdb cannot be read as an Access database: reading "
                               "it did not end within the time limit (1 s)."))
            ++m_timedOut;
        else if (message.startsWith(QLatin1String("This is not a sample database: it has no table ")))
            ++m_missingTable;
        else
            QFAIL(qPrintable(message));
    }
    left.sort();
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), left);
    QCOMPARE(childProcesses(), QStringList());
}

void TestJetFile::cleanupTestCase()
{
    qInfo("damaged files: %d converted, %d unreadable, %d stopped at the time limit, %d lacking a table",
          m_converted, m_unreadable, m_timedOut, m_missingTable);
}

QTEST_GUILESS_MAIN(TestJetFile)
#include "tst_jetfile.moc"

// The Access/Jet reader against mdbtools' own programs on the generic sample databases: the same tables,
// the same column types, the same number of rows and the same values as mdb-schema and mdb-export print.

#include "data/Errors.h"
#include "entry/JetFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
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

} // namespace

class TestJetFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesMdbtools_data();
    void matchesMdbtools();
    void refusesWhatIsNoJetFile();
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

    QVERIFY(JetFile::looksLikeJet(path));
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
    QVERIFY(!JetFile::looksLikeJet(text));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, JetFile{text});
    QVERIFY(!JetFile::looksLikeJet(dir.filePath(QStringLiteral("missing.mdb"))));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, JetFile{dir.filePath(QStringLiteral("missing.mdb"))});

    // A Jet file cut after its header page looks like one but has no catalogue to read.
    QFile sample(jetFolder() + QStringLiteral("/testV1997_jet3.mdb"));
    if (!sample.open(QIODevice::ReadOnly))
        QSKIP("The Jet sample databases are not present.");
    const QString cut = write(QStringLiteral("cut.mdb"), sample.read(2048));
    QVERIFY(JetFile::looksLikeJet(cut));
    QVERIFY_THROWS_EXCEPTION(DatabaseError, JetFile{cut});
}

QTEST_GUILESS_MAIN(TestJetFile)
#include "tst_jetfile.moc"

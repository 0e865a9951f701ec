// The judging colours of the analyzer's and the prediction history's match grids, read from a real
// betting systems file, and the drawing rules of the history's month and team tables.

#include "analysis/AnalysisGrids.h"
#include "analysis/HistoryTableLook.h"
#include "analysis/PredictionColours.h"
#include "analysis/SystemsFile.h"
#include "data/Database.h"
#include "data/Table.h"

#include <QTemporaryDir>
#include <QTest>

namespace
{
QString name(const Rgb &c)
{
    if (c == Colours::LightGreen)
        return QStringLiteral("green");
    if (c == Colours::LightRed)
        return QStringLiteral("red");
    if (c == Colours::LightCyan)
        return QStringLiteral("cyan");
    if (c == Colours::White)
        return QStringLiteral("white");
    return QStringLiteral("other");
}

const QStringList &fields()
{
    static const QStringList f = {
        QStringLiteral("Verdict"), QStringLiteral("HP"),  QStringLiteral("DP"),
        QStringLiteral("AP"),      QStringLiteral("UOP"), QStringLiteral("O1"),
        QStringLiteral("OX"),      QStringLiteral("O2"),  QStringLiteral("Balance")};
    return f;
}
} // namespace

class TestAnalysisColours : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void judgedCells_data();
    void judgedCells();
    void coloursReadFromSystemsFileWithoutReturnColumn();
    void monthAndTeamTableLooks();
};

void TestAnalysisColours::judgedCells_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("uop");
    QTest::addColumn<double>("uov");
    // One colour name a field of fields(): Verdict, HP, DP, AP, UOP, O1, OX, O2, Balance.
    QTest::addColumn<QStringList>("expected");
    auto row = [](const char *tag, const char *result, const char *verdict, const char *uop, double uov,
                  const char *expected) {
        QTest::newRow(tag) << QString::fromLatin1(result) << QString::fromLatin1(verdict)
                           << QString::fromLatin1(uop) << uov
                           << QString::fromLatin1(expected).split(QLatin1Char(' '));
    };
    row("home bet won, over came true", "3:1", "1", "Over 2.5", 2.5,
        "green green white white green cyan white white white");
    row("home bet lost to a draw", "1:1", "1", "Under 2.5", 2.5,
        "red red white white green white cyan white white");
    row("draw bet won in overtime", "3:2 OT", "X", "Over 4.5", 4.5,
        "green white green white green white cyan white white");
    row("away bet lost to overtime", "2:3 OT", "2", "Under 4.5", 4.5,
        "red white white red red white cyan white white");
    row("away bet won", "0:2", "2", "Over 2.5", 2.5, "green white white green red white white cyan white");
    row("no bet: no verdict colour", "2:0", "?", "Under 2.5", 2.5,
        "white white white white green cyan white white white");
    row("bare line is no call", "2:0", "1", "2.5", 2.5,
        "green green white white white cyan white white white");
    row("real total on the line misses both ways", "1:1", "X", "Over 2", 2,
        "green white green white red white cyan white white");
    row("under on the line misses too", "2:0", "1", "Under 2", 2,
        "green green white white red cyan white white white");
}

void TestAnalysisColours::judgedCells()
{
    QFETCH(QString, result);
    QFETCH(QString, verdict);
    QFETCH(QString, uop);
    QFETCH(double, uov);
    QFETCH(QStringList, expected);
    MatchColourRow row;
    row.result = result;
    const qsizetype colon = result.indexOf(QLatin1Char(':'));
    row.F = result.left(colon).toInt();
    row.A = result.mid(colon + 1, 1).toInt();
    row.verdict = verdict;
    row.uop = uop;
    row.uov = uov;
    QStringList got;
    for (const QString &f : fields())
        got << name(isJudgedField(f) ? judgedCellBackground(f, row) : Colours::White);
    QCOMPARE(got, expected);
}

void TestAnalysisColours::coloursReadFromSystemsFileWithoutReturnColumn()
{
    // The systems file's Results has no Retrn: reading the row must not fail on it.
    QTemporaryDir dir;
    Database sys;
    SystemsFile::open(sys, dir.filePath(QStringLiteral("systems/bettingsystems.qvs")));
    sys.execute(
        QStringLiteral("INSERT INTO Results (ID, Home, Away, Result, F, A, Verdict, UOV, UOP, O1, OX, "
                       "O2, Balance) VALUES (1, 'H', 'A', '1:2', 1, 2, '2', 2.5, 'Over 2.5', '2.1', "
                       "'3.2', '3.4', 114)"));
    Table results(&sys, QStringLiteral("Results"));
    results.open();
    const MatchColourRow row = matchColourRowAt(results, 0);
    QCOMPARE(row.F, 1);
    QCOMPARE(row.A, 2);
    QCOMPARE(row.retrn, 0.0);
    QCOMPARE(name(judgedCellBackground(QStringLiteral("AP"), row)), QStringLiteral("green"));
    QCOMPARE(name(judgedCellBackground(QStringLiteral("UOP"), row)), QStringLiteral("green"));
    QCOMPARE(name(judgedCellBackground(QStringLiteral("O2"), row)), QStringLiteral("cyan"));
    // Every column the matches grid shows exists in the file.
    for (const GridColumn &c : backTestMatchColumns())
        QVERIFY2(columnIndex(results.columns(), c.field) >= 0, qPrintable(c.field));
}

void TestAnalysisColours::monthAndTeamTableLooks()
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    struct Case {
        int column, row;
        CellGround monthGround, teamGround;
        Qt::Alignment teamAlignment;
    };
    const Case cases[] = {
        {0, 0, CellGround::Title, CellGround::ButtonFace, left},  // corner
        {5, 0, CellGround::Title, CellGround::ButtonFace, left},  // a column title
        {0, 2, CellGround::Title, CellGround::ButtonFace, left},  // a row title on an even row
        {3, 1, CellGround::White, CellGround::ButtonFace, right}, // odd data row
        {3, 2, CellGround::White, CellGround::White, right},      // even data row
        {6, 5, CellGround::White, CellGround::ButtonFace, right},
    };
    for (const Case &c : cases) {
        const TextCellLook month = monthCellLook(c.column, c.row);
        const TextCellLook team = teamCellLook(c.column, c.row);
        const QByteArray where = QByteArray::number(c.column) + ',' + QByteArray::number(c.row);
        QVERIFY2(month.ground == c.monthGround, where);
        QVERIFY2(team.ground == c.teamGround, where);
        QVERIFY2(team.alignment == c.teamAlignment, where);
        QVERIFY2(team.leftMargin == 3 && team.rightMargin == 3 && team.topMargin == 3, where);
        if (month.ground == CellGround::White) {
            QVERIFY2(month.alignment == right, where);
            QVERIFY2(month.rightMargin == 3 && month.topMargin == 3, where);
        }
    }
}

QTEST_GUILESS_MAIN(TestAnalysisColours)
#include "tst_analysiscolours.moc"

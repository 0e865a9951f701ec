#include "output/MainReports.h"

#include "data/CellText.h"
#include "data/Dataset.h"

namespace
{
QString s(const char *text)
{
    return QString::fromLatin1(text);
}

constexpr Qt::Alignment Left = Qt::AlignLeft;
constexpr Qt::Alignment Right = Qt::AlignRight;
constexpr Qt::Alignment Centre = Qt::AlignHCenter;

// A column of a report: its heading, the field it prints (empty for a fixed text), its width and alignment.
struct ReportField {
    const char *title;
    const char *field; // "" prints `fixed`; nullptr prints the line number
    double width;
    Qt::Alignment alignment;
    const char *fixed = nullptr;
};

QList<ReportColumn> columnsOf(const QList<ReportField> &fields)
{
    QList<ReportColumn> out;
    for (const ReportField &f : fields)
        out << ReportColumn{s(f.title), f.width, f.alignment};
    return out;
}

// One line of texts per row of the dataset's current order.
QList<QStringList> rowsOf(const Dataset &ds, const QList<ReportField> &fields)
{
    QList<int> index;
    for (const ReportField &f : fields)
        index << (f.field && *f.field ? columnIndex(ds.columns(), s(f.field)) : -1);
    QList<QStringList> rows;
    if (!ds.isActive())
        return rows;
    rows.reserve(ds.recordCount());
    for (int r = 0; r < ds.recordCount(); ++r) {
        QStringList line;
        for (int c = 0; c < fields.size(); ++c) {
            if (!fields[c].field)
                line << QString::number(r + 1);
            else if (index[c] < 0)
                line << (fields[c].fixed ? s(fields[c].fixed) : QString());
            else
                line << displayText(ds.valueAt(r, index[c]), ds.columns()[index[c]].kind);
        }
        rows << line;
    }
    return rows;
}

BandedReport reportOf(const Dataset &ds, const QString &title, const QList<ReportField> &fields)
{
    BandedReport r;
    r.title = title;
    r.columns = columnsOf(fields);
    r.rows = rowsOf(ds, fields);
    return r;
}

QList<ReportField> teamFields()
{
    // The running number and the team, then P W D L F A Dif Pts at home, away and in total.
    static const char *const home[] = {"HP", "HW", "HD", "HL", "HF", "HA", "HDif", "HPts"};
    static const char *const away[] = {"AP", "AW", "AD", "AL", "AF", "AA", "ADif", "APts"};
    static const char *const total[] = {"TP", "TW", "TD", "TL", "TF", "TA", "TDif", "TPts"};
    static const char *const titles[] = {"P", "W", "D", "L", "F", "A", "Dif", "Pts"};
    QList<ReportField> f = {{"N", nullptr, 3, Right}, {"Team", "Team", 18, Left}};
    for (const auto *group : {home, away, total})
        for (int i = 0; i < 8; ++i)
            f << ReportField{titles[i], group[i], 3.2, Right};
    return f;
}

QList<ReportField> matchFields(PrintChoice choice)
{
    switch (choice) {
    case PrintChoice::Odds:
        return {{"Date", "DateP", 9, Centre},     {"Rnd", "Rnd", 4, Centre},
                {"Home Team", "Home", 18, Right}, {"-", "", 2, Centre, "-"},
                {"Away Team", "Away", 18, Left},  {"Score", "Result", 6, Centre},
                {"1", "O1", 6, Centre},           {"X", "OX", 6, Centre},
                {"2", "O2", 6, Centre},           {"Return (%)", "Retrn", 8, Right}};
    case PrintChoice::Predictions:
        return {
            {"Date", "DateP", 9, Left},    {"Rnd", "Rnd", 4, Left},         {"Home Team", "Home", 17, Left},
            {"-", "", 2, Left, "-"},       {"Away Team", "Away", 17, Left}, {"H%", "HP", 4, Right},
            {"D%", "DP", 4, Right},        {"A%", "AP", 4, Right},          {"C%", "CF", 4, Right},
            {"Vdt", "Verdict", 4, Centre}, {"PFS", "PResult", 5, Centre},   {"Tot", "Ttl", 4, Right},
            {"U/O", "UOP", 8, Centre}};
    default:
        return {{"Date", "DateP", 10, Centre},    {"Round", "Rnd", 6, Centre},
                {"Home Team", "Home", 22, Right}, {"-", "", 2, Centre, "-"},
                {"Away Team", "Away", 22, Left},  {"Score", "Result", 8, Centre}};
    }
}

QString titleSuffix(PrintChoice choice)
{
    switch (choice) {
    case PrintChoice::TeamStats:
        return s(" - Team Statistics");
    case PrintChoice::Scores:
        return s(" - Scores");
    case PrintChoice::Fixtures:
        return s(" - Fixtures");
    case PrintChoice::Odds:
        return s(" - Odds");
    case PrintChoice::Predictions:
        return s(" - Predictions");
    case PrintChoice::Players:
        return s(" - Players");
    case PrintChoice::CrossTable:
    case PrintChoice::StreakTable:
        break;
    }
    return QString();
}
} // namespace

const QList<PrintChoice> &printChoices()
{
    static const QList<PrintChoice> all = {
        PrintChoice::TeamStats,   PrintChoice::Scores,  PrintChoice::Fixtures,   PrintChoice::Odds,
        PrintChoice::Predictions, PrintChoice::Players, PrintChoice::CrossTable, PrintChoice::StreakTable};
    return all;
}

QString printChoiceCaption(PrintChoice choice)
{
    static const char *const captions[] = {"Team Stats",  "Scores",  "Fixtures",    "Odds",
                                           "Predictions", "Players", "Cross Table", "Streak Table"};
    return s(captions[static_cast<int>(choice)]);
}

bool isBandedReport(PrintChoice choice)
{
    return choice != PrintChoice::CrossTable && choice != PrintChoice::StreakTable;
}

BandedReport teamStatsReport(const Dataset &teams, const QString &league)
{
    BandedReport r = reportOf(teams, league + titleSuffix(PrintChoice::TeamStats), teamFields());
    r.groups = {{s("Home"), 2, 9}, {s("Away"), 10, 17}, {s("Total"), 18, 25}};
    r.headingsOnEveryPage = true;
    r.landscape = true;
    return r;
}

BandedReport matchReport(PrintChoice choice, const Dataset &results, const QString &league)
{
    return reportOf(results, league + titleSuffix(choice), matchFields(choice));
}

BandedReport playersReport(const Dataset &players, const QString &league)
{
    BandedReport r = reportOf(players, league + titleSuffix(PrintChoice::Players),
                              {{"N", "N", 4, Left},
                               {"Player", "Player", 20, Left},
                               {"Team", "Team", 18, Left},
                               {"Position", "Pos", 10, Left},
                               {"D.O.B.", "DOB", 9, Left},
                               {"Height", "Ht", 6, Left},
                               {"Weight", "Wt", 6, Left},
                               {"PR", "PR", 4, Left},
                               {"In/Out", "IN_OUT", 6, Left}});
    r.headingsOnEveryPage = true;
    return r;
}

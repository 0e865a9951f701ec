#include "output/MainReports.h"

#include "output/DatasetReports.h"

namespace
{
QString s(const char *text)
{
    return QString::fromLatin1(text);
}

constexpr Qt::Alignment Left = Qt::AlignLeft;
constexpr Qt::Alignment Right = Qt::AlignRight;
constexpr Qt::Alignment Centre = Qt::AlignHCenter;

// Column widths are in 600-dpi units on the narrowest paper of a report's orientation (A4 upright, Letter
// across), each wide enough for its heading and the widest value it takes in the report font, padding
// included: four-digit points and five-character goal differences of a basketball season, "112:108 OT",
// "Under 180.5", player ratings up to 3000, dates as "31 Dec 2025", team names of 27 letters such as
// "Borussia Mönchengladbach II".
QList<ReportField> teamFields()
{
    // The running number and the team, then P W D L F A Dif Pts at home, away and in total.
    static const char *const home[] = {"HP", "HW", "HD", "HL", "HF", "HA", "HDif", "HPts"};
    static const char *const away[] = {"AP", "AW", "AD", "AL", "AF", "AA", "ADif", "APts"};
    static const char *const total[] = {"TP", "TW", "TD", "TL", "TF", "TA", "TDif", "TPts"};
    static const char *const titles[] = {"P", "W", "D", "L", "F", "A", "Dif", "Pts"};
    static const double widths[] = {150, 150, 150, 150, 220, 220, 240, 200};
    QList<ReportField> f = {{"N", nullptr, 130, Right}, {"Team", "Team", 1300, Left}};
    for (const auto *group : {home, away, total})
        for (int i = 0; i < 8; ++i)
            f << ReportField{titles[i], group[i], widths[i], Right};
    return f;
}

QList<ReportField> matchFields(PrintChoice choice)
{
    switch (choice) {
    case PrintChoice::Odds:
        return {{"Date", "DateP", 430, Centre},     {"Rnd", "Rnd", 210, Centre},
                {"Home Team", "Home", 1020, Right}, {"-", "", 70, Centre, "-"},
                {"Away Team", "Away", 1020, Left},  {"Score", "Result", 400, Centre},
                {"1", "O1", 255, Centre},           {"X", "OX", 255, Centre},
                {"2", "O2", 255, Centre},           {"Return (%)", "Retrn", 465, Right}};
    case PrintChoice::Predictions:
        return {{"Date", "DateP", 430, Left},     {"Rnd", "Rnd", 210, Left},
                {"Home Team", "Home", 950, Left}, {"-", "", 70, Left, "-"},
                {"Away Team", "Away", 950, Left}, {"H%", "HP", 180, Right},
                {"D%", "DP", 180, Right},         {"A%", "AP", 180, Right},
                {"C%", "CF", 180, Right},         {"Vdt", "Verdict", 180, Centre},
                {"PFS", "PResult", 290, Centre},  {"Tot", "Ttl", 175, Right},
                {"U/O", "UOP", 415, Centre}};
    default:
        return {{"Date", "DateP", 620, Centre},     {"Round", "Rnd", 380, Centre},
                {"Home Team", "Home", 1380, Right}, {"-", "", 120, Centre, "-"},
                {"Away Team", "Away", 1380, Left},  {"Score", "Result", 500, Centre}};
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
                              {{"N", "N", 115, Left},
                               {"Player", "Player", 1055, Left},
                               {"Team", "Team", 1055, Left},
                               {"Position", "Pos", 625, Left},
                               {"D.O.B.", "DOB", 430, Left},
                               {"Height", "Ht", 300, Left},
                               {"Weight", "Wt", 320, Left},
                               {"PR", "PR", 200, Left},
                               {"In/Out", "IN_OUT", 285, Left}});
    r.headingsOnEveryPage = true;
    return r;
}

GridPrintout gridTablePrintout(PrintChoice choice, const QList<QStringList> &cells, const QString &league,
                               int gridRowHeight)
{
    GridPrintout g;
    g.title = league;
    g.cells = cells;
    g.gridRowHeight = gridRowHeight;
    g.blackDiagonal = choice == PrintChoice::CrossTable;
    // On the screen the streak table's team column is 120 wide and each match column 30.
    g.headerColumnShares = choice == PrintChoice::StreakTable ? 4 : 1;
    return g;
}

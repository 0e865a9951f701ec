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

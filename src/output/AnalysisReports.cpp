#include "output/AnalysisReports.h"

#include "output/DatasetReports.h"

namespace
{
constexpr Qt::Alignment Left = Qt::AlignLeft;
constexpr Qt::Alignment Right = Qt::AlignRight;
constexpr Qt::Alignment Centre = Qt::AlignHCenter;

BandedReport landscape(BandedReport r)
{
    r.landscape = true;
    r.headingsOnEveryPage = true; // long histories run over several pages
    return r;
}
} // namespace

BandedReport systemsHistoryReport(const Dataset &methods)
{
    return landscape(reportOf(methods, QStringLiteral("Betting System History"),
                              {{"League", "League", 20, Left},
                               {"Correct", "Crt", 6, Right},
                               {"Incorrect", "Ict", 7, Right},
                               {"Total", "Tot", 5, Right},
                               {"Hits (%)", "CrtP", 6, Right},
                               {"Profit (%)", "Profit", 7, Right},
                               {"U/O %", "UOP", 5, Right},
                               {"Scr %", "SCP", 5, Right},
                               {"Home", "Home", 5, Centre},
                               {"Draw", "Draw", 5, Centre},
                               {"Away", "Away", 5, Centre},
                               {"H%", "HP", 4, Right},
                               {"D%", "DP", 4, Right},
                               {"A%", "AP", 4, Right},
                               {"C%", "CF", 4, Right},
                               {"TS", "TS", 3, Centre},
                               {"LM", "LM", 3, Right}}));
}

BandedReport backTestMatchesReport(const Dataset &results, const QString &league)
{
    return landscape(reportOf(results, league + QStringLiteral(" - Match Predictions & Scores"),
                              {{"Date", "DateP", 8, Left},
                               {"Rnd", "Rnd", 3, Right},
                               {"Home Team", "Home", 14, Right},
                               {"-", "", 1.5, Centre, "-"},
                               {"Away Team", "Away", 14, Left},
                               {"Score", "Result", 5, Centre},
                               {"H%", "HP", 3, Right},
                               {"D%", "DP", 3, Right},
                               {"A%", "AP", 3, Right},
                               {"C%", "CF", 3, Right},
                               {"Vdt", "Verdict", 3, Centre},
                               {"PFS", "PResult", 4, Centre},
                               {"Tot", "Ttl", 3, Right},
                               {"U/O", "UOP", 8, Centre},
                               {"1", "O1", 4.5, Centre},
                               {"X", "OX", 4.5, Centre},
                               {"2", "O2", 4.5, Centre},
                               {"Balance", "Balance", 6, Right}}));
}

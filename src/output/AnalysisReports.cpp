#include "output/AnalysisReports.h"

#include "output/DatasetReports.h"

namespace
{
constexpr Qt::Alignment Left = Qt::AlignLeft;
constexpr Qt::Alignment Right = Qt::AlignRight;
constexpr Qt::Alignment Centre = Qt::AlignHCenter;

// Column widths are in 600-dpi units on Letter across, the narrower paper in landscape: each is wide
// enough for its heading and the widest value it takes (league names of 35 letters, team names of 27, four-
// digit counts, "-12345.67", "112:108 OT", "Under 180.5"), padding included.
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
                              {{"League", "League", 1230, Left},
                               {"Correct", "Crt", 370, Right},
                               {"Incorrect", "Ict", 430, Right},
                               {"Total", "Tot", 300, Right},
                               {"Hits (%)", "CrtP", 370, Right},
                               {"Profit (%)", "Profit", 430, Right},
                               {"U/O %", "UOP", 300, Right},
                               {"Scr %", "SCP", 300, Right},
                               {"Home", "Home", 300, Centre},
                               {"Draw", "Draw", 300, Centre},
                               {"Away", "Away", 300, Centre},
                               {"H%", "HP", 245, Right},
                               {"D%", "DP", 245, Right},
                               {"A%", "AP", 245, Right},
                               {"C%", "CF", 245, Right},
                               {"TS", "TS", 185, Centre},
                               {"LM", "LM", 185, Right}}));
}

BandedReport backTestMatchesReport(const Dataset &results, const QString &league)
{
    return landscape(reportOf(results, league + QStringLiteral(" - Match Predictions & Scores"),
                              {{"Date", "DateP", 430, Left},
                               {"Rnd", "Rnd", 210, Right},
                               {"Home Team", "Home", 1000, Right},
                               {"-", "", 70, Centre, "-"},
                               {"Away Team", "Away", 1000, Left},
                               {"Score", "Result", 400, Centre},
                               {"H%", "HP", 180, Right},
                               {"D%", "DP", 180, Right},
                               {"A%", "AP", 180, Right},
                               {"C%", "CF", 180, Right},
                               {"Vdt", "Verdict", 180, Centre},
                               {"PFS", "PResult", 290, Centre},
                               {"Tot", "Ttl", 175, Right},
                               {"U/O", "UOP", 415, Centre},
                               {"1", "O1", 255, Centre},
                               {"X", "OX", 255, Centre},
                               {"2", "O2", 255, Centre},
                               {"Balance", "Balance", 365, Right}}));
}

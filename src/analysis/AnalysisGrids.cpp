#include "analysis/AnalysisGrids.h"

#include <QSet>

namespace
{
QString s(const char *text)
{
    return QString::fromLatin1(text);
}
} // namespace

const QList<GridColumn> &systemsHistoryColumns()
{
    static const QList<GridColumn> c = {
        {s("League"), s("League"), AlignText, 180},  {s("Correct"), s("Crt"), AlignNumber, 55},
        {s("Incorrect"), s("Ict"), AlignNumber, 60}, {s("Total"), s("Tot"), AlignNumber, 45},
        {s("Hit (%)"), s("CrtP"), AlignNumber, 50},  {s("Profit (%)"), s("Profit"), AlignNumber, 65},
        {s("U/O (%)"), s("UOP"), AlignNumber, 55},   {s("Score (%)"), s("SCP"), AlignNumber, 65},
        {s("Home"), s("Home"), AlignCentre, 40},     {s("Draw"), s("Draw"), AlignCentre, 40},
        {s("Away"), s("Away"), AlignCentre, 40},     {s("H%"), s("HP"), AlignNumber, 35},
        {s("D%"), s("DP"), AlignNumber, 35},         {s("A%"), s("AP"), AlignNumber, 35},
        {s("C%"), s("CF"), AlignNumber, 35},         {s("TS"), s("TS"), AlignCentre, 30},
        {s("LM"), s("LM"), AlignNumber, 30},
    };
    return c;
}

const QList<GridColumn> &backTestMatchColumns()
{
    static const QList<GridColumn> c = [] {
        QList<GridColumn> out = predictedMatchColumns();
        out << GridColumn{s("Balance"), s("Balance"), AlignNumber, 70};
        return out;
    }();
    return c;
}

const QList<GridColumn> &predictedMatchColumns()
{
    static const QList<GridColumn> c = {
        {s("Date"), s("DateP"), AlignCentre, 75},
        {s("Rnd"), s("Rnd"), AlignNumber, 35},
        {s("Home Team"), s("Home"), AlignCentre, 140},
        {s("Away Team"), s("Away"), AlignCentre, 140},
        {s("Score"), s("Result"), AlignCentre, 55},
        {s("H%"), s("HP"), AlignNumber, 35},
        {s("D%"), s("DP"), AlignNumber, 35},
        {s("A%"), s("AP"), AlignNumber, 35},
        {s("C%"), s("CF"), AlignNumber, 35},
        {s("Verdict"), s("Verdict"), AlignCentre, 45},
        {s("PScore"), s("PResult"), AlignCentre, 50},
        {s("Total"), s("Ttl"), AlignNumber, 40},
        {s("Under/Over"), s("UOP"), AlignCentre, 75},
        {s("1"), s("O1"), AlignCentre, 50},
        {s("X"), s("OX"), AlignCentre, 50},
        {s("2"), s("O2"), AlignCentre, 50},
    };
    return c;
}

bool isJudgedField(const QString &field)
{
    static const QSet<QString> judged = {s("HP"),  s("DP"), s("AP"), s("Verdict"),
                                         s("UOP"), s("O1"), s("OX"), s("O2")};
    return judged.contains(field);
}

#include "analysis/HistoryRows.h"

#include "data/Database.h"
#include "data/Dates.h"
#include "data/Numbers.h"
#include "data/PlayedRowsCheck.h"

QList<HistoryRow> readHistoryRows(Database &league)
{
    requireConsistentPlayedRows(league);
    // rowid keeps one day's matches in stored order, so that every run sums in the same order.
    Statement st = league.prepare(QStringLiteral(
        "SELECT DateP, Home, Away, Result, PResult, Verdict, UOP, F, A, Ttl, UOV, O1, OX, O2, ID "
        "FROM Results WHERE Result <> ?1 AND PResult <> ?1 ORDER BY DateP, rowid"));
    st.bind(1, QStringLiteral(":"));
    QList<HistoryRow> rows;
    while (st.step()) {
        HistoryRow r;
        r.date = Dates::fromStored(st.value(0).toString());
        r.home = st.value(1).toString();
        r.away = st.value(2).toString();
        r.result = st.value(3).toString();
        r.presult = st.value(4).toString();
        r.verdict = st.value(5).toString();
        r.uop = st.value(6).toString();
        r.F = Numbers::wholeNumber(st.value(7));
        r.A = Numbers::wholeNumber(st.value(8));
        r.Ttl = Numbers::wholeNumber(st.value(9));
        r.UOV = st.value(10).toDouble();
        r.O1 = st.value(11).toString();
        r.OX = st.value(12).toString();
        r.O2 = st.value(13).toString();
        r.id = qRound64(st.value(14).toDouble());
        rows << r;
    }
    return rows;
}

#include "predict/PlayedMatches.h"

#include "data/Database.h"
#include "data/Dates.h"
#include "data/MatchOutcome.h"
#include "data/Numbers.h"
#include "data/PlayedRowsCheck.h"

std::vector<PlayedMatch> readPlayedMatches(Database &league)
{
    requireConsistentPlayedRows(league);
    std::vector<PlayedMatch> out;
    // NULL dates sort first, as the original ordering by date did; rowid keeps same-date matches in
    // stored order, which makes every history deterministic.
    Statement st = league.prepare(QStringLiteral(
        "SELECT rowid, ID, DateP, Rnd, Result, Home, Away, F, A, TRH, TRHT, TRA, TRAT, UOV, O1, OX, O2 "
        "FROM Results WHERE Result <> ':' ORDER BY DateP, rowid"));
    while (st.step()) {
        PlayedMatch m;
        m.rowid = st.value(0).toLongLong();
        m.id = Numbers::wholeNumber(st.value(1));
        m.date = Dates::fromStored(st.value(2).toString());
        m.round = Numbers::wholeNumber(st.value(3));
        m.result = st.value(4).toString();
        m.record.home = st.value(5).toString();
        m.record.away = st.value(6).toString();
        m.record.F = Numbers::wholeNumber(st.value(7));
        m.record.A = Numbers::wholeNumber(st.value(8));
        m.record.overtime = isOvertime(m.result);
        m.TRH = Numbers::wholeNumber(st.value(9));
        m.TRHT = Numbers::wholeNumber(st.value(10));
        m.TRA = Numbers::wholeNumber(st.value(11));
        m.TRAT = Numbers::wholeNumber(st.value(12));
        m.UOV = st.value(13).toDouble();
        m.O1 = st.value(14).toString();
        m.OX = st.value(15).toString();
        m.O2 = st.value(16).toString();
        out.push_back(std::move(m));
    }
    return out;
}

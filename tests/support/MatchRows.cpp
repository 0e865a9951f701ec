#include "support/MatchRows.h"

#include "data/Database.h"
#include "data/Dates.h"

qint64 insertMatch(Database &db, const MatchRow &m)
{
    const int id = db.scalar(QStringLiteral("SELECT coalesce(max(ID) + 1, 0) FROM Results")).toInt();
    QString result = QStringLiteral(":");
    if (m.F >= 0 && m.A >= 0)
        result =
            QStringLiteral("%1:%2%3").arg(m.F).arg(m.A).arg(m.overtime ? QStringLiteral(" OT") : QString());
    db.execute(
        QStringLiteral(
            "INSERT INTO Results (ID, Home, Away, Result, DateP, Rnd, MatchT, TRH, TRHT, TRA, TRAT, F, "
            "A, HP, DP, AP, CF, PResult, Ttl, Verdict, UOV, UOP, O1, O1B, OX, OXB, O2, O2B, Retrn) "
            "VALUES (?1, ?2, ?3, ?4, ?5, ?6, 'Regular Season', ?7, ?8, ?9, ?10, ?11, ?12, 0, 0, 0, 0, "
            "':', 0, '?', ?13, ?14, ?15, '', ?16, '', ?17, '', 0)"),
        {id, m.home, m.away, result, m.date.isValid() ? QVariant(Dates::toStored(m.date)) : QVariant(),
         m.round, m.TRH, m.TRHT, m.TRA, m.TRAT, m.F, m.A, m.UOV, QString::number(m.UOV), m.O1, m.OX, m.O2});
    return db.lastInsertRowId();
}

MatchRow playedRow(const QString &text, const QDate &date)
{
    // "Home-Away 2:1" or "Home-Away 2:1 OT"
    MatchRow m;
    const QStringList parts = text.split(QLatin1Char(' '));
    const QStringList teams = parts.at(0).split(QLatin1Char('-'));
    const QStringList score = parts.at(1).split(QLatin1Char(':'));
    m.home = teams.at(0);
    m.away = teams.at(1);
    m.F = score.at(0).toInt();
    m.A = score.at(1).toInt();
    m.overtime = parts.size() > 2;
    m.date = date;
    return m;
}

#pragma once
// Writes match rows straight into a league file, for tests that need exact histories.

#include <QDate>
#include <QString>

class Database;

struct MatchRow {
    QString home, away;
    int F = -1, A = -1; // -1: not played
    QDate date;
    bool overtime = false;
    int round = 1;
    int TRH = 1500, TRHT = 1500, TRA = 1500, TRAT = 1500;
    double UOV = 2.5;
    QString O1 = QStringLiteral("-"), OX = QStringLiteral("-"), O2 = QStringLiteral("-");
};

// Appends the row with the next ID; returns its rowid.
qint64 insertMatch(Database &db, const MatchRow &m);
// Parses "H-X 2:0" (home, away, score; "2:1 OT" for overtime) into a played row.
MatchRow playedRow(const QString &text, const QDate &date);

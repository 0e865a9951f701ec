#pragma once
// What the fixture importer does to the open league: recognises its teams in a line of pasted text,
// appends fixtures and enters results.  The layouts (FixtureLayouts.h) read the text; this writes.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class TDataMod;

// A team named in a line, and where its name first occurs (0-based).
struct TeamInLine {
    QString name;
    qsizetype position = -1;
    bool found() const { return position >= 0; }
};

// The teams a line names on either side of a separator.
struct TeamsInLine {
    TeamInLine before, after;
};

struct FixtureImportSummary {
    int fixturesAdded = 0;  // new unplayed rows
    int resultsAdded = 0;   // new played rows
    int fixturesFilled = 0; // unplayed rows that now hold their result
    int alreadyStored = 0;  // fixtures and results the league held already, left alone
    struct Skipped {
        int line; // 1-based
        QString text, reason;
    };
    QList<Skipped> skipped;
};

class FixtureLeague
{
public:
    explicit FixtureLeague(TDataMod &dm);

    // The teams the line names (case-sensitive) before and after the separator's first occurrence.  The
    // line is read from left to right: at each place the longest team name that starts there is taken, and
    // names inside a name taken are not read again, so "Boston at Texas Rangers" names Texas Rangers, not
    // Texas, and "Texas Rangers at Texas" names both.  A name starting at or before the separator counts
    // as before it, a later one as after it; of several on one side, the one nearest the separator counts.
    // Without the separator every name found counts as after it.
    TeamsInLine recognise(const QString &line, const QString &separator) const;

    // The largest round stored, 0 in an empty league: the baseball layout numbers its days on from it.
    int largestRound();

    // Appends an unplayed match with the sport's under/over line, unless the league holds a match of the
    // pair (letter case ignored) on that date already: that one counts as already stored.
    void appendFixture(const QString &home, const QString &away, const QDate &date, int round);

    // Enters a played match.  A played row of the pair with this score on this date means the result is
    // in the league already: nothing changes.  Otherwise the first unplayed row of the pair gets the result,
    // or a new row when there is none; the rating snapshot is taken, then the standings count the match.
    void enterResult(const QString &home, const QString &away, int homeScore, int awayScore,
                     const QDate &date, int round);

    FixtureImportSummary summary;

private:
    void appendRow(const QString &home, const QString &away, const QDate &date, int round);

    TDataMod &m_dm;
    double m_line;       // the sport's default under/over line, which every new row gets
    QStringList m_teams; // in the Teams table's order
};

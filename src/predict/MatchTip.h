#pragma once
// The prediction of one match of the user's choice, shown and never stored: the per-match prediction
// with the scores of the history shifted by a handicap for each side and the outcome scores scaled by
// team and player strength, the two teams' statistics side by side, and the colours that tell which
// side is better.  The windows only collect the choices and show what these routines give.

#include "data/Colours.h"
#include "data/TeamTables.h"
#include "predict/PredictionEngine.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class Database;
class Messenger;
class TDataMod;
class Table;

// ---- the arithmetic

// Strengths in percent: the team strengths typed by the user and the player strengths of the line-ups.
struct TipStrengths {
    int teamHome = 100, teamAway = 100;
    int playersHome = 100, playersAway = 100;
};

struct TipPrediction {
    int HP = 0, DP = 0, AP = 0, CF = 0;
    int homeGoals = 0, awayGoals = 0; // the full-time score, handicaps taken off again
    int total = 0;
    QString verdict; // "1", "X", "2" or "?"
};

// The prediction from the teams' current histories.  Ratings are already divided (predictionRating).
// Nothing when the outcome scores add up to 0 (no rating or no strength to go by).
std::optional<TipPrediction> PredictTip(const PredictionOptions &options, const QString &homeTeam,
                                        const QString &awayTeam, int homeVenueRating, int homeOverallRating,
                                        int awayVenueRating, int awayOverallRating,
                                        const History &homeHistory, const History &awayHistory,
                                        const QString &sport, double handicapHome, double handicapAway,
                                        const TipStrengths &strengths);

// A team's line-up as its players' ratings give it.
struct PlayerLineup {
    int inCount = 0;       // players whose IN_OUT is exactly "IN"
    qint64 inRatings = 0;  // their PR summed
    qint64 allRatings = 0; // PR of every player of the team summed
};
// avgIn * 100 / avgAll rounded, both averages over the players in (remainder dropped).  100 when no
// player is in, and also when the averages leave nothing to divide by (every rating 0).
int PlayerStrength(const PlayerLineup &lineup);
// The team's players (Team equal to the name, letter case ignored).
PlayerLineup readPlayerLineup(Database &league, const QString &team);

// What a strength panel shows: team strength times player strength over 100, rounded.
int shownStrength(int teamStrength, int playerStrength);

// ---- the handicap fields

// Whether typing key at caret into a handicap field is let through: digits, one decimal mark ("." or
// the locale's), and a sign only at the start when the field holds no such sign yet.  Backspace and
// the like are not keys of text and are always let through by the window.
bool handicapKeyAccepted(const QString &text, int caret, QChar key, const QLocale &locale = QLocale());
// The handicap a field's text gives; ConversionError naming the text when it does not read as a real.
double handicapOf(const QString &text, const QLocale &locale = QLocale());
// "HCH:HCA" in general number format: "0:0", "-1:0.5".
QString handicapText(double home, double away, const QLocale &locale = QLocale());

// ---- the statistics grids

// Rows of a statistics grid, top to bottom.
enum class TipStat {
    Rating,
    Position,
    Wins,
    Draws,
    Losses,
    For,
    Against,
    Difference,
    Points,
    ForAvg,
    AgainstAvg,
    ScoreAvg,
    Count
};
constexpr int TipStatCount = static_cast<int>(TipStat::Count);
// "Rating", "Position", ... "Score Avg.".
const QStringList &tipStatTitles();

// One column of a statistics grid: each cell's number and the text it shows ("0" until filled).
struct TipStatColumn {
    std::array<double, TipStatCount> values{};
    std::array<QString, TipStatCount> texts;
    TipStatColumn() { texts.fill(QStringLiteral("0")); }
    double value(TipStat s) const { return values[static_cast<int>(s)]; }
    const QString &text(TipStat s) const { return texts[static_cast<int>(s)]; }
};

// A cell's colour against the same statistic of the facing column: the better value light green, the
// worse light red, equal values light yellow; draws are always light yellow.
Rgb tipStatColour(TipStat stat, double own, double facing);

// ---- the pages

// The order of a league table page and of the statistics of its venue: points, difference, wins and
// goals scored, all descending ("HPts DESC, HDif DESC, HW DESC, HF DESC" for the home table).
QString tipTableSort(TeamTable table);
// Sorts teams (a Table over Teams) by the page's order and writes each row's place into Pos, storing
// every row, in one transaction; then the first row is current.
void showTipLeagueTable(Table &teams, TeamTable table);
// The colour of a league table row: light cyan for the two teams of the match; nothing (the usual
// stripes) for the others.
std::optional<Rgb> tipTableRowColour(const QString &team, const QString &homeTeam, const QString &awayTeam);

// A row of a team's results: light green when the team won it (its side scored more), light yellow
// for equal scores, light red otherwise.
Rgb tipScoreRowColour(const QString &team, const QString &home, int homeScore, int awayScore);

// The played matches of a team, newest first: DateP, Rnd, Home, Away, Result, F, A.
QString tipScoresSql();
// The players of a team in (or out of) the line-up, best rating first: N, Player, Pos, PR.
QString tipPlayersSql(bool in);

// ---- the whole window

struct TipChoice {
    QString home, away; // as chosen in the options dialog
    PredictionOptions options;
    double handicapHome = 0, handicapAway = 0;  // 0 unless the handicap is used
    int strengthHome = 100, strengthAway = 100; // 100 unless team strength is used
    bool lineups = false;
};

struct MatchTip {
    QString home, away;
    QByteArray homePicture, awayPicture;        // TPic, empty when none
    int strengthHome = 100, strengthAway = 100; // the strength panels
    TipPrediction prediction;
    QString handicap;    // "0:0"
    QString verdictText; // "Verdict -> ... <- Verdict"
    Rgb verdictColour;   // light green for a bet, light red for "Risky"
    // The statistics grids: the home team's "Total" and "Home", the away team's "Away" and "Total".
    TipStatColumn homeTotal, homeHome, awayAway, awayTotal;
};

// "Verdict -> <home> <- Verdict" and the like for a verdict "1", "X", "2" or "?" ("Risky").
QString tipVerdictText(const QString &verdict, const QString &home, const QString &away);

// Everything the result window shows, read from the open league.  A team without a Teams row stops it
// with the warning "Cannot find home team" or "Cannot find away team" (Abort).  The computation uses
// each team's name as Teams spells it, so a name chosen in other letter case counts the same matches.
MatchTip ComputeMatchTip(TDataMod &dm, const TipChoice &choice, Messenger &messenger);

#include "cli/TipCommand.h"

#include "cli/LeagueFile.h"
#include "cli/PrintedText.h"
#include "cli/SystemOptions.h"
#include "data/Errors.h"
#include "data/TDataMod.h"
#include "data/TeamNames.h"
#include "data/TextCompare.h"
#include "predict/MatchTip.h"
#include "predict/PredictionCommands.h"

#include <algorithm>

namespace
{

// --home and --away name the teams here; the verdict switches of predict take other names.
const QString kHomeWin = QStringLiteral("--home-win");
const QString kAwayWin = QStringLiteral("--away-win");

QList<OptionSpec> tipOptionSpecs()
{
    QList<OptionSpec> specs = {{QStringLiteral("--home"), 1},
                               {QStringLiteral("--away"), 1},
                               {QStringLiteral("--hch"), 1},
                               {QStringLiteral("--hca"), 1},
                               {QStringLiteral("--tsh"), 1},
                               {QStringLiteral("--tsa"), 1},
                               {QStringLiteral("--lineups"), 0},
                               {QStringLiteral("--format"), 1},
                               {kHomeWin, 1},
                               {kAwayWin, 1}};
    for (const OptionSpec &s : systemOptionSpecs())
        if (s.name != QLatin1String("--home") && s.name != QLatin1String("--away"))
            specs << s;
    return specs;
}

double handicapArgument(const Arguments &a, const QString &option)
{
    return a.has(option) ? realArgument(a.value(option)) : 0;
}

// The checks of the options dialog's OK, with its messages.  One team in two spellings is still one team.
void checkTeams(TDataMod &dm, const QString &home, const QString &away)
{
    if (TextCompare::equalNoCase(home, away))
        throw QuorvaneError(QStringLiteral("Home team cannot equal Away team"));
    const QStringList teams = readTeamNamesByName(dm.ADOConnection);
    if (!TextCompare::containsNoCase(teams, home))
        throw QuorvaneError(QStringLiteral("Home team not selected"));
    if (!TextCompare::containsNoCase(teams, away))
        throw QuorvaneError(QStringLiteral("Away team not selected"));
}

QList<QStringList> statisticsRows(const MatchTip &t)
{
    QList<QStringList> rows = {{QStringLiteral("Statistics"), QStringLiteral("Total"), QStringLiteral("Home"),
                                QStringLiteral("Away"), QStringLiteral("Total")}};
    for (int i = 0; i < TipStatCount; ++i)
        rows << QStringList{tipStatTitles().at(i), t.homeTotal.texts[i], t.homeHome.texts[i],
                            t.awayAway.texts[i], t.awayTotal.texts[i]};
    return rows;
}

QString gridJson(const QString &first, const TipStatColumn &a, const QString &second, const TipStatColumn &b)
{
    const auto texts = [](const TipStatColumn &c) {
        QStringList items;
        for (const QString &t : c.texts)
            items << Json::text(t);
        return Json::array(items);
    };
    return Json::object({{first, texts(a)}, {second, texts(b)}});
}

QString percent(int v)
{
    return QString::number(v) + QLatin1Char('%');
}

void printText(const MatchTip &t)
{
    const TipPrediction &p = t.prediction;
    const QList<QStringList> top = {
        {t.home, QStringLiteral("vs"), t.away},
        {QStringLiteral("Strength"), percent(t.strengthHome), percent(t.strengthAway)},
    };
    const QList<QStringList> numbers = {
        {QStringLiteral("Home Win"), percent(p.HP)},
        {QStringLiteral("Draw"), percent(p.DP)},
        {QStringLiteral("Away Win"), percent(p.AP)},
        {QStringLiteral("Confidence"), percent(p.CF)},
        {QStringLiteral("Full-Time Score"),
         QString::number(p.homeGoals) + QLatin1Char(':') + QString::number(p.awayGoals)},
        {QStringLiteral("Total Score"), QString::number(p.total)},
        {QStringLiteral("Handicap"), t.handicap},
    };
    writeStdout(alignedRows(top) + QLatin1Char('\n') + alignedRows(numbers) + QLatin1Char('\n') +
                t.verdictText + QStringLiteral("\n\n") + alignedRows(statisticsRows(t)));
}

void printJson(const MatchTip &t)
{
    const TipPrediction &p = t.prediction;
    const Json::Members members = {
        {QStringLiteral("home"), Json::text(t.home)},
        {QStringLiteral("away"), Json::text(t.away)},
        {QStringLiteral("HP"), Json::number(p.HP)},
        {QStringLiteral("DP"), Json::number(p.DP)},
        {QStringLiteral("AP"), Json::number(p.AP)},
        {QStringLiteral("CF"), Json::number(p.CF)},
        {QStringLiteral("score"),
         Json::text(QString::number(p.homeGoals) + QLatin1Char(':') + QString::number(p.awayGoals))},
        {QStringLiteral("total"), Json::number(p.total)},
        {QStringLiteral("handicap"), Json::text(t.handicap)},
        {QStringLiteral("strength_home"), Json::number(t.strengthHome)},
        {QStringLiteral("strength_away"), Json::number(t.strengthAway)},
        {QStringLiteral("verdict"), Json::text(t.verdictText)},
        {QStringLiteral("home_grid"),
         gridJson(QStringLiteral("Total"), t.homeTotal, QStringLiteral("Home"), t.homeHome)},
        {QStringLiteral("away_grid"),
         gridJson(QStringLiteral("Away"), t.awayAway, QStringLiteral("Total"), t.awayTotal)},
    };
    writeStdout(Json::object(members) + QLatin1Char('\n'));
}

void runTip(const Arguments &a, Messenger &messenger)
{
    const bool json = jsonFormatWanted(a);
    if (!a.has(QStringLiteral("--home")) || !a.has(QStringLiteral("--away")))
        throw UsageError{QStringLiteral("tip needs --home TEAM and --away TEAM.")};
    TDataMod dm;
    openLeagueFile(dm, a.positional(0), LeagueTables(), PlayedRowsUse::Counted);
    TipChoice choice;
    choice.home = a.value(QStringLiteral("--home"));
    choice.away = a.value(QStringLiteral("--away"));
    checkTeams(dm, choice.home, choice.away);
    choice.options = systemOptionsOf(a, loadPredictionOptions(dm), kHomeWin, kAwayWin);
    choice.handicapHome = handicapArgument(a, QStringLiteral("--hch"));
    choice.handicapAway = handicapArgument(a, QStringLiteral("--hca"));
    // The team strength fields run from 1 to 200.
    choice.strengthHome = clampedWholeNumber(a, QStringLiteral("--tsh"), 100, 1, 200);
    choice.strengthAway = clampedWholeNumber(a, QStringLiteral("--tsa"), 100, 1, 200);
    choice.lineups = a.has(QStringLiteral("--lineups"));
    const MatchTip tip = ComputeMatchTip(dm, choice, messenger);
    if (json)
        printJson(tip);
    else
        printText(tip);
}

} // namespace

Command tipCommand()
{
    return {QStringLiteral("tip"),
            QStringLiteral("tip FILE --home TEAM --away TEAM [--hch X --hca Y] [--tsh N --tsa N]\n"
                           "            [--lineups] [--home-win yes|no] [--draw yes|no] [--away-win yes|no]\n"
                           "            [--hp N] [--dp N] [--ap N] [--cf N] [--stats ha|ov] [--lm N]\n"
                           "            [--format text|json]"),
            tipOptionSpecs(),
            1,
            1,
            runTip};
}

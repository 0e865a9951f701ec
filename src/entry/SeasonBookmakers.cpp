#include "entry/SeasonBookmakers.h"

namespace SeasonBookmakers
{

namespace
{
struct Bookmaker {
    const char *code;
    const char *name;
};
// The codes the season files have used for single bookmakers over the years.
const Bookmaker kBookmakers[] = {
    {"1XB", "1xBet"},      {"B365", "Bet365"},          {"BF", "Betfair"},
    {"BFD", "Betfred"},    {"BFE", "Betfair Exchange"}, {"BMGM", "BetMGM"},
    {"BS", "Blue Square"}, {"BV", "BetVictor"},         {"BW", "bwin"},
    {"CL", "Coral"},       {"GB", "Gamebookers"},       {"IW", "Interwetten"},
    {"LB", "Ladbrokes"},   {"PS", "Pinnacle"},          {"SB", "Sportingbet"},
    {"SJ", "Stan James"},  {"SO", "Sporting Odds"},     {"SY", "Stanleybet"},
    {"VC", "VC Bet"},      {"WH", "William Hill"},
};
} // namespace

QString nameOf(const QString &code)
{
    for (const Bookmaker &b : kBookmakers)
        if (code == QLatin1String(b.code))
            return QString::fromLatin1(b.name);
    return QString();
}

QString caption(const QString &code)
{
    const QString name = nameOf(code);
    return name.isEmpty() ? code : QStringLiteral("%1 (%2)").arg(code, name);
}

} // namespace SeasonBookmakers

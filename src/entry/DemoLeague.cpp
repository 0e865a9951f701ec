#include "entry/DemoLeague.h"

#include "data/Errors.h"
#include "data/LeagueDocument.h"
#include "data/Messenger.h"
#include "data/Numbers.h"
#include "data/Sports.h"
#include "data/TDataMod.h"
#include "data/TeamTables.h"
#include "entry/MatchEntry.h"
#include "entry/Odds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

namespace
{

constexpr int kTeams = 20;
constexpr int kRounds = 2 * (kTeams - 1);
constexpr int kFixtureRounds = 3; // the last rounds of the second season are still to be played
constexpr int kMaxGoals = 9;
constexpr quint64 kSeed = 0x51A7E5EEDULL;

const char *const kTeamNames[kTeams] = {
    "Ashbury Town",  "Brackwater Rovers", "Caldmoor City",    "Dunmere Athletic",   "Elmstead United",
    "Fernhollow",    "Greyhaven Albion",  "Hollinsby",        "Irongate Wanderers", "Juniper Vale",
    "Kestrel Heath", "Larkmoor",          "Millbrook Forest", "Northcliff",         "Oakhurst Rangers",
    "Pellingham",    "Quillbury",         "Redmarsh",         "Saltcombe",          "Thornwick"};

struct Bookmaker {
    const char *name;
    double margin; // the bookmaker's share: the sum of its implied chances
};
const Bookmaker kBookmakers[3] = {{"Northbet", 1.05}, {"Eastline", 1.065}, {"Westmark", 1.04}};

// SplitMix64: small, fast and the same on every platform, so the demo is too.
class DemoRandom
{
public:
    explicit DemoRandom(quint64 seed) : m_state(seed) {}

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(next() >> 11) / 9007199254740992.0; } // [0, 1)
    int below(int n) { return static_cast<int>(next() % static_cast<quint64>(n)); }

private:
    quint64 m_state;
};

// How many goals a team scores and lets in, as factors of the league's average.
struct Strength {
    double attack;
    double defence; // above 1 lets in more
};

std::vector<Strength> firstSeasonStrengths(DemoRandom &rng)
{
    std::vector<Strength> s(kTeams);
    for (Strength &t : s) {
        t.attack = 0.7 + 0.6 * rng.uniform();
        t.defence = 0.7 + 0.6 * rng.uniform();
    }
    return s;
}

// A season later every team has got somewhat better or worse.
void drift(std::vector<Strength> &strengths, DemoRandom &rng)
{
    for (Strength &t : strengths) {
        t.attack *= 0.9 + 0.2 * rng.uniform();
        t.defence *= 0.9 + 0.2 * rng.uniform();
    }
}

struct Pairing {
    int round; // 1-based
    int home, away;
};

// A double round robin by the circle method: every team meets every other once at home and once away.
std::vector<Pairing> doubleRoundRobin(std::vector<int> order)
{
    std::vector<Pairing> firstHalf;
    for (int r = 0; r < kTeams - 1; ++r) {
        for (int i = 0; i < kTeams / 2; ++i) {
            const int a = order[i];
            const int b = order[kTeams - 1 - i];
            const bool aHome = i == 0 ? r % 2 == 0 : i % 2 == 1;
            firstHalf.push_back({r + 1, aHome ? a : b, aHome ? b : a});
        }
        std::rotate(order.begin() + 1, order.end() - 1, order.end());
    }
    std::vector<Pairing> all = firstHalf;
    for (const Pairing &p : firstHalf)
        all.push_back({p.round + kTeams - 1, p.away, p.home});
    return all;
}

std::vector<int> shuffledTeams(DemoRandom &rng)
{
    std::vector<int> order(kTeams);
    std::iota(order.begin(), order.end(), 0);
    for (int i = kTeams - 1; i > 0; --i)
        std::swap(order[i], order[rng.below(i + 1)]);
    return order;
}

int poisson(double mean, DemoRandom &rng)
{
    const double limit = std::exp(-mean);
    int goals = 0;
    double p = rng.uniform();
    while (p > limit && goals < kMaxGoals) {
        ++goals;
        p *= rng.uniform();
    }
    return goals;
}

// Chances of a home win, a draw and an away win when both sides score by Poisson.
std::array<double, 3> outcomeChances(double homeMean, double awayMean)
{
    std::array<double, kMaxGoals + 1> home{}, away{};
    for (int k = 0; k <= kMaxGoals; ++k) {
        home[k] = std::exp(-homeMean) * std::pow(homeMean, k) / std::tgamma(k + 1.0);
        away[k] = std::exp(-awayMean) * std::pow(awayMean, k) / std::tgamma(k + 1.0);
    }
    std::array<double, 3> c{};
    for (int h = 0; h <= kMaxGoals; ++h)
        for (int a = 0; a <= kMaxGoals; ++a)
            c[h > a ? 0 : h == a ? 1 : 2] += home[h] * away[a];
    const double total = c[0] + c[1] + c[2];
    for (double &x : c)
        x /= total;
    return c;
}

// A decimal price as the odds fields take it in the user's locale: two decimals.
QString priceText(double price)
{
    return QString::number(std::clamp(price, 1.01, 41.0), 'f', 2)
        .replace(QLatin1Char('.'), Numbers::decimalSeparator());
}

// Per outcome the best of the three bookmakers' prices (the first on a tie), each with its name.
void setOdds(MatchEntryInput &in, const std::array<double, 3> &chances, DemoRandom &rng)
{
    double best[3] = {0, 0, 0};
    for (const Bookmaker &b : kBookmakers) {
        for (int o = 0; o < 3; ++o) {
            const double price = 1.0 / (chances[o] * b.margin * (0.97 + 0.06 * rng.uniform()));
            if (price > best[o]) {
                best[o] = price;
                in.bookmaker[o] = QString::fromLatin1(b.name);
            }
        }
    }
    for (int o = 0; o < 3; ++o) {
        in.odds[o] = priceText(best[o]);
        in.oddsType[o] = Odds::DetectOddsType(in.odds[o]);
    }
}

void setLeagueRow(Table &league)
{
    league.first();
    league.edit();
    league.field(QStringLiteral("League")).setString(QStringLiteral("Demo League"));
    league.field(QStringLiteral("SS")).setInteger(2023);
    league.field(QStringLiteral("SE")).setInteger(2025);
    league.post();
}

QStringList addTeams(Table &teams)
{
    QStringList names;
    for (const char *name : kTeamNames) {
        names << QString::fromLatin1(name);
        teams.appendRecord(newTeamValues(names.constLast(), teams.recordCount() + 1));
    }
    return names;
}

void enterSeason(TDataMod &dm, const QStringList &teams, const std::vector<Strength> &strengths,
                 const QDate &firstSaturday, bool lastSeason, DemoRandom &rng, Messenger &messenger)
{
    const QString line = Numbers::formatGeneral(DefaultTotalLine(dm.sport()));
    int inRound = 0;
    int round = 0;
    for (const Pairing &p : doubleRoundRobin(shuffledTeams(rng))) {
        inRound = p.round == round ? inRound + 1 : 0;
        round = p.round;
        // Seven matches on Saturday, the rest on Sunday.
        const QDate date = firstSaturday.addDays(7 * (p.round - 1) + (inRound < 7 ? 0 : 1));
        const Strength &h = strengths[p.home];
        const Strength &a = strengths[p.away];
        const double homeMean = 1.45 * h.attack * a.defence;
        const double awayMean = 1.15 * a.attack * h.defence;

        MatchEntryInput in;
        in.mode = MatchEntryMode::Add;
        in.teamEntries = teams;
        in.home = teams[p.home];
        in.away = teams[p.away];
        in.year = date.year();
        in.month = date.month();
        in.day = date.day();
        in.round = p.round;
        in.underOver = line;
        if (!lastSeason || p.round <= kRounds - kFixtureRounds) {
            in.homeScore = poisson(homeMean, rng);
            in.awayScore = poisson(awayMean, rng);
        }
        setOdds(in, outcomeChances(homeMean, awayMean), rng);
        if (!SaveMatch(dm, in, messenger))
            throw Abort();
    }
}

// A small squad per team, with invented names, numbers, positions and ratings.
void addPlayers(Table &players, const QStringList &teams)
{
    static const char *const first[] = {"Aldo", "Bram",  "Cyril", "Dario", "Emil", "Fenn", "Goran", "Hugo",
                                        "Ivo",  "Jonas", "Kai",   "Lior",  "Milo", "Nils", "Otis",  "Pavel"};
    static const char *const last[] = {"Ashdown", "Brenner",  "Calloway", "Dunmore", "Ellery",  "Farrow",
                                       "Garside", "Holloway", "Ibbotson", "Jarrold", "Kendrew", "Lathom"};
    static const char *const positions[] = {"Goalkeeper", "Defender",   "Defender",
                                            "Midfielder", "Midfielder", "Forward"};
    const int numbers[] = {1, 4, 5, 8, 10, 9};
    DemoRandom rng(kSeed ^ 0x5151u); // its own sequence: the matches stay as they were
    int serial = 0;
    for (const QString &team : teams) {
        for (int i = 0; i < 6; ++i, ++serial) {
            // 120 different pairs of first and last name.
            const QString name = QString::fromLatin1(first[serial % 16]) + QLatin1Char(' ') +
                                 QString::fromLatin1(last[(serial / 16 * 7 + serial) % 12]);
            players.appendRecord(
                {numbers[i], name, team, QString::fromLatin1(positions[i]), 900 + rng.below(1500), 5, 5,
                 rng.below(10) == 0 ? QStringLiteral("OUT") : QStringLiteral("IN"), QVariant(),
                 QDate(1988 + rng.below(14), 1 + rng.below(12), 1 + rng.below(28)),
                 QStringLiteral("%1 kg").arg(65 + rng.below(25)),
                 QStringLiteral("1.%1 m").arg(70 + rng.below(25))});
        }
    }
}

void fillDemoLeague(TDataMod &dm, Messenger &messenger)
{
    Transaction tx(dm.ADOConnection);
    setLeagueRow(dm.ADOTableLeague);
    const QStringList teams = addTeams(dm.ADOTableTeams);
    addPlayers(dm.ADOTablePlayers, teams);
    DemoRandom rng(kSeed);
    std::vector<Strength> strengths = firstSeasonStrengths(rng);
    enterSeason(dm, teams, strengths, QDate(2023, 8, 12), false, rng, messenger);
    drift(strengths, rng);
    enterSeason(dm, teams, strengths, QDate(2024, 8, 17), true, rng, messenger);
    RenumberInHomeOrder(dm);
    tx.commit();
}

} // namespace

void BuildDemoLeague(const QString &path, Messenger &messenger)
{
    buildLeagueFile(path, ExistingFile::Refuse, [&](TDataMod &dm) {
        dm.OpenLeagueTables();
        fillDemoLeague(dm, messenger);
    });
}

#include "data/Sports.h"

#include "data/TextCompare.h"

namespace
{
struct SportRow {
    const char *name;
    SportConstants constants;
    OutcomeWeights weights;
    double totalLine;
};

// Exact names; a name in other letter case is "any other sport".
const SportRow kSports[] = {
    {"American Football", {25, 19}, {0.375, 0.25, 0.375}, 44.5},
    {"Australian Football", {10, 100}, {0.4, 0.2, 0.4}, 200.5},
    {"Baseball", {50, 6}, {1, 1, 1}, 8.5},
    {"Basketball", {15, 98}, {0.4, 0.2, 0.4}, 180.5},
    {"Football (Soccer)", {150, 2}, {1, 1, 1}, 2.5},
    {"Handball", {25, 29}, {0.375, 0.25, 0.375}, 40.5},
    {"Ice Hockey", {100, 3}, {1, 1, 1}, 5.5},
    {"Rugby League", {25, 22}, {0.375, 0.25, 0.375}, 30.5},
    {"Rugby Union", {25, 25}, {0.375, 0.25, 0.375}, 30.5},
    {"Volleyball", {1, 1}, {1, 1, 1}, 180.5},
};
const SportRow kOther = {"", {1, 1}, {1, 1, 1}, 1.5};

const SportRow &lookup(const QString &sport)
{
    for (const SportRow &row : kSports)
        if (sport == QLatin1String(row.name))
            return row;
    return kOther;
}

const SportDefaults kDefaults[] = {
    {2, 1, 0, 2, 1, 1, 55, 20, 55}, // American Football
    {4, 2, 0, 4, 2, 0, 60, 10, 60}, // Australian Football
    {2, 1, 0, 2, 1, 1, 50, 20, 50}, // Baseball
    {2, 1, 0, 2, 1, 1, 60, 10, 60}, // Basketball
    {3, 1, 0, 3, 1, 0, 50, 35, 50}, // Football (Soccer)
    {3, 1, 0, 3, 1, 0, 55, 20, 55}, // Handball
    {2, 1, 0, 2, 1, 1, 50, 30, 50}, // Ice Hockey
    {2, 1, 0, 2, 1, 0, 55, 20, 55}, // Rugby League
    {2, 1, 0, 2, 1, 0, 55, 20, 55}, // Rugby Union
};
} // namespace

SportConstants GetSportConstants(const QString &sport)
{
    return lookup(sport).constants;
}

OutcomeWeights GetOutcomeWeights(const QString &sport)
{
    return lookup(sport).weights;
}

double DefaultTotalLine(const QString &sport)
{
    return lookup(sport).totalLine;
}

const QStringList &sportNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (int i = 0; i < 9; ++i)
            n << QString::fromLatin1(kSports[i].name);
        return n;
    }();
    return names;
}

const SportDefaults *sportDefaults(int position)
{
    return position >= 0 && position < 9 ? &kDefaults[position] : nullptr;
}

namespace
{
// Short names of the list's sports, as users type them; "football" is the game most of the world calls
// so.  Names that could stand for two sports ("rugby") are not in it.
const std::pair<const char *, const char *> kShortNames[] = {
    {"gridiron", "American Football"},
    {"aussie rules", "Australian Football"},
    {"australian rules", "Australian Football"},
    {"afl", "Australian Football"},
    {"soccer", "Football (Soccer)"},
    {"football", "Football (Soccer)"},
    {"association football", "Football (Soccer)"},
    {"hockey", "Ice Hockey"},
};

// Letter case folded, "-" and "_" as blanks, one blank between words.
QString typedKey(const QString &text)
{
    QString t = TextCompare::foldedKey(text);
    t.replace(QLatin1Char('-'), QLatin1Char(' ')).replace(QLatin1Char('_'), QLatin1Char(' '));
    return t.simplified();
}
} // namespace

const QList<std::pair<QString, QString>> &sportShortNames()
{
    static const QList<std::pair<QString, QString>> names = [] {
        QList<std::pair<QString, QString>> n;
        for (const QString &sport : sportNames())
            for (const auto &[shortName, listName] : kShortNames)
                if (sport == QLatin1String(listName))
                    n.append({QString::fromLatin1(shortName), sport});
        return n;
    }();
    return names;
}

int typedSportPosition(const QString &text)
{
    const QString key = typedKey(text);
    const QStringList &names = sportNames();
    for (int i = 0; i < names.size(); ++i)
        if (typedKey(names[i]) == key)
            return i;
    for (const auto &[shortName, listName] : sportShortNames())
        if (shortName == key)
            return static_cast<int>(names.indexOf(listName));
    return -1;
}

int sportPosition(const QString &sport)
{
    const QStringList &names = sportNames();
    for (int i = 0; i < names.size(); ++i)
        if (TextCompare::equalNoCase(names[i], sport))
            return i;
    return -1;
}

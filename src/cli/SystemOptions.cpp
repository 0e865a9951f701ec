#include "cli/SystemOptions.h"

#include "data/Errors.h"
#include "data/Numbers.h"
#include "predict/PredictionCommands.h"

#include <algorithm>
#include <climits>

namespace
{

// One of two words; the first means true.
bool choiceOf(const Arguments &a, const QString &option, bool fallback, const QString &yes, const QString &no)
{
    if (!a.has(option))
        return fallback;
    const QString word = a.value(option);
    if (word.compare(yes, Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(no, Qt::CaseInsensitive) == 0)
        return false;
    throw UsageError{QStringLiteral("The option %1 takes %2 or %3, not '%4'.").arg(option, yes, no, word)};
}

// The option's whole number, or fallback when it is not given.  A text that is no whole number (1e308
// among them) is refused, and so is a number below low.
int wholeNumberOr(const Arguments &a, const QString &option, int fallback, int low = INT_MIN)
{
    if (!a.has(option))
        return fallback;
    int v = 0;
    if (!Numbers::tryParseInt(a.value(option), &v))
        throw QuorvaneError(
            QStringLiteral("The option %1 takes a whole number, not '%2'.").arg(option, a.value(option)));
    if (v < low)
        throw QuorvaneError(QStringLiteral("The option %1 takes a whole number of at least %2, not '%3'.")
                                .arg(option, QString::number(low), a.value(option)));
    return v;
}

} // namespace

const QList<OptionSpec> &systemOptionSpecs()
{
    static const QList<OptionSpec> specs = {
        {QStringLiteral("--home"), 1}, {QStringLiteral("--draw"), 1},  {QStringLiteral("--away"), 1},
        {QStringLiteral("--hp"), 1},   {QStringLiteral("--dp"), 1},    {QStringLiteral("--ap"), 1},
        {QStringLiteral("--cf"), 1},   {QStringLiteral("--stats"), 1}, {QStringLiteral("--lm"), 1}};
    return specs;
}

QString systemOptionsUsage()
{
    return QStringLiteral("[--home yes|no] [--draw yes|no] [--away yes|no] [--hp N] [--dp N]\n"
                          "            [--ap N] [--cf N] [--stats ha|ov] [--lm N]");
}

int clampedWholeNumber(const Arguments &a, const QString &option, int fallback, int low, int high)
{
    return std::clamp(wholeNumberOr(a, option, fallback), low, high);
}

PredictionOptions systemOptionsOf(const Arguments &a, PredictionOptions o, const QString &homeFlag,
                                  const QString &awayFlag)
{
    const QString yes = QStringLiteral("yes"), no = QStringLiteral("no");
    o.homeWin = choiceOf(a, homeFlag, o.homeWin, yes, no);
    o.draw = choiceOf(a, QStringLiteral("--draw"), o.draw, yes, no);
    o.awayWin = choiceOf(a, awayFlag, o.awayWin, yes, no);
    o.venueStats =
        choiceOf(a, QStringLiteral("--stats"), o.venueStats, QStringLiteral("ha"), QStringLiteral("ov"));
    // The fields' ranges are clampPredictionOptions' business.
    o.homePct = wholeNumberOr(a, QStringLiteral("--hp"), o.homePct);
    o.drawPct = wholeNumberOr(a, QStringLiteral("--dp"), o.drawPct);
    o.awayPct = wholeNumberOr(a, QStringLiteral("--ap"), o.awayPct);
    o.confidence = wholeNumberOr(a, QStringLiteral("--cf"), o.confidence);
    o.lastMatches = wholeNumberOr(a, QStringLiteral("--lm"), o.lastMatches);
    return clampPredictionOptions(o);
}

Stake stakeOf(const Arguments &a)
{
    Stake s;
    // A balance or a wager below 1 means nothing: it is refused, not read as 1.  Above the field's upper
    // bound it is brought down as the field does; the wager's bound is the starting balance.
    s.startingBalance = std::min(wholeNumberOr(a, QStringLiteral("--balance"), s.startingBalance, 1), 99999);
    s.wager = std::min(wholeNumberOr(a, QStringLiteral("--wager"), s.wager, 1), s.startingBalance);
    return s;
}

StakingPlan stakingOf(const Arguments &a)
{
    if (!a.has(QStringLiteral("--staking")))
        return StakingPlan{};
    const QString words = a.value(QStringLiteral("--staking"));
    if (const std::optional<StakingPlan> plan = StakingPlan::fromWords(words))
        return *plan;
    throw UsageError{QStringLiteral("The option --staking takes flat, percent:N (N above 0, at most 100) or "
                                    "kelly:F (F above 0, at most 1), not '%1'.")
                         .arg(words)};
}

bool jsonFormatWanted(const Arguments &a)
{
    const QString format = a.value(QStringLiteral("--format"), QStringLiteral("text"));
    if (format == QLatin1String("json"))
        return true;
    if (format != QLatin1String("text"))
        throw UsageError{QStringLiteral("The format must be text or json.")};
    return false;
}

#pragma once
// The betting system and the stake as the prediction and analysis commands take them from the command
// line: each option overrides the league's value, and numbers are brought into their fields' ranges as
// the dialogs' spin fields do.

#include "analysis/Staking.h"
#include "cli/Arguments.h"
#include "predict/PredictionEngine.h"

// --home --draw --away (yes|no), --hp --dp --ap --cf --lm (N), --stats (ha|ov).
const QList<OptionSpec> &systemOptionSpecs();
// Their line of the usage text, wrapped as the usage text's lines are.
QString systemOptionsUsage();
// base with every option given put in its place, then clamped.  UsageError for a choice that is not
// one of its words; QuorvaneError for a number that is not a whole number.
// homeFlag and awayFlag name the options of the home and away verdicts where --home and --away mean
// something else (the teams of tip).
PredictionOptions systemOptionsOf(const Arguments &a, PredictionOptions base,
                                  const QString &homeFlag = QStringLiteral("--home"),
                                  const QString &awayFlag = QStringLiteral("--away"));

struct Stake {
    int startingBalance = 100; // 1..99999
    int wager = 20;            // 1..startingBalance
};
// --balance N and --wager N.  QuorvaneError for a number below 1; a larger one than its field takes is
// brought down to the field's upper bound.
Stake stakeOf(const Arguments &a);

// --staking flat|percent:N|kelly:F (N in (0, 100], F in (0, 1]); Flat when not given.  UsageError for
// anything else.
StakingPlan stakingOf(const Arguments &a);

// The option's whole number clamped to [low, high], or fallback when it is not given.
int clampedWholeNumber(const Arguments &a, const QString &option, int fallback, int low, int high);

// --format text|json; UsageError for anything else.  True for json.
bool jsonFormatWanted(const Arguments &a);

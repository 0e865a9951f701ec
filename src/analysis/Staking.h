#pragma once
// How much a back-test stakes on a bet: the flat wager, a fixed percentage of the running balance, or a
// chosen fraction of the Kelly stake from the prediction's own probability of the backed outcome.

#include <QString>
#include <optional>

enum class StakingKind { Flat, PercentOfBalance, Kelly };

struct StakingPlan {
    StakingKind kind = StakingKind::Flat;
    double value = 0; // the percentage (0..100] or the Kelly fraction (0..1]; unused for Flat

    // "Flat", "Percent of balance 5 %", "Kelly 0.5": as the history of tested systems names the plan.
    QString name() const;
    // The command line's words: flat, percent:N, kelly:F, the number with "." or "," as its decimal mark.
    // std::nullopt for anything else, or a number outside its range.
    static std::optional<StakingPlan> fromWords(const QString &words);

    // The stake on a bet at a decimal price (0 when there is none) with the backed outcome's probability
    // (0..1) and the balance before the bet.  0 means no bet: for Kelly when the Kelly stake is not
    // positive or there is no price, for a share of the balance when the balance is not positive.  Flat
    // always stakes the wager.
    double stake(double wager, double balance, double price, double probability) const;
};

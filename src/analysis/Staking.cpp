#include "analysis/Staking.h"

#include "data/Numbers.h"

#include <QLocale>

QString StakingPlan::name() const
{
    switch (kind) {
    case StakingKind::Flat:
        return QStringLiteral("Flat");
    case StakingKind::PercentOfBalance:
        return QStringLiteral("Percent of balance %1 %").arg(Numbers::formatGeneral(value, QLocale::c()));
    case StakingKind::Kelly:
        return QStringLiteral("Kelly %1").arg(Numbers::formatGeneral(value, QLocale::c()));
    }
    return QString();
}

std::optional<StakingPlan> StakingPlan::fromWords(const QString &words)
{
    const QString w = words.trimmed().toLower();
    if (w == QLatin1String("flat"))
        return StakingPlan{};
    const qsizetype colon = w.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return std::nullopt;
    const QString kindWord = w.left(colon);
    // "0.5" as a script writes it, "0,5" as a user of a decimal-comma locale does.
    double value = 0;
    if (!Numbers::tryParsePrice(w.mid(colon + 1), &value) || !(value > 0))
        return std::nullopt;
    if (kindWord == QLatin1String("percent") && value <= 100)
        return StakingPlan{StakingKind::PercentOfBalance, value};
    if (kindWord == QLatin1String("kelly") && value <= 1)
        return StakingPlan{StakingKind::Kelly, value};
    return std::nullopt;
}

double StakingPlan::stake(double wager, double balance, double price, double probability) const
{
    switch (kind) {
    case StakingKind::Flat:
        return wager;
    case StakingKind::PercentOfBalance:
        return balance > 0 ? balance * value / 100.0 : 0.0;
    case StakingKind::Kelly: {
        if (price <= 1.0 || balance <= 0)
            return 0.0;
        // The share of the balance that maximises its expected logarithm: (p d - 1) / (d - 1).
        const double kelly = (probability * price - 1.0) / (price - 1.0);
        return kelly > 0 ? value * kelly * balance : 0.0;
    }
    }
    return 0.0;
}

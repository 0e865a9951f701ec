#include "support/RandomLeague.h"

#include "data/Dates.h"
#include "data/TDataMod.h"
#include "data/TextCompare.h"

#include <QDate>

namespace
{
// A small fixed generator, so every run and every machine builds the same league.
class Rng
{
public:
    explicit Rng(quint32 seed) : m_state(seed * 2654435761u + 1u) {}
    quint32 next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<quint32>(n)); }
    bool chance(double p) { return (next() % 10000) < p * 10000; }

private:
    quint32 m_state;
};
} // namespace

void writeRandomLeague(const QString &path, const RandomLeagueSpec &spec)
{
    Rng rng(spec.seed);
    TDataMod dm;
    CreateLeagueFile(dm.ADOConnection, dm.ADOTableLeague, path);
    Database &db = dm.ADOConnection;
    Transaction tx(db);

    QStringList names;
    if (spec.awkward)
        names << QStringLiteral("Rovers") << QStringLiteral("ROVERS") << QStringLiteral("O'Neill \"Town\"")
              << QStringLiteral("Ümit Spor") << QStringLiteral("ümit spor");
    while (names.size() < spec.teams)
        names << QStringLiteral("Team %1").arg(names.size() + 1);
    for (int i = 0; i < names.size(); ++i) {
        QVariantList v = newTeamValues(names[i], i + 1);
        v[2] = 1000 + rng.below(1200);  // TRH
        v[11] = 1000 + rng.below(1200); // TRA
        v[20] = 1000 + rng.below(1200); // TRT
        db.execute(
            QStringLiteral("INSERT INTO Teams VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15,"
                           "?16,?17,?18,?19,?20,?21,?22,?23,?24,?25,?26,?27,?28,?29,?30)"),
            v);
    }

    const QStringList odds =
        spec.awkward ? QStringList{QStringLiteral("2.10"), QStringLiteral("-"),    QString(),
                                   QStringLiteral("3"),    QStringLiteral("4/5"),  QStringLiteral("+150"),
                                   QStringLiteral("-120"), QStringLiteral("1.85"), QStringLiteral("3.40")}
                     : QStringList{QStringLiteral("2.10"), QStringLiteral("3.40"), QStringLiteral("1.85"),
                                   QStringLiteral("4.50")};
    const double lines[] = {2.5, 0, 3, 1.5, 2.5};
    const QDate start(2005, 8, 1);
    Statement insert = db.prepare(
        QStringLiteral("INSERT INTO Results (ID, Home, Away, Result, DateP, Rnd, MatchT, PtsH, PtsHT, PtsA, "
                       "PtsAT, TRH, TRHT, TRA, "
                       "TRAT, F, A, HP, DP, AP, CF, PResult, Ttl, Verdict, UOV, UOP, O1, O1B, OX, OXB, O2, "
                       "O2B, Retrn) VALUES "
                       "(?1,?2,?3,?4,?5,?6,'Regular "
                       "Season',0,0,0,0,?7,?8,?9,?10,?11,?12,0,0,0,0,':',0,'?',?13,?14,?15,'',?16,'',"
                       "?17,'',0)"));
    for (int i = 0; i < spec.matches; ++i) {
        const int h = rng.below(names.size());
        int a = rng.below(names.size() - 1);
        if (a >= h)
            ++a;
        // Two spellings of one team are one team, which never plays itself.
        while (TextCompare::equalNoCase(names[a], names[h]))
            a = (a + 1) % static_cast<int>(names.size());
        const bool played = !rng.chance(spec.fixtureShare);
        int F = -1, A = -1;
        QString result = QStringLiteral(":");
        if (played) {
            F = rng.below(5);
            A = rng.below(5);
            result = QStringLiteral("%1:%2").arg(F).arg(A);
            if (spec.awkward && rng.chance(0.1))
                result += QStringLiteral(" OT");
        }
        const QVariant date = spec.awkward && rng.chance(0.02)
                                  ? QVariant()
                                  : QVariant(Dates::toStored(start.addDays(rng.below(spec.days))));
        // Ratings mostly realistic; now and then below 100, so the engine sees 0.
        auto rating = [&rng, &spec]() {
            return spec.awkward && rng.chance(0.05) ? rng.below(100) : 1000 + rng.below(1200);
        };
        const double line = lines[rng.below(5)];
        insert.bindAll({i, names[h], names[a], result, date, 1 + i / 10, rating(), rating(), rating(),
                        rating(), F, A, line, QString::number(line), odds[rng.below(odds.size())],
                        odds[rng.below(odds.size())], odds[rng.below(odds.size())]});
        insert.run();
        insert.reset();
    }
    tx.commit();
}

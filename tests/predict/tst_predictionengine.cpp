#include "predict/PredictionEngine.h"

#include "data/Sports.h"

#include <QRegularExpression>
#include <QTest>

#include <vector>

Q_DECLARE_METATYPE(PredictionOptions)

namespace
{

// Matches written "Home-Away F:A", with " OT" for one decided in overtime; kept alive for History views.
class Matches
{
public:
    explicit Matches(const QStringList &lines)
    {
        static const QRegularExpression re(QStringLiteral("^(\\S+)-(\\S+) (\\d+):(\\d+)( OT)?$"));
        for (const QString &line : lines) {
            const QRegularExpressionMatch m = re.match(line);
            if (!m.hasMatch())
                qFatal("bad match line %s", qPrintable(line));
            m_records.push_back({m.captured(1), m.captured(2), m.captured(3).toInt(), m.captured(4).toInt(),
                                 m.hasCaptured(5)});
        }
        for (const MatchRecord &r : m_records)
            m_pointers.push_back(&r);
    }
    History newestFirst() const { return History::newestFirst(m_pointers); }
    std::span<const MatchRecord *const> pointers() const { return m_pointers; }

private:
    std::vector<MatchRecord> m_records;
    std::vector<const MatchRecord *> m_pointers;
};

const QString kSoccer = QStringLiteral("Football (Soccer)");

// The example league: H at home against A, newest match first.
QStringList exampleHome()
{
    return {QStringLiteral("H-X 2:0"), QStringLiteral("Y-H 1:1"), QStringLiteral("H-Z 3:1"),
            QStringLiteral("H-W 0:1"), QStringLiteral("V-H 2:0"), QStringLiteral("H-U 2:2"),
            QStringLiteral("H-T 1:0"), QStringLiteral("H-S 4:0"), QStringLiteral("H-R 1:1")};
}

QStringList exampleAway()
{
    return {QStringLiteral("A-P 1:1"), QStringLiteral("Q-A 2:1"), QStringLiteral("Z-A 0:0"),
            QStringLiteral("O-A 1:3"), QStringLiteral("A-N 2:0"), QStringLiteral("M-A 3:0"),
            QStringLiteral("L-A 1:2"), QStringLiteral("K-A 2:2"), QStringLiteral("J-A 1:0")};
}

// Home and away enabled at 50, draw disabled, confidence 50, six last matches.
PredictionOptions exampleOptions(bool venueStats)
{
    return {.homeWin = true,
            .draw = false,
            .awayWin = true,
            .homePct = 50,
            .drawPct = 35,
            .awayPct = 50,
            .confidence = 50,
            .venueStats = venueStats,
            .lastMatches = 6};
}

QList<int> counts(const TeamForm &f)
{
    return {f.nV, f.wV, f.dV, f.lV, f.gfV, f.gaV, f.nAll, f.wAll, f.dAll, f.lAll, f.gfAll, f.gaAll};
}

std::optional<MatchPrediction> predict(const PredictionOptions &options, const QStringList &homeLines,
                                       const QStringList &awayLines, const QList<int> &storedRatings,
                                       const QString &sport, double line,
                                       const QLocale &locale = QLocale::c())
{
    const Matches home(homeLines), away(awayLines);
    return PredictMatch(options, QStringLiteral("H"), QStringLiteral("A"), predictionRating(storedRatings[0]),
                        predictionRating(storedRatings[1]), predictionRating(storedRatings[2]),
                        predictionRating(storedRatings[3]), home.newestFirst(), away.newestFirst(), sport,
                        line, locale);
}

} // namespace

class TestPredictionEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void history();
    void predictionRating_data();
    void predictionRating();
    void collectTeamForm_data();
    void collectTeamForm();
    void averagesAndExpectedGoals();
    void predictMatch_data();
    void predictMatch();
    void verdictThresholds_data();
    void verdictThresholds();
    void sportConstants_data();
    void sportConstants();
    void noRatings_data();
    void noRatings();
};

void TestPredictionEngine::history()
{
    const Matches oldestFirst({QStringLiteral("A-B 0:0"), QStringLiteral("A-B 1:0"),
                               QStringLiteral("A-B 2:0"), QStringLiteral("A-B 3:0")});
    const History before = History::oldestFirstBefore(oldestFirst.pointers(), 3);
    QCOMPARE(before.size(), std::size_t(3));
    QCOMPARE(before[0].F, 2);
    QCOMPARE(before[1].F, 1);
    QCOMPARE(before[2].F, 0);
    QCOMPARE(History::oldestFirstBefore(oldestFirst.pointers(), 0).size(), std::size_t(0));

    const History current = oldestFirst.newestFirst();
    QCOMPARE(current.size(), std::size_t(4));
    QCOMPARE(current[0].F, 0);
    QCOMPARE(current[3].F, 3);
    QCOMPARE(History().size(), std::size_t(0));
}

void TestPredictionEngine::predictionRating_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("used");
    QTest::newRow("1250") << 1250 << 12;
    QTest::newRow("1299 drops the remainder") << 1299 << 12;
    QTest::newRow("99") << 99 << 0;
    QTest::newRow("100") << 100 << 1;
    QTest::newRow("0") << 0 << 0;
}

void TestPredictionEngine::predictionRating()
{
    QFETCH(int, stored);
    QFETCH(int, used);
    QCOMPARE(::predictionRating(stored), used);
}

void TestPredictionEngine::collectTeamForm_data()
{
    QTest::addColumn<QString>("team");
    QTest::addColumn<bool>("playsAtHome");
    QTest::addColumn<QStringList>("history");
    QTest::addColumn<int>("lastMatches");
    QTest::addColumn<bool>("venueStats");
    // nV wV dV lV gfV gaV nAll wAll dAll lAll gfAll gaAll
    QTest::addColumn<QList<int>>("expected");

    const QString H = QStringLiteral("H"), A = QStringLiteral("A");
    QTest::newRow("example home team, venue")
        << H << true << exampleHome() << 6 << true << QList<int>{6, 4, 1, 1, 12, 4, 8, 4, 2, 2, 13, 7};
    QTest::newRow("example away team, venue")
        << A << false << exampleAway() << 6 << true << QList<int>{6, 2, 2, 2, 8, 9, 8, 3, 3, 2, 11, 10};
    QTest::newRow("example home team, overall")
        << H << true << exampleHome() << 6 << false << QList<int>{4, 2, 1, 1, 7, 4, 6, 2, 2, 2, 8, 7};
    QTest::newRow("last 2 at home, away matches in between")
        << H << true
        << QStringList{QStringLiteral("X-H 1:0"), QStringLiteral("H-Y 2:1"), QStringLiteral("Z-H 2:2"),
                       QStringLiteral("H-W 0:3"), QStringLiteral("H-V 5:0")}
        << 2 << true << QList<int>{2, 1, 0, 1, 2, 4, 4, 1, 1, 2, 4, 7};
    QTest::newRow("overtime is a draw, goals count (home team)")
        << H << true
        << QStringList{QStringLiteral("H-X 3:3 OT"), QStringLiteral("Y-H 2:1 OT"),
                       QStringLiteral("H-Z 1:2 OT")}
        << 5 << true << QList<int>{2, 0, 2, 0, 4, 5, 3, 0, 3, 0, 5, 7};
    QTest::newRow("overtime is a draw, goals count (away team)")
        << A << false << QStringList{QStringLiteral("A-X 2:1 OT"), QStringLiteral("Y-A 3:1 OT")} << 5 << true
        << QList<int>{1, 0, 1, 0, 1, 3, 2, 0, 2, 0, 3, 4};
    QTest::newRow("no played match") << H << true << QStringList() << 5 << true << QList<int>(12, 0);
}

void TestPredictionEngine::collectTeamForm()
{
    QFETCH(QString, team);
    QFETCH(bool, playsAtHome);
    QFETCH(QStringList, history);
    QFETCH(int, lastMatches);
    QFETCH(bool, venueStats);
    QFETCH(QList<int>, expected);

    const Matches matches(history);
    QCOMPARE(counts(CollectTeamForm(team, playsAtHome, matches.newestFirst(), lastMatches, venueStats)),
             expected);
}

void TestPredictionEngine::averagesAndExpectedGoals()
{
    const Matches homeMatches(exampleHome()), awayMatches(exampleAway());
    TeamForm h = CollectTeamForm(QStringLiteral("H"), true, homeMatches.newestFirst(), 6, true);
    TeamForm a = CollectTeamForm(QStringLiteral("A"), false, awayMatches.newestFirst(), 6, true);
    CompleteTeamForms(h, a, GetSportConstants(kSoccer).typicalScore);

    const auto near = [](double actual, double expected) { return qAbs(actual - expected) < 1e-4; };
    QVERIFY(near(h.avgForV, 2.0));
    QVERIFY(near(h.avgAgainstV, 0.6667));
    QVERIFY(near(h.avgForAll, 1.625));
    QVERIFY(near(h.avgAgainstAll, 0.875));
    QVERIFY(near(a.avgForV, 1.3333));
    QVERIFY(near(a.avgAgainstV, 1.5));
    QVERIFY(near(a.avgForAll, 1.375));
    QVERIFY(near(a.avgAgainstAll, 1.25));
    QCOMPARE(h.xgV, 1.75);
    QCOMPARE(a.xgV, 1.0);
    QCOMPARE(h.xgAll, 1.4375);
    QCOMPARE(a.xgAll, 1.125);

    // One match counted: the goal prior is mixed in as a second one.
    const Matches one({QStringLiteral("H-X 3:0")});
    TeamForm h1 = CollectTeamForm(QStringLiteral("H"), true, one.newestFirst(), 5, true);
    TeamForm none;
    CompleteTeamForms(h1, none, 2);
    QCOMPARE(h1.avgForV, 2.5);
    QCOMPARE(h1.avgAgainstV, 1.0);
    QCOMPARE(none.avgForAll, 2.0);
    QCOMPARE(none.avgAgainstV, 2.0);
}

void TestPredictionEngine::predictMatch_data()
{
    QTest::addColumn<PredictionOptions>("options");
    QTest::addColumn<QStringList>("homeHistory");
    QTest::addColumn<QStringList>("awayHistory");
    QTest::addColumn<QList<int>>("storedRatings"); // home venue, home overall, away venue, away overall
    QTest::addColumn<double>("line");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QList<int>>("percentages"); // HP DP AP CF
    QTest::addColumn<QString>("score");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("underOver");

    const QString c = QStringLiteral("C");
    // Stored ratings lose their remainder: 1250 -> 12, 1199 -> 11, 999 -> 9.
    const QList<int> exampleRatings{1250, 1199, 999, 1000};
    QTest::newRow("example, venue") << exampleOptions(true) << exampleHome() << exampleAway()
                                    << exampleRatings << 2.5 << c << QList<int>{54, 27, 19, 79}
                                    << QStringLiteral("2:1") << 3 << QStringLiteral("1")
                                    << QStringLiteral("Over 2.5");
    QTest::newRow("example, overall")
        << exampleOptions(false) << exampleHome() << exampleAway() << exampleRatings << 2.5 << c
        << QList<int>{36, 33, 31, 64} << QStringLiteral("1:1") << 2 << QStringLiteral("?")
        << QStringLiteral("Under 2.5");
    QTest::newRow("total equal to the line")
        << exampleOptions(false) << exampleHome() << exampleAway() << exampleRatings << 2.0 << c
        << QList<int>{36, 33, 31, 64} << QStringLiteral("1:1") << 2 << QStringLiteral("?")
        << QStringLiteral("Under 2");
    QTest::newRow("comma locale") << exampleOptions(true) << exampleHome() << exampleAway() << exampleRatings
                                  << 2.5 << QStringLiteral("de_DE") << QList<int>{54, 27, 19, 79}
                                  << QStringLiteral("2:1") << 3 << QStringLiteral("1")
                                  << QStringLiteral("Over 2,5");

    // Home venue rating 0: no home score; the away win leads but only one comparison backs it.
    PredictionOptions lowConfidence = exampleOptions(true);
    lowConfidence.confidence = 10;
    QTest::newRow("home venue rating 99")
        << exampleOptions(true) << exampleHome() << exampleAway() << QList<int>{99, 1100, 900, 1000} << 2.5
        << c << QList<int>{0, 37, 63, 14} << QStringLiteral("2:1") << 3 << QStringLiteral("?")
        << QStringLiteral("Over 2.5");
    QTest::newRow("home venue rating 99, confidence 10")
        << lowConfidence << exampleHome() << exampleAway() << QList<int>{99, 1100, 900, 1000} << 2.5 << c
        << QList<int>{0, 37, 63, 14} << QStringLiteral("2:1") << 3 << QStringLiteral("2")
        << QStringLiteral("Over 2.5");

    // No played match: goal-prior averages, confidence 25 which a threshold of 25 does not pass.
    PredictionOptions threshold25 = exampleOptions(true);
    threshold25.homePct = 35;
    threshold25.confidence = 25;
    PredictionOptions threshold24 = threshold25;
    threshold24.confidence = 24;
    QTest::newRow("no played match") << threshold25 << QStringList() << QStringList()
                                     << QList<int>{1500, 1500, 1000, 1000} << 2.5 << c
                                     << QList<int>{40, 33, 27, 25} << QStringLiteral("2:2") << 4
                                     << QStringLiteral("?") << QStringLiteral("2.5");
    QTest::newRow("no played match, confidence 24")
        << threshold24 << QStringList() << QStringList() << QList<int>{1500, 1500, 1000, 1000} << 2.5 << c
        << QList<int>{40, 33, 27, 25} << QStringLiteral("2:2") << 4 << QStringLiteral("1")
        << QStringLiteral("2.5");

    // Both passes favour the home team (86), but one venue match caps the confidence at 25;
    // the away team's expected 0.5 goals round to 0.
    QTest::newRow("one home venue match")
        << exampleOptions(true) << QStringList{QStringLiteral("H-X 3:0")}
        << QStringList{QStringLiteral("P-A 2:0"), QStringLiteral("Q-A 1:0")}
        << QList<int>{1000, 1000, 1000, 1000} << 2.5 << c << QList<int>{62, 23, 15, 25}
        << QStringLiteral("2:0") << 2 << QStringLiteral("?") << QStringLiteral("2.5");
    QTest::newRow("one away venue match")
        << exampleOptions(true) << QStringList{QStringLiteral("H-X 0:2"), QStringLiteral("H-Y 0:1")}
        << QStringList{QStringLiteral("P-A 0:3")} << QList<int>{1000, 1000, 1000, 1000} << 2.5 << c
        << QList<int>{15, 23, 62, 25} << QStringLiteral("0:2") << 2 << QStringLiteral("?")
        << QStringLiteral("2.5");

    // Mirror-image teams: home and away share the top percentage, so CF is 50 and no verdict is given
    // however low the thresholds; two matches a side leave the call at the bare line.
    const PredictionOptions lowThresholds{.homeWin = true,
                                          .draw = true,
                                          .awayWin = true,
                                          .homePct = 10,
                                          .drawPct = 10,
                                          .awayPct = 10,
                                          .confidence = 10,
                                          .venueStats = true,
                                          .lastMatches = 5};
    QTest::newRow("tied top percentages")
        << lowThresholds << QStringList{QStringLiteral("H-X 2:0"), QStringLiteral("H-Y 0:2")}
        << QStringList{QStringLiteral("P-A 0:2"), QStringLiteral("Q-A 2:0")}
        << QList<int>{1000, 1000, 1000, 1000} << 2.5 << c << QList<int>{38, 23, 38, 50}
        << QStringLiteral("1:1") << 2 << QStringLiteral("?") << QStringLiteral("2.5");

    // Draws only: every comparison is even, both passes, and the draw verdict is given.
    PredictionOptions drawsAllowed = exampleOptions(true);
    drawsAllowed.draw = true;
    const QStringList homeDraws(4, QStringLiteral("H-X 1:1")), awayDraws(4, QStringLiteral("P-A 1:1"));
    QTest::newRow("draws only") << drawsAllowed << homeDraws << awayDraws
                                << QList<int>{1000, 1000, 1000, 1000} << 2.5 << c
                                << QList<int>{18, 65, 18, 100} << QStringLiteral("1:1") << 2
                                << QStringLiteral("X") << QStringLiteral("Under 2.5");
    QTest::newRow("draws only, draw not bet on")
        << exampleOptions(true) << homeDraws << awayDraws << QList<int>{1000, 1000, 1000, 1000} << 2.5 << c
        << QList<int>{18, 65, 18, 100} << QStringLiteral("1:1") << 2 << QStringLiteral("?")
        << QStringLiteral("Under 2.5");
}

void TestPredictionEngine::predictMatch()
{
    QFETCH(PredictionOptions, options);
    QFETCH(QStringList, homeHistory);
    QFETCH(QStringList, awayHistory);
    QFETCH(QList<int>, storedRatings);
    QFETCH(double, line);
    QFETCH(QString, locale);
    QFETCH(QList<int>, percentages);
    QFETCH(QString, score);
    QFETCH(int, total);
    QFETCH(QString, verdict);
    QFETCH(QString, underOver);

    const auto p = predict(options, homeHistory, awayHistory, storedRatings, kSoccer, line, QLocale(locale));
    QVERIFY(p);
    QCOMPARE((QList<int>{p->HP, p->DP, p->AP, p->CF}), percentages);
    QCOMPARE(p->PResult, score);
    QCOMPARE(QString::number(p->homeGoals) + QLatin1Char(':') + QString::number(p->awayGoals), score);
    QCOMPARE(p->Ttl, total);
    QCOMPARE(p->Verdict, verdict);
    QCOMPARE(p->UOP, underOver);
}

void TestPredictionEngine::verdictThresholds_data()
{
    QTest::addColumn<PredictionOptions>("options");
    QTest::addColumn<QString>("verdict");

    // The example gives HP 54, CF 79 in venue mode and HP 36, DP 33, AP 31, CF 64 overall.
    const auto with = [](bool venue, int homePct, int confidence, bool homeWin = true) {
        PredictionOptions o = exampleOptions(venue);
        o.homePct = homePct;
        o.confidence = confidence;
        o.homeWin = homeWin;
        return o;
    };
    QTest::newRow("HP above threshold") << with(true, 53, 50) << QStringLiteral("1");
    QTest::newRow("HP equal to threshold") << with(true, 54, 50) << QStringLiteral("?");
    QTest::newRow("CF above threshold") << with(true, 50, 78) << QStringLiteral("1");
    QTest::newRow("CF equal to threshold") << with(true, 50, 79) << QStringLiteral("?");
    QTest::newRow("home win not bet on") << with(true, 10, 10, false) << QStringLiteral("?");
    QTest::newRow("overall, HP above threshold") << with(false, 35, 63) << QStringLiteral("1");
    QTest::newRow("overall, CF equal to threshold") << with(false, 35, 64) << QStringLiteral("?");
}

void TestPredictionEngine::verdictThresholds()
{
    QFETCH(PredictionOptions, options);
    QFETCH(QString, verdict);
    const auto p = predict(options, exampleHome(), exampleAway(), {1250, 1199, 999, 1000}, kSoccer, 2.5);
    QVERIFY(p);
    QCOMPARE(p->Verdict, verdict);
}

void TestPredictionEngine::sportConstants_data()
{
    QTest::addColumn<QString>("sport");
    QTest::addColumn<QList<int>>("percentages"); // HP DP AP
    QTest::addColumn<QString>("score");

    // No played match and equal ratings: the score is the goal prior, the percentages the weights' shares.
    QTest::newRow("soccer") << kSoccer << QList<int>{33, 33, 33} << QStringLiteral("2:2");
    QTest::newRow("basketball") << QStringLiteral("Basketball") << QList<int>{40, 20, 40}
                                << QStringLiteral("98:98");
    QTest::newRow("volleyball") << QStringLiteral("Volleyball") << QList<int>{33, 33, 33}
                                << QStringLiteral("1:1");
    QTest::newRow("unknown sport") << QStringLiteral("Curling") << QList<int>{33, 33, 33}
                                   << QStringLiteral("1:1");
    QTest::newRow("other letter case")
        << QStringLiteral("football (soccer)") << QList<int>{33, 33, 33} << QStringLiteral("1:1");
}

void TestPredictionEngine::sportConstants()
{
    QFETCH(QString, sport);
    QFETCH(QList<int>, percentages);
    QFETCH(QString, score);
    const auto p = predict(exampleOptions(true), {}, {}, {1000, 1000, 1000, 1000}, sport, 2.5);
    QVERIFY(p);
    QCOMPARE((QList<int>{p->HP, p->DP, p->AP}), percentages);
    QCOMPARE(p->PResult, score);
    QCOMPARE(p->CF, 25);
    QCOMPARE(p->Verdict, QStringLiteral("?"));
}

void TestPredictionEngine::noRatings_data()
{
    QTest::addColumn<bool>("venueStats");
    QTest::addColumn<QList<int>>("storedRatings");
    QTest::addColumn<bool>("predicted");
    QTest::newRow("venue ratings 0, venue mode") << true << QList<int>{0, 1000, 99, 1000} << false;
    QTest::newRow("venue ratings 0, overall mode") << false << QList<int>{0, 1000, 99, 1000} << true;
    QTest::newRow("overall ratings 0, overall mode") << false << QList<int>{1000, 0, 1000, 0} << false;
}

void TestPredictionEngine::noRatings()
{
    QFETCH(bool, venueStats);
    QFETCH(QList<int>, storedRatings);
    QFETCH(bool, predicted);
    const auto p =
        predict(exampleOptions(venueStats), exampleHome(), exampleAway(), storedRatings, kSoccer, 2.5);
    QCOMPARE(p.has_value(), predicted);
}

QTEST_GUILESS_MAIN(TestPredictionEngine)
#include "tst_predictionengine.moc"

// The season odds against the exact chances of small districts (every
// completion enumerated with its probability), the model read from a season,
// the ranking against the standings calculator, reproducibility on any number
// of threads, and the race deciding the 100% and the 0%.
#include "core/odds/SeasonOdds.h"
#include "core/odds/OddsRace.h"

#include "core/base/SjisText.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/BaseballCalc.h"
#include "core/standings/DistrictStandings.h"
#include "tests/support/MatchBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <random>

namespace {

// The exact first moment and second moment of every number the engine estimates.
struct TMoments {
    std::vector<double> First, First2, Top, Top2, Wins, Wins2;
    std::vector<std::vector<double>> Place, Place2;
};

// Ranked as the definition reads: win rate (truncated to millionths) first,
// or wins first and then win rate; teams equal on those are level.
bool Better(int w, int l, int wt, int lt, bool byWins) {
    const auto rate = [](long long w, long long l) { return w + l == 0 ? 0 : w * 1000000 / (w + l); };
    if (byWins && w != wt)
        return w > wt;
    return rate(w, l) > rate(wt, lt);
}

TMoments Exact(const TOddsInput& in, int place) {
    const int n = static_cast<int>(in.Teams.size());
    TMoments m;
    for (auto* v : {&m.First, &m.First2, &m.Top, &m.Top2, &m.Wins, &m.Wins2})
        v->assign(n, 0);
    m.Place.assign(n, std::vector<double>(n, 0));
    m.Place2 = m.Place;
    std::vector<int> w(n + 1), l(n + 1), d(n + 1);
    for (int i = 0; i < n; ++i) {
        w[i] = in.Teams[i].Wins;
        l[i] = in.Teams[i].Losses;
        d[i] = in.Teams[i].Draws;
    }
    auto row = [&](int side) { return side < 0 ? n : side; };
    std::function<void(size_t, double)> play = [&](size_t g, double prob) {
        if (prob == 0)
            return;
        if (g == in.Games.size()) {
            for (int t = 0; t < n; ++t) {
                int above = 0, level = 0;
                for (int o = 0; o < n; ++o) {
                    above += Better(w[o], l[o], w[t], l[t], in.ByWins);
                    level += !Better(w[o], l[o], w[t], l[t], in.ByWins) && !Better(w[t], l[t], w[o], l[o], in.ByWins);
                }
                const double first = above == 0 ? 1.0 / level : 0;
                const double top = std::clamp(place - above, 0, level) / double(level);
                m.First[t] += prob * first;
                m.First2[t] += prob * first * first;
                m.Top[t] += prob * top;
                m.Top2[t] += prob * top * top;
                m.Wins[t] += prob * w[t];
                m.Wins2[t] += prob * w[t] * w[t];
                for (int q = above; q < above + level; ++q) {
                    m.Place[t][q] += prob / level;
                    m.Place2[t][q] += prob / level / level;
                }
            }
            return;
        }
        const TOddsGame& game = in.Games[g];
        const int h = row(game.Home), v = row(game.Visitor);
        ++d[h], ++d[v];
        play(g + 1, prob * game.Draw);
        --d[h], --d[v];
        ++w[h], ++l[v];
        play(g + 1, prob * (1 - game.Draw) * game.HomeWin);
        --w[h], --l[v];
        ++l[h], ++w[v];
        play(g + 1, prob * (1 - game.Draw) * (1 - game.HomeWin));
        --l[h], --w[v];
    };
    play(0, 1.0);
    return m;
}

// A small district: records, games among its teams, against outsiders and
// against itself, chances of either model's kind.
TOddsInput RandomDistrict(std::mt19937& rng, bool byWins, uint8_t drawRule) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    TOddsInput in;
    in.ByWins = byWins;
    in.DrawRule = drawRule;
    const int n = pick(2, 4);
    for (int i = 0; i < n; ++i) {
        TOddsTeam t;
        t.Symbol = std::string(1, char('A' + i));
        t.Wins = pick(0, 4);
        t.Losses = pick(0, 4);
        t.Draws = drawRule == 0 ? pick(0, 2) : 0;
        in.Teams.push_back(t);
    }
    const int games = pick(1, 7);
    const double draw = drawRule == 0 ? pick(0, 3) * 0.1 : 0;
    for (int g = 0; g < games; ++g) {
        TOddsGame game;
        game.Home = pick(-1, n - 1);
        game.Visitor = pick(0, 9) == 0 ? game.Home : pick(-1, n - 1);
        if (game.Home < 0 && game.Visitor < 0)
            game.Visitor = 0;
        if (game.Home == game.Visitor && game.Home < 0)
            game.Home = 0;
        game.Draw = draw;
        game.HomeWin = pick(0, 4) == 0 ? 0.5 : pick(15, 85) / 100.0;
        in.Games.push_back(game);
        for (int side : {game.Home, game.Visitor})
            if (side >= 0)
                ++in.Teams[side].Remain;
    }
    return in;
}

bool SameTally(const TOddsTally& a, const TOddsTally& b) {
    return a.Runs == b.Runs && a.First == b.First && a.Top == b.Top && a.Places == b.Places &&
           a.FullFirst == b.FullFirst && a.NoneFirst == b.NoneFirst && a.FullTop == b.FullTop &&
           a.NoneTop == b.NoneTop && a.SumWins == b.SumWins && a.SumLosses == b.SumLosses && a.SumDraws == b.SumDraws &&
           a.WinsFrom == b.WinsFrom;
}

} // namespace

// Thousands of small districts under every rank and draw rule: each chance
// within 4.5 standard errors of the exact one (a chance every completion
// agrees on, exactly), and the mean wins likewise.
TEST(SeasonOddsTest, AgreesWithEveryCompletionOfSmallDistricts) {
    std::mt19937 rng(20260);
    const long long runs = 4000;
    int cases = 0;
    for (bool byWins : {false, true})
        for (uint8_t drawRule : {0, 1, 2})
            for (int c = 0; c < 500; ++c, ++cases) {
                const TOddsInput in = RandomDistrict(rng, byWins, drawRule);
                const int n = static_cast<int>(in.Teams.size());
                const int place = std::uniform_int_distribution<int>(1, n)(rng);
                const TMoments exact = Exact(in, place);
                const TOddsTally tally = SimulateOdds(in, place, 1000 + c, 0, runs, 2);
                const TOddsResult r = SummarizeOdds(in, tally, 1000 + c);
                ASSERT_EQ(r.Teams.size(), size_t(n));
                auto near = [&](double got, double mean, double second, const char* what, int t) {
                    const double var = std::max(0.0, second - mean * mean);
                    const double allowed = var < 1e-12 ? 1e-9 : 4.5 * std::sqrt(var / runs);
                    EXPECT_NEAR(got, mean, allowed) << what << " of team " << t << " in case " << cases
                                                    << (byWins ? " (wins first" : " (rate first") << ", draw rule "
                                                    << int(drawRule) << ", place " << place << ")";
                };
                for (int t = 0; t < n; ++t) {
                    near(r.Teams[t].First, exact.First[t], exact.First2[t], "first", t);
                    near(r.Teams[t].Top, exact.Top[t], exact.Top2[t], "top", t);
                    near(r.Teams[t].MeanWins, exact.Wins[t], exact.Wins2[t], "wins", t);
                    for (int q = 0; q < n; ++q)
                        near(r.Teams[t].Places[q], exact.Place[t][q], exact.Place2[t][q], "place", t);
                    EXPECT_LE(r.Teams[t].WinsP10, r.Teams[t].WinsP90);
                    EXPECT_GE(r.Teams[t].WinsP10, in.Teams[t].Wins);
                    EXPECT_LE(r.Teams[t].WinsP90, in.Teams[t].Wins + in.Teams[t].Remain);
                    const double games = r.Teams[t].MeanWins + r.Teams[t].MeanLosses + r.Teams[t].MeanDraws;
                    EXPECT_NEAR(games, in.Teams[t].Wins + in.Teams[t].Losses + in.Teams[t].Draws + in.Teams[t].Remain,
                                1e-9);
                }
            }
    EXPECT_EQ(cases, 3000);
}

// The same seed gives the same counts on one thread, on two, and played in
// two batches; another seed gives others.
TEST(SeasonOddsTest, SameSeedSameNumbersOnAnyThreads) {
    std::mt19937 rng(7);
    for (int c = 0; c < 40; ++c) {
        const TOddsInput in = RandomDistrict(rng, c % 2 == 1, static_cast<uint8_t>(c % 3));
        const TOddsTally one = SimulateOdds(in, 2, 99, 0, 5000, 1);
        const TOddsTally two = SimulateOdds(in, 2, 99, 0, 5000, 2);
        const TOddsTally three = SimulateOdds(in, 2, 99, 0, 5000, 3);
        TOddsTally batches = SimulateOdds(in, 2, 99, 0, 1234, 2);
        batches += SimulateOdds(in, 2, 99, 1234, 5000 - 1234, 1);
        EXPECT_TRUE(SameTally(one, two)) << c;
        EXPECT_TRUE(SameTally(one, three)) << c;
        EXPECT_TRUE(SameTally(one, batches)) << c;
        EXPECT_EQ(one.Runs, 5000);
    }
    const TOddsInput in = RandomDistrict(rng, false, 0);
    TOddsInput busy = in;
    for (int g = 0; g < 30; ++g)
        busy.Games.push_back({0, 1, 0.1, 0.5});
    busy.Teams[0].Remain += 30;
    busy.Teams[1].Remain += 30;
    EXPECT_FALSE(SameTally(SimulateOdds(busy, 1, 1, 0, 2000, 2), SimulateOdds(busy, 1, 2, 0, 2000, 2)));
}

// The engine's ranking is the standings calculator's: the same ranks for
// records fed as matches, under both rules.
TEST(SeasonOddsTest, RanksAsTheStandings) {
    std::mt19937 rng(3);
    for (int c = 0; c < 400; ++c) {
        const bool byWins = c % 2 == 1;
        const int n = 2 + c % 5;
        std::vector<int> w(n), l(n), d(n);
        TRkCalc calc;
        TFight fight;
        for (int i = 0; i < n; ++i) {
            const std::string symbol(1, char('A' + i));
            calc.AddTeam(symbol);
            w[i] = std::uniform_int_distribution<int>(0, 6)(rng);
            l[i] = std::uniform_int_distribution<int>(0, 6)(rng);
            d[i] = std::uniform_int_distribution<int>(0, 2)(rng);
            auto feed = [&](int count, int home, int visitor) {
                for (int k = 0; k < count; ++k)
                    calc.AddMatch(Game(symbol.c_str(), "Z", 40000).Score(home, visitor));
            };
            feed(w[i], 2, 1);
            feed(l[i], 1, 2);
            feed(d[i], 1, 1);
        }
        calc.Rank(byWins);
        const std::vector<int> rank = RankFinals(w, l, d, byWins);
        for (int i = 0; i < calc.Count(); ++i) {
            const int t = calc.Items(i).Symbol[0] - 'A';
            EXPECT_EQ(rank[t], calc.Items(i).RankNo) << "case " << c << " team " << t;
        }
    }
}

// Teams level across the cut share the places left: two teams that can only
// finish level for first get exactly half each, of first and of each place.
TEST(SeasonOddsTest, LevelTeamsShareThePlaces) {
    TOddsInput in;
    in.Teams = {{"A", "", 3, 1, 0, 1, 0.5}, {"B", "", 3, 1, 0, 1, 0.5}, {"C", "", 0, 5, 0, 0, 0.5}};
    in.Games = {{0, -1, 0, 1.0}, {1, -1, 0, 1.0}}; // both win their last game for certain
    const TOddsResult r = SummarizeOdds(in, SimulateOdds(in, 1, 5, 0, 1000, 2), 5);
    EXPECT_EQ(r.Teams[0].First, 0.5);
    EXPECT_EQ(r.Teams[1].First, 0.5);
    EXPECT_EQ(r.Teams[0].Places, (std::vector<double>{0.5, 0.5, 0}));
    EXPECT_EQ(r.Teams[2].First, 0.0);
    EXPECT_EQ(r.Teams[2].Places[2], 1.0);
    EXPECT_EQ(r.Teams[0].WinsP10, 4);
    EXPECT_EQ(r.Teams[0].WinsP90, 4);
    EXPECT_EQ(r.Teams[0].MeanWins, 4.0);
    EXPECT_EQ(OddsPercentText(r.Teams[0].First, r.Teams[0].FirstPin), "50.0%");
}

// The race is asked only where no season contradicts it; what it decides is
// exactly 100% or 0%, what every season agrees on but the race does not
// decide reads 99.9%+ or 0.1%−.
TEST(SeasonOddsTest, RaceDecidesTheCertainChances) {
    TOddsInput in;
    in.Teams = {{"A", "", 9, 1, 0, 2, 0.5}, {"B", "", 5, 5, 0, 2, 0.5}, {"C", "", 1, 9, 0, 2, 0.5}};
    in.Games = {{0, 1, 0, 0.5}, {1, 2, 0, 0.5}, {2, 0, 0, 0.5}};
    const TOddsTally tally = SimulateOdds(in, 2, 1, 0, 3000, 2);
    std::vector<std::pair<int, int>> asked;
    const TOddsResult r = SummarizeOdds(in, tally, 1, [&](int team, int place) {
        asked.emplace_back(team, place);
        if (team == 0)
            return TOddsPin::Clinched;
        if (team == 2 && place == 1)
            return TOddsPin::Eliminated;
        return TOddsPin::Open;
    });
    EXPECT_EQ(r.Teams[0].First, 1.0);
    EXPECT_EQ(r.Teams[0].FirstPin, TOddsPin::Clinched);
    EXPECT_EQ(OddsPercentText(r.Teams[0].First, r.Teams[0].FirstPin), "100%");
    EXPECT_EQ(r.Teams[2].First, 0.0);
    EXPECT_EQ(OddsPercentText(r.Teams[2].First, r.Teams[2].FirstPin), "0%");
    // B is in the top two in every season, but the race (here) did not say so.
    EXPECT_EQ(r.Teams[1].Top, 1.0);
    EXPECT_EQ(r.Teams[1].TopPin, TOddsPin::Open);
    EXPECT_EQ(OddsPercentText(r.Teams[1].Top, r.Teams[1].TopPin), "99.9%+");
    EXPECT_EQ(OddsPercentText(r.Teams[2].Top, r.Teams[2].TopPin), sjis::S("0.1%−"));
    // Never asked of a place some season gives the team alone and another not at all.
    ASSERT_FALSE(asked.empty());
    for (const auto& [team, place] : asked) {
        const auto& full = place == 1 ? tally.FullFirst : tally.FullTop;
        const auto& none = place == 1 ? tally.NoneFirst : tally.NoneTop;
        EXPECT_FALSE(full[team] > 0 && none[team] > 0) << team << " " << place;
    }

    // A pin the seasons contradict is not taken.
    const TOddsResult wrong =
        SummarizeOdds(in, tally, 1, [](int team, int) { return team == 2 ? TOddsPin::Clinched : TOddsPin::Open; });
    EXPECT_EQ(wrong.Teams[2].First, 0.0);
    EXPECT_EQ(wrong.Teams[2].FirstPin, TOddsPin::Open);
}

// The model as a season gives it: the league's shares of draws and home
// wins, every team's strength from its runs up to the day, each game still
// to play once with its home side, later results played again.
TEST(SeasonOddsTest, InputFromASeason) {
    TPennant p;
    TFight f;
    TLeague& l = p.GetLeague(p.AddLeague());
    for (const char* symbols : {"AB", "X"}) {
        TDistrict& d = l.GetDistrict(l.AddDistrict());
        for (const char* s = symbols; *s; ++s)
            d.GetTeam(d.AddTeam()).SetSymbol(std::string(1, *s));
    }
    TLeague& other = p.GetLeague(p.AddLeague());
    other.GetDistrict(other.AddDistrict()).AddTeam();
    other.GetDistrict(0).GetTeam(0).SetSymbol("Q");
    const double day = 40000;
    AddGame(f, Game("A", "B", day).Score(5, 1));
    AddGame(f, Game("B", "X", day).Score(2, 2));
    AddGame(f, Game("X", "A", day + 1).Score(0, 3));
    AddGame(f, Game("Q", "Z", day + 1).Score(9, 0)); // not the league's
    AddGame(f, Game("B", "A", day + 2).Score(4, 4)); // after the day asked
    AddGame(f, Game("A", "X", day + 3));
    AddGame(f, Game("B", "A", day + 3));
    AddGame(f, Game("Q", "B", day + 4));
    const std::optional<TDistrictStandings> s = BuildDistrictStandings(p, f, 0, day + 1);
    ASSERT_TRUE(s);
    const TOddsInput in = OddsInputFrom(p, f, *s, TOddsModel::Runs, day + 1);
    EXPECT_DOUBLE_EQ(in.DrawShare, 1.0 / 3);
    EXPECT_DOUBLE_EQ(in.HomeShare, 0.54); // too few games to tell
    ASSERT_EQ(in.Teams.size(), 2u);
    EXPECT_EQ(in.Teams[0].Symbol, "A");
    EXPECT_DOUBLE_EQ(in.Teams[0].Strength, RunsStrength(2, 8, 1));
    EXPECT_DOUBLE_EQ(in.Teams[1].Strength, RunsStrength(2, 3, 7));
    // A-X, B-A, Q-B, and B-A of day + 2 played again.
    ASSERT_EQ(in.Games.size(), 4u);
    int outside = 0, inside = 0;
    for (const TOddsGame& g : in.Games) {
        EXPECT_DOUBLE_EQ(g.Draw, 1.0 / 3);
        if (g.Home < 0 || g.Visitor < 0) {
            ++outside;
        } else {
            ++inside;
            EXPECT_EQ(g.Home, 1);
            EXPECT_EQ(g.Visitor, 0);
            EXPECT_DOUBLE_EQ(g.HomeWin, HomeWinChance(in.Teams[1].Strength, in.Teams[0].Strength, 0.54));
        }
    }
    EXPECT_EQ(inside, 2);
    EXPECT_EQ(outside, 2);
    // Draws replayed: no draws; the even model: one half.
    l.DrawRule = 1;
    const TOddsInput even = OddsInputFrom(p, f, *s, TOddsModel::Even, day + 1);
    EXPECT_EQ(even.DrawShare, 0);
    for (const TOddsGame& g : even.Games)
        EXPECT_EQ(g.HomeWin, 0.5);
}

TEST(SeasonOddsTest, ModelFormulas) {
    EXPECT_DOUBLE_EQ(RunsStrength(0, 0, 0), 0.5);
    // 100 games, 500 runs for and 400 against: x = 9^0.287.
    const double x = std::pow(9.0, 0.287);
    const double pi = std::pow(500.0, x) / (std::pow(500.0, x) + std::pow(400.0, x));
    EXPECT_DOUBLE_EQ(RunsStrength(100, 500, 400), (100 * pi + 20) / 140);
    EXPECT_DOUBLE_EQ(HomeWinChance(0.5, 0.5, 0.54), 0.54);
    EXPECT_DOUBLE_EQ(HomeWinChance(0.6, 0.4, 0.5), 0.36 / (0.36 + 0.16));
    EXPECT_EQ(OddsModelFromName("even"), TOddsModel::Even);
    EXPECT_FALSE(OddsModelFromName("odd"));
}

// With the race behind it: a clinched team shows exactly 100%, an eliminated
// one exactly 0%, from a real season's standings.
TEST(SeasonOddsTest, RacePinsFromASeason) {
    TPennant p;
    TFight f;
    TLeague& l = p.GetLeague(p.AddLeague());
    TDistrict& d = l.GetDistrict(l.AddDistrict());
    for (const char* symbol : {"A", "B", "C"})
        d.GetTeam(d.AddTeam()).SetSymbol(symbol);
    const double day = 40000;
    for (int k = 0; k < 6; ++k) {
        AddGame(f, Game("A", "B", day + k).Score(3, 1));
        AddGame(f, Game("A", "C", day + k).Score(3, 1));
    }
    AddGame(f, Game("B", "C", day + 10));
    AddGame(f, Game("A", "B", day + 10));
    const std::optional<TDistrictStandings> s = BuildDistrictStandings(p, f, 0);
    const TOddsInput in = OddsInputFrom(p, f, *s, TOddsModel::Runs);
    const TOddsResult r = SummarizeOdds(in, SimulateOdds(in, 2, 1, 0, 2000), 1, TOddsRacePins::Shared(p, *s));
    ASSERT_EQ(r.Teams[0].Symbol, "A");
    EXPECT_EQ(r.Teams[0].FirstPin, TOddsPin::Clinched);
    EXPECT_EQ(r.Teams[0].First, 1.0);
    EXPECT_EQ(r.Teams[1].FirstPin, TOddsPin::Eliminated);
    EXPECT_EQ(r.Teams[2].FirstPin, TOddsPin::Eliminated);
    EXPECT_EQ(r.Teams[0].TopPin, TOddsPin::Clinched);
    EXPECT_EQ(r.Teams[1].TopPin, TOddsPin::Open); // B or C: the game between them decides
    EXPECT_GT(r.Teams[1].Top, 0.0);
    EXPECT_LT(r.Teams[1].Top, 1.0);
}

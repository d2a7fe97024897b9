// The title race engine against an enumeration of every completion of small
// districts, under every rank and draw rule, and on the classic cases.
#include "core/race/TitleRace.h"

#include "core/base/SjisText.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/BaseballCalc.h"
#include "core/standings/DistrictStandings.h"
#include "tests/support/MatchBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <tuple>

namespace {

// One remaining game: two district teams, or a district team and an outsider (-1).
struct TGame {
    int A, B;
};

struct TCase {
    TRaceInput In;
    std::vector<TGame> Games;
};

// What every completion says of team t at place k: whether it reaches the
// place (fewer than k teams strictly above it) and whether it is clear of
// the cut (fewer than k teams level with it or above).
struct TTruth {
    bool AnyGood = false, AnyBad = false, AnyOut = false;
    int MostGoodLosses = -1, MostBadWins = -1;
    // The least unlikeness of a completion clear of the cut, and of one reaching the place.
    double LeastClear = 1e18, LeastReach = 1e18;
};

bool Above(int w, int l, int wt, int lt, bool byWins) {
    const auto rate = [](long long w, long long l) { return w + l == 0 ? 0 : w * 1000000 / (w + l); };
    if (byWins && w != wt)
        return w > wt;
    return rate(w, l) > rate(wt, lt);
}

// Tries every result of every remaining game.
std::vector<std::vector<TTruth>> Enumerate(const TCase& c, int places) {
    const TRaceInput& in = c.In;
    const int n = static_cast<int>(in.Teams.size());
    const bool draws = in.DrawRule == 0;
    std::vector<std::vector<TTruth>> truth(n, std::vector<TTruth>(places + 1));
    std::vector<int> w(n), l(n), gw(n, 0), gl(n, 0);
    for (int i = 0; i < n; ++i) {
        w[i] = in.Teams[i].Wins;
        l[i] = in.Teams[i].Losses;
    }
    // Unlikeness as the engine defines it: remaining wins and draws against
    // the team's rate so far (.500 without a decided game) and the draw share.
    auto unlikeness = [&]() {
        double sum = 0;
        for (int i = 0; i < n; ++i) {
            const TRaceTeam& t = in.Teams[i];
            const double rate = t.Wins + t.Losses == 0 ? 0.5 : double(t.Wins) / (t.Wins + t.Losses);
            const int gd = t.Remain - gw[i] - gl[i];
            sum += std::abs(gw[i] - rate * t.Remain) + std::abs(gd - (draws ? in.DrawShare : 0) * t.Remain);
        }
        return sum;
    };
    auto leaf = [&]() {
        const double cost = unlikeness();
        for (int t = 0; t < n; ++t) {
            int above = 0, level = 0;
            for (int i = 0; i < n; ++i)
                if (i != t) {
                    above += Above(w[i], l[i], w[t], l[t], in.ByWins);
                    level += !Above(w[t], l[t], w[i], l[i], in.ByWins);
                }
            for (int k = 1; k <= places; ++k) {
                TTruth& tr = truth[t][k];
                if (above < k) {
                    tr.AnyGood = true;
                    tr.MostGoodLosses = std::max(tr.MostGoodLosses, gl[t]);
                    tr.LeastReach = std::min(tr.LeastReach, cost);
                } else {
                    tr.AnyOut = true;
                }
                if (level < k) {
                    tr.LeastClear = std::min(tr.LeastClear, cost);
                } else {
                    tr.AnyBad = true;
                    tr.MostBadWins = std::max(tr.MostBadWins, gw[t]);
                }
            }
        }
    };
    // Every result of every game, as a counter in base 3 (or 2 without draws).
    const int outcomes = draws ? 3 : 2;
    std::vector<int> result(c.Games.size(), 0);
    auto apply = [&](size_t g, int sign) {
        const TGame& game = c.Games[g];
        const int aw = result[g] == 0 ? sign : 0, bw = result[g] == 1 ? sign : 0;
        for (const auto& [team, dw, dl] : {std::tuple{game.A, aw, bw}, std::tuple{game.B, bw, aw}})
            if (team >= 0) {
                w[team] += dw;
                l[team] += dl;
                gw[team] += dw;
                gl[team] += dl;
            }
    };
    for (size_t g = 0; g < c.Games.size(); ++g)
        apply(g, 1);
    while (true) {
        leaf();
        size_t g = 0;
        for (; g < c.Games.size(); ++g) {
            apply(g, -1);
            if (++result[g] < outcomes) {
                apply(g, 1);
                break;
            }
            result[g] = 0;
            apply(g, 1);
        }
        if (g == c.Games.size())
            return truth;
    }
}

// A random district; `balanced` gives teams of equal records and a round
// robin still to play (as on an opening day), where rivals can swap places.
TCase RandomCase(std::mt19937& rng, int gamesAtMost, bool balanced) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    TCase c;
    const int n = balanced ? pick(3, 4) : pick(3, 5);
    c.In.DrawShare = pick(0, 3) * 0.1;
    // Close records, so that races are open.
    const int level = pick(0, 8), losses = pick(0, 8);
    for (int i = 0; i < n; ++i) {
        TRaceTeam t;
        t.Symbol = std::string(1, static_cast<char>('A' + i));
        t.ShortName = t.Symbol;
        t.Wins = level + (balanced ? 0 : pick(0, 4));
        t.Losses = balanced ? losses : pick(0, 10);
        t.Draws = balanced ? 0 : pick(0, 2);
        c.In.Teams.push_back(t);
    }
    auto add = [&](int a, int b) {
        if (b < 0) {
            ++c.In.Teams[a].Outside;
        } else {
            c.In.Pairings.push_back({a, b, 1});
            ++c.In.Teams[b].Remain;
        }
        ++c.In.Teams[a].Remain;
        c.Games.push_back({a, b});
    };
    if (balanced) {
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                add(a, b);
        if (pick(0, 1))
            for (int a = 0; a < n; ++a)
                add(a, -1);
        return c;
    }
    const int games = pick(0, gamesAtMost);
    for (int g = 0; g < games; ++g) {
        const int a = pick(0, n - 1);
        int b = pick(-1, n - 2);
        if (b >= a)
            ++b;
        add(a, b);
    }
    return c;
}

std::string Describe(const TCase& c, int team, int place) {
    std::string s = "rankRule " + std::to_string(c.In.ByWins) + " drawRule " + std::to_string(c.In.DrawRule) +
                    " team " + std::to_string(team) + " place " + std::to_string(place) + "\n";
    for (const TRaceTeam& t : c.In.Teams)
        s += t.Symbol + " " + std::to_string(t.Wins) + "-" + std::to_string(t.Losses) + "-" + std::to_string(t.Draws) +
             " outside " + std::to_string(t.Outside) + "\n";
    for (const TGame& g : c.Games)
        s += "game " + std::to_string(g.A) + " " + std::to_string(g.B) + "\n";
    return s;
}

// Remaining games between two teams of a case.
int GamesBetween(const TCase& c, int a, int b) {
    int games = 0;
    for (const TGame& g : c.Games)
        games += (g.A == a && g.B == b) || (g.A == b && g.B == a);
    return games;
}

// The engine's answers, checked against the enumeration and for consistency.
// Returns false (with a failure naming the case) at the first difference.
bool Agree(const TCase& c, int places, bool scenarios) {
    const auto truth = Enumerate(c, places);
    const TTitleRace race(c.In);
    const int n = race.TeamCount();
    for (int t = 0; t < n; ++t) {
        const int remain = c.In.Teams[t].Remain;
        for (int k = 1; k <= places; ++k) {
            const TTruth& tr = truth[t][k];
            const TRaceAnswer a = race.Decide(t, k);
            // The numbers as the definitions give them, -1 for none.
            const int clinch = !tr.AnyBad ? 0 : tr.MostBadWins + 1 <= remain ? tr.MostBadWins + 1 : -1;
            const int out = !tr.AnyGood ? 0 : tr.MostGoodLosses + 1 <= remain ? tr.MostGoodLosses + 1 : -1;
            const bool levelAssured = tr.AnyBad && !tr.AnyOut;
            bool right = a.ClinchNumber.value_or(-1) == clinch && a.EliminationNumber.value_or(-1) == out &&
                         (a.Status == TRaceStatus::Eliminated) == !tr.AnyGood &&
                         (a.Status == TRaceStatus::Clinched) == (clinch == 0) && a.LevelAssured == levelAssured;
            std::string what;
            if (right && a.Status == TRaceStatus::Eliminated)
                right = !a.Reason.empty();
            else if (right && scenarios) {
                // The evidence: a completion that makes the point, and none
                // that makes it is less unlikely.
                const TRaceScenario sc = race.Scenario(t, k);
                right = static_cast<int>(sc.Finals.size()) == n && sc.AboveCut == (tr.LeastClear < 1e17);
                for (int i = 0; right && i < n; ++i) {
                    const TRaceRecord& r = sc.Finals[i];
                    const TRaceTeam& now = c.In.Teams[i];
                    right = r.Wins + r.Losses + r.Draws == now.Wins + now.Losses + now.Draws + now.Remain &&
                            r.Wins >= now.Wins && r.Losses >= now.Losses && r.Draws >= now.Draws &&
                            (c.In.DrawRule == 0 || r.Draws == now.Draws);
                }
                if (right) {
                    right = sc.AboveCut ? TTitleRace::AboveCut(sc.Finals, t, k, c.In.ByWins)
                                        : TTitleRace::Reaches(sc.Finals, t, k, c.In.ByWins);
                    const double least = sc.AboveCut ? tr.LeastClear : tr.LeastReach;
                    right = right && std::abs(race.Unlikeness(sc.Finals) - least) < 1e-6;
                    what = " unlikeness " + std::to_string(race.Unlikeness(sc.Finals)) + " (least " +
                           std::to_string(least) + ")";
                }
            }
            if (right && k == 1) {
                // The table's magic number never promises less than the exact clinch number.
                int magic = -1;
                for (int x = 0; x < n; ++x) {
                    if (x == t)
                        continue;
                    const TRaceTeam &me = c.In.Teams[t], &rival = c.In.Teams[x];
                    const int m = MagicVersus({me.Wins + me.Losses, me.Wins, me.Remain},
                                              {rival.Wins + rival.Losses, rival.Wins, rival.Remain},
                                              GamesBetween(c, t, x), c.In.ByWins);
                    if (m < 0) {
                        magic = -1;
                        break;
                    }
                    magic = std::max(magic, m);
                }
                right = magic < 0 || (a.ClinchNumber && *a.ClinchNumber <= magic);
                if (!right)
                    what = " magic " + std::to_string(magic);
            }
            if (!right) {
                ADD_FAILURE() << Describe(c, t, k) << "clinch " << a.ClinchNumber.value_or(-1) << " (expected "
                              << clinch << "), elimination " << a.EliminationNumber.value_or(-1) << " (expected " << out
                              << "), level assured " << a.LevelAssured << " (expected " << levelAssured << ")" << what;
                return false;
            }
        }
    }
    return true;
}

TEST(TitleRaceTest, AgreesWithEveryCompletionOfSmallDistricts) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 500; ++round) {
        const TCase base = RandomCase(rng, round % 100 == 0 ? 12 : 7, round % 10 == 5);
        for (const bool byWins : {false, true})
            for (const uint8_t drawRule : {0, 1, 2}) {
                TCase c = base;
                c.In.ByWins = byWins;
                c.In.DrawRule = drawRule;
                if (!Agree(c, 3, false))
                    return;
            }
    }
}

// The evidence shown for a team still in it: a completion that makes the
// point (clear of the cut where any is, else reaching the place), and none
// that makes it is less unlikely. Fewer cases: each solves many programs.
TEST(TitleRaceTest, TheEvidenceIsTheLikeliestCompletion) {
    std::mt19937 rng(20261209);
    for (int round = 0; round < 12; ++round) {
        const TCase base = RandomCase(rng, 6, round % 4 == 1);
        for (const bool byWins : {false, true})
            for (const uint8_t drawRule : {0, 2}) {
                TCase c = base;
                c.In.ByWins = byWins;
                c.In.DrawRule = drawRule;
                if (!Agree(c, 2, true))
                    return;
            }
    }
}

// A district given as records and a table of remaining games between its
// teams; games against outsiders make up the rest of each team's remaining.
TRaceInput District(bool byWins, std::vector<std::tuple<const char*, int, int, int>> teams,
                    std::vector<std::vector<int>> games) {
    TRaceInput in;
    in.ByWins = byWins;
    in.DrawRule = 2;
    for (size_t i = 0; i < games.size(); ++i)
        for (size_t j = i + 1; j < games[i].size(); ++j)
            in.Pairings.push_back({int(i), int(j), games[i][j]});
    for (size_t i = 0; i < teams.size(); ++i) {
        const auto& [name, wins, losses, remain] = teams[i];
        TRaceTeam t;
        t.Symbol = t.ShortName = name;
        t.Wins = wins;
        t.Losses = losses;
        t.Remain = remain;
        int inside = 0;
        for (int g : games[i])
            inside += g;
        t.Outside = remain - inside;
        in.Teams.push_back(t);
    }
    return in;
}

// Two published cases: a team that can still reach the leader's wins is out
// because the teams above it play each other.
// Ranked by wins, an unbeaten team is still passed by a rival with more
// wins: its likeliest completion once held such rivals by their rate alone
// (none rises above a perfect one) and let one pass.
TEST(TitleRaceTest, AnUnbeatenTeamIsPassedOnWins) {
    TCase c;
    c.In.ByWins = true;
    c.In.DrawRule = 0;
    c.In.DrawShare = 0.1;
    const int records[5][3] = {{7, 5, 2}, {3, 7, 1}, {3, 0, 2}, {4, 3, 1}, {4, 0, 1}};
    for (int i = 0; i < 5; ++i) {
        TRaceTeam t;
        t.Symbol = t.ShortName = std::string(1, static_cast<char>('A' + i));
        t.Wins = records[i][0];
        t.Losses = records[i][1];
        t.Draws = records[i][2];
        c.In.Teams.push_back(t);
    }
    for (const TGame g : {TGame{1, 3}, TGame{3, 1}, TGame{2, -1}}) {
        if (g.B < 0)
            ++c.In.Teams[g.A].Outside;
        else {
            c.In.Pairings.push_back({g.A, g.B, 1});
            ++c.In.Teams[g.B].Remain;
        }
        ++c.In.Teams[g.A].Remain;
        c.Games.push_back(g);
    }
    EXPECT_TRUE(Agree(c, 2, true));
}

TEST(TitleRaceTest, ClassicEliminations) {
    for (const bool byWins : {false, true}) {
        const TTitleRace four(District(byWins,
                                       {{"ATL", 83, 71, 8}, {"PHI", 80, 79, 3}, {"NYM", 78, 78, 6}, {"MON", 77, 82, 3}},
                                       {{0, 1, 6, 1}, {1, 0, 0, 2}, {6, 0, 0, 0}, {1, 2, 0, 0}}));
        const TRaceAnswer phi = four.Decide(1, 1);
        EXPECT_EQ(phi.Status, TRaceStatus::Eliminated);
        EXPECT_EQ(sjis::ToUtf8(phi.Reason),
                  byWins ? "ATLとNYMが残り6試合の直接対決で計6勝するため、どちらかが83勝(勝率.512)を上回る"
                         : "ATLとNYMが残り6試合の直接対決で計6勝するため、どちらかが.512を上回る");
        const TRaceAnswer mon = four.Decide(3, 1);
        EXPECT_EQ(mon.Status, TRaceStatus::Eliminated);
        EXPECT_EQ(sjis::ToUtf8(mon.Reason).rfind("残り3試合に全勝しても", 0), 0u);
        EXPECT_EQ(four.Decide(1, 2).Status, TRaceStatus::Dependent); // second place stays open
        EXPECT_EQ(four.Decide(0, 1).Status, TRaceStatus::Magic);
    }
    // Detroit (49-86) can reach 76 wins, but New York, Baltimore, Boston and
    // Toronto hold 278 wins and play 27 games among themselves.
    const TTitleRace five(District(
        true, {{"NY", 75, 59, 28}, {"BAL", 71, 63, 28}, {"BOS", 69, 66, 27}, {"TOR", 63, 72, 27}, {"DET", 49, 86, 27}},
        {{0, 3, 8, 7, 3}, {3, 0, 2, 7, 7}, {8, 2, 0, 0, 0}, {7, 7, 0, 0, 0}, {3, 7, 0, 0, 0}}));
    const TRaceAnswer det = five.Decide(4, 1);
    EXPECT_EQ(det.Status, TRaceStatus::Eliminated);
    EXPECT_EQ(sjis::ToUtf8(det.Reason),
              "NY、BAL、BOS、TORが残り27試合の直接対決で計27勝するため、どれかが76勝(勝率.469)を上回る");
    EXPECT_NE(five.Decide(3, 1).Status, TRaceStatus::Eliminated);
}

// The race as a season's standings give it: only games still to play count,
// a game between two district teams once for the pair, a game against a team
// of another district or of no district as an outside game, and a team's game
// against itself (it sits twice in its own list) once.
TEST(TitleRaceTest, InputFromASeason) {
    TPennant p;
    TFight f;
    TLeague& l = p.GetLeague(p.AddLeague());
    l.DrawRule = 1;
    for (const char* symbols : {"ABC", "X"}) {
        TDistrict& d = l.GetDistrict(l.AddDistrict());
        for (const char* s = symbols; *s; ++s) {
            TTeam& t = d.GetTeam(d.AddTeam());
            t.SetSymbol(std::string(1, *s));
            t.ShortName = std::string("team ") + *s;
        }
    }
    const double day = 40000;
    AddGame(f, Game("A", "B", day).Score(3, 1));
    AddGame(f, Game("C", "X", day).Score(0, 2));
    AddGame(f, Game("A", "B", day + 1));
    AddGame(f, Game("B", "A", day + 2));
    AddGame(f, Game("C", "A", day + 2));
    AddGame(f, Game("B", "X", day + 3)); // another district
    AddGame(f, Game("C", "Z", day + 3)); // no district at all
    AddGame(f, Game("A", "A", day + 4)); // against itself
    AddGame(f, Game("B", "C", day + 5).Cancelled());
    const std::optional<TDistrictStandings> s = BuildDistrictStandings(p, f, 0);
    ASSERT_TRUE(s);
    const TRaceInput in = RaceInputFrom(p, *s);
    EXPECT_EQ(in.DrawRule, 1);
    ASSERT_EQ(in.Teams.size(), 3u);
    std::map<std::string, size_t> at; // standings order: A, then B and C in either order
    for (size_t i = 0; i < in.Teams.size(); ++i)
        at[in.Teams[i].Symbol] = i;
    ASSERT_EQ(at.size(), 3u);
    const TRaceTeam& a = in.Teams[at["A"]];
    EXPECT_EQ(a.Rank, 1);
    EXPECT_EQ(a.ShortName, "team A");
    EXPECT_EQ(a.Wins, 1);
    EXPECT_EQ(a.Remain, 5); // its game against itself is two of them
    EXPECT_EQ(a.Outside, 0);
    EXPECT_EQ(a.SelfGames, 1);
    EXPECT_EQ(in.Teams[at["B"]].Outside, 1);
    EXPECT_EQ(in.Teams[at["C"]].Outside, 1);
    EXPECT_EQ(in.Teams[at["B"]].SelfGames + in.Teams[at["C"]].SelfGames, 0);
    const auto games = [&](const char* x, const char* y) {
        int count = 0;
        for (const TRacePairing& g : in.Pairings)
            if ((g.A == int(at[x]) && g.B == int(at[y])) || (g.A == int(at[y]) && g.B == int(at[x])))
                count += g.Games;
        return count;
    };
    EXPECT_EQ(games("A", "B"), 2);
    EXPECT_EQ(games("B", "A"), 2);
    EXPECT_EQ(games("A", "C"), 1);
    EXPECT_EQ(games("C", "A"), 1);
    EXPECT_EQ(games("B", "C"), 0);
    EXPECT_EQ(games("A", "A"), 0);
}

} // namespace

// The race engine's solvers one subproblem at a time (team T's record fixed,
// each rival given a role) against every completion of small districts: the
// integer program under every rank and draw rule and every role, the flow
// where it serves, and the quick test of lifted rivals' demands; and the
// searches that pick the rivals against trying every set of them.
#include "core/race/RaceProblem.h"
#include "core/race/TitleRace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <string>

namespace {

using race::TFinal;
using race::TProblem;
using race::TRole;
using race::TSub;

long long RateOf(long long w, long long l) {
    return w + l == 0 ? 0 : w * 1000000 / (w + l);
}

// Strictly above, written out again here so as not to test the engine against itself.
bool Beats(int w, int l, int wt, int lt, bool byWins) {
    if (byWins && w != wt)
        return w > wt;
    return RateOf(w, l) > RateOf(wt, lt);
}

struct TPairGames {
    int I, J;
};

// Whether some completion meets the roles: every result of every open game
// between rivals (a win either way, or a draw where draws stand) and every
// way to give the rivals their share of T's games.
bool AnyCompletion(const TSub& sub) {
    const TProblem& p = *sub.P;
    const int n = p.Count();
    std::vector<TPairGames> games; // one entry a game
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (i != sub.T && j != sub.T)
                for (int g = 0; g < p.Games[i][j]; ++g)
                    games.push_back({i, j});
    std::vector<int> vsT; // one entry a game of T's
    for (int j = 0; j < n; ++j)
        if (j != sub.T)
            for (int g = 0; g < p.Games[sub.T][j]; ++g)
                vsT.push_back(j);
    const int outcomes = p.Draws ? 3 : 2;
    long long pairCases = 1;
    for (size_t g = 0; g < games.size(); ++g)
        pairCases *= outcomes;
    for (long long code = 0; code < pairCases; ++code)
        for (unsigned mask = 0; mask < (1u << vsT.size()); ++mask) {
            if (std::popcount(mask) != sub.RivalWinsVsT)
                continue;
            std::vector<TFinal> f = sub.Start;
            long long rest = code;
            for (const TPairGames& g : games) {
                const int r = static_cast<int>(rest % outcomes);
                rest /= outcomes;
                if (r == 2) {
                    ++f[g.I].Draws;
                    ++f[g.J].Draws;
                } else {
                    ++f[r == 0 ? g.I : g.J].Wins;
                    ++f[r == 0 ? g.J : g.I].Losses;
                }
            }
            for (size_t k = 0; k < vsT.size(); ++k)
                ++(mask >> k & 1 ? f[vsT[k]].Wins : f[vsT[k]].Losses);
            int released = 0, lifted = 0;
            bool meets = true;
            for (int i = 0; i < n && meets; ++i) {
                if (i == sub.T)
                    continue;
                const bool above = Beats(f[i].Wins, f[i].Losses, sub.Wt, sub.Lt, p.ByWins);
                const bool over = sub.Level ? !Beats(sub.Wt, sub.Lt, f[i].Wins, f[i].Losses, p.ByWins) : above;
                switch (sub.Roles[i]) {
                case TRole::Free:
                    break;
                case TRole::Below:
                    meets = !above;
                    break;
                case TRole::Above:
                    meets = over;
                    break;
                case TRole::MaybeBelow:
                    released += above;
                    break;
                case TRole::MaybeAbove:
                    lifted += over;
                    break;
                }
            }
            bool maybeBelow = false, maybeAbove = false;
            for (int i = 0; i < n; ++i) {
                maybeBelow = maybeBelow || (i != sub.T && sub.Roles[i] == TRole::MaybeBelow);
                maybeAbove = maybeAbove || (i != sub.T && sub.Roles[i] == TRole::MaybeAbove);
            }
            if (meets && (!maybeBelow || released <= sub.Choose) && (!maybeAbove || lifted >= sub.Choose))
                return true;
        }
    return false;
}

// Whether final records a solver gave are a completion of the subproblem
// (every game played once, T's record as fixed) that meets its roles.
bool IsCompletionMeeting(const TSub& sub, const std::vector<TFinal>& f) {
    const TProblem& p = *sub.P;
    for (int i = 0; i < p.Count(); ++i) {
        if (i == sub.T)
            continue;
        const TFinal& s = sub.Start[i];
        const int games = p.Versus(i);
        if (f[i].Wins < s.Wins || f[i].Losses < s.Losses || f[i].Draws < s.Draws ||
            f[i].Wins + f[i].Losses + f[i].Draws != s.Wins + s.Losses + s.Draws + games)
            return false;
        if (!p.Draws && f[i].Draws != s.Draws)
            return false;
        const bool above = Beats(f[i].Wins, f[i].Losses, sub.Wt, sub.Lt, p.ByWins);
        const bool over = sub.Level ? !Beats(sub.Wt, sub.Lt, f[i].Wins, f[i].Losses, p.ByWins) : above;
        if ((sub.Roles[i] == TRole::Below && above) || (sub.Roles[i] == TRole::Above && !over))
            return false;
    }
    return f[sub.T].Wins == sub.Wt && f[sub.T].Losses == sub.Lt;
}

struct TRandomSub {
    TProblem P;
    TSub Sub;
};

// A district of 3 or 4 teams with at most 6 games left between rivals and
// 3 against T; T's record and the rivals' close to one another.
TRandomSub MakeSub(std::mt19937& rng, bool byWins, bool draws) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    TRandomSub r;
    TProblem& p = r.P;
    p.ByWins = byWins;
    p.Draws = draws;
    const int n = pick(3, 4);
    p.Games.assign(n, std::vector<int>(n, 0));
    p.Outside.assign(n, 0);
    for (int i = 0; i < n; ++i)
        p.Base.push_back({pick(0, 6), pick(0, 6), draws ? pick(0, 1) : 0});
    const int t = pick(0, n - 1);
    for (int g = pick(0, 6); g > 0; --g) {
        const int a = pick(0, n - 1), b = pick(0, n - 1);
        if (a != b && a != t && b != t)
            ++p.Games[a][b], ++p.Games[b][a];
    }
    int vsT = 0;
    for (int g = pick(0, 3); g > 0; --g) {
        const int j = pick(0, n - 1);
        if (j != t)
            ++p.Games[t][j], ++p.Games[j][t], ++vsT;
    }
    TSub& sub = r.Sub;
    sub.T = t;
    sub.Wt = p.Base[t].Wins + pick(0, 3);
    sub.Lt = p.Base[t].Losses + pick(0, 3);
    sub.RivalWinsVsT = pick(0, vsT);
    sub.Start = p.Base;
    sub.Roles.assign(n, TRole::Free);
    sub.Level = pick(0, 1);
    return r;
}

std::string Describe(const TRandomSub& r) {
    const TProblem& p = r.P;
    const TSub& s = r.Sub;
    std::string d = "byWins " + std::to_string(p.ByWins) + " draws " + std::to_string(p.Draws) + " T " +
                    std::to_string(s.T) + " at " + std::to_string(s.Wt) + "-" + std::to_string(s.Lt) + " level " +
                    std::to_string(s.Level) + " rivals' wins against T " + std::to_string(s.RivalWinsVsT) + " choose " +
                    std::to_string(s.Choose) + "\n";
    for (int i = 0; i < p.Count(); ++i) {
        d += std::to_string(i) + ": " + std::to_string(p.Base[i].Wins) + "-" + std::to_string(p.Base[i].Losses) + "-" +
             std::to_string(p.Base[i].Draws) + " role " + std::to_string(static_cast<int>(s.Roles[i])) + " games";
        for (int j = 0; j < p.Count(); ++j)
            d += " " + std::to_string(p.Games[i][j]);
        d += "\n";
    }
    return d;
}

// The integer program under every rank and draw rule, every role (held,
// lifted, free, and the chosen ones of either kind), against the enumeration;
// what it finds must be a completion meeting the roles.
TEST(RaceSolversTest, TheProgramAgreesWithEveryCompletion) {
    std::mt19937 rng(20261209);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int feasible = 0, cases = 0;
    for (int round = 0; round < 2000; ++round)
        for (const bool byWins : {false, true})
            for (const bool draws : {false, true}) {
                TRandomSub r = MakeSub(rng, byWins, draws);
                r.Sub.P = &r.P;
                // Held and lifted rivals never share a subproblem; chosen
                // ones come with one kind only.
                const int kind = pick(0, 3);
                for (int i = 0; i < r.P.Count(); ++i)
                    if (i != r.Sub.T && pick(0, 3) > 0)
                        r.Sub.Roles[i] = kind == 0   ? TRole::Below
                                         : kind == 1 ? TRole::Above
                                         : kind == 2 ? (pick(0, 1) ? TRole::MaybeBelow : TRole::Below)
                                                     : (pick(0, 1) ? TRole::MaybeAbove : TRole::Free);
                r.Sub.Choose = pick(0, 2);
                const bool truth = AnyCompletion(r.Sub);
                std::vector<TFinal> finals;
                const bool found = race::SolveByProgram(r.Sub, &finals);
                ++cases;
                feasible += truth;
                ASSERT_EQ(found, truth) << Describe(r);
                if (found && kind < 2) {
                    ASSERT_TRUE(IsCompletionMeeting(r.Sub, finals)) << Describe(r);
                }
            }
    // Both answers came up often enough to mean something.
    EXPECT_GT(feasible, cases / 5);
    EXPECT_LT(feasible, cases * 4 / 5);
}

// Without draws: the flow, for held or lifted rivals, against the
// enumeration; and the demand test of a set of lifted rivals against the flow.
TEST(RaceSolversTest, TheFlowAndTheDemandTestAgreeWithEveryCompletion) {
    std::mt19937 rng(20261210);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 1500; ++round)
        for (const bool byWins : {false, true}) {
            TRandomSub r = MakeSub(rng, byWins, false);
            r.Sub.P = &r.P;
            const bool lifting = pick(0, 1);
            if (!lifting)
                r.Sub.Level = false;
            std::vector<int> given; // the rivals held (or lifted)
            for (int i = 0; i < r.P.Count(); ++i)
                if (i != r.Sub.T && pick(0, 2) > 0) {
                    r.Sub.Roles[i] = lifting ? TRole::Above : TRole::Below;
                    given.push_back(i);
                }
            const bool truth = AnyCompletion(r.Sub);
            std::vector<TFinal> finals;
            race::TFlowShort shortOf;
            const bool found = race::SolveByFlow(r.Sub, &finals, &shortOf);
            ASSERT_EQ(found, truth) << Describe(r);
            if (found)
                ASSERT_TRUE(IsCompletionMeeting(r.Sub, finals)) << Describe(r);
            else if (!lifting && shortOf.Missing > 0) {
                // Every way out lets one of the stuck rivals go.
                for (const int i : shortOf.Stuck)
                    ASSERT_EQ(r.Sub.Roles[i], TRole::Below) << Describe(r);
                TSub others = r.Sub;
                for (const int i : given)
                    if (std::find(shortOf.Stuck.begin(), shortOf.Stuck.end(), i) == shortOf.Stuck.end())
                        others.Roles[i] = TRole::Free;
                ASSERT_FALSE(AnyCompletion(others)) << Describe(r);
            }
            if (lifting && !given.empty()) {
                // Grown one rival at a time, as the search grows its sets.
                const race::TLiftDemands demands(r.Sub);
                std::vector<int> set;
                bool fits = true;
                for (const int i : given) {
                    set.push_back(i);
                    fits = fits && demands.Fits(set);
                }
                ASSERT_EQ(fits, truth) << Describe(r);
            }
        }
}

// Without draws, in districts too large to enumerate every completion (8
// teams): the engine's clinch and elimination numbers, whose searches pick
// the rivals that pass a team, against trying every set of rivals with the
// flow (itself checked against every completion above). Whatever the team
// does, it does best to lose to outsiders and win against them first, and
// its rivals to lose to outsiders (to reach) or win against them (to pass).
TEST(RaceSolversTest, TheSearchesAgreeWithTryingEverySetOfRivals) {
    std::mt19937 rng(20261211);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 40; ++round) {
        const bool byWins = round % 2;
        const int n = 8;
        TRaceInput in;
        in.ByWins = byWins;
        in.DrawRule = 2;
        TProblem p;
        p.ByWins = byWins;
        p.Games.assign(n, std::vector<int>(n, 0));
        const int level = pick(5, 30);
        for (int i = 0; i < n; ++i) {
            TRaceTeam t;
            t.Symbol = t.ShortName = std::string(1, static_cast<char>('A' + i));
            t.Wins = level + pick(0, 8);
            t.Losses = level + pick(0, 8);
            t.Outside = t.Remain = pick(0, 3);
            in.Teams.push_back(t);
            p.Base.push_back({t.Wins, t.Losses, 0});
            p.Outside.push_back(t.Outside);
        }
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                if (const int g = pick(0, 3); g > 0) {
                    in.Pairings.push_back({a, b, g});
                    in.Teams[a].Remain += g;
                    in.Teams[b].Remain += g;
                    p.Games[a][b] = p.Games[b][a] = g;
                }
        const TTitleRace race(in);
        // Rivals' records with every game against outsiders won or lost.
        auto subFor = [&](int t, int wt, int lt, int rivalWinsVsT, bool rivalsWinOutside) {
            TSub sub;
            sub.P = &p;
            sub.T = t;
            sub.Wt = wt;
            sub.Lt = lt;
            sub.RivalWinsVsT = rivalWinsVsT;
            sub.Start = p.Base;
            for (int i = 0; i < n; ++i)
                (rivalsWinOutside ? sub.Start[i].Wins : sub.Start[i].Losses) += p.Outside[i];
            sub.Roles.assign(n, TRole::Free);
            return sub;
        };
        // Some set of fewer than `place` rivals free, the others held below.
        auto canReach = [&](int t, int place, int losses) {
            const TFinal& b = p.Base[t];
            TSub sub = subFor(t, b.Wins + p.Remain(t) - losses, b.Losses + losses,
                              losses - std::min(losses, p.Outside[t]), false);
            for (unsigned set = 0; set < (1u << n); ++set) {
                if ((set >> t & 1) || std::popcount(set) >= place)
                    continue;
                for (int i = 0; i < n; ++i)
                    sub.Roles[i] = i == t ? TRole::Free : set >> i & 1 ? TRole::Free : TRole::Below;
                if (race::SolveByFlow(sub, nullptr))
                    return true;
            }
            return false;
        };
        // Some set of `place` rivals all level with it or above.
        auto canMiss = [&](int t, int place, int wins) {
            const TFinal& b = p.Base[t];
            TSub sub = subFor(t, b.Wins + wins, b.Losses + p.Remain(t) - wins,
                              p.Versus(t) - (wins - std::min(wins, p.Outside[t])), true);
            sub.Level = true;
            for (unsigned set = 0; set < (1u << n); ++set) {
                if ((set >> t & 1) || std::popcount(set) != place)
                    continue;
                for (int i = 0; i < n; ++i)
                    sub.Roles[i] = set >> i & 1 ? TRole::Above : TRole::Free;
                if (race::SolveByFlow(sub, nullptr))
                    return true;
            }
            return false;
        };
        for (int t = 0; t < n; ++t)
            for (const int place : {1, 2, 3, 5}) {
                int out = -1, clinch = -1;
                for (int m = 0; m <= p.Remain(t) && out < 0; ++m)
                    if (!canReach(t, place, m))
                        out = m;
                for (int k = 0; k <= p.Remain(t) && clinch < 0; ++k)
                    if (!canMiss(t, place, k))
                        clinch = k;
                const TRaceAnswer a = race.Decide(t, place);
                ASSERT_EQ(a.EliminationNumber.value_or(-1), out)
                    << "round " << round << " team " << t << " place " << place;
                ASSERT_EQ(a.ClinchNumber.value_or(-1), clinch)
                    << "round " << round << " team " << t << " place " << place;
            }
    }
}

} // namespace

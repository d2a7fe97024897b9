// The general case as an integer program, solved by COIN-OR CBC: where draws
// stand, a draw keeps both rates while a decided game moves them apart, so the
// bound on a team is a weighted one (wins against losses), not a bound on wins.
//
// Variables: for each open pair of rivals, the wins of each side (draws are
// the rest); for each rival, its wins against T. A rival's rate stays at most
// T's rate c (in millionths) when 1e6 W <= (c+1)(W+L) - 1, i.e.
// (1e6-c-1) W - (c+1) L <= -1, unless it has no win at all (rate 0); it rises
// above c when W >= 1 and (1e6-c-1) W - (c+1) L >= 0. Ranked by wins, a tie
// on wins falls back on the same rate rows. Every row is exact in integers.
#include "core/race/LinearProgram.h"
#include "core/race/RaceProblem.h"

namespace race {

namespace {

// The program of one subproblem, built in the order its variables and rows
// are numbered: the open games between rivals, the rivals' games against T,
// then the role of each rival and the number chosen.
class TSubProgram {
public:
    explicit TSubProgram(const TSub& sub)
        : Sub(sub), P(*sub.P), N(sub.P->Count()), RateOfT(Rate(sub.Wt, sub.Lt)),
          Alpha(static_cast<double>(1000000 - (RateOfT + 1))), Beta(static_cast<double>(RateOfT + 1)), Wins(Idx(N)),
          Losses(Idx(N)) {
        AddRivalPairs();
        AddGamesAgainstT();
        for (int i = 0; i < N; ++i)
            if (i != Sub.T && Sub.Roles[Idx(i)] != TRole::Free)
                AddRole(i, Sub.Roles[Idx(i)]);
        LimitChosen();
    }

    // The final records of a solution, or false when there is none.
    bool Solve(std::vector<TFinal>* finals) const {
        std::vector<long> values;
        if (!Prog.Solve(values, P.Stop))
            return false;
        if (finals)
            *finals = Finals(values);
        return true;
    }

private:
    static size_t Idx(int i) { return static_cast<size_t>(i); }

    // For each open pair of rivals, the wins of each side; the rest are draws
    // where draws stand, and there are none where they do not.
    void AddRivalPairs() {
        for (int i = 0; i < N; ++i)
            for (int j = i + 1; j < N; ++j) {
                const int g = P.Games[Idx(i)][Idx(j)];
                if (i == Sub.T || j == Sub.T || g == 0)
                    continue;
                const auto [a, b] = Prog.Pairing(g, P.Draws);
                Wins[Idx(i)].Add(a, 1);
                Losses[Idx(j)].Add(a, 1);
                Wins[Idx(j)].Add(b, 1);
                Losses[Idx(i)].Add(b, 1);
                Pairs.push_back({i, j, a, b});
            }
    }

    // Each rival's wins against T (it loses the others); together they come
    // to the rivals' share the subproblem gives.
    void AddGamesAgainstT() {
        VsT.assign(Idx(N), -1);
        TExpr all;
        for (int j = 0; j < N; ++j) {
            if (j == Sub.T)
                continue;
            const int g = P.Games[Idx(Sub.T)][Idx(j)];
            Wins[Idx(j)].Constant = Sub.Start[Idx(j)].Wins;
            Losses[Idx(j)].Constant = Sub.Start[Idx(j)].Losses + g;
            if (g == 0)
                continue;
            VsT[Idx(j)] = Prog.Var(0, g);
            Wins[Idx(j)].Add(VsT[Idx(j)], 1);
            Losses[Idx(j)].Add(VsT[Idx(j)], -1);
            all.Add(VsT[Idx(j)], 1);
        }
        Prog.Row(all, Sub.RivalWinsVsT, Sub.RivalWinsVsT);
    }

    // What the rows of one rival's role need to know of it.
    struct TRival {
        int I = 0;
        int Z = -1; // 1 when chosen (a Maybe role), -1 for none
        double MostWins = 0;
        double BigRate = 0, BigWins = 0; // large enough to switch a rate or wins row off
    };

    void AddRole(int i, TRole role) {
        TRival r;
        r.I = i;
        r.MostWins = Sub.Start[Idx(i)].Wins + P.Versus(i);
        const double mostLosses = Sub.Start[Idx(i)].Losses + P.Versus(i);
        r.BigRate = 1e6 * (r.MostWins + mostLosses) + 2;
        r.BigWins = r.MostWins + Sub.Wt + 2;
        PinTotals(i);
        if (role == TRole::MaybeBelow || role == TRole::MaybeAbove) {
            r.Z = Prog.Var(0, 1);
            Chosen.Add(r.Z, 1);
        }
        if (role == TRole::Below || role == TRole::MaybeBelow)
            HoldBelow(r);
        else
            LiftAbove(r);
    }

    // The rival's final wins and losses as variables of their own, branched
    // on first: once they are whole numbers the rate rows are exact, and the
    // games rarely need branching at all.
    void PinTotals(int i) {
        for (TExpr* total : {&Wins[Idx(i)], &Losses[Idx(i)]}) {
            const double least = total == &Wins[Idx(i)] ? Sub.Start[Idx(i)].Wins : Sub.Start[Idx(i)].Losses;
            TExpr link = *total;
            const int v = Prog.Var(least, least + P.Versus(i), 1);
            link.Add(v, -1);
            Prog.Row(link, 0, 0);
            TExpr alone;
            alone.Add(v, 1);
            *total = alone;
        }
    }

    // (1e6-c-1) W - (c+1) L: at most -1 keeps the rival's rate at or below T's.
    TExpr Balance(int i) const { return Combine(Wins[Idx(i)], Alpha, Losses[Idx(i)], -Beta); }

    // e <= upper, or, for a chosen rival (z = 1), no bound at all.
    void RelaxAtMost(const TRival& r, TExpr e, double upper, double big) {
        if (r.Z >= 0)
            e.Add(r.Z, -big);
        Prog.AtMost(e, upper);
    }
    // e >= lower; for a rival with a choice, only when it is chosen
    // (e >= lower - big (1 - z)).
    void HoldAtLeast(const TRival& r, TExpr e, double lower, double big) {
        if (r.Z >= 0) {
            e.Add(r.Z, -big);
            lower -= big;
        }
        Prog.AtLeast(e, lower);
    }

    // Not above T: no win at all, or a rate no higher than T's.
    void HoldBelow(const TRival& r) {
        if (P.ByWins) {
            HoldBelowByWins(r);
            return;
        }
        if (RateOfT >= 1000000)
            return; // nothing rises above a perfect rate
        const int i = r.I;
        // u = 1: no win at all (rate 0), which the rate row need not cover.
        const int u = Prog.Var(0, 1);
        TExpr noWin = Wins[Idx(i)];
        noWin.Add(u, r.MostWins);
        Prog.AtMost(noWin, r.MostWins);
        TExpr rate = Balance(i);
        rate.Add(u, -1);
        RelaxAtMost(r, rate, -1, r.BigRate);
    }

    // Above T: some win and a higher rate. Where level will do, "higher"
    // becomes "at least as high" (and a rate of 0 needs no win when T's is 0 too).
    void LiftAbove(const TRival& r) {
        if (P.ByWins) {
            LiftAboveByWins(r);
            return;
        }
        const int i = r.I;
        const int64_t least = Sub.Level ? RateOfT : RateOfT + 1; // the rate to reach
        if (least > 1000000) {
            HoldAtLeast(r, TExpr{}, 1, 1); // nothing rises above a perfect rate: never lifted
            return;
        }
        if (least > 0)
            HoldAtLeast(r, Wins[Idx(i)], 1, r.BigWins);
        // (1e6-least) W - least L >= 0: a rate of at least `least`.
        const TExpr balance =
            Combine(Wins[Idx(i)], static_cast<double>(1000000 - least), Losses[Idx(i)], -static_cast<double>(least));
        HoldAtLeast(r, balance, 0, r.BigRate);
    }

    // Ranked by wins, the rate matters only to a rival with as many wins as
    // T, and then (T's wins being fixed) only through its losses: the rate
    // falls as they grow. So each rule is "fewer wins (or more), or the same
    // wins and losses on the right side of a threshold", rows whose switches
    // are a few games wide, where rate rows would need millions: the
    // relaxation stays close to the whole-number answers and the branching short.
    int MostLosses(int i) const { return Sub.Start[Idx(i)].Losses + P.Versus(i); }

    // Not above T: fewer wins, or (y = 1) as many and at least `fewest`
    // losses, the fewest that keep its rate at or below T's.
    void HoldBelowByWins(const TRival& r) {
        const int i = r.I, most = MostLosses(i);
        int fewest = Sub.Start[Idx(i)].Losses;
        while (fewest <= most && Rate(Sub.Wt, fewest) > RateOfT)
            ++fewest;
        const int y = Prog.Var(0, fewest <= most ? 1 : 0);
        TExpr wins = Wins[Idx(i)];
        wins.Add(y, -1);
        RelaxAtMost(r, wins, Sub.Wt - 1, r.BigWins); // W - y <= Wt - 1
        if (fewest > 0 && fewest <= most) {
            TExpr losses = Combine(Losses[Idx(i)], -1, TExpr{}, 0);
            losses.Add(y, fewest);
            RelaxAtMost(r, losses, 0, fewest); // fewest y - L <= 0
        }
    }

    // Above T: more wins, or as many and at most `most` losses, the most that
    // keep its rate above T's (at or above it, where level will do).
    void LiftAboveByWins(const TRival& r) {
        const int i = r.I, mostAtAll = MostLosses(i);
        const int64_t least = Sub.Level ? RateOfT : RateOfT + 1;
        int most = mostAtAll;
        while (most >= Sub.Start[Idx(i)].Losses && Rate(Sub.Wt, most) < least)
            --most;
        // y = 1: more wins than T, whatever the rate.
        const int y = Prog.Var(0, 1);
        TExpr wins = Wins[Idx(i)];
        wins.Add(y, -1);
        HoldAtLeast(r, wins, Sub.Wt, r.BigWins); // W - y >= Wt
        if (most < mostAtAll) {
            TExpr losses = Combine(Losses[Idx(i)], -1, TExpr{}, 0);
            losses.Add(y, mostAtAll - most);
            HoldAtLeast(r, losses, -most, mostAtAll + 1); // L - (mostAtAll - most) y <= most
        }
    }

    // At most `Choose` rivals released from staying below T; at least
    // `Choose` held above it.
    void LimitChosen() {
        bool maybeAbove = false, maybeBelow = false;
        for (int i = 0; i < N; ++i)
            if (i != Sub.T) {
                maybeAbove = maybeAbove || Sub.Roles[Idx(i)] == TRole::MaybeAbove;
                maybeBelow = maybeBelow || Sub.Roles[Idx(i)] == TRole::MaybeBelow;
            }
        if (maybeBelow)
            Prog.AtMost(Chosen, Sub.Choose);
        if (maybeAbove)
            Prog.AtLeast(Chosen, Sub.Choose);
    }

    std::vector<TFinal> Finals(const std::vector<long>& values) const {
        const int t = Sub.T;
        std::vector<TFinal> f(Idx(N));
        for (int i = 0; i < N; ++i)
            if (i != t)
                f[Idx(i)] = Sub.Start[Idx(i)];
        f[Idx(t)] = {Sub.Wt, Sub.Lt, P.Base[Idx(t)].Draws};
        for (const TPairVars& pr : Pairs) {
            const int a = static_cast<int>(values[Idx(pr.A)]), b = static_cast<int>(values[Idx(pr.B)]);
            const int d = P.Games[Idx(pr.I)][Idx(pr.J)] - a - b;
            f[Idx(pr.I)].Wins += a;
            f[Idx(pr.I)].Losses += b;
            f[Idx(pr.I)].Draws += d;
            f[Idx(pr.J)].Wins += b;
            f[Idx(pr.J)].Losses += a;
            f[Idx(pr.J)].Draws += d;
        }
        for (int j = 0; j < N; ++j)
            if (j != t) {
                const int g = P.Games[Idx(t)][Idx(j)];
                const int w = VsT[Idx(j)] >= 0 ? static_cast<int>(values[Idx(VsT[Idx(j)])]) : 0;
                f[Idx(j)].Wins += w;
                f[Idx(j)].Losses += g - w;
            }
        return f;
    }

    struct TPairVars {
        int I, J, A, B; // rivals i < j; A: i's wins, B: j's wins
    };
    const TSub& Sub;
    const TProblem& P;
    const int N;
    const int64_t RateOfT;    // c: T's rate in millionths
    const double Alpha, Beta; // 1e6-c-1 and c+1
    TProgram Prog;
    std::vector<TExpr> Wins, Losses; // each rival's final wins and losses
    std::vector<TPairVars> Pairs;
    std::vector<int> VsT; // per rival: the variable of its wins against T, -1 without games
    TExpr Chosen;         // the sum of the choice variables
};

} // namespace

bool SolveByProgram(const TSub& sub, std::vector<TFinal>* finals) {
    return TSubProgram(sub).Solve(finals);
}

} // namespace race

// The likely completion behind a team's evidence, as an integer program:
// with the team's own remaining wins and draws fixed, every other remaining
// game is a variable (the wins of each side; draws the rest where they
// stand), and the cost is how far each rival's remaining wins and draws end
// from what its play so far leads one to expect. At most `room` rivals may
// pass the team; the others are held: not above it (to reach the place) or
// strictly below it (to be clear of the cut).
#include "core/race/LinearProgram.h"
#include "core/race/RaceProblem.h"

#include <map>

#include <cmath>
#include <tuple>

namespace race {

namespace {

size_t Idx(int i) {
    return static_cast<size_t>(i);
}

class TLikelyProgram {
public:
    TLikelyProgram(const TProblem& p, const TLikelyQuestion& q)
        : P(p), Q(q), N(p.Count()), Wins(Idx(N)), Losses(Idx(N)), Draws(Idx(N)) {
        const TFinal& base = P.Base[Idx(Q.T)];
        Wt = base.Wins + Q.Wins;
        Lt = base.Losses + (P.Remain(Q.T) - Q.Wins - Q.Draws);
        for (int i = 0; i < N; ++i) {
            Wins[Idx(i)].Constant = P.Base[Idx(i)].Wins;
            Losses[Idx(i)].Constant = P.Base[Idx(i)].Losses;
            Draws[Idx(i)].Constant = P.Base[Idx(i)].Draws;
        }
        AddGames();
        AddOutside();
        if (!Q.AnyWillDo)
            AddCosts();
        AddHolds();
    }

    bool Solve(std::vector<TFinal>* finals, double* cost) const {
        if (Impossible)
            return false;
        std::vector<long> values;
        if (!Prog.Solve(values, P.Stop, Q.Below))
            return false;
        finals->assign(Idx(N), TFinal{});
        for (int i = 0; i < N; ++i)
            (*finals)[Idx(i)] = {static_cast<int>(std::lround(Value(Wins[Idx(i)], values))),
                                 static_cast<int>(std::lround(Value(Losses[Idx(i)], values))),
                                 static_cast<int>(std::lround(Value(Draws[Idx(i)], values)))};
        *cost = 0;
        for (const int v : CostVars)
            *cost += Slack(v, values);
        return true;
    }

private:
    static double Value(const TExpr& e, const std::vector<long>& values) {
        double v = e.Constant;
        for (const auto& [var, coef] : e.Terms)
            v += coef * static_cast<double>(values[Idx(var)]);
        return v;
    }
    double Slack(int var, const std::vector<long>& values) const {
        // The deviation variables are continuous in meaning: read them from
        // the records they bound instead of their (integer) values.
        const auto& [i, draws] = CostOf.at(var);
        const TExpr& e = draws ? Draws[Idx(i)] : Wins[Idx(i)];
        const double base = draws ? P.Base[Idx(i)].Draws : P.Base[Idx(i)].Wins;
        const double expected = draws ? Q.Expected->Draws[Idx(i)] : Q.Expected->Wins[Idx(i)];
        return std::abs(Value(e, values) - base - expected);
    }

    // One result of `g` games between a and b: a's wins, b's wins, draws the rest.
    void Games(int a, int b, int g) {
        const auto [x, y] = Prog.Pairing(g, P.Draws);
        for (const auto& [team, won, lost] : {std::tuple(a, x, y), std::tuple(b, y, x)}) {
            Wins[Idx(team)].Add(won, 1);
            Losses[Idx(team)].Add(lost, 1);
            Draws[Idx(team)].Constant += g;
            Draws[Idx(team)].Add(won, -1);
            Draws[Idx(team)].Add(lost, -1);
        }
    }

    void AddGames() {
        for (int i = 0; i < N; ++i)
            for (int j = i + 1; j < N; ++j)
                if (P.Games[Idx(i)][Idx(j)] > 0)
                    Games(i, j, P.Games[Idx(i)][Idx(j)]);
    }

    // Games against outsiders: wins and draws of each team, losses the rest.
    void AddOutside() {
        for (int i = 0; i < N; ++i) {
            const int o = P.Outside[Idx(i)];
            if (o == 0)
                continue;
            const int w = Prog.Var(0, o), d = Prog.Var(0, P.Draws ? o : 0);
            TExpr both;
            both.Add(w, 1);
            both.Add(d, 1);
            Prog.AtMost(both, o);
            Wins[Idx(i)].Add(w, 1);
            Draws[Idx(i)].Add(d, 1);
            Losses[Idx(i)].Constant += o;
            Losses[Idx(i)].Add(w, -1);
            Losses[Idx(i)].Add(d, -1);
        }
        // The team's own record is fixed.
        Prog.Row(Wins[Idx(Q.T)], Wt, Wt);
        Prog.Row(Losses[Idx(Q.T)], Lt, Lt);
    }

    // |remaining wins - expected| (and draws) of each rival, through a
    // variable bounding it from both sides.
    void AddCosts() {
        for (int i = 0; i < N; ++i) {
            if (i == Q.T)
                continue;
            for (const bool draws : {false, true}) {
                if (draws && !P.Draws)
                    continue;
                const TExpr& e = draws ? Draws[Idx(i)] : Wins[Idx(i)];
                const double target = (draws ? P.Base[Idx(i)].Draws : P.Base[Idx(i)].Wins) +
                                      (draws ? Q.Expected->Draws[Idx(i)] : Q.Expected->Wins[Idx(i)]);
                const int dev = Prog.Continuous(0, 1e9);
                Prog.Cost(dev, 1);
                TExpr up = e, down = e;
                up.Add(dev, -1);  // e - dev <= target
                down.Add(dev, 1); // e + dev >= target
                Prog.AtMost(up, target);
                Prog.AtLeast(down, target);
                CostVars.push_back(dev);
                CostOf[dev] = {i, draws};
            }
        }
    }

    // Rival i held at a rate of at most `bound` (any rate with no win at all
    // counts as 0), and ranked by wins also at most T's wins (fewer, where
    // strictly below is asked); released when its z is 1.
    void AddHolds() {
        const int64_t c = Rate(Wt, Lt);
        const int64_t bound = Q.Level ? c - 1 : c; // the highest rate a held rival may have
        TExpr chosen;
        for (int i = 0; i < N; ++i) {
            if (i == Q.T)
                continue;
            const double mostWins = P.Base[Idx(i)].Wins + P.Remain(i);
            const double mostLosses = P.Base[Idx(i)].Losses + P.Remain(i);
            // The rate row in millionths: its left side moves in steps of
            // 1e-6, so "at most -0.5e-6" is "at most -1" before the scaling,
            // and the switches need a multiple of the games, not of a million.
            const double bigRate = mostWins + mostLosses + 1, bigWins = mostWins + Wt + 2;
            const int z = Prog.Var(0, 1, 10);
            chosen.Add(z, 1);
            if (Wins[Idx(i)].Terms.empty() && Losses[Idx(i)].Terms.empty()) {
                // Its record is settled: held already, or one of those passing.
                const auto w = static_cast<int64_t>(Wins[Idx(i)].Constant),
                           l = static_cast<int64_t>(Losses[Idx(i)].Constant);
                const bool passes = Q.Level ? NotBelow(w, l, Wt, Lt, P.ByWins) : Above(w, l, Wt, Lt, P.ByWins);
                TExpr must;
                must.Add(z, 1);
                if (passes)
                    Prog.AtLeast(must, 1);
                continue;
            }
            TExpr rate = Combine(Wins[Idx(i)], static_cast<double>(1000000 - bound - 1) / 1e6, Losses[Idx(i)],
                                 -static_cast<double>(bound + 1) / 1e6);
            rate.Add(z, -bigRate);
            bool rateCan = bound >= 0;
            if (bound >= 1000000) {
                // No rate rises above a perfect one; ranked by wins, more
                // wins still do.
                if (P.ByWins) {
                    TExpr wins = Wins[Idx(i)];
                    wins.Add(z, -bigWins);
                    Prog.AtMost(wins, Wt);
                }
                continue;
            }
            if (rateCan) {
                // u = 1: no win at all (rate 0 <= bound).
                const int u = Prog.Var(0, 1);
                TExpr noWin = Wins[Idx(i)];
                noWin.Add(u, mostWins);
                Prog.AtMost(noWin, mostWins);
                rate.Add(u, -bigRate);
            }
            if (P.ByWins) {
                // y = 1: fewer wins than T, whatever the rate.
                const int y = Prog.Var(0, 1);
                TExpr fewer = Wins[Idx(i)];
                fewer.Add(y, 1);
                fewer.Add(z, -bigWins);
                Prog.AtMost(fewer, Wt); // W + y <= Wt: with y = 1, fewer wins
                rate.Add(y, -bigRate);
                if (!rateCan) {
                    TExpr must;
                    must.Add(y, 1);
                    must.Add(z, 1);
                    Prog.AtLeast(must, 1);
                    continue;
                }
            } else if (!rateCan) {
                TExpr must;
                must.Add(z, 1);
                Prog.AtLeast(must, 1); // nothing holds it below: it must be one of those passing
                continue;
            }
            Prog.AtMost(rate, -0.5e-6);
        }
        if (Q.Room < 0)
            Impossible = true;
        else if (!chosen.Terms.empty())
            Prog.AtMost(chosen, Q.Room);
    }

    const TProblem& P;
    const TLikelyQuestion& Q;
    const int N;
    int Wt = 0, Lt = 0;
    bool Impossible = false;
    TProgram Prog;
    std::vector<TExpr> Wins, Losses, Draws; // each team's final record
    std::vector<int> CostVars;
    std::map<int, std::pair<int, bool>> CostOf; // deviation variable -> (team, draws)
};

} // namespace

bool LeastUnlikely(const TProblem& p, const TLikelyQuestion& q, std::vector<TFinal>* finals, double* cost) {
    return TLikelyProgram(p, q).Solve(finals, cost);
}

} // namespace race

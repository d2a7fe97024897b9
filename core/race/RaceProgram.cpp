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
#include "core/race/RaceProblem.h"

#include <coin/CbcModel.hpp>
#include <coin/CoinPackedMatrix.hpp>
#include <coin/CoinPackedVector.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <cmath>
#include <map>

namespace race {

namespace {

// A linear expression over the program's variables plus a constant.
struct TExpr {
    std::map<int, double> Terms;
    double Constant = 0;

    void Add(int var, double coef) { Terms[var] += coef; }
};

TExpr Combine(const TExpr& a, double ka, const TExpr& b, double kb) {
    TExpr e;
    for (const auto& [v, c] : a.Terms)
        e.Add(v, ka * c);
    for (const auto& [v, c] : b.Terms)
        e.Add(v, kb * c);
    e.Constant = ka * a.Constant + kb * b.Constant;
    return e;
}

class TProgram {
public:
    // An integer variable; the lower the priority, the earlier it is branched on.
    int Var(double lower, double upper, int priority = 1000) {
        Lower.push_back(lower);
        Upper.push_back(upper);
        Priority.push_back(priority);
        return static_cast<int>(Lower.size()) - 1;
    }
    // lower <= expr <= upper
    void Row(const TExpr& e, double lower, double upper) {
        Rows.push_back({e, lower - e.Constant, upper - e.Constant});
    }
    void AtMost(const TExpr& e, double upper) { Row(e, -COIN_DBL_MAX, upper); }
    void AtLeast(const TExpr& e, double lower) { Row(e, lower, COIN_DBL_MAX); }

    // Solves; the values of the variables, or false when infeasible.
    bool Solve(std::vector<long>& values) const {
        OsiClpSolverInterface solver;
        solver.messageHandler()->setLogLevel(0);
        CoinPackedMatrix matrix(false, 0, 0);
        matrix.setDimensions(0, static_cast<int>(Lower.size()));
        std::vector<double> rowLower, rowUpper;
        for (const TRow& r : Rows) {
            CoinPackedVector v;
            for (const auto& [var, coef] : r.E.Terms)
                if (coef != 0)
                    v.insert(var, coef);
            matrix.appendRow(v);
            rowLower.push_back(r.Lower);
            rowUpper.push_back(r.Upper);
        }
        const std::vector<double> objective(Lower.size(), 0.0);
        solver.loadProblem(matrix, Lower.data(), Upper.data(), objective.data(), rowLower.data(), rowUpper.data());
        for (int i = 0; i < static_cast<int>(Lower.size()); ++i)
            solver.setInteger(i);
        // The relaxation first: when even fractional results cannot do it, no
        // branching is needed (most infeasible programs end here).
        solver.initialSolve();
        if (solver.isProvenPrimalInfeasible())
            return false;
        // A relaxation that came out in whole numbers needs no branching either.
        if (solver.isProvenOptimal()) {
            const double* x = solver.getColSolution();
            bool whole = true;
            for (size_t i = 0; whole && i < Lower.size(); ++i)
                whole = std::abs(x[i] - std::round(x[i])) < 1e-9;
            if (whole) {
                values.resize(Lower.size());
                for (size_t i = 0; i < Lower.size(); ++i)
                    values[i] = std::lround(x[i]);
                return true;
            }
        }
        CbcModel model(solver);
        model.setLogLevel(0);
        model.messageHandler()->setLogLevel(0);
        model.solver()->messageHandler()->setLogLevel(0);
        // Small programs: branching alone is quicker than cuts and heuristics.
        model.setMaximumCutPassesAtRoot(0);
        model.setMaximumCutPasses(0);
        model.setNumberStrong(0);
        model.setNumberBeforeTrust(0);
        model.setNumberHeuristics(0);
        model.passInPriorities(Priority.data(), false);
        model.branchAndBound();
        if (!model.isProvenOptimal() || !model.bestSolution())
            return false;
        values.resize(Lower.size());
        for (size_t i = 0; i < Lower.size(); ++i)
            values[i] = std::lround(model.bestSolution()[i]);
        return true;
    }

private:
    struct TRow {
        TExpr E;
        double Lower, Upper;
    };
    std::vector<double> Lower, Upper;
    std::vector<int> Priority;
    std::vector<TRow> Rows;
};

} // namespace

bool SolveByProgram(const TSub& sub, std::vector<TFinal>* finals) {
    const TProblem& p = *sub.P;
    const int n = p.Count();
    const auto idx = [](int i) { return static_cast<size_t>(i); };
    const int t = sub.T;
    TProgram prog;
    std::vector<TExpr> wins(idx(n)), losses(idx(n));
    struct TPairVars {
        int I, J, A, B;
    };
    std::vector<TPairVars> pairs;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            const int g = p.Games[idx(i)][idx(j)];
            if (i == t || j == t || g == 0)
                continue;
            const int a = prog.Var(0, g), b = prog.Var(0, g);
            TExpr both;
            both.Add(a, 1);
            both.Add(b, 1);
            if (p.Draws)
                prog.AtMost(both, g);
            else
                prog.Row(both, g, g);
            wins[idx(i)].Add(a, 1);
            losses[idx(j)].Add(a, 1);
            wins[idx(j)].Add(b, 1);
            losses[idx(i)].Add(b, 1);
            pairs.push_back({i, j, a, b});
        }
    std::vector<int> vsT(idx(n), -1);
    TExpr allVsT;
    for (int j = 0; j < n; ++j) {
        if (j == t)
            continue;
        const int g = p.Games[idx(t)][idx(j)];
        wins[idx(j)].Constant = sub.Start[idx(j)].Wins;
        losses[idx(j)].Constant = sub.Start[idx(j)].Losses + g;
        if (g == 0)
            continue;
        vsT[idx(j)] = prog.Var(0, g);
        wins[idx(j)].Add(vsT[idx(j)], 1);
        losses[idx(j)].Add(vsT[idx(j)], -1);
        allVsT.Add(vsT[idx(j)], 1);
    }
    prog.Row(allVsT, sub.RivalWinsVsT, sub.RivalWinsVsT);

    const int64_t c = Rate(sub.Wt, sub.Lt);
    const double alpha = static_cast<double>(1000000 - (c + 1)), beta = static_cast<double>(c + 1);
    TExpr chosen;
    for (int i = 0; i < n; ++i) {
        const TRole role = i == t ? TRole::Free : sub.Roles[idx(i)];
        if (role == TRole::Free)
            continue;
        const double mostWins = sub.Start[idx(i)].Wins + p.Versus(i);
        const double mostLosses = sub.Start[idx(i)].Losses + p.Versus(i);
        const double bigRate = 1e6 * (mostWins + mostLosses) + 2, bigWins = mostWins + sub.Wt + 2;
        // The rival's final wins and losses as variables of their own, branched
        // on first: once they are whole numbers the rate rows are exact, and
        // the games rarely need branching at all.
        for (TExpr* total : {&wins[idx(i)], &losses[idx(i)]}) {
            const double least = total == &wins[idx(i)] ? sub.Start[idx(i)].Wins : sub.Start[idx(i)].Losses;
            TExpr link = *total;
            const int v = prog.Var(least, least + p.Versus(i), 1);
            link.Add(v, -1);
            prog.Row(link, 0, 0);
            TExpr alone;
            alone.Add(v, 1);
            *total = alone;
        }
        const TExpr balance = Combine(wins[idx(i)], alpha, losses[idx(i)], -beta); // (1e6-c-1) W - (c+1) L
        // A chosen rival (z = 1) is released from the Below rows, or held to the Above rows.
        int z = -1;
        if (role == TRole::MaybeBelow || role == TRole::MaybeAbove) {
            z = prog.Var(0, 1);
            chosen.Add(z, 1);
        }
        auto relaxAtMost = [&](TExpr e, double upper, double big) {
            if (z >= 0)
                e.Add(z, -big);
            prog.AtMost(e, upper);
        };
        auto holdAtLeast = [&](TExpr e, double lower, double big) {
            if (z >= 0) { // e >= lower - big (1 - z)
                e.Add(z, -big);
                lower -= big;
            }
            prog.AtLeast(e, lower);
        };
        if (role == TRole::Below || role == TRole::MaybeBelow) {
            if (c >= 1000000)
                continue; // nothing rises above a perfect rate
            // u = 1: no win at all (rate 0), which the rate row need not cover.
            const int u = prog.Var(0, 1);
            TExpr noWin = wins[idx(i)];
            noWin.Add(u, mostWins);
            prog.AtMost(noWin, mostWins);
            TExpr rate = balance;
            rate.Add(u, -1);
            if (p.ByWins) {
                // y = 1: fewer wins than T, whatever the rate.
                const int y = prog.Var(0, 1);
                TExpr fewer = wins[idx(i)];
                fewer.Add(y, 1);
                relaxAtMost(fewer, sub.Wt, bigWins);
                rate.Add(y, -bigRate);
            }
            relaxAtMost(rate, -1, bigRate);
        } else {
            TExpr some = wins[idx(i)];
            holdAtLeast(some, 1, bigWins);
            if (p.ByWins) {
                // y = 1: more wins than T, whatever the rate.
                const int y = prog.Var(0, 1);
                TExpr more = wins[idx(i)];
                more.Add(y, -1);
                holdAtLeast(more, sub.Wt, bigWins);
                TExpr rate = balance;
                rate.Add(y, bigRate);
                holdAtLeast(rate, 0, bigRate);
            } else {
                holdAtLeast(balance, 0, bigRate);
            }
        }
    }
    bool maybeAbove = false, maybeBelow = false;
    for (int i = 0; i < n; ++i)
        if (i != t) {
            maybeAbove = maybeAbove || sub.Roles[idx(i)] == TRole::MaybeAbove;
            maybeBelow = maybeBelow || sub.Roles[idx(i)] == TRole::MaybeBelow;
        }
    if (maybeBelow)
        prog.AtMost(chosen, sub.Choose);
    if (maybeAbove)
        prog.AtLeast(chosen, sub.Choose);

    std::vector<long> values;
    if (!prog.Solve(values))
        return false;
    std::vector<TFinal> f(idx(n));
    for (int i = 0; i < n; ++i)
        if (i != t)
            f[idx(i)] = sub.Start[idx(i)];
    f[idx(t)] = {sub.Wt, sub.Lt, p.Base[idx(t)].Draws};
    for (const TPairVars& pr : pairs) {
        const int a = static_cast<int>(values[idx(pr.A)]), b = static_cast<int>(values[idx(pr.B)]);
        const int d = p.Games[idx(pr.I)][idx(pr.J)] - a - b;
        f[idx(pr.I)].Wins += a;
        f[idx(pr.I)].Losses += b;
        f[idx(pr.I)].Draws += d;
        f[idx(pr.J)].Wins += b;
        f[idx(pr.J)].Losses += a;
        f[idx(pr.J)].Draws += d;
    }
    for (int j = 0; j < n; ++j)
        if (j != t) {
            const int g = p.Games[idx(t)][idx(j)];
            const int w = vsT[idx(j)] >= 0 ? static_cast<int>(values[idx(vsT[idx(j)])]) : 0;
            f[idx(j)].Wins += w;
            f[idx(j)].Losses += g - w;
        }
    if (finals)
        *finals = std::move(f);
    return true;
}

} // namespace race

// Integer programs for the race engine, solved by COIN-OR CBC: variables,
// rows over linear expressions, an optional cost to minimise. Internal to
// the race engine.
#pragma once

#include "core/race/RaceProblem.h"

#include <coin/CoinFinite.hpp>

#include <limits>
#include <utility>
#include <vector>

namespace race {

// A linear expression over the program's variables plus a constant. A
// variable may stand in more than one term (they add up): expressions are
// built by the thousand for small programs, and a list costs far less to
// build than a map.
struct TExpr {
    std::vector<std::pair<int, double>> Terms;
    double Constant = 0;

    void Add(int var, double coef) { Terms.emplace_back(var, coef); }
};

inline TExpr Combine(const TExpr& a, double ka, const TExpr& b, double kb) {
    TExpr e;
    e.Terms.reserve(a.Terms.size() + b.Terms.size());
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
        Integer.push_back(true);
        Lower.push_back(lower);
        Upper.push_back(upper);
        Priority.push_back(priority);
        Objective.push_back(0);
        return static_cast<int>(Lower.size()) - 1;
    }
    // A variable that may take any value in its range.
    int Continuous(double lower, double upper) {
        const int v = Var(lower, upper);
        Integer[static_cast<size_t>(v)] = false;
        return v;
    }
    // lower <= expr <= upper
    void Row(const TExpr& e, double lower, double upper) {
        Rows.push_back({e, lower - e.Constant, upper - e.Constant});
    }
    void AtMost(const TExpr& e, double upper) { Row(e, -COIN_DBL_MAX, upper); }
    void AtLeast(const TExpr& e, double lower) { Row(e, lower, COIN_DBL_MAX); }

    // The results of `games` games between two teams: the first's wins and
    // the second's, the rest drawn where draws stand (else none is).
    std::pair<int, int> Pairing(int games, bool draws) {
        const int first = Var(0, games), second = Var(0, games);
        TExpr both;
        both.Add(first, 1);
        both.Add(second, 1);
        if (draws)
            AtMost(both, games);
        else
            Row(both, games, games);
        return {first, second};
    }

    // Each unit of `var` adds `cost` to what the solver minimises (nothing by default).
    void Cost(int var, double cost) { Objective[static_cast<size_t>(var)] += cost; }

    // Solves (at least cost, where costs are given); the values of the
    // variables, or false when infeasible. With costs and a finite `below`,
    // only a solution costing less than it counts (false when there is none).
    // Throws TTimeUp when `stop` comes first.
    bool Solve(std::vector<long>& values, const TStop* stop,
               double below = std::numeric_limits<double>::infinity()) const;

private:
    struct TRow {
        TExpr E;
        double Lower, Upper;
    };
    std::vector<double> Lower, Upper;
    std::vector<int> Priority;
    std::vector<double> Objective;
    std::vector<bool> Integer;
    std::vector<TRow> Rows;
};

} // namespace race

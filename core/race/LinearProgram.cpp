#include "core/race/LinearProgram.h"

#include <coin/CbcEventHandler.hpp>
#include <coin/CbcModel.hpp>
#include <coin/CoinPackedMatrix.hpp>
#include <coin/OsiClpSolverInterface.hpp>

#include <algorithm>
#include <cmath>

namespace race {

namespace {

// Stops the branching at the next node once the decision is due (cancelled
// from another thread, or past its time).
class TStopAtNode : public CbcEventHandler {
public:
    explicit TStopAtNode(const TStop* stop) : Stop(stop) {}
    CbcAction event(CbcEvent) override { return Stop && Stop->Due() ? stop : noAction; }
    CbcEventHandler* clone() const override { return new TStopAtNode(*this); }

private:
    const TStop* Stop;
};

} // namespace

bool TProgram::Solve(std::vector<long>& values, const TStop* stop, double below) const {
    if (stop && stop->Due())
        throw TTimeUp{};
    const double seconds = stop ? stop->SecondsLeft() : 1e9;
    OsiClpSolverInterface solver;
    // Wall-clock seconds, as the stop counts them (and read without a system
    // call, where processor time costs one at every iteration).
    solver.getModelPtr()->setMaximumWallSeconds(seconds);
    solver.messageHandler()->setLogLevel(0);
    solver.setDblParam(OsiPrimalTolerance, 1e-10);
    // The rows as (row, column, coefficient) triplets, a variable's terms in
    // a row added up into one.
    std::vector<int> rowOf, colOf;
    std::vector<double> coefs, rowLower, rowUpper;
    std::vector<std::pair<int, double>> terms;
    for (const TRow& r : Rows) {
        terms = r.E.Terms;
        std::sort(terms.begin(), terms.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t k = 0; k < terms.size();) {
            const int var = terms[k].first;
            double coef = 0;
            for (; k < terms.size() && terms[k].first == var; ++k)
                coef += terms[k].second;
            if (coef != 0) {
                rowOf.push_back(static_cast<int>(rowLower.size()));
                colOf.push_back(var);
                coefs.push_back(coef);
            }
        }
        rowLower.push_back(r.Lower);
        rowUpper.push_back(r.Upper);
    }
    CoinPackedMatrix matrix(false, rowOf.data(), colOf.data(), coefs.data(), static_cast<CoinBigIndex>(coefs.size()));
    // Trailing rows or columns without a term still count.
    matrix.setDimensions(static_cast<int>(rowLower.size()), static_cast<int>(Lower.size()));
    solver.loadProblem(matrix, Lower.data(), Upper.data(), Objective.data(), rowLower.data(), rowUpper.data());
    for (int i = 0; i < static_cast<int>(Lower.size()); ++i)
        if (Integer[static_cast<size_t>(i)])
            solver.setInteger(i);
    const bool costs = std::any_of(Objective.begin(), Objective.end(), [](double c) { return c != 0; });
    // The relaxation first: when even fractional results cannot do it, no
    // branching is needed (most infeasible programs end here).
    // The programs are small: presolving them costs more than it saves (a
    // fifth of a season's tables went to it).
    solver.setHintParam(OsiDoPresolveInInitial, false, OsiHintDo);
    solver.initialSolve();
    if (solver.isProvenPrimalInfeasible())
        return false;
    if (!solver.isProvenOptimal() && stop && stop->Due())
        throw TTimeUp{};
    // Nothing costs less than the relaxation: when even it is not below the
    // bound, nothing is.
    const bool bounded = costs && std::isfinite(below);
    if (bounded && solver.isProvenOptimal() && solver.getObjValue() >= below - 1e-9)
        return false;
    // The values of a solution, as whole numbers.
    const auto take = [&](const double* x) {
        values.resize(Lower.size());
        for (size_t i = 0; i < Lower.size(); ++i)
            values[i] = std::lround(x[i]);
        return true;
    };
    // A relaxation that came out in whole numbers needs no branching either.
    if (solver.isProvenOptimal()) {
        const double* x = solver.getColSolution();
        bool whole = true;
        for (size_t i = 0; whole && i < Lower.size(); ++i)
            whole = !Integer[i] || std::abs(x[i] - std::round(x[i])) < 1e-9;
        if (whole)
            return take(x);
        // Asking only whether: the relaxation rounded to whole numbers often
        // meets every row already, and then no branching is needed either.
        // The check is all but exact: some rows tell a rate from the next one
        // up by half a millionth.
        if (!costs) {
            std::vector<double> rounded(x, x + Lower.size());
            for (size_t i = 0; i < Lower.size(); ++i)
                if (Integer[i])
                    rounded[i] = std::clamp(std::round(rounded[i]), Lower[i], Upper[i]);
            std::vector<double> activity(rowLower.size(), 0);
            for (size_t k = 0; k < coefs.size(); ++k)
                activity[static_cast<size_t>(rowOf[k])] += coefs[k] * rounded[static_cast<size_t>(colOf[k])];
            bool meets = true;
            for (size_t r = 0; meets && r < activity.size(); ++r)
                meets = activity[r] >= rowLower[r] - 1e-9 && activity[r] <= rowUpper[r] + 1e-9;
            if (meets)
                return take(rounded.data());
        }
    }
    CbcModel model(solver);
    model.setLogLevel(0);
    model.messageHandler()->setLogLevel(0);
    model.solver()->messageHandler()->setLogLevel(0);
    if (!costs) {
        // Small programs asking only whether: branching alone is quicker than
        // cuts and heuristics. (Seeking the least cost, they pay.)
        model.setMaximumCutPassesAtRoot(0);
        model.setMaximumCutPasses(0);
        model.setNumberStrong(0);
        model.setNumberBeforeTrust(0);
        model.setNumberHeuristics(0);
    }
    std::vector<int> priorities; // one per integer variable, in order
    for (size_t i = 0; i < Lower.size(); ++i)
        if (Integer[i])
            priorities.push_back(Priority[i]);
    model.passInPriorities(priorities.data(), false);
    model.setUseElapsedTime(true); // wall-clock seconds, as above
    model.setMaximumSeconds(seconds);
    // Costs are fractions: the least one exactly, not one within a gap.
    model.setAllowableGap(1e-9);
    model.setAllowableFractionGap(0);
    model.setAllowablePercentageGap(0);
    model.setCutoffIncrement(1e-9);
    if (bounded)
        model.setCutoff(below - 1e-9); // the branches that cannot beat it are dropped at once
    // Rows switched off by a large multiple of a 0/1 variable: a value the
    // default tolerance takes for 0 would already switch them off.
    model.setIntegerTolerance(1e-10);
    TStopAtNode handler(stop);
    model.passInEventHandler(&handler);
    model.branchAndBound();
    if (stop && stop->Due() && !model.isProvenOptimal()) {
        // Seeking the least cost, the best found in the time will do; only
        // a program with no solution found yet is given up.
        if (!costs || !model.bestSolution())
            throw TTimeUp{};
        return take(model.bestSolution());
    }
    if (model.isProvenInfeasible())
        return false;
    if (!model.isProvenOptimal() || !model.bestSolution()) {
        if (model.isSecondsLimitReached() || (stop && stop->Due()))
            throw TTimeUp{};
        return false;
    }
    return take(model.bestSolution());
}

} // namespace race

// The title race as the solvers see it: one district's records, the games
// still to play, and the subproblems the decisions are made of. Internal to
// the race engine.
#pragma once

#include "core/race/TitleRace.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace race {

// The program's win rate: wins per decided game times 1,000,000, truncated;
// 0 with no decided game (as the standings calculator computes it).
inline int64_t Rate(int64_t wins, int64_t losses) {
    return wins + losses == 0 ? 0 : wins * 1000000 / (wins + losses);
}

// Whether a record ranks strictly above another under the rank rule: by rate
// (ties on the rate share a rank), or by wins and then by rate.
inline bool Above(int64_t wins, int64_t losses, int64_t otherWins, int64_t otherLosses, bool byWins) {
    if (byWins && wins != otherWins)
        return wins > otherWins;
    return Rate(wins, losses) > Rate(otherWins, otherLosses);
}

// Whether a record finishes level with or above another (not strictly below it).
inline bool NotBelow(int64_t wins, int64_t losses, int64_t otherWins, int64_t otherLosses, bool byWins) {
    return !Above(otherWins, otherLosses, wins, losses, byWins);
}

using TStop = TRaceStop;

// Thrown when a decision runs past its stop; the decision is then unknown.
struct TTimeUp {};

struct TFinal {
    int Wins = 0, Losses = 0, Draws = 0;
};

struct TProblem {
    bool ByWins = false;
    bool Draws = false;                  // a remaining game may end drawn
    std::vector<TFinal> Base;            // records so far
    std::vector<int> Outside;            // remaining games against teams outside the district
    std::vector<std::vector<int>> Games; // remaining games between two district teams (symmetric)
    const TStop* Stop = nullptr;         // of the decision under way, if any

    // Throws TTimeUp when the decision under way is due.
    void Check() const {
        if (Stop && Stop->Due())
            throw TTimeUp{};
    }
    int Count() const { return static_cast<int>(Base.size()); }
    int Versus(int t) const; // remaining games against district teams
    int Remain(int t) const { return Outside[static_cast<std::size_t>(t)] + Versus(t); }
};

// Rank of a team among final records: 1 + the teams strictly above it.
int RankOf(const std::vector<TFinal>& finals, int team, bool byWins);

// What a subproblem asks of one rival of team T.
enum class TRole : uint8_t {
    Free,       // anything
    Below,      // must not finish above T
    Above,      // must finish above T
    MaybeBelow, // must not finish above T unless chosen (at most `Choose` are chosen)
    MaybeAbove, // must finish above T when chosen (at least `Choose` are chosen)
};
// (With `TSub::Level`, "above T" in the roles Above and MaybeAbove means
// level with T or above it.)

// Team T's record is fixed; its rivals' games against teams outside the
// district are already settled in `Start`. Of T's games against rivals, the
// rivals win `RivalWinsVsT` in total (who wins them is open) and lose the
// rest; every other remaining game between two rivals is open.
struct TSub {
    const TProblem* P = nullptr;
    int T = 0;
    int Wt = 0, Lt = 0;
    int RivalWinsVsT = 0;
    std::vector<TFinal> Start; // per team; T's entry unused
    std::vector<TRole> Roles;  // per team; T's entry unused
    int Choose = 0;
    bool Level = false; // a lifted rival need only finish level with T

    // Whether a record meets the lifted roles: above T, or level with it.
    bool Over(int wins, int losses) const {
        return Level ? NotBelow(wins, losses, Wt, Lt, P->ByWins) : Above(wins, losses, Wt, Lt, P->ByWins);
    }
};

// What each team of a problem is expected to add to its record in its
// remaining games, at the rate it has played so far.
struct TExpected {
    std::vector<double> Wins, Draws;
};

// The likely completion sought for team T: it ends its remaining games with
// `Wins` wins and `Draws` draws, and at most `Room` rivals pass it (finish
// strictly above it, or with `Level` level with it or above).
struct TLikelyQuestion {
    int T = 0;
    int Wins = 0, Draws = 0;
    int Room = 0;
    bool Level = false;
    const TExpected* Expected = nullptr;
    bool AnyWillDo = false; // any completion meeting it, not the likeliest
    // Only a completion whose distance is less than this counts (one already
    // found elsewhere is as likely otherwise).
    double Below = std::numeric_limits<double>::infinity();
};

// Of the completions meeting the question, the final records of one least
// far from what is expected of T's rivals (the distance to `cost`), or false
// when there is none.
bool LeastUnlikely(const TProblem& p, const TLikelyQuestion& q, std::vector<TFinal>* finals, double* cost);

// Without draws, where rivals are only free or held below T and no
// completion meets the roles: the wins no held rival can take, and held
// rivals that cannot all stay below together (a minimum cut), one of whom
// must be let go. `Missing` is -1 when a held rival is above T already.
struct TFlowShort {
    long Missing = 0;
    std::vector<int> Stuck;
};

// Final records of every team (T's included) of a completion meeting the
// roles, or false when there is none (and then, where it tells, why in
// `shortOf`). The flow serves leagues without draws and the roles Free,
// Below and Above; the integer program serves every case.
bool SolveByFlow(const TSub& sub, std::vector<TFinal>* finals, TFlowShort* shortOf = nullptr);

// The flow of one subproblem, built once and run again as the caller changes
// the roles of the rivals in it (T's record and share of its games staying).
class TFlowSolver {
public:
    explicit TFlowSolver(const TSub& sub);
    ~TFlowSolver();
    TFlowSolver(const TFlowSolver&) = delete;
    TFlowSolver& operator=(const TFlowSolver&) = delete;
    // As SolveByFlow, under the roles the subproblem has now.
    bool Solve(std::vector<TFinal>* finals, TFlowShort* shortOf = nullptr);

private:
    struct TNet;
    const TSub& Sub;
    std::unique_ptr<TNet> Net;
};
bool SolveByProgram(const TSub& sub, std::vector<TFinal>* finals);

// Without draws, lifting rivals above T (the others free): each lifted
// rival needs so many more wins, and a set of them can have them all exactly
// when every part of the set needs no more than the games it takes part in
// can give (the supply of the games against T being the rivals' share of
// them). Checked without a flow, for a set grown one rival at a time.
class TLiftDemands {
public:
    explicit TLiftDemands(const TSub& sub);
    // Whether `set`, whose members but the last are known to fit, fits.
    bool Fits(const std::vector<int>& set) const;

private:
    const TSub& Sub;
    std::vector<long> Need;   // per rival: the wins it needs more, -1 when none will do
    std::vector<long> Supply; // per rival: its games left against other rivals
};

} // namespace race

// The title race as the solvers see it: one district's records, the games
// still to play, and the subproblems the decisions are made of. Internal to
// the race engine.
#pragma once

#include <cstddef>
#include <cstdint>
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

struct TFinal {
    int Wins = 0, Losses = 0, Draws = 0;
};

struct TProblem {
    bool ByWins = false;
    bool Draws = false;                  // a remaining game may end drawn
    std::vector<TFinal> Base;            // records so far
    std::vector<int> Outside;            // remaining games against teams outside the district
    std::vector<std::vector<int>> Games; // remaining games between two district teams (symmetric)

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
};

// Final records of every team (T's included) of a completion meeting the
// roles, or false when there is none. The flow serves leagues without draws
// and the roles Free, Below and Above; the integer program serves every case.
bool SolveByFlow(const TSub& sub, std::vector<TFinal>* finals);
bool SolveByProgram(const TSub& sub, std::vector<TFinal>* finals);

} // namespace race

#include "core/race/TitleRace.h"

#include "core/base/SjisText.h"
#include "core/race/RaceProblem.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"
#include "core/standings/StandingsText.h"

#include <algorithm>
#include <map>
#include <set>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

using race::Above;
using race::TFinal;
using race::TProblem;
using race::TRole;
using race::TSub;

namespace {

// The solvers allocate their work arrays afresh for every linear and integer
// program, thousands of them for one table, and free them at once. With the C
// library's default thresholds the top of the heap goes back to the kernel
// after each and is asked for again by the next: more than half the time of
// a small district's table went to that. Keeping a few megabytes at the top
// of the heap saves it (a third of the time for a season's every day). Set
// once, before main, while the program has one thread.
#if defined(__GLIBC__)
[[maybe_unused]] const bool kHeapKept = [] {
    mallopt(M_TOP_PAD, 16 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    return true;
}();
#endif

size_t Idx(int i) {
    return static_cast<size_t>(i);
}

// Above this many ways to pick the rivals that may (or must) finish above the
// team, one integer program chooses them instead of trying each: most tries
// are settled without a program, and one program that also chooses branches
// far longer than a few hundred that need not. Without draws each try is one
// maximum flow, cheap enough to try many more (and the searches below try
// fewer still).
constexpr long long kMostSubsets = 300, kMostFlowSubsets = 2000;

// For each rival of team t, the first rival it can swap places with: same
// record, same games left against outsiders, against t and against every
// other rival. Swapping two such rivals changes no question about t, so of
// the groups of rivals that differ only by such swaps one is enough to try
// (on an opening day every rival is like every other).
std::vector<int> SwapClasses(const TProblem& p, int t) {
    const int n = p.Count();
    std::vector<int> cls(Idx(n));
    for (int i = 0; i < n; ++i) {
        cls[Idx(i)] = i;
        for (int j = 0; j < i; ++j) {
            if (j == t || i == t || cls[Idx(j)] != j)
                continue;
            const TFinal &a = p.Base[Idx(i)], &b = p.Base[Idx(j)];
            bool same = a.Wins == b.Wins && a.Losses == b.Losses && a.Draws == b.Draws &&
                        p.Outside[Idx(i)] == p.Outside[Idx(j)] && p.Games[Idx(t)][Idx(i)] == p.Games[Idx(t)][Idx(j)];
            for (int k = 0; same && k < n; ++k)
                same = k == i || k == j || k == t || p.Games[Idx(i)][Idx(k)] == p.Games[Idx(j)][Idx(k)];
            if (same) {
                cls[Idx(i)] = j;
                break;
            }
        }
    }
    return cls;
}

// Calls f with every r-element subset of `items` until it returns true;
// of subsets that differ only by swapping rivals of one class (`classes`),
// only the one taking each class's first members.
template <typename F> bool AnySubset(const std::vector<int>& items, int r, const std::vector<int>& classes, F&& f) {
    std::vector<int> pick(Idx(r));
    for (int i = 0; i < r; ++i)
        pick[Idx(i)] = i;
    const int n = static_cast<int>(items.size());
    while (true) {
        std::vector<int> chosen;
        for (int i : pick)
            chosen.push_back(items[Idx(i)]);
        // Canonical: no item left out before a chosen one of its class.
        bool canonical = true;
        for (size_t k = 0, next = 0; canonical && k < items.size(); ++k) {
            const bool taken = next < pick.size() && pick[next] == static_cast<int>(k);
            next += taken;
            if (taken)
                continue;
            for (size_t later = next; canonical && later < pick.size(); ++later)
                canonical = classes[Idx(items[Idx(pick[later])])] != classes[Idx(items[k])];
        }
        if (canonical && f(chosen))
            return true;
        int i = r - 1;
        while (i >= 0 && pick[Idx(i)] == n - r + i)
            --i;
        if (i < 0)
            return false;
        ++pick[Idx(i)];
        for (int j = i + 1; j < r; ++j)
            pick[Idx(j)] = pick[Idx(j - 1)] + 1;
    }
}

// How many subsets AnySubset tries: one for each way to take so many
// members from each class, counted up to `most` + 1.
long long CanonicalSubsets(const std::vector<int>& items, int r, const std::vector<int>& classes, long long most) {
    if (r < 0)
        return 0;
    std::map<int, int> sizes; // class -> its members among the items
    for (const int i : items)
        ++sizes[classes[Idx(i)]];
    std::vector<long long> ways(Idx(r + 1), 0); // subsets of each size from the classes so far
    ways[0] = 1;
    for (const auto& [cls, size] : sizes)
        for (int total = r; total >= 1; --total)
            for (int take = 1; take <= std::min(size, total); ++take)
                ways[Idx(total)] = std::min(most + 1, ways[Idx(total)] + ways[Idx(total - take)]);
    return ways[Idx(r)];
}

// Whether final records meet a subproblem's roles.
bool Meets(const TSub& sub, const std::vector<TFinal>& finals) {
    for (int i = 0; i < sub.P->Count(); ++i) {
        if (i == sub.T || sub.Roles[Idx(i)] == TRole::Free)
            continue;
        const TFinal& f = finals[Idx(i)];
        const bool meets = sub.Roles[Idx(i)] == TRole::Above ? sub.Over(f.Wins, f.Losses)
                                                             : !Above(f.Wins, f.Losses, sub.Wt, sub.Lt, sub.P->ByWins);
        if (!meets)
            return false;
    }
    return true;
}

// The obvious completion where draws stand: a held rival loses to every free
// one, a lifted rival beats every free one, and two held (or two lifted)
// rivals draw, which moves neither rate, or (`split`) share their games,
// which pulls both rates towards .500; T's games go to free rivals first
// when rivals are held, to lifted rivals first when they are lifted. It
// settles most subproblems without a program.
bool Obvious(const TSub& sub, std::vector<TFinal>& finals, bool split) {
    const TProblem& p = *sub.P;
    const int n = p.Count();
    finals.assign(Idx(n), TFinal{});
    bool lifting = false;
    for (int i = 0; i < n; ++i)
        if (i != sub.T) {
            finals[Idx(i)] = sub.Start[Idx(i)];
            lifting = lifting || sub.Roles[Idx(i)] == TRole::Above;
        }
    finals[Idx(sub.T)] = {sub.Wt, sub.Lt, p.Base[Idx(sub.T)].Draws};
    // The rivals' wins against T: to whom they help most (or hurt least).
    std::vector<int> order;
    for (int i = 0; i < n; ++i)
        if (i != sub.T)
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return (sub.Roles[Idx(a)] == TRole::Free) > (sub.Roles[Idx(b)] == TRole::Free);
    });
    if (lifting)
        std::reverse(order.begin(), order.end());
    int left = sub.RivalWinsVsT;
    for (int i : order) {
        const int g = p.Games[Idx(sub.T)][Idx(i)], w = std::min(g, left);
        left -= w;
        finals[Idx(i)].Wins += w;
        finals[Idx(i)].Losses += g - w;
    }
    std::vector<std::vector<int>> drawn(Idx(n), std::vector<int>(Idx(n), 0));
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            const int g = p.Games[Idx(i)][Idx(j)];
            if (i == sub.T || j == sub.T || g == 0)
                continue;
            const bool freeI = sub.Roles[Idx(i)] == TRole::Free, freeJ = sub.Roles[Idx(j)] == TRole::Free;
            if (freeI == freeJ) {
                const int half = split ? g / 2 : 0;
                for (const int k : {i, j}) {
                    finals[Idx(k)].Wins += half;
                    finals[Idx(k)].Losses += half;
                    finals[Idx(k)].Draws += g - 2 * half;
                }
                drawn[Idx(i)][Idx(j)] = drawn[Idx(j)][Idx(i)] = freeI ? 0 : g - 2 * half;
                continue;
            }
            // The free one wins when the other is held, loses when it is lifted.
            const int winner = (freeI != lifting) ? i : j, loser = winner == i ? j : i;
            finals[Idx(winner)].Wins += g;
            finals[Idx(loser)].Losses += g;
        }
    // Repairs: a rival on the wrong side of T turns a draw with another held
    // (or lifted) rival into the result it needs, when that one can spare it.
    auto meets = [&](int i) {
        const TFinal& f = finals[Idx(i)];
        return lifting ? sub.Over(f.Wins, f.Losses) : !Above(f.Wins, f.Losses, sub.Wt, sub.Lt, p.ByWins);
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (int v = 0; v < n; ++v) {
            if (v == sub.T || sub.Roles[Idx(v)] == TRole::Free || meets(v))
                continue;
            for (int u = 0; u < n && !meets(v); ++u) {
                while (drawn[Idx(v)][Idx(u)] > 0 && !meets(v)) {
                    // Held: v loses to u. Lifted: v beats u.
                    TFinal& winner = finals[Idx(lifting ? v : u)];
                    TFinal& loser = finals[Idx(lifting ? u : v)];
                    ++winner.Wins, --winner.Draws, ++loser.Losses, --loser.Draws;
                    if (!meets(u)) {
                        --winner.Wins, ++winner.Draws, --loser.Losses, ++loser.Draws;
                        break;
                    }
                    --drawn[Idx(v)][Idx(u)];
                    --drawn[Idx(u)][Idx(v)];
                    changed = true;
                }
            }
        }
    }
    return Meets(sub, finals);
}

// A quick proof that a subproblem has no solution, where draws stand: some
// group of held (or lifted) rivals cannot all stay below (or rise above) T
// even on the sum of their rate balances (1e6-c-1) W - (c+1) L, each of
// which must be at most -1 (or at least 0). Ranked by wins, the same on the
// sum of their wins. A group's best sum is easy: games inside it are drawn or
// decided as suits the sum, games with other rivals are all lost (or won),
// and it takes as few (or as many) of the rivals' wins against T as it can.
bool GroupsFail(const TSub& sub) {
    const TProblem& p = *sub.P;
    const int n = p.Count(), t = sub.T;
    std::vector<int> members;
    bool lifting = false;
    for (int i = 0; i < n; ++i)
        if (i != t && sub.Roles[Idx(i)] != TRole::Free) {
            // A rival that may end without a win (rate 0) is never above T; leave it out.
            if (sub.Roles[Idx(i)] == TRole::Below && sub.Start[Idx(i)].Wins == 0)
                continue;
            members.push_back(i);
            lifting = sub.Roles[Idx(i)] == TRole::Above;
        }
    const int m = static_cast<int>(members.size());
    if (m == 0 || m > 12)
        return false;
    const int64_t c = race::Rate(sub.Wt, sub.Lt);
    if (!lifting && c >= 1000000)
        return false;
    // Held: a rate of at most c. Lifted: at least c + 1, or c where level will do.
    const int64_t bound = lifting && sub.Level ? c : c + 1;
    const int64_t alpha = 1000000 - bound, beta = bound;
    const int vsTAll = p.Versus(t);
    for (int mask = 1; mask < (1 << m); ++mask) {
        int64_t balance = 0, wins = 0, inside = 0, across = 0, vsT = 0, size = 0;
        for (int a = 0; a < m; ++a) {
            if (!(mask >> a & 1))
                continue;
            const int i = members[Idx(a)];
            ++size;
            balance += alpha * sub.Start[Idx(i)].Wins - beta * sub.Start[Idx(i)].Losses;
            wins += sub.Start[Idx(i)].Wins;
            vsT += p.Games[Idx(t)][Idx(i)];
            for (int j = 0; j < n; ++j) {
                if (j == t || j == i)
                    continue;
                const bool in = std::find(members.begin(), members.end(), j) != members.end() &&
                                (mask >> (std::find(members.begin(), members.end(), j) - members.begin()) & 1);
                (in ? inside : across) += p.Games[Idx(i)][Idx(j)];
            }
        }
        inside /= 2; // each game inside the group was counted from both sides
        const int64_t fewestVsT = std::max<int64_t>(0, sub.RivalWinsVsT - (vsTAll - vsT));
        const int64_t mostVsT = std::min<int64_t>(vsT, sub.RivalWinsVsT);
        if (!lifting) {
            const int64_t least = balance + std::min<int64_t>(0, alpha - beta) * inside - beta * across - beta * vsT +
                                  (alpha + beta) * fewestVsT;
            if (!p.ByWins && least > -size)
                return true;
            if (p.ByWins && wins + fewestVsT > size * sub.Wt)
                return true;
        } else {
            const int64_t most = balance + std::max<int64_t>(0, alpha - beta) * inside + alpha * across - beta * vsT +
                                 (alpha + beta) * mostVsT;
            if (!p.ByWins && most < 0)
                return true;
            if (p.ByWins && wins + inside + across + mostVsT < size * sub.Wt)
                return true;
        }
    }
    return false;
}

// Without draws the flow decides; with draws, an obvious completion or one
// without draws often does, and when neither does the caller asks the
// integer program.
bool Quick(const TSub& sub, std::vector<TFinal>* finals) {
    if (!sub.P->Draws)
        return race::SolveByFlow(sub, finals);
    std::vector<TFinal> f;
    if (Obvious(sub, f, false) || (!sub.P->ByWins && Obvious(sub, f, true)) ||
        (race::SolveByFlow(sub, &f) && Meets(sub, f))) {
        if (finals)
            *finals = std::move(f);
        return true;
    }
    return false;
}

// Rivals (left-out ones excepted) finishing above team t in `finals`.
int CountAbove(const TProblem& p, const std::vector<TFinal>& finals, int t, const std::vector<bool>& leftOut) {
    int above = 0;
    for (int i = 0; i < p.Count(); ++i)
        if (i != t && !leftOut[Idx(i)])
            above +=
                Above(finals[Idx(i)].Wins, finals[Idx(i)].Losses, finals[Idx(t)].Wins, finals[Idx(t)].Losses, p.ByWins);
    return above;
}

// The records a rival can end with at its worst and at its best, given how
// many of T's games against the rivals the rivals win in total.
struct TExtremes {
    TFinal Worst, Best;
};

TExtremes ExtremesOf(const TProblem& p, const TFinal& start, int t, int i, int rivalWinsVsT) {
    const int vsT = p.Games[Idx(t)][Idx(i)];
    const int others = p.Versus(t) - vsT;
    const int rest = p.Versus(i) - vsT;
    const int leastVsT = std::max(0, rivalWinsVsT - others), mostVsT = std::min(vsT, rivalWinsVsT);
    TExtremes e;
    e.Worst = {start.Wins + leastVsT, start.Losses + rest + vsT - leastVsT, start.Draws};
    e.Best = {start.Wins + rest + mostVsT, start.Losses + vsT - mostVsT, start.Draws};
    return e;
}

enum class TVerdict { No, Yes, Unknown };

TVerdict Verdict(bool yes) {
    return yes ? TVerdict::Yes : TVerdict::No;
}

// Team t's record fixed at wt-lt, its rivals winning `rivalWinsVsT` of their
// games against it, and every rival winning (or losing) all its games
// against teams outside the district; every rival free.
TSub SubFor(const TProblem& p, int t, int wt, int lt, int rivalWinsVsT, bool rivalsWinOutside) {
    TSub sub;
    sub.P = &p;
    sub.T = t;
    sub.Wt = wt;
    sub.Lt = lt;
    sub.RivalWinsVsT = rivalWinsVsT;
    sub.Start.resize(Idx(p.Count()));
    sub.Roles.assign(Idx(p.Count()), TRole::Free);
    for (int i = 0; i < p.Count(); ++i)
        if (i != t) {
            const TFinal& b = p.Base[Idx(i)];
            sub.Start[Idx(i)] = rivalsWinOutside ? TFinal{b.Wins + p.Outside[Idx(i)], b.Losses, b.Draws}
                                                 : TFinal{b.Wins, b.Losses + p.Outside[Idx(i)], b.Draws};
        }
    return sub;
}

// The rivals (left-out ones excepted) that finish above T whatever happens,
// counted, and those that may or may not, listed in `open`.
int SortRivals(const TSub& sub, const std::vector<bool>& leftOut, std::vector<int>& open) {
    const TProblem& p = *sub.P;
    int surelyAbove = 0;
    for (int i = 0; i < p.Count(); ++i) {
        if (i == sub.T || leftOut[Idx(i)])
            continue;
        const TExtremes e = ExtremesOf(p, sub.Start[Idx(i)], sub.T, i, sub.RivalWinsVsT);
        if (sub.Over(e.Worst.Wins, e.Worst.Losses))
            ++surelyAbove;
        else if (sub.Over(e.Best.Wins, e.Best.Losses))
            open.push_back(i);
    }
    return surelyAbove;
}

// How a question picks among the open rivals: `Count` of them take the role
// `Picked`, the others `Rest`; `Maybe` is the role of every open rival when
// one integer program makes the choice.
struct TPick {
    int Count;
    TRole Picked, Rest, Maybe;
};

// Whether items[k] is the first of its class among items[from..k]: trying a
// rival after passing over one it can swap places with repeats a try.
bool FirstOfClass(const std::vector<int>& items, size_t from, size_t k, const std::vector<int>& classes) {
    for (size_t j = from; j < k; ++j)
        if (classes[Idx(items[j])] == classes[Idx(items[k])])
            return false;
    return true;
}

// Without draws: whether letting at most `room` of the open rivals go (the
// others held below T) leaves a completion. A flow that fails falls short by
// some wins; letting rivals go adds at most what each adds alone (the flow
// into the teams is submodular in the set let go), so a set whose lone gains
// fall short needs no flow, nor does a rival outside the minimum cut (it
// gains nothing). Of rivals that can swap places, only the first is tried.
// Unknown when a held rival is beyond holding (the caller then tries each way).
template <typename Found>
TVerdict ReleaseSearch(TSub& sub, const std::vector<int>& open, int room, const std::vector<int>& classes,
                       Found&& found, std::vector<TFinal>& finals) {
    for (const int i : open)
        sub.Roles[Idx(i)] = TRole::Below;
    race::TFlowSolver flow(sub);
    race::TFlowShort whole;
    if (flow.Solve(&finals, &whole))
        return Verdict(found());
    if (whole.Missing < 0)
        return TVerdict::Unknown;
    if (room <= 0)
        return TVerdict::No;
    // Each rival's gain let go alone, highest first.
    std::vector<std::pair<long, int>> gains;
    for (const int i : whole.Stuck) {
        sub.P->Check();
        sub.Roles[Idx(i)] = TRole::Free;
        race::TFlowShort alone;
        const bool enough = flow.Solve(&finals, &alone);
        sub.Roles[Idx(i)] = TRole::Below;
        if (enough && found())
            return TVerdict::Yes;
        if (!enough && alone.Missing >= 0 && alone.Missing < whole.Missing)
            gains.push_back({whole.Missing - alone.Missing, i});
    }
    std::stable_sort(gains.begin(), gains.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<int> order; // the rivals, highest gain first
    for (const auto& [gain, i] : gains)
        order.push_back(i);
    // Sets in the order of `order`, the first member's flow known already:
    // `missing` is what the set so far falls short by.
    auto search = [&](auto&& self, size_t from, int left, long missing) -> bool {
        long best = 0;
        for (size_t k = from; k < gains.size() && k < from + static_cast<size_t>(left); ++k)
            best += gains[k].first;
        if (best < missing)
            return false;
        for (size_t k = from; k < gains.size() && gains[k].first * left >= missing; ++k) {
            if (!FirstOfClass(order, from, k, classes))
                continue;
            const int i = order[k];
            sub.P->Check();
            sub.Roles[Idx(i)] = TRole::Free;
            bool yes = false;
            race::TFlowShort now;
            if (from == 0)
                now.Missing = missing - gains[k].first; // tried alone above
            else
                yes = flow.Solve(&finals, &now) && found();
            if (!yes && left > 1 && now.Missing >= 0)
                yes = self(self, k + 1, left - 1, now.Missing);
            sub.Roles[Idx(i)] = TRole::Below;
            if (yes)
                return true;
        }
        return false;
    };
    return Verdict(search(search, 0, room, whole.Missing));
}

// Without draws: whether some `need` of the open rivals can all be lifted
// above T (the others free) in a completion that `found` accepts. Sets are
// grown one rival at a time and a set that cannot be lifted is not grown
// (nor is any set holding it), so the search sees only sets that fit.
template <typename Found>
bool LiftSearch(TSub& sub, const std::vector<int>& open, int need, const std::vector<int>& classes, Found&& found,
                std::vector<TFinal>& finals) {
    const race::TLiftDemands demands(sub);
    race::TFlowSolver flow(sub);
    std::vector<int> set;
    auto search = [&](auto&& self, size_t from) -> bool {
        if (static_cast<int>(set.size()) == need) {
            for (const int i : open)
                sub.Roles[Idx(i)] = std::find(set.begin(), set.end(), i) != set.end() ? TRole::Above : TRole::Free;
            return flow.Solve(&finals) && found();
        }
        for (size_t k = from; k + (Idx(need) - set.size()) <= open.size(); ++k) {
            if (!FirstOfClass(open, from, k, classes))
                continue;
            const int i = open[k];
            sub.P->Check();
            set.push_back(i);
            const bool yes = demands.Fits(set) && self(self, k + 1);
            set.pop_back();
            if (yes)
                return true;
        }
        return false;
    };
    return search(search, 0);
}

// Whether some completion of `sub` answers a question yes (`yes` tells from
// its final records), trying each way to pick the open rivals: quickly
// first, then, where draws stand and the quick answers cannot tell, by the
// integer program (only when `exact`, else Unknown). The completion found
// goes to `witness`.
template <typename Yes>
TVerdict AnyPick(TSub& sub, const std::vector<int>& open, const TPick& pick, Yes&& yes, std::vector<TFinal>* witness,
                 bool exact) {
    const TProblem& p = *sub.P;
    std::vector<TFinal> finals;
    auto found = [&]() {
        if (finals.size() != Idx(p.Count()) || !yes(finals))
            return false;
        if (witness)
            *witness = finals;
        return true;
    };
    const int openCount = static_cast<int>(open.size());
    // No open rival needs a role: any completion does.
    if (pick.Picked == TRole::Free ? pick.Count >= openCount : pick.Count <= 0)
        return Verdict(!witness || (race::SolveByFlow(sub, &finals) && found()));
    const std::vector<int> classes = SwapClasses(p, sub.T);
    if (!p.Draws && pick.Picked == TRole::Above && pick.Count <= 16)
        return Verdict(LiftSearch(sub, open, pick.Count, classes, found, finals));
    if (!p.Draws && pick.Picked == TRole::Free) {
        const TVerdict v = ReleaseSearch(sub, open, pick.Count, classes, found, finals);
        if (v != TVerdict::Unknown)
            return v;
    }
    const long long most = p.Draws ? kMostSubsets : kMostFlowSubsets;
    if (CanonicalSubsets(open, pick.Count, classes, most) > most) {
        for (int i : open)
            sub.Roles[Idx(i)] = pick.Maybe;
        sub.Choose = pick.Count;
        return exact ? Verdict(race::SolveByProgram(sub, &finals) && found()) : TVerdict::Unknown;
    }
    auto give = [&](const std::vector<int>& picked) {
        for (int i : open)
            sub.Roles[Idx(i)] = std::find(picked.begin(), picked.end(), i) == picked.end() ? pick.Rest : pick.Picked;
    };
    const bool quick = AnySubset(open, pick.Count, classes, [&](const std::vector<int>& picked) {
        p.Check();
        give(picked);
        return Quick(sub, &finals) && found();
    });
    if (quick || !p.Draws)
        return Verdict(quick);
    bool undecided = false;
    const bool solved = AnySubset(open, pick.Count, classes, [&](const std::vector<int>& picked) {
        p.Check();
        give(picked);
        if (GroupsFail(sub))
            return false;
        undecided = true;
        return exact && race::SolveByProgram(sub, &finals) && found();
    });
    return solved ? TVerdict::Yes : !undecided || exact ? TVerdict::No : TVerdict::Unknown;
}

// Where a record stands under the rank rule, as one comparable value:
// Above(a, b) exactly when Key(a) > Key(b).
struct TKey {
    int64_t Wins = 0, Rate = 0;
    auto operator<=>(const TKey&) const = default;
};

TKey KeyOf(int64_t wins, int64_t losses, bool byWins) {
    return {byWins ? wins : 0, race::Rate(wins, losses)};
}

// Records of a set of teams, sorted, to count quickly how many of them are
// above (or level with or above) a record.
class TKeyCount {
public:
    void Add(TKey key, int team) { Keys.push_back({key, team}); }
    // By record, and among equal records the later team first (so that the
    // highest come out in standings order from the end).
    void Sort() {
        std::sort(Keys.begin(), Keys.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second > b.second;
        });
    }
    // Teams strictly above `key`, or (`level`) level with it or above.
    int Over(TKey key, bool level) const {
        const auto below = [](const std::pair<TKey, int>& k, const TKey& v) { return k.first < v; };
        const auto above = [](const TKey& v, const std::pair<TKey, int>& k) { return v < k.first; };
        const auto at = level ? std::lower_bound(Keys.begin(), Keys.end(), key, below)
                              : std::upper_bound(Keys.begin(), Keys.end(), key, above);
        return static_cast<int>(Keys.end() - at);
    }
    // The `count` teams with the highest records (of equal ones, the first in
    // standings order), `except` left out.
    std::vector<int> Top(int count, int except) const {
        std::vector<int> teams;
        for (auto it = Keys.rbegin(); it != Keys.rend() && static_cast<int>(teams.size()) < count; ++it)
            if (it->second != except)
                teams.push_back(it->second);
        return teams;
    }

private:
    std::vector<std::pair<TKey, int>> Keys;
};

// The district's teams without a game left against another district team:
// each finishes anywhere between losing and winning all its games against
// outsiders, whatever the others do, so a question counts them instead of
// solving for them. `Self` is the team asked about when it is one of them.
struct TLoose {
    const TKeyCount* Worst = nullptr; // their records losing every game left
    const TKeyCount* Best = nullptr;  // and winning every one
    bool ByWins = false;
    std::optional<TKey> SelfWorst, SelfBest;

    // Those above a record even at their worst: they pass the team whatever happens.
    int AboveAtWorst(int wt, int lt) const {
        const TKey key = KeyOf(wt, lt, ByWins);
        return Worst->Over(key, false) - (SelfWorst && *SelfWorst > key);
    }
    // Those that can finish above a record (or level with it).
    int OverAtBest(int wt, int lt, bool level) const {
        const TKey key = KeyOf(wt, lt, ByWins);
        return Best->Over(key, level) - (SelfBest && (level ? *SelfBest >= key : *SelfBest > key));
    }
};

// Can team t finish `place` or better when it loses `losses` of its remaining
// games? Losing more never helps a team, nor does a draw where it could win,
// so it wins every other game; its losses go first to teams outside the
// district, where they lift no rival, and its rivals lose there. Rivals in
// `leftOut` neither count nor are held. The rivals that may pass it are
// picked among the open ones; the others are held below it.
TVerdict CanReach(const TProblem& p, int t, int place, int losses, const TLoose& loose,
                  const std::vector<bool>& leftOut, bool exact = true, std::vector<TFinal>* witness = nullptr) {
    const TFinal& base = p.Base[Idx(t)];
    TSub sub = SubFor(p, t, base.Wins + p.Remain(t) - losses, base.Losses + losses,
                      losses - std::min(losses, p.Outside[Idx(t)]), false);
    const int looseAbove = loose.AboveAtWorst(sub.Wt, sub.Lt);
    std::vector<int> open;
    const int room = place - 1 - looseAbove - SortRivals(sub, leftOut, open); // rivals that may still pass t
    if (room < 0)
        return TVerdict::No;
    return AnyPick(
        sub, open, {room, TRole::Free, TRole::Below, TRole::MaybeBelow},
        [&](const std::vector<TFinal>& finals) { return looseAbove + CountAbove(p, finals, t, leftOut) <= place - 1; },
        witness, exact);
}

// Can team t fail to be clear of the cut (`level`: `place` teams finish
// level with it or above) or miss the place (`place` teams finish strictly
// above it) although it wins `wins` of its remaining games? The reverse of
// CanReach: it loses every other game, its wins come first against teams
// outside the district, and its rivals win there. The rivals that must pass
// it are picked among the open ones; the others are free.
TVerdict CanMiss(const TProblem& p, int t, int place, int wins, bool level, const TLoose& loose, bool exact = true) {
    const TFinal& base = p.Base[Idx(t)];
    TSub sub = SubFor(p, t, base.Wins + wins, base.Losses + p.Remain(t) - wins,
                      p.Versus(t) - (wins - std::min(wins, p.Outside[Idx(t)])), true);
    sub.Level = level;
    const int looseOver = loose.OverAtBest(sub.Wt, sub.Lt, level);
    const std::vector<bool> none(Idx(p.Count()), false);
    std::vector<int> open;
    const int need = place - looseOver - SortRivals(sub, none, open); // rivals that must still pass t
    if (need > static_cast<int>(open.size()))
        return TVerdict::No;
    auto passed = [&](const std::vector<TFinal>& finals) {
        int over = looseOver;
        for (int i = 0; i < p.Count(); ++i)
            over += i != t && sub.Over(finals[Idx(i)].Wins, finals[Idx(i)].Losses);
        return over >= place;
    };
    return AnyPick(sub, open, {need, TRole::Above, TRole::Free, TRole::MaybeAbove}, passed, nullptr, exact);
}

// The least value in (0, last] at which a monotone question (yes up to some
// value, no from there on) is answered no, or none; it is known to be yes at
// 0. Quick answers narrow the range first, so that the exact (and costlier)
// answers are asked only where the quick ones cannot tell.
template <typename F> std::optional<int> FirstNo(int last, F&& asked) {
    // Each value is asked at most once quickly and once exactly.
    std::map<int, TVerdict> quick, exact;
    auto ask = [&](int value, bool exactly) {
        const auto known = quick.find(value);
        if (known != quick.end() && (known->second != TVerdict::Unknown || !exactly))
            return known->second;
        std::map<int, TVerdict>& memo = exactly ? exact : quick;
        const auto done = memo.find(value);
        return done != memo.end() ? done->second : memo[value] = asked(value, exactly);
    };
    int yes = 0, no = last + 1; // no = last + 1: no answer "no" at all
    for (int a = yes, b = no; b - a > 1;) {
        const int mid = a + (b - a) / 2;
        (ask(mid, false) == TVerdict::Yes ? a : b) = mid;
        yes = a;
    }
    for (int a = yes, b = no; b - a > 1;) {
        const int mid = a + (b - a) / 2;
        (ask(mid, false) == TVerdict::No ? b : a) = mid;
        no = b;
    }
    while (no - yes > 1) {
        const int mid = yes + (no - yes) / 2;
        (ask(mid, true) == TVerdict::Yes ? yes : no) = mid;
    }
    return no <= last ? std::optional<int>(no) : std::nullopt;
}

std::string S(std::string_view utf8) {
    return sjis::S(utf8);
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            text += S(names.size() == 2 ? "と" : "、");
        text += names[i];
    }
    return text;
}

// Rivals (other than t) finishing strictly above (or, `level`, level with or
// above) team t in final records.
int CountPassing(const std::vector<TRaceRecord>& finals, int t, bool level, bool byWins) {
    const TRaceRecord& me = finals[Idx(t)];
    int count = 0;
    for (size_t i = 0; i < finals.size(); ++i)
        if (static_cast<int>(i) != t)
            count += level ? race::NotBelow(finals[i].Wins, finals[i].Losses, me.Wins, me.Losses, byWins)
                           : Above(finals[i].Wins, finals[i].Losses, me.Wins, me.Losses, byWins);
    return count;
}

} // namespace

double TRaceStop::SecondsLeft() const {
    if (Deadline == std::chrono::steady_clock::time_point::max())
        return 1e9;
    return std::max(0.001, std::chrono::duration<double>(Deadline - std::chrono::steady_clock::now()).count());
}

TRaceStop TRaceStop::In(double seconds, const std::atomic<bool>* cancel) {
    TRaceStop stop;
    stop.Deadline = std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                           std::chrono::duration<double>(seconds));
    stop.Cancel = cancel;
    return stop;
}

// What is decided for one team and place, before it is put in words.
struct TDecision {
    bool Out = false, LevelAssured = false;
    std::optional<int> Clinch, Elimination;
    std::vector<int> Rivals; // when it cannot make it: the rivals (district order) that keep it out
};

struct TTitleRace::TState {
    bool ByWins = false;
    std::vector<TFinal> Base; // per team, a game against itself counted as a win and a loss
    std::vector<int> Outside; // per team
    std::vector<int> Versus;  // per team: remaining games against district teams
    std::vector<int> Linked;  // the teams with such games, district order
    std::vector<int> LocalOf; // per team: its place among them, -1 for none
    TProblem Problem;         // the linked teams
    std::vector<int> Class;   // per linked team: the first it can swap places with
    TKeyCount LooseWorst, LooseBest, AllWorst, AllBest;
    std::map<std::pair<int, int>, TDecision> Decided;                      // linked (class, place)
    std::map<std::tuple<int, int, int, int, int>, TDecision> LooseDecided; // (W, L, D, outside, place)

    int Remain(int team) const { return Outside[Idx(team)] + Versus[Idx(team)]; }
    int GamesBetween(int a, int b) const {
        const int la = LocalOf[Idx(a)], lb = LocalOf[Idx(b)];
        return la < 0 || lb < 0 ? 0 : Problem.Games[Idx(la)][Idx(lb)];
    }
    TFinal Worst(int team) const {
        const TFinal& b = Base[Idx(team)];
        return {b.Wins, b.Losses + Remain(team), b.Draws};
    }
    TFinal Best(int team) const {
        const TFinal& b = Base[Idx(team)];
        return {b.Wins + Remain(team), b.Losses, b.Draws};
    }
    TKey KeyOfRecord(const TFinal& f) const { return KeyOf(f.Wins, f.Losses, ByWins); }

    TDecision Decide(int team, int place, const TRaceStop* stop);
    // Final records (district order) of some completion in which `team`
    // reaches `place`, found as the decisions find them; empty for none.
    std::vector<TFinal> Witness(int team, int place, const TRaceStop* stop);
    TDecision Solve(const TProblem& p, int t, int team, int place, const TLoose& loose) const;
};

TTitleRace::TTitleRace(TRaceInput input) : In(std::move(input)), State(std::make_unique<TState>()) {
    TState& st = *State;
    const size_t n = In.Teams.size();
    st.ByWins = In.ByWins;
    st.Versus.assign(n, 0);
    for (const TRaceTeam& t : In.Teams) {
        // A game against itself gives the team one win and one loss.
        st.Base.push_back({t.Wins + t.SelfGames, t.Losses + t.SelfGames, t.Draws});
        st.Outside.push_back(std::max(0, t.Outside));
    }
    std::map<std::pair<int, int>, int> pairs;
    for (const TRacePairing& g : In.Pairings) {
        if (g.A == g.B || g.A < 0 || g.B < 0 || Idx(g.A) >= n || Idx(g.B) >= n || g.Games <= 0)
            continue;
        pairs[std::minmax(g.A, g.B)] += g.Games;
        st.Versus[Idx(g.A)] += g.Games;
        st.Versus[Idx(g.B)] += g.Games;
    }
    st.LocalOf.assign(n, -1);
    for (size_t i = 0; i < n; ++i)
        if (st.Versus[i] > 0) {
            st.LocalOf[i] = static_cast<int>(st.Linked.size());
            st.Linked.push_back(static_cast<int>(i));
        }
    TProblem& p = st.Problem;
    p.ByWins = In.ByWins;
    p.Draws = In.DrawRule == 0;
    const size_t m = st.Linked.size();
    p.Games.assign(m, std::vector<int>(m, 0));
    for (const int team : st.Linked) {
        p.Base.push_back(st.Base[Idx(team)]);
        p.Outside.push_back(st.Outside[Idx(team)]);
    }
    for (const auto& [ab, games] : pairs) {
        const size_t a = Idx(st.LocalOf[Idx(ab.first)]), b = Idx(st.LocalOf[Idx(ab.second)]);
        p.Games[a][b] = p.Games[b][a] = games;
    }
    // Linked teams that can swap places (same record, same games left
    // against the same teams) have the same answers: each class is decided once.
    for (size_t i = 0; i < m; ++i) {
        st.Class.push_back(static_cast<int>(i));
        for (size_t j = 0; j < i; ++j) {
            const TFinal &a = p.Base[i], &b = p.Base[j];
            bool same = st.Class[j] == static_cast<int>(j) && a.Wins == b.Wins && a.Losses == b.Losses &&
                        a.Draws == b.Draws && p.Outside[i] == p.Outside[j];
            for (size_t k = 0; same && k < m; ++k)
                same = k == i || k == j || p.Games[i][k] == p.Games[j][k];
            if (same) {
                st.Class[i] = static_cast<int>(j);
                break;
            }
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const int team = static_cast<int>(i);
        const TKey worst = st.KeyOfRecord(st.Worst(team)), best = st.KeyOfRecord(st.Best(team));
        st.AllWorst.Add(worst, team);
        st.AllBest.Add(best, team);
        if (st.LocalOf[i] < 0) {
            st.LooseWorst.Add(worst, team);
            st.LooseBest.Add(best, team);
        }
    }
    for (TKeyCount* keys : {&st.AllWorst, &st.AllBest, &st.LooseWorst, &st.LooseBest})
        keys->Sort();
}

TTitleRace::~TTitleRace() = default;

TDecision TTitleRace::TState::Decide(int team, int place, const TRaceStop* stop) {
    const TFinal worst = Worst(team), best = Best(team);
    const TKey worstKey = KeyOfRecord(worst), bestKey = KeyOfRecord(best);
    TDecision d;
    // Out at a glance: `place` rivals finish above its best even at their worst.
    if (AllWorst.Over(bestKey, false) >= place) { // (its own worst is never above its best)
        d.Out = true;
        d.Elimination = 0;
        d.Rivals = AllWorst.Top(place, team);
        std::sort(d.Rivals.begin(), d.Rivals.end());
        return d;
    }
    // Clinched at a glance: fewer than `place` rivals can even draw level with its worst.
    if (AllBest.Over(worstKey, true) - 1 < place) { // (its own best is level with or above its worst)
        d.Clinch = 0;
        return d;
    }
    const int local = LocalOf[Idx(team)];
    TLoose loose{&LooseWorst, &LooseBest, ByWins, std::nullopt, std::nullopt};
    Problem.Stop = stop;
    if (local >= 0) {
        // Decided for the first team of its class, then seen from this one:
        // the two swap places among the rivals.
        const int first = Class[Idx(local)];
        auto known = Decided.find({first, place});
        if (known == Decided.end())
            known =
                Decided.emplace(std::pair(first, place), Solve(Problem, first, Linked[Idx(first)], place, loose)).first;
        d = known->second;
        const int a = Linked[Idx(first)];
        for (int& r : d.Rivals)
            r = r == a ? team : r == team ? a : r;
        std::sort(d.Rivals.begin(), d.Rivals.end());
        return d;
    }
    const TFinal& b = Base[Idx(team)];
    const auto key = std::tuple(b.Wins, b.Losses, b.Draws, Outside[Idx(team)], place);
    if (const auto known = LooseDecided.find(key); known != LooseDecided.end()) {
        d = known->second;
        for (int& r : d.Rivals) // a twin's loose rivals may include this team
            if (r == team)
                r = -1;
        std::erase(d.Rivals, -1);
        return d;
    }
    // A team without games against its rivals: the linked teams and it.
    TProblem p = Problem;
    p.Base.push_back(b);
    p.Outside.push_back(Outside[Idx(team)]);
    for (std::vector<int>& row : p.Games)
        row.push_back(0);
    p.Games.emplace_back(p.Base.size(), 0);
    loose.SelfWorst = worstKey;
    loose.SelfBest = bestKey;
    d = Solve(p, p.Count() - 1, team, place, loose);
    LooseDecided.emplace(key, d);
    return d;
}

std::vector<TFinal> TTitleRace::TState::Witness(int team, int place, const TRaceStop* stop) {
    const int n = static_cast<int>(Base.size());
    const int local = LocalOf[Idx(team)];
    TLoose loose{&LooseWorst, &LooseBest, ByWins, std::nullopt, std::nullopt};
    TProblem p = Problem;
    if (local < 0) {
        p.Base.push_back(Base[Idx(team)]);
        p.Outside.push_back(Outside[Idx(team)]);
        for (std::vector<int>& row : p.Games)
            row.push_back(0);
        p.Games.emplace_back(p.Base.size(), 0);
        loose.SelfWorst = KeyOfRecord(Worst(team));
        loose.SelfBest = KeyOfRecord(Best(team));
    }
    p.Stop = stop;
    const int t = local >= 0 ? local : p.Count() - 1;
    std::vector<TFinal> found;
    if (CanReach(p, t, place, 0, loose, std::vector<bool>(Idx(p.Count()), false), true, &found) != TVerdict::Yes ||
        found.size() != Idx(p.Count()))
        return {};
    // The loose rivals were held at their worst.
    std::vector<TFinal> finals(Idx(n));
    for (int i = 0; i < n; ++i)
        finals[Idx(i)] = Worst(i);
    for (int k = 0; k < p.Count(); ++k)
        finals[Idx(k < static_cast<int>(Linked.size()) ? Linked[Idx(k)] : team)] = found[Idx(k)];
    return finals;
}

TDecision TTitleRace::TState::Solve(const TProblem& p, int t, int team, int place, const TLoose& loose) const {
    TDecision d;
    const int remain = p.Remain(t);
    const std::vector<bool> none(Idx(p.Count()), false);
    auto reach = [&](int losses, bool exact) { return CanReach(p, t, place, losses, loose, none, exact); };
    auto miss = [&](int wins, bool exact) { return CanMiss(p, t, place, wins, true, loose, exact); };
    if (reach(0, true) == TVerdict::No) {
        d.Out = true;
        d.Elimination = 0;
        // The fewest rivals that finish above it in every completion: leave
        // out, one by one, each rival without whom it still cannot make it;
        // the loose ones above it at its best stay.
        std::vector<bool> leftOut(Idx(p.Count()), false);
        for (int i = p.Count() - 1; i >= 0; --i) {
            if (i == t)
                continue;
            leftOut[Idx(i)] = true;
            if (CanReach(p, t, place, 0, loose, leftOut) == TVerdict::Yes)
                leftOut[Idx(i)] = false;
        }
        for (int i = 0; i < p.Count(); ++i)
            if (i != t && !leftOut[Idx(i)])
                d.Rivals.push_back(i < static_cast<int>(Linked.size()) ? Linked[Idx(i)] : team);
        const TFinal best = {p.Base[Idx(t)].Wins + remain, p.Base[Idx(t)].Losses, 0};
        const int above = loose.AboveAtWorst(best.Wins, best.Losses);
        for (const int r : LooseWorst.Top(above + 1, team))
            if (KeyOfRecord(Worst(r)) > KeyOfRecord(best))
                d.Rivals.push_back(r);
        std::sort(d.Rivals.begin(), d.Rivals.end());
        return d;
    }
    d.Elimination = FirstNo(remain, reach);
    const bool clinched = miss(0, true) == TVerdict::No;
    d.Clinch = clinched ? std::optional<int>(0) : FirstNo(remain, miss);
    d.LevelAssured = !clinched && CanMiss(p, t, place, 0, false, loose) == TVerdict::No;
    return d;
}

TRaceAnswer TTitleRace::Decide(int team, int place, const TRaceStop* stop) const {
    TRaceAnswer a;
    if (team < 0 || team >= TeamCount())
        return a;
    place = std::max(place, 1);
    TDecision d;
    try {
        d = State->Decide(team, place, stop);
    } catch (const race::TTimeUp&) {
        a.Status = TRaceStatus::Unknown;
        a.Reason = RaceTimeUpText();
        return a;
    }
    a.ClinchNumber = d.Clinch;
    a.EliminationNumber = d.Elimination;
    a.LevelAssured = d.LevelAssured;
    if (d.Out) {
        a.Status = TRaceStatus::Eliminated;
        a.Reason = EliminationReason(team, place, d.Rivals);
        return a;
    }
    a.Status = !a.ClinchNumber        ? TRaceStatus::Dependent
               : *a.ClinchNumber == 0 ? TRaceStatus::Clinched
                                      : TRaceStatus::Magic;
    return a;
}

bool TTitleRace::Reaches(const std::vector<TRaceRecord>& finals, int team, int place, bool byWins) {
    return CountPassing(finals, team, false, byWins) < place;
}

bool TTitleRace::AboveCut(const std::vector<TRaceRecord>& finals, int team, int place, bool byWins) {
    return CountPassing(finals, team, true, byWins) < place;
}

std::string TTitleRace::EliminationReason(int team, int place, const std::vector<int>& rivals) const {
    const TState& st = *State;
    const TFinal& base = st.Base[Idx(team)];
    const int remain = st.Remain(team);
    const int wins = base.Wins + remain, losses = base.Losses;
    // What the team reaches at best.
    std::string best = FormatRate(race::Rate(wins, losses));
    if (st.ByWins)
        best = std::to_string(wins) + S("勝(勝率") + best + S(")");
    std::vector<std::string> names;
    int games = 0;
    bool eachAlone = true; // every one of them finishes above it even losing all its games
    bool anyLeft = false;  // and some of them still have games to lose
    for (size_t k = 0; k < rivals.size(); ++k) {
        const int i = rivals[k];
        const TRaceTeam& r = In.Teams[Idx(i)];
        names.push_back(r.ShortName.empty() ? r.Symbol : TrimmedName(r.ShortName));
        for (size_t l = k + 1; l < rivals.size(); ++l)
            games += st.GamesBetween(i, rivals[l]);
        const TFinal w = st.Worst(i);
        eachAlone = eachAlone && Above(w.Wins, w.Losses, wins, losses, st.ByWins);
        anyLeft = anyLeft || st.Remain(i) > 0;
    }
    const std::string self = TrimmedName(In.Teams[Idx(team)].ShortName);
    // Its best: winning every game left, or where it stands with none left.
    const std::string all =
        remain > 0 ? S("残り") + std::to_string(remain) + S("試合に全勝しても") : S("残り試合がなく");
    if (rivals.empty()) // cannot happen: some rival must be above it
        return self + S("は") + all + S("届かない");
    if (eachAlone)
        return all + best + S(remain > 0 ? "止まりで、" : "で、") + JoinNames(names) +
               S(anyLeft ? "は残りに全敗してもそれを上回る" : "がそれを上回る");
    const std::string count = std::to_string(games);
    std::string how;
    if (!st.Problem.Draws && place == 1)
        how = JoinNames(names) + S("が残り") + count + S("試合の直接対決で計") + count + S("勝するため、");
    else
        how = JoinNames(names) + S("の残り") + count + S("試合の直接対決がどう終わっても、");
    if (place == 1)
        return how + S(rivals.size() == 2 ? "どちらかが" : "どれかが") + best + S("を上回る");
    return how + std::to_string(place) + S("チーム以上が") + best + S("を上回る");
}

TRaceInput RaceInputFrom(const TPennant& pennant, const TDistrictStandings& s) {
    TRaceInput in;
    const TRkCalc& calc = *s.Calc;
    in.ByWins = s.ByWins;
    in.DrawRule = s.League ? s.League->DrawRule : 0;
    const int n = calc.Count();
    std::map<std::string, int> index;
    for (int i = 0; i < n; ++i)
        index.emplace(calc.Items(i).Symbol, i);
    std::map<std::pair<int, int>, int> pairs;
    long long games = 0, draws = 0;
    const TSymbolIndex teams(pennant); // a district may hold tens of thousands
    for (int i = 0; i < n; ++i) {
        const TTmRec& r = calc.Items(i);
        TRaceTeam t;
        t.Symbol = r.Symbol;
        const TTeam* team = teams.Team(r.Symbol);
        t.ShortName = team ? team->ShortName : std::string();
        t.Rank = r.RankNo;
        t.Wins = r.Wins();
        t.Losses = r.Losses();
        t.Draws = r.Draws();
        t.Remain = r.Remain();
        t.Magic = calc.Magic(i, s.ByWins);
        games += static_cast<long long>(t.Wins) + t.Losses + t.Draws;
        draws += t.Draws;
        for (const TGameEntry& e : r.GameList) {
            if (e.Status != StatusBefore)
                continue;
            const auto found = index.find(e.Opponent);
            const int j = found == index.end() ? -1 : found->second;
            if (j < 0)
                ++t.Outside;
            else if (j == i)
                t.SelfGames += e.IsVisitor == 0; // its list holds both sides of such a game
            else if (i < j)                      // the other side's entry is the same game
                ++pairs[{i, j}];
        }
        in.Teams.push_back(std::move(t));
    }
    for (const auto& [ij, count] : pairs)
        in.Pairings.push_back({ij.first, ij.second, count});
    // The share of games drawn so far, counted over the district's teams.
    in.DrawShare = in.DrawRule == 0 && games > 0 ? static_cast<double>(draws) / static_cast<double>(games) : 0;
    return in;
}

std::string RaceStatusText(const TRaceAnswer& answer, int place) {
    switch (answer.Status) {
    case TRaceStatus::Clinched: {
        if (place <= 1)
            return S("優勝");
        std::string text = std::to_string(place); // in steps: GCC 12 warns falsely on a + chain
        text += S("位以内確定");
        return text;
    }
    case TRaceStatus::Magic: {
        std::string text = "M";
        text += std::to_string(answer.ClinchNumber.value_or(0));
        return text;
    }
    case TRaceStatus::Dependent:
        return S(answer.LevelAssured ? "同率" : "自力消滅");
    case TRaceStatus::Eliminated:
        return S("消滅");
    case TRaceStatus::Unknown:
        return S("未確定");
    }
    return {};
}

const char* RaceStatusKey(TRaceStatus status) {
    switch (status) {
    case TRaceStatus::Clinched:
        return "clinched";
    case TRaceStatus::Magic:
        return "magic";
    case TRaceStatus::Dependent:
        return "dependent";
    case TRaceStatus::Eliminated:
        return "eliminated";
    case TRaceStatus::Unknown:
        return "unknown";
    }
    return "";
}

std::string RaceTimeUpText() {
    return S("時間内に決まりませんでした");
}

std::string TrimmedName(const std::string& name) {
    // Full-width spaces anywhere (they pad 巨　　人 to the width of four
    // letters), half-width ones at either end.
    std::string utf8 = sjis::ToUtf8(name);
    const std::string_view wide = "\u3000";
    for (size_t at; (at = utf8.find(wide)) != std::string::npos;)
        utf8.erase(at, wide.size());
    while (utf8.starts_with(' '))
        utf8.erase(0, 1);
    while (utf8.ends_with(' '))
        utf8.pop_back();
    return sjis::FromUtf8(utf8);
}

namespace {

// Above this many teams, the likely completion is sought among the teams with
// games against each other only; the others each take the record nearest
// their expectation that keeps them out of the way.
constexpr int kLikelyTeams = 100;
// The most one program of the search may take; past it, its best so far.
constexpr double kLikelySliceSeconds = 0.5;

} // namespace

double TTitleRace::Unlikeness(const std::vector<TRaceRecord>& finals) const {
    double sum = 0;
    for (size_t i = 0; i < finals.size() && i < In.Teams.size(); ++i) {
        const TRaceTeam& t = In.Teams[i];
        const int remain = State->Remain(static_cast<int>(i));
        const double rate = t.Wins + t.Losses == 0 ? 0.5 : static_cast<double>(t.Wins) / (t.Wins + t.Losses);
        const double share = In.DrawRule == 0 ? In.DrawShare : 0;
        sum += std::abs(finals[i].Wins - State->Base[i].Wins - rate * remain) +
               std::abs(finals[i].Draws - State->Base[i].Draws - share * remain);
    }
    return sum;
}

TRaceScenario TTitleRace::Scenario(int team, int place, const TRaceStop* stop) const {
    TRaceScenario out;
    place = std::max(place, 1);
    const TRaceAnswer answer = Decide(team, place, stop);
    if (answer.Status == TRaceStatus::Eliminated || answer.Status == TRaceStatus::Unknown)
        return out;
    const TState& st = *State;
    const int n = TeamCount();
    // The problem the search runs on, and which team each of its teams is.
    TProblem p;
    std::vector<int> teams;
    if (n <= kLikelyTeams) {
        for (int i = 0; i < n; ++i)
            teams.push_back(i);
    } else {
        teams = st.Linked;
        if (st.LocalOf[Idx(team)] < 0)
            teams.push_back(team);
    }
    std::vector<int> localOf(Idx(n), -1);
    for (size_t k = 0; k < teams.size(); ++k)
        localOf[Idx(teams[k])] = static_cast<int>(k);
    p.ByWins = st.ByWins;
    p.Draws = st.Problem.Draws;
    p.Stop = stop;
    p.Games.assign(teams.size(), std::vector<int>(teams.size(), 0));
    for (const int i : teams) {
        p.Base.push_back(st.Base[Idx(i)]);
        p.Outside.push_back(st.Outside[Idx(i)]);
    }
    for (const TRacePairing& g : In.Pairings)
        if (g.A != g.B && g.A >= 0 && g.B >= 0 && g.A < n && g.B < n && g.Games > 0) {
            const int a = localOf[Idx(g.A)], b = localOf[Idx(g.B)];
            if (a >= 0 && b >= 0) {
                p.Games[Idx(a)][Idx(b)] += g.Games;
                p.Games[Idx(b)][Idx(a)] += g.Games;
            }
        }
    // What every team is expected to add: its rate so far (.500 before a
    // decided game) and the draw share, over its remaining games.
    const double share = In.DrawRule == 0 ? In.DrawShare : 0;
    std::vector<double> expectWins(Idx(n)), expectDraws(Idx(n));
    for (int i = 0; i < n; ++i) {
        const TRaceTeam& t = In.Teams[Idx(i)];
        const double rate = t.Wins + t.Losses == 0 ? 0.5 : static_cast<double>(t.Wins) / (t.Wins + t.Losses);
        expectWins[Idx(i)] = rate * st.Remain(i);
        expectDraws[Idx(i)] = share * st.Remain(i);
    }
    race::TExpected expected;
    for (const int i : teams) {
        expected.Wins.push_back(expectWins[Idx(i)]);
        expected.Draws.push_back(expectDraws[Idx(i)]);
    }
    const int t = localOf[Idx(team)], remain = st.Remain(team);
    // The teams left out of the problem: each takes its expected record, or
    // the nearest below it that keeps it from passing the team; those that
    // pass whatever they do use up the room.
    auto outsiders = [&](int wt, int lt, bool level, std::vector<TFinal>& finals, double& cost) {
        int passing = 0;
        for (int i = 0; i < n; ++i) {
            if (localOf[Idx(i)] >= 0)
                continue;
            const TFinal& b = st.Base[Idx(i)];
            const int o = st.Remain(i);
            const int d = static_cast<int>(std::lround(expectDraws[Idx(i)]));
            int w = std::min(o - d, static_cast<int>(std::lround(expectWins[Idx(i)])));
            auto passes = [&](int wins) {
                const int64_t fw = b.Wins + wins, fl = b.Losses + (o - d - wins);
                return level ? race::NotBelow(fw, fl, wt, lt, st.ByWins) : Above(fw, fl, wt, lt, st.ByWins);
            };
            while (w > 0 && passes(w))
                --w;
            passing += passes(w);
            finals[Idx(i)] = {b.Wins + w, b.Losses + o - d - w, b.Draws + d};
            cost += std::abs(w - expectWins[Idx(i)]) + std::abs(d - expectDraws[Idx(i)]);
        }
        return passing;
    };
    // T's own remaining wins and draws, most likely first.
    struct TCandidate {
        int Wins, Draws;
        double Cost;
    };
    std::vector<TCandidate> candidates;
    for (int d = 0; d <= (p.Draws ? remain : 0); ++d)
        for (int w = 0; w + d <= remain; ++w) {
            const int losses = remain - w - d;
            if (answer.EliminationNumber && losses >= *answer.EliminationNumber)
                continue; // that many losses leave it out whatever happens
            candidates.push_back({w, d, std::abs(w - expectWins[Idx(team)]) + std::abs(d - expectDraws[Idx(team)])});
        }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const TCandidate& a, const TCandidate& b) { return a.Cost < b.Cost; });
    std::vector<TFinal> best;
    double bestCost = 0;
    auto attempt = [&](const TCandidate& c, bool level, bool anyWillDo = false) {
        const TFinal& b = st.Base[Idx(team)];
        const int wt = b.Wins + c.Wins, lt = b.Losses + remain - c.Wins - c.Draws;
        std::vector<TFinal> finals(Idx(n));
        double cost = c.Cost;
        const int passing = outsiders(wt, lt, level, finals, cost);
        race::TLikelyQuestion q{t, c.Wins, c.Draws, place - 1 - passing, level, &expected, anyWillDo};
        if (!best.empty())
            q.Below = bestCost - cost; // only a likelier completion than the best so far
        std::vector<race::TFinal> local;
        double inside = 0;
        // Within a time, each program a slice of it: the best it finds in
        // it serves. Without one, every program is solved to the end.
        TRaceStop slice;
        if (stop) {
            slice = TRaceStop::In(kLikelySliceSeconds, stop->Cancel);
            slice.Deadline = std::min(slice.Deadline, stop->Deadline);
        }
        p.Stop = stop ? &slice : nullptr;
        bool ok = false;
        try {
            ok = q.Room >= 0 && race::LeastUnlikely(p, q, &local, &inside);
        } catch (const race::TTimeUp&) {
            if (stop && stop->Due())
                throw;
        }
        if (!ok)
            return;
        if (!best.empty() && cost + inside >= bestCost)
            return;
        for (size_t k = 0; k < teams.size(); ++k)
            finals[Idx(teams[k])] = local[k];
        best = std::move(finals);
        bestCost = cost + inside;
    };
    try {
        // Clear of the cut where it can be (winning every game is its best
        // chance), else reaching the place.
        attempt({remain, 0, 0}, true, true); // can it be clear at all (winning every game)?
        out.AboveCut = !best.empty();
        best.clear();
        for (const TCandidate& c : candidates) {
            if (!best.empty() && c.Cost >= bestCost)
                break; // the rivals cannot make up for the team's own distance
            attempt(c, out.AboveCut);
        }
    } catch (const race::TTimeUp&) {
    }
    {
        // The likeliest found in the time, if any; else any way it gets there.
        if (best.empty()) {
            out.AboveCut = false;
            try {
                const TRaceStop more = TRaceStop::In(1.0, stop ? stop->Cancel : nullptr);
                best = State->Witness(team, place, &more);
            } catch (const race::TTimeUp&) {
            }
        }
    }
    for (size_t i = 0; i < best.size(); ++i)
        out.Finals.push_back({In.Teams[i].Symbol, best[i].Wins, best[i].Losses, best[i].Draws});
    return out;
}

std::vector<int> TTitleRace::Twins() const {
    const TState& st = *State;
    const int n = TeamCount();
    std::vector<int> twins(Idx(n));
    // Teams without games against each other: by record and games left.
    std::map<std::tuple<int, int, int, int>, int> loose;
    for (int team = 0; team < n; ++team) {
        const int local = st.LocalOf[Idx(team)];
        if (local >= 0) {
            twins[Idx(team)] = st.Linked[Idx(st.Class[Idx(local)])];
            continue;
        }
        const TFinal& b = st.Base[Idx(team)];
        twins[Idx(team)] =
            loose.emplace(std::tuple(b.Wins, b.Losses, b.Draws, st.Outside[Idx(team)]), team).first->second;
    }
    return twins;
}

TRaceRows::TRaceRows(const TTitleRace& race, int place, double seconds, const std::atomic<bool>* cancel)
    : Race(race), Place(place), Cancel(cancel), Twins(race.Twins()),
      End(std::chrono::steady_clock::now() +
          std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds))) {
    for (int team = 0; team < race.TeamCount(); ++team)
        Left += Twins[Idx(team)] == team;
}

TRaceAnswer TRaceRows::Next() {
    const int team = static_cast<int>(Answers.size());
    const int first = Twins[Idx(team)];
    if (first != team && Answers[Idx(first)].Status == TRaceStatus::Unknown) {
        Answers.push_back(Answers[Idx(first)]); // its twin ran out of time: so would it
        return Answers.back();
    }
    const double time = std::chrono::duration<double>(End - std::chrono::steady_clock::now()).count();
    const TRaceStop stop = TRaceStop::In(std::max(0.0, time) / std::max(1, Left), Cancel);
    Answers.push_back(Race.Decide(team, Place, &stop));
    Left -= first == team;
    return Answers.back();
}

int TRaceRows::Retry() {
    const int n = static_cast<int>(Answers.size());
    auto unknown = [&](int team) { return Answers[Idx(team)].Status == TRaceStatus::Unknown; };
    while (Retried < n && !unknown(Retried))
        ++Retried;
    if (Retried >= n || (Cancel && Cancel->load()))
        return -1;
    const double time = std::chrono::duration<double>(End - std::chrono::steady_clock::now()).count();
    if (time <= 0)
        return -1;
    int left = 0; // unknown teams from here on, twins left out (they take their first's answer at once)
    for (int team = Retried; team < n; ++team)
        left += unknown(team) && Twins[Idx(team)] == team;
    const int team = Retried++;
    const TRaceStop stop = TRaceStop::In(time / std::max(1, left), Cancel);
    Answers[Idx(team)] = Race.Decide(team, Place, &stop);
    return team;
}

std::vector<TRaceAnswer> DecideAll(const TTitleRace& race, int place, double seconds, const std::atomic<bool>* cancel) {
    TRaceRows rows(race, place, seconds, cancel);
    for (int team = 0; team < race.TeamCount(); ++team)
        rows.Next();
    while (rows.Retry() >= 0) {
    }
    std::vector<TRaceAnswer> answers;
    for (int team = 0; team < race.TeamCount(); ++team)
        answers.push_back(rows.Answer(team));
    return answers;
}

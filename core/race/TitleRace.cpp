#include "core/race/TitleRace.h"

#include "core/base/SjisText.h"
#include "core/race/RaceProblem.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"
#include "core/standings/StandingsText.h"

#include <algorithm>
#include <map>

using race::Above;
using race::TFinal;
using race::TProblem;
using race::TRole;
using race::TSub;

namespace {

size_t Idx(int i) {
    return static_cast<size_t>(i);
}

// Above this many ways to pick the rivals that may (or must) finish above the
// team, one integer program chooses them instead of trying each.
constexpr long long kMostSubsets = 64;

long long Binomial(int n, int r) {
    if (r < 0 || r > n)
        return 0;
    long long b = 1;
    for (int i = 1; i <= r; ++i) {
        b = b * (n - r + i) / i;
        if (b > kMostSubsets)
            return kMostSubsets + 1;
    }
    return b;
}

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

// Whether final records meet a subproblem's roles.
bool Meets(const TSub& sub, const std::vector<TFinal>& finals) {
    for (int i = 0; i < sub.P->Count(); ++i) {
        if (i == sub.T || sub.Roles[Idx(i)] == TRole::Free)
            continue;
        const bool above = Above(finals[Idx(i)].Wins, finals[Idx(i)].Losses, sub.Wt, sub.Lt, sub.P->ByWins);
        if (above != (sub.Roles[Idx(i)] == TRole::Above))
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
        return Above(finals[Idx(i)].Wins, finals[Idx(i)].Losses, sub.Wt, sub.Lt, p.ByWins) == lifting;
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
    const int64_t alpha = 1000000 - (c + 1), beta = c + 1;
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
        if (Above(e.Worst.Wins, e.Worst.Losses, sub.Wt, sub.Lt, p.ByWins))
            ++surelyAbove;
        else if (Above(e.Best.Wins, e.Best.Losses, sub.Wt, sub.Lt, p.ByWins))
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
    if (Binomial(openCount, pick.Count) > kMostSubsets) {
        for (int i : open)
            sub.Roles[Idx(i)] = pick.Maybe;
        sub.Choose = pick.Count;
        return exact ? Verdict(race::SolveByProgram(sub, &finals) && found()) : TVerdict::Unknown;
    }
    const std::vector<int> classes = SwapClasses(p, sub.T);
    auto give = [&](const std::vector<int>& picked) {
        for (int i : open)
            sub.Roles[Idx(i)] = std::find(picked.begin(), picked.end(), i) == picked.end() ? pick.Rest : pick.Picked;
    };
    const bool quick = AnySubset(open, pick.Count, classes, [&](const std::vector<int>& picked) {
        give(picked);
        return Quick(sub, &finals) && found();
    });
    if (quick || !p.Draws)
        return Verdict(quick);
    bool undecided = false;
    const bool solved = AnySubset(open, pick.Count, classes, [&](const std::vector<int>& picked) {
        give(picked);
        if (GroupsFail(sub))
            return false;
        undecided = true;
        return exact && race::SolveByProgram(sub, &finals) && found();
    });
    return solved ? TVerdict::Yes : !undecided || exact ? TVerdict::No : TVerdict::Unknown;
}

// Can team t finish `place` or better when it loses `losses` of its remaining
// games? Losing more never helps a team, nor does a draw where it could win,
// so it wins every other game; its losses go first to teams outside the
// district, where they lift no rival, and its rivals lose there. Rivals in
// `leftOut` neither count nor are held. The rivals that may pass it are
// picked among the open ones; the others are held below it.
TVerdict CanReach(const TProblem& p, int t, int place, int losses, const std::vector<bool>& leftOut,
                  std::vector<TFinal>* witness, bool exact = true) {
    const TFinal& base = p.Base[Idx(t)];
    TSub sub = SubFor(p, t, base.Wins + p.Remain(t) - losses, base.Losses + losses,
                      losses - std::min(losses, p.Outside[Idx(t)]), false);
    std::vector<int> open;
    const int room = place - 1 - SortRivals(sub, leftOut, open); // rivals that may still pass t
    if (room < 0)
        return TVerdict::No;
    return AnyPick(
        sub, open, {room, TRole::Free, TRole::Below, TRole::MaybeBelow},
        [&](const std::vector<TFinal>& finals) { return CountAbove(p, finals, t, leftOut) <= place - 1; }, witness,
        exact);
}

// Can team t finish below `place` although it wins `wins` of its remaining
// games? The reverse of CanReach: it loses every other game, its wins come
// first against teams outside the district, and its rivals win there. The
// rivals that must pass it are picked among the open ones; the others are
// free.
TVerdict CanMiss(const TProblem& p, int t, int place, int wins, std::vector<TFinal>* witness, bool exact = true) {
    const TFinal& base = p.Base[Idx(t)];
    TSub sub = SubFor(p, t, base.Wins + wins, base.Losses + p.Remain(t) - wins,
                      p.Versus(t) - (wins - std::min(wins, p.Outside[Idx(t)])), true);
    const std::vector<bool> none(Idx(p.Count()), false);
    std::vector<int> open;
    const int need = place - SortRivals(sub, none, open); // rivals that must still pass t
    if (need > static_cast<int>(open.size()))
        return TVerdict::No;
    return AnyPick(
        sub, open, {need, TRole::Above, TRole::Free, TRole::MaybeAbove},
        [&](const std::vector<TFinal>& finals) { return CountAbove(p, finals, t, none) >= place; }, witness, exact);
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

} // namespace

// What is decided for one team and place, before it is put in words.
struct TDecision {
    bool Out = false;
    std::optional<int> Clinch, Elimination;
    std::vector<TFinal> Scenario; // when it can make it
    std::vector<int> Rivals;      // when it cannot: the rivals that keep it out
};

struct TTitleRace::TState {
    TProblem P;
    // Teams that can swap places (same record, same games left against the
    // same teams) have the same answers: each class is decided once.
    std::vector<int> Class;
    std::map<std::pair<int, int>, TDecision> Decided;

    TDecision Decide(int team, int place) const;
};

TTitleRace::TTitleRace(TRaceInput input) : In(std::move(input)), State(std::make_unique<TState>()) {
    TProblem& p = State->P;
    p.ByWins = In.ByWins;
    p.Draws = In.DrawRule == 0;
    const size_t n = In.Teams.size();
    p.Games.assign(n, std::vector<int>(n, 0));
    for (size_t i = 0; i < n; ++i) {
        const TRaceTeam& t = In.Teams[i];
        // A game against itself gives the team one win and one loss.
        p.Base.push_back({t.Wins + t.SelfGames, t.Losses + t.SelfGames, t.Draws});
        p.Outside.push_back(t.Outside);
        for (size_t j = 0; j < n && i < In.Games.size(); ++j)
            if (j != i && j < In.Games[i].size())
                p.Games[i][j] = std::max(0, In.Games[i][j]);
    }
    for (size_t i = 0; i < n; ++i) // keep it symmetric whatever the caller gave
        for (size_t j = i + 1; j < n; ++j)
            p.Games[j][i] = p.Games[i][j];
    for (size_t i = 0; i < n; ++i) {
        State->Class.push_back(static_cast<int>(i));
        for (size_t j = 0; j < i; ++j) {
            const TFinal &a = p.Base[i], &b = p.Base[j];
            bool same = State->Class[j] == static_cast<int>(j) && a.Wins == b.Wins && a.Losses == b.Losses &&
                        a.Draws == b.Draws && p.Outside[i] == p.Outside[j];
            for (size_t k = 0; same && k < n; ++k)
                same = k == i || k == j || p.Games[i][k] == p.Games[j][k];
            if (same) {
                State->Class[i] = static_cast<int>(j);
                break;
            }
        }
    }
}

TTitleRace::~TTitleRace() = default;

TDecision TTitleRace::TState::Decide(int team, int place) const {
    TDecision d;
    const int remain = P.Remain(team);
    const std::vector<bool> none(Idx(P.Count()), false);
    auto reach = [&](int losses, bool exact) { return CanReach(P, team, place, losses, none, nullptr, exact); };
    auto miss = [&](int wins, bool exact) { return CanMiss(P, team, place, wins, nullptr, exact); };
    if (CanReach(P, team, place, 0, none, &d.Scenario) == TVerdict::No) {
        d.Out = true;
        d.Elimination = 0;
        // The fewest rivals that finish above it in every completion: leave
        // out, one by one, each rival without whom it still cannot make it.
        std::vector<bool> leftOut(Idx(P.Count()), false);
        for (int i = P.Count() - 1; i >= 0; --i) {
            if (i == team)
                continue;
            leftOut[Idx(i)] = true;
            if (CanReach(P, team, place, 0, leftOut, nullptr) == TVerdict::Yes)
                leftOut[Idx(i)] = false;
        }
        for (int i = 0; i < P.Count(); ++i)
            if (i != team && !leftOut[Idx(i)])
                d.Rivals.push_back(i);
        return d;
    }
    d.Elimination = FirstNo(remain, reach);
    d.Clinch = miss(0, true) == TVerdict::No ? std::optional<int>(0) : FirstNo(remain, miss);
    return d;
}

TRaceAnswer TTitleRace::Decide(int team, int place) const {
    const TProblem& p = State->P;
    TRaceAnswer a;
    if (team < 0 || team >= p.Count())
        return a;
    place = std::max(place, 1);
    // Decided for the first team of its class, then seen from this one: the
    // two swap places in the scenario and among the rivals.
    const int first = State->Class[Idx(team)];
    auto known = State->Decided.find({first, place});
    if (known == State->Decided.end())
        known = State->Decided.emplace(std::pair(first, place), State->Decide(first, place)).first;
    const TDecision& d = known->second;
    auto swapped = [&](int i) { return i == first ? team : i == team ? first : i; };
    a.ClinchNumber = d.Clinch;
    a.EliminationNumber = d.Elimination;
    if (d.Out) {
        a.Status = TRaceStatus::Eliminated;
        std::vector<int> rivals;
        for (int i : d.Rivals)
            rivals.push_back(swapped(i));
        std::sort(rivals.begin(), rivals.end());
        a.Reason = EliminationReason(team, place, rivals);
        return a;
    }
    for (int i = 0; i < p.Count(); ++i) {
        const TFinal& f = d.Scenario[Idx(swapped(i))];
        a.Scenario.push_back({In.Teams[Idx(i)].Symbol, f.Wins, f.Losses, f.Draws});
    }
    a.Status = !a.ClinchNumber        ? TRaceStatus::Dependent
               : *a.ClinchNumber == 0 ? TRaceStatus::Clinched
                                      : TRaceStatus::Magic;
    return a;
}

std::string TTitleRace::EliminationReason(int team, int place, const std::vector<int>& rivals) const {
    const TProblem& p = State->P;
    const TFinal& base = p.Base[Idx(team)];
    const int wins = base.Wins + p.Remain(team), losses = base.Losses;
    // What the team reaches at best.
    std::string best = FormatRate(race::Rate(wins, losses));
    if (p.ByWins)
        best = std::to_string(wins) + S("勝(勝率") + best + S(")");
    std::vector<std::string> names;
    int games = 0;
    bool eachAlone = true; // every one of them finishes above it even losing all its games
    for (size_t k = 0; k < rivals.size(); ++k) {
        const int i = rivals[k];
        const TRaceTeam& r = In.Teams[Idx(i)];
        names.push_back(r.ShortName.empty() ? r.Symbol : r.ShortName);
        for (size_t l = k + 1; l < rivals.size(); ++l)
            games += p.Games[Idx(i)][Idx(rivals[l])];
        const TFinal& b = p.Base[Idx(i)];
        eachAlone = eachAlone && Above(b.Wins, b.Losses + p.Remain(i), wins, losses, p.ByWins);
    }
    const std::string self = In.Teams[Idx(team)].ShortName;
    const std::string all = S("残り") + std::to_string(p.Remain(team)) + S("試合に全勝しても");
    if (rivals.empty()) // cannot happen: some rival must be above it
        return self + S("は") + all + S("届かない");
    if (eachAlone)
        return all + best + S("止まりで、") + JoinNames(names) + S("は残りに全敗してもそれを上回る");
    const std::string count = std::to_string(games);
    std::string how;
    if (!p.Draws && place == 1)
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
    in.Games.assign(Idx(n), std::vector<int>(Idx(n), 0));
    for (int i = 0; i < n; ++i) {
        const TTmRec& r = calc.Items(i);
        TRaceTeam t;
        t.Symbol = r.Symbol;
        t.ShortName = pennant.ShortNameBySymbol(r.Symbol);
        t.Rank = r.RankNo;
        t.Wins = r.Wins();
        t.Losses = r.Losses();
        t.Draws = r.Draws();
        t.Remain = r.Remain();
        t.Magic = calc.Magic(i, s.ByWins);
        for (const TGameEntry& e : r.GameList) {
            if (e.Status != StatusBefore)
                continue;
            const auto found = index.find(e.Opponent);
            const int j = found == index.end() ? -1 : found->second;
            if (j < 0)
                ++t.Outside;
            else if (j == i)
                t.SelfGames += e.IsVisitor == 0; // its list holds both sides of such a game
            else if (i < j) {                    // the other side's entry is the same game
                ++in.Games[Idx(i)][Idx(j)];
                ++in.Games[Idx(j)][Idx(i)];
            }
        }
        in.Teams.push_back(std::move(t));
    }
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
        return S("自力消滅");
    case TRaceStatus::Eliminated:
        return S("消滅");
    }
    return {};
}

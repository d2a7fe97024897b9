// Leagues without draws: every remaining game gives one win, and a team's
// final number of decided games is fixed, so "not above T" and "above T" are
// bounds on its wins alone. Whether the open games can be given out within
// those bounds is a maximum flow (games -> teams -> sink).
#include "core/race/RaceProblem.h"

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/push_relabel_max_flow.hpp>

#include <numeric>

namespace race {

int TProblem::Versus(int t) const {
    const std::vector<int>& row = Games[static_cast<size_t>(t)];
    return std::accumulate(row.begin(), row.end(), 0);
}

int RankOf(const std::vector<TFinal>& finals, int team, bool byWins) {
    const TFinal& me = finals[static_cast<size_t>(team)];
    int rank = 1;
    for (const TFinal& f : finals)
        rank += Above(f.Wins, f.Losses, me.Wins, me.Losses, byWins);
    return rank;
}

namespace {

class TFlowNet {
    using Traits = boost::adjacency_list_traits<boost::vecS, boost::vecS, boost::directedS>;
    using Graph = boost::adjacency_list<
        boost::vecS, boost::vecS, boost::directedS, boost::no_property,
        boost::property<boost::edge_capacity_t, long,
                        boost::property<boost::edge_residual_capacity_t, long,
                                        boost::property<boost::edge_reverse_t, Traits::edge_descriptor>>>>;

public:
    explicit TFlowNet(int nodes) : G(static_cast<size_t>(nodes)) {}

    int Edge(int from, int to, long capacity) {
        auto forward = boost::add_edge(static_cast<size_t>(from), static_cast<size_t>(to), G).first;
        auto backward = boost::add_edge(static_cast<size_t>(to), static_cast<size_t>(from), G).first;
        boost::put(boost::edge_capacity, G, forward, capacity);
        boost::put(boost::edge_capacity, G, backward, 0);
        boost::put(boost::edge_reverse, G, forward, backward);
        boost::put(boost::edge_reverse, G, backward, forward);
        Edges.push_back(forward);
        return static_cast<int>(Edges.size()) - 1;
    }
    long Run(int source, int sink) {
        return boost::push_relabel_max_flow(G, static_cast<size_t>(source), static_cast<size_t>(sink));
    }
    // The nodes still reachable from the source through edges with room
    // left: the source side of a minimum cut.
    std::vector<bool> SourceSide(int source) const {
        std::vector<bool> seen(boost::num_vertices(G), false);
        std::vector<size_t> queue{static_cast<size_t>(source)};
        seen[static_cast<size_t>(source)] = true;
        while (!queue.empty()) {
            const size_t v = queue.back();
            queue.pop_back();
            for (const auto e : boost::make_iterator_range(boost::out_edges(v, G))) {
                const size_t w = boost::target(e, G);
                if (!seen[w] && boost::get(boost::edge_residual_capacity, G, e) > 0) {
                    seen[w] = true;
                    queue.push_back(w);
                }
            }
        }
        return seen;
    }
    void SetCapacity(int edge, long capacity) {
        boost::put(boost::edge_capacity, G, Edges[static_cast<size_t>(edge)], capacity);
    }
    long Flow(int edge) const {
        const auto e = Edges[static_cast<size_t>(edge)];
        return boost::get(boost::edge_capacity, G, e) - boost::get(boost::edge_residual_capacity, G, e);
    }

private:
    Graph G;
    std::vector<Traits::edge_descriptor> Edges;
};

// The games of one subproblem as a network: from the source, T's games
// against the rivals (the rivals' share of them) and each open pair's games;
// from there to the teams that may win them; from each team to the sink, as
// many wins as it may (or must) take.
class TGameFlow {
public:
    explicit TGameFlow(const TSub& sub)
        : Sub(sub), P(*sub.P), N(sub.P->Count()), Pairs(OpenPairs(sub)), Net(NodeCount()) {
        Total = Sub.RivalWinsVsT;
        Net.Edge(kSource, kGamesOfT, Sub.RivalWinsVsT);
        FromT.assign(Idx(N), -1);
        for (int j = 0; j < N; ++j)
            if (j != Sub.T && P.Games[Idx(Sub.T)][Idx(j)] > 0)
                FromT[Idx(j)] = Net.Edge(kGamesOfT, TeamNode(j), P.Games[Idx(Sub.T)][Idx(j)]);
        for (size_t k = 0; k < Pairs.size(); ++k) {
            TPair& pr = Pairs[k];
            const int node = kFirstPair + static_cast<int>(k);
            Net.Edge(kSource, node, pr.Games);
            pr.ToI = Net.Edge(node, TeamNode(pr.I), pr.Games);
            Net.Edge(node, TeamNode(pr.J), pr.Games);
            Total += pr.Games;
        }
        ToSink.assign(Idx(N), -1);
        for (int i = 0; i < N; ++i)
            if (i != Sub.T)
                ToSink[Idx(i)] = Net.Edge(TeamNode(i), kSink, 0);
    }

    // All the wins the games give out.
    long TotalWins() const { return Total; }
    // Team i takes at most `wins` of them (until it is given another cap).
    void Cap(int i, long wins) { Net.SetCapacity(ToSink[Idx(i)], wins); }
    // The most wins the teams can take within their caps.
    long Run() { return Net.Run(kSource, kSink); }
    // After a run: the teams on the source side of a minimum cut.
    std::vector<int> CutTeams() const {
        const std::vector<bool> side = Net.SourceSide(kSource);
        std::vector<int> teams;
        for (int i = 0; i < N; ++i)
            if (i != Sub.T && side[Idx(TeamNode(i))])
                teams.push_back(i);
        return teams;
    }

    // The final records of the flow; games the flow left open go to whoever
    // can take them.
    std::vector<TFinal> Finals() const {
        std::vector<TFinal> finals(Idx(N));
        for (int i = 0; i < N; ++i)
            if (i != Sub.T)
                finals[Idx(i)] = Sub.Start[Idx(i)];
        for (const TPair& pr : Pairs) {
            const int wi = static_cast<int>(Net.Flow(pr.ToI));
            const int wj = pr.Games - wi; // the rest: flowed to j, or open
            finals[Idx(pr.I)].Wins += wi;
            finals[Idx(pr.I)].Losses += wj;
            finals[Idx(pr.J)].Wins += wj;
            finals[Idx(pr.J)].Losses += wi;
        }
        const std::vector<int> winsVsT = RivalWinsVsT();
        for (int j = 0; j < N; ++j)
            if (j != Sub.T) {
                finals[Idx(j)].Wins += winsVsT[Idx(j)];
                finals[Idx(j)].Losses += P.Games[Idx(Sub.T)][Idx(j)] - winsVsT[Idx(j)];
            }
        finals[Idx(Sub.T)] = {Sub.Wt, Sub.Lt, P.Base[Idx(Sub.T)].Draws};
        return finals;
    }

private:
    static size_t Idx(int i) { return static_cast<size_t>(i); }
    // Nodes: source, sink, T's games, one per open pair, one per team.
    static constexpr int kSource = 0, kSink = 1, kGamesOfT = 2, kFirstPair = 3;
    struct TPair {
        int I, J, Games;
        int ToI = 0; // the edge of i's wins
    };

    static std::vector<TPair> OpenPairs(const TSub& sub) {
        const TProblem& p = *sub.P;
        std::vector<TPair> pairs;
        for (int i = 0; i < p.Count(); ++i)
            for (int j = i + 1; j < p.Count(); ++j)
                if (i != sub.T && j != sub.T && p.Games[Idx(i)][Idx(j)] > 0)
                    pairs.push_back({i, j, p.Games[Idx(i)][Idx(j)]});
        return pairs;
    }
    int NodeCount() const { return TeamNode(N); }
    int TeamNode(int i) const { return kFirstPair + static_cast<int>(Pairs.size()) + i; }

    // Each rival's wins against T: as the flow gave them, then the rest of
    // the rivals' share to the first with games left to win.
    std::vector<int> RivalWinsVsT() const {
        long spare = Sub.RivalWinsVsT;
        std::vector<int> wins(Idx(N), 0);
        for (int j = 0; j < N; ++j)
            if (FromT[Idx(j)] >= 0) {
                wins[Idx(j)] = static_cast<int>(Net.Flow(FromT[Idx(j)]));
                spare -= wins[Idx(j)];
            }
        for (int j = 0; j < N && spare > 0; ++j)
            if (j != Sub.T) {
                const int more = static_cast<int>(std::min<long>(spare, P.Games[Idx(Sub.T)][Idx(j)] - wins[Idx(j)]));
                wins[Idx(j)] += more;
                spare -= more;
            }
        return wins;
    }

    const TSub& Sub;
    const TProblem& P;
    const int N;
    std::vector<TPair> Pairs; // before the network: they size it
    TFlowNet Net;
    long Total = 0;
    std::vector<int> FromT;  // per rival: the edge of its wins against T, -1 without games
    std::vector<int> ToSink; // per rival: the edge of the wins it takes
};

// The most wins rival i can end with and not finish above T; fewer than it
// has already when even none more keep it below.
int MostWinsBelow(const TSub& sub, int i) {
    const TFinal& s = sub.Start[static_cast<size_t>(i)];
    const int open = sub.P->Versus(i);            // its games against T included
    const int decided = s.Wins + s.Losses + open; // no draws: every game decides
    for (int w = s.Wins + open; w >= s.Wins; --w)
        if (!Above(w, decided - w, sub.Wt, sub.Lt, sub.P->ByWins))
            return w;
    return s.Wins - 1;
}

// The fewest wins that lift rival i above T (or level with it, where that
// will do), or -1 when none do.
int FewestWinsAbove(const TSub& sub, int i) {
    const TFinal& s = sub.Start[static_cast<size_t>(i)];
    const int open = sub.P->Versus(i);
    const int decided = s.Wins + s.Losses + open;
    for (int w = s.Wins; w <= s.Wins + open; ++w)
        if (sub.Over(w, decided - w))
            return w;
    return -1;
}

// Whether the flow can answer a subproblem: every rival free, held below T
// or lifted above it, and none held while others are lifted.
bool FlowServes(const TSub& sub, bool lifting) {
    for (int i = 0; i < sub.P->Count(); ++i) {
        if (i == sub.T)
            continue;
        const TRole role = sub.Roles[static_cast<size_t>(i)];
        if (role == TRole::MaybeBelow || role == TRole::MaybeAbove || (role == TRole::Below && lifting))
            return false;
    }
    return true;
}

} // namespace

TLiftDemands::TLiftDemands(const TSub& sub) : Sub(sub), Need(static_cast<size_t>(sub.P->Count()), -1) {
    const TProblem& p = *sub.P;
    const int n = p.Count();
    Supply.assign(static_cast<size_t>(n), 0);
    for (int i = 0; i < n; ++i) {
        if (i == sub.T)
            continue;
        for (int j = 0; j < n; ++j)
            if (j != sub.T)
                Supply[static_cast<size_t>(i)] += p.Games[static_cast<size_t>(i)][static_cast<size_t>(j)];
        const int least = FewestWinsAbove(sub, i);
        Need[static_cast<size_t>(i)] = least < 0 ? -1 : least - sub.Start[static_cast<size_t>(i)].Wins;
    }
}

bool TLiftDemands::Fits(const std::vector<int>& set) const {
    const int newest = set.back();
    if (Need[static_cast<size_t>(newest)] < 0)
        return false;
    const TProblem& p = *Sub.P;
    const size_t others = set.size() - 1;
    for (size_t mask = 0; mask < (size_t{1} << others); ++mask) {
        long need = 0, supply = 0, vsT = 0;
        for (size_t a = 0; a <= others; ++a) {
            if (a < others && !(mask >> a & 1))
                continue;
            const auto i = static_cast<size_t>(set[a]);
            need += Need[i];
            supply += Supply[i];
            vsT += p.Games[static_cast<size_t>(Sub.T)][i];
            for (size_t b = 0; b < a; ++b)
                if (mask >> b & 1)
                    supply -= p.Games[i][static_cast<size_t>(set[b])];
        }
        if (need > supply + std::min<long>(vsT, Sub.RivalWinsVsT))
            return false;
    }
    return true;
}

struct TFlowSolver::TNet {
    explicit TNet(const TSub& sub) : Flow(sub) {}
    TGameFlow Flow;
    std::vector<int> MostBelow, LeastAbove; // per rival, found when first needed (-2: not yet)
};

TFlowSolver::TFlowSolver(const TSub& sub) : Sub(sub) {}
TFlowSolver::~TFlowSolver() = default;

bool TFlowSolver::Solve(std::vector<TFinal>* finals, TFlowShort* shortOf) {
    const int n = Sub.P->Count();
    bool lifting = false;
    for (int i = 0; i < n; ++i)
        lifting = lifting || (i != Sub.T && Sub.Roles[static_cast<size_t>(i)] == TRole::Above);
    if (!FlowServes(Sub, lifting))
        return SolveByProgram(Sub, finals);
    if (!Net) {
        Net = std::make_unique<TNet>(Sub);
        Net->MostBelow.assign(static_cast<size_t>(n), -2);
        Net->LeastAbove.assign(static_cast<size_t>(n), -2);
    }
    TGameFlow& flow = Net->Flow;
    // Held below T, every open game must find a team that can take its win;
    // lifted above T, the rivals' demands must be met (the rest goes anywhere).
    long demand = 0;
    for (int i = 0; i < n; ++i) {
        if (i == Sub.T)
            continue;
        const auto k = static_cast<size_t>(i);
        const int has = Sub.Start[k].Wins;
        switch (Sub.Roles[k]) {
        case TRole::Free:
            flow.Cap(i, lifting ? 0 : flow.TotalWins() + 1);
            break;
        case TRole::Below: {
            if (Net->MostBelow[k] == -2)
                Net->MostBelow[k] = MostWinsBelow(Sub, i);
            const int most = Net->MostBelow[k];
            if (most < has) {
                if (shortOf)
                    *shortOf = {-1, {i}};
                return false;
            }
            flow.Cap(i, most - has);
            break;
        }
        default: { // Above
            if (Net->LeastAbove[k] == -2)
                Net->LeastAbove[k] = FewestWinsAbove(Sub, i);
            const int least = Net->LeastAbove[k];
            if (least < 0)
                return false;
            flow.Cap(i, least - has);
            demand += least - has;
            break;
        }
        }
    }
    const long wins = flow.Run();
    if (wins < (lifting ? demand : flow.TotalWins())) {
        // Held below T, the teams on the source side of a minimum cut are
        // held rivals (a free one there would make the cut endless) whose
        // games among themselves and against T give out more wins than they
        // can all take: one of them at least must be let go.
        if (shortOf && !lifting)
            *shortOf = {flow.TotalWins() - wins, flow.CutTeams()};
        return false;
    }
    if (finals)
        *finals = flow.Finals();
    return true;
}

bool SolveByFlow(const TSub& sub, std::vector<TFinal>* finals, TFlowShort* shortOf) {
    return TFlowSolver(sub).Solve(finals, shortOf);
}

} // namespace race

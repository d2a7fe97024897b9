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
    long Flow(int edge) const {
        const auto e = Edges[static_cast<size_t>(edge)];
        return boost::get(boost::edge_capacity, G, e) - boost::get(boost::edge_residual_capacity, G, e);
    }

private:
    Graph G;
    std::vector<Traits::edge_descriptor> Edges;
};

} // namespace

bool SolveByFlow(const TSub& sub, std::vector<TFinal>* finals) {
    const TProblem& p = *sub.P;
    const int n = p.Count();
    const auto idx = [](int i) { return static_cast<size_t>(i); };
    // Nodes: source, sink, T's games, one per open pair, one per team.
    struct TPair {
        int I, J, Games, Node, ToI, ToJ;
    };
    std::vector<TPair> pairs;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (i != sub.T && j != sub.T && p.Games[idx(i)][idx(j)] > 0)
                pairs.push_back({i, j, p.Games[idx(i)][idx(j)], 0, 0, 0});
    const int source = 0, sink = 1, tNode = 2, firstPair = 3;
    const int firstTeam = firstPair + static_cast<int>(pairs.size());
    TFlowNet net(firstTeam + n);

    long total = sub.RivalWinsVsT, demand = 0;
    net.Edge(source, tNode, sub.RivalWinsVsT);
    std::vector<int> fromT(idx(n), -1);
    for (int j = 0; j < n; ++j)
        if (j != sub.T && p.Games[idx(sub.T)][idx(j)] > 0)
            fromT[idx(j)] = net.Edge(tNode, firstTeam + j, p.Games[idx(sub.T)][idx(j)]);
    for (size_t k = 0; k < pairs.size(); ++k) {
        TPair& pr = pairs[k];
        pr.Node = firstPair + static_cast<int>(k);
        net.Edge(source, pr.Node, pr.Games);
        pr.ToI = net.Edge(pr.Node, firstTeam + pr.I, pr.Games);
        pr.ToJ = net.Edge(pr.Node, firstTeam + pr.J, pr.Games);
        total += pr.Games;
    }
    // Held below T, every open game must find a team that can take its win;
    // lifted above T, the rivals' demands must be met (the rest goes anywhere).
    bool lifting = false;
    for (int i = 0; i < n; ++i)
        lifting = lifting || (i != sub.T && sub.Roles[idx(i)] == TRole::Above);
    for (int i = 0; i < n; ++i) {
        if (i == sub.T)
            continue;
        const TFinal& s = sub.Start[idx(i)];
        const int open = p.Versus(i);                 // its games against T included
        const int decided = s.Wins + s.Losses + open; // no draws: every game decides
        switch (sub.Roles[idx(i)]) {
        case TRole::Free:
            if (!lifting)
                net.Edge(firstTeam + i, sink, total + 1);
            break;
        case TRole::Below: {
            if (lifting)
                return SolveByProgram(sub, finals);
            int most = s.Wins - 1; // the most wins that keep it from finishing above T
            for (int w = s.Wins + open; w >= s.Wins; --w)
                if (!Above(w, decided - w, sub.Wt, sub.Lt, p.ByWins)) {
                    most = w;
                    break;
                }
            if (most < s.Wins)
                return false;
            net.Edge(firstTeam + i, sink, most - s.Wins);
            break;
        }
        case TRole::Above: {
            int least = -1; // the fewest wins that lift it above T
            for (int w = s.Wins; w <= s.Wins + open; ++w)
                if (Above(w, decided - w, sub.Wt, sub.Lt, p.ByWins)) {
                    least = w;
                    break;
                }
            if (least < 0)
                return false;
            net.Edge(firstTeam + i, sink, least - s.Wins);
            demand += least - s.Wins;
            break;
        }
        default:
            return SolveByProgram(sub, finals);
        }
    }
    const long flow = net.Run(source, sink);
    if (lifting ? flow < demand : flow < total)
        return false;
    if (!finals)
        return true;

    // The games the flow left open go to whoever can take them.
    finals->assign(idx(n), TFinal{});
    for (int i = 0; i < n; ++i)
        if (i != sub.T)
            (*finals)[idx(i)] = sub.Start[idx(i)];
    for (const TPair& pr : pairs) {
        const int wi = static_cast<int>(net.Flow(pr.ToI));
        const int wj = pr.Games - wi; // the rest: flowed to j, or open
        (*finals)[idx(pr.I)].Wins += wi;
        (*finals)[idx(pr.I)].Losses += wj;
        (*finals)[idx(pr.J)].Wins += wj;
        (*finals)[idx(pr.J)].Losses += wi;
    }
    long spare = sub.RivalWinsVsT;
    std::vector<int> winsVsT(idx(n), 0);
    for (int j = 0; j < n; ++j)
        if (fromT[idx(j)] >= 0) {
            winsVsT[idx(j)] = static_cast<int>(net.Flow(fromT[idx(j)]));
            spare -= winsVsT[idx(j)];
        }
    for (int j = 0; j < n && spare > 0; ++j)
        if (j != sub.T) {
            const int more = static_cast<int>(std::min<long>(spare, p.Games[idx(sub.T)][idx(j)] - winsVsT[idx(j)]));
            winsVsT[idx(j)] += more;
            spare -= more;
        }
    for (int j = 0; j < n; ++j)
        if (j != sub.T) {
            (*finals)[idx(j)].Wins += winsVsT[idx(j)];
            (*finals)[idx(j)].Losses += p.Games[idx(sub.T)][idx(j)] - winsVsT[idx(j)];
        }
    (*finals)[idx(sub.T)] = {sub.Wt, sub.Lt, p.Base[idx(sub.T)].Draws};
    return true;
}

} // namespace race

#include "core/odds/SeasonOdds.h"

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <unordered_map>

namespace {

size_t Idx(int i) {
    return static_cast<size_t>(i);
}

// The splitmix64 finalizer: a strong 64-bit mix, the seeding step of most
// small generators.
uint64_t Mix(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// The random stream of one simulated season: splitmix64 started from a state
// derived from the seed and the season's index. It costs nothing to start
// (a million seasons start a million streams) and depends on nothing else,
// so a season draws the same numbers on whichever thread plays it. The
// standard engines take hundreds of words to seed, and their distributions
// may differ between libraries; thresholds on the raw bits do not.
class TStream {
public:
    TStream(uint64_t seed, uint64_t index) : State(Mix(seed ^ Mix(index + 0x632BE59BD9B4E019ULL))) {}
    uint64_t Next() {
        State += 0x9E3779B97F4A7C15ULL;
        return Mix(State);
    }

private:
    uint64_t State;
};

// A chance as a threshold on 32 random bits: a number below it has that
// chance (2^32 itself: always).
uint64_t Threshold(double chance) {
    if (!(chance > 0))
        return 0;
    if (chance >= 1)
        return uint64_t{1} << 32;
    return static_cast<uint64_t>(std::ldexp(chance, 32));
}

struct TFinished {
    long long Games = 0, RunsFor = 0, RunsAgainst = 0;
};

// WinRate as the calculator computes it.
int64_t WinRate(int64_t wins, int64_t losses) {
    const int64_t decided = wins + losses;
    return decided == 0 ? 0 : wins * 1000000 / decided;
}

// A key that orders records as the standings rank them, equal for teams level.
uint64_t RankKey(int64_t wins, int64_t losses, bool byWins) {
    const uint64_t rate = static_cast<uint64_t>(WinRate(wins, losses));
    return byWins ? (static_cast<uint64_t>(wins) << 21) | rate : rate;
}

// One game prepared for the inner loop: rows, with row n standing for every
// team outside the district (its counts are never read).
struct TPlay {
    uint32_t Home, Visitor;
    uint64_t Draw, HomeWin; // thresholds on 32 bits: below Draw a draw, below HomeWin a home win
};

struct TSimulator {
    const TOddsInput& In;
    int N;
    int Place;
    uint64_t Seed;
    std::vector<TPlay> Plays;
    std::vector<int> Wins0, Draws0;
    std::vector<int> LossBase; // losses + wins + draws + games to play: less final wins and draws, final losses
    bool AnyDraw = false;

    TSimulator(const TOddsInput& input, int place, uint64_t seed)
        : In(input), N(static_cast<int>(input.Teams.size())), Place(place), Seed(seed) {
        const uint32_t outside = static_cast<uint32_t>(N);
        for (const TOddsGame& g : In.Games) {
            TPlay p;
            p.Home = g.Home < 0 ? outside : static_cast<uint32_t>(g.Home);
            p.Visitor = g.Visitor < 0 ? outside : static_cast<uint32_t>(g.Visitor);
            p.Draw = Threshold(g.Draw);
            p.HomeWin = std::max(p.Draw, Threshold(g.Draw + (1 - g.Draw) * g.HomeWin));
            Plays.push_back(p);
        }
        for (const TOddsTeam& t : In.Teams) {
            Wins0.push_back(t.Wins);
            Draws0.push_back(t.Draws);
            LossBase.push_back(t.Losses + t.Wins + t.Draws);
        }
        for (const TPlay& p : Plays) {
            AnyDraw = AnyDraw || p.Draw > 0;
            for (uint32_t side : {p.Home, p.Visitor})
                if (side < outside)
                    ++LossBase[side];
        }
    }

    void Run(long long first, long long count, TOddsTally& tally, const std::atomic<bool>* cancel) const {
        const size_t n = Idx(N);
        std::vector<int> w(n + 1), l(n + 1), d(n + 1);
        std::vector<std::pair<uint64_t, int>> order(n);
        const uint64_t whole = uint64_t{1} << kShareBits;
        for (long long k = 0; k < count; ++k) {
            if (cancel && (k & 1023) == 0 && cancel->load(std::memory_order_relaxed))
                return;
            TStream rng(Seed, static_cast<uint64_t>(first + k));
            std::copy(Wins0.begin(), Wins0.end(), w.begin());
            std::copy(Draws0.begin(), Draws0.end(), d.begin());
            // Branch-free: whether the home side won is a coin flip no predictor
            // guesses. A draw lies below both thresholds, a home win below the
            // second only; losses follow from the games played.
            // 32 random bits a game (a chance to within 2^-32), two games a draw.
            const size_t games = Plays.size();
            uint64_t bits = 0;
            if (AnyDraw) {
                for (size_t g = 0; g < games; ++g) {
                    bits = (g & 1) ? bits >> 32 : rng.Next();
                    const uint32_t u = static_cast<uint32_t>(bits);
                    const TPlay& p = Plays[g];
                    const int draw = u < p.Draw, home = u < p.HomeWin;
                    w[p.Home] += home - draw;
                    w[p.Visitor] += 1 - home;
                    d[p.Home] += draw;
                    d[p.Visitor] += draw;
                }
            } else {
                for (size_t g = 0; g < games; ++g) {
                    bits = (g & 1) ? bits >> 32 : rng.Next();
                    const TPlay& p = Plays[g];
                    const int home = static_cast<uint32_t>(bits) < p.HomeWin;
                    w[p.Home] += home;
                    w[p.Visitor] += 1 - home;
                }
            }
            for (size_t t = 0; t < n; ++t)
                l[t] = LossBase[t] - w[t] - d[t];
            for (size_t t = 0; t < n; ++t)
                order[t] = {RankKey(w[t], l[t], In.ByWins), static_cast<int>(t)};
            std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
            for (size_t start = 0; start < n;) {
                size_t end = start + 1;
                while (end < n && order[end].first == order[start].first)
                    ++end;
                const uint64_t g = end - start;
                const uint64_t each = whole / g;
                const uint64_t slots = std::min<uint64_t>(g, Idx(Place) > start ? Idx(Place) - start : 0);
                const uint64_t top = slots == g ? whole : (slots << kShareBits) / g;
                for (size_t i = start; i < end; ++i) {
                    const size_t t = Idx(order[i].second);
                    if (start == 0) {
                        tally.First[t] += each;
                        tally.FullFirst[t] += g == 1;
                    } else {
                        ++tally.NoneFirst[t];
                    }
                    tally.Top[t] += top;
                    if (slots == g)
                        ++tally.FullTop[t];
                    else if (slots == 0)
                        ++tally.NoneTop[t];
                    uint64_t* places = &tally.Places[t * n];
                    for (size_t q = start; q < end; ++q)
                        places[q] += each;
                    tally.SumWins[t] += w[t];
                    tally.SumLosses[t] += l[t];
                    tally.SumDraws[t] += d[t];
                    ++tally.WinsFrom[t][Idx(w[t] - Wins0[t])];
                }
                start = end;
            }
            ++tally.Runs;
        }
    }
};

} // namespace

const char* OddsModelName(TOddsModel model) {
    return model == TOddsModel::Even ? "even" : "runs";
}

std::optional<TOddsModel> OddsModelFromName(const std::string& name) {
    if (name == "even")
        return TOddsModel::Even;
    if (name == "runs")
        return TOddsModel::Runs;
    return std::nullopt;
}

double RunsStrength(long long games, long long runsFor, long long runsAgainst) {
    double pythagorean = 0.5;
    if (games > 0 && runsFor + runsAgainst > 0) {
        const double x = std::pow(static_cast<double>(runsFor + runsAgainst) / static_cast<double>(games), 0.287);
        const double a = std::pow(static_cast<double>(runsFor), x), b = std::pow(static_cast<double>(runsAgainst), x);
        pythagorean = a / (a + b);
    }
    const double g = static_cast<double>(games);
    return (g * pythagorean + 40 * 0.5) / (g + 40);
}

double HomeWinChance(double home, double visitor, double homeShare) {
    const double q = home * (1 - visitor) / (home * (1 - visitor) + visitor * (1 - home));
    const double h = homeShare;
    const double den = q * h + (1 - q) * (1 - h);
    return den > 0 ? q * h / den : 0.5;
}

std::vector<int> RankFinals(const std::vector<int>& wins, const std::vector<int>& losses,
                            const std::vector<int>& /*draws*/, bool byWins) {
    const size_t n = wins.size();
    std::vector<std::pair<uint64_t, size_t>> order(n);
    for (size_t t = 0; t < n; ++t)
        order[t] = {RankKey(wins[t], losses[t], byWins), t};
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<int> rank(n, 1);
    for (size_t i = 0; i < n; ++i)
        rank[order[i].second] =
            i > 0 && order[i].first == order[i - 1].first ? rank[order[i - 1].second] : static_cast<int>(i + 1);
    return rank;
}

TOddsInput OddsInputFrom(const TPennant& pennant, const TFight& fight, const TDistrictStandings& s, TOddsModel model,
                         std::optional<double> asOfDay) {
    TOddsInput in;
    in.ByWins = s.ByWins;
    in.DrawRule = s.League ? s.League->DrawRule : 0;
    in.Model = model;

    // The league's teams, the first team of a symbol deciding as everywhere.
    std::unordered_map<std::string, const TLeague*> leagueOf;
    pennant.ForEachTeam(
        [&](const TLeague& league, const TDistrict&, const TTeam& team) { leagueOf.emplace(team.Symbol, &league); });
    auto inLeague = [&](const TMatchSymbol& symbol) {
        const auto found = leagueOf.find(symbol.Text());
        return found != leagueOf.end() && found->second == s.League;
    };

    // Finished games up to the day: every team's runs, and the league's draws and home wins.
    const std::optional<int64_t> lastDay = asOfDay ? std::optional<int64_t>(days::WholeDay(*asOfDay)) : std::nullopt;
    std::unordered_map<std::string, TFinished> finished;
    long long leagueGames = 0, leagueDraws = 0, leagueHomeWins = 0;
    for (int m = 0; m < fight.MatchCount(); ++m) {
        const TMatchRec& match = fight.GetMatch(m);
        if (match.Status != StatusFinished || (lastDay && days::WholeDay(match.GameDate) > *lastDay))
            continue;
        TFinished& home = finished[match.HomeSymbol.Text()];
        ++home.Games;
        home.RunsFor += match.HomeScore;
        home.RunsAgainst += match.VisitorScore;
        TFinished& visitor = finished[match.VisitorSymbol.Text()];
        ++visitor.Games;
        visitor.RunsFor += match.VisitorScore;
        visitor.RunsAgainst += match.HomeScore;
        if (s.League && (inLeague(match.HomeSymbol) || inLeague(match.VisitorSymbol))) {
            ++leagueGames;
            leagueDraws += match.HomeScore == match.VisitorScore;
            leagueHomeWins += match.HomeScore > match.VisitorScore;
        }
    }
    in.DrawShare =
        in.DrawRule == 0 && leagueGames > 0 ? static_cast<double>(leagueDraws) / static_cast<double>(leagueGames) : 0;
    const long long decided = leagueGames - leagueDraws;
    in.HomeShare = decided < 100 ? 0.54 : static_cast<double>(leagueHomeWins) / static_cast<double>(decided);

    auto strength = [&](const std::string& symbol) {
        if (model == TOddsModel::Even)
            return 0.5;
        const auto found = finished.find(symbol);
        return found == finished.end()
                   ? RunsStrength(0, 0, 0)
                   : RunsStrength(found->second.Games, found->second.RunsFor, found->second.RunsAgainst);
    };

    const TRkCalc& calc = *s.Calc;
    const int n = calc.Count();
    std::map<std::string, int> row; // the first row of a symbol, as the race reads it
    for (int i = 0; i < n; ++i)
        row.emplace(calc.Items(i).Symbol, i);
    const TSymbolIndex teams(pennant); // a district may hold tens of thousands
    for (int i = 0; i < n; ++i) {
        const TTmRec& r = calc.Items(i);
        TOddsTeam t;
        t.Symbol = r.Symbol;
        const TTeam* team = teams.Team(r.Symbol);
        t.ShortName = team ? team->ShortName : std::string();
        t.Wins = r.Wins();
        t.Losses = r.Losses();
        t.Draws = r.Draws();
        t.Remain = r.Remain();
        t.Strength = strength(r.Symbol);
        in.Teams.push_back(std::move(t));
    }
    for (int i = 0; i < n; ++i) {
        const TTmRec& r = calc.Items(i);
        for (const TGameEntry& e : r.GameList) {
            if (e.Status != StatusBefore)
                continue;
            const auto found = row.find(e.Opponent);
            const int j = found == row.end() ? -1 : found->second;
            // A game between two rows is in both lists: it is played from the lower row's.
            // A game of a row against itself is in its list twice: played from the home side.
            if ((j >= 0 && j < i) || (j == i && e.IsVisitor))
                continue;
            TOddsGame g;
            g.Home = e.IsVisitor ? j : i;
            g.Visitor = e.IsVisitor ? i : j;
            const double home = g.Home >= 0 ? in.Teams[Idx(g.Home)].Strength : strength(e.Opponent);
            const double visitor = g.Visitor >= 0 ? in.Teams[Idx(g.Visitor)].Strength : strength(e.Opponent);
            g.Draw = in.DrawShare;
            g.HomeWin = model == TOddsModel::Even ? 0.5 : HomeWinChance(home, visitor, in.HomeShare);
            in.Games.push_back(g);
        }
    }
    return in;
}

TOddsTally::TOddsTally(const TOddsInput& input, int place) : Teams(static_cast<int>(input.Teams.size())), Place(place) {
    if (Teams > kOddsMostTeams)
        Teams = 0; // nothing counted: the seasons are not played
    const size_t n = Idx(Teams);
    First.assign(n, 0);
    Top.assign(n, 0);
    Places.assign(n * n, 0);
    FullFirst.assign(n, 0);
    NoneFirst.assign(n, 0);
    FullTop.assign(n, 0);
    NoneTop.assign(n, 0);
    SumWins.assign(n, 0);
    SumLosses.assign(n, 0);
    SumDraws.assign(n, 0);
    // A team wins at most its remaining games (a game against itself counts once as a win).
    WinsFrom.resize(n);
    for (size_t t = 0; t < n; ++t)
        WinsFrom[t].assign(Idx(std::max(input.Teams[t].Remain, 0) + 1), 0);
    for (const TOddsGame& g : input.Games) // a model made by hand may list more games than Remain
        for (int side : {g.Home, g.Visitor})
            if (side >= 0 && WinsFrom[Idx(side)].size() < Idx(input.Teams[Idx(side)].Remain) + 1)
                WinsFrom[Idx(side)].resize(Idx(input.Teams[Idx(side)].Remain) + 1);
    std::vector<int> games(n, 0);
    for (const TOddsGame& g : input.Games) {
        if (g.Home >= 0)
            ++games[Idx(g.Home)];
        if (g.Visitor >= 0 && g.Visitor != g.Home)
            ++games[Idx(g.Visitor)];
    }
    for (size_t t = 0; t < n; ++t)
        if (WinsFrom[t].size() < Idx(games[t]) + 1)
            WinsFrom[t].resize(Idx(games[t]) + 1);
}

TOddsTally& TOddsTally::operator+=(const TOddsTally& o) {
    auto add = [](auto& a, const auto& b) {
        for (size_t i = 0; i < a.size() && i < b.size(); ++i)
            a[i] += b[i];
    };
    Runs += o.Runs;
    add(First, o.First);
    add(Top, o.Top);
    add(Places, o.Places);
    add(FullFirst, o.FullFirst);
    add(NoneFirst, o.NoneFirst);
    add(FullTop, o.FullTop);
    add(NoneTop, o.NoneTop);
    add(SumWins, o.SumWins);
    add(SumLosses, o.SumLosses);
    add(SumDraws, o.SumDraws);
    for (size_t t = 0; t < WinsFrom.size() && t < o.WinsFrom.size(); ++t)
        add(WinsFrom[t], o.WinsFrom[t]);
    return *this;
}

TOddsTally SimulateOdds(const TOddsInput& input, int place, uint64_t seed, long long first, long long count,
                        int threads, const std::atomic<bool>* cancel) {
    place = std::max(place, 1);
    TOddsTally total(input, place);
    if (count <= 0 || input.Teams.empty() || total.Teams != static_cast<int>(input.Teams.size()))
        return total;
    const TSimulator sim(input, place, seed);
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    // Too few seasons to share: one thread.
    threads = static_cast<int>(std::min<long long>(threads, std::max<long long>(1, count / 256)));
    if (threads == 1) {
        sim.Run(first, count, total, cancel);
        return total;
    }
    std::vector<TOddsTally> parts(Idx(threads), total);
    {
        std::vector<std::jthread> workers;
        for (int i = 0; i < threads; ++i) {
            const long long from = count * i / threads, to = count * (i + 1) / threads;
            workers.emplace_back([&, from, to, i] { sim.Run(first + from, to - from, parts[Idx(i)], cancel); });
        }
    }
    for (const TOddsTally& part : parts)
        total += part;
    return total;
}

TOddsResult SummarizeOdds(const TOddsInput& input, const TOddsTally& tally, uint64_t seed, const TOddsPinner& pinner) {
    TOddsResult result;
    result.Model = input.Model;
    result.Place = tally.Place;
    result.Runs = tally.Runs;
    result.Seed = seed;
    const size_t n = input.Teams.size();
    const double runs = static_cast<double>(std::max<long long>(tally.Runs, 1));
    auto share = [&](uint64_t units) { return static_cast<double>(units) / kShareUnit / runs; };
    for (size_t t = 0; t < n; ++t) {
        const TOddsTeam& team = input.Teams[t];
        TOddsTeamResult r;
        r.Symbol = team.Symbol;
        r.ShortName = team.ShortName;
        r.Wins = team.Wins;
        r.Losses = team.Losses;
        r.Draws = team.Draws;
        r.Remain = team.Remain;
        r.MeanWins = team.Wins;
        r.MeanLosses = team.Losses;
        r.MeanDraws = team.Draws;
        r.WinsP10 = r.WinsP90 = team.Wins;
        if (tally.Runs > 0 && tally.Teams == static_cast<int>(n)) {
            // Every season alone at the top (or out of it) is exactly 1 (or 0), not a sum of rounded shares.
            r.First = tally.FullFirst[t] == tally.Runs   ? 1.0
                      : tally.NoneFirst[t] == tally.Runs ? 0.0
                                                         : share(tally.First[t]);
            r.Top = tally.FullTop[t] == tally.Runs ? 1.0 : tally.NoneTop[t] == tally.Runs ? 0.0 : share(tally.Top[t]);
            for (size_t q = 0; q < n; ++q)
                r.Places.push_back(share(tally.Places[t * n + q]));
            r.MeanWins = static_cast<double>(tally.SumWins[t]) / runs;
            r.MeanLosses = static_cast<double>(tally.SumLosses[t]) / runs;
            r.MeanDraws = static_cast<double>(tally.SumDraws[t]) / runs;
            const std::vector<long long>& hist = tally.WinsFrom[t];
            long long seen = 0;
            bool p10 = false;
            for (size_t i = 0; i < hist.size(); ++i) {
                seen += hist[i];
                if (!p10 && seen * 10 >= tally.Runs) {
                    r.WinsP10 = team.Wins + static_cast<int>(i);
                    p10 = true;
                }
                if (seen * 10 >= tally.Runs * 9) {
                    r.WinsP90 = team.Wins + static_cast<int>(i);
                    break;
                }
            }
        } else {
            r.Places.assign(n, 0);
        }
        // The race decides what no season contradicts: a season with the team
        // out of the place disproves a clinch, one with it in alone an elimination.
        if (pinner) {
            const bool sampled = tally.Runs > 0 && tally.Teams == static_cast<int>(n);
            auto pin = [&](int place, long long full, long long none) {
                const bool mayClinch = !sampled || none == 0;
                const bool mayBeOut = !sampled || full == 0;
                if (!mayClinch && !mayBeOut)
                    return TOddsPin::Open;
                const TOddsPin p = pinner(static_cast<int>(t), place);
                if ((p == TOddsPin::Clinched && !mayClinch) || (p == TOddsPin::Eliminated && !mayBeOut))
                    return TOddsPin::Open;
                return p;
            };
            r.FirstPin = pin(1, sampled ? tally.FullFirst[t] : 0, sampled ? tally.NoneFirst[t] : 0);
            r.TopPin = tally.Place == 1
                           ? r.FirstPin
                           : pin(tally.Place, sampled ? tally.FullTop[t] : 0, sampled ? tally.NoneTop[t] : 0);
        }
        if (r.FirstPin != TOddsPin::Open) {
            r.First = r.FirstPin == TOddsPin::Clinched ? 1.0 : 0.0;
            if (r.FirstPin == TOddsPin::Clinched) {
                r.Places.assign(n, 0);
                r.Places[0] = 1;
            } else if (!r.Places.empty()) {
                r.Places[0] = 0;
            }
        }
        if (r.TopPin != TOddsPin::Open)
            r.Top = r.TopPin == TOddsPin::Clinched ? 1.0 : 0.0;
        result.Teams.push_back(std::move(r));
    }
    return result;
}

std::string OddsPercentText(double chance, TOddsPin pin) {
    if (pin == TOddsPin::Clinched)
        return "100%";
    if (pin == TOddsPin::Eliminated)
        return "0%";
    if (chance >= 0.9995)
        return "99.9%+";
    if (chance < 0.0005)
        return sjis::S("0.1%−");
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", chance * 100);
    return text;
}

TOddsHistory OddsHistory(const TPennant& pennant, const TFight& fight, int districtIndex, TOddsModel model, int place,
                         long long runsPerDay, uint64_t seed, int threads, const TOddsPinnerFactory& pinners,
                         const TOddsProgress& progress) {
    TOddsHistory h;
    h.Place = std::max(place, 1);
    const std::optional<TDistrictStandings> final = BuildDistrictStandings(pennant, fight, districtIndex);
    if (!final)
        return h;
    std::map<std::string, int> column;
    const TSymbolIndex teams(pennant);
    for (int i = 0; i < final->Calc->Count(); ++i) {
        const std::string& symbol = final->Calc->Items(i).Symbol;
        if (column.emplace(symbol, static_cast<int>(h.Symbols.size())).second) {
            h.Symbols.push_back(symbol);
            const TTeam* team = teams.Team(symbol);
            h.ShortNames.push_back(team ? team->ShortName : std::string());
        }
    }
    // The days with a finished game of one of the district's teams.
    std::set<int64_t> seen;
    for (int m = 0; m < fight.MatchCount(); ++m) {
        const TMatchRec& match = fight.GetMatch(m);
        if (match.Status != StatusFinished)
            continue;
        if (column.count(match.HomeSymbol.Text()) || column.count(match.VisitorSymbol.Text()))
            if (seen.insert(days::WholeDay(match.GameDate)).second)
                h.Days.push_back(double(match.GameDate));
    }
    std::sort(h.Days.begin(), h.Days.end(), [](double a, double b) { return days::WholeDay(a) < days::WholeDay(b); });
    const long long total = static_cast<long long>(h.Days.size()) * runsPerDay;
    const size_t dayCount = h.Days.size();
    const size_t columns = h.Symbols.size();
    h.First.assign(dayCount, std::vector<double>(columns, 0));
    h.Top = h.First;
    h.FirstPins.assign(dayCount, std::vector<TOddsPin>(columns, TOddsPin::Open));
    h.TopPins = h.FirstPins;
    // The days are shared out among the threads, each day played on one: a
    // day's numbers depend on nothing but the day and the seed. The race is
    // asked one question at a time (its solvers are not known to be safe on
    // several threads at once); the seasons are played meanwhile.
    std::mutex raceLock, progressLock;
    std::atomic<size_t> nextDay{0};
    std::atomic<bool> stop{false};
    std::vector<char> done(dayCount, 0);
    long long reported = 0;
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    auto work = [&] {
        for (size_t d; !stop && (d = nextDay++) < dayCount;) {
            const double day = h.Days[d];
            const std::optional<TDistrictStandings> s = BuildDistrictStandings(pennant, fight, districtIndex, day);
            const TOddsInput input = OddsInputFrom(pennant, fight, *s, model, day);
            const TOddsTally tally = SimulateOdds(input, h.Place, seed, 0, runsPerDay, 1);
            TOddsPinner pinner;
            if (pinners) {
                std::lock_guard<std::mutex> hold(raceLock);
                pinner = pinners(*s);
            }
            const TOddsResult r = SummarizeOdds(input, tally, seed,
                                                pinner ? TOddsPinner([&](int team, int place) {
                                                    std::lock_guard<std::mutex> hold(raceLock);
                                                    return pinner(team, place);
                                                })
                                                       : TOddsPinner{});
            {
                std::lock_guard<std::mutex> hold(raceLock);
                pinner = {}; // the race goes under the lock too
            }
            for (const TOddsTeamResult& team : r.Teams) {
                const auto found = column.find(team.Symbol);
                if (found == column.end())
                    continue;
                const size_t c = Idx(found->second);
                h.First[d][c] = team.First;
                h.Top[d][c] = team.Top;
                h.FirstPins[d][c] = team.FirstPin;
                h.TopPins[d][c] = team.TopPin;
            }
            std::lock_guard<std::mutex> hold(progressLock);
            done[d] = 1;
            reported += runsPerDay;
            if (progress && !progress(reported, total))
                stop = true;
        }
    };
    {
        std::vector<std::jthread> workers;
        for (int i = 1; i < threads && Idx(i) < dayCount; ++i)
            workers.emplace_back(work);
        work();
    }
    if (stop) {
        // What was stopped keeps the days done without a gap from the first.
        size_t kept = 0;
        while (kept < dayCount && done[kept])
            ++kept;
        h.Days.resize(kept);
        h.First.resize(kept);
        h.Top.resize(kept);
        h.FirstPins.resize(kept);
        h.TopPins.resize(kept);
        return h;
    }
    h.Complete = true;
    return h;
}

// The full title race table (every team, first place and the top three, both
// numbers) of one district: a Japanese-professional-size league on its
// opening day, in mid-season and in its last week, and a major-league district.

#include "bench/BenchSeason.h"
#include "bench/RaceSeason.h"
#include "core/race/TitleRace.h"
#include "core/standings/DistrictStandings.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <optional>
#include <random>

namespace {

void RaceTable(benchmark::State& state, const TPennant& pennant, const TFight& fight, std::optional<double> day) {
    int open = 0;
    for (auto _ : state) {
        std::optional<TDistrictStandings> s = BuildDistrictStandings(pennant, fight, 0, day);
        const TTitleRace race(RaceInputFrom(pennant, *s));
        open = 0;
        for (int place : {1, 3})
            for (int t = 0; t < race.TeamCount(); ++t) {
                const TRaceAnswer a = race.Decide(t, place);
                open += a.Status == TRaceStatus::Magic || a.Status == TRaceStatus::Dependent;
                benchmark::DoNotOptimize(a);
            }
    }
    state.counters["open"] = open; // answers still open (neither clinched nor out)
}

const TRaceSeason& Japanese() {
    static const TRaceSeason s = MakeRaceSeason(1.0);
    return s;
}

void BM_RaceJapaneseOpeningDay(benchmark::State& state) {
    RaceTable(state, *Japanese().Pennant, *Japanese().Fight, Japanese().FirstDay - 1);
}
void BM_RaceJapaneseMidSeason(benchmark::State& state) {
    RaceTable(state, *Japanese().Pennant, *Japanese().Fight, Japanese().FirstDay + 92);
}
void BM_RaceJapaneseLastWeek(benchmark::State& state) {
    RaceTable(state, *Japanese().Pennant, *Japanese().Fight, Japanese().LastDay - 7);
}

const TBenchSeason& Major() {
    static const TBenchSeason s = MakeBenchSeason(162);
    return s;
}
const double kMajorFirst = days::Encode(2026, 4, 1);

void BM_RaceMajorMidSeason(benchmark::State& state) {
    RaceTable(state, *Major().Pennant, *Major().Fight, kMajorFirst + 81);
}
void BM_RaceMajorLastWeek(benchmark::State& state) {
    RaceTable(state, *Major().Pennant, *Major().Fight, kMajorFirst + 155);
}

// Seconds to build the race of a district and decide one table of it.
double TableSeconds(const TRaceInput& in, int place, std::vector<TRaceAnswer>* answers = nullptr) {
    const auto start = std::chrono::steady_clock::now();
    const TTitleRace race(in);
    std::vector<TRaceAnswer> decided = DecideAll(race, place, kRaceTableSeconds);
    const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (answers)
        *answers = std::move(decided);
    return t;
}

// Every day of a season under each of the four rank and draw rule pairs,
// K = 1..3: the slowest table (one K, its race built anew as the window
// does) and the mean table. The slowest few are timed again and each keeps
// its best time, so that a moment the machine was busy elsewhere does not
// pass for the engine's. Argument 0: the Japanese-size league (6 teams, 25
// games a pair); 1: a major-league district (5 teams, most games against
// other districts).
void BM_RaceEveryDayEveryRule(benchmark::State& state) {
    const bool major = state.range(0) != 0;
    const TPennant& pennant = major ? *Major().Pennant : *Japanese().Pennant;
    const TFight& fight = major ? *Major().Fight : *Japanese().Fight;
    const double first = major ? kMajorFirst : Japanese().FirstDay,
                 last = major ? kMajorFirst + 161 : Japanese().LastDay;
    struct TTable {
        TRaceInput In;
        int Place;
        double Seconds;
    };
    std::vector<TTable> timed;
    double total = 0;
    int magics = 0, differ = 0, below = 0;
    for (auto _ : state) {
        timed.clear();
        total = 0;
        magics = differ = below = 0;
        for (double day = first - 1; day <= last; day += 1) {
            std::optional<TDistrictStandings> s = BuildDistrictStandings(pennant, fight, 0, day);
            const TRaceInput base = RaceInputFrom(pennant, *s);
            for (const bool byWins : {false, true})
                for (const uint8_t drawRule : {0, 2}) {
                    TRaceInput in = base;
                    in.ByWins = byWins;
                    in.DrawRule = drawRule;
                    for (int place = 1; place <= 3; ++place) {
                        std::vector<TRaceAnswer> answers;
                        const double t = TableSeconds(in, place, &answers);
                        total += t;
                        timed.push_back({in, place, t});
                        // The table's magic number against the clinch number, under the season's own rules.
                        if (place == 1 && byWins == base.ByWins && drawRule == base.DrawRule)
                            for (size_t k = 0; k < answers.size(); ++k) {
                                const int magic = in.Teams[k].Magic;
                                if (magic < 0 || answers[k].Status == TRaceStatus::Unknown)
                                    continue;
                                ++magics;
                                const int clinch = answers[k].ClinchNumber.value_or(-1);
                                differ += clinch != magic;
                                below += clinch < 0 || magic < clinch;
                            }
                    }
                }
        }
        std::sort(timed.begin(), timed.end(), [](const TTable& a, const TTable& b) { return a.Seconds > b.Seconds; });
        for (size_t k = 0; k < std::min<size_t>(timed.size(), 20); ++k)
            for (int again = 0; again < 4; ++again)
                timed[k].Seconds = std::min(timed[k].Seconds, TableSeconds(timed[k].In, timed[k].Place));
    }
    double slowest = 0;
    for (const TTable& t : timed)
        slowest = std::max(slowest, t.Seconds);
    state.counters["slowest_table_ms"] = slowest * 1000;
    state.counters["mean_table_ms"] = total * 1000 / std::max<double>(1, static_cast<double>(timed.size()));
    state.counters["tables"] = static_cast<double>(timed.size());
    state.counters["magics"] = magics;            // table magic numbers shown
    state.counters["magic_ne_clinch"] = differ;   // of those, unlike the clinch number
    state.counters["magic_below_clinch"] = below; // of those, smaller (never expected)
}

// A district of `teams` teams, `games` games between each pair, `played` of
// them played (results at random, a tenth drawn where draws stand).
TRaceInput Synthetic(int teams, int games, double played, bool byWins, bool draws, unsigned seed = 7) {
    std::mt19937 rng(seed);
    TRaceInput in;
    in.ByWins = byWins;
    in.DrawRule = draws ? 0 : 2;
    in.DrawShare = draws ? 0.1 : 0;
    in.Teams.resize(static_cast<size_t>(teams));
    for (int i = 0; i < teams; ++i) {
        in.Teams[static_cast<size_t>(i)].Symbol = "T" + std::to_string(i);
        in.Teams[static_cast<size_t>(i)].ShortName = in.Teams[static_cast<size_t>(i)].Symbol;
    }
    std::uniform_real_distribution<double> u(0, 1);
    for (int a = 0; a < teams; ++a)
        for (int b = a + 1; b < teams; ++b) {
            int left = 0;
            for (int g = 0; g < games; ++g) {
                if (u(rng) >= played) {
                    ++left;
                    continue;
                }
                TRaceTeam &x = in.Teams[static_cast<size_t>(a)], &y = in.Teams[static_cast<size_t>(b)];
                const double r = u(rng);
                if (draws && r < 0.1)
                    ++x.Draws, ++y.Draws;
                else if (r < 0.55)
                    ++x.Wins, ++y.Losses;
                else
                    ++y.Wins, ++x.Losses;
            }
            if (left > 0) {
                in.Pairings.push_back({a, b, left});
                in.Teams[static_cast<size_t>(a)].Remain += left;
                in.Teams[static_cast<size_t>(b)].Remain += left;
            }
        }
    return in;
}

// The hard shapes: wide districts, many rival sets, draws standing. Every
// table within kRaceTableSeconds; `unknown` counts the answers it gave up.
void BM_RaceHard(benchmark::State& state) {
    const int teams = static_cast<int>(state.range(0)), games = static_cast<int>(state.range(1));
    const double played = static_cast<double>(state.range(2)) / 100;
    const bool byWins = state.range(3) & 1, draws = state.range(3) & 2;
    const int place = static_cast<int>(state.range(4));
    int unknown = 0;
    for (auto _ : state) {
        const TTitleRace race(Synthetic(teams, games, played, byWins, draws));
        unknown = 0;
        for (const TRaceAnswer& a : DecideAll(race, place, kRaceTableSeconds))
            unknown += a.Status == TRaceStatus::Unknown;
    }
    state.counters["unknown"] = unknown;
}

// Width: thousands of teams with nothing left to decide, or one game left.
void BM_RaceWide(benchmark::State& state) {
    const int teams = static_cast<int>(state.range(0));
    const bool oneGame = state.range(1) != 0;
    for (auto _ : state) {
        TRaceInput in = Synthetic(teams, 0, 1, false, true);
        in.Teams[0].Wins = 1;
        in.Teams[1].Losses = 1;
        if (oneGame) {
            in.Pairings.push_back({2, 3, 1});
            in.Teams[2].Remain = in.Teams[3].Remain = 1;
        }
        const TTitleRace race(std::move(in));
        for (const int place : {1, 3})
            benchmark::DoNotOptimize(DecideAll(race, place, kRaceTableSeconds));
    }
}

BENCHMARK(BM_RaceEveryDayEveryRule)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
// teams, games a pair, % played, rules (1 wins first, 2 draws stand), place
BENCHMARK(BM_RaceHard)
    ->Args({6, 10, 30, 3, 1})
    ->Args({8, 10, 30, 3, 1})
    ->Args({10, 10, 30, 3, 1})
    ->Args({12, 10, 30, 2, 2})
    ->Args({20, 10, 30, 2, 1})
    ->Args({20, 10, 30, 0, 3})
    ->Args({30, 14, 0, 3, 3})
    ->Args({30, 14, 50, 2, 2})
    ->Args({10, 16, 10, 2, 3})
    ->Args({10, 16, 50, 2, 3})
    ->Args({10, 16, 90, 2, 3})
    ->Args({10, 16, 50, 2, 1})
    ->Args({10, 16, 50, 3, 3})
    ->Args({30, 14, 50, 0, 3})
    ->Args({30, 14, 50, 0, 15})
    ->Args({30, 14, 90, 1, 10})
    ->Args({30, 14, 50, 1, 3})
    ->Args({30, 7, 0, 0, 1})
    ->Args({30, 14, 50, 3, 1})
    ->Args({30, 14, 90, 2, 1})
    ->Args({30, 14, 90, 3, 3})
    ->Args({12, 10, 30, 3, 2})
    ->Args({20, 10, 30, 3, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_RaceWide)->Args({1000, 0})->Args({6000, 0})->Args({6000, 1})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RaceJapaneseOpeningDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceJapaneseMidSeason)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceJapaneseLastWeek)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceMajorMidSeason)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceMajorLastWeek)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

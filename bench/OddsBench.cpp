// Season odds of one district as the window and tablora-cli compute them
// (the race deciding the 100% and the 0% included): a million seasons of a
// major-league district from September 1 and of a Japanese-size district
// from opening day, and the history of a whole Japanese-size season, both
// districts, at 10,000 runs a day. Every core; the CPU column is the
// process's, all threads together (on a busy machine the wall clock says
// little: half the CPU time is what two idle cores take).

#include "bench/BenchSeason.h"
#include "bench/RaceSeason.h"
#include "core/odds/OddsRace.h"
#include "core/standings/DistrictStandings.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

long PeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Odds(benchmark::State& state, const TPennant& pennant, const TFight& fight, std::optional<double> day) {
    const long long runs = state.range(0);
    double first = 0;
    for (auto _ : state) {
        const std::optional<TOddsResult> r = DistrictOdds(pennant, fight, 0, day, TOddsModel::Runs, 3, runs, 1, 0);
        first = r->Teams[0].First;
        benchmark::DoNotOptimize(r);
    }
    state.counters["leaderFirst"] = first;
    state.counters["peakMiB"] = double(PeakKiB()) / 1024; // the same for 100,000 runs as for a million
    // What a run keeps, whatever the number of runs: the tally of one district.
    const std::optional<TDistrictStandings> s = BuildDistrictStandings(pennant, fight, 0, day);
    const TOddsTally tally(OddsInputFrom(pennant, fight, *s, TOddsModel::Runs, day), 3);
    size_t bytes = (tally.First.size() * 2 + tally.Places.size()) * 8 + tally.FullFirst.size() * 7 * 8;
    for (const auto& h : tally.WinsFrom)
        bytes += h.size() * 8;
    state.counters["tallyBytes"] = double(bytes);
}

const TBenchSeason& Major() {
    static const TBenchSeason s = MakeBenchSeason(162);
    return s;
}

const TRaceSeason& Japanese() {
    static const TRaceSeason s = MakeRaceSeason(1.0);
    return s;
}

void BM_OddsMajorFromSeptember(benchmark::State& state) {
    Odds(state, *Major().Pennant, *Major().Fight, days::Encode(2026, 9, 1));
}

void BM_OddsJapaneseFromOpeningDay(benchmark::State& state) {
    Odds(state, *Japanese().Pennant, *Japanese().Fight, Japanese().FirstDay - 1);
}

void BM_OddsJapaneseSeasonHistory(benchmark::State& state) {
    long long days = 0;
    for (auto _ : state) {
        days = 0;
        for (int district = 0; district < 2; ++district) {
            const TOddsHistory h = DistrictOddsHistory(*Japanese().Pennant, *Japanese().Fight, district,
                                                       TOddsModel::Runs, 3, state.range(0), 1, 0);
            days += static_cast<long long>(h.Days.size());
            benchmark::DoNotOptimize(h);
        }
    }
    state.counters["days"] = double(days);
}

BENCHMARK(BM_OddsMajorFromSeptember)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_OddsJapaneseFromOpeningDay)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_OddsJapaneseSeasonHistory)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();

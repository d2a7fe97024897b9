// The full title race table (every team, first place and the top three, both
// numbers) of one district: a Japanese-professional-size league on its
// opening day, in mid-season and in its last week, and a major-league district.

#include "bench/BenchSeason.h"
#include "bench/RaceSeason.h"
#include "core/race/TitleRace.h"
#include "core/standings/DistrictStandings.h"

#include <benchmark/benchmark.h>
#include <optional>

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

BENCHMARK(BM_RaceJapaneseOpeningDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceJapaneseMidSeason)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceJapaneseLastWeek)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceMajorMidSeason)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RaceMajorLastWeek)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

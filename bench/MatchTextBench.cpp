// The match data text file: writing, reading and the whole import on a
// major-league season (2,430 games), ten times that, and about a million games
// (range argument: games a team).

#include "bench/BenchSeason.h"
#include "core/io/MatchText.h"

#include <benchmark/benchmark.h>
#include <map>

namespace {

const TBenchSeason& Season(int gamesPerTeam) {
    static std::map<int, TBenchSeason> seasons;
    auto it = seasons.find(gamesPerTeam);
    if (it == seasons.end())
        it = seasons.emplace(gamesPerTeam, MakeBenchSeason(gamesPerTeam)).first;
    return it->second;
}

void BM_EncodeMatchText(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeMatchText(*s.Pennant, *s.Fight));
    state.counters["matches"] = s.Fight->MatchCount();
}

void BM_ReadMatchText(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const std::string text = EncodeMatchText(*s.Pennant, *s.Fight);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadMatchText(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// Read, check, replace the list and renumber every day in team order.
void BM_ImportMatchText(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const std::string text = EncodeMatchText(*s.Pennant, *s.Fight);
    for (auto _ : state) {
        TFight fight;
        TMatchText read = ReadMatchText(text);
        benchmark::DoNotOptimize(CheckImport(*s.Pennant, fight, read));
        ApplyImport(*s.Pennant, fight, std::move(read));
        benchmark::DoNotOptimize(fight.MatchCount());
    }
}

} // namespace

BENCHMARK(BM_EncodeMatchText)->Arg(162)->Arg(1620)->Arg(66000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMatchText)->Arg(162)->Arg(1620)->Arg(66000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportMatchText)->Arg(162)->Arg(1620)->Arg(66000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

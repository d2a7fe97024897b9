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

// One day of 300,000 games numbered in the order of a 150,000-team season
// (numbering once walked the whole team list for every game: 59 s).
void BM_NumberAHugeDay(benchmark::State& state) {
    std::vector<std::string> order;
    for (int i = 0; i < 150000; ++i)
        order.push_back({char('!' + i % 94), char('!' + i / 94 % 94), char('!' + i / 94 / 94)});
    std::vector<TMatchRec> games(300000);
    std::vector<TMatchRec*> day;
    for (size_t i = 0; i < games.size(); ++i) {
        games[i].HomeSymbol.Set(order[(i * 7919) % order.size()]);
        day.push_back(&games[i]);
    }
    for (auto _ : state) {
        NumberDay(day, order);
        benchmark::DoNotOptimize(games.front().GameNo);
    }
}

} // namespace

BENCHMARK(BM_EncodeMatchText)->Arg(162)->Arg(1620)->Arg(66000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMatchText)->Arg(162)->Arg(1620)->Arg(66000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportMatchText)->Arg(162)->Arg(1620)->Arg(66000)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_NumberAHugeDay)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

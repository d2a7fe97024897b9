// Season file, standings and magic numbers on a major-league-size season
// (2,430 games) and on one ten times larger (range argument: games a team).

#include "bench/BenchSeason.h"
#include "core/io/SeasonFile.h"
#include "core/standings/DistrictStandings.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

const TBenchSeason& Season(int gamesPerTeam) {
    static TBenchSeason normal = MakeBenchSeason(162);
    static TBenchSeason large = MakeBenchSeason(1620);
    return gamesPerTeam == 162 ? normal : large;
}

// A season file in the temporary folder for the length of one benchmark.
struct TTempSeasonFile {
    const std::string Path =
        (std::filesystem::temp_directory_path() / ("tablora-bench-" + std::to_string(::getpid()) + ".qvk")).string();
    TTempSeasonFile() = default;
    explicit TTempSeasonFile(const TBenchSeason& s) { SaveSeason(Path, s.Pennant.get(), s.Fight.get()); }
    ~TTempSeasonFile() { std::filesystem::remove(Path); }
};

void BM_DecodeSeason(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const std::string bytes = EncodeSeason(*s.Pennant, *s.Fight);
    for (auto _ : state) {
        std::unique_ptr<TPennant> p;
        std::unique_ptr<TFight> f;
        benchmark::DoNotOptimize(DecodeSeason(bytes, p, f));
    }
    state.counters["matches"] = s.Fight->MatchCount();
}

void BM_LoadSeason(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const TTempSeasonFile file(s);
    for (auto _ : state) {
        std::unique_ptr<TPennant> p;
        std::unique_ptr<TFight> f;
        benchmark::DoNotOptimize(LoadSeason(file.Path, p, f));
    }
}

void BM_EncodeSeason(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeSeason(*s.Pennant, *s.Fight));
}

// Includes the flush to disk that makes a save safe.
void BM_SaveSeason(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const TTempSeasonFile file;
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveSeason(file.Path, s.Pennant.get(), s.Fight.get()));
}

void BM_FeedAndRankDistrict(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildDistrictStandings(*s.Pennant, *s.Fight, 0));
}

void BM_MagicNumbersDistrict(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    auto st = BuildDistrictStandings(*s.Pennant, *s.Fight, 0);
    for (auto _ : state)
        for (int i = 0; i < st->Calc->Count(); ++i)
            benchmark::DoNotOptimize(st->Calc->Magic(i, st->ByWins));
}

// What opening a season and its first standings window costs.
void BM_LoadStandingsMagic(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const TTempSeasonFile file(s);
    for (auto _ : state) {
        std::unique_ptr<TPennant> p;
        std::unique_ptr<TFight> f;
        LoadSeason(file.Path, p, f);
        auto st = BuildDistrictStandings(*p, *f, 0);
        for (int i = 0; i < st->Calc->Count(); ++i)
            benchmark::DoNotOptimize(st->Calc->Magic(i, st->ByWins));
    }
}

// The rank transition view: the district's ranks after every day of the season,
// feeding the matches once and ranking at the end of each day with district games.
void BM_DayByDayRanks(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const TDistrict& district = s.Pennant->GetLeague(0).GetDistrict(0);
    for (auto _ : state) {
        TRkCalc calc;
        for (int t = 0; t < district.TeamCount(); ++t)
            calc.AddTeam(district.GetTeam(t).Symbol);
        long long rankSum = 0;
        int64_t day = days::WholeDay(s.Fight->GetMatch(0).GameDate);
        bool districtGame = false;
        auto endOfDay = [&] {
            if (!districtGame)
                return;
            calc.Rank(false);
            rankSum += calc.FindTeam(district.GetTeam(0).Symbol)->RankNo;
        };
        for (int m = 0; m < s.Fight->MatchCount(); ++m) {
            const TMatchRec& match = s.Fight->GetMatch(m);
            if (days::WholeDay(match.GameDate) != day) {
                endOfDay();
                day = days::WholeDay(match.GameDate);
                districtGame = false;
            }
            calc.AddMatch(match);
            districtGame =
                districtGame || calc.FindTeam(match.HomeSymbol.Text()) || calc.FindTeam(match.VisitorSymbol.Text());
        }
        endOfDay();
        benchmark::DoNotOptimize(rankSum);
    }
}

} // namespace

BENCHMARK(BM_DecodeSeason)->Arg(162)->Arg(1620)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadSeason)->Arg(162)->Arg(1620)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EncodeSeason)->Arg(162)->Arg(1620)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveSeason)->Arg(162)->Arg(1620)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FeedAndRankDistrict)->Arg(162)->Arg(1620)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MagicNumbersDistrict)->Arg(162)->Arg(1620)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadStandingsMagic)->Arg(162)->Arg(1620)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DayByDayRanks)->Arg(162)->Arg(1620)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

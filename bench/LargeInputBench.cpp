// Inputs far beyond any real league, as a hostile or careless file brings them:
// one district of 50,000 teams, a settings file of 20,000 sections, a season
// of 50,000 districts, a 1 GiB file that is no season at all, and files of
// half a million of the smallest records of each kind.

#include "cli/CliCommands.h"
#include "core/base/SmallBlocks.h"
#include "core/io/AppSettings.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <sstream>
#include <unistd.h>

// GCC 12 at -O3 sees overlapping copies in plain string assignments of the
// generator below (a known false warning); it has nothing to say about ours.
#pragma GCC diagnostic ignored "-Wrestrict"

namespace {

namespace fs = std::filesystem;

struct TTempFile {
    const std::string Path;
    explicit TTempFile(const char* name)
        : Path((fs::temp_directory_path() / ("tablora-large-" + std::to_string(::getpid()) + "-" + name)).string()) {}
    ~TTempFile() { fs::remove(Path); }
};

// A three-byte symbol for every number below 91^3.
std::string SymbolOf(int n) {
    std::string s;
    for (int i = 0; i < 3; ++i, n /= 91)
        s += static_cast<char>('!' + 1 + n % 91);
    return s;
}

// One league of `districts` districts of `teamsEach` teams; every team plays
// its neighbour twice, once finished (unless `unplayed`) and once still to come.
void MakeSeasonFile(const std::string& path, int districts, int teamsEach, bool unplayed = false) {
    TPennant p;
    TFight f;
    TLeague& league = p.GetLeague(p.AddLeague());
    league.Name = "L";
    int n = 0;
    for (int d = 0; d < districts; ++d) {
        TDistrict& district = league.GetDistrict(league.AddDistrict());
        district.Name = "D" + std::to_string(d);
        for (int t = 0; t < teamsEach; ++t, ++n) {
            TTeam& team = district.GetTeam(district.AddTeam());
            team.SetSymbol(SymbolOf(n));
            team.Name = team.ShortName = "Team " + std::to_string(n);
        }
    }
    for (int i = 0; i + 1 < n; ++i)
        for (uint8_t status : {uint8_t(StatusFinished), uint8_t(StatusBefore)}) {
            TMatchRec& m = f.GetMatch(f.NewMatch());
            m.HomeSymbol.Set(SymbolOf(i));
            m.VisitorSymbol.Set(SymbolOf(i + 1));
            m.Status = unplayed ? uint8_t(StatusBefore) : status;
            m.HomeScore = static_cast<int8_t>(i % 7);
            m.VisitorScore = static_cast<int8_t>(i % 5);
            m.GameDate = 46000 + i % 150 + (status == StatusBefore ? 150 : 0);
        }
    SaveSeason(path, &p, &f);
}

// tablora-cli standings of one district of 50,000 teams with magic numbers, as JSON;
// half the games played, or (second argument 1) none yet.
void BM_StandingsOfAHugeDistrict(benchmark::State& state) {
    const TTempFile file("district.qvk");
    MakeSeasonFile(file.Path, 1, static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(RunCli({"standings", file.Path, "--format", "json"}, out, err));
    }
}

// Reading, merging and writing back a settings file of 20,000 sections, as the program does at exit.
void BM_SettingsWithManySections(benchmark::State& state) {
    const TTempFile file("settings.ini");
    {
        std::ofstream out(file.Path);
        for (int s = 0; s < state.range(0); ++s)
            out << "[Section" << s << "]\nKey=" << s << "\nOther=x\n";
    }
    for (auto _ : state) {
        const TIniFile previous = TIniFile::Load(file.Path);
        const TAppSettings settings = ReadSettings(previous, TWorkArea{});
        benchmark::DoNotOptimize(WriteSettings(settings, previous).Save(file.Path));
    }
}

// Opening and closing a season of 50,000 districts.
void BM_OpenAndCloseManyDistricts(benchmark::State& state) {
    const TTempFile file("districts.qvk");
    MakeSeasonFile(file.Path, static_cast<int>(state.range(0)), 1);
    for (auto _ : state) {
        std::unique_ptr<TPennant> p;
        std::unique_ptr<TFight> f;
        benchmark::DoNotOptimize(LoadSeason(file.Path, p, f));
    }
}

// A 1 GiB file that is no season, as the last file at start.
void BM_RefuseAGibibyteNonSeason(benchmark::State& state) {
    const TTempFile file("big.bin");
    {
        std::ofstream out(file.Path, std::ios::binary);
        const std::string block(1 << 20, 'x');
        for (int i = 0; i < 1024; ++i)
            out << block;
    }
    for (auto _ : state) {
        std::unique_ptr<TPennant> p;
        std::unique_ptr<TFight> f;
        benchmark::DoNotOptimize(LoadSeason(file.Path, p, f));
    }
}

// Seasons made of the smallest records a file can hold, 500,000 of them.
// Every text is empty unless named.
void MakeStructureFile(const std::string& path, int shape) {
    constexpr int kRecords = 500000;
    TPennant p;
    TFight f;
    auto league = [&p]() -> TLeague& { return p.GetLeague(p.AddLeague()); };
    auto district = [](TLeague& l) -> TDistrict& { return l.GetDistrict(l.AddDistrict()); };
    switch (shape) {
    case 0: // empty leagues
        p.LeagueList().Resize(kRecords);
        break;
    case 1: // empty districts
        league().DistrictList().Resize(kRecords);
        break;
    case 2: // leagues of two empty districts
        for (int i = 0; i < kRecords / 3; ++i)
            league().DistrictList().Resize(2);
        break;
    case 3: // districts of one team
        district(league()).TeamList().Resize(1);
        for (int i = 1; i < kRecords / 2; ++i)
            district(p.GetLeague(0)).TeamList().Resize(1);
        break;
    case 4: // empty teams
        district(league()).TeamList().Resize(kRecords);
        break;
    case 5: // teams with a symbol and three texts of 8 bytes (the shortest not kept inline)
    case 6: // teams as a real league names them
        TDistrict& d = district(league());
        d.TeamList().Resize(kRecords);
        for (int i = 0; i < kRecords; ++i) {
            TTeam& team = d.GetTeam(i);
            const std::string n = std::to_string(10000000 + i);
            team.SetSymbol(SymbolOf(i));
            if (shape == 5) {
                team.Name = n;
                team.ShortName = n;
                team.Picture = n;
            } else {
                team.Name = "\x8d\xe3\x90\x5f\x83\x5e\x83\x43\x83\x4b\x81\x5b\x83\x58" + n; // 阪神タイガース
                team.ShortName = "\x8d\xe3\x90\x5f";                                        // 阪神
            }
        }
        break;
    }
    SaveSeason(path, &p, &f);
}

// Heap memory in use, the pool's free slots not counted.
size_t HeapInUse() {
    const struct mallinfo2 heap = ::mallinfo2();
    const TPoolUse pool = PoolUse();
    return heap.uordblks + heap.hblkhd - pool.ChunkBytes + pool.SlotBytes;
}

// Loading a structure-heavy file: the memory the season holds against the
// file's size ("x_file"). Reading keeps no more than a 64 KiB block besides,
// so this is also its peak.
void BM_LoadStructureMemory(benchmark::State& state) {
    const TTempFile file("shape.qvk");
    MakeStructureFile(file.Path, static_cast<int>(state.range(0)));
    size_t held = 0;
    for (auto _ : state) {
        std::unique_ptr<TPennant> p;
        std::unique_ptr<TFight> f;
        const size_t before = HeapInUse();
        if (!LoadSeason(file.Path, p, f)) {
            state.SkipWithError("the season did not load");
            return;
        }
        held = HeapInUse() - before;
    }
    const auto bytes = static_cast<double>(fs::file_size(file.Path));
    state.counters["file_MB"] = bytes / 1e6;
    state.counters["x_file"] = static_cast<double>(held) / bytes;
}

} // namespace

BENCHMARK(BM_LoadStructureMemory)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StandingsOfAHugeDistrict)->Args({50000, 0})->Args({50000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsWithManySections)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndCloseManyDistricts)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefuseAGibibyteNonSeason)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

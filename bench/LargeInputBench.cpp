// Inputs far beyond any real league, as a hostile or careless file brings them:
// one district of 50,000 teams, a settings file of 20,000 sections, a season
// of 50,000 districts, a 1 GiB file that is no season at all, and files of
// half a million of the smallest records of each kind.

#include "bench/BenchSupport.h"
#include "cli/CliCommands.h"
#include "core/io/AppSettings.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <benchmark/benchmark.h>
#include <cstdio>
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
            team.SetSymbol(BenchSymbol(n));
            team.Name = team.ShortName = "Team " + std::to_string(n);
        }
    }
    for (int i = 0; i + 1 < n; ++i)
        for (uint8_t status : {uint8_t(StatusFinished), uint8_t(StatusBefore)}) {
            TMatchRec& m = f.GetMatch(f.NewMatch());
            m.HomeSymbol.Set(BenchSymbol(i));
            m.VisitorSymbol.Set(BenchSymbol(i + 1));
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
enum TShape {
    EmptyLeagues,
    EmptyDistricts,
    LeaguesOfTwoDistricts,
    DistrictsOfOneTeam,
    EmptyTeams,
    InlineTexts,
    RealNames,
    Matches
};

void MakeRecordsFile(const std::string& path, int shape) {
    constexpr int kRecords = 500000;
    TPennant p;
    TFight f;
    auto league = [&p]() -> TLeague& { return p.GetLeague(p.AddLeague()); };
    auto district = [](TLeague& l) -> TDistrict& { return l.GetDistrict(l.AddDistrict()); };
    auto teams = [](TDistrict& d, int count) {
        for (int i = 0; i < count; ++i)
            d.AddTeam();
    };
    switch (shape) {
    case EmptyLeagues:
        for (int i = 0; i < kRecords; ++i)
            league();
        break;
    case EmptyDistricts: {
        TLeague& l = league();
        for (int i = 0; i < kRecords; ++i)
            district(l);
        break;
    }
    case LeaguesOfTwoDistricts:
        for (int i = 0; i < kRecords / 3; ++i) {
            TLeague& l = league();
            district(l);
            district(l);
        }
        break;
    case DistrictsOfOneTeam: {
        TLeague& l = league();
        for (int i = 0; i < kRecords / 2; ++i)
            teams(district(l), 1);
        break;
    }
    case EmptyTeams:
        teams(district(league()), kRecords);
        break;
    case InlineTexts: // a symbol and three texts of 15 bytes, the longest a string holds in itself
    case RealNames: {
        TDistrict& d = district(league());
        teams(d, kRecords);
        for (int i = 0; i < kRecords; ++i) {
            TTeam& team = d.GetTeam(i);
            const std::string n = std::to_string(10000000 + i);
            team.SetSymbol(BenchSymbol(i));
            if (shape == InlineTexts) {
                team.Name = team.ShortName = team.Picture = "Team " + n + "ab";
            } else {
                team.Name = "\x8d\xe3\x90\x5f\x83\x5e\x83\x43\x83\x4b\x81\x5b\x83\x58" + n; // 阪神タイガース
                team.ShortName = "\x8d\xe3\x90\x5f";                                        // 阪神
            }
        }
        break;
    }
    case Matches: // one district of two teams, and the games between them
        teams(district(league()), 2);
        p.GetLeague(0).GetDistrict(0).GetTeam(0).SetSymbol("A");
        p.GetLeague(0).GetDistrict(0).GetTeam(1).SetSymbol("B");
        f.Reserve(kRecords);
        for (int i = 0; i < kRecords; ++i) {
            TMatchRec& m = f.GetMatch(f.NewMatch());
            m.HomeSymbol.Set(i % 2 ? "A" : "B");
            m.VisitorSymbol.Set(i % 2 ? "B" : "A");
            m.GameDate = 46000 + i / 3;
            m.GameNo = static_cast<int8_t>(1 + i % 3);
        }
        break;
    }
    SaveSeason(path, &p, &f);
}

// Heap memory in use.
size_t HeapInUse() {
    const struct mallinfo2 heap = ::mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

// The memory a loaded season may hold: 256 bytes for each league, district
// and team of a file of such records; one and a half times the file for a
// file of matches.
constexpr double kBytesPerStructureRecord = 256;
constexpr double kTimesMatchFile = 1.5;

// Loads the file once per iteration and reports the memory the season holds
// against the file's size ("x_file") and per league, district and team
// ("B_record"). Reading keeps no more than a 64 KiB block besides, so this is
// also its peak. A broken bound shows in the row's label and on the error output.
void MeasureLoad(benchmark::State& state, int shape, bool matchesBound) {
    const TTempFile file("shape.qvk");
    MakeRecordsFile(file.Path, shape);
    size_t held = 0;
    double records = 0;
    for (auto _ : state) {
        std::unique_ptr<TPennant> p;
        std::unique_ptr<TFight> f;
        const size_t before = HeapInUse();
        if (!LoadSeason(file.Path, p, f)) {
            state.SkipWithError("the season did not load");
            return;
        }
        held = HeapInUse() - before;
        records = p->LeagueCount() + p->TotalDistrictCount() + p->TotalTeamCount();
    }
    const auto bytes = static_cast<double>(fs::file_size(file.Path));
    const double perRecord = static_cast<double>(held) / records;
    const double timesFile = static_cast<double>(held) / bytes;
    state.counters["file_MB"] = bytes / 1e6;
    state.counters["x_file"] = timesFile;
    if (!matchesBound)
        state.counters["B_record"] = perRecord;
    char verdict[160] = "within bound";
    if (matchesBound && timesFile > kTimesMatchFile)
        std::snprintf(verdict, sizeof verdict, "BOUND BROKEN: %.2f times the file, more than %.1f", timesFile,
                      kTimesMatchFile);
    else if (!matchesBound && perRecord > kBytesPerStructureRecord)
        std::snprintf(verdict, sizeof verdict, "BOUND BROKEN: %.0f bytes a record, more than %.0f", perRecord,
                      kBytesPerStructureRecord);
    state.SetLabel(verdict);
    if (verdict[0] == 'B')
        std::fprintf(stderr, "Memory of the file of shape %d: %s\n", shape, verdict);
}

// Files of leagues, districts and teams, one shape each.
void BM_LoadStructureMemory(benchmark::State& state) {
    MeasureLoad(state, static_cast<int>(state.range(0)), false);
}

// A file of matches.
void BM_LoadMatchesMemory(benchmark::State& state) {
    MeasureLoad(state, Matches, true);
}

} // namespace

BENCHMARK(BM_LoadStructureMemory)->DenseRange(EmptyLeagues, RealNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMatchesMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StandingsOfAHugeDistrict)->Args({50000, 0})->Args({50000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsWithManySections)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndCloseManyDistricts)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefuseAGibibyteNonSeason)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

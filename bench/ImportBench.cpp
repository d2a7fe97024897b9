// Importing real-world match files: a full major-league season's game log
// (2,430 games, 161 fields a line, about 2.6 MB) and a CSV of 24,300 games
// naming teams by their Japanese names. Both are generated here. Measured in
// memory (read, check, apply) and as the whole tablora-cli process, start to
// exit, reading the season file and writing the new one.

#include "bench/BenchSeason.h"
#include "bench/BenchSupport.h"
#include "core/base/SjisText.h"
#include "core/io/GameLog.h"
#include "core/io/MatchImport.h"
#include "core/io/SeasonFile.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

// GCC 12 at -O3 sees overlapping copies in the plain string concatenations of
// the generators below (a known false warning).
#pragma GCC diagnostic ignored "-Wrestrict"

namespace {

namespace fs = std::filesystem;

const fs::path& WorkFolder() {
    static const fs::path folder = MakeBenchFolder("tablora-import-bench");
    return folder;
}

// The game logs' club code for each template symbol (the reverse of the reader's table).
std::string ClubCode(const std::string& symbol) {
    static const std::map<std::string, std::string> codes = {
        {"NYY", "NYA"}, {"CWS", "CHA"}, {"KC", "KCA"}, {"TB", "TBA"},  {"STL", "SLN"}, {"CHC", "CHN"},
        {"LA", "LAN"},  {"SF", "SFN"},  {"SD", "SDN"}, {"NYM", "NYN"}, {"FLA", "FLO"}};
    const auto it = codes.find(symbol);
    return it == codes.end() ? symbol : it->second;
}

// One line as the published logs have it: 161 fields, the unused ones filled
// with the kind of text they hold (line scores, umpires, lineups).
std::string GameLogLine(const TMatchRec& m) {
    const std::string date = days::FormatDate(m.GameDate);
    std::string line = "\"" + date.substr(0, 4) + date.substr(5, 2) + date.substr(8, 2) + "\",\"0\",\"Sun\",\"" +
                       ClubCode(m.VisitorSymbol.Text()) + "\",\"AL\",1,\"" + ClubCode(m.HomeSymbol.Text()) +
                       "\",\"AL\",1," + std::to_string(m.VisitorScore) + "," + std::to_string(m.HomeScore) +
                       ",54,\"D\",\"\",\"\",\"\",\"PRK01\",41234,172,\"010203100\",\"00001102x\"";
    for (int i = 0; i < 50; ++i)
        line += "," + std::to_string(i % 13);
    for (int i = 0; i < 44; ++i)
        line += ",\"smit" + std::to_string(1000 + i) + "\",\"Smith\"";
    line += ",\"\",\"Y\"\r\n";
    return line;
}

struct TFiles {
    std::string Season;  // the template season, no games
    std::string GameLog; // bytes
    std::string Csv;     // bytes
    std::string GameLogPath, CsvPath;
};

const TFiles& Files() {
    static const TFiles files = [] {
        TFiles f;
        const TBenchSeason log = MakeBenchSeason(162);
        for (int i = 0; i < log.Fight->MatchCount(); ++i)
            f.GameLog += GameLogLine(log.Fight->GetMatch(i));

        // Ten seasons' worth, the home team by full name and the visitors by
        // short name, in Japanese column names.
        const TBenchSeason big = MakeBenchSeason(1620);
        f.Csv = "\xEF\xBB\xBF日付,ホーム,ビジター,ホーム得点,ビジター得点,状態\r\n";
        for (int i = 0; i < big.Fight->MatchCount(); ++i) {
            const TMatchRec& m = big.Fight->GetMatch(i);
            f.Csv += days::FormatDate(m.GameDate) + "," +
                     sjis::ToUtf8(big.Pennant->TeamBySymbol(m.HomeSymbol.Text())->Name) + "," +
                     sjis::ToUtf8(big.Pennant->TeamBySymbol(m.VisitorSymbol.Text())->ShortName) + "," +
                     std::to_string(m.HomeScore) + "," + std::to_string(m.VisitorScore) + ",終了\r\n";
        }

        TPennant empty;
        BuildTemplate(TemplateMajor, empty);
        empty.Checker = "BenchSea";
        TFight none;
        f.Season = (WorkFolder() / "season.qvk").string();
        f.GameLogPath = (WorkFolder() / "GL2026.TXT").string();
        f.CsvPath = (WorkFolder() / "games.csv").string();
        if (!SaveSeason(f.Season, &empty, &none))
            std::abort();
        std::ofstream(f.GameLogPath, std::ios::binary) << f.GameLog;
        std::ofstream(f.CsvPath, std::ios::binary) << f.Csv;
        return f;
    }();
    return files;
}

const TPennant& MajorSeason() {
    static const TPennant pennant = [] {
        TPennant p;
        BuildTemplate(TemplateMajor, p);
        p.Checker = "BenchSea";
        return p;
    }();
    return pennant;
}

void Import(benchmark::State& state, const std::string& bytes, int games) {
    for (auto _ : state) {
        TImportFile file = ReadImportBytes(bytes, MajorSeason(), std::nullopt);
        TFight fight;
        if (!file.Refusal.empty() || CheckImport(MajorSeason(), fight, file.Text) != TImportCheck::Ok)
            std::abort();
        ApplyImport(MajorSeason(), fight, std::move(file.Text));
        if (fight.MatchCount() != games)
            std::abort();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void BM_ImportGameLogInMemory(benchmark::State& state) {
    Import(state, Files().GameLog, 2430);
}

void BM_ImportCsvInMemory(benchmark::State& state) {
    Import(state, Files().Csv, 24300);
}

// Runs the program and waits for it: its exit status; `cpuMs` gets the
// child's processor time (user and system).
int RunCli(const std::vector<std::string>& args, double* cpuMs = nullptr) {
    const TChildRun run = RunChild(args, "/dev/null");
    const rusage& u = run.Usage;
    if (cpuMs)
        *cpuMs = static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
                 static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    return run.Status;
}

// tablora-cli import SEASON FILE --out NEW: the whole process, start to exit
// (wall time, which includes the atomic save's fsync), and its processor time
// as the counter cpu_ms: on a busy machine the two differ widely.
void ImportProcess(benchmark::State& state, const std::string& path) {
    const std::string out = (WorkFolder() / "out.qvk").string();
    double cpu = 0;
    for (auto _ : state) {
        double ms = 0;
        if (RunCli({TABLORA_CLI_PROGRAM, "import", Files().Season, path, "--out", out}, &ms) != 0)
            state.SkipWithError("tablora-cli import failed");
        cpu += ms;
    }
    state.counters["cpu_ms"] = cpu / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
}

void BM_ImportGameLogProcess(benchmark::State& state) {
    ImportProcess(state, Files().GameLogPath);
}

void BM_ImportCsvProcess(benchmark::State& state) {
    ImportProcess(state, Files().CsvPath);
}

// The same process doing next to nothing (info on the empty season): what
// starting a process costs on this machine, for reading the two above.
void BM_InfoProcess(benchmark::State& state) {
    for (auto _ : state)
        if (RunCli({TABLORA_CLI_PROGRAM, "info", Files().Season}) != 0)
            state.SkipWithError("tablora-cli info failed");
}

void BM_ExportCsv(benchmark::State& state) {
    static const TBenchSeason big = MakeBenchSeason(1620);
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeMatchCsv(*big.Pennant, *big.Fight));
    state.counters["matches"] = big.Fight->MatchCount();
}

} // namespace

BENCHMARK(BM_ImportGameLogInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportCsvInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportGameLogProcess)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportCsvProcess)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_InfoProcess)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunBenchmarksIn(argc, argv, WorkFolder());
}

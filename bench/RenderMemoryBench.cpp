// The memory tablora-render needs for a very tall picture: the schedule of
// seasons ten and thirty times the major-league size, rendered by the program
// itself in a child process. The counters give the child's peak resident
// memory (its high-water mark, as the kernel counts it) and the picture's
// size; the peak should stay the same however tall the picture grows.

#include "bench/BenchSeason.h"
#include "bench/BenchSupport.h"
#include "core/io/SeasonFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// A folder of our own for the season files and the pictures.
const fs::path& WorkFolder() {
    static const fs::path folder = MakeBenchFolder("tablora-bench");
    return folder;
}

// The season `times` times the major-league size, saved once.
std::string SeasonFile(int times) {
    const fs::path path = WorkFolder() / ("season" + std::to_string(times) + ".qvk");
    if (!fs::exists(path)) {
        const TBenchSeason s = MakeBenchSeason(162 * times);
        if (!SaveSeason(path.string(), s.Pennant.get(), s.Fight.get()))
            std::abort();
    }
    return path.string();
}

// The width and height a PNG's header gives.
std::pair<long, long> PngSize(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    auto at = [&](int i) {
        return static_cast<long>(header[i]) << 24 | header[i + 1] << 16 | header[i + 2] << 8 | header[i + 3];
    };
    return {at(16), at(20)};
}

void BM_RenderSchedulePeakMemory(benchmark::State& state) {
    const std::string season = SeasonFile(static_cast<int>(state.range(0)));
    const fs::path png = WorkFolder() / "schedule.png";
    for (auto _ : state) {
        const TChildRun run = RunChild(
            {TABLORA_RENDER_PROGRAM, "render", season, "--view", "schedule", "--index", "0", "--out", png.string()});
        if (run.Status != 0) {
            state.SkipWithError("tablora-render failed");
            break;
        }
        const auto [width, height] = PngSize(png);
        state.counters["peakMB"] = static_cast<double>(run.Usage.ru_maxrss) / 1024;
        state.counters["pngMB"] = static_cast<double>(fs::file_size(png)) / (1 << 20);
        state.counters["Mpixels"] = static_cast<double>(width) * static_cast<double>(height) / 1e6;
    }
}

} // namespace

BENCHMARK(BM_RenderSchedulePeakMemory)->Arg(10)->Arg(30)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    return RunBenchmarksIn(argc, argv, WorkFolder());
}

// Painting the standings (each mode) and one team's rank transition on the
// major-league-size season and on one ten times larger.

#include "BenchSeason.h"
#include "model/HeapSettings.h"
#include "views/JuniDrawing.h"
#include "views/TmJuniDrawing.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

const TBenchSeason& Season(int gamesPerTeam) {
    static TBenchSeason normal = MakeBenchSeason(162);
    static TBenchSeason large = MakeBenchSeason(1620);
    return gamesPerTeam == 162 ? normal : large;
}

TViewContext View(const TBenchSeason& s) {
    static TAppSettings settings;
    return {s.Pennant.get(), s.Fight.get(), &settings, QString(), QGuiApplication::palette()};
}

void BM_DrawStandings(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const int mode = static_cast<int>(state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawJuni(View(s), 0, mode));
}

void BM_DrawTransition(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawTmJuni(View(s), 0));
}

} // namespace

BENCHMARK(BM_DrawStandings)->ArgsProduct({{162, 1620}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
// Long enough that the first drawing, into memory fresh from the system, does not dominate.
BENCHMARK(BM_DrawTransition)->Arg(162)->Arg(1620)->MinTime(3.0)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    UseProgramHeapSettings(); // as the program does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

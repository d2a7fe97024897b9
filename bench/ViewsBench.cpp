// Painting the standings (each mode) and one team's rank transition on the
// major-league-size season and on one ten times larger.

#include "BenchSeason.h"
#include "model/HeapSettings.h"
#include "views/JuniDrawing.h"
#include "views/NitteiDrawing.h"
#include "views/TaisenDrawing.h"
#include "views/TmJuniDrawing.h"
#include "views/VersusDrawing.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <functional>

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

// What a window shows at once: a 1000 x 800 part of the table.
const QSize kScreen(1000, 800);

void PaintArea(const QRect& area, const std::function<void(TTableCanvas&, const QRect&)>& paint) {
    TTableCanvas canvas(area, Qt::white);
    paint(canvas, area);
    benchmark::DoNotOptimize(canvas.Picture());
}

// Opening the schedule window: the layout and the first screen at the latest played day.
void BM_ScheduleOpen(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const TNitteiLayout l = LayoutNittei(View(s), 0);
        PaintArea(QRect(QPoint(0, std::max(l.ScrollTarget - 93, 0)), kScreen),
                  [&](TTableCanvas& c, const QRect& area) { PaintNittei(View(s), l, c, area); });
    }
}

// Scrolling it: one screen in the middle of the season.
void BM_ScheduleScroll(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const TNitteiLayout l = LayoutNittei(View(s), 0);
    for (auto _ : state)
        PaintArea(QRect(QPoint(0, l.Height / 2), kScreen),
                  [&](TTableCanvas& c, const QRect& area) { PaintNittei(View(s), l, c, area); });
    state.counters["lines"] = static_cast<double>(l.Lines.size());
}

// The whole schedule, band by band, as tablora-cli render paints it.
void BM_ScheduleWhole(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const TNitteiLayout l = LayoutNittei(View(s), 0);
        for (int y = 0; y < l.Height; y += 1024)
            PaintArea(QRect(0, y, l.Width, std::min(1024, l.Height - y)),
                      [&](TTableCanvas& c, const QRect& area) { PaintNittei(View(s), l, c, area); });
    }
}

// The head-to-head table of one district, every page laid out and painted whole.
void BM_HeadToHead(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const std::vector<int> pages = TaisenPages(*s.Pennant, 0);
    for (auto _ : state)
        for (int page = 0; page < static_cast<int>(pages.size()); ++page) {
            const TTaisenLayout l = LayoutTaisen(View(s), 0, pages, 0, page);
            PaintArea(QRect(0, 0, l.Width, l.Height),
                      [&](TTableCanvas& c, const QRect& area) { l.List.Paint(c, area); });
        }
    state.counters["pages"] = static_cast<double>(pages.size());
}

// One team-versus-team window: its layout and both pictures whole.
void BM_Versus(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const TDistrict& d = s.Pennant->GetLeague(0).GetDistrict(0);
    const std::string own = d.GetTeam(0).Symbol, opponent = d.GetTeam(1).Symbol;
    for (auto _ : state) {
        const TVersusLayout l = LayoutVersus(View(s), 0, own, opponent, 0);
        PaintArea(QRect(0, 0, l.Width, l.HeadHeight), [&](TTableCanvas& c, const QRect& a) { l.Head.Paint(c, a); });
        PaintArea(QRect(0, 0, l.Width, l.ListHeight), [&](TTableCanvas& c, const QRect& a) { l.List.Paint(c, a); });
    }
}

} // namespace

BENCHMARK(BM_ScheduleOpen)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScheduleScroll)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScheduleWhole)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeadToHead)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Versus)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
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

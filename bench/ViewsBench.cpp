// The table views on the major-league-size season and on one ten times
// larger: laying a view out (what opening it or switching its tab costs
// before anything is painted), painting one screen of it (the window paints
// only what is exposed), scrolling it by a page, and rendering a whole table
// into a PNG in bands.

#include "bench/BenchSeason.h"
#include "core/io/AppSettings.h"
#include "draw/JuniDrawing.h"
#include "draw/NitteiDrawing.h"
#include "draw/TableRender.h"
#include "draw/TaisenDrawing.h"
#include "draw/TmJuniDrawing.h"
#include "draw/VersusDrawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <map>

namespace {

const TBenchSeason& Season(int gamesPerTeam) {
    static TBenchSeason normal = MakeBenchSeason(162);
    static TBenchSeason large = MakeBenchSeason(1620);
    return gamesPerTeam == 162 ? normal : large;
}

// One district of `teams` teams, each playing about three games: a small
// file whose standings table is tall.
const TBenchSeason& WideDistrict(int teams) {
    static std::map<int, TBenchSeason> made;
    auto found = made.find(teams);
    if (found != made.end())
        return found->second;
    TBenchSeason& s = made[teams];
    TLeague& league = s.Pennant->GetLeague(s.Pennant->AddLeague());
    TDistrict& district = league.GetDistrict(league.AddDistrict());
    std::vector<std::string> symbols;
    for (int i = 0; i < teams; ++i) {
        TTeam& t = district.GetTeam(district.AddTeam());
        t.SetSymbol(std::to_string(i));
        t.ShortName = t.Symbol;
        symbols.push_back(t.Symbol);
    }
    std::mt19937 rng(7);
    const double first = days::Encode(2026, 4, 1);
    for (int m = 0; m < teams * 13 / 10; ++m) {
        TMatchRec& match = s.Fight->GetMatch(s.Fight->NewMatch());
        match.HomeSymbol.Set(symbols[rng() % symbols.size()]);
        match.VisitorSymbol.Set(symbols[rng() % symbols.size()]);
        match.GameDate = first + m / 50;
        match.Status = m % 7 == 0 ? StatusBefore : StatusFinished;
        match.HomeScore = static_cast<int8_t>(rng() % 10);
        match.VisitorScore = static_cast<int8_t>(rng() % 10);
    }
    s.Fight->SortMatches();
    return s;
}

TViewContext View(const TBenchSeason& s) {
    static TAppSettings settings;
    return {s.Pennant.get(), s.Fight.get(), &settings, QString(), QGuiApplication::palette()};
}

// One screen of a maximized window's table pane.
const QSize kScreen(1280, 700);

// Paints the part of `table` a window scrolled to `top` shows.
void PaintScreen(const TTableLayout& table, QImage& screen, int top) {
    screen.fill(table.Background());
    QPainter painter(&screen);
    painter.translate(0, -top);
    const QRect area(QPoint(0, top), kScreen);
    TPainterCanvas canvas(painter, area);
    table.Paint(canvas);
}

// Scrolling a page at a time down the table and back to its top: only the
// newly exposed part is painted, at most a screen.
void ScrollPages(benchmark::State& state, const TTableLayout& table) {
    QImage screen(kScreen, QImage::Format_RGB32);
    int top = 0;
    for (auto _ : state) {
        PaintScreen(table, screen, top);
        top = top + kScreen.height() >= table.Size().height() ? 0 : top + kScreen.height();
    }
}

void BM_OpenStandings(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const int mode = static_cast<int>(state.range(1));
    QImage screen(kScreen, QImage::Format_RGB32);
    for (auto _ : state) {
        TJuniTable table(View(s), 0, mode);
        PaintScreen(table, screen, 0);
    }
}

// Opening the window or switching its team: the layout and the first screen.
void BM_OpenTransition(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    QImage screen(kScreen, QImage::Format_RGB32);
    int team = 0;
    for (auto _ : state) {
        TTmJuniPanes panes = LayOutTmJuni(View(s), team);
        team = (team + 1) % 30;
        PaintScreen(*panes.Head, screen, 0);
        PaintScreen(*panes.Table, screen, std::max(panes.ScrollTarget - 198, 0));
    }
}

void BM_ScrollTransition(benchmark::State& state) {
    const TTmJuniPanes panes = LayOutTmJuni(View(Season(static_cast<int>(state.range(0)))), 0);
    ScrollPages(state, *panes.Table);
}

// A district of a thousand teams: its standings laid out with the first
// screen, scrolled a page, and rendered whole.
void BM_OpenWideStandings(benchmark::State& state) {
    const TBenchSeason& s = WideDistrict(static_cast<int>(state.range(0)));
    QImage screen(kScreen, QImage::Format_RGB32);
    for (auto _ : state) {
        TJuniTable table(View(s), 0, 0);
        PaintScreen(table, screen, 0);
    }
}

void BM_ScrollWideStandings(benchmark::State& state) {
    ScrollPages(state, TJuniTable(View(WideDistrict(static_cast<int>(state.range(0)))), 0, 0));
}

void BM_RenderWideStandings(benchmark::State& state) {
    const TBenchSeason& s = WideDistrict(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const TJuniTable table(View(s), 0, 0);
        std::string png, error;
        EncodeTablePicture({{&table, QPoint(0, 0)}}, table.Size(), Qt::white, png, error);
        state.counters["KB"] = static_cast<double>(png.size()) / 1024;
        state.counters["Mpixels"] = table.Size().width() * double(table.Size().height()) / 1e6;
    }
}

void BM_RenderTransition(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const TTmJuniPanes panes = LayOutTmJuni(View(s), 0);
        std::string png, error;
        const QSize size(panes.Table->Size().width(), panes.HeadPaneHeight + 3 + panes.Table->Size().height());
        EncodeTablePicture({{panes.Head.get(), QPoint(0, 0)}, {panes.Table.get(), QPoint(0, panes.HeadPaneHeight + 3)}},
                           size, Qt::white, png, error);
        state.counters["KB"] = static_cast<double>(png.size()) / 1024;
    }
}

// Opening the schedule window: the layout and the first screen, at the latest played day.
void BM_OpenSchedule(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    QImage screen(kScreen, QImage::Format_RGB32);
    for (auto _ : state) {
        const TNitteiLayout schedule = LayoutNittei(View(s), 0);
        PaintScreen(schedule, screen, std::max(schedule.ScrollTarget - 93, 0));
    }
}

void BM_ScrollSchedule(benchmark::State& state) {
    const TNitteiLayout schedule = LayoutNittei(View(Season(static_cast<int>(state.range(0)))), 0);
    ScrollPages(state, schedule);
    state.counters["lines"] = static_cast<double>(schedule.Lines.size());
}

void BM_RenderSchedule(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const TNitteiLayout schedule = LayoutNittei(View(s), 0);
        std::string png, error;
        EncodeTablePicture({{&schedule, QPoint(0, 0)}}, schedule.Size(), Qt::white, png, error);
        state.counters["KB"] = static_cast<double>(png.size()) / 1024;
    }
}

// The head-to-head table of one district: every page laid out and painted whole.
void BM_OpenHeadToHead(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const std::vector<int> pages = TaisenPages(*s.Pennant, 0);
    QImage screen(kScreen, QImage::Format_RGB32);
    for (auto _ : state)
        for (int page = 0; page < static_cast<int>(pages.size()); ++page)
            PaintScreen(LayoutTaisen(View(s), 0, pages, 0, page).Table, screen, 0);
    state.counters["pages"] = static_cast<double>(pages.size());
}

// One team-versus-team window: its layout and both panes.
void BM_OpenVersus(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const TDistrict& d = s.Pennant->GetLeague(0).GetDistrict(0);
    const std::string own = d.GetTeam(0).Symbol, opponent = d.GetTeam(1).Symbol;
    QImage screen(kScreen, QImage::Format_RGB32);
    for (auto _ : state) {
        const TVersusLayout versus = LayoutVersus(View(s), 0, own, opponent, 0);
        PaintScreen(versus.Head, screen, 0);
        PaintScreen(versus.List, screen, std::max(versus.ScrollTarget - 136, 0));
    }
}

// The head-to-head table of one large district (n² cells): laid out and its
// first screen painted, then scrolled a page at a time.
void BM_OpenWideHeadToHead(benchmark::State& state) {
    const TBenchSeason& s = WideDistrict(static_cast<int>(state.range(0)));
    const std::vector<int> pages = TaisenPages(*s.Pennant, 0);
    QImage screen(kScreen, QImage::Format_RGB32);
    for (auto _ : state)
        PaintScreen(LayoutTaisen(View(s), 0, pages, 0, 0).Table, screen, 0);
}

void BM_ScrollWideHeadToHead(benchmark::State& state) {
    const TBenchSeason& s = WideDistrict(static_cast<int>(state.range(0)));
    const TTaisenLayout table = LayoutTaisen(View(s), 0, TaisenPages(*s.Pennant, 0), 0, 0);
    ScrollPages(state, table.Table);
}

// The games of two teams against each other, a page at a time.
void BM_ScrollVersus(benchmark::State& state) {
    const TBenchSeason& s = Season(static_cast<int>(state.range(0)));
    const TDistrict& d = s.Pennant->GetLeague(0).GetDistrict(0);
    const TVersusLayout versus = LayoutVersus(View(s), 0, d.GetTeam(0).Symbol, d.GetTeam(1).Symbol, 0);
    ScrollPages(state, versus.List);
}

} // namespace

BENCHMARK(BM_OpenSchedule)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollSchedule)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderSchedule)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenHeadToHead)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenVersus)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollVersus)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenStandings)->ArgsProduct({{162, 1620}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTransition)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollTransition)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderTransition)->Arg(162)->Arg(1620)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenWideStandings)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollWideStandings)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWideHeadToHead)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollWideHeadToHead)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderWideStandings)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

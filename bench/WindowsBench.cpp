// Every window of the program on a district far beyond any real league:
// 100,000 teams in one district (a 3 MB season file) with one game played.
// Each window opens in a child process of this program (this same program,
// called with --window), so the counters give the whole time until the
// window shows what it shows (the race: every row decided) and the child's
// peak resident memory. No window may take more than 5 s or 500 MB.

#include "bench/BenchSupport.h"
#include "core/io/AppSettings.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "gui/app/UMain.h"
#include "gui/controls/DialogService.h"
#include "gui/entry/UKekka.h"
#include "gui/entry/UTorokuN.h"
#include "gui/setup/USettei.h"
#include "gui/views/UJuni.h"
#include "gui/views/UNittei.h"
#include "gui/views/UOdds.h"
#include "gui/views/URace.h"
#include "gui/views/UTaisen.h"
#include "gui/views/UTmJuni.h"
#include "gui/views/UVersus.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

// GCC 12 at -O3 sees overlapping copies in the plain string concatenations of
// the generator below (a known false warning).
#pragma GCC diagnostic ignored "-Wrestrict"

namespace {

namespace fs = std::filesystem;
constexpr int kTeams = 100000;
const char* const kWindows[] = {"main", "standings", "transition", "schedule", "headtohead", "versus",
                                "race", "odds",      "settings",   "entry",    "results"};

const fs::path& WorkFolder() {
    static const fs::path folder = MakeBenchFolder("tablora-windows");
    return folder;
}

const std::string& SeasonFile() {
    static const std::string path = [] {
        TPennant p;
        TFight f;
        TLeague& league = p.GetLeague(p.AddLeague());
        league.Name = "L";
        TDistrict& district = league.GetDistrict(league.AddDistrict());
        for (int t = 0; t < kTeams; ++t) {
            TTeam& team = district.GetTeam(district.AddTeam());
            team.SetSymbol(BenchSymbol(t));
            team.Name = team.ShortName = "Team " + std::to_string(t);
        }
        TMatchRec& m = f.GetMatch(f.NewMatch());
        m.HomeSymbol.Set(BenchSymbol(0));
        m.VisitorSymbol.Set(BenchSymbol(1));
        m.HomeScore = 3;
        m.VisitorScore = 1;
        m.GameDate = 46000;
        m.Status = StatusFinished;
        const std::string file = (WorkFolder() / "huge.qvk").string();
        if (!SaveSeason(file, &p, &f))
            std::abort();
        return file;
    }();
    return path;
}

// The child: opens one window, shows it, waits for what it shows, and prints
// the seconds it took.
int OpenWindow(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string which = argv[2], file = argv[3];
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<TPennant> p;
    std::unique_ptr<TFight> f;
    TAppSettings settings;
    QTemporaryDir program;
    TQtDialogService dialogs;
    std::unique_ptr<QWidget> window;
    if (which == "main") {
        auto form = std::make_unique<TMainForm>(dialogs, program.path() + "/tablora");
        form->Start(QString::fromStdString(file));
        if (!form->Pennant())
            return 1;
        window = std::move(form);
    } else {
        if (!LoadSeason(file, p, f))
            return 1;
        const TViewContext v{p.get(), f.get(), &settings, program.path(), QPalette()};
        if (which == "standings")
            window = std::make_unique<TFmJuni>(v, 0);
        else if (which == "transition")
            window = std::make_unique<TFmTmJuni>(v, 0);
        else if (which == "schedule")
            window = std::make_unique<TFmNittei>(v, 0);
        else if (which == "headtohead")
            window = std::make_unique<TFmTaisen>(v, 0);
        else if (which == "versus")
            window = std::make_unique<TFmVersus>(v, 0, BenchSymbol(0), BenchSymbol(1), 0);
        else if (which == "race")
            window = std::make_unique<TFmRace>(v, 0);
        else if (which == "odds")
            window = std::make_unique<TFmOdds>(v, 0);
        else if (which == "settings")
            window = std::make_unique<TFmSettei>(*p, *f, dialogs, program.path());
        else if (which == "entry")
            window = std::make_unique<TFmTorokuN>(*p, *f, true, 15, dialogs);
        else if (which == "results")
            window = std::make_unique<TFmKekka>(*p, *f, settings, 46000, dialogs);
        else
            return 2;
        window->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    window->resize(800, 600);
    window->show();
    QApplication::processEvents();
    if (auto* race = qobject_cast<TFmRace*>(window.get()))
        race->WaitDecided();
    std::printf("%.3f\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    std::fflush(stdout);
    std::_Exit(0); // the window's teardown is not what is measured
}

void BM_OpenWindowOnAHugeDistrict(benchmark::State& state) {
    const std::string which = kWindows[state.range(0)];
    state.SetLabel(which);
    const std::string& season = SeasonFile();
    std::string self(4096, '\0');
    self.resize(static_cast<size_t>(std::max<ssize_t>(::readlink("/proc/self/exe", self.data(), self.size()), 0)));
    for (auto _ : state) {
        const std::string out = (WorkFolder() / "seconds").string();
        const TChildRun run = RunChild({self, "--window", which, season}, out.c_str());
        double seconds = -1;
        if (FILE* in = std::fopen(out.c_str(), "r")) {
            if (std::fscanf(in, "%lf", &seconds) != 1)
                seconds = -1;
            std::fclose(in);
        }
        if (run.Status != 0 || seconds < 0) {
            state.SkipWithError("the window did not open");
            return;
        }
        state.counters["seconds"] = seconds;
        state.counters["peak_MB"] = static_cast<double>(run.Usage.ru_maxrss) / 1024;
    }
}
BENCHMARK(BM_OpenWindowOnAHugeDistrict)
    ->DenseRange(0, static_cast<int>(std::size(kWindows)) - 1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--window")
        return OpenWindow(argc, argv);
    return RunBenchmarksIn(argc, argv, WorkFolder());
}

#include "gui/views/UOdds.h"

#include "core/io/SeasonFile.h"
#include "core/odds/OddsRace.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "gui/views/TableSurface.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>

namespace {
constexpr long long kRunChoices[] = {10000, 100000, 1000000};
constexpr long long kHistoryRunsPerDay = 10000;
constexpr uint64_t kSeed = 1; // the same numbers every time the window is opened
} // namespace

// One computation: what it works on (a copy of the season, so the season may
// be edited meanwhile), and the window it reports to while it has one.
struct TFmOdds::TJob {
    std::atomic<bool> Stop{false};
    std::atomic<bool> Finished{false};
    std::mutex Lock;
    TFmOdds* Window = nullptr; // under Lock; none once the window let go of the job
    std::string Season;
    int District = 0;
    TOddsModel Model = TOddsModel::Runs;
    int Place = 3;
    long long Runs = 0;

    // Runs `f` on the window's thread, if the window still wants this job's news.
    template <typename F> void Post(F f) {
        std::lock_guard<std::mutex> hold(Lock);
        if (Window)
            QMetaObject::invokeMethod(Window, std::move(f), Qt::QueuedConnection);
    }
};

TFmOdds::TFmOdds(const TViewContext& view, int districtIndex, QWidget* parent) : TTableWindow(view, parent) {
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    CBPage = new QComboBox(this);
    CBPage->addItems({QStringLiteral("確率表"), QStringLiteral("推移")});
    CBModel = new QComboBox(this);
    CBModel->addItems({QStringLiteral("得失点"), QStringLiteral("五分五分")});
    CBModel->setToolTip(QStringLiteral("得失点: 得点と失点から見た強さとホームの有利さで勝敗を決めます。\n"
                                       "五分五分: どの試合も勝つ見込みは半々です。"));
    CBRuns = new QComboBox(this);
    for (long long runs : kRunChoices)
        CBRuns->addItem(QLocale(QLocale::Japanese).toString(runs) + QStringLiteral(" 回"));
    CBRuns->setCurrentIndex(1);
    auto* cutLabel = new QLabel(QStringLiteral("上位"), this);
    UDCut = new QSpinBox(this);
    UDCut->setRange(1, 99);
    UDCut->setValue(3);
    cutLabel->setBuddy(UDCut);
    CBLine = new QComboBox(this);
    CBLine->addItems({QStringLiteral("優勝"), QStringLiteral("上位")});
    Progress = new QProgressBar(this);
    Progress->setRange(0, 1000);
    Progress->setTextVisible(false);
    Progress->setMaximumWidth(140);
    BtnCancel = new QPushButton(QStringLiteral("中止"), this);
    auto* modelLabel = new QLabel(QStringLiteral("モデル"), this);
    modelLabel->setBuddy(CBModel);
    bar->addWidget(CBPage);
    bar->addSpacing(8);
    bar->addWidget(modelLabel);
    bar->addWidget(CBModel);
    bar->addWidget(CBRuns);
    bar->addSpacing(8);
    bar->addWidget(cutLabel);
    bar->addWidget(UDCut);
    bar->addWidget(new QLabel(QStringLiteral("位以内"), this));
    bar->addWidget(CBLine);
    bar->addStretch();
    bar->addWidget(Progress);
    bar->addWidget(BtnCancel);

    ImgOdds = AddTable(this);
    TrackMouse(ImgOdds);
    TabOdds = AddTabs(DistrictCaptions(), districtIndex);
    LayOut(bar, ScrollBox1, TabOdds);
    connect(TabOdds, &TTabStrip::currentChanged, this, &TFmOdds::TabOddsChange);
    connect(CBPage, &QComboBox::currentIndexChanged, this, &TFmOdds::PageChange);
    connect(CBModel, &QComboBox::currentIndexChanged, this, [this] {
        HistoryStale = true;
        Restart();
        if (HistoryPage())
            RestartHistory();
    });
    connect(CBRuns, &QComboBox::currentIndexChanged, this, &TFmOdds::Restart);
    connect(UDCut, &QSpinBox::valueChanged, this, [this](int place) {
        CBLine->setItemText(1, QStringLiteral("%1位以内").arg(place));
        HistoryStale = true;
        Restart();
        if (HistoryPage())
            RestartHistory();
    });
    connect(CBLine, &QComboBox::currentIndexChanged, this, &TFmOdds::Show);
    connect(BtnCancel, &QPushButton::clicked, this, &TFmOdds::Cancel);
    CBLine->setItemText(1, QStringLiteral("%1位以内").arg(UDCut->value()));
    CBLine->setEnabled(false);
    TabOddsChange(TabOdds->currentIndex());
    resize(1000, 460 + TabOdds->heightForWidth(1000) - TabOdds->minimumSizeHint().height());
}

TFmOdds::~TFmOdds() {
    StopJob(TableJob);
    StopJob(HistoryJob);
    Workers.clear(); // joins: each stops within a pass
}

bool TFmOdds::Busy() const {
    return TableState.Running || HistoryState.Running;
}

bool TFmOdds::HistoryPage() const {
    return CBPage->currentIndex() == 1;
}

TOddsModel TFmOdds::Model() const {
    return CBModel->currentIndex() == 1 ? TOddsModel::Even : TOddsModel::Runs;
}

long long TFmOdds::RunCount() const {
    return kRunChoices[std::clamp(CBRuns->currentIndex(), 0, 2)];
}

void TFmOdds::TabOddsChange(int index) {
    if (index < 0)
        return; // a season without districts shows nothing
    setWindowTitle(TabOdds->tabText(index) + QStringLiteral("優勝確率"));
    PaintBackground();
    HistoryStale = true;
    History.reset();
    Restart();
    if (HistoryPage())
        RestartHistory();
}

void TFmOdds::PageChange(int) {
    CBLine->setEnabled(HistoryPage());
    CBRuns->setEnabled(!HistoryPage());
    if (HistoryPage() && HistoryStale)
        RestartHistory();
    Show();
}

void TFmOdds::StopJob(std::shared_ptr<TJob>& job) {
    if (!job)
        return;
    job->Stop = true;
    {
        std::lock_guard<std::mutex> hold(job->Lock);
        job->Window = nullptr;
    }
    job.reset();
}

void TFmOdds::Restart() {
    Result.reset();
    Start(false);
}

void TFmOdds::RestartHistory() {
    HistoryStale = false;
    History.reset();
    Start(true);
}

void TFmOdds::Start(bool history) {
    std::shared_ptr<TJob>& slot = history ? HistoryJob : TableJob;
    StopJob(slot);
    // Threads that have finished are joined now; those still stopping, later.
    std::erase_if(Workers, [](const TWorker& w) { return w.Job->Finished.load(); });
    TOddsProgressState& state = history ? HistoryState : TableState;
    if (TabOdds->currentIndex() < 0 || !View.Pennant || !View.Fight) {
        state = {};
        Show();
        return;
    }
    if (const TDistrict* district = View.Pennant->DistrictAt(TabOdds->currentIndex());
        !district || district->TeamCount() > kOddsMostTeams) {
        state = {0, false, true}; // too many teams: the table says so
        Show();
        ShowProgress();
        return;
    }
    auto job = std::make_shared<TJob>();
    job->Window = this;
    job->Season = EncodeSeason(*View.Pennant, *View.Fight);
    job->District = TabOdds->currentIndex();
    job->Model = Model();
    job->Place = UDCut->value();
    job->Runs = history ? kHistoryRunsPerDay : RunCount();
    slot = job;
    state = {job->Runs, true, false};
    if (history)
        HistoryDoneRuns = HistoryTotalRuns = 0;
    TWorker& worker = Workers.emplace_back();
    worker.Job = job;
    worker.Thread = std::jthread([job, history] {
        struct TFinish {
            TJob& J;
            ~TFinish() { J.Finished = true; }
        } finish{*job};
        std::unique_ptr<TPennant> pennant;
        std::unique_ptr<TFight> fight;
        if (!DecodeSeason(job->Season, pennant, fight)) {
            job->Post([job] {
                if (auto* w = job->Window)
                    w->JobFailed(job);
            });
            return;
        }
        job->Season.clear();
        if (history) {
            TOddsHistory h = DistrictOddsHistory(*pennant, *fight, job->District, job->Model, job->Place, job->Runs,
                                                 kSeed, 0, [job](long long done, long long total) {
                                                     job->Post([job, done, total] {
                                                         if (auto* w = job->Window)
                                                             w->HistoryStep(job, done, total);
                                                     });
                                                     return !job->Stop;
                                                 });
            job->Post([job, h = std::move(h)] {
                if (auto* w = job->Window)
                    w->HistoryDone(job, h);
            });
            return;
        }
        DistrictOdds(*pennant, *fight, job->District, std::nullopt, job->Model, job->Place, job->Runs, kSeed, 0,
                     [job](const TOddsResult& r) {
                         const bool last = r.Runs >= job->Runs;
                         job->Post([job, r, last] {
                             if (auto* w = job->Window)
                                 w->TablePass(job, r, last);
                         });
                         return !job->Stop;
                     });
    });
    Show();
    ShowProgress();
}

void TFmOdds::TablePass(const std::shared_ptr<TJob>& job, const TOddsResult& result, bool last) {
    if (job != TableJob)
        return;
    Result = result;
    if (last) {
        TableState.Running = false;
        TableJob.reset();
    }
    if (!HistoryPage())
        Show();
    ShowProgress();
}

void TFmOdds::JobFailed(const std::shared_ptr<TJob>& job) {
    TOddsProgressState& state = job == TableJob ? TableState : HistoryState;
    if (job != TableJob && job != HistoryJob)
        return;
    state.Running = false;
    state.Stopped = true;
    (job == TableJob ? TableJob : HistoryJob).reset();
    Show();
    ShowProgress();
}

void TFmOdds::HistoryStep(const std::shared_ptr<TJob>& job, long long done, long long total) {
    if (job != HistoryJob)
        return;
    HistoryDoneRuns = done;
    HistoryTotalRuns = total;
    ShowProgress();
}

void TFmOdds::HistoryDone(const std::shared_ptr<TJob>& job, const TOddsHistory& history) {
    if (job != HistoryJob)
        return;
    History = history;
    HistoryState.Running = false;
    HistoryState.Stopped = !history.Complete;
    HistoryJob.reset();
    if (HistoryPage())
        Show();
    ShowProgress();
}

void TFmOdds::Cancel() {
    if (TableJob) {
        StopJob(TableJob);
        TableState.Running = false;
        TableState.Stopped = true;
    }
    if (HistoryJob) {
        // The days done so far are shown: the job reports them as it stops.
        HistoryJob->Stop = true;
        HistoryState.Stopped = true;
    }
    Show();
    ShowProgress();
}

void TFmOdds::ShowProgress() {
    const bool history = HistoryPage();
    const bool running = history ? HistoryState.Running : TableState.Running;
    double done = 0;
    if (history)
        done = HistoryTotalRuns > 0 ? double(HistoryDoneRuns) / double(HistoryTotalRuns) : 0;
    else if (Result && TableState.Target > 0)
        done = double(Result->Runs) / double(TableState.Target);
    Progress->setValue(static_cast<int>(std::clamp(done, 0.0, 1.0) * 1000));
    Progress->setVisible(running);
    BtnCancel->setEnabled(running && !(history && HistoryJob && HistoryJob->Stop));
    BtnCancel->setVisible(running);
}

void TFmOdds::Show() {
    const int district = TabOdds->currentIndex();
    if (district < 0 || !View.Pennant) {
        ImgOdds->SetTable(nullptr);
        CurrentChart.reset();
        Current.reset();
        return;
    }
    if (HistoryPage()) {
        const int hover = CurrentChart ? CurrentChart->Hovered() : -1;
        TOddsHistory shown = History.value_or(TOddsHistory{});
        shown.Place = UDCut->value();
        auto chart = std::make_unique<TOddsHistoryChart>(View, shown, CBLine->currentIndex() == 1, hover, HistoryState);
        ImgOdds->SetTable(chart.get());
        CurrentChart = std::move(chart);
        return;
    }
    auto table = std::make_unique<TOddsTable>(View, district, Result, Model(), UDCut->value(), TableState);
    ImgOdds->SetTable(table.get());
    Current = std::move(table);
}

void TFmOdds::ImgOddsMouseMove(const QPoint& at) {
    if (!HistoryPage() || !CurrentChart)
        return;
    const int day = CurrentChart->DayAt(at);
    if (day >= 0)
        ImgOdds->Repaint(CurrentChart->Hover(day));
}

#include "gui/views/URace.h"

#include "gui/views/TableSurface.h"

#include "core/standings/DistrictStandings.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <chrono>
#include <optional>

TFmRace::TFmRace(const TViewContext& view, int districtIndex, QWidget* parent) : TTableWindow(view, parent) {
    // The cut below first place: the top three by default.
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    auto* label = new QLabel(QStringLiteral("上位"), this);
    UDCut = new QSpinBox(this);
    UDCut->setRange(1, 99); // narrowed to the district's team count with each tab
    UDCut->setValue(3);
    UDCut->setKeyboardTracking(true); // the table follows the value as it is typed
    auto* suffix = new QLabel(QStringLiteral("位以内の争いも表示"), this);
    label->setBuddy(UDCut);
    bar->addWidget(label);
    bar->addWidget(UDCut);
    bar->addWidget(suffix);
    bar->addStretch();
    Progress = new QProgressBar(this);
    Progress->setFormat(QStringLiteral("判定中 %p%"));
    BtnStop = new QPushButton(QStringLiteral("中止"), this);
    BtnStop->setShortcut(Qt::Key_Escape);
    bar->addWidget(Progress);
    bar->addWidget(BtnStop);
    connect(BtnStop, &QPushButton::clicked, this, &TFmRace::StopDeciding);

    ImgRace = AddTable(this);
    TrackMouse(ImgRace); // a click on a row shows its evidence
    setFocusPolicy(Qt::StrongFocus);
    TabRace = AddTabs(DistrictCaptions(), districtIndex);
    LayOut(bar, ScrollBox1, TabRace);
    connect(TabRace, &TTabStrip::currentChanged, this, &TFmRace::TabRaceChange);
    connect(UDCut, &QSpinBox::valueChanged, this, &TFmRace::UDCutChange);
    TabRaceChange(TabRace->currentIndex());
    // Room for the table and the evidence under it, and every row of tabs.
    resize(720, 520 + TabRace->heightForWidth(720) - TabRace->minimumSizeHint().height());
}

void TFmRace::TabRaceChange(int index) {
    if (index < 0)
        return; // a season without districts shows nothing
    setWindowTitle(TabRace->tabText(index) + QStringLiteral("優勝争い"));
    PaintBackground();
    // A district of six cannot ask for a place below sixth.
    const std::optional<TDistrictStandings> s = BuildDistrictStandings(*View.Pennant, *View.Fight, index);
    const int teams = s ? std::max(1, s->Calc->Count()) : 1;
    const QSignalBlocker quiet(UDCut);
    UDCut->setRange(1, teams);
    DrawTable();
}

void TFmRace::UDCutChange(int) {
    if (TabRace->currentIndex() >= 0)
        DrawTable();
}

TFmRace::~TFmRace() {
    Finish(TableJob);
    Finish(EvidenceJob);
}

void TFmRace::Finish(std::unique_ptr<TJob>& job) {
    if (!job)
        return;
    job->Cancel = true;
    if (job->Thread.joinable())
        job->Thread.join();
    job.reset();
}

bool TFmRace::Deciding() const {
    return Left > 0 || (EvidenceJob && !EvidenceJob->Done);
}

void TFmRace::WaitDecided() {
    while (Deciding() || (TableJob && !TableJob->Done)) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    QApplication::processEvents();
}

void TFmRace::DrawTable() {
    // What runs belongs to the table shown: stop it, show the standings at
    // once, and decide the new table on a thread of its own.
    Finish(TableJob);
    Finish(EvidenceJob);
    ++Generation;
    const int shown = Current ? Current->EvidenceRow() : -1;
    auto table = std::make_unique<TRaceTable>(View, TabRace->currentIndex(), UDCut->value(), TRaceWhen::Later);
    if (shown > 0)
        table->ShowEvidence(shown);
    ImgRace->SetTable(table.get());
    Current = std::move(table);
    StartTable();
}

void TFmRace::StartTable() {
    Left = Current->TeamCount();
    Progress->setRange(0, std::max(1, Left));
    Progress->setValue(0);
    Progress->setVisible(Left > 0);
    BtnStop->setVisible(Left > 0);
    if (Left == 0)
        return;
    TableJob = std::make_unique<TJob>();
    TJob* job = TableJob.get();
    const int generation = Generation, cut = Current->Place();
    job->Thread = std::thread([this, job, generation, cut, input = Current->Input()]() mutable {
        const TTitleRace race(std::move(input));
        const int n = race.TeamCount();
        // Row by row, first place and the cut side by side, both within the
        // table's time.
        TRaceRows firsts(race, 1, kRaceTableSeconds, &job->Cancel);
        std::optional<TRaceRows> cuts;
        if (cut != 1)
            cuts.emplace(race, cut, kRaceTableSeconds, &job->Cancel);
        // Rows reach the window in batches, a few dozen times a second: a
        // district of many teams would otherwise flood it with a call (and a
        // repaint) per row.
        struct TRow {
            int Row;
            TRaceAnswer First, Cut;
            bool Again = false; // decided again with the time left: counted already
        };
        std::vector<TRow> batch;
        auto sent = std::chrono::steady_clock::now();
        const auto send = [&] {
            QMetaObject::invokeMethod(
                this,
                [this, generation, rows = std::move(batch)]() {
                    if (generation != Generation || !Current)
                        return;
                    QRect changed;
                    bool evidence = false;
                    int counted = 0;
                    for (const TRow& r : rows) {
                        changed |= Current->SetAnswers(r.Row, r.First, r.Cut);
                        evidence = evidence || r.Row == Current->EvidenceRow();
                        counted += !r.Again;
                    }
                    ImgRace->Repaint(changed);
                    Left -= counted;
                    Progress->setValue(Progress->value() + counted);
                    if (Left == 0) {
                        Progress->hide();
                        BtnStop->hide();
                    }
                    if (evidence)
                        StartEvidence(Current->EvidenceRow());
                },
                Qt::QueuedConnection);
            batch = {};
            sent = std::chrono::steady_clock::now();
        };
        const auto due = [&] {
            return batch.size() >= 4096 || std::chrono::steady_clock::now() - sent > std::chrono::milliseconds(40);
        };
        for (int row = 0; row < n; ++row) {
            TRaceAnswer a = firsts.Next();
            TRaceAnswer b = cuts ? cuts->Next() : a;
            batch.push_back({row, std::move(a), std::move(b)});
            if (row == 0 || due())
                send();
        }
        // The time left goes to the rows still unknown, each column in turn.
        for (TRaceRows* rows : {&firsts, cuts ? &*cuts : nullptr})
            for (int row; rows && (row = rows->Retry()) >= 0;) {
                batch.push_back({row, firsts.Answer(row), cuts ? cuts->Answer(row) : firsts.Answer(row), true});
                if (due())
                    send();
            }
        if (!batch.empty())
            send();
        job->Done = true;
    });
}

void TFmRace::StartEvidence(int row) {
    Finish(EvidenceJob);
    if (!Current || !Current->Decided(row))
        return;
    ImgRace->Repaint(Current->EvidenceRect());
    EvidenceJob = std::make_unique<TJob>();
    TJob* job = EvidenceJob.get();
    const int generation = Generation;
    std::vector<int> places = Current->Places();
    job->Thread = std::thread([this, job, generation, row, places, input = Current->Input()]() mutable {
        const TTitleRace race(std::move(input));
        std::vector<TRaceScenario> found;
        for (const int place : places) {
            const TRaceStop stop = TRaceStop::In(kRaceTableSeconds / 2, &job->Cancel);
            found.push_back(race.Scenario(row, place, &stop));
        }
        found.resize(2);
        QMetaObject::invokeMethod(
            this,
            [this, generation, row, found = std::move(found)]() {
                if (generation == Generation && Current)
                    ImgRace->Repaint(Current->SetScenarios(row, found[0], found[1]));
            },
            Qt::QueuedConnection);
        job->Done = true;
    });
}

void TFmRace::StopDeciding() {
    if (TableJob)
        TableJob->Cancel = true; // the teams left come back unknown at once
    if (EvidenceJob)
        EvidenceJob->Cancel = true;
}

void TFmRace::ShowRow(int row) {
    if (!Current || row < 0 || row >= Current->TeamCount() || row == Current->EvidenceRow())
        return;
    Finish(EvidenceJob);
    ImgRace->Repaint(Current->ShowEvidence(row));
    StartEvidence(row);
    if (ImgRace->CursorRow() != row)
        ImgRace->MoveCellCursor(row, ImgRace->CursorColumn());
}

bool TFmRace::SurfaceMouseUp(Qt::MouseButton button, const QPoint& at) {
    if (!Current || button != Qt::LeftButton)
        return TTableWindow::SurfaceMouseUp(button, at);
    const int row = RowAt(Current->RowRects, at);
    if (row < 0)
        return TTableWindow::SurfaceMouseUp(button, at);
    ShowRow(row);
    setFocus(); // the cell cursor goes on from there
    return true;
}

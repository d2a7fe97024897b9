// TFmOdds: the season odds ("優勝確率") of one district, one tab per
// district: every team's chance of first and of the top K as bars, its mean
// final record and range of final wins, and on a second page the history of
// those chances by day. Every computation runs on threads of its own, on a
// copy of the season, and the numbers sharpen as passes complete; the window
// never waits for one except when it closes (the passes stop within a
// moment when told to).
#pragma once

#include "draw/OddsDrawing.h"
#include "gui/controls/TabStrip.h"
#include "gui/views/TableWindow.h"

#include <QObject>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

class TFmOdds : public TTableWindow {
    Q_OBJECT
public:
    TFmOdds(const TViewContext& view, int districtIndex, QWidget* parent = nullptr);
    ~TFmOdds() override;

    QComboBox* CBPage;  // 確率表 / 推移
    QComboBox* CBModel; // 得失点 / 五分五分
    QComboBox* CBRuns;  // 10,000 / 100,000 / 1,000,000
    QSpinBox* UDCut;
    QComboBox* CBLine; // the history: 優勝 / K位以内
    QProgressBar* Progress;
    QPushButton* BtnCancel;
    TTabStrip* TabOdds;
    TTableSurface* ImgOdds;

    // What is shown now: the table, or the chart on the history page.
    const TOddsTable* Table() const { return Current.get(); }
    const TOddsHistoryChart* Chart() const { return CurrentChart.get(); }
    bool Busy() const;
    bool HistoryPage() const;

    TOddsModel Model() const;
    long long RunCount() const;

    void TabOddsChange(int index);
    void Restart();        // the table's numbers again, for the choices made
    void RestartHistory(); // the history's, likewise
    void Cancel();         // stops what runs; what it found so far stays
    void PageChange(int page);
    void ImgOddsMouseMove(const QPoint& at);

protected:
    void SurfaceMouseMove(const QPoint& at) override { ImgOddsMouseMove(at); }

private:
    struct TJob;
    void Start(bool history);
    void StopJob(std::shared_ptr<TJob>& job);
    void TablePass(const std::shared_ptr<TJob>& job, const TOddsResult& result, bool last);
    void JobFailed(const std::shared_ptr<TJob>& job);
    void HistoryStep(const std::shared_ptr<TJob>& job, long long done, long long total);
    void HistoryDone(const std::shared_ptr<TJob>& job, const TOddsHistory& history);
    void Show();
    void ShowProgress();

    std::shared_ptr<TJob> TableJob, HistoryJob;
    struct TWorker {
        std::shared_ptr<TJob> Job;
        std::jthread Thread; // joined first when the worker goes
    };
    std::vector<TWorker> Workers;
    std::optional<TOddsResult> Result;
    TOddsProgressState TableState, HistoryState;
    std::optional<TOddsHistory> History;
    long long HistoryDoneRuns = 0, HistoryTotalRuns = 0;
    bool HistoryStale = true;
    std::unique_ptr<TOddsTable> Current;
    std::unique_ptr<TOddsHistoryChart> CurrentChart;
};

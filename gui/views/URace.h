// TFmRace: the title race ("優勝争い") of one district, one tab per district:
// who has clinched first place or the top-K cut, who can still reach it and
// with how many wins, who is out and why. Deciding can take seconds: it runs
// on a thread of its own while the table shows the standings and fills in
// team by team, with progress and a way to stop it.
#pragma once

#include "draw/RaceDrawing.h"
#include "gui/controls/TabStrip.h"
#include "gui/views/TableWindow.h"

#include <atomic>
#include <memory>
#include <thread>

class QProgressBar;
class QPushButton;
class QSpinBox;

class TFmRace : public TTableWindow {
    Q_OBJECT
public:
    TFmRace(const TViewContext& view, int districtIndex, QWidget* parent = nullptr);
    ~TFmRace() override;

    QSpinBox* UDCut;
    TTabStrip* TabRace; // tabs at the bottom, in as many rows as they need
    TTableSurface* ImgRace;
    QProgressBar* Progress; // shown while deciding
    QPushButton* BtnStop;   // stops deciding (Esc too)

    // The table shown (one once the window has a district).
    const TRaceTable* Drawing() const { return Current.get(); }
    // Whether the table, or the evidence shown, is still being decided.
    bool Deciding() const;
    // Waits (handling events) until nothing is being decided.
    void WaitDecided();

    void TabRaceChange(int index);
    void UDCutChange(int place);
    void DrawTable();
    // Shows the evidence of a row (a click or the arrow keys choose it).
    void ShowRow(int row);
    // Stops deciding: the teams left show as unknown.
    void StopDeciding();

protected:
    bool SurfaceMouseUp(Qt::MouseButton button, const QPoint& at) override;
    // The cell cursor's row is the team whose evidence is shown.
    void CellCursorMoved(int row, int) override { ShowRow(row); }

private:
    // A decision running on its own thread; what it finds reaches the window
    // through queued calls, dropped when the job is no longer the current one.
    struct TJob {
        std::atomic<bool> Cancel{false};
        std::atomic<bool> Done{false};
        std::thread Thread;
    };
    void StartTable();
    void StartEvidence(int row);
    static void Finish(std::unique_ptr<TJob>& job);

    std::unique_ptr<TRaceTable> Current;
    std::unique_ptr<TJob> TableJob, EvidenceJob;
    int Generation = 0; // of the table shown: results of an older one are dropped
    int Left = 0;       // teams still to decide
};

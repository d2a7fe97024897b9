// TFmRace: the title race ("優勝争い") of one district, one tab per district:
// who has clinched first place or the top-K cut, who can still reach it and
// with how many wins, who is out and why.
#pragma once

#include "draw/RaceDrawing.h"
#include "gui/controls/TabStrip.h"
#include "gui/views/TableWindow.h"

#include <memory>

class QSpinBox;

class TFmRace : public TTableWindow {
    Q_OBJECT
public:
    TFmRace(const TViewContext& view, int districtIndex, QWidget* parent = nullptr);

    QSpinBox* UDCut;
    TTabStrip* TabRace; // tabs at the bottom, in as many rows as they need
    TTableSurface* ImgRace;

    // The table shown (one once the window has a district).
    const TRaceTable* Drawing() const { return Current.get(); }

    void TabRaceChange(int index);
    void UDCutChange(int place);
    void DrawTable();
    // Shows the evidence of a row (a click or the arrow keys choose it).
    void ShowRow(int row);

protected:
    bool SurfaceMouseUp(Qt::MouseButton button, const QPoint& at) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<TRaceTable> Current;
};

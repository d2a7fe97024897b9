// TFmJuni: the standings ("勝敗表") of one district, one tab per district.
#pragma once

#include "draw/JuniDrawing.h"
#include "gui/controls/TabStrip.h"
#include "gui/views/TableWindow.h"

#include <memory>

class TFmJuni : public TTableWindow {
    Q_OBJECT
public:
    TFmJuni(const TViewContext& view, int districtIndex, QWidget* parent = nullptr);

    TTabStrip* TabJuni; // tabs at the bottom, in as many rows as they need
    TTableSurface* ImgJuni;

    int DisplayMode = 0;
    // The table shown (always one once the window has a district).
    const TJuniTable& Drawing() const { return *Current; }
    int TableDrawings() const { return DrawCount; } // how often the table was laid out anew

    void TabJuniChange(int index);
    void DrawTable(int mode);
    void ImgJuniMouseMove(const QPoint& at);
    void ImgJuniMouseUp(Qt::MouseButton button, const QPoint& at);

signals:
    // A team's picture or name was clicked: its index over the whole season.
    void TransitionRequested(int teamIndex);

protected:
    void SurfaceMouseMove(const QPoint& at) override { ImgJuniMouseMove(at); }
    bool SurfaceMouseUp(Qt::MouseButton button, const QPoint& at) override {
        ImgJuniMouseUp(button, at);
        return true; // the window's alone
    }
    // Enter anywhere on a team's row opens its rank transition.
    void CellActivated(int row, int column) override;

private:
    std::unique_ptr<TJuniTable> Current;
    int DrawCount = 0;
};

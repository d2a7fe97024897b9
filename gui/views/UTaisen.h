// TFmTaisen: the head-to-head table ("対戦成績表") of one district, one tab
// per district, with the ALL / HOME / VISITOR filter and a page per set of
// opponents. A click on a cell asks for the team-versus-team window.
#pragma once

#include "draw/TaisenDrawing.h"
#include "gui/views/TableWindow.h"

#include <string>

class TFmTaisen : public TTableWindow {
    Q_OBJECT
public:
    TFmTaisen(const TViewContext& view, int districtIndex, QWidget* parent = nullptr);

    TTabStrip* TabTaisen;
    TTableSurface* ImgTaisen;

    int FilterMode = 0;
    int CurrentPage = 0;
    const std::vector<int>& Pages() const { return PageList; }
    const TTaisenLayout& Layout() const { return Current; }
    int Redraws() const { return RedrawCount; }

    void TabTaisenChange(int index);
    void Redraw();
    void ImgTaisenMouseMove(const QPoint& at);
    void ImgTaisenMouseUp(Qt::MouseButton button, const QPoint& at);

signals:
    // A cell was clicked: the row team's games against the column team.
    void VersusRequested(int districtIndex, const std::string& own, const std::string& opponent, int filter);

protected:
    void SurfaceMouseMove(const QPoint& at) override { ImgTaisenMouseMove(at); }
    bool SurfaceMouseUp(Qt::MouseButton button, const QPoint& at) override {
        ImgTaisenMouseUp(button, at);
        return true; // the window's alone
    }

private:
    std::vector<int> PageList;
    TTaisenLayout Current;
    int RedrawCount = 0;
};

// TFmTaisen: the head-to-head table ("対戦成績表") of one district, one tab
// per district, with the ALL / HOME / VISITOR filter and a page per set of
// opponents. A click on a cell asks for the team-versus-team window.
#pragma once

#include "draw/TablePicture.h"

#include "draw/TaisenDrawing.h"
#include "draw/ViewContext.h"

#include <QWidget>
#include <string>

class QScrollArea;
class TTabStrip;
class TTableSurface;

class TFmTaisen : public QWidget, public ITableView {
    Q_OBJECT
public:
    TFmTaisen(const TViewContext& view, int districtIndex, QWidget* parent = nullptr);
    // The whole table as one picture, to save, copy or print.
    TTablePicture Picture() const override;

    TTabStrip* TabTaisen;
    QScrollArea* ScrollBox1;
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
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    TViewContext View;
    std::vector<int> PageList;
    TTaisenLayout Current;
    int RedrawCount = 0;
};

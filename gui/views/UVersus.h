// TFmVersus: the games between one team and one opponent, under a summary of
// their record at home, as visitor and in total. Opened from a cell of the
// head-to-head table; laid out once, when it is made.
#pragma once

#include "draw/VersusDrawing.h"
#include "gui/views/TableWindow.h"

#include <string>

class TFmVersus : public TTableWindow {
    Q_OBJECT
public:
    // `districtIndex` is the head-to-head table's tab; `filter` 0 all games,
    // 1 the own team's home games, 2 its visitor games.
    TFmVersus(const TViewContext& view, int districtIndex, const std::string& own, const std::string& opponent,
              int filter, QWidget* parent = nullptr);
    // The summary above the game list, to save, copy or print.
    TTablePicture Picture() const override;

    QScrollArea* ScrollBox2; // the summary
    TTableSurface* ImgHead;
    QSplitter* Splitter1; // ScrollBox1 below it holds the game list
    TTableSurface* ImgVersus;

    const TVersusLayout& Layout() const { return Current; }
    void FormShow();
    void Splitter1Moved();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The last played game in view, a little below the top.
    void ScrollToLastResult();

    TVersusLayout Current;
    bool Shown = false;
    bool FollowLastResult = true; // until the user scrolls the list
};

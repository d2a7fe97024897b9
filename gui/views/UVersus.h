// TFmVersus: the games between one team and one opponent, under a summary of
// their record at home, as visitor and in total. Opened from a cell of the
// head-to-head table; laid out once, when it is made.
#pragma once

#include "draw/TablePicture.h"

#include "draw/VersusDrawing.h"
#include "draw/ViewContext.h"

#include <QWidget>
#include <string>

class QScrollArea;
class QSplitter;
class TTableSurface;

class TFmVersus : public QWidget, public ITableView {
    Q_OBJECT
public:
    // `districtIndex` is the head-to-head table's tab; `filter` 0 all games,
    // 1 the own team's home games, 2 its visitor games.
    TFmVersus(const TViewContext& view, int districtIndex, const std::string& own, const std::string& opponent,
              int filter, QWidget* parent = nullptr);
    // The whole table as one picture, to save, copy or print.
    TTablePicture Picture() const override;

    QScrollArea* ScrollBox2; // the summary
    TTableSurface* ImgHead;
    QSplitter* Splitter1;
    QScrollArea* ScrollBox1; // the game list
    TTableSurface* ImgVersus;

    const TVersusLayout& Layout() const { return Current; }
    void FormShow();
    void Splitter1Moved();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    TViewContext View;
    TVersusLayout Current;
    bool Shown = false;
};

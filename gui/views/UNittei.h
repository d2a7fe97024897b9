// TFmNittei: the schedule ("日程表") of one league, one tab per league.
#pragma once

#include "draw/TablePicture.h"

#include "draw/NitteiDrawing.h"
#include "draw/ViewContext.h"

#include <QWidget>

class QScrollArea;
class TTabStrip;
class TTableSurface;

class TFmNittei : public QWidget, public ITableView {
    Q_OBJECT
public:
    TFmNittei(const TViewContext& view, int leagueIndex, QWidget* parent = nullptr);
    // The whole table as one picture, to save, copy or print.
    TTablePicture Picture() const override;

    TTabStrip* TabLeague;
    QScrollArea* ScrollBox1;
    TTableSurface* ImgNittei;

    const TNitteiLayout& Layout() const { return Current; }
    void TabLeagueChange(int index);
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    TViewContext View;
    TNitteiLayout Current;
    bool Shown = false;
};

// TFmNittei: the schedule ("日程表") of one league, one tab per league.
#pragma once

#include "draw/NitteiDrawing.h"
#include "gui/views/TableWindow.h"

class TFmNittei : public TTableWindow {
    Q_OBJECT
public:
    TFmNittei(const TViewContext& view, int leagueIndex, QWidget* parent = nullptr);

    TTabStrip* TabLeague;
    TTableSurface* ImgNittei;

    const TNitteiLayout& Layout() const { return Current; }
    void TabLeagueChange(int index);
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TNitteiLayout Current;
    bool Shown = false;
};

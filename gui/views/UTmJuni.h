// TFmTmJuni: one team's season day by day ("順位推移"), one tab per team.
#pragma once

#include "draw/TmJuniDrawing.h"
#include "gui/controls/TabStrip.h"
#include "gui/views/TableWindow.h"

class TFmTmJuni : public TTableWindow {
    Q_OBJECT
public:
    TFmTmJuni(const TViewContext& view, int teamIndex, QWidget* parent = nullptr);
    // The summary above the day-by-day table, to save, copy or print.
    TTablePicture Picture() const override;

    TTabStrip* TabTmJuni;    // tabs at the bottom, in as many rows as they need
    QScrollArea* ScrollBox2; // the summary
    QSplitter* Splitter1;    // ScrollBox1 below it holds the day-by-day table
    TTableSurface* ImgHead;
    TTableSurface* ImgTmJuni;

    const TTmJuniPanes& Drawing() const { return Current; }
    void TabTmJuniChange(int index);
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TTmJuniPanes Current;
};

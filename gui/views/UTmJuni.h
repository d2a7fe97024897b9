// TFmTmJuni: one team's season day by day ("順位推移"), one tab per team.
#pragma once

#include "draw/TablePicture.h"

#include "draw/TmJuniDrawing.h"
#include "draw/ViewContext.h"
#include "gui/controls/TabStrip.h"

#include <QWidget>

class QScrollArea;
class QSplitter;
class TTableSurface;

class TFmTmJuni : public QWidget, public ITableView {
    Q_OBJECT
public:
    TFmTmJuni(const TViewContext& view, int teamIndex, QWidget* parent = nullptr);
    // The whole table as one picture, to save, copy or print.
    TTablePicture Picture() const override;

    TTabStrip* TabTmJuni;    // tabs at the bottom, in as many rows as they need
    QScrollArea* ScrollBox2; // the summary
    QSplitter* Splitter1;
    QScrollArea* ScrollBox1; // the day-by-day table
    TTableSurface* ImgHead;
    TTableSurface* ImgTmJuni;

    const TTmJuniPanes& Drawing() const { return Current; }
    void TabTmJuniChange(int index);
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    TViewContext View;
    TTmJuniPanes Current;
};

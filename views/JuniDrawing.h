// The standings table of one district, drawn for the standings window (and
// for tablora-cli render): the header band, the table in one of three display
// modes, and the head-to-head panel of one row below it.
#pragma once

#include "TableCanvas.h"
#include "ViewContext.h"
#include "calc/BaseballCalc.h"

#include <QRect>
#include <memory>
#include <vector>

struct TJuniDrawing {
    std::unique_ptr<TTableCanvas> Canvas;
    std::unique_ptr<TRkCalc> Calc; // rows in standings order
    QRect ModeRects[3];
    std::vector<QRect> TeamRects;
    std::vector<QRect> RowRects;
    int PanelTeam = -1;
    int PanelTop = 0;
    uint8_t DrawRule = 0;
    bool ByWins = false;
};

// Draws district `districtIndex` (counted over the whole season) in `mode`
// (0 standings, 1 streaks and runs, 2 last and next seven days), with the
// panel of row 0. An out-of-range district gives an empty drawing.
TJuniDrawing DrawJuni(const TViewContext& view, int districtIndex, int mode);

// Draws the head-to-head panel of `row` at PanelTop, replacing the one there.
void DrawVersusPanel(const TViewContext& view, TJuniDrawing& drawing, int row);

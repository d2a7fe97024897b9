// One team's season day by day, drawn for the rank transition window (and
// tablora-cli render): the summary pane and the table with the rank line.
#pragma once

#include "TableCanvas.h"
#include "ViewContext.h"

#include <memory>
#include <vector>

struct TRankMark {
    int X = 0, Y = 0, ImageIndex = 0;
};

struct TTmJuniDrawing {
    QString Caption;
    std::unique_ptr<TTableCanvas> Table;
    std::unique_ptr<TTableCanvas> Head;
    int HeadPaneHeight = 0;
    int ScrollTarget = 0; // top of the last row that got a marker
    std::vector<TRankMark> Marks;
    // The pieces of the rank line, in drawing order.
    std::vector<std::pair<QPoint, QPoint>> Lines;
};

// `teamIndex` counts teams over the whole season; out of range gives empty surfaces.
TTmJuniDrawing DrawTmJuni(const TViewContext& view, int teamIndex);

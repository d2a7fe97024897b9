// The schedule of one league ("日程表"), for the schedule window and
// tablora-cli render: every game of the league day by day, three to a line.
// The layout is plain data made in one pass over the match list; painting any
// part of the table walks only the lines in that part.
#pragma once

#include "core/season/TeamList.h"
#include "draw/TableCanvas.h"
#include "draw/ViewContext.h"

#include <QString>
#include <vector>

struct TNitteiGame {
    int Match = -1; // index in the match list
    int Home = -1;  // indexes in the layout's team list
    int Visitor = -1;
};

struct TNitteiLine {
    int Y = 0;          // top of the line's 12-pixel strip
    int Separator = 0;  // the rule at Y - 3: 0 none, 1 in Line1 (new week), 2 in Line2 (same week)
    bool Label = false; // the first line of a day carries the day's label
    double Day = 0;
    int Count = 0; // games on the line, 1 to 3
    TNitteiGame Games[3];
};

class TNitteiLayout : public TTableLayout {
public:
    TViewContext View;
    int League = -1;
    QString Caption;
    std::vector<TTeamItem> Teams;
    std::vector<int> NameSizes; // per team: the size its short name fits NameWidth at
    int NameWidth = 45;
    int ColumnPitch = 172;
    int Width = 0;
    int Height = 0;
    int ScrollTarget = 0; // top of the last day line whose first game has a result
    std::vector<TNitteiLine> Lines;

    TTableTitle Heading; // "セントラルリーグ 日程表 7月12日(日) 現在"

    QSize Size() const override { return QSize(Width, Height); }
    QColor Background() const override;
    // Paints the lines that meet the canvas's area.
    void Paint(TTableCanvas& canvas) const override;
    TTableTitle Title() const override { return Heading; }
    // A page starting amid a day's games repeats the day's label on its first line.
    void PaintPageHead(TTableCanvas& canvas, int top) const override;
    // A row per line of games: the day, then up to three games.
    int GridRows() const override { return static_cast<int>(Lines.size()); }
    QRect GridRow(int row) const override;
    QString GridText(int row, int column) const override;
    void NameGridColumns();

private:
    void PaintDayLabel(TTableCanvas& canvas, const TNitteiLine& line) const;
};

// An out-of-range league gives the bare frame of an empty schedule.
TNitteiLayout LayoutNittei(const TViewContext& view, int league);

// The season odds of one district, for the odds window and its pictures: the
// table (teams in standings order, a bar and a percentage for first and for
// the top K, the mean final record and the range of final wins) and the
// history chart (one line per team, the chance of first or of the top K by
// day). Laid out when built from results computed elsewhere; painted in any
// part on demand.
#pragma once

#include "core/odds/SeasonOdds.h"
#include "draw/TableCanvas.h"
#include "draw/ViewContext.h"

#include <QColor>
#include <memory>
#include <optional>
#include <vector>

class TOddsPaint;

// How far the computation behind a picture has come.
struct TOddsProgressState {
    long long Target = 0; // runs asked for
    bool Running = false;
    bool Stopped = false; // cancelled before the target
};

class TOddsTable : public TTableLayout {
public:
    // District `districtIndex` (counted over the whole season) with `result`
    // (none: not computed yet, the records only). An out-of-range district
    // gives an empty table.
    TOddsTable(const TViewContext& view, int districtIndex, const std::optional<TOddsResult>& result, TOddsModel model,
               int place, const TOddsProgressState& state);

    QSize Size() const override { return Extent; }
    QColor Background() const override;
    void Paint(TTableCanvas& canvas) const override;
    // "セントラルリーグ 優勝確率 7月12日(日) 現在".
    TTableTitle Title() const override;

    int TeamCount() const { return static_cast<int>(Rows.size()); }
    const TOddsTeamResult& Row(int row) const { return Rows[static_cast<size_t>(row)]; }
    bool HasResult() const { return Result.has_value(); }
    std::vector<QRect> RowRects;
    // Read row by row: a row per team under the header's columns.
    int GridRows() const override { return static_cast<int>(RowRects.size()); }
    QRect GridRow(int row) const override { return RowRects[static_cast<size_t>(row)]; }

private:
    void PaintBand(TOddsPaint& p) const;
    void PaintHeader(TOddsPaint& p) const;
    void PaintRow(TOddsPaint& p, int row) const;

    TViewContext View;
    int District = 0;
    std::optional<TOddsResult> Result;
    std::vector<TOddsTeamResult> Rows; // the result's teams, or the records before it
    std::vector<int> Ranks;
    TOddsModel Model;
    int Place = 3;
    TOddsProgressState State;
    QString StateText, RuleText;
    bool NoDraws = false;
    bool Valid = false;
    QSize Extent;
};

class TOddsHistoryChart : public TTableLayout {
public:
    // The chance of first (or, `top`, of the top K) by day; `hover` the day
    // index marked (-1: none, the last day's values in the legend).
    TOddsHistoryChart(const TViewContext& view, const TOddsHistory& history, bool top, int hover,
                      const TOddsProgressState& state);

    QSize Size() const override { return Extent; }
    QColor Background() const override;
    void Paint(TTableCanvas& canvas) const override;

    // The day index under a point of the chart, or -1.
    int DayAt(const QPoint& at) const;
    // Marks `day` (-1: none); returns the part to repaint.
    QRect Hover(int day);
    int Hovered() const { return Shown; }
    // The line color of each team.
    const std::vector<QColor>& Colors() const { return TeamColors; }
    QRect PlotRect() const { return Plot; }

private:
    int X(int day) const;
    int Y(double chance) const;

    TViewContext View;
    TOddsHistory History;
    bool Top = false;
    int Shown = -1;
    TOddsProgressState State;
    std::vector<QColor> TeamColors;
    QRect Plot, Legend;
    QSize Extent;
};

// The odds table of the district, computed to the end at once (for render).
std::unique_ptr<TOddsTable> ComputedOddsTable(const TViewContext& view, int districtIndex, TOddsModel model, int place,
                                              long long runs, uint64_t seed);
std::unique_ptr<TOddsHistoryChart> ComputedOddsHistory(const TViewContext& view, int districtIndex, TOddsModel model,
                                                       int place, bool top, long long runsPerDay, uint64_t seed);

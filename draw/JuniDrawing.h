// The standings table of one district, for the standings window (and for
// tablora-cli render): the header band, the table in one of three display
// modes, and below it the head-to-head panel of one row. Laid out when built;
// painted in any part on demand.
#pragma once

#include "core/standings/DistrictStandings.h"
#include "draw/TableCanvas.h"
#include "draw/ViewContext.h"

#include <QRect>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class TJuniColumns;
class TJuniPaint;

class TJuniTable : public TTableLayout {
public:
    // District `districtIndex` (counted over the whole season) in `mode` (0
    // standings, 1 streaks and runs, 2 last and next seven days), with the
    // panel of row 0. An out-of-range district gives an empty table.
    TJuniTable(const TViewContext& view, int districtIndex, int mode);
    ~TJuniTable() override;

    QSize Size() const override { return Extent; }
    QColor Background() const override;
    void Paint(TTableCanvas& canvas) const override;
    // "セントラルリーグ 勝敗表 7月12日(日) 現在".
    TTableTitle Title() const override { return Heading; }
    // Read row by row: a row per team under the header's columns.
    int GridRows() const override { return static_cast<int>(RowRects.size()); }
    QRect GridRow(int row) const override { return RowRects[static_cast<size_t>(row)]; }
    QString GridText(int row, int column) const override;

    // Rows in standings order; none without a district.
    const TRkCalc* Calc() const { return Standing ? Standing->Calc.get() : nullptr; }
    const TDistrictStandings* Standings() const { return Standing ? &*Standing : nullptr; }
    int Mode() const { return DisplayMode; }

    // Hit rectangles: the three mode squares, each row's picture and name, each whole row.
    std::array<QRect, 3> ModeRects;
    std::vector<QRect> TeamRects;
    std::vector<QRect> RowRects;
    int PanelTop = 0;
    uint8_t DrawRule = 0;
    bool ByWins = false;

    int PanelTeam() const { return PanelRow; }
    // Shows the head-to-head panel of `row` (a row out of range changes
    // nothing) and returns the part of the table to repaint.
    QRect ShowPanel(int row);
    // Where the panel lies, in table coordinates.
    QRect PanelRect() const;

    // Pictures, read once per table when a row first shows them (null when missing).
    const QImage& TeamPicture(const std::string& reference) const;
    const QImage& LevelImage(int level) const;
    const TViewContext& Context() const { return View; }

private:
    void PaintBand(TJuniPaint& p) const;
    void PaintHeader(TJuniPaint& p) const;
    void PaintRow(TJuniPaint& p, int row) const;
    void PaintPanel(TJuniPaint& p) const;
    int PanelBoxesPerLine() const;

    TViewContext View;
    TTableTitle Heading;
    std::optional<TDistrictStandings> Standing;
    std::unique_ptr<TJuniColumns> Columns;
    int DisplayMode = 0;
    bool Pictures = false;
    QSize Extent;
    int PanelRow = -1;
    // Pictures read once per table, when a row first shows them.
    mutable std::map<std::string, QImage> TeamPictures;
    mutable std::array<std::optional<QImage>, 12> LevelImages;
};

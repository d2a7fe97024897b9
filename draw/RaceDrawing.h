// The title race of one district, for the race window: the header band, the
// teams in standings order with their records, the table's magic number, and
// for first place and for the top-K cut the status, clinch number and
// elimination number; below the table, the evidence of one team. Laid out
// (and decided) when built; painted in any part on demand.
#pragma once

#include "core/race/TitleRace.h"
#include "core/standings/DistrictStandings.h"
#include "draw/TableCanvas.h"
#include "draw/ViewContext.h"

#include <QRect>
#include <memory>
#include <optional>
#include <vector>

class TRacePaint;

// Whether a race table decides its answers when it is built (pictures, the
// command line) or is given them row by row (the window, in the background).
enum class TRaceWhen { Now, Later };

class TRaceTable : public TTableLayout {
public:
    // District `districtIndex` (counted over the whole season) with the cut at
    // `place` (1 and up; first place is always shown), as the standings stand
    // at the end of `day` (none: as they stand now), and the evidence of row
    // 0. Decided now within kRaceTableSeconds (unknown answers past that), or
    // later by SetAnswers and SetScenarios. An out-of-range district gives an
    // empty table.
    TRaceTable(const TViewContext& view, int districtIndex, int place, TRaceWhen when = TRaceWhen::Now,
               std::optional<double> day = std::nullopt);
    ~TRaceTable() override;

    QSize Size() const override { return Extent; }
    // "セントラルリーグ 優勝争い 7月12日(日) 現在" (the day the standings stand on).
    TTableTitle Title() const override;
    QColor Background() const override;
    void Paint(TTableCanvas& canvas) const override;

    int Place() const { return Cut; }
    // The places the table shows: first, and the cut when it is not first.
    std::vector<int> Places() const { return Cut == 1 ? std::vector<int>{1} : std::vector<int>{1, Cut}; }
    int TeamCount() const { return Race ? Race->TeamCount() : 0; }
    const TRaceTeam& Team(int row) const { return Race->Input().Teams[static_cast<size_t>(row)]; }
    // The answers of a row for first place and for the cut.
    const TRaceAnswer& First(int row) const { return FirstAnswers[static_cast<size_t>(row)]; }
    const TRaceAnswer& AtCut(int row) const { return CutAnswers[static_cast<size_t>(row)]; }

    // The race as decided (a copy may be decided on another thread).
    const TRaceInput& Input() const { return Race->Input(); }
    bool Decided(int row) const { return Known[static_cast<size_t>(row)]; }
    // A row's answers, and the scenarios of the row whose evidence is shown
    // (others are ignored); each returns the part of the table to repaint.
    QRect SetAnswers(int row, const TRaceAnswer& first, const TRaceAnswer& cut);
    QRect SetScenarios(int row, const TRaceScenario& first, const TRaceScenario& cut);

    // Hit rectangles: each whole row.
    std::vector<QRect> RowRects;
    // Read row by row: a row per team under the header's columns.
    int GridRows() const override { return static_cast<int>(RowRects.size()); }
    QRect GridRow(int row) const override { return RowRects[static_cast<size_t>(row)]; }
    int EvidenceRow() const { return Shown; }
    // Shows the evidence of `row` (a row out of range changes nothing) and
    // returns the part of the table to repaint.
    QRect ShowEvidence(int row);
    QRect EvidenceRect() const;

private:
    void PaintBand(TRacePaint& p) const;
    void PaintHeader(TRacePaint& p) const;
    void PaintRow(TRacePaint& p, int row) const;
    void PaintEvidence(TRacePaint& p) const;

    TViewContext View;
    int District = 0;
    std::optional<TDistrictStandings> Standing;
    std::unique_ptr<TTitleRace> Race;
    std::vector<TRaceAnswer> FirstAnswers, CutAnswers;
    TRaceScenario FirstScenario, CutScenario; // of the row whose evidence is shown
    bool ScenariosKnown = false;
    std::vector<bool> Known; // per row: decided
    int Cut = 3;
    bool Now = true;
    uint8_t DrawRule = 0;
    bool NoDraws = false;
    int TableWidth = 0, EvidenceTop = 0;
    QSize Extent;
    int Shown = -1;
};

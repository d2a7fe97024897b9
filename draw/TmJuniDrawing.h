// One team's season day by day, for the rank transition window (and for
// tablora-cli render): the summary pane and the table with the rank line.
// Both are laid out when built and painted in any part on demand.
#pragma once

#include "core/season/BaseballPennant.h"
#include "core/standings/BaseballCalc.h"
#include "draw/TableCanvas.h"
#include "draw/ViewContext.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TRankMark {
    int X = 0, Y = 0, ImageIndex = 0;
};

// One row of the day-by-day table: a game of the team, or (DayOnly) a day
// on which only other teams of its district played.
struct TTmJuniRow {
    double Day = 0;
    bool DayOnly = false;
    bool IsVisitor = false;
    uint8_t Status = 0;
    int8_t OwnScore = 0, OppScore = 0;
    std::string Opponent;            // symbol
    long long Wins = 0, Decided = 0; // up to this game
    int Line = -1;                   // the rank line's piece ending in this row, or none
    int Mark = -1;                   // this row's rank marker, or none
};

class TTmJuniTable : public TTableLayout {
public:
    TTmJuniTable(const TViewContext& view, int width, const QColor& teamColor);
    QSize Size() const override { return QSize(Width, static_cast<int>(Rows.size()) * 18); }
    QColor Background() const override;
    void Paint(TTableCanvas& canvas) const override;
    // A row per game (or day), under named columns; the rank read as "3位".
    int GridRows() const override { return static_cast<int>(Rows.size()); }
    QRect GridRow(int row) const override;
    QString GridText(int row, int column) const override;
    QString GridName() const override { return Name; }
    QString Name; // the panes' title

    std::vector<TTmJuniRow> Rows;
    std::vector<TRankMark> Marks;
    std::vector<std::pair<QPoint, QPoint>> Lines; // the pieces of the rank line, top to bottom

private:
    const QImage& RankImage(int index) const;

    TViewContext View;
    int Width;
    QColor TeamColor;
    mutable std::array<std::optional<QImage>, 12> RankImages;
};

// The summary: picture, name, and the home, visitor and total records.
class TTmJuniHead : public TTableLayout {
public:
    TTmJuniHead(const TViewContext& view, const TTeam& team, const TTmRec& record, uint8_t drawRule);
    QSize Size() const override { return Extent; }
    QColor Background() const override;
    void Paint(TTableCanvas& canvas) const override;

private:
    TViewContext View;
    // Copies: the season may be edited while the window stays open.
    std::string TeamName, TeamPicture;
    TSideRecord Home, Visitor;
    TStreaks Streaks;
    bool NoDraws;
    QSize Extent;
};

struct TTmJuniPanes {
    QString Caption;
    TTableTitle Title; // "セントラルリーグ 読売ジャイアンツ 順位推移 7月12日(日) 現在"
    std::unique_ptr<TTmJuniTable> Table;
    std::unique_ptr<TTmJuniHead> Head; // none for a team index out of range
    int HeadPaneHeight = 0;
    int ScrollTarget = 0; // top of the last row that got a marker
};

// `teamIndex` counts teams over the whole season; out of range gives an empty table.
TTmJuniPanes LayOutTmJuni(const TViewContext& view, int teamIndex);

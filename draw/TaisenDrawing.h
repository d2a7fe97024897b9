// The head-to-head table ("対戦成績表") of one district against one page of
// opponents, for the head-to-head window and tablora-cli render. The layout is
// plain data (what to draw, the buttons, the clickable cells); painting any
// part of it walks only what touches that part.
#pragma once

#include "draw/DisplayList.h"
#include "draw/ViewContext.h"

#include <optional>
#include <string>
#include <vector>

// One clickable cell: the row team's record against the column team.
struct TTaisenHit {
    std::string RowSymbol;
    std::string ColumnSymbol;
    QRect Rect;
};

// The seven cell states, named after their color keys.
enum class TBatState { No, W, WW, L, LL, D, DD };
// Wins, losses and games still to play of a row team against one opponent.
TBatState BatState(int wins, int losses, int games, int remain);

// A row team's games against one opponent symbol (a played or a scheduled
// one): the cells of every column with that symbol.
struct TTaisenCell {
    int Opponent = 0; // index into the table's Opponents
    TBatState State = TBatState::No;
    int Games = 0, Wins = 0, Losses = 0, Draws = 0, Remain = 0;
};

// The table: what is laid out once (headings, buttons, the header row and the
// rows' heads), and the grid of cells, painted from the games only where the
// canvas shows it. A district of n teams has n² cells; the table keeps what
// the rows' games make, so its size follows the matches.
class TTaisenTable : public TTableLayout {
public:
    TDisplayTable Fixed;
    int GridLeft = 0, GridTop = 0; // the first cell's top-left corner
    int CellWidth = 90;            // cells are CellWidth x 36, one pixel of border shared
    bool NoDraws = false;
    QColor Line, Char;
    QColor StateColors[7]; // by TBatState
    std::vector<std::string> RowSymbols;
    std::vector<std::string> Opponents;            // the columns' symbols, each once
    std::vector<int> ColumnOpponent;               // per column, its symbol in Opponents
    std::vector<std::vector<int>> OpponentColumns; // per symbol, its columns
    std::vector<std::vector<TTaisenCell>> Rows;    // per row, by Opponent

    int ColumnCount() const { return static_cast<int>(ColumnOpponent.size()); }
    QRect CellRect(int row, int column) const;
    // The row's games against the column's team; null when they have none.
    const TTaisenCell* CellAt(int row, int column) const;

    // "セントラルリーグ 対戦成績表 7月12日(日) 現在", with the filter and the page's heading.
    TTableTitle Heading;

    QSize Size() const override { return Fixed.Size(); }
    QColor Background() const override { return Fixed.Background(); }
    void Paint(TTableCanvas& canvas) const override;
    TTableTitle Title() const override { return Heading; }
    // A row per row team: its rank, picture and name, then its cells.
    int GridRows() const override { return static_cast<int>(Rows.size()); }
    QRect GridRow(int row) const override;
    void FindGridColumns();
};

struct TTaisenLayout {
    TTaisenTable Table;
    QRect FilterRects[3];
    std::vector<QRect> PageRects; // one per page, only with more than one page

    // The cell under the point that has games, the first in row order where
    // two cells share a border; none elsewhere.
    std::optional<TTaisenHit> HitAt(const QPoint& at) const;
    // Every cell with games, row by row, left to right.
    std::vector<TTaisenHit> Hits() const;
};

// The districts (numbered over the whole season) whose teams make the
// columns of the table of district `district`: itself first, then the other
// districts of its league, then, with interleague games, every other district.
std::vector<int> TaisenPages(const TPennant& pennant, int district);

// `filter` 0 all games, 1 the row team's home games, 2 its visitor games;
// `page` indexes `pages`. An unknown district or page gives an empty layout.
TTaisenLayout LayoutTaisen(const TViewContext& view, int district, const std::vector<int>& pages, int filter, int page);

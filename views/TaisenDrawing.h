// The head-to-head table ("対戦成績表") of one district against one page of
// opponents, for the head-to-head window and tablora-cli render. The layout is
// plain data (what to draw, the buttons, the clickable cells); painting any
// part of it walks only what touches that part.
#pragma once

#include "DisplayList.h"
#include "ViewContext.h"

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

struct TTaisenLayout {
    TDisplayTable Table;
    QRect FilterRects[3];
    std::vector<QRect> PageRects; // one per page, only with more than one page
    std::vector<TTaisenHit> Hits;
};

// The districts (numbered over the whole season) whose teams make the
// columns of the table of district `district`: itself first, then the other
// districts of its league, then, with interleague games, every other district.
std::vector<int> TaisenPages(const TPennant& pennant, int district);

// `filter` 0 all games, 1 the row team's home games, 2 its visitor games;
// `page` indexes `pages`. An unknown district or page gives an empty layout.
TTaisenLayout LayoutTaisen(const TViewContext& view, int district, const std::vector<int>& pages, int filter, int page);

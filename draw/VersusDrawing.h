// The games between one team and one opponent ("G vs T"), for the
// team-versus-team window and tablora-cli render: a summary of the pairing
// at home, as visitor and in total, and the list of their games.
#pragma once

#include "draw/DisplayList.h"
#include "draw/ViewContext.h"

#include <string>

struct TVersusLayout {
    bool Valid = false; // the own team is a team of the district
    QString Caption;
    TTableTitle Title; // "セントラルリーグ 読売ジャイアンツ vs 阪神タイガース 対戦成績 7月12日(日) 現在"
    TDisplayTable Head; // the summary
    TDisplayTable List; // the game list
    int Width = 0;      // of both
    int HeadHeight = 0;
    int ListHeight = 0;
    int HeadPaneHeight = 0; // the summary area: its picture and a margin
    int ScrollTarget = 0;   // top of the last listed game with a result
    int Listed = 0;         // games shown in the list
};

// `district` counts districts over the whole season; the own team is looked
// up among its teams. `filter` 0 all games, 1 the own team's home games,
// 2 its visitor games.
TVersusLayout LayoutVersus(const TViewContext& view, int district, const std::string& own, const std::string& opponent,
                           int filter);

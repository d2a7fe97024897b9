// The season's teams in season order (leagues in order, their districts in
// order, their teams in order), the one list schedule registration, the
// schedule window and the numbering of games read.
#pragma once

#include <string>
#include <vector>

class TPennant;

struct TTeamItem {
    std::string ShortName;
    std::string Symbol;
    int LeagueIndex = 0; // 0-based position of the team's league
};

std::vector<TTeamItem> BuildTeamList(const TPennant& pennant);
// Position of the first team whose symbol equals `symbol` exactly (byte for byte), or -1.
int TeamIndexOf(const std::vector<TTeamItem>& teams, const std::string& symbol);
// The symbols of that list, in its order: the order the games of a day are numbered in.
std::vector<std::string> SeasonSymbols(const TPennant& pennant);

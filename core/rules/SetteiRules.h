// The decisions of the team information editor, apart from its widgets:
// which buttons a level allows, what a new item looks like, the snapshot
// that Cancel restores, and how a confirmed order is applied.
#pragma once

#include <string>
#include <vector>

class TPennant;
class TLeague;
class TDistrict;
class TTeam;

enum class TSetteiLevel { League, District, Team };

struct TLevelButtons {
    bool Prev = false, Next = false, Add = false, Delete = false, Order = false;
};

// position is 0-based; hasGames: the season's match list is not empty.
TLevelButtons LevelButtons(TSetteiLevel level, int position, int count, bool hasGames);

// New items at the end of their list, with the editor's default names
// (n is the new item's 1-based position). They return the new item's index.
int AddDefaultTeam(TDistrict& district);
int AddDefaultDistrict(TLeague& league); // with two teams
int AddDefaultLeague(TPennant& pennant); // with one district of two teams

// The structure's editable fields, copied out and put back (OrderKey is not kept).
struct TSeasonSnapshot {
    struct TTeamCopy {
        std::string Name, ShortName, Symbol, Picture;
        int Color = 0;
    };
    struct TDistrictCopy {
        std::string Name;
        std::vector<TTeamCopy> Teams;
    };
    struct TLeagueCopy {
        std::string Name;
        unsigned char DrawRule = 0, RankRule = 0;
        std::vector<TDistrictCopy> Districts;
    };
    std::string Contents, Checker;
    unsigned char Interleague = 0;
    std::vector<TLeagueCopy> Leagues;
};

TSeasonSnapshot TakeSnapshot(const TPennant& pennant);
void RestoreSnapshot(const TSeasonSnapshot& snapshot, TPennant& pennant);

// Order keys from a confirmed order dialog: `order` lists the items' present
// positions in their new order, so each item's key is where it now stands
// (items sharing a name keep the places the user gave them). A list that is
// not a rearrangement of 0 … count − 1 leaves the present order. Returns the
// keys in the items' present order.
std::vector<int> OrderKeysFor(const std::vector<int>& order, int count);

// Applies a confirmed order to one level and returns the current item's new
// position. `current` is the current item's present position.
int ApplyLeagueOrder(TPennant& pennant, const std::vector<int>& order, int current);
int ApplyDistrictOrder(TLeague& league, const std::vector<int>& order, int current);
int ApplyTeamOrder(TDistrict& district, const std::vector<int>& order, int current);

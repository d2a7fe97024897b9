// The structure of a season: leagues, their districts, their teams.
// Every text is a Shift-JIS byte string; lengths count bytes. Leagues,
// districts and teams are stored compactly (see CompactText.h, OwnedList.h):
// adding or deleting one may move its siblings.
#pragma once

#include "core/base/CompactText.h"
#include "core/base/OwnedList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

class TTeam {
public:
    TText Name;
    TText ShortName;
    TSymbol Symbol;    // always set through SetSymbol
    int32_t Color = 0; // 0x00BBGGRR
    TText Picture;
    int32_t OrderKey = 0;

    // Trims spaces and control characters at both ends and keeps at most 3 bytes.
    void SetSymbol(std::string_view text);
};

class TDistrict {
public:
    TText Name;
    int32_t OrderKey = 0;

    int TeamCount() const { return Teams.Count(); }
    TTeam& GetTeam(int index) const { return Teams.Get(index); }
    int AddTeam() { return Teams.Add(); }
    bool DeleteTeam(int index) { return Teams.Delete(index); }
    void SortTeams() { Teams.SortByOrderKey(); }
    TOwnedList<TTeam>& TeamList() { return Teams; }
    const TOwnedList<TTeam>& TeamList() const { return Teams; }

private:
    TOwnedList<TTeam> Teams;
};

class TLeague {
public:
    TText Name;
    uint8_t DrawRule = 0; // 0 draws stand, 1 draws are replayed, 2 no draws
    uint8_t RankRule = 0; // 0 win rate first, 1 wins first
    int32_t OrderKey = 0;

    int DistrictCount() const { return Districts.Count(); }
    TDistrict& GetDistrict(int index) const { return Districts.Get(index); }
    int AddDistrict() { return Districts.Add(); }
    bool DeleteDistrict(int index) { return Districts.Delete(index); }
    void SortDistricts() { Districts.SortByOrderKey(); }
    TOwnedList<TDistrict>& DistrictList() { return Districts; }
    const TOwnedList<TDistrict>& DistrictList() const { return Districts; }

private:
    TOwnedList<TDistrict> Districts;
};

class TPennant {
public:
    std::string Contents;
    uint8_t Modified = 0;
    uint8_t Interleague = 0;
    std::string Checker;
    std::string Reserved;

    int LeagueCount() const { return Leagues.Count(); }
    TLeague& GetLeague(int index) const { return Leagues.Get(index); }
    int AddLeague() { return Leagues.Add(); }
    bool DeleteLeague(int index) { return Leagues.Delete(index); }
    void SortLeagues() { Leagues.SortByOrderKey(); }
    TOwnedList<TLeague>& LeagueList() { return Leagues; }
    const TOwnedList<TLeague>& LeagueList() const { return Leagues; }

    // First team in season order whose symbol equals `symbol` byte for byte.
    TTeam* TeamBySymbol(std::string_view symbol) const;
    std::string ShortNameBySymbol(std::string_view symbol) const;
    uint8_t DrawRuleBySymbol(std::string_view symbol) const;
    // The league holding the first team with that symbol, or none.
    TLeague* LeagueBySymbol(std::string_view symbol) const;

    // Counts over the whole season, and the items at season-wide indexes
    // (leagues, then their districts, then their teams, in order); none when out of range.
    int TotalDistrictCount() const;
    int TotalTeamCount() const;
    TDistrict* DistrictAt(int seasonIndex, TLeague** league = nullptr) const;
    TTeam* TeamAt(int seasonIndex, TLeague** league = nullptr, TDistrict** district = nullptr) const;

    // Calls f(league, district, team) for every team in season order.
    template <typename F> void ForEachTeam(F&& f) const {
        for (TLeague& league : Leagues)
            for (TDistrict& district : league.DistrictList())
                for (TTeam& team : district.TeamList())
                    f(league, district, team);
    }

private:
    TOwnedList<TLeague> Leagues;
};

static_assert(sizeof(TTeam) == 36 && sizeof(TDistrict) == 20 && sizeof(TLeague) == 24);

// The season's teams by symbol, the first in season order winning as in
// TPennant::TeamBySymbol, for callers that look up every row of a district
// that may hold tens of thousands of teams. It shows the season as it was
// when built; the teams must outlive it unchanged.
class TSymbolIndex {
public:
    explicit TSymbolIndex(const TPennant& pennant);
    TTeam* Team(std::string_view symbol) const;

private:
    std::unordered_map<std::string, TTeam*> Teams;
};

// The structure of a season: leagues, their districts, their teams.
// Every text is a Shift-JIS byte string; lengths count bytes. Each level owns
// its children one by one: adding, deleting or sorting children never moves
// any of them, so a reference to a league, district or team stays good until
// that item itself is deleted.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The children of one level, and the list operations the three levels share.
namespace season_list {

template <typename T> using TOwned = std::vector<std::unique_ptr<T>>;

template <typename T> int Add(TOwned<T>& items) {
    items.push_back(std::make_unique<T>());
    return static_cast<int>(items.size()) - 1;
}

// False, and nothing changes, for an index out of range.
template <typename T> bool Delete(TOwned<T>& items, int index) {
    if (index < 0 || static_cast<size_t>(index) >= items.size())
        return false;
    items.erase(items.begin() + index);
    return true;
}

// Ascending by OrderKey; items with equal keys end in no particular order.
template <typename T> void SortByOrderKey(TOwned<T>& items) {
    std::stable_sort(items.begin(), items.end(), [](const std::unique_ptr<T>& a, const std::unique_ptr<T>& b) {
        return a->OrderKey < b->OrderKey;
    });
}

// The children as references, in order: what range-for and size() need.
// (std::views::transform would do, but clang 14, which builds the fuzzers,
// cannot compile GCC 12's <ranges>; Boost.Range would bring Boost into
// tablora-cli, which must not link it.)
template <typename T> class TItems {
public:
    explicit TItems(const TOwned<T>& items) : List(&items) {}
    struct iterator {
        typename TOwned<T>::const_iterator At;
        T& operator*() const { return **At; }
        iterator& operator++() {
            ++At;
            return *this;
        }
        bool operator==(const iterator&) const = default;
    };
    iterator begin() const { return {List->begin()}; }
    iterator end() const { return {List->end()}; }
    size_t size() const { return List->size(); }

private:
    const TOwned<T>* List;
};

template <typename T> TItems<T> Items(const TOwned<T>& items) {
    return TItems<T>(items);
}

} // namespace season_list

class TTeam {
public:
    std::string Name;
    std::string ShortName;
    std::string Symbol; // always set through SetSymbol
    int32_t Color = 0;  // 0x00BBGGRR
    std::string Picture;
    int32_t OrderKey = 0;

    // Trims spaces and control characters at both ends and keeps at most 3 bytes.
    void SetSymbol(std::string_view text);
};

class TDistrict {
public:
    std::string Name;
    int32_t OrderKey = 0;

    int TeamCount() const { return static_cast<int>(Teams.size()); }
    TTeam& GetTeam(int index) const { return *Teams[static_cast<size_t>(index)]; }
    int AddTeam() { return season_list::Add(Teams); }
    bool DeleteTeam(int index) { return season_list::Delete(Teams, index); }
    void SortTeams() { season_list::SortByOrderKey(Teams); }
    // Room for exactly `count` teams in all (a reader that knows the count).
    void ReserveTeams(int count) { Teams.reserve(static_cast<size_t>(std::max(count, 0))); }
    season_list::TItems<TTeam> TeamList() const { return season_list::Items(Teams); }

private:
    season_list::TOwned<TTeam> Teams;
};

class TLeague {
public:
    std::string Name;
    uint8_t DrawRule = 0; // 0 draws stand, 1 draws are replayed, 2 no draws
    uint8_t RankRule = 0; // 0 win rate first, 1 wins first
    int32_t OrderKey = 0;

    int DistrictCount() const { return static_cast<int>(Districts.size()); }
    TDistrict& GetDistrict(int index) const { return *Districts[static_cast<size_t>(index)]; }
    int AddDistrict() { return season_list::Add(Districts); }
    bool DeleteDistrict(int index) { return season_list::Delete(Districts, index); }
    void SortDistricts() { season_list::SortByOrderKey(Districts); }
    void ReserveDistricts(int count) { Districts.reserve(static_cast<size_t>(std::max(count, 0))); }
    season_list::TItems<TDistrict> DistrictList() const { return season_list::Items(Districts); }

private:
    season_list::TOwned<TDistrict> Districts;
};

class TPennant {
public:
    std::string Contents;
    uint8_t Modified = 0;
    uint8_t Interleague = 0;
    std::string Checker;
    std::string Reserved;

    int LeagueCount() const { return static_cast<int>(Leagues.size()); }
    TLeague& GetLeague(int index) const { return *Leagues[static_cast<size_t>(index)]; }
    int AddLeague() { return season_list::Add(Leagues); }
    bool DeleteLeague(int index) { return season_list::Delete(Leagues, index); }
    void SortLeagues() { season_list::SortByOrderKey(Leagues); }
    void ReserveLeagues(int count) { Leagues.reserve(static_cast<size_t>(std::max(count, 0))); }
    season_list::TItems<TLeague> LeagueList() const { return season_list::Items(Leagues); }

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
        for (TLeague& league : LeagueList())
            for (TDistrict& district : league.DistrictList())
                for (TTeam& team : district.TeamList())
                    f(league, district, team);
    }

private:
    season_list::TOwned<TLeague> Leagues;
};

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

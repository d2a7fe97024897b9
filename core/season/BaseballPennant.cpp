#include "core/season/BaseballPennant.h"

void TTeam::SetSymbol(std::string_view text) {
    // Spaces and control characters are every byte up to 0x20.
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    text = text.substr(0, 3);
    // Cutting can bare an inner space ("AB C" -> "AB "); a symbol never ends in one.
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    Symbol.assign(text);
}

namespace {

struct TFound {
    TLeague* League = nullptr;
    TTeam* Team = nullptr;
};

TFound FindBySymbol(const TPennant& pennant, std::string_view symbol) {
    for (int l = 0; l < pennant.LeagueCount(); ++l) {
        TLeague& league = pennant.GetLeague(l);
        for (int d = 0; d < league.DistrictCount(); ++d) {
            TDistrict& district = league.GetDistrict(d);
            for (int t = 0; t < district.TeamCount(); ++t)
                if (district.GetTeam(t).Symbol == symbol)
                    return {&league, &district.GetTeam(t)};
        }
    }
    return {};
}

} // namespace

TTeam* TPennant::TeamBySymbol(std::string_view symbol) const {
    return FindBySymbol(*this, symbol).Team;
}

std::string TPennant::ShortNameBySymbol(std::string_view symbol) const {
    TTeam* team = TeamBySymbol(symbol);
    return team ? team->ShortName : std::string();
}

uint8_t TPennant::DrawRuleBySymbol(std::string_view symbol) const {
    TLeague* league = LeagueBySymbol(symbol);
    return league ? league->DrawRule : 0;
}

TLeague* TPennant::LeagueBySymbol(std::string_view symbol) const {
    return FindBySymbol(*this, symbol).League;
}

int TPennant::TotalDistrictCount() const {
    int count = 0;
    for (const TLeague& league : LeagueList())
        count += league.DistrictCount();
    return count;
}

int TPennant::TotalTeamCount() const {
    int count = 0;
    ForEachTeam([&](TLeague&, TDistrict&, TTeam&) { ++count; });
    return count;
}

TDistrict* TPennant::DistrictAt(int seasonIndex, TLeague** league) const {
    if (seasonIndex < 0)
        return nullptr;
    for (TLeague& l : LeagueList()) {
        if (seasonIndex < l.DistrictCount()) {
            if (league)
                *league = &l;
            return &l.GetDistrict(seasonIndex);
        }
        seasonIndex -= l.DistrictCount();
    }
    return nullptr;
}

TTeam* TPennant::TeamAt(int seasonIndex, TLeague** league, TDistrict** district) const {
    if (seasonIndex < 0)
        return nullptr;
    for (TLeague& l : LeagueList())
        for (int d = 0; d < l.DistrictCount(); ++d) {
            TDistrict& dist = l.GetDistrict(d);
            if (seasonIndex < dist.TeamCount()) {
                if (league)
                    *league = &l;
                if (district)
                    *district = &dist;
                return &dist.GetTeam(seasonIndex);
            }
            seasonIndex -= dist.TeamCount();
        }
    return nullptr;
}

TSymbolIndex::TSymbolIndex(const TPennant& pennant) {
    pennant.ForEachTeam([this](TLeague&, TDistrict&, TTeam& team) { Teams.emplace(team.Symbol, &team); });
}

TTeam* TSymbolIndex::Team(std::string_view symbol) const {
    const auto it = Teams.find(std::string(symbol));
    return it == Teams.end() ? nullptr : it->second;
}

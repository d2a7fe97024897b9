#include "core/season/TeamList.h"

#include "core/season/BaseballPennant.h"

std::vector<TTeamItem> BuildTeamList(const TPennant& pennant) {
    std::vector<TTeamItem> teams;
    for (int l = 0; l < pennant.LeagueCount(); ++l) {
        const TLeague& league = pennant.GetLeague(l);
        for (int d = 0; d < league.DistrictCount(); ++d)
            for (int t = 0; t < league.GetDistrict(d).TeamCount(); ++t) {
                const TTeam& team = league.GetDistrict(d).GetTeam(t);
                teams.push_back({team.ShortName, team.Symbol, l});
            }
    }
    return teams;
}

int TeamIndexOf(const std::vector<TTeamItem>& teams, const std::string& symbol) {
    for (size_t i = 0; i < teams.size(); ++i)
        if (teams[i].Symbol == symbol)
            return static_cast<int>(i);
    return -1;
}

std::vector<std::string> SeasonSymbols(const TPennant& pennant) {
    std::vector<std::string> symbols;
    for (TTeamItem& team : BuildTeamList(pennant))
        symbols.push_back(std::move(team.Symbol));
    return symbols;
}

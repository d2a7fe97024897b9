#include "core/rules/SetteiRules.h"

#include <algorithm>

#include "core/base/SjisText.h"
#include "core/season/BaseballPennant.h"

TLevelButtons LevelButtons(TSetteiLevel level, int position, int count, bool hasGames) {
    TLevelButtons b;
    b.Prev = position > 0;
    b.Next = position < count - 1;
    b.Add = !hasGames;
    // A district keeps at least two teams, a league one district, the season one league.
    b.Delete = !hasGames && count >= (level == TSetteiLevel::Team ? 3 : 2);
    b.Order = count >= 2;
    return b;
}

int AddDefaultTeam(TDistrict& district) {
    const int index = district.AddTeam();
    const std::string n = std::to_string(index + 1);
    TTeam& team = district.GetTeam(index);
    team.Name = sjis::S("チーム正式名称") + n;
    team.ShortName = sjis::S("チーム略称") + n;
    team.SetSymbol("T" + n);
    team.Color = 0;
    return index;
}

int AddDefaultDistrict(TLeague& league) {
    const int index = league.AddDistrict();
    TDistrict& district = league.GetDistrict(index);
    district.Name = sjis::S("地区名称") + std::to_string(index + 1);
    AddDefaultTeam(district);
    AddDefaultTeam(district);
    return index;
}

int AddDefaultLeague(TPennant& pennant) {
    const int index = pennant.AddLeague();
    TLeague& league = pennant.GetLeague(index);
    league.Name = sjis::S("リーグ名称") + std::to_string(index + 1);
    league.DrawRule = 0;
    league.RankRule = 0;
    AddDefaultDistrict(league);
    return index;
}

TSeasonSnapshot TakeSnapshot(const TPennant& p) {
    TSeasonSnapshot s;
    s.Contents = p.Contents;
    s.Checker = p.Checker;
    s.Interleague = p.Interleague;
    for (int l = 0; l < p.LeagueCount(); ++l) {
        const TLeague& league = p.GetLeague(l);
        TSeasonSnapshot::TLeagueCopy lc{league.Name, league.DrawRule, league.RankRule, {}};
        for (int d = 0; d < league.DistrictCount(); ++d) {
            const TDistrict& district = league.GetDistrict(d);
            TSeasonSnapshot::TDistrictCopy dc{district.Name, {}};
            for (int t = 0; t < district.TeamCount(); ++t) {
                const TTeam& team = district.GetTeam(t);
                dc.Teams.push_back({team.Name, team.ShortName, team.Symbol, team.Picture, team.Color});
            }
            lc.Districts.push_back(std::move(dc));
        }
        s.Leagues.push_back(std::move(lc));
    }
    return s;
}

void RestoreSnapshot(const TSeasonSnapshot& s, TPennant& p) {
    p.Contents = s.Contents;
    p.Checker = s.Checker;
    p.Interleague = s.Interleague;
    while (p.LeagueCount() > 0)
        p.DeleteLeague(0);
    for (const auto& lc : s.Leagues) {
        TLeague& league = p.GetLeague(p.AddLeague());
        league.Name = lc.Name;
        league.DrawRule = lc.DrawRule;
        league.RankRule = lc.RankRule;
        for (const auto& dc : lc.Districts) {
            TDistrict& district = league.GetDistrict(league.AddDistrict());
            district.Name = dc.Name;
            for (const auto& tc : dc.Teams) {
                TTeam& team = district.GetTeam(district.AddTeam());
                team.Name = tc.Name;
                team.ShortName = tc.ShortName;
                team.SetSymbol(tc.Symbol);
                team.Color = tc.Color;
                team.Picture = tc.Picture;
            }
        }
    }
}

std::vector<int> OrderKeysFor(const std::vector<int>& order, int count) {
    std::vector<int> keys(static_cast<size_t>(std::max(count, 0)), -1);
    bool whole = order.size() == keys.size();
    for (size_t k = 0; whole && k < order.size(); ++k) {
        const int from = order[k];
        whole = from >= 0 && from < count && keys[static_cast<size_t>(from)] < 0;
        if (whole)
            keys[static_cast<size_t>(from)] = static_cast<int>(k);
    }
    if (!whole)
        for (size_t i = 0; i < keys.size(); ++i)
            keys[i] = static_cast<int>(i);
    return keys;
}

namespace {

// Keys, sort, and the current item's new position (its key).
template <typename Items, typename Sort>
int ApplyOrder(Items items, const std::vector<int>& order, int current, Sort sort) {
    const int count = static_cast<int>(items.size());
    const std::vector<int> keys = OrderKeysFor(order, count);
    auto key = keys.begin();
    for (auto& item : items)
        item.OrderKey = *key++;
    const int position = current >= 0 && current < count ? keys[static_cast<size_t>(current)] : 0;
    sort();
    return position;
}

} // namespace

int ApplyLeagueOrder(TPennant& p, const std::vector<int>& order, int current) {
    return ApplyOrder(p.LeagueList(), order, current, [&] { p.SortLeagues(); });
}

int ApplyDistrictOrder(TLeague& l, const std::vector<int>& order, int current) {
    return ApplyOrder(l.DistrictList(), order, current, [&] { l.SortDistricts(); });
}

int ApplyTeamOrder(TDistrict& d, const std::vector<int>& order, int current) {
    return ApplyOrder(d.TeamList(), order, current, [&] { d.SortTeams(); });
}

#include "core/standings/DistrictStandings.h"

#include "core/base/DayNumber.h"
#include "core/season/BaseballPennant.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The district's teams, in district order, with room for their games.
std::unique_ptr<TRkCalc> DistrictCalc(const TPennant& pennant, const TFight& fight, const TDistrict& district) {
    auto calc = std::make_unique<TRkCalc>();
    // Every team of the season plays about its share of the matches (twice each, home and away).
    const size_t share =
        static_cast<size_t>(fight.MatchCount()) * 2 / static_cast<size_t>(std::max(pennant.TotalTeamCount(), 1));
    for (int t = 0; t < district.TeamCount(); ++t)
        calc->Items(calc->AddTeam(district.GetTeam(t).Symbol)).GameList.reserve(share + share / 8 + 8);
    return calc;
}

// Each row's RankNo, looked up by symbol in `ranked` (the last team wins a shared symbol).
std::vector<int32_t> RanksBySymbol(const TRkCalc& rows, const TRkCalc& ranked) {
    std::unordered_map<std::string, int32_t> rank;
    for (int i = 0; i < ranked.Count(); ++i)
        rank[ranked.Items(i).Symbol] = ranked.Items(i).RankNo;
    std::vector<int32_t> ranks;
    ranks.reserve(static_cast<size_t>(rows.Count()));
    for (int i = 0; i < rows.Count(); ++i)
        ranks.push_back(rank[rows.Items(i).Symbol]);
    return ranks;
}

} // namespace

std::optional<TDistrictStandings> BuildDistrictStandings(const TPennant& pennant, const TFight& fight,
                                                         int districtIndex, std::optional<double> asOfDay) {
    TDistrictStandings s;
    s.District = pennant.DistrictAt(districtIndex, &s.League);
    if (!s.District)
        return std::nullopt;
    s.ByWins = s.League->RankRule == 1;
    s.Calc = DistrictCalc(pennant, fight, *s.District);
    const int64_t lastDay = asOfDay ? days::WholeDay(*asOfDay) : 0;
    for (int m = 0; m < fight.MatchCount(); ++m) {
        const TMatchRec& match = fight.GetMatch(m);
        if (!asOfDay || days::WholeDay(match.GameDate) <= lastDay) {
            s.Calc->AddMatch(match);
        } else if (match.Status != StatusCancelled) {
            TMatchRec unplayed = match;
            unplayed.Status = StatusBefore;
            unplayed.HomeScore = unplayed.VisitorScore = 0;
            s.Calc->AddMatch(unplayed);
        }
    }
    s.Keys = s.Calc->GetKeyDates();
    for (int i = 0; i < s.Calc->Count(); ++i) {
        s.Finished += s.Calc->Items(i).Games();
        s.Remaining += s.Calc->Items(i).Remain();
    }
    // Ranked by wins, the table also shows the rank under win rate first; the
    // rows are then ordered by wins starting from that order.
    std::vector<std::pair<std::string, int32_t>> rateRanks;
    if (s.ByWins) {
        s.Calc->Rank(false);
        for (int i = 0; i < s.Calc->Count(); ++i)
            rateRanks.emplace_back(s.Calc->Items(i).Symbol, s.Calc->Items(i).RankNo);
    }
    s.Calc->Rank(s.ByWins);
    if (s.ByWins) {
        std::unordered_map<std::string, int32_t> bySymbol;
        for (const auto& [symbol, rank] : rateRanks)
            bySymbol[symbol] = rank; // the last team wins a shared symbol
        for (int i = 0; i < s.Calc->Count(); ++i)
            s.RateRanks.push_back(bySymbol[s.Calc->Items(i).Symbol]);
    }
    return s;
}

void AddPreviousRanks(TDistrictStandings& s, const TFight& fight) {
    TRkCalc before;
    for (int t = 0; t < s.District->TeamCount(); ++t)
        before.AddTeam(s.District->GetTeam(t).Symbol);
    const int64_t previousDay = days::WholeDay(s.Keys.PrevResultDay);
    for (int m = 0; m < fight.MatchCount(); ++m)
        if (days::WholeDay(fight.GetMatch(m).GameDate) <= previousDay)
            before.AddMatch(fight.GetMatch(m));
    before.Rank(s.ByWins);
    s.PreviousRanks = RanksBySymbol(*s.Calc, before);
}

#include "DistrictStandings.h"

#include "../model/BaseballPennant.h"
#include "../model/DayNumber.h"

#include <algorithm>

std::optional<TDistrictStandings> BuildDistrictStandings(const TPennant& pennant, const TFight& fight,
                                                         int districtIndex, std::optional<double> asOfDay) {
    TDistrictStandings s;
    s.District = pennant.DistrictAt(districtIndex, &s.League);
    if (!s.District)
        return std::nullopt;
    s.ByWins = s.League->RankRule == 1;
    s.Calc = std::make_unique<TRkCalc>();
    // Room for each team's games at once: every team of the season plays about
    // its share of the matches (twice each, home and away).
    const size_t share =
        static_cast<size_t>(fight.MatchCount()) * 2 / static_cast<size_t>(std::max(pennant.TotalTeamCount(), 1));
    for (int t = 0; t < s.District->TeamCount(); ++t)
        s.Calc->Items(s.Calc->AddTeam(s.District->GetTeam(t).Symbol)).GameList.reserve(share + share / 8 + 8);
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
    for (int i = 0; i < s.Calc->Count(); ++i) {
        s.Finished += s.Calc->Items(i).Games();
        s.Remaining += s.Calc->Items(i).Remain();
    }
    s.Calc->Rank(s.ByWins);
    return s;
}

// The standings of one district as every view computes them: the district's
// teams in district order, the season's matches in list order, ranked by the
// league's rule.
#pragma once

#include "core/standings/BaseballCalc.h"

#include <memory>
#include <optional>
#include <vector>

class TPennant;
class TLeague;
class TDistrict;

struct TDistrictStandings {
    TLeague* League = nullptr;
    TDistrict* District = nullptr;
    std::unique_ptr<TRkCalc> Calc;
    bool ByWins = false;
    TKeyDates Keys;
    // Sums over the district's teams.
    long long Finished = 0;
    long long Remaining = 0;
    // By row, for a league ranked by wins: the rank under win rate first.
    std::vector<int32_t> RateRanks;
    // By row, after AddPreviousRanks: the rank as of the previous result day.
    std::vector<int32_t> PreviousRanks;

    bool AllPlayed() const { return Remaining == 0; }
    // Finished games in percent of all games, 0 with no games.
    int CompletionRate() const {
        return Finished + Remaining == 0 ? 0 : static_cast<int>(Finished * 100 / (Finished + Remaining));
    }
};

// A calculator for the district with season-wide index `districtIndex`, fed
// every match and ranked. None when there is no such district.
//
// With `asOfDay`, the standings are those of the end of that day: results of
// later days are fed as games still to play, and later cancelled games are
// left out (their make-up games stand for them), so the remaining games, the
// completion rate and the magic numbers are those a fan saw on that day.
std::optional<TDistrictStandings> BuildDistrictStandings(const TPennant& pennant, const TFight& fight,
                                                         int districtIndex,
                                                         std::optional<double> asOfDay = std::nullopt);

// Fills PreviousRanks: the district ranked on the games up to the previous
// result day (every team first before the second result day), for the
// standings' rank-change arrows.
void AddPreviousRanks(TDistrictStandings& standings, const TFight& fight);

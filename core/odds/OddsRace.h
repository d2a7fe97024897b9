// The exact race behind the season odds: a clinched place is 100%, an
// eliminated one 0%, whatever the simulated seasons say.
#pragma once

#include "core/odds/SeasonOdds.h"

#include <map>
#include <memory>

class TPennant;
class TTitleRace;

// Asks the race of one day's standings; each answer is computed once.
class TOddsRacePins {
public:
    TOddsRacePins(const TPennant& pennant, const TDistrictStandings& standings);
    ~TOddsRacePins();
    TOddsRacePins(const TOddsRacePins&) = delete;
    TOddsRacePins& operator=(const TOddsRacePins&) = delete;

    TOddsPin Pin(int team, int place) const;
    // The race's status text for the team at that place (Shift-JIS).
    std::string StatusText(int team, int place) const;
    // A pinner that keeps this object alive.
    static TOddsPinner Shared(const TPennant& pennant, const TDistrictStandings& standings);

private:
    std::unique_ptr<TTitleRace> Race;
    mutable std::map<std::pair<int, int>, TOddsPin> Known;
};

// A district's odds as the window and the pictures show them: the season
// played `runs` times in passes (a first of 10,000, then larger ones), the
// race deciding the 100% and the 0%. After each pass `pass` gets the result
// so far; returning false stops. None for a district that does not exist.
using TOddsPass = std::function<bool(const TOddsResult& soFar)>;
std::optional<TOddsResult> DistrictOdds(const TPennant& pennant, const TFight& fight, int districtIndex,
                                        std::optional<double> day, TOddsModel model, int place, long long runs,
                                        uint64_t seed, int threads = 0, const TOddsPass& pass = {});

// The history with the race behind every day.
TOddsHistory DistrictOddsHistory(const TPennant& pennant, const TFight& fight, int districtIndex, TOddsModel model,
                                 int place, long long runsPerDay, uint64_t seed, int threads = 0,
                                 const TOddsProgress& progress = {});

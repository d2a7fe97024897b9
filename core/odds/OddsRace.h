// The exact race behind the season odds: a clinched place is 100%, an
// eliminated one 0%, whatever the simulated seasons say.
#pragma once

#include "core/odds/SeasonOdds.h"

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
};

#include "core/odds/OddsRace.h"

#include "core/race/TitleRace.h"

TOddsRacePins::TOddsRacePins(const TPennant& pennant, const TDistrictStandings& standings)
    : Race(std::make_unique<TTitleRace>(RaceInputFrom(pennant, standings))) {}

TOddsRacePins::~TOddsRacePins() = default;

TOddsPin TOddsRacePins::Pin(int team, int place) const {
    if (team < 0 || team >= Race->TeamCount())
        return TOddsPin::Open;
    // Any other answer (one still open, or one the race could not settle) leaves the chance to the seasons.
    switch (Race->Decide(team, place).Status) {
    case TRaceStatus::Clinched:
        return TOddsPin::Clinched;
    case TRaceStatus::Eliminated:
        return TOddsPin::Eliminated;
    default:
        return TOddsPin::Open;
    }
}

std::string TOddsRacePins::StatusText(int team, int place) const {
    if (team < 0 || team >= Race->TeamCount())
        return {};
    return RaceStatusText(Race->Decide(team, place), place);
}

TOddsPinner TOddsRacePins::Shared(const TPennant& pennant, const TDistrictStandings& standings) {
    auto pins = std::make_shared<TOddsRacePins>(pennant, standings);
    return [pins](int team, int place) { return pins->Pin(team, place); };
}

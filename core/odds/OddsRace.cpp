#include "core/odds/OddsRace.h"

#include "core/race/TitleRace.h"
#include "core/standings/DistrictStandings.h"

#include <algorithm>

namespace {
constexpr double kPinSeconds = 2;
} // namespace

TOddsRacePins::TOddsRacePins(const TPennant& pennant, const TDistrictStandings& standings)
    : Race(std::make_unique<TTitleRace>(RaceInputFrom(pennant, standings))) {}

TOddsRacePins::~TOddsRacePins() = default;

TOddsPin TOddsRacePins::Pin(int team, int place) const {
    if (team < 0 || team >= Race->TeamCount())
        return TOddsPin::Open;
    const auto known = Known.find({team, place});
    if (known != Known.end())
        return known->second;
    TOddsPin pin = TOddsPin::Open;
    // Any other answer (one still open, or one the race could not settle) leaves the chance to the seasons.
    // A question the race cannot settle in a moment stays with the seasons.
    const TRaceStop stop = TRaceStop::In(kPinSeconds);
    switch (Race->Decide(team, place, &stop).Status) {
    case TRaceStatus::Clinched:
        pin = TOddsPin::Clinched;
        break;
    case TRaceStatus::Eliminated:
        pin = TOddsPin::Eliminated;
        break;
    default:
        break;
    }
    Known.emplace(std::make_pair(team, place), pin);
    return pin;
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

std::optional<TOddsResult> DistrictOdds(const TPennant& pennant, const TFight& fight, int districtIndex,
                                        std::optional<double> day, TOddsModel model, int place, long long runs,
                                        uint64_t seed, int threads, const TOddsPass& pass) {
    const std::optional<TDistrictStandings> s = BuildDistrictStandings(pennant, fight, districtIndex, day);
    if (!s)
        return std::nullopt;
    const TOddsInput input = OddsInputFrom(pennant, fight, *s, model, day);
    const TOddsRacePins pins(pennant, *s);
    const TOddsPinner pinner = [&pins](int team, int at) { return pins.Pin(team, at); };
    TOddsTally tally(input, std::max(place, 1));
    TOddsResult result = SummarizeOdds(input, tally, seed);
    const long long step = std::max<long long>(10000, runs / 10);
    for (long long done = 0; done < runs;) {
        const long long count = std::min(done == 0 ? 10000 : step, runs - done);
        tally += SimulateOdds(input, place, seed, done, count, threads);
        done += count;
        result = SummarizeOdds(input, tally, seed, pinner);
        if (pass && !pass(result))
            break;
    }
    return result;
}

TOddsHistory DistrictOddsHistory(const TPennant& pennant, const TFight& fight, int districtIndex, TOddsModel model,
                                 int place, long long runsPerDay, uint64_t seed, int threads,
                                 const TOddsProgress& progress) {
    return OddsHistory(
        pennant, fight, districtIndex, model, place, runsPerDay, seed, threads,
        [&pennant](const TDistrictStandings& s) { return TOddsRacePins::Shared(pennant, s); }, progress);
}

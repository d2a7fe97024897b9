// libFuzzer target for the season file reader: any bytes must either decode
// into a season that writes back to a file that decodes the same, or fail
// cleanly, without crashing, leaking or allocating for counts the data cannot hold.

#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<TPennant> pennant;
    std::unique_ptr<TFight> fight;
    if (!DecodeSeason(std::string_view(reinterpret_cast<const char*>(data), size), pennant, fight))
        return 0;

    // What was read writes back and reads again to the same bytes.
    const std::string once = EncodeSeason(*pennant, *fight);
    std::unique_ptr<TPennant> p2;
    std::unique_ptr<TFight> f2;
    if (!DecodeSeason(once, p2, f2) || EncodeSeason(*p2, *f2) != once)
        std::abort();

    // The views' work on whatever the file held must not crash either.
    for (int d = 0; d < pennant->TotalDistrictCount() && d < 4; ++d) {
        auto standings = BuildDistrictStandings(*pennant, *fight, d);
        for (int i = 0; i < standings->Calc->Count(); ++i) {
            const TTmRec& team = standings->Calc->Items(i);
            standings->Calc->Magic(i, standings->ByWins);
            team.GetStreaks();
            team.ConditionLevel();
            team.DayResult(standings->Calc->GetKeyDates().LastResultDay);
        }
    }
    RenumberGames(*pennant, *fight);
    return 0;
}

// libFuzzer target for the match data text reader: any bytes must read without
// crashing or hanging, and what was read must write back to a file that reads
// the same (days, symbols, statuses, the scores of finished games).

#include "core/base/DayNumber.h"
#include "core/io/MatchText.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool SameGame(const TMatchRec& a, const TMatchRec& b) {
    return a.HomeSymbol.Text() == b.HomeSymbol.Text() && a.VisitorSymbol.Text() == b.VisitorSymbol.Text() &&
           a.Status == b.Status && days::SameDay(a.GameDate, b.GameDate) &&
           (a.Status != StatusFinished || (a.HomeScore == b.HomeScore && a.VisitorScore == b.VisitorScore));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMatchText text = ReadMatchText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!text.HasChecker)
        return 0;

    // A season with one team named by the first game's home symbol, so the
    // import's numbering has something to do.
    TPennant pennant;
    pennant.Checker = text.Checker;
    TLeague& league = pennant.GetLeague(pennant.AddLeague());
    TDistrict& district = league.GetDistrict(league.AddDistrict());
    if (text.Fight->MatchCount() > 0)
        district.GetTeam(district.AddTeam()).SetSymbol(text.Fight->GetMatch(0).HomeSymbol.Text());

    const std::string written = EncodeMatchText(pennant, *text.Fight);
    TMatchText again = ReadMatchText(written);
    if (again.Checker != text.Checker || again.Fight->MatchCount() != text.Fight->MatchCount() ||
        CheckImport(pennant, *text.Fight, again) != TImportCheck::Ok)
        std::abort();
    for (int i = 0; i < text.Fight->MatchCount(); ++i)
        if (!SameGame(text.Fight->GetMatch(i), again.Fight->GetMatch(i)))
            std::abort();

    TFight season;
    ApplyImport(pennant, season, std::move(again));
    return 0;
}

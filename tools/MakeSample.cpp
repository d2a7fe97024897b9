// Writes the sample season shipped with the program: the Japanese template
// with a generated schedule and results for most of it. Run it to remake
// sample.qvk after a change here; the build copies that file to data/.
//
//   make_sample OUTPUT.qvk

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A small generator of our own, so the file is the same on every machine.
class TRandom {
public:
    explicit TRandom(uint64_t seed) : State(seed) {}
    uint32_t Next() {
        State = State * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(State >> 33);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

private:
    uint64_t State;
};

int Runs(TRandom& rng, int strength) {
    // Mostly 0 to 7, now and then a big inning; stronger teams score a little more.
    int runs = rng.Below(5) + rng.Below(4) + (rng.Below(10) < strength ? 1 : 0);
    if (rng.Below(12) == 0)
        runs += rng.Below(6);
    return runs;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample OUTPUT.qvk\n");
        return 2;
    }
    TPennant pennant;
    TFight fight;
    BuildTemplate(TemplateJapan, pennant);
    pennant.Contents = sjis::S("サンプル　プロ野球２０２６");
    pennant.Checker = "Sample26";
    pennant.GetLeague(1).RankRule = 1; // the second league ranks by wins, to show both rules
    fight.LastUpdate = days::Encode(2026, 7, 12) + (22 * 3600 + 15 * 60) / 86400.0;

    TRandom rng(20260327);
    const double firstDay = days::Encode(2026, 3, 27);
    const double lastResultDay = days::Encode(2026, 7, 12);
    // Five rounds of three games make every pair meet once; 25 cycles make 125 games a team.
    const int rounds[5][3][2] = {{{0, 5}, {1, 4}, {2, 3}},
                                 {{5, 3}, {4, 2}, {0, 1}},
                                 {{1, 5}, {2, 0}, {3, 4}},
                                 {{5, 4}, {0, 3}, {1, 2}},
                                 {{2, 5}, {3, 1}, {4, 0}}};

    for (int l = 0; l < pennant.LeagueCount(); ++l) {
        TDistrict& district = pennant.GetLeague(l).GetDistrict(0);
        double day = firstDay;
        for (int n = 0; n < 125; ++n) {
            if (days::DayOfWeek(day) == 1) // no games on Mondays
                day += 1;
            const int cycle = n / 5;
            for (const auto& pair : rounds[n % 5]) {
                // Swap home and visitor every other cycle.
                const int home = cycle % 2 ? pair[1] : pair[0], visitor = cycle % 2 ? pair[0] : pair[1];
                TMatchRec& m = fight.GetMatch(fight.NewMatch());
                m.HomeSymbol.Set(district.GetTeam(home).Symbol);
                m.VisitorSymbol.Set(district.GetTeam(visitor).Symbol);
                m.GameDate = day;
                if (day > lastResultDay)
                    continue;
                if (rng.Below(60) == 0) {
                    // Rained out: the game stays as cancelled, a make-up waits for a date.
                    m.Status = StatusCancelled;
                    TMatchRec makeUp = m;
                    makeUp.Status = StatusBefore;
                    makeUp.GameDate = days::UndecidedDate;
                    fight.GetMatch(fight.NewMatch()) = makeUp;
                    continue;
                }
                m.Status = StatusFinished;
                m.HomeScore = static_cast<int8_t>(Runs(rng, 6 - home));
                m.VisitorScore = static_cast<int8_t>(Runs(rng, 6 - visitor));
                // Most level games are settled in extra innings; a few stay drawn.
                if (m.HomeScore == m.VisitorScore && rng.Below(4) != 0)
                    ++(rng.Below(2) ? m.HomeScore : m.VisitorScore);
            }
            day += 1;
        }
    }
    RenumberGames(pennant, fight);

    if (!SaveSeason(argv[1], &pennant, &fight)) {
        std::fprintf(stderr, "make_sample: %s: cannot write the file\n", argv[1]);
        return 1;
    }
    return 0;
}

#include "core/standings/DistrictStandings.h"
#include "core/base/DayNumber.h"
#include "core/season/BaseballPennant.h"
#include "tests/support/MatchBuilder.h"

#include <gtest/gtest.h>

namespace {

// Two districts of two teams; A and B play each other, C plays A once.
struct TTwoDistricts {
    TPennant p;
    TFight f;
    TTwoDistricts() {
        TLeague& l = p.GetLeague(p.AddLeague());
        l.RankRule = 1;
        for (const char* pair : {"AB", "CD"}) {
            TDistrict& d = l.GetDistrict(l.AddDistrict());
            for (int i = 0; i < 2; ++i)
                d.GetTeam(d.AddTeam()).SetSymbol(std::string(1, pair[i]));
        }
        // home, visitor, day, home runs, visitor runs, status
        Add("A", "B", 1, 3, 0, StatusFinished);
        Add("A", "C", 2, 5, 1, StatusFinished); // across districts
        Add("B", "A", 3, 0, 0, StatusCancelled);
        Add("B", "A", 4, 2, 1, StatusFinished);
        Add("A", "B", 5, 0, 0, StatusBefore);
    }
    void Add(const char* h, const char* v, int day, int hs, int vs, uint8_t status) {
        AddGame(f, Game(h, v, 40000 + day).Score(hs, vs).State(status));
    }
};

} // namespace

TEST(DistrictStandings, FeedsEveryMatchForTheDistrictTeams) {
    TTwoDistricts s;
    auto st = BuildDistrictStandings(s.p, s.f, 0);
    ASSERT_TRUE(st);
    EXPECT_TRUE(st->ByWins);
    EXPECT_EQ(st->Calc->Count(), 2);
    const TTmRec& a = *st->Calc->FindTeam("A");
    EXPECT_EQ(a.Wins(), 2); // the win against C of the other district counts
    EXPECT_EQ(a.Losses(), 1);
    EXPECT_EQ(a.Remain(), 1);
    EXPECT_EQ(st->Finished, 5); // A 3, B 2
    EXPECT_EQ(st->Remaining, 2);
    EXPECT_EQ(st->CompletionRate(), 71);
    EXPECT_FALSE(st->AllPlayed());
    EXPECT_EQ(st->Calc->Items(0).Symbol, "A");
    EXPECT_FALSE(BuildDistrictStandings(s.p, s.f, 2));
    EXPECT_FALSE(BuildDistrictStandings(s.p, s.f, -1));
}

TEST(DistrictStandings, AsOfADayLaterResultsAreStillToPlay) {
    TTwoDistricts s;
    auto st = BuildDistrictStandings(s.p, s.f, 0, 40002.5);
    ASSERT_TRUE(st);
    const TTmRec& a = *st->Calc->FindTeam("A");
    EXPECT_EQ(a.Wins(), 2);
    EXPECT_EQ(a.Losses(), 0);
    EXPECT_EQ(a.Remain(), 2);     // the day-4 result and the day-5 game
    EXPECT_EQ(a.EntryCount(), 4); // the cancelled game of day 3 is left out
    EXPECT_EQ(days::WholeDay(st->Calc->GetKeyDates().LastResultDay), 40002);
}

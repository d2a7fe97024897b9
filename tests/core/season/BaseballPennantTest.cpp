#include "core/season/BaseballPennant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TTeam& AddTeam(TDistrict& d, const char* symbol, const char* shortName = "") {
    TTeam& t = d.GetTeam(d.AddTeam());
    t.SetSymbol(symbol);
    t.ShortName = shortName;
    return t;
}

} // namespace

TEST(TTeam, SetSymbolTrimsAndCutsToThreeBytes) {
    TTeam t;
    t.SetSymbol(" G ");
    EXPECT_EQ(t.Symbol, "G");
    t.SetSymbol("ABCD");
    EXPECT_EQ(t.Symbol, "ABC");
    t.SetSymbol("");
    EXPECT_EQ(t.Symbol, "");
    t.SetSymbol("\t\r\nNY \x01");
    EXPECT_EQ(t.Symbol, "NY");
    t.SetSymbol("  A B  ");
    EXPECT_EQ(t.Symbol, "A B"); // inner spaces stay
    t.SetSymbol("AB CD");
    EXPECT_EQ(t.Symbol, "AB"); // the cut must not leave a trailing space
}

TEST(TPennant, LookupsFollowSeasonOrderAndAreExact) {
    TPennant p;
    TLeague& central = p.GetLeague(p.AddLeague());
    central.DrawRule = 1;
    TDistrict& c0 = central.GetDistrict(central.AddDistrict());
    AddTeam(c0, "G", "Giants");
    TLeague& pacific = p.GetLeague(p.AddLeague());
    pacific.DrawRule = 2;
    TDistrict& p0 = pacific.GetDistrict(pacific.AddDistrict());
    AddTeam(p0, "L", "Lions");
    AddTeam(p0, "G", "Second G"); // duplicate symbol: the first in season order wins

    EXPECT_EQ(p.TeamBySymbol("G")->ShortName, "Giants");
    EXPECT_EQ(p.ShortNameBySymbol("L"), "Lions");
    EXPECT_EQ(p.DrawRuleBySymbol("L"), 2);
    EXPECT_EQ(p.DrawRuleBySymbol("G"), 1);

    // The index for many lookups finds what the walk finds.
    const TSymbolIndex index(p);
    for (const char* symbol : {"G", "L", "g", " G", "X", ""})
        EXPECT_EQ(index.Team(symbol), p.TeamBySymbol(symbol)) << symbol;

    EXPECT_EQ(p.TeamBySymbol("g"), nullptr);
    EXPECT_EQ(p.TeamBySymbol(" G"), nullptr);
    EXPECT_EQ(p.ShortNameBySymbol("X"), "");
    EXPECT_EQ(p.DrawRuleBySymbol("X"), 0);

    EXPECT_EQ(p.TotalDistrictCount(), 2);
    EXPECT_EQ(p.TotalTeamCount(), 3);
    TLeague* league = nullptr;
    TDistrict* district = nullptr;
    EXPECT_EQ(p.TeamAt(2, &league, &district)->ShortName, "Second G");
    EXPECT_EQ(league, &pacific);
    EXPECT_EQ(district, &p0);
    EXPECT_EQ(p.TeamAt(3), nullptr);
    EXPECT_EQ(p.TeamAt(-1), nullptr);
    EXPECT_EQ(p.DistrictAt(1, &league), &p0);
    EXPECT_EQ(p.DistrictAt(2), nullptr);
}

TEST(TPennant, DeleteRefusesOutOfRangeAndFreesChildren) {
    TPennant p;
    p.AddLeague();
    TLeague& second = p.GetLeague(p.AddLeague());
    second.Name = "second";
    AddTeam(second.GetDistrict(second.AddDistrict()), "X");

    EXPECT_FALSE(p.DeleteLeague(-1));
    EXPECT_FALSE(p.DeleteLeague(2));
    EXPECT_EQ(p.LeagueCount(), 2);
    EXPECT_TRUE(p.DeleteLeague(0));
    EXPECT_EQ(p.LeagueCount(), 1);
    EXPECT_EQ(p.GetLeague(0).Name, "second");
    EXPECT_TRUE(p.DeleteLeague(0));
    EXPECT_EQ(p.TeamBySymbol("X"), nullptr);

    TDistrict d;
    AddTeam(d, "A");
    EXPECT_FALSE(d.DeleteTeam(1));
    EXPECT_TRUE(d.DeleteTeam(0));
    EXPECT_EQ(d.TeamCount(), 0);
}

TEST(TPennant, SortsEachLevelByOrderKey) {
    TPennant p;
    for (int key : {3, -1, 2}) {
        TLeague& l = p.GetLeague(p.AddLeague());
        l.OrderKey = key;
        l.Name = std::to_string(key);
    }
    p.SortLeagues();
    EXPECT_EQ(p.GetLeague(0).Name, "-1");
    EXPECT_EQ(p.GetLeague(1).Name, "2");
    EXPECT_EQ(p.GetLeague(2).Name, "3");

    TLeague& l = p.GetLeague(0);
    for (int key : {5, 1}) {
        TDistrict& d = l.GetDistrict(l.AddDistrict());
        d.OrderKey = key;
        d.Name = std::to_string(key);
        TTeam& t2 = AddTeam(d, "B");
        t2.OrderKey = 2;
        TTeam& t1 = AddTeam(d, "A");
        t1.OrderKey = 1;
    }
    l.SortDistricts();
    EXPECT_EQ(l.GetDistrict(0).Name, "1");
    l.GetDistrict(0).SortTeams();
    EXPECT_EQ(l.GetDistrict(0).GetTeam(0).Symbol, "A");
}

// Adds, deletes at both ends and inside, and sorts, against a vector doing the
// same: every child keeps its address until it is deleted itself.
TEST(TPennant, ChildrenFollowAVectorAndKeepTheirAddresses) {
    TDistrict district;
    std::vector<const TTeam*> expected;
    auto same = [&] {
        ASSERT_EQ(district.TeamCount(), static_cast<int>(expected.size()));
        int i = 0;
        for (const TTeam& team : district.TeamList()) {
            ASSERT_EQ(&team, expected[static_cast<size_t>(i)]) << i;
            ASSERT_EQ(&district.GetTeam(i), &team) << i;
            ++i;
        }
    };
    for (int i = 0; i < 300; ++i) {
        TTeam& team = district.GetTeam(district.AddTeam());
        team.Name = "team name number " + std::to_string(i); // beyond a string's inline room
        expected.push_back(&team);
    }
    same();
    const TTeam& kept = district.GetTeam(150);
    EXPECT_FALSE(district.DeleteTeam(300));
    EXPECT_FALSE(district.DeleteTeam(-1));
    for (int i = 0; district.TeamCount() > 200; ++i) {
        int at = i % 3 == 0 ? 0 : i % 3 == 1 ? district.TeamCount() - 1 : district.TeamCount() / 3;
        ASSERT_TRUE(district.DeleteTeam(at));
        expected.erase(expected.begin() + at);
    }
    same();
    EXPECT_EQ(kept.Name, "team name number 150");

    // Descending keys given to ascending positions turn the list round.
    for (int i = 0; i < district.TeamCount(); ++i)
        district.GetTeam(i).OrderKey = -i;
    district.SortTeams();
    std::reverse(expected.begin(), expected.end());
    same();
    EXPECT_EQ(kept.Name, "team name number 150");

    // Deleting a league frees what it holds; the other leagues stay where they are.
    TPennant season;
    for (int l = 0; l < 20; ++l) {
        TLeague& league = season.GetLeague(season.AddLeague());
        TDistrict& d = league.GetDistrict(league.AddDistrict());
        for (int t = 0; t < l; ++t)
            d.AddTeam();
    }
    const TLeague* last = &season.GetLeague(19);
    EXPECT_EQ(season.TotalTeamCount(), 190);
    while (season.LeagueCount() > 1)
        season.DeleteLeague(0);
    EXPECT_EQ(&season.GetLeague(0), last);
    EXPECT_EQ(season.TotalTeamCount(), 19);
}

#include "core/rules/SetteiRules.h"
#include "core/base/SjisText.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"

#include <gtest/gtest.h>

namespace {
std::string U(const std::string& s) {
    return sjis::ToUtf8(s);
}
} // namespace

TEST(SetteiRules, ButtonsFollowCountsPositionAndGames) {
    TLevelButtons b = LevelButtons(TSetteiLevel::Team, 0, 2, false);
    EXPECT_FALSE(b.Prev);
    EXPECT_TRUE(b.Next);
    EXPECT_TRUE(b.Add);
    EXPECT_FALSE(b.Delete); // a district keeps two teams
    EXPECT_TRUE(b.Order);
    EXPECT_TRUE(LevelButtons(TSetteiLevel::Team, 2, 3, false).Delete);
    EXPECT_FALSE(LevelButtons(TSetteiLevel::Team, 2, 3, false).Next);
    EXPECT_TRUE(LevelButtons(TSetteiLevel::District, 1, 2, false).Delete);
    EXPECT_FALSE(LevelButtons(TSetteiLevel::League, 0, 1, false).Delete);
    EXPECT_FALSE(LevelButtons(TSetteiLevel::League, 0, 1, false).Order);

    const TLevelButtons frozen = LevelButtons(TSetteiLevel::League, 0, 5, true);
    EXPECT_FALSE(frozen.Add);
    EXPECT_FALSE(frozen.Delete);
    EXPECT_TRUE(frozen.Order); // reordering stays possible
}

TEST(SetteiRules, NewItemsHaveNumberedDefaults) {
    TPennant p;
    BuildTemplate(TemplateJapan, p);
    const int l = AddDefaultLeague(p);
    EXPECT_EQ(l, 2);
    const TLeague& league = p.GetLeague(l);
    EXPECT_EQ(U(league.Name), "リーグ名称3");
    ASSERT_EQ(league.DistrictCount(), 1);
    EXPECT_EQ(U(league.GetDistrict(0).Name), "地区名称1");
    ASSERT_EQ(league.GetDistrict(0).TeamCount(), 2);
    const TTeam& t2 = league.GetDistrict(0).GetTeam(1);
    EXPECT_EQ(U(t2.Name), "チーム正式名称2");
    EXPECT_EQ(U(t2.ShortName), "チーム略称2");
    EXPECT_EQ(t2.Symbol, "T2");
    EXPECT_EQ(t2.Color, 0);
    EXPECT_EQ(AddDefaultTeam(p.GetLeague(0).GetDistrict(0)), 6);
    EXPECT_EQ(p.GetLeague(0).GetDistrict(0).GetTeam(6).Symbol, "T7");
}

TEST(SetteiRules, SnapshotRestoresEverythingEditable) {
    TPennant p;
    BuildTemplate(TemplateMajor, p);
    p.Checker = "abcdefgh";
    p.GetLeague(0).GetDistrict(0).GetTeam(0).Picture = "{DEFAULT}nyy.bmp";
    const TSeasonSnapshot snap = TakeSnapshot(p);
    p.Contents = "x";
    p.Interleague = 0;
    p.Checker = "changed";
    p.GetLeague(1).RankRule = 1;
    p.GetLeague(0).GetDistrict(2).Name = "renamed";
    p.GetLeague(0).GetDistrict(0).GetTeam(0).SetSymbol("Q");
    p.DeleteLeague(0);
    AddDefaultLeague(p);
    RestoreSnapshot(snap, p);

    EXPECT_EQ(U(p.Contents), "メジャーリーグ２００Ｘ");
    EXPECT_EQ(p.Interleague, 1);
    EXPECT_EQ(p.Checker, "abcdefgh");
    ASSERT_EQ(p.LeagueCount(), 2);
    EXPECT_EQ(p.GetLeague(1).RankRule, 0);
    EXPECT_EQ(p.GetLeague(1).DrawRule, 2);
    EXPECT_EQ(U(p.GetLeague(0).GetDistrict(2).Name), "西部地区");
    EXPECT_EQ(p.GetLeague(0).GetDistrict(0).GetTeam(0).Symbol, "NYY");
    EXPECT_EQ(p.GetLeague(0).GetDistrict(0).GetTeam(0).Picture, "{DEFAULT}nyy.bmp");
    EXPECT_EQ(p.GetLeague(0).GetDistrict(0).GetTeam(1).Color, 3355647);
    EXPECT_EQ(p.TotalTeamCount(), 30);
}

TEST(SetteiRules, OrderKeysAndSorting) {
    EXPECT_EQ(OrderKeysFor({2, 0, 1}, 3), (std::vector<int>{1, 2, 0}));
    for (const std::vector<int>& broken : {std::vector<int>{0, 0, 1}, {0, 1}, {0, 1, 3}, {-1, 0, 1}})
        EXPECT_EQ(OrderKeysFor(broken, 3), (std::vector<int>{0, 1, 2})); // not a rearrangement: as it was

    TPennant p;
    BuildTemplate(TemplateJapan, p);
    TDistrict& d = p.GetLeague(0).GetDistrict(0);
    // Move the current team (index 4, 阪神) to the top.
    EXPECT_EQ(ApplyTeamOrder(d, {4, 0, 1, 2, 3, 5}, 4), 0);
    EXPECT_EQ(d.GetTeam(0).Symbol, "T");
    EXPECT_EQ(d.GetTeam(1).Symbol, "G");
    EXPECT_EQ(ApplyLeagueOrder(p, {1, 0}, 0), 1);
    EXPECT_EQ(p.GetLeague(0).GetDistrict(0).GetTeam(0).Symbol, "L");

    // Teams that share a name keep the order the user gave them.
    TDistrict& twins = p.GetLeague(0).GetDistrict(0);
    for (int i = 0; i < twins.TeamCount(); ++i)
        twins.GetTeam(i).Name = "同名";
    const std::string last = twins.GetTeam(5).Symbol, first = twins.GetTeam(0).Symbol;
    EXPECT_EQ(ApplyTeamOrder(twins, {5, 1, 2, 3, 4, 0}, 0), 5);
    EXPECT_EQ(twins.GetTeam(0).Symbol, last);
    EXPECT_EQ(twins.GetTeam(5).Symbol, first);
}

#include "core/season/SeasonTemplates.h"
#include "core/season/BaseballPennant.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

// What a new season relies on in each template: its shape, the rules of its
// leagues, and teams that a symbol tells apart. The names and colours are
// data; they are not restated here.
TEST(SeasonTemplates, ShapeRulesAndUniqueSymbols) {
    const struct {
        int Kind;
        uint8_t Interleague;
        uint8_t DrawRule;                   // every league's
        std::vector<std::vector<int>> Size; // teams by league and district
    } templates[] = {
        {TemplateJapan, 0, 0, {{6}, {6}}},
        {TemplateMajor, 1, 2, {{5, 5, 4}, {5, 6, 5}}},
        {TemplateOther, 0, 0, {{2}}},
    };
    for (const auto& expected : templates) {
        SCOPED_TRACE(expected.Kind);
        TPennant p;
        BuildTemplate(expected.Kind, p);
        EXPECT_FALSE(p.Contents.empty());
        EXPECT_EQ(p.Interleague, expected.Interleague);
        std::vector<std::vector<int>> size;
        for (int l = 0; l < p.LeagueCount(); ++l) {
            const TLeague& league = p.GetLeague(l);
            EXPECT_EQ(league.DrawRule, expected.DrawRule);
            EXPECT_EQ(league.RankRule, 0);
            EXPECT_EQ(league.OrderKey, 0);
            size.emplace_back();
            for (int d = 0; d < league.DistrictCount(); ++d) {
                size.back().push_back(league.GetDistrict(d).TeamCount());
                EXPECT_EQ(league.GetDistrict(d).OrderKey, 0);
            }
        }
        EXPECT_EQ(size, expected.Size);

        std::set<std::string> symbols;
        p.ForEachTeam([&](TLeague&, TDistrict&, TTeam& team) {
            const std::string symbol(team.Symbol);
            EXPECT_TRUE(symbols.insert(symbol).second) << symbol;
            EXPECT_EQ(p.TeamBySymbol(symbol), &team) << symbol;
            TTeam retyped; // a symbol the editor would keep as it is
            retyped.SetSymbol(symbol);
            EXPECT_EQ(std::string(retyped.Symbol), symbol);
            EXPECT_FALSE(symbol.empty());
            EXPECT_FALSE(std::string(team.Name).empty()) << symbol;
            EXPECT_FALSE(std::string(team.ShortName).empty()) << symbol;
            EXPECT_TRUE(team.Picture.empty()) << symbol;
            EXPECT_EQ(team.OrderKey, 0) << symbol;
        });
    }
}

// The minimal season's league and district have no names, so the view menus
// offer the season's title as their single entry.
TEST(SeasonTemplates, MinimalSeasonHasNoNames) {
    TPennant p;
    BuildTemplate(TemplateOther, p);
    ASSERT_EQ(p.LeagueCount(), 1);
    EXPECT_TRUE(p.GetLeague(0).Name.empty());
    EXPECT_TRUE(p.GetLeague(0).GetDistrict(0).Name.empty());
}

#include "core/season/SeasonTemplates.h"
#include "core/base/SjisText.h"
#include "core/season/BaseballPennant.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::string U(const std::string& s) {
    return sjis::ToUtf8(s);
}

// Every team of a season as "league/district/name/short/symbol/color".
std::vector<std::string> Teams(const TPennant& p) {
    std::vector<std::string> rows;
    p.ForEachTeam([&](TLeague& l, TDistrict& d, TTeam& t) {
        rows.push_back(U(l.Name) + "/" + U(d.Name) + "/" + U(t.Name) + "/" + U(t.ShortName) + "/" + t.Symbol + "/" +
                       std::to_string(t.Color));
        EXPECT_TRUE(t.Picture.empty());
        EXPECT_EQ(t.OrderKey, 0);
    });
    return rows;
}

} // namespace

TEST(SeasonTemplates, JapaneseProfessionalSeason) {
    TPennant p;
    BuildTemplate(TemplateJapan, p);
    EXPECT_EQ(U(p.Contents), "プロ野球２００Ｘ");
    EXPECT_EQ(p.Interleague, 0);
    ASSERT_EQ(p.LeagueCount(), 2);
    for (int l = 0; l < 2; ++l) {
        EXPECT_EQ(p.GetLeague(l).DrawRule, 0);
        EXPECT_EQ(p.GetLeague(l).RankRule, 0);
        EXPECT_EQ(p.GetLeague(l).DistrictCount(), 1);
    }
    const std::vector<std::string> expected = {
        "セントラルリーグ//読売ジャイアンツ/巨　　人/G/17919",
        "セントラルリーグ//ヤクルトスワローズ/ヤクルト/S/8421376",
        "セントラルリーグ//中日ドラゴンズ/中　　日/D/16711680",
        "セントラルリーグ//広島東洋カープ/広　　島/C/255",
        "セントラルリーグ//阪神タイガース/阪　　神/T/55295",
        "セントラルリーグ//横浜ベイスターズ/横　　浜/YB/8388608",
        "パシフィックリーグ//西武ライオンズ/西　　武/L/16776960",
        "パシフィックリーグ//福岡ダイエーホークス/ダイエー/H/17919",
        "パシフィックリーグ//大阪近鉄バッファローズ/近　　鉄/BU/3937500",
        "パシフィックリーグ//日本ハムファイターズ/日本ハム/F/9639167",
        "パシフィックリーグ//千葉ロッテマリーンズ/ロ　ッ　テ/M/13408767",
        "パシフィックリーグ//オリックスブルーウェーブ/オリックス/BW/8388608",
    };
    EXPECT_EQ(Teams(p), expected);
}

TEST(SeasonTemplates, MajorLeagueSeason) {
    TPennant p;
    BuildTemplate(TemplateMajor, p);
    EXPECT_EQ(U(p.Contents), "メジャーリーグ２００Ｘ");
    EXPECT_EQ(p.Interleague, 1);
    ASSERT_EQ(p.LeagueCount(), 2);
    EXPECT_EQ(U(p.GetLeague(0).Name), "アメリカンリーグ");
    EXPECT_EQ(U(p.GetLeague(1).Name), "ナショナルリーグ");
    std::vector<int> sizes;
    for (int l = 0; l < 2; ++l) {
        EXPECT_EQ(p.GetLeague(l).DrawRule, 2);
        EXPECT_EQ(p.GetLeague(l).RankRule, 0);
        for (int d = 0; d < 3; ++d)
            sizes.push_back(p.GetLeague(l).GetDistrict(d).TeamCount());
        EXPECT_EQ(U(p.GetLeague(l).GetDistrict(1).Name), "中部地区");
    }
    EXPECT_EQ(sizes, (std::vector<int>{5, 5, 4, 5, 6, 5}));
    const std::vector<std::string> teams = Teams(p);
    ASSERT_EQ(teams.size(), 30u);
    EXPECT_EQ(teams[0], "アメリカンリーグ/東部地区/ニューヨークヤンキース/ヤンキース/NYY/8421504");
    EXPECT_EQ(teams[13], "アメリカンリーグ/西部地区/テキサスレンジャーズ/レンジャーズ/TEX/3355647");
    EXPECT_EQ(teams[20], "ナショナルリーグ/中部地区/ヒューストンアストロズ/アストロズ/HOU/8421504");
    EXPECT_EQ(teams[25], "ナショナルリーグ/西部地区/アリゾナダイヤモンドバックス/ダイヤモンドバックス/ARI/3329330");
    EXPECT_EQ(teams[29], "ナショナルリーグ/西部地区/サンディエゴパドレス/パドレス/SD/11534350");
}

TEST(SeasonTemplates, MinimalSeason) {
    TPennant p;
    BuildTemplate(TemplateOther, p);
    EXPECT_EQ(U(p.Contents), "△△△リーグ２００Ｘ");
    EXPECT_EQ(p.Interleague, 0);
    EXPECT_EQ(Teams(p), (std::vector<std::string>{"//チーム１/Ｔ１/T1/255", "//チーム２/Ｔ２/T2/16711680"}));
}

#include "core/rules/MainRules.h"
#include "core/base/SjisText.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "tests/support/MatchBuilder.h"

#include <cctype>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> Captions(const std::vector<TViewMenuEntry>& entries) {
    std::vector<std::string> c;
    for (const auto& e : entries)
        c.push_back(sjis::ToUtf8(e.Caption) + "=" + std::to_string(e.Index));
    return c;
}

} // namespace

TEST(MainRules, MenusOfTheTemplates) {
    TPennant japan;
    BuildTemplate(TemplateJapan, japan);
    EXPECT_EQ(Captions(ScheduleMenuEntries(japan)),
              (std::vector<std::string>{"&1.セントラルリーグ=0", "&2.パシフィックリーグ=1"}));
    EXPECT_EQ(Captions(DistrictMenuEntries(japan)),
              (std::vector<std::string>{"&1.セントラルリーグ=0", "&2.パシフィックリーグ=1"}));

    TPennant major;
    BuildTemplate(TemplateMajor, major);
    const auto districts = Captions(DistrictMenuEntries(major));
    ASSERT_EQ(districts.size(), 6u);
    EXPECT_EQ(districts[0], "&1.アメリカンリーグ東部地区=0");
    EXPECT_EQ(districts[5], "&6.ナショナルリーグ西部地区=5");
    const auto teams = Captions(TeamMenuEntries(major));
    ASSERT_EQ(teams.size(), 30u);
    EXPECT_EQ(teams[0], "01.ニューヨークヤンキース(&1)=0");
    EXPECT_EQ(teams[8], "09.カンザスシティロイヤルズ(&9)=8");
    EXPECT_EQ(teams[9], "10.デトロイトタイガース(&A)=9");
    EXPECT_EQ(teams[29], "30.サンディエゴパドレス(&U)=29");

    // Past 35 teams the accelerators go round the letters and digits again.
    TDistrict& west = major.GetLeague(1).GetDistrict(2);
    for (int i = 0; i < 50; ++i)
        west.GetTeam(west.AddTeam()).Name = "X";
    const auto many = Captions(TeamMenuEntries(major));
    ASSERT_EQ(many.size(), 80u);
    EXPECT_EQ(many[34], "35.X(&Z)=34");
    EXPECT_EQ(many[35], "36.X(&1)=35");
    EXPECT_EQ(many[79], "80.X(&A)=79");
    for (const std::string& caption : many) {
        const char key = caption[caption.find("(&") + 2];
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(key)) || std::isupper(static_cast<unsigned char>(key)))
            << caption;
    }

    // A part of each list, as a group of a long menu asks for it, is that part of the whole list.
    using TSource = std::vector<TViewMenuEntry> (*)(const TPennant&, size_t, size_t);
    for (TSource source : {TSource(ScheduleMenuEntries), TSource(DistrictMenuEntries), TSource(TeamMenuEntries)}) {
        const auto whole = Captions(source(major, 0, SIZE_MAX));
        for (auto [first, end] :
             {std::pair<size_t, size_t>{0, 0}, {0, 1}, {1, 2}, {4, 7}, {5, 36}, {29, 200}, {80, 90}}) {
            const size_t from = std::min(first, whole.size()), to = std::min(end, whole.size());
            EXPECT_EQ(Captions(source(major, first, end)),
                      std::vector<std::string>(whole.begin() + long(from), whole.begin() + long(to)))
                << first << "-" << end;
        }
    }

    TPennant other;
    BuildTemplate(TemplateOther, other);
    EXPECT_EQ(Captions(ScheduleMenuEntries(other)), (std::vector<std::string>{"&1.△△△リーグ２００Ｘ=0"}));
    EXPECT_TRUE(ScheduleMenuEntries(other, 1, 2).empty());
    EXPECT_TRUE(DistrictMenuEntries(other, 1, 2).empty());
    EXPECT_EQ(Captions(DistrictMenuEntries(other)), (std::vector<std::string>{"&1.△△△リーグ２００Ｘ=0"}));
}

TEST(MainRules, OneUnnamedLeagueWithTwoDistricts) {
    TPennant p;
    BuildTemplate(TemplateOther, p);
    TDistrict& second = p.GetLeague(0).GetDistrict(p.GetLeague(0).AddDistrict());
    second.Name = sjis::S("西地区");
    EXPECT_EQ(Captions(ScheduleMenuEntries(p)), (std::vector<std::string>{"&1.△△△リーグ２００Ｘ=0"}));
    EXPECT_EQ(Captions(DistrictMenuEntries(p)), (std::vector<std::string>{"&1.=0", "&2.西地区=1"}));
}

TEST(MainRules, CaptionAndStates) {
    EXPECT_EQ(MainCaption(nullptr), "タブローラ");
    TPennant p;
    p.Contents = sjis::S("プロ野球２００Ｘ");
    EXPECT_EQ(MainCaption(&p), "タブローラ   【 プロ野球２００Ｘ 】");

    const TCommandStates none = CommandStates(false, false, false);
    EXPECT_FALSE(none.Save || none.SeasonCommands || none.Views);
    const TCommandStates fresh = CommandStates(true, false, false);
    EXPECT_FALSE(fresh.Save);
    EXPECT_TRUE(fresh.SeasonCommands);
    EXPECT_FALSE(fresh.Views);
    const TCommandStates saved = CommandStates(true, true, true);
    EXPECT_TRUE(saved.Save && saved.SeasonCommands && saved.Views);
}

TEST(MainRules, ResultsStartAtTheFirstUnplayedGame) {
    TFight f;
    auto add = [&](double day, uint8_t status) { AddGame(f, Game("G", "T", day).State(status)); };
    EXPECT_EQ(ResultsStartDay(f, 45000), 45000); // no games: today
    add(40000, StatusFinished);
    add(40001, StatusCancelled);
    EXPECT_EQ(ResultsStartDay(f, 45000), 45000); // every game has a result
    add(2958465, StatusBefore);
    EXPECT_EQ(ResultsStartDay(f, 45000), 2958465); // only undecided games remain
    add(40002, StatusBefore);
    f.SortMatches();
    EXPECT_EQ(ResultsStartDay(f, 45000), 40002);
}

TEST(MainRules, ChildWindowsCascadeInsideTheWorkspace) {
    struct TCase {
        int Position, Width, Height;
        TChildBox Expected;
    };
    // A 600 × 400 workspace, title bars 24 high: positions 0 to 8 before the cascade starts again.
    const TCase cases[] = {
        {0, 300, 200, {0, 0, 300, 200}},     // fits: its own size, at the top-left
        {2, 300, 200, {48, 48, 300, 200}},   // one title bar further per window
        {0, 800, 500, {0, 0, 600, 400}},     // larger than the workspace: sized down to it
        {3, 567, 413, {72, 72, 528, 328}},   // the rank transition window by a small main window
        {8, 300, 300, {192, 192, 300, 208}}, // the last position before half the workspace
        {9, 300, 300, {0, 0, 300, 300}},     // starts again at the top-left
        {11, 300, 300, {48, 48, 300, 300}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(CascadeBox(c.Position, 24, c.Width, c.Height, 600, 400), c.Expected) << c.Position;
    // A workspace smaller than a title bar still gets a window of at least a pixel.
    EXPECT_EQ(CascadeBox(5, 24, 300, 200, 10, 0), (TChildBox{0, 0, 10, 1}));
}

#include "core/rules/EntryRules.h"
#include "core/base/DayNumber.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "tests/support/MatchBuilder.h"

#include <gtest/gtest.h>

namespace {

const double kDay = days::Encode(2026, 4, 1);

struct TJapan {
    TPennant Pennant;
    TFight Fight;
    std::vector<TTeamItem> Teams;
    TJapan() {
        BuildTemplate(TemplateJapan, Pennant);
        Teams = BuildTeamList(Pennant);
    }
    TMatchRec& Stored(const char* h, const char* v, double day, uint8_t status = StatusBefore, int no = 0) {
        return AddGame(Fight, Game(h, v, day).State(status).Number(no));
    }
};

TScheduleEntry Row(const char* h, const char* v, double day = kDay) {
    TScheduleEntry e = NewScheduleEntry(day, day);
    e.Match.HomeSymbol.Set(h);
    e.Match.VisitorSymbol.Set(v);
    return e;
}

std::string Day(const TFight& f, double day) {
    std::string s;
    for (const TMatchRec& m : GamesOn(f, day))
        s += m.HomeSymbol.Text() + "-" + m.VisitorSymbol.Text() + "#" + std::to_string(m.GameNo) + " ";
    return s;
}

} // namespace

TEST(EntryRules, TeamList) {
    TJapan j;
    ASSERT_EQ(j.Teams.size(), 12u);
    EXPECT_EQ(j.Teams[6].Symbol, "L");
    EXPECT_EQ(j.Teams[6].LeagueIndex, 1);
    EXPECT_EQ(TeamIndexOf(j.Teams, "YB"), 5);
    EXPECT_EQ(TeamIndexOf(j.Teams, "yb"), -1);
    EXPECT_EQ(TeamIndexOf(j.Teams, ""), -1);
}

TEST(EntryRules, ValidationNamesTheRow) {
    TJapan j;
    std::vector<TScheduleEntry> rows = {Row("G", "T"), Row("", ""), Row("C", "")};
    auto error = ValidateSchedule(rows, j.Teams, false);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Text(), "3番目:ビジターチームの内容に誤りがあります。");
    rows[2] = Row("", "C");
    EXPECT_EQ(ValidateSchedule(rows, j.Teams, false)->Text(), "3番目:ホームチームの内容に誤りがあります。");
    rows[2] = Row("C", "C");
    EXPECT_EQ(ValidateSchedule(rows, j.Teams, false)->Text(), "3番目:ホームチームとビジターチームが同じです。");
    rows[2] = Row("XX", "C");
    EXPECT_EQ(ValidateSchedule(rows, j.Teams, false)->Text(), "3番目:ホームチームの内容に誤りがあります。");
    rows[2] = Row("G", "L"); // Central against Pacific
    EXPECT_EQ(ValidateSchedule(rows, j.Teams, false)->Text(), "3番目:リーグが異なるチームの対戦です。");
    EXPECT_FALSE(ValidateSchedule(rows, j.Teams, true)); // allowed with interleague games
}

TEST(EntryRules, RegisteringAnEmptyDayStillSortsAndMarks) {
    TJapan j;
    j.Stored("T", "G", kDay + 1);
    j.Stored("G", "T", kDay);
    std::vector<TScheduleEntry> rows(6, NewScheduleEntry(kDay + 5, kDay));
    RegisterSchedule(j.Pennant, j.Fight, rows, kDay + 5, j.Teams);
    EXPECT_EQ(j.Fight.MatchCount(), 2);
    EXPECT_EQ(j.Fight.GetMatch(0).HomeSymbol.Text(), "G"); // sorted
    EXPECT_EQ(j.Pennant.Modified, 1);
}

TEST(EntryRules, DayIsNumberedBySeasonOrder) {
    TJapan j;
    std::vector<TScheduleEntry> rows = {Row("T", "S"), Row("G", "D"), Row("T", "C"), Row("", "")};
    RegisterSchedule(j.Pennant, j.Fight, rows, kDay, j.Teams);
    EXPECT_EQ(Day(j.Fight, kDay), "G-D#1 T-S#2 T-C#3 "); // T's two games in row order
}

TEST(EntryRules, DeletedAndMovedGames) {
    TJapan j;
    j.Stored("G", "D", kDay + 2, StatusBefore, 1); // the target day's own game
    std::vector<TScheduleEntry> rows = {Row("T", "S"), Row("C", "YB"), Row("S", "G"), Row("D", "T"), Row("YB", "C")};
    for (auto& r : rows)
        r.Loaded = true;
    rows[0].DeleteFlag = true;
    rows[1].ChangeDate = true;
    rows[1].NewDate = kDay + 2;
    rows[2].ChangeDate = true;
    rows[2].NewDate = kDay + 2;
    rows[3].ChangeDate = true;
    rows[3].DateUndecided = true;
    RegisterSchedule(j.Pennant, j.Fight, rows, kDay, j.Teams);
    EXPECT_EQ(Day(j.Fight, kDay), "YB-C#1 ");
    // Both moved games arrive behind the day's game and are numbered with it.
    EXPECT_EQ(Day(j.Fight, kDay + 2), "G-D#1 S-G#2 C-YB#3 ");
    EXPECT_EQ(Day(j.Fight, days::UndecidedDate), "D-T#1 ");
    EXPECT_EQ(days::WholeDay(j.Fight.GetMatch(j.Fight.MatchCount() - 1).GameDate), 2958465);
    for (const auto& r : rows)
        EXPECT_FALSE(r.ChangeDate);
}

TEST(EntryRules, FinishedGamesPassThrough) {
    TJapan j;
    TMatchRec& done = j.Stored("T", "G", kDay, StatusFinished, 1);
    done.HomeScore = 4;
    done.VisitorScore = 2;
    std::vector<TScheduleEntry> rows = {Row("C", "S"), Row("T", "G")};
    rows[1].Loaded = true;
    rows[1].Match = done;
    RegisterSchedule(j.Pennant, j.Fight, rows, kDay, j.Teams);
    const std::vector<TMatchRec> games = GamesOn(j.Fight, kDay);
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].HomeSymbol.Text(), "C"); // renumbered: C before T
    EXPECT_EQ(games[1].Status, StatusFinished);
    EXPECT_EQ(games[1].HomeScore, 4);
    EXPECT_EQ(games[1].GameNo, 2);
}

TEST(EntryRules, Scores) {
    EXPECT_EQ(ScoreFromText("3"), 3);
    EXPECT_EQ(ScoreFromText(" 12 "), 12);
    EXPECT_EQ(ScoreFromText("120"), 99);
    EXPECT_EQ(ScoreFromText("99999999999999999999"), 99);
    EXPECT_EQ(ScoreFromText("-5"), 0);
    EXPECT_EQ(ScoreFromText("a"), 0);
    EXPECT_EQ(ScoreFromText("3a"), 0);
    EXPECT_EQ(ScoreFromText(""), 0);
}

TEST(EntryRules, MakeUpRules) {
    TResultEntry r;
    r.Match.Status = StatusBefore;
    r.NewState = StatusFinished;
    r.Match.HomeScore = r.Match.VisitorScore = 5;
    EXPECT_FALSE(MakeUpDue(r, 0)); // draws stand
    EXPECT_TRUE(MakeUpDue(r, 1));
    EXPECT_TRUE(MakeUpDue(r, 2));
    r.NoMakeUp = true;
    EXPECT_FALSE(MakeUpDue(r, 1));
    r.NoMakeUp = false;
    r.Match.Status = StatusFinished; // already a result when loaded
    EXPECT_FALSE(MakeUpDue(r, 1));
    r.NewState = StatusCancelled;
    EXPECT_TRUE(MakeUpDue(r, 0));
    r.Match.Status = StatusCancelled; // loaded as cancelled: no second make-up
    EXPECT_FALSE(MakeUpDue(r, 0));
}

TEST(EntryRules, ResultsWithMakeUpGames) {
    TJapan j;
    TMatchRec& rained = j.Stored("T", "G", kDay, StatusBefore, 2);
    TMatchRec& drawn = j.Stored("C", "S", kDay, StatusBefore, 1);
    TMatchRec& played = j.Stored("L", "H", kDay, StatusBefore, 3);
    j.Stored("S", "D", days::UndecidedDate, StatusBefore, 1);
    j.Stored("YB", "D", kDay + 3, StatusBefore, 1);
    j.Pennant.GetLeague(0).DrawRule = 1; // Central draws are replayed
    auto row = [&](TMatchRec& m) {
        TResultEntry e;
        e.LiveMatch = &m;
        e.Match = m;
        e.MakeUpDate = kDay;
        return e;
    };
    std::vector<TResultEntry> rows = {row(rained), row(drawn), row(played)};
    rows[0].NewState = StatusCancelled; // make-up on the undecided date
    rows[1].NewState = StatusFinished;
    rows[1].Match.HomeScore = rows[1].Match.VisitorScore = 3;
    rows[1].MakeUpUndecided = false;
    rows[1].MakeUpDate = kDay + 3; // make-up joins a day that has games
    rows[2].NewState = StatusFinished;
    rows[2].Match.HomeScore = 2;
    RegisterResults(j.Pennant, j.Fight, rows, 46000.5);

    EXPECT_EQ(j.Fight.LastUpdate, 46000.5);
    EXPECT_EQ(j.Pennant.Modified, 1);
    const auto today = GamesOn(j.Fight, kDay);
    ASSERT_EQ(today.size(), 3u);
    EXPECT_EQ(today[1].HomeSymbol.Text(), "T");
    EXPECT_EQ(today[1].Status, StatusCancelled); // stays on its day
    EXPECT_EQ(Day(j.Fight, days::UndecidedDate), "S-D#1 T-G#2 ");
    EXPECT_EQ(Day(j.Fight, kDay + 3), "C-S#1 YB-D#2 ");
    EXPECT_EQ(GamesOn(j.Fight, kDay + 3)[0].Status, StatusBefore);
    EXPECT_EQ(GamesOn(j.Fight, kDay + 3)[0].HomeScore, 0);
    EXPECT_EQ(j.Fight.MatchCount(), 7);
}

TEST(EntryRules, ConfirmationText) {
    EXPECT_EQ(ConfirmText(kDay), "2026/04/01のデータを\r\n登録しますか？");
    EXPECT_EQ(ConfirmText(days::UndecidedDate), "試合日未定データを\r\n登録しますか？");
}

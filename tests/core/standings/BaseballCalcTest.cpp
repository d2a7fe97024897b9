#include "core/standings/BaseballCalc.h"
#include "core/base/SjisText.h"
#include "tests/support/MatchBuilder.h"

#include <gtest/gtest.h>

namespace {

const double kDay = 37712;

TMatchRec Match(const char* home, const char* visitor, int homeScore, int visitorScore, double day = kDay,
                uint8_t status = StatusFinished) {
    return Game(home, visitor, day).Score(homeScore, visitorScore).State(status);
}

TMatchRec Unplayed(const char* home, const char* visitor, double day = kDay) {
    return Match(home, visitor, 0, 0, day, StatusBefore);
}

// Feeds `wins` wins and `losses` losses for `team` against an outside opponent.
void Record(TRkCalc& c, const char* team, int wins, int losses, int draws = 0) {
    for (int i = 0; i < wins; ++i)
        c.AddMatch(Match(team, "ZZ", 2, 1));
    for (int i = 0; i < losses; ++i)
        c.AddMatch(Match(team, "ZZ", 1, 2));
    for (int i = 0; i < draws; ++i)
        c.AddMatch(Match(team, "ZZ", 1, 1));
}

std::string U(const std::string& s) {
    return sjis::ToUtf8(s);
}

} // namespace

TEST(TRkCalc, FeedingCountsBothSides) {
    TRkCalc c;
    c.AddTeam("A");
    c.AddTeam("B");
    c.AddMatch(Match("A", "B", 5, 3));
    c.AddMatch(Match("B", "A", 4, 4, kDay + 1));
    c.AddMatch(Match("B", "A", 9, 0, kDay + 2, StatusCancelled));
    c.AddMatch(Unplayed("A", "B", kDay + 3));
    c.AddMatch(Match("A", "X", -2, 1, kDay + 4)); // scores are signed bytes

    const TTmRec& a = *c.FindTeam("A");
    EXPECT_EQ(a.Home.Games, 2);
    EXPECT_EQ(a.Home.Wins, 1);
    EXPECT_EQ(a.Home.Losses, 1);
    EXPECT_EQ(a.Home.Remain, 1);
    EXPECT_EQ(a.Home.RunsFor, 3);
    EXPECT_EQ(a.Home.RunsAgainst, 4);
    EXPECT_EQ(a.Visitor.Games, 1);
    EXPECT_EQ(a.Visitor.Draws, 1);
    EXPECT_EQ(a.Visitor.RunsFor, 4);
    EXPECT_EQ(a.Visitor.Remain, 0);
    EXPECT_EQ(a.EntryCount(), 5); // cancelled and unplayed games are listed too
    EXPECT_EQ(a.Entries(2).Status, StatusCancelled);
    EXPECT_EQ(a.Entries(2).IsVisitor, 1u);
    EXPECT_EQ(a.Entries(2).Opponent, "B");
    EXPECT_EQ(a.Entries(2).OwnScore, 0);
    EXPECT_EQ(a.Entries(2).OppScore, 9);

    const TTmRec& b = *c.FindTeam("B");
    EXPECT_EQ(b.Visitor.Losses, 1);
    EXPECT_EQ(b.Home.Draws, 1);
    EXPECT_EQ(b.Visitor.Remain, 1);
    EXPECT_EQ(b.EntryCount(), 4); // the game against X is not B's
    EXPECT_EQ(c.FindTeam("X"), nullptr);
    EXPECT_EQ(c.FindTeam("a"), nullptr);
}

// Few teams are walked, many are hashed: either way a shared symbol feeds the
// first team in list order, before and after ranking reorders the list.
TEST(TRkCalc, LookupsAgreeForFewAndManyTeams) {
    for (int teams : {3, 40}) {
        TRkCalc c;
        for (int t = 0; t < teams; ++t)
            c.AddTeam("T" + std::to_string(t));
        const int twin = c.AddTeam("T1");
        c.AddMatch(Match("T1", "T2", 3, 1));
        EXPECT_EQ(c.FindTeam("T1"), &c.Items(1)) << teams;
        EXPECT_EQ(c.Items(twin).EntryCount(), 0) << teams;
        EXPECT_EQ(c.FindTeam("T1234"), nullptr);
        c.Rank(false); // T1 moves to the top, its twin stays below
        EXPECT_EQ(c.FindTeam("T1"), &c.Items(0)) << teams;
        c.AddMatch(Match("T2", "T1", 0, 1));
        EXPECT_EQ(c.Items(0).Wins(), 2) << teams;
        EXPECT_EQ(c.FindTeam("T2")->Losses(), 2) << teams;
    }
}

TEST(TRkCalc, WinRateIgnoresDrawsAndDoesNotOverflow) {
    TRkCalc c;
    c.AddTeam("N");
    c.AddTeam("D");
    c.AddTeam("H");
    Record(c, "D", 0, 0, 3);
    EXPECT_EQ(c.FindTeam("N")->WinRate(), 0);
    EXPECT_EQ(c.FindTeam("D")->WinRate(), 0);
    Record(c, "H", 3000, 1000, 5);
    EXPECT_EQ(c.FindTeam("H")->WinRate(), 750000);
    TTmRec third;
    third.Home.Wins = 1;
    third.Home.Games = 3;
    EXPECT_EQ(third.WinRate(), 333333);
}

TEST(TRkCalc, RankByWinRate) {
    TRkCalc c;
    c.AddTeam("S"); // 3-1
    c.AddTeam("L"); // 6-2
    c.AddTeam("Z"); // nothing played
    c.AddTeam("Q"); // 0-0-2: rate 0 like Z but more draws
    Record(c, "S", 3, 1);
    Record(c, "L", 6, 2);
    Record(c, "Q", 0, 0, 2);
    c.Rank(false);
    EXPECT_EQ(c.Items(0).Symbol, "L");
    EXPECT_EQ(c.Items(1).Symbol, "S");
    EXPECT_EQ(c.Items(1).RankNo, 1); // equal rates share the rank
    EXPECT_EQ(c.Items(1).BehindPrev, 10);
    EXPECT_EQ(c.Items(1).BehindTop, 10);
    EXPECT_EQ(c.Items(2).Symbol, "Q");
    EXPECT_EQ(c.Items(2).RankNo, 3);
    EXPECT_EQ(c.Items(3).Symbol, "Z");
    EXPECT_EQ(c.Items(3).RankNo, 3);
    EXPECT_EQ(c.Items(3).BehindTop, (6 - 0 + 0 - 2) * 5);

    // Losses break a tie in rate and wins.
    TRkCalc t;
    t.AddTeam("M");
    t.AddTeam("F");
    Record(t, "M", 0, 2);
    Record(t, "F", 0, 1);
    t.Rank(false);
    EXPECT_EQ(t.Items(0).Symbol, "F");
}

TEST(TRkCalc, NegativeGamesBehind) {
    TRkCalc c;
    c.AddTeam("B");
    c.AddTeam("A");
    Record(c, "A", 1, 0);
    Record(c, "B", 10, 2);
    c.Rank(false);
    EXPECT_EQ(c.Items(0).Symbol, "A");
    EXPECT_EQ(c.Items(1).BehindTop, -35);
    EXPECT_EQ(c.Items(1).BehindPrev, -35);
    EXPECT_EQ(c.Items(1).RankNo, 2);
}

TEST(TRkCalc, RankByWins) {
    TRkCalc c;
    for (const char* s : {"A", "B", "C", "D"})
        c.AddTeam(s);
    Record(c, "A", 5, 5);  // 5 wins .500
    Record(c, "B", 10, 2); // 10 wins .833
    Record(c, "C", 5, 5);  // ties A
    Record(c, "D", 5, 1);  // 5 wins, better rate than A and C
    c.Rank(true);
    EXPECT_EQ(c.Items(0).Symbol, "B");
    EXPECT_EQ(c.Items(1).Symbol, "D");
    EXPECT_EQ(c.Items(1).RankNo, 2);
    EXPECT_EQ(c.Items(1).BehindTop, 50);
    EXPECT_EQ(c.Items(1).BehindPrev, 50);
    EXPECT_EQ(c.Items(2).RankNo, 3); // equal wins, different rate: its own rank
    EXPECT_EQ(c.Items(2).BehindPrev, 0);
    EXPECT_EQ(c.Items(3).RankNo, 3); // equal wins and rate: shared rank
    EXPECT_EQ(c.Items(3).BehindPrev, 0);
    EXPECT_EQ(c.Items(3).BehindTop, 50);

    // Ranking again by the other rule re-sorts the same records.
    c.Rank(false);
    EXPECT_EQ(c.Items(0).Symbol, "B");
    EXPECT_EQ(c.Items(1).Symbol, "D");
    EXPECT_EQ(c.Items(1).RankNo, 1); // same rate as B (.833)
    EXPECT_EQ(c.Items(2).RankNo, 3);
}

TEST(TRkCalc, KeyDates) {
    TRkCalc c;
    c.AddTeam("A");
    c.AddTeam("B");
    EXPECT_EQ(c.GetKeyDates().LastGameDay, 0);
    c.AddMatch(Match("A", "X", 1, 0, kDay + 0.5));
    c.AddMatch(Match("A", "X", 1, 0, kDay + 0.75)); // same day again
    c.AddMatch(Match("B", "X", 0, 0, kDay + 3, StatusCancelled));
    c.AddMatch(Match("B", "X", 1, 0, kDay + 2));
    c.AddMatch(Unplayed("B", "X", kDay + 9));
    const TKeyDates k = c.GetKeyDates();
    EXPECT_EQ(k.LastResultDay, kDay + 3); // cancelled games are results here
    EXPECT_EQ(k.PrevResultDay, kDay + 2);
    EXPECT_EQ(k.LastGameDay, kDay + 9);

    // A game between two of the teams sits in both their lists: met again in
    // the second list, the last day must not push out the previous one.
    TRkCalc derby;
    derby.AddTeam("A");
    derby.AddTeam("B");
    derby.AddMatch(Match("A", "X", 1, 0, kDay));
    derby.AddMatch(Match("B", "X", 1, 0, kDay + 1));
    derby.AddMatch(Match("A", "B", 2, 1, kDay + 2));
    const TKeyDates d = derby.GetKeyDates();
    EXPECT_EQ(d.LastResultDay, kDay + 2);
    EXPECT_EQ(d.PrevResultDay, kDay + 1);
}

TEST(TTmRec, DayResultMarks) {
    TRkCalc c;
    c.AddTeam("A");
    c.AddMatch(Match("A", "B", 3, 1));
    c.AddMatch(Match("C", "A", 5, 2)); // double-header: won, then lost
    c.AddMatch(Match("A", "D", 2, 2, kDay + 1));
    c.AddMatch(Match("A", "E", 0, 0, kDay + 2, StatusCancelled));
    c.AddMatch(Unplayed("A", "F", kDay + 3));
    c.AddMatch(Unplayed("G", "A", kDay + 3));
    const TTmRec& a = *c.FindTeam("A");
    EXPECT_EQ(U(a.DayResult(kDay + 0.9).Marks), "○●");
    EXPECT_EQ(a.DayResult(kDay).Opponent, "C");
    EXPECT_EQ(U(a.DayResult(kDay + 1).Marks), "△");
    EXPECT_EQ(U(a.DayResult(kDay + 2).Marks), "中止");
    EXPECT_EQ(U(a.DayResult(kDay + 3).Marks), "ホビ");
    EXPECT_EQ(U(a.DayResult(kDay + 4).Marks), "－");
    EXPECT_EQ(U(a.DayResult(kDay + 4).Opponent), "－");
}

TEST(TTmRec, StreaksIgnoreDrawsAndSplitByPlace) {
    TRkCalc c;
    c.AddTeam("A");
    c.AddMatch(Match("A", "X", 1, 0)); // home W
    c.AddMatch(Match("X", "A", 0, 1)); // away W
    c.AddMatch(Match("A", "X", 1, 1)); // draw: no effect
    c.AddMatch(Match("A", "X", 0, 0, kDay, StatusCancelled));
    c.AddMatch(Match("A", "X", 1, 0)); // home W -> 3 straight
    c.AddMatch(Match("X", "A", 5, 0)); // away L
    c.AddMatch(Match("X", "A", 5, 0)); // away L
    c.AddMatch(Match("A", "X", 3, 2)); // home W
    const TStreaks s = c.FindTeam("A")->GetStreaks();
    EXPECT_EQ(s.WinMax, 3);
    EXPECT_EQ(s.WinNow, 1);
    EXPECT_EQ(s.LoseMax, 2);
    EXPECT_EQ(s.LoseNow, 0);
    EXPECT_EQ(s.HomeWinMax, 3);
    EXPECT_EQ(s.HomeWinNow, 3);
    EXPECT_EQ(s.HomeLoseMax, 0);
    EXPECT_EQ(s.VisitorWinMax, 1);
    EXPECT_EQ(s.VisitorWinNow, 0);
    EXPECT_EQ(s.VisitorLoseMax, 2);
    EXPECT_EQ(s.VisitorLoseNow, 2);
}

TEST(TTmRec, VersusCountsOnlyThatOpponent) {
    TRkCalc c;
    c.AddTeam("A");
    c.AddMatch(Match("A", "B", 4, 1));
    c.AddMatch(Match("B", "A", 2, 1));
    c.AddMatch(Match("B", "A", 3, 3));
    c.AddMatch(Match("A", "C", 9, 0));
    c.AddMatch(Unplayed("A", "B"));
    c.AddMatch(Unplayed("B", "A"));
    c.AddMatch(Unplayed("B", "A"));
    c.AddMatch(Match("A", "B", 0, 0, kDay, StatusCancelled));
    const TVersus v = c.FindTeam("A")->GetVersus("B");
    EXPECT_EQ(v.Home.Games, 1);
    EXPECT_EQ(v.Home.Wins, 1);
    EXPECT_EQ(v.Home.RunsFor, 4);
    EXPECT_EQ(v.Home.RunsAgainst, 1);
    EXPECT_EQ(v.Home.Remain, 1);
    EXPECT_EQ(v.Visitor.Games, 2);
    EXPECT_EQ(v.Visitor.Losses, 1);
    EXPECT_EQ(v.Visitor.Draws, 1);
    EXPECT_EQ(v.Visitor.RunsFor, 4);
    EXPECT_EQ(v.Visitor.RunsAgainst, 5);
    EXPECT_EQ(v.Visitor.Remain, 2);
    EXPECT_EQ(v.WinMax, 1);
    EXPECT_EQ(v.LoseNow, 1);
    EXPECT_EQ(v.VisitorLoseMax, 1);
    EXPECT_EQ(c.FindTeam("A")->GetVersus("b").Home.Games, 0);
}

TEST(TTmRec, ConditionLevelWeighsTheLastTenGames) {
    auto level = [](const std::vector<int>& results) { // 1 win, 0 draw, -1 loss, oldest first
        TRkCalc c;
        c.AddTeam("A");
        for (int r : results)
            c.AddMatch(Match("A", "X", r > 0 ? 2 : 1, r < 0 ? 2 : 1));
        c.AddMatch(Match("A", "X", 0, 0, kDay, StatusCancelled)); // never counts
        return c.FindTeam("A")->ConditionLevel();
    };
    EXPECT_EQ(level({}), 6);                                      // 55: all missing count as draws
    EXPECT_EQ(level(std::vector<int>(10, 1)), 11);                // 110
    EXPECT_EQ(level(std::vector<int>(10, -1)), 1);                // 0
    EXPECT_EQ(level(std::vector<int>(12, 1)), 11);                // only ten count
    EXPECT_EQ(level({1}), 7);                                     // 20 + 45 = 65
    EXPECT_EQ(level({-1}), 5);                                    // 0 + 45
    EXPECT_EQ(level({1, -1, -1, -1, -1, -1, -1, -1, -1, -1}), 1); // oldest weighs 1: sum 2
    EXPECT_EQ(level({-1, 1, 1, 1, 1, 1, 1, 1, 1, 1}), 11);        // 110 - 2 = 108
    // Around the wide band of level 6 (50 to 60): draws everywhere, with one
    // result at weight 6 (the sixth game from the oldest) or weight 5.
    EXPECT_EQ(level({0, 0, 0, 0, 0, 1, 0, 0, 0, 0}), 7);  // 61
    EXPECT_EQ(level({0, 0, 0, 0, 1, 0, 0, 0, 0, 0}), 6);  // 60
    EXPECT_EQ(level({0, 0, 0, 0, -1, 0, 0, 0, 0, 0}), 6); // 50
    EXPECT_EQ(level({0, 0, 0, 0, 0, -1, 0, 0, 0, 0}), 5); // 49
}

TEST(MagicVersus, WorkedExample) {
    // T 80-50 with 10 left, X 75-55 with 10 left, 2 between them.
    EXPECT_EQ(MagicVersus({130, 80, 10}, {130, 75, 10}, 2, false), 6);
    EXPECT_EQ(MagicVersus({130, 80, 10}, {130, 75, 10}, 2, true), 6);
}

TEST(MagicVersus, ClinchedAndHopeless) {
    EXPECT_EQ(MagicVersus({140, 90, 0}, {130, 70, 10}, 0, false), 0);
    EXPECT_EQ(MagicVersus({140, 70, 0}, {130, 80, 10}, 0, false), -1);
    EXPECT_EQ(MagicVersus({10, 5, 2}, {10, 5, 2}, 3, false), -1); // more games against X than left
    // Equal final rates do not clinch.
    EXPECT_EQ(MagicVersus({10, 5, 0}, {10, 5, 0}, 0, false), -1);
    // Nothing played, nothing left.
    EXPECT_EQ(MagicVersus({0, 0, 0}, {0, 0, 0}, 0, false), -1);
    // By wins, a better rate is not enough without the wins.
    EXPECT_EQ(MagicVersus({10, 9, 0}, {40, 20, 0}, 0, true), -1);
    EXPECT_EQ(MagicVersus({10, 9, 0}, {40, 20, 0}, 0, false), 0);
}

TEST(MagicVersus, AgreesWithTheRuleOnEverySmallCase) {
    // The rule itself, n from c - d down to 0, against the shortcut.
    auto slow = [](int a, int b, int c, int g, int f, int e, int d, bool byWins) {
        long long h = g + e == 0 ? 0 : (long long)(f + e) * 1000000 / (g + e);
        int found = -1;
        for (int n = c - d; n >= 0; --n) {
            long long l = a + c == 0 ? 0 : (long long)(b + n) * 1000000 / (a + c);
            if (l > h && (!byWins || b + n >= f + e))
                found = n;
        }
        return found;
    };
    int checked = 0;
    for (int a = 0; a <= 6; ++a)
        for (int b = 0; b <= a; ++b)
            for (int c = 0; c <= 5; ++c)
                for (int g = 0; g <= 6; g += 2)
                    for (int f = 0; f <= g; ++f)
                        for (int e = 0; e <= 4; e += 2)
                            for (int d = 0; d <= std::min(c, e); ++d)
                                for (bool w : {false, true}) {
                                    ASSERT_EQ(MagicVersus({a, b, c}, {g, f, e}, d, w), slow(a, b, c, g, f, e, d, w))
                                        << a << ' ' << b << ' ' << c << ' ' << g << ' ' << f << ' ' << e << ' ' << d;
                                    ++checked;
                                }
    EXPECT_GT(checked, 10000);
}

TEST(TRkCalc, MagicIsTheWorstCaseOverEveryRival) {
    TRkCalc lone;
    lone.AddTeam("A");
    Record(lone, "A", 5, 0);
    EXPECT_EQ(lone.Magic(0, false), -1); // no rival

    TRkCalc c;
    c.AddTeam("A");
    c.AddTeam("B");
    c.AddTeam("C");
    Record(c, "A", 8, 2);
    Record(c, "B", 5, 5);
    Record(c, "C", 2, 8);
    c.AddMatch(Unplayed("A", "ZZ"));
    c.AddMatch(Unplayed("A", "ZZ"));
    c.AddMatch(Unplayed("B", "ZZ"));
    c.AddMatch(Unplayed("B", "ZZ"));
    // A: 8-2 with 2 left (10+2 decided at most). B can reach 7-5 (.583); A needs
    // (8 + n) / 12 > .583 -> n = 0 already (.666). C cannot catch up either.
    EXPECT_EQ(c.Magic(0, false), 0);
    // B cannot clinch against A.
    EXPECT_EQ(c.Magic(1, false), -1);
}

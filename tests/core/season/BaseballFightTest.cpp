#include "core/season/BaseballFight.h"
#include "core/base/DayNumber.h"
#include "core/season/BaseballPennant.h"
#include "tests/support/MatchBuilder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

TMatchRec& Add(TFight& f, const char* home, const char* visitor, double day, int gameNo = 0) {
    return AddGame(f, Game(home, visitor, day).Number(gameNo));
}

const double kDay = 37712; // 2003/04/01

} // namespace

TEST(TMatchRec, IsTheTwentyByteFileRecord) {
    TFight f;
    TMatchRec& m = Add(f, "G", "T", kDay, 1);
    m.HomeScore = 3;
    m.VisitorScore = 2;
    m.Status = StatusFinished;
    const unsigned char expected[20] = {0x01, 0x47, 0x00, 0x00, 0x01, 0x54, 0x00, 0x00, 0x03, 0x02,
                                        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x6A, 0xE2, 0x40, 0x01};
    EXPECT_EQ(std::memcmp(&m, expected, 20), 0);

    TMatchRec fresh = f.GetMatch(f.NewMatch());
    const unsigned char zeros[20] = {};
    EXPECT_EQ(std::memcmp(&fresh, zeros, 20), 0);
}

TEST(TMatchRec, SymbolReadsAtMostThreeBytes) {
    TMatchSymbol s;
    s.Set("ABCD");
    EXPECT_EQ(s.Text(), "ABC");
    s.Len = 200; // only a damaged file holds such a length
    EXPECT_EQ(s.Text(), "ABC");
    EXPECT_TRUE(s == "ABC");
    s.Set("G");
    EXPECT_TRUE(s == "G");
    EXPECT_FALSE(s == "g");
    EXPECT_FALSE(s == "GG");
}

TEST(TFight, SortsByWholeDayThenGameNo) {
    TFight f;
    Add(f, "U", "X", days::UndecidedDate, 1);
    Add(f, "A", "X", kDay + 0.375, 2); // 09:00, second game
    Add(f, "B", "X", kDay + 0.75, 1);  // 18:00, first game
    Add(f, "C", "X", kDay - 1, 5);
    f.SortMatches();
    EXPECT_EQ(f.GetMatch(0).HomeSymbol.Text(), "C");
    EXPECT_EQ(f.GetMatch(1).HomeSymbol.Text(), "B");
    EXPECT_EQ(f.GetMatch(2).HomeSymbol.Text(), "A");
    EXPECT_EQ(f.GetMatch(3).HomeSymbol.Text(), "U");

    TFight negatives;
    Add(negatives, "P", "X", kDay, 1);
    Add(negatives, "N", "X", kDay, -3); // GameNo compares signed
    negatives.SortMatches();
    EXPECT_EQ(negatives.GetMatch(0).HomeSymbol.Text(), "N");
}

TEST(TFight, FindNextOnDayVisitsADayInListOrder) {
    TFight f;
    Add(f, "A", "X", kDay);
    Add(f, "Z", "X", kDay + 1);
    Add(f, "B", "X", kDay + 0.5);
    Add(f, "C", "X", kDay);
    int index = 0;
    std::string seen;
    while (TMatchRec* m = f.FindNextOnDay(index, kDay))
        seen += m->HomeSymbol.Text();
    EXPECT_EQ(seen, "ABC");
    EXPECT_EQ(index, -1);

    index = f.MatchCount();
    EXPECT_EQ(f.FindNextOnDay(index, kDay), nullptr);
    EXPECT_EQ(index, -1);
}

TEST(TFight, DeleteDayRemovesOnlyThatDay) {
    TFight f;
    Add(f, "A", "X", kDay);
    Add(f, "B", "X", kDay + 1);
    Add(f, "C", "X", kDay + 0.9);
    Add(f, "D", "X", kDay + 2);
    f.DeleteDay(kDay + 5);
    EXPECT_EQ(f.MatchCount(), 4);
    f.DeleteDay(kDay + 0.1);
    ASSERT_EQ(f.MatchCount(), 2);
    EXPECT_EQ(f.GetMatch(0).HomeSymbol.Text(), "B");
    EXPECT_EQ(f.GetMatch(1).HomeSymbol.Text(), "D");
}

TEST(TFight, RecordsStayPutWhileTheListGrows) {
    TFight f;
    TMatchRec* first = &Add(f, "A", "X", kDay);
    for (int i = 0; i < 1000; ++i)
        f.NewMatch();
    EXPECT_EQ(first, &f.GetMatch(0));
    EXPECT_FALSE(f.DeleteMatch(1001));
    EXPECT_TRUE(f.DeleteMatch(1000));

    // A deleted record's place is reused for a fresh, zeroed record.
    f.GetMatch(5).Status = StatusFinished;
    f.GetMatch(5).GameDate = kDay + 3;
    f.DeleteDay(kDay + 3);
    EXPECT_EQ(f.MatchCount(), 999);
    TMatchRec& reused = f.GetMatch(f.NewMatch());
    EXPECT_EQ(reused.Status, 0);
    EXPECT_EQ(double{reused.GameDate}, 0.0); // a copy: the packed field is not aligned
    EXPECT_EQ(first, &f.GetMatch(0));
    f.Clear();
    EXPECT_EQ(f.MatchCount(), 0);
    EXPECT_EQ(f.GetMatch(f.NewMatch()).HomeSymbol.Len, 0);
}

TEST(MakeChecker, DrawsFromTheAlphabet) {
    const std::string alphabet = "123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ@\\#";
    std::set<std::string> seen;
    std::set<char> letters;
    for (int i = 0; i < 200; ++i) {
        std::string c = MakeChecker(8);
        ASSERT_EQ(c.size(), 8u);
        for (char ch : c) {
            EXPECT_NE(alphabet.find(ch), std::string::npos) << ch;
            letters.insert(ch);
        }
        seen.insert(c);
    }
    EXPECT_EQ(seen.size(), 200u);   // no repeats in practice
    EXPECT_EQ(letters.size(), 64u); // every character turns up
    EXPECT_EQ(MakeChecker(0), "");
}

TEST(RenumberGames, NumbersEachDayBySeasonOrderOfTheHomeTeam) {
    TPennant p;
    TLeague& l = p.GetLeague(p.AddLeague());
    TDistrict& d = l.GetDistrict(l.AddDistrict());
    for (const char* s : {"A", "B", "C"})
        d.GetTeam(d.AddTeam()).SetSymbol(s);

    TFight f;
    Add(f, "C", "B", kDay, 1);
    Add(f, "A", "B", kDay, 2);
    Add(f, "X", "A", kDay, 7); // home team of no team: keeps its number
    Add(f, "B", "C", kDay + 1, 9);
    Add(f, "A", "C", kDay + 1, 9); // a home team's two games get consecutive numbers
    Add(f, "A", "B", kDay + 1, 9);
    RenumberGames(p, f);

    ASSERT_EQ(f.MatchCount(), 6);
    auto row = [&](int i) { return f.GetMatch(i).HomeSymbol.Text() + std::to_string(f.GetMatch(i).GameNo); };
    EXPECT_EQ(row(0), "A1");
    EXPECT_EQ(row(1), "C2");
    EXPECT_EQ(row(2), "X7");
    EXPECT_EQ(row(3), "A1");
    EXPECT_EQ(f.GetMatch(3).VisitorSymbol.Text(), "C");
    EXPECT_EQ(row(4), "A2");
    EXPECT_EQ(row(5), "B3");
}

// The numbering rule as it reads: for each place of the season order, the
// day's games of that home symbol, in the order given. The real one indexes
// the order instead (a 150,000-team day is numbered in linear time): it must
// number every day as this does, shared symbols and unknown teams included.
TEST(NumberDay, NumbersAsTheRuleReadsOnRandomDays) {
    auto byTheRule = [](const std::vector<TMatchRec*>& games, const std::vector<std::string>& order) {
        int counter = 0;
        for (const std::string& symbol : order)
            for (TMatchRec* game : games)
                if (game->HomeSymbol == symbol)
                    game->GameNo = static_cast<int8_t>(++counter);
    };
    std::mt19937 rng(7);
    const std::string letters = "ABCDEFG";
    for (int trial = 0; trial < 2000; ++trial) {
        // Small days, and days large enough for the index (up to 80 symbols, 400 games).
        const bool large = trial % 4 == 0;
        std::vector<std::string> order(large ? 70 + rng() % 11 : rng() % 7);
        for (std::string& symbol : order)
            symbol = std::string(1, letters[rng() % 6]); // G is in no season: it keeps its number
        std::vector<TMatchRec> expected(large ? 100 + rng() % 300 : rng() % 40), actual;
        for (TMatchRec& game : expected) {
            game.HomeSymbol.Set(std::string(1, letters[rng() % letters.size()]));
            game.GameNo = static_cast<int8_t>(rng() % 100);
        }
        actual = expected;
        auto pointers = [](std::vector<TMatchRec>& games) {
            std::vector<TMatchRec*> p;
            for (TMatchRec& g : games)
                p.push_back(&g);
            return p;
        };
        byTheRule(pointers(expected), order);
        NumberDay(pointers(actual), order);
        for (size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(actual[i].GameNo, expected[i].GameNo) << "trial " << trial << ", game " << i;
    }
}

#include "core/base/CompactText.h"
#include "core/base/SmallBlocks.h"
#include "core/season/BaseballPennant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

// Every length where the storage changes: inline up to 7 bytes, pooled blocks
// up to 128 bytes (a length byte, then the text), heap blocks beyond, and the
// four-byte length from 255 bytes on. Bytes of every value, zero included.
TEST(TText, HoldsEveryLengthAndByteAcrossCopyMoveAndAssign) {
    const size_t before = PoolUse().SlotBytes;
    for (size_t length : {0, 1, 6, 7, 8, 15, 16, 126, 127, 128, 200, 254, 255, 256, 70000}) {
        SCOPED_TRACE(length);
        std::string bytes(length, '\0');
        for (size_t i = 0; i < length; ++i)
            bytes[i] = static_cast<char>((i * 37 + length) % 256);
        TText t(bytes);
        EXPECT_EQ(t.size(), length);
        EXPECT_EQ(t.empty(), length == 0);
        EXPECT_EQ(t, bytes);
        EXPECT_EQ(std::string(t), bytes);

        TText copy(t);
        TText moved(std::move(copy));
        EXPECT_EQ(moved, t);
        EXPECT_TRUE(copy.empty()); // NOLINT(bugprone-use-after-move): a moved-from text is empty
        TText assigned("x");
        assigned = t;
        EXPECT_EQ(assigned, bytes);
        assigned = std::move(moved);
        EXPECT_EQ(assigned, bytes);

        // Assigning a part of itself: the new text is built before the old one goes.
        t = t.view().substr(length / 2);
        EXPECT_EQ(t, bytes.substr(length / 2));
        t = t;
        EXPECT_EQ(t, bytes.substr(length / 2));
        t.clear();
        EXPECT_TRUE(t.empty());
    }
    EXPECT_EQ(PoolUse().SlotBytes, before);
}

TEST(TText, ComparesAndJoinsLikeAString) {
    const TText a("Giants"), b("Giants baseball club");
    const std::string s = "Giants";
    EXPECT_TRUE(a == s && s == a && a == "Giants" && a != b);
    EXPECT_TRUE(a < b && b > s && !(a < s));
    EXPECT_EQ(a + b, "GiantsGiants baseball club");
    EXPECT_EQ("[" + a + "]", "[Giants]");
    EXPECT_EQ(s + a, "GiantsGiants");
    TSymbol symbol("ABCD");
    EXPECT_EQ(symbol, "ABC"); // a symbol holds three bytes
    EXPECT_EQ(a + symbol, "GiantsABC");
    TText fromSymbol(symbol);
    EXPECT_EQ(fromSymbol, "ABC");
    symbol = TText(); // an empty text has no bytes at all, not even an address
    EXPECT_TRUE(symbol.empty());
}

// Texts are copied and dropped on painting threads while the main thread does the same.
TEST(TText, PooledBlocksServeSeveralThreads) {
    const size_t before = PoolUse().SlotBytes;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            std::vector<TText> texts;
            for (int i = 0; i < 5000; ++i)
                texts.emplace_back(std::string(8 + (i + t) % 100, static_cast<char>('a' + t)));
            for (int i = 0; i < 5000; ++i)
                ASSERT_EQ(texts[static_cast<size_t>(i)].size(), size_t(8 + (i + t) % 100));
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(PoolUse().SlotBytes, before);
}

// A list against a vector doing the same, through every room size from one
// child to several hundred and back: adds, deletes at both ends and inside,
// moves both ways and sorts.
TEST(TOwnedList, FollowsAVectorThroughGrowthAndShrinking) {
    const size_t before = PoolUse().SlotBytes;
    {
        TDistrict district;
        std::vector<std::string> expected;
        auto same = [&] {
            ASSERT_EQ(district.TeamCount(), static_cast<int>(expected.size()));
            for (int i = 0; i < district.TeamCount(); ++i)
                ASSERT_EQ(district.GetTeam(i).Name, expected[static_cast<size_t>(i)]) << i;
        };
        for (int i = 0; i < 300; ++i) {
            const std::string name = "team name number " + std::to_string(i);
            district.GetTeam(district.AddTeam()).Name = name;
            expected.push_back(name);
            if (i % 7 == 3) {
                district.TeamList().Move(i, i / 2);
                std::rotate(expected.begin() + i / 2, expected.begin() + i, expected.begin() + i + 1);
            }
        }
        same();
        district.TeamList().Move(0, 299);
        std::rotate(expected.begin(), expected.begin() + 1, expected.end());
        same();
        EXPECT_FALSE(district.DeleteTeam(300));
        EXPECT_FALSE(district.DeleteTeam(-1));
        for (int i = 0; district.TeamCount() > 0; ++i) {
            const int at = i % 3 == 0 ? 0 : i % 3 == 1 ? district.TeamCount() - 1 : district.TeamCount() / 2;
            ASSERT_TRUE(district.DeleteTeam(at));
            expected.erase(expected.begin() + at);
            if (i % 10 == 0)
                same();
        }
        same();

        // Sorting by key, descending keys given to ascending names.
        for (int i = 0; i < 40; ++i)
            district.GetTeam(district.AddTeam()).Name = std::to_string(100 + i);
        for (int i = 0; i < 40; ++i)
            district.GetTeam(i).OrderKey = 40 - i;
        district.SortTeams();
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(district.GetTeam(i).Name, std::to_string(139 - i));

        TPennant season;
        for (int l = 0; l < 20; ++l) {
            TLeague& league = season.GetLeague(season.AddLeague());
            league.Name = "a league of the season " + std::to_string(l);
            league.GetDistrict(league.AddDistrict()).TeamList().Resize(l);
        }
        EXPECT_EQ(season.TotalTeamCount(), 190);
        season.LeagueList().Resize(3);
        EXPECT_EQ(season.TotalTeamCount(), 0);
    }
    EXPECT_EQ(PoolUse().SlotBytes, before);
}

TEST(TOwnedList, RoomGrowsBySixteenthsAtMost) {
    for (uint32_t count : {0u, 1u, 16u, 17u, 31u, 32u, 33u, 1000u, 500000u, 1u << 30})
        EXPECT_TRUE(TOwnedList<TTeam>::RoomFor(count) >= count &&
                    TOwnedList<TTeam>::RoomFor(count) <= count + count / 16)
            << count;
    EXPECT_EQ(TOwnedList<TTeam>::RoomFor(33), 34u);
}

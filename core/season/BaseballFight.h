// The match list of a season and its 20-byte match record.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

class TPennant;

// A team symbol inside a match record: a length byte and three character bytes.
// The record is stored in the season file byte for byte, so this is a file format.
#pragma pack(push, 1)
struct TMatchSymbol {
    uint8_t Len = 0;
    char Chars[3] = {0, 0, 0};

    // The symbol text; a length byte above 3 (only a damaged file has one) reads as 3.
    std::string Text() const { return std::string(Chars, Len > 3 ? 3 : Len); }
    // Stores at most 3 bytes; the bytes past the length are zeroed.
    void Set(std::string_view text);
    bool operator==(std::string_view text) const {
        // At most three bytes: compared by hand, it is the calculator's innermost loop.
        const size_t len = Len > 3 ? 3u : Len;
        if (text.size() != len)
            return false;
        for (size_t i = 0; i < len; ++i)
            if (Chars[i] != text[i])
                return false;
        return true;
    }
};

struct TMatchRec {
    TMatchSymbol HomeSymbol;
    TMatchSymbol VisitorSymbol;
    int8_t HomeScore = 0;
    int8_t VisitorScore = 0;
    uint8_t Status = 0; // 0 before the game, 1 finished, 2 cancelled
    double GameDate = 0;
    int8_t GameNo = 0;
};
#pragma pack(pop)

static_assert(sizeof(TMatchSymbol) == 4, "a match symbol is 4 bytes in the season file");
static_assert(sizeof(TMatchRec) == 20, "a match record is 20 bytes in the season file");

enum TMatchStatus : uint8_t { StatusBefore = 0, StatusFinished = 1, StatusCancelled = 2 };

class TFight {
public:
    double LastUpdate = 0;

    int MatchCount() const { return static_cast<int>(Matches.size()); }
    TMatchRec& GetMatch(int index) const { return *Matches[static_cast<size_t>(index)]; }
    // Appends a record with empty symbols and every other field zero.
    int NewMatch();
    // By whole day, then GameNo (signed).
    void SortMatches();
    // From `index` on, the next record on `day`; index then points past it.
    // None, and index -1, when there is no further record on that day.
    TMatchRec* FindNextOnDay(int& index, double day) const;
    void DeleteDay(double day);
    // Removes one record; false when the index is out of range.
    bool DeleteMatch(int index);
    void Clear();
    // Makes room for `count` more records in one allocation (the file reader knows the count).
    void Reserve(int count);

private:
    void Release(TMatchRec* record);

    // Records are handed out by reference, so they never move: they live in
    // blocks owned here, and the list order is a list of pointers into them.
    // Deleted records go to a free list and are reused by NewMatch.
    std::vector<TMatchRec*> Matches;
    std::vector<std::unique_ptr<TMatchRec[]>> Blocks;
    size_t BlockSize = 0; // records in the newest block
    size_t BlockUsed = 0; // of which handed out
    std::vector<TMatchRec*> Free;
};

// A random text of `length` characters for the season's checker.
std::string MakeChecker(int length);
std::string MakeChecker(int length, std::mt19937& rng);
// Seeds the generator MakeChecker(length) uses; the program does it once at start.
void SeedRandom(uint32_t seed);

// The numbering rule: the games of one day get GameNo 1, 2, … in the season
// order of their home teams (`seasonSymbols`, see TeamList.h); two games of
// one home team get consecutive numbers in the order given. A game whose home
// team is not in the season keeps its number.
void NumberDay(const std::vector<TMatchRec*>& games, const std::vector<std::string>& seasonSymbols);
// Numbers the games of each day (days as they lie in the list) by that rule, then sorts.
void RenumberGames(const TPennant& pennant, TFight& fight);

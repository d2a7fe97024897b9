// The standings calculator: one record per team from a stream of matches,
// standings order under either rank rule, and the per-team queries the views ask.
#pragma once

#include "core/season/BaseballFight.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One game seen from one team.
struct TGameEntry {
    uint32_t IsVisitor = 0;
    std::string Opponent;
    uint8_t Status = 0;
    int8_t OwnScore = 0;
    int8_t OppScore = 0;
    double GameDate = 0;
};

struct TKeyDates {
    double LastResultDay = 0;
    double PrevResultDay = 0;
    double LastGameDay = 0;
};

// Texts are Shift-JIS.
struct TDayResult {
    std::string Opponent;
    std::string Marks;
};

struct TStreaks {
    int32_t WinMax = 0, WinNow = 0, LoseMax = 0, LoseNow = 0;
    int32_t HomeWinMax = 0, HomeWinNow = 0, HomeLoseMax = 0, HomeLoseNow = 0;
    int32_t VisitorWinMax = 0, VisitorWinNow = 0, VisitorLoseMax = 0, VisitorLoseNow = 0;
};

// One side of a record: the games at home, or the games as visitor.
struct TSideRecord {
    int32_t Games = 0; // finished, draws included
    int32_t Wins = 0, Losses = 0, Draws = 0;
    int32_t Remain = 0; // still to play
    int32_t RunsFor = 0, RunsAgainst = 0;

    int32_t Decided() const { return Games - Draws; }
    // Counts one game from this side: one still to play as remaining, a
    // finished one with its score; a cancelled game counts nowhere.
    void Add(uint8_t status, int own, int opp);
    TSideRecord& operator+=(const TSideRecord& other);
};

struct TVersus {
    TSideRecord Home, Visitor;
    int32_t WinMax = 0, WinNow = 0, LoseMax = 0, LoseNow = 0;
    int32_t HomeWinMax = 0, HomeWinNow = 0, HomeLoseMax = 0, HomeLoseNow = 0;
    int32_t VisitorWinMax = 0, VisitorWinNow = 0, VisitorLoseMax = 0, VisitorLoseNow = 0;

    TSideRecord Total() const;
};

// Counts one game of a team's list into its record against that opponent.
void AddToVersus(TVersus& versus, const TGameEntry& entry);

class TTmRec {
public:
    std::string Symbol;
    std::vector<TGameEntry> GameList;
    TSideRecord Home, Visitor;
    int32_t RankNo = 0;
    int32_t BehindTop = 0;  // tenths of a game (or of a win, when ranked by wins)
    int32_t BehindPrev = 0; // likewise, to the team directly above

    int32_t Wins() const { return Home.Wins + Visitor.Wins; }
    int32_t Losses() const { return Home.Losses + Visitor.Losses; }
    int32_t Draws() const { return Home.Draws + Visitor.Draws; }
    int32_t Games() const { return Home.Games + Visitor.Games; } // finished, draws included
    int32_t Decided() const { return Games() - Draws(); }
    int32_t Remain() const { return Home.Remain + Visitor.Remain; }
    int32_t RunsFor() const { return Home.RunsFor + Visitor.RunsFor; }
    int32_t RunsAgainst() const { return Home.RunsAgainst + Visitor.RunsAgainst; }
    TSideRecord Total() const;

    int EntryCount() const { return static_cast<int>(GameList.size()); }
    const TGameEntry& Entries(int index) const { return GameList[static_cast<size_t>(index)]; }
    int AddEntry();

    // Wins per decided game times 1,000,000, truncated; 0 with no decided game.
    int32_t WinRate() const;
    TDayResult DayResult(double day) const;
    TStreaks GetStreaks() const;
    TVersus GetVersus(std::string_view opponent) const;
    // 1 (cold) to 11 (hot) from the last ten finished games.
    int ConditionLevel() const;
};

class TRkCalc {
public:
    int AddTeam(std::string_view symbol);
    void AddMatch(const TMatchRec& match);
    void Rank(bool byWins);
    int Count() const { return static_cast<int>(Teams.size()); }
    TTmRec& Items(int index) const { return *Teams[static_cast<size_t>(index)]; }
    TTmRec* FindTeam(std::string_view symbol) const;
    TKeyDates GetKeyDates() const;

    // The team's magic number: the largest MagicVersus over every other team
    // of the calculator; -1 when any rival gives -1 or there is no rival.
    int Magic(int index, bool byWins) const;

private:
    // Symbols packed into integers, for the lookups of AddMatch.
    static uint32_t KeyOf(const TMatchSymbol& symbol);
    static uint32_t KeyOf(std::string_view symbol);
    void RebuildIndex();
    void IndexTeam(TTmRec* team);
    TTmRec* Lookup(uint32_t key) const;

    static constexpr size_t kWalkedTeams = 16;
    std::vector<std::unique_ptr<TTmRec>> Teams;
    std::vector<std::pair<uint32_t, TTmRec*>> Index;  // in list order, first match wins
    std::unordered_map<uint32_t, TTmRec*> LargeIndex; // the same, once there are many teams
};

// One side of a magic number question: decided games, wins and games left.
struct TMagicRecord {
    int Decided = 0;
    int Wins = 0;
    int Remain = 0;
};

// Wins team T still needs to finish ahead of rival X whatever else happens, or
// -1; `remainVsRival` of T's remaining games are against X.
int MagicVersus(const TMagicRecord& team, const TMagicRecord& rival, int remainVsRival, bool byWins);

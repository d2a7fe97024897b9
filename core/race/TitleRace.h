// The title race of one district: for a place K (1 = first, 3 = a top-three
// cut, ...), whether each team has clinched it, can still reach it, or is
// out, and how many of its remaining games it must win (clinch number) or may
// lose (elimination number). Exact under the league's rank and draw rules:
// every possible completion of the remaining games is taken into account.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TPennant;
struct TDistrictStandings;

// Texts are Shift-JIS, like the season's.
struct TRaceTeam {
    std::string Symbol;
    std::string ShortName;
    int Rank = 0;
    int Wins = 0, Losses = 0, Draws = 0;
    int Remain = 0;    // the standings' remaining games
    int Outside = 0;   // of those, against teams outside the district
    int SelfGames = 0; // games a team is entered against itself (counted as a win and a loss)
    int Magic = -1;    // the standings table's magic number, -1 for none
};

struct TRaceInput {
    bool ByWins = false;
    uint8_t DrawRule = 0;                // 0 draws stand, 1 replayed, 2 none
    std::vector<TRaceTeam> Teams;        // standings order
    std::vector<std::vector<int>> Games; // remaining games between two district teams (symmetric)
};

// The race as the standings stand: teams, records and remaining games in
// standings order.
TRaceInput RaceInputFrom(const TPennant& pennant, const TDistrictStandings& standings);

enum class TRaceStatus { Clinched, Magic, Dependent, Eliminated };

struct TRaceRecord {
    std::string Symbol;
    int Wins = 0, Losses = 0, Draws = 0;
};

struct TRaceAnswer {
    TRaceStatus Status = TRaceStatus::Dependent;
    // The fewest wins among its remaining games that secure the place whatever
    // else happens (0: clinched); none when even winning them all does not.
    std::optional<int> ClinchNumber;
    // The fewest losses that put the place out of reach (0: out); none when
    // even losing them all does not.
    std::optional<int> EliminationNumber;
    // For a team that can still reach the place: the final records of one
    // completion in which it does, in standings order.
    std::vector<TRaceRecord> Scenario;
    // For a team that cannot: which rivals must finish above it, and why.
    std::string Reason;
};

class TTitleRace {
public:
    explicit TTitleRace(TRaceInput input);
    ~TTitleRace();
    TTitleRace(const TTitleRace&) = delete;
    TTitleRace& operator=(const TTitleRace&) = delete;

    const TRaceInput& Input() const { return In; }
    int TeamCount() const { return static_cast<int>(In.Teams.size()); }
    // The answer for the team at `team` (standings order) and place `place`
    // (1 and up; a place at or beyond the district's size is always clinched).
    TRaceAnswer Decide(int team, int place) const;

private:
    std::string EliminationReason(int team, int place, const std::vector<int>& rivals) const;

    struct TState;
    TRaceInput In;
    std::unique_ptr<TState> State;
};

// "優勝" (clinched first place), "3位以内確定", "M12", "自力消滅", "消滅".
std::string RaceStatusText(const TRaceAnswer& answer, int place);

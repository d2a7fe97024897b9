// The title race of one district: for a place K (1 = first, 3 = a top-three
// cut, ...), whether each team has clinched it, can still reach it, or is
// out, and how many of its remaining games it must win (clinch number) or may
// lose (elimination number). Exact under the league's rank and draw rules:
// every possible completion of the remaining games is taken into account.
#pragma once

#include <atomic>
#include <chrono>
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

// Remaining games between two district teams (A != B, standings order).
struct TRacePairing {
    int A = 0, B = 0;
    int Games = 0;
};

struct TRaceInput {
    bool ByWins = false;
    uint8_t DrawRule = 0;               // 0 draws stand, 1 replayed, 2 none
    double DrawShare = 0;               // share of finished games drawn so far (for the likely scenario)
    std::vector<TRaceTeam> Teams;       // standings order
    std::vector<TRacePairing> Pairings; // a pair may appear more than once: the games add up
};

// When a decision must give up and answer "unknown": a deadline, and a flag
// another thread may raise to cancel.
struct TRaceStop {
    std::chrono::steady_clock::time_point Deadline = std::chrono::steady_clock::time_point::max();
    const std::atomic<bool>* Cancel = nullptr;

    bool Due() const {
        return (Cancel && Cancel->load(std::memory_order_relaxed)) || std::chrono::steady_clock::now() >= Deadline;
    }
    // Seconds left (at least a millisecond), or a large number without a deadline.
    double SecondsLeft() const;
    // A stop `seconds` from now, cancelled also by `cancel`.
    static TRaceStop In(double seconds, const std::atomic<bool>* cancel = nullptr);
};

// The race as the standings stand: teams, records and remaining games in
// standings order.
TRaceInput RaceInputFrom(const TPennant& pennant, const TDistrictStandings& standings);

// Unknown: not decided within its time (or cancelled).
enum class TRaceStatus { Clinched, Magic, Dependent, Eliminated, Unknown };

struct TRaceRecord {
    std::string Symbol;
    int Wins = 0, Losses = 0, Draws = 0;
};

struct TRaceAnswer {
    TRaceStatus Status = TRaceStatus::Dependent;
    // Not clinched, but whatever happens it finishes at the cut or better,
    // possibly level with another team there.
    bool LevelAssured = false;
    // The fewest wins among its remaining games that secure the place whatever
    // else happens (0: clinched); none when even winning them all does not.
    std::optional<int> ClinchNumber;
    // The fewest losses that put the place out of reach (0: out); none when
    // even losing them all does not.
    std::optional<int> EliminationNumber;
    // For a team that cannot reach the place: which rivals must finish above
    // it, and why; for an unknown answer, that time ran out.
    std::string Reason;
};

// The evidence of a team that can still reach the place: the final records
// of the most likely completion (closest to how every team has played) that
// puts it above the cut, or, where none can, that lets it reach the place.
struct TRaceScenario {
    bool AboveCut = false;           // the completion puts it clear of the cut
    std::vector<TRaceRecord> Finals; // standings order; empty when unknown
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
    // (1 and up; a place beyond the district's size is always clinched).
    // With `stop`, an answer not found in time is Unknown.
    TRaceAnswer Decide(int team, int place, const TRaceStop* stop = nullptr) const;
    // The evidence of a team that can still reach the place (Finals empty for
    // one that cannot, or when `stop` comes first).
    TRaceScenario Scenario(int team, int place, const TRaceStop* stop = nullptr) const;

    // For each team, the first team (standings order) whose answers are its
    // own with the two swapped: the same record and the same games left
    // against the same teams; itself when there is none.
    std::vector<int> Twins() const;

    // Tells what a completion says of `team` at `place`: whether it reaches
    // the place (fewer than `place` teams strictly above it) and whether it is
    // above the cut (fewer than `place` teams level with it or above it).
    static bool Reaches(const std::vector<TRaceRecord>& finals, int team, int place, bool byWins);
    static bool AboveCut(const std::vector<TRaceRecord>& finals, int team, int place, bool byWins);
    // How far a completion is from how every team has played: the sum over
    // the teams of |remaining wins - expected| + |remaining draws - expected|.
    double Unlikeness(const std::vector<TRaceRecord>& finals) const;

private:
    std::string EliminationReason(int team, int place, const std::vector<int>& rivals) const;

    struct TState;
    TRaceInput In;
    std::unique_ptr<TState> State;
};

// How long deciding a whole race table may take: a team whose answer is not
// found within its share of it is "unknown".
constexpr double kRaceTableSeconds = 5;

// Every team's answer at `place`, in standings order, within about `seconds`
// in all: each team gets an equal share of the time left, and what one leaves
// unused goes to those after it; what is left at the end goes to the teams
// still unknown, in turn. A raised `cancel` makes the rest unknown.
std::vector<TRaceAnswer> DecideAll(const TTitleRace& race, int place, double seconds,
                                   const std::atomic<bool>* cancel = nullptr);

// The same, a row at a time (for a table that fills in as it is decided).
// A team with a twin takes its answer, so the time goes to the others.
class TRaceRows {
public:
    TRaceRows(const TTitleRace& race, int place, double seconds, const std::atomic<bool>* cancel = nullptr);
    // The answer of the next team in standings order.
    TRaceAnswer Next();
    // Once every team has its answer: the next team still unknown, decided
    // again with an equal share of the time left, or -1 when none is left
    // (or no time). Its new answer is `Answer(team)`.
    int Retry();
    const TRaceAnswer& Answer(int team) const { return Answers[static_cast<size_t>(team)]; }

private:
    const TTitleRace& Race;
    int Place;
    const std::atomic<bool>* Cancel;
    std::vector<int> Twins;
    std::chrono::steady_clock::time_point End;
    std::vector<TRaceAnswer> Answers;
    int Left = 0;    // teams without an earlier twin still to decide
    int Retried = 0; // teams before this one have been tried again
};

// "優勝" (clinched first place), "3位以内確定", "M12", "自力消滅" ("同率"
// when level assured), "消滅", "未確定".
std::string RaceStatusText(const TRaceAnswer& answer, int place);
// The status as JSON names it: "clinched", "magic", "dependent",
// "eliminated" or "unknown".
const char* RaceStatusKey(TRaceStatus status);
// The reason given for an unknown answer.
std::string RaceTimeUpText();
// Shift-JIS short names for sentences: without their padding spaces.
std::string TrimmedName(const std::string& name);

// Season odds: every team's chance of each place in one district, from the
// rest of the season played at random many times over. Each remaining game is
// a draw with the league's share of draws (where draws stand), otherwise won
// by the home team with a probability from the chosen model; each simulated
// season is ranked as the standings rank, teams level across a cut sharing
// the places left. Every simulated season draws from its own random stream,
// derived from the seed and its index, so the same seed gives the same
// numbers on any number of threads. No Qt.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TPennant;
class TFight;
struct TDistrictStandings;

enum class TOddsModel {
    Even, // 五分五分: the home team wins half of the decided games
    Runs, // 得失点: strengths from runs scored and allowed, home advantage from the league
};

// "even" / "runs", and back (none for another text).
const char* OddsModelName(TOddsModel model);
std::optional<TOddsModel> OddsModelFromName(const std::string& name);

// Texts are Shift-JIS, like the season's.
struct TOddsTeam {
    std::string Symbol;
    std::string ShortName;
    int Wins = 0, Losses = 0, Draws = 0;
    int Remain = 0;        // the standings' remaining games
    double Strength = 0.5; // the model's strength (½ under 五分五分)
};

// One game still to play that involves a district team. Home and Visitor are
// rows of the district (standings order), -1 for a team outside it; a team
// entered against itself has both sides.
struct TOddsGame {
    int Home = -1, Visitor = -1;
    double Draw = 0;    // chance of a draw
    double HomeWin = 0; // chance the home team wins (the visitor wins the rest)
};

struct TOddsInput {
    bool ByWins = false;
    uint8_t DrawRule = 0;
    TOddsModel Model = TOddsModel::Runs;
    double DrawShare = 0;         // d: the league's share of draws (0 unless draws stand)
    double HomeShare = 0;         // h: the league's share of home wins (0.54 below 100 decided games)
    std::vector<TOddsTeam> Teams; // standings order
    std::vector<TOddsGame> Games;
};

// The model of one district as the standings stand (`standings` built for
// `asOfDay`, or for the whole season without): the league's shares and every
// team's strength come from the finished games up to that day.
TOddsInput OddsInputFrom(const TPennant& pennant, const TFight& fight, const TDistrictStandings& standings,
                         TOddsModel model, std::optional<double> asOfDay = std::nullopt);

// A strength as the runs model computes it from a record: finished games
// (draws included), runs for and against.
double RunsStrength(long long games, long long runsFor, long long runsAgainst);
// The chance the home team wins a decided game: log5 of the two strengths,
// then log5 again with the league's home share.
double HomeWinChance(double home, double visitor, double homeShare);

// Standings order of final records as the standings calculator ranks them:
// for each team its rank (1 = first; teams level share a rank).
std::vector<int> RankFinals(const std::vector<int>& wins, const std::vector<int>& losses, const std::vector<int>& draws,
                            bool byWins);

// Shares are counted in fixed point, 2^32 to a whole season, so sums are
// exact integers and the same whatever order the threads add them in.
constexpr int kShareBits = 32;
constexpr double kShareUnit = 4294967296.0;

// The most teams a district may have for its odds: each team's chance of
// every place is kept, the square of the district.
constexpr int kOddsMostTeams = 2000;

// The counts of simulated seasons [First, First + Runs). Its size depends on
// the district, never on the number of runs.
struct TOddsTally {
    int Teams = 0;
    int Place = 1;
    long long Runs = 0;
    std::vector<uint64_t> First, Top; // per team, in share units
    std::vector<uint64_t> Places;     // team * Teams + place - 1, in share units
    std::vector<long long> FullFirst; // seasons the team was first alone
    std::vector<long long> NoneFirst; // seasons it had no share of first
    std::vector<long long> FullTop, NoneTop;
    std::vector<long long> SumWins, SumLosses, SumDraws;
    std::vector<std::vector<long long>> WinsFrom; // per team: seasons ending with Wins + i wins

    TOddsTally() = default;
    TOddsTally(const TOddsInput& input, int place);
    TOddsTally& operator+=(const TOddsTally& other);
};

// Plays seasons [first, first + count) on `threads` threads (0: every core).
// Stops early when `cancel` is set; the tally then holds the seasons played
// (whose number, not which, depends on the threads: a cancelled tally is not
// reproducible).
TOddsTally SimulateOdds(const TOddsInput& input, int place, uint64_t seed, long long first, long long count,
                        int threads = 0, const std::atomic<bool>* cancel = nullptr);

// What the exact race says of a team and a place: decides the 100% and the 0%.
enum class TOddsPin { Open, Clinched, Eliminated };
using TOddsPinner = std::function<TOddsPin(int team, int place)>;

struct TOddsTeamResult {
    std::string Symbol, ShortName;
    int Wins = 0, Losses = 0, Draws = 0, Remain = 0;
    double First = 0, Top = 0;  // chances, as fractions
    std::vector<double> Places; // chance of each place 1..n
    double MeanWins = 0, MeanLosses = 0, MeanDraws = 0;
    int WinsP10 = 0, WinsP90 = 0;
    TOddsPin FirstPin = TOddsPin::Open, TopPin = TOddsPin::Open;
};

struct TOddsResult {
    TOddsModel Model = TOddsModel::Runs;
    int Place = 1;
    long long Runs = 0;
    uint64_t Seed = 0;
    std::vector<TOddsTeamResult> Teams; // standings order
};

// The chances from a tally. The race is asked (through `pinner`, when given)
// of every chance no simulated season contradicts, and a clinched or
// eliminated team gets exactly 100% or 0%.
TOddsResult SummarizeOdds(const TOddsInput& input, const TOddsTally& tally, uint64_t seed,
                          const TOddsPinner& pinner = {});

// A chance as the tables show it: "62.5%", exactly "100%"/"0%" when pinned by
// the race, "99.9%+"/"0.1%−" when every season agreed but the race did not
// decide it (Shift-JIS).
std::string OddsPercentText(double chance, TOddsPin pin);

// Reports seasons done out of the total; false stops the run.
using TOddsProgress = std::function<bool(long long done, long long total)>;

// Every day with a result for the district, the chance of first and of the
// top `place` per team, each day played `runsPerDay` times.
struct TOddsHistory {
    int Place = 1;
    std::vector<double> Days;
    std::vector<std::string> Symbols, ShortNames; // the teams, in the district's final standings order
    std::vector<std::vector<double>> First, Top;  // [day][team]
    std::vector<std::vector<TOddsPin>> FirstPins, TopPins;
    bool Complete = false; // false when stopped early: Days holds the days done
};

// The pinner for one day's standings, when the caller has the race at hand.
using TOddsPinnerFactory = std::function<TOddsPinner(const TDistrictStandings& standings)>;

TOddsHistory OddsHistory(const TPennant& pennant, const TFight& fight, int districtIndex, TOddsModel model, int place,
                         long long runsPerDay, uint64_t seed, int threads, const TOddsPinnerFactory& pinners = {},
                         const TOddsProgress& progress = {});

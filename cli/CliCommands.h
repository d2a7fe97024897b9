// tablora-cli: the season core from a terminal. Output is UTF-8.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TPennant;
class TFight;

// `render` as read from its command line.
struct TRenderRequest {
    std::string Season;
    std::string View; // "standings", "transition", "schedule", "headtohead", "versus", "race", "odds" or "oddshistory"
    int Index = 0;
    int Mode = 0;
    int Filter = 0;       // headtohead and versus: 0 all, 1 home, 2 visitor games
    int Page = 0;         // headtohead
    std::string Team;     // versus: the own team's symbol (Shift-JIS)
    std::string Opponent; // versus
    std::string Out;
    int Place = 0;             // race, odds: the cut (0: 3); oddshistory: the top K drawn instead of first
    long long Runs = 0;        // odds (0: 100,000), oddshistory (a day; 0: 10,000)
    uint64_t Seed = 1;         // odds, oddshistory
    bool Title = false;        // the line saying what the table is, above it
    int Scale = 1;             // picture pixels to a table pixel, a side: 1 to 4
    std::optional<double> Day; // race: the day the standings stand on (none: now)
};

// `race` as read from its command line.
struct TRaceRequest {
    std::string Season;
    int District = 0;
    std::optional<double> Day;
    int Place = 1;
    std::string Format; // "text" or "json"
    // In a district of more than kRaceScenarioTeams teams the evidence of one
    // team only, this one's (its symbol, Shift-JIS): every team's would list
    // every team, the square of the district.
    std::string Scenario;
};
constexpr int kRaceScenarioTeams = 100;

// tablora-cli loads no Qt library and no solver: `render` paints in
// tablora-render (QtGui, no widgets) and `race` decides in tablora-race (the
// race engine and COIN-OR CBC), both installed beside it. Each of the three
// programs runs the same command lines; a program that carries a command's
// code passes it here, and a command without it is handed, command line and
// all, to the program that has it (whose messages and exit code are then the
// command's).
struct TOddsRequest; // cli/OddsCommand.h: `odds` runs in tablora-race too
struct TCliPrograms {
    int (*Render)(const TRenderRequest& request, std::ostream& err) = nullptr;
    int (*Race)(const TRaceRequest& request, std::ostream& out, std::ostream& err) = nullptr;
    int (*Odds)(const TOddsRequest& request, std::ostream& out, std::ostream& err) = nullptr;
};
constexpr const char* kRenderProgram = "tablora-render";
constexpr const char* kRaceProgram = "tablora-race";

// Runs one command line (without the program name). Returns the exit code:
// 0 success, 1 failure (one line on `err` naming the file and the reason), 2 usage.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const TCliPrograms& programs = {});

// Replaces this process with `program` from this program's own folder (links
// resolved: installed links point into lib/tablora), given `args`. Returns
// only when that fails: 1, with a line on `err` naming `what` the program does.
int ExecSibling(const std::string& program, const std::vector<std::string>& args, const std::string& what,
                std::ostream& out, std::ostream& err);

struct TCliSeason {
    std::unique_ptr<TPennant> Pennant;
    std::unique_ptr<TFight> Fight;
    TCliSeason();
    TCliSeason(TCliSeason&&) noexcept;
    ~TCliSeason();
};

// Loads the season or says why not, in one line on `err`.
std::optional<TCliSeason> LoadCliSeason(const std::string& path, std::ostream& err);

// Texts shared by the commands' terminal tables (UTF-8 out, Shift-JIS in).
namespace clitext {
std::string U(const std::string& sjisText);
// Pads a Shift-JIS text to `width` columns: a byte is one terminal column
// (double-byte characters are full width), so byte counts align the table.
std::string Cell(const std::string& sjisText, size_t width, bool right);
// A league's draw rule as the tables write it.
std::string DrawRuleText(uint8_t rule);
} // namespace clitext

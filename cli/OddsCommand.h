// `odds`: every team's chance of first and of the top K in one district, from
// the rest of the season played at random (the season odds engine), with the
// race deciding the 100% and the 0%. tablora-cli reads the command line and
// hands it to tablora-race, which carries the race's solvers.
#pragma once

#include "cli/CliCommands.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

struct TOddsRequest {
    std::string Season;
    int District = 0;
    std::optional<double> Day;
    int Place = 3;
    long long Runs = 0; // 0: 100,000 (10,000 a day for the history)
    uint64_t Seed = 1;
    std::string Model = "runs";  // "even" or "runs"
    std::string Format = "text"; // "text", "json" or "csv"
    bool History = false;
    int Threads = 0; // 0: every core
};

constexpr long long kOddsDefaultRuns = 100000;
constexpr long long kOddsHistoryRuns = 10000;
constexpr long long kOddsMostRuns = 100000000;

// Reads `odds …` (args[0] is "odds") and runs it through programs.Odds, or
// hands the command line to tablora-race. Throws TCliUsageError for a command
// line that cannot be run.
int OddsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const TCliPrograms& programs);

// tablora-race's side: loads the season, plays it and prints the odds.
// 0 success, 1 failure (a line on `err`), 2 a district that does not exist.
int RunOdds(const TOddsRequest& request, std::ostream& out, std::ostream& err);

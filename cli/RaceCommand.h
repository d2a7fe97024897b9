// tablora-cli race: the title race of a district, as text or JSON.
//
// Like render, the command runs in a program of its own beside tablora-cli,
// tablora-race, which links the race engine (and its solvers): tablora-cli
// reads the arguments and hands the same command line on, so its other
// commands start without loading the solvers.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

struct TRaceRequest {
    std::string Season;
    int District = 0;
    std::optional<double> Day;
    int Place = 1;
    std::string Format; // "text" or "json"
};

// The name of the race program, beside tablora-cli.
constexpr const char* kRaceProgram = "tablora-race";

// Carries out `race` once its arguments (`args`, the whole command line
// without the program name) are read into `request`. In tablora-cli it runs
// the race program; in the race program it loads the season and decides.
// Returns the exit code: 0 success, 1 failure with one line on `err`.
int RunRace(const std::vector<std::string>& args, const TRaceRequest& request, std::ostream& out, std::ostream& err);

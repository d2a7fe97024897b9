#include "cli/OddsCommand.h"
#include "cli/race/RaceCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunCli(args, std::cout, std::cerr, {.Race = RunRace, .Odds = RunOdds});
}

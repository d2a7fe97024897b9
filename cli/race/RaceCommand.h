// tablora-race: `race` decides the title race of a district, as text or JSON
// (tablora-cli hands the command here, so its other commands start without
// loading the race engine and its solvers).
#pragma once

#include "cli/CliCommands.h"

#include <iosfwd>

// Loads the request's season and prints its race. Returns the exit code:
// 0 success, 1 failure with one line on `err`.
int RunRace(const TRaceRequest& request, std::ostream& out, std::ostream& err);

// The public major-league game logs: one line per game, comma-separated
// quoted fields (161 of them in the published files). Read are field 1 the
// date (yyyymmdd), 2 the game number (0 a single game, 1 and 2 the games of a
// double-header), 4 the visiting club, 7 the home club, 10 the visitors'
// score and 11 the home score; every line is a finished game.
#pragma once

#include "core/io/MatchText.h"

#include <string>
#include <string_view>

class TPennant;

// The season symbol a game log's club code stands for, through the table of
// the major-league template's clubs ("NYA" -> "NYY"); the code itself when
// the table does not know it.
std::string GameLogClubSymbol(std::string_view code);

// True when the first line looks like a game log's: at least 100 fields, the
// first a quoted date.
bool LooksLikeGameLog(std::string_view bytes);

// Reads the games, the teams found by the club table, then by symbol (or any
// name a TTeamNames knows). The result is Foreign; GameNo holds the game
// number for the order of a double-header until the import numbers the day.
TMatchText ReadGameLog(std::string_view bytes, const TPennant& pennant);

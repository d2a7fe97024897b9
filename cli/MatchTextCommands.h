// tablora-cli export, import and new: match data in and out from a terminal
// (the match text, a CSV, a game log), and a new season to import into.
// Core only, no Qt.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// A command line that cannot be run; RunCli prints it with the usage (exit 2).
struct TCliUsageError {
    std::string Message;
};

// export SEASON.qvk --out FILE [--format matchtext|csv]
// Without --format, a name ending in .csv is written as a CSV.
int ExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// import SEASON.qvk FILE --out NEW.qvk [--format matchtext|csv|gamelog] [--merge] [--force]
// The format is recognised from the content when --format is absent. Exit 1,
// with the reason on `err` and no output file, for a file of another season,
// for lines that cannot be read, for a file refused as a whole (empty, binary,
// of no known format), for data older than the season's (unless --force), and
// when a file cannot be read or written.
int ImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// new --template N --out NEW.qvk: a season of no games from the template the
// new-season dialog numbers N (0 Japan, 1 major league, 2 other). An existing
// file is not replaced.
int NewCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

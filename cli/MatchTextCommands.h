// tablora-cli export and import: the match data text file from a terminal.
// Core only, no Qt.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// A command line that cannot be run; RunCli prints it with the usage (exit 2).
struct TCliUsageError {
    std::string Message;
};

// export SEASON.qvk --out FILE.txt
int ExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// import SEASON.qvk FILE.txt --out NEW.qvk [--force]
// Exit 1, with the reason on `err`, for a file of another season, for data
// older than the season's (unless --force), and when a file cannot be read or written.
int ImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

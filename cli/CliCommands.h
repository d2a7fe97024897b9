// tablora-cli: the season core from a terminal. Output is UTF-8.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TPennant;
class TFight;

// Runs one command line (without the program name). Returns the exit code:
// 0 success, 1 failure (one line on `err` naming the file and the reason), 2 usage.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct TCliSeason {
    std::unique_ptr<TPennant> Pennant;
    std::unique_ptr<TFight> Fight;
    TCliSeason();
    TCliSeason(TCliSeason&&) noexcept;
    ~TCliSeason();
};

// Loads the season or says why not, in one line on `err`.
std::optional<TCliSeason> LoadCliSeason(const std::string& path, std::ostream& err);

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

// Texts shared by the commands' terminal tables (UTF-8 out, Shift-JIS in).
namespace clitext {
std::string U(const std::string& sjisText);
// Pads a Shift-JIS text to `width` columns: a byte is one terminal column
// (double-byte characters are full width), so byte counts align the table.
std::string Cell(const std::string& sjisText, size_t width, bool right);
// A league's draw rule as the tables write it.
std::string DrawRuleText(uint8_t rule);
} // namespace clitext
